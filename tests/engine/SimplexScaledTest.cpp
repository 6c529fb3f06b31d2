#include "engine/Simplex.h"

#include <array>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "MatrixBuilders.h"

namespace tavrin {
namespace {

const LinearProgramLetters kLetters{'F', 'B', 'C'};

ComplexMatrix FromRows(int rows, int cols, const std::vector<long double>& values, long double scale) {
  ComplexMatrix m(rows, cols);
  for (size_t i = 0; i < values.size(); ++i) m.e()[i] = Complex(values[i] * scale, 0.0L);
  return m;
}

constexpr std::array<long double, 3> kScales = {1.0L, 1e4L, 1e8L};

// Random feasible bounded problems with integer data (maximise F*X with
// B*X <= C, or minimise F*X with B*X >= C). C is multiplied by each scale,
// F too when `scaleObjective`; `value` holds the optimum at each scale as
// scipy.optimize.linprog(method='highs') gives it. Regenerate with
// tests/engine/simplex_reference.py.
struct ScaledCase {
  bool maximise;
  bool scaleObjective;
  int k, m;
  std::vector<long double> f, b, c;
  std::array<double, 3> value;
};

const ScaledCase kScaledCases[] = {
    {true, true, 5, 5, {5, 2, 13, -3, 5}, {5, 2, 0, 16, -3, -1, 1, 2, 3, 14, 4, 15, -1, 1, 8, 15, 9, 2, 16, -2, 12, 14, 15, 3, 2}, {198, 158, 160, 336, 313}, {298.92233009708741, 29892233009.70874, 2.9892233009708739e+18}},
    {false, false, 4, 4, {6, 8, 15, 6}, {19, 5, 6, 2, 17, 14, 1, 11, 14, 5, 13, 0, 9, 5, 3, 17}, {203, 263, 201, 144}, {93.726315789473688, 937263.15789473685, 9372631578.9473686}},
    {true, false, 3, 2, {-3, 5, 5}, {6, 10, -3, -3, 5, 16}, {74, -18}, {-18, -180000, -1800000000}},
    {false, true, 5, 3, {2, 9, 1, 5, 0}, {-2, 14, 12, 2, 15, 16, 20, 3, 4, 15, 18, 12, 6, 13, -1}, {356, 347, 251}, {30.753731343283583, 3075373134.3283587, 3.0753731343283584e+17}},
    {true, false, 3, 2, {4, -3, 4}, {-3, 12, 12, 8, -1, 20}, {68, 79}, {39.5, 395000, 3950000000}},
    {false, false, 4, 5, {3, 14, 3, 6}, {9, 2, 9, 14, 19, 12, 3, 9, 5, -3, 11, 8, 16, 7, 7, 11, 16, 2, 19, -2}, {145, 210, 83, 183, 197}, {48.333333333333329, 483333.33333333337, 4833333333.333333}},
    {true, true, 2, 3, {-1, 5}, {2, 18, 6, 12, 14, 19}, {206, 161, 285}, {57.222222222222221, 5722222222.2222223, 5.7222222222222221e+17}},
    {false, false, 3, 2, {9, 3, 14}, {8, -3, 0, -4, 11, 0}, {63, -35}, {70.875, 708750, 7087500000}},
    {true, false, 3, 4, {9, -3, 9}, {5, -3, 6, 14, 18, 15, 8, 4, 0, 1, 12, 10}, {8, 228, 63, 129}, {29.757575757575808, 297575.75757575722, 2975757575.7575693}},
    {false, true, 5, 5, {14, 1, 15, 9, 15}, {14, 3, 1, 6, 13, 19, 8, 3, -2, 12, 16, 7, 2, 7, -3, 0, 20, 15, 3, 18, -1, 10, 17, 15, 2}, {217, 228, 167, 179, 158}, {72.333333333333329, 7233333333.333334, 7.2333333333333325e+17}},
    {true, false, 4, 2, {8, 2, 4, 9}, {-4, 2, -1, 19, 18, -3, 14, 3}, {26, 197}, {262, 2620000, 26200000000}},
    {false, false, 4, 3, {5, 4, 14, 3}, {-2, 12, 11, 6, -3, 2, 15, 11, 2, 11, 10, 8}, {148, 219, 181}, {68.766666666666666, 687666.66666666674, 6876666666.666666}},
    {true, true, 4, 4, {1, 13, -1, 8}, {4, 5, 7, -3, -3, -2, 13, -3, 10, 17, 2, -2, 1, 0, 11, 6}, {105, 38, 242, 71}, {297.82352941176475, 29782352941.176468, 2.9782352941176474e+18}},
    {false, false, 4, 5, {13, 13, 2, 11}, {-2, 12, 11, 18, -2, 3, 4, 17, -4, 19, 14, 20, 18, 13, 20, 2, 4, 12, -2, 11}, {92, 23, 128, 216, 66}, {98.661654135338338, 986616.54135338333, 9866165413.5338345}},
    {true, false, 3, 2, {11, 13, -1}, {20, 18, -2, 10, 15, 10}, {359, 277}, {247.82499999999999, 2478249.9999999995, 24782500000}},
    {false, true, 2, 2, {14, 6}, {-3, 14, 15, 14}, {18, 20}, {8.5714285714285712, 857142857.14285719, 85714285714285712}},
    {true, false, 3, 3, {6, 1, 14}, {8, 3, 20, 15, 0, 15, 8, 19, 4}, {105, 153, 245}, {76.799999999999997, 768000, 7680000000}},
    {false, false, 3, 4, {0, 12, 9}, {11, -2, 0, 13, 9, 3, 20, -3, 6, -2, 17, 20}, {38, 130, 80, 114}, {58.939849624060145, 589398.49624060141, 5893984962.4060154}},
    {true, true, 4, 4, {6, 1, 1, 3}, {20, 10, 18, 18, 3, 19, 7, -1, 18, 7, 4, 12, 8, 18, 3, 6}, {197, 79, 139, 133}, {46.333333333333336, 4633333333.333333, 4.6333333333333331e+17}},
    {false, false, 3, 5, {8, 15, 7}, {-4, 17, 2, -2, -3, 0, -4, 9, 7, 0, 2, -3, 14, 5, 15}, {123, -60, 50, 5, 180}, {196.17684210526318, 1961768.4210526317, 19617684210.526318}},
    {true, false, 4, 2, {7, 4, 0, 9}, {-1, 20, 5, 5, 1, 19, 3, 16}, {245, 244}, {1708, 17080000, 170800000000}},
    {false, true, 3, 3, {15, 15, 5}, {20, 12, 7, 16, 20, -4, 7, 13, -1}, {303, 287, 163}, {266.0795454545455, 26607954545.454544, 2.6607954545454546e+18}},
    {true, false, 5, 2, {12, 5, 6, 0, 12}, {6, 6, 1, 10, 17, 10, 20, -4, 2, -3}, {373, 242}, {2238, 22380000, 223800000000}},
    {false, false, 4, 4, {11, 9, 3, 5}, {17, 12, -3, 13, 0, -1, -2, -4, 18, 5, 7, 1, 11, 20, -1, 10}, {209, -42, 140, 185}, {125.09235798937473, 1250923.5798937473, 12509235798.937473}},
    {true, true, 3, 2, {4, 8, 2}, {13, 9, 9, -3, 15, 5}, {119, 54}, {61.567567567567565, 6156756756.7567558, 6.1567567567567565e+17}},
    {false, false, 2, 5, {14, 7}, {8, 12, 5, 5, 5, 19, 6, -1, 12, -4}, {124, 64, 149, 26, 36}, {128.40000000000001, 1284000, 12840000000}},
    {true, false, 5, 3, {5, 5, 4, 9, 11}, {13, 14, 8, 13, -2, 9, 12, 6, 18, -4, 19, -3, 8, 16, 19}, {228, 203, 170}, {219.47692307692316, 2194769.2307692301, 21947692307.692307}},
    {false, true, 3, 5, {5, 11, 15}, {12, 1, 15, 2, 11, 13, 6, -1, 14, 2, 0, 9, 1, 18, 13}, {52, 79, 44, 24, 99}, {85.742514970059887, 8574251497.0059891, 8.5742514970059891e+17}},
    {true, false, 4, 3, {10, -1, 8, 15}, {20, 18, 11, 18, 0, 12, 3, -3, 3, 14, -3, 0}, {334, 78, 52}, {278.33333333333337, 2783333.3333333335, 27833333333.333332}},
    {false, false, 5, 4, {10, 12, 6, 8, 6}, {6, 13, 9, 14, 18, -4, 15, 10, 4, 18, 5, -3, 2, 16, 10, -4, 11, 16, 1, 15}, {287, 260, 80, 223}, {95.666666666666671, 956666.66666666663, 9566666666.666666}},
    {true, true, 5, 4, {13, 10, 5, 12, 9}, {16, 4, -1, 12, 3, 19, 15, 3, 4, 10, -2, -1, 13, -4, 7, -1, 11, 12, 17, 10}, {189, 286, 60, 364}, {309.79855661986619, 30979855661.986618, 3.0979855661986621e+18}},
    {false, false, 2, 4, {8, 7}, {20, 8, 13, 20, 2, 1, 6, 12}, {36, 39, -5, 20}, {18.405405405405407, 184054.05405405405, 1840540540.5405407}},
    {true, false, 2, 5, {10, 5}, {0, 20, 2, 6, 17, 2, -3, 4, -4, 20}, {131, 53, 153, 6, 96}, {113.21428571428572, 1132142.857142857, 11321428571.428572}},
    {false, true, 4, 5, {4, 12, 15, 9}, {12, 19, 14, 17, 17, 19, 1, 16, -1, 2, 7, 18, 1, 9, 2, 13, 9, 13, 1, 10}, {213, 180, 52, 49, 97}, {82.974248927038616, 8297424892.7038631, 8.2974248927038618e+17}},
    {true, false, 3, 2, {12, 9, 11}, {9, 5, -2, 0, -2, 7}, {38, 6}, {118.32258064516127, 1183225.8064516131, 11832258064.51613}},
    {false, false, 3, 5, {7, 15, 5}, {16, 16, 7, 8, 16, 14, 15, 3, 0, 18, 9, 4, 17, 13, -2}, {250, 242, 87, 181, 185}, {136.56692913385825, 1365669.2913385825, 13656692913.385828}},
    {true, true, 4, 4, {9, 13, 11, 11}, {15, 0, 15, 2, 4, -2, 15, 14, 20, 18, 12, 17, 15, 4, 3, 10}, {104, 163, 185, 98}, {149.78888888888889, 14978888888.888889, 1.4978888888888888e+18}},
    {false, false, 2, 5, {4, 7}, {12, 4, 5, 1, 1, 9, 17, 17, 4, -3}, {7, -6, 24, 62, -19}, {22.220588235294123, 222205.8823529412, 2222058823.5294118}},
    {true, false, 4, 4, {9, 0, 9, 15}, {18, 20, 2, 5, 19, 20, 1, 13, 14, 18, 10, 9, 0, 11, 8, 11}, {250, 247, 283, 166}, {274.18280632411069, 2741828.0632411069, 27418280632.411072}},
    {false, true, 3, 4, {3, 15, 4}, {9, 9, 8, 7, 3, 2, 19, 2, 5, 9, 17, 16}, {111, 48, 127, 179}, {48.333333333333329, 4833333333.333334, 4.8333333333333331e+17}},
};

TEST(SimplexScaled, OptimumMatchesReferenceAtEveryScale) {
  int n = 0;
  for (const ScaledCase& t : kScaledCases) {
    for (size_t s = 0; s < kScales.size(); ++s) {
      const ComplexMatrix f = FromRows(1, t.k, t.f, t.scaleObjective ? kScales[s] : 1.0L);
      const ComplexMatrix b = FromRows(t.m, t.k, t.b, 1.0L);
      const ComplexMatrix c = FromRows(t.m, 1, t.c, kScales[s]);
      LinearProgramResult r;
      const long double want = t.value[s];
      ASSERT_EQ(RunLinearProgram(f, b, c, kLinearProgramFinalBudget, t.maximise, kLetters, r), ResultCode::Finished)
          << "case " << n << " scale " << static_cast<double>(kScales[s]);
      EXPECT_LE(std::fabs(r.value - want), 1e-9L * std::fmax(1.0L, std::fabs(want)))
          << "case " << n << " scale " << static_cast<double>(kScales[s]) << ": " << static_cast<double>(r.value)
          << " vs " << t.value[s];
      // The vertex found satisfies every constraint to the same relative accuracy.
      ASSERT_EQ(r.shown.rows, t.k);
      for (int i = 0; i < t.m; ++i) {
        long double lhs = 0, size = std::fabs(c.at(i, 0).re);
        for (int j = 0; j < t.k; ++j) {
          const long double term = b.at(i, j).re * r.shown.at(j, 0).re;
          lhs += term;
          size = std::fmax(size, std::fabs(term));
        }
        const long double excess = t.maximise ? lhs - c.at(i, 0).re : c.at(i, 0).re - lhs;
        EXPECT_LE(excess, 1e-9L * std::fmax(1.0L, size)) << "case " << n << " row " << i;
      }
    }
    ++n;
  }
}

// Infeasible and unbounded problems whose data are large keep their answer.
TEST(SimplexScaled, InfeasibleAndUnboundedAtLargeScale) {
  struct Case {
    bool maximise;
    int k, m;
    std::vector<long double> f, b, c;
    ResultCode code;
  };
  const Case cases[] = {
      // x1 + x2 <= 1e8 and x1 + x2 >= 1e8 + 1.
      {true, 2, 2, {1, 1}, {1, 1, -1, -1}, {1e8L, -1e8L - 1}, ResultCode::NoFeasibleVectors},
      // The same with B and C times 1e8.
      {true, 2, 2, {1, 1}, {1e8L, 1e8L, -1e8L, -1e8L}, {1e16L, -1e16L - 1e8L}, ResultCode::NoFeasibleVectors},
      // x >= 3e8 and x <= 2e8, minimising with a large cost.
      {false, 1, 2, {1e8L}, {1, -1}, {3e8L, -2e8L}, ResultCode::NoFeasibleVectors},
      // 3x1 + 5x2 >= 1e9 and 3x1 + 5x2 <= 1e9 - 1e2 (with x >= 0).
      {false, 2, 2, {2, 3}, {3, 5, -3, -5}, {1e9L, -1e9L + 1e2L}, ResultCode::NoFeasibleVectors},
      // max x1 + 1e8 x2 with x1 - x2 <= 1e8: x2 grows without bound.
      {true, 2, 1, {1, 1e8L}, {1, -1}, {1e8L}, ResultCode::Unbounded},
      // max 1e8 x1 with 1e8 x1 - 1e8 x2 <= 1e16: x1 = x2 + 1e8 grows without bound.
      {true, 2, 1, {1e8L, 0}, {1e8L, -1e8L}, {1e16L}, ResultCode::Unbounded},
      // min -x1 with x1 - x2 >= -1e8: x1 grows without bound.
      {false, 2, 1, {-1, 0}, {1, -1}, {-1e8L}, ResultCode::Unbounded},
      // min x1 - 1e8 x2 with x1 + x2 >= 1e8 and x1 - 2 x2 >= -1e8.
      {false, 2, 2, {1, -1e8L}, {1, 1, 1, -2}, {1e8L, -1e8L}, ResultCode::Unbounded},
  };
  for (const Case& t : cases) {
    LinearProgramResult r;
    EXPECT_EQ(RunLinearProgram(FromRows(1, t.k, t.f, 1), FromRows(t.m, t.k, t.b, 1), FromRows(t.m, 1, t.c, 1),
                               kLinearProgramFinalBudget, t.maximise, kLetters, r),
              t.code)
        << static_cast<double>(t.c[0]);
  }
}

}  // namespace
}  // namespace tavrin
