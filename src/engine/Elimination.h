#pragma once
#include "core/Fraction.h"
#include "core/Matrix.h"
#include "core/ResultCode.h"

namespace tavrin {

// Every routine works on private copies: the caller's matrices are never changed.

// Real/complex determinant and inverse by Gauss-Jordan (first usable row is
// the pivot, non-zero means |re|+|im| > 1e-16). Code 0, or 14 when singular
// (det is then exactly zero and inverse is left incomplete).
// A non-square or empty matrix gives code 103.
ResultCode DeterminantAndInverse(const ComplexMatrix& a, Complex& det, ComplexMatrix* inverse);

// Result of the real/complex and integer solvers.
struct SolveResult {
  int rank = 0;
  ComplexMatrix x;  // cols x 1: the particular solution (free unknowns 0)
  ComplexMatrix k;  // cols x (cols - rank): kernel basis, columns by free unknown
};
struct IntegerSolveResult {
  int rank = 0;
  IntegerMatrix x;  // cols x 1 over its own common denominator
  IntegerMatrix k;  // cols x (cols - rank) over its own common denominator
};

// Reduced row echelon form of a with right-hand side b (rows x 1; b may be
// empty for a homogeneous system). Pivot test |re|+|im| > tolerance; the
// consistency test uses the fixed 1e-16. Code 0 or 6 (inconsistent).
ResultCode SolveSystem(const ComplexMatrix& a, const ComplexMatrix& b, long double tolerance,
                       SolveResult& out);
int Rank(const ComplexMatrix& a, long double tolerance);

// Exact determinant (reduced, denominator positive) and inverse (normalised
// rational matrix). Code 0, 3, 14 (singular: det 0/1, no inverse), 103 (not
// square), or -1 when Q stopped it (nothing is returned then).
ResultCode IntegerInverse(const IntegerMatrix& a, Fraction& det, IntegerMatrix* inverse);

// Exact rank, particular solution and kernel basis. b may be empty.
// Code 0, 3, 6 (inconsistent) or -1 (stopped).
ResultCode SolveSystem(const IntegerMatrix& a, const IntegerMatrix& b, IntegerSolveResult& out);
ResultCode IntegerRank(const IntegerMatrix& a, int& rank);

}  // namespace tavrin
