#include "core/FittedText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/CLocale.h"
#include "core/FixedText.h"

namespace tavrin {

namespace {

// Below this every long double may carry a fraction, so the fixed text is
// written out (it is short); from here on every value is an integer.
constexpr long double kWrittenOut = 1e19L;

// 10^k for |k| up to a little beyond the range of long double, as one or
// two correctly rounded powers (10^4951 itself would overflow).
long double ScaleByTen(long double a, int k) {
  if (k > 4000 || k < -4000) {
    const int half = k / 2;
    return a * std::pow(10.0L, static_cast<long double>(half)) * std::pow(10.0L, static_cast<long double>(k - half));
  }
  return k >= 0 ? a * std::pow(10.0L, static_cast<long double>(k)) : a / std::pow(10.0L, static_cast<long double>(-k));
}

// a > 0 finite: a = m * 10^k with 1 <= m < 10 (m within a few units in
// the last place, far below the 15 digits any text shows).
long double Normalize(long double a, int& k) {
  k = static_cast<int>(std::floor(std::log10(a)));
  long double m = ScaleByTen(a, -k);
  for (int step = 0; step < 4 && m >= 10.0L; ++step) m /= 10.0L, ++k;
  for (int step = 0; step < 4 && m < 1.0L; ++step) m *= 10.0L, --k;
  return m;
}

std::string NonFiniteText(long double x) {
  std::string t = std::signbit(x) ? "-" : "+";
  return t + (std::isnan(x) ? "NAN" : "INF");
}

bool ShowsNonZeroDigit(const std::string& t) {
  return std::any_of(t.begin(), t.end(), [](char c) { return c >= '1' && c <= '9'; });
}

size_t HeadOf(const std::string& t) {
  size_t dot = t.find('.');
  return dot == std::string::npos ? t.size() : dot;
}

std::string ExponentFit(long double x, int room, int places, ExponentStyle style) {
  std::string t = ExponentText(x, places, style);
  if (static_cast<int>(t.size()) <= room) return t;
  // Every digit dropped saves one character, the last one also its point;
  // rounding may lengthen the exponent, so check each candidate.
  for (int d = std::max(0, places - (static_cast<int>(t.size()) - room)); d >= 0; --d) {
    t = ExponentText(x, d, style);
    if (static_cast<int>(t.size()) <= room) return t;
  }
  return OverflowMark(room);
}

}  // namespace

size_t FixedHeadLength(long double x, int places) {
  places = std::clamp(places, 0, 60);
  if (!std::isfinite(x) || std::fabs(x) < kWrittenOut) return HeadOf(FixedText(x, places));
  int k = 0;
  if (Normalize(std::fabs(x), k) < 1.0L + 1e-15L) {
    // Next to a power of ten the scaling cannot tell 9.99..e(k-1) from
    // 1e(k); the exact conversion can, and needs only a few digits here.
    CLocaleScope c;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.25Le", std::fabs(x));
    k = std::atoi(std::strchr(buf, 'e') + 1);
  }
  size_t head = static_cast<size_t>(k) + 1 + (std::signbit(x) ? 1 : 0);
  return places == 0 ? std::max<size_t>(head, 2) : head;
}

std::string ExponentText(long double x, int digits, ExponentStyle style) {
  if (!std::isfinite(x)) return NonFiniteText(x);
  digits = std::clamp(digits, 0, 30);
  int k = 0;
  long double m = 0.0L;
  if (x != 0.0L) m = Normalize(std::fabs(x), k);
  CLocaleScope c;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*Lf", digits, m);
  std::string mantissa = buf;
  if (mantissa[0] == '1' && mantissa.size() > 1 && mantissa[1] == '0') {  // 9.99.. rounded up to 10
    ++k;
    mantissa = digits > 0 ? "1." + std::string(static_cast<size_t>(digits), '0') : "1";
  }
  std::string t = std::signbit(x) ? "-" + mantissa : mantissa;
  if (style == ExponentStyle::TimesTen) return t + "*10^" + std::to_string(k);
  std::snprintf(buf, sizeof buf, "e%c%02d", k < 0 ? '-' : '+', k < 0 ? -k : k);
  return t + buf;
}

std::string OverflowMark(int room) { return std::string(static_cast<size_t>(std::max(room, 0)), '#'); }

std::string FitReal(long double x, int room, const FitOptions& o) {
  if (room <= 0) return std::string();
  const int places = std::clamp(o.places, 0, 60);
  if (!std::isfinite(x)) {
    std::string t = FixedText(x, places);  // right-justified "+INF"
    if (static_cast<int>(t.size()) <= room) return t;
    t = NonFiniteText(x);
    return static_cast<int>(t.size()) <= room ? t : OverflowMark(room);
  }
  // Short values are written once; long ones only when their head fits.
  const bool shortValue = std::fabs(x) < kWrittenOut;
  if (!o.scientific && (shortValue || FixedHeadLength(x, places) <= static_cast<size_t>(room))) {
    std::string t = FixedText(x, places);
    if (static_cast<int>(t.size()) > room) {
      t.erase(0, std::min(t.find_first_not_of(' '), t.size() - static_cast<size_t>(room)));
      // The head was measured without writing it; a value next to a power
      // of ten may round one digit longer, which must never be cut.
      if (HeadOf(t) > static_cast<size_t>(room)) return ExponentFit(x, room, places, o.style);
      t.resize(static_cast<size_t>(room));
    }
    if (!o.revealTiny || x == 0.0L || ShowsNonZeroDigit(t)) return t;
  }
  return ExponentFit(x, room, places, o.style);
}

std::string FitComplex(Complex z, int width, const FitOptions& o) {
  const char* sign = z.im < 0 ? " - " : " + ";
  const int room = width - 4;  // sign with its blanks, and the "i"
  if (room < 2) return OverflowMark(width);
  const long double im = std::fabs(z.im);
  std::string a = FitReal(z.re, room, o), b = FitReal(im, room, o);
  if (static_cast<int>(a.size() + b.size()) > room) {
    const int na = static_cast<int>(a.size()), nb = static_cast<int>(b.size());
    int reRoom = room - room / 2;
    if (na <= room / 2)
      reRoom = na;
    else if (nb <= room / 2)
      reRoom = room - nb;
    a = FitReal(z.re, reRoom, o);
    b = FitReal(im, room - reRoom, o);
  }
  return a + sign + b + "i";
}

}  // namespace tavrin
