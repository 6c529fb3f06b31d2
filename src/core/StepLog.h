#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "core/Fraction.h"
#include "core/Matrix.h"

namespace tavrin {

// One action of the echelon stepping, the operations dialog or the simplex
// method, described well enough to be told in words and in LaTeX.
struct StepOperation {
  enum Kind {
    kLocate,       // a pivot found at (first, second); nothing changes
    kSwap,         // rows (columns) first and second exchanged
    kScale,        // row (column) first multiplied by the factor
    kAddMultiple,  // row (column) second += factor * row (column) first
    kChoosePivot,  // simplex: pivot (first, second) chosen; nothing changes
    kPivot,        // simplex: pivot (first, second) applied
    kOptimum,      // simplex: the solution found
  };
  Kind kind = kLocate;
  bool columns = false;
  int first = 0;
  int second = 0;
  // The factor: exact in integer mode, else a real or complex value.
  Fraction exact;
  Complex value;
  // Simplex only: the names of the entering and leaving columns ("x3",
  // "s1") and the objective F*X after the pivot, as text.
  std::string entering;
  std::string leaving;
  std::string objective;

  static StepOperation Make(Kind kind, bool columns, int first, int second) {
    StepOperation op;
    op.kind = kind;
    op.columns = columns;
    op.first = first;
    op.second = second;
    return op;
  }
};

// How the numbers of a log are written: exact fractions in integer mode,
// else fixed-point with the window's places (complex values as re+im i).
struct StepNumbers {
  bool exact = false;
  bool complex = false;
  int places = 5;
};

// "R2 <- R2 - 3/2 R1", "R1 <-> R3", "R1 <- 1/2 R1", "pivot (2, 3)",
// "pivot (2, 3): x3 enters, s1 leaves; objective 36".
std::string StepText(const StepOperation& op, const StepNumbers& n);
// The label over the arrow that leads to the matrix after the step:
// "R_2 - \frac{3}{2}R_1", "R_1 \leftrightarrow R_3", "\frac{1}{2}R_1".
std::string StepLatexLabel(const StepOperation& op, const StepNumbers& n);
// Whether the step can change the matrix (locating and choosing cannot;
// nor can adding zero times a row or scaling by one).
bool StepChangesMatrix(const StepOperation& op, const StepNumbers& n);

// One logged step: the operation, its text and the matrix after it with
// the highlight. Once the log holds kMaxLoggedEntries entries, later steps
// keep their text but not their matrix (hasMatrix false).
struct LoggedStep {
  StepOperation op;
  std::string text;
  bool hasMatrix = false;
  ComplexMatrix z;
  IntegerMatrix q;
  int highlightRow = -1;
  int highlightCol = -1;
};

// The steps of one companion window since its last reset: the matrix it
// started from and every step after it.
class StepLog {
 public:
  static constexpr size_t kMaxLoggedEntries = size_t{1} << 20;

  // Starts a new log from this matrix (the kind of numbers follows it).
  void Start(const ComplexMatrix& m, bool complex, int places, const std::string& title);
  void Start(const IntegerMatrix& m, const std::string& title);
  void Clear();

  void Add(const StepOperation& op, const ComplexMatrix& after, int highlightRow, int highlightCol);
  void Add(const StepOperation& op, const IntegerMatrix& after, int highlightRow, int highlightCol);
  // Drops the newest step (the operations dialog's undo).
  void DropLast();

  bool started() const { return started_; }
  const StepNumbers& numbers() const { return numbers_; }
  const std::string& title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  const ComplexMatrix& startZ() const { return startZ_; }
  const IntegerMatrix& startQ() const { return startQ_; }
  const std::vector<LoggedStep>& steps() const { return steps_; }
  // Whether a matrix of this many entries would still be kept; when not,
  // callers pass an empty matrix and save the copy.
  bool WouldKeep(size_t entries) const { return stored_ + entries <= kMaxLoggedEntries; }
  // The text of the newest step; empty when there is none.
  std::string LastText() const;

 private:
  // Clears the log and starts counting from the first matrix's entries.
  void Begin(const StepNumbers& numbers, const std::string& title, size_t entries);
  // Appends a step with its text and highlight but no matrix yet.
  LoggedStep& Push(const StepOperation& op, int highlightRow, int highlightCol);
  bool Room(size_t entries);
  bool started_ = false;
  StepNumbers numbers_;
  std::string title_;
  ComplexMatrix startZ_;
  IntegerMatrix startQ_;
  std::vector<LoggedStep> steps_;
  size_t stored_ = 0;
};

}  // namespace tavrin
