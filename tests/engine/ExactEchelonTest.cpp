#include "engine/ExactEchelon.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "FakeInterrupt.h"
#include "MatrixBuilders.h"

namespace tavrin {
namespace {

// [[0,2,4,6],[1,1,1,1],[2,3,4,5]] worked by hand, one budget at a time:
// the pivot of column 0 sits in row 2 and is swapped up, normalising by 1
// and clearing a zero entry still cost a click, row 3 ends as zeros and
// columns 3 and 4 have no pivot.
TEST(ExactEchelon, HandWorkedThreeByFourStepByStep) {
  const IntegerMatrix start = Int(3, 4, {0, 2, 4, 6, 1, 1, 1, 1, 2, 3, 4, 5});
  struct Case {
    int64_t budget;
    std::vector<std::string> values;
    int row, col;
  };
  const std::vector<std::string> s0 = {"0", "2", "4", "6", "1", "1", "1", "1", "2", "3", "4", "5"};
  const std::vector<std::string> swapped = {"1", "1", "1", "1", "0", "2", "4", "6", "2", "3", "4", "5"};
  const std::vector<std::string> r3 = {"1", "1", "1", "1", "0", "2", "4", "6", "0", "1", "2", "3"};
  const std::vector<std::string> n2 = {"1", "1", "1", "1", "0", "1", "2", "3", "0", "1", "2", "3"};
  const std::vector<std::string> c1 = {"1", "0", "-1", "-2", "0", "1", "2", "3", "0", "1", "2", "3"};
  const std::vector<std::string> done = {"1", "0", "-1", "-2", "0", "1", "2", "3", "0", "0", "0", "0"};
  const Case cases[] = {
      {0, s0, 3, -1},       {1, s0, 1, 0},     {2, swapped, 0, 0}, {3, swapped, 0, 0}, {4, swapped, 0, 0},
      {5, r3, 0, 0},        {6, r3, 1, 1},     {7, n2, 1, 1},      {8, c1, 1, 1},      {9, done, 1, 1},
      {10, done, -1, 1},    {kEchelonFinalBudget, done, -1, 1},
  };
  for (const Case& c : cases) {
    IntegerMatrix m = start;
    EchelonHighlight h = ExactEchelonEngine(m, c.budget);
    EXPECT_EQ(Values(m), c.values) << "budget " << c.budget;
    EXPECT_EQ(h.row, c.row) << "budget " << c.budget;
    EXPECT_EQ(h.col, c.col) << "budget " << c.budget;
  }
  // The log of the whole run names every action.
  StepLog log;
  log.Start(start, "A --> echelon form");
  IntegerMatrix m = start;
  ExactEchelonEngine(m, kEchelonFinalBudget, &log);
  std::vector<std::string> texts;
  for (const LoggedStep& s : log.steps()) texts.push_back(s.text);
  const std::vector<std::string> expected = {"pivot (2, 1)",      "R1 <-> R2",       "R1 <- R1",
                                             "R2 <- R2 + 0 R1",   "R3 <- R3 - 2 R1", "pivot (2, 2)",
                                             "R2 <- 1/2 R2",      "R1 <- R1 - R2",   "R3 <- R3 - R2"};
  EXPECT_EQ(texts, expected);
  ASSERT_EQ(log.steps().size(), expected.size());
  EXPECT_EQ(Values(log.steps()[6].q), n2);
  EXPECT_EQ(log.LastText(), "R3 <- R3 - R2");
}

// As in real and complex mode, one row needs three clicks: the stepping
// stops when the normalising click uses up the budget, and the third click
// only ends it (it used to end at once in integer mode).
TEST(ExactEchelon, OneRowNeedsThreeActionsLikeTheRealEngine) {
  const struct { int64_t budget; std::vector<std::string> values; int row; } cases[] = {
      {1, {"2", "4", "6"}, 0}, {2, {"1", "2", "3"}, 0}, {3, {"1", "2", "3"}, -1}};
  for (const auto& c : cases) {
    IntegerMatrix m = Int(1, 3, {2, 4, 6});
    EXPECT_EQ(ExactEchelonEngine(m, c.budget).row, c.row) << "budget " << c.budget;
    EXPECT_EQ(Values(m), c.values) << "budget " << c.budget;
  }
}

TEST(ExactEchelon, KeepsTheCommonDenominatorAndFractionsExact) {
  // [[1/3, 2/3], [1/2, 1]] has rank 1; entries over the denominator 6.
  IntegerMatrix m = Int(2, 2, {2, 4, 3, 6}, 6);
  EXPECT_EQ(ExactEchelonEngine(m, kEchelonFinalBudget).row, -1);
  EXPECT_EQ(Values(m), (std::vector<std::string>{"1", "2", "0", "0"}));
  // A pivot as small as 1/10^30 is still a pivot: no tolerance applies.
  IntegerMatrix tiny(2, 2);
  tiny.e = {BigInteger(1), BigInteger(0), BigInteger(0), BigInteger(1)};
  mpz_class big;
  mpz_ui_pow_ui(big.get_mpz_t(), 10, 30);
  tiny.denominator = BigInteger(big);
  ExactEchelonEngine(tiny, kEchelonFinalBudget);
  EXPECT_EQ(Values(tiny), (std::vector<std::string>{"1", "0", "0", "1"}));
  // A zero matrix: nothing is ever highlighted.
  IntegerMatrix zero(2, 3);
  EchelonHighlight h = ExactEchelonEngine(zero, 1);
  EXPECT_FALSE(h.Valid(2, 3));
}

// sympy's rref of 200 random matrices up to 8x8 with entries up to 10^6,
// most of them rank deficient (tests/engine/data/make_rref.py).
TEST(ExactEchelon, FinalEqualsSympyRrefOnRandomMatrices) {
  std::ifstream in(std::string(TAVRIN_TEST_DATA) + "/engine/data/rref.txt");
  ASSERT_TRUE(in.good());
  std::string sizeLine, entryLine, rrefLine;
  int cases = 0;
  while (std::getline(in, sizeLine) && std::getline(in, entryLine) && std::getline(in, rrefLine)) {
    int rows = 0, cols = 0;
    std::istringstream(sizeLine) >> rows >> cols;
    IntegerMatrix m(rows, cols);
    std::istringstream entries(entryLine);
    std::string word;
    for (BigInteger& e : m.e) {
      entries >> word;
      ASSERT_EQ(BigInteger::Parse(word, e), ResultCode::Ok);
    }
    std::vector<std::string> expected;
    std::istringstream rref(rrefLine);
    while (rref >> word) expected.push_back(word);
    ExactEchelonEngine(m, kEchelonFinalBudget);
    EXPECT_EQ(Values(m), expected) << "case " << cases << " (" << sizeLine << ")";
    ++cases;
  }
  EXPECT_EQ(cases, 200);
}

// Q at the k-th poll (one before each pivot search: columns 1, 2, 3 and 4)
// leaves the matrix as it was and reports -1; S and a Q at a fifth poll,
// which never comes, change nothing.
TEST(ExactEchelon, QuitLeavesTheMatrixUnchanged) {
  const IntegerMatrix start = Int(3, 4, {0, 2, 4, 6, 1, 1, 1, 1, 2, 3, 4, 5});
  const std::vector<std::string> done = {"1", "0", "-1", "-2", "0", "1", "2", "3", "0", "0", "0", "0"};
  struct Case {
    int key, at;
    ResultCode status;
  };
  for (const Case& c : {Case{'Q', 1, ResultCode::Stopped}, Case{'Q', 2, ResultCode::Stopped},
                        Case{'Q', 4, ResultCode::Stopped}, Case{'Q', 5, ResultCode::Ok}, Case{'S', 1, ResultCode::Ok}}) {
    IntegerMatrix m = start;
    FakeInterrupt key(c.key, c.at);
    ResultCode status = ResultCode::CouldNotCalculate;
    ExactEchelonEngine(m, kEchelonFinalBudget, nullptr, &key, &status);
    EXPECT_EQ(status, c.status) << char(c.key) << " at " << c.at;
    EXPECT_EQ(Values(m), IsOk(status) ? done : Values(start)) << char(c.key) << " at " << c.at;
  }
}

}  // namespace
}  // namespace tavrin
