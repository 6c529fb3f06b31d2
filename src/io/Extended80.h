#pragma once
#include <cstdint>

namespace tavrin {

// An 80-bit x87 extended real as it lies in files: 64-bit mantissa with an
// explicit integer bit, then 15-bit biased exponent and the sign, little-endian.
// The conversion is done by arithmetic, so it works whatever long double is
// on the machine; bit patterns the x87 rejects (unnormals, pseudo-infinities)
// read as NaN so no caller ever computes with them.
void Extended80ToBytes(long double x, uint8_t out[10]);
long double Extended80FromBytes(const uint8_t in[10]);

}  // namespace tavrin
