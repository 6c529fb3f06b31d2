// The modular kernels against the fraction-free ones on fixed-seed random
// inputs (the results must be identical), against values worked out with
// sympy, and the Q key on a large determinant.
#include "engine/ExactKernels.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>

#include "core/PollKey.h"
#include "engine/CharacteristicPolynomial.h"
#include "engine/Elimination.h"

namespace tavrin {
namespace {

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
    {18, "5", 4, 0},    {33, "99", 1, 32},      {60, "99", 1, -1},
};

TEST(ExactKernels, DeterminantAndInverseMatchFractionFree) {
  for (const Case& c : kCases) {
    const IntegerMatrix a = Random(c.n, c.n, c.range, c.denominator, 11 + c.n);
    Fraction want, got;
    const ResultCode wantCode = FractionFreeInverse(a, want, nullptr);
    EXPECT_EQ(IntegerInverse(a, got, nullptr), wantCode) << c.n;
    EXPECT_EQ(got, want) << c.n << " " << c.range;
    IntegerMatrix wantInverse, gotInverse;
    EXPECT_EQ(IntegerInverse(a, got, &gotInverse), FractionFreeInverse(a, want, &wantInverse));
    EXPECT_EQ(got, want) << c.n;
    EXPECT_EQ(gotInverse, wantInverse) << c.n << " " << c.range;
    if (c.rank >= 0) {
      const IntegerMatrix s = Random(c.n, c.n, c.range, c.denominator, 5, c.rank);
      IntegerMatrix untouched = Random(2, 2, "9", 1, 2), inv = untouched;
      EXPECT_EQ(IntegerInverse(s, got, nullptr), code::kSingular) << c.n;
      EXPECT_EQ(got, (Fraction{BigInteger(0), BigInteger(1)}));
      EXPECT_EQ(IntegerInverse(s, got, &inv), code::kSingular) << c.n;
      EXPECT_EQ(inv, untouched);
    }
  }
}

TEST(ExactKernels, SolveAndRankMatchFractionFree) {
  for (const Case& c : kCases) {
    const IntegerMatrix a = Random(c.n, c.n, c.range, c.denominator, 21 + c.n, c.rank);
    for (const IntegerMatrix& b : {Random(c.n, 1, "50", 3, 99), IntegerMatrix(), Random(c.n, 1, "0", 1, 1)}) {
      IntegerSolveResult want, got;
      const ResultCode wantCode = FractionFreeSolve(a, b, want);
      EXPECT_EQ(SolveSystem(a, b, got), wantCode) << c.n;
      EXPECT_EQ(got.rank, want.rank) << c.n;
      EXPECT_EQ(got.x, want.x) << c.n << " " << c.range;
      EXPECT_EQ(got.k, want.k) << c.n;
    }
    int rank = -1;
    EXPECT_EQ(IntegerRank(a, rank), 0);
    EXPECT_EQ(rank, c.rank < 0 ? c.n : c.rank) << c.n;
  }
}

TEST(ExactKernels, CharacteristicPolynomialMatchesBerkowitz) {
  for (const Case& c : kCases) {
    if (c.n > 40) continue;
    const IntegerMatrix a = Random(c.n, c.n, c.range, c.denominator, 31 + c.n, c.rank);
    std::vector<Fraction> want, got;
    ASSERT_EQ(BerkowitzCharacteristicPolynomial(a, want), 0);
    EXPECT_EQ(IntegerCharacteristicPolynomial(a, got), 0);
    EXPECT_EQ(got, want) << c.n << " " << c.range;
  }
  std::vector<Fraction> zero;
  EXPECT_EQ(IntegerCharacteristicPolynomial(IntegerMatrix(9, 9), zero), 0);
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
  ASSERT_EQ(IntegerInverse(a, det, nullptr), 0);
  EXPECT_EQ(det.ToString(), "5384304954984280269561682478/1594323");
  std::vector<Fraction> c;
  ASSERT_EQ(IntegerCharacteristicPolynomial(a, c), 0);
  EXPECT_EQ(c[1].ToString(), "151/3");
  EXPECT_EQ(c[7].ToString(), "-3455293065688126/2187");
  EXPECT_EQ(c[14].ToString(), "5384304954984280269561682478/1594323");
  IntegerSolveResult s;
  ASSERT_EQ(SolveSystem(a, b, s), 0);
  Fraction x0{s.x.at(0, 0), s.x.denominator}, x13{s.x.at(13, 0), s.x.denominator};
  ASSERT_EQ(Reduce(x0), 0);
  ASSERT_EQ(Reduce(x13), 0);
  EXPECT_EQ(x0.ToString(), "173532119406366619415672901/769186422140611467080240354");
  EXPECT_EQ(x13.ToString(), "-1776556978788719760076805695/384593211070305733540120177");
}

std::atomic<int> g_polls{0};
int g_quitAfter = 0;
int QuitAfterSomePolls() { return ++g_polls >= g_quitAfter ? 'Q' : 0; }

// Q answered at the first, a middle and a late poll: the result is code -1
// and the caller's values are left as they were.
TEST(ExactKernels, QuitStopsLargeDeterminant) {
  const IntegerMatrix a = Random(400, 400, "99", 1, 400);
  for (int after : {1, 5, 40}) {
    g_polls = 0;
    g_quitAfter = after;
    SetKeySource(QuitAfterSomePolls);
    Fraction det{BigInteger(7), BigInteger(1)};
    const ResultCode rc = IntegerInverse(a, det, nullptr);
    SetKeySource(nullptr);
    EXPECT_EQ(rc, code::kInterrupted) << after;
    EXPECT_EQ(det, (Fraction{BigInteger(7), BigInteger(1)}));
    EXPECT_EQ(g_polls.load(), after);
  }
}

}  // namespace
}  // namespace tavrin
