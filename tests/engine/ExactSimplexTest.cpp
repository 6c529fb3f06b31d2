#include "engine/ExactSimplex.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "MatrixBuilders.h"

namespace tavrin {
namespace {

Fraction F(long n, long d = 1) { return Fraction{BigInteger(n), BigInteger(d)}; }

Fraction Entry(const IntegerMatrix& m, int i, int j) {
  Fraction f{m.at(i, j), m.denominator};
  (void)Reduce(f);
  return f;
}

// a*x summed over a row of m (or its transpose when byColumn).
Fraction Dot(const IntegerMatrix& m, int line, bool byColumn, const std::vector<Fraction>& x) {
  Fraction sum = F(0), term;
  for (size_t j = 0; j < x.size(); ++j) {
    const Fraction a = byColumn ? Entry(m, static_cast<int>(j), line) : Entry(m, line, static_cast<int>(j));
    (void)Multiply(a, x[j], term);
    (void)Add(sum, term, sum);
  }
  return sum;
}

int Sign(const Fraction& f) { return f.num.Sign(); }

// Primal feasibility of x: x >= 0 and B*X <= C (maximise) or >= C.
void ExpectFeasible(const IntegerMatrix& b, const IntegerMatrix& c, bool maximise, const std::vector<Fraction>& x,
                    bool transposed, const std::string& where) {
  for (const Fraction& v : x) EXPECT_GE(Sign(v), 0) << where;
  const int rows = transposed ? b.cols : b.rows;
  for (int i = 0; i < rows; ++i) {
    Fraction slack;
    (void)Subtract(Entry(c, i, 0), Dot(b, i, transposed, x), slack);
    EXPECT_GE(maximise ? Sign(slack) : -Sign(slack), 0) << where << " row " << i;
  }
}

IntegerMatrix Read(std::istream& in, int rows, int cols) {
  IntegerMatrix m(rows, cols);
  for (BigInteger& e : m.e) {
    long v = 0;
    in >> v;
    e = BigInteger(v);
  }
  return m;
}

// 100 random problems with scipy's verdict (tests/engine/data/make_lp.py).
// An optimum is certified exactly: X feasible, the dual problem (solved by
// the same engine) feasible with the same value.
TEST(ExactSimplex, RandomProblemsCertifiedByDuality) {
  std::ifstream in(std::string(TAVRIN_TEST_DATA) + "/engine/data/lp.txt");
  ASSERT_TRUE(in.good());
  std::string sense;
  int m = 0, k = 0, cases = 0;
  while (in >> sense >> m >> k) {
    const bool maximise = sense == "max";
    const IntegerMatrix f = Read(in, 1, k), b = Read(in, m, k), c = Read(in, m, 1);
    std::string status;
    double value = 0;
    in >> status >> value;
    const std::string where = "case " + std::to_string(cases++);
    ExactLinearProgramResult primal;
    const ResultCode rc = RunExactLinearProgram(f, b, c, kLinearProgramFinalBudget, maximise, {}, primal);
    if (status == "infeasible") {
      EXPECT_EQ(rc, ResultCode::NoFeasibleVectors) << where;
      continue;
    }
    if (status == "unbounded") {
      EXPECT_EQ(rc, ResultCode::Unbounded) << where;
      continue;
    }
    ASSERT_EQ(rc, ResultCode::Finished) << where;
    EXPECT_NEAR(std::stod(primal.value.num.ToString()) / std::stod(primal.value.den.ToString()), value, 1e-9)
        << where;
    for (const auto& x : primal.solutions) {
      ExpectFeasible(b, c, maximise, x, false, where);
      EXPECT_EQ(Dot(f, 0, false, x), primal.value) << where;  // every optimal vertex has the optimal value
    }
    // The dual: maximise F*X, B*X <= C pairs with minimise C'*Y, B'*Y >= F'.
    ExactLinearProgramResult dual;
    ASSERT_EQ(RunExactLinearProgram(Transpose(c), Transpose(b), Transpose(f), kLinearProgramFinalBudget, !maximise,
                                    {}, dual), ResultCode::Finished)
        << where;
    EXPECT_EQ(dual.value, primal.value) << where;
    ExpectFeasible(b, Transpose(f), !maximise, dual.solutions[0], true, where + " dual");
  }
  EXPECT_EQ(cases, 100);
}

// Beale's problem cycles under the largest-coefficient rule with the usual
// tie breaking; the exact method must still end at the optimum scipy
// reports: 5/4 at X = (1, 0, 1, 0).
TEST(ExactSimplex, DegenerateProblemThatCyclesWithoutBlandEnds) {
  const IntegerMatrix f = Int(1, 4, {3, -80, 2, -24}, 4);
  const IntegerMatrix b = Int(3, 4, {1, -32, -4, 36, 2, -48, -2, 12, 0, 0, 4, 0}, 4);
  const IntegerMatrix c = Int(3, 1, {0, 0, 1});
  ExactLinearProgramResult r;
  ASSERT_EQ(RunExactLinearProgram(f, b, c, kLinearProgramFinalBudget, true, {}, r), ResultCode::Finished);
  EXPECT_EQ(r.value, F(5, 4));
  EXPECT_EQ(r.solutions[0], (std::vector<Fraction>{F(1), F(0), F(1), F(0)}));
  EXPECT_EQ(r.title, "F*X = 5/4 [ maximize; B*X <= C ]");
}

TEST(ExactSimplex, StepsEdgeOptimaAndRefusals) {
  // maximise 3x + 2y: 2x + y <= 10, x + y <= 8, x <= 4; optimum 18 at (2, 6).
  const IntegerMatrix f = Int(1, 2, {3, 2}), b = Int(3, 2, {2, 1, 1, 1, 1, 0}), c = Int(3, 1, {10, 8, 4});
  ExactLinearProgramResult r;
  StepLog log;
  ASSERT_EQ(RunExactLinearProgram(f, b, c, kLinearProgramFinalBudget, true, {'F', 'B', 'C'}, r, &log), ResultCode::Finished);
  EXPECT_EQ(r.title, "F*X = 18 [ maximize; B*X <= C ]");
  EXPECT_EQ(r.shown, Int(2, 1, {2, 6}));
  std::vector<std::string> texts;
  for (const LoggedStep& s : log.steps()) texts.push_back(s.text);
  const std::vector<std::string> expected = {
      "pivot (3, 1): x1 enters, s3 leaves",           "pivot (3, 1): x1 enters, s3 leaves; objective 12",
      "pivot (1, 2): x2 enters, s1 leaves",           "pivot (1, 2): x2 enters, s1 leaves; objective 16",
      "pivot (2, 5): s3 enters, s2 leaves",           "pivot (2, 5): s3 enters, s2 leaves; objective 18",
      "optimum: objective 18"};
  EXPECT_EQ(texts, expected);
  // Budget 0 shows the first tableau; budget 1 highlights the first pivot.
  ASSERT_EQ(RunExactLinearProgram(f, b, c, 0, true, {}, r), ResultCode::Ok);
  EXPECT_EQ(r.shown, Int(4, 6, {2, 1, 1, 0, 0, 10, 1, 1, 0, 1, 0, 8, 1, 0, 0, 0, 1, 4, 3, 2, 0, 0, 0, 0}));
  EXPECT_EQ(r.highlightRow, -1);
  ASSERT_EQ(RunExactLinearProgram(f, b, c, 1, true, {}, r), ResultCode::Ok);
  EXPECT_EQ(r.highlightRow, 2);
  EXPECT_EQ(r.highlightCol, 0);
  // maximise x + y on x + y <= 5: the whole edge is optimal; both vertices.
  ASSERT_EQ(RunExactLinearProgram(Int(1, 2, {1, 1}), Int(1, 2, {1, 1}), Int(1, 1, {5}), kLinearProgramFinalBudget,
                                  true, {}, r), ResultCode::Finished);
  EXPECT_EQ(r.shown, Int(2, 2, {5, 0, 0, 5}));
  // minimise with an artificial column: x + y >= 2, x >= 1/2, minimise 2x + y: 5/2 at (1/2, 3/2).
  ASSERT_EQ(RunExactLinearProgram(Int(1, 2, {2, 1}), Int(2, 2, {1, 1, 1, 0}), Int(2, 1, {4, 1}, 2),
                                  kLinearProgramFinalBudget, false, {}, r), ResultCode::Finished);
  EXPECT_EQ(r.value, F(5, 2));
  EXPECT_EQ(r.shown, Int(2, 1, {1, 3}, 2));
  // Infeasible (x <= -1 turned around needs x >= 1 with x <= 0) and unbounded.
  EXPECT_EQ(RunExactLinearProgram(Int(1, 1, {1}), Int(2, 1, {-1, 1}), Int(2, 1, {-1, 0}), kLinearProgramFinalBudget,
                                  true, {}, r), ResultCode::NoFeasibleVectors);
  EXPECT_EQ(RunExactLinearProgram(Int(1, 2, {1, 1}), Int(1, 2, {1, -1}), Int(1, 1, {1}), kLinearProgramFinalBudget,
                                  true, {}, r), ResultCode::Unbounded);
  EXPECT_EQ(RunExactLinearProgram(Int(1, 3, {1, 1, 1}), b, c, 5, true, {}, r), ResultCode::Incompatible);
  EXPECT_EQ(RunExactLinearProgram(f, b, Int(3, 2, {1, 1, 1, 1, 1, 1}), 5, true, {}, r), ResultCode::NotAColumnVector);
}

}  // namespace
}  // namespace tavrin
