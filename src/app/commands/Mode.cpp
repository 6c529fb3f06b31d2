#include "app/commands/Mode.h"

#include "app/commands/CommandLine.h"
#include "core/StringTable.h"
#include "engine/ExactOperations.h"
#include "engine/Operations.h"
#include "lang/FormulaEngine.h"

namespace tavrin {

namespace {
const char* ModeName(Mode m) {
  switch (m) {
    case Mode::Complex: return String(str::kComplex);
    case Mode::Integer: return String(str::kInteger);
    default: return String(str::kReal);
  }
}
}  // namespace

std::string Caption(const Application& app) { return std::string("tavrin [") + ModeName(app.mode()) + "]"; }

ResultCode SwitchMode(Application& app, Mode m) {
  Workspace& ws = app.workspace();
  TaskState& tasks = app.tasks();
  if (ws.EditingGuard()) return ResultCode::EditingInProgress;
  if (m == app.mode()) return ResultCode::Ok;
  ws.SetMode(m);
  app.formulaEngine().SetComplexSwitch(m == Mode::Complex);
  // The echelon and operations windows follow the mode with zero matrices;
  // their logs and the operations' undo records belong to the old matrices.
  tasks.operations->Clear();
  tasks.exactOperations->Clear();
  tasks.echelonSteps.Clear();
  tasks.operationSteps.Clear();
  for (MatrixDocument* companion : {&ws.echelon(), &ws.operations()}) {
    companion->SetKind(KindOfMode(m));
    companion->highlightRow = companion->highlightCol = -1;
    app.port().DocumentChanged(*companion);
  }
  app.port().LetterMenusChanged();
  return ResultCode::Ok;
}

void ToggleWhiteBackgrounds(Application& app) {
  Workspace& ws = app.workspace();
  ws.SetWhiteBackgrounds(!ws.whiteBackgrounds());
  app.port().LetterMenusChanged();
}

ResultCode ModeLine(Application& app, CommandLine& line) {
  const std::string m = line.size() == 2 ? line.Lower(1) : "";
  if (m == "real") return SwitchMode(app, Mode::Real);
  if (m == "complex") return SwitchMode(app, Mode::Complex);
  if (m == "integer") return SwitchMode(app, Mode::Integer);
  return line.Usage();
}

ResultCode WhiteLine(Application& app, CommandLine& line) {
  const std::string a = line.size() == 2 ? line.Lower(1) : "";
  if (a != "on" && a != "off") return line.Usage();
  if ((a == "on") != app.workspace().whiteBackgrounds()) ToggleWhiteBackgrounds(app);
  return ResultCode::Ok;
}

}  // namespace tavrin
