#pragma once

#include <cstdint>
#include <vector>

#include "core/Matrix.h"

namespace tavrin {

// Whether the characteristic polynomial of a real matrix, taken exactly as
// stored (every entry a binary fraction), certainly has no repeated root:
// decided by its polynomial modulo a large prime, where a repeated factor
// would survive. False means "not proven" (a repeated root modulo the prime,
// or a complex matrix).
bool StoredPolynomialIsSquareFree(const ComplexMatrix& m);

// Degree of gcd(a, b) over the integers modulo the prime p below 2^63 (a, b
// highest power first, leading coefficients non-zero).
int GcdDegreeModP(std::vector<uint64_t> a, std::vector<uint64_t> b, uint64_t p);

}  // namespace tavrin
