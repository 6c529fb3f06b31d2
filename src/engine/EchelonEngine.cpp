#include "engine/EchelonEngine.h"

#include <utility>

#include "core/StringTable.h"
#include "engine/Elimination.h"

namespace tavrin {

namespace {

// One logged step per row the clearing took, each with the matrix as it
// stood after that row: the rows taken so far come from the cleared matrix.
void LogClearedRows(StepLog& log, const ComplexMatrix& before, const ComplexMatrix& after, int p, int c, int taken,
                    EchelonHighlight h) {
  ComplexMatrix now = log.WouldKeep(before.size()) ? before : ComplexMatrix();
  for (int i = 0, t = 0; i < before.rows && t < taken; ++i) {
    if (i == p) continue;
    ++t;
    if (now.size() == before.size())
      for (int j = 0; j < before.cols; ++j) now.at(i, j) = after.at(i, j);
    StepOperation clear = StepOperation::Make(StepOperation::kAddMultiple, false, p, i);
    clear.value = -before.at(i, c);
    log.Add(clear, log.WouldKeep(now.size()) ? now : ComplexMatrix(), h.row, h.col);
  }
}

}  // namespace

EchelonHighlight EchelonEngine(ComplexMatrix& m, long double tolerance, int64_t budget, StepLog* log) {
  const int rows = m.rows, cols = m.cols;
  EchelonHighlight h{rows, -1};
  if (rows < 1 || cols < 1 || m.size() != static_cast<size_t>(rows) * cols) return h;
  Complex* w = m.e.data();
  auto record = [&](StepOperation op, const ComplexMatrix& after) {
    if (log) log->Add(op, log->WouldKeep(after.size()) ? after : ComplexMatrix(), h.row, h.col);
  };
  int64_t used = 0;
  int p = 0, c = 0;
  while (p < rows && c < cols && used < budget) {
    int r = p;
    while (r < rows && !(Magnitude1(w[static_cast<size_t>(r) * cols + c]) > tolerance)) ++r;
    if (r == rows) {  // a column without a pivot is skipped at no cost
      ++c;
      continue;
    }
    ++used;
    h = {r, c};
    record(StepOperation::Make(StepOperation::kLocate, false, r, c), m);
    if (used < budget && r > p) {
      for (int j = 0; j < cols; ++j)
        std::swap(w[static_cast<size_t>(r) * cols + j], w[static_cast<size_t>(p) * cols + j]);
      h.row = p;
      ++used;
      record(StepOperation::Make(StepOperation::kSwap, false, p, r), m);
    }
    if (used >= budget) break;
    StepOperation normalise = StepOperation::Make(StepOperation::kScale, false, p, p);
    normalise.value = Reciprocal(w[static_cast<size_t>(p) * cols + c]);
    NormalisePivotRow(w, cols, p, c, nullptr);
    ++used;
    record(normalise, m);
    if (used >= budget) break;
    const int64_t room = budget - used;
    const int limit = room < rows ? static_cast<int>(room) : rows;
    const ComplexMatrix before = log ? m : ComplexMatrix();
    const int taken = ClearPivotColumn(w, rows, cols, p, c, nullptr, limit);
    if (log) LogClearedRows(*log, before, m, p, c, taken, h);
    used += taken;
    if (taken < rows - 1) break;
    ++p;
    if (p < rows) ++c;
  }
  // Whatever way the scan ran out of rows or columns, the form is final and
  // nothing stays highlighted (also after trailing columns without pivots).
  if (p >= rows || c >= cols) h.row = -1;
  return h;
}

std::string EchelonTitle(char letter) {
  return std::string(1, letter) + " --> " + String(str::kEchelonForm);
}

}  // namespace tavrin
