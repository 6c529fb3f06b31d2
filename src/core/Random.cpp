#include "core/Random.h"

#include "core/ThreadRandom.h"

namespace tavrin {

int32_t RandomGenerator::Next() {
  state_ = state_ * 22695477ULL + 1ULL;
  return static_cast<int32_t>((state_ >> 32) & 0x7fffffffULL);
}

long double RandomGenerator::Range(long double lo, long double hi) {
  int32_t r = Next();
  return lo + (hi - lo) * static_cast<long double>(2 * (r % 1000000) + 1) * 5e-7L;
}

RandomGenerator& ProgramRandom() {
  if (RandomGenerator* own = ThreadRandom()) return *own;
  static RandomGenerator generator;
  return generator;
}

}  // namespace tavrin
