#pragma once
#include <cfloat>

namespace tavrin {

// The thresholds below, the digits shown and the saved reals all assume the
// x87 extended type: a 64-bit mantissa (about 19 significant digits).
static_assert(LDBL_MANT_DIG == 64, "long double must be the 80-bit x87 extended type");

// 10^-(places+1), built as 0.1 times 0.1 once per place so that every
// caller gets the same extended value; used by rank, Solve and echelon form.
long double ZeroTolerance(int places);

// Pivots of determinant and inverse, divisions and the consistency of a
// system: non-zero means |re| + |im| > 1e-16.
inline constexpr long double kPivotThreshold = 1e-16L;

// Newton convergence, multiplicities and the simplex's reduced costs.
inline constexpr long double kNewtonThreshold = 1e-13L;

// e^42 (about 1.7392749415e18): the overflow bound of powers and formula
// products, and the simplex's initial best ratio.
long double OverflowBound();

}  // namespace tavrin
