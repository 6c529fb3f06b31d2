#include "console/Console.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "console/ConsoleSession.h"

namespace tavrin {

int RunConsole(int argc, char** argv, std::istream& in, std::ostream& out) {
  std::ifstream file;
  std::istream* source = &in;
  bool interactive = false;
  if (argc > 1) {
    file.open(argv[1], std::ios::binary);
    if (!file || std::filesystem::is_directory(argv[1])) {
      out << "error: cannot read " << argv[1] << "\n";
      return 2;
    }
    source = &file;
  } else {
    interactive = &in == &std::cin && isatty(STDIN_FILENO);
  }
  ConsoleSession session(out);
  std::string line;
  while (true) {
    if (interactive) out << "tavrin> " << std::flush;
    if (!std::getline(*source, line)) break;
    if (!session.RunLine(line, *source)) break;
  }
  if (interactive) out << "\n";
  return session.status();
}

}  // namespace tavrin
