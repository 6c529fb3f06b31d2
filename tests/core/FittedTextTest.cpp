#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "core/CLocale.h"
#include "core/FittedText.h"
#include "core/TextNumbers.h"

namespace tavrin {
namespace {

// Expected heads and exponent texts were worked out from the exact binary
// values with Python's decimal module (numpy.longdouble(...).as_integer_ratio()).
TEST(FittedText, HeadLengthWithoutWritingTheDigits) {
  struct Case {
    long double x;
    int places;
    size_t head;
  } cases[] = {
      {75209350.0L, 5, 8},   {1234567890.0L, 5, 10}, {99999.999999L, 5, 6},  // rounds to 100000.00000
      {9.9999999L, 5, 2},    {1e30L, 2, 31},         {-1e30L, 2, 32},
      {1e4000L, 1, 4000},  // the nearest long double lies below 10^4000
      {LDBL_MAX, 0, 4933},   {18446744073709551616.0L, 0, 20}, {0.0L, 0, 2},  // " 0"
      {-1e-300L, 5, 2},      {7.0L, 0, 2},           {-123.25L, 3, 4},
  };
  for (const Case& c : cases) EXPECT_EQ(FixedHeadLength(c.x, c.places), c.head) << static_cast<double>(c.x);
}

TEST(FittedText, ExponentTexts) {
  struct Case {
    long double x;
    int digits;
    ExponentStyle style;
    const char* text;
  } cases[] = {
      {75209350.0L, 2, ExponentStyle::E, "7.52e+07"}, {75209350.0L, 1, ExponentStyle::TimesTen, "7.5*10^7"},
      {1234567890.0L, 1, ExponentStyle::E, "1.2e+09"}, {1e300L, 0, ExponentStyle::E, "1e+300"},
      {1234.5L, 2, ExponentStyle::E, "1.23e+03"}, {-0.25L, 1, ExponentStyle::E, "-2.5e-01"},
      {0.25L, 1, ExponentStyle::TimesTen, "2.5*10^-1"}, {1e-4000L, 3, ExponentStyle::E, "1.000e-4000"},
      {99999.999999L, 0, ExponentStyle::E, "1e+05"},  // rounding carries into the exponent
      {4e-94L, 5, ExponentStyle::E, "4.00000e-94"}, {0.0L, 2, ExponentStyle::E, "0.00e+00"},
      {1e-4940L, 2, ExponentStyle::E, "1.00e-4940"},  // subnormal
      {LDBL_MAX, 4, ExponentStyle::E, "1.1897e+4932"},
      {-std::numeric_limits<long double>::infinity(), 2, ExponentStyle::E, "-INF"},
  };
  for (const Case& c : cases) EXPECT_EQ(ExponentText(c.x, c.digits, c.style), c.text) << c.text;
}

TEST(FittedText, FitRealAndComplex) {
  FitOptions five, two, sci, tiny;
  two.places = 2;
  sci.places = 2;
  sci.scientific = true;
  tiny.revealTiny = true;
  struct Case {
    long double re, im;
    bool complex;
    int width;
    const FitOptions* o;
    const char* text;
  } cases[] = {
      {-3.14159L, 0, false, 7, &five, "-3.1415"},       // fraction digits cut, not rounded
      {1234567.0L, 0, false, 7, &five, "1234567"}, {1234567.0L, 0, false, 8, &five, "1234567."},
      {75209350.0L, 0, false, 7, &five, "7.5e+07"},     // never an integer digit lost
      {75209350.0L, 0, false, 8, &five, "75209350"}, {-75209350.0L, 0, false, 8, &five, "-7.5e+07"},
      {1e300L, 0, false, 6, &five, "1e+300"},
      {1e300L, 0, false, 5, &five, "#####"},            // not even the exponent fits
      {-1e300L, 0, false, 6, &five, "######"},
      {0.000001L, 0, false, 7, &five, "0.00000"},       // the window shows its places
      {0.000001L, 0, false, 7, &tiny, "1.0e-06"},       // the report does not hide it
      {-4e-94L, 0, false, 14, &tiny, "-4.00000e-94"}, {0.0L, 0, false, 7, &tiny, "0.00000"},
      {1234.5L, 0, false, 11, &sci, "1.23e+03"}, {1234.5L, 0, false, 6, &sci, "1e+03"},
      {1.5L, -2.0L, true, 20, &two, "1.50 - 2.00i"},
      {1.5L, -2.0L, true, 10, &two, "1.5 - 2.0i"},      // each part cut, the "i" kept
      {1234.5L, -0.5L, true, 12, &two, "1234 - 0.50i"},  // the short part keeps its digits
      {0.5L, 123456789.0L, true, 14, &two, "0.50 + 1e+08i"}, {1.5L, 0.25L, true, 20, &sci, "1.50e+00 + 2.50e-01i"},
      {1.0L, 2.0L, true, 5, &two, "#####"},
  };
  for (const Case& c : cases) {
    std::string t = c.complex ? FitComplex(Complex(c.re, c.im), c.width, *c.o) : FitReal(c.re, c.width, *c.o);
    EXPECT_EQ(t, c.text) << c.text;
    EXPECT_LE(t.size(), static_cast<size_t>(c.width)) << c.text;
  }
}

TEST(FullPrecisionText, ShortestTextThatReadsBack) {
  struct Case {
    long double x;
    const char* text;
  } cases[] = {
      {0.9685205L, "0.9685205"}, {12.0L, "12"}, {-350.0L, "-350"}, {1234567890123456789.0L, "1234567890123456789"},
      {1e-6L, "1e-06"}, {1.5e300L, "1.5e+300"}, {0.1L, "0.1"}, {-0.0L, "-0"}, {1e21L, "1e+21"},
      {std::numeric_limits<long double>::infinity(), "+INF"},
  };
  for (const Case& c : cases) EXPECT_EQ(FullPrecisionText(c.x), c.text);
  // Every value reads back exactly, across the whole range.
  uint64_t s = 12345;
  for (int k = 0; k < 5000; ++k) {
    s = s * 6364136223846793005ULL + 1442695040888963407ULL;
    long double x = std::ldexp(static_cast<long double>(s >> 1) / 9.2233720368547758e18L,
                               static_cast<int>((s >> 3) % 32000) - 16000);
    if (s & 4) x = -x;
    const std::string t = FullPrecisionText(x);
    ASSERT_EQ(StrToLongDoubleC(t.c_str(), nullptr), x) << t;
  }
}

}  // namespace
}  // namespace tavrin
