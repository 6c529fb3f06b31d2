#include "io/CopyAs.h"

#include <cmath>
#include <vector>

namespace tavrin {

namespace {

DisplayFormat Uncut(DisplayFormat f) {
  f.width = 32767;
  f.minusOn = false;
  return f;
}

std::string Strip(const std::string& s) {
  std::string out;
  for (char c : s)
    if (c != ' ') out += c;
  return out;
}

std::string NonFinite(long double x, CopyFormat format) {
  bool neg = std::signbit(x);
  bool nan = std::isnan(x);
  switch (format) {
    case CopyFormat::NumPy: return nan ? "np.nan" : neg ? "-np.inf" : "np.inf";
    case CopyFormat::Matlab: return nan ? "NaN" : neg ? "-Inf" : "Inf";
    case CopyFormat::Latex: return nan ? "\\mathrm{NaN}" : neg ? "-\\infty" : "\\infty";
    default: return nan ? "nan" : neg ? "-inf" : "inf";
  }
}

std::string RealText(const DisplayFormat& f, long double x, CopyFormat format) {
  if (!std::isfinite(x)) return NonFinite(x, format);
  return Strip(FixedText(x, f.places));
}

std::string ComplexText(const DisplayFormat& f, MatrixKind kind, Complex z, CopyFormat format) {
  if (kind != MatrixKind::Complex) return RealText(f, z.re, format);
  if (!std::isfinite(z.re) || !std::isfinite(z.im)) {
    if (format == CopyFormat::NumPy || format == CopyFormat::Matlab)
      return "complex(" + RealText(f, z.re, format) + ", " + RealText(f, z.im, format) + ")";
    return RealText(f, z.re, format) + (z.im < 0 ? "-" : "+") + RealText(f, std::fabs(z.im), format) + "i";
  }
  std::string text = Strip(EntryText(Uncut(f), kind, z));  // "1.50-2.00i"
  if (format == CopyFormat::NumPy) text.back() = 'j';
  return text;
}

// "-2/3" becomes "-\frac{2}{3}"; other texts stay.
std::string LatexEntry(const std::string& e) {
  size_t slash = e.find('/');
  if (slash == std::string::npos) return e;
  const bool negative = !e.empty() && e[0] == '-';
  return (negative ? "-" : "") + std::string("\\frac{") + e.substr(negative ? 1 : 0, slash - (negative ? 1 : 0)) +
         "}{" + e.substr(slash + 1) + "}";
}

std::string Layout(CopyFormat format, int rows, int cols, const std::vector<std::string>& e) {
  auto at = [&](int i, int j) -> const std::string& { return e[static_cast<size_t>(i) * cols + j]; };
  std::string out;
  switch (format) {
    case CopyFormat::Markdown: {
      out += "|";
      for (int j = 0; j < cols; ++j) {
        out += ' ';
        out += std::to_string(j + 1);
        out += " |";
      }
      out += "\n|";
      for (int j = 0; j < cols; ++j) out += " ---: |";
      out += "\n";
      for (int i = 0; i < rows; ++i) {
        out += "|";
        for (int j = 0; j < cols; ++j) out += " " + at(i, j) + " |";
        out += "\n";
      }
      break;
    }
    case CopyFormat::Csv:
    case CopyFormat::Tsv: {
      const char* sep = format == CopyFormat::Csv ? "," : "\t";
      for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < cols; ++j) out += (j ? sep : "") + at(i, j);
        out += "\n";
      }
      break;
    }
    case CopyFormat::Latex:
      out += "\\begin{pmatrix}\n";
      for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < cols; ++j) out += (j ? " & " : "") + LatexEntry(at(i, j));
        out += i + 1 < rows ? " \\\\\n" : "\n";
      }
      out += "\\end{pmatrix}\n";
      break;
    case CopyFormat::NumPy:
      out += "np.array([";
      for (int i = 0; i < rows; ++i) {
        out += i ? ",\n          [" : "[";
        for (int j = 0; j < cols; ++j) out += (j ? ", " : "") + at(i, j);
        out += "]";
      }
      out += "])\n";
      break;
    case CopyFormat::Matlab:
      out += "[";
      for (int i = 0; i < rows; ++i) {
        if (i) out += ";\n ";
        for (int j = 0; j < cols; ++j) out += (j ? ", " : "") + at(i, j);
      }
      out += "]\n";
      break;
  }
  return out;
}

}  // namespace

std::string CopyAs(CopyFormat format, const DisplayFormat& f, MatrixKind kind, const ComplexMatrix& m) {
  std::vector<std::string> e;
  e.reserve(m.size());
  for (size_t k = 0; k < m.size(); ++k) e.push_back(ComplexText(f, kind, m.entry(k), format));
  return Layout(format, m.rows, m.cols, e);
}

std::string CopyAs(CopyFormat format, const DisplayFormat& f, const IntegerMatrix& m) {
  DisplayFormat full = Uncut(f);
  std::vector<std::string> e;
  e.reserve(m.e.size());
  bool negate = m.denominator.IsNegative();
  for (const BigInteger& n : m.e) {
    BigInteger num = negate ? -n : n;
    BigInteger den = m.denominator.Abs();
    if (!den.IsOne() && !den.IsZero()) {
      mpz_class g;
      mpz_gcd(g.get_mpz_t(), num.Value().get_mpz_t(), den.Value().get_mpz_t());
      if (g > 1) {
        num = BigInteger(mpz_class(num.Value() / g));
        den = BigInteger(mpz_class(den.Value() / g));
      }
    }
    std::string text = EntryText(full, num);
    if (!den.IsOne()) {
      text += '/';
      text += EntryText(full, den);
    }
    e.push_back(text);
  }
  return Layout(format, m.rows, m.cols, e);
}

}  // namespace tavrin
