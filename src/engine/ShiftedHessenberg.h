#pragma once
#include <vector>

#include "engine/Eigenvalues.h"

namespace tavrin {

// H - zI for a Hessenberg form H, factored by Gaussian elimination with
// partial pivoting (O(n^2): only neighbouring rows ever swap). Solves with
// the matrix and with its conjugate transpose, and the two estimates the
// root finder judges eigenvalues by.
class ShiftedHessenberg {
 public:
  ShiftedHessenberg(const HessenbergForm& f, Complex z);

  void Solve(std::vector<Complex>& b) const;         // b := (H - zI)^-1 b
  void SolveAdjoint(std::vector<Complex>& b) const;  // b := (H - zI)^-H b

  // An upper estimate of the smallest singular value of H - zI, from a few
  // steps of inverse iteration (never below the true value).
  long double SmallestSingularValue() const;

  // The condition number of z as an eigenvalue of H: |x| |y| / |y^H x| for
  // the right and left eigenvectors, found by one step of inverse iteration
  // in double precision (several times faster than 80-bit, and good to a
  // few digits, which is all its callers compare).
  static long double QuickEigenvalueCondition(const HessenbergForm& f, Complex z);

 private:
  int n_;
  std::vector<Complex> u_;     // row-major upper triangle
  std::vector<Complex> mult_;  // multiplier of step k (row k+1 -= mult * row k)
  std::vector<bool> swap_;     // rows k and k+1 exchanged before step k
};

}  // namespace tavrin
