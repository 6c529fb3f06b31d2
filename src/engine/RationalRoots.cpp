#include "engine/RationalRoots.h"

#include <algorithm>
#include <cmath>

#include "engine/CharacteristicPolynomial.h"
#include "engine/ExactSquareFree.h"
#include "engine/Eigenvalues.h"

namespace tavrin {

namespace {

using IntPoly = std::vector<mpz_class>;  // highest power first

// The top 64 bits of |v| and the power of two they stand for.
long double Top64(const mpz_class& v, long& exponent) {
  mpz_class a = abs(v);
  const long bits = static_cast<long>(mpz_sizeinbase(a.get_mpz_t(), 2));
  exponent = bits > 64 ? bits - 64 : 0;
  if (exponent > 0) mpz_tdiv_q_2exp(a.get_mpz_t(), a.get_mpz_t(), static_cast<mp_bitcnt_t>(exponent));
  long double x = static_cast<long double>(mpz_get_ui(a.get_mpz_t()));
  return sgn(v) < 0 ? -x : x;
}

// P(a/b) * b^deg, exactly: zero exactly when a/b is a root.
mpz_class HomogeneousValue(const IntPoly& p, const mpz_class& a, const mpz_class& b) {
  mpz_class v = p[0], power = 1;
  for (size_t i = 1; i < p.size(); ++i) {
    power *= b;
    v = v * a + p[i] * power;
  }
  return v;
}

// p / (b x - a), exact when a/b is a root of p.
IntPoly DivideByLinear(const IntPoly& p, const mpz_class& a, const mpz_class& b) {
  IntPoly q(p.size() - 1);
  mpz_class prev = 0;
  for (size_t i = 0; i + 1 < p.size(); ++i) {
    mpz_class t = p[i] + a * prev;
    mpz_divexact(q[i].get_mpz_t(), t.get_mpz_t(), b.get_mpz_t());
    prev = q[i];
  }
  return q;
}

// Multiplication modulo a prime below 2^63.
uint64_t MulMod(uint64_t a, uint64_t b, uint64_t p) {
  return static_cast<uint64_t>(static_cast<unsigned __int128>(a) * b % p);
}

// True when p certainly has no repeated factor: for a prime not dividing
// its leading coefficient, a repeated factor would survive modulo the prime.
bool SquareFree(const IntPoly& p) {
  const int n = static_cast<int>(p.size()) - 1;
  if (n < 2) return true;
  for (uint64_t prime : {2305843009213693951ULL, 4611686018427387847ULL, 9223372036854775783ULL}) {
    std::vector<uint64_t> a(n + 1), d(n);
    for (int i = 0; i <= n; ++i) a[i] = mpz_fdiv_ui(p[i].get_mpz_t(), prime);
    if (a[0] == 0) continue;
    for (int i = 0; i < n; ++i) d[i] = MulMod(a[i], static_cast<uint64_t>(n - i) % prime, prime);
    return GcdDegreeModP(a, d, prime) == 0;
  }
  return false;
}

// Rationals a/b near x whose denominator divides `lead`: the nearest
// multiple of 1/lead and the continued-fraction convergents of x.
std::vector<std::pair<mpz_class, mpz_class>> Candidates(long double x, const mpz_class& lead) {
  std::vector<std::pair<mpz_class, mpz_class>> out;
  auto add = [&](const mpz_class& a, const mpz_class& b) {
    mpz_class g = gcd(a, b), na = a / g, nb = b / g;
    if (nb < 0) {
      na = -na;
      nb = -nb;
    }
    if (mpz_divisible_p(lead.get_mpz_t(), nb.get_mpz_t()) == 0) return;
    for (auto& c : out)
      if (c.first == na && c.second == nb) return;
    out.emplace_back(na, nb);
  };
  long exponent;
  long double l = Top64(lead, exponent);
  long double scaled = x * std::ldexp(l, static_cast<int>(exponent));
  if (std::fabs(scaled) < 9.0e18L) {
    mpz_class a;
    long double r = std::nearbyint(scaled);
    a = static_cast<long>(r);
    add(a, lead);
  }
  // Convergents h/k of x.
  mpz_class h0 = 1, h1 = 0, k0 = 0, k1 = 1;
  long double y = x;
  for (int i = 0; i < 40 && std::isfinite(y) && std::fabs(y) < 9.0e18L; ++i) {
    long double t = std::floor(y);
    mpz_class q = static_cast<long>(t);
    mpz_class h = q * h0 + h1, k = q * k0 + k1;
    h1 = h0;
    h0 = h;
    k1 = k0;
    k0 = k;
    if (k0 > lead) break;
    add(h0, k0);
    long double frac = y - t;
    if (frac == 0.0L) break;
    y = 1.0L / frac;
  }
  return out;
}

// How many of the eigenvalues behind `roots` lie nearest to z: removes k of
// them, the nearest first.
void RemoveNearest(RootList& roots, Complex z, int k) {
  for (; k > 0; --k) {
    size_t bestRoot = 0, bestMember = 0;
    long double best = INFINITY;
    for (size_t r = 0; r < roots.eigenvalues.size(); ++r)
      for (size_t i = 0; i < roots.eigenvalues[r].size(); ++i) {
        Complex d = roots.eigenvalues[r][i] - z;
        long double dist = std::hypot(d.re, d.im);
        if (dist < best) {
          best = dist;
          bestRoot = r;
          bestMember = i;
        }
      }
    if (!std::isfinite(best)) return;
    auto& members = roots.eigenvalues[bestRoot];
    members.erase(members.begin() + static_cast<long>(bestMember));
    if (--roots.multiplicities[bestRoot] == 0) {
      roots.roots.erase(roots.roots.begin() + static_cast<long>(bestRoot));
      roots.multiplicities.erase(roots.multiplicities.begin() + static_cast<long>(bestRoot));
      roots.eigenvalues.erase(roots.eigenvalues.begin() + static_cast<long>(bestRoot));
    }
  }
}

}  // namespace

long double ToLongDouble(const mpz_class& v) {
  long exponent;
  long double x = Top64(v, exponent);
  return std::ldexp(x, static_cast<int>(exponent));
}

long double ToLongDouble(const Fraction& f) {
  long e1, e2;
  long double a = Top64(f.num.Value(), e1), b = Top64(f.den.Value(), e2);
  if (b == 0.0L) return a == 0.0L ? 0.0L : INFINITY;
  return std::ldexp(a / b, static_cast<int>(e1 - e2));
}

ResultCode IntegerMatrixRoots(const IntegerMatrix& m, const std::vector<Fraction>& c, IntegerRoots& out,
                              Interrupt& stop) {
  out = IntegerRoots{};
  const int n = static_cast<int>(c.size()) - 1;
  if (n < 1 || m.rows != n || m.cols != n) return ResultCode::Ok;

  // The primitive integer multiple of c.
  mpz_class common = 1;
  for (const Fraction& x : c) common = lcm(common, x.den.Value());
  IntPoly p(n + 1);
  mpz_class content = 0;
  for (int i = 0; i <= n; ++i) {
    p[i] = c[i].num.Value() * (common / c[i].den.Value());
    content = gcd(content, p[i]);
  }
  if (content > 1)
    for (mpz_class& x : p) mpz_divexact(x.get_mpz_t(), x.get_mpz_t(), content.get_mpz_t());

  // The eigenvalues of the matrix in 80-bit arithmetic, grouped with the
  // exact polynomial as witness (its coefficients rounded once).
  ComplexMatrix a(n, n);
  for (size_t i = 0; i < a.size(); ++i) a.e()[i] = Complex(ToLongDouble(Fraction{m.e[i], m.denominator}), 0.0L);
  std::vector<Complex> cf(n + 1);
  std::vector<long double> error(n + 1);
  for (int i = 0; i <= n; ++i) {
    cf[i] = Complex(ToLongDouble(c[i]), 0.0L);
    error[i] = 2.0L * 5.421010862427522170e-20L * std::fabs(cf[i].re);
  }
  HessenbergForm f;
  if (ResultCode rc = ReduceToHessenbergForm(a, false, f, stop); NotOk(rc)) return rc;
  bool stopped = IsStopped(RootsOfForm(f, cf, error, false, out.others, stop));

  // Rational roots: candidates near every real root, tested exactly.
  std::vector<Complex> seeds;
  for (size_t r = 0; r < out.others.roots.size(); ++r) {
    if (out.others.roots[r].im != 0.0L) continue;
    seeds.push_back(out.others.roots[r]);
    for (const Complex& z : out.others.eigenvalues[r])
      if (z.im == 0.0L && z.re != out.others.roots[r].re) seeds.push_back(z);
  }
  std::vector<std::pair<Fraction, int>> found;
  for (const Complex& z : seeds) {
    if (p.size() < 2) break;
    if (stop.QuitOrStop()) {
      stopped = true;
      break;
    }
    for (auto& [num, den] : Candidates(z.re, p[0])) {
      int k = 0;
      while (p.size() >= 2 && HomogeneousValue(p, num, den) == 0) {
        p = DivideByLinear(p, num, den);
        ++k;
      }
      if (k > 0) found.push_back({Fraction{BigInteger(num), BigInteger(den)}, k});
    }
  }
  std::sort(found.begin(), found.end(), [](const auto& x, const auto& y) {
    return x.first.num.Value() * y.first.den.Value() > y.first.num.Value() * x.first.den.Value();
  });
  for (auto& [value, k] : found) {
    RemoveNearest(out.others, Complex(ToLongDouble(value), 0.0L), k);
    out.rational.push_back(value);
    out.rationalMultiplicities.push_back(k);
  }

  // What remains has no repeated root: every eigenvalue is a root of its own.
  if (!stopped && SquareFree(p)) {
    RootList single;
    for (size_t r = 0; r < out.others.roots.size(); ++r) {
      if (out.others.multiplicities[r] == 1) {
        single.roots.push_back(out.others.roots[r]);
        single.eigenvalues.push_back(out.others.eigenvalues[r]);
      } else {
        for (const Complex& z : out.others.eigenvalues[r]) {
          single.roots.push_back(z);
          single.eigenvalues.push_back({z});
        }
      }
    }
    std::vector<size_t> order(single.roots.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t x, size_t y) {
      Complex a1 = single.roots[x], b1 = single.roots[y];
      return a1.re > b1.re || (a1.re == b1.re && a1.im > b1.im);
    });
    RootList sorted;
    for (size_t i : order) {
      sorted.roots.push_back(single.roots[i]);
      sorted.multiplicities.push_back(1);
      sorted.eigenvalues.push_back(single.eigenvalues[i]);
    }
    out.others = std::move(sorted);
  }
  return stopped ? ResultCode::Stopped : ResultCode::Ok;
}

}  // namespace tavrin
