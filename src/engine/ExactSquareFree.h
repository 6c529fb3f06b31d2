#pragma once

#include "core/Matrix.h"

namespace tavrin {

// Whether the characteristic polynomial of a real matrix, taken exactly as
// stored (every entry a binary fraction), certainly has no repeated root:
// decided by its polynomial modulo a large prime, where a repeated factor
// would survive. False means "not proven" (a repeated root modulo the prime,
// or a complex matrix).
bool StoredPolynomialIsSquareFree(const ComplexMatrix& m);

}  // namespace tavrin
