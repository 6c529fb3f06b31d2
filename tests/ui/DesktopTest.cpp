// The desktop around the commands: window placement and activation, titles,
// menus, letter lists, copy-as texts, highlight contrast, help fonts, icon,
// text files kept byte for byte.
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>
#include <QWheelEvent>

#include "app/Application.h"
#include "app/commands/Commands.h"
#include "app/commands/CopyAsText.h"
#include "io/MatrixFile.h"
#include "ui/Contrast.h"
#include "ui/Dialogs.h"
#include "ui/Fonts.h"
#include "ui/MainFrame.h"
#include "ui/MatrixWindow.h"
#include "ui/NotebookWindow.h"
#include "ui/TaskDialog.h"
#include "ui/TextWindow.h"
#include "ui/WindowPlacement.h"
#include "MatrixBuilders.h"
#include "UiTestSupport.h"

using namespace tavrin;

namespace {
// Every mnemonic letter of a menu, with the texts that use it twice.
QStringList Clashes(const QList<QAction*>& actions) {
  QMap<QChar, QString> seen;
  QStringList clashes;
  for (QAction* a : actions) {
    const QString text = a->text();
    const int amp = text.indexOf('&');
    if (a->isSeparator() || !a->isVisible() || amp < 0 || amp + 1 >= text.size()) continue;
    const QChar key = text.at(amp + 1).toLower();
    if (seen.contains(key)) clashes << seen[key] + " / " + text;
    seen[key] = text;
  }
  return clashes;
}

QStringList MenuClashes(QMenuBar* bar) {
  QStringList clashes = Clashes(bar->actions());
  QList<QMenu*> menus = bar->findChildren<QMenu*>();
  for (QMenu* m : menus) clashes += Clashes(m->actions());
  return clashes;
}
}  // namespace

class DesktopTest : public QObject, test::FrameFixture {
  Q_OBJECT
 private:
  QDialog* Dialog(const char* name) { return qobject_cast<QDialog*>(frame_->findChild<QDialog*>(name)); }

 private slots:
  void initTestCase() { SetUpSuite(); }
  void init() { SetUp(); }
  void cleanup() { TearDown(); }

  // Item k of the Copy as menu puts the text of the k-th kind on the
  // clipboard; the texts themselves are checked where they are made.
  void copyAsMenuPutsEachText() {
    MatrixWindow* w = Put(1, Real(2, 2, {1, -2.5L, 1234.5L, 0}));
    Doc(w).format.places = 2;
    auto* copyAs = w->findChild<QMenu*>("copyAs");
    QVERIFY(copyAs);
    QStringList labels;
    for (QAction* a : copyAs->actions()) labels << a->text();
    QCOMPARE(labels.mid(1), (QStringList{"&CSV", "T&SV", "&Markdown", "&LaTeX", "&NumPy", "MATLAB/&Octave"}));
    for (CopyAsKind kind : {CopyAsKind::Csv, CopyAsKind::Tsv, CopyAsKind::Markdown, CopyAsKind::Latex,
                            CopyAsKind::NumPy, CopyAsKind::Matlab}) {
      copyAs->actions().at(static_cast<int>(kind))->trigger();
      std::string text;
      QCOMPARE(CopyAsText(w->document(), kind, text), ResultCode::Ok);
      QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(text));
    }
  }

  // --- The grid, driven by real key, wheel and mouse events.
  MatrixWindow* Grid(int rows, int cols) {
    MatrixWindow* w = PutCounting(7, rows, cols);
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w)) qWarning("window not active");
    w->canvas()->setFocus();
    w->Relayout();
    return w;
  }
  static long double At(MatrixWindow* w, int r, int c) { return w->document().z.at(r, c).re; }
  static QList<double> Entries(MatrixWindow* w) {
    QList<double> out;
    for (const Complex& e : w->document().z.Entries()) out << static_cast<double>(e.re);
    return out;
  }

  void gridKeysMoveTheCursorAndScroll() {
    MatrixWindow* w = Grid(30, 30);
    QWidget* g = w->canvas();
    const int rows = w->metrics().visibleRows, cols = w->metrics().visibleCols;
    QVERIFY(rows < 30 && cols < 30);
    struct Step {
      int key;
      Qt::KeyboardModifiers mods;
      int row, col, firstRow, firstCol;
    };
    const Step steps[] = {
        {Qt::Key_Down, Qt::NoModifier, 1, 0, 0, 0},
        {Qt::Key_Right, Qt::NoModifier, 1, 1, 0, 0},
        {Qt::Key_End, Qt::NoModifier, 1, 29, 0, 30 - cols},
        {Qt::Key_Home, Qt::NoModifier, 1, 0, 0, 0},
        {Qt::Key_PageDown, Qt::NoModifier, 1 + rows, 0, 2, 0},
        {Qt::Key_End, Qt::ControlModifier, 29, 29, 30 - rows, 30 - cols},
        {Qt::Key_Home, Qt::ControlModifier, 0, 0, 0, 0},
        {Qt::Key_Up, Qt::NoModifier, 0, 0, 0, 0},  // stays inside
        // Shift with an arrow shifts the view; the cursor stays.
        {Qt::Key_Down, Qt::ShiftModifier, 0, 0, 1, 0},
        {Qt::Key_Right, Qt::ShiftModifier, 0, 0, 1, 1},
    };
    for (const Step& s : steps) {
      QTest::keyClick(g, static_cast<Qt::Key>(s.key), s.mods);
      QCOMPARE(QPoint(w->cursorRow(), w->cursorCol()), QPoint(s.row, s.col));
      QCOMPARE(QPoint(w->firstRow(), w->firstCol()), QPoint(s.firstRow, s.firstCol));
    }
    // The wheel: three rows a notch, sideways with Shift.
    QWheelEvent down(QPointF(50, 50), g->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(g, &down);
    QCOMPARE(w->firstRow(), 4);
    QWheelEvent side(QPointF(50, 50), g->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::ShiftModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(g, &side);
    QCOMPARE(w->firstCol(), 2);
  }

  void gridTypingF2EnterTabEscAndClicks() {
    MatrixWindow* w = Grid(3, 3);
    QWidget* g = w->canvas();
    QTest::keyClicks(g, "7");  // typing opens the editor with what was typed
    QVERIFY(w->editBox());
    QCOMPARE(w->editBox()->text(), QString("7"));
    QTest::keyClicks(w->editBox(), "5");
    QTest::keyClick(w->editBox(), Qt::Key_Return);  // commits and moves down
    QVERIFY(!w->editBox());
    QCOMPARE(double(At(w, 0, 0)), 75.0);
    QCOMPARE(QPoint(w->cursorRow(), w->cursorCol()), QPoint(1, 0));
    QTest::keyClick(g, Qt::Key_F2);  // F2 edits the entry at full precision
    QCOMPARE(w->editBox()->text(), QString("4"));
    QTest::keyClick(w->editBox(), Qt::Key_Escape);
    QVERIFY(!w->editBox());
    QCOMPARE(double(At(w, 1, 0)), 4.0);
    QTest::keyClicks(g, "-");
    QTest::keyClicks(w->editBox(), "2");
    QTest::keyClick(w->editBox(), Qt::Key_Tab);  // commits and moves right
    QCOMPARE(double(At(w, 1, 0)), -2.0);
    QCOMPARE(QPoint(w->cursorRow(), w->cursorCol()), QPoint(1, 1));
    // A click on another cell takes the open edit and edits the clicked one.
    QTest::mouseClick(g, Qt::LeftButton, {}, w->CellRect(0, 2).center());
    w->editBox()->setText("9");
    QTest::mouseClick(g, Qt::LeftButton, {}, w->CellRect(2, 2).center());
    QCOMPARE(double(At(w, 0, 2)), 9.0);
    QVERIFY(w->editBox());
    QCOMPARE(QPoint(w->cursorRow(), w->cursorCol()), QPoint(2, 2));
    QTest::keyClick(w->editBox(), Qt::Key_Escape);
    // Undo and redo from the keyboard walk the history both ways.
    QTest::keyClick(g, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(double(At(w, 0, 2)), 3.0);
    QTest::keyClick(g, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(double(At(w, 0, 2)), 9.0);
    QTest::keyClick(g, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(g, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(double(At(w, 0, 2)), 9.0);
  }

  void gridBlockCopyAndPaste() {
    MatrixWindow* w = Grid(3, 3);
    QWidget* g = w->canvas();
    Doc(w).format.places = 1;
    QTest::mouseClick(g, Qt::LeftButton, Qt::ShiftModifier, w->CellRect(1, 1).center());
    QVERIFY(w->hasBlock());
    QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("1.0\t2.0\n4.0\t5.0\n"));
    QTest::keyClick(g, Qt::Key_Escape);
    QVERIFY(!w->hasBlock());
    QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier);  // no block: the whole matrix
    QCOMPARE(QApplication::clipboard()->text(), QString("1.0\t2.0\t3.0\n4.0\t5.0\t6.0\n7.0\t8.0\t9.0\n"));
    QApplication::clipboard()->setText("10\t20\n30,40");
    w->MoveCursor(1, 1);
    QTest::keyClick(g, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Entries(w), (QList<double>{1, 2, 3, 4, 10, 20, 7, 30, 40}));
    QTest::keyClick(g, Qt::Key_Z, Qt::ControlModifier);  // the paste is one step
    QCOMPARE(Entries(w), (QList<double>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  }

  void copyAsTextIsTextOutWithLf() {
    MatrixWindow* w = Put(1, Real(1, 2, {3, 4}));
    w->findChild<QMenu*>("copyAs")->actions().at(0)->trigger();
    std::string out;
    QCOMPARE(TextOutOf(w->document(), out), ResultCode::Ok);
    QString lf = QString::fromStdString(out).remove('\r');
    QCOMPARE(QApplication::clipboard()->text(), lf);
    QVERIFY(!lf.contains('\r') && lf.contains("3.00000") && lf.contains("4.00000"));
  }

  void companionStaysBesideItsDialogWithoutFocus() {
    Put(1, Real(3, 3, {2, 1, 1, 4, 3, 3, 8, 7, 9}));
    frame_->show();
    frame_->Command(619);  // Echelon form ...
    QDialog* ech = Dialog("ECH");
    QVERIFY(ech && ech->isVisible());
    MatrixWindow* companion = frame_->WindowOf(frame_->app().workspace().echelon());
    QVERIFY(companion->isVisible());
    QVERIFY(companion->testAttribute(Qt::WA_ShowWithoutActivating));
    ech->activateWindow();
    auto* step = ech->findChild<QPushButton*>("654");
    for (int k = 0; k < 3; ++k) {
      // The dialog on top of the companion is moved off each time.
      companion->move(ech->pos());
      step->click();
      QCoreApplication::processEvents();
      QVERIFY2(!companion->frameGeometry().intersects(ech->frameGeometry()), "companion covers its dialog");
      QVERIFY(QApplication::activeWindow() != companion);
    }
    QVERIFY(frame_->app().workspace().echelon().highlightRow >= 0);
  }

  void dialogResultAppearsBesideItsDialogWithoutFocus() {
    Put(1, Real(2, 2, {1, 2, 3, 4}));
    Put(2, Real(1, 1, {0}));
    frame_->show();
    frame_->Command(618);  // Calculate ...
    QDialog* calc = Dialog("CALC");
    calc->findChild<QLineEdit*>("211")->setText("A*2");
    // B (shown) is replaced, C is new, then C (shown) is replaced.
    for (int letter : {2, 3, 3}) {
      calc->findChild<QComboBox*>("295")->setCurrentIndex(letter - 1);
      MatrixDocument* old = frame_->app().workspace().Lookup(letter);
      if (old) calc->move(frame_->WindowOf(*old)->pos());  // right over the result
      calc->activateWindow();
      QCoreApplication::processEvents();
      calc->findChild<QPushButton*>("91")->click();
      QCoreApplication::processEvents();
      MatrixDocument* doc = frame_->app().workspace().Lookup(letter);
      QVERIFY(doc && doc->rows() == 2);
      MatrixWindow* result = frame_->WindowOf(*doc);
      QVERIFY(result->isVisible());
      QVERIFY2(!result->frameGeometry().intersects(calc->frameGeometry()), "result covers its dialog");
      QVERIFY(result->testAttribute(Qt::WA_ShowWithoutActivating));
      // Offscreen activates every window it shows for the first time, so
      // only a window shown before can tell that it was not activated.
      if (old) QVERIFY(QApplication::activeWindow() != result);
    }
    // From the View menu the same window comes with the keyboard.
    MatrixWindow* b = frame_->WindowOfLetter(2);
    b->hide();
    frame_->activateWindow();
    QCoreApplication::processEvents();
    frame_->Command(502);  // View | B
    QCoreApplication::processEvents();
    QVERIFY(b->isVisible());
    QVERIFY(!b->testAttribute(Qt::WA_ShowWithoutActivating));
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(b));
  }

  void calculateFocusesItsExpressionAtEveryShow() {
    Put(1, Real(1, 1, {1}));
    frame_->show();
    frame_->Command(618);
    QDialog* calc = Dialog("CALC");
    auto* expression = calc->findChild<QLineEdit*>("211");
    auto* result = calc->findChild<QComboBox*>("295");
    for (int k = 0; k < 2; ++k) {
      result->setFocus();
      calc->reject();
      frame_->Command(618);
      QCOMPARE(expression->selectedText(), expression->text());  // typing replaces it
      QCoreApplication::processEvents();
      QCOMPARE(calc->focusWidget(), static_cast<QWidget*>(expression));
    }
  }

  void letterListsMarkUsedLettersWithSizes() {
    Put(2, Real(2, 3, {1, 2, 3, 4, 5, 6}));
    frame_->Command(618);
    auto* list = Dialog("CALC")->findChild<QComboBox*>("295");
    QCOMPARE(list->itemText(1), QString("B"));  // what the dialogs read
    QCOMPARE(TaskDialog::LetterNote(list, 2), QString("2 x 3"));
    QVERIFY(list->itemData(1, Qt::FontRole).value<QFont>().bold());
    QCOMPARE(TaskDialog::LetterNote(list, 1), QString());
    // A new matrix while the dialog is open is marked at once.
    Put(26, Real(4, 1, {1, 2, 3, 4}));
    QCOMPARE(TaskDialog::LetterNote(list, 26), QString("4 x 1"));
  }

  void titlesTellModesAndUnsavedChanges() {
    MatrixWindow* real = Put(1, Real(1, 1, {1}));
    frame_->Command(401);
    MatrixWindow* complex = Put(1, Real(1, 1, {1}), Mode::Complex);
    QCOMPARE(real->BaseTitle(), QString("A"));
    QCOMPARE(complex->BaseTitle(), QString("A [complex]"));
    Doc(real).modified = false;
    real->UpdateCaption();
    QVERIFY(!real->isWindowModified());
    QCOMPARE(real->windowTitle(), QString("A"));
    Doc(real).modified = true;
    real->UpdateCaption();
    QVERIFY(real->isWindowModified());
    QCOMPARE(real->windowTitle(), QString("A[*]"));
  }

  void savingShowsItsTitleState() {
    QTemporaryDir dir;
    MatrixWindow* w = Put(3, Real(1, 1, {1}));
    const QString path = dir.path() + "/c.fma";
    Doc(w).fileName = path.toStdString();
    w->SaveCommand(false);
    QCOMPARE(w->windowTitle(), QString("saving ..."));
    QVERIFY(QFile::exists(path));
    QTRY_COMPARE_WITH_TIMEOUT(w->windowTitle(), QString("C"), 2000);
    QVERIFY(!w->isWindowModified());
  }

  void storedPlacementIsApplied() {
    QTemporaryDir dir;
    const QString path = dir.path() + "/p.fma";
    MatrixWindow* w = Put(4, Real(1, 1, {7}));
    const QRect screen = w->screen()->geometry();
    const QRect stored(screen.left() + 200, screen.top() + 150, 400, 300);
    (void)Save(frame_->app(), Doc(w), path.toStdString());
    // Written with a placement of its own, as another session would.
    MatrixFileData data;
    QCOMPARE(ReadMatrixFile(path.toStdString(), MatrixKind::Real, data), ResultCode::Ok);
    data.appearance.left = stored.left(), data.appearance.top = stored.top();
    data.appearance.width = stored.width(), data.appearance.height = stored.height();
    QCOMPARE(WriteMatrixFile(path.toStdString(), data), ResultCode::Ok);
    QCOMPARE(OpenByName(frame_->app(), path.toStdString()), ResultCode::Ok);
    MatrixWindow* opened = frame_->WindowOfLetter(1);
    QVERIFY(opened);
    QCOMPARE(opened->geometry(), stored);
  }

  void matrixWindowsCascadeBelowTheMainFrame() {
    frame_->show();
    MatrixWindow* a = Put(1, Real(1, 1, {1}));
    MatrixWindow* b = Put(2, Real(1, 1, {1}));
    QVERIFY(a->pos() != b->pos());
    QVERIFY(a->frameGeometry().top() > frame_->frameGeometry().bottom());
    QVERIFY(b->frameGeometry().top() > a->frameGeometry().top());
  }

  void mainFrameShowsItsMenuBarAndTitle() {
    QVERIFY(frame_->width() >= frame_->menuBar()->sizeHint().width());
    QVERIFY(frame_->width() >= QFontMetrics(QApplication::font()).horizontalAdvance(frame_->windowTitle()));
    QVERIFY(!frame_->windowIcon().isNull());
    QVERIFY(!QApplication::windowIcon().isNull());
  }

  void mainFramePlacementRoundTrips() {
    frame_->show();
    frame_->move(40, 30);
    frame_->resize(330, 90);
    QCoreApplication::processEvents();
    const QPoint corner = frame_->pos();
    frame_.reset();
    frame_ = std::make_unique<MainFrame>();
    QCOMPARE(frame_->pos(), corner);
    QCOMPARE(frame_->size().height(), 90);
  }

  void everyMenuHasUniqueMnemonics() {
    // The main frame's first menu keeps its established texts, where "&Real",
    // "&Complex", "&Reflect | Project ..." and "&Copy column ..." share letters;
    // Qt cycles between such items. Nothing else may clash.
    for (int mode : {400, 401, 402}) {
      frame_->Command(mode);
      QStringList clashes = MenuClashes(frame_->menuBar());
      clashes.removeIf([](const QString& c) {
        return c == "&Real / &Reflect | Project ..." || c == "&Complex / &Copy column ...";
      });
      QCOMPARE(clashes, QStringList());
    }
    MatrixWindow* w = Put(1, Real(1, 1, {1}));
    QCOMPARE(MenuClashes(w->menuBar()), QStringList());
    QCOMPARE(MenuClashes(w->textOutWindow()->menuBar()), QStringList());
    QCOMPARE(MenuClashes(w->notebook()->menuBar()), QStringList());
  }

  void highlightContrast_data() {
    QTest::addColumn<QColor>("source");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("fill");  // expected, worked out from the luminance formula
    // Pale yellow behind black already passes (about 15.6:1) and stays.
    QTest::newRow("yellow on black text") << QColor(255, 222, 126) << QColor(0, 0, 0) << QColor(255, 222, 126);
    // Black behind black: lightened in twentieths toward white; grey 115
    // gives 4.43:1, grey 128 (half way) 5.32:1.
    QTest::newRow("black on black text") << QColor(0, 0, 0) << QColor(0, 0, 0) << QColor(128, 128, 128);
    // White text on white: darkened; grey 128 gives 3.95:1, grey 115 4.74:1.
    QTest::newRow("white on white text") << QColor(255, 255, 255) << QColor(255, 255, 255) << QColor(115, 115, 115);
  }
  void highlightContrast() {
    QFETCH(QColor, source);
    QFETCH(QColor, text);
    QFETCH(QColor, fill);
    const HighlightColours c = HighlightFor(source, text);
    QCOMPARE(c.text, text);
    QCOMPARE(c.fill, fill);
    QVERIFY(ContrastRatio(c.fill, c.text) >= 4.5);
    // The guidelines' own figures: black on white 21:1, and #777 on white 4.48:1.
    QCOMPARE(qRound(ContrastRatio(Qt::black, Qt::white) * 100), 2100);
    QCOMPARE(qRound(ContrastRatio(QColor(0x77, 0x77, 0x77), Qt::white) * 100), 448);
  }

  void highlightIsDrawnAsCellBackground() {
    Put(1, Real(2, 2, {2, 1, 1, 3}));
    frame_->Command(619);
    Dialog("ECH")->findChild<QPushButton*>("654")->click();
    MatrixDocument& ech = frame_->app().workspace().echelon();
    QVERIFY(ech.highlightRow >= 0);
    MatrixWindow* w = frame_->WindowOf(ech);
    const QImage& picture = w->Picture();
    const QRect cell = w->CellRect(ech.highlightRow - w->firstRow(), ech.highlightCol - w->firstCol());
    const QColor corner = picture.pixelColor(cell.topLeft() + QPoint(1, 1));
    const QColor ink = FontColour(ech.appearance, 0);
    QVERIFY2(ContrastRatio(corner, ink) >= 4.5, qPrintable(corner.name()));
    QVERIFY(corner != picture.pixelColor(w->CellRect(0, 0).topLeft() + QPoint(1, 1)) ||
            (ech.highlightRow == 0 && ech.highlightCol == 0));
  }

  void helpPagesInColumnsUseAFixedPitchFont() {
    frame_->Command(331);  // Calc | Help, a page with columns
    TextWindow* help = frame_->helpWindow();
    QVERIFY(help->fixedPitch());
    QVERIFY(QFontInfo(help->editor()->font()).fixedPitch());
    QVERIFY(!LinesUpInColumns("one line  with a gap\nand prose"));
    QVERIFY(LinesUpInColumns("a    b\nc    d\n"));
  }

  void lpTextOutAndTexNoticeCaptions() {
    Workspace& ws = frame_->app().workspace();
    ws.lp().title = "maximize F";
    MatrixWindow* lp = frame_->WindowOf(ws.lp());
    lp->TextOutCommand();
    QCOMPARE(lp->textOutWindow()->windowTitle(), QString("linear program data"));
    driver_->messages.clear();
    frame_->ShowNotice("TeX file saved");
    QCOMPARE(driver_->messages, QStringList{"success: TeX file saved"});
  }

  void textWindowKeepsFilesByteForByte_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("LF only") << QByteArray("one\ntwo\n") << QByteArray("one\ntwo\n\0", 9);
    QTest::newRow("CR LF") << QByteArray("one\r\ntwo") << QByteArray("one\r\ntwo\0", 9);
    QTest::newRow("saved here") << QByteArray("x\0", 2) << QByteArray("x\0", 2);
  }
  void textWindowKeepsFilesByteForByte() {
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, saved);
    QTemporaryDir dir;
    const QString in = dir.path() + "/in.txt", out = dir.path() + "/out.txt";
    QFile f(in);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();
    TextWindow w(nullptr, "t", "t.txt", QString());
    QVERIFY(w.Open(in));
    QVERIFY(w.Save(out));
    QFile back(out);
    QVERIFY(back.open(QIODevice::ReadOnly));
    QCOMPARE(back.readAll(), saved);
  }

  void textWindowSaveNeedsAModification() {
    TextWindow w(nullptr, "t", "t.txt", "report");
    auto* file = w.menuBar()->actions().at(0)->menu();
    QAction* save = nullptr;
    for (QAction* a : file->actions())
      if (a->text() == "&Save") save = a;
    QVERIFY(save);
    QVERIFY(!save->isEnabled());
    w.editor()->insertPlainText("more ");
    QVERIFY(save->isEnabled());
  }

  void placeBesideTable_data() {
    QTest::addColumn<QRect>("dialog");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("right") << QRect(100, 100, 300, 200) << QSize(400, 300) << QRect(408, 100, 400, 300);
    QTest::newRow("left") << QRect(900, 100, 300, 200) << QSize(400, 300) << QRect(492, 100, 400, 300);
    QTest::newRow("below") << QRect(200, 100, 900, 200) << QSize(400, 300) << QRect(200, 308, 400, 300);
    QTest::newRow("above") << QRect(200, 700, 900, 200) << QSize(400, 300) << QRect(200, 392, 400, 300);
    // No side fits 1200 x 900: the roomiest (below, 616 high) and shrunk.
    QTest::newRow("shrunk") << QRect(40, 100, 1200, 300) << QSize(1200, 900) << QRect(40, 408, 1200, 616);
  }
  void placeBesideTable() {
    QFETCH(QRect, dialog);
    QFETCH(QSize, size);
    QFETCH(QRect, expected);
    const QRect r = PlaceBeside(dialog, size, QRect(0, 0, 1280, 1024));
    QCOMPARE(r, expected);
    QVERIFY(!r.intersects(dialog));
  }

  void cascadeStartsOverBeforeLeavingTheScreen() {
    const QRect screen(0, 0, 1000, 800), frame(10, 10, 300, 90);
    const QSize size(500, 400);
    QCOMPARE(CascadePosition(frame, 0, size, screen), QPoint(10, 100));
    QCOMPARE(CascadePosition(frame, 2, size, screen), QPoint(66, 156));
    // (800 - 400 - 100) / 28 = 10 steps fit: positions 0 to 10, then over.
    QCOMPARE(CascadePosition(frame, 11, size, screen), QPoint(10, 100));
  }
};

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
