#include "engine/Elimination.h"

#include <gtest/gtest.h>

#include "MatrixBuilders.h"

#include <cmath>
#include <limits>
#include <random>

#include "core/Thresholds.h"
#include "FakeInterrupt.h"

namespace tavrin {
namespace {

NoInterrupt none;



void ExpectNear(Complex a, Complex b, long double tol, const char* what) {
  EXPECT_NEAR(static_cast<double>(a.re), static_cast<double>(b.re), static_cast<double>(tol)) << what;
  EXPECT_NEAR(static_cast<double>(a.im), static_cast<double>(b.im), static_cast<double>(tol)) << what;
}

// ---- real and complex determinant and inverse ----

TEST(DeterminantAndInverse, SmallEdgeCases) {
  Complex det(9, 9);
  ComplexMatrix inv;
  EXPECT_EQ(DeterminantAndInverse(Real(1, 1, {0}), det, &inv, none), ResultCode::Singular);
  EXPECT_EQ(det, kComplexZero);

  EXPECT_EQ(DeterminantAndInverse(Real(1, 1, {5}), det, &inv, none), ResultCode::Ok);
  EXPECT_EQ(det, Complex(5));
  ExpectNear(inv.at(0, 0), Complex(0.2L), 1e-18L, "1/5");

  // A swap is needed: determinant -1 and the matrix is its own inverse.
  const ComplexMatrix swap = Real(2, 2, {0, 1, 1, 0});
  EXPECT_EQ(DeterminantAndInverse(swap, det, &inv, none), ResultCode::Ok);
  EXPECT_EQ(det, Complex(-1));
  EXPECT_EQ(inv, swap);

  // The determinant's threshold is 1e-16, so this is not singular.
  EXPECT_EQ(DeterminantAndInverse(Real(2, 2, {1, 1, 1, 1.00001L}), det, nullptr, none), ResultCode::Ok);
  EXPECT_NEAR(static_cast<double>(det.re), 0.00001, 1e-15);

  EXPECT_EQ(DeterminantAndInverse(Real(3, 3, {0, 0, 0, 0, 0, 0, 0, 0, 0}), det, &inv, none), ResultCode::Singular);
  EXPECT_EQ(DeterminantAndInverse(Real(2, 2, {1, 2, 2, 4}), det, &inv, none), ResultCode::Singular);
  EXPECT_EQ(det, kComplexZero);
}

TEST(DeterminantAndInverse, BadShapesAndValues) {
  Complex det;
  ComplexMatrix inv;
  EXPECT_EQ(DeterminantAndInverse(ComplexMatrix(), det, &inv, none), ResultCode::Incompatible);
  EXPECT_EQ(DeterminantAndInverse(ComplexMatrix(2, 3), det, &inv, none), ResultCode::Incompatible);
  const long double inf = std::numeric_limits<long double>::infinity();
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  EXPECT_EQ(DeterminantAndInverse(Real(2, 2, {1, inf, 0, 1}), det, &inv, none), ResultCode::CouldNotCalculate);
  EXPECT_EQ(DeterminantAndInverse(Real(2, 2, {1, 0, nan, 1}), det, nullptr, none), ResultCode::CouldNotCalculate);
  ComplexMatrix c(1, 1);
  c.e()[0] = Complex(1, nan);
  EXPECT_EQ(DeterminantAndInverse(c, det, &inv, none), ResultCode::CouldNotCalculate);
}

TEST(DeterminantAndInverse, FourByFourAgainstExactAdjugate) {
  const ComplexMatrix a = Real(4, 4, {2, -1, 0, 3, 1, 4, 2, -2, 0, 3, 5, 1, 4, 0, -3, 2});
  const ComplexMatrix before = a;
  // det 36 and adjugate worked out in exact rational arithmetic.
  const long adj[16] = {58, 40, -34, -30, -61, -34, 37, 39, 46, 28, -22, -30, -47, -38, 35, 33};
  Complex det;
  ComplexMatrix inv;
  ASSERT_EQ(DeterminantAndInverse(a, det, &inv, none), ResultCode::Ok);
  EXPECT_NEAR(static_cast<double>(det.re), 36.0, 1e-14);
  for (int i = 0; i < 16; ++i) ExpectNear(inv.e()[i], Complex(adj[i] / 36.0L), 1e-16L, "inverse entry");
  EXPECT_EQ(a, before);
}

TEST(DeterminantAndInverse, Complex2x2) {
  ComplexMatrix a(2, 2);
  a.e() = {Complex(1, 1), Complex(2), Complex(3), Complex(4, -1)};
  // det = (1+i)(4-i) - 6 = -1 + 3i; inverse = adj / det.
  Complex det;
  ComplexMatrix inv;
  ASSERT_EQ(DeterminantAndInverse(a, det, &inv, none), ResultCode::Ok);
  ExpectNear(det, Complex(-1, 3), 1e-17L, "det");
  const Complex d(-1, 3);
  const Complex adj[4] = {Complex(4, -1), Complex(-2), Complex(-3), Complex(1, 1)};
  // 1/(-1+3i) = (-1-3i)/10
  const Complex r(-0.1L, -0.3L);
  for (int i = 0; i < 4; ++i) ExpectNear(inv.e()[i], adj[i] * r, 1e-17L, "complex inverse");
  (void)d;
}

// Tiny accepted pivots are inverted exactly and the largest entry of each
// column is the pivot. Determinants from sympy's exact arithmetic.
TEST(DeterminantAndInverse, TinyPivotsAreInvertedExactly) {
  struct Case {
    ComplexMatrix a;
    long double det;
  };
  const Case cases[] = {
      {Real(2, 2, {1e-9L, 1, 1, 1}), -0.999999999L},
      {Real(2, 2, {1e-12L, 2, 3, 4}), -6 + 4e-12L},
      {Real(3, 3, {1e-10L, 1, 0, 1, 1e-10L, 1, 0, 1, 1e-10L}), 1e-30L - 2e-10L},
      {Real(2, 2, {1e-15L, 0, 0, 1e-15L}), 1e-30L},
  };
  for (const Case& t : cases) {
    Complex det;
    ComplexMatrix inv;
    ASSERT_EQ(DeterminantAndInverse(t.a, det, &inv, none), ResultCode::Ok);
    EXPECT_NEAR(static_cast<double>(det.re / t.det), 1.0, 1e-9);
    const int n = t.a.rows;
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) {
        Complex s;
        for (int k = 0; k < n; ++k) s += t.a.at(i, k) * inv.at(k, j);
        EXPECT_NEAR(static_cast<double>(s.re), i == j ? 1.0 : 0.0, 1e-8) << i << "," << j;
      }
  }
}

// The 8x8 Hilbert matrix (condition about 1.5e10): its exact inverse has
// integer entries (sympy); long double gets them to about 1e-9.
TEST(DeterminantAndInverse, HilbertEight) {
  ComplexMatrix h(8, 8);
  for (int i = 0; i < 8; ++i)
    for (int j = 0; j < 8; ++j) h.at(i, j) = Complex(1.0L / (i + j + 1));
  Complex det;
  ComplexMatrix inv;
  ASSERT_EQ(DeterminantAndInverse(h, det, &inv, none), ResultCode::Ok);
  EXPECT_NEAR(static_cast<double>(inv.at(7, 7).re / 176679360.0L), 1.0, 1e-8);
  EXPECT_NEAR(static_cast<double>(inv.at(3, 4).re / -800415000.0L), 1.0, 1e-8);
  // det = 1 / 365356847125734485878112256000000
  EXPECT_NEAR(static_cast<double>(det.re * 365356847125734485878112256000000.0L), 1.0, 1e-7);
}

// A complex matrix takes the complex path: inverse(iA) = -i inverse(A).
TEST(DeterminantAndInverse, ComplexPathAgreesWithRealPath) {
  std::mt19937 gen(7);
  std::uniform_int_distribution<int> dist(-50, 50);
  const int n = 9;
  ComplexMatrix a(n, n), ia(n, n);
  for (size_t i = 0; i < a.e().size(); ++i) {
    a.e()[i] = Complex(dist(gen) / 7.0L);
    ia.e()[i] = Complex(0, a.e()[i].re);
  }
  Complex det, idet;
  ComplexMatrix inv, iinv;
  ASSERT_EQ(DeterminantAndInverse(a, det, &inv, none), ResultCode::Ok);
  ASSERT_EQ(DeterminantAndInverse(ia, idet, &iinv, none), ResultCode::Ok);
  // i^9 = i
  ExpectNear(idet, Complex(0, det.re), 1e-15L * std::fabs(det.re), "det");
  for (size_t i = 0; i < inv.e().size(); ++i) ExpectNear(iinv.e()[i], Complex(0, -inv.e()[i].re), 1e-15L, "inverse");
}

TEST(DeterminantAndInverse, StopKeyReturnsNothing) {
  ComplexMatrix a(300, 300);
  for (int i = 0; i < 300; ++i) a.at(i, i) = Complex(2);
  for (int key : {'Q', 'S'}) {
    FakeInterrupt key1(key);
    Complex det(7);
    ComplexMatrix inv;
    EXPECT_EQ(DeterminantAndInverse(a, det, &inv, key1), ResultCode::Stopped);
    EXPECT_EQ(det, kComplexZero);
    EXPECT_EQ(inv.size(), 0u);
    FakeInterrupt key2(key);
    SolveResult r;
    EXPECT_EQ(SolveSystem(a, ComplexMatrix(), 1e-4L, r, key2), ResultCode::Stopped);
    FakeInterrupt key3(key);
    EXPECT_EQ(Rank(a, 1e-4L, key3), -1);
  }
}

// A stop at any poll of the inverse (in the panels, between slices of the
// trailing update and of the two triangular solves) reports -1 and stores
// nothing: the determinant is zero, the copying routine's output untouched.
// Every poll at n = 100; at sizes where the slices split, the last poll
// and one a third of the way.
TEST(DeterminantAndInverse, StopAtAnyPollStoresNothing) {
  struct Case {
    int n;
    bool complex;
    bool everyPoll;
  };
  for (const Case c : {Case{100, false, true}, Case{100, true, true}, Case{250, true, false}, Case{600, false, false}}) {
    std::mt19937 gen(c.n);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    ComplexMatrix a(c.n, c.n);
    for (Complex& z : a.e()) z = Complex(dist(gen), c.complex ? dist(gen) : 0.0);
    FakeInterrupt counter(0);
    Complex det0;
    ComplexMatrix inv0;
    ASSERT_EQ(DeterminantAndInverse(a, det0, &inv0, counter), ResultCode::Ok);
    const int polls = counter.polls;
    ASSERT_GT(polls, c.n / 8) << c.n;
    for (int k = 1; k <= polls; ++k) {
      if (!c.everyPoll && k != polls / 3 && k != polls) continue;
      Complex det(7);
      if (c.everyPoll || k < polls) {
        FakeInterrupt key(k % 2 ? 'Q' : 'S', k);
        ComplexMatrix inv = Real(1, 1, {9});
        EXPECT_EQ(DeterminantAndInverse(a, det, &inv, key), ResultCode::Stopped) << c.n << " poll " << k;
        EXPECT_EQ(det, kComplexZero);
        EXPECT_EQ(inv, Real(1, 1, {9}));
      }
      if (c.everyPoll || k == polls) {
        FakeInterrupt key(k % 2 ? 'Q' : 'S', k);
        ComplexMatrix m = a;
        det = Complex(7);
        EXPECT_EQ(InvertInPlace(m, det, key), ResultCode::Stopped) << c.n << " poll " << k;
        EXPECT_EQ(det, kComplexZero);
        EXPECT_EQ(m.rows, c.n);
      }
    }
    if (!c.everyPoll) continue;
    // A key after the last poll is never seen: the same inverse as unasked.
    FakeInterrupt late('Q', polls + 1);
    ComplexMatrix m = a;
    Complex det;
    ASSERT_EQ(InvertInPlace(m, det, late), ResultCode::Ok);
    EXPECT_EQ(late.polls, polls);
    EXPECT_EQ(det, det0);
    EXPECT_EQ(m, inv0);
  }
}

// ---- real and complex solver ----

// Decisions scale with the data: the same system times 10^k has the same
// rank and the same verdict. Solutions worked out by hand.
TEST(SolveSystem, ScaledSystems) {
  struct Case {
    ComplexMatrix a, b;
    long double tolerance;
    ResultCode code;
    int rank;
    std::vector<long double> x;
  };
  const Case cases[] = {
      // col 3 = col 1 + col 2 and b = -6 col 1: consistent, rank 2.
      {Real(3, 3, {31, 3, 34, 33, 4, 37, 0, 36, 36}), Real(3, 1, {-186, -198, 0}), ZeroTolerance(5), ResultCode::Ok, 2,
       {-6, 0, 0}},
      {Real(3, 3, {31, 3, 34, 33, 4, 37, 0, 36, 36}), Real(3, 1, {-186, -198, 1}), ZeroTolerance(5), ResultCode::InconsistentData, 2, {}},
      // A tiny accepted pivot: x = y = 1 (the pivot 1e-9 is above 1e-11).
      {Real(2, 2, {1, 1, 1, 1.000000001L}), Real(2, 1, {2, 2.000000001L}), ZeroTolerance(10), ResultCode::Ok, 2, {1, 1}},
      {Real(2, 2, {1e-9L, 1, 1, 1}), Real(2, 1, {1, 2}), ZeroTolerance(5), ResultCode::Ok, 2,
       {1 / (1 - 1e-9L), (1 - 2e-9L) / (1 - 1e-9L)}},
  };
  for (const Case& t : cases) {
    for (long double scale : {1e-8L, 1.0L, 1e3L, 1e8L}) {
      ComplexMatrix a = t.a, b = t.b;
      for (Complex& z : a.e()) z.re *= scale;
      for (Complex& z : b.e()) z.re *= scale;
      SolveResult r;
      ASSERT_EQ(SolveSystem(a, b, t.tolerance, r, none), t.code) << static_cast<double>(scale);
      EXPECT_EQ(r.rank, t.rank);
      for (size_t i = 0; i < t.x.size(); ++i)
        EXPECT_NEAR(static_cast<double>(r.x.e()[i].re), static_cast<double>(t.x[i]), 1e-9);
    }
  }
}

TEST(SolveSystem, RankDependsOnTolerance) {
  const ComplexMatrix a = Real(2, 2, {1, 1, 1, 1.00001L});
  EXPECT_EQ(Rank(a, ZeroTolerance(3), none), 1);
  EXPECT_EQ(Rank(a, ZeroTolerance(8), none), 2);
  EXPECT_EQ(Rank(Real(2, 2, {0, 0, 0, 0}), ZeroTolerance(3), none), 0);
}

TEST(SolveSystem, FreeColumnInTheMiddle) {
  SolveResult r;
  ASSERT_EQ(SolveSystem(Real(2, 3, {1, 2, 3, 2, 4, 7}), ComplexMatrix(), ZeroTolerance(3), r, none), ResultCode::Ok);
  EXPECT_EQ(r.rank, 2);
  ASSERT_EQ(r.k.rows, 3);
  ASSERT_EQ(r.k.cols, 1);
  ExpectNear(r.k.at(0, 0), Complex(-2), 1e-17L, "k0");
  ExpectNear(r.k.at(1, 0), Complex(1), 0, "k1");
  ExpectNear(r.k.at(2, 0), Complex(0), 1e-17L, "k2");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(r.x.at(i, 0), kComplexZero);
}

TEST(SolveSystem, KernelColumnsInOrderOfFreeUnknowns) {
  // x0 + 2x1 + 3x3 = 5, x2 + 4x3 = 6: free unknowns 1 and 3.
  SolveResult r;
  ASSERT_EQ(SolveSystem(Real(2, 4, {1, 2, 0, 3, 0, 0, 1, 4}), Real(2, 1, {5, 6}), 1e-4L, r, none), ResultCode::Ok);
  EXPECT_EQ(r.rank, 2);
  const long double x[4] = {5, 0, 6, 0};
  const long double k[8] = {-2, -3, 1, 0, 0, -4, 0, 1};
  for (int i = 0; i < 4; ++i) ExpectNear(r.x.e()[i], Complex(x[i]), 0, "x");
  for (int i = 0; i < 8; ++i) ExpectNear(r.k.e()[i], Complex(k[i]), 0, "k");
}

TEST(SolveSystem, UniqueSolutionAndConsistency) {
  SolveResult r;
  const ComplexMatrix a = Real(3, 3, {2, 1, -1, -3, -1, 2, -2, 1, 2});
  const ComplexMatrix b = Real(3, 1, {8, -11, -3});
  ASSERT_EQ(SolveSystem(a, b, 1e-4L, r, none), ResultCode::Ok);
  EXPECT_EQ(r.rank, 3);
  EXPECT_EQ(r.k.cols, 0);
  const long double x[3] = {2, 3, -1};
  for (int i = 0; i < 3; ++i) ExpectNear(r.x.e()[i], Complex(x[i]), 1e-17L, "x");

  // The rows left over are compared with the tolerance times the size of
  // the data: 1e-10 is nothing at four places, but inconsistent at twelve.
  EXPECT_EQ(SolveSystem(Real(2, 2, {1, 1, 1, 1}), Real(2, 1, {1, 1 + 1e-10L}), 1e-4L, r, none), ResultCode::Ok);
  EXPECT_EQ(SolveSystem(Real(2, 2, {1, 1, 1, 1}), Real(2, 1, {1, 1 + 1e-10L}), 1e-13L, r, none), ResultCode::InconsistentSystem);
  EXPECT_EQ(r.rank, 1);
  EXPECT_EQ(SolveSystem(Real(2, 2, {1, 1, 1, 1}), Real(2, 1, {1, 1}), 1e-4L, r, none), ResultCode::Ok);
}

TEST(SolveSystem, BadInputAndCopies) {
  SolveResult r;
  EXPECT_EQ(SolveSystem(ComplexMatrix(), ComplexMatrix(), 1e-4L, r, none), ResultCode::Incompatible);
  EXPECT_EQ(SolveSystem(Real(2, 2, {1, 0, 0, 1}), Real(3, 1, {1, 2, 3}), 1e-4L, r, none), ResultCode::Incompatible);
  EXPECT_EQ(SolveSystem(Real(1, 1, {std::numeric_limits<long double>::infinity()}), ComplexMatrix(), 1e-4L, r, none), ResultCode::CouldNotCalculate);
  const ComplexMatrix a = Real(2, 2, {0, 3, 4, 5}), b = Real(2, 1, {1, 2});
  const ComplexMatrix a0 = a, b0 = b;
  ASSERT_EQ(SolveSystem(a, b, 1e-4L, r, none), ResultCode::Ok);
  EXPECT_EQ(a, a0);
  EXPECT_EQ(b, b0);
}

// ---- integer mode ----

TEST(IntegerInverse, Diagonal) {
  Fraction det;
  IntegerMatrix inv;
  ASSERT_EQ(IntegerInverse(Int(2, 2, {2, 0, 0, 4}), det, &inv, none), ResultCode::Ok);
  EXPECT_EQ(det.ToString(), "8");
  EXPECT_EQ(Numerators(inv), (std::vector<long>{2, 0, 0, 1}));
  EXPECT_EQ(inv.denominator.ToString(), "4");
}

TEST(IntegerInverse, FiveByFiveOverDenominatorAgainstExactValues) {
  const IntegerMatrix a =
      Int(5, 5, {3, 1, 4, 1, 5, 9, 2, 6, 5, 3, 5, 8, 9, 7, 9, 3, 2, 3, 8, 4, 6, 2, 6, 4, 3}, 3);
  const IntegerMatrix before = a;
  Fraction det;
  IntegerMatrix inv;
  ASSERT_EQ(IntegerInverse(a, det, &inv, none), ResultCode::Ok);
  EXPECT_EQ(det.ToString(), "-1813/243");
  EXPECT_EQ(inv.denominator.ToString(), "1813");
  EXPECT_EQ(Numerators(inv), (std::vector<long>{144, 1953, 69, -297, -2004, -1143, 1155, 1152, -702,
                                                -1770, -222, -2331, -333, -222, 3996, -432, -420, -207,
                                                891, 573, 1494, 546, 36, 318, -1755}));
  EXPECT_EQ(a, before);
}

TEST(IntegerInverse, SingularAndBadInput) {
  Fraction det{BigInteger(5), BigInteger(7)};
  IntegerMatrix inv;
  EXPECT_EQ(IntegerInverse(Int(1, 1, {0}), det, &inv, none), ResultCode::Singular);
  EXPECT_EQ(det.ToString(), "0");
  EXPECT_EQ(IntegerInverse(Int(3, 3, {1, 2, 3, 2, 4, 6, 0, 1, 1}), det, &inv, none), ResultCode::Singular);
  EXPECT_EQ(IntegerInverse(Int(2, 2, {0, 0, 0, 0}), det, nullptr, none), ResultCode::Singular);
  EXPECT_EQ(IntegerInverse(IntegerMatrix(), det, &inv, none), ResultCode::Incompatible);
  EXPECT_EQ(IntegerInverse(IntegerMatrix(2, 3), det, &inv, none), ResultCode::Incompatible);
  ASSERT_EQ(IntegerInverse(Int(1, 1, {-6}, 4), det, &inv, none), ResultCode::Ok);
  EXPECT_EQ(det.ToString(), "-3/2");
  EXPECT_EQ(Numerators(inv), (std::vector<long>{-2}));
  EXPECT_EQ(inv.denominator.ToString(), "3");
}

IntegerMatrix RandomInteger(std::mt19937& gen, int n, long denominator) {
  std::uniform_int_distribution<long> dist(-20, 20);
  IntegerMatrix m(n, n);
  for (auto& x : m.e) x = BigInteger(dist(gen));
  m.denominator = BigInteger(denominator);
  return m;
}

IntegerMatrix Product(const IntegerMatrix& a, const IntegerMatrix& b) {
  IntegerMatrix p(a.rows, b.cols);
  for (int i = 0; i < a.rows; ++i)
    for (int j = 0; j < b.cols; ++j)
      for (int k = 0; k < a.cols; ++k) p.at(i, j) += a.at(i, k) * b.at(k, j);
  p.denominator = a.denominator * b.denominator;
  return p;
}

TEST(IntegerInverse, RandomMatricesInverseAndProductRule) {
  std::mt19937 gen(2024);
  for (int n = 1; n <= 12; ++n) {
    const IntegerMatrix a = RandomInteger(gen, n, 1 + n % 4);
    const IntegerMatrix b = RandomInteger(gen, n, 1);
    Fraction da, db, dab;
    IntegerMatrix inv;
    ASSERT_EQ(IntegerInverse(a, da, &inv, none), ResultCode::Ok) << n;
    // A * inverse is exactly the identity.
    const IntegerMatrix p = Product(a, inv);
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j)
        ASSERT_EQ(p.at(i, j), i == j ? p.denominator : BigInteger(0)) << n << ": " << i << "," << j;
    ASSERT_EQ(IntegerInverse(b, db, nullptr, none), ResultCode::Ok);
    ASSERT_EQ(IntegerInverse(Product(a, b), dab, nullptr, none), ResultCode::Ok);
    Fraction expect;
    (void)Multiply(da, db, expect);
    EXPECT_EQ(dab, expect) << n;
    EXPECT_GT(dab.den.Sign(), 0);
  }
}

TEST(IntegerInverse, QuitLeavesOutputsUntouched) {
  std::mt19937 gen(5);
  const IntegerMatrix a = RandomInteger(gen, 6, 1);
  Fraction det{BigInteger(42), BigInteger(1)};
  IntegerMatrix inv = Int(1, 1, {9});
  FakeInterrupt key4('Q');
  EXPECT_EQ(IntegerInverse(a, det, &inv, key4), ResultCode::Stopped);
  EXPECT_EQ(det.ToString(), "42");
  EXPECT_EQ(Numerators(inv), (std::vector<long>{9}));
  IntegerSolveResult r;
  r.rank = 77;
  FakeInterrupt key5('Q');
  EXPECT_EQ(SolveSystem(a, IntegerMatrix(), r, key5), ResultCode::Stopped);
  EXPECT_EQ(r.rank, 77);
  // Other keys are ignored.
  FakeInterrupt key6('X');
  EXPECT_EQ(IntegerInverse(a, det, &inv, key6), ResultCode::Ok);
}

TEST(IntegerSolve, FreeColumnInTheMiddle) {
  IntegerSolveResult r;
  ASSERT_EQ(SolveSystem(Int(2, 3, {1, 2, 3, 2, 4, 7}), IntegerMatrix(), r, none), ResultCode::Ok);
  EXPECT_EQ(r.rank, 2);
  EXPECT_EQ(Numerators(r.k), (std::vector<long>{-2, 1, 0}));
  EXPECT_EQ(r.k.denominator.ToString(), "1");
  EXPECT_EQ(Numerators(r.x), (std::vector<long>{0, 0, 0}));
  int rank = 0;
  EXPECT_EQ(IntegerRank(Int(2, 3, {1, 2, 3, 2, 4, 7}), rank, none), ResultCode::Ok);
  EXPECT_EQ(rank, 2);
}

TEST(IntegerSolve, CommonDenominatorsAndScales) {
  // (A/2) X = b/3 with A = [[2, 4, 1], [0, 3, 6]], b = (1, 2):
  // A X = (2/3, 4/3): pivots 0, 1; free unknown 2.
  // x1 = 4/9 - 2 x2, x0 = (2/3 - 4 x1 - x2)/2 = -5/9 + 7/2 x2.
  IntegerSolveResult r;
  ASSERT_EQ(SolveSystem(Int(2, 3, {2, 4, 1, 0, 3, 6}, 2), Int(2, 1, {1, 2}, 3), r, none), ResultCode::Ok);
  EXPECT_EQ(r.rank, 2);
  EXPECT_EQ(Numerators(r.x), (std::vector<long>{-5, 4, 0}));
  EXPECT_EQ(r.x.denominator.ToString(), "9");
  EXPECT_EQ(Numerators(r.k), (std::vector<long>{7, -4, 2}));
  EXPECT_EQ(r.k.denominator.ToString(), "2");
}

TEST(IntegerSolve, RandomSystemsSatisfyTheEquations) {
  std::mt19937 gen(99);
  std::uniform_int_distribution<long> dist(-9, 9);
  for (int trial = 0; trial < 20; ++trial) {
    const int rows = 1 + trial % 6, cols = 1 + (trial * 7) % 8;
    IntegerMatrix a(rows, cols);
    for (auto& x : a.e) x = BigInteger(dist(gen));
    if (rows > 2)  // a dependent row
      for (int j = 0; j < cols; ++j) a.at(rows - 1, j) = a.at(0, j) * BigInteger(2) - a.at(1, j);
    IntegerMatrix x0(cols, 1);
    for (auto& x : x0.e) x = BigInteger(dist(gen));
    const IntegerMatrix b = Product(a, x0);  // consistent by construction
    IntegerSolveResult r;
    ASSERT_EQ(SolveSystem(a, b, r, none), ResultCode::Ok);
    EXPECT_EQ(r.k.cols, cols - r.rank);
    const IntegerMatrix ax = Product(a, r.x);
    for (int i = 0; i < rows; ++i) EXPECT_EQ(ax.at(i, 0) * b.denominator, b.at(i, 0) * ax.denominator);
    const IntegerMatrix ak = Product(a, r.k);
    for (const auto& e : ak.e) EXPECT_TRUE(e.IsZero());
    // Same rank as the real solver.
    ComplexMatrix ar(rows, cols);
    for (size_t i = 0; i < a.e.size(); ++i) ar.e()[i] = Complex(a.e[i].Value().get_si());
    EXPECT_EQ(Rank(ar, 1e-9L, none), r.rank);
  }
  // Inconsistent: x + y = 1, 2x + 2y = 3.
  IntegerSolveResult r;
  EXPECT_EQ(SolveSystem(Int(2, 2, {1, 1, 2, 2}), Int(2, 1, {1, 3}), r, none), ResultCode::InconsistentSystem);
  EXPECT_EQ(SolveSystem(Int(0, 0, {}), IntegerMatrix(), r, none), ResultCode::Incompatible);
  EXPECT_EQ(SolveSystem(Int(2, 2, {1, 1, 2, 2}), Int(1, 1, {1}), r, none), ResultCode::Incompatible);
}

}  // namespace
}  // namespace tavrin
