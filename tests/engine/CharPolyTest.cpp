#include <gtest/gtest.h>

#include <cmath>

#include "engine/CharacteristicPolynomial.h"
#include "FakeInterrupt.h"

namespace tavrin {
namespace {

NoInterrupt none;

ComplexMatrix Real(int n, std::initializer_list<long double> v) {
  ComplexMatrix m(n, n);
  size_t i = 0;
  for (long double x : v) m.e()[i++] = Complex(x, 0.0L);
  return m;
}

void ExpectCoefficients(const ComplexMatrix& m, std::initializer_list<Complex> want) {
  std::vector<Complex> c;
  ASSERT_EQ(CharacteristicPolynomial(m, c, none), ResultCode::Ok);
  ASSERT_EQ(c.size(), want.size());
  size_t i = 0;
  for (Complex w : want) {
    EXPECT_NEAR(static_cast<double>(c[i].re), static_cast<double>(w.re), 1e-15) << "coefficient " << i;
    EXPECT_NEAR(static_cast<double>(c[i].im), static_cast<double>(w.im), 1e-15) << "coefficient " << i;
    ++i;
  }
}

TEST(CharPolyTest, SmallMatricesWorkedByHand) {
  ExpectCoefficients(Real(1, {5}), {1, -5});
  ExpectCoefficients(Real(3, {1, 0, 0, 0, 1, 0, 0, 0, 1}), {1, -3, 3, -1});
  ExpectCoefficients(Real(2, {0, -1, 1, 0}), {1, 0, 1});
  ExpectCoefficients(Real(3, {0, 0, 0, 0, 0, 0, 0, 0, 0}), {1, 0, 0, 0});
  ExpectCoefficients(Real(3, {2, -1, 0, -1, 2, -1, 0, -1, 2}), {1, -6, 10, -4});
  ExpectCoefficients(Real(2, {1, 2, 3, 4}), {1, -5, -2});
  ComplexMatrix z(2, 2);
  z.at(0, 0) = Complex(0, 1);
  z.at(0, 1) = Complex(1, 0);
  z.at(1, 1) = Complex(2, 0);
  ExpectCoefficients(z, {1, Complex(-2, -1), Complex(0, 2)});  // (x - i)(x - 2)
  std::vector<Complex> c;
  EXPECT_EQ(CharacteristicPolynomial(ComplexMatrix(2, 3), c, none), ResultCode::Incompatible);
}

Fraction F(long n, long d = 1) { return Fraction{BigInteger(n), BigInteger(d)}; }

TEST(CharPolyTest, ExactIntegerPolynomial) {
  IntegerMatrix a(2, 2);
  a.e = {BigInteger(1), BigInteger(2), BigInteger(3), BigInteger(4)};
  std::vector<Fraction> c;
  ASSERT_EQ(IntegerCharacteristicPolynomial(a, c, none), ResultCode::Ok);
  EXPECT_EQ(c, (std::vector<Fraction>{F(1), F(-5), F(-2)}));
  a.denominator = BigInteger(2);
  ASSERT_EQ(IntegerCharacteristicPolynomial(a, c, none), ResultCode::Ok);
  EXPECT_EQ(c, (std::vector<Fraction>{F(1), F(-5, 2), F(-1, 2)}));
  EXPECT_EQ(IntegerCharacteristicPolynomial(IntegerMatrix(2, 3), c, none), ResultCode::Incompatible);
  FakeInterrupt key1('S');
  EXPECT_EQ(IntegerCharacteristicPolynomial(a, c, key1), ResultCode::Stopped);
  EXPECT_TRUE(c.empty());
}

// The Hessenberg recurrence against the exact division-free method on
// random integer matrices: two independent routes to the same numbers.
TEST(CharPolyTest, FloatingAgreesWithExact) {
  uint64_t s = 99;
  for (int n = 1; n <= 10; ++n) {
    IntegerMatrix a(n, n);
    ComplexMatrix m(n, n);
    for (int i = 0; i < n * n; ++i) {
      s = s * 6364136223846793005ULL + 1442695040888963407ULL;
      long v = static_cast<long>((s >> 33) % 19) - 9;
      a.e[i] = BigInteger(v);
      m.e()[i] = Complex(static_cast<long double>(v), 0.0L);
    }
    std::vector<Fraction> exact;
    std::vector<Complex> c;
    ASSERT_EQ(IntegerCharacteristicPolynomial(a, exact, none), ResultCode::Ok);
    ASSERT_EQ(CharacteristicPolynomial(m, c, none), ResultCode::Ok);
    long double scale = 1.0L;
    for (const Fraction& f : exact) scale = std::max(scale, std::fabs(static_cast<long double>(f.num.Value().get_d())));
    for (int k = 0; k <= n; ++k) {
      long double want = static_cast<long double>(exact[k].num.Value().get_d());
      EXPECT_LE(std::fabs(c[k].re - want), 1e-15L * scale) << "n " << n << " k " << k;
      EXPECT_LE(std::fabs(c[k].im), 1e-15L * scale);
    }
  }
}

TEST(CharPolyTest, KeySStops) {
  FakeInterrupt key2('S');
  std::vector<Complex> c;
  EXPECT_EQ(CharacteristicPolynomial(Real(3, {1, 2, 3, 4, 5, 6, 7, 8, 10}), c, key2), ResultCode::Stopped);
  EXPECT_TRUE(c.empty());
}

}  // namespace
}  // namespace tavrin
