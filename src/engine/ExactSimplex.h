#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/Fraction.h"
#include "core/Interrupt.h"
#include "core/Matrix.h"
#include "core/ResultCode.h"
#include "core/StepLog.h"
#include "engine/Simplex.h"

namespace tavrin {

struct ExactLinearProgramResult {
  // As LinearProgramResult, over one common denominator: the tableau while
  // stepping (the cost row shows an artificial column's penalty as
  // kArtificialPenalty, as in real mode), X when finished, one column per
  // optimal vertex.
  IntegerMatrix shown;
  std::string title;
  int highlightRow = -1;
  int highlightCol = -1;
  Fraction value;  // F*X when finished
  std::vector<std::vector<Fraction>> solutions;
};

// The linear program of integer mode, on the same tableau, with the same
// actions and budget as RunLinearProgram, in exact fractions. The penalty
// of an artificial column is symbolic: every cost is a*M + b and costs are
// compared with M larger than any number. The entering column has the
// largest reduced cost (the leftmost on ties); when that step would be
// degenerate, Bland's rule chooses (the leftmost column that improves);
// the leaving row has the smallest ratio, ties going to the smallest basic
// column, so the method never cycles.
// Returns Finished, Ok when the budget ran out, 103, 105 as RunLinearProgram,
// 107 no feasible vectors (an artificial column stays positive), 112 the
// objective is unbounded, Stopped by Q on `stop` (polled between pivots
// when given; without it the run never stops). When log is given and the
// run succeeds, it is replaced by the log of this run.
ResultCode RunExactLinearProgram(const IntegerMatrix& f, const IntegerMatrix& b, const IntegerMatrix& c,
                                 int64_t budget, bool maximise, const LinearProgramLetters& letters,
                                 ExactLinearProgramResult& out, StepLog* log = nullptr, Interrupt* stop = nullptr);

// "F*X = 33/2 [ maximize; B*X <= C ]": the exact value.
std::string ExactFinishedTitle(bool maximise, const LinearProgramLetters& letters, const Fraction& value);

}  // namespace tavrin
