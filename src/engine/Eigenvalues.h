#pragma once
#include <vector>

#include "core/Interrupt.h"
#include "core/Matrix.h"
#include "core/ResultCode.h"

namespace tavrin {

// An upper Hessenberg matrix similar to a square real or complex matrix:
// balanced by exact powers of two (unless symmetric) and reduced by unitary
// reflections, so it has the same eigenvalues and characteristic polynomial.
struct HessenbergForm {
  int n = 0;
  bool complex = false;    // some entry has an imaginary part
  bool symmetric = false;  // real symmetric or Hermitian: every eigenvalue is real
  std::vector<Complex> h;  // row-major n x n
  long double norm = 0.0L; // Frobenius norm of h

  Complex& at(int i, int j) { return h[static_cast<size_t>(i) * n + j]; }
  const Complex& at(int i, int j) const { return h[static_cast<size_t>(i) * n + j]; }
};

// Reduces m (square) to its Hessenberg form. `complexMatrix` says whether the
// imaginary parts count (complex mode). Ok, or Stopped when S or Q on `stop`
// stopped it.
ResultCode ReduceToHessenbergForm(const ComplexMatrix& m, bool complexMatrix, HessenbergForm& out, Interrupt& stop);

// The Hessenberg form of the companion matrix of the polynomial c (highest
// power first, c[0] non-zero), balanced.
HessenbergForm CompanionForm(const std::vector<Complex>& c, bool complexMatrix);

// The eigenvalues of f by shifted QR iteration in 80-bit arithmetic (the
// implicit double-shift for real matrices, tridiagonal QL for symmetric ones,
// single complex shifts otherwise). A real matrix gives exact conjugate pairs
// and a symmetric one real values. Ok; Stopped when S or Q stopped it and 101
// when the iteration did not converge: `values` then holds the eigenvalues
// found so far.
ResultCode HessenbergEigenvalues(const HessenbergForm& f, std::vector<Complex>& values, Interrupt& stop);

}  // namespace tavrin
