#include "ui/Dialogs.h"

#include <QFile>
#include <QRegularExpression>
#include <QMap>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <utility>

#include "core/StringTable.h"
#include "ui/CalcDialogs.h"
#include "ui/FormatDialog.h"
#include "ui/GeneratorDialogs.h"
#include "ui/Resources.h"

namespace tavrin {

namespace {
template <class D>
TaskDialog* Make(Application& app, QWidget* owner) {
  return new D(app, owner);
}
// Each dialog under the name of its resource.
const std::pair<const char*, TaskDialog* (*)(Application&, QWidget*)> kMakers[] = {
    {"NEWDLG", Make<NewMatrixDialog>},
    {"COPY", Make<CopyColumnDialog>},
    {"ROT2D", Make<Rotate2DDialog>},
    {"ROT3D", Make<Rotate3DDialog>},
    {"IROT3D", Make<PythagoreanRotationDialog>},
    {"PROREF", Make<ReflectProjectDialog>},
    {"UNI", Make<UnimodularDialog>},
    {"CALC", Make<CalcDialog>},
    {"SOLVE", Make<SolveDialog>},
    {"LINPRO", Make<LinearProgramDialog>},
    {"ECH", Make<EchelonDialog>},
    {"OPER", Make<OperationsDialog>},
    {"FMLA", Make<FormulaDialog>},
};
}  // namespace

struct TaskDialogs::Impl {
  Application& app;
  QWidget* owner;
  // Guarded: the owner deletes its children when it goes first.
  QMap<QString, QPointer<TaskDialog>> dialogs;

  TaskDialog* Create(const QString& name) {
    for (const auto& [resource, make] : kMakers)
      if (name == QLatin1String(resource)) return make(app, owner);
    return nullptr;
  }
};

TaskDialogs::TaskDialogs(Application& app, QWidget* owner)
    : impl_(std::make_unique<Impl>(Impl{app, owner, {}})) {}

TaskDialogs::~TaskDialogs() {
  // Without an owner nobody else deletes them.
  for (const QPointer<TaskDialog>& d : impl_->dialogs)
    if (d && !d->parent()) delete d.data();
}

void TaskDialogs::Show(const QString& name) {
  QPointer<TaskDialog>& dialog = impl_->dialogs[name];
  if (!dialog) dialog = impl_->Create(name);
  if (!dialog) {
    impl_->dialogs.remove(name);
    return;
  }
  dialog->ShowDialog();
}

void TaskDialogs::ModeChanged() {
  for (const QPointer<TaskDialog>& d : impl_->dialogs)
    if (d) d->ModeChanged();
  if (TaskDialog* uni = impl_->dialogs.value(QStringLiteral("UNI")).data(); uni && impl_->app.mode() != Mode::Integer)
    uni->hide();
}

void TaskDialogs::LettersChanged() {
  for (const QPointer<TaskDialog>& d : impl_->dialogs)
    if (d) d->MarkUsedLetters();
}

void TaskDialogs::CloseAll() {
  for (const QPointer<TaskDialog>& d : impl_->dialogs)
    if (d) d->hide();
}

QDialog* TaskDialogs::Find(const QString& name) const { return impl_->dialogs.value(name).data(); }

namespace {

// An error box "hmm ..." with the code's message, or the port's own way.
void Refuse(QWidget* parent, UserPort* port, ResultCode code) {
  if (port) {
    port->ShowCode(code);
    return;
  }
  QMessageBox::warning(parent, QString::fromUtf8(String(str::kHmm)), QString::fromStdString(CodeMessage(code)));
}

}  // namespace

bool RunFormatDialog(QWidget* parent, DisplayFormat& format, UserPort* port) {
  FormatDialog dialog(parent, format, [parent, port](ResultCode code) { Refuse(parent, port, code); });
  return dialog.exec() == QDialog::Accepted;
}

bool RunHyphenDialog(QWidget* parent, DisplayFormat& format, UserPort* port) {
  HyphenDialog dialog(parent, format.minusCode);
  bool repaint = false;
  if (dialog.exec() == QDialog::Accepted) {
    std::string text = dialog.Text().toStdString();
    ResultCode c = ApplyHyphenDialog(format, &text, &repaint);
    if (IsError(c)) Refuse(parent, port, c);
  } else {
    (void)ApplyHyphenDialog(format, nullptr, &repaint);
  }
  return repaint;
}

QString HelpPageText(const QString& name) {
  LoadProgramResources();
  QFile file(QStringLiteral(":/help/%1.txt").arg(name));
  if (!file.open(QIODevice::ReadOnly)) return QString();
  QString text = QString::fromUtf8(file.readAll());
  int cut = text.indexOf(QStringLiteral("???"));
  return cut >= 0 ? text.left(cut) : text;
}

bool LinesUpInColumns(const QString& text) {
  static const QRegularExpression gap(QStringLiteral("\\S {2,}\\S|\\t"));
  int lines = 0;
  for (const QString& line : text.split('\n'))
    if (line.contains(gap) && ++lines >= 2) return true;
  return false;
}

void ShowAbout(QWidget* parent) {
  QMessageBox box(parent);
  box.setObjectName(QStringLiteral("ABOUTBOX"));
  box.setWindowTitle(QStringLiteral("about Tavrin"));
  box.setText(QStringLiteral("Tavrin"));
  box.setInformativeText(
      QStringLiteral("A matrix calculator with real, complex and exact integer modes.\nversion 0.1"));
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

}  // namespace tavrin
