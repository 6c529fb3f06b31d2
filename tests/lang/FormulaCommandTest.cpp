#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "FakeInterrupt.h"
#include "MatrixBuilders.h"
#include "lang/FormulaEngine.h"

namespace tavrin {
namespace {

NoInterrupt none;
RandomGenerator generator;

TEST(FormulaCommand, FillsRowByRow) {
  FormulaEngine engine;
  FormulaCommandResult r = RunFormulaCommand(engine, "2", "3", "I+J", none, generator);
  ASSERT_EQ(r.code, ResultCode::Ok);
  EXPECT_EQ(r.matrix.rows, 2);
  EXPECT_EQ(r.matrix.cols, 3);
  EXPECT_EQ(Reals(r.matrix), (std::vector<long double>{2, 3, 4, 3, 4, 5}));
  EXPECT_EQ(r.description, "formula I+J");
  EXPECT_EQ(engine.root(), nullptr);  // the tree is freed

  r = RunFormulaCommand(engine, "4", "1", "SUM(K,K,1,I)", none, generator);
  EXPECT_EQ(Reals(r.matrix), (std::vector<long double>{1, 3, 6, 10}));
  r = RunFormulaCommand(engine, "1", "5", "PROD(K,K,1,J)", none, generator);
  EXPECT_EQ(Reals(r.matrix), (std::vector<long double>{1, 2, 6, 24, 120}));
  r = RunFormulaCommand(engine, "2", "2", "MAX(I,J,2)", none, generator);
  EXPECT_EQ(Reals(r.matrix), (std::vector<long double>{2, 2, 2, 2}));
  r = RunFormulaCommand(engine, "4", "4", "BINOM(I,J)", none, generator);
  EXPECT_EQ(Reals(r.matrix), (std::vector<long double>{1, 0, 0, 0, 2, 1, 0, 0, 3, 3, 1, 0, 4, 6, 4, 1}));
}

// Q or S, polled once per row or inside a loop, stops the filling with -1;
// the engine evaluates again afterwards.
TEST(FormulaCommand, StopKeyEndsTheFilling) {
  struct Case {
    const char* text;
    int key;
    int at;
  };
  for (const Case& c : {Case{"I+J", 'S', 1}, Case{"I+J", 'Q', 3}, Case{"ITER(2147483647,X+1)", 'Q', 1},
                        Case{"SUM(K,K,1,2000000000)", 'S', 2}}) {
    FormulaEngine engine;
    FakeInterrupt key(c.key, c.at);
    FormulaCommandResult r = RunFormulaCommand(engine, "4", "4", c.text, key, generator);
    EXPECT_EQ(r.code, ResultCode::Stopped) << c.text << " at " << c.at;
    EXPECT_EQ(engine.status, ResultCode::Ok) << c.text;
    r = RunFormulaCommand(engine, "1", "2", "I+J", none, generator);
    ASSERT_EQ(r.code, ResultCode::Ok) << c.text;
    EXPECT_EQ(Reals(r.matrix), (std::vector<long double>{2, 3}));
  }
}

TEST(FormulaCommand, DefaultFormula) {
  FormulaEngine engine;
  FormulaCommandResult r = RunFormulaCommand(engine, "3", "3", "sin(i*pi/(i+j))", none, generator);
  ASSERT_EQ(r.code, ResultCode::Ok);
  // pi is the extended value, not the double one.
  EXPECT_EQ(r.matrix.at(0, 0).re, std::sin(3.14159265358979323846264338327950288L / 2));
  EXPECT_NEAR(static_cast<double>(r.matrix.at(0, 0).re), 1.0, 1e-18);
  EXPECT_NEAR(static_cast<double>(r.matrix.at(2, 1).re), std::sin(3 * M_PI / 5), 1e-15);
}

// A failing entry is reported with its place and nothing is returned (a
// zero matrix used to be stored as if the formula had worked).
TEST(FormulaCommand, FirstFailureIsReportedWithItsPlace) {
  FormulaEngine engine;
  struct {
    const char* text;
    bool complex;
    int row, col;
  } cases[] = {
      {"1/(I-J)", false, 1, 1},   {"SQRT(I-2)", false, 1, 1}, {"1/(I*J-6)", false, 2, 3},
      {"0^(-0.5)", false, 1, 1},  {"LN(J-3)", false, 1, 1},   {"EXP(4999)*EXP(4999)*I", false, 1, 1},
      {"1/(J-2)", true, 1, 2},
  };
  for (const auto& c : cases) {
    engine.SetComplexSwitch(c.complex);
    FormulaCommandResult r = RunFormulaCommand(engine, "3", "3", c.text, none, generator);
    EXPECT_EQ(r.code, ResultCode::CouldNotCalculate) << c.text;
    EXPECT_EQ(r.failedRow, c.row) << c.text;
    EXPECT_EQ(r.failedCol, c.col) << c.text;
    EXPECT_EQ(r.matrix.size(), 0u) << c.text;
    EXPECT_EQ(engine.root(), nullptr);
  }
  engine.SetComplexSwitch(false);
}

TEST(FormulaCommand, RefusesBadSizesAndFormulas) {
  FormulaEngine engine;
  struct {
    const char* rows;
    const char* cols;
    const char* text;
    ResultCode code;
  } cases[] = {
      {"1000", "1001", "I", ResultCode::OutOfBounds}, {"0", "3", "I", ResultCode::OutOfBounds},      {"3", "-1", "I", ResultCode::OutOfBounds},
      {"abc", "3", "I", ResultCode::OutOfBounds},     {"", "3", "I", ResultCode::OutOfBounds},       {"1000000", "1", "0", ResultCode::Ok},
      {"99999999999", "1", "I", ResultCode::OutOfBounds}, {"3", "3", "", ResultCode::NothingToDo},    {"3", "3", "(I", ResultCode::MatrixNotFound},
      {"3", "3", "I+", ResultCode::InconsistentData},       {"3", "3", "ITER(0,X)", ResultCode::OutOfBounds}, {"3", "3", "POW(1,2,3)", ResultCode::CouldNotCalculate},
  };
  for (const auto& c : cases) {
    FormulaCommandResult r = RunFormulaCommand(engine, c.rows, c.cols, c.text, none, generator);
    EXPECT_EQ(r.code, c.code) << c.rows << "x" << c.cols << " " << c.text;
    if (c.code != ResultCode::Ok) {
      EXPECT_EQ(r.matrix.size(), 0u);
    }
  }
}

TEST(FormulaCommand, RealModeKeepsImaginaryPartsZero) {
  FormulaEngine engine;
  FormulaCommandResult r = RunFormulaCommand(engine, "1", "2", "CIS(J)", none, generator);
  EXPECT_EQ(r.matrix.at(0, 1).re, std::cos(2.0L));
  EXPECT_EQ(r.matrix.at(0, 1).im, 0);
  // No hidden sine inside the formula either: cos(1)^2, |cos 1| (mpmath).
  r = RunFormulaCommand(engine, "1", "2", "JOINX(CIS(1)*CIS(1)|0,ABS(CIS(1)))", none, generator);
  EXPECT_NEAR(static_cast<double>(r.matrix.at(0, 0).re), 0.54030230586813971740, 1e-16);
  r = RunFormulaCommand(engine, "1", "1", "CIS(1)*CIS(1)", none, generator);
  EXPECT_NEAR(static_cast<double>(r.matrix.at(0, 0).re), 0.29192658172642880650, 1e-16);
  engine.SetComplexSwitch(true);
  r = RunFormulaCommand(engine, "1", "2", "CIS(J)", none, generator);
  EXPECT_EQ(r.matrix.at(0, 1).im, std::sin(2.0L));
  // ARG(-1) is pi: the folded -1 has imaginary part +0, not -0.
  r = RunFormulaCommand(engine, "1", "1", "ARG(-1)", none, generator);
  EXPECT_EQ(r.matrix.at(0, 0).re, 3.14159265358979323846264338327950288L);
  EXPECT_EQ(r.code, ResultCode::Ok);
}

}  // namespace
}  // namespace tavrin
