#pragma once
#include <cstdint>
#include <vector>

#include "core/Complex.h"

namespace tavrin {

// Distinct roots in the order found, each with its multiplicity (>= 1).
struct RootList {
  std::vector<Complex> roots;
  std::vector<int32_t> multiplicities;
  bool stopped = false;  // S ended the search; the roots found so far are listed
};

// Roots of the polynomial c (highest power first, degree n = c.size() - 1,
// c[0] non-zero). A randomised Newton search on the square-free part comes
// first; whatever it misses is found by the Aberth-Ehrlich iteration and
// listed after it. In real mode (complexMatrix false) every complex root
// found is followed by its conjugate. `acceptance` is the residual bound of
// the Newton search (the window's root threshold).
RootList FindRoots(const std::vector<Complex>& c, bool complexMatrix, long double acceptance = 1e-7L);

// Nested multiply-add value of c at z.
Complex EvaluatePolynomial(const std::vector<Complex>& c, Complex z);

}  // namespace tavrin
