#pragma once
#include <gmpxx.h>

#include <vector>

#include "core/Fraction.h"
#include "core/Matrix.h"

namespace tavrin {

// A matrix of exact rationals, each entry kept reduced: the working form of
// the exact echelon stepping, the exact row operations and the exact simplex.
struct RationalMatrix {
  int rows = 0;
  int cols = 0;
  std::vector<mpq_class> e;

  RationalMatrix() = default;
  RationalMatrix(int r, int c) : rows(r), cols(c), e(static_cast<size_t>(r) * c) {}
  mpq_class& at(int i, int j) { return e[static_cast<size_t>(i) * cols + j]; }
  const mpq_class& at(int i, int j) const { return e[static_cast<size_t>(i) * cols + j]; }
};

// Entry / denominator as exact rationals. A zero denominator gives zeros.
RationalMatrix ToRational(const IntegerMatrix& m);
// Back to numerators over one common denominator (the least one).
IntegerMatrix ToInteger(const RationalMatrix& m);

mpq_class ToMpq(const Fraction& f);
Fraction ToFraction(const mpq_class& q);

}  // namespace tavrin
