#include "app/commands/Operations.h"

#include "app/commands/CommandLine.h"
#include "app/commands/CommandSupport.h"
#include "app/commands/FormatText.h"
#include "core/Interrupt.h"
#include "core/StringTable.h"
#include "core/TextNumbers.h"
#include "engine/ExactOperations.h"
#include "engine/Operations.h"
#include "lang/ExactScalarText.h"

namespace tavrin {

namespace {

// The operations dialog's index boxes hold at most 10 characters.
long long ReadIndex(const std::string& text) { return ReadCountText(text, 10); }

// The factor read in the window's kind, then the operation applied.
// second is the line the stacks are given as the second (0 for a multiplication).
ResultCode ApplyWithFactor(Application& app, uint32_t kind, StepOperation& step, int second,
                           const std::string& factorText) {
  MatrixDocument& op = app.workspace().operations();
  TaskState& tasks = app.tasks();
  ResultCode c;
  if (op.isInteger()) {
    c = EvaluateFractionText(factorText.substr(0, 100), LiveLookup(app.workspace()), step.exact, app.interrupt());
    if (IsError(c)) return app.Fail(c);
    c = tasks.exactOperations->Apply(op.q, kind, step.first, second, step.exact);
  } else {
    c = EvaluateScalarText(factorText.substr(0, 100), app.mode(), LiveLookup(app.workspace()), step.value,
                           app.interrupt());
    if (IsError(c)) return app.Fail(c);
    if (app.mode() == Mode::Real) step.value.im = 0;
    c = tasks.operations->Apply(op.z, kind, step.first, second, step.value);
  }
  return IsError(c) ? app.Fail(c) : c;
}

// Records an applied operation in the operations window's log.
void LogOperation(Application& app, const StepOperation& step) {
  MatrixDocument& op = app.workspace().operations();
  StepLog& log = app.tasks().operationSteps;
  if (log.started()) VisitEntries(op, [&](const auto& m, auto...) { log.Add(step, m, -1, -1); });
  op.modified = true;
  app.port().DocumentChanged(op);
}

}  // namespace

ResultCode ResetOperations(Application& app, int letter) {
  Workspace& ws = app.workspace();
  TaskState& tasks = app.tasks();
  MatrixDocument& op = ws.operations();
  if (op.editing) return app.Fail(ResultCode::EditingInProgress);
  const Mode mode = app.mode();
  MatrixDocument* doc = ws.Lookup(mode, letter);  // only the current mode's letters
  if (!doc) return app.Fail(ResultCode::MatrixNotFound);
  if (op.kind() != KindOfMode(mode)) op.SetKind(KindOfMode(mode));
  op.format = doc->format;
  op.title = String(str::kOperations);
  op.highlightRow = op.highlightCol = -1;
  tasks.operations->Clear();
  tasks.exactOperations->Clear();
  if (doc->isInteger()) {
    op.Replace(doc->q);
    tasks.operationSteps.Start(op.q, op.title);
  } else {
    op.Replace(doc->z);
    tasks.operationSteps.Start(op.z, mode == Mode::Complex, op.format.places, op.title);
  }
  op.FitWidth();  // the copied entries, with the source's places
  app.port().DocumentChanged(op);
  ws.Show(op);
  return ResultCode::Ok;
}

ResultCode OperMultiply(Application& app, bool columns, const std::string& indexText, const std::string& factorText) {
  MatrixDocument& op = app.workspace().operations();
  if (op.editing) return app.Fail(ResultCode::EditingInProgress);
  long long k = ReadIndex(indexText);
  long long bound = columns ? op.cols() : op.rows();
  if (k < 1 || k > bound) return app.Fail(ResultCode::OutOfBounds);
  StepOperation step =
      StepOperation::Make(StepOperation::kScale, columns, static_cast<int>(k - 1), static_cast<int>(k - 1));
  ResultCode c = ApplyWithFactor(app, columns ? kMultiplyColumn : kMultiplyRow, step, 0, factorText);
  if (IsError(c)) return c;
  if (IsOk(c)) LogOperation(app, step);
  return ResultCode::Ok;
}

ResultCode OperAdd(Application& app, bool columns, const std::string& sourceText, const std::string& targetText,
                   const std::string& factorText) {
  MatrixDocument& op = app.workspace().operations();
  if (op.editing) return app.Fail(ResultCode::EditingInProgress);
  long long s = ReadIndex(sourceText), t = ReadIndex(targetText);
  if (s == t) return app.Fail(ResultCode::NothingToDo);
  long long bound = columns ? op.cols() : op.rows();
  if (s < 1 || s > bound || t < 1 || t > bound) return app.Fail(ResultCode::OutOfBounds);
  StepOperation step = StepOperation::Make(StepOperation::kAddMultiple, columns, static_cast<int>(s - 1),
                                           static_cast<int>(t - 1));
  ResultCode c = ApplyWithFactor(app, columns ? kAddColumnMultiple : kAddRowMultiple, step, step.second, factorText);
  if (IsError(c)) return c;
  LogOperation(app, step);
  return ResultCode::Ok;
}

ResultCode OperSwap(Application& app, bool columns, const std::string& aText, const std::string& bText) {
  MatrixDocument& op = app.workspace().operations();
  TaskState& tasks = app.tasks();
  if (op.editing) return app.Fail(ResultCode::EditingInProgress);
  long long a = ReadIndex(aText), b = ReadIndex(bText);
  if (a == b) return app.Fail(ResultCode::NothingToDo);
  long long bound = columns ? op.cols() : op.rows();
  if (a < 1 || a > bound || b < 1 || b > bound) return app.Fail(ResultCode::OutOfBounds);
  const StepOperation step =
      StepOperation::Make(StepOperation::kSwap, columns, static_cast<int>(a - 1), static_cast<int>(b - 1));
  const uint32_t kind = columns ? kSwapColumns : kSwapRows;
  ResultCode c = op.isInteger() ? tasks.exactOperations->Apply(op.q, kind, step.first, step.second, Fraction{1, 1})
                                : tasks.operations->Apply(op.z, kind, step.first, step.second, kComplexOne);
  if (IsError(c)) return app.Fail(c);
  LogOperation(app, step);
  return ResultCode::Ok;
}

ResultCode OperUndo(Application& app) {
  MatrixDocument& op = app.workspace().operations();
  TaskState& tasks = app.tasks();
  if (op.editing) return app.Fail(ResultCode::EditingInProgress);
  const ResultCode c = op.isInteger() ? tasks.exactOperations->Undo(op.q) : tasks.operations->Undo(op.z);
  if (IsOk(c)) {
    tasks.operationSteps.DropLast();
    app.port().DocumentChanged(op);
  }
  return ResultCode::Ok;
}

bool CanUndoOperations(const Application& app) {
  // Only the stack of the window's current kind ever holds records.
  return app.tasks().exactOperations->CanUndo() || app.tasks().operations->CanUndo();
}

ResultCode OperationsLine(Application& app, CommandLine& line) {
  if (line.size() < 2) return line.Usage();
  const std::string what = line.Lower(1);
  if (what == "reset") {
    int letter = 0;
    if (line.size() != 3 || !line.Letter(2, letter)) return line.Usage();
    return ResetOperations(app, letter);
  }
  if (what == "undo") return OperUndo(app);
  if (what == "show") {
    MatrixDocument& op = app.workspace().operations();
    return PrintDocument(app, line.out, op, op.title);
  }
  if (what != "rows" && what != "columns") return line.Usage();
  const bool columns = what == "columns";
  const std::string action = line.Lower(2);
  if (action == "multiply" && line.size() == 5) return OperMultiply(app, columns, line[3], line[4]);
  if (action == "add" && line.size() == 6) return OperAdd(app, columns, line[3], line[4], line[5]);
  if (action == "swap" && line.size() == 5) return OperSwap(app, columns, line[3], line[4]);
  return line.Usage();
}

}  // namespace tavrin
