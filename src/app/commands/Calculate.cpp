#include "app/commands/Calculate.h"

#include <cctype>

#include "app/commands/CommandLine.h"
#include "app/commands/CommandSupport.h"
#include "core/Interrupt.h"
#include "core/Random.h"
#include "lang/Expression.h"
#include "lang/FormulaEngine.h"

namespace tavrin {

ResultCode Calculate(Application& app, int letter, const std::string& text) {
  Workspace& ws = app.workspace();
  if (ws.EditingGuard()) return ResultCode::EditingInProgress;
  ExprValue value;
  MatrixLookup lookup = SnapshotLookup(ws, text);
  const Mode mode = app.mode();
  ResultCode c = app.RunLong([&] { return CalculateExpression(text, mode, lookup, value, app.interrupt()); }, 'Q');
  if (IsStopped(c)) return c;  // stopped: nothing is stored
  if (IsError(c)) return app.Fail(c);  // a scalar result is 102 "not a matrix" too
  return mode == Mode::Integer ? Store(app, letter, std::move(value.integerMatrix), text)
                               : Store(app, letter, std::move(value.matrix), text);
}

ResultCode Formula(Application& app, int letter, const std::string& rowsText, const std::string& colsText,
                   const std::string& text) {
  if (app.workspace().EditingGuard()) return ResultCode::EditingInProgress;
  FormulaCommandResult result;
  FormulaEngine& engine = app.formulaEngine();
  ResultCode run = app.RunLong(
      [&] {
        // On the long-work thread ProgramRandom() is that thread's own generator.
        result = RunFormulaCommand(engine, rowsText, colsText, text, app.interrupt(), ProgramRandom());
        return result.code;
      },
      'Q');
  if (run == ResultCode::LowMemory) result.code = run;
  if (IsStopped(result.code)) return result.code;  // stopped: nothing is stored
  if (result.failedRow > 0) {
    app.port().ShowCodeAt(result.code, "entry (" + std::to_string(result.failedRow) + ", " +
                                           std::to_string(result.failedCol) + ")");
    return result.code;
  }
  if (IsError(result.code)) return app.Fail(result.code);
  if (app.mode() == Mode::Integer) return ResultCode::Stopped;  // integer mode stores nothing
  return Store(app, letter, result.matrix, result.description);
}

ResultCode CalculateLine(Application& app, CommandLine& line) {
  int letter = 0;
  if (line.size() < 3 || !line.Letter(1, letter) || line[2] != "=") {
    // "calc L =TEXT" and "calc L=TEXT" are accepted too.
    std::string rest = line.Rest(1);
    size_t eq = rest.find('=');
    if (eq == std::string::npos) return line.Usage();
    std::string name = rest.substr(0, rest.find_first_of(" =\t"));
    if (name.size() != 1 || !std::isalpha(static_cast<unsigned char>(name[0]))) return line.Usage();
    letter = std::toupper(static_cast<unsigned char>(name[0])) - 'A' + 1;
    std::string text = rest.substr(eq + 1);
    text.erase(0, text.find_first_not_of(" \t"));
    return Calculate(app, letter, text);
  }
  return Calculate(app, letter, line.Rest(3));
}

ResultCode FormulaLine(Application& app, CommandLine& line) {
  int letter = 0;
  if (line.size() < 5 || !line.Letter(1, letter)) return line.Usage();
  return Formula(app, letter, line[2], line[3], line.Rest(4));
}

}  // namespace tavrin
