#include "ui/TaskDialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/Application.h"
#include "core/Random.h"

namespace tavrin {

TaskDialog::TaskDialog(const QString& name, const QString& title, Application& app, QWidget* owner)
    : QDialog(owner), app_(app) {
  setObjectName(name);
  setWindowTitle(title);
  setModal(false);
  setSizeGripEnabled(false);
}

void TaskDialog::ShowDialog() {
  if (!placed_) {
    // Two draws of the program's generator, as every first placement uses.
    int x = 480 + ProgramRandom().Next() % 50;
    int y = 300 + ProgramRandom().Next() % 50;
    lastPosition_ = QPoint(x, y);
    placed_ = true;
  }
  if (!isVisible()) move(lastPosition_);
  show();
  raise();
  activateWindow();
}

int TaskDialog::LetterOf(const QComboBox* list) { return list->currentIndex() + 1; }

void TaskDialog::reject() {
  if (isVisible()) lastPosition_ = pos();
  hide();
  Hidden();
}

void TaskDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  reject();
}

QComboBox* TaskDialog::LetterList(int id, char initial) {
  auto* list = new QComboBox(this);
  list->setObjectName(QString::number(id));
  for (char c = 'A'; c <= 'Z'; ++c) list->addItem(QString(QChar(c)));
  list->setCurrentIndex(initial - 'A');
  return list;
}

QLineEdit* TaskDialog::Edit(int id, const QString& text, int maxLength) {
  auto* edit = new QLineEdit(text, this);
  edit->setObjectName(QString::number(id));
  edit->setMaxLength(maxLength);
  return edit;
}

QPushButton* TaskDialog::Button(int id, const QString& text, bool isDefault) {
  auto* button = new QPushButton(text, this);
  button->setObjectName(QString::number(id));
  button->setAutoDefault(false);
  button->setDefault(isDefault);
  return button;
}

QRadioButton* TaskDialog::Radio(int id, const QString& text, bool checked) {
  auto* radio = new QRadioButton(text, this);
  radio->setObjectName(QString::number(id));
  radio->setChecked(checked);
  return radio;
}

QCheckBox* TaskDialog::Check(int id, const QString& text, bool checked) {
  auto* box = new QCheckBox(text, this);
  box->setObjectName(QString::number(id));
  box->setChecked(checked);
  return box;
}

QLabel* TaskDialog::Label(const QString& text, int id) {
  auto* label = new QLabel(text, this);
  if (id != 0) label->setObjectName(QString::number(id));
  return label;
}

QPushButton* TaskDialog::CloseButton() {
  QPushButton* close = Button(2, QStringLiteral("close"));
  connect(close, &QPushButton::clicked, this, &TaskDialog::reject);
  return close;
}

}  // namespace tavrin
