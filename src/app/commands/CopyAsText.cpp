#include "app/commands/CopyAsText.h"

#include <algorithm>
#include <cctype>
#include <type_traits>

#include "app/commands/CommandLine.h"
#include "core/VisitEntries.h"
#include "io/CopyAs.h"
#include "io/DisplayFormat.h"

namespace tavrin {

namespace {
const CopyAsItem kItems[] = {
    {CopyAsKind::Text, "text", "&Text"},
    {CopyAsKind::Csv, "csv", "&CSV"},
    {CopyAsKind::Tsv, "tsv", "T&SV"},
    {CopyAsKind::Markdown, "markdown", "&Markdown"},
    {CopyAsKind::Latex, "latex", "&LaTeX"},
    {CopyAsKind::NumPy, "numpy", "&NumPy"},
    {CopyAsKind::Matlab, "matlab", "MATLAB/&Octave"},
};

CopyFormat FormatOf(CopyAsKind kind) {
  switch (kind) {
    case CopyAsKind::Csv: return CopyFormat::Csv;
    case CopyAsKind::Tsv: return CopyFormat::Tsv;
    case CopyAsKind::Markdown: return CopyFormat::Markdown;
    case CopyAsKind::Latex: return CopyFormat::Latex;
    case CopyAsKind::NumPy: return CopyFormat::NumPy;
    default: return CopyFormat::Matlab;
  }
}

std::string WithoutCarriageReturns(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s)
    if (c != '\r') out += c;
  return out;
}
}  // namespace

const CopyAsItem* CopyAsItems(int& count) {
  count = static_cast<int>(std::size(kItems));
  return kItems;
}

bool CopyAsKindOf(std::string_view word, CopyAsKind& kind) {
  std::string w(word);
  for (char& c : w) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const CopyAsItem& item : kItems) {
    if (w == item.word) {
      kind = item.kind;
      return true;
    }
  }
  return false;
}

ResultCode CopyAsText(const MatrixDocument& doc, CopyAsKind kind, int r0, int c0, int r1, int c1, std::string& out) {
  const int top = std::clamp(std::min(r0, r1), 0, doc.rows() - 1), bottom = std::clamp(std::max(r0, r1), 0, doc.rows() - 1);
  const int left = std::clamp(std::min(c0, c1), 0, doc.cols() - 1), right = std::clamp(std::max(c0, c1), 0, doc.cols() - 1);
  const int rows = bottom - top + 1, cols = right - left + 1;
  const bool whole = rows == doc.rows() && cols == doc.cols();
  const ResultCode rc = VisitEntries(doc, [&](const auto& entries, auto... matrixKind) {
    std::decay_t<decltype(entries)> block;
    if (!whole) {
      block = std::decay_t<decltype(entries)>(rows, cols);
      for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) block.at(i, j) = entries.at(top + i, left + j);
      if constexpr (requires { block.denominator; }) block.denominator = entries.denominator;
    }
    const auto& m = whole ? entries : block;
    if (kind == CopyAsKind::Text) return TextOut(doc.format, m, matrixKind..., out);
    out = CopyAs(FormatOf(kind), doc.format, matrixKind..., m);
    return ResultCode::Ok;
  });
  if (rc != ResultCode::Ok) {
    out.clear();
    return rc;
  }
  out = WithoutCarriageReturns(out);
  return ResultCode::Ok;
}

ResultCode CopyAsText(const MatrixDocument& doc, CopyAsKind kind, std::string& out) {
  return CopyAsText(doc, kind, 0, 0, doc.rows() - 1, doc.cols() - 1, out);
}

ResultCode CopyAsLine(Application& app, CommandLine& line) {
  CopyAsKind kind;
  if (line.size() != 3 || !CopyAsKindOf(line[2], kind)) return line.Usage();
  MatrixDocument* doc = line.Document(app, 1);
  if (!doc) return line.Missing(1);
  std::string text;
  const ResultCode c = CopyAsText(*doc, kind, text);
  if (IsError(c)) app.port().ShowCode(c);
  line.out << text;
  return c;
}

}  // namespace tavrin
