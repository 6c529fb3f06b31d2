#pragma once
#include "core/Fraction.h"
#include "core/Interrupt.h"
#include "core/Matrix.h"
#include "core/ResultCode.h"

namespace tavrin {

// Every routine works on private copies: the caller's matrices are never changed.
// Long ones poll `stop` between steps.

// Real/complex determinant and inverse by LU with partial pivoting (the
// largest |re|+|im| in the column is the pivot; a column whose largest entry
// is not above 1e-16 makes the matrix singular). Ok; 14 when singular
// (det is then exactly zero and inverse is left untouched); Stopped when Q or S
// stopped it (det zero, nothing else returned: never a result); 101 for NaN
// or infinite entries; 103 for a non-square or empty matrix.
ResultCode DeterminantAndInverse(const ComplexMatrix& a, Complex& det, ComplexMatrix* inverse, Interrupt& stop);
// The same for a matrix the caller gives up, which becomes its inverse on
// Ok (a real one without a second matrix being made); on any other code
// its entries are lost.
ResultCode InvertInPlace(ComplexMatrix& a, Complex& det, Interrupt& stop);

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
// empty for a homogeneous system), with partial pivoting. tolerance is the
// places-derived ZeroTolerance; it is scaled by the largest |re|+|im| of a
// for the pivots, and by the largest of a and b for the consistency of the
// rows left over. Ok, 6 (inconsistent; out is still filled), or Stopped when
// Q or S stopped it (out untouched).
ResultCode SolveSystem(const ComplexMatrix& a, const ComplexMatrix& b, long double tolerance,
                       SolveResult& out, Interrupt& stop);
// The solver's rank of a; -1 when Q or S stopped it.
int Rank(const ComplexMatrix& a, long double tolerance, Interrupt& stop);

// Exact determinant (reduced, denominator positive) and inverse (normalised
// rational matrix). Ok, 3, 14 (singular: det 0/1, no inverse), 103 (not
// square), or Stopped when Q stopped it (nothing is returned then).
ResultCode IntegerInverse(const IntegerMatrix& a, Fraction& det, IntegerMatrix* inverse, Interrupt& stop);

// Exact rank, particular solution and kernel basis. b may be empty.
// Ok, 3, 6 (inconsistent) or Stopped.
ResultCode SolveSystem(const IntegerMatrix& a, const IntegerMatrix& b, IntegerSolveResult& out, Interrupt& stop);
ResultCode IntegerRank(const IntegerMatrix& a, int& rank, Interrupt& stop);

// --- Building blocks shared with echelon stepping and the minors of the
// characteristic polynomial. ---

// One Gauss-Jordan step (the step-by-step form; inverse and determinant
// use the pivoting LU instead) on column k of an n-row array with `width` columns
// (row-major): columns 0..n-1 are W, the rest V, which takes the same row
// operations over all of its columns. Pivot: the first row r >= k with
// |re|+|im| > 1e-16; a swap negates det; det is multiplied by the pivot.
// Returns false (nothing changed) when the column has no pivot.
bool GaussJordanStep(Complex* a, int n, int width, int k, Complex& det);

// Solver step c: row p of w (rows x cols) and v(p) (v may be null) are
// multiplied by the reciprocal of the pivot w(p, c) right of column c; the
// pivot becomes one.
void NormalisePivotRow(Complex* w, int cols, int p, int c, Complex* v);

// Clears column c in the rows other than p, from the top, taking at most
// `limit` rows (each taken row counts, zero entry or not): row i loses
// w(i, c) times row p right of column c (and in v when given), and w(i, c)
// becomes zero. Returns the number of rows taken.
int ClearPivotColumn(Complex* w, int rows, int cols, int p, int c, Complex* v, int limit);

// DeterminantAndInverse and the real/complex SolveSystem refuse NaN or
// infinite entries with code 101 ("could not calculate"); this is the test.
// Rank gives 0 for input the solver refuses.
bool AllFinite(const ComplexMatrix& m);

}  // namespace tavrin
