#include "io/TextImport.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <new>
#include <vector>

#include "core/CLocale.h"

namespace tavrin {

namespace {

// Larger matrices are refused as low memory rather than risking the
// machine: no matrix of the program holds more entries.
constexpr uint64_t kMaxImportEntries = kMaxMatrixEntries;

bool IsFieldChar(char c) { return c == '-' || c == '.' || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// End of the field that starts at `start`: the run of '-', '.' and digits,
// and an exponent right after it ("1.5e-3" is one number, not 1.5 and -3).
size_t FieldEnd(std::string_view text, size_t start) {
  size_t k = start;
  bool digit = false;
  while (k < text.size() && IsFieldChar(text[k])) digit = IsDigit(text[k++]) || digit;
  if (digit && k < text.size() && (text[k] == 'e' || text[k] == 'E')) {
    size_t e = k + 1;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    if (e < text.size() && IsDigit(text[e])) {
      k = e;
      while (k < text.size() && IsDigit(text[k])) ++k;
    }
  }
  return k;
}

// A field that is a number: it has a digit and is not the tail of a name
// such as "x1" or "col2".
bool IsNumberField(std::string_view text, size_t start, size_t end) {
  if (start > 0 && IsLetter(text[start - 1])) return false;
  for (size_t k = start; k < end; ++k)
    if (IsDigit(text[k])) return true;
  return false;
}

// The header: the first line with fields, when none of them is a number
// ("x,y" or "name - value") and a later line has fields. [from, to) is the
// line without its line feed; from is npos when there is none.
void FindHeader(std::string_view text, size_t& from, size_t& to) {
  from = to = std::string_view::npos;
  bool inHeader = false;
  for (size_t line = 0; line < text.size();) {
    size_t end = text.find('\n', line);
    if (end == std::string_view::npos) end = text.size();
    bool fields = false, number = false;
    for (size_t k = line; k < end;) {
      if (!IsFieldChar(text[k])) {
        ++k;
        continue;
      }
      size_t stop = std::min(FieldEnd(text, k), end);
      fields = true;
      number = number || IsNumberField(text, k, stop);
      k = stop;
    }
    if (fields) {
      if (inHeader) {
        return;  // data follows the header: keep it
      }
      if (number) break;
      from = line;
      to = end;
      inHeader = true;
    }
    line = end + 1;
  }
  from = to = std::string_view::npos;  // no header, or nothing after it
}

// Calls onField(row, col, field) for every field, rows and columns 1-based,
// and returns the row count (rows holding at least one field).
template <typename OnField>
uint64_t Scan(std::string_view text, OnField onField) {
  size_t headerFrom, headerTo;
  FindHeader(text, headerFrom, headerTo);
  uint64_t rows = 1, col = 0;
  size_t k = 0;
  while (k < text.size()) {
    char c = text[k];
    if (k == headerFrom) {
      k = headerTo;
    } else if (c == '\n') {
      if (col > 0) ++rows;
      col = 0;
      ++k;
    } else if (IsFieldChar(c)) {
      size_t start = k;
      k = FieldEnd(text, k);
      ++col;
      onField(rows, col, text.substr(start, k - start));
    } else {
      ++k;
    }
  }
  if (col < 1) --rows;
  return rows;
}

long double ConvertPrefix(std::string_view field) {
  std::string s(field);
  char* end = nullptr;
  long double v = StrToLongDoubleC(s.c_str(), &end);
  return end == s.c_str() ? 0.0L : v;
}

}  // namespace

ResultCode ImportText(std::string_view text, ComplexMatrix& out) {
  if (text.empty()) return ResultCode::CouldNotFind;
  uint64_t maxcols = 0;
  uint64_t rows = Scan(text, [&](uint64_t, uint64_t col, std::string_view) { maxcols = std::max(maxcols, col); });
  if (rows < 1 || maxcols < 1) return ResultCode::InconsistentData;
  if (rows > INT32_MAX || maxcols > INT32_MAX || rows * maxcols > kMaxImportEntries) return ResultCode::LowMemory;
  ComplexMatrix m;
  try {
    m = ComplexMatrix::Real(static_cast<int32_t>(rows), static_cast<int32_t>(maxcols));
  } catch (const std::bad_alloc&) {
    return ResultCode::LowMemory;
  }
  Scan(text, [&](uint64_t row, uint64_t col, std::string_view field) {
    m.realParts()[(row - 1) * maxcols + col - 1] = ConvertPrefix(field);
  });
  out = std::move(m);
  return ResultCode::Ok;
}

std::optional<Mode> ModeForPath(const std::string& path) {
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.size() - dot - 1 != 3) return std::nullopt;
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (ext == "FMA") return Mode::Real;
  if (ext == "CMA") return Mode::Complex;
  if (ext == "IMA") return Mode::Integer;
  return std::nullopt;
}

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// A whole token as a number: [sign] digits [. digits] [e [sign] digits], or inf / nan.
bool ParseNumber(std::string_view t, long double& value) {
  if (t.empty()) {
    value = 0.0L;  // an empty cell
    return true;
  }
  size_t k = 0;
  if (t[k] == '+' || t[k] == '-') ++k;
  std::string rest(t.substr(k));
  for (char& c : rest) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  bool ok = false;
  if (rest == "inf" || rest == "infinity" || rest == "nan") {
    ok = true;
  } else {
    size_t i = 0, digits = 0;
    while (i < rest.size() && std::isdigit(static_cast<unsigned char>(rest[i]))) ++i, ++digits;
    if (i < rest.size() && rest[i] == '.') {
      ++i;
      while (i < rest.size() && std::isdigit(static_cast<unsigned char>(rest[i]))) ++i, ++digits;
    }
    ok = digits > 0;
    if (ok && i < rest.size() && rest[i] == 'e') {
      ++i;
      if (i < rest.size() && (rest[i] == '+' || rest[i] == '-')) ++i;
      size_t expDigits = 0;
      while (i < rest.size() && std::isdigit(static_cast<unsigned char>(rest[i]))) ++i, ++expDigits;
      ok = expDigits > 0;
    }
    ok = ok && i == rest.size();
  }
  if (!ok) return false;
  std::string s(t);
  char* end = nullptr;
  value = StrToLongDoubleC(s.c_str(), &end);
  return true;
}

std::vector<std::string> SplitLine(std::string_view line, char delimiter) {
  std::vector<std::string> cells;
  if (delimiter == ' ') {
    size_t k = 0;
    while (k < line.size()) {
      while (k < line.size() && (line[k] == ' ' || line[k] == '\r')) ++k;
      size_t start = k;
      while (k < line.size() && line[k] != ' ' && line[k] != '\r') ++k;
      if (k > start) cells.emplace_back(line.substr(start, k - start));
    }
    return cells;
  }
  // Delimited, with double-quoted cells as spreadsheets write them.
  std::string cell;
  bool quoted = false;
  for (size_t k = 0; k < line.size(); ++k) {
    char c = line[k];
    if (quoted) {
      if (c == '"' && k + 1 < line.size() && line[k + 1] == '"') {
        cell += '"';
        ++k;
      } else if (c == '"') {
        quoted = false;
      } else {
        cell += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == delimiter) {
      cells.emplace_back(Trim(cell));
      cell.clear();
    } else {
      cell += c;
    }
  }
  cells.emplace_back(Trim(cell));
  return cells;
}

}  // namespace

ResultCode ImportTable(std::string_view text, ComplexMatrix& out, TableImportInfo* info) {
  TableImportInfo local;
  std::vector<std::string_view> lines;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!Trim(line).empty()) lines.push_back(line);
    start = end + 1;
  }
  bool any = [&] {
    for (char d : {'\t', ',', ';'})
      for (std::string_view l : lines)
        if (l.find(d) != std::string_view::npos) return local.delimiter = d, true;
    return false;
  }();
  (void)any;

  std::vector<std::vector<long double>> table;
  bool clean = !lines.empty();
  for (size_t i = 0; clean && i < lines.size(); ++i) {
    std::vector<std::string> cells = SplitLine(lines[i], local.delimiter);
    std::vector<long double> row;
    bool numeric = true;
    for (const std::string& c : cells) {
      long double v;
      if (!ParseNumber(c, v)) {
        numeric = false;
        break;
      }
      row.push_back(v);
    }
    if (numeric && !row.empty()) {
      table.push_back(std::move(row));
    } else if (i == 0 && lines.size() > 1) {
      local.headerSkipped = true;
    } else {
      clean = false;
    }
  }
  if (!clean || table.empty()) {
    if (info) *info = TableImportInfo{};
    return ImportText(text, out);
  }
  size_t cols = 0;
  for (const auto& row : table) cols = std::max(cols, row.size());
  if (table.size() > INT32_MAX || cols > INT32_MAX || table.size() * cols > kMaxImportEntries) return ResultCode::LowMemory;
  ComplexMatrix m = ComplexMatrix::Real(static_cast<int32_t>(table.size()), static_cast<int32_t>(cols));
  for (size_t i = 0; i < table.size(); ++i)
    for (size_t j = 0; j < table[i].size(); ++j) m.realParts()[i * cols + j] = table[i][j];
  out = std::move(m);
  local.table = true;
  if (info) *info = local;
  return ResultCode::Ok;
}

}  // namespace tavrin
