#pragma once
#include "core/Matrix.h"
#include "core/Random.h"

namespace tavrin {

// An n x n real matrix of entries uniform in [-1, 1), the same for the same n
// in every benchmark program, so that their figures can be compared.
inline ComplexMatrix SeededRealMatrix(int n) {
  RandomGenerator g;
  g.Seed(static_cast<uint32_t>(n));
  ComplexMatrix m(n, n);
  for (Complex& x : m.e()) x = Complex(g.Range(-1.0L, 1.0L), 0.0L);
  return m;
}

}  // namespace tavrin
