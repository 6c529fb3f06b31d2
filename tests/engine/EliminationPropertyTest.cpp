// Properties of the real and complex elimination on random data with fixed
// seeds: accuracy against Eigen's partial-pivoting LU in long double, and
// Solve's verdict on systems that are consistent or not by construction.
#include <gtest/gtest.h>

#include <Eigen/Dense>
#include <complex>
#include <limits>
#include <random>

#include "core/Thresholds.h"
#include "engine/Elimination.h"

namespace tavrin {
namespace {

NoInterrupt none;

using Cx = std::complex<long double>;
template <class T>
using Mat = Eigen::Matrix<T, Eigen::Dynamic, Eigen::Dynamic>;

template <class T>
long double Residual(const Mat<T>& a, const Mat<T>& inv) {
  return (a * inv - Mat<T>::Identity(a.rows(), a.cols())).cwiseAbs().maxCoeff();
}

// Random entries in (-1, 1) with tiny leading entries, so that a method
// taking the first usable pivot divides by 1e-14 and 1e-13.
template <class T>
void CheckAgainstEigen(bool complex) {
  std::mt19937 gen(2024);
  std::uniform_real_distribution<double> dist(-1.0, 1.0);
  for (int n : {2, 3, 5, 10, 20, 40, 60}) {
    for (int trial = 0; trial < 4; ++trial) {
      Mat<T> m(n, n);
      ComplexMatrix a(n, n);
      for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
          const long double re = dist(gen), im = complex ? dist(gen) : 0.0;
          a.at(i, j) = Complex(re, im);
        }
      a.at(0, 0) = Complex(1e-14L, complex ? 1e-14L : 0.0L);
      if (n > 1) a.at(1, 1) = Complex(1e-13L, 0);
      for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
          if constexpr (std::is_same_v<T, Cx>) m(i, j) = Cx(a.at(i, j).re, a.at(i, j).im);
          else m(i, j) = a.at(i, j).re;
        }
      Complex det;
      ComplexMatrix inv;
      ASSERT_EQ(DeterminantAndInverse(a, det, &inv, none), ResultCode::Ok) << n;
      Mat<T> x(n, n);
      for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
          if constexpr (std::is_same_v<T, Cx>) x(i, j) = Cx(inv.at(i, j).re, inv.at(i, j).im);
          else x(i, j) = inv.at(i, j).re;
        }
      const long double ours = Residual(m, x);
      const long double yardstick = Residual(m, Mat<T>(m.partialPivLu().inverse()));
      EXPECT_LE(ours, 4 * std::max(yardstick, 1e-18L)) << "n " << n << " trial " << trial;
      const T d = m.partialPivLu().determinant();
      EXPECT_LE(std::abs(Cx(det.re, det.im) - Cx(d)), 1e-12L * std::abs(Cx(d))) << n;
    }
  }
}

TEST(EliminationProperties, InverseAsAccurateAsPartialPivotingLu) {
  CheckAgainstEigen<long double>(false);
  CheckAgainstEigen<Cx>(true);
}

// A matrix inverted in its own storage: inverses and determinants worked
// out by hand, the codes of the copying routine, and at sizes of many
// panels the same accuracy as partial-pivoting LU.
TEST(EliminationProperties, InverseInPlace) {
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  auto m = [](int r, int c, std::initializer_list<Complex> v) {
    ComplexMatrix x(r, c);
    x.e().assign(v.begin(), v.end());
    return x;
  };
  struct Case {
    ComplexMatrix a;
    ResultCode code;
    Complex det;
    ComplexMatrix inverse;
  } cases[] = {
      {m(1, 1, {4}), ResultCode::Ok, 4, m(1, 1, {0.25L})},
      {m(2, 2, {2, 1, 1, 1}), ResultCode::Ok, 1, m(2, 2, {1, -1, -1, 2})},
      {m(2, 2, {0, 2, 8, 0}), ResultCode::Ok, -16, m(2, 2, {0, 0.125L, 0.5L, 0})},
      {m(2, 2, {Complex(0, 1), 0, 0, 2}), ResultCode::Ok, Complex(0, 2), m(2, 2, {Complex(0, -1), 0, 0, 0.5L})},
      {m(2, 2, {1, 2, 2, 4}), ResultCode::Singular, 0, {}},
      {m(2, 3, {1, 2, 3, 4, 5, 6}), ResultCode::Incompatible, 7, {}},  // refused before det is touched
      {m(1, 1, {nan}), ResultCode::CouldNotCalculate, 0, {}},
  };
  for (const Case& c : cases) {
    ComplexMatrix a = c.a, copied;
    Complex det(7), detCopied(7);
    EXPECT_EQ(InvertInPlace(a, det, none), c.code);
    EXPECT_EQ(DeterminantAndInverse(c.a, detCopied, &copied, none), c.code);
    EXPECT_EQ(det, c.det);
    EXPECT_EQ(detCopied, c.det);
    if (c.code == ResultCode::Ok) {
      EXPECT_EQ(a, c.inverse);
      EXPECT_EQ(copied, c.inverse);
    }
  }
  std::mt19937 gen(99);
  std::uniform_real_distribution<double> dist(-1.0, 1.0);
  for (int n : {129, 300}) {
    Mat<long double> e(n, n);
    ComplexMatrix a(n, n);
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) a.at(i, j) = e(i, j) = dist(gen);
    Complex det;
    ASSERT_EQ(InvertInPlace(a, det, none), ResultCode::Ok);
    Mat<long double> x(n, n);
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) {
        x(i, j) = a.at(i, j).re;
        ASSERT_EQ(a.at(i, j).im, 0.0L);
      }
    const Eigen::PartialPivLU<Mat<long double>> lu(e);
    EXPECT_LE(Residual(e, x), 4 * Residual(e, Mat<long double>(lu.inverse()))) << n;
    EXPECT_LE(std::fabs(det.re - lu.determinant()), 1e-12L * std::fabs(lu.determinant())) << n;
  }
}

// A = [B; w'B] has a dependent last row; b = [c; w'c + d] is consistent
// exactly when d = 0. Entries stay below 60; the exact solver's rank is the
// reference for the rank.
TEST(EliminationProperties, SolveDecidesConsistencyOfRankDeficientSystems) {
  std::mt19937 gen(77);
  std::uniform_int_distribution<int> entry(-6, 6), weight(-2, 2), size(2, 6), shift(1, 9);
  int refused = 0, accepted = 0;
  for (int trial = 0; trial < 1000; ++trial) {
    const int rows = size(gen), cols = size(gen);
    ComplexMatrix a(rows, cols), b(rows, 1);
    IntegerMatrix exact(rows, cols);
    std::vector<int> w(rows - 1);
    for (int& x : w) x = weight(gen);
    for (int j = 0; j < cols; ++j) {
      long double last = 0;
      for (int i = 0; i + 1 < rows; ++i) {
        a.at(i, j) = Complex(entry(gen));
        last += w[i] * a.at(i, j).re;
      }
      a.at(rows - 1, j) = Complex(last);
    }
    // b in the column space of the first rows: b = A x for an integer x.
    std::vector<int> x(cols);
    for (int& v : x) v = entry(gen);
    for (int i = 0; i < rows; ++i) {
      long double s = 0;
      for (int j = 0; j < cols; ++j) s += a.at(i, j).re * x[j];
      b.at(i, 0) = Complex(s);
    }
    for (size_t i = 0; i < a.size(); ++i) exact.e[i] = BigInteger(static_cast<long>(a.e()[i].re));
    int exactRank = 0;
    ASSERT_EQ(IntegerRank(exact, exactRank, none), ResultCode::Ok);
    const long double tolerance = ZeroTolerance(3 + trial % 6);
    SolveResult r;
    ASSERT_EQ(SolveSystem(a, b, tolerance, r, none), ResultCode::Ok) << "consistent system refused, trial " << trial;
    EXPECT_EQ(r.rank, exactRank) << trial;
    for (int i = 0; i < rows; ++i) {
      Complex s;
      for (int j = 0; j < cols; ++j) s += a.at(i, j) * r.x.at(j, 0);
      EXPECT_NEAR(static_cast<double>(s.re), static_cast<double>(b.at(i, 0).re), 1e-12) << trial;
    }
    accepted++;
    // The dependent row's right side now disagrees with its combination.
    b.at(rows - 1, 0).re += shift(gen);
    const ResultCode c = SolveSystem(a, b, tolerance, r, none);
    EXPECT_EQ(c, ResultCode::InconsistentSystem) << "inconsistent system accepted, trial " << trial;
    refused += c == ResultCode::InconsistentSystem;
  }
  EXPECT_EQ(accepted, 1000);
  EXPECT_EQ(refused, 1000);
}

}  // namespace
}  // namespace tavrin
