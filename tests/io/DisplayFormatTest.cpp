#include <gtest/gtest.h>

#include <limits>

#include "io/DisplayFormat.h"

namespace tavrin {
namespace {

DisplayFormat Format(int places, int width) {
  DisplayFormat f = WindowFormatFor(MatrixKind::Real);
  f.places = static_cast<int16_t>(places);
  f.width = static_cast<int16_t>(width);
  return f;
}

TEST(EntryText, RealAndComplexTexts) {
  const long double inf = std::numeric_limits<long double>::infinity();
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  struct Case {
    int places, width;
    MatrixKind kind;
    Complex value;
    const char* text;
  } cases[] = {
      {5, 7, MatrixKind::Real, {-3.14159L, 0}, "-3.1415"},       // cut, not rounded
      {2, 20, MatrixKind::Complex, {1.5L, -2.0L}, "1.50 - 2.00i"},
      {2, 20, MatrixKind::Complex, {0, 0}, "0.00 + 0.00i"},
      {2, 10, MatrixKind::Complex, {1.5L, -2.0L}, "1.5 - 2.0i"},  // each part cut, never the "i"
      {5, 7, MatrixKind::Complex, {0.5L, 0.25L}, "0. + 0i"}, {0, 7, MatrixKind::Real, {7, 0}, " 7"},
      {2, 7, MatrixKind::Real, {0.999L, 0}, "1.00"},              // the conversion itself rounds
      {5, 7, MatrixKind::Real, {inf, 0}, "   +INF"}, {2, 7, MatrixKind::Real, {-inf, 0}, "-INF"},
      {2, 3, MatrixKind::Real, {nan, 0}, "###"}, {2, 20, MatrixKind::Complex, {1, -inf}, "1.00 - +INFi"},
      {2, 7, MatrixKind::Real, {5, 9}, "5.00"},                   // real mode ignores im
      // Integer digits are never cut: exponent form, or the overflow mark.
      {5, 7, MatrixKind::Real, {75209350, 0}, "7.5e+07"},         // 100000000 x 0.7520935
      {5, 17, MatrixKind::Real, {1234567890, 0}, "1234567890.00000"},
      {5, 7, MatrixKind::Real, {1234567890, 0}, "1.2e+09"}, {5, 9, MatrixKind::Real, {-350, 0}, "-350.0000"},
      {5, 7, MatrixKind::Real, {0.000001L, 0}, "0.00000"}, {0, 7, MatrixKind::Real, {123456789, 0}, "1e+08"},
      {2, 6, MatrixKind::Real, {1e300L, 0}, "1e+300"}, {2, 5, MatrixKind::Real, {1e300L, 0}, "#####"},
      {5, 19, MatrixKind::Complex, {1e10L, -3e-3L}, "1.00e+10 - 0.00300i"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EntryText(Format(c.places, c.width), c.kind, c.value), c.text) << c.text;
  }
  EXPECT_EQ(EntryText(Format(2, 7), MatrixKind::Real, Complex(-std::numeric_limits<long double>::quiet_NaN())),
            "-NAN");
  EXPECT_GT(FixedText(1e4000L, 1).size(), 4000u);  // every integer digit, then ".d"
  EXPECT_EQ(FixedText(1e4000L, 1).substr(FixedText(1e4000L, 1).size() - 2, 1), ".");
  // "scientific notation": every entry in exponent form with the places;
  // "replace E by *10^" in Text out and TeX only.
  DisplayFormat f = Format(2, 11);
  f.scientific = true;
  EXPECT_EQ(EntryText(f, MatrixKind::Real, Complex(-1234.5L)), "-1.23e+03");
  EXPECT_EQ(EntryText(f, MatrixKind::Real, Complex(0.0L)), "0.00e+00");
  f.replaceE = true;
  EXPECT_EQ(EntryText(f, MatrixKind::Real, Complex(0.00012L)), "1.20e-04");
  EXPECT_EQ(EntryText(f, MatrixKind::Real, Complex(0.00012L), TextUse::Output), "1.20*10^-4");
  f.minusOn = true;
  EXPECT_EQ(EntryText(f, MatrixKind::Real, Complex(-0.00012L), TextUse::Output), "\x96" "1.20*10^\x96" "4");
}

TEST(EntryText, IntegerLimbFilling) {
  struct Case {
    int width;
    const char* value;
    const char* text;
  } cases[] = {
      {8, "123456789", "12..."}, {8, "-12345678901", "-1234..."}, {20, "-12345678901", "-12345678901"},
      {8, "10000", "10000"}, {7, "100000000", "10..."},
      {3, "-12345", ".."},     // shorter than three: overwritten whole
      {3, "99999", "."},
      {2, "9999", "9999"},     // one limb is always written whole
      {8, "-0", "0"},
  };
  for (const Case& c : cases) {
    BigInteger b;
    ASSERT_EQ(BigInteger::Parse(c.value, b), ResultCode::Ok);
    EXPECT_EQ(EntryText(Format(5, c.width), b), c.text) << c.value;
  }
}

TEST(EntryText, MinusSubstitution) {
  DisplayFormat f = Format(5, 7);
  f.minusOn = true;
  EXPECT_EQ(EntryText(f, MatrixKind::Real, Complex(-3.14159L)), "\x96" "3.1415");
  EXPECT_EQ(EntryText(f, BigInteger(-12)), "\x96" "12");
  f.minusCode = 45 + 50;
  EXPECT_EQ(MinusSubstitution(f, "a-b-"), "a_b_");
  f.minusOn = false;
  EXPECT_EQ(MinusSubstitution(f, "a-b"), "a-b");
}

TEST(AutoWidth, EachMode) {
  DisplayFormat f = Format(5, 7);
  ComplexMatrix real(1, 2);
  real.e() = {Complex(1.5L), Complex(-123.25L)};
  EXPECT_EQ(AutoWidth(f, real, MatrixKind::Real), 4 + 5 + 2);
  ComplexMatrix complex(1, 1);
  complex.e() = {Complex(-12.5L, 300.0L)};
  f.places = 2;
  EXPECT_EQ(AutoWidth(f, complex, MatrixKind::Complex), 2 * 3 + 4 + 7);
  f.places = 0;  // no point to cut at: the whole text counts
  real.e() = {Complex(7), Complex(123)};
  EXPECT_EQ(AutoWidth(f, real, MatrixKind::Real), 3 + 0 + 2);
  real.e() = {Complex(0), Complex(0)};
  f.places = 5;
  EXPECT_EQ(AutoWidth(f, real, MatrixKind::Real), 1 + 5 + 2);  // L is at least 1
  real.e() = {Complex(1e200L), Complex(0)};                      // measured within 120 characters
  EXPECT_EQ(AutoWidth(f, real, MatrixKind::Real), 120 + 5 + 2);
  real.e() = {Complex(-1e30L), Complex(0)};  // -1000000000000000000024696061952
  EXPECT_EQ(AutoWidth(f, real, MatrixKind::Real), 32 + 5 + 2);
  complex.e() = {Complex(0.5L, -12345.5L)};  // the longer imaginary part needs room too
  f.places = 2;
  EXPECT_EQ(AutoWidth(f, complex, MatrixKind::Complex), 4 + 3 + 8 + 1);
  f.scientific = true;  // "1.00e+00 - 1.00e-300i"
  complex.e() = {Complex(1.0L, -1e-300L)};
  EXPECT_EQ(AutoWidth(f, complex, MatrixKind::Complex), 8 + 3 + 9 + 1);
  f.places = 3;
  EXPECT_EQ(AutoWidth(f, real, MatrixKind::Real), 3 + 9);
  EXPECT_EQ(AutoWidth(f, real, MatrixKind::Integer), 8);
  EXPECT_EQ(AutoWidthInteger(), 8);
  EXPECT_EQ(AutoWidth(f, IntegerMatrix(2, 2)), 8);
}

TEST(FormatDialog, ChecksAndRaisedWidths) {
  struct Case {
    MatrixKind kind;
    const char* places;
    const char* width;
    bool scientific;
    ResultCode result;
    int storedPlaces, storedWidth;
  } cases[] = {
      {MatrixKind::Real, "16", "20", false, ResultCode::OutOfBounds, 5, 7},
      {MatrixKind::Real, "-1", "20", false, ResultCode::OutOfBounds, 5, 7},
      {MatrixKind::Real, "3", "2", false, ResultCode::OutOfBounds, 5, 7},
      {MatrixKind::Real, "5", "6", false, ResultCode::InconsistentData, 5, 7},
      {MatrixKind::Real, "5", "7", true, ResultCode::Ok, 5, 14},
      {MatrixKind::Real, "15", "17", false, ResultCode::Ok, 15, 17},
      {MatrixKind::Real, "0", "3", false, ResultCode::Ok, 0, 3},
      {MatrixKind::Real, "2abc", " 9x", false, ResultCode::Ok, 2, 9},      // atoi reads the leading number
      {MatrixKind::Real, "2", "99999999999999999999", false, ResultCode::OutOfBounds, 5, 7},
      {MatrixKind::Integer, "ignored", "3", false, ResultCode::Ok, 5, 7},  // raised to places + 2 of the record
      {MatrixKind::Integer, "ignored", "2", false, ResultCode::OutOfBounds, 5, 7},
      {MatrixKind::Integer, "", "12", false, ResultCode::Ok, 5, 12},
  };
  for (const Case& c : cases) {
    DisplayFormat f = WindowFormatFor(c.kind);
    EXPECT_EQ(ApplyFormatDialog(f, c.places, c.width, c.scientific, false, false), c.result) << c.places << "/" << c.width;
    EXPECT_EQ(f.places, c.storedPlaces) << c.places << "/" << c.width;
    EXPECT_EQ(f.width, c.storedWidth) << c.places << "/" << c.width;
  }
  DisplayFormat f = WindowFormatFor(MatrixKind::Integer);
  ASSERT_EQ(ApplyFormatDialog(f, "", "10", true, true, true), ResultCode::Ok);
  EXPECT_FALSE(f.scientific);  // hidden boxes keep the record's flags
  f = WindowFormatFor(MatrixKind::Real);
  ASSERT_EQ(ApplyFormatDialog(f, "3", "10", true, true, true), ResultCode::Ok);
  EXPECT_TRUE(f.scientific && f.replaceE);
  EXPECT_FALSE(f.tableChoice);
}

TEST(HyphenDialog, RangeAndCancel) {
  DisplayFormat f;
  bool repaint = false;
  for (const char* bad : {"31", "256", "-5"}) {
    std::string t = bad;
    EXPECT_EQ(ApplyHyphenDialog(f, &t, &repaint), ResultCode::OutOfBounds);
    EXPECT_FALSE(f.minusOn);
    EXPECT_FALSE(repaint);
  }
  std::string t = "150";
  EXPECT_EQ(ApplyHyphenDialog(f, &t, &repaint), ResultCode::Ok);
  EXPECT_TRUE(f.minusOn && repaint);
  EXPECT_EQ(ApplyHyphenDialog(f, &t, &repaint), ResultCode::Ok);
  EXPECT_FALSE(repaint);  // already on with that code
  t = "32";
  EXPECT_EQ(ApplyHyphenDialog(f, &t, &repaint), ResultCode::Ok);
  EXPECT_TRUE(repaint);
  EXPECT_EQ(f.minusCode, 32);
  EXPECT_EQ(ApplyHyphenDialog(f, nullptr, &repaint), ResultCode::Ok);
  EXPECT_FALSE(f.minusOn);
  EXPECT_TRUE(repaint);
  EXPECT_EQ(ApplyHyphenDialog(f, nullptr, &repaint), ResultCode::Ok);
  EXPECT_FALSE(repaint);
}

TEST(TextOut, LinesAndLimit) {
  DisplayFormat f = Format(5, 7);
  ComplexMatrix m(4, 4);
  m.at(1, 2) = Complex(-3.14159L);
  std::string out;
  ASSERT_EQ(TextOut(f, m, MatrixKind::Real, out), ResultCode::Ok);
  ASSERT_EQ(out.size(), 4u * 38);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(out.substr(i * 38 + 36, 2), "\r\n");
  EXPECT_EQ(out.substr(38, 36), "0.00000  0.00000  -3.1415  0.00000  ");
  // (7 + 2) x (rows + 1) x cols against 64000.
  ComplexMatrix tall(7110, 1);
  EXPECT_EQ(TextOut(f, tall, MatrixKind::Real, out), ResultCode::Ok);
  ComplexMatrix taller(7111, 1);
  EXPECT_EQ(TextOut(f, taller, MatrixKind::Real, out), ResultCode::NoMoreRoom);
  EXPECT_TRUE(out.empty());

  IntegerMatrix im(2, 2);
  im.e = {BigInteger(1), BigInteger(-2), BigInteger(123456789), BigInteger(4)};
  im.denominator = BigInteger(3);
  f = WindowFormatFor(MatrixKind::Integer);
  f.width = 8;
  ASSERT_EQ(TextOut(f, im, out), ResultCode::Ok);
  EXPECT_EQ(out,
            "       1        -2  \r\n"
            "   12...         4  \r\n"
            "denom 3\r\n");
}

}  // namespace
}  // namespace tavrin
