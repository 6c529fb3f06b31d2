#include "app/commands/Editing.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <new>
#include <utility>

#include "app/commands/CommandLine.h"
#include "app/commands/Generators.h"
#include "core/Interrupt.h"
#include "core/Random.h"
#include "core/TextNumbers.h"
#include "lang/EntryText.h"
#include "lang/Expression.h"

namespace tavrin {

namespace {

constexpr long long kMaxEntries = 1000000;

ResultCode Fail(UserPort& port, ResultCode c) {
  port.ShowCode(c);
  return c;
}

ResultCode Changed(UserPort& port, MatrixDocument& doc) {
  doc.modified = true;
  port.DocumentChanged(doc);
  return ResultCode::Ok;
}

// Runs f on the document's entry array with the matching saved-entry array
// of the record: (entries, rows, cols, saved). Real and complex entries are
// worked on in the wide layout; a real document then takes its own again.
template <class F>
void WithEntries(MatrixDocument& doc, UndoRecord& rec, F&& f) {
  if (doc.isInteger()) {
    f(doc.q.e, doc.q.rows, doc.q.cols, rec.savedIntegers);
  } else {
    f(doc.z.e(), doc.z.rows, doc.z.cols, rec.saved);
    doc.KeepLayout();
  }
}

// Entry (i, j) of m and v change places.
void SwapEntry(ComplexMatrix& m, int i, int j, Complex& v) {
  const Complex old = std::as_const(m).at(i, j);
  m.set(i, j, v);
  v = old;
}

// Entries without rows lo..hi; the removed ones, in row order, go to removed.
template <class T>
std::vector<T> WithoutRows(const std::vector<T>& e, int cols, int lo, int hi, std::vector<T>* removed) {
  const size_t from = static_cast<size_t>(lo) * cols, to = static_cast<size_t>(hi + 1) * cols;
  if (removed) removed->assign(e.begin() + from, e.begin() + to);
  std::vector<T> out;
  out.reserve(e.size() - (to - from));
  out.insert(out.end(), e.begin(), e.begin() + from);
  out.insert(out.end(), e.begin() + to, e.end());
  return out;
}

// Entries with whole rows inserted so that the first of them is row `at`.
template <class T>
std::vector<T> WithRows(const std::vector<T>& e, int cols, int at, const std::vector<T>& rows) {
  const size_t split = static_cast<size_t>(at) * cols;
  std::vector<T> out;
  out.reserve(e.size() + rows.size());
  out.insert(out.end(), e.begin(), e.begin() + split);
  out.insert(out.end(), rows.begin(), rows.end());
  out.insert(out.end(), e.begin() + split, e.end());
  return out;
}

// Entries without columns lo..hi; the removed ones go to removed column
// after column, each from the top.
template <class T>
std::vector<T> WithoutColumns(const std::vector<T>& e, int rows, int cols, int lo, int hi,
                              std::vector<T>* removed) {
  if (removed) {
    removed->clear();
    removed->reserve(static_cast<size_t>(hi - lo + 1) * rows);
    for (int j = lo; j <= hi; ++j)
      for (int i = 0; i < rows; ++i) removed->push_back(e[static_cast<size_t>(i) * cols + j]);
  }
  std::vector<T> out;
  out.reserve(static_cast<size_t>(rows) * (cols - (hi - lo + 1)));
  for (int i = 0; i < rows; ++i)
    for (int j = 0; j < cols; ++j)
      if (j < lo || j > hi) out.push_back(e[static_cast<size_t>(i) * cols + j]);
  return out;
}

// Entries with `count` columns (given column after column) inserted so that
// the first of them is column `at`.
template <class T>
std::vector<T> WithColumns(const std::vector<T>& e, int rows, int cols, int at, int count,
                           const std::vector<T>& columns) {
  const int newCols = cols + count;
  std::vector<T> out;
  out.reserve(static_cast<size_t>(rows) * newCols);
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < newCols; ++j) {
      if (j < at)
        out.push_back(e[static_cast<size_t>(i) * cols + j]);
      else if (j < at + count)
        out.push_back(columns[static_cast<size_t>(j - at) * rows + i]);
      else
        out.push_back(e[static_cast<size_t>(i) * cols + j - count]);
    }
  }
  return out;
}

template <class T>
void SwapRows(std::vector<T>& e, int cols, int a, int b) {
  for (int j = 0; j < cols; ++j)
    std::swap(e[static_cast<size_t>(a) * cols + j], e[static_cast<size_t>(b) * cols + j]);
}

template <class T>
void SwapColumns(std::vector<T>& e, int rows, int cols, int a, int b) {
  for (int i = 0; i < rows; ++i)
    std::swap(e[static_cast<size_t>(i) * cols + a], e[static_cast<size_t>(i) * cols + b]);
}

// The edit box starts with the display text, whose minus signs may have
// been substituted; the substitute is read back as a minus sign.
std::string UndoMinusSubstitution(const DisplayFormat& f, std::string text) {
  const char substitute = static_cast<char>(static_cast<unsigned char>(f.minusCode));
  const unsigned char u = static_cast<unsigned char>(substitute);
  if (f.minusOn && substitute != '-' && !std::isalnum(u) && !std::isspace(u) && substitute != '.')
    std::replace(text.begin(), text.end(), substitute, '-');
  return text;
}

bool IsBlank(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return std::isspace(static_cast<unsigned char>(c)); });
}

// A record of a step about to be made on the document as it is now. The
// history gets room for it first, so that once the step has changed the
// document, recording it cannot fail.
UndoRecord NewRecord(MatrixDocument& doc, int kind, int a, int b) {
  doc.undo.reserve(doc.undo.size() + 1);
  UndoRecord rec;
  rec.kind = kind;
  rec.a = a;
  rec.b = b;
  rec.integer = doc.isInteger();
  rec.rowsUndone = doc.rows();
  rec.colsUndone = doc.cols();
  return rec;
}

// Records the step just made (the document now has its done shape).
void Commit(MatrixDocument& doc, UndoRecord&& rec) {
  rec.rowsDone = doc.rows();
  rec.colsDone = doc.cols();
  doc.Record(std::move(rec));
}

// Lines lo..hi (rows, or columns) leave the matrix into the record's
// saved entries, or come back from them.
void LinesOut(MatrixDocument& doc, UndoRecord& rec, bool columns, int lo, int hi) {
  WithEntries(doc, rec, [&](auto& e, int& rows, int& cols, auto& saved) {
    auto rest = columns ? WithoutColumns(e, rows, cols, lo, hi, &saved) : WithoutRows(e, cols, lo, hi, &saved);
    e = std::move(rest);
    (columns ? cols : rows) -= hi - lo + 1;
  });
}

void LinesIn(MatrixDocument& doc, UndoRecord& rec, bool columns, int lo, int hi) {
  WithEntries(doc, rec, [&](auto& e, int& rows, int& cols, auto& saved) {
    auto grown = columns ? WithColumns(e, rows, cols, lo, hi - lo + 1, saved) : WithRows(e, cols, lo, saved);
    e = std::move(grown);
    (columns ? cols : rows) += hi - lo + 1;
    std::decay_t<decltype(saved)>().swap(saved);
  });
}

// Kinds 7 and 10: the document's matrix and the one the record holds
// change places.
void SwapMatrix(MatrixDocument& doc, UndoRecord& rec) {
  if (doc.isInteger()) {
    doc.q.e.reserve(doc.q.e.size() + 1);  // the only allocation, before any change
    doc.q.e.push_back(std::move(doc.q.denominator));
    std::swap(doc.q.e, rec.savedIntegers);
    doc.q.denominator = std::move(doc.q.e.back());
    doc.q.e.pop_back();
    std::swap(doc.q.rows, rec.a);
    std::swap(doc.q.cols, rec.b);
  } else {
    std::swap(doc.z, rec.matrix);
    rec.a = rec.matrix.rows;
    rec.b = rec.matrix.cols;
  }
}

ResultCode RemoveRange(UserPort& port, MatrixDocument& doc, const std::string& firstText,
                       const std::string& lastText, bool columns) {
  const int count = columns ? doc.cols() : doc.rows();
  const int x = ReadCount(firstText), y = ReadCount(lastText);
  if (x < 1 || x > count || y < 1 || y > count) return Fail(port, ResultCode::OutOfBounds);
  const int lo = std::min(x, y) - 1, hi = std::max(x, y) - 1;
  if (hi - lo + 1 >= count) return Fail(port, ResultCode::NeedAtLeastOne);
  try {
    UndoRecord rec = NewRecord(doc, columns ? UndoRecord::kColumnsRemoved : UndoRecord::kRowsRemoved, lo, hi);
    LinesOut(doc, rec, columns, lo, hi);
    Commit(doc, std::move(rec));
  } catch (const std::bad_alloc&) {
    return Fail(port, ResultCode::LowMemory);
  }
  return Changed(port, doc);
}

ResultCode InsertLine(UserPort& port, MatrixDocument& doc, const std::string& numberText, bool column) {
  const int count = column ? doc.cols() : doc.rows();
  const int n = ReadCount(numberText);
  if (n < 1 || n > count + 1) return Fail(port, ResultCode::OutOfBounds);
  try {
    UndoRecord rec = NewRecord(doc, column ? UndoRecord::kColumnInserted : UndoRecord::kRowInserted, n - 1, n - 1);
    WithEntries(doc, rec, [&](auto&, int& rows, int& cols, auto& saved) {
      saved.resize(static_cast<size_t>(column ? rows : cols));  // the new zero line
    });
    LinesIn(doc, rec, column, n - 1, n - 1);
    Commit(doc, std::move(rec));
  } catch (const std::bad_alloc&) {
    return Fail(port, ResultCode::LowMemory);
  }
  return Changed(port, doc);
}

ResultCode Exchange(UserPort& port, MatrixDocument& doc, const std::string& firstText,
                    const std::string& secondText, bool columns) {
  const int count = columns ? doc.cols() : doc.rows();
  const int x = ReadCount(firstText), y = ReadCount(secondText);
  if (x == y || x < 1 || x > count || y < 1 || y > count) return Fail(port, ResultCode::OutOfBounds);
  UndoRecord rec;
  try {
    rec = NewRecord(doc, columns ? UndoRecord::kColumnsExchanged : UndoRecord::kRowsExchanged, x - 1, y - 1);
  } catch (const std::bad_alloc&) {
    return Fail(port, ResultCode::LowMemory);
  }
  WithEntries(doc, rec, [&](auto& e, int& rows, int& cols, auto&) {
    if (columns)
      SwapColumns(e, rows, cols, x - 1, y - 1);
    else
      SwapRows(e, cols, x - 1, y - 1);
  });
  Commit(doc, std::move(rec));
  return Changed(port, doc);
}

// Undoes (undo) or makes again (!undo) the step of a record that fits the
// document; the record then holds what the other direction needs. May
// throw std::bad_alloc before changing anything.
void Apply(MatrixDocument& doc, UndoRecord& rec, bool undo) {
  const int a = rec.a, b = rec.b;
  switch (rec.kind) {
    case UndoRecord::kEntry:
      if (rec.denominator) {
        std::swap(doc.q.denominator, rec.savedIntegers.at(0));
        if (rec.negated)
          for (BigInteger& e : doc.q.e) mpz_neg(e.Value().get_mpz_t(), e.Value().get_mpz_t());
      } else if (doc.isInteger()) {
        std::swap(doc.q.at(a, b), rec.savedIntegers.at(0));
      } else {
        SwapEntry(doc.z, a, b, rec.saved.at(0));
      }
      break;
    case UndoRecord::kRowsRemoved:
    case UndoRecord::kColumnsRemoved:
    case UndoRecord::kRowInserted:
    case UndoRecord::kColumnInserted: {
      const bool columns = rec.kind == UndoRecord::kColumnsRemoved || rec.kind == UndoRecord::kColumnInserted;
      const bool removed = rec.kind == UndoRecord::kRowsRemoved || rec.kind == UndoRecord::kColumnsRemoved;
      if (removed == undo)
        LinesIn(doc, rec, columns, a, b);
      else
        LinesOut(doc, rec, columns, a, b);
      break;
    }
    case UndoRecord::kDimensions:
      SwapMatrix(doc, rec);
      break;
    case UndoRecord::kReplaced:
      SwapMatrix(doc, rec);
      std::swap(doc.notebook, rec.notebook);
      std::swap(doc.fileName, rec.fileName);
      if (!rec.look.empty()) {
        std::swap(doc.format, rec.look[0].format);
        std::swap(doc.appearance, rec.look[0].appearance);
        std::swap(doc.fileVersion, rec.look[0].fileVersion);
      }
      break;
    case UndoRecord::kColumnsExchanged:
      WithEntries(doc, rec, [&](auto& e, int& rows, int& cols, auto&) { SwapColumns(e, rows, cols, a, b); });
      break;
    case UndoRecord::kRowsExchanged:
      WithEntries(doc, rec, [&](auto& e, int&, int& cols, auto&) { SwapRows(e, cols, a, b); });
      break;
  }
}

// Whether the record was made on a document of this kind and shape: a
// record that does not fit would read and write outside the entries.
bool Fits(const MatrixDocument& doc, const UndoRecord& rec, bool undo) {
  const int rows = undo ? rec.rowsDone : rec.rowsUndone, cols = undo ? rec.colsDone : rec.colsUndone;
  if (rec.integer != doc.isInteger() || doc.rows() != rows || doc.cols() != cols) return false;
  const bool entryIndices = rec.kind == UndoRecord::kEntry && !rec.denominator;
  if (entryIndices && (rec.a < 0 || rec.a >= rows || rec.b < 0 || rec.b >= cols)) return false;
  const size_t held = rec.integer ? rec.savedIntegers.size() : rec.saved.size();
  if (rec.kind == UndoRecord::kEntry && held != 1) return false;
  if (rec.kind == UndoRecord::kDimensions || rec.kind == UndoRecord::kReplaced) {
    const bool whole = rec.integer ? held == static_cast<size_t>(rec.a) * rec.b + 1
                                   : rec.matrix.rows == rec.a && rec.matrix.cols == rec.b &&
                                         rec.matrix.size() == static_cast<size_t>(rec.a) * rec.b;
    if (!whole) return false;
  }
  const bool columns = rec.kind == UndoRecord::kColumnsRemoved || rec.kind == UndoRecord::kColumnInserted ||
                       rec.kind == UndoRecord::kColumnsExchanged;
  const int count = columns ? cols : rows, across = columns ? rows : cols;
  switch (rec.kind) {
    case UndoRecord::kRowsRemoved:
    case UndoRecord::kColumnsRemoved:
    case UndoRecord::kRowInserted:
    case UndoRecord::kColumnInserted: {
      const bool removed = rec.kind == UndoRecord::kRowsRemoved || rec.kind == UndoRecord::kColumnsRemoved;
      if (rec.a < 0 || rec.b < rec.a) return false;
      if (removed == undo)  // the lines come back from the record
        return rec.a <= count && held == static_cast<size_t>(rec.b - rec.a + 1) * across;
      return rec.b < count;
    }
    case UndoRecord::kRowsExchanged:
    case UndoRecord::kColumnsExchanged:
      return rec.a >= 0 && rec.b >= 0 && rec.a < count && rec.b < count;
    default:
      return true;
  }
}

// Moves the newest record of `from` to `to`, applying it on the way.
ResultCode Step(UserPort& port, MatrixDocument& doc, bool undo) {
  std::vector<UndoRecord>& from = undo ? doc.undo : doc.redo;
  std::vector<UndoRecord>& to = undo ? doc.redo : doc.undo;
  if (from.empty()) return ResultCode::Stopped;
  if (!Fits(doc, from.back(), undo)) {
    // A history that no longer describes this matrix is of no use.
    doc.ClearHistory();
    port.DocumentChanged(doc);
    return ResultCode::Stopped;
  }
  try {
    to.reserve(to.size() + 1);
    Apply(doc, from.back(), undo);
  } catch (const std::bad_alloc&) {
    return Fail(port, ResultCode::LowMemory);
  }
  to.push_back(std::move(from.back()));
  from.pop_back();
  return Changed(port, doc);
}

}  // namespace

std::string EntryEditText(const MatrixDocument& doc, int row, int col) {
  if (doc.isInteger()) {
    if (row < 0) return doc.q.denominator.ToString();
    return doc.q.at(row, col).ToString();
  }
  const Complex z = doc.z.at(row, col);
  if (doc.kind() != MatrixKind::Complex || (z.im == 0.0L && !std::signbit(z.im))) return FullPrecisionText(z.re);
  const std::string im = FullPrecisionText(std::fabs(z.im)) + "i";
  const char* sign = std::signbit(z.im) ? "-" : "+";
  if (z.re == 0.0L && !std::signbit(z.re)) return z.im < 0 ? "-" + im : im;
  return FullPrecisionText(z.re) + sign + im;
}

ResultCode EditEntry(Application& app, MatrixDocument& doc, int row, int col, const std::string& typed) {
  UserPort& port = app.port();
  doc.editing = false;
  if (row < 0 || row >= doc.rows() || col < 0 || col >= doc.cols()) return Fail(port, ResultCode::OutOfBounds);
  const std::string text = UndoMinusSubstitution(doc.format, typed);
  try {
    if (doc.isInteger()) {
      BigInteger value;
      ResultCode rc = ReadIntegerEntryText(text, value);
      if (rc != ResultCode::Ok) return Fail(port, rc);
      UndoRecord rec = NewRecord(doc, UndoRecord::kEntry, row, col);
      rec.savedIntegers.push_back(std::move(value));
      std::swap(doc.q.at(row, col), rec.savedIntegers[0]);
      Commit(doc, std::move(rec));
    } else {
      if (IsBlank(text)) return Fail(port, ResultCode::NothingToDo);
      Complex value;
      ResultCode rc = EvaluateEntryText(doc.variables, text, value, app.interrupt(), app.random());
      if (rc != ResultCode::Ok) return Fail(port, IsError(rc) ? rc : ResultCode::CouldNotCalculate);
      if (doc.kind() == MatrixKind::Real) {
        // A real matrix cannot hold "3i"; rounding noise of a real value
        // (cis(pi)) is dropped.
        if (std::fabs(value.im) > 1e-13L * std::max(1.0L, std::fabs(value.re))) return Fail(port, ResultCode::CouldNotCalculate);
        value.im = 0.0L;
      }
      UndoRecord rec = NewRecord(doc, UndoRecord::kEntry, row, col);
      rec.saved.push_back(value);
      SwapEntry(doc.z, row, col, rec.saved[0]);
      Commit(doc, std::move(rec));
    }
  } catch (const std::bad_alloc&) {
    return Fail(port, ResultCode::LowMemory);
  }
  return Changed(port, doc);
}

ResultCode AcceptEntryEdit(Application& app, MatrixDocument& doc, int row, int col, const std::string& shown,
                           const std::string& typed) {
  // A lengthened minus typed into the box reads as a minus, so the text
  // the box opened with, given back, changes nothing.
  if (UndoMinusSubstitution(doc.format, typed) == shown) {
    doc.editing = false;
    return ResultCode::Ok;
  }
  return row < 0 ? EditDenominator(app, doc, typed) : EditEntry(app, doc, row, col, typed);
}

ResultCode EditDenominator(Application& app, MatrixDocument& doc, const std::string& typed) {
  UserPort& port = app.port();
  doc.editing = false;
  if (!doc.isInteger()) return Fail(port, ResultCode::OutOfBounds);
  BigInteger value;
  ResultCode rc = ReadIntegerEntryText(UndoMinusSubstitution(doc.format, typed), value);
  if (rc != ResultCode::Ok) return Fail(port, rc);
  if (value.IsZero()) return Fail(port, ResultCode::PositiveValue);
  UndoRecord rec;
  try {
    rec = NewRecord(doc, UndoRecord::kEntry, doc.rows(), doc.cols() - 1);
    rec.denominator = true;
    rec.savedIntegers.push_back(BigInteger());
  } catch (const std::bad_alloc&) {
    return Fail(port, ResultCode::LowMemory);
  }
  // A negative denominator is carried by the entries; it stays positive.
  // The record keeps the sign change, so Undo gives the entries back too.
  if (value.IsNegative()) {
    rec.negated = true;
    for (BigInteger& e : doc.q.e) mpz_neg(e.Value().get_mpz_t(), e.Value().get_mpz_t());
    mpz_neg(value.Value().get_mpz_t(), value.Value().get_mpz_t());
  }
  rec.savedIntegers[0] = std::move(value);
  std::swap(doc.q.denominator, rec.savedIntegers[0]);
  Commit(doc, std::move(rec));
  return Changed(port, doc);
}

ResultCode SetDimensions(Application& app, MatrixDocument& doc, const std::string& rowsText,
                         const std::string& colsText) {
  UserPort& port = app.port();
  const int rows = ReadCount(rowsText), cols = ReadCount(colsText);
  if (rows < 1 || cols < 1 || static_cast<long long>(rows) * cols > kMaxEntries)
    return Fail(port, ResultCode::OutOfBounds);
  UndoRecord rec;
  try {
    rec = NewRecord(doc, UndoRecord::kDimensions, rows, cols);
    // The record starts out holding the new zero matrix; the swap below
    // leaves the old one (with its denominator) in it.
    if (doc.isInteger()) {
      rec.savedIntegers.resize(static_cast<size_t>(rows) * cols + 1);
      rec.savedIntegers.back() = BigInteger(1);
    } else {
      rec.matrix = doc.kind() == MatrixKind::Real ? ComplexMatrix::Real(rows, cols) : ComplexMatrix(rows, cols);
    }
  } catch (const std::bad_alloc&) {
    return Fail(port, ResultCode::OutOfBounds);
  }
  try {
    SwapMatrix(doc, rec);
  } catch (const std::bad_alloc&) {
    return Fail(port, ResultCode::LowMemory);
  }
  Commit(doc, std::move(rec));
  return Changed(port, doc);
}

ResultCode RemoveRows(Application& app, MatrixDocument& doc, const std::string& firstText,
                      const std::string& lastText) {
  return RemoveRange(app.port(), doc, firstText, lastText, false);
}

ResultCode RemoveColumns(Application& app, MatrixDocument& doc, const std::string& firstText,
                         const std::string& lastText) {
  return RemoveRange(app.port(), doc, firstText, lastText, true);
}

ResultCode InsertRow(Application& app, MatrixDocument& doc, const std::string& numberText) {
  return InsertLine(app.port(), doc, numberText, false);
}

ResultCode InsertColumn(Application& app, MatrixDocument& doc, const std::string& numberText) {
  return InsertLine(app.port(), doc, numberText, true);
}

ResultCode ExchangeRows(Application& app, MatrixDocument& doc, const std::string& firstText,
                        const std::string& secondText) {
  return Exchange(app.port(), doc, firstText, secondText, false);
}

ResultCode ExchangeColumns(Application& app, MatrixDocument& doc, const std::string& firstText,
                           const std::string& secondText) {
  return Exchange(app.port(), doc, firstText, secondText, true);
}

ResultCode Undo(Application& app, MatrixDocument& doc) { return Step(app.port(), doc, true); }

ResultCode Redo(Application& app, MatrixDocument& doc) { return Step(app.port(), doc, false); }

std::optional<std::pair<int, int>> NextAutofeedEntry(int row, int col, int rows, int cols, bool colByCol) {
  if (colByCol) {
    if (++row < rows) return std::make_pair(row, col);
    if (++col < cols) return std::make_pair(0, col);
    return std::nullopt;
  }
  if (++col < cols) return std::make_pair(row, col);
  if (++row < rows) return std::make_pair(row, 0);
  return std::nullopt;
}

int ScrollIntoView(int index, int first, int visible, int count) {
  if (index >= first + visible) return std::max(0, std::min(first + visible, count - visible));
  if (index < first) return index;
  return first;
}

ResultCode EnterLine(Application& app, CommandLine& line) {
  int letter = 0;
  if ((line.size() != 4 && line.size() != 5) || !line.Letter(1, letter)) return line.Usage();
  const int rows = ReadCount(line[2]), cols = ReadCount(line[3]);
  // The entry lines belong to the command even when it is refused; a size
  // New refuses is known before they are read, and they are then skipped
  // rather than kept.
  const bool fits = rows >= 1 && cols >= 1 && static_cast<long long>(rows) * cols <= kMaxMatrixEntries;
  std::vector<std::vector<std::string>> lines;
  for (int i = 0; i < std::max(rows, 0) && i <= 1000000; ++i) {
    std::string text;
    if (!line.nextLine(text)) break;
    if (fits) lines.push_back(SplitWords(text));
  }
  const bool integer = app.mode() == Mode::Integer;
  const NewDialogTexts defaults = NewDialogDefaults(app.mode());
  ResultCode c = NewMatrix(app, letter, NewType::Zeros, line[2], line[3], defaults.low, defaults.high, defaults.value);
  if (NotOk(c)) return c;
  MatrixDocument* doc = app.workspace().Lookup(letter);
  for (int i = 0; i < rows && i < static_cast<int>(lines.size()); ++i) {
    for (int j = 0; j < cols && j < static_cast<int>(lines[i].size()); ++j) {
      c = EditEntry(app, *doc, i, j, lines[i][j]);
      if (IsError(c)) return c;
    }
  }
  if (line.size() == 5) {
    if (!integer) return line.Usage();
    return EditDenominator(app, *doc, line[4]);
  }
  return ResultCode::Ok;
}

namespace {

// The matrix window's Edit commands take the letter and then `count` more
// words in all.
MatrixDocument* EditTarget(Application& app, CommandLine& line, size_t count, ResultCode& c) {
  if (line.size() < 2) {
    c = line.Usage();
    return nullptr;
  }
  MatrixDocument* doc = line.Document(app, 1);
  if (!doc) {
    c = line.Missing(1);
    return nullptr;
  }
  if (line.size() != count) {
    c = line.Usage();
    return nullptr;
  }
  return doc;
}

template <class F>
ResultCode OnDocument(Application& app, CommandLine& line, size_t count, F&& f) {
  ResultCode c = ResultCode::Ok;
  MatrixDocument* doc = EditTarget(app, line, count, c);
  return doc ? f(*doc) : c;
}

}  // namespace

ResultCode EditLine(Application& app, CommandLine& line) {
  if (line.size() < 2) return line.Usage();
  MatrixDocument* doc = line.Document(app, 1);
  if (!doc) return line.Missing(1);
  if (line.size() >= 3 && line.Lower(2) == "denom") {
    if (!doc->isInteger()) return line.Usage();
    return EditDenominator(app, *doc, line.Rest(3));
  }
  if (line.size() < 4) return line.Usage();
  const int row = ReadCount(line[2]), col = ReadCount(line[3]);
  if (row < 1 || row > doc->rows() || col < 1 || col > doc->cols()) return app.Fail(ResultCode::OutOfBounds);
  return EditEntry(app, *doc, row - 1, col - 1, line.Rest(4));
}

ResultCode UndoLine(Application& app, CommandLine& line) {
  return OnDocument(app, line, 2, [&](MatrixDocument& doc) { return Undo(app, doc); });
}

ResultCode RedoLine(Application& app, CommandLine& line) {
  return OnDocument(app, line, 2, [&](MatrixDocument& doc) { return Redo(app, doc); });
}

ResultCode DimensionsLine(Application& app, CommandLine& line) {
  return OnDocument(app, line, 4, [&](MatrixDocument& doc) { return SetDimensions(app, doc, line[2], line[3]); });
}

ResultCode RemoveRowsLine(Application& app, CommandLine& line) {
  return OnDocument(app, line, 4, [&](MatrixDocument& doc) { return RemoveRows(app, doc, line[2], line[3]); });
}

ResultCode RemoveColumnsLine(Application& app, CommandLine& line) {
  return OnDocument(app, line, 4, [&](MatrixDocument& doc) { return RemoveColumns(app, doc, line[2], line[3]); });
}

ResultCode InsertRowLine(Application& app, CommandLine& line) {
  return OnDocument(app, line, 3, [&](MatrixDocument& doc) { return InsertRow(app, doc, line[2]); });
}

ResultCode InsertColumnLine(Application& app, CommandLine& line) {
  return OnDocument(app, line, 3, [&](MatrixDocument& doc) { return InsertColumn(app, doc, line[2]); });
}

ResultCode ExchangeRowsLine(Application& app, CommandLine& line) {
  return OnDocument(app, line, 4, [&](MatrixDocument& doc) { return ExchangeRows(app, doc, line[2], line[3]); });
}

ResultCode ExchangeColumnsLine(Application& app, CommandLine& line) {
  return OnDocument(app, line, 4, [&](MatrixDocument& doc) { return ExchangeColumns(app, doc, line[2], line[3]); });
}

}  // namespace tavrin
