#pragma once
#include <string>

#include "app/Application.h"
#include "core/ResultCode.h"

namespace tavrin {

struct CommandLine;

// The Row/clm operations dialog on the operations window's matrix. Index
// texts are 1-based and read as the dialog's boxes read them (at most 10
// characters); factors are scalar expressions of the mode (fractions in
// integer mode). Every applied operation is one undo record and one step
// of the window's log.

// Reset: the window shows a copy of the letter's matrix; history and log
// start afresh. Codes 108, 111.
ResultCode ResetOperations(Application& app, int letter);
// Multiplies row (column) k by the factor. Codes 17, 111, the factor's.
ResultCode OperMultiply(Application& app, bool columns, const std::string& indexText, const std::string& factorText);
// Adds factor times row (column) s to row (column) t. Codes 9 (s = t), 17,
// 111, the factor's.
ResultCode OperAdd(Application& app, bool columns, const std::string& sourceText, const std::string& targetText,
                   const std::string& factorText);
// Exchanges two rows (columns). Codes 9, 17, 111.
ResultCode OperSwap(Application& app, bool columns, const std::string& aText, const std::string& bText);
// Takes back the newest operation (nothing when there is none). Code 111.
ResultCode OperUndo(Application& app);
bool CanUndoOperations(const Application& app);

// Console: `oper reset L`, `oper rows|columns multiply|add|swap ...`,
// `oper undo`, `oper show`.
ResultCode OperationsLine(Application& app, CommandLine& line);

}  // namespace tavrin
