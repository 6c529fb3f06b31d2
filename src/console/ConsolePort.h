#pragma once
#include <ostream>
#include <string>

#include "app/UserPort.h"

namespace tavrin {

// The console's user: questions print "QUESTION -> ANSWER" and take the
// answer set by the `answer` command; messages print "error CODE: TEXT".
class ConsolePort : public UserPort {
 public:
  explicit ConsolePort(std::ostream& out) : out_(out) {}

  Answer Ask(const std::string& question, bool withCancel) override;
  void ShowCode(ResultCode code) override;
  void ShowCodeAt(ResultCode code, const std::string& place) override;
  void ShowNotice(const std::string& text) override;
  // There is no file dialog: the name it would offer is taken.
  bool ChooseFile(bool save, const std::string& filter, const std::string& initial, std::string& path) override;

  void SetAnswer(Answer a) { answer_ = a; }
  bool errorReported() const { return error_; }
  void ClearError() { error_ = false; }

 private:
  std::ostream& out_;
  Answer answer_ = Answer::Yes;
  bool error_ = false;
};

}  // namespace tavrin
