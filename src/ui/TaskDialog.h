#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPoint>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

namespace tavrin {

class Application;

// Base of the modeless task and generator dialogs: built once, hidden (not
// destroyed) by "close" or Esc, keeping its texts, selections and position.
// Every control carries its control id as object name ("211", "295", "91").
class TaskDialog : public QDialog {
  Q_OBJECT
 public:
  TaskDialog(const QString& name, const QString& title, Application& app, QWidget* owner);

  // Shows the dialog and brings it to the top; the first time at a slightly
  // random spot so that several dialogs do not cover each other exactly.
  void ShowDialog();
  // The mode changed (default: nothing).
  virtual void ModeChanged() {}

  // The letter lists hold "A".."Z"; 0-based index = letter - 1.
  static int LetterOf(const QComboBox* list);
  // Marks the letters that hold a matrix of the current mode (bold, with
  // their sizes beside them in the open list); the texts stay the letters.
  void MarkUsedLetters();
  // The size shown beside a letter of a list ("3 x 4"), empty when unused.
  static QString LetterNote(const QComboBox* list, int letter);

 protected:
  // Esc and the close button hide; the position is kept for the next show.
  void reject() override;
  void closeEvent(QCloseEvent* event) override;
  // Runs when the dialog is hidden by close or Esc.
  virtual void Hidden() {}
  // The control that takes the keyboard at every show (nullptr: Qt's choice).
  virtual QWidget* FocusOnShow() { return nullptr; }

  QComboBox* LetterList(int id, char initial);
  QLineEdit* Edit(int id, const QString& text, int maxLength = 255);
  QPushButton* Button(int id, const QString& text, bool isDefault = false);
  QRadioButton* Radio(int id, const QString& text, bool checked = false);
  QCheckBox* Check(int id, const QString& text, bool checked = false);
  QLabel* Label(const QString& text, int id = 0);
  // The "close" button [2].
  QPushButton* CloseButton();

  Application& app_;

 private:
  QList<QComboBox*> letterLists_;
  bool placed_ = false;
  QPoint lastPosition_;
};

}  // namespace tavrin
