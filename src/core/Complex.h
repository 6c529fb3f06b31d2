#pragma once
#include <cmath>

namespace tavrin {

// The entry of real and complex matrices: two 80-bit extended reals.
// Real mode keeps im = 0. All zero tests use |re| + |im|, never the modulus.
struct Complex {
  long double re = 0.0L;
  long double im = 0.0L;

  constexpr Complex() = default;
  constexpr Complex(long double r, long double i = 0.0L) : re(r), im(i) {}

  friend constexpr Complex operator+(Complex a, Complex b) { return {a.re + b.re, a.im + b.im}; }
  friend constexpr Complex operator-(Complex a, Complex b) { return {a.re - b.re, a.im - b.im}; }
  friend constexpr Complex operator-(Complex a) { return {-a.re, -a.im}; }
  friend constexpr Complex operator*(Complex a, Complex b) {
    return {a.re * b.re - a.im * b.im, a.im * b.re + a.re * b.im};
  }
  friend constexpr Complex operator*(long double s, Complex a) { return {s * a.re, s * a.im}; }
  Complex& operator+=(Complex b) { re += b.re; im += b.im; return *this; }
  Complex& operator-=(Complex b) { re -= b.re; im -= b.im; return *this; }
  Complex& operator*=(Complex b) { *this = *this * b; return *this; }
  friend constexpr bool operator==(Complex a, Complex b) { return a.re == b.re && a.im == b.im; }
};

inline constexpr Complex kComplexZero{0.0L, 0.0L};
inline constexpr Complex kComplexOne{1.0L, 0.0L};

// |re| + |im|: the magnitude every zero test of the engine compares.
inline long double Magnitude1(Complex a) { return std::fabs(a.re) + std::fabs(a.im); }

inline constexpr Complex Conjugate(Complex a) { return {a.re, -a.im}; }

// re^2 + im^2, unscaled: callers that may overflow scale first.
inline constexpr long double SquaredModulus(Complex a) { return a.re * a.re + a.im * a.im; }

// The modulus without overflow or underflow of the squares.
inline long double Modulus(Complex a) { return std::hypot(a.re, a.im); }

// Exact reciprocal conj(p)/|p|^2 (no floor): callers accept a pivot or a
// divisor only above their threshold, and every accepted one is inverted as
// it stands. p = 0 gives infinities.
Complex Reciprocal(Complex p);

// Quotient a / b, scaled like Reciprocal; a real b divides each part.
Complex Divide(Complex a, Complex b);

// Smith's quotient a / b with no shortcut for a real b: the eigenvalue and
// root iterations divide this way, and a real b then adds +0 to the parts
// (-0 / 2 gives +0, and b = 0 gives NaN where Divide gives infinities).
Complex SmithQuotient(Complex a, Complex b);

// Modulus of a - b; differences with squared modulus below 1e-31 count as 0.
long double ModulusOfDifference(Complex a, Complex b);

// Scales a to unit modulus (times factor). Returns false, leaving a as it
// was, when its modulus is below 1e-16.
bool NormaliseToUnit(Complex& a, long double factor = 1.0L);

// a and b seen as plane vectors.
long double RealDot(Complex a, Complex b);

// Nearest-integer rounding: halves go toward zero, magnitudes beyond
// 2147483647 saturate.
long int NearestInteger(long double x);

}  // namespace tavrin
