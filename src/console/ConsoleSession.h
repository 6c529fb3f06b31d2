#pragma once
#include <istream>
#include <ostream>
#include <string>

#include "app/Application.h"
#include "console/ConsolePort.h"

namespace tavrin {

// One tavrin-console run: a workspace of its own, and each line handed to
// the command the command table names by its first word.
class ConsoleSession {
 public:
  explicit ConsoleSession(std::ostream& out);

  // Runs one line (reading continuation lines of `enter` and `paste` from
  // in). Returns false when the script ends (`quit`).
  bool RunLine(const std::string& line, std::istream& in);
  // 0 all succeeded, 1 an error was reported, 2 a line was not a command.
  int status() const { return status_; }
  Application& app() { return app_; }

 private:
  std::ostream& out_;
  ConsolePort port_;
  Application app_;
  int status_ = 0;
};

}  // namespace tavrin
