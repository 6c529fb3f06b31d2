#pragma once
#include <string>

#include "app/Application.h"
#include "core/ResultCode.h"

namespace tavrin {

struct CommandLine;

// "tavrin [real]" / "[complex]" / "[integer]".
std::string Caption(const Application& app);
// The mode switch (refused with 111 while an entry is being edited). The
// echelon and operations windows follow with zero matrices of the new kind.
ResultCode SwitchMode(Application& app, Mode m);
// The "White backgrounds" option.
void ToggleWhiteBackgrounds(Application& app);

// Console: `mode real|complex|integer`, `white on|off`.
ResultCode ModeLine(Application& app, CommandLine& line);
ResultCode WhiteLine(Application& app, CommandLine& line);

}  // namespace tavrin
