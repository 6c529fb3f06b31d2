#pragma once
#include <cstdint>

#include "core/StepLog.h"
#include "engine/EchelonEngine.h"

namespace tavrin {

// The stepping both echelon engines share: at most `budget` actions
// (locating a pivot, swapping two rows, normalising the pivot row, clearing
// the pivot column in one other row), stopping as soon as the count reaches
// the budget. Field is the working copy in its own arithmetic:
//   bool Stopped();                     polled before each pivot search
//   bool IsPivot(int r, int c);
//   void SwapRows(int r, int p);
//   StepOperation Normalise(int p, int c);  scales row p, returns the action
//   int ClearColumn(int p, int c, int limit, EchelonHighlight h);
//                                       clears the other rows from the top,
//                                       at most limit, logging each; rows taken
//   void Record(const StepOperation& op, EchelonHighlight h);
// When Stopped() answers true the highlight so far comes back at once.
template <class Field>
EchelonHighlight StepToEchelonForm(Field& w, int rows, int cols, int64_t budget) {
  EchelonHighlight h{rows, -1};
  int64_t used = 0;
  int p = 0, c = 0;
  while (p < rows && c < cols && used < budget) {
    if (w.Stopped()) return h;
    int r = p;
    while (r < rows && !w.IsPivot(r, c)) ++r;
    if (r == rows) {  // a column without a pivot is skipped at no cost
      ++c;
      continue;
    }
    ++used;
    h = {r, c};
    w.Record(StepOperation::Make(StepOperation::kLocate, false, r, c), h);
    if (used < budget && r > p) {
      w.SwapRows(r, p);
      h.row = p;
      ++used;
      w.Record(StepOperation::Make(StepOperation::kSwap, false, p, r), h);
    }
    if (used >= budget) break;
    const StepOperation normalise = w.Normalise(p, c);
    ++used;
    w.Record(normalise, h);
    if (used >= budget) break;
    const int64_t room = budget - used;
    const int taken = w.ClearColumn(p, c, room < rows ? static_cast<int>(room) : rows, h);
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

}  // namespace tavrin
