#include "engine/Operations.h"

#include <gtest/gtest.h>

#include "MatrixBuilders.h"

#include <limits>

namespace tavrin {
namespace {


TEST(Operations, EachKindOnAThreeByThree) {
  const ComplexMatrix start = Real(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  struct Case {
    uint32_t kind;
    int first, second;
    long double factor;
    std::vector<long double> expect;
  };
  const Case cases[] = {
      {0, 0, 2, 1, {7, 8, 9, 4, 5, 6, 1, 2, 3}},
      {1, 0, 1, 1, {2, 1, 3, 5, 4, 6, 8, 7, 9}},
      {2, 1, 0, 2, {1, 2, 3, 8, 10, 12, 7, 8, 9}},
      {3, 2, 0, -1, {1, 2, -3, 4, 5, -6, 7, 8, -9}},
      {4, 0, 2, 2, {1, 2, 3, 4, 5, 6, 9, 12, 15}},   // row 3 += 2 * row 1
      {5, 2, 0, 10, {31, 2, 3, 64, 5, 6, 97, 8, 9}},  // column 1 += 10 * column 3
  };
  for (const auto& c : cases) {
    ComplexMatrix m = start;
    OperationStack stack;
    ASSERT_EQ(stack.Apply(m, c.kind, c.first, c.second, Complex(c.factor)), ResultCode::Ok) << c.kind;
    for (int i = 0; i < 9; ++i) EXPECT_EQ(m.entry(i).re, c.expect[i]) << "kind " << c.kind << " entry " << i;
    ASSERT_EQ(stack.Undo(m), ResultCode::Ok);
    EXPECT_EQ(m, start) << c.kind;
    EXPECT_FALSE(stack.CanUndo());
  }
}

TEST(Operations, ThreeOperationsUndoneGiveBackTheMatrix) {
  ComplexMatrix m(2, 3);
  m.e() = {Complex(1, 1), Complex(2), Complex(3, -1), Complex(0.5L), Complex(-4), Complex(0, 7)};
  const ComplexMatrix start = m;
  OperationStack stack;
  ASSERT_EQ(stack.Apply(m, kSwapRows, 0, 1, kComplexOne), ResultCode::Ok);
  ASSERT_EQ(stack.Apply(m, kMultiplyColumn, 2, 0, Complex(3, 1)), ResultCode::Ok);
  ASSERT_EQ(stack.Apply(m, kAddRowMultiple, 1, 0, Complex(-1.5L)), ResultCode::Ok);
  EXPECT_EQ(stack.Size(), 3u);
  for (int i = 0; i < 3; ++i) ASSERT_EQ(stack.Undo(m), ResultCode::Ok);
  for (size_t i = 0; i < m.size(); ++i) {
    EXPECT_NEAR(static_cast<double>(m.entry(i).re), static_cast<double>(start.entry(i).re), 1e-17);
    EXPECT_NEAR(static_cast<double>(m.entry(i).im), static_cast<double>(start.entry(i).im), 1e-17);
  }
  EXPECT_EQ(stack.Undo(m), ResultCode::Stopped);  // empty: nothing happens
}

TEST(Operations, IgnoredMultiplierAndTinyFactor) {
  ComplexMatrix m = Real(2, 2, {1, 2, 3, 4});
  OperationStack stack;
  ASSERT_EQ(stack.Apply(m, kAddRowMultiple, 0, 1, Complex(2)), ResultCode::Ok);
  EXPECT_EQ(stack.Apply(m, kMultiplyRow, 0, 0, kComplexZero), ResultCode::Stopped);
  EXPECT_EQ(stack.Apply(m, kMultiplyColumn, 0, 0, Complex(1e-20L)), ResultCode::Stopped);
  EXPECT_EQ(stack.Size(), 1u);
  EXPECT_EQ(m, Real(2, 2, {1, 2, 5, 8}));
  ASSERT_EQ(stack.Undo(m), ResultCode::Ok);  // undoes the addition
  EXPECT_EQ(m, Real(2, 2, {1, 2, 3, 4}));

  ASSERT_EQ(stack.Apply(m, kMultiplyRow, 1, 0, Complex(1e-15L)), ResultCode::Ok);
  EXPECT_NEAR(static_cast<double>(m.at(1, 0).re), 3e-15, 1e-28);
  EXPECT_NEAR(static_cast<double>(InverseOperation(stack.Top()).factor.re), 1e15, 1e-3);
  ASSERT_EQ(stack.Undo(m), ResultCode::Ok);
  EXPECT_NEAR(static_cast<double>(m.at(1, 0).re), 3.0, 1e-15);
  EXPECT_NEAR(static_cast<double>(m.at(1, 1).re), 4.0, 1e-15);
}

TEST(Operations, RefusedWithoutChange) {
  ComplexMatrix m = Real(2, 3, {1, 2, 3, 4, 5, 6});
  const ComplexMatrix start = m;
  OperationStack stack;
  EXPECT_EQ(stack.Apply(m, kSwapRows, 0, 2, kComplexOne), ResultCode::OutOfBounds);
  EXPECT_EQ(stack.Apply(m, kMultiplyColumn, 3, 0, Complex(2)), ResultCode::OutOfBounds);
  EXPECT_EQ(stack.Apply(m, kAddColumnMultiple, -1, 0, Complex(2)), ResultCode::OutOfBounds);
  EXPECT_EQ(stack.Apply(m, 6, 0, 1, Complex(2)), ResultCode::OutOfBounds);
  EXPECT_EQ(stack.Apply(m, kAddRowMultiple, 1, 1, Complex(2)), ResultCode::NothingToDo);
  EXPECT_EQ(stack.Apply(m, kMultiplyRow, 0, 0, Complex(std::numeric_limits<long double>::infinity())), ResultCode::CouldNotCalculate);
  EXPECT_EQ(m, start);
  EXPECT_FALSE(stack.CanUndo());
}

}  // namespace
}  // namespace tavrin
