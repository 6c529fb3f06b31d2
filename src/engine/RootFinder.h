#pragma once
#include <cstdint>
#include <vector>

#include "core/Complex.h"
#include "core/Interrupt.h"
#include "core/Matrix.h"
#include "core/ResultCode.h"
#include "engine/Eigenvalues.h"

namespace tavrin {

// Distinct roots, each with its multiplicity (>= 1), ordered by decreasing
// real part and then decreasing imaginary part.
struct RootList {
  std::vector<Complex> roots;
  std::vector<int32_t> multiplicities;
  std::vector<std::vector<Complex>> eigenvalues;  // the computed eigenvalues behind each root
};

// The characteristic polynomial of the square matrix m and its roots, both
// from one Hessenberg form: the roots are the eigenvalues by shifted QR,
// grouped into multiple roots only where the matrix and the polynomial both
// allow it, and refined on the polynomial where it pins a root down better.
// On Ok the multiplicities add up to n; a real matrix
// (complexMatrix false) gives real roots and exact conjugate pairs, a
// symmetric one only real roots. With `places` (the decimals shown), a
// group whose eigenvalues differ at those places stays one root only when
// the stored matrix may have a repeated root; otherwise they are listed
// apart. Code 103 (c and roots empty) when m is not square or is empty;
// Stopped when S or Q stopped it: c is then empty if the polynomial was not
// complete, and otherwise the roots found so far are listed.
ResultCode MatrixPolynomialAndRoots(const ComplexMatrix& m, bool complexMatrix, std::vector<Complex>& c,
                                    RootList& roots, Interrupt& stop, int places = -1);

// The roots of a Hessenberg form whose characteristic polynomial is c, with
// error bounds cError for its coefficients (empty: c is exact), into out.
// Ok, or Stopped when S or Q ended the search (the roots found so far are listed).
ResultCode RootsOfForm(const HessenbergForm& f, const std::vector<Complex>& c,
                       const std::vector<long double>& cError, bool complexMatrix, RootList& out, Interrupt& stop);

// Roots of the polynomial c (highest power first, degree n = c.size() - 1,
// c[0] non-zero), as the eigenvalues of its companion matrix, into out
// (empty for a degree below one or a zero c[0]). Codes as RootsOfForm.
ResultCode FindRoots(const std::vector<Complex>& c, bool complexMatrix, RootList& out, Interrupt& stop,
                     long double acceptance = 1e-7L);

// Nested multiply-add value of c at z.
Complex EvaluatePolynomial(const std::vector<Complex>& c, Complex z);

}  // namespace tavrin
