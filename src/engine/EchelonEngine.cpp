#include "engine/EchelonEngine.h"

#include <algorithm>

#include "core/StringTable.h"
#include "engine/EchelonStepping.h"
#include "engine/Elimination.h"

namespace tavrin {

namespace {

// The working copy in 80-bit arithmetic: pivots above the tolerance, the
// solver's row steps, and a log entry holding the whole matrix.
struct ComplexField {
  ComplexMatrix& m;
  long double tolerance;
  StepLog* log;

  Complex* Row(int i) { return m.e().data() + static_cast<size_t>(i) * m.cols; }
  bool Stopped() { return false; }
  bool IsPivot(int r, int c) { return Magnitude1(Row(r)[c]) > tolerance; }
  void SwapRows(int r, int p) { std::swap_ranges(Row(r), Row(r) + m.cols, Row(p)); }
  StepOperation Normalise(int p, int c) {
    StepOperation op = StepOperation::Make(StepOperation::kScale, false, p, p);
    op.value = Reciprocal(Row(p)[c]);
    NormalisePivotRow(m.e().data(), m.cols, p, c, nullptr);
    return op;
  }
  void Record(const StepOperation& op, EchelonHighlight h) {
    if (log) log->Add(op, log->WouldKeep(m.size()) ? m : ComplexMatrix(), h.row, h.col);
  }
  // One logged step per row taken, each with the matrix as it stood after
  // that row: the rows taken so far come from the cleared matrix.
  int ClearColumn(int p, int c, int limit, EchelonHighlight h) {
    const ComplexMatrix before = log ? m : ComplexMatrix();
    const int taken = ClearPivotColumn(m.e().data(), m.rows, m.cols, p, c, nullptr, limit);
    if (!log) return taken;
    ComplexMatrix now = log->WouldKeep(before.size()) ? before : ComplexMatrix();
    for (int i = 0, t = 0; i < before.rows && t < taken; ++i) {
      if (i == p) continue;
      ++t;
      if (now.size() == before.size())
        for (int j = 0; j < before.cols; ++j) now.at(i, j) = m.at(i, j);
      StepOperation clear = StepOperation::Make(StepOperation::kAddMultiple, false, p, i);
      clear.value = -before.at(i, c);
      log->Add(clear, log->WouldKeep(now.size()) ? now : ComplexMatrix(), h.row, h.col);
    }
    return taken;
  }
};

}  // namespace

EchelonHighlight EchelonEngine(ComplexMatrix& m, long double tolerance, int64_t budget, StepLog* log) {
  const int rows = m.rows, cols = m.cols;
  if (rows < 1 || cols < 1 || m.size() != static_cast<size_t>(rows) * cols) return EchelonHighlight{rows, -1};
  ComplexField field{m, tolerance, log};
  return StepToEchelonForm(field, rows, cols, budget);
}

std::string EchelonTitle(char letter) {
  return std::string(1, letter) + " --> " + String(str::kEchelonForm);
}

}  // namespace tavrin
