#include "engine/ExactOperations.h"

#include <utility>

#include "engine/RationalMatrix.h"

namespace tavrin {

namespace {

bool InRange(int i, int bound) { return i >= 0 && i < bound; }

bool IsMultiply(uint32_t kind) { return kind == kMultiplyRow || kind == kMultiplyColumn; }

}  // namespace

ResultCode ApplyExactOperation(IntegerMatrix& m, const ExactOperationRecord& r) {
  if (r.kind > kAddColumnMultiple) return ResultCode::OutOfBounds;
  const int rows = m.rows, cols = m.cols;
  if (m.size() != static_cast<size_t>(rows) * cols) return ResultCode::OutOfBounds;
  const bool byRows = r.kind % 2 == 0;
  const int bound = byRows ? rows : cols;
  if (!InRange(r.first, bound) || (!IsMultiply(r.kind) && !InRange(r.second, bound))) return ResultCode::OutOfBounds;
  RationalMatrix w = ToRational(m);
  const mpq_class f = ToMpq(r.factor);
  // Entry k of line `line` (a row, or a column for the odd kinds).
  auto at = [&](int line, int k) -> mpq_class& { return byRows ? w.at(line, k) : w.at(k, line); };
  const int length = byRows ? cols : rows;
  for (int k = 0; k < length; ++k) {
    switch (r.kind) {
      case kSwapRows:
      case kSwapColumns: std::swap(at(r.first, k), at(r.second, k)); break;
      case kMultiplyRow:
      case kMultiplyColumn: at(r.first, k) *= f; break;
      default: at(r.second, k) += f * at(r.first, k); break;
    }
  }
  m = ToInteger(w);
  return ResultCode::Ok;
}

ResultCode ExactOperationStack::Apply(IntegerMatrix& m, uint32_t kind, int first, int second,
                                      const Fraction& factor) {
  if (kind > kAddColumnMultiple) return ResultCode::OutOfBounds;
  const bool multiply = IsMultiply(kind);
  if (factor.den.IsZero()) return ResultCode::CouldNotCalculate;
  if (multiply && factor.num.IsZero()) return ResultCode::Stopped;
  const int bound = kind % 2 == 0 ? m.rows : m.cols;
  if (!InRange(first, bound) || (!multiply && !InRange(second, bound))) return ResultCode::OutOfBounds;
  if (!multiply && first == second) return ResultCode::NothingToDo;
  ExactOperationRecord r{kind, first, second, ToFraction(ToMpq(factor))};
  ResultCode rc = ApplyExactOperation(m, r);
  if (NotOk(rc)) return rc;
  records_.push_back(std::move(r));
  return ResultCode::Ok;
}

ResultCode ExactOperationStack::Undo(IntegerMatrix& m) {
  if (records_.empty()) return ResultCode::Stopped;
  ExactOperationRecord inverse = records_.back();
  const mpq_class f = ToMpq(inverse.factor);
  if (IsMultiply(inverse.kind))
    inverse.factor = ToFraction(1 / f);
  else if (inverse.kind >= kAddRowMultiple)
    inverse.factor = ToFraction(-f);
  ResultCode rc = ApplyExactOperation(m, inverse);
  records_.pop_back();
  return rc;
}

}  // namespace tavrin
