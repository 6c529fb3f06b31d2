#pragma once
// The exact kernels behind IntegerInverse, the integer SolveSystem, IntegerRank
// and IntegerCharacteristicPolynomial. Engine-internal; tests compare the two
// families on the same inputs.
#include <gmpxx.h>

#include <vector>

#include "core/Fraction.h"
#include "core/Interrupt.h"
#include "core/Matrix.h"
#include "core/ResultCode.h"
#include "engine/Elimination.h"

namespace tavrin {

// Fraction-free elimination over the integers (Bareiss, Gauss-Jordan) and
// Berkowitz: the kernels for small matrices, inverses, singular and
// rectangular systems. Same contracts as the public functions.
ResultCode FractionFreeInverse(const IntegerMatrix& a, Fraction& det, IntegerMatrix* inverse, Interrupt& stop);
ResultCode FractionFreeSolve(const IntegerMatrix& a, const IntegerMatrix& b, IntegerSolveResult& out,
                             Interrupt& stop);
ResultCode BerkowitzCharacteristicPolynomial(const IntegerMatrix& m, std::vector<Fraction>& c, Interrupt& stop);

// Modular kernels: one word-size prime (or one lifting step) at a time, with
// the Q key polled (on `stop`) in between. They look at the numerators only.

// Determinant of the numerators of a square matrix. Ok or Stopped.
ResultCode ModularDeterminant(const IntegerMatrix& a, mpz_class& det, Interrupt& stop);

// det(A) and, when it is not zero, adj(A) = det(A) * A^-1 (row-major) of
// the numerators. Ok or Stopped.
ResultCode ModularInverse(const IntegerMatrix& a, mpz_class& det, std::vector<mpz_class>& adjugate,
                          Interrupt& stop);

// Solves A y = b for the numerators of a square A by p-adic lifting:
// y = num / den with den > 0. Ok; 14 when A is singular modulo the first
// prime tried (A may still be non-singular: the caller takes another route);
// Stopped when Q stopped it.
ResultCode DixonSolve(const IntegerMatrix& a, const std::vector<mpz_class>& b, std::vector<mpz_class>& num,
                      mpz_class& den, Interrupt& stop);

// The same for the m columns of b at once (n x m, row-major): num is n x m
// over one common denominator den > 0.
ResultCode DixonSolveColumns(const IntegerMatrix& a, const std::vector<mpz_class>& b, int m,
                             std::vector<mpz_class>& num, mpz_class& den, Interrupt& stop);

// Rank, particular solution and kernel basis of any system (rectangular or
// singular too), equal to FractionFreeSolve's: the pivot columns and a set
// of independent rows are found modulo a prime, the square part they cut
// out is solved by lifting for b and the free columns, and the answer is
// then proven over the integers (every other row satisfied, every free
// column a combination of pivot columns left of it). Ok; 14 when the
// prime does not settle the system (an inconsistent system, or one the
// prime misleads): the caller takes the fraction-free route; Stopped (Q), 3.
ResultCode RankProfileSolve(const IntegerMatrix& a, const IntegerMatrix& b, IntegerSolveResult& out,
                            Interrupt& stop);

// Whether the numerators have full rank (as many as their rows or columns,
// whichever are fewer; non-singular when square) modulo a word-size prime,
// which proves the same rank over the integers. Ok (answer in `full`)
// or Stopped.
ResultCode FullRankModuloPrime(const IntegerMatrix& a, bool& full, Interrupt& stop);

// Characteristic polynomial of the numerators, det(xI - A), highest power
// first, by primes and the Chinese remainder theorem. Ok or Stopped (Q or S).
ResultCode ModularCharacteristicPolynomial(const IntegerMatrix& a, std::vector<mpz_class>& c, Interrupt& stop);

}  // namespace tavrin
