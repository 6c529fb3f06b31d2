#include "engine/Simplex.h"
#include "core/StringTable.h"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "MatrixBuilders.h"

#include <cmath>
#include <limits>

namespace tavrin {
namespace {


const LinearProgramLetters kLetters{'F', 'B', 'C'};

double Round3(long double x) { return std::round(static_cast<double>(x) * 1000.0) / 1000.0; }

// A diet: four foods, five nutrients, cheapest mix with B*X >= C. Its
// optimum (checked with an independent LP solver) is unique.
TEST(Simplex, DietProblem) {
  const ComplexMatrix f = Real(1, 4, {3.1L, 2.3L, 2.3L, 3.5L});
  const ComplexMatrix b = Real(5, 4, {4, 2, 1, 3, 1, 3, 2, 2, 2, 1, 3, 1, 1, 1, 1, 4, 3, 0, 1, 2});
  const ComplexMatrix c = Real(5, 1, {16.037L, 19.618L, 22.531L, 8, 9});
  const ComplexMatrix f0 = f, b0 = b, c0 = c;
  LinearProgramResult r;
  ASSERT_EQ(RunLinearProgram(f, b, c, kLinearProgramFinalBudget, false, kLetters, r), ResultCode::Finished);
  ASSERT_EQ(r.shown.rows, 4);
  ASSERT_EQ(r.shown.cols, 1);
  const double x[4] = {1.468, 2.180, 5.805, 0.000};
  for (int j = 0; j < 4; ++j) EXPECT_EQ(Round3(r.shown.at(j, 0).re), x[j]) << j;
  EXPECT_NEAR(static_cast<double>(r.value), 22.9163, 1e-9);
  EXPECT_EQ(r.title, "F*X = 22.916300 [ minimize; B*X >= C ]");
  EXPECT_EQ(r.highlightRow, -1);
  EXPECT_EQ(f, f0);
  EXPECT_EQ(b, b0);
  EXPECT_EQ(c, c0);
}

// max 3x + 5y with x <= 4, 2y <= 12, 3x + 2y <= 18: optimum (2, 6), 36.
struct Stepping {
  ComplexMatrix f = Real(1, 2, {3, 5});
  ComplexMatrix b = Real(3, 2, {1, 0, 0, 2, 3, 2});
  ComplexMatrix c = Real(3, 1, {4, 12, 18});
};

TEST(Simplex, SteppingShowsTableauThenPivotThenResult) {
  Stepping p;
  LinearProgramResult r;
  ASSERT_EQ(RunLinearProgram(p.f, p.b, p.c, 0, true, kLetters, r), ResultCode::Ok);
  EXPECT_EQ(r.title, "maximize F*X [ B*X <= C ]");
  EXPECT_EQ(r.highlightRow, -1);
  EXPECT_EQ(r.highlightCol, -1);
  // No artificial columns: k + m + 1 columns; constraint rows and cost row.
  EXPECT_EQ(r.shown, Real(4, 6, {1, 0, 1, 0, 0, 4, 0, 2, 0, 1, 0, 12, 3, 2, 0, 0, 1, 18, 3, 5, 0, 0, 0, 0}));

  ASSERT_EQ(RunLinearProgram(p.f, p.b, p.c, 1, true, kLetters, r), ResultCode::Ok);
  EXPECT_EQ(r.highlightRow, 1);  // y enters (largest reduced cost), 12/2 < 18/2
  EXPECT_EQ(r.highlightCol, 1);
  EXPECT_EQ(r.shown.at(1, 1).re, 2);

  ASSERT_EQ(RunLinearProgram(p.f, p.b, p.c, 2, true, kLetters, r), ResultCode::Ok);
  EXPECT_EQ(r.highlightRow, 1);
  EXPECT_EQ(r.shown, Real(4, 6, {1, 0, 1, 0, 0, 4, 0, 1, 0, 0.5L, 0, 6, 3, 0, 0, -1, 1, 6, 3, 5, 0, 0, 0, 0}));

  ASSERT_EQ(RunLinearProgram(p.f, p.b, p.c, kLinearProgramFinalBudget, true, kLetters, r), ResultCode::Finished);
  EXPECT_EQ(r.shown, Real(2, 1, {2, 6}));
  EXPECT_EQ(r.title, "F*X = 36.000000 [ maximize; B*X <= C ]");
  EXPECT_EQ(FinishedTitle(true, {'P', 'Q', 'R'}, 33), "P*X = 33.000000 [ maximize; Q*X <= R ]");
}

TEST(Simplex, EdgeOptimumGivesTwoColumns) {
  // max x1 + x2 with x1 + x2 <= 4, x1 <= 3, x2 <= 3: every point of the
  // edge from (3, 1) to (1, 3) is optimal.
  LinearProgramResult r;
  ASSERT_EQ(RunLinearProgram(Real(1, 2, {1, 1}), Real(3, 2, {1, 1, 1, 0, 0, 1}), Real(3, 1, {4, 3, 3}),
                             kLinearProgramFinalBudget, true, kLetters, r), ResultCode::Finished);
  EXPECT_EQ(r.shown, Real(2, 2, {3, 1, 1, 3}));
  EXPECT_EQ(r.value, 4);
}

TEST(Simplex, InfeasibleAndUnbounded) {
  LinearProgramResult r;
  // x <= -1 with x >= 0.
  EXPECT_EQ(RunLinearProgram(Real(1, 1, {1}), Real(1, 1, {1}), Real(1, 1, {-1}), kLinearProgramFinalBudget, true,
                             kLetters, r), ResultCode::NoFeasibleVectors);
  // min x1 + x2 with x1 + x2 >= 5 and -x1 - x2 >= -2 (x1 + x2 <= 2).
  EXPECT_EQ(RunLinearProgram(Real(1, 2, {1, 1}), Real(2, 2, {1, 1, -1, -1}), Real(2, 1, {5, -2}),
                             kLinearProgramFinalBudget, false, kLetters, r), ResultCode::NoFeasibleVectors);
  // max x1 with x1 - x2 <= 1: unbounded, and the method must stop with its
  // own message (it used to claim there were no feasible vectors).
  EXPECT_EQ(RunLinearProgram(Real(1, 2, {1, 0}), Real(1, 2, {1, -1}), Real(1, 1, {1}), kLinearProgramFinalBudget,
                             true, kLetters, r), ResultCode::Unbounded);
  EXPECT_EQ(CodeMessage(ResultCode::Unbounded), "unbounded objective");
}

// Problems whose data are large: the optimum is independent of the scale of
// the data (values worked out with sympy's exact linear algebra).
TEST(Simplex, LargeDataKeepsTheOptimum) {
  struct Case {
    bool maximise;
    ComplexMatrix f, b, c;
    long double value;
    std::vector<long double> x;
  };
  const Case cases[] = {
      // 5x + 7y <= 49000009, 7x + 2y <= 43000008: x = 203000038/39, y = 128000023/39.
      {true, Real(1, 2, {1, 1}), Real(2, 2, {5, 7, 7, 2}), Real(2, 1, {49000009, 43000008}),
       331000061.0L / 39, {203000038.0L / 39, 128000023.0L / 39}},
      // min 10^7 x with x >= 1: the cost is larger than the old fixed penalty.
      {false, Real(1, 1, {1e7L}), Real(1, 1, {1}), Real(1, 1, {1}), 1e7L, {1}},
      // The same problem with everything times 10^8.
      {false, Real(1, 1, {1e15L}), Real(1, 1, {1e8L}), Real(1, 1, {1e8L}), 1e15L, {1}},
      // max x + y with x + y <= 10^20 (ratios beyond e^42).
      {true, Real(1, 2, {1, 2}), Real(1, 2, {1, 1}), Real(1, 1, {1e20L}), 2e20L, {0, 1e20L}},
  };
  for (const Case& t : cases) {
    LinearProgramResult r;
    ASSERT_EQ(RunLinearProgram(t.f, t.b, t.c, kLinearProgramFinalBudget, t.maximise, kLetters, r), ResultCode::Finished)
        << static_cast<double>(t.value);
    EXPECT_NEAR(static_cast<double>(r.value / t.value), 1.0, 1e-15);
    ASSERT_EQ(r.shown.rows, static_cast<int>(t.x.size()));
    for (size_t j = 0; j < t.x.size(); ++j)
      EXPECT_NEAR(static_cast<double>(r.shown.at(static_cast<int>(j), 0).re),
                  static_cast<double>(t.x[j]), 1e-12 * static_cast<double>(std::fabs(t.value)));
  }
}

TEST(Simplex, ValidationCodes) {
  LinearProgramResult r;
  const ComplexMatrix f = Real(1, 2, {1, 1}), b = Real(2, 2, {1, 0, 0, 1}), c = Real(2, 1, {1, 1});
  EXPECT_EQ(RunLinearProgram(f, b, Real(3, 1, {1, 1, 1}), 5, true, kLetters, r), ResultCode::Incompatible);
  EXPECT_EQ(RunLinearProgram(Real(1, 3, {1, 1, 1}), b, c, 5, true, kLetters, r), ResultCode::Incompatible);
  EXPECT_EQ(RunLinearProgram(f, b, Real(2, 2, {1, 1, 1, 1}), 5, true, kLetters, r), ResultCode::NotAColumnVector);
  // Incompatible sizes are reported before the column shape.
  EXPECT_EQ(RunLinearProgram(f, b, Real(3, 2, {1, 1, 1, 1, 1, 1}), 5, true, kLetters, r), ResultCode::Incompatible);
  EXPECT_EQ(RunLinearProgram(f, ComplexMatrix(), c, 5, true, kLetters, r), ResultCode::Incompatible);
  EXPECT_EQ(RunLinearProgram(f, b, Real(2, 1, {1, std::numeric_limits<long double>::quiet_NaN()}), 5, true,
                             kLetters, r), ResultCode::CouldNotCalculate);
  // Extra rows of F are not used.
  ASSERT_EQ(RunLinearProgram(Real(2, 2, {1, 2, 100, 100}), b, c, kLinearProgramFinalBudget, true, kLetters, r), ResultCode::Finished);
  EXPECT_EQ(r.value, 3);
}

TEST(Simplex, ArtificialColumnsAndPenalty) {
  // min x with x >= 2: a surplus and an artificial column (cost -5000000).
  LinearProgramResult r;
  ASSERT_EQ(RunLinearProgram(Real(1, 1, {1}), Real(1, 1, {1}), Real(1, 1, {2}), 0, false, kLetters, r), ResultCode::Ok);
  EXPECT_EQ(r.title, "minimize F*X [ B*X >= C ]");
  EXPECT_EQ(r.shown, Real(2, 4, {1, -1, 1, 2, -1, 0, kArtificialPenalty, 0}));
  ASSERT_EQ(RunLinearProgram(Real(1, 1, {1}), Real(1, 1, {1}), Real(1, 1, {2}), kLinearProgramFinalBudget, false,
                             kLetters, r), ResultCode::Finished);
  EXPECT_EQ(r.shown, Real(1, 1, {2}));
  EXPECT_EQ(r.value, 2);
}

TEST(Simplex, DegenerateProblemEnds) {
  // A classic cycling example for the largest-coefficient rule.
  const ComplexMatrix f = Real(1, 4, {0.75L, -150, 0.02L, -6});
  const ComplexMatrix b = Real(3, 4, {0.25L, -60, -0.04L, 9, 0.5L, -90, -0.02L, 3, 0, 0, 1, 0});
  const ComplexMatrix c = Real(3, 1, {0, 0, 1});
  LinearProgramResult r;
  ASSERT_EQ(RunLinearProgram(f, b, c, kLinearProgramFinalBudget, true, kLetters, r), ResultCode::Finished);
  EXPECT_NEAR(static_cast<double>(r.value), 0.05, 1e-12);
}

}  // namespace
}  // namespace tavrin
