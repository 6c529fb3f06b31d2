#pragma once
#include <string>

#include "app/Application.h"
#include "core/ResultCode.h"

namespace tavrin {

struct CommandLine;

// Calculate: the expression text evaluated in the current mode, its
// matrix stored under the letter with the text as its notebook. Refused
// with 111 while an entry is being edited; a scalar result is 102; a
// stopped evaluation (Q) returns Stopped and stores nothing.
ResultCode Calculate(Application& app, int letter, const std::string& text);

// Formula: a rows x cols matrix defined entry by entry (real and complex
// mode; integer mode computes and stores nothing, Stopped). A failure at an
// entry is reported with its place "entry (i, j)".
ResultCode Formula(Application& app, int letter, const std::string& rowsText, const std::string& colsText,
                   const std::string& text);

// Console: `calc L = TEXT` (also "calc L=TEXT"), `formula L ROWS COLS TEXT`.
ResultCode CalculateLine(Application& app, CommandLine& line);
ResultCode FormulaLine(Application& app, CommandLine& line);

}  // namespace tavrin
