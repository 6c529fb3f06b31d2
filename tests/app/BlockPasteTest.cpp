#include "app/commands/BlockPaste.h"

#include <gtest/gtest.h>

#include "AppFixture.h"
#include "app/commands/Editing.h"

namespace tavrin {
namespace {

using BlockPaste = AppTest;

TEST_F(BlockPaste, SplitsTabsCommasAndLineEnds) {
  using Rows = std::vector<std::vector<std::string>>;
  EXPECT_EQ(SplitBlock("1\t2\r\n3\t4\r\n"), (Rows{{"1", "2"}, {"3", "4"}}));
  EXPECT_EQ(SplitBlock("1,2\n3"), (Rows{{"1", "2"}, {"3"}}));
  EXPECT_EQ(SplitBlock("f(1,2)\t7\n"), (Rows{{"f(1,2)", "7"}}));  // tabs win over commas
  EXPECT_EQ(SplitBlock("\n\n"), Rows{});
}

struct RealCase {
  int row, col;
  const char* text;
  std::vector<long double> after;  // the 3x3 matrix 1..9 afterwards
};

TEST_F(BlockPaste, RealBlocksLandAtTheCursorAndAreClipped) {
  const RealCase cases[] = {
      {0, 0, "10\t20\n30\t40\n", {10, 20, 3, 30, 40, 6, 7, 8, 9}},
      {1, 1, "-1,1/4,99\n2*3,0,99\n99,99,99", {1, 2, 3, 4, -1, 0.25L, 7, 6, 0}},
      {2, 2, "5", {1, 2, 3, 4, 5, 6, 7, 8, 5}},
      {0, 0, "10\t\t30\n\t-8", {10, 2, 30, 4, -8, 6, 7, 8, 9}},  // empty cells keep their entries
  };
  for (const RealCase& c : cases) {
    FakePort port;
    Application app(port);
    MatrixDocument doc = Counting(MatrixKind::Real, 3, 3);
    ASSERT_EQ(PasteBlock(app, doc, c.row, c.col, c.text), ResultCode::Ok) << c.text;
    std::vector<long double> got;
    for (const Complex& z : doc.z.e()) got.push_back(z.re);
    EXPECT_EQ(got, c.after) << c.text;
    EXPECT_TRUE(doc.modified);
    // One step back gives the old matrix, one step forward the pasted one.
    ASSERT_EQ(Undo(app, doc), ResultCode::Ok);
    EXPECT_EQ(doc.z.entry(8).re, 9.0L);
    ASSERT_EQ(Redo(app, doc), ResultCode::Ok);
    EXPECT_EQ(doc.z.entry(8).re, c.after[8]);
  }
}

TEST_F(BlockPaste, IntegerCellsScaleByTheDenominator) {
  MatrixDocument doc = Counting(MatrixKind::Integer, 1, 3, 6);
  ASSERT_EQ(PasteBlock(app, doc, 0, 0, "-2/3,1/2,7"), ResultCode::Ok);
  // -2/3 = -4/6, 1/2 = 3/6, 7 = 42/6.
  EXPECT_EQ(doc.q.e[0], BigInteger(-4));
  EXPECT_EQ(doc.q.e[1], BigInteger(3));
  EXPECT_EQ(doc.q.e[2], BigInteger(42));
  EXPECT_EQ(doc.q.denominator, BigInteger(6));
}

TEST_F(BlockPaste, RefusalsChangeNothing) {
  struct Refusal {
    MatrixKind kind;
    int row;
    const char* text;
    ResultCode code;
  };
  const Refusal cases[] = {
      {MatrixKind::Real, 0, "1\t2+\t3", ResultCode::CouldNotCalculate},  // unreadable: could not calculate
      {MatrixKind::Real, 0, "\n", ResultCode::EmptyText},  // no block at all
      {MatrixKind::Real, 5, "1", ResultCode::OutOfBounds},  // cursor outside the matrix
      {MatrixKind::Real, 0, "1,2i,3", ResultCode::CouldNotCalculate},  // a real matrix holds no imaginary part
      {MatrixKind::Integer, 0, "1/4", ResultCode::NotPossible},  // 6/4 is not whole
      {MatrixKind::Integer, 0, "1/0", ResultCode::DivisionByZero},
  };
  for (const Refusal& c : cases) {
    FakePort port;
    Application app(port);
    MatrixDocument doc = Counting(c.kind, 1, 3, 6);
    const MatrixDocument before = doc;
    EXPECT_EQ(PasteBlock(app, doc, c.row, 0, c.text), c.code) << c.text;
    EXPECT_EQ(port.codes, std::vector<ResultCode>{c.code}) << c.text;
    EXPECT_EQ(doc.z, before.z);
    EXPECT_EQ(doc.q, before.q);
    EXPECT_TRUE(doc.undo.empty());
  }
}

}  // namespace
}  // namespace tavrin
