#include "engine/Operations.h"

#include <cmath>
#include <utility>

#include "core/Thresholds.h"

namespace tavrin {

namespace {

bool InRange(int i, int bound) { return i >= 0 && i < bound; }

bool IsRowKind(uint32_t kind) { return kind % 2 == 0; }

// conj(f)/|f|^2 without the pivot floor: a multiplier as small as 1e-15 is
// accepted, and its undo must scale back by 1e15, not by the floored value.
Complex ExactReciprocal(Complex f) {
  const long double s = 1.0L / (f.re * f.re + f.im * f.im);
  return {s * f.re, -s * f.im};
}

}  // namespace

OperationRecord InverseOperation(const OperationRecord& r) {
  OperationRecord inv = r;
  if (r.kind == kMultiplyRow || r.kind == kMultiplyColumn)
    inv.factor = ExactReciprocal(r.factor);
  else if (r.kind == kAddRowMultiple || r.kind == kAddColumnMultiple)
    inv.factor = -r.factor;
  return inv;
}

ResultCode ApplyOperation(ComplexMatrix& m, const OperationRecord& r) {
  if (r.kind > kAddColumnMultiple) return ResultCode::OutOfBounds;
  const int rows = m.rows, cols = m.cols;
  const int bound = IsRowKind(r.kind) ? rows : cols;
  const bool needsSecond = r.kind != kMultiplyRow && r.kind != kMultiplyColumn;
  if (!InRange(r.first, bound) || (needsSecond && !InRange(r.second, bound))) return ResultCode::OutOfBounds;
  if (m.size() != static_cast<size_t>(rows) * cols) return ResultCode::OutOfBounds;
  switch (r.kind) {
    case kSwapRows:
      for (int j = 0; j < cols; ++j) std::swap(m.at(r.first, j), m.at(r.second, j));
      break;
    case kSwapColumns:
      for (int i = 0; i < rows; ++i) std::swap(m.at(i, r.first), m.at(i, r.second));
      break;
    case kMultiplyRow:
      for (int j = 0; j < cols; ++j) m.at(r.first, j) = r.factor * m.at(r.first, j);
      break;
    case kMultiplyColumn:
      for (int i = 0; i < rows; ++i) m.at(i, r.first) = r.factor * m.at(i, r.first);
      break;
    case kAddRowMultiple:
      for (int j = 0; j < cols; ++j) m.at(r.second, j) = m.at(r.second, j) + r.factor * m.at(r.first, j);
      break;
    case kAddColumnMultiple:
      for (int i = 0; i < rows; ++i) m.at(i, r.second) = m.at(i, r.second) + r.factor * m.at(i, r.first);
      break;
  }
  return ResultCode::Ok;
}

ResultCode OperationStack::Apply(ComplexMatrix& m, uint32_t kind, int first, int second, Complex factor) {
  OperationRecord r{kind, first, second, factor};
  if (kind > kAddColumnMultiple) return ResultCode::OutOfBounds;
  const bool multiply = kind == kMultiplyRow || kind == kMultiplyColumn;
  const bool usesFactor = kind >= kMultiplyRow;
  if (usesFactor && !(std::isfinite(factor.re) && std::isfinite(factor.im))) return ResultCode::CouldNotCalculate;
  if (multiply && Magnitude1(factor) < kPivotThreshold) return ResultCode::Stopped;
  const int bound = IsRowKind(kind) ? m.rows : m.cols;
  if (!InRange(first, bound) || (!multiply && !InRange(second, bound))) return ResultCode::OutOfBounds;
  // Adding a row to itself could not be undone; exchanging it with itself does nothing.
  if (!multiply && first == second) return ResultCode::NothingToDo;
  ResultCode rc = ApplyOperation(m, r);
  if (NotOk(rc)) return rc;
  records_.push_back(r);
  return ResultCode::Ok;
}

ResultCode OperationStack::Undo(ComplexMatrix& m) {
  if (records_.empty()) return ResultCode::Stopped;
  ResultCode rc = ApplyOperation(m, InverseOperation(records_.back()));
  records_.pop_back();
  return rc;
}

}  // namespace tavrin
