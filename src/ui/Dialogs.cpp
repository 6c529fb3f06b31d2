#include "ui/Dialogs.h"

#include <QFile>
#include <QRegularExpression>
#include <QMap>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "core/StringTable.h"
#include "ui/CalcDialogs.h"
#include "ui/FormatDialog.h"
#include "ui/GeneratorDialogs.h"

// The help pages live in the ui library; a static library needs its
// resources registered by hand.
static void LoadHelpResources() {
  static const bool loaded = [] {
    Q_INIT_RESOURCE(tavrin);
    return true;
  }();
  (void)loaded;
}

namespace tavrin {

struct TaskDialogs::Impl {
  Application& app;
  QWidget* owner;
  // Guarded: the owner deletes its children when it goes first.
  QMap<QString, QPointer<TaskDialog>> dialogs;

  TaskDialog* Create(const QString& name) {
    if (name == QLatin1String("NEWDLG")) return new NewMatrixDialog(app, owner);
    if (name == QLatin1String("COPY")) return new CopyColumnDialog(app, owner);
    if (name == QLatin1String("ROT2D")) return new Rotate2DDialog(app, owner);
    if (name == QLatin1String("ROT3D")) return new Rotate3DDialog(app, owner);
    if (name == QLatin1String("IROT3D")) return new PythagoreanRotationDialog(app, owner);
    if (name == QLatin1String("PROREF")) return new ReflectProjectDialog(app, owner);
    if (name == QLatin1String("UNI")) return new UnimodularDialog(app, owner);
    if (name == QLatin1String("CALC")) return new CalcDialog(app, owner);
    if (name == QLatin1String("SOLVE")) return new SolveDialog(app, owner);
    if (name == QLatin1String("LINPRO")) return new LinearProgramDialog(app, owner);
    if (name == QLatin1String("ECH")) return new EchelonDialog(app, owner);
    if (name == QLatin1String("OPER")) return new OperationsDialog(app, owner);
    if (name == QLatin1String("FMLA")) return new FormulaDialog(app, owner);
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
  LoadHelpResources();
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
