#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Matrix.h"
#include "io/DisplayFormat.h"
#include "io/WindowAppearance.h"

namespace tavrin {

// What a file read into a window brings besides the matrix and notebook.
struct DocumentLook {
  DisplayFormat format;
  WindowAppearance appearance;
  int32_t fileVersion = 2;
};

// One step of the matrix window's editing history. A record can be applied
// both ways: undoing a step leaves in the record what making it again
// needs, so the same record serves an undo and a redo history.
struct UndoRecord {
  enum Kind : int {
    kEntry = 1,
    kRowsRemoved = 3,
    kColumnsRemoved = 4,
    kRowInserted = 5,
    kColumnInserted = 6,
    kDimensions = 7,
    kColumnsExchanged = 8,
    kRowsExchanged = 9,
    kReplaced = 10,  // the whole matrix replaced by a command that stores a result
  };
  int kind = kEntry;
  // Kinds 7 and 10: the size of the matrix the record holds.
  int a = 0;
  int b = 0;
  // The entries the step destroyed (real/complex or integer, by kind);
  // kinds 7 and 10 hold a whole matrix: a real or complex one in `matrix`
  // (in its own layout), an integer one with the denominator last.
  std::vector<Complex> saved;
  std::vector<BigInteger> savedIntegers;
  ComplexMatrix matrix;
  bool denominator = false;  // kind 1 on the denominator cell
  bool negated = false;      // that edit flipped the sign of every entry
  bool integer = false;      // recorded on an integer matrix
  // The document's size while the step is done (the record is on the undo
  // history), and while it is undone: a record that does not fit is refused.
  int rowsDone = 0, colsDone = 0, rowsUndone = 0, colsUndone = 0;
  // Kind 10: the notebook and file name that go with the held matrix, and
  // the look when the replacement read a file into the window.
  std::string notebook;
  std::string fileName;
  std::vector<DocumentLook> look;  // empty or one

  // Entries the record keeps, for the history's memory budget.
  size_t Weight() const { return saved.size() + savedIntegers.size() + matrix.size(); }
};

// A matrix and everything kept with it: the document behind a matrix
// window. The window is only a view of it.
class MatrixDocument {
 public:
  MatrixDocument(MatrixKind kind, int letter, int rows, int cols, bool whiteBackground);

  MatrixKind kind() const { return kind_; }
  bool isInteger() const { return kind_ == MatrixKind::Integer; }
  int letter() const { return letter_; }  // 1..26, 0 for a companion
  char letterChar() const { return letter_ >= 1 ? static_cast<char>('A' + letter_ - 1) : '?'; }
  int rows() const { return isInteger() ? q.rows : z.rows; }
  int cols() const { return isInteger() ? q.cols : z.cols; }

  // Entries: z for real/complex kinds, q for integer. A real document keeps
  // z in the real layout whenever its entries allow (see Narrow).
  ComplexMatrix z;
  IntegerMatrix q;

  DisplayFormat format;
  WindowAppearance appearance;
  int32_t fileVersion = 2;
  std::string fileName;         // empty until opened or saved
  std::string defaultFileName;  // "mat<n>.<ext>"
  std::string title;            // companion windows: their title text
  std::string notebook;
  bool modified = false;
  bool hidden = false;
  bool editing = false;
  // Newest on top. A new step empties the redo history.
  std::vector<UndoRecord> undo;
  std::vector<UndoRecord> redo;
  // The variable slots an entry text reads ("Z" is the last); all zero.
  std::array<Complex, 27> variables{};
  // The highlighted entry of a companion window (pivot), -1 when none.
  int highlightRow = -1;
  int highlightCol = -1;

  // Companion windows: the matrix (and its size) becomes a copy of the
  // given entries and the editing history starts afresh, since its records
  // describe the matrix that is gone. Closes an entry edit.
  void Replace(ComplexMatrix m);
  void Replace(IntegerMatrix m);
  // A lettered matrix overwritten by a command: one step of the history
  // (kind 10) that keeps the old matrix, notebook and file name (and, with
  // look, the display format and appearance) for Undo. Closes an entry
  // edit. May throw std::bad_alloc before anything has changed.
  void ReplaceAsStep(ComplexMatrix m, const DocumentLook* look = nullptr);
  void ReplaceAsStep(IntegerMatrix m, const DocumentLook* look = nullptr);
  // Pushes a new step onto the history and empties the redo history; the
  // oldest steps go when the kept entries pass the history's budget.
  void Record(UndoRecord rec);
  void ClearHistory() {
    undo.clear();
    redo.clear();
  }
  // The field width computed from the entries (AutoWidth), so that no
  // entry shows cut; a width set in the format dialog lasts until the
  // matrix is replaced, when this runs again.
  void FitWidth();
  // Zero matrix of the current size (integer: denominator 1).
  void ResetEntries();
  // Companion windows follow the mode: a new kind, zero entries.
  void SetKind(MatrixKind kind);
  // A real document's entries take the real layout when every imaginary
  // part is +0 (values stay exactly as they are).
  void KeepLayout();

  int16_t colourIndex() const { return appearance.colourSlots[0]; }
  // The tolerance of rank, Solve and echelon form for this window.
  long double Tolerance() const;

 private:
  // Zeros of the given size in the holder of the current kind.
  void ZeroEntries(int rows, int cols);

  MatrixKind kind_;
  int letter_;
};

// Entries the undo and redo histories of one document keep at most; the
// oldest steps are dropped beyond it (the newest step is always kept).
inline constexpr size_t kHistoryEntryBudget = 8000000;

// "mat" + letter index + ".fma"/".cma"/".ima".
std::string DefaultFileName(int letter, MatrixKind kind);
const char* Extension(MatrixKind kind);  // "fma", "cma", "ima"

}  // namespace tavrin
