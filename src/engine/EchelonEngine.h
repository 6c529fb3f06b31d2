#pragma once
#include <cstdint>
#include <string>

#include "core/Matrix.h"
#include "core/StepLog.h"

namespace tavrin {

// Where the last action of the echelon stepping worked. col is -1 until the
// first pivot is found (row then keeps the row count); row -1 means the
// reduction is complete and nothing is highlighted.
struct EchelonHighlight {
  int row = 0;
  int col = -1;
  bool Valid(int rows, int cols) const { return row >= 0 && row < rows && col >= 0 && col < cols; }
};

// The budget given by the dialog's buttons: "reset" 0, "final" this value,
// "one step" the click counter plus one.
inline constexpr int64_t kEchelonFinalBudget = 2147483646;

// Replays the reduction to reduced row-echelon form on m (a fresh copy of
// the chosen matrix, changed in place), performing at most `budget` actions:
// locating a pivot, swapping two rows, normalising the pivot row and
// clearing the pivot column in one other row each count one. Entries with
// |re|+|im| <= tolerance count as zero for pivoting. Nothing persists
// between calls: the dialog replays from the unreduced matrix every click.
// When log is given, every action is appended to it.
EchelonHighlight EchelonEngine(ComplexMatrix& m, long double tolerance, int64_t budget, StepLog* log = nullptr);

// The companion window's title: the letter, " --> ", "echelon form".
std::string EchelonTitle(char letter);

}  // namespace tavrin
