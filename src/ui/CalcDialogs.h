#pragma once
#include "ui/TaskDialog.h"

class QComboBox;
class QLineEdit;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tavrin {

// CALC: an expression and the letter that receives its value.
class CalcDialog : public TaskDialog {
  Q_OBJECT
 public:
  CalcDialog(Application& app, QWidget* owner);

 protected:
  // Every show starts at the expression, ready to type a new one.
  QWidget* FocusOnShow() override { return expression_; }

 private:
  QLineEdit* expression_;
  QComboBox* result_;
};

// SOLVE: M*X = B (or M*X = 0) with the kernel basis.
class SolveDialog : public TaskDialog {
  Q_OBJECT
 public:
  SolveDialog(Application& app, QWidget* owner);

 private:
  QComboBox *m_, *b_, *x_, *kernel_;
  QRadioButton *zeros_, *withB_;
};

// LINPRO: maximize F*X with B*X <= C, or minimize with B*X >= C.
class LinearProgramDialog : public TaskDialog {
  Q_OBJECT
 public:
  LinearProgramDialog(Application& app, QWidget* owner);

 protected:
  void Hidden() override;

 private:
  void Run(int button);
  void SelectionChanged();
  QRadioButton *maximize_, *minimize_;
  QComboBox *f_, *constraint_, *rhs_, *saveAs_;
  QLabel* relation_;
};

// ECH: echelon form step by step.
class EchelonDialog : public TaskDialog {
  Q_OBJECT
 public:
  EchelonDialog(Application& app, QWidget* owner);

 protected:
  void Hidden() override;

 private:
  void Run(int button);
  QComboBox *matrix_, *saveAs_;
};

// OPER: row and column operations on the operations window, with undo.
class OperationsDialog : public TaskDialog {
  Q_OBJECT
 public:
  OperationsDialog(Application& app, QWidget* owner);
  void UpdateUndo();

 protected:
  void Hidden() override;
  void showEvent(QShowEvent* event) override;

 private:
  bool Columns() const;
  void KindChanged();
  void After();
  QRadioButton *rows_, *columns_;
  QComboBox* resetLetter_;
  QLineEdit *factor_, *index_, *target_, *swapA_, *swapB_;
  QLabel *multiplyLabel_, *swapLabel_;
  QPushButton *add_, *undo_;
};

// FMLA: a matrix defined entry by entry by a formula in i and j.
class FormulaDialog : public TaskDialog {
  Q_OBJECT
 public:
  FormulaDialog(Application& app, QWidget* owner);

 private:
  QLineEdit *rows_, *cols_, *formula_;
  QComboBox* name_;
  QLabel* entryLabel_;
};

}  // namespace tavrin
