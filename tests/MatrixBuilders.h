#pragma once
#include <initializer_list>
#include <string>
#include <vector>

#include "core/Fraction.h"
#include "core/Matrix.h"

namespace tavrin {

// Matrices written out row by row in a test.
inline ComplexMatrix Real(int rows, int cols, std::initializer_list<long double> values) {
  ComplexMatrix m(rows, cols);
  size_t i = 0;
  for (long double x : values) m.e()[i++] = Complex(x, 0.0L);
  return m;
}

inline IntegerMatrix Int(int rows, int cols, std::initializer_list<long> values, long denominator = 1) {
  IntegerMatrix m(rows, cols);
  size_t i = 0;
  for (long x : values) m.e[i++] = BigInteger(x);
  m.denominator = BigInteger(denominator);
  return m;
}

// The numerators as they are stored, before the common denominator.
inline std::vector<long> Numerators(const IntegerMatrix& m) {
  std::vector<long> out;
  for (const BigInteger& e : m.e) out.push_back(e.Value().get_si());
  return out;
}

// The real parts, row by row.
inline std::vector<long double> Reals(const ComplexMatrix& m) {
  std::vector<long double> out;
  for (const Complex& e : m.Entries()) out.push_back(e.re);
  return out;
}

// Each entry as its reduced value, "p/q" or "p".
inline std::vector<std::string> Values(const IntegerMatrix& m) {
  std::vector<std::string> out;
  for (const BigInteger& e : m.e) {
    Fraction f{e, m.denominator};
    (void)Reduce(f);
    out.push_back(f.ToString());
  }
  return out;
}

}  // namespace tavrin
