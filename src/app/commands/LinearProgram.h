#pragma once
#include "app/Application.h"
#include "app/commands/CommandSupport.h"
#include "core/ResultCode.h"

namespace tavrin {

struct CommandLine;

// The Linear program dialog: letters of the objective F, the constraint
// matrix and the right-hand side, in the current mode. Find runs to the
// end, Step one pivot further than the last press (the counter is kept as
// the dialog keeps it and starts again when the choice changes), Reset
// only resets the counter. The result is shown in the linear-program
// window. Codes 108, 111 and the simplex's own; a stopped integer run
// shows nothing and returns Stopped.
ResultCode LinearProgram(Application& app, bool maximize, int f, int b, int c, TaskButton button);
// The dialog's selection changed: the next Step starts from the beginning.
void LpSelectionChanged(Application& app);
// "save as": the linear-program window's matrix under the letter (10 when
// it shows another mode's data).
ResultCode SaveLpAs(Application& app, int letter);

// Console: `lp max|min F B C find|step|reset` (prints the window) and
// `lp-save L`.
ResultCode LinearProgramLine(Application& app, CommandLine& line);
ResultCode SaveLpLine(Application& app, CommandLine& line);

}  // namespace tavrin
