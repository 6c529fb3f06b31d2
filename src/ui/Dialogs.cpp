#include "ui/Dialogs.h"

#include <QFile>
#include <QMessageBox>
#include <QWidget>

namespace tavrin {

struct TaskDialogs::Impl {
  Application& app;
  QWidget* owner;
};

TaskDialogs::TaskDialogs(Application& app, QWidget* owner) : impl_(std::make_unique<Impl>(Impl{app, owner})) {}
TaskDialogs::~TaskDialogs() = default;
void TaskDialogs::Show(const QString&) {}
void TaskDialogs::ModeChanged() {}
void TaskDialogs::CloseAll() {}

bool RunFormatDialog(QWidget*, DisplayFormat&) { return false; }
bool RunHyphenDialog(QWidget*, DisplayFormat&) { return false; }
void RunTexExport(QWidget*, Application&, MatrixDocument&, bool) {}

QString HelpPageText(const QString& name) {
  QFile file(QStringLiteral(":/help/%1.txt").arg(name));
  if (!file.open(QIODevice::ReadOnly)) return QString();
  QString text = QString::fromUtf8(file.readAll());
  int cut = text.indexOf(QStringLiteral("???"));
  return cut >= 0 ? text.left(cut) : text;
}

void ShowAbout(QWidget* parent) {
  QMessageBox::about(parent, QStringLiteral("about Tavrin"),
                     QStringLiteral("Tavrin 0.1\nA matrix calculator in real, complex and exact integer modes."));
}

ResultCode RunLongWork(QWidget*, const std::function<ResultCode()>& work, int) { return work(); }

}  // namespace tavrin
