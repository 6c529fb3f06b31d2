#include <gtest/gtest.h>

#include "io/CopyAs.h"
#include "io/TexExport.h"

namespace tavrin {
namespace {

DisplayFormat TwoPlaces() {
  DisplayFormat f = WindowFormatFor(MatrixKind::Real);
  f.places = 2;
  f.width = 7;
  return f;
}

ComplexMatrix OneToFour() {
  ComplexMatrix m(2, 2);
  m.e() = {Complex(1), Complex(2), Complex(3), Complex(4)};
  return m;
}

TEST(Tex, MatrixForm) {
  const DisplayFormat f = TwoPlaces();
  struct Case {
    int delimiter, alignment;
    const char* text;
  } cases[] = {
      {1, 0, "\\left(\\matrix{\r\n1.00\\hfill&2.00\\hfill\\cr\r\n3.00\\hfill&4.00\\hfill\\cr\r\n}\\right)\r\n"},
      {2, 2, "\\left[\\matrix{\r\n\\hfill 1.00&\\hfill 2.00\\cr\r\n\\hfill 3.00&\\hfill 4.00\\cr\r\n}\\right]\r\n"},
      {3, 1, "\\left\\vert\\matrix{\r\n1.00&2.00\\cr\r\n3.00&4.00\\cr\r\n}\\right\\vert\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TexMatrix(f, MatrixKind::Real, OneToFour(), {c.delimiter, c.alignment, 2.0L}), c.text);
  }
  ComplexMatrix one(1, 1);
  one.e() = {Complex(5)};
  EXPECT_EQ(TexMatrix(f, MatrixKind::Real, one, {0, 1, 2.0L}), "\\matrix{\r\n5.00\\cr\r\n}\r\n");
}

TEST(Tex, TableForm) {
  const DisplayFormat f = TwoPlaces();  // column template: nine eights
  const std::string t(9, '8');
  EXPECT_EQ(TexTable(f, MatrixKind::Real, OneToFour(), {1, 0, 2.0L}),
            "\\settabs\\+" + std::string(18, '8') + "&" + t + "&" + t + "&\\cr\r\n"
            "\\+&1.00\\hfill&2.00\\hfill&\\cr\r\n\\+&3.00\\hfill&4.00\\hfill&\\cr\r\n");
  EXPECT_EQ(TexTable(f, MatrixKind::Real, OneToFour(), {1, 1, 2.0L}).substr(54),
            "\\+&\\hfill 1.00\\hfill&\\hfill 2.00\\hfill&\\cr\r\n\\+&\\hfill 3.00\\hfill&\\hfill 4.00\\hfill&\\cr\r\n");
  EXPECT_EQ(TexTable(f, MatrixKind::Real, OneToFour(), {1, 2, 2.0L}).substr(54, 32),
            "\\+&\\hfill 1.00&\\hfill 2.00&\\cr\r\n");
  struct Spacer {
    long double factor;
    size_t eights;
  } spacers[] = {{0, 0}, {-3, 0}, {25, 90}, {10, 90}, {2.5L, 22}, {0.05L, 0}, {0.06L, 1}, {1.0L / 3.0L, 3}};
  for (const Spacer& s : spacers) {
    std::string text = TexTable(f, MatrixKind::Real, OneToFour(), {1, 0, s.factor});
    EXPECT_EQ(text.substr(0, 10 + s.eights + 1), "\\settabs\\+" + std::string(s.eights, '8') + "&")
        << static_cast<double>(s.factor);
    EXPECT_EQ(text[10 + s.eights + 1], '8');
  }
}

TEST(Tex, LatexForms) {
  const DisplayFormat f = TwoPlaces();
  EXPECT_EQ(LatexArray(f, MatrixKind::Real, OneToFour(), {1, 0, 2.0L}),
            "\\[\r\n\\left(\\begin{array}{ll}\r\n1.00 & 2.00 \\\\\r\n3.00 & 4.00 \\\\\r\n\\end{array} \\right)\r\n\\]\r\n");
  EXPECT_EQ(LatexArray(f, MatrixKind::Real, OneToFour(), {0, 1, 2.0L}),
            "\\[\r\n\\begin{array}{cc}\r\n1.00 & 2.00 \\\\\r\n3.00 & 4.00 \\\\\r\n\\end{array} \r\n\\]\r\n");
  EXPECT_EQ(LatexTabular(f, MatrixKind::Real, OneToFour(), {2, 2, 2.0L}),
            "\\[\r\n\\begin{tabular}{rr}\r\n1.00 & 2.00 \\\\\r\n3.00 & 4.00 \\\\\r\n\\end{tabular}\r\n\\]\r\n");
}

TEST(Tex, EntriesAsTheWindowShowsThem) {
  DisplayFormat f = WindowFormatFor(MatrixKind::Real);  // 5 places, width 7
  f.minusOn = true;
  ComplexMatrix m(1, 1);
  m.e() = {Complex(-3.14159L)};
  EXPECT_EQ(TexMatrix(f, MatrixKind::Real, m, {0, 1, 2.0L}), "\\matrix{\r\n\x96" "3.1415\\cr\r\n}\r\n");
  f.minusOn = false;
  f.places = 1;
  f.width = 8;
  m.e() = {Complex(1.5L, -2.0L)};
  EXPECT_EQ(LatexTabular(f, MatrixKind::Complex, m, {0, 0, 2.0L}),
            "\\[\r\n\\begin{tabular}{l}\r\n1. - 2.i \\\\\r\n\\end{tabular}\r\n\\]\r\n");
  // An entry too wide for the field keeps its integer digits in exponent
  // form; "replace E by *10^" writes the power as TeX sets it.
  f.places = 5;
  m.e() = {Complex(-75209351.0L, 0.00012L)};
  EXPECT_EQ(TexMatrix(f, MatrixKind::Real, m, {0, 1, 2.0L}), "\\matrix{\r\n-7.5e+07\\cr\r\n}\r\n");
  f.replaceE = true;
  f.scientific = true;
  f.width = 30;
  EXPECT_EQ(TexMatrix(f, MatrixKind::Complex, m, {0, 1, 2.0L}),
            "\\matrix{\r\n-7.52094\\cdot10^{7} + 1.20000\\cdot10^{-4}i\\cr\r\n}\r\n");
  EXPECT_EQ(LatexTabular(f, MatrixKind::Real, m, {0, 0, 2.0L}),
            "\\[\r\n\\begin{tabular}{l}\r\n-7.52094$\\cdot10^{7}$ \\\\\r\n\\end{tabular}\r\n\\]\r\n");
}

TEST(Tex, IntegerDenominatorIsWritten) {
  DisplayFormat f = WindowFormatFor(MatrixKind::Integer);
  f.width = 8;
  IntegerMatrix m(1, 2);
  m.e = {BigInteger(1), BigInteger(-3)};
  EXPECT_EQ(TexMatrix(f, m, {1, 1, 2.0L}), "\\left(\\matrix{\r\n1&-3\\cr\r\n}\\right)\r\n");
  m.denominator = BigInteger(2);
  EXPECT_EQ(TexMatrix(f, m, {1, 1, 2.0L}), "{1\\over 2}\\left(\\matrix{\r\n1&-3\\cr\r\n}\\right)\r\n");
  EXPECT_EQ(LatexArray(f, m, {0, 2, 2.0L}),
            "\\[\r\n\\frac{1}{2}\\begin{array}{rr}\r\n1 & -3 \\\\\r\n\\end{array} \r\n\\]\r\n");
  EXPECT_EQ(LatexTabular(f, m, {0, 2, 2.0L}),
            "\\[\r\n\\begin{tabular}{rr}\r\n1 & -3 \\\\\r\ndenom 2 &  \\\\\r\n\\end{tabular}\r\n\\]\r\n");
}

TEST(CopyAs, FormatsForOtherTools) {
  DisplayFormat f = TwoPlaces();
  f.width = 3;        // never cuts here
  f.minusOn = true;   // never substituted here
  ComplexMatrix m(2, 2);
  m.e() = {Complex(1), Complex(-2.5L), Complex(1234.5L), Complex(0)};
  EXPECT_EQ(CopyAs(CopyFormat::Csv, f, MatrixKind::Real, m), "1.00,-2.50\n1234.50,0.00\n");
  EXPECT_EQ(CopyAs(CopyFormat::Markdown, f, MatrixKind::Real, m),
            "| 1 | 2 |\n| ---: | ---: |\n| 1.00 | -2.50 |\n| 1234.50 | 0.00 |\n");
  EXPECT_EQ(CopyAs(CopyFormat::NumPy, f, MatrixKind::Real, m),
            "np.array([[1.00, -2.50],\n          [1234.50, 0.00]])\n");
  EXPECT_EQ(CopyAs(CopyFormat::Matlab, f, MatrixKind::Real, m), "[1.00, -2.50;\n 1234.50, 0.00]\n");
  EXPECT_EQ(CopyAs(CopyFormat::Tsv, f, MatrixKind::Real, m), "1.00\t-2.50\n1234.50\t0.00\n");
  EXPECT_EQ(CopyAs(CopyFormat::Latex, f, MatrixKind::Real, m),
            "\\begin{pmatrix}\n1.00 & -2.50 \\\\\n1234.50 & 0.00\n\\end{pmatrix}\n");
  ComplexMatrix z(1, 2);
  z.e() = {Complex(1.5L, -2), Complex(0, std::numeric_limits<long double>::infinity())};
  EXPECT_EQ(CopyAs(CopyFormat::NumPy, f, MatrixKind::Complex, z), "np.array([[1.50-2.00j, complex(0.00, np.inf)]])\n");
  EXPECT_EQ(CopyAs(CopyFormat::Matlab, f, MatrixKind::Complex, z), "[1.50-2.00i, complex(0.00, Inf)]\n");
  IntegerMatrix im(1, 3);
  im.e = {BigInteger(4), BigInteger(-3), BigInteger(123456789)};
  im.denominator = BigInteger(-6);
  EXPECT_EQ(CopyAs(CopyFormat::Csv, WindowFormatFor(MatrixKind::Integer), im), "-2/3,1/2,-41152263/2\n");
}

}  // namespace
}  // namespace tavrin
