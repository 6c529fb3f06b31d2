#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/CharacteristicPolynomial.h"
#include "engine/RationalRoots.h"
#include "FakeInterrupt.h"

namespace tavrin {
namespace {

NoInterrupt none;

IntegerMatrix Exact(int n, std::vector<long> v, long den) {
  IntegerMatrix m(n, n);
  for (size_t i = 0; i < v.size(); ++i) m.e[i] = BigInteger(v[i]);
  m.denominator = BigInteger(den);
  return m;
}

IntegerMatrix BlockDiagonal(const IntegerMatrix& a, const IntegerMatrix& b) {
  IntegerMatrix m(a.rows + b.rows, a.rows + b.rows);
  for (int i = 0; i < a.rows; ++i)
    for (int j = 0; j < a.rows; ++j) m.at(i, j) = a.at(i, j);
  for (int i = 0; i < b.rows; ++i)
    for (int j = 0; j < b.rows; ++j) m.at(a.rows + i, a.rows + j) = b.at(i, j);
  return m;
}

// The exact roots as "value:multiplicity" texts, the others as values with
// their multiplicities.
TEST(RationalRootsTest, ExactAndNumericalRoots) {
  const long double r2 = 1.41421356237309504880168872420969808L;
  IntegerMatrix root2 = Exact(2, {0, 2, 1, 0}, 1);
  std::vector<long> w21(21 * 21, 0), comp15(15 * 15, 0);
  for (int i = 0; i < 21; ++i) {
    w21[i * 21 + i] = std::labs(10 - i);
    if (i > 0) w21[i * 21 + i - 1] = w21[(i - 1) * 21 + i] = 1;
  }
  // Companion matrix of (x - 1)...(x - 15), first row from the coefficients.
  const long p15[] = {-120, 6580, -218400, 4899622, -78558480, 928095740, -8207628000L, 54631129553L,
                      -272803210680L, 1009672107080L, -2706813345600L, 5056995703824L, -6165817614720L,
                      4339163001600L, -1307674368000L};
  for (int j = 0; j < 15; ++j) comp15[j] = -p15[j];
  for (int i = 1; i < 15; ++i) comp15[i * 15 + i - 1] = 1;
  struct {
    std::string name;
    IntegerMatrix m;
    std::vector<std::string> rational;
    std::vector<std::pair<Complex, int>> others;
  } cases[] = {
      {"Jordan block 8 under an integer similarity",
       Exact(8, {-61, 58, -27, -6, 18, -12, 18, 0, -43, 42, -18, -4, 12, -8, 12, 0,
                 51, -48, 26, 3, -15, 10, -15, 0, 76, -67, 30, 11, -22, 14, -21, 0,
                 -107, 103, -51, -6, 33, -21, 32, 0, -17, 32, -23, 8, 5, -4, 9, -3,
                 108, -95, 42, 10, -31, 19, -27, -2, -99, 87, -39, -10, 28, -18, 27, 4}, 1),
       {"3:8"}, {}},
      {"diag(1, 2, 1) / 3", Exact(3, {1, 0, 0, 0, 2, 0, 0, 0, 1}, 3), {"2/3:1", "1/3:2"}, {}},
      {"7/12", Exact(1, {7}, 12), {"7/12:1"}, {}},
      {"x^2 - 2", root2, {}, {{r2, 1}, {-r2, 1}}},
      {"(x^2 - 2)^2", BlockDiagonal(root2, root2), {}, {{r2, 2}, {-r2, 2}}},
      {"(x - 1)(x^2 - 2) / 2", BlockDiagonal(Exact(1, {2}, 1), Exact(2, {0, 4, 2, 0}, 1)), {"2:1"},
       {{2 * r2, 1}, {-2 * r2, 1}}},
      {"companion of (x-1)...(x-15)", Exact(15, comp15, 1),
       {"15:1", "14:1", "13:1", "12:1", "11:1", "10:1", "9:1", "8:1", "7:1", "6:1", "5:1", "4:1", "3:1", "2:1",
        "1:1"},
       {}},
  };
  for (auto& t : cases) {
    std::vector<Fraction> c;
    ASSERT_EQ(IntegerCharacteristicPolynomial(t.m, c, none), ResultCode::Ok) << t.name;
    IntegerRoots r;
    EXPECT_EQ(IntegerMatrixRoots(t.m, c, r, none), ResultCode::Ok) << t.name;
    std::vector<std::string> rational;
    for (size_t i = 0; i < r.rational.size(); ++i)
      rational.push_back(r.rational[i].ToString() + ":" + std::to_string(r.rationalMultiplicities[i]));
    EXPECT_EQ(rational, t.rational) << t.name;
    ASSERT_EQ(r.others.roots.size(), t.others.size()) << t.name;
    for (size_t i = 0; i < t.others.size(); ++i) {
      EXPECT_LT(std::hypot(r.others.roots[i].re - t.others[i].first.re, r.others.roots[i].im - t.others[i].first.im),
                1e-17L)
          << t.name;
      EXPECT_EQ(r.others.multiplicities[i], t.others[i].second) << t.name;
    }
  }
  // Wilkinson's W21 has no rational root and no repeated one: 21 roots,
  // the close pairs listed apart.
  std::vector<Fraction> c;
  ASSERT_EQ(IntegerCharacteristicPolynomial(Exact(21, w21, 1), c, none), ResultCode::Ok);
  IntegerRoots w;
  ASSERT_EQ(IntegerMatrixRoots(Exact(21, w21, 1), c, w, none), ResultCode::Ok);
  EXPECT_TRUE(w.rational.empty());
  EXPECT_EQ(w.others.roots.size(), 21u);
  // S or Q in the reduction: stopped, with no roots.
  for (int key : {'S', 'Q'}) {
    FakeInterrupt pressed(key);
    EXPECT_EQ(IntegerMatrixRoots(Exact(21, w21, 1), c, w, pressed), ResultCode::Stopped);
    EXPECT_TRUE(w.others.roots.empty());
  }
}

}  // namespace
}  // namespace tavrin
