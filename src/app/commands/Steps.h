#pragma once
#include <string>

#include "app/Application.h"
#include "core/ResultCode.h"
#include "core/StepLog.h"

namespace tavrin {

struct CommandLine;

// The step log of a companion window (the echelon, operations or
// linear-program document) since its last reset; nullptr for any other
// document. Its last step is the window's status line.
const StepLog* StepsOf(const Application& app, const MatrixDocument& doc);
// The log as a standalone LaTeX document; code 10 when the window has no
// log yet.
ResultCode StepsLatexOf(const Application& app, const MatrixDocument& doc, std::string& text);
// The log as text: the starting matrix, then each step's operation and the
// matrix after it, as "Text out" writes them (code 10: no log yet).
ResultCode StepsTextOf(const Application& app, const MatrixDocument& doc, std::string& text);
// "Save steps as LaTeX": the overwrite question when the file exists, then
// "TeX file saved". An empty path asks for one through the port. Codes 10,
// 12.
ResultCode SaveSteps(Application& app, const MatrixDocument& doc, const std::string& path = std::string());

// Console: `steps echelon|oper|lp PATH`.
ResultCode StepsLine(Application& app, CommandLine& line);

}  // namespace tavrin
