#include "engine/ShiftedHessenberg.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>

namespace tavrin {

namespace {

using Real = long double;

// The 80-bit factorisation and the quick double one differ only in these:
// the size a pivot is chosen by, the quotient and the conjugate.
Real PivotSize(const Complex& a) { return Magnitude1(a); }
double PivotSize(const std::complex<double>& a) { return std::abs(a); }
Complex Quotient(Complex a, Complex b) { return SmithQuotient(a, b); }
std::complex<double> Quotient(std::complex<double> a, std::complex<double> b) { return a / b; }
Complex Conj(Complex a) { return Conjugate(a); }
std::complex<double> Conj(std::complex<double> a) { return std::conj(a); }

// Factors H - zI in u (row-major n x n holding H; only the Hessenberg part
// is read) by Gaussian elimination with partial pivoting: only neighbouring
// rows ever swap. A zero pivot becomes `tiny` so that solves stay finite:
// the eigenvector of an exact eigenvalue is still found.
template <class C>
void Factor(int n, std::vector<C>& u, std::vector<C>& mult, std::vector<bool>& swapped, C z, C tiny) {
  auto U = [&](int i, int j) -> C& { return u[static_cast<size_t>(i) * n + j]; };
  for (int i = 0; i < n; ++i) U(i, i) -= z;
  for (int k = 0; k < n; ++k) {
    if (k + 1 < n) {
      if (PivotSize(U(k + 1, k)) > PivotSize(U(k, k))) {
        swapped[k] = true;
        for (int j = k; j < n; ++j) std::swap(U(k, j), U(k + 1, j));
      }
      if (U(k, k) == C()) U(k, k) = tiny;
      const C m = Quotient(U(k + 1, k), U(k, k));
      mult[k] = m;
      U(k + 1, k) = C();
      if (m != C())
        for (int j = k + 1; j < n; ++j) U(k + 1, j) -= m * U(k, j);
    } else if (U(k, k) == C()) {
      U(k, k) = tiny;
    }
  }
}

// b := (H - zI)^-1 b from the factors.
template <class C>
void SolveFactored(int n, const std::vector<C>& u, const std::vector<C>& mult, const std::vector<bool>& swapped,
                   std::vector<C>& b) {
  for (int k = 0; k + 1 < n; ++k) {
    if (swapped[k]) std::swap(b[k], b[k + 1]);
    b[k + 1] -= mult[k] * b[k];
  }
  for (int i = n - 1; i >= 0; --i) {
    C s = b[i];
    const C* row = &u[static_cast<size_t>(i) * n];
    for (int j = i + 1; j < n; ++j) s -= row[j] * b[j];
    b[i] = Quotient(s, row[i]);
  }
}

// b := (H - zI)^-H b: U^H w = b forward, then L^H and the swaps backward.
template <class C>
void SolveAdjointFactored(int n, const std::vector<C>& u, const std::vector<C>& mult,
                          const std::vector<bool>& swapped, std::vector<C>& b) {
  for (int i = 0; i < n; ++i) {
    const C* row = &u[static_cast<size_t>(i) * n];
    b[i] = Quotient(b[i], Conj(row[i]));
    const C w = b[i];
    for (int j = i + 1; j < n; ++j) b[j] -= Conj(row[j]) * w;
  }
  for (int k = n - 2; k >= 0; --k) {
    b[k] -= Conj(mult[k]) * b[k + 1];
    if (swapped[k]) std::swap(b[k], b[k + 1]);
  }
}

Real Norm(const std::vector<Complex>& v) {
  Real scale = 0.0L;
  for (const Complex& x : v) scale = std::max(scale, Magnitude1(x));
  if (scale == 0.0L || !std::isfinite(scale)) return scale;
  Real s = 0.0L;
  for (const Complex& x : v) {
    Real a = x.re / scale, b = x.im / scale;
    s += a * a + b * b;
  }
  return scale * std::sqrt(s);
}

void Normalise(std::vector<Complex>& v) {
  Real m = Norm(v);
  if (m > 0.0L && std::isfinite(m))
    for (Complex& x : v) x = (1.0L / m) * x;
}

// A fixed start vector with no special structure.
std::vector<Complex> StartVector(int n) {
  std::vector<Complex> v(n);
  for (int i = 0; i < n; ++i) v[i] = Complex(1.0L + 0.37L * ((i * 7919) % 13) / 13.0L, 0.0L);
  Normalise(v);
  return v;
}

}  // namespace

ShiftedHessenberg::ShiftedHessenberg(const HessenbergForm& f, Complex z)
    : n_(f.n), u_(f.h), mult_(f.n), swap_(f.n, false) {
  const Real tiny = (f.norm > 0.0L ? f.norm : 1.0L) * 1e-40L;
  Factor(n_, u_, mult_, swap_, z, Complex(tiny, 0.0L));
}

void ShiftedHessenberg::Solve(std::vector<Complex>& b) const { SolveFactored(n_, u_, mult_, swap_, b); }

void ShiftedHessenberg::SolveAdjoint(std::vector<Complex>& b) const {
  SolveAdjointFactored(n_, u_, mult_, swap_, b);
}

long double ShiftedHessenberg::SmallestSingularValue() const {
  if (n_ == 0) return 0.0L;
  std::vector<Complex> v = StartVector(n_);
  Real best = 0.0L;
  for (int step = 0; step < 4; ++step) {
    if (step % 2 == 0) Solve(v);
    else SolveAdjoint(v);
    Real g = Norm(v);
    if (!std::isfinite(g)) return 0.0L;
    best = std::max(best, g);
    Normalise(v);
  }
  return best > 0.0L ? 1.0L / best : std::numeric_limits<Real>::max();
}

long double ShiftedHessenberg::QuickEigenvalueCondition(const HessenbergForm& f, Complex z) {
  using C = std::complex<double>;
  const int n = f.n;
  if (n == 0) return 1.0L;
  std::vector<C> u(static_cast<size_t>(n) * n), mult(n);
  std::vector<bool> swapped(n, false);
  auto U = [&](int i, int j) -> C& { return u[static_cast<size_t>(i) * n + j]; };
  for (int i = 0; i < n; ++i)
    for (int j = std::max(i - 1, 0); j < n; ++j)
      U(i, j) = C(static_cast<double>(f.at(i, j).re), static_cast<double>(f.at(i, j).im));
  const C shift(static_cast<double>(z.re), static_cast<double>(z.im));
  const double tiny = static_cast<double>(f.norm > 0.0L ? f.norm : 1.0L) * 1e-40;
  Factor(n, u, mult, swapped, shift, C(tiny));
  auto normalise = [](std::vector<C>& v) {
    double m = 0.0;
    for (const C& x : v) m = std::max(m, std::abs(x));
    if (m > 0.0 && std::isfinite(m))
      for (C& x : v) x /= m;
    double s = 0.0;
    for (const C& x : v) s += std::norm(x);
    s = std::sqrt(s);
    if (s > 0.0)
      for (C& x : v) x /= s;
  };
  std::vector<C> x(n), y(n);
  for (int i = 0; i < n; ++i) x[i] = y[i] = 1.0 + 0.37 * ((i * 7919) % 13) / 13.0;
  SolveFactored(n, u, mult, swapped, x);
  SolveAdjointFactored(n, u, mult, swapped, y);
  normalise(x);
  normalise(y);
  C d = 0.0;
  for (int i = 0; i < n; ++i) d += std::conj(y[i]) * x[i];
  const double m = std::abs(d);
  if (!(m > 0.0) || !std::isfinite(m)) return std::numeric_limits<Real>::max();
  return 1.0L / m;
}

}  // namespace tavrin
