#include "engine/ExactSimplex.h"

#include <algorithm>
#include <new>

#include "engine/RationalMatrix.h"

namespace tavrin {

namespace {

constexpr int64_t kMaxTableauEntries = int64_t{1} << 22;

// A cost a*M + b, M larger than any number.
struct Cost {
  mpq_class m, b;
};

int Compare(const Cost& x, const Cost& y) {
  if (int s = cmp(x.m, y.m)) return s;
  return cmp(x.b, y.b);
}

bool Positive(const Cost& x) { return sgn(x.m) > 0 || (sgn(x.m) == 0 && sgn(x.b) > 0); }

struct Tableau {
  int m = 0;     // constraint rows
  int k = 0;     // unknowns
  int used = 0;  // columns in use; the last is the right-hand side
  RationalMatrix t;
  std::vector<Cost> cost;
  std::vector<char> artificial;
  std::vector<std::string> names;
  std::vector<int> basicOfRow, rowOfBasic;

  int rhs() const { return used - 1; }
  Cost Reduced(int j) const {
    Cost r = cost[j];
    for (int i = 0; i < m; ++i) {
      const Cost& cb = cost[basicOfRow[i]];
      if (sgn(t.at(i, j)) == 0) continue;
      r.m -= cb.m * t.at(i, j);
      r.b -= cb.b * t.at(i, j);
    }
    return r;
  }
};

// The largest reduced cost (leftmost on ties), or with bland the leftmost
// improving column. Columns that improve the penalty part come first, so a
// problem is never called unbounded while an artificial could still fall.
int Entering(const Tableau& T, bool bland) {
  std::vector<Cost> r(T.rhs());
  bool penaltyImproves = false;
  for (int j = 0; j < T.rhs(); ++j) {
    r[j] = T.Reduced(j);
    penaltyImproves = penaltyImproves || sgn(r[j].m) > 0;
  }
  int entering = -1;
  for (int j = 0; j < T.rhs(); ++j) {
    if (!Positive(r[j]) || (penaltyImproves && sgn(r[j].m) <= 0)) continue;
    if (entering < 0 || (!bland && Compare(r[j], r[entering]) > 0)) entering = j;
    if (bland) break;
  }
  return entering;
}

// The smallest ratio among positive entries of column q; ties go to the
// smallest basic column (Bland). -1: none.
int Leaving(const Tableau& T, int q, mpq_class* ratioOut = nullptr) {
  int row = -1;
  mpq_class best;
  for (int i = 0; i < T.m; ++i) {
    if (sgn(T.t.at(i, q)) <= 0) continue;
    mpq_class ratio = T.t.at(i, T.rhs()) / T.t.at(i, q);
    const int c = row < 0 ? -1 : cmp(ratio, best);
    if (row < 0 || c < 0 || (c == 0 && T.basicOfRow[i] < T.basicOfRow[row])) {
      best = ratio;
      row = i;
    }
  }
  if (ratioOut && row >= 0) *ratioOut = best;
  return row;
}

void ApplyPivot(Tableau& T, int p, int q) {
  const mpq_class piv = T.t.at(p, q);
  for (int j = 0; j < T.used; ++j) T.t.at(p, j) /= piv;
  for (int i = 0; i < T.m; ++i) {
    if (i == p || sgn(T.t.at(i, q)) == 0) continue;
    const mpq_class f = T.t.at(i, q);
    for (int j = 0; j < T.used; ++j) T.t.at(i, j) -= f * T.t.at(p, j);
  }
  T.rowOfBasic[T.basicOfRow[p]] = -1;
  T.basicOfRow[p] = q;
  T.rowOfBasic[q] = p;
}

std::vector<mpq_class> Solution(const Tableau& T) {
  std::vector<mpq_class> x(T.k);
  for (int j = 0; j < T.k; ++j)
    if (T.rowOfBasic[j] >= 0) x[j] = T.t.at(T.rowOfBasic[j], T.rhs());
  return x;
}

// F*X of the current basic solution, in the user's sense.
mpq_class Objective(const Tableau& T, bool maximise) {
  mpq_class v = 0;
  const std::vector<mpq_class> x = Solution(T);
  for (int j = 0; j < T.k; ++j) v += T.cost[j].b * x[j];
  return maximise ? v : mpq_class(-v);
}

bool ArtificialPositive(const Tableau& T) {
  for (int i = 0; i < T.m; ++i)
    if (T.artificial[T.basicOfRow[i]] && sgn(T.t.at(i, T.rhs())) > 0) return true;
  return false;
}

// Constraint rows and the cost row, the penalty shown as in real mode.
IntegerMatrix Shown(const Tableau& T) {
  RationalMatrix s(T.m + 1, T.used);
  for (int i = 0; i < T.m; ++i)
    for (int j = 0; j < T.used; ++j) s.at(i, j) = T.t.at(i, j);
  const mpq_class penalty(static_cast<long>(-kArtificialPenalty));
  for (int j = 0; j < T.rhs(); ++j) s.at(T.m, j) = T.cost[j].b + T.cost[j].m * penalty;
  return ToInteger(s);
}

}  // namespace

std::string ExactFinishedTitle(bool maximise, const LinearProgramLetters& l, const Fraction& value) {
  return FinishedTitle(maximise, l, value.ToString());
}

ResultCode RunExactLinearProgram(const IntegerMatrix& f, const IntegerMatrix& b, const IntegerMatrix& c,
                                 int64_t budget, bool maximise, const LinearProgramLetters& letters,
                                 ExactLinearProgramResult& out, StepLog* log, Interrupt* stop) {
  const int m = b.rows, k = b.cols;
  if (m < 1 || k < 1 || f.rows < 1 || c.rows != m || f.cols != k) return ResultCode::Incompatible;
  if (c.cols != 1) return ResultCode::NotAColumnVector;
  if (b.size() != static_cast<size_t>(m) * k || c.size() != static_cast<size_t>(m) ||
      f.size() != static_cast<size_t>(f.rows) * k || b.denominator.IsZero() || c.denominator.IsZero() ||
      f.denominator.IsZero())
    return ResultCode::Incompatible;
  const int width = 2 * m + k + 1;
  if (static_cast<int64_t>(m + 1) * width > kMaxTableauEntries) return ResultCode::NoMoreRoom;

  const RationalMatrix F = ToRational(f), B = ToRational(b), C = ToRational(c);
  Tableau T;
  try {
    T.m = m;
    T.k = k;
    T.t = RationalMatrix(m, width);
    T.cost.assign(width, Cost{});
    T.artificial.assign(width, 0);
    T.names.assign(width, std::string());
    T.basicOfRow.assign(m, -1);
    T.rowOfBasic.assign(width, -1);
  } catch (const std::bad_alloc&) {
    return ResultCode::NoMoreRoom;
  }
  // Set-up as in real mode: the method maximises, rows with a negative
  // right-hand side are turned around, and a row needs an artificial column
  // when its sense and sign call for a surplus.
  for (int j = 0; j < k; ++j) {
    for (int i = 0; i < m; ++i) T.t.at(i, j) = B.at(i, j);
    T.cost[j].b = maximise ? F.at(0, j) : mpq_class(-F.at(0, j));
    T.names[j] = "x" + std::to_string(j + 1);
  }
  int u = k;
  std::vector<mpq_class> rhs(m);
  for (int i = 0; i < m; ++i) {
    rhs[i] = C.at(i, 0);
    const bool negative = sgn(rhs[i]) < 0;
    if (negative) {
      for (int j = 0; j < k; ++j) T.t.at(i, j) = -T.t.at(i, j);
      rhs[i] = -rhs[i];
    }
    const std::string row = std::to_string(i + 1);
    if ((maximise && negative) || (!maximise && !negative)) {
      T.t.at(i, u) = -1;  // surplus
      T.names[u] = "s" + row;
      ++u;
      T.t.at(i, u) = 1;  // artificial
      T.cost[u].m = -1;
      T.artificial[u] = 1;
      T.names[u] = "a" + row;
    } else {
      T.t.at(i, u) = 1;  // slack
      T.names[u] = "s" + row;
    }
    T.basicOfRow[i] = u;
    T.rowOfBasic[u] = i;
    ++u;
  }
  T.used = u + 1;
  for (int i = 0; i < m; ++i) T.t.at(i, T.rhs()) = rhs[i];

  StepLog steps;
  const std::string steppingTitle = SteppingTitle(maximise, letters);
  if (log) steps.Start(Shown(T), steppingTitle);
  auto record = [&](StepOperation op, int p, int q) {
    if (log) steps.Add(op, steps.WouldKeep(static_cast<size_t>(m + 1) * T.used) ? Shown(T) : IntegerMatrix(), p, q);
  };

  int64_t actions = 0;
  bool optimal = false;
  int hr = -1, hc = -1;
  while (actions < budget) {
    if (stop && stop->Quit()) return ResultCode::Stopped;
    int q = Entering(T, false);
    if (q < 0) {
      optimal = true;
      break;
    }
    mpq_class ratio;
    int p = Leaving(T, q, &ratio);
    if (p >= 0 && sgn(ratio) == 0) {  // a degenerate step: Bland's rule decides
      q = Entering(T, true);
      p = Leaving(T, q);
    }
    if (p < 0) return ArtificialPositive(T) ? ResultCode::NoFeasibleVectors : ResultCode::Unbounded;
    StepOperation op = StepOperation::Make(StepOperation::kChoosePivot, false, p, q);
    op.entering = T.names[q];
    op.leaving = T.names[T.basicOfRow[p]];
    hr = p;
    hc = q;
    ++actions;
    record(op, p, q);
    if (actions < budget) {
      ApplyPivot(T, p, q);
      ++actions;
      op.kind = StepOperation::kPivot;
      op.objective = ToFraction(Objective(T, maximise)).ToString();
      record(op, p, q);
    }
  }

  if (!optimal) {
    ExactLinearProgramResult r;
    r.shown = Shown(T);
    r.title = steppingTitle;
    r.highlightRow = hr;
    r.highlightCol = hc;
    out = std::move(r);
    if (log) *log = std::move(steps);
    return ResultCode::Ok;
  }
  if (ArtificialPositive(T)) return ResultCode::NoFeasibleVectors;

  std::vector<std::vector<mpq_class>> solutions{Solution(T)};
  const mpq_class value = Objective(T, maximise);
  // Alternative optima: every non-basic column whose reduced cost is
  // exactly zero is brought in once from the optimal tableau; a vertex
  // already found is not repeated.
  const Tableau saved = T;
  for (int j = 0; j < saved.rhs(); ++j) {
    if (saved.rowOfBasic[j] >= 0 || saved.artificial[j]) continue;
    const Cost r = saved.Reduced(j);
    if (sgn(r.m) != 0 || sgn(r.b) != 0) continue;
    T = saved;
    const int p = Leaving(T, j);
    if (p < 0) continue;
    ApplyPivot(T, p, j);
    std::vector<mpq_class> x = Solution(T);
    if (std::find(solutions.begin(), solutions.end(), x) == solutions.end()) solutions.push_back(std::move(x));
  }
  // The user's own constraints, checked exactly.
  for (int i = 0; i < m; ++i) {
    mpq_class s = C.at(i, 0);
    for (int j = 0; j < k; ++j) s -= B.at(i, j) * solutions[0][j];
    if (!maximise) s = -s;
    if (sgn(s) < 0) return ResultCode::NoFeasibleVectors;
  }

  ExactLinearProgramResult r;
  const int n = static_cast<int>(solutions.size());
  RationalMatrix x(k, n);
  r.solutions.resize(n);
  for (int s = 0; s < n; ++s)
    for (int j = 0; j < k; ++j) {
      x.at(j, s) = solutions[s][j];
      r.solutions[s].push_back(ToFraction(solutions[s][j]));
    }
  r.shown = ToInteger(x);
  r.value = ToFraction(value);
  r.title = ExactFinishedTitle(maximise, letters, r.value);
  if (log) {
    StepOperation op = StepOperation::Make(StepOperation::kOptimum, false, -1, -1);
    op.objective = r.value.ToString();
    steps.Add(op, r.shown, -1, -1);
    *log = std::move(steps);
  }
  out = std::move(r);
  return ResultCode::Finished;
}

}  // namespace tavrin
