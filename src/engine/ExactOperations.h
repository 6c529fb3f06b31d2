#pragma once
#include <cstdint>
#include <vector>

#include "core/Fraction.h"
#include "core/Matrix.h"
#include "core/ResultCode.h"
#include "engine/Operations.h"

namespace tavrin {

// One applied operation of integer mode: the kinds of OperationKind with an
// exact factor.
struct ExactOperationRecord {
  uint32_t kind = 0;
  int32_t first = 0;
  int32_t second = 0;
  Fraction factor{BigInteger(1), BigInteger(1)};
};

// Applies r to m exactly; the result is kept over its least common
// denominator. Code 17 for indices out of range or an unknown kind.
ResultCode ApplyExactOperation(IntegerMatrix& m, const ExactOperationRecord& r);

// The undo stack of the operations window in integer mode. Undo is exact:
// a multiplication is undone with the reciprocal, an addition with the
// negated factor, so three undos give back the very matrix.
class ExactOperationStack {
 public:
  // As OperationStack::Apply: a zero multiplier is ignored (Stopped, nothing
  // recorded); 17 out of range; 9 an exchange or addition naming the same
  // row (column) twice.
  ResultCode Apply(IntegerMatrix& m, uint32_t kind, int first, int second, const Fraction& factor);
  // Stopped (nothing done) when empty.
  ResultCode Undo(IntegerMatrix& m);

  bool CanUndo() const { return !records_.empty(); }
  size_t Size() const { return records_.size(); }
  const ExactOperationRecord& Top() const { return records_.back(); }
  void Clear() { records_.clear(); }

 private:
  std::vector<ExactOperationRecord> records_;
};

}  // namespace tavrin
