#include "app/commands/BlockPaste.h"

#include <algorithm>
#include <cmath>

#include <new>

#include "core/Interrupt.h"
#include "core/Random.h"
#include "lang/Expression.h"

namespace tavrin {

namespace {


std::string WithoutMinusSubstitution(const DisplayFormat& f, std::string text) {
  // A lengthened minus copied from the window reads back as a minus.
  if (f.minusOn)
    for (char& c : text)
      if (static_cast<unsigned char>(c) == static_cast<unsigned char>(f.minusCode)) c = '-';
  return text;
}

bool Blank(const std::string& s) { return s.find_first_not_of(" \t") == std::string::npos; }

// A cell of an integer matrix: an integer, or p/q that the denominator
// turns into a whole numerator.
ResultCode ReadNumerator(const std::string& text, const BigInteger& denominator, BigInteger& out) {
  const size_t slash = text.find('/');
  if (slash == std::string::npos) {
    BigInteger value;
    ResultCode rc = BigInteger::Parse(text, value);
    if (rc != ResultCode::Ok) return rc;
    out = value * denominator;
    return ResultCode::Ok;
  }
  BigInteger p, q;
  ResultCode rc = BigInteger::Parse(text.substr(0, slash), p);
  if (rc == ResultCode::Ok) rc = BigInteger::Parse(text.substr(slash + 1), q);
  if (rc != ResultCode::Ok) return rc;
  if (q.IsZero()) return ResultCode::PositiveValue;
  mpz_class scaled = p.Value() * denominator.Value();
  if (!mpz_divisible_p(scaled.get_mpz_t(), q.Value().get_mpz_t())) return ResultCode::NotPossible;
  mpz_divexact(scaled.get_mpz_t(), scaled.get_mpz_t(), q.Value().get_mpz_t());
  out = BigInteger(std::move(scaled));
  return ResultCode::Ok;
}

}  // namespace

std::vector<std::vector<std::string>> SplitBlock(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const char sep = line.find('\t') != std::string::npos ? '\t' : ',';
    std::vector<std::string> cells;
    size_t from = 0;
    while (true) {
      size_t at = line.find(sep, from);
      cells.push_back(line.substr(from, at == std::string::npos ? std::string::npos : at - from));
      if (at == std::string::npos) break;
      from = at + 1;
    }
    rows.push_back(std::move(cells));
    if (end == text.size()) break;
    start = end + 1;
  }
  while (!rows.empty() && rows.back().size() == 1 && Blank(rows.back()[0])) rows.pop_back();
  return rows;
}

ResultCode PasteBlock(Application& app, MatrixDocument& doc, int row, int col, const std::string& text) {
  UserPort& port = app.port();
  auto fail = [&port](ResultCode c) {
    port.ShowCode(c);
    return c;
  };
  if (row < 0 || col < 0 || row >= doc.rows() || col >= doc.cols()) return fail(ResultCode::OutOfBounds);
  const std::vector<std::vector<std::string>> block = SplitBlock(text);
  if (block.empty()) return fail(ResultCode::CouldNotFind);
  try {
    if (doc.isInteger()) {
      IntegerMatrix m = doc.q;
      for (size_t i = 0; i < block.size() && row + i < static_cast<size_t>(m.rows); ++i)
        for (size_t j = 0; j < block[i].size() && col + j < static_cast<size_t>(m.cols); ++j) {
          const std::string cell = WithoutMinusSubstitution(doc.format, block[i][j]);
          if (Blank(cell)) continue;  // an empty cell keeps its entry
          ResultCode rc = ReadNumerator(cell, m.denominator, m.at(row + static_cast<int>(i), col + static_cast<int>(j)));
          if (rc != ResultCode::Ok) return fail(rc);
        }
      doc.ReplaceAsStep(m);
    } else {
      ComplexMatrix m = doc.z;
      for (size_t i = 0; i < block.size() && row + i < static_cast<size_t>(m.rows); ++i)
        for (size_t j = 0; j < block[i].size() && col + j < static_cast<size_t>(m.cols); ++j) {
          const std::string cell = WithoutMinusSubstitution(doc.format, block[i][j]);
          if (Blank(cell)) continue;  // an empty cell keeps its entry
          Complex value;
          ResultCode rc = EvaluateEntryText(doc.variables, cell, value, app.interrupt(), app.random());
          if (rc != ResultCode::Ok) return fail(IsError(rc) ? rc : ResultCode::CouldNotCalculate);
          if (doc.kind() == MatrixKind::Real) {
            // As the entry editor: "2i" is refused, not stored as 0; only
            // rounding noise of a real value is dropped.
            if (std::fabs(value.im) > 1e-13L * std::max(1.0L, std::fabs(value.re))) return fail(ResultCode::CouldNotCalculate);
            value.im = 0.0L;
          }
          m.at(row + static_cast<int>(i), col + static_cast<int>(j)) = value;
        }
      doc.ReplaceAsStep(m);
    }
  } catch (const std::bad_alloc&) {
    return fail(ResultCode::LowMemory);
  }
  doc.modified = true;
  port.DocumentChanged(doc);
  return ResultCode::Ok;
}

}  // namespace tavrin
