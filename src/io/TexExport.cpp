#include "io/TexExport.h"

#include <cmath>
#include <vector>

namespace tavrin {

namespace {

const char* const kCrLf = "\r\n";

struct Texts {
  int rows = 0, cols = 0;
  std::vector<std::string> e;  // row-major entry texts
  std::string denominator;     // empty when there is none to write
  const std::string& at(int i, int j) const { return e[static_cast<size_t>(i) * cols + j]; }
};

// "7.52*10^-3" as TeX writes a power of ten: "7.52\cdot10^{-3}", inside
// "$...$" in the forms that set their entries as text.
std::string TexPowersOfTen(const std::string& e, bool mathMode) {
  const std::string mark = "*10^";
  std::string out;
  size_t from = 0;
  for (size_t at = e.find(mark); at != std::string::npos; at = e.find(mark, from)) {
    size_t end = at + mark.size();
    if (end < e.size() && !(e[end] >= '0' && e[end] <= '9')) ++end;  // the exponent's minus, maybe substituted
    while (end < e.size() && e[end] >= '0' && e[end] <= '9') ++end;
    const std::string power = "\\cdot10^{" + e.substr(at + mark.size(), end - at - mark.size()) + "}";
    out += e.substr(from, at - from) + (mathMode ? power : "$" + power + "$");
    from = end;
  }
  return out + e.substr(from);
}

Texts FromComplex(const DisplayFormat& f, MatrixKind kind, const ComplexMatrix& m, bool mathMode) {
  Texts t{m.rows, m.cols, {}, {}};
  t.e.reserve(m.size());
  for (size_t k = 0; k < m.size(); ++k) {
    std::string e = EntryText(f, kind, m.entry(k), TextUse::Output);
    t.e.push_back(f.replaceE ? TexPowersOfTen(e, mathMode) : std::move(e));
  }
  return t;
}

Texts FromInteger(const DisplayFormat& f, const IntegerMatrix& m) {
  Texts t{m.rows, m.cols, {}, {}};
  t.e.reserve(m.e.size());
  for (const BigInteger& b : m.e) t.e.push_back(EntryText(f, b));
  if (!m.denominator.IsOne()) t.denominator = EntryText(f, m.denominator);
  return t;
}

std::string LeftDelimiter(int d) {
  switch (d) {
    case 1: return "\\left(";
    case 2: return "\\left[";
    case 3: return "\\left\\vert";
    default: return "";
  }
}

std::string RightDelimiter(int d) {
  switch (d) {
    case 1: return "\\right)";
    case 2: return "\\right]";
    case 3: return "\\right\\vert";
    default: return "";
  }
}

std::string ColumnLetters(int cols, int alignment) {
  char letter = alignment == 2 ? 'r' : alignment == 1 ? 'c' : 'l';
  return std::string(static_cast<size_t>(cols), letter);
}

std::string TexMatrixText(const Texts& t, const TexOptions& o) {
  std::string out;
  if (!t.denominator.empty()) out += "{1\\over " + t.denominator + "}";
  out += LeftDelimiter(o.delimiter) + "\\matrix{" + kCrLf;
  for (int i = 0; i < t.rows; ++i) {
    for (int j = 0; j < t.cols; ++j) {
      if (o.alignment == 2) out += "\\hfill ";
      out += t.at(i, j);
      if (o.alignment == 0) out += "\\hfill";
      if (j + 1 < t.cols) out += "&";
    }
    out += std::string("\\cr") + kCrLf;
  }
  out += '}';
  out += RightDelimiter(o.delimiter);
  out += kCrLf;
  return out;
}

std::string TexTableCell(const std::string& e, int alignment) {
  if (alignment == 2) return "\\hfill " + e + "&";
  if (alignment == 1) return "\\hfill " + e + "\\hfill&";
  return e + "\\hfill&";
}

std::string TexTableText(const Texts& t, int width, const TexOptions& o) {
  long double factor = ClampSpacerFactor(o.spacerFactor);
  long spacer = NearestInteger((static_cast<long double>(width) + 2.0L) * factor);
  std::string column(static_cast<size_t>(std::max(width + 2, 0)), '8');
  std::string out = "\\settabs\\+" + std::string(static_cast<size_t>(std::max(spacer, 0L)), '8') + "&";
  for (int j = 0; j < t.cols; ++j) out += column + "&";
  out += std::string("\\cr") + kCrLf;
  for (int i = 0; i < t.rows; ++i) {
    out += "\\+&";
    for (int j = 0; j < t.cols; ++j) out += TexTableCell(t.at(i, j), o.alignment);
    out += std::string("\\cr") + kCrLf;
  }
  if (!t.denominator.empty())
    out += "\\+&" + TexTableCell("denom " + t.denominator, o.alignment) + "\\cr" + kCrLf;
  return out;
}

void AppendLatexRows(std::string& out, const Texts& t) {
  for (int i = 0; i < t.rows; ++i) {
    for (int j = 0; j < t.cols; ++j) {
      if (j > 0) out += " & ";
      out += t.at(i, j);
    }
    out += std::string(" \\\\") + kCrLf;
  }
}

std::string LatexArrayText(const Texts& t, const TexOptions& o) {
  std::string out = std::string("\\[") + kCrLf;
  if (!t.denominator.empty()) out += "\\frac{1}{" + t.denominator + "}";
  out += LeftDelimiter(o.delimiter) + "\\begin{array}{" + ColumnLetters(t.cols, o.alignment) + "}" + kCrLf;
  AppendLatexRows(out, t);
  out += "\\end{array} " + RightDelimiter(o.delimiter) + kCrLf + "\\]" + kCrLf;
  return out;
}

std::string LatexTabularText(const Texts& t, const TexOptions& o) {
  std::string out = std::string("\\[") + kCrLf + "\\begin{tabular}{" + ColumnLetters(t.cols, o.alignment) + "}" + kCrLf;
  AppendLatexRows(out, t);
  if (!t.denominator.empty()) {
    out += "denom " + t.denominator;
    for (int j = 1; j < t.cols; ++j) out += " & ";
    out += std::string(" \\\\") + kCrLf;
  }
  out += std::string("\\end{tabular}") + kCrLf + "\\]" + kCrLf;
  return out;
}

}  // namespace

long double ClampSpacerFactor(long double factor) {
  if (std::isnan(factor) || factor < 0.0L) return 0.0L;  // a text that is no number counts as 0
  if (factor >= 10.0L) return 10.0L;
  return factor;
}

std::string TexMatrix(const DisplayFormat& f, MatrixKind kind, const ComplexMatrix& m, const TexOptions& o) {
  return TexMatrixText(FromComplex(f, kind, m, true), o);
}
std::string TexTable(const DisplayFormat& f, MatrixKind kind, const ComplexMatrix& m, const TexOptions& o) {
  return TexTableText(FromComplex(f, kind, m, false), f.width, o);
}
std::string LatexArray(const DisplayFormat& f, MatrixKind kind, const ComplexMatrix& m, const TexOptions& o) {
  return LatexArrayText(FromComplex(f, kind, m, true), o);
}
std::string LatexTabular(const DisplayFormat& f, MatrixKind kind, const ComplexMatrix& m, const TexOptions& o) {
  return LatexTabularText(FromComplex(f, kind, m, false), o);
}
std::string TexMatrix(const DisplayFormat& f, const IntegerMatrix& m, const TexOptions& o) {
  return TexMatrixText(FromInteger(f, m), o);
}
std::string TexTable(const DisplayFormat& f, const IntegerMatrix& m, const TexOptions& o) {
  return TexTableText(FromInteger(f, m), f.width, o);
}
std::string LatexArray(const DisplayFormat& f, const IntegerMatrix& m, const TexOptions& o) {
  return LatexArrayText(FromInteger(f, m), o);
}
std::string LatexTabular(const DisplayFormat& f, const IntegerMatrix& m, const TexOptions& o) {
  return LatexTabularText(FromInteger(f, m), o);
}

}  // namespace tavrin
