#include "core/Complex.h"

#include <cmath>

namespace tavrin {

// Smith's scaling: the ratio of the smaller to the larger part keeps |p|^2
// from overflowing or underflowing, and a real p gives exactly 1/p.
Complex Reciprocal(Complex p) {
  if (p.im == 0.0L) return {1.0L / p.re, 0.0L};
  if (std::fabs(p.re) >= std::fabs(p.im)) {
    const long double r = p.im / p.re, d = p.re + p.im * r;
    return {1.0L / d, -r / d};
  }
  const long double r = p.re / p.im, d = p.re * r + p.im;
  return {r / d, -1.0L / d};
}

Complex Divide(Complex a, Complex b) {
  if (b.im == 0.0L) return {a.re / b.re, a.im / b.re};
  return SmithQuotient(a, b);
}

Complex SmithQuotient(Complex a, Complex b) {
  if (std::fabs(b.re) >= std::fabs(b.im)) {
    const long double r = b.im / b.re, d = b.re + b.im * r;
    return {(a.re + a.im * r) / d, (a.im - a.re * r) / d};
  }
  const long double r = b.re / b.im, d = b.re * r + b.im;
  return {(a.re * r + a.im) / d, (a.im * r - a.re) / d};
}

long double ModulusOfDifference(Complex a, Complex b) {
  Complex d = a - b;
  long double m2 = d.re * d.re + d.im * d.im;
  return m2 >= 1e-31L ? std::sqrt(m2) : 0.0L;
}

bool NormaliseToUnit(Complex& a, long double factor) {
  long double m2 = a.re * a.re + a.im * a.im;
  long double r = m2 >= 1e-31L ? std::sqrt(m2) : 0.0L;
  if (r < 1e-16L) return false;
  a.re = a.re / r * factor;
  a.im = a.im / r * factor;
  return true;
}

long double RealDot(Complex a, Complex b) { return a.re * b.re + a.im * b.im; }

long int NearestInteger(long double x) {
  long double a = std::fabs(x);
  if (!(a <= 2147483647.0L)) return x < 0 ? -2147483647L : 2147483647L;  // also NaN
  long double whole = std::floor(a);
  long int k = static_cast<long int>(whole);
  if (a - whole > 0.5L) ++k;
  if (k > 2147483647L) k = 2147483647L;
  return x < 0 ? -k : k;
}

}  // namespace tavrin
