#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Matrix.h"
#include "io/DisplayFormat.h"
#include "io/WindowAppearance.h"

namespace tavrin {

// One step of the matrix window's editing history.
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
  };
  int kind = kEntry;
  int a = 0;
  int b = 0;
  // The entries the step destroyed (real/complex or integer, by kind).
  std::vector<Complex> saved;
  std::vector<BigInteger> savedIntegers;
  bool denominator = false;  // kind 1 on the denominator cell
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

  // Entries: z for real/complex kinds, q for integer.
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
  std::vector<UndoRecord> undo;
  // The variable slots an entry text reads ("Z" is the last); all zero.
  std::array<Complex, 27> variables{};
  // The highlighted entry of a companion window (pivot), -1 when none.
  int highlightRow = -1;
  int highlightCol = -1;

  // Replaces the matrix (and its size) with a copy of the given entries.
  void Replace(const ComplexMatrix& m);
  void Replace(const IntegerMatrix& m);
  // Zero matrix of the current size (integer: denominator 1).
  void ResetEntries();
  // Companion windows follow the mode: a new kind, zero entries.
  void SetKind(MatrixKind kind);

  int16_t colourIndex() const { return appearance.colourSlots[0]; }
  // The tolerance of rank, Solve and echelon form for this window.
  long double Tolerance() const;

 private:
  MatrixKind kind_;
  int letter_;
};

// "mat" + letter index + ".fma"/".cma"/".ima".
std::string DefaultFileName(int letter, MatrixKind kind);
const char* Extension(MatrixKind kind);  // "fma", "cma", "ima"

}  // namespace tavrin
