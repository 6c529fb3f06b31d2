#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "app/Application.h"
#include "io/DisplayFormat.h"

class QWidget;
class QDialog;

namespace tavrin {

// The modeless task and generator dialogs of the main frame (NEWDLG, COPY,
// ROT2D, ROT3D, IROT3D, PROREF, UNI, CALC, SOLVE, LINPRO, ECH, OPER, FMLA):
// each created on first use, hidden on close or Esc, keeping its texts and
// position.
class TaskDialogs : public QObject {
  Q_OBJECT
 public:
  TaskDialogs(Application& app, QWidget* owner);
  ~TaskDialogs() override;
  // Shows (creating on first use) the dialog with this resource name.
  void Show(const QString& name);
  // The mode changed: NEWDLG adapts its title and defaults, UNI hides
  // outside integer mode.
  void ModeChanged();
  // The workspace changed: the letter lists mark the letters in use.
  void LettersChanged();
  // Hides every dialog (main frame cleanup).
  void CloseAll();
  // The dialog with this resource name, or nullptr while it was never shown.
  QDialog* Find(const QString& name) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Modal dialogs a matrix window uses. Each returns true when OK changed
// something. Refusals ("out of bounds", "inconsistent data") go to the
// port when one is given, else to a message box.
bool RunFormatDialog(QWidget* parent, DisplayFormat& format, UserPort* port = nullptr);
bool RunHyphenDialog(QWidget* parent, DisplayFormat& format, UserPort* port = nullptr);
// "TeX matrix" / "TeX table": save dialog (through the port), overwrite
// question, option dialog, the file, "TeX file saved".
void RunTexExport(QWidget* parent, Application& app, const MatrixDocument& doc, bool table);
// The four export forms (commands 622 to 625).
enum class TexForm { Matrix, Table, LatexArray, LatexTabular };
void RunTexExport(QWidget* parent, Application& app, const MatrixDocument& doc, TexForm form);

// The text of an embedded help page ("PROGHELP", "TVMFILEH", ...), cut at
// the first "???".
QString HelpPageText(const QString& name);
// Whether a page lays text out in columns (two or more lines with a gap of
// blanks inside them): such pages need a fixed-pitch font to line up.
bool LinesUpInColumns(const QString& text);
void ShowAbout(QWidget* parent);

// Runs work off the interface thread behind a modal progress dialog that
// shows the prompt strings; Q (or S when stopKey is 'S') becomes the poll's
// answer. Returns the work's code. The work runs on another thread: it
// must compute only (no port calls, no windows); report afterwards.
ResultCode RunLongWork(QWidget* parent, const std::function<ResultCode()>& work, int stopKey = 'Q');

}  // namespace tavrin
