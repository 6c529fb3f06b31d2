#pragma once
#include <cstdint>
#include <vector>

#include "core/Fraction.h"
#include "core/Interrupt.h"
#include "core/Matrix.h"
#include "engine/RootFinder.h"

namespace tavrin {

// The roots of the exact characteristic polynomial c of an integer-mode
// matrix: its rational roots exactly, each with its exact multiplicity,
// and the others numerically, as the matrix's eigenvalues (RootList order
// and rules). The numerical roots of a square-free remainder are listed
// one by one.
struct IntegerRoots {
  std::vector<Fraction> rational;  // decreasing
  std::vector<int32_t> rationalMultiplicities;
  RootList others;
};

// Ok, or Stopped when S or Q stopped it (the roots found so far are in out).
ResultCode IntegerMatrixRoots(const IntegerMatrix& m, const std::vector<Fraction>& c, IntegerRoots& out,
                              Interrupt& stop);

// 80-bit value of an integer, truncated to 64 significant bits, and of a
// fraction (without overflow when both parts are huge).
long double ToLongDouble(const mpz_class& v);
long double ToLongDouble(const Fraction& f);

}  // namespace tavrin
