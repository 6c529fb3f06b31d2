#pragma once
#include <deque>
#include <string>
#include <vector>

#include "app/UserPort.h"

namespace tavrin {

// A scripted user: answers questions from a queue (default yes) and
// records everything it was asked and shown.
class FakePort : public UserPort {
 public:
  std::deque<Answer> answers;
  std::vector<std::string> questions;
  std::vector<ResultCode> codes;
  std::vector<std::string> notices;
  std::string chosenFile;  // empty: the file dialog is cancelled
  int shown = 0, hidden = 0, menusRebuilt = 0;

  Answer Ask(const std::string& question, bool) override {
    questions.push_back(question);
    if (answers.empty()) return Answer::Yes;
    Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  void ShowCode(ResultCode code) override { codes.push_back(code); }
  void ShowNotice(const std::string& text) override { notices.push_back(text); }
  bool ChooseFile(bool, const std::string&, const std::string&, std::string& path) override {
    if (chosenFile.empty()) return false;
    path = chosenFile;
    return true;
  }
  void ShowDocument(const MatrixDocument&) override { ++shown; }
  void HideDocument(const MatrixDocument&) override { ++hidden; }
  void LetterMenusChanged() override { ++menusRebuilt; }
};

}  // namespace tavrin
