#include "engine/ExactOperations.h"

#include <gtest/gtest.h>

#include "MatrixBuilders.h"

namespace tavrin {
namespace {

Fraction F(long n, long d = 1) { return Fraction{BigInteger(n), BigInteger(d)}; }

TEST(ExactOperations, ApplyAndUndoExactly) {
  const IntegerMatrix start = Int(2, 3, {1, 2, 3, 4, 5, 6});
  struct Case {
    uint32_t kind;
    int first, second;
    Fraction factor;
    IntegerMatrix after;  // worked by hand
  };
  const Case cases[] = {
      {kSwapRows, 0, 1, F(1), Int(2, 3, {4, 5, 6, 1, 2, 3})},
      {kSwapColumns, 0, 2, F(1), Int(2, 3, {3, 2, 1, 6, 5, 4})},
      {kMultiplyRow, 1, 0, F(2, 3), Int(2, 3, {3, 6, 9, 8, 10, 12}, 3)},
      {kMultiplyColumn, 2, 0, F(-1, 2), Int(2, 3, {2, 4, -3, 8, 10, -6}, 2)},
      {kAddRowMultiple, 0, 1, F(-4), Int(2, 3, {1, 2, 3, 0, -3, -6})},
      {kAddColumnMultiple, 0, 1, F(3, 2), Int(2, 3, {2, 7, 6, 8, 22, 12}, 2)},
  };
  for (const Case& c : cases) {
    ExactOperationStack stack;
    IntegerMatrix m = start;
    ASSERT_EQ(stack.Apply(m, c.kind, c.first, c.second, c.factor), ResultCode::Ok) << c.kind;
    EXPECT_EQ(m, c.after) << "kind " << c.kind;
    ASSERT_EQ(stack.Undo(m), ResultCode::Ok);
    EXPECT_EQ(m, start) << "undo of kind " << c.kind;  // the very matrix, no rounding
    EXPECT_FALSE(stack.CanUndo());
  }
}

TEST(ExactOperations, RefusalsLeaveMatrixAndStackAlone) {
  const IntegerMatrix start = Int(2, 2, {1, 2, 3, 4});
  ExactOperationStack stack;
  IntegerMatrix m = start;
  EXPECT_EQ(stack.Apply(m, kMultiplyRow, 0, 0, F(0)), ResultCode::Stopped);  // a zero multiplier is ignored
  EXPECT_EQ(stack.Apply(m, kAddRowMultiple, 1, 1, F(2)), ResultCode::NothingToDo);
  EXPECT_EQ(stack.Apply(m, kSwapColumns, 0, 2, F(1)), ResultCode::OutOfBounds);
  EXPECT_EQ(stack.Apply(m, 6, 0, 1, F(1)), ResultCode::OutOfBounds);
  EXPECT_EQ(m, start);
  EXPECT_FALSE(stack.CanUndo());
  EXPECT_EQ(stack.Undo(m), ResultCode::Stopped);
  // Three operations undone three times give the start back.
  ASSERT_EQ(stack.Apply(m, kSwapRows, 0, 1, F(1)), ResultCode::Ok);
  ASSERT_EQ(stack.Apply(m, kMultiplyRow, 0, 0, F(2)), ResultCode::Ok);
  ASSERT_EQ(stack.Apply(m, kAddRowMultiple, 0, 1, F(1, 7)), ResultCode::Ok);
  EXPECT_EQ(m, Int(2, 2, {42, 56, 13, 22}, 7));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(stack.Undo(m), ResultCode::Ok);
  EXPECT_EQ(m, start);
}

}  // namespace
}  // namespace tavrin
