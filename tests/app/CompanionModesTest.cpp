#include <gtest/gtest.h>

#include "AppFixture.h"
#include "app/Application.h"
#include "app/commands/Commands.h"

namespace tavrin {
namespace {

using CompanionModes = AppTest;

// The echelon and operations dialogs read only the letters of the current
// mode, and in integer mode they work in exact fractions.
TEST_F(CompanionModes, IntegerEchelonReadsIntegerLettersAndSavesExactly) {
  Put(Mode::Complex, 1, Real(2, 2, {1, 0, 0, 1}));
  Put(Mode::Real, 2, Real(1, 1, {5}));
  Put(Mode::Integer, 1, Int(2, 3, {2, 4, 6, 1, 3, 2}));
  ASSERT_EQ(SwitchMode(app, Mode::Integer), ResultCode::Ok);
  ASSERT_EQ(Echelon(app, 1, TaskButton::Find), ResultCode::Ok);
  const MatrixDocument& ech = ws.echelon();
  ASSERT_TRUE(ech.isInteger());
  // By hand: R1/2 = (1 2 3); R2 - R1 = (0 1 -1); R1 - 2 R2 = (1 0 5).
  EXPECT_EQ(Values(ech.q), (std::vector<std::string>{"1", "0", "5", "0", "1", "-1"}));
  EXPECT_EQ(ech.title, "A --> echelon form");
  EXPECT_EQ(StepsOf(app, ech)->LastText(), "R1 <- R1 - 2 R2");
  ASSERT_EQ(SaveEchelonAs(app, 5), ResultCode::Ok);
  const MatrixDocument* e = ws.Lookup(Mode::Integer, 5);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(Values(e->q), Values(ech.q));
  EXPECT_EQ(e->notebook, "echelon form");
  // B exists only in real mode: integer mode does not see it.
  EXPECT_EQ(Echelon(app, 2, TaskButton::Find), ResultCode::MatrixNotFound);
  EXPECT_EQ(port.codes, std::vector<ResultCode>{ResultCode::MatrixNotFound});
}

// Memory that runs out during an integer reduction (the runner's code 3)
// is reported, and the echelon window keeps what it showed: a half-reduced
// matrix is never passed off as the echelon form.
TEST_F(CompanionModes, IntegerEchelonOutOfMemoryShowsNothing) {
  ASSERT_EQ(SwitchMode(app, Mode::Integer), ResultCode::Ok);
  Put(Mode::Integer, 1, Int(2, 2, {2, 4, 1, 3}));
  ASSERT_EQ(Echelon(app, 1, TaskButton::Reset), ResultCode::Ok);
  const IntegerMatrix shown = ws.echelon().q;
  app.SetLongWorkRunner([](const std::function<ResultCode()>&, int) { return ResultCode::LowMemory; });
  EXPECT_EQ(Echelon(app, 1, TaskButton::Find), ResultCode::LowMemory);
  EXPECT_EQ(port.codes, std::vector<ResultCode>{ResultCode::LowMemory});
  EXPECT_EQ(ws.echelon().q, shown);
}

TEST_F(CompanionModes, IntegerOperationsTakeExactFactorsAndUndoExactly) {
  Put(Mode::Real, 1, Real(1, 1, {9}));
  Put(Mode::Integer, 1, Int(2, 2, {1, 2, 3, 4}));
  ASSERT_EQ(SwitchMode(app, Mode::Integer), ResultCode::Ok);
  ASSERT_EQ(ResetOperations(app, 1), ResultCode::Ok);
  const MatrixDocument& op = ws.operations();
  ASSERT_TRUE(op.isInteger());
  struct Case {
    int what;  // 0 multiply, 1 add, 2 swap
    const char* a;
    const char* b;
    const char* factor;
    std::vector<std::string> after;  // worked by hand
    const char* step;
  };
  const Case cases[] = {
      {0, "2", "", "2/3", {"1", "2", "2", "8/3"}, "R2 <- 2/3 R2"},
      {1, "2", "1", "-3/2", {"-2", "-2", "2", "8/3"}, "R1 <- R1 - 3/2 R2"},
      {0, "1", "", "1.5", {"-3", "-2", "3", "8/3"}, "C1 <- 3/2 C1"},
      {2, "1", "2", "", {"3", "8/3", "-3", "-2"}, "R1 <-> R2"},
  };
  for (const Case& c : cases) {
    const bool columns = std::string(c.step)[0] == 'C';
    ResultCode rc = c.what == 0   ? OperMultiply(app, columns, c.a, c.factor)
                    : c.what == 1 ? OperAdd(app, columns, c.a, c.b, c.factor)
                                  : OperSwap(app, columns, c.a, c.b);
    ASSERT_EQ(rc, ResultCode::Ok) << c.step;
    EXPECT_EQ(Values(op.q), c.after) << c.step;
    EXPECT_EQ(StepsOf(app, op)->LastText(), c.step);
  }
  EXPECT_EQ(OperMultiply(app, false, "1", "1/0"), ResultCode::CouldNotCalculate);  // the language refuses; nothing changes
  for (int i = 0; i < 4; ++i) EXPECT_EQ(OperUndo(app), ResultCode::Ok);
  EXPECT_EQ(Values(op.q), (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_FALSE(CanUndoOperations(app));
  EXPECT_TRUE(StepsOf(app, op)->steps().empty());
  // Switching mode leaves no undo record behind for the new zero matrix.
  ASSERT_EQ(OperSwap(app, false, "1", "2"), ResultCode::Ok);
  ASSERT_EQ(SwitchMode(app, Mode::Real), ResultCode::Ok);
  EXPECT_FALSE(CanUndoOperations(app));
  EXPECT_FALSE(StepsOf(app, op)->started());
}

// Real F = (1 1), B = (1 1), C = (5) must not answer the integer problem
// F = (3 2), B = [[2,1],[1,1],[1,0]], C = (10 8 4), whose optimum is 18 at (2, 6).
TEST_F(CompanionModes, IntegerLinearProgramReadsIntegerLetters) {
  Put(Mode::Real, 6, Real(1, 2, {1, 1}));
  Put(Mode::Real, 2, Real(1, 2, {1, 1}));
  Put(Mode::Real, 3, Real(1, 1, {5}));
  ASSERT_EQ(SwitchMode(app, Mode::Integer), ResultCode::Ok);
  EXPECT_EQ(LinearProgram(app, true, 6, 2, 3, TaskButton::Find), ResultCode::MatrixNotFound);
  Put(Mode::Integer, 6, Int(1, 2, {3, 2}));
  Put(Mode::Integer, 2, Int(3, 2, {2, 1, 1, 1, 1, 0}));
  Put(Mode::Integer, 3, Int(3, 1, {10, 8, 4}));
  ASSERT_EQ(LinearProgram(app, true, 6, 2, 3, TaskButton::Find), ResultCode::Ok);
  EXPECT_EQ(ws.lp().title, "F*X = 18 [ maximize; B*X <= C ]");
  ASSERT_EQ(SaveLpAs(app, 24), ResultCode::Ok);
  const MatrixDocument* x = ws.Lookup(Mode::Integer, 24);
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(Values(x->q), (std::vector<std::string>{"2", "6"}));
  EXPECT_EQ(StepsOf(app, ws.lp())->LastText(), "optimum: objective 18");
  // Unbounded and infeasible problems are told apart.
  Put(Mode::Integer, 2, Int(3, 2, {2, -1, 1, -1, 1, -1}));
  EXPECT_EQ(LinearProgram(app, true, 6, 2, 3, TaskButton::Find), ResultCode::Unbounded);
  EXPECT_EQ(port.codes, (std::vector<ResultCode>{ResultCode::MatrixNotFound, ResultCode::Unbounded}));
}

TEST_F(CompanionModes, ComplexOperationsReadComplexLetters) {
  Put(Mode::Real, 1, Real(1, 1, {9}));
  ComplexMatrix z(1, 2);
  z.e() = {Complex(1, 1), Complex(2, 0)};
  Put(Mode::Complex, 1, z);
  ASSERT_EQ(SwitchMode(app, Mode::Complex), ResultCode::Ok);
  ASSERT_EQ(ResetOperations(app, 1), ResultCode::Ok);
  EXPECT_EQ(ws.operations().kind(), MatrixKind::Complex);
  EXPECT_EQ(ws.operations().z, z);
}

}  // namespace
}  // namespace tavrin
