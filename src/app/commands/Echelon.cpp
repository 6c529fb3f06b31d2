#include "app/commands/Echelon.h"

#include <algorithm>

#include "app/commands/CommandLine.h"
#include "app/commands/FormatText.h"
#include "core/Interrupt.h"
#include "core/StringTable.h"
#include "engine/EchelonEngine.h"
#include "engine/ExactEchelon.h"

namespace tavrin {

ResultCode Echelon(Application& app, int letter, TaskButton button) {
  TaskState& tasks = app.tasks();
  Workspace& ws = app.workspace();
  if (letter != tasks.echelonLetter) {
    if (tasks.echelonLetter != 0) tasks.echelonCounter = -1;
    tasks.echelonLetter = letter;
  }
  const Mode m = app.mode();  // only the current mode's letters are read
  MatrixDocument* doc = ws.Lookup(m, letter);
  if (!doc) return app.Fail(ResultCode::MatrixNotFound);
  if (doc->editing) return app.Fail(ResultCode::EditingInProgress);
  int64_t budget = 0;
  switch (button) {
    case TaskButton::Find: budget = kEchelonFinalBudget; break;
    case TaskButton::Reset: budget = 0; tasks.echelonCounter = 0; break;
    case TaskButton::Step: budget = std::max(tasks.echelonCounter + 1, 0); ++tasks.echelonCounter; break;
  }
  const std::string title = EchelonTitle(doc->letterChar());
  MatrixDocument& ech = ws.echelon();
  if (ech.kind() != KindOfMode(m)) ech.SetKind(KindOfMode(m));
  EchelonHighlight h;
  if (m == Mode::Integer) {
    IntegerMatrix copy = doc->q;
    StepLog steps;
    steps.Start(copy, title);
    const ResultCode run = app.RunLong(
        [&] {
          ResultCode status = ResultCode::Ok;
          h = ExactEchelonEngine(copy, budget, &steps, &app.interrupt(), &status);
          return status;
        },
        'Q');
    if (IsStopped(run)) return run;           // nothing half-reduced is shown
    if (IsError(run)) return app.Fail(run);  // memory ran out part way: likewise
    tasks.echelonSteps = std::move(steps);
    ech.Replace(copy);
  } else {
    ComplexMatrix copy = doc->z;
    tasks.echelonSteps.Start(copy, m == Mode::Complex, doc->format.places, title);
    h = EchelonEngine(copy, doc->Tolerance(), budget, &tasks.echelonSteps);
    ech.Replace(copy);
  }
  ech.format = doc->format;
  ech.FitWidth();  // the reduced entries, not those of the source
  ech.title = title;
  bool valid = h.Valid(doc->rows(), doc->cols());
  ech.highlightRow = valid ? h.row : -1;
  ech.highlightCol = valid ? h.col : -1;
  app.port().DocumentChanged(ech);
  ws.Show(ech);
  return ResultCode::Ok;
}

void EchelonLetterChanged(Application& app) { app.tasks().echelonCounter = -1; }

ResultCode SaveEchelonAs(Application& app, int letter) {
  return SaveCompanionAs(app, app.workspace().echelon(), letter, String(str::kEchelonForm));
}

ResultCode EchelonLine(Application& app, CommandLine& line) {
  int letter = 0;
  if (line.size() != 3 || !line.Letter(1, letter)) return line.Usage();
  const std::string b = line.Lower(2);
  TaskButton button;
  if (b == "final") button = TaskButton::Find;
  else if (b == "reset") button = TaskButton::Reset;
  else if (b == "step") button = TaskButton::Step;
  else return line.Usage();
  ResultCode c = Echelon(app, letter, button);
  if (IsOk(c)) return PrintCompanion(app, line.out, app.workspace().echelon());
  return c;
}

ResultCode SaveEchelonLine(Application& app, CommandLine& line) {
  int letter = 0;
  if (line.size() != 2 || !line.Letter(1, letter)) return line.Usage();
  return SaveEchelonAs(app, letter);
}

}  // namespace tavrin
