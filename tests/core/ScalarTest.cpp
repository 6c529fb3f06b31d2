#include <gtest/gtest.h>

#include <cmath>

#include "core/Complex.h"
#include "core/Fraction.h"
#include "core/Random.h"
#include "core/StringTable.h"
#include "core/TextNumbers.h"
#include "core/Thresholds.h"

namespace tavrin {
namespace {

TEST(Complex, ProductAndReciprocal) {
  Complex p = Complex(1, 2) * Complex(3, -1);
  EXPECT_EQ(p, Complex(5, 5));
  Complex r = Reciprocal(Complex(0, 2));
  EXPECT_EQ(r, Complex(0, -0.5L));
  // An accepted pivot is inverted exactly, however small (the floor of the
  // scale at 1e16 made 1/1e-10 come out as 1e6).
  EXPECT_EQ(Reciprocal(Complex(1e-10L, 0)), Complex(1.0L / 1e-10L, 0));
  Complex q = Reciprocal(Complex(3e-9L, 4e-9L));  // (3 - 4i) / 25e-18
  EXPECT_NEAR(static_cast<double>(q.re / 1.2e8L), 1.0, 1e-15);
  EXPECT_NEAR(static_cast<double>(q.im / -1.6e8L), 1.0, 1e-15);
  Complex d = Divide(Complex(1, 1), Complex(1e-3000L, 1e-3000L));  // no underflow of |b|^2
  EXPECT_NEAR(static_cast<double>(d.re / 1e3000L), 1.0, 1e-15);
  EXPECT_EQ(d.im, 0.0L);
}

// Worked by hand: (7+i)/(1+i) = 4-3i and (5+5i)/(1+2i) = 3-i take the two
// branches exactly; a real divisor adds +0 to the parts (Divide keeps -0),
// and a zero one gives NaN where Divide gives an infinity.
TEST(Complex, SmithQuotientAgainstDivide) {
  const struct { Complex a, b, smith, divide; } cases[] = {
      {{7, 1}, {1, 1}, {4, -3}, {4, -3}},
      {{5, 5}, {1, 2}, {3, -1}, {3, -1}},
      {{-0.0L, 3}, {2, 0}, {0.0L, 1.5L}, {-0.0L, 1.5L}},
  };
  for (const auto& c : cases) {
    const Complex s = SmithQuotient(c.a, c.b), d = Divide(c.a, c.b);
    EXPECT_EQ(s, c.smith);
    EXPECT_EQ(std::signbit(s.re), std::signbit(c.smith.re));
    EXPECT_EQ(d, c.divide);
    EXPECT_EQ(std::signbit(d.re), std::signbit(c.divide.re));
  }
  EXPECT_TRUE(std::isnan(SmithQuotient(Complex(1, 0), Complex(0, 0)).re));
  EXPECT_TRUE(std::isinf(Divide(Complex(1, 0), Complex(0, 0)).re));
  EXPECT_EQ(Conjugate(Complex(2, -5)), Complex(2, 5));
  EXPECT_EQ(SquaredModulus(Complex(3, -4)), 25.0L);
  // Squares of 2^-16000 underflow; the modulus does not.
  EXPECT_EQ(Modulus(Complex(std::ldexp(3.0L, -16000), std::ldexp(4.0L, -16000))), std::ldexp(5.0L, -16000));
}

TEST(Complex, MagnitudeDifferenceAndUnit) {
  EXPECT_EQ(Magnitude1(Complex(-3, 4)), 7.0L);
  EXPECT_EQ(ModulusOfDifference(Complex(4, 3), Complex(0, 0)), 5.0L);
  EXPECT_EQ(ModulusOfDifference(Complex(1e-16L, 0), Complex(0, 0)), 0.0L);
  Complex u(3, 4);
  EXPECT_TRUE(NormaliseToUnit(u, 10));
  EXPECT_NEAR(static_cast<double>(u.re), 6.0, 1e-15);
  EXPECT_NEAR(static_cast<double>(u.im), 8.0, 1e-15);
  Complex z(1e-17L, 0);
  EXPECT_FALSE(NormaliseToUnit(z));
  EXPECT_EQ(z, Complex(1e-17L, 0));
  EXPECT_EQ(RealDot(Complex(1, 2), Complex(3, 4)), 11.0L);
}

TEST(Complex, NearestIntegerHalvesTowardZero) {
  const struct { long double x; long k; } cases[] = {
      {2.5L, 2}, {2.5000001L, 3}, {-2.5L, -2}, {-2.6L, -3}, {0.4L, 0}, {3e12L, 2147483647}, {-3e12L, -2147483647}};
  for (const auto& c : cases) EXPECT_EQ(NearestInteger(c.x), c.k) << static_cast<double>(c.x);
}

TEST(Thresholds, ToleranceAndBound) {
  EXPECT_EQ(ZeroTolerance(0), 0.1L);
  EXPECT_NEAR(static_cast<double>(ZeroTolerance(3)), 1e-4, 1e-19);
  EXPECT_NEAR(static_cast<double>(OverflowBound()), 1.7392749415205e18, 1e6);
}

TEST(Random, FirstDrawsFromSeedOne) {
  // s1 = 22695478, s2 = 22695478*22695477+1 = 515084698953007; a draw is
  // the high 32 bits with the top bit cleared (worked out with Python).
  RandomGenerator g;
  g.Seed(1);
  EXPECT_EQ(g.Next(), 0);  // 22695478 >> 32
  EXPECT_EQ(g.Next(), 119927);  // 515084698953007 >> 32
  g.Seed(12345);
  for (int32_t draw : {65, 1480504946, 2010627756, 1092730705, 1491797899}) EXPECT_EQ(g.Next(), draw);
}

TEST(Random, RangeNeverTouchesEnds) {
  RandomGenerator g;
  g.Seed(7);
  for (int i = 0; i < 20000; ++i) {
    long double v = g.Range(0, 1);
    ASSERT_GT(v, 0.0L);
    ASSERT_LT(v, 1.0L);
  }
}

TEST(Fraction, ArithmeticReduces) {
  Fraction a{BigInteger(1), BigInteger(6)}, b{BigInteger(1), BigInteger(3)}, out;
  // 1/6 + 1/3, 1/6 - 1/3, 1/6 * 1/3, (1/6) / (1/3)
  using Op = ResultCode (*)(const Fraction&, const Fraction&, Fraction&);
  const std::pair<Op, const char*> cases[] = {{Add, "1/2"}, {Subtract, "-1/6"}, {Multiply, "1/18"}, {Divide, "1/2"}};
  for (const auto& [op, want] : cases) {
    EXPECT_EQ(op(a, b, out), ResultCode::Ok);
    EXPECT_EQ(out.ToString(), want);
  }
  EXPECT_EQ(Divide(a, Fraction{BigInteger(0), BigInteger(1)}, out), ResultCode::Singular);
  Fraction f{BigInteger(4), BigInteger(-6)};
  EXPECT_EQ(Reduce(f), ResultCode::Ok);
  EXPECT_EQ(f.ToString(), "-2/3");
}

TEST(Fraction, NormaliseRationalMatrix) {
  std::vector<BigInteger> e{3, 9};
  BigInteger d(-6);
  EXPECT_EQ(NormaliseRational(e, d), ResultCode::Ok);
  EXPECT_EQ(d, BigInteger(2));
  EXPECT_EQ(e, (std::vector<BigInteger>{-1, -3}));
  std::vector<BigInteger> coprime{2, 3};
  BigInteger d2(6);
  EXPECT_EQ(NormaliseRational(coprime, d2), ResultCode::Ok);
  EXPECT_EQ(d2, BigInteger(6));
  BigInteger zero(0);
  EXPECT_EQ(NormaliseRational(coprime, zero), ResultCode::Singular);
}

TEST(StringTable, CodesMapToMessages) {
  EXPECT_STREQ(String(62), "hmm ...");
  EXPECT_STREQ(String(2), "careful!");
  EXPECT_EQ(CodeMessage(ResultCode::Incompatible), "imcompatible");
  EXPECT_EQ(CodeMessage(ResultCode::EditingInProgress), "editing in progress");
  EXPECT_EQ(CodeMessage(ResultCode::NoMoreRoom), "no more room");
  EXPECT_EQ(CodeMessage(ResultCode::OutOfBounds), "out of bounds");
  EXPECT_EQ(CodeMessage(ResultCode::NeedAtLeastOne), "need at least one");
  EXPECT_EQ(CodeMessage(ResultCode::PythagoreanDataExpected), "Pythagorean data expected");
  EXPECT_STREQ(String(236), "calculations for M");
  EXPECT_STREQ(String(12345), "");
}

TEST(TextNumbers, CountsReadAsAtoiDoesAndSaturate) {
  const struct {
    const char* text;
    size_t max;
    long long value;
  } cases[] = {{"12", 99, 12},   {"  -7x", 99, -7}, {"+3", 99, 3},     {"x5", 99, 0},
               {"", 99, 0},      {"123456", 3, 123}, {"\t\n42", 99, 42}, {"1e3", 99, 1},
               {"99999999999999999999999", 99, kCountLimit}, {"-99999999999999999999999", 99, -kCountLimit}};
  for (const auto& c : cases) EXPECT_EQ(ReadCountText(c.text, c.max), c.value) << c.text;
}

}  // namespace
}  // namespace tavrin
