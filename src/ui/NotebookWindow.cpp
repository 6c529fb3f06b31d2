#include "ui/NotebookWindow.h"

#include <QFileInfo>

#include "app/Application.h"
#include "app/MatrixDocument.h"
#include "app/commands/DocumentWindow.h"
#include "ui/Messages.h"

namespace tavrin {

NotebookWindow::NotebookWindow(QWidget* owner, Application& app, const MatrixDocument& doc, int fontIndex)
    : TextWindow(owner, QString(), "notebook.txt", QString(), fontIndex), app_(app), doc_(doc) {
  setObjectName("NotebookWindow");
  BuildMenu(true);
  connect(edit_, &QPlainTextEdit::textChanged, this, [this] {
    if (!refreshing_) SetNotes(app_, app_.workspace().Writable(doc_), ToProgramText(Text()));
  });
  Refresh();
}

QString NotebookWindow::NotebookTitle() const {
  std::string name = doc_.fileName.empty() ? doc_.defaultFileName : doc_.fileName;
  // Both separators count: files may come from either kind of system.
  size_t slash = name.find_last_of("/\\");
  if (slash != std::string::npos) name = name.substr(slash + 1);
  size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name = name.substr(0, dot);
  return "notebook [" + QString::fromStdString(name) + "]";
}

void NotebookWindow::Refresh() {
  refreshing_ = true;
  if (ToProgramText(Text()) != doc_.notebook) SetText(ProgramText(doc_.notebook));
  refreshing_ = false;
  setWindowTitle(NotebookTitle());
}

void NotebookWindow::CloseCommand() {
  hide();
  NotesOpened(app_, app_.workspace().Writable(doc_));
}

}  // namespace tavrin
