#pragma once
#include "core/Interrupt.h"
#include "core/Matrix.h"
#include "core/ResultCode.h"

namespace tavrin {

// Determinant and (when inverse is not null) inverse of a square real or
// complex matrix by a blocked LU factorisation with partial pivoting: in each
// column the entry of largest |re|+|im| is the pivot, and the matrix counts
// as singular when that entry is not above 1e-16. `stop` is polled between
// blocks of work (Q or S stops).
// Ok; 14 (det exactly zero, inverse untouched); Stopped when Q or S stopped it (nothing
// returned); 3 when memory runs out. The input must be square and finite.
ResultCode LuDeterminantAndInverse(const ComplexMatrix& a, Complex& det, ComplexMatrix* inverse, Interrupt& stop);

// The same with the inverse: a real m is inverted in its own storage (no
// second matrix is made; in the real layout it is factored there and the
// inverse is the one matrix made), a complex one is replaced by its
// inverse. On any
// code other than 0 the entries of m are lost; its size stays.
ResultCode LuInvertInPlace(ComplexMatrix& m, Complex& det, Interrupt& stop);

}  // namespace tavrin
