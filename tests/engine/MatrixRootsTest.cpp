#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/ExactSquareFree.h"
#include "engine/RootFinder.h"
#include "MatrixRootsTestData.h"
#include "FakeInterrupt.h"

namespace tavrin {
namespace {

NoInterrupt none;

ComplexMatrix FromRows(int n, const std::function<long double(int, int)>& entry) {
  ComplexMatrix m(n, n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) m.at(i, j) = Complex(entry(i, j), 0.0L);
  return m;
}

// Entries k / 2^20 for k uniform in -1000000..1000000 from a 64-bit LCG, so
// that the reference script builds exactly the same matrix.
ComplexMatrix Lcg(int n, uint64_t seed, bool symmetric) {
  std::vector<long double> v(static_cast<size_t>(n) * n);
  uint64_t x = seed;
  for (long double& e : v) {
    x = x * 6364136223846793005ULL + 1442695040888963407ULL;
    e = (static_cast<long double>((x >> 33) % 2000001) - 1000000.0L) / 1048576.0L;
  }
  return FromRows(n, [&](int i, int j) {
    return symmetric && i > j ? v[static_cast<size_t>(j) * n + i] : v[static_cast<size_t>(i) * n + j];
  });
}

// The companion matrix of (x - 1)(x - 2)...(x - 15).
ComplexMatrix Companion15() {
  std::vector<int64_t> p{1};
  for (int k = 1; k <= 15; ++k) {
    std::vector<int64_t> q(p.size() + 1, 0);
    for (size_t i = 0; i < p.size(); ++i) {
      q[i] += p[i];
      q[i + 1] -= k * p[i];
    }
    p = q;
  }
  return FromRows(15, [&](int i, int j) -> long double {
    if (i == 0) return static_cast<long double>(-p[j + 1]);
    return j == i - 1 ? 1.0L : 0.0L;
  });
}

constexpr double kNear12Matrix[] = {0.9999802900002546, 1.5249999794297864e-05, 2.229999975567054e-06, -8.729999884993234e-06, 3.2499999547130898e-06, 2.7499999650792972e-06, -3.029999959602847e-06, 1.699999969684285e-07, 1.3899999820043973e-06, -6.49999990942618e-07, -5.799999929223532e-07, 9.299999872425246e-07, 2.492999963155107e-05, 0.9999787500003003, -1.8399999659468591e-06, 1.1539999832832493e-05, -4.8399999335035915e-06, -3.359999949603676e-06, 4.11999994121004e-06, -4.3999999532751133e-07, -1.7699999739217986e-06, 9.899999866558318e-07, 6.799999898721154e-07, -1.309999981380372e-06, -5.353999942014909e-05, 4.299999952595002e-05, 1.000005269999947, -2.4119999736615938e-05, 9.419999894788589e-06, 7.3799999207313505e-06, -8.459999907284299e-06, 6.199999924572097e-07, 3.7599999589410515e-06, -1.8699999788651667e-06, -1.4899999840611855e-06, 2.679999970611746e-06, 4.76299994454088e-05, -3.840999954318747e-05, -4.609999951110666e-06, 1.0000214999997472, -8.42999989814075e-06, -6.549999924443384e-06, 7.549999910816396e-06, -5.899999924174892e-07, -3.359999960705906e-06, 1.6999999794542475e-06, 1.3599999848512567e-06, -2.3599999716683584e-06, -6.310999940395412e-05, 5.26499995114893e-05, 5.229999946232411e-06, -2.892999972892163e-05, 1.0000118399998914, 8.579999918545411e-06, -1.0259999904560502e-05, 9.599999921672264e-07, 4.449999957856221e-06, -2.379999978208147e-06, -1.7199999837735902e-06, 3.2799999696297988e-06, 2.2480000099855957e-05, -1.892000007219785e-05, -1.7800000138290528e-06, 1.0360000042952677e-05, -4.280000014622587e-06, 0.9999969599999858, 3.680000014716356e-06, -3.400000001541059e-07, -1.560000006950446e-06, 8.300000027272603e-07, 5.700000029751351e-07, -1.2300000045151194e-06, 3.6699999214739876e-05, -3.07399993664248e-05, -2.9799999241575392e-06, 1.6839999645412718e-05, -6.919999860688364e-06, -4.9799998922406274e-06, 1.0000059999998756, -5.799999907019071e-07, -2.6099999443918165e-06, 1.4099999721128853e-06, 1.0099999780965874e-06, -1.879999960818779e-06, -4.795999911189064e-05, 4.0159999269873126e-05, 3.899999921008757e-06, -2.2019999595501716e-05, 9.039999837368029e-06, 6.519999878884519e-06, -7.819999857439086e-06, 1.000000759999988, 3.3799999370476286e-06, -1.8099999672394063e-06, -1.2899999757287617e-06, 2.509999954769526e-06, 1.0079999904322179e-05, -8.75999990745946e-06, -6.599999984313598e-07, 4.719999952884635e-06, -2.019999977287412e-06, -1.3599999877378366e-06, 1.6999999827849166e-06, -1.7999999712969839e-07, 0.999999330000007, 3.8999999518729567e-07, 2.4999999781449844e-07, -5.799999942546208e-07, 3.8889999201430214e-05, -3.202999935858486e-05, -3.4299999214226773e-06, 1.7709999640125318e-05, -7.129999859412095e-06, -5.309999890235062e-06, 6.249999873864098e-06, -5.499999908842312e-07, -2.759999943480196e-06, 1.000001469999972, 1.0799999776711644e-06, -1.9599999603325813e-06, -5.066999909542069e-05, 4.2369999256441915e-05, 4.149999919489389e-06, -2.3249999588026427e-05, 9.529999834390068e-06, 6.889999876635855e-06, -8.249999854825774e-06, 7.699999877708308e-07, 3.5799999358321344e-06, -1.909999966631659e-06, 0.9999986600000248, 2.639999953979455e-06, 1.1779999893990478e-05, -1.0339999897857055e-05, -7.199999980667116e-07, 5.539999947901109e-06, -2.3999999749779732e-06, -1.579999986400793e-06, 1.9999999809616753e-06, -2.1999999688659955e-07, -8.199999923519385e-07, 4.69999994701098e-07, 2.899999975713996e-07, 0.9999993500000064};
// S J S^-1 for the Jordan block J of size 8 with eigenvalue 3 and a
// unimodular integer S.
constexpr int kJordan8[] = {-61, 58, -27, -6, 18, -12, 18, 0, -43, 42, -18, -4, 12, -8, 12, 0,
                            51, -48, 26, 3, -15, 10, -15, 0, 76, -67, 30, 11, -22, 14, -21, 0,
                            -107, 103, -51, -6, 33, -21, 32, 0, -17, 32, -23, 8, 5, -4, 9, -3,
                            108, -95, 42, 10, -31, 19, -27, -2, -99, 87, -39, -10, 28, -18, 27, 4};

struct Case {
  std::string name;
  ComplexMatrix m;
  std::vector<Complex> eigenvalues;  // every one, repeated by multiplicity
  size_t distinct;                   // the roots to be listed
  long double eigenError;            // Eigen's long double solver on the same matrix
};

template <size_t N>
std::vector<Complex> Values(const long double (&v)[N][2]) {
  std::vector<Complex> out;
  for (const auto& x : v) out.push_back(Complex(x[0], x[1]));
  return out;
}

std::vector<Complex> Repeat(std::initializer_list<std::pair<long double, int>> roots) {
  std::vector<Complex> out;
  for (auto [z, k] : roots) out.insert(out.end(), static_cast<size_t>(k), Complex(z, 0.0L));
  return out;
}

std::vector<Case> Cases() {
  using namespace testdata;
  std::vector<Case> cases;
  cases.push_back({"W21", FromRows(21, [](int i, int j) -> long double {
                     return i == j ? std::fabs(10.0L - i) : std::abs(i - j) == 1 ? 1.0L : 0.0L;
                   }),
                   Values(kW21), 21, kW21EigenError});
  cases.push_back({"near 1 + k 1e-8", FromRows(12, [](int i, int j) -> long double { return kNear12Matrix[i * 12 + j]; }),
                   Values(kNear12), 4, kNear12EigenError});
  cases.push_back({"symmetric 50", Lcg(50, 50, true), Values(kSym50), 50, kSym50EigenError});
  cases.push_back({"diag(5, 5.00001)", FromRows(2, [](int i, int j) -> long double {
                     return i != j ? 0.0L : i == 0 ? 5.0L : 5.00001;
                   }),
                   Repeat({{5.0L, 1}, {5.00001, 1}}), 2, 0.0L});
  cases.push_back({"near double 2", FromRows(3, [](int i, int j) -> long double {
                     const double a[9] = {2, 1, 0, 0, 2.00001, 0, 0, 0, 7};
                     return a[i * 3 + j];
                   }),
                   Repeat({{2.0L, 1}, {2.00001, 1}, {7.0L, 1}}), 3, 0.0L});
  cases.push_back({"zero 4", FromRows(4, [](int, int) { return 0.0L; }), Repeat({{0.0L, 4}}), 1, 0.0L});
  cases.push_back({"ones 30", FromRows(30, [](int, int) { return 1.0L; }), Repeat({{0.0L, 29}, {30.0L, 1}}), 2,
                   1.04e-17L});
  cases.push_back({"random 30", Lcg(30, 30, false), Values(kRand30), 30, kRand30EigenError});
  cases.push_back({"random 60", Lcg(60, 60, false), Values(kRand60), 60, kRand60EigenError});
  cases.push_back({"random 100", Lcg(100, 100, false), Values(kRand100), 100, kRand100EigenError});
  cases.push_back({"random 200", Lcg(200, 200, false), Values(kRand200), 200, kRand200EigenError});

  cases.push_back({"Frank 12", FromRows(12, [](int i, int j) -> long double {
                     return j >= i - 1 ? 12.0L - std::max(i, j) : 0.0L;
                   }),
                   Values(kFrank12), 12, kFrank12EigenError});
  cases.push_back({"companion of (x-1)...(x-15)", Companion15(),
                   Repeat({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {9, 1}, {10, 1},
                           {11, 1}, {12, 1}, {13, 1}, {14, 1}, {15, 1}}),
                   15, 4.5e-9L});
  cases.push_back({"Jordan block 8", FromRows(8, [](int i, int j) -> long double { return kJordan8[i * 8 + j]; }),
                   Repeat({{3.0L, 8}}), 1, 9.95e-3L});
  return cases;
}

long double Distance(Complex a, Complex b) { return std::hypot(a.re - b.re, a.im - b.im); }

// Every eigenvalue is present: assigned to the nearest listed root, the
// counts equal the multiplicities, and the error is at most ten times
// Eigen's or 1e-15 of the largest eigenvalue.
TEST(MatrixRootsTest, EveryRootWithItsMultiplicity) {
  for (const Case& t : Cases()) {
    std::vector<Complex> c;
    RootList r;
    ASSERT_EQ(MatrixPolynomialAndRoots(t.m, false, c, r, none), ResultCode::Ok) << t.name;
    EXPECT_EQ(r.roots.size(), t.distinct) << t.name;
    std::vector<int> count(r.roots.size(), 0);
    long double worst = 0.0L, scale = 0.0L;
    for (const Complex& e : t.eigenvalues) {
      scale = std::max(scale, std::hypot(e.re, e.im));
      size_t best = 0;
      for (size_t i = 1; i < r.roots.size(); ++i)
        if (Distance(r.roots[i], e) < Distance(r.roots[best], e)) best = i;
      ++count[best];
      worst = std::max(worst, Distance(r.roots[best], e));
    }
    for (size_t i = 0; i < r.roots.size(); ++i) EXPECT_EQ(count[i], r.multiplicities[i]) << t.name << " root " << i;
    EXPECT_LE(worst, std::max(10.0L * t.eigenError, 1e-15L * scale)) << t.name;
    // Conjugate pairs one to one, in order.
    for (size_t i = 0; i < r.roots.size(); ++i)
      if (r.roots[i].im > 0.0L) {
        ASSERT_LT(i + 1, r.roots.size());
        EXPECT_EQ(r.roots[i + 1], (Complex{r.roots[i].re, -r.roots[i].im})) << t.name;
        EXPECT_EQ(r.multiplicities[i + 1], r.multiplicities[i]);
      }
  }
}

// Complex mode: a Hermitian matrix (real roots), a triangular one with a
// defective double root 1 + i, and a general one (roots from mpmath).
TEST(MatrixRootsTest, ComplexMatrices) {
  const Complex i(0.0L, 1.0L);
  struct {
    std::vector<Complex> entries;
    std::vector<Complex> roots;
    std::vector<int> multiplicities;
  } cases[] = {
      {{2, i, 0, -1.0L * i, 2, 1, 0, 1, 3},
       {3.8019377358048382524722L, 2.44504186791262880857781L, 0.75302039628253293894999L},
       {1, 1, 1}},
      {{Complex(1, 1), 5, 2, 0, Complex(1, 1), Complex(3, -1), 0, 0, Complex(0, -2)},
       {Complex(1, 1), Complex(0, -2)},
       {2, 1}},
      {{Complex(0.5L, -1), 2, i, -1, Complex(1, 1), -0.25L, 3, Complex(0, -2), 0.75L, Complex(-1, 0.5L), 1, 2,
        Complex(2, -1), 0, Complex(0.5L, 0.5L), -1},
       {Complex(2.13940621729886782153927L, 0.0461444480171910466005238L),
        Complex(0.789192836818729255624313L, 2.24847229866081258945715L),
        Complex(-0.996957946797928965862393L, -2.42968280931594486256039L),
        Complex(-1.68164110731966811130119L, -0.864933937362058773497284L)},
       {1, 1, 1, 1}},
  };
  for (const auto& t : cases) {
    const int n = t.entries.size() == 16 ? 4 : 3;
    ComplexMatrix m(n, n);
    m.e() = t.entries;
    std::vector<Complex> c;
    RootList r;
    ASSERT_EQ(MatrixPolynomialAndRoots(m, true, c, r, none), ResultCode::Ok);
    ASSERT_EQ(r.roots.size(), t.roots.size());
    for (size_t k = 0; k < r.roots.size(); ++k) {
      EXPECT_LT(Distance(r.roots[k], t.roots[k]), 1e-17L) << k;
      EXPECT_EQ(r.multiplicities[k], t.multiplicities[k]) << k;
    }
  }
}

// The stored matrix's own polynomial: repeated roots survive modulo the
// prime, a perturbation far below rounding still shows.
TEST(MatrixRootsTest, StoredPolynomialSquareFree) {
  auto jordan = [](long double corner) {
    return FromRows(8, [&](int i, int j) -> long double { return kJordan8[i * 8 + j] + (i == 0 && j == 7 ? corner : 0); });
  };
  auto diagonal = [](std::vector<long double> d) {
    return FromRows(static_cast<int>(d.size()), [&](int i, int j) { return i == j ? d[i] : 0.0L; });
  };
  struct {
    const char* name;
    ComplexMatrix m;
    bool squareFree;
  } cases[] = {
      {"Jordan block 8", jordan(0.0L), false},
      {"Jordan block 8, corner 2^-70", jordan(std::ldexp(1.0L, -70)), true},
      {"[[1, 1], [1e-20, 1]]", FromRows(2, [](int i, int j) { return i == 1 && j == 0 ? 1e-20L : i <= j ? 1.0L : 0.0L; }),
       true},
      {"diag(1e-300, 1e300, 1e-300)", diagonal({1e-300L, 1e300L, 1e-300L}), false},
      {"diag(1e-300, 2e-300, 0.1)", diagonal({1e-300L, 2e-300L, 0.1L}), true},
      {"ones 30", FromRows(30, [](int, int) { return 1.0L; }), false},
      {"symmetric 50", Lcg(50, 50, true), true},
  };
  for (const auto& t : cases) EXPECT_EQ(StoredPolynomialIsSquareFree(t.m), t.squareFree) << t.name;
}

TEST(MatrixRootsTest, SymmetricMatricesHaveRealRoots) {
  for (int n : {5, 21, 40}) {
    std::vector<Complex> c;
    RootList r;
    ASSERT_EQ(MatrixPolynomialAndRoots(Lcg(n, 7 + n, true), false, c, r, none), ResultCode::Ok);
    int total = 0;
    for (size_t i = 0; i < r.roots.size(); ++i) {
      EXPECT_EQ(r.roots[i].im, 0.0L);
      total += r.multiplicities[i];
    }
    EXPECT_EQ(total, n);
  }
}

TEST(MatrixRootsTest, StopKeys) {
  for (int key : {'S', 'Q'}) {
    FakeInterrupt key1(key);  // taken by the reduction: no polynomial
    std::vector<Complex> c;
    RootList r;
    EXPECT_EQ(MatrixPolynomialAndRoots(Lcg(12, 3, false), false, c, r, key1), ResultCode::Stopped);
    EXPECT_TRUE(c.empty());
    // Taken by the root search: what was found so far, marked as stopped.
    HessenbergForm f;
    ASSERT_EQ(ReduceToHessenbergForm(Lcg(12, 3, false), false, f, none), ResultCode::Ok);
    FakeInterrupt key2(key);
    RootList partial;
    EXPECT_EQ(RootsOfForm(f, {}, {}, false, partial, key2), ResultCode::Stopped);
    int total = 0;
    for (int k : partial.multiplicities) total += k;
    EXPECT_LT(total, 12);
  }
  std::vector<Complex> c{1};
  RootList r;
  EXPECT_EQ(MatrixPolynomialAndRoots(ComplexMatrix(2, 3), false, c, r, none), ResultCode::Incompatible);
  EXPECT_TRUE(c.empty());
}

}  // namespace
}  // namespace tavrin
