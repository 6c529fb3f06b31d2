#include "engine/ExactEchelon.h"

#include <utility>

#include "engine/EchelonStepping.h"
#include "engine/RationalMatrix.h"

namespace tavrin {

namespace {

// The working copy in exact fractions: any non-zero entry is a pivot, and a
// log entry holds the matrix over its least common denominator.
struct ExactField {
  RationalMatrix w;
  StepLog* log;
  Interrupt* stop;
  ResultCode status = ResultCode::Ok;

  bool Stopped() {
    if (IsOk(status) && stop && stop->Quit()) status = ResultCode::Stopped;
    return NotOk(status);
  }
  bool IsPivot(int r, int c) { return sgn(w.at(r, c)) != 0; }
  void SwapRows(int r, int p) {
    for (int j = 0; j < w.cols; ++j) std::swap(w.at(r, j), w.at(p, j));
  }
  StepOperation Normalise(int p, int c) {
    const mpq_class scale = 1 / w.at(p, c);
    for (int j = c + 1; j < w.cols; ++j) w.at(p, j) *= scale;
    w.at(p, c) = 1;
    StepOperation op = StepOperation::Make(StepOperation::kScale, false, p, p);
    op.exact = ToFraction(scale);
    return op;
  }
  void Record(const StepOperation& op, EchelonHighlight h) {
    if (log) log->Add(op, log->WouldKeep(w.e.size()) ? ToInteger(w) : IntegerMatrix(), h.row, h.col);
  }
  // Each row taken is one action, whether or not its entry was zero already.
  int ClearColumn(int p, int c, int limit, EchelonHighlight h) {
    int taken = 0;
    for (int i = 0; i < w.rows && taken < limit; ++i) {
      if (i == p) continue;
      const mpq_class f = w.at(i, c);
      if (sgn(f) != 0) {
        for (int j = c + 1; j < w.cols; ++j) w.at(i, j) -= f * w.at(p, j);
        w.at(i, c) = 0;
      }
      ++taken;
      StepOperation clear = StepOperation::Make(StepOperation::kAddMultiple, false, p, i);
      clear.exact = ToFraction(-f);
      Record(clear, h);
    }
    return taken;
  }
};

}  // namespace

EchelonHighlight ExactEchelonEngine(IntegerMatrix& m, int64_t budget, StepLog* log, Interrupt* stop,
                                    ResultCode* status) {
  const int rows = m.rows, cols = m.cols;
  if (rows < 1 || cols < 1 || m.size() != static_cast<size_t>(rows) * cols) return EchelonHighlight{rows, -1};
  ExactField field{ToRational(m), log, stop};
  const EchelonHighlight h = StepToEchelonForm(field, rows, cols, budget);
  if (status) *status = field.status;
  if (IsOk(field.status)) m = ToInteger(field.w);
  return h;
}

}  // namespace tavrin
