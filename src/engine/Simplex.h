#pragma once
#include <cstdint>
#include <string>

#include "core/Matrix.h"
#include "core/ResultCode.h"
#include "core/StepLog.h"

namespace tavrin {

// Linear programming by the simplex method on a big-M tableau:
// maximise F*X subject to B*X <= C, or minimise F*X subject to B*X >= C,
// always with X >= 0. Only the real parts of the entries are used.
//
// The caller (the application's LinearProgram operation) first checks, in
// this order, that the three letters hold matrices (code 108, "matrix not
// found") and that none of them has its entry editor open (code 111,
// "editing in progress"); then it hands copies of F, B and C here and shows
// the result through ShowLp: `shown`, `title` and the highlight.

// The letters that name the matrices in the titles.
struct LinearProgramLetters {
  char f = 'F';
  char b = 'B';
  char c = 'C';
};

struct LinearProgramResult {
  // While stepping: the tableau (constraint rows and the cost row; unknowns,
  // added columns, right-hand side). When finished: X, one column per
  // optimal vertex found.
  ComplexMatrix shown;
  std::string title;
  int highlightRow = -1;  // the last chosen pivot while stepping, else -1
  int highlightCol = -1;
  long double value = 0.0L;  // F*X when finished
};

// "find X" passes this budget; "step" passes the step counter plus one.
inline constexpr int64_t kLinearProgramFinalBudget = 2147483646;

// The penalty of an artificial column as the cost row shows it; the method
// itself treats the penalty as larger than any data.
inline constexpr long double kArtificialPenalty = -5000000.0L;

// Runs the method for at most `budget` actions (choosing a pivot and
// applying it count one each). Returns:
//  Finished: out holds X and the optimal value;
//  Ok  the budget ran out first: out holds the tableau;
//  103 C has not m rows or F has not k columns (or a matrix is empty);
//  105 C has more than one column;
//  101 an entry is NaN or infinite;
//    4 the tableau cannot be allocated;
//  107 no feasible vectors: an artificial column stays positive, or the
//      solution violates a constraint beyond the tolerance of its row;
//  112 the objective is unbounded on the feasible region (an entering
//      column without any positive entry stops the method).
// The three matrices are never changed. When log is given and the run
// succeeds, it is replaced by the log of this run (its places kept).
ResultCode RunLinearProgram(const ComplexMatrix& f, const ComplexMatrix& b, const ComplexMatrix& c,
                            int64_t budget, bool maximise, const LinearProgramLetters& letters,
                            LinearProgramResult& out, StepLog* log = nullptr);

// Titles of the linear-program window.
std::string SteppingTitle(bool maximise, const LinearProgramLetters& letters);
std::string FinishedTitle(bool maximise, const LinearProgramLetters& letters, long double value);
// The same around a value already written out ("%8.6Lf", or a fraction).
std::string FinishedTitle(bool maximise, const LinearProgramLetters& letters, const std::string& value);

}  // namespace tavrin
