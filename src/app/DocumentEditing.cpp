#include "app/DocumentEditing.h"

#include <algorithm>
#include <cctype>
#include <new>

#include "app/Generators.h"
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
  return code::kOk;
}

// Runs f on the document's entry array with the matching saved-entry array
// of the record: (entries, rows, cols, saved).
template <class F>
void WithEntries(MatrixDocument& doc, UndoRecord& rec, F&& f) {
  if (doc.isInteger())
    f(doc.q.e, doc.q.rows, doc.q.cols, rec.savedIntegers);
  else
    f(doc.z.e, doc.z.rows, doc.z.cols, rec.saved);
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

// Pushes a record of a step that destroys nothing beyond its indices.
void Push(MatrixDocument& doc, int kind, int a, int b) {
  UndoRecord rec;
  rec.kind = kind;
  rec.a = a;
  rec.b = b;
  doc.undo.push_back(std::move(rec));
}

ResultCode RemoveRange(UserPort& port, MatrixDocument& doc, const std::string& firstText,
                       const std::string& lastText, bool columns) {
  const int count = columns ? doc.cols() : doc.rows();
  const int x = ReadCount(firstText), y = ReadCount(lastText);
  if (x < 1 || x > count || y < 1 || y > count) return Fail(port, code::kOutOfBounds);
  const int lo = std::min(x, y) - 1, hi = std::max(x, y) - 1;
  if (hi - lo + 1 >= count) return Fail(port, code::kNeedAtLeastOne);
  try {
    UndoRecord rec;
    rec.kind = columns ? UndoRecord::kColumnsRemoved : UndoRecord::kRowsRemoved;
    rec.a = lo;
    rec.b = hi;
    WithEntries(doc, rec, [&](auto& e, int& rows, int& cols, auto& saved) {
      auto rest = columns ? WithoutColumns(e, rows, cols, lo, hi, &saved) : WithoutRows(e, cols, lo, hi, &saved);
      doc.undo.push_back(std::move(rec));
      e = std::move(rest);
      (columns ? cols : rows) -= hi - lo + 1;
    });
  } catch (const std::bad_alloc&) {
    return Fail(port, code::kLowMemory);
  }
  return Changed(port, doc);
}

ResultCode InsertLine(UserPort& port, MatrixDocument& doc, const std::string& numberText, bool column) {
  const int count = column ? doc.cols() : doc.rows();
  const int n = ReadCount(numberText);
  if (n < 1 || n > count + 1) return Fail(port, code::kOutOfBounds);
  try {
    UndoRecord scratch;
    WithEntries(doc, scratch, [&](auto& e, int& rows, int& cols, auto&) {
      using T = typename std::decay_t<decltype(e)>::value_type;
      std::vector<T> zeros(static_cast<size_t>(column ? rows : cols));
      auto grown = column ? WithColumns(e, rows, cols, n - 1, 1, zeros) : WithRows(e, cols, n - 1, zeros);
      Push(doc, column ? UndoRecord::kColumnInserted : UndoRecord::kRowInserted, n - 1, n - 1);
      e = std::move(grown);
      ++(column ? cols : rows);
    });
  } catch (const std::bad_alloc&) {
    return Fail(port, code::kLowMemory);
  }
  return Changed(port, doc);
}

ResultCode Exchange(UserPort& port, MatrixDocument& doc, const std::string& firstText,
                    const std::string& secondText, bool columns) {
  const int count = columns ? doc.cols() : doc.rows();
  const int x = ReadCount(firstText), y = ReadCount(secondText);
  if (x == y || x < 1 || x > count || y < 1 || y > count) return Fail(port, code::kOutOfBounds);
  try {
    Push(doc, columns ? UndoRecord::kColumnsExchanged : UndoRecord::kRowsExchanged, x - 1, y - 1);
  } catch (const std::bad_alloc&) {
    return Fail(port, code::kLowMemory);
  }
  UndoRecord scratch;
  WithEntries(doc, scratch, [&](auto& e, int& rows, int& cols, auto&) {
    if (columns)
      SwapColumns(e, rows, cols, x - 1, y - 1);
    else
      SwapRows(e, cols, x - 1, y - 1);
  });
  return Changed(port, doc);
}

// Reverses one record; may throw std::bad_alloc before changing anything.
void Reverse(MatrixDocument& doc, UndoRecord& rec) {
  const int a = rec.a, b = rec.b;
  if (rec.kind == UndoRecord::kEntry && rec.denominator) {
    doc.q.denominator = rec.savedIntegers.at(0);
    return;
  }
  if (rec.kind == UndoRecord::kDimensions && doc.isInteger()) {
    IntegerMatrix m(0, 0);
    m.rows = a;
    m.cols = b;
    m.e.assign(rec.savedIntegers.begin(), rec.savedIntegers.end() - 1);
    m.denominator = rec.savedIntegers.back();
    doc.q = std::move(m);
    return;
  }
  WithEntries(doc, rec, [&](auto& e, int& rows, int& cols, auto& saved) {
    switch (rec.kind) {
      case UndoRecord::kEntry:
        e[static_cast<size_t>(a) * cols + b] = saved.at(0);
        break;
      case UndoRecord::kRowsRemoved:
        e = WithRows(e, cols, a, saved);
        rows += b - a + 1;
        break;
      case UndoRecord::kColumnsRemoved:
        e = WithColumns(e, rows, cols, a, b - a + 1, saved);
        cols += b - a + 1;
        break;
      case UndoRecord::kRowInserted:
        e = WithoutRows(e, cols, a, a, static_cast<std::decay_t<decltype(saved)>*>(nullptr));
        --rows;
        break;
      case UndoRecord::kColumnInserted:
        e = WithoutColumns(e, rows, cols, a, a, static_cast<std::decay_t<decltype(saved)>*>(nullptr));
        --cols;
        break;
      case UndoRecord::kDimensions:
        e = saved;
        rows = a;
        cols = b;
        break;
      case UndoRecord::kColumnsExchanged:
        SwapColumns(e, rows, cols, a, b);
        break;
      case UndoRecord::kRowsExchanged:
        SwapRows(e, cols, a, b);
        break;
    }
  });
}

}  // namespace

ResultCode EditEntry(UserPort& port, MatrixDocument& doc, int row, int col, const std::string& typed) {
  doc.editing = false;
  if (row < 0 || row >= doc.rows() || col < 0 || col >= doc.cols()) return Fail(port, code::kOutOfBounds);
  const std::string text = UndoMinusSubstitution(doc.format, typed);
  UndoRecord rec;
  rec.kind = UndoRecord::kEntry;
  rec.a = row;
  rec.b = col;
  try {
    if (doc.isInteger()) {
      BigInteger value;
      ResultCode rc = BigInteger::Parse(text, value);
      if (rc != code::kOk) return Fail(port, rc);
      BigInteger& entry = doc.q.at(row, col);
      rec.savedIntegers.push_back(entry);
      doc.undo.push_back(std::move(rec));
      entry = std::move(value);
    } else {
      if (IsBlank(text)) return Fail(port, code::kNothingToDo);
      Complex value;
      ResultCode rc = EvaluateEntryText(doc.variables, text, value);
      if (rc != code::kOk) return Fail(port, rc > 0 ? rc : code::kCouldNotCalculate);
      if (doc.kind() == MatrixKind::Real) value.im = 0.0L;
      Complex& entry = doc.z.at(row, col);
      rec.saved.push_back(entry);
      doc.undo.push_back(std::move(rec));
      entry = value;
    }
  } catch (const std::bad_alloc&) {
    return Fail(port, code::kLowMemory);
  }
  return Changed(port, doc);
}

ResultCode EditDenominator(UserPort& port, MatrixDocument& doc, const std::string& typed) {
  doc.editing = false;
  if (!doc.isInteger()) return Fail(port, code::kOutOfBounds);
  BigInteger value;
  ResultCode rc = BigInteger::Parse(UndoMinusSubstitution(doc.format, typed), value);
  if (rc != code::kOk) return Fail(port, rc);
  if (value.IsZero()) return Fail(port, code::kPositiveValue);
  try {
    UndoRecord rec;
    rec.kind = UndoRecord::kEntry;
    rec.a = doc.rows();
    rec.b = doc.cols() - 1;
    rec.denominator = true;
    rec.savedIntegers.push_back(doc.q.denominator);
    doc.undo.push_back(std::move(rec));
  } catch (const std::bad_alloc&) {
    return Fail(port, code::kLowMemory);
  }
  // A negative denominator is carried by the entries; it stays positive.
  if (value.IsNegative()) {
    for (BigInteger& e : doc.q.e) e.Value() = -e.Value();
    value.Value() = -value.Value();
  }
  doc.q.denominator = std::move(value);
  return Changed(port, doc);
}

ResultCode SetDimensions(UserPort& port, MatrixDocument& doc, const std::string& rowsText,
                         const std::string& colsText) {
  const int rows = ReadCount(rowsText), cols = ReadCount(colsText);
  if (rows < 1 || cols < 1 || static_cast<long long>(rows) * cols > kMaxEntries)
    return Fail(port, code::kOutOfBounds);
  const int oldRows = doc.rows(), oldCols = doc.cols();
  ComplexMatrix z;
  IntegerMatrix q;
  try {
    if (doc.isInteger())
      q = IntegerMatrix(rows, cols);
    else
      z = ComplexMatrix(rows, cols);
  } catch (const std::bad_alloc&) {
    return Fail(port, code::kOutOfBounds);
  }
  try {
    UndoRecord rec;
    rec.kind = UndoRecord::kDimensions;
    rec.a = oldRows;
    rec.b = oldCols;
    if (doc.isInteger()) {
      rec.savedIntegers.reserve(doc.q.e.size() + 1);
      rec.savedIntegers = doc.q.e;
      rec.savedIntegers.push_back(doc.q.denominator);
    } else {
      rec.saved = doc.z.e;
    }
    doc.undo.push_back(std::move(rec));
  } catch (const std::bad_alloc&) {
    return Fail(port, code::kLowMemory);
  }
  if (doc.isInteger())
    doc.q = std::move(q);
  else
    doc.z = std::move(z);
  return Changed(port, doc);
}

ResultCode RemoveRows(UserPort& port, MatrixDocument& doc, const std::string& firstText,
                      const std::string& lastText) {
  return RemoveRange(port, doc, firstText, lastText, false);
}

ResultCode RemoveColumns(UserPort& port, MatrixDocument& doc, const std::string& firstText,
                         const std::string& lastText) {
  return RemoveRange(port, doc, firstText, lastText, true);
}

ResultCode InsertRow(UserPort& port, MatrixDocument& doc, const std::string& numberText) {
  return InsertLine(port, doc, numberText, false);
}

ResultCode InsertColumn(UserPort& port, MatrixDocument& doc, const std::string& numberText) {
  return InsertLine(port, doc, numberText, true);
}

ResultCode ExchangeRows(UserPort& port, MatrixDocument& doc, const std::string& firstText,
                        const std::string& secondText) {
  return Exchange(port, doc, firstText, secondText, false);
}

ResultCode ExchangeColumns(UserPort& port, MatrixDocument& doc, const std::string& firstText,
                           const std::string& secondText) {
  return Exchange(port, doc, firstText, secondText, true);
}

ResultCode Undo(UserPort& port, MatrixDocument& doc) {
  if (doc.undo.empty()) return code::kInterrupted;
  try {
    Reverse(doc, doc.undo.back());
  } catch (const std::bad_alloc&) {
    return Fail(port, code::kLowMemory);
  }
  doc.undo.pop_back();
  return Changed(port, doc);
}

bool EditCommandEnabled(const MatrixDocument& doc, int id) {
  switch (id) {
    case 98: return !doc.undo.empty();
    case 608:
    case 609: return doc.cols() >= 2;
    case 607:
    case 610: return doc.rows() >= 2;
    default: return true;
  }
}

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

}  // namespace tavrin
