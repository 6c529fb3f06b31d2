#pragma once

namespace tavrin {

// The stop check of long computations. A routine that may run long is
// given a token and polls it now and then, without waiting:
//   0    nothing asked, go on;
//   'Q'  quit: big-integer and exact work gives up (code kInterrupted);
//   'S'  stop: the polynomial and root searches end with what they have;
//   any other key is consumed, and callers ignore it.
// Letters come back upper case. A poll consumes what it answers, so one
// key stops one check; routines that pass a token on to helpers hand down
// the same one. Poll may be called from a worker thread.
class Interrupt {
 public:
  virtual ~Interrupt() = default;
  virtual int Poll() = 0;
  bool Quit() { return Poll() == 'Q'; }
  // Floating-point work gives up at either key.
  bool QuitOrStop() {
    const int key = Poll();
    return key == 'Q' || key == 'S';
  }
};

// For callers that never stop: every poll answers 0.
class NoInterrupt final : public Interrupt {
 public:
  int Poll() override { return 0; }
};

// The program's token: answers the key queue that the front ends post to
// (core/PollKey.h). One for the whole program; safe from any thread.
Interrupt& ProgramInterrupt();

}  // namespace tavrin
