#pragma once
#include <string>

#include "core/ResultCode.h"

namespace tavrin {

class MatrixDocument;

enum class Answer { Yes, No, Cancel };

// How the application model talks to the person using it: questions,
// messages, and the windows that show documents. The desktop program
// implements it with message boxes and windows, the console with text,
// tests with a scripted fake.
class UserPort {
 public:
  virtual ~UserPort() = default;

  // A question with caption "careful!": Yes/No, or Yes/No/Cancel.
  virtual Answer Ask(const std::string& question, bool withCancel) = 0;
  // An error box with caption "hmm ..." and the text string 400 + code.
  virtual void ShowCode(ResultCode code) = 0;
  // The same box for a failure at a place the user should know, such as
  // "entry (2, 3)": the code's text, a blank, then the place.
  virtual void ShowCodeAt(ResultCode code, const std::string& place) {
    (void)place;
    ShowCode(code);
  }
  // A plain notice such as "TeX file saved".
  virtual void ShowNotice(const std::string& text) = 0;

  // A file dialog: open (save = false) or save. filter is string 32/33/34
  // ("Matrix files (*.FMA)|*.fma"), or empty for any file. Returns false
  // when cancelled or when there is nobody to ask.
  virtual bool ChooseFile(bool save, const std::string& filter, const std::string& initial,
                          std::string& path) {
    (void)save, (void)filter, (void)initial, (void)path;
    return false;
  }

  // View hooks: a document was created, changed, shown or hidden; the
  // letter menus need rebuilding. The console ignores them.
  virtual void DocumentCreated(const MatrixDocument&) {}
  virtual void DocumentChanged(const MatrixDocument&) {}
  virtual void ShowDocument(const MatrixDocument&) {}
  virtual void HideDocument(const MatrixDocument&) {}
  virtual void LetterMenusChanged() {}
};

}  // namespace tavrin
