#pragma once
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "app/Application.h"
#include "console/ConsolePort.h"

namespace tavrin {

// One tavrin-console run: a workspace of its own and the commands of the
// scripting language, each mapped onto the application's operations.
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
  using Words = std::vector<std::string>;
  void Dispatch(const std::string& command, const Words& w, const std::string& line, std::istream& in);
  bool Letter(const std::string& word, int& letter);
  MatrixDocument* Document(const std::string& word);
  void Usage(const std::string& command);
  void Failed() { status_ = std::max(status_, 1); }
  void Check(ResultCode c) {
    if (c > 0) Failed();
  }
  bool PrintWindow(MatrixDocument& doc, const std::string& title);
  void PrintValues(const MatrixDocument& doc);
  // A companion window: title, matrix text, then "highlight R C" or "highlight none".
  void PrintCompanion(MatrixDocument& doc);

  void Enter(const Words& w, std::istream& in);
  void New(const Words& w);
  void Generator(const std::string& command, const Words& w);
  void Edit(const std::string& command, const Words& w, const std::string& line);
  void Echelon(const Words& w);
  void LinearProgram(const Words& w);
  void Operations(const Words& w, const std::string& line);
  void Tex(const Words& w);
  void Paste(std::istream& in);

  std::ostream& out_;
  ConsolePort port_;
  Application app_;
  int status_ = 0;
};

// Text after the first `skip` blank-separated words of a line, as typed.
std::string RestOfLine(const std::string& line, int skip);

}  // namespace tavrin
