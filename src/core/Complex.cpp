#include "core/Complex.h"

#include <cmath>

namespace tavrin {

long double Magnitude1(Complex a) { return std::fabs(a.re) + std::fabs(a.im); }

Complex Reciprocal(Complex p) {
  long double m2 = p.re * p.re + p.im * p.im;
  if (m2 < 1e-16L) m2 = 1e-16L;
  long double s = 1.0L / m2;
  return {s * p.re, -s * p.im};
}

Complex Divide(Complex a, Complex b) { return a * Reciprocal(b); }

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
