#include "app/commands/Steps.h"

#include <filesystem>

#include "app/commands/CommandLine.h"
#include "core/StringTable.h"
#include "io/AtomicFile.h"
#include "io/DisplayFormat.h"
#include "io/StepsLatex.h"

namespace tavrin {

const StepLog* StepsOf(const Application& app, const MatrixDocument& doc) {
  const Workspace& ws = app.workspace();
  const TaskState& tasks = app.tasks();
  if (&doc == &ws.echelon()) return &tasks.echelonSteps;
  if (&doc == &ws.operations()) return &tasks.operationSteps;
  if (&doc == &ws.lp()) return &tasks.lpSteps;
  return nullptr;
}

ResultCode StepsLatexOf(const Application& app, const MatrixDocument& doc, std::string& text) {
  const StepLog* log = StepsOf(app, doc);
  if (!log || !log->started()) return ResultCode::NothingToShow;
  text = StepsLatex(*log, doc.format);
  return ResultCode::Ok;
}

ResultCode StepsTextOf(const Application& app, const MatrixDocument& doc, std::string& text) {
  const StepLog* log = StepsOf(app, doc);
  if (!log || !log->started()) return ResultCode::NothingToShow;
  const bool exact = log->numbers().exact;
  const MatrixKind kind = log->numbers().complex ? MatrixKind::Complex : MatrixKind::Real;
  auto matrixText = [&](const ComplexMatrix& z, const IntegerMatrix& q) {
    std::string out;
    ResultCode c = exact ? TextOut(doc.format, q, out) : TextOut(doc.format, z, kind, out);
    return IsOk(c) ? out : CodeMessage(c) + "\r\n";
  };
  text = log->title() + "\r\n" + matrixText(log->startZ(), log->startQ());
  for (const LoggedStep& s : log->steps()) {
    text += "\r\n" + s.text + "\r\n";
    if (s.hasMatrix && StepChangesMatrix(s.op, log->numbers())) text += matrixText(s.z, s.q);
  }
  return ResultCode::Ok;
}

ResultCode SaveSteps(Application& app, const MatrixDocument& doc, const std::string& givenPath) {
  std::string text;
  if (ResultCode c = StepsLatexOf(app, doc, text); NotOk(c)) return app.Fail(c);
  UserPort& port = app.port();
  std::string path = givenPath;
  if (path.empty() && (!port.ChooseFile(true, "TeX files (*.TEX)|*.tex", "steps.tex", path) || path.empty()))
    return ResultCode::Stopped;
  std::error_code ec;
  if (std::filesystem::exists(path, ec) && port.Ask(String(str::kOverwrite), true) != Answer::Yes)
    return ResultCode::Stopped;
  if (std::filesystem::is_directory(path, ec) || !WriteFileAtomically(path, text)) return app.Fail(ResultCode::CannotSaveFile);
  port.ShowNotice("TeX file saved");
  return ResultCode::Ok;
}

ResultCode StepsLine(Application& app, CommandLine& line) {
  const std::string which = line.Lower(1);
  const std::string path = line.Rest(2);
  Workspace& ws = app.workspace();
  MatrixDocument* doc = which == "echelon" ? &ws.echelon()
                        : which == "oper"  ? &ws.operations()
                        : which == "lp"    ? &ws.lp()
                                           : nullptr;
  if (!doc || path.empty()) return line.Usage();
  return SaveSteps(app, *doc, path);
}

}  // namespace tavrin
