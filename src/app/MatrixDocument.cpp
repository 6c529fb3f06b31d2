#include "app/MatrixDocument.h"

#include <new>

#include "core/Thresholds.h"
#include "core/VisitEntries.h"

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

namespace {
// A new real document starts in the real layout.
ComplexMatrix Zeros(MatrixKind kind, int rows, int cols) {
  return kind == MatrixKind::Real ? ComplexMatrix::Real(rows, cols) : ComplexMatrix(rows, cols);
}

// Real entries go to the real layout; without the memory for it the wide
// layout keeps the same values.
void NarrowReal(MatrixKind kind, ComplexMatrix& m) {
  if (kind != MatrixKind::Real) return;
  try {
    m.Narrow();
  } catch (const std::bad_alloc&) {
  }
}
}  // namespace

MatrixDocument::MatrixDocument(MatrixKind kind, int letter, int rows, int cols, bool whiteBackground)
    : kind_(kind), letter_(letter) {
  format = WindowFormatFor(kind);
  appearance = WindowAppearance::ForNewWindow(whiteBackground ? -letter : letter);
  defaultFileName = DefaultFileName(letter, kind);
  ZeroEntries(rows, cols);
  FitWidth();
}

void MatrixDocument::KeepLayout() { NarrowReal(kind_, z); }

void MatrixDocument::Replace(ComplexMatrix m) {
  z = std::move(m);
  KeepLayout();
  q = IntegerMatrix();
  ClearHistory();
  editing = false;
  FitWidth();
}

void MatrixDocument::Replace(IntegerMatrix m) {
  q = std::move(m);
  z = ComplexMatrix();
  ClearHistory();
  editing = false;
  FitWidth();
}

namespace {

// The kind-10 record of the document as it is now, matrix not yet moved in.
UndoRecord ReplacementRecord(const MatrixDocument& doc) {
  UndoRecord rec;
  rec.kind = UndoRecord::kReplaced;
  rec.integer = doc.isInteger();
  rec.a = rec.rowsUndone = doc.rows();
  rec.b = rec.colsUndone = doc.cols();
  rec.notebook = doc.notebook;
  rec.fileName = doc.fileName;
  // Always kept: the width is fitted to the new entries, and Undo gives the
  // old matrix its own width back.
  rec.look.push_back(DocumentLook{doc.format, doc.appearance, doc.fileVersion});
  return rec;
}

void TakeLook(MatrixDocument& doc, const DocumentLook* look) {
  if (!look) return;
  doc.format = look->format;
  doc.appearance = look->appearance;
  doc.fileVersion = look->fileVersion;
}

}  // namespace

void MatrixDocument::ReplaceAsStep(ComplexMatrix copy, const DocumentLook* look) {
  NarrowReal(kind_, copy);
  UndoRecord rec = ReplacementRecord(*this);
  undo.reserve(undo.size() + 1);
  // Nothing below allocates: the old matrix moves into the record.
  rec.matrix = std::move(z);
  rec.rowsDone = copy.rows;
  rec.colsDone = copy.cols;
  z = std::move(copy);
  TakeLook(*this, look);
  editing = false;
  Record(std::move(rec));
  FitWidth();
}

void MatrixDocument::ReplaceAsStep(IntegerMatrix copy, const DocumentLook* look) {
  UndoRecord rec = ReplacementRecord(*this);
  undo.reserve(undo.size() + 1);
  q.e.reserve(q.e.size() + 1);
  // Nothing below allocates: the old entries and denominator (last) move
  // into the record.
  q.e.push_back(std::move(q.denominator));
  rec.savedIntegers = std::move(q.e);
  rec.rowsDone = copy.rows;
  rec.colsDone = copy.cols;
  q = std::move(copy);
  TakeLook(*this, look);
  editing = false;
  Record(std::move(rec));
  FitWidth();
}

void MatrixDocument::Record(UndoRecord rec) {
  redo.clear();
  undo.push_back(std::move(rec));
  size_t weight = 0;
  for (const UndoRecord& r : undo) weight += r.Weight();
  size_t drop = 0;
  while (drop + 1 < undo.size() && weight > kHistoryEntryBudget) weight -= undo[drop++].Weight();
  if (drop > 0) undo.erase(undo.begin(), undo.begin() + static_cast<long>(drop));
}

void MatrixDocument::FitWidth() {
  format.width = VisitEntries(*this, [&](const auto& m, auto... kind) { return AutoWidth(format, m, kind...); });
}

void MatrixDocument::ZeroEntries(int rows, int cols) {
  if (isInteger())
    q = IntegerMatrix(rows, cols);
  else
    z = Zeros(kind_, rows, cols);
}

void MatrixDocument::ResetEntries() { ZeroEntries(rows(), cols()); }

void MatrixDocument::SetKind(MatrixKind kind) {
  int r = rows(), c = cols();
  kind_ = kind;
  format.dialogMask = WindowFormatFor(kind).dialogMask;
  q = IntegerMatrix();
  z = ComplexMatrix();
  ZeroEntries(r, c);
  ClearHistory();
  editing = false;
  FitWidth();
}

long double MatrixDocument::Tolerance() const { return ZeroTolerance(format.places); }

}  // namespace tavrin
