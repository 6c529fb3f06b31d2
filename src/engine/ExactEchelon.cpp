#include "engine/ExactEchelon.h"

#include <utility>

#include "engine/RationalMatrix.h"

namespace tavrin {

EchelonHighlight ExactEchelonEngine(IntegerMatrix& m, int64_t budget, StepLog* log, Interrupt* stop,
                                    bool* stopped) {
  const int rows = m.rows, cols = m.cols;
  EchelonHighlight h{rows, -1};
  if (rows < 1 || cols < 1 || m.size() != static_cast<size_t>(rows) * cols) return h;
  RationalMatrix w = ToRational(m);
  auto record = [&](StepOperation op) {
    if (log) log->Add(op, log->WouldKeep(w.e.size()) ? ToInteger(w) : IntegerMatrix(), h.row, h.col);
  };
  int64_t used = 0;
  int p = 0, c = 0;
  while (p < rows && c < cols && used < budget) {
    if (stop && stop->Quit()) {
      if (stopped) *stopped = true;
      return h;
    }
    int r = p;
    while (r < rows && sgn(w.at(r, c)) == 0) ++r;
    if (r == rows) {  // a column without a pivot is skipped at no cost
      ++c;
      continue;
    }
    ++used;
    h = {r, c};
    record(StepOperation::Make(StepOperation::kLocate, false, r, c));
    if (used < budget && r > p) {
      for (int j = 0; j < cols; ++j) std::swap(w.at(r, j), w.at(p, j));
      h.row = p;
      ++used;
      record(StepOperation::Make(StepOperation::kSwap, false, p, r));
    }
    if (used >= budget) break;
    const mpq_class scale = 1 / w.at(p, c);
    for (int j = c + 1; j < cols; ++j) w.at(p, j) *= scale;
    w.at(p, c) = 1;
    ++used;
    StepOperation normalise = StepOperation::Make(StepOperation::kScale, false, p, p);
    normalise.exact = ToFraction(scale);
    record(normalise);
    // Clearing takes the other rows from the top, one action each, whether
    // or not their entry was zero already.
    int taken = 0;
    for (int i = 0; i < rows && used < budget; ++i) {
      if (i == p) continue;
      const mpq_class f = w.at(i, c);
      if (sgn(f) != 0) {
        for (int j = c + 1; j < cols; ++j) w.at(i, j) -= f * w.at(p, j);
        w.at(i, c) = 0;
      }
      ++used;
      ++taken;
      StepOperation clear = StepOperation::Make(StepOperation::kAddMultiple, false, p, i);
      clear.exact = ToFraction(-f);
      record(clear);
    }
    if (taken < rows - 1) break;
    ++p;
    if (p < rows) ++c;
  }
  if (p >= rows || c >= cols) h.row = -1;
  m = ToInteger(w);
  return h;
}

}  // namespace tavrin
