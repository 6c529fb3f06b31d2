#pragma once
#include "app/Application.h"
#include "app/commands/CommandSupport.h"
#include "core/ResultCode.h"

namespace tavrin {

struct CommandLine;

// The Echelon dialog on the letter's matrix of the current mode: Find
// ("final") reduces to the end, Step one step further than the last press
// (the counter is kept as the dialog keeps it), Reset shows the matrix
// again. The echelon window shows the result and the pivot. Codes 108,
// 111; a stopped integer reduction shows nothing and returns Stopped.
ResultCode Echelon(Application& app, int letter, TaskButton button);
// The dialog's letter changed: the next Step starts from the beginning.
void EchelonLetterChanged(Application& app);
// "save as": the echelon window's matrix under the letter (10 when it
// shows another mode's data).
ResultCode SaveEchelonAs(Application& app, int letter);

// Console: `echelon L final|reset|step` (prints the window), `echelon-save L`.
ResultCode EchelonLine(Application& app, CommandLine& line);
ResultCode SaveEchelonLine(Application& app, CommandLine& line);

}  // namespace tavrin
