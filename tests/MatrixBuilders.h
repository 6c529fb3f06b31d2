#pragma once
#include <initializer_list>

#include "core/Matrix.h"

namespace tavrin {

// Matrices written out row by row in a test.
inline ComplexMatrix Real(int rows, int cols, std::initializer_list<long double> values) {
  ComplexMatrix m(rows, cols);
  size_t i = 0;
  for (long double x : values) m.e[i++] = Complex(x, 0.0L);
  return m;
}

inline IntegerMatrix Int(int rows, int cols, std::initializer_list<long> values, long denominator = 1) {
  IntegerMatrix m(rows, cols);
  size_t i = 0;
  for (long x : values) m.e[i++] = BigInteger(x);
  m.denominator = BigInteger(denominator);
  return m;
}

}  // namespace tavrin
