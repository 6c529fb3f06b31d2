#pragma once
#include "core/Interrupt.h"
#include "core/Matrix.h"
#include "core/ResultCode.h"

namespace tavrin {

// p = a * b for real or complex matrices (a.cols == b.rows), computed in
// long double by a cache-blocked kernel. It polls `stop` before each real
// product and then every few tens of milliseconds: Q stops it with Stopped
// and p is left untouched. Real matrices (every imaginary part zero) take
// the real kernel once; complex ones take it four times (real and imaginary
// parts). Ok or Stopped.
ResultCode MatrixProduct(const ComplexMatrix& a, const ComplexMatrix& b, ComplexMatrix& p, Interrupt& stop);

}  // namespace tavrin
