#pragma once
#include <vector>

#include "core/Fraction.h"
#include "core/Interrupt.h"
#include "core/Matrix.h"
#include "core/ResultCode.h"
#include "engine/Eigenvalues.h"

namespace tavrin {

// Coefficients of det(xI - M) for a square real or complex matrix, highest
// power first: c[0] = 1, c[n] the constant term. The matrix is brought to
// Hessenberg form by unitary reflections and the polynomial read off by the
// Hessenberg recurrence, O(n^3) in 80-bit arithmetic. Ok, 103 when the
// matrix is not square or Stopped when S or Q on `stop` stopped it (c is then empty).
ResultCode CharacteristicPolynomial(const ComplexMatrix& m, std::vector<Complex>& c, Interrupt& stop);

// The same from a Hessenberg form; with `error`, also a bound on the
// rounding error of each coefficient. Ok, or Stopped when S or Q stopped it.
ResultCode HessenbergPolynomial(const HessenbergForm& f, std::vector<Complex>& c, std::vector<long double>* error,
                          Interrupt& stop);

// The exact characteristic polynomial of an integer-mode matrix (entries over
// the common denominator), by the division-free Berkowitz method. Ok,
// 103 (not square) or Stopped when S or Q stopped it (c is then empty).
ResultCode IntegerCharacteristicPolynomial(const IntegerMatrix& m, std::vector<Fraction>& c, Interrupt& stop);

}  // namespace tavrin
