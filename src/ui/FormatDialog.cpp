#include "ui/FormatDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tavrin {

namespace {

// Mask bits each template shows.
int32_t TemplateBits(int32_t mask) {
  switch (mask) {
    case 1:
    case 2:
    case 3:
    case 5:
    case 15:
    case 19:
      return mask;
    default:
      return 1;
  }
}

QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* box = new QDialogButtonBox(dialog);
  QPushButton* ok = box->addButton(QStringLiteral("ok"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("1"));
  ok->setDefault(true);
  QPushButton* cancel = box->addButton(QStringLiteral("cancel"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("2"));
  QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return box;
}

}  // namespace

QString FormatTemplateName(int32_t mask) {
  switch (mask) {
    case 2:
      return QStringLiteral("FW");
    case 3:
      return QStringLiteral("FWDP");
    case 5:
      return QStringLiteral("DPSN");
    case 15:
      return QStringLiteral("FWDPSN");
    case 19:
      return QStringLiteral("FWDPTAB");
    default:
      return QStringLiteral("DP");
  }
}

FormatDialog::FormatDialog(QWidget* parent, DisplayFormat& format, std::function<void(ResultCode)> refuse)
    : QDialog(parent), format_(format), target_(&format), refuse_(std::move(refuse)),
      shown_(TemplateBits(format.dialogMask)) {
  Build();
}

FormatDialog::FormatDialog(QWidget* parent, const DisplayFormat& format,
                           std::function<ResultCode(const FormatChoice&)> apply)
    : QDialog(parent), format_(format), apply_(std::move(apply)), shown_(TemplateBits(format.dialogMask)) {
  Build();
}

void FormatDialog::Build() {
  const DisplayFormat& format = format_;
  setObjectName(FormatTemplateName(format.dialogMask));
  setWindowTitle(QStringLiteral("format"));
  setModal(true);
  auto* grid = new QGridLayout(this);
  int row = 0;
  if (shown_ & 1) {
    places_ = new QLineEdit(QString::number(format.places), this);
    places_->setObjectName(QStringLiteral("211"));
    places_->setMaxLength(20);
    grid->addWidget(new QLabel(QStringLiteral("decimal places"), this), row, 0);
    grid->addWidget(places_, row++, 1);
  }
  if (shown_ & 2) {
    width_ = new QLineEdit(QString::number(format.width), this);
    width_->setObjectName(QStringLiteral("212"));
    width_->setMaxLength(20);
    grid->addWidget(new QLabel(QStringLiteral("field width"), this), row, 0);
    grid->addWidget(width_, row++, 1);
  }
  if (shown_ & 4) {
    scientific_ = new QCheckBox(QStringLiteral("scientific notation"), this);
    scientific_->setObjectName(QStringLiteral("271"));
    scientific_->setChecked(format.scientific);
    grid->addWidget(scientific_, row++, 0, 1, 2);
  }
  if (shown_ & 8) {
    replaceE_ = new QCheckBox(QStringLiteral("replace E by *10^"), this);
    replaceE_->setObjectName(QStringLiteral("272"));
    replaceE_->setChecked(format.replaceE);
    grid->addWidget(replaceE_, row++, 0, 1, 2);
  }
  if (shown_ & 16) {
    table1_ = new QRadioButton(QStringLiteral("matrix"), this);
    table1_->setObjectName(QStringLiteral("251"));
    table2_ = new QRadioButton(QStringLiteral("table"), this);
    table2_->setObjectName(QStringLiteral("252"));
    auto* group = new QButtonGroup(this);
    group->addButton(table1_);
    group->addButton(table2_);
    (format.tableChoice ? table2_ : table1_)->setChecked(true);
    grid->addWidget(table1_, row, 0);
    grid->addWidget(table2_, row++, 1);
  }
  grid->addWidget(OkCancel(this), row, 0, 1, 2);
}

void FormatDialog::accept() {
  // Hidden boxes pass the record's own values; the io layer ignores them.
  std::string places = places_ ? places_->text().toStdString() : std::to_string(format_.places);
  std::string width = width_ ? width_->text().toStdString() : std::to_string(format_.width);
  bool scientific = scientific_ ? scientific_->isChecked() : format_.scientific;
  bool replaceE = replaceE_ ? replaceE_->isChecked() : format_.replaceE;
  bool table = table2_ ? table2_->isChecked() : format_.tableChoice;
  // The mask tells which texts count; make it the template's (a mask
  // without a template of its own shows places only).
  if (apply_) {
    if (IsError(apply_({places, width, scientific, replaceE, table, shown_}))) return;  // reported; stays open
    QDialog::accept();
    return;
  }
  int32_t mask = target_->dialogMask;
  target_->dialogMask = shown_;
  ResultCode c = ApplyFormatDialog(*target_, places, width, scientific, replaceE, table);
  target_->dialogMask = mask;
  if (IsError(c)) {
    if (refuse_) refuse_(c);
    return;
  }
  QDialog::accept();
}

HyphenDialog::HyphenDialog(QWidget* parent, int16_t code) : QDialog(parent) {
  setObjectName(QStringLiteral("ONEINPUT"));
  setWindowTitle(QStringLiteral("lengthen hyphens"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("ASCII value of new minus sign"), this));
  edit_ = new QLineEdit(QString::number(code), this);
  edit_->setObjectName(QStringLiteral("211"));
  edit_->setMaxLength(10);
  layout->addWidget(edit_);
  layout->addWidget(OkCancel(this));
}

QString HyphenDialog::Text() const { return edit_->text(); }

}  // namespace tavrin
