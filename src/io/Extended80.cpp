#include "io/Extended80.h"

#include <cmath>
#include <limits>

namespace tavrin {

namespace {
constexpr int kBias = 16383;
constexpr uint64_t kIntegerBit = 0x8000000000000000ULL;

void Store(uint64_t mantissa, unsigned exponentAndSign, uint8_t out[10]) {
  for (int k = 0; k < 8; ++k) out[k] = static_cast<uint8_t>(mantissa >> (8 * k));
  out[8] = static_cast<uint8_t>(exponentAndSign & 0xFF);
  out[9] = static_cast<uint8_t>(exponentAndSign >> 8);
}
}  // namespace

void Extended80ToBytes(long double x, uint8_t out[10]) {
  unsigned sign = std::signbit(x) ? 0x8000u : 0u;
  if (std::isnan(x)) return Store(0xC000000000000000ULL, sign | 0x7FFF, out);
  if (std::isinf(x)) return Store(kIntegerBit, sign | 0x7FFF, out);
  long double a = std::fabs(x);
  if (a == 0.0L) return Store(0, sign, out);
  int e = 0;
  long double m = std::frexp(a, &e);  // a = m * 2^e, m in [0.5, 1)
  int biased = e - 1 + kBias;
  if (biased >= 1) {
    // Narrower long doubles leave the low mantissa bits zero; wider ones
    // cannot occur on any platform the program runs on.
    auto mantissa = static_cast<uint64_t>(std::ldexp(m, 64));
    Store(mantissa, sign | static_cast<unsigned>(biased), out);
  } else {
    auto mantissa = static_cast<uint64_t>(std::ldexp(a, kBias - 1 + 63));
    Store(mantissa, sign, out);
  }
}

long double Extended80FromBytes(const uint8_t in[10]) {
  uint64_t mantissa = 0;
  for (int k = 7; k >= 0; --k) mantissa = (mantissa << 8) | in[k];
  unsigned top = static_cast<unsigned>(in[8]) | (static_cast<unsigned>(in[9]) << 8);
  bool negative = (top & 0x8000u) != 0;
  int exponent = static_cast<int>(top & 0x7FFFu);
  long double value;
  if (exponent == 0x7FFF) {
    if (mantissa == kIntegerBit)
      value = std::numeric_limits<long double>::infinity();
    else
      value = std::numeric_limits<long double>::quiet_NaN();
  } else if (exponent == 0) {
    // Denormals; a set integer bit (pseudo-denormal) means the same value.
    value = std::ldexp(static_cast<long double>(mantissa), 1 - kBias - 63);
  } else if ((mantissa & kIntegerBit) == 0) {
    value = std::numeric_limits<long double>::quiet_NaN();  // unnormal
  } else {
    value = std::ldexp(static_cast<long double>(mantissa), exponent - kBias - 63);
  }
  return negative ? -value : value;
}

}  // namespace tavrin
