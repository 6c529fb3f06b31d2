#include "app/commands/LinearProgram.h"

#include "app/commands/CommandLine.h"
#include "app/commands/FormatText.h"
#include "core/Interrupt.h"
#include "core/StringTable.h"
#include "engine/ExactSimplex.h"
#include "engine/Simplex.h"

namespace tavrin {

namespace {

// The window shows the run's tableau, title and pivot.
template <class Result, class M>
void ShowRun(Application& app, const Result& result, const M& shown, MatrixKind kind) {
  MatrixDocument& lp = app.workspace().lp();
  if (lp.kind() != kind) lp.SetKind(kind);
  lp.Replace(shown);
  lp.title = result.title;
  lp.highlightRow = result.highlightRow;
  lp.highlightCol = result.highlightCol;
}

}  // namespace

ResultCode LinearProgram(Application& app, bool maximize, int f, int b, int c, TaskButton button) {
  TaskState& tasks = app.tasks();
  Workspace& ws = app.workspace();
  std::string choice = std::to_string(maximize) + "," + std::to_string(f) + "," + std::to_string(b) + "," +
                       std::to_string(c);
  if (choice != tasks.lpChoice) {
    tasks.lpChoice = choice;
    tasks.lpCounter = -1;
  }
  if (button == TaskButton::Reset) {
    tasks.lpCounter = -1;
    return ResultCode::Ok;
  }
  // Only the current mode's letters are read.
  const Mode mode = app.mode();
  MatrixDocument* fd = ws.Lookup(mode, f);
  MatrixDocument* bd = ws.Lookup(mode, b);
  MatrixDocument* cd = ws.Lookup(mode, c);
  if (!fd || !bd || !cd) return app.Fail(ResultCode::MatrixNotFound);
  if (fd->editing || bd->editing || cd->editing) return app.Fail(ResultCode::EditingInProgress);
  int64_t budget = button == TaskButton::Find ? kLinearProgramFinalBudget : tasks.lpCounter + 1;
  LinearProgramLetters letters{fd->letterChar(), bd->letterChar(), cd->letterChar()};
  MatrixDocument& lp = ws.lp();
  ResultCode rc;
  if (mode == Mode::Integer) {
    ExactLinearProgramResult result;
    StepLog steps = tasks.lpSteps;
    rc = app.RunLong(
        [&] { return RunExactLinearProgram(fd->q, bd->q, cd->q, budget, maximize, letters, result, &steps,
                                           &app.interrupt()); },
        'Q');
    if (IsStopped(rc)) return rc;  // stopped: nothing is shown
    if (IsError(rc)) return app.Fail(rc);
    tasks.lpSteps = std::move(steps);
    ShowRun(app, result, result.shown, MatrixKind::Integer);
  } else {
    LinearProgramResult result;
    StepLog steps;  // the run replaces it, keeping the window's places
    steps.Start(ComplexMatrix(), false, lp.format.places, std::string());
    rc = RunLinearProgram(fd->z, bd->z, cd->z, budget, maximize, letters, result, &steps);
    if (IsError(rc)) return app.Fail(rc);
    tasks.lpSteps = std::move(steps);
    ShowRun(app, result, result.shown, KindOfMode(mode));
  }
  lp.modified = true;
  app.port().DocumentChanged(lp);
  ws.Show(lp);
  if (rc == ResultCode::Finished)
    tasks.lpCounter = -1;
  else if (button == TaskButton::Step)
    ++tasks.lpCounter;
  return ResultCode::Ok;
}

void LpSelectionChanged(Application& app) { app.tasks().lpCounter = -1; }

ResultCode SaveLpAs(Application& app, int letter) {
  return SaveCompanionAs(app, app.workspace().lp(), letter, String(str::kLinearProgramData));
}

ResultCode LinearProgramLine(Application& app, CommandLine& line) {
  int f = 0, b = 0, c = 0;
  if (line.size() != 6 || !line.Letter(2, f) || !line.Letter(3, b) || !line.Letter(4, c)) return line.Usage();
  const std::string sense = line.Lower(1), action = line.Lower(5);
  if (sense != "max" && sense != "min") return line.Usage();
  TaskButton button;
  if (action == "find") button = TaskButton::Find;
  else if (action == "step") button = TaskButton::Step;
  else if (action == "reset") button = TaskButton::Reset;
  else return line.Usage();
  ResultCode rc = LinearProgram(app, sense == "max", f, b, c, button);
  if (IsOk(rc)) return PrintCompanion(app, line.out, app.workspace().lp());
  return rc;
}

ResultCode SaveLpLine(Application& app, CommandLine& line) {
  int letter = 0;
  if (line.size() != 2 || !line.Letter(1, letter)) return line.Usage();
  return SaveLpAs(app, letter);
}

}  // namespace tavrin
