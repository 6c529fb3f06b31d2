#pragma once
#include <iosfwd>

namespace tavrin {

// Runs tavrin-console: the script named by argv[1], or the lines of in.
// Returns the exit status (0 all succeeded, 1 an error was reported,
// 2 the script could not be read or a line was not a command).
int RunConsole(int argc, char** argv, std::istream& in, std::ostream& out);

}  // namespace tavrin
