#include "engine/Simplex.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>
#include <set>
#include <vector>

#include "core/FixedText.h"
#include "core/StringTable.h"
#include "core/Thresholds.h"
#include "engine/Elimination.h"

namespace tavrin {

namespace {

// Zero tests relative to the numbers that made each value: a reduced cost
// is zero within 1e-13 of the sizes summed into it, a constraint holds
// within 1e-12 of the sizes in its row, and a ratio-test entry counts when it
// is above 1e-16 and above 1e-12 of the largest entry of its column. For
// data of ordinary size these are the absolute 1e-13 and 1e-16; scaling a
// problem by a power of ten scales them with it.
constexpr long double kReducedCostZero = 1e-13L;
constexpr long double kFeasibilityTolerance = 1e-12L;
constexpr long double kPivotRelative = 1e-12L;
constexpr int64_t kMaxTableauEntries = int64_t{1} << 24;

struct Tableau {
  int m = 0;      // constraint rows
  int k = 0;      // unknowns
  int width = 0;  // 2m + k + 1 columns allocated
  int used = 0;   // columns in use; the last one is the right-hand side
  std::vector<long double> t;  // (m + 2) x width
  // The penalty of the artificial columns is kept apart from the costs, as
  // a multiple of an unboundedly large M: every comparison looks at the M
  // parts first, so no data is too large for the penalty. The cost row
  // shows it as kArtificialPenalty.
  std::vector<long double> penalty;  // -1 for artificial columns, else 0
  std::vector<char> artificial;
  std::vector<int> basicOfRow;
  std::vector<int> rowOfBasic;
  std::vector<char> zeroReducedCost;

  long double& at(int i, int j) { return t[static_cast<size_t>(i) * width + j]; }
  long double at(int i, int j) const { return t[static_cast<size_t>(i) * width + j]; }
  int rhs() const { return used - 1; }
  int costRow() const { return m; }
  int reducedRow() const { return m + 1; }
};

struct Pivot {
  int row = -1;
  int col = -1;
};

// A reduced cost as (M part, ordinary part), each rounded to zero within
// its tolerance.
struct Reduced {
  long double big = 0.0L;
  long double cost = 0.0L;
  bool Positive() const { return big > 0 || (big == 0 && cost > 0); }
  bool Zero() const { return big == 0 && cost == 0; }
  bool Above(const Reduced& o) const { return big > o.big || (big == o.big && cost > o.cost); }
};

Reduced ReducedCost(const Tableau& T, int j) {
  long double big = T.penalty[j], cost = T.at(T.costRow(), j);
  long double bigSize = std::fabs(big), costSize = std::fabs(cost);
  for (int i = 0; i < T.m; ++i) {
    const int b = T.basicOfRow[i];
    const long double a = T.at(i, j);
    big -= T.penalty[b] * a;
    cost -= T.at(T.costRow(), b) * a;
    bigSize += std::fabs(T.penalty[b] * a);
    costSize += std::fabs(T.at(T.costRow(), b) * a);
  }
  Reduced r;
  r.big = std::fabs(big) <= kReducedCostZero * bigSize ? 0.0L : big;
  r.cost = std::fabs(cost) <= kReducedCostZero * costSize ? 0.0L : cost;
  return r;
}

// Recomputes the reduced costs and flags the non-basic columns whose
// reduced cost is zero. Returns the entering column, or -1 when optimal.
// The usual rule takes the largest reduced cost (leftmost on ties); once the
// method is seen to cycle, the smallest index wins, which always ends.
int EnteringColumn(Tableau& T, bool smallestIndex) {
  int entering = -1;
  Reduced best;
  for (int j = 0; j < T.rhs(); ++j) {
    const Reduced r = ReducedCost(T, j);
    // The row shown for the reduced costs counts the penalty as the cost row does.
    T.at(T.reducedRow(), j) = r.cost - kArtificialPenalty * r.big;
    T.zeroReducedCost[j] = r.Zero() && T.rowOfBasic[j] < 0;
    if (r.Positive() && (entering < 0 || (!smallestIndex && r.Above(best)))) {
      entering = j;
      best = r;
    }
  }
  return entering;
}

// The row with the smallest ratio among positive entries of column q (the
// upper row on ties, or the smaller basic column when cycling). -1: none.
int LeavingRow(const Tableau& T, int q, bool smallestIndex) {
  long double largest = 0.0L;
  for (int i = 0; i < T.m; ++i) largest = std::max(largest, std::fabs(T.at(i, q)));
  const long double floor = std::max(kPivotThreshold, kPivotRelative * largest);
  int row = -1;
  long double best = 0.0L;
  for (int i = 0; i < T.m; ++i) {
    const long double a = T.at(i, q);
    if (!(a > floor)) continue;
    const long double ratio = T.at(i, T.rhs()) / a;
    if (row < 0 || ratio < best ||
        (smallestIndex && ratio == best && T.basicOfRow[i] < T.basicOfRow[row])) {
      best = ratio;
      row = i;
    }
  }
  return row;
}

void ApplyPivot(Tableau& T, int p, int q) {
  const long double piv = T.at(p, q);
  for (int j = 0; j < T.used; ++j) T.at(p, j) = T.at(p, j) / piv;
  T.at(p, q) = 1.0L;
  for (int i = 0; i < T.m; ++i) {
    if (i == p) continue;
    const long double f = T.at(i, q);
    if (f == 0.0L) continue;
    for (int j = 0; j < T.used; ++j) T.at(i, j) = T.at(i, j) - f * T.at(p, j);
    T.at(i, q) = 0.0L;
  }
  T.rowOfBasic[T.basicOfRow[p]] = -1;
  T.basicOfRow[p] = q;
  T.rowOfBasic[q] = p;
}

// An artificial column still basic at a positive level: no point satisfies
// every constraint.
bool ArtificialLeft(const Tableau& T, long double rhsScale) {
  for (int i = 0; i < T.m; ++i)
    if (T.artificial[T.basicOfRow[i]] && T.at(i, T.rhs()) > kFeasibilityTolerance * rhsScale) return true;
  return false;
}

std::vector<long double> Solution(const Tableau& T) {
  std::vector<long double> x(T.k, 0.0L);
  for (int j = 0; j < T.k; ++j)
    if (T.rowOfBasic[j] >= 0) x[j] = T.at(T.rowOfBasic[j], T.rhs());
  return x;
}

// The tableau as the window shows it: constraint rows and the cost row.
ComplexMatrix Shown(const Tableau& T) {
  ComplexMatrix s(T.m + 1, T.used);
  for (int i = 0; i <= T.m; ++i)
    for (int j = 0; j < T.used; ++j)
      s.at(i, j) = Complex(i == T.m && T.artificial[j] ? kArtificialPenalty : T.at(i, j), 0.0L);
  return s;
}

// Column names for the step log, read off the first tableau: x1.. for the
// unknowns, s<row> for a slack or surplus, a<row> for an artificial.
std::vector<std::string> ColumnNames(const Tableau& T) {
  std::vector<std::string> names(T.used);
  for (int j = 0; j < T.k; ++j) names[j] = "x" + std::to_string(j + 1);
  for (int i = 0; i < T.m; ++i) {
    const int u = T.basicOfRow[i];
    const std::string row = std::to_string(i + 1);
    const bool artificial = T.artificial[u];
    names[u] = (artificial ? "a" : "s") + row;
    if (artificial) names[u - 1] = "s" + row;
  }
  return names;
}

void LogStep(StepLog& log, const Tableau& T, const StepOperation& op) {
  log.Add(op, log.WouldKeep(static_cast<size_t>(T.m + 1) * T.used) ? Shown(T) : ComplexMatrix(), op.first,
          op.second);
}

std::string Trim(std::string s) {
  s.erase(0, s.find_first_not_of(' '));
  return s;
}

std::string Sense(bool maximise) { return String(maximise ? str::kMaximize : str::kMinimize); }

std::string Constraint(bool maximise, const LinearProgramLetters& l) {
  return std::string(1, l.b) + "*X " + (maximise ? "<= " : ">= ") + l.c;
}

}  // namespace

std::string SteppingTitle(bool maximise, const LinearProgramLetters& l) {
  return Sense(maximise) + " " + l.f + "*X" + " [ " + Constraint(maximise, l) + " ]";
}

std::string FinishedTitle(bool maximise, const LinearProgramLetters& l, long double value) {
  char number[64];
  std::snprintf(number, sizeof number, "%8.6Lf", value);
  return FinishedTitle(maximise, l, std::string(number));
}

std::string FinishedTitle(bool maximise, const LinearProgramLetters& l, const std::string& value) {
  return std::string(1, l.f) + "*X = " + value + " [ " + Sense(maximise) + "; " + Constraint(maximise, l) + " ]";
}

ResultCode RunLinearProgram(const ComplexMatrix& f, const ComplexMatrix& b, const ComplexMatrix& c,
                            int64_t budget, bool maximise, const LinearProgramLetters& letters,
                            LinearProgramResult& out, StepLog* log) {
  const int m = b.rows, k = b.cols;
  if (m < 1 || k < 1 || f.rows < 1 || c.rows != m || f.cols != k) return ResultCode::Incompatible;
  if (c.cols != 1) return ResultCode::NotAColumnVector;
  if (b.size() != static_cast<size_t>(m) * k || c.size() != static_cast<size_t>(m) ||
      f.size() != static_cast<size_t>(f.rows) * k)
    return ResultCode::Incompatible;
  if (!AllFinite(f) || !AllFinite(b) || !AllFinite(c)) return ResultCode::CouldNotCalculate;

  Tableau T;
  T.m = m;
  T.k = k;
  T.width = 2 * m + k + 1;
  if (static_cast<int64_t>(m + 2) * T.width > kMaxTableauEntries) return ResultCode::NoMoreRoom;
  try {
    T.t.assign(static_cast<size_t>(m + 2) * T.width, 0.0L);
    T.basicOfRow.assign(m, -1);
    T.rowOfBasic.assign(T.width, -1);
    T.zeroReducedCost.assign(T.width, 0);
    T.penalty.assign(T.width, 0.0L);
    T.artificial.assign(T.width, 0);
  } catch (const std::bad_alloc&) {
    return ResultCode::NoMoreRoom;
  }

  // Set-up: the method always maximises, so a minimum is sought as the
  // maximum of -F*X.
  for (int j = 0; j < k; ++j) {
    for (int i = 0; i < m; ++i) T.at(i, j) = b.at(i, j).re;
    T.at(T.costRow(), j) = maximise ? f.at(0, j).re : -f.at(0, j).re;
  }
  int u = k;
  std::vector<long double> rhs(m);
  for (int i = 0; i < m; ++i) {
    rhs[i] = c.at(i, 0).re;
    const bool negative = rhs[i] < 0;
    if (negative) {
      for (int j = 0; j < k; ++j) T.at(i, j) = -T.at(i, j);
      rhs[i] = -rhs[i];
    }
    if ((maximise && negative) || (!maximise && !negative)) {
      T.at(i, u) = -1.0L;  // surplus
      ++u;
      T.at(i, u) = 1.0L;  // artificial
      T.penalty[u] = -1.0L;  // shown as kArtificialPenalty in the cost row
      T.artificial[u] = 1;
    } else {
      T.at(i, u) = 1.0L;  // slack
    }
    T.basicOfRow[i] = u;
    T.rowOfBasic[u] = i;
    ++u;
  }
  T.used = u + 1;
  for (int i = 0; i < m; ++i) T.at(i, T.rhs()) = rhs[i];
  const std::vector<std::string> names = log ? ColumnNames(T) : std::vector<std::string>();
  StepLog steps;
  if (log) steps.Start(Shown(T), false, log->numbers().places, SteppingTitle(maximise, letters));

  // Main loop: choosing a pivot and applying it are one action each.
  int64_t actions = 0;
  bool optimal = false, unbounded = false, cycling = false;
  Pivot highlight;
  std::set<std::vector<int>> bases;
  auto remember = [&]() {
    std::vector<int> key = T.basicOfRow;
    std::sort(key.begin(), key.end());
    if (!bases.insert(std::move(key)).second) cycling = true;
  };
  try {
    remember();
    while (actions < budget) {
      const int q = EnteringColumn(T, cycling);
      if (q < 0) {
        optimal = true;
        break;
      }
      const int p = LeavingRow(T, q, cycling);
      if (p < 0) {  // unbounded: the same choice would come back for ever
        unbounded = true;
        break;
      }
      highlight = {p, q};
      ++actions;
      StepOperation step = StepOperation::Make(StepOperation::kChoosePivot, false, p, q);
      if (log) {
        step.entering = names[q];
        step.leaving = names[T.basicOfRow[p]];
        LogStep(steps, T, step);
      }
      if (actions < budget) {
        ApplyPivot(T, p, q);
        ++actions;
        if (!cycling) remember();
        if (log) {
          step.kind = StepOperation::kPivot;
          const std::vector<long double> x = Solution(T);
          long double v = 0.0L;
          for (int j = 0; j < k; ++j) v += T.at(T.costRow(), j) * x[j];
          step.objective = Trim(FixedText(maximise ? v : -v, steps.numbers().places));
          LogStep(steps, T, step);
        }
      }
    }
  } catch (const std::bad_alloc&) {
    return ResultCode::NoMoreRoom;
  }
  long double rhsScale = 0.0L;
  for (int i = 0; i < m; ++i) rhsScale = std::max(rhsScale, std::fabs(c.at(i, 0).re));
  // With an artificial column left over the constraints have no solution,
  // whatever the objective does; otherwise an entering column without a
  // usable entry means the objective grows without bound.
  if (unbounded) return ArtificialLeft(T, rhsScale) ? ResultCode::NoFeasibleVectors : ResultCode::Unbounded;
  if (optimal && ArtificialLeft(T, rhsScale)) return ResultCode::NoFeasibleVectors;

  if (!optimal) {
    LinearProgramResult r;
    r.shown = Shown(T);
    if (log) *log = std::move(steps);
    r.title = SteppingTitle(maximise, letters);
    r.highlightRow = highlight.row;
    r.highlightCol = highlight.col;
    out = std::move(r);
    return ResultCode::Ok;
  }

  std::vector<std::vector<long double>> solutions{Solution(T)};
  long double value = 0.0L;
  for (int j = 0; j < k; ++j) value += T.at(T.costRow(), j) * solutions[0][j];
  if (!maximise) value = -value;

  // Alternative optima: each non-basic column with zero reduced cost is
  // brought in once from the optimal tableau.
  const Tableau saved = T;
  for (int j = 0; j < saved.rhs(); ++j) {
    if (!saved.zeroReducedCost[j]) continue;
    T = saved;
    const int p = LeavingRow(T, j, false);
    if (p < 0) continue;
    ApplyPivot(T, p, j);
    solutions.push_back(Solution(T));
  }

  // The user's own constraints have the last word, each within the
  // tolerance of the sizes in its row.
  for (int i = 0; i < m; ++i) {
    long double s = c.at(i, 0).re, size = std::fabs(s);
    for (int j = 0; j < k; ++j) {
      s -= b.at(i, j).re * solutions[0][j];
      size += std::fabs(b.at(i, j).re * solutions[0][j]);
    }
    if (!maximise) s = -s;
    if (s + kFeasibilityTolerance * size < 0) return ResultCode::NoFeasibleVectors;
  }

  LinearProgramResult r;
  const int n = static_cast<int>(solutions.size());
  r.shown = ComplexMatrix(k, n);
  for (int s = 0; s < n; ++s)
    for (int j = 0; j < k; ++j) r.shown.at(j, s) = Complex(solutions[s][j], 0.0L);
  r.value = value;
  r.title = FinishedTitle(maximise, letters, value);
  if (log) {
    StepOperation step = StepOperation::Make(StepOperation::kOptimum, false, -1, -1);
    step.objective = Trim(FixedText(value, steps.numbers().places));
    steps.Add(step, r.shown, -1, -1);
    *log = std::move(steps);
  }
  out = std::move(r);
  return ResultCode::Finished;
}

}  // namespace tavrin
