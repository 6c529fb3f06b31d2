#include <gtest/gtest.h>

#include "MatrixBuilders.h"

#include "engine/OneMatrixReport.h"
#include "FakeInterrupt.h"

namespace tavrin {
namespace {

NoInterrupt none;


IntegerMatrix Int(int n, std::initializer_list<long> v, long den) {
  IntegerMatrix m(n, n);
  size_t i = 0;
  for (long x : v) m.e[i++] = BigInteger(x);
  m.denominator = BigInteger(den);
  return m;
}

TEST(OneMatrixReportTest, IdentityAtThreePlaces) {
  ReportFormat f;
  f.places = 3;
  f.width = 6;
  EXPECT_EQ(OneMatrixReport(Real(3, 3, {1, 0, 0, 0, 1, 0, 0, 0, 1}), MatrixKind::Real, f, none),
            "rank: 3\r\n\r\n"
            "trace: 3.000\r\n\r\n"
            "determinant: 1.000\r\n\r\n"
            "characteristic polynomial\r\n"
            "---------------------------\r\n"
            "degree  coefficient\r\n"
            "   3:    1.000\r\n"
            "   2:   -3.000\r\n"
            "   1:    3.000\r\n"
            "   0:   -1.000\r\n"
            "\r\n"
            "roots\r\n"
            "1.000 (multiplicity 3)\r\n");
}

TEST(OneMatrixReportTest, IntegerMatrices) {
  ReportFormat f;
  const std::string head = "characteristic polynomial\r\n---------------------------\r\ndegree  coefficient\r\n";
  struct {
    IntegerMatrix m;
    std::string text;
  } cases[] = {
      // x^2 - 5x: the roots 5 and 0.
      {Int(2, {1, 2, 2, 4}, 1), "rank: 1\r\n\r\ntrace: 5\r\n\r\ndeterminant: 0\r\n\r\n" + head +
                                    "   2:    1\r\n   1:   -5\r\n   0:    0\r\n\r\nroots\r\n5\r\n0\r\n"},
      // (x - 1/2)^2 = x^2 - x + 1/4.
      {Int(2, {1, 0, 0, 1}, 2), "rank: 2\r\n\r\ntrace: 1\r\n\r\ndeterminant: 1/4\r\n\r\n" + head +
                                    "   2:    1\r\n   1:   -1\r\n   0:    1/4\r\n\r\nroots\r\n1/2 (multiplicity 2)\r\n"},
      // (x - 2/3)(x + 1/3) = x^2 - x/3 - 2/9.
      {Int(2, {-1, 0, 0, 2}, 3), "rank: 2\r\n\r\ntrace: 1/3\r\n\r\ndeterminant: -2/9\r\n\r\n" + head +
                                     "   2:    1\r\n   1:   -1/3\r\n   0:   -2/9\r\n\r\nroots\r\n2/3\r\n-1/3\r\n"},
      // x^2 - 2: no rational root; the two others as numbers.
      {Int(2, {0, 2, 1, 0}, 1), "rank: 2\r\n\r\ntrace: 0\r\n\r\ndeterminant: -2\r\n\r\n" + head +
                                    "   2:    1\r\n   1:    0\r\n   0:   -2\r\n\r\nroots\r\n1.41421\r\n-1.41421\r\n"},
      // (x - 1)^2 (x^2 + 1) from a block matrix: 1 exactly, then i and -i.
      {Int(4, {1, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0}, 1),
       "rank: 4\r\n\r\ntrace: 2\r\n\r\ndeterminant: 1\r\n\r\n" + head +
           "   4:    1\r\n   3:   -2\r\n   2:    2\r\n   1:   -2\r\n   0:    1\r\n\r\nroots\r\n1 (multiplicity 2)\r\n"
           "0.00000 + 1.00000i\r\n0.00000 - 1.00000i\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(OneMatrixReport(c.m, f, none), c.text);
  FakeInterrupt key1('Q');  // a stopped exact determinant shows the failure in its place
  std::string r = OneMatrixReport(Int(2, {1, 2, 3, 4}, 1), f, key1);
  EXPECT_NE(r.find("could not calculate"), std::string::npos) << r;
}

TEST(OneMatrixReportTest, RealLayouts) {
  ReportFormat f;  // 5 places, width 7
  EXPECT_EQ(OneMatrixReport(Real(2, 3, {1, 2, 3, 2, 4, 7}), MatrixKind::Real, f, none), "rank: 2\r\n\r\n");
  // [[0, -1], [1, 0]]: x^2 + 1, roots i and -i.
  // Which of i and -i the search meets first depends on the random starts.
  std::string rotation = OneMatrixReport(Real(2, 2, {0, -1, 1, 0}), MatrixKind::Real, f, none);
  bool first = rotation.find("roots\r\n0.00000 + 1.00000i") != std::string::npos;
  EXPECT_EQ(rotation,
            "rank: 2\r\n\r\n"
            "trace: 0.00000\r\n\r\n"
            "determinant: 1.00000\r\n\r\n"
            "characteristic polynomial\r\n"
            "---------------------------\r\n"
            "degree  coefficient\r\n"
            "   2:   1.00000\r\n"
            "   1:   0.00000\r\n"
            "   0:   1.00000\r\n"
            "\r\n"
            "roots\r\n"
            "0.00000 " + std::string(first ? "+" : "-") + " 1.00000i\r\n"
            "0.00000 " + std::string(first ? "-" : "+") + " 1.00000i\r\n");
  // Exponent 10 gets two spaces before "10: "; the cut to twice the width
  // (here 8) leaves "-10.0000".
  ComplexMatrix d(10, 10);
  for (int i = 0; i < 10; ++i) d.at(i, i) = Complex(1.0L, 0.0L);
  f.places = 4;
  f.width = 4;
  std::string r = OneMatrixReport(d, MatrixKind::Real, f, none);
  EXPECT_NE(r.find("\r\n  10:      1.0000\r\n   9:    -10.0000\r\n   8:     45.0000\r\n   7:   -120.000\r\n"), std::string::npos) << r;
  EXPECT_NE(r.find("roots\r\n1.0000 (multiplicity 10)\r\n"), std::string::npos) << r;
}

TEST(OneMatrixReportTest, ComplexAndStopped) {
  ComplexMatrix z(1, 1);
  z.at(0, 0) = Complex(1.5L, -2.0L);
  ReportFormat f;
  f.places = 2;
  f.width = 14;
  EXPECT_EQ(OneMatrixReport(z, MatrixKind::Complex, f, none),
            "rank: 1\r\n\r\n"
            "trace: 1.50 - 2.00i\r\n\r\n"
            "determinant: 1.50 - 2.00i\r\n\r\n"
            "characteristic polynomial\r\n"
            "---------------------------\r\n"
            "degree  coefficient\r\n"
            "   1:    1.00 + 0.00i\r\n"
            "   0:   -1.50 + 2.00i\r\n"
            "\r\n"
            "roots\r\n"
            "1.50 - 2.00i\r\n");
  f.minusOn = true;
  f.minusCode = '~';
  EXPECT_EQ(ReportEntryText(Complex(-3.14159L, 0), false, 5, 7, f), "~3.1415");
}

}  // namespace
}  // namespace tavrin

namespace tavrin {
namespace {

// Values too wide for the report's field, or non-zero values that would show
// as zeros, are written in exponent form; the coefficients still line up on
// their points. (Expected mantissas from Python's decimal module.)
TEST(OneMatrixReportTest, ValuesKeepTheirMagnitude) {
  ReportFormat f;  // 5 places, field 7: values get 14 characters
  struct Case {
    Complex value;
    bool imaginary;
    int width;
    const char* text;
  } cases[] = {
      {Complex(6.6945014971237e79L), false, 16, "6.69450e+79"},
      {Complex(-4e-94L), false, 16, "-4.00000e-94"},
      {Complex(0.0L), false, 16, "0.00000"},
      {Complex(1e-20L, 5.0L), true, 30, "1.00000e-20 + 5.00000i"},
      {Complex(123456.75L), false, 8, "123456.7"},
  };
  for (const Case& c : cases) EXPECT_EQ(ReportEntryText(c.value, c.imaginary, 5, c.width, f), c.text);

  ComplexMatrix tiny(40, 40);
  for (int i = 0; i < 40; ++i) tiny.at(i, i) = Complex(0.001L);
  const std::string report = OneMatrixReport(tiny, MatrixKind::Real, f, none);
  EXPECT_NE(report.find("trace: 0.04000\r\n"), std::string::npos);
  EXPECT_NE(report.find("determinant: 1.00000e-120\r\n"), std::string::npos);

  f.width = 8;
  const std::string big = OneMatrixReport(Real(2, 2, {1e30L, 0, 0, 1}), MatrixKind::Real, f, none);
  EXPECT_NE(big.find("determinant: 1.00000e+30\r\n"), std::string::npos) << big;
  EXPECT_NE(big.find("degree  coefficient\r\n"
                     "   2:    1.00000\r\n"
                     "   1:   -1.00000e+30\r\n"
                     "   0:    1.00000e+30\r\n"),
            std::string::npos)
      << big;
}

}  // namespace
}  // namespace tavrin
