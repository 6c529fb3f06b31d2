#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "engine/CharacteristicPolynomial.h"
#include "engine/RootFinder.h"
#include "RootFinderTestData.h"
#include "FakeInterrupt.h"

namespace tavrin {
namespace {

NoInterrupt none;

RootList Found(const std::vector<Complex>& c, bool complex) {
  RootList r;
  EXPECT_EQ(FindRoots(c, complex, r, none), ResultCode::Ok);
  return r;
}

RootList RootsOf(const ComplexMatrix& m, bool complex = false) {
  std::vector<Complex> c;
  EXPECT_EQ(CharacteristicPolynomial(m, c, none), ResultCode::Ok);
  return Found(c, complex);
}

ComplexMatrix Diagonal(std::initializer_list<long double> d) {
  const int n = static_cast<int>(d.size());
  ComplexMatrix m(n, n);
  int i = 0;
  for (long double x : d) {
    m.at(i, i) = Complex(x, 0.0L);
    ++i;
  }
  return m;
}

TEST(RootFinderTest, EveryEigenvalueOfRandomMatrices) {
  for (const auto& t : testdata::kEigenCases) {
    ComplexMatrix m(t.n, t.n);
    for (int i = 0; i < t.n * t.n; ++i) m.e()[i] = Complex(t.entries[i], 0.0L);
    RootList r = RootsOf(m);
    ASSERT_LE(r.roots.size(), static_cast<size_t>(t.n));
    int total = 0;
    for (int k : r.multiplicities) total += k;
    EXPECT_EQ(total, t.n) << "size " << t.n;
    for (int k = 0; k < t.n; ++k) {
      long double best = 1e300L;
      for (const Complex& z : r.roots)
        best = std::min(best, std::hypot(z.re - t.eigenRe[k], z.im - t.eigenIm[k]));
      EXPECT_LT(best, 1e-8L) << "size " << t.n << " eigenvalue " << t.eigenRe[k] << " + "
                             << t.eigenIm[k] << "i";
    }
  }
}

TEST(RootFinderTest, MultiplicitiesOfDiagonalMatrices) {
  struct Case {
    ComplexMatrix m;
    std::map<long, int> want;
  } cases[] = {
      {Diagonal({1, 1, 1}), {{1, 3}}},
      {Diagonal({0, 0, 0, 0}), {{0, 4}}},
      {Diagonal({1, 1, 1, 2, 2, 3}), {{1, 3}, {2, 2}, {3, 1}}},
      {Diagonal({5, -1, 5, -1, 5, 7, 7, 7, 7, 2, -3, -3}), {{5, 3}, {-1, 2}, {7, 4}, {2, 1}, {-3, 2}}},
      {Diagonal({4, 4, 4, 4, 4, 4, 4, 4, 4, 4}), {{4, 10}}},
  };
  for (const Case& c : cases) {
    RootList r = RootsOf(c.m);
    std::map<long, int> got;
    for (size_t i = 0; i < r.roots.size(); ++i) {
      long k = std::lround(static_cast<double>(r.roots[i].re));
      EXPECT_NEAR(static_cast<double>(r.roots[i].re), static_cast<double>(k), 1e-9);
      EXPECT_NEAR(static_cast<double>(r.roots[i].im), 0.0, 1e-9);
      got[k] += r.multiplicities[i];
    }
    EXPECT_EQ(got, c.want) << "size " << c.m.rows;
    EXPECT_EQ(r.roots.size(), c.want.size());
  }
}

TEST(RootFinderTest, RotationAndSmallCases) {
  ComplexMatrix rot(2, 2);
  rot.at(0, 1) = Complex(-1, 0);
  rot.at(1, 0) = Complex(1, 0);
  for (bool complex : {false, true}) {
    RootList r = RootsOf(rot, complex);
    ASSERT_EQ(r.roots.size(), 2u);
    EXPECT_NEAR(static_cast<double>(r.roots[0].im + r.roots[1].im), 0.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(std::fabs(r.roots[0].im)), 1.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(r.roots[0].re), 0.0, 1e-15);
    if (!complex) {
      EXPECT_EQ(r.roots[1], (Complex{r.roots[0].re, -r.roots[0].im}));
    }
  }
  RootList one = Found({1, -2.5L}, false);
  ASSERT_EQ(one.roots.size(), 1u);
  EXPECT_NEAR(static_cast<double>(one.roots[0].re), 2.5, 1e-15);
  EXPECT_EQ(one.multiplicities[0], 1);
  // (x - i)^2 (x - 2) in complex mode: a double complex root.
  RootList c = Found({1, Complex(-2, -2), Complex(-1, 4), Complex(2, 0)}, true);
  ASSERT_EQ(c.roots.size(), 2u);
  int total = c.multiplicities[0] + c.multiplicities[1];
  EXPECT_EQ(total, 3);
  EXPECT_TRUE(Found({Complex(0, 0), 1}, false).roots.empty());
  FakeInterrupt key1('S');
  RootList partial;
  EXPECT_EQ(FindRoots({1, 0, 1}, false, partial, key1), ResultCode::Stopped);
}

// With huge coefficients the residual test of the Newton search rejects the
// roots; they are still all listed.
TEST(RootFinderTest, LargeCoefficientsStillGiveEveryRoot) {
  // (x - 1e6)(x - 2e6)(x + 3e6)
  RootList r = Found({1, 0, -7e12L, 6e18L}, false);
  ASSERT_EQ(r.roots.size(), 3u);
  std::vector<double> got;
  for (const Complex& z : r.roots) got.push_back(static_cast<double>(z.re));
  std::sort(got.begin(), got.end());
  EXPECT_NEAR(got[0], -3e6, 1e-6);
  EXPECT_NEAR(got[1], 1e6, 1e-6);
  EXPECT_NEAR(got[2], 2e6, 1e-6);
}

}  // namespace
}  // namespace tavrin
