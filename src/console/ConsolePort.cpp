#include "console/ConsolePort.h"

#include "core/StringTable.h"

namespace tavrin {

Answer ConsolePort::Ask(const std::string& question, bool withCancel) {
  Answer a = answer_;
  if (a == Answer::Cancel && !withCancel) a = Answer::No;  // a Yes/No box has no Cancel
  static const char* const kWords[] = {"yes", "no", "cancel"};
  out_ << question << " -> " << kWords[static_cast<int>(a)] << "\n";
  return a;
}

void ConsolePort::ShowCode(ResultCode code) {
  if (!IsError(code)) return;
  out_ << "error " << CodeNumber(code) << ": " << CodeMessage(code) << "\n";
  error_ = true;
}

void ConsolePort::ShowCodeAt(ResultCode code, const std::string& place) {
  if (!IsError(code)) return;
  out_ << "error " << CodeNumber(code) << ": " << CodeMessage(code) << " " << place << "\n";
  error_ = true;
}

bool ConsolePort::ChooseFile(bool, const std::string&, const std::string& initial, std::string& path) {
  path = initial;
  return !path.empty();
}

void ConsolePort::ShowNotice(const std::string& text) { out_ << text << "\n"; }

}  // namespace tavrin
