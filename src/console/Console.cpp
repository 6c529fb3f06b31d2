#include "console/Console.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "core/StringTable.h"

namespace tavrin {

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

}  // namespace

int RunConsole(int argc, char** argv, std::istream& in, std::ostream& out) {
  std::ifstream file;
  std::istream* source = &in;
  if (argc > 1) {
    file.open(argv[1]);
    if (!file) {
      out << "error: cannot read " << argv[1] << "\n";
      return 2;
    }
    source = &file;
  }
  int status = 0;
  std::string line;
  while (std::getline(*source, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::string word;
    if (!(words >> word) || word[0] == '#') continue;
    word = Lower(word);
    if (word == "quit") break;
    if (word == "help") {
      out << "mode real|complex|integer\nhelp\nquit\n";
    } else if (word == "mode") {
      std::string m;
      words >> m;
      m = Lower(m);
      if (m != "real" && m != "complex" && m != "integer") {
        out << "error 1: " << CodeMessage(1) << "\n";
        status = std::max(status, 1);
      }
    } else {
      out << "error: unknown command " << word << "\n";
      status = 2;
    }
  }
  return status;
}

}  // namespace tavrin
