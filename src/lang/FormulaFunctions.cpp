#include "lang/FormulaFunctions.h"

#include <cmath>
#include <complex>

#include "core/Random.h"
#include "core/Thresholds.h"
#include "lang/FormulaEngine.h"

namespace tavrin::formula {

namespace {

using Cx = std::complex<long double>;

constexpr long double kPi = 3.141592653589793238462643383279502884L;
constexpr long double kHalfLn2Pi = 0.918938533204672741780329736405617640L;
constexpr long double kSqrt2Pi = 2.506628274631000502415765284811045253L;

const long double kTiny = std::exp(-5000.0L);
const long double kHuge = std::exp(5000.0L);
const long double kOverflow = OverflowBound();
long double TinyBound() { return kTiny; }
long double HugeBound() { return kHuge; }

Cx ToCx(Complex a) { return {a.re, a.im}; }
Complex FromCx(Cx a) { return {a.real(), a.imag()}; }
bool Finite(Cx a) { return std::isfinite(a.real()) && std::isfinite(a.imag()); }
bool Finite(long double a) { return std::isfinite(a); }
long double Sign(long double a) { return a < 0 ? -1.0L : 1.0L; }

// sin(pi x) with the reduction done exactly on x.
long double SinPi(long double x) {
  long double n = std::round(x);
  long double s = std::sin(kPi * (x - n));
  return std::fmod(n, 2.0L) != 0 ? -s : s;
}

// Stirling's series for ln gamma(z) - ((z - 1/2) ln z - z + ln(2 pi)/2), z >= 20.
template <typename T>
T StirlingTail(T z) {
  T r = T(1) / z, r2 = r * r;
  return r * (T(1.0L / 12) +
              r2 * (T(-1.0L / 360) +
                    r2 * (T(1.0L / 1260) +
                          r2 * (T(-1.0L / 1680) +
                                r2 * (T(1.0L / 1188) +
                                      r2 * (T(-691.0L / 360360) + r2 * (T(1.0L / 156) + r2 * T(-3617.0L / 122400))))))));
}

bool Near(long double x, long double c, long double tol) { return std::fabs(x - c) < tol; }
bool NearInteger(long double x, long double tol) { return Finite(x) && Near(x, std::round(x), tol); }

}  // namespace

int MagnitudeClass(long double m) {
  if (!(m <= HugeBound())) return 5;
  if (m > kOverflow) return 4;
  if (m >= 1e-16L) return 3;
  if (m >= TinyBound()) return 2;
  return 1;
}

bool CheckedProduct(Complex a, Complex b, bool complex, Complex& out) {
  if (!complex) {
    // both at most e^42: the plain product
    if (std::fabs(a.re) <= kOverflow && std::fabs(b.re) <= kOverflow) {
      out = Complex(a.re * b.re, 0.0L);
      return true;
    }
    a.im = 0;
    b.im = 0;
  }
  const int ca = MagnitudeClass(Magnitude1(a)), cb = MagnitudeClass(Magnitude1(b));
  if ((ca <= 3 && cb <= 3) || (ca == 3 && cb == 4) || (ca == 4 && cb == 3)) {
    out = complex ? a * b : Complex(a.re * b.re, 0.0L);
    return true;
  }
  if ((ca == 2 && cb == 4) || (ca == 4 && cb == 2)) {
    if (complex) {
      long double s = std::log(std::abs(ToCx(a))) + std::log(std::abs(ToCx(b)));
      out = a * b;
      return std::fabs(s) < 42.0L;
    }
    long double s = std::log(std::fabs(a.re)) + std::log(std::fabs(b.re));
    out = Complex(Sign(a.re) * Sign(b.re) * std::exp(s), 0.0L);
    return std::fabs(s) < 42.0L;
  }
  out = Complex(Sign(a.re) * Sign(b.re) * kOverflow, 0.0L);
  return false;
}

bool CheckedQuotient(Complex a, Complex b, bool complex, Complex& out) {
  out = kComplexOne;
  if (!complex) { a.im = 0; b.im = 0; }
  if (!(Magnitude1(a) <= kOverflow)) return false;
  if (!(Magnitude1(b) >= 1e-16L)) return false;
  Complex q = complex ? FromCx(ToCx(a) / ToCx(b)) : Complex(a.re / b.re, 0.0L);
  const long double m = Magnitude1(q);
  if (!(m <= kOverflow)) return false;
  out = m <= 1e-16L ? kComplexZero : q;
  return true;
}

bool IntegerArgument(Complex v, long& n) {
  if (!(std::fabs(v.re) < 2147483648.0L) || !(std::fabs(v.im) <= 1e-9L)) return false;
  // halves are never within 1e-9 of an integer, so the rounding direction
  // of ties does not matter
  long double r = std::rint(v.re);
  if (!(std::fabs(r) < 2147483647.0L) || !(std::fabs(v.re - r) <= 1e-9L)) return false;
  n = static_cast<long>(r);
  return true;
}

bool IntegerPower(Complex x, long n, bool complex, Complex& out) {
  out = kComplexOne;
  if (!complex) x.im = 0;
  if (n == 0) return true;
  if (n < 0) {
    if (!CheckedQuotient(kComplexOne, x, complex, x)) return false;
    n = -n;
  }
  Complex result = kComplexOne, base = x;
  while (n > 0) {
    if (n & 1) {
      if (!CheckedProduct(result, base, complex, result)) return false;
    }
    n >>= 1;
    if (n > 0 && !CheckedProduct(base, base, complex, base)) return false;
  }
  out = result;
  return true;
}

bool Power(Complex a, Complex b, bool complex, Complex& out) {
  out = kComplexZero;
  long n;
  if (IntegerArgument(b, n)) return IntegerPower(a, n, complex, out);
  if (!complex) {
    if (a.re < 0) return false;
    if (a.re < 1e-16L && b.re < 0) return false;  // a negative power of zero
    long double L = a.re >= 1e-16L ? std::log(a.re) : -5000.0L;
    long double t = L * b.re;
    if (!(t <= 5000.0L)) return false;
    out = t < -5000.0L ? kComplexZero : Complex(std::exp(t), 0.0L);
    return true;
  }
  Cx t;
  if (std::abs(ToCx(a)) < 1e-16L) {
    if (b.re > 0) return true;
    return false;
  }
  t = ToCx(b) * std::log(ToCx(a));
  if (!Finite(t) || !(t.real() <= 5000.0L)) return false;
  if (t.real() < -5000.0L) return true;
  if (!(std::fabs(t.imag()) <= 5e18L)) return false;
  out = FromCx(std::exp(t));
  return Finite(ToCx(out));
}

bool Gamma(long double x, long double tolerance, long double& out, bool& seam) {
  out = 0;
  if (!Finite(x)) return false;
  if (x <= 0 && NearInteger(x, tolerance)) {
    seam = true;
    return false;
  }
  if (std::fabs(x) < 1e-16L) return false;
  if (x < 0) {
    long double g;
    if (!Gamma(1.0L - x, tolerance, g, seam)) return false;
    long double s = SinPi(x);
    if (s == 0) return false;
    out = kPi / (s * g);
    return true;
  }
  long double z = x, p = 1.0L;
  while (z < 20.0L) {
    p *= z;
    z += 1.0L;
  }
  if ((z - 0.5L) * std::log(z) - z + kHalfLn2Pi > 5000.0L) return false;
  long double g = std::pow(z, z - 0.5L) * std::exp(-z) * kSqrt2Pi * std::exp(StirlingTail(z));
  out = g / p;
  return Finite(out);
}

bool GammaComplex(Complex zz, Complex& out) {
  out = kComplexZero;
  Cx z = ToCx(zz);
  if (!Finite(z) || std::abs(z) < 1e-16L) return false;
  if (z.real() < 0.5L) {
    Complex g;
    if (!GammaComplex(FromCx(Cx(1.0L) - z), g)) return false;
    Cx s = std::sin(kPi * z);
    if (!Finite(s) || std::abs(s) == 0) return false;
    Cx r = kPi / (s * ToCx(g));
    out = FromCx(r);
    return Finite(r);
  }
  Cx p = 1.0L;
  while (z.real() < 20.0L) {
    p *= z;
    z += 1.0L;
  }
  Cx lg = (z - 0.5L) * std::log(z) - z + kHalfLn2Pi + StirlingTail(z);
  if (!(lg.real() <= 5000.0L) || !(std::fabs(lg.imag()) <= 5e18L)) return false;
  Cx r = std::exp(lg) / p;
  out = FromCx(r);
  return Finite(r);
}

namespace {

bool Reciprocal(int code, Complex x, bool complex, long double tol, Complex& out, bool& seam) {
  Complex f;
  if (!OneArgument(code, x, complex, tol, f, seam)) return false;
  return CheckedQuotient(kComplexOne, f, complex, out);
}

// Complex branch of the elementary functions.
bool ComplexFunction(int code, Cx z, long double tol, Complex& out, bool& seam) {
  using namespace fcode;
  Cx r;
  const long double re = z.real(), im = z.imag();
  const Cx i(0.0L, 1.0L);
  switch (code) {
    case kSin: case kCos: case kTan: case kCis:
      if (!(std::fabs(re) <= 5e18L) || !(std::fabs(im) < 5000.0L)) return false;
      r = code == kSin ? std::sin(z) : code == kCos ? std::cos(z) : code == kTan ? std::tan(z) : std::exp(i * z);
      break;
    case kSinh: case kCosh: case kTanh:
      if (!(std::fabs(im) <= 5e18L)) return false;
      if (std::fabs(re) >= 5000.0L) {
        if (code != kTanh) return false;
        r = Sign(re);
        break;
      }
      r = code == kSinh ? std::sinh(z) : code == kCosh ? std::cosh(z) : std::tanh(z);
      break;
    case kArctan: r = std::atan(z); break;
    case kArccot: r = kPi / 2 - std::atan(z); break;
    case kArcsin: r = std::asin(z); break;
    case kArccos: r = std::acos(z); break;
    case kArgsinh: r = std::asinh(z); break;
    case kArgcosh: r = std::acosh(z); break;
    case kArgtanh: r = std::atanh(z); break;
    case kArgcoth: r = std::atanh(Cx(1.0L) / z); break;
    case kLn: case kLog:
      if (std::abs(z) < 1e-16L) return false;
      r = std::log(z);
      if (code == kLog) r /= std::log(10.0L);
      break;
    case kExp:
      if (re >= 5000.0L || !(std::fabs(im) <= 5e18L)) return false;
      r = re <= -5000.0L ? Cx(0) : std::exp(z);
      break;
    case kSqrt: r = std::sqrt(z); break;
    case kInt: r = Cx(std::trunc(re), std::trunc(im)); break;
    case kFrac: r = z - Cx(std::trunc(re), std::trunc(im)); break;
    case kFloor: r = Cx(std::floor(re), std::floor(im)); break;
    case kCeil: r = Cx(std::ceil(re), std::ceil(im)); break;
    case kSgn: r = z / std::abs(z); break;
    default: r = 0; break;  // GAMMA, CHI and codes without a function of their own
  }
  if (code == kInt || code == kFrac || code == kFloor || code == kCeil)
    if (NearInteger(re, tol) || NearInteger(im, tol)) seam = true;
  out = FromCx(r);
  return Finite(r);
}

}  // namespace

bool OneArgument(int code, Complex x, bool complex, long double tol, Complex& out, bool& seam) {
  using namespace fcode;
  out = kComplexZero;
  switch (code) {
    case kSec: return Reciprocal(kCos, x, complex, tol, out, seam);
    case kCsc: return Reciprocal(kSin, x, complex, tol, out, seam);
    case kCot: return Reciprocal(kTan, x, complex, tol, out, seam);
    case kSech: return Reciprocal(kCosh, x, complex, tol, out, seam);
    case kCsch: return Reciprocal(kSinh, x, complex, tol, out, seam);
    case kCoth: return Reciprocal(kTanh, x, complex, tol, out, seam);
    case kAbs: {
      long double m2 = x.re * x.re + x.im * x.im;
      out = Complex(m2 < 1e-31L ? 0.0L : std::sqrt(m2));
      return true;
    }
    case kArg: out = Complex(std::atan2(x.im, x.re)); return true;
    case kRe: out = Complex(x.re); return true;
    case kIm: out = Complex(x.im); return true;
    case kConj: out = Complex(x.re, -x.im); return true;
    case kNegate: out = Complex(0.0L - x.re, 0.0L - x.im); return true;  // never -0
    case kLn: case kLog:
      // a complex argument has its own branch; in real mode it has no logarithm
      if (x.im != 0 && !complex) return false;
      break;
  }
  if (complex) return ComplexFunction(code, ToCx(x), tol, out, seam);
  const long double v = x.re;
  long double r = 0;
  switch (code) {
    case kSin: case kCos:
      if (!(std::fabs(v) <= 5e18L)) return false;
      r = code == kSin ? std::sin(v) : std::cos(v);
      break;
    case kCis:  // a real result, like every function here: no hidden sine
      if (!(std::fabs(v) <= 5e18L)) return false;
      out = Complex(std::cos(v), 0.0L);
      return true;
    case kTan:
      if (!(std::fabs(v) <= 5e18L)) return false;
      r = std::tan(v);
      break;
    case kArctan: r = std::atan(v); break;
    case kArccot: r = kPi / 2 - std::atan(v); break;
    case kSinh: case kCosh:
      if (!(std::fabs(v) < 5000.0L)) return false;
      r = code == kSinh ? std::sinh(v) : std::cosh(v);
      break;
    case kTanh: r = std::fabs(v) >= 5000.0L ? Sign(v) : std::tanh(v); break;
    case kArcsin: case kArccos:
      if (!(std::fabs(v) <= 1.0L)) return false;
      r = code == kArcsin ? std::asin(v) : std::acos(v);
      break;
    case kArgsinh: r = std::asinh(v); break;
    case kArgcosh:
      if (!(v >= 1.0L)) return false;
      r = std::acosh(v);
      break;
    case kArgtanh:
      if (!(std::fabs(v) < 1.0L)) return false;
      r = std::atanh(v);
      break;
    case kArgcoth:
      if (!(std::fabs(v) > 1.0L)) return false;
      r = std::atanh(1.0L / v);
      break;
    case kLn: case kLog:
      if (!(v >= 1e-16L)) return false;
      r = std::log(v);
      if (code == kLog) r /= std::log(10.0L);
      break;
    case kExp:
      if (!(v < 5000.0L)) return false;
      r = v <= -5000.0L ? 0.0L : std::exp(v);
      break;
    case kSqrt:
      if (!(v >= 0)) return false;
      r = std::sqrt(v);
      break;
    case kInt: case kFrac: case kFloor: case kCeil: {
      if (!Finite(v)) return false;
      if (NearInteger(v, tol)) seam = true;
      long double t = std::trunc(v);
      r = code == kInt ? t : code == kFrac ? v - t : code == kFloor ? std::floor(v) : std::ceil(v);
      break;
    }
    case kSgn:
      if (std::fabs(v) < tol) seam = true;
      r = v < 0 ? -1.0L : 1.0L;
      break;
    default:
      // GAMMA, CHI and codes without a function of their own
      r = 0;
      break;
  }
  out = Complex(r);
  return Finite(r);
}

}  // namespace tavrin::formula
