#include "io/StepsLatex.h"

#include <algorithm>
#include <cmath>

#include "core/FixedText.h"

namespace tavrin {

namespace {

constexpr const char* kEol = "\r\n";

std::string Trimmed(std::string s) {
  s.erase(0, s.find_first_not_of(' '));
  return s;
}

// "R_{12}" must keep its braces, "R_2" reads better without.
std::string Subscripts(const std::string& label) {
  std::string out;
  for (size_t i = 0; i < label.size(); ++i) {
    if (label.compare(i, 2, "_{") == 0) {
      size_t close = label.find('}', i);
      if (close != std::string::npos && close == i + 3) {
        out += '_';
        out += label[i + 2];
        i = close;
        continue;
      }
    }
    out += label[i];
  }
  return out;
}

template <class EntryOf>
void Matrix(std::string& out, int rows, int cols, int hr, int hc, EntryOf entry) {
  out += "\\begin{pmatrix}";
  out += kEol;
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < cols; ++j) {
      if (j) out += " & ";
      std::string e = entry(i, j);
      out += i == hr && j == hc ? "\\boxed{" + e + "}" : e;
    }
    out += i + 1 < rows ? " \\\\" : "";
    out += kEol;
  }
  out += "\\end{pmatrix}";
}

}  // namespace

std::string LatexEntry(const Fraction& value) {
  Fraction f = value;
  (void)Reduce(f);  // a logged entry never has a zero denominator
  const std::string sign = f.num.IsNegative() ? "-" : "";
  const std::string mag = f.num.Abs().ToString();
  if (f.den.IsOne()) return sign + mag;
  return sign + "\\frac{" + mag + "}{" + f.den.ToString() + "}";
}

std::string LatexEntry(Complex value, bool complex, int places) {
  std::string re = Trimmed(FixedText(value.re, places));
  if (!complex) return re;
  const bool negative = std::signbit(value.im);
  return re + (negative ? "-" : "+") + Trimmed(FixedText(std::fabs(value.im), places)) + "\\mathrm{i}";
}

std::string StepsLatex(const StepLog& log, const DisplayFormat& f) {
  const StepNumbers& n = log.numbers();
  const bool exact = n.exact;
  int widest = exact ? log.startQ().cols : log.startZ().cols;
  for (const LoggedStep& s : log.steps()) widest = std::max(widest, exact ? s.q.cols : s.z.cols);

  auto matrix = [&](std::string& out, const ComplexMatrix& z, const IntegerMatrix& q, int hr, int hc) {
    if (exact)
      Matrix(out, q.rows, q.cols, hr, hc,
             [&](int i, int j) { return LatexEntry(Fraction{q.at(i, j), q.denominator}); });
    else
      Matrix(out, z.rows, z.cols, hr, hc, [&](int i, int j) { return LatexEntry(z.at(i, j), n.complex, f.places); });
  };

  std::string out;
  out += "\\documentclass{article}";
  out += kEol;
  out += "\\usepackage{amsmath}";
  out += kEol;
  if (widest > 10) out += "\\setcounter{MaxMatrixCols}{" + std::to_string(widest) + "}" + kEol;
  out += "\\allowdisplaybreaks";
  out += kEol;
  out += "\\begin{document}";
  out += kEol;
  if (!log.title().empty()) out += "% " + log.title() + kEol;
  out += "\\begin{align*}";
  out += kEol;
  out += "&";
  matrix(out, log.startZ(), log.startQ(), -1, -1);
  for (const LoggedStep& s : log.steps()) {
    if (!StepChangesMatrix(s.op, n)) continue;
    out += "\\\\";
    out += kEol;
    if (!s.hasMatrix) {  // the log kept no more matrices
      out += "&\\text{\\ldots}";
      break;
    }
    out += "\\xrightarrow{" + Subscripts(StepLatexLabel(s.op, n)) + "}\\quad&";
    matrix(out, s.z, s.q, s.highlightRow, s.highlightCol);
  }
  out += kEol;
  out += "\\end{align*}";
  out += kEol;
  out += "\\end{document}";
  out += kEol;
  return out;
}

}  // namespace tavrin
