#include "core/StepLog.h"

#include <gtest/gtest.h>

#include "MatrixBuilders.h"
#include "engine/EchelonEngine.h"

namespace tavrin {
namespace {

TEST(StepLog, OperationTextsInWordsAndLatex) {
  auto exact = [](StepOperation::Kind k, bool columns, int a, int b, long n, long d) {
    StepOperation op = StepOperation::Make(k, columns, a, b);
    op.exact = Fraction{BigInteger(n), BigInteger(d)};
    return op;
  };
  auto real = [](StepOperation::Kind k, int a, int b, Complex v) {
    StepOperation op = StepOperation::Make(k, false, a, b);
    op.value = v;
    return op;
  };
  const StepNumbers fractions{true, false, 0}, decimals{false, false, 3}, complexes{false, true, 2};
  struct Case {
    StepOperation op;
    StepNumbers numbers;
    const char* text;
    const char* latex;
    bool changes;
  };
  const Case cases[] = {
      {exact(StepOperation::kAddMultiple, false, 0, 1, -3, 2), fractions, "R2 <- R2 - 3/2 R1",
       "R_{2} - \\frac{3}{2}R_{1}", true},
      {exact(StepOperation::kAddMultiple, true, 2, 0, 1, 1), fractions, "C1 <- C1 + C3", "C_{1} + C_{3}", true},
      {exact(StepOperation::kAddMultiple, false, 0, 2, 0, 1), fractions, "R3 <- R3 + 0 R1", "R_{3} + 0R_{1}", false},
      {exact(StepOperation::kSwap, false, 0, 2, 1, 1), fractions, "R1 <-> R3", "R_{1} \\leftrightarrow R_{3}", true},
      {exact(StepOperation::kScale, false, 0, 0, 1, 2), fractions, "R1 <- 1/2 R1", "\\frac{1}{2}R_{1}", true},
      {exact(StepOperation::kScale, false, 11, 11, -5, 1), fractions, "R12 <- -5 R12", "-5R_{12}", true},
      {exact(StepOperation::kScale, false, 1, 1, 1, 1), fractions, "R2 <- R2", "R_{2}", false},
      {exact(StepOperation::kLocate, false, 1, 2, 1, 1), fractions, "pivot (2, 3)", "\\text{pivot }(2, 3)", false},
      {real(StepOperation::kAddMultiple, 0, 1, Complex(-1.5L)), decimals, "R2 <- R2 - 1.500 R1",
       "R_{2} - 1.500R_{1}", true},
      {real(StepOperation::kScale, 2, 2, Complex(0.25L)), decimals, "R3 <- 0.250 R3", "0.250R_{3}", true},
      {real(StepOperation::kAddMultiple, 0, 1, Complex(1, -2)), complexes, "R2 <- R2 + (1.00-2.00i) R1",
       "R_{2} + (1.00-2.00\\mathrm{i})R_{1}", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StepText(c.op, c.numbers), c.text);
    EXPECT_EQ(StepLatexLabel(c.op, c.numbers), c.latex) << c.text;
    EXPECT_EQ(StepChangesMatrix(c.op, c.numbers), c.changes) << c.text;
  }
  StepOperation pivot = StepOperation::Make(StepOperation::kPivot, false, 1, 2);
  pivot.entering = "x3";
  pivot.leaving = "s1";
  pivot.objective = "36";
  EXPECT_EQ(StepText(pivot, fractions), "pivot (2, 3): x3 enters, s1 leaves; objective 36");
  EXPECT_EQ(StepLatexLabel(pivot, fractions), "\\text{pivot }(2, 3):\\ x_{3} \\text{ in}, s_{1} \\text{ out}");
}

// The real stepping logs the same actions the dialog counts, each with the
// matrix after it; its factors carry the window's places.
TEST(StepLog, RealEchelonLogsEveryAction) {
  StepLog log;
  ComplexMatrix m = Real(2, 2, {0, 2, 3, 4});
  log.Start(m, false, 5, "E --> echelon form");
  EchelonEngine(m, 1e-6L, kEchelonFinalBudget, &log);
  std::vector<std::string> texts;
  for (const LoggedStep& s : log.steps()) texts.push_back(s.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"pivot (2, 1)", "R1 <-> R2", "R1 <- 0.33333 R1", "R2 <- R2 + 0.00000 R1",
                                             "pivot (2, 2)", "R2 <- 0.50000 R2", "R1 <- R1 - 1.33333 R2"}));
  ASSERT_EQ(log.steps().size(), 7u);
  EXPECT_EQ(log.steps()[1].z, Real(2, 2, {3, 4, 0, 2}));
  EXPECT_EQ(log.steps()[6].z, Real(2, 2, {1, 0, 0, 1}));
  // Undo in the operations window drops the newest step.
  log.DropLast();
  EXPECT_EQ(log.LastText(), "R2 <- 0.50000 R2");
}

}  // namespace
}  // namespace tavrin
