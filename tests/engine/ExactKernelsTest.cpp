// The modular kernels against the fraction-free ones on fixed-seed random
// inputs (the results must be identical), against values worked out with
// sympy, and the Q key on a large determinant.
#include "engine/ExactKernels.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/CharacteristicPolynomial.h"
#include "engine/Elimination.h"
#include "engine/ModularTools.h"
#include "FakeInterrupt.h"

#include <flint/nmod_poly.h>

#include <new>

namespace tavrin {
namespace {

NoInterrupt none;

// Entries uniform in [-range, range] over `denominator`; `rank` < n makes the
// last rows combinations of the first ones.
IntegerMatrix Random(int rows, int cols, const char* range, long denominator, uint32_t seed, int rank = -1) {
  gmp_randclass g(gmp_randinit_mt);
  g.seed(seed);
  const mpz_class r(range);
  IntegerMatrix m(rows, cols);
  for (BigInteger& v : m.e) v = BigInteger(mpz_class(g.get_z_range(2 * r + 1) - r));
  if (rank >= 0)
    for (int i = rank; i < rows; ++i)
      for (int j = 0; j < cols; ++j) {
        mpz_class s = 0;
        for (int k = 0; k < rank; ++k) s += m.at(k, j).Value() * ((i + 2 * k) % 5 - 2);
        m.at(i, j) = BigInteger(s);
      }
  m.denominator = BigInteger(denominator);
  return m;
}

struct Case {
  int n;
  const char* range;
  long denominator;
  int rank;  // -1: full (almost surely)
};

const Case kCases[] = {
    {12, "99", 1, -1},  {13, "1", 1, -1},       {20, "99", 7, -1},  {31, "1000000", -6, -1},
    {40, "99", 1, -1},  {16, "100000000000000000000", 1, -1},      {25, "99", 1, 20},
    {18, "5", 4, 0},    {33, "99", 1, 32},      {60, "99", 1, -1},  {12, "1000000000000000000000000000000000000000000000000000000000000", 3, -1},
};

TEST(ExactKernels, DeterminantAndInverseMatchFractionFree) {
  for (const Case& c : kCases) {
    const IntegerMatrix a = Random(c.n, c.n, c.range, c.denominator, 11 + c.n);
    Fraction want, got;
    const ResultCode wantCode = FractionFreeInverse(a, want, nullptr, none);
    EXPECT_EQ(IntegerInverse(a, got, nullptr, none), wantCode) << c.n;
    EXPECT_EQ(got, want) << c.n << " " << c.range;
    IntegerMatrix wantInverse, gotInverse;
    EXPECT_EQ(IntegerInverse(a, got, &gotInverse, none), FractionFreeInverse(a, want, &wantInverse, none));
    EXPECT_EQ(got, want) << c.n;
    EXPECT_EQ(gotInverse, wantInverse) << c.n << " " << c.range;
    if (c.rank >= 0) {
      const IntegerMatrix s = Random(c.n, c.n, c.range, c.denominator, 5, c.rank);
      IntegerMatrix untouched = Random(2, 2, "9", 1, 2), inv = untouched;
      EXPECT_EQ(IntegerInverse(s, got, nullptr, none), ResultCode::Singular) << c.n;
      EXPECT_EQ(got, (Fraction{BigInteger(0), BigInteger(1)}));
      EXPECT_EQ(IntegerInverse(s, got, &inv, none), ResultCode::Singular) << c.n;
      EXPECT_EQ(inv, untouched);
    }
  }
}

TEST(ExactKernels, SolveAndRankMatchFractionFree) {
  for (const Case& c : kCases) {
    const IntegerMatrix a = Random(c.n, c.n, c.range, c.denominator, 21 + c.n, c.rank);
    for (const IntegerMatrix& b : {Random(c.n, 1, "50", 3, 99), IntegerMatrix(), Random(c.n, 1, "0", 1, 1)}) {
      IntegerSolveResult want, got;
      const ResultCode wantCode = FractionFreeSolve(a, b, want, none);
      EXPECT_EQ(SolveSystem(a, b, got, none), wantCode) << c.n;
      EXPECT_EQ(got.rank, want.rank) << c.n;
      EXPECT_EQ(got.x, want.x) << c.n << " " << c.range;
      EXPECT_EQ(got.k, want.k) << c.n;
    }
    int rank = -1;
    EXPECT_EQ(IntegerRank(a, rank, none), ResultCode::Ok);
    EXPECT_EQ(rank, c.rank < 0 ? c.n : c.rank) << c.n;
  }
}

// a * x0 over `denominator` for x0 of entries in [-9, 9]: a consistent
// right-hand side.
IntegerMatrix ImageOf(const IntegerMatrix& a, uint32_t seed, long denominator) {
  const IntegerMatrix x0 = Random(a.cols, 1, "9", 1, seed);
  IntegerMatrix b(a.rows, 1);
  for (int i = 0; i < a.rows; ++i) {
    mpz_class s = 0;
    for (int j = 0; j < a.cols; ++j) s += a.at(i, j).Value() * x0.at(j, 0).Value();
    b.at(i, 0) = BigInteger(s);
  }
  b.denominator = BigInteger(denominator);
  return b;
}

// Rectangular and singular systems by the rank profile against the
// fraction-free elimination: the same code, rank, solution and kernel (and
// the same rank from IntegerRank).
// Columns 2, 5 and 9 are made combinations of earlier ones (free columns
// inside the pivots). A consistent or homogeneous system must be settled by
// the profile route itself; an inconsistent one is left to the other.
TEST(ExactKernels, RankProfileMatchesFractionFree) {
  struct Shape {
    int rows, cols, rank;  // rank < rows: the rows from `rank` on are combinations
    const char* range;
    long denominator;
    bool linkColumns;
  };
  const Shape shapes[] = {{12, 20, -1, "99", 1, false},   {30, 45, -1, "99", 5, true},  {20, 14, -1, "99", 1, false},
                          {25, 25, 20, "99", 1, true},    {40, 30, 18, "1000000", -6, true},
                          {16, 16, 0, "99", 1, false},    {14, 21, 13, "100000000000000000000000000000000000000000", 3, true},
                          {13, 60, 11, "1", 1, true}};
  uint32_t seed = 100;
  for (const Shape& c : shapes) {
    IntegerMatrix a = Random(c.rows, c.cols, c.range, c.denominator, ++seed, c.rank);
    if (c.linkColumns)
      for (int j : {2, 5, 9})
        for (int i = 0; i < c.rows; ++i)
          a.at(i, j) = BigInteger(a.at(i, 0).Value() * (j - 4) + a.at(i, j - 1).Value() * 3);
    IntegerSolveResult homogeneous;
    int rank = -1;
    ASSERT_EQ(FractionFreeSolve(a, IntegerMatrix(), homogeneous, none), ResultCode::Ok);
    EXPECT_EQ(IntegerRank(a, rank, none), ResultCode::Ok);
    EXPECT_EQ(rank, homogeneous.rank) << c.rows << "x" << c.cols;
    const IntegerMatrix consistent = ImageOf(a, ++seed, 7), zero(c.rows, 1), random = Random(c.rows, 1, "50", 3, ++seed);
    for (const IntegerMatrix* b : {&consistent, &zero, &random, static_cast<const IntegerMatrix*>(nullptr)}) {
      const IntegerMatrix rhs = b ? *b : IntegerMatrix();
      IntegerSolveResult want, got, profile;
      const ResultCode wantCode = FractionFreeSolve(a, rhs, want, none);
      EXPECT_EQ(SolveSystem(a, rhs, got, none), wantCode) << c.rows << "x" << c.cols;
      EXPECT_EQ(got.rank, want.rank) << c.rows << "x" << c.cols;
      EXPECT_EQ(got.x, want.x) << c.rows << "x" << c.cols;
      EXPECT_EQ(got.k, want.k) << c.rows << "x" << c.cols;
      if (b == &random) continue;
      ASSERT_EQ(wantCode, ResultCode::Ok);
      ASSERT_EQ(RankProfileSolve(a, rhs, profile, none), ResultCode::Ok) << c.rows << "x" << c.cols;
      EXPECT_EQ(profile.x, want.x) << c.rows << "x" << c.cols;
      EXPECT_EQ(profile.k, want.k) << c.rows << "x" << c.cols;
    }
  }
}

// Systems built to mislead the route's prime p: a column p times another
// (a pivot over the integers, zero modulo p), and a tall system made
// inconsistent by p in one entry of b. The route declines (code 14) and
// SolveSystem still gives the fraction-free answer.
TEST(ExactKernels, RankProfileDeclinesWhatThePrimeHides) {
  const mpz_class p = modular::PrimeSequence(59).Next();
  IntegerMatrix wide = Random(12, 16, "99", 1, 7);
  for (int i = 0; i < 12; ++i) wide.at(i, 0) = BigInteger(mpz_class(wide.at(i, 1).Value() * p));
  const IntegerMatrix tall = Random(18, 13, "99", 1, 8);
  IntegerMatrix shifted = ImageOf(tall, 9, 1);
  shifted.at(17, 0) = BigInteger(mpz_class(shifted.at(17, 0).Value() + p));
  struct Row {
    const IntegerMatrix &a, b;
    ResultCode code;
  };
  for (const Row& r : {Row{wide, ImageOf(wide, 10, 1), ResultCode::Ok}, Row{tall, shifted, ResultCode::InconsistentSystem}}) {
    IntegerSolveResult want, got, profile;
    ASSERT_EQ(FractionFreeSolve(r.a, r.b, want, none), r.code);
    EXPECT_EQ(RankProfileSolve(r.a, r.b, profile, none), ResultCode::Singular);
    EXPECT_EQ(SolveSystem(r.a, r.b, got, none), r.code);
    EXPECT_EQ(got.rank, want.rank);
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.k, want.k);
  }
}

// Q at any poll of a rectangular system with a kernel: code -1, no poll
// after it, and the caller's result untouched.
TEST(ExactKernels, RankProfileStopsAtAnyPoll) {
  const IntegerMatrix a = Random(14, 22, "99", 1, 3, 12), b = ImageOf(a, 4, 1);
  FakeInterrupt counter;
  IntegerSolveResult want;
  ASSERT_EQ(SolveSystem(a, b, want, counter), ResultCode::Ok);
  ASSERT_EQ(want.rank, 12);
  ASSERT_GT(counter.polls, 20);
  for (int k = 1; k <= counter.polls; ++k) {
    FakeInterrupt quit('Q', k, false);
    IntegerSolveResult got;
    got.rank = 99;
    EXPECT_EQ(SolveSystem(a, b, got, quit), ResultCode::Stopped) << k;
    EXPECT_EQ(quit.polls, k);
    EXPECT_EQ(got.rank, 99);
    EXPECT_EQ(got.x, IntegerMatrix());
  }
}

TEST(ExactKernels, CharacteristicPolynomialMatchesBerkowitz) {
  for (const Case& c : kCases) {
    if (c.n > 40) continue;
    const IntegerMatrix a = Random(c.n, c.n, c.range, c.denominator, 31 + c.n, c.rank);
    std::vector<Fraction> want, got;
    ASSERT_EQ(BerkowitzCharacteristicPolynomial(a, want, none), ResultCode::Ok);
    EXPECT_EQ(IntegerCharacteristicPolynomial(a, got, none), ResultCode::Ok);
    EXPECT_EQ(got, want) << c.n << " " << c.range;
  }
  std::vector<Fraction> zero;
  EXPECT_EQ(IntegerCharacteristicPolynomial(IntegerMatrix(9, 9), zero, none), ResultCode::Ok);
  EXPECT_EQ(zero.size(), 10u);
  EXPECT_EQ(zero[0].num, BigInteger(1));
  for (size_t k = 1; k < zero.size(); ++k) EXPECT_TRUE(zero[k].num.IsZero());
}

// A 14x14 matrix from a linear congruential generator over 3, right-hand
// side ((5i mod 11) - 5)/2; reference values from sympy.
TEST(ExactKernels, KnownValues) {
  IntegerMatrix a(14, 14);
  uint64_t state = 1;
  for (BigInteger& v : a.e) {
    state = (state * 1103515245 + 12345) % (1ull << 31);
    v = BigInteger(static_cast<long>(state % 199) - 99);
  }
  a.denominator = BigInteger(3);
  IntegerMatrix b(14, 1);
  for (int i = 0; i < 14; ++i) b.at(i, 0) = BigInteger((5 * i) % 11 - 5);
  b.denominator = BigInteger(2);

  Fraction det;
  ASSERT_EQ(IntegerInverse(a, det, nullptr, none), ResultCode::Ok);
  EXPECT_EQ(det.ToString(), "5384304954984280269561682478/1594323");
  std::vector<Fraction> c;
  ASSERT_EQ(IntegerCharacteristicPolynomial(a, c, none), ResultCode::Ok);
  EXPECT_EQ(c[1].ToString(), "151/3");
  EXPECT_EQ(c[7].ToString(), "-3455293065688126/2187");
  EXPECT_EQ(c[14].ToString(), "5384304954984280269561682478/1594323");
  IntegerSolveResult s;
  ASSERT_EQ(SolveSystem(a, b, s, none), ResultCode::Ok);
  Fraction x0{s.x.at(0, 0), s.x.denominator}, x13{s.x.at(13, 0), s.x.denominator};
  ASSERT_EQ(Reduce(x0), ResultCode::Ok);
  ASSERT_EQ(Reduce(x13), ResultCode::Ok);
  EXPECT_EQ(x0.ToString(), "173532119406366619415672901/769186422140611467080240354");
  EXPECT_EQ(x13.ToString(), "-1776556978788719760076805695/384593211070305733540120177");
}

// Q answered at the first, a middle and a late poll: the result is code -1
// and the caller's values are left as they were.
TEST(ExactKernels, QuitStopsLargeDeterminant) {
  const IntegerMatrix a = Random(400, 400, "99", 1, 400);
  for (int after : {1, 5, 40}) {
    FakeInterrupt quit('Q', after, false);
    Fraction det{BigInteger(7), BigInteger(1)};
    const ResultCode rc = IntegerInverse(a, det, nullptr, quit);
    EXPECT_EQ(rc, ResultCode::Stopped) << after;
    EXPECT_EQ(det, (Fraction{BigInteger(7), BigInteger(1)}));
    EXPECT_EQ(quit.polls, after);
  }
}

// Q at every poll of a small determinant, the last ones inside the power of
// the denominator: the answer is Stopped with det untouched, never a value.
// det([1 2 0; 3 -1 4; 2 5 1] / 2) = -11 / 2^3 by cofactors.
TEST(ExactKernels, QuitAtAnyPollNeverGivesWrongDeterminant) {
  IntegerMatrix a(3, 3);
  const int e[] = {1, 2, 0, 3, -1, 4, 2, 5, 1};
  for (int k = 0; k < 9; ++k) a.e[k] = BigInteger(e[k]);
  a.denominator = BigInteger(2);
  FakeInterrupt count;
  Fraction det;
  ASSERT_EQ(IntegerInverse(a, det, nullptr, count), ResultCode::Ok);
  EXPECT_EQ(det, (Fraction{BigInteger(-11), BigInteger(8)}));
  for (int after = 1; after <= count.polls; ++after) {
    FakeInterrupt quit('Q', after, false);
    Fraction kept{BigInteger(7), BigInteger(1)};
    const ResultCode rc = IntegerInverse(a, kept, nullptr, quit);
    EXPECT_EQ(rc, ResultCode::Stopped) << after;
    EXPECT_EQ(kept, (Fraction{BigInteger(7), BigInteger(1)})) << after;
  }
}

}  // namespace
}  // namespace tavrin

namespace tavrin {
namespace {

// Random residues modulo p, a share of them zero; `copies` > 0 repeats the
// first row further down (a singular matrix).
void FillModular(nmod_mat_struct* m, uint32_t seed, int zeroPercent, int copies) {
  std::mt19937_64 g(seed);
  for (long i = 0; i < m->r; ++i)
    for (long j = 0; j < m->c; ++j)
      nmod_mat_entry(m, i, j) = static_cast<int>(g() % 100) < zeroPercent ? 0 : g() % m->mod.n;
  for (int k = 1; k <= copies && k < m->r; ++k)
    for (long j = 0; j < m->c; ++j) nmod_mat_entry(m, m->r - k, j) = nmod_mat_entry(m, 0, j);
}

mp_limb_t PermutationSign(const std::vector<long>& perm, mp_limb_t p) {
  std::vector<char> seen(perm.size(), 0);
  bool odd = false;
  for (size_t i = 0; i < perm.size(); ++i) {
    if (seen[i]) continue;
    size_t length = 0;
    for (size_t j = i; !seen[j]; j = static_cast<size_t>(perm[j])) seen[j] = 1, ++length;
    odd ^= (length % 2 == 0);
  }
  return odd ? p - 1 : 1;
}

// The pieces against FLINT's single calls on the same residues.
TEST(ModularPieces, BlockedLuGivesFlintsDeterminant) {
  struct Row {
    long n, block;
    int zeroPercent, copies;
  };
  const Row rows[] = {{1, 1, 0, 0},   {2, 1, 50, 0},  {7, 3, 60, 0},   {50, 16, 0, 0},
                      {50, 16, 0, 1}, {130, 8, 90, 0}, {370, 128, 0, 0}, {97, 128, 30, 2}};
  modular::PrimeSequence primes(59);
  for (const Row& r : rows) {
    const mp_limb_t p = primes.Next();
    modular::NmodMatrix a(r.n, r.n, p);
    FillModular(a.get(), static_cast<uint32_t>(r.n * 7 + r.block), r.zeroPercent, r.copies);
    const mp_limb_t want = nmod_mat_det(a.get());
    std::vector<long> perm;
    bool nonsingular = false;
    ASSERT_EQ(modular::BlockedLu(a.get(), perm, r.block, nonsingular, none), ResultCode::Ok);
    EXPECT_EQ(nonsingular, want != 0) << r.n;
    if (!nonsingular) continue;
    mp_limb_t det = PermutationSign(perm, p);
    for (long i = 0; i < r.n; ++i) det = nmod_mul(det, a.at(i, i), a.get()->mod);
    EXPECT_EQ(det, want) << r.n << " " << r.block;
  }
}

TEST(ModularPieces, HessenbergGivesFlintsCharpoly) {
  modular::PrimeSequence primes(62);
  for (long n : {1L, 2L, 5L, 40L, 90L})
    for (int zeroPercent : {0, 85}) {
      const mp_limb_t p = primes.Next();
      modular::NmodMatrix a(n, n, p);
      FillModular(a.get(), static_cast<uint32_t>(n + zeroPercent), zeroPercent, 0);
      nmod_poly_t want;
      nmod_poly_init(want, p);
      nmod_mat_charpoly(want, a.get());
      std::vector<mp_limb_t> got;
      ASSERT_EQ(modular::HessenbergCharpoly(a.get(), got, true, none), ResultCode::Ok);
      ASSERT_EQ(got.size(), static_cast<size_t>(n + 1));
      for (long k = 0; k <= n; ++k) EXPECT_EQ(got[k], nmod_poly_get_coeff_ui(want, k)) << n << " " << k;
      nmod_poly_clear(want);
    }
}

}  // namespace
}  // namespace tavrin

namespace tavrin {
namespace {

// The factors, in FLINT's or in our blocked layout, give FLINT's inverse
// band by band and A^-1 v one vector at a time.
TEST(ModularPieces, LuFactorsGiveFlintsInverse) {
  modular::PrimeSequence primes(59);
  for (int n : {5, 70, 150})
    for (long blockedFrom : {0L, 500L}) {
      const IntegerMatrix a = Random(n, n, "1000", 1, static_cast<uint32_t>(n));
      const mp_limb_t p = primes.Next();
      modular::NmodMatrix reduced(n, n, p), want(n, n, p), got(n, n, p);
      const modular::Numerators numerators(a);
      numerators.Reduce(reduced.get());
      ASSERT_TRUE(nmod_mat_inv(want.get(), reduced.get()));
      modular::ModularLu lu(n, p);
      ASSERT_EQ(lu.Factor(numerators, none, blockedFrom), ResultCode::Ok);
      ASSERT_TRUE(lu.nonsingular());
      EXPECT_EQ(lu.determinant(), nmod_mat_det(reduced.get()));
      for (int j = 0; j < n; j += 64) lu.InverseColumns(j, std::min(n, j + 64), got.get());
      EXPECT_TRUE(nmod_mat_equal(got.get(), want.get())) << n << " " << blockedFrom;
      std::vector<mp_limb_t> unit(n, 0), column;
      unit[n - 1] = 1;
      lu.Solve(unit, column);
      for (int i = 0; i < n; ++i) EXPECT_EQ(column[i], want.at(i, n - 1)) << n;
    }
}

}  // namespace
}  // namespace tavrin

namespace tavrin {
namespace {

// FLINT's allocations fail after a set number: the kernels report code 3,
// leave the caller's values alone, and the next computation is right.
long g_allocationsLeft = 0;
void* (*g_allocate)(size_t);
void* (*g_allocateZeroed)(size_t, size_t);
void* (*g_reallocate)(void*, size_t);
void (*g_release)(void*);
void Spend() {
  if (--g_allocationsLeft < 0) throw std::bad_alloc();
}
void* FailingAllocate(size_t n) { return Spend(), g_allocate(n); }
void* FailingAllocateZeroed(size_t n, size_t size) { return Spend(), g_allocateZeroed(n, size); }
void* FailingReallocate(void* p, size_t n) { return Spend(), g_reallocate(p, n); }

TEST(ExactKernels, FailedFlintAllocationIsLowMemory) {
  const IntegerMatrix a = Random(40, 40, "99", 1, 3);
  Fraction want;
  IntegerMatrix wantInverse;
  ASSERT_EQ(IntegerInverse(a, want, &wantInverse, none), ResultCode::Ok);
  std::vector<Fraction> wantPolynomial;
  ASSERT_EQ(IntegerCharacteristicPolynomial(a, wantPolynomial, none), ResultCode::Ok);
  __flint_get_memory_functions(&g_allocate, &g_allocateZeroed, &g_reallocate, &g_release);
  for (long left : {0L, 1L, 2L, 6L}) {
    g_allocationsLeft = left;
    __flint_set_memory_functions(FailingAllocate, FailingAllocateZeroed, FailingReallocate, g_release);
    Fraction det{BigInteger(7), BigInteger(1)};
    IntegerMatrix inverse;
    const ResultCode inverseCode = IntegerInverse(a, det, &inverse, none);
    g_allocationsLeft = left;
    std::vector<Fraction> polynomial;
    const ResultCode polynomialCode = IntegerCharacteristicPolynomial(a, polynomial, none);
    __flint_set_memory_functions(g_allocate, g_allocateZeroed, g_reallocate, g_release);
    EXPECT_EQ(inverseCode, ResultCode::LowMemory) << left;
    EXPECT_EQ(det, (Fraction{BigInteger(7), BigInteger(1)}));
    EXPECT_EQ(inverse, IntegerMatrix());
    EXPECT_EQ(polynomialCode, ResultCode::LowMemory) << left;
    EXPECT_TRUE(polynomial.empty());
  }
  Fraction det;
  IntegerMatrix inverse;
  EXPECT_EQ(IntegerInverse(a, det, &inverse, none), ResultCode::Ok);
  EXPECT_EQ(det, want);
  EXPECT_EQ(inverse, wantInverse);
}

}  // namespace
}  // namespace tavrin
