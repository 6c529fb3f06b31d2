#include "ui/TexExportDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/Application.h"
#include "app/commands/Commands.h"
#include "app/commands/Generators.h"
#include "core/StringTable.h"
#include "ui/Dialogs.h"

namespace tavrin {

namespace {

QRadioButton* MakeRadio(QWidget* parent, int id, const QString& text) {
  auto* radio = new QRadioButton(text, parent);
  radio->setObjectName(QString::number(id));
  return radio;
}

bool IsTable(TexForm form) { return form == TexForm::Table || form == TexForm::LatexTabular; }

QString Title(TexForm form) {
  switch (form) {
    case TexForm::Matrix:
      return QStringLiteral("matrix [TeX]");
    case TexForm::Table:
      return QStringLiteral("table [TeX]");
    case TexForm::LatexArray:
      return QStringLiteral("matrix [LaTeX]");
    case TexForm::LatexTabular:
      return QStringLiteral("table [LaTeX]");
  }
  return QString();
}

}  // namespace

TexOptionsDialog::TexOptionsDialog(QWidget* parent, TexForm form, const TexOptions& initial)
    : QDialog(parent), table_(IsTable(form)) {
  setObjectName(table_ ? QStringLiteral("TEXTABLE") : QStringLiteral("TEXMAT"));
  setWindowTitle(Title(form));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  if (!table_) {
    auto* box = new QGroupBox(this);
    auto* column = new QVBoxLayout(box);
    const char* texts[4] = {" matrix", "( matrix )", "[ matrix ]", "| matrix |"};
    auto* group = new QButtonGroup(this);
    for (int d = 0; d < 4; ++d) {
      delimiters_[d] = MakeRadio(box, 250 + d, QString::fromLatin1(texts[d]));
      group->addButton(delimiters_[d]);
      column->addWidget(delimiters_[d]);
    }
    delimiters_[std::clamp(initial.delimiter, 0, 3)]->setChecked(true);
    layout->addWidget(box);
  }
  auto* alignBox = new QGroupBox(this);
  auto* alignColumn = new QVBoxLayout(alignBox);
  const char* alignTexts[3] = {"entry ....", ".. entry ..", ".... entry"};
  auto* alignGroup = new QButtonGroup(this);
  for (int a = 0; a < 3; ++a) {
    alignments_[a] = MakeRadio(alignBox, 261 + a, QString::fromLatin1(alignTexts[a]));
    alignGroup->addButton(alignments_[a]);
    alignColumn->addWidget(alignments_[a]);
  }
  alignments_[std::clamp(initial.alignment, 0, 2)]->setChecked(true);
  layout->addWidget(alignBox);
  if (table_) {
    auto* row = new QGridLayout;
    auto* before = new QLabel(QStringLiteral("space before the first column:"), this);
    before->setObjectName(QStringLiteral("231"));
    factor_ = new QLineEdit(QStringLiteral("2.0"), this);
    factor_->setObjectName(QStringLiteral("211"));
    factor_->setMaxLength(30);
    auto* after = new QLabel(QStringLiteral("x column width (0 to 10)"), this);
    after->setObjectName(QStringLiteral("232"));
    row->addWidget(before, 0, 0);
    row->addWidget(factor_, 0, 1);
    row->addWidget(after, 0, 2);
    layout->addLayout(row);
    // The LaTeX tabular has no spacer column.
    if (form == TexForm::LatexTabular) {
      before->hide();
      factor_->hide();
      after->hide();
    }
  }
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("ok"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("1"));
  ok->setDefault(true);
  buttons->addButton(QStringLiteral("cancel"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("2"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

TexOptions TexOptionsDialog::Options() const {
  TexOptions o;
  for (int d = 0; d < 4; ++d)
    if (delimiters_[d] && delimiters_[d]->isChecked()) o.delimiter = d;
  for (int a = 0; a < 3; ++a)
    if (alignments_[a]->isChecked()) o.alignment = a;
  if (factor_) o.spacerFactor = ReadReal(factor_->text().left(30).toStdString());
  return o;
}

void RunTexExport(QWidget* parent, Application& app, const MatrixDocument& doc, TexForm form) {
  UserPort& port = app.port();
  std::string path;
  if (!port.ChooseFile(true, "TeX files (*.TEX)|*.tex", "noname.tex", path) || path.empty()) return;
  // The default extension, as the file dialog would add it.
  if (QFileInfo(QString::fromStdString(path)).suffix().isEmpty()) path += ".tex";
  if (QFileInfo::exists(QString::fromStdString(path)) &&
      port.Ask(String(str::kOverwrite), true) != Answer::Yes)
    return;
  TexOptionsDialog options(parent, form, TexOptions{});
  if (options.exec() != QDialog::Accepted) return;
  // The overwrite question came before the options, as the file dialog asks it.
  (void)ExportTex(app, doc, path, static_cast<int>(form), options.Options(), false);
}

void RunTexExport(QWidget* parent, Application& app, const MatrixDocument& doc, bool table) {
  RunTexExport(parent, app, doc, table ? TexForm::Table : TexForm::Matrix);
}

}  // namespace tavrin
