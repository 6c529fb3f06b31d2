#include "app/MatrixDocument.h"

#include "core/Thresholds.h"

namespace tavrin {

const char* Extension(MatrixKind kind) {
  switch (kind) {
    case MatrixKind::Complex: return "cma";
    case MatrixKind::Integer: return "ima";
    default: return "fma";
  }
}

std::string DefaultFileName(int letter, MatrixKind kind) {
  return "mat" + std::to_string(letter) + "." + Extension(kind);
}

MatrixDocument::MatrixDocument(MatrixKind kind, int letter, int rows, int cols, bool whiteBackground)
    : kind_(kind), letter_(letter) {
  format = WindowFormatFor(kind);
  appearance = WindowAppearance::ForNewWindow(whiteBackground ? -letter : letter);
  defaultFileName = DefaultFileName(letter, kind);
  if (isInteger())
    q = IntegerMatrix(rows, cols);
  else
    z = ComplexMatrix(rows, cols);
}

void MatrixDocument::Replace(const ComplexMatrix& m) {
  z = m;
  q = IntegerMatrix();
}

void MatrixDocument::Replace(const IntegerMatrix& m) {
  q = m;
  z = ComplexMatrix();
}

void MatrixDocument::ResetEntries() {
  int r = rows(), c = cols();
  if (isInteger()) {
    q = IntegerMatrix(r, c);
  } else {
    z = ComplexMatrix(r, c);
  }
}

void MatrixDocument::SetKind(MatrixKind kind) {
  int r = rows(), c = cols();
  kind_ = kind;
  format.dialogMask = WindowFormatFor(kind).dialogMask;
  if (isInteger()) {
    q = IntegerMatrix(r, c);
    z = ComplexMatrix();
  } else {
    z = ComplexMatrix(r, c);
    q = IntegerMatrix();
  }
  undo.clear();
}

long double MatrixDocument::Tolerance() const { return ZeroTolerance(format.places); }

}  // namespace tavrin
