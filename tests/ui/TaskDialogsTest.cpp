// Clicks through the modeless task and generator dialogs against a real
// Application with a scripted user.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <cmath>

#include "UiFakePort.h"
#include "MatrixBuilders.h"
#include "ui/Dialogs.h"

using namespace tavrin;

namespace {

int Letter(char c) { return c - 'A' + 1; }

// The texts of a dialog's edit boxes, and the letters its lists show.
QStringList Edits(QDialog* d, std::initializer_list<int> ids) {
  QStringList out;
  for (int id : ids) out << Control<QLineEdit>(d, id)->text();
  return out;
}
QStringList Letters(QDialog* d, std::initializer_list<int> ids) {
  QStringList out;
  for (int id : ids) out << Control<QComboBox>(d, id)->currentText();
  return out;
}
void SetText(QDialog* d, int id, const QString& text) { Control<QLineEdit>(d, id)->setText(text); }
void Choose(QDialog* d, int id, char letter) { Control<QComboBox>(d, id)->setCurrentIndex(letter - 'A'); }

void ExpectMatrix(const ComplexMatrix& m, int rows, int cols, std::initializer_list<long double> values,
                  long double tolerance = 1e-12L) {
  QCOMPARE(m.rows, rows);
  QCOMPARE(m.cols, cols);
  int k = 0;
  for (long double v : values) {
    if (std::fabs(static_cast<double>(m.entry(k).re - v)) > tolerance)
      QFAIL(qPrintable(QStringLiteral("entry %1 is %2, expected %3").arg(k).arg(double(m.entry(k).re)).arg(double(v))));
    ++k;
  }
}

}  // namespace

class TaskDialogsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<FakePort> port_;
  std::unique_ptr<Application> app_;
  std::unique_ptr<TaskDialogs> dialogs_;

  QDialog* Open(const char* name) {
    dialogs_->Show(QString::fromLatin1(name));
    QDialog* d = dialogs_->Find(QString::fromLatin1(name));
    if (!d) qFatal("dialog %s not created", name);
    return d;
  }
  void Put(char letter, const ComplexMatrix& m) {
    QCOMPARE(app_->workspace().PutMatrix(Mode::Real, "", Letter(letter), m), ResultCode::Ok);
  }
  MatrixDocument* Doc(char letter) { return app_->workspace().Lookup(Letter(letter)); }

 private slots:
  void init() {
    port_ = std::make_unique<FakePort>();
    app_ = std::make_unique<Application>(*port_);
    dialogs_ = std::make_unique<TaskDialogs>(*app_, nullptr);
  }
  void cleanup() {
    dialogs_.reset();
    app_.reset();
    port_.reset();
  }

  void titlesAndDefaultButtons() {
    struct Case {
      const char* name;
      const char* title;
      const char* defaultText;
    } cases[] = {
        {"CALC", "calculate", "create"},      {"SOLVE", "M*X = B", "solve"},
        {"LINPRO", "linear program", "find X"}, {"ECH", "echelon form", "final"},
        {"FMLA", "formula", "create"},        {"COPY", "copy", "create"},
        {"ROT2D", "2D rotation", "create"},   {"ROT3D", "3D rotation", "create"},
        {"IROT3D", "3D rotation", "create"},  {"PROREF", "projection | reflection", "create"},
        {"UNI", "unimodular", "create"},      {"NEWDLG", "new matrix [real]", "create"},
    };
    for (const Case& c : cases) {
      QDialog* d = Open(c.name);
      QCOMPARE(d->windowTitle(), QString::fromLatin1(c.title));
      QPushButton* button = Control<QPushButton>(d, 91);
      QCOMPARE(button->text(), QString::fromLatin1(c.defaultText));
      QVERIFY2(button->isDefault(), c.name);
      QCOMPARE(Control<QPushButton>(d, 2)->text(), QStringLiteral("close"));
    }
    QCOMPARE(Open("OPER")->windowTitle(), QStringLiteral("operations"));
  }

  void letterListsAndInitialTexts() {
    QDialog* solve = Open("SOLVE");
    QComboBox* m = Control<QComboBox>(solve, 295);
    QCOMPARE(m->count(), 26);
    QCOMPARE(m->itemText(0), QStringLiteral("A"));
    QCOMPARE(m->itemText(25), QStringLiteral("Z"));
    QCOMPARE(Letters(solve, {295, 296, 297, 298}), (QStringList{"M", "B", "X", "K"}));
    QVERIFY(Control<QRadioButton>(solve, 252)->isChecked());
    QVERIFY(!Control<QRadioButton>(solve, 251)->isChecked());
    QDialog* calc = Open("CALC");
    QCOMPARE(Edits(calc, {211}), QStringList{"A + B"});
    QCOMPARE(Letters(calc, {295}), QStringList{"C"});
    QCOMPARE(Letters(Open("LINPRO"), {295, 297, 296, 298}), (QStringList{"F", "M", "B", "X"}));
    QDialog* fmla = Open("FMLA");
    QCOMPARE(Edits(fmla, {213}), QStringList{"sin(i*pi/(i+j))"});
    Choose(fmla, 296, 'Q');
    QCOMPARE(Control<QLabel>(fmla, 231)->text(), QStringLiteral("Q(i,j) ="));
    QCOMPARE(Edits(Open("IROT3D"), {213, 214}), (QStringList{"-2", "4"}));
  }

  void calculateStoresExpressionWithNotebook() {
    Put('M', Real(2, 2, {1, 2, 3, 4}));
    Put('W', Real(2, 2, {0, 1, 1, 0}));
    Put('X', Real(1, 2, {5, 6}));
    QDialog* calc = Open("CALC");
    SetText(calc, 211, QStringLiteral("(M-3W)X'"));
    Choose(calc, 295, 'P');
    Click(calc, 91);
    QVERIFY(port_->codes.empty());
    MatrixDocument* p = Doc('P');
    QVERIFY(p);
    // (M - 3W) = (1, -1; 0, 4); times (5; 6) = (-1; 24).
    ExpectMatrix(p->z, 2, 1, {-1, 24});
    QCOMPARE(p->notebook, std::string("(M-3W)X'"));
    QVERIFY(calc->isVisible());
  }

  void refusedCalculateKeepsDialogAndText() {
    Put('M', Real(2, 2, {1, 2, 3, 4}));
    Put('X', Real(1, 3, {1, 2, 3}));
    QDialog* calc = Open("CALC");
    SetText(calc, 211, QStringLiteral("M*X"));  // 2x2 times 1x3
    Choose(calc, 295, 'P');
    Click(calc, 91);
    QCOMPARE(port_->codes, std::vector<ResultCode>{ResultCode::Incompatible});  // "imcompatible"
    QVERIFY(calc->isVisible());
    QCOMPARE(Control<QLineEdit>(calc, 211)->text(), QStringLiteral("M*X"));
    QVERIFY(!Doc('P'));
  }

  void escHidesAndKeepsTextsAndPosition() {
    QDialog* calc = Open("CALC");
    SetText(calc, 211, QStringLiteral("A'"));
    calc->move(123, 145);
    QPoint before = calc->pos();
    QTest::keyClick(calc, Qt::Key_Escape);
    QVERIFY(!calc->isVisible());
    dialogs_->Show(QStringLiteral("CALC"));
    QCOMPARE(dialogs_->Find(QStringLiteral("CALC")), calc);  // the same dialog, not a new one
    QVERIFY(calc->isVisible());
    QCOMPARE(Control<QLineEdit>(calc, 211)->text(), QStringLiteral("A'"));
    QCOMPARE(calc->pos(), before);
    Click(calc, 2);
    QVERIFY(!calc->isVisible());
  }

  void solveStoresSolutionAndKernel() {
    Put('M', Real(2, 2, {1, 2, 2, 4}));
    Put('B', Real(2, 1, {3, 6}));
    QDialog* solve = Open("SOLVE");
    Click(solve, 91);
    QVERIFY(port_->codes.empty());
    MatrixDocument* x = Doc('X');
    MatrixDocument* k = Doc('K');
    QVERIFY(x && k);
    QCOMPARE(x->rows(), 2);
    QCOMPARE(k->rows(), 2);
    QCOMPARE(k->cols(), 1);
    // M X = B and M K = 0, K not zero.
    long double x0 = x->z.entry(0).re, x1 = x->z.entry(1).re, k0 = k->z.entry(0).re, k1 = k->z.entry(1).re;
    QVERIFY(std::fabs(double(x0 + 2 * x1 - 3)) < 1e-12);
    QVERIFY(std::fabs(double(k0 + 2 * k1)) < 1e-12);
    QVERIFY(std::fabs(double(k0)) + std::fabs(double(k1)) > 0.5);
    QCOMPARE(x->notebook, std::string("solution"));
    QCOMPARE(k->notebook, std::string("kernel basis"));
  }

  void solveRefusalsKeepDialogOpen() {
    Put('M', Real(2, 2, {2, 0, 0, 4}));
    Put('B', Real(2, 1, {2, 8}));
    QDialog* solve = Open("SOLVE");
    Choose(solve, 297, 'M');  // X equal to M
    Click(solve, 91);
    QCOMPARE(port_->codes, std::vector<ResultCode>{ResultCode::InconsistentData});
    QVERIFY(solve->isVisible());
    Choose(solve, 297, 'X');
    Click(solve, 91);  // nonsingular: X only
    QCOMPARE(port_->codes.size(), size_t(1));
    ExpectMatrix(Doc('X')->z, 2, 1, {1, 2});
    QVERIFY(!Doc('K'));
  }

  void linearProgramDietExample() {
    // Nutrients per unit of four foods (rows), requirements, costs.
    Put('B', Real(5, 4, {106, 8, 154, 164, 383, 263, 39, 397, 110, 258, 107, 104, 389, 151, 55, 319,
                         253, 312, 95, 114}));
    Put('C', Real(5, 1, {1067, 1362, 1345, 853, 1122}));
    Put('F', Real(1, 4, {19.64L, 15.84L, 6.78L, 21.30L}));
    QDialog* lp = Open("LINPRO");
    Control<QRadioButton>(lp, 252)->setChecked(true);  // minimize
    Choose(lp, 297, 'B');
    Choose(lp, 296, 'C');
    QLabel* relation = nullptr;
    for (QLabel* l : lp->findChildren<QLabel*>())
      if (l->text().startsWith(QStringLiteral("* X   "))) relation = l;
    QVERIFY(relation);
    QCOMPARE(relation->text(), QStringLiteral("* X   >"));

    // Stepping: the starting tableau (m + 1 rows; every row of a minimum
    // with C >= 0 needs surplus and artificial: k + 2m + 1 columns), then
    // the first pivot highlighted.
    Click(lp, 655);
    Click(lp, 654);
    QVERIFY(port_->codes.empty());
    MatrixDocument& shown = app_->workspace().lp();
    QVERIFY(!shown.hidden);
    QCOMPARE(shown.rows(), 6);
    QCOMPARE(shown.cols(), 15);
    QCOMPARE(shown.highlightCol, -1);
    QCOMPARE(app_->lpCounter(), 0);
    Click(lp, 654);
    QVERIFY(shown.highlightRow >= 0 && shown.highlightCol >= 0);
    QCOMPARE(app_->lpCounter(), 1);

    // Solved by hand (the three binding nutrients, food 4 not bought):
    // X = (1.46822, 2.17980, 5.80474, 0), cost 102.72.
    Click(lp, 91);
    QVERIFY(port_->codes.empty());
    QCOMPARE(app_->lpCounter(), -1);
    ExpectMatrix(shown.z, 4, 1, {1.4682181209468048L, 2.179800261316488L, 5.804743357721473L, 0}, 1e-9L);
    QCOMPARE(shown.title, std::string("F*X = 102.720000 [ minimize; B*X >= C ]"));

    Choose(lp, 298, 'D');
    Click(lp, 58);
    QVERIFY(Doc('D'));
    QCOMPARE(Doc('D')->rows(), 4);

    // Closing the dialog hides the companion window with it.
    Click(lp, 2);
    QVERIFY(shown.hidden);
  }

  void linearProgramMissingLetterReportsOnce() {
    QDialog* lp = Open("LINPRO");
    Click(lp, 91);
    QCOMPARE(port_->codes, std::vector<ResultCode>{ResultCode::MatrixNotFound});
    QVERIFY(lp->isVisible());
  }

  void operationsMultiplyAddSwapUndo() {
    Put('A', Real(2, 2, {1, 2, 3, 4}));
    QDialog* op = Open("OPER");
    QPushButton* undo = Control<QPushButton>(op, 98);
    Click(op, 655);  // reset as A
    MatrixDocument& ops = app_->workspace().operations();
    ExpectMatrix(ops.z, 2, 2, {1, 2, 3, 4});
    QVERIFY(!undo->isEnabled());

    SetText(op, 211, QStringLiteral("-3"));
    SetText(op, 212, QStringLiteral("1"));
    SetText(op, 213, QStringLiteral("2"));
    Click(op, 660);  // row 2 += -3 row 1
    ExpectMatrix(ops.z, 2, 2, {1, 2, 0, -2});
    QVERIFY(undo->isEnabled());

    SetText(op, 211, QStringLiteral("-1/2"));
    SetText(op, 212, QStringLiteral("2"));
    Click(op, 661);
    ExpectMatrix(ops.z, 2, 2, {1, 2, 0, 1});

    Control<QRadioButton>(op, 252)->setChecked(true);  // columns
    QCOMPARE(Control<QPushButton>(op, 660)->text(), QStringLiteral("add to column"));
    QCOMPARE(Control<QLabel>(op, 243)->text(), QStringLiteral("columns"));
    QCOMPARE(Control<QLabel>(op, 241)->text(), QStringLiteral("X column"));
    Click(op, 610);  // swap columns 1 and 2
    ExpectMatrix(ops.z, 2, 2, {2, 1, 1, 0});

    SetText(op, 213, QStringLiteral("2"));
    SetText(op, 212, QStringLiteral("2"));
    Click(op, 660);  // column 2 onto itself
    QCOMPARE(port_->codes, std::vector<ResultCode>{ResultCode::NothingToDo});
    SetText(op, 214, QStringLiteral("3"));
    Click(op, 610);
    QCOMPARE(port_->codes, (std::vector<ResultCode>{ResultCode::NothingToDo, ResultCode::OutOfBounds}));

    for (int k = 0; k < 3; ++k) Click(op, 98);
    ExpectMatrix(ops.z, 2, 2, {1, 2, 3, 4});
    QVERIFY(!undo->isEnabled());
  }

  void newDialogDefaultsFollowMode() {
    QDialog* d = Open("NEWDLG");
    QCOMPARE(Edits(d, {211, 212, 213, 214, 215}), (QStringList{"3", "3", "0.0", "1.0", "1.0"}));
    QVERIFY(Control<QRadioButton>(d, 251)->isChecked());
    QCOMPARE(SwitchMode(*app_, Mode::Integer), ResultCode::Ok);
    dialogs_->ModeChanged();
    QCOMPARE(d->windowTitle(), QStringLiteral("new matrix [integer]"));
    QCOMPARE(Edits(d, {213, 214, 215}), (QStringList{"1", "10", "1"}));
    QCOMPARE(SwitchMode(*app_, Mode::Complex), ResultCode::Ok);
    dialogs_->ModeChanged();
    QCOMPARE(d->windowTitle(), QStringLiteral("new matrix [complex]"));
    QCOMPARE(Edits(d, {213, 215}), (QStringList{"0.0", "1.0"}));
    // A dialog first built in integer mode starts with the integer texts.
    QCOMPARE(SwitchMode(*app_, Mode::Integer), ResultCode::Ok);
    dialogs_.reset();
    dialogs_ = std::make_unique<TaskDialogs>(*app_, nullptr);
    QDialog* fresh = Open("NEWDLG");
    QCOMPARE(fresh->windowTitle(), QStringLiteral("new matrix [integer]"));
    QCOMPARE(Edits(fresh, {214}), QStringList{"10"});
  }

  void newDialogCreatesAndRefuses() {
    QDialog* d = Open("NEWDLG");
    Control<QRadioButton>(d, 253)->setChecked(true);
    SetText(d, 211, QStringLiteral("4"));
    SetText(d, 212, QStringLiteral("7"));
    SetText(d, 215, QStringLiteral("2.5"));
    Choose(d, 295, 'D');
    Click(d, 91);
    QVERIFY(port_->codes.empty());
    ExpectMatrix(Doc('D')->z, 4, 4, {2.5, 0, 0, 0, 0, 2.5, 0, 0, 0, 0, 2.5, 0, 0, 0, 0, 2.5});
    QCOMPARE(Doc('D')->notebook, std::string("diagonal"));

    SetText(d, 211, QStringLiteral("0"));
    Choose(d, 295, 'E');
    Click(d, 91);
    QCOMPARE(port_->codes, std::vector<ResultCode>{ResultCode::OutOfBounds});
    QVERIFY(d->isVisible());
    QCOMPARE(Control<QLineEdit>(d, 211)->text(), QStringLiteral("0"));
    QVERIFY(!Doc('E'));
  }

  void generatorsStoreTheirMatrices() {
    QDialog* rot = Open("ROT2D");
    SetText(rot, 214, QStringLiteral("90"));
    Choose(rot, 295, 'R');
    Click(rot, 91);
    ExpectMatrix(Doc('R')->z, 2, 2, {0, -1, 1, 0}, 1e-15L);

    Put('N', Real(1, 2, {1, 1}));
    QDialog* pr = Open("PROREF");
    Choose(pr, 295, 'N');
    Choose(pr, 296, 'P');
    Click(pr, 91);
    ExpectMatrix(Doc('P')->z, 2, 2, {0.5, -0.5, -0.5, 0.5});
    Control<QRadioButton>(pr, 252)->setChecked(true);
    Choose(pr, 296, 'Q');
    Click(pr, 91);
    ExpectMatrix(Doc('Q')->z, 2, 2, {0, -1, -1, 0});

    QDialog* copy = Open("COPY");
    Choose(copy, 296, 'P');
    Choose(copy, 295, 'C');
    SetText(copy, 211, QStringLiteral("2"));
    Click(copy, 91);
    ExpectMatrix(Doc('C')->z, 2, 1, {-0.5, 0.5});
    QVERIFY(port_->codes.empty());
  }

  void unimodularHidesOutsideIntegerMode() {
    QCOMPARE(SwitchMode(*app_, Mode::Integer), ResultCode::Ok);
    dialogs_->ModeChanged();
    QDialog* uni = Open("UNI");
    SetText(uni, 211, QStringLiteral("21"));
    Click(uni, 91);
    QCOMPARE(port_->codes, std::vector<ResultCode>{ResultCode::OutOfBounds});
    QVERIFY(uni->isVisible());
    QCOMPARE(SwitchMode(*app_, Mode::Real), ResultCode::Ok);
    dialogs_->ModeChanged();
    QVERIFY(!uni->isVisible());
  }
};

QTEST_MAIN(TaskDialogsTest)
#include "TaskDialogsTest.moc"
