#include "ui/TaskDialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <QStyledItemDelegate>

#include "app/Application.h"
#include "app/commands/Commands.h"
#include "core/Random.h"

namespace tavrin {

namespace {
constexpr int kNoteRole = Qt::UserRole + 1;

// The open list shows a letter's size after it; the item's text stays the
// letter, which is what the dialogs and the keyboard search read.
class LetterDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    const QString note = index.data(kNoteRole).toString();
    if (!note.isEmpty()) option->text += QStringLiteral("   ") + note;
  }
};
}  // namespace

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
    int x = 480 + app_.random().Next() % 50;
    int y = 300 + app_.random().Next() % 50;
    lastPosition_ = QPoint(x, y);
    placed_ = true;
  }
  if (!isVisible()) move(lastPosition_);
  MarkUsedLetters();
  show();
  raise();
  activateWindow();
  if (QWidget* first = FocusOnShow()) {
    first->setFocus(Qt::TabFocusReason);  // as if tabbed to: a line edit selects its text
    if (auto* edit = qobject_cast<QLineEdit*>(first)) edit->selectAll();
  }
}

void TaskDialog::MarkUsedLetters() {
  const Workspace& ws = app_.workspace();
  for (QComboBox* list : letterLists_) {
    for (int letter = 1; letter <= 26 && letter <= list->count(); ++letter) {
      const MatrixDocument* doc = ws.Lookup(letter);
      QFont font = list->font();
      font.setBold(doc != nullptr);
      list->setItemData(letter - 1, doc ? QVariant(font) : QVariant(), Qt::FontRole);
      list->setItemData(letter - 1, doc ? QString("%1 x %2").arg(doc->rows()).arg(doc->cols()) : QString(), kNoteRole);
    }
  }
}

QString TaskDialog::LetterNote(const QComboBox* list, int letter) {
  return list->itemData(letter - 1, kNoteRole).toString();
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
  list->setItemDelegate(new LetterDelegate(list));
  letterLists_.append(list);
  return list;
}

QLineEdit* TaskDialog::Edit(int id, const QString& text, int maxLength) {
  auto* edit = new QLineEdit(text, this);
  edit->setObjectName(QString::number(id));
  edit->setMaxLength(maxLength);
  // Number boxes are as wide as a number, not as Qt's default 17 characters,
  // so the dialogs stay compact.
  if (maxLength <= 40) {
    const QFontMetrics fm(edit->font());
    edit->setMaximumWidth(fm.horizontalAdvance(QString(std::min(maxLength, 12) + 2, QLatin1Char('0'))) + 12);
  }
  return edit;
}

QPushButton* TaskDialog::Button(int id, const QString& text, bool isDefault) {
  auto* button = new QPushButton(text, this);
  button->setObjectName(QString::number(id));
  // A button that has the focus takes Enter, so Enter repeats "step" after a click on it.
  button->setAutoDefault(true);
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
