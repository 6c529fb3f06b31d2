#pragma once
#include "app/Application.h"
#include "core/ResultCode.h"

namespace tavrin {

struct CommandLine;

// The commands a script has besides the program's own: `seed N` (the
// program-wide random generator), `answer yes|no|cancel` (the answer to
// the questions that follow), `echo TEXT`, `help` (the command list) and
// `quit`.
ResultCode SeedLine(Application& app, CommandLine& line);
ResultCode AnswerLine(Application& app, CommandLine& line);
ResultCode EchoLine(Application& app, CommandLine& line);
ResultCode HelpLine(Application& app, CommandLine& line);
ResultCode QuitLine(Application& app, CommandLine& line);

}  // namespace tavrin
