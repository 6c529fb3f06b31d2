#include "engine/RootFinder.h"

#include <algorithm>
#include <cmath>

#include "core/PollKey.h"
#include "core/Random.h"
#include "core/Thresholds.h"

namespace tavrin {

namespace {

using Poly = std::vector<Complex>;

constexpr long double kTiny = 1e-16L;

long double Mag1(Complex a) { return std::fabs(a.re) + std::fabs(a.im); }
long double Norm2(Complex a) { return a.re * a.re + a.im * a.im; }
Complex Conj(Complex a) { return {a.re, -a.im}; }
int Degree(const Poly& p) { return static_cast<int>(p.size()) - 1; }

// a / b with the reciprocal scale floored, as every division of the engine.
Complex Quotient(Complex a, Complex b) {
  long double m = Norm2(b);
  long double q = 1.0L / (m < kTiny ? kTiny : m);
  return {q * (b.re * a.re + b.im * a.im), q * (b.re * a.im - b.im * a.re)};
}

Poly Derivative(const Poly& p) {
  const int n = Degree(p);
  Poly d(n > 0 ? n : 1, kComplexZero);
  for (int i = 0; i < n; ++i) d[i] = static_cast<long double>(n - i) * p[i];
  return d;
}

// Division with remainder; false when the divisor's leading coefficient is
// too small. Leading remainder coefficients not above 1e-16 are dropped.
bool DivideWithRemainder(const Poly& a, const Poly& b, Poly& quotient, Poly& remainder) {
  if (b.empty() || Mag1(b[0]) < kTiny) return false;
  const int da = Degree(a), db = Degree(b);
  if (da < db) {
    quotient.clear();
    remainder = a;
    return true;
  }
  Poly r = a;
  quotient.assign(da - db + 1, kComplexZero);
  for (int i = 0; i <= da - db; ++i) {
    Complex f = Quotient(r[i], b[0]);
    quotient[i] = f;
    for (int j = 0; j <= db; ++j) r[i + j] -= f * b[j];
  }
  int first = da - db + 1;
  while (first <= da && Mag1(r[first]) <= kTiny) ++first;
  if (first > da) remainder = Poly{kComplexZero};
  else remainder.assign(r.begin() + first, r.end());
  return true;
}

long double MaxCoefficient(const Poly& p) {
  long double m = 0.0L;
  for (const Complex& x : p) m = std::max(m, Mag1(x));
  return m;
}

// Greatest common divisor of p and p', made monic. False on failure. Every
// remainder is scaled to unit size and judged against the size of the
// polynomial it came from, so that large coefficients (roots of modulus
// beyond one, high degrees) do not hide a common factor behind rounding.
bool Gcd(const Poly& p, const Poly& dp, Poly& g) {
  Poly a = p, b = dp, q, r;
  auto unit = [](Poly& x) {
    long double m = MaxCoefficient(x);
    if (m > 0.0L)
      for (Complex& c : x) c = (1.0L / m) * c;
  };
  unit(a);
  unit(b);
  const int limit = Degree(p) + Degree(dp) + 2;
  for (int pass = 1;; ++pass) {
    if (!DivideWithRemainder(a, b, q, r)) return false;
    bool last = Degree(r) < 1 || pass >= limit;
    if (MaxCoefficient(r) < 1e-11L) {
      r = b;
      last = true;
    }
    unit(r);
    a = std::move(b);
    b = r;
    if (last) break;
  }
  if (Norm2(b[0]) < kTiny) return false;
  Complex inv = Quotient(kComplexOne, b[0]);
  g = b;
  for (Complex& x : g) x = x * inv;
  return true;
}

// The Newton map (z q'(z) - q(z)) / q'(z); false when q'(z) is too small.
bool NewtonMap(const Poly& num, const Poly& den, Complex z, Complex& out) {
  Complex d = EvaluatePolynomial(den, z);
  if (Mag1(d) < kTiny) return false;
  out = Quotient(EvaluatePolynomial(num, z), d);
  return true;
}

bool FarFromAll(const std::vector<Complex>& roots, Complex z, long double threshold) {
  for (const Complex& r : roots)
    if (Mag1(z - r) < threshold) return false;
  return true;
}

// All roots of q at once by the Aberth-Ehrlich iteration.
std::vector<Complex> Aberth(const Poly& q) {
  const int m = Degree(q);
  std::vector<Complex> z(m);
  if (m < 1) return z;
  const Poly dq = Derivative(q);
  // Start on a circle whose radius is the geometric mean of the root moduli
  // (or a bound on them when zero is a root), turned off the real axis.
  long double lead = std::sqrt(Norm2(q[0]));
  long double radius = 0.0L;
  long double last = std::sqrt(Norm2(q[m]));
  if (last > 0.0L) radius = std::pow(last / lead, 1.0L / m);
  if (!(radius > 0.0L) || !std::isfinite(radius)) {
    for (int i = 1; i <= m; ++i)
      radius = std::max(radius, std::pow(std::sqrt(Norm2(q[i])) / lead, 1.0L / i));
    if (!(radius > 0.0L)) radius = 1.0L;
  }
  const long double pi = 3.141592653589793238462643383279502884L;
  for (int k = 0; k < m; ++k) {
    long double angle = 2.0L * pi * k / m + 0.4L;
    z[k] = Complex(radius * std::cos(angle), radius * std::sin(angle));
  }
  std::vector<bool> done(m, false);
  for (int iteration = 0; iteration < 1000; ++iteration) {
    bool all = true;
    for (int k = 0; k < m; ++k) {
      if (done[k]) continue;
      Complex pv = EvaluatePolynomial(q, z[k]);
      Complex dv = EvaluatePolynomial(dq, z[k]);
      if (pv == kComplexZero) {
        done[k] = true;
        continue;
      }
      Complex w = Norm2(dv) > 0.0L ? Quotient(pv, dv) : Complex(1e-3L * (1.0L + radius), 0.0L);
      Complex s;
      for (int j = 0; j < m; ++j)
        if (j != k) {
          Complex d = z[k] - z[j];
          if (Norm2(d) > 0.0L) s += Quotient(kComplexOne, d);
        }
      Complex denom = kComplexOne - w * s;
      Complex step = Norm2(denom) > 0.0L ? Quotient(w, denom) : w;
      z[k] -= step;
      if (Mag1(step) <= 1e-18L * (1.0L + Mag1(z[k]))) done[k] = true;
      else all = false;
    }
    if (all) break;
  }
  return z;
}

// A few Newton steps on q, kept only while they lower the residual.
Complex Polish(const Poly& q, const Poly& dq, Complex z) {
  long double best = Mag1(EvaluatePolynomial(q, z));
  for (int i = 0; i < 10 && best > 0.0L; ++i) {
    Complex d = EvaluatePolynomial(dq, z);
    if (Norm2(d) == 0.0L) break;
    Complex t = z - Quotient(EvaluatePolynomial(q, z), d);
    long double res = Mag1(EvaluatePolynomial(q, t));
    if (!(res < best)) break;
    best = res;
    z = t;
  }
  return z;
}

// The size of the terms of p at z (at least 1): the scale of its rounding.
long double Size(const Poly& p, Complex z) {
  long double v = 0.0L, r = std::sqrt(Norm2(z));
  for (const Complex& x : p) v = std::sqrt(Norm2(x)) + r * v;
  return std::max(v, 1.0L);
}

}  // namespace

Complex EvaluatePolynomial(const std::vector<Complex>& c, Complex z) {
  Complex v = kComplexZero;
  for (const Complex& x : c) v = x + z * v;
  return v;
}

RootList FindRoots(const std::vector<Complex>& p, bool complexMatrix, long double acceptance) {
  RootList out;
  const int n = Degree(p);
  if (n < 1 || Mag1(p[0]) < kTiny) return out;

  // Square-free part q: the same roots as p, each once.
  const Poly dp = Derivative(p);
  Poly q = p, g, quotient, remainder;
  if (Gcd(p, dp, g) && Degree(g) >= 1 && DivideWithRemainder(p, g, quotient, remainder) &&
      !quotient.empty())
    q = quotient;
  const int m = Degree(q);

  // The Newton map's numerator and denominator.
  Poly num(m + 1), den = Derivative(q);
  for (int i = 0; i <= m; ++i) num[i] = static_cast<long double>(m - i - 1) * q[i];

  long double radius = 1e-13L;
  for (const Complex& x : q) {
    long double m2 = Norm2(x);
    radius = std::max(radius, m2 < 1e-31L ? 0.0L : std::sqrt(m2));
  }

  std::vector<Complex>& roots = out.roots;
  RandomGenerator& random = ProgramRandom();
  for (int attempt = 0; attempt <= 200 && static_cast<int>(roots.size()) < m; ++attempt) {
    if (PollKey() == 'S') {
      out.stopped = true;
      break;
    }
    long double u1 = random.Range(0.0L, 1.0L);
    long double u2 = random.Range(0.0L, 1.0L);
    Complex z(radius * (2.0L * u2 - 1.0L), radius * (2.0L * u1 - 1.0L));
    long double step = 1.0L;
    for (int i = 0; i < 100 && step > 1e-13L; ++i) {
      Complex next;
      if (!NewtonMap(num, den, z, next)) next = kComplexZero;
      step = Mag1(next - z);
      z = next;
    }
    if (!(step < 1e-13L)) continue;
    for (int i = 0; i < 50; ++i) {
      Complex next;
      if (NewtonMap(num, den, z, next)) z = next;
    }
    if (!(Mag1(EvaluatePolynomial(q, z)) <= acceptance) || !FarFromAll(roots, z, acceptance)) continue;
    roots.push_back(z);
    // The conjugate of a complex root of a real polynomial is a root too;
    // it is added only while the list has room for it.
    if (!complexMatrix && std::fabs(z.im) > 1e-13L && static_cast<int>(roots.size()) < m &&
        FarFromAll(roots, Conj(z), acceptance))
      roots.push_back(Conj(z));
  }

  // Roots the search missed: take all of q's roots from Aberth-Ehrlich, drop
  // the one nearest to each root already listed, and list the rest.
  if (!out.stopped && static_cast<int>(roots.size()) < m) {
    std::vector<Complex> all = Aberth(q);
    for (const Complex& r : roots) {
      size_t best = all.size();
      long double bestDistance = 0.0L;
      for (size_t i = 0; i < all.size(); ++i) {
        long double d = Mag1(all[i] - r);
        if (best == all.size() || d < bestDistance) {
          best = i;
          bestDistance = d;
        }
      }
      if (best < all.size()) all.erase(all.begin() + static_cast<long>(best));
    }
    const Poly dq = Derivative(q);
    if (!complexMatrix) {
      // Real polynomial: pair each root above the axis with an exact
      // conjugate below it, and put roots on the axis when they sit on it.
      for (size_t i = 0; i < all.size(); ++i) {
        if (std::fabs(all[i].im) <= 1e-13L * (1.0L + std::fabs(all[i].re))) all[i].im = 0.0L;
      }
      for (size_t i = 0; i < all.size(); ++i) {
        if (all[i].im <= 0.0L) continue;
        size_t best = all.size();
        long double bestDistance = 0.0L;
        for (size_t j = 0; j < all.size(); ++j) {
          if (all[j].im >= 0.0L) continue;
          long double d = Mag1(all[j] - Conj(all[i]));
          if (best == all.size() || d < bestDistance) {
            best = j;
            bestDistance = d;
          }
        }
        if (best < all.size()) {
          all[i] = Polish(q, dq, all[i]);
          all[best] = Conj(all[i]);
        }
      }
    }
    for (Complex z : all) {
      if (static_cast<int>(roots.size()) >= m) break;
      if (complexMatrix || z.im == 0.0L) z = Polish(q, dq, z);
      roots.push_back(z);
    }
  }

  // Multiplicities from the derivatives of the full polynomial.
  out.multiplicities.assign(roots.size(), 1);
  int total = static_cast<int>(roots.size());
  Poly d = p;
  for (int k = 1; total < n && k <= n; ++k) {
    d = Derivative(d);
    for (size_t i = 0; i < roots.size() && total < n; ++i) {
      if (Mag1(EvaluatePolynomial(d, roots[i])) < 1e-13L * Size(d, roots[i])) {
        ++out.multiplicities[i];
        ++total;
      }
    }
  }
  return out;
}

}  // namespace tavrin
