#pragma once
#include <cstdint>
#include <vector>

#include "core/Complex.h"
#include "core/Matrix.h"
#include "core/ResultCode.h"

namespace tavrin {

// The six elementary operations of the operations window.
enum OperationKind : uint32_t {
  kSwapRows = 0,
  kSwapColumns = 1,
  kMultiplyRow = 2,
  kMultiplyColumn = 3,
  kAddRowMultiple = 4,     // row second += factor * row first
  kAddColumnMultiple = 5,  // column second += factor * column first
};

// One applied operation. Indices are 0-based; second is not read by the
// multiplications.
struct OperationRecord {
  uint32_t kind = 0;
  int32_t first = 0;
  int32_t second = 0;
  Complex factor;
};

// The record that undoes r: exchanges undo themselves, a multiplication is
// undone with the reciprocal factor, an addition with the negated factor.
OperationRecord InverseOperation(const OperationRecord& r);

// Applies r to m with full complex products. Indices out of range or an
// unknown kind give code 17 and leave m as it was.
ResultCode ApplyOperation(ComplexMatrix& m, const OperationRecord& r);

// The undo stack of the operations window, newest on top.
class OperationStack {
 public:
  // Applies the operation to m and records it. A multiplier with
  // |re|+|im| below 1e-16 is ignored: nothing is changed or recorded and the
  // result is Stopped. Code 17 for indices out of range or an unknown kind, 9
  // when an exchange or addition names the same row (column) twice, 101 for
  // a factor that is not finite; m is unchanged then.
  ResultCode Apply(ComplexMatrix& m, uint32_t kind, int first, int second, Complex factor);

  // Undoes the newest operation and drops it. Stopped (nothing done) when empty.
  ResultCode Undo(ComplexMatrix& m);

  bool CanUndo() const { return !records_.empty(); }
  size_t Size() const { return records_.size(); }
  const OperationRecord& Top() const { return records_.back(); }
  void Clear() { records_.clear(); }

 private:
  std::vector<OperationRecord> records_;
};

}  // namespace tavrin
