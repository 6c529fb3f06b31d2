#pragma once
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/Application.h"

namespace tavrin {

// A scripted user for the dialog tests: questions are answered from a
// queue (default yes), messages are recorded instead of shown, and the
// file dialog hands out a prepared path.
class UiFakePort : public UserPort {
 public:
  std::deque<Answer> answers;
  std::vector<std::string> questions;
  std::vector<int> codes;
  std::vector<std::string> notices;
  std::string chosenFile;  // empty: the file dialog is cancelled
  int shown = 0, hidden = 0;

  Answer Ask(const std::string& question, bool) override {
    questions.push_back(question);
    if (answers.empty()) return Answer::Yes;
    Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  void ShowCode(int code) override { codes.push_back(code); }
  void ShowNotice(const std::string& text) override { notices.push_back(text); }
  bool ChooseFile(bool, const std::string&, const std::string&, std::string& path) override {
    if (chosenFile.empty()) return false;
    path = chosenFile;
    return true;
  }
  void ShowDocument(MatrixDocument&) override { ++shown; }
  void HideDocument(MatrixDocument&) override { ++hidden; }
};

// Runs `act` on the modal dialog once it is up (polling the event loop),
// so that a test can fill in and close a dialog that exec() is running.
inline void WhenModal(std::function<void(QDialog*)> act, int attempt = 0) {
  QTimer::singleShot(10, [act, attempt] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog && dialog->isVisible()) {
      act(dialog);
    } else if (attempt < 300) {
      WhenModal(act, attempt + 1);
    }
  });
}

}  // namespace tavrin
