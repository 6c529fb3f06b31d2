#pragma once
#include <QMainWindow>
#include <QPlainTextEdit>
#include <memory>

#include "io/WindowAppearance.h"

class QPrinter;
class QMenu;

namespace tavrin {

// The edit control of a text window: pasting keeps within the length limit
// so a huge clipboard text cannot stall the window.
class LimitedTextEdit : public QPlainTextEdit {
 public:
  explicit LimitedTextEdit(QWidget* parent) : QPlainTextEdit(parent) {}
  static constexpr int kMaxChars = 64000;

 protected:
  void insertFromMimeData(const QMimeData* source) override;
};

// A plain text viewer and editor: reports, help pages, "Text out", and the
// base of the notebook. Close only hides it.
class TextWindow : public QMainWindow {
  Q_OBJECT
 public:
  TextWindow(QWidget* owner, const QString& title, const QString& filePath, const QString& text,
             int fontIndex = 4);
  ~TextWindow() override;

  // Replaces the whole text (CR LF line ends kept as lines), cut to 64000
  // characters; the cursor goes to the start.
  void SetText(const QString& text);
  // The text as a file holds it: lines joined by CR LF.
  QString Text() const;
  void SetTitle(const QString& title);
  void SetFilePath(const QString& path) { filePath_ = path; }
  QString filePath() const { return filePath_; }
  bool hasFile() const { return hasFile_; }
  void ShowWindow();
  QPlainTextEdit* editor() const { return edit_; }

  // Commands. Paths given skip the file dialogs.
  bool Open(const QString& path = QString());
  bool Save(const QString& path = QString());
  bool SaveAs(const QString& path = QString());
  // Prints on the current printer; returns the number of pages, or 0 after
  // saying "no printer" or "cannot print".
  int Print();
  QPrinter& printer();
  void SelectPrinter();
  void Offsets();
  // Sets the searched word and looks for it; Next repeats. False when not found.
  bool Search(const QString& word);
  bool Next();
  void RestartAtTop();
  const QString& searchWord() const { return searchWord_; }
  void MinusSigns(int code);
  void FontCommand();
  void HelpCommand();
  virtual void CloseCommand();

  long double offsetH = 1.0L, offsetV = 1.0L;  // inches
  WindowAppearance& fonts() { return fonts_; }
  int fontIndex() const { return fontIndex_; }
  void ApplyFont();
  // Help pages laid out in columns use the fixed-pitch entry 2 instead of
  // the window's text font.
  void SetFixedPitch(bool on);
  bool fixedPitch() const { return fixedPitch_; }
  // The save question before the text is dropped: false on Cancel.
  bool AskSaveChanges();

 protected:
  void closeEvent(QCloseEvent* e) override;
  void BuildMenu(bool notebook);
  void UpdateEnabling();
  bool Find();
  bool WriteTo(const QString& path);
  void RenewPrinter();

  LimitedTextEdit* edit_;
  QString filePath_;
  bool hasFile_ = false;
  QString searchWord_;
  bool fixedPitch_ = false;
  QString lineEnd_ = QStringLiteral("\r\n");  // how the file's lines end
  bool searchFromCursor_ = true;
  int fontIndex_;
  WindowAppearance fonts_;
  std::unique_ptr<QPrinter> printer_;
  QAction* copy_ = nullptr;
  QAction* cut_ = nullptr;
  QAction* paste_ = nullptr;
  QAction* next_ = nullptr;
  QAction* save_ = nullptr;
};

}  // namespace tavrin
