#include "engine/EchelonEngine.h"

#include <utility>

#include "core/StringTable.h"
#include "engine/Elimination.h"

namespace tavrin {

EchelonHighlight EchelonEngine(ComplexMatrix& m, long double tolerance, int64_t budget) {
  const int rows = m.rows, cols = m.cols;
  EchelonHighlight h{rows, -1};
  if (rows < 1 || cols < 1 || m.size() != static_cast<size_t>(rows) * cols) return h;
  Complex* w = m.e.data();
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
    if (used < budget && r > p) {
      for (int j = 0; j < cols; ++j)
        std::swap(w[static_cast<size_t>(r) * cols + j], w[static_cast<size_t>(p) * cols + j]);
      h.row = p;
      ++used;
    }
    if (used >= budget) break;
    NormalisePivotRow(w, cols, p, c, nullptr);
    ++used;
    if (used >= budget) break;
    const int64_t room = budget - used;
    const int limit = room < rows ? static_cast<int>(room) : rows;
    const int taken = ClearPivotColumn(w, rows, cols, p, c, nullptr, limit);
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
