#pragma once
#include <cstdint>

namespace tavrin {

// The program-wide generator: 64-bit state, s := s*22695477 + 1 (mod 2^64);
// a draw is the high 32 bits of s with the top bit cleared.
class RandomGenerator {
 public:
  void Seed(uint32_t seed) { state_ = seed; }
  uint64_t State() const { return state_; }
  int32_t Next();
  // The midpoint of one of 1000000 equal cells of (lo, hi): never lo or hi.
  long double Range(long double lo, long double hi);

 private:
  uint64_t state_ = 0;
};

// The program's generator; a long computation's worker thread is given one
// of its own instead (core/ThreadRandom.h).
RandomGenerator& ProgramRandom();

}  // namespace tavrin
