#include "engine/OneMatrixReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/FittedText.h"
#include "core/StringTable.h"
#include "core/Thresholds.h"
#include "engine/CharacteristicPolynomial.h"
#include "engine/Elimination.h"
#include "engine/RationalRoots.h"
#include "engine/RootFinder.h"

namespace tavrin {

namespace {

constexpr const char* kBreak = "\r\n";
constexpr size_t kReportLimit = 64000;

std::string FractionText(const Fraction& v) {
  std::string t = v.num.TextForm(255);
  if (!v.den.IsOne()) {
    t += '/';
    t += v.den.TextForm(255);
  }
  return t;
}

// The block's heading: its title, underlined.
std::string PolynomialHeading() {
  std::string title = String(str::kCharacteristicPolynomial);
  return title + kBreak + "--" + std::string(title.size(), '-') + kBreak;
}

// The coefficient lines under "Degree  Coefficient", highest degree first.
// Each text is cut at the first `mark` (the decimal point, the fraction bar)
// and the parts before it are right-aligned so that the marks line up;
// `longest` gets the widest such part (it sizes the root column).
std::string CoefficientColumn(const std::vector<std::string>& texts, char mark, size_t& longest) {
  const std::string degree = String(str::kDegree);
  std::string out = degree + "  " + String(str::kCoefficient) + kBreak;
  const int n = static_cast<int>(texts.size()) - 1;
  std::vector<std::string> heads(texts.size()), tails(texts.size());
  longest = 0;
  for (size_t i = 0; i < texts.size(); ++i) {
    size_t at = texts[i].find(mark);
    heads[i] = texts[i].substr(0, at);
    if (at != std::string::npos) tails[i] = texts[i].substr(at);
    longest = std::max(longest, heads[i].size());
  }
  const size_t w = degree.size();
  for (size_t i = 0; i < texts.size(); ++i) {
    std::string label = std::to_string(n - static_cast<int>(i)) + ": ";
    if (label.size() < w) label.insert(0, w - label.size(), ' ');
    label.resize(w);
    std::string head = heads[i];
    if (head.size() < longest) head.insert(0, longest - head.size(), ' ');
    out += label + "  " + head + tails[i] + kBreak;
  }
  return out + kBreak + String(str::kRoots) + kBreak;
}

// " (multiplicity 2)" after a repeated root; nothing after a simple one.
std::string MultiplicityNote(int k) {
  return k > 1 ? std::string(" (") + String(str::kMultiplicity) + " " + std::to_string(k) + ")" : std::string();
}

std::string PolynomialBlock(const ComplexMatrix& m, bool complex, const ReportFormat& f, Interrupt& stop) {
  std::string out = PolynomialHeading();
  std::vector<Complex> c;
  RootList roots;
  // A stop in the root search still lists the roots found so far.
  if (MatrixPolynomialAndRoots(m, complex, c, roots, stop, f.places) != ResultCode::Ok && c.empty())
    return out + CodeMessage(ResultCode::CouldNotCalculate);
  std::vector<std::string> texts;
  for (const Complex& v : c) texts.push_back(ReportEntryText(v, complex, f.places, 2 * f.width, f));
  size_t longest = 0;
  out += CoefficientColumn(texts, '.', longest);
  const int rootWidth = 2 * ((f.places + static_cast<int>(longest)) * 2 + 7);
  for (size_t i = 0; i < roots.roots.size(); ++i) {
    Complex z = roots.roots[i];
    out += ReportEntryText(z, std::fabs(z.im) > 1e-13L, f.places, rootWidth, f) +
           MultiplicityNote(roots.multiplicities[i]) + kBreak;
  }
  return out;
}

// Integer mode: the exact polynomial, coefficients as reduced fractions
// aligned on their numerators' last digit, its rational roots exactly and the
// others as numbers, in the layout of the real block.
std::string IntegerPolynomialBlock(const IntegerMatrix& m, const ReportFormat& f, Interrupt& stop) {
  std::string out = PolynomialHeading();
  std::vector<Fraction> c;
  if (NotOk(IntegerCharacteristicPolynomial(m, c, stop))) return out + CodeMessage(ResultCode::CouldNotCalculate);
  std::vector<std::string> texts;
  for (const Fraction& v : c) texts.push_back(FractionText(v));
  size_t longest = 0;
  out += CoefficientColumn(texts, '/', longest);
  IntegerRoots roots;
  (void)IntegerMatrixRoots(m, c, roots, stop);  // a stop lists the roots found so far
  for (size_t i = 0; i < roots.rational.size(); ++i)
    out += FractionText(roots.rational[i]) + MultiplicityNote(roots.rationalMultiplicities[i]) + kBreak;
  const int rootWidth = 2 * ((f.places + static_cast<int>(longest)) * 2 + 7);
  for (size_t i = 0; i < roots.others.roots.size(); ++i) {
    Complex z = roots.others.roots[i];
    out += ReportEntryText(z, std::fabs(z.im) > 1e-13L, f.places, rootWidth, f) +
           MultiplicityNote(roots.others.multiplicities[i]) + kBreak;
  }
  return out;
}

std::string Item(int label, const std::string& value) {
  return std::string(String(label)) + ": " + value + kBreak + kBreak;
}

std::string Limit(std::string s) {
  if (s.size() > kReportLimit) s.resize(kReportLimit);
  return s;
}

}  // namespace

std::string ReportEntryText(Complex value, bool showImaginary, int places, int width,
                            const ReportFormat& f) {
  // As the window writes entries, and a non-zero value that would show as
  // zeros is written in exponent form too.
  FitOptions o;
  o.places = places;
  o.revealTiny = true;
  std::string t = showImaginary ? FitComplex(value, width, o) : FitReal(value.re, width, o);
  if (f.minusOn)
    for (char& ch : t)
      if (ch == '-') ch = static_cast<char>(f.minusCode);
  return t;
}

std::string OneMatrixReport(const ComplexMatrix& m, MatrixKind kind, const ReportFormat& f, Interrupt& stop) {
  const bool complex = kind == MatrixKind::Complex;
  const std::string failed = CodeMessage(ResultCode::CouldNotCalculate);
  // Once Q or S has stopped one item, the items after it are not computed.
  const int rank = Rank(m, ZeroTolerance(f.places), stop);
  bool stopped = rank < 0;
  std::string out = Item(str::kRank, stopped ? failed : std::to_string(rank));
  if (m.rows != m.cols || m.rows == 0) return Limit(out);
  Complex trace;
  for (int i = 0; i < m.rows; ++i) trace += m.at(i, i);
  out += Item(str::kTrace, ReportEntryText(trace, complex, f.places, 2 * f.width, f));
  Complex det;
  const ResultCode c = stopped ? ResultCode::Stopped : DeterminantAndInverse(m, det, nullptr, stop);
  stopped = stopped || c == ResultCode::Stopped;
  // Singular is a determinant of zero; any other failure is no value at all.
  out += Item(str::kDeterminant, IsOk(c) || c == ResultCode::Singular
                                     ? ReportEntryText(IsOk(c) ? det : kComplexZero, complex, f.places,
                                                       2 * f.width, f)
                                     : failed);
  if (stopped) {
    const std::string title = String(str::kCharacteristicPolynomial);
    return Limit(out + title + kBreak + "--" + std::string(title.size(), '-') + kBreak + failed);
  }
  out += PolynomialBlock(m, complex, f, stop);
  return Limit(out);
}

std::string OneMatrixReport(const IntegerMatrix& m, const ReportFormat& f, Interrupt& stop) {
  const std::string failed = CodeMessage(ResultCode::CouldNotCalculate);
  int rank = 0;
  std::string out = Item(str::kRank, IsOk(IntegerRank(m, rank, stop)) ? std::to_string(rank) : failed);
  if (m.rows != m.cols || m.rows == 0) return Limit(out);
  Fraction trace{BigInteger(0), m.denominator};
  for (int i = 0; i < m.rows; ++i) trace.num += m.at(i, i);
  out += Item(str::kTrace, IsOk(Reduce(trace)) ? FractionText(trace) : failed);
  Fraction det;
  ResultCode c = IntegerInverse(m, det, nullptr, stop);
  if (c == ResultCode::Singular) det = Fraction{};
  out += Item(str::kDeterminant, IsOk(c) || c == ResultCode::Singular ? FractionText(det) : failed);
  out += IntegerPolynomialBlock(m, f, stop);
  return Limit(out);
}

}  // namespace tavrin
