#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "engine/Product.h"
#include "FakeInterrupt.h"

namespace tavrin {
namespace {

NoInterrupt none;

ComplexMatrix Random(int rows, int cols, uint32_t seed, bool complex) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> dist(-1.0, 1.0);
  ComplexMatrix m(rows, cols);
  for (Complex& z : m.e()) {
    z.re = static_cast<long double>(dist(gen)) * (1.0L + 0x1p-40L);
    if (complex) z.im = dist(gen);
  }
  return m;
}

// The straightforward sums, term by term in long double.
ComplexMatrix TripleLoop(const ComplexMatrix& a, const ComplexMatrix& b) {
  ComplexMatrix p(a.rows, b.cols);
  for (int i = 0; i < a.rows; ++i)
    for (int j = 0; j < b.cols; ++j) {
      long double re = 0.0L, im = 0.0L;
      for (int k = 0; k < a.cols; ++k) {
        const Complex x = a.at(i, k), y = b.at(k, j);
        re += x.re * y.re - x.im * y.im;
        im += x.re * y.im + x.im * y.re;
      }
      p.at(i, j) = Complex(re, im);
    }
  return p;
}

// Against the triple loop: each entry within a few ulps times the inner
// size of the sum of |terms| (a bound independent of cancellation); real
// inputs give real results with zero imaginary parts.
TEST(Product, MatchesTripleLoop) {
  struct Case {
    int rows, inner, cols;
    bool complex;
  };
  const Case cases[] = {{1, 1, 1, false}, {3, 5, 2, false},  {37, 41, 29, false}, {130, 97, 150, false},
                        {260, 300, 70, false}, {5, 3, 4, true}, {90, 120, 60, true}, {1, 200, 1, true}};
  const long double ulp = std::numeric_limits<long double>::epsilon();
  uint32_t seed = 11;
  for (const Case& c : cases) {
    const ComplexMatrix a = Random(c.rows, c.inner, ++seed, c.complex);
    const ComplexMatrix b = Random(c.inner, c.cols, ++seed, c.complex);
    ComplexMatrix p;
    ASSERT_EQ(MatrixProduct(a, b, p, none), ResultCode::Ok);
    ASSERT_EQ(p.rows, c.rows);
    ASSERT_EQ(p.cols, c.cols);
    const ComplexMatrix q = TripleLoop(a, b);
    for (int i = 0; i < c.rows; ++i)
      for (int j = 0; j < c.cols; ++j) {
        long double size = 0.0L;
        for (int k = 0; k < c.inner; ++k)
          size += (std::fabs(a.at(i, k).re) + std::fabs(a.at(i, k).im)) *
                  (std::fabs(b.at(k, j).re) + std::fabs(b.at(k, j).im));
        const long double bound = 4.0L * ulp * c.inner * size;
        EXPECT_LE(std::fabs(p.at(i, j).re - q.at(i, j).re), bound) << c.rows << " " << i << "," << j;
        EXPECT_LE(std::fabs(p.at(i, j).im - q.at(i, j).im), bound) << c.rows << " " << i << "," << j;
        if (!c.complex) {
          EXPECT_EQ(p.at(i, j).im, 0.0L);
        }
      }
  }
}

// Small integer entries make every sum exact in any order: a real product
// computed in bands of rows (64, 64 and a last one of 22 here) equals the
// triple loop entry for entry.
TEST(Product, BandsOfRowsMeetExactly) {
  std::mt19937 gen(5);
  std::uniform_int_distribution<int> small(-3, 3);
  ComplexMatrix a(150, 730), b(730, 730), p;
  for (Complex& z : a.e()) z = Complex(small(gen));
  for (Complex& z : b.e()) z = Complex(small(gen));
  ASSERT_EQ(MatrixProduct(a, b, p, none), ResultCode::Ok);
  EXPECT_EQ(p, TripleLoop(a, b));
}

// Small products worked by hand, exact in any order of summation.
TEST(Product, HandWorked) {
  ComplexMatrix a(2, 3), b(3, 2);
  const long double av[] = {1, 2, 3, 4, 5, 6}, bv[] = {7, 8, 9, 10, 11, 12};
  for (int i = 0; i < 6; ++i) a.e()[i] = Complex(av[i]), b.e()[i] = Complex(bv[i]);
  ComplexMatrix p;
  ASSERT_EQ(MatrixProduct(a, b, p, none), ResultCode::Ok);
  const long double want[] = {58, 64, 139, 154};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(p.e()[i], Complex(want[i])) << i;
  // (1+2i)(3-i) + (i)(2) = 5+5i + 2i = 5+7i
  ComplexMatrix c(1, 2), d(2, 1);
  c.e() = {Complex(1, 2), Complex(0, 1)};
  d.e() = {Complex(3, -1), Complex(2)};
  ASSERT_EQ(MatrixProduct(c, d, p, none), ResultCode::Ok);
  EXPECT_EQ(p.entry(0), Complex(5, 7));
}

// Q at an early poll of a 1000x1000 real product, and at each of the four
// real products of a complex one (one band each at 100x100): code -1, the
// caller's matrix untouched, no poll after the stop.
TEST(Product, QuitStopsAndStoresNothing) {
  struct Case {
    int n;
    bool complex;
    int after;
  };
  for (const Case& c : {Case{1000, false, 1}, Case{1000, false, 2}, Case{100, true, 1},
                        Case{100, true, 2}, Case{100, true, 3}, Case{100, true, 4}}) {
    const ComplexMatrix a = Random(c.n, c.n, 5, c.complex), b = Random(c.n, c.n, 6, c.complex);
    FakeInterrupt quit('Q', c.after, false);
    ComplexMatrix p(1, 1);
    p.e()[0] = Complex(42);
    const ResultCode rc = MatrixProduct(a, b, p, quit);
    EXPECT_EQ(rc, ResultCode::Stopped) << c.n << " " << c.after;
    EXPECT_EQ(p.rows, 1);
    EXPECT_EQ(p.e()[0], Complex(42));
    EXPECT_EQ(quit.polls, c.after);
  }
  // Without Q the complex 100x100 product polls exactly four times.
  FakeInterrupt counter;
  ComplexMatrix p;
  const ResultCode rc = MatrixProduct(Random(100, 100, 5, true), Random(100, 100, 6, true), p, counter);
  EXPECT_EQ(rc, ResultCode::Ok);
  EXPECT_EQ(counter.polls, 4);
}

}  // namespace
}  // namespace tavrin
