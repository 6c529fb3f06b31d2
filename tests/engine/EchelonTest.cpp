#include "engine/EchelonEngine.h"

#include <gtest/gtest.h>

#include "MatrixBuilders.h"

#include "core/Thresholds.h"

namespace tavrin {
namespace {


struct StepCase {
  int64_t budget;
  std::vector<long double> entries;
  int row, col;
};

TEST(EchelonEngine, BudgetsOnTwoByTwoWithSwap) {
  const ComplexMatrix start = Real(2, 2, {0, 2, 3, 4});
  const long double third = 4.0L / 3.0L;
  const StepCase cases[] = {
      {0, {0, 2, 3, 4}, 2, -1},      // nothing located yet
      {1, {0, 2, 3, 4}, 1, 0},       // pivot located in its own row
      {2, {3, 4, 0, 2}, 0, 0},       // swapped up
      {3, {1, third, 0, 2}, 0, 0},   // normalised
      {4, {1, third, 0, 2}, 0, 0},   // row 1 cleared (its entry was zero already)
      {5, {1, third, 0, 2}, 1, 1},   // next pivot located
      {6, {1, third, 0, 1}, 1, 1},   // normalised
      {7, {1, 0, 0, 1}, -1, 1},      // row 0 cleared: complete
      {kEchelonFinalBudget, {1, 0, 0, 1}, -1, 1},
  };
  for (const auto& c : cases) {
    ComplexMatrix m = start;
    const EchelonHighlight h = EchelonEngine(m, ZeroTolerance(3), c.budget);
    EXPECT_EQ(h.row, c.row) << "budget " << c.budget;
    EXPECT_EQ(h.col, c.col) << "budget " << c.budget;
    for (size_t i = 0; i < 4; ++i) {
      EXPECT_NEAR(static_cast<double>(m.e()[i].re), static_cast<double>(c.entries[i]), 1e-18) << "budget " << c.budget << " entry " << i;
      EXPECT_EQ(m.e()[i].im, 0.0L);
    }
  }
}

TEST(EchelonEngine, OneRowNeedsThreeActions) {
  const ComplexMatrix start = Real(1, 3, {2, 4, 6});
  ComplexMatrix m = start;
  EchelonHighlight h = EchelonEngine(m, 1e-4L, 1);
  EXPECT_EQ(m, start);
  EXPECT_EQ(h.row, 0);
  EXPECT_EQ(h.col, 0);
  m = start;
  h = EchelonEngine(m, 1e-4L, 2);
  EXPECT_EQ(m, Real(1, 3, {1, 2, 3}));
  EXPECT_EQ(h.row, 0);
  m = start;
  h = EchelonEngine(m, 1e-4L, 3);
  EXPECT_EQ(m, Real(1, 3, {1, 2, 3}));
  EXPECT_EQ(h.row, -1);
  EXPECT_FALSE(h.Valid(1, 3));
}

TEST(EchelonEngine, ZeroMatrixAndTinyEntries) {
  for (int64_t budget : {0, 1, 5, 100}) {
    ComplexMatrix m = Real(2, 3, {0, 0, 0, 0, 0, 0});
    const EchelonHighlight h = EchelonEngine(m, 1e-4L, budget);
    EXPECT_FALSE(h.Valid(2, 3)) << budget;
    EXPECT_EQ(m, Real(2, 3, {0, 0, 0, 0, 0, 0}));
  }
  // 0.00001 is below the tolerance of 3 places: not a pivot, and it stays
  // untouched in the row that is never cleared.
  ComplexMatrix m = Real(2, 2, {1, 1, 0, 0.00001L});
  const EchelonHighlight h = EchelonEngine(m, ZeroTolerance(3), kEchelonFinalBudget);
  EXPECT_EQ(h.row, -1);
  EXPECT_EQ(m, Real(2, 2, {1, 1, 0, 0.00001L}));
}

TEST(EchelonEngine, FinalFormHasNoHighlightWithTrailingFreeColumn) {
  ComplexMatrix m = Real(2, 3, {1, 2, 3, 2, 4, 7});
  const EchelonHighlight h = EchelonEngine(m, 1e-4L, kEchelonFinalBudget);
  EXPECT_EQ(h.row, -1);
  const long double expect[6] = {1, 2, 0, 0, 0, 1};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(static_cast<double>(m.e()[i].re), static_cast<double>(expect[i]), 1e-17);
  ComplexMatrix z = Real(2, 2, {1, 5, 0, 0});
  EXPECT_EQ(EchelonEngine(z, 1e-4L, kEchelonFinalBudget).row, -1);
}

TEST(EchelonEngine, ComplexPivotAndTitle) {
  ComplexMatrix m(1, 2);
  m.e() = {Complex(0, 2), Complex(4, 2)};
  EchelonEngine(m, 1e-4L, 2);
  // (4 + 2i) / 2i = 1 - 2i
  EXPECT_EQ(m.e()[0], kComplexOne);
  EXPECT_NEAR(static_cast<double>(m.e()[1].re), 1.0, 1e-18);
  EXPECT_NEAR(static_cast<double>(m.e()[1].im), -2.0, 1e-18);
  EXPECT_EQ(EchelonTitle('A'), "A --> echelon form");
}

}  // namespace
}  // namespace tavrin
