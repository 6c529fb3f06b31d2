#include "ui/CalcDialogs.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/Application.h"
#include "app/commands/Commands.h"

namespace tavrin {

namespace {
std::string Text(const QLineEdit* edit) { return edit->text().toStdString(); }
}  // namespace

// ---------------------------------------------------------------- CALC

CalcDialog::CalcDialog(Application& app, QWidget* owner)
    : TaskDialog(QStringLiteral("CALC"), QStringLiteral("calculate"), app, owner) {
  expression_ = Edit(211, QStringLiteral("A + B"), 255);
  expression_->setMinimumWidth(260);
  result_ = LetterList(295, 'C');
  QPushButton* create = Button(91, QStringLiteral("create"), true);

  auto* grid = new QGridLayout(this);
  grid->addWidget(expression_, 0, 0, 1, 3);
  grid->addWidget(Label(QStringLiteral("name result")), 1, 0);
  grid->addWidget(result_, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(create);
  buttons->addWidget(CloseButton());
  grid->addLayout(buttons, 2, 0, 1, 3);

  connect(create, &QPushButton::clicked, this, [this] {
    (void)Calculate(app_, LetterOf(result_), Text(expression_));
  });
}

// ---------------------------------------------------------------- SOLVE

SolveDialog::SolveDialog(Application& app, QWidget* owner)
    : TaskDialog(QStringLiteral("SOLVE"), QStringLiteral("M*X = B"), app, owner) {
  m_ = LetterList(295, 'M');
  zeros_ = Radio(251, QStringLiteral("zeros"), false);
  withB_ = Radio(252, QStringLiteral("B ="), true);
  b_ = LetterList(296, 'B');
  x_ = LetterList(297, 'X');
  kernel_ = LetterList(298, 'K');
  QPushButton* solve = Button(91, QStringLiteral("solve"), true);
  auto* group = new QButtonGroup(this);
  group->addButton(zeros_);
  group->addButton(withB_);

  auto* grid = new QGridLayout(this);
  grid->addWidget(Label(QStringLiteral("M =")), 0, 0);
  grid->addWidget(m_, 0, 1);
  grid->addWidget(zeros_, 1, 0);
  grid->addWidget(withB_, 2, 0);
  grid->addWidget(b_, 2, 1);
  grid->addWidget(Label(QStringLiteral("X =")), 3, 0);
  grid->addWidget(x_, 3, 1);
  grid->addWidget(Label(QStringLiteral("kernel =")), 4, 0);
  grid->addWidget(kernel_, 4, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(solve);
  buttons->addWidget(CloseButton());
  grid->addLayout(buttons, 5, 0, 1, 2);

  connect(solve, &QPushButton::clicked, this, [this] {
    (void)Solve(app_, LetterOf(m_), LetterOf(b_), LetterOf(x_), LetterOf(kernel_), zeros_->isChecked());
  });
}

// ---------------------------------------------------------------- LINPRO

LinearProgramDialog::LinearProgramDialog(Application& app, QWidget* owner)
    : TaskDialog(QStringLiteral("LINPRO"), QStringLiteral("linear program"), app, owner) {
  maximize_ = Radio(251, QStringLiteral("maximize"), true);
  minimize_ = Radio(252, QStringLiteral("minimize"), false);
  auto* group = new QButtonGroup(this);
  group->addButton(maximize_);
  group->addButton(minimize_);
  f_ = LetterList(295, 'F');
  constraint_ = LetterList(297, 'M');
  rhs_ = LetterList(296, 'B');
  saveAs_ = LetterList(298, 'X');
  relation_ = Label(QStringLiteral("* X   <"));
  QPushButton* find = Button(91, QStringLiteral("find X"), true);
  QPushButton* save = Button(58, QStringLiteral("save as"));
  QPushButton* step = Button(654, QStringLiteral("step"));
  QPushButton* reset = Button(655, QStringLiteral("reset"));

  auto* grid = new QGridLayout(this);
  grid->addWidget(maximize_, 0, 0);
  grid->addWidget(minimize_, 0, 1);
  grid->addWidget(f_, 1, 0);
  grid->addWidget(Label(QStringLiteral("* X")), 1, 1);
  grid->addWidget(Label(QStringLiteral("constraint")), 2, 0, 1, 2);
  grid->addWidget(constraint_, 3, 0);
  grid->addWidget(relation_, 3, 1);
  grid->addWidget(rhs_, 3, 2);
  grid->addWidget(find, 4, 0);
  grid->addWidget(save, 4, 1);
  grid->addWidget(saveAs_, 4, 2);
  grid->addWidget(step, 5, 0);
  grid->addWidget(reset, 5, 1);
  grid->addWidget(CloseButton(), 5, 2);

  connect(find, &QPushButton::clicked, this, [this] { Run(static_cast<int>(TaskButton::Find)); });
  connect(step, &QPushButton::clicked, this, [this] { Run(static_cast<int>(TaskButton::Step)); });
  connect(reset, &QPushButton::clicked, this, [this] { Run(static_cast<int>(TaskButton::Reset)); });
  connect(save, &QPushButton::clicked, this, [this] { (void)SaveLpAs(app_, LetterOf(saveAs_)); });
  connect(maximize_, &QRadioButton::toggled, this, [this] { SelectionChanged(); });
  for (QComboBox* list : {f_, constraint_, rhs_, saveAs_})
    connect(list, &QComboBox::currentIndexChanged, this, [this] { SelectionChanged(); });
}

void LinearProgramDialog::Run(int button) {
  (void)LinearProgram(app_, maximize_->isChecked(), LetterOf(f_), LetterOf(constraint_), LetterOf(rhs_),
                     static_cast<TaskButton>(button));
  OpenWindow(app_, app_.workspace().lp());
}

void LinearProgramDialog::SelectionChanged() {
  relation_->setText(maximize_->isChecked() ? QStringLiteral("* X   <") : QStringLiteral("* X   >"));
  LpSelectionChanged(app_);
}

void LinearProgramDialog::Hidden() { CloseWindow(app_, app_.workspace().lp()); }

// ---------------------------------------------------------------- ECH

EchelonDialog::EchelonDialog(Application& app, QWidget* owner)
    : TaskDialog(QStringLiteral("ECH"), QStringLiteral("echelon form"), app, owner) {
  matrix_ = LetterList(295, 'A');
  saveAs_ = LetterList(296, 'E');
  QPushButton* final = Button(91, QStringLiteral("final"), true);
  QPushButton* save = Button(58, QStringLiteral("save as"));
  QPushButton* step = Button(654, QStringLiteral("step"));
  QPushButton* reset = Button(655, QStringLiteral("reset"));

  auto* grid = new QGridLayout(this);
  grid->addWidget(Label(QStringLiteral("for matrix")), 0, 0);
  grid->addWidget(matrix_, 0, 1);
  grid->addWidget(final, 1, 0);
  grid->addWidget(save, 1, 1);
  grid->addWidget(saveAs_, 1, 2);
  grid->addWidget(step, 2, 0);
  grid->addWidget(reset, 2, 1);
  grid->addWidget(CloseButton(), 2, 2);

  connect(final, &QPushButton::clicked, this, [this] { Run(static_cast<int>(TaskButton::Find)); });
  connect(step, &QPushButton::clicked, this, [this] { Run(static_cast<int>(TaskButton::Step)); });
  connect(reset, &QPushButton::clicked, this, [this] { Run(static_cast<int>(TaskButton::Reset)); });
  connect(save, &QPushButton::clicked, this, [this] { (void)SaveEchelonAs(app_, LetterOf(saveAs_)); });
  connect(matrix_, &QComboBox::currentIndexChanged, this, [this] { EchelonLetterChanged(app_); });
}

void EchelonDialog::Run(int button) {
  (void)Echelon(app_, LetterOf(matrix_), static_cast<TaskButton>(button));
  OpenWindow(app_, app_.workspace().echelon());
}

void EchelonDialog::Hidden() { CloseWindow(app_, app_.workspace().echelon()); }

// ---------------------------------------------------------------- OPER

OperationsDialog::OperationsDialog(Application& app, QWidget* owner)
    : TaskDialog(QStringLiteral("OPER"), QStringLiteral("operations"), app, owner) {
  rows_ = Radio(251, QStringLiteral("rows"), true);
  columns_ = Radio(252, QStringLiteral("columns"), false);
  auto* group = new QButtonGroup(this);
  group->addButton(rows_);
  group->addButton(columns_);
  QPushButton* reset = Button(655, QStringLiteral("reset as"));
  resetLetter_ = LetterList(291, 'A');
  factor_ = Edit(211, QStringLiteral("1.5"), 100);
  multiplyLabel_ = Label(QStringLiteral("X row"), 241);
  index_ = Edit(212, QStringLiteral("1"), 10);
  QPushButton* multiply = Button(661, QStringLiteral("multiply"));
  add_ = Button(660, QStringLiteral("add to row"));
  target_ = Edit(213, QStringLiteral("2"), 10);
  QPushButton* swap = Button(610, QStringLiteral("swap"));
  swapA_ = Edit(214, QStringLiteral("1"), 10);
  swapB_ = Edit(215, QStringLiteral("2"), 10);
  swapLabel_ = Label(QStringLiteral("rows"), 243);
  undo_ = Button(98, QStringLiteral("undo"));

  auto* grid = new QGridLayout(this);
  grid->addWidget(rows_, 0, 0);
  grid->addWidget(columns_, 0, 1);
  grid->addWidget(reset, 0, 2);
  grid->addWidget(resetLetter_, 0, 3);
  grid->addWidget(factor_, 1, 0);
  grid->addWidget(multiplyLabel_, 1, 1);
  grid->addWidget(index_, 1, 2);
  grid->addWidget(multiply, 1, 3);
  grid->addWidget(add_, 2, 1);
  grid->addWidget(target_, 2, 2);
  grid->addWidget(swap, 3, 0);
  grid->addWidget(swapA_, 3, 1);
  grid->addWidget(Label(QStringLiteral("and")), 3, 2);
  grid->addWidget(swapB_, 3, 3);
  grid->addWidget(swapLabel_, 3, 4);
  grid->addWidget(undo_, 4, 0);
  grid->addWidget(CloseButton(), 4, 3);

  connect(rows_, &QRadioButton::toggled, this, [this] { KindChanged(); });
  connect(reset, &QPushButton::clicked, this, [this] {
    (void)ResetOperations(app_, LetterOf(resetLetter_));
    After();
  });
  connect(multiply, &QPushButton::clicked, this, [this] {
    (void)OperMultiply(app_, Columns(), Text(index_), Text(factor_));
    After();
  });
  connect(add_, &QPushButton::clicked, this, [this] {
    (void)OperAdd(app_, Columns(), Text(index_), Text(target_), Text(factor_));
    After();
  });
  connect(swap, &QPushButton::clicked, this, [this] {
    (void)OperSwap(app_, Columns(), Text(swapA_), Text(swapB_));
    After();
  });
  connect(undo_, &QPushButton::clicked, this, [this] {
    (void)OperUndo(app_);
    After();
  });
  UpdateUndo();
}

bool OperationsDialog::Columns() const { return columns_->isChecked(); }

void OperationsDialog::KindChanged() {
  bool columns = Columns();
  multiplyLabel_->setText(columns ? QStringLiteral("X column") : QStringLiteral("X row"));
  add_->setText(columns ? QStringLiteral("add to column") : QStringLiteral("add to row"));
  swapLabel_->setText(columns ? QStringLiteral("columns") : QStringLiteral("rows"));
}

void OperationsDialog::After() {
  OpenWindow(app_, app_.workspace().operations());
  UpdateUndo();
}

void OperationsDialog::UpdateUndo() { undo_->setEnabled(CanUndoOperations(app_)); }

void OperationsDialog::showEvent(QShowEvent* event) {
  UpdateUndo();
  TaskDialog::showEvent(event);
}

void OperationsDialog::Hidden() { CloseWindow(app_, app_.workspace().operations()); }

// ---------------------------------------------------------------- FMLA

FormulaDialog::FormulaDialog(Application& app, QWidget* owner)
    : TaskDialog(QStringLiteral("FMLA"), QStringLiteral("formula"), app, owner) {
  rows_ = Edit(211, QStringLiteral("3"), 10);
  cols_ = Edit(212, QStringLiteral("3"), 10);
  name_ = LetterList(296, 'M');
  entryLabel_ = Label(QStringLiteral("M(i,j) ="), 231);
  formula_ = Edit(213, QStringLiteral("sin(i*pi/(i+j))"), 255);
  formula_->setMinimumWidth(220);
  QPushButton* create = Button(91, QStringLiteral("create"), true);

  auto* grid = new QGridLayout(this);
  grid->addWidget(Label(QStringLiteral("size")), 0, 0);
  grid->addWidget(rows_, 0, 1);
  grid->addWidget(Label(QStringLiteral("X")), 0, 2);
  grid->addWidget(cols_, 0, 3);
  grid->addWidget(Label(QStringLiteral("name")), 1, 0);
  grid->addWidget(name_, 1, 1);
  grid->addWidget(entryLabel_, 2, 0);
  grid->addWidget(formula_, 2, 1, 1, 3);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(create);
  buttons->addWidget(CloseButton());
  grid->addLayout(buttons, 3, 0, 1, 4);

  connect(name_, &QComboBox::currentIndexChanged, this, [this] {
    QString text = entryLabel_->text();
    text[0] = name_->currentText().at(0);
    entryLabel_->setText(text);
  });
  connect(create, &QPushButton::clicked, this, [this] {
    (void)Formula(app_, LetterOf(name_), Text(rows_), Text(cols_), Text(formula_));
  });
}

}  // namespace tavrin
