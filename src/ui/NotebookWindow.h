#pragma once
#include "ui/TextWindow.h"

namespace tavrin {

class Application;
class MatrixDocument;

// The notes kept with one matrix. The document holds the text; this window
// shows it and hands what is typed to the notebook commands.
class NotebookWindow : public TextWindow {
  Q_OBJECT
 public:
  NotebookWindow(QWidget* owner, Application& app, const MatrixDocument& doc, int fontIndex);
  // Refills the edit control from the document and sets the title.
  void Refresh();
  // "notebook [name]", the owner's file name without directory or extension.
  QString NotebookTitle() const;
  void CloseCommand() override;

 private:
  Application& app_;
  const MatrixDocument& doc_;
  bool refreshing_ = false;
};

}  // namespace tavrin
