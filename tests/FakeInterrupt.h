#pragma once
#include "core/Interrupt.h"

namespace tavrin {

// A scripted stop check: answers `key` at poll number `at` (counting from 1)
// and 0 before it; afterwards 0 again when `once` (a key press is consumed
// by the poll that takes it), or `key` at every later poll when not.
class FakeInterrupt final : public Interrupt {
 public:
  explicit FakeInterrupt(int key = 0, int at = 1, bool once = true) : key_(key), at_(at), once_(once) {}
  int Poll() override {
    ++polls;
    if (polls < at_ || (once_ && polls > at_)) return 0;
    return key_;
  }
  int polls = 0;

 private:
  int key_, at_;
  bool once_;
};

}  // namespace tavrin
