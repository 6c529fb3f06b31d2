#include "engine/ShiftedHessenberg.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>

namespace tavrin {

namespace {

using Real = long double;

Complex Conj(Complex a) { return {a.re, -a.im}; }
Real Mag1(Complex a) { return std::fabs(a.re) + std::fabs(a.im); }

Complex Div(Complex a, Complex b) {
  if (std::fabs(b.re) >= std::fabs(b.im)) {
    Real r = b.im / b.re, d = b.re + b.im * r;
    return {(a.re + a.im * r) / d, (a.im - a.re * r) / d};
  }
  Real r = b.re / b.im, d = b.im + b.re * r;
  return {(a.re * r + a.im) / d, (a.im * r - a.re) / d};
}

Real Norm(const std::vector<Complex>& v) {
  Real scale = 0.0L;
  for (const Complex& x : v) scale = std::max(scale, Mag1(x));
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
  const int n = n_;
  auto U = [&](int i, int j) -> Complex& { return u_[static_cast<size_t>(i) * n + j]; };
  for (int i = 0; i < n; ++i) U(i, i) -= z;
  // A zero pivot becomes a tiny one so that solves stay finite: the
  // eigenvector of an exact eigenvalue is still found.
  const Real tiny = (f.norm > 0.0L ? f.norm : 1.0L) * 1e-40L;
  for (int k = 0; k < n; ++k) {
    if (k + 1 < n) {
      if (Mag1(U(k + 1, k)) > Mag1(U(k, k))) {
        swap_[k] = true;
        for (int j = k; j < n; ++j) std::swap(U(k, j), U(k + 1, j));
      }
      if (U(k, k) == kComplexZero) U(k, k) = Complex(tiny, 0.0L);
      Complex m = Div(U(k + 1, k), U(k, k));
      mult_[k] = m;
      U(k + 1, k) = kComplexZero;
      if (m != kComplexZero)
        for (int j = k + 1; j < n; ++j) U(k + 1, j) -= m * U(k, j);
    } else if (U(k, k) == kComplexZero) {
      U(k, k) = Complex(tiny, 0.0L);
    }
  }
}

void ShiftedHessenberg::Solve(std::vector<Complex>& b) const {
  const int n = n_;
  for (int k = 0; k + 1 < n; ++k) {
    if (swap_[k]) std::swap(b[k], b[k + 1]);
    b[k + 1] -= mult_[k] * b[k];
  }
  for (int i = n - 1; i >= 0; --i) {
    Complex s = b[i];
    const Complex* row = &u_[static_cast<size_t>(i) * n];
    for (int j = i + 1; j < n; ++j) s -= row[j] * b[j];
    b[i] = Div(s, row[i]);
  }
}

void ShiftedHessenberg::SolveAdjoint(std::vector<Complex>& b) const {
  const int n = n_;
  // U^H w = b, forward; then L^H and the swaps backward.
  for (int i = 0; i < n; ++i) {
    const Complex* row = &u_[static_cast<size_t>(i) * n];
    b[i] = Div(b[i], Conj(row[i]));
    const Complex w = b[i];
    for (int j = i + 1; j < n; ++j) b[j] -= Conj(row[j]) * w;
  }
  for (int k = n - 2; k >= 0; --k) {
    b[k] -= Conj(mult_[k]) * b[k + 1];
    if (swap_[k]) std::swap(b[k], b[k + 1]);
  }
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
  for (int i = 0; i < n; ++i) U(i, i) -= shift;
  const double tiny = static_cast<double>(f.norm > 0.0L ? f.norm : 1.0L) * 1e-40;
  for (int k = 0; k < n; ++k) {
    if (k + 1 < n) {
      if (std::abs(U(k + 1, k)) > std::abs(U(k, k))) {
        swapped[k] = true;
        for (int j = k; j < n; ++j) std::swap(U(k, j), U(k + 1, j));
      }
      if (U(k, k) == C(0.0)) U(k, k) = tiny;
      mult[k] = U(k + 1, k) / U(k, k);
      U(k + 1, k) = 0.0;
      if (mult[k] != C(0.0))
        for (int j = k + 1; j < n; ++j) U(k + 1, j) -= mult[k] * U(k, j);
    } else if (U(k, k) == C(0.0)) {
      U(k, k) = tiny;
    }
  }
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
  // x := (H - zI)^-1 x
  for (int k = 0; k + 1 < n; ++k) {
    if (swapped[k]) std::swap(x[k], x[k + 1]);
    x[k + 1] -= mult[k] * x[k];
  }
  for (int i = n - 1; i >= 0; --i) {
    C s = x[i];
    for (int j = i + 1; j < n; ++j) s -= U(i, j) * x[j];
    x[i] = s / U(i, i);
  }
  // y := (H - zI)^-H y
  for (int i = 0; i < n; ++i) {
    y[i] /= std::conj(U(i, i));
    for (int j = i + 1; j < n; ++j) y[j] -= std::conj(U(i, j)) * y[i];
  }
  for (int k = n - 2; k >= 0; --k) {
    y[k] -= std::conj(mult[k]) * y[k + 1];
    if (swapped[k]) std::swap(y[k], y[k + 1]);
  }
  normalise(x);
  normalise(y);
  C d = 0.0;
  for (int i = 0; i < n; ++i) d += std::conj(y[i]) * x[i];
  const double m = std::abs(d);
  if (!(m > 0.0) || !std::isfinite(m)) return std::numeric_limits<Real>::max();
  return 1.0L / m;
}

}  // namespace tavrin
