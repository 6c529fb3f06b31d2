#include "engine/ExactSquareFree.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <vector>

namespace tavrin {

namespace {

constexpr uint64_t kPrime = 2305843009213693951ULL;  // 2^61 - 1

uint64_t Mul(uint64_t a, uint64_t b) { return static_cast<uint64_t>(static_cast<unsigned __int128>(a) * b % kPrime); }
uint64_t Add(uint64_t a, uint64_t b) { return (a + b) % kPrime; }
uint64_t Sub(uint64_t a, uint64_t b) { return (a + kPrime - b) % kPrime; }
uint64_t Pow(uint64_t a, uint64_t e) {
  uint64_t r = 1;
  for (; e; e >>= 1, a = Mul(a, a))
    if (e & 1) r = Mul(r, a);
  return r;
}
uint64_t Inverse(uint64_t a) { return Pow(a, kPrime - 2); }

}  // namespace

namespace {
uint64_t MulModP(uint64_t a, uint64_t b, uint64_t p) {
  return static_cast<uint64_t>(static_cast<unsigned __int128>(a) * b % p);
}
uint64_t PowModP(uint64_t a, uint64_t e, uint64_t p) {
  uint64_t r = 1;
  for (; e; e >>= 1, a = MulModP(a, a, p))
    if (e & 1) r = MulModP(r, a, p);
  return r;
}
}  // namespace

// Degree of gcd(a, b) over the integers modulo p (a, b highest power first,
// leading coefficients non-zero).
int GcdDegreeModP(std::vector<uint64_t> a, std::vector<uint64_t> b, uint64_t p) {
  auto trim = [](std::vector<uint64_t>& x) {
    size_t k = 0;
    while (k < x.size() && x[k] == 0) ++k;
    x.erase(x.begin(), x.begin() + static_cast<long>(k));
  };
  trim(a);
  trim(b);
  while (!b.empty()) {
    if (a.size() < b.size()) std::swap(a, b);
    const uint64_t inv = PowModP(b[0], p - 2, p);
    while (a.size() >= b.size() && !a.empty()) {
      const uint64_t f = MulModP(a[0], inv, p);
      for (size_t i = 0; i < b.size(); ++i) a[i] = (a[i] + p - MulModP(f, b[i], p)) % p;
      trim(a);
    }
    std::swap(a, b);
  }
  return static_cast<int>(a.size()) - 1;
}

bool StoredPolynomialIsSquareFree(const ComplexMatrix& m) {
  const int n = m.rows;
  if (n != m.cols) return false;
  if (n < 2) return true;
  // Every entry is mantissa * 2^exponent with a 64-bit integer mantissa;
  // scaled by 2^-(least exponent) the matrix is integer, and scaling does
  // not change which roots repeat.
  long least = LONG_MAX;
  std::vector<uint64_t> mantissa(m.size());
  std::vector<long> exponent(m.size());
  std::vector<bool> negative(m.size());
  for (size_t i = 0; i < m.size(); ++i) {
    if (m.entry(i).im != 0.0L || !std::isfinite(m.entry(i).re)) return false;
    if (m.entry(i).re == 0.0L) continue;
    int e;
    long double frac = std::frexp(std::fabs(m.entry(i).re), &e);
    mantissa[i] = static_cast<uint64_t>(std::ldexp(frac, 64));
    exponent[i] = e - 64;
    negative[i] = m.entry(i).re < 0.0L;
    least = std::min(least, exponent[i]);
  }
  std::vector<uint64_t> a(m.size(), 0);
  for (size_t i = 0; i < m.size(); ++i) {
    if (m.entry(i).re == 0.0L) continue;
    uint64_t v = Mul(mantissa[i] % kPrime, Pow(2, static_cast<uint64_t>(exponent[i] - least)));
    a[i] = negative[i] ? Sub(0, v) : v;
  }
  auto A = [&](int i, int j) -> uint64_t& { return a[static_cast<size_t>(i) * n + j]; };
  // Hessenberg form by elimination similarities.
  for (int k = 0; k + 2 < n; ++k) {
    int r = k + 1;
    while (r < n && A(r, k) == 0) ++r;
    if (r == n) continue;
    if (r != k + 1) {
      for (int j = 0; j < n; ++j) std::swap(A(r, j), A(k + 1, j));
      for (int i = 0; i < n; ++i) std::swap(A(i, r), A(i, k + 1));
    }
    const uint64_t inv = Inverse(A(k + 1, k));
    for (int i = k + 2; i < n; ++i) {
      if (A(i, k) == 0) continue;
      const uint64_t f = Mul(A(i, k), inv);
      for (int j = k; j < n; ++j) A(i, j) = Sub(A(i, j), Mul(f, A(k + 1, j)));
      for (int l = 0; l < n; ++l) A(l, k + 1) = Add(A(l, k + 1), Mul(f, A(l, i)));
    }
  }
  // The Hessenberg recurrence for det(xI - H), highest power first.
  std::vector<std::vector<uint64_t>> p(n + 1);
  p[0] = {1};
  for (int k = 1; k <= n; ++k) {
    std::vector<uint64_t>& pk = p[k];
    pk.assign(k + 1, 0);
    for (int i = 0; i < k; ++i) {
      pk[i] = Add(pk[i], p[k - 1][i]);
      pk[i + 1] = Sub(pk[i + 1], Mul(A(k - 1, k - 1), p[k - 1][i]));
    }
    uint64_t product = 1;
    for (int i = k - 1; i >= 1; --i) {
      product = Mul(product, A(i, i - 1));
      const uint64_t f = Mul(A(i - 1, k - 1), product);
      if (f == 0) continue;
      const int offset = k - (i - 1);
      for (int t = 0; t < i; ++t) pk[offset + t] = Sub(pk[offset + t], Mul(f, p[i - 1][t]));
    }
  }
  std::vector<uint64_t> d(n);
  for (int i = 0; i < n; ++i) d[i] = Mul(p[n][i], static_cast<uint64_t>(n - i));
  return GcdDegreeModP(p[n], d, kPrime) == 0;
}

}  // namespace tavrin
