#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QtTest>

#include "app/Application.h"
#include "app/commands/Commands.h"
#include "app/commands/Generators.h"
#include "ui/NotebookWindow.h"
#include "ui/Fonts.h"
#include "ui/MainFrame.h"
#include "ui/MatrixWindow.h"
#include "ui/PaletteWindow.h"
#include "ui/TextWindow.h"
#include "UiTestSupport.h"

using namespace tavrin;

class MatrixWindowTest : public QObject, test::FrameFixture {
  Q_OBJECT
 private:
  static bool Shows(MatrixWindow* w, const QString& text) {
    w->Picture();
    for (const auto& d : w->drawnTexts())
      if (d.text == text) return true;
    return false;
  }
  static QPoint CellCentre(MatrixWindow* w, int r, int c) { return w->CellRect(r, c).center(); }

 private slots:
  void initTestCase() { SetUpSuite(); }
  void init() { SetUp(); }
  void cleanup() { TearDown(); }

  void wideRowShowsOnlyHorizontalBar() {
    MatrixWindow* w = PutCounting(1, 1, 200);
    QVERIFY(w->horizontalBar()->isVisibleTo(w));
    QVERIFY(!w->verticalBar()->isVisibleTo(w));
    QCOMPARE(w->horizontalBar()->maximum(), 200 - w->metrics().visibleCols);
    QVERIFY(Shows(w, "/200"));
    QVERIFY(!Shows(w, "/1"));
  }

  void slashMarkWhenColumnHidden() {
    MatrixWindow* w = PutCounting(2, 3, 3);
    QVERIFY(!Shows(w, "/3"));
    QCOMPARE(w->metrics().visibleCols, 3);
    while (w->metrics().visibleCols == 3) {
      w->resize(w->width() - 4, w->height());
      QCoreApplication::processEvents();
    }
    QCOMPARE(w->metrics().visibleCols, 2);
    QVERIFY(w->horizontalBar()->isVisibleTo(w));
    QVERIFY(Shows(w, "/3"));
  }

  void cellMetricsFollowTheFieldWidth() {
    MatrixWindow* w = PutCounting(3, 2, 2);
    MatrixDocument& doc = Doc(w);
    QFontMetrics fm(WindowFont(doc.appearance, 0));
    doc.format.width = 5;
    w->Relayout();
    const int eight = w->metrics().cellWidth;
    doc.format.width = 10;
    w->Relayout();
    const int twelve = w->metrics().cellWidth;
    QCOMPARE(eight, fm.horizontalAdvance("88888888"));
    QCOMPARE(twelve, fm.horizontalAdvance("888888888888"));
  }

  void integerWindowShowsOneRowLessAndTheDenominator() {
    MatrixWindow* real = PutCounting(4, 50, 3);
    frame_->Command(402);
    QCOMPARE(frame_->app().mode(), Mode::Integer);
    MatrixWindow* integer = PutCounting(4, 50, 3, Mode::Integer);
    integer->resize(real->size());
    QCoreApplication::processEvents();
    QCOMPARE(integer->metrics().visibleRows, real->metrics().visibleRows - 1);
    QVERIFY(Shows(integer, "denom 1"));
    QVERIFY(!Shows(real, "denom 1"));
  }

  void rowNumbersFollowShiftDown() {
    MatrixWindow* w = PutCounting(5, 60, 2);
    QVERIFY(Shows(w, " 1"));
    QVERIFY(w->action(324)->isEnabled());
    QVERIFY(!w->action(325)->isEnabled());  // already at the top
    w->action(324)->trigger();
    QCOMPARE(w->firstRow(), 1);
    QVERIFY(!Shows(w, " 1"));
    QVERIFY(Shows(w, " 2"));
    QCOMPARE(w->verticalBar()->value(), 1);
    QVERIFY(Shows(w, "/60"));
  }

  void paletteClickChangesBackground() {
    MatrixWindow* w = PutCounting(6, 2, 2);
    const WindowAppearance& a = w->document().appearance;
    QCOMPARE(w->Picture().pixelColor(1, 1), QColor(126, 255, 222));  // F's own colour
    w->ColourCommand(0);
    PaletteWindow* p = w->paletteWindow();
    QVERIFY(p->isVisible());
    p->resize(330, 230);
    QCoreApplication::processEvents();
    // Index 5 sits in column 5 of row 3.
    QTest::mouseClick(p->grid(), Qt::LeftButton, {}, p->CellRect(5, 3).center());
    QCOMPARE(a.colourSlots[0], 5);
    QCOMPARE(w->Picture().pixelColor(1, 1), QColor(222, 255, 126));
    // White and black also select.
    QTest::mouseClick(p->grid(), Qt::LeftButton, {}, p->CellRect(9, 5).center());
    QCOMPARE(a.colourSlots[0], 27);
    QCOMPARE(w->Picture().pixelColor(1, 1), QColor(255, 255, 255));
  }

  void rgbValuesAreChecked() {
    MatrixWindow* w = PutCounting(7, 2, 2);
    w->ColourCommand(0);
    PaletteWindow* p = w->paletteWindow();
    p->EditSelected();  // index 7 is editable
    RgbValuesBox* box = p->rgbBox();
    QVERIFY(box && box->isVisible());
    QCOMPARE(box->windowTitle(), QString("RGB values"));
    QCOMPARE(box->red->text(), QString("255"));
    box->red->setText("256");
    driver_->messages.clear();
    QVERIFY(!box->Apply());
    QCOMPARE(driver_->messages, QStringList{"hmm ...: out of bounds"});
    box->red->setText("0");
    box->green->setText("0");
    box->blue->setText("0");
    QVERIFY(box->Apply());
    QCOMPARE(w->document().appearance.palette[7], 0u);
    // Selecting white closes the dialog.
    p->Select(27);
    QVERIFY(!box->isVisible());
    p->EditSelected();
    QVERIFY(!box->isVisible());
  }

  void leftClickEditsOneEntry() {
    MatrixWindow* w = PutCounting(8, 2, 3);
    QTest::mouseClick(w->canvas(), Qt::LeftButton, {}, CellCentre(w, 1, 2));
    QLineEdit* box = w->editBox();
    QVERIFY(box);
    QVERIFY(w->document().editing);
    QCOMPARE(box->text(), QString("6"));  // the entry at full precision
    QCOMPARE(box->maxLength(), 256);
    QCOMPARE(box->geometry().right(), w->CellRect(1, 2).right());
    QCOMPARE(box->geometry().top(), w->CellRect(1, 2).top());
    box->selectAll();
    QTest::keyClicks(box, "2*3.5");
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(!w->editBox());
    QVERIFY(!w->document().editing);
    QCOMPARE(static_cast<double>(w->document().z.at(1, 2).re), 7.0);
    QVERIFY(Shows(w, "7.00000"));
    // Undo puts the old entry back.
    w->action(98)->trigger();
    QCOMPARE(static_cast<double>(w->document().z.at(1, 2).re), 6.0);
  }

  // The edit box with real key strokes: it opens with the full value, Enter
  // on it changes nothing, a text that is not a number is refused with the
  // box left open, and exponent notation is read.
  void editBoxKeepsFullValuesAndRefusesJunk() {
    MatrixWindow* w = PutCounting(7, 1, 2);
    MatrixDocument& doc = Doc(w);
    doc.z.at(0, 0) = Complex(0.9685205L);
    w->Relayout();
    QVERIFY(Shows(w, "0.96852"));
    QTest::mouseClick(w->canvas(), Qt::LeftButton, {}, CellCentre(w, 0, 0));
    QCOMPARE(w->editBox()->text(), QString("0.9685205"));
    QTest::keyClick(w->editBox(), Qt::Key_Return);
    QVERIFY(!w->editBox());
    QCOMPARE(doc.z.at(0, 0), Complex(0.9685205L));
    QVERIFY(doc.undo.empty());

    driver_->messages.clear();
    QTest::mouseClick(w->canvas(), Qt::LeftButton, {}, CellCentre(w, 0, 1));
    QTest::keyClicks(w->editBox(), "5x");
    QTest::keyClick(w->editBox(), Qt::Key_Return);
    QCOMPARE(driver_->messages, QStringList{"hmm ...: could not calculate"});
    QVERIFY(w->editBox());
    QCOMPARE(w->editBox()->text(), QString("5x"));
    QVERIFY(doc.editing);
    QTest::keyClick(w->editBox(), Qt::Key_Backspace);
    QTest::keyClicks(w->editBox(), "e-3");
    QTest::keyClick(w->editBox(), Qt::Key_Enter);
    QVERIFY(!w->editBox());
    QVERIFY(!doc.editing);
    QCOMPARE(doc.z.at(0, 1), Complex(5e-3L));
    QCOMPARE(doc.undo.size(), size_t{1});
  }

  void autofeedRunsThroughBothFlows_data() {
    QTest::addColumn<bool>("colByCol");
    QTest::addColumn<QList<QPoint>>("order");  // (row, col)
    QTest::newRow("down columns") << true
                                  << QList<QPoint>{{0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 2}, {1, 2}};
    QTest::newRow("along rows") << false << QList<QPoint>{{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}};
  }
  void autofeedRunsThroughBothFlows() {
    QFETCH(bool, colByCol);
    QFETCH(QList<QPoint>, order);
    MatrixWindow* w = PutCounting(9, 2, 3);
    w->SetColByCol(colByCol);
    QTest::mouseClick(w->canvas(), Qt::RightButton, {}, CellCentre(w, 0, 0));
    for (int k = 0; k < order.size(); ++k) {
      QVERIFY(w->editBox());
      QCOMPARE(w->windowTitle(), QString("Esc cancels autofeed"));
      w->editBox()->setText(QString::number(10 * (k + 1)));
      QTest::keyClick(w->editBox(), Qt::Key_Enter);
    }
    QVERIFY(!w->editBox());
    QVERIFY(!w->autofeed());
    QCOMPARE(w->windowTitle(), QString("I[*]"));  // edited: the unsaved mark
    for (int k = 0; k < order.size(); ++k)
      QCOMPARE(static_cast<double>(w->document().z.at(order[k].x(), order[k].y()).re), 10.0 * (k + 1));
  }

  void escEndsAutofeed() {
    MatrixWindow* w = PutCounting(10, 2, 3);
    QTest::mouseClick(w->canvas(), Qt::RightButton, {}, CellCentre(w, 0, 1));
    w->editBox()->setText("-4");
    QTest::keyClick(w->editBox(), Qt::Key_Return);
    QVERIFY(w->editBox());  // now on (1, 1)
    w->editBox()->setText("99");
    QTest::keyClick(w->editBox(), Qt::Key_Escape);
    QVERIFY(!w->editBox());
    QVERIFY(!w->autofeed());
    QVERIFY(!w->document().editing);
    QCOMPARE(w->windowTitle(), QString("J[*]"));  // edited: the unsaved mark
    QCOMPARE(static_cast<double>(w->document().z.at(0, 1).re), -4.0);
    QCOMPARE(static_cast<double>(w->document().z.at(1, 1).re), 5.0);
  }

  void denominatorLineIsEditable() {
    frame_->Command(402);
    MatrixWindow* w = PutCounting(11, 2, 2, Mode::Integer);
    int row, col;
    bool denominator = false;
    const int lastCol = w->metrics().visibleCols - 1;
    QPoint under = w->CellRect(2, lastCol).center();
    QVERIFY(w->HitTest(under, row, col, denominator));
    QVERIFY(denominator);
    QTest::mouseClick(w->canvas(), Qt::RightButton, {}, under);
    QVERIFY(w->editBox());
    QVERIFY(!w->autofeed());  // never autofeed on the denominator
    w->editBox()->setText("-3");
    QTest::keyClick(w->editBox(), Qt::Key_Return);
    QCOMPARE(w->document().q.denominator, BigInteger(3));
    QCOMPARE(w->document().q.at(0, 0), BigInteger(-1));
    QVERIFY(Shows(w, "denom 3"));
  }

  void editingGuardsModeSwitch() {
    MatrixWindow* w = PutCounting(12, 2, 2);
    QTest::mouseClick(w->canvas(), Qt::LeftButton, {}, CellCentre(w, 0, 0));
    QVERIFY(w->editBox());
    driver_->messages.clear();
    frame_->Command(401);
    QCOMPARE(frame_->app().mode(), Mode::Real);
    QCOMPARE(driver_->messages, QStringList{"hmm ...: editing in progress"});
    w->CancelEdit();
  }

  // New replaces a matrix without waiting for its edit box: the box closes,
  // the open notebook shows the new description at once (typing then
  // cannot write the old text back), and Undo gives the old matrix back.
  void replacementClosesEditBoxAndRefreshesNotebook() {
    MatrixWindow* w = PutCounting(14, 2, 2);
    MatrixDocument& doc = Doc(w);
    frame_->app().workspace().SetDescription(doc, "old notes");
    w->NotesCommand();
    NotebookWindow* notes = w->notebook();
    QCOMPARE(notes->Text(), QString("old notes"));
    QTest::mouseClick(w->canvas(), Qt::LeftButton, {}, CellCentre(w, 0, 0));
    QVERIFY(w->editBox());
    driver_->answer = QMessageBox::Yes;
    QCOMPARE(NewMatrix(frame_->app(), 14, NewType::Zeros, "3", "1", "0", "1", "1"), ResultCode::Ok);
    QVERIFY(!w->editBox());
    QVERIFY(!doc.editing);
    QCOMPARE(notes->Text(), QString("zeros"));
    QTest::keyClicks(notes->findChild<QPlainTextEdit*>(), "!");
    QCOMPARE(doc.notebook, std::string("!zeros"));  // the cursor starts at the top
    w->UpdateEnabling();
    QVERIFY(w->action(98)->isEnabled());
    w->action(98)->trigger();
    QCOMPARE(doc.rows(), 2);
    QCOMPARE(notes->Text(), QString("old notes"));
  }

  void hugePasteIntoEditBoxIsCut() {
    MatrixWindow* w = PutCounting(13, 1, 1);
    QTest::mouseClick(w->canvas(), Qt::LeftButton, {}, CellCentre(w, 0, 0));
    QApplication::clipboard()->setText(QString(10 * 1024 * 1024, '7'));
    w->editBox()->selectAll();
    w->editBox()->paste();
    QCOMPARE(w->editBox()->text().size(), 256);
    w->CancelEdit();
  }

  void bigMatrixDrawsOnlyVisibleCells() {
    MatrixWindow* w = PutCounting(14, 1000, 1000);
    const auto& m = w->metrics();
    w->Picture();
    // Entries, row numbers, column numbers and the two marks.
    QCOMPARE(w->drawnTexts().size(), m.visibleRows * m.visibleCols + m.visibleRows + m.visibleCols + 2);
    const int before = w->redrawCount();
    w->Picture();
    QCOMPARE(w->redrawCount(), before);  // a fresh picture is reused
    w->verticalBar()->setValue(990);
    QVERIFY(w->pictureStale());
    QVERIFY(Shows(w, " 991"));
  }

  void bitmapToClipboardIsThePicture() {
    MatrixWindow* w = PutCounting(16, 3, 3);
    w->action(310)->trigger();
    const QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.size(), QSize(w->drawingWidth(), w->drawingHeight()));
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), w->Picture());
  }

  void textOutFillsTheTextWindow() {
    MatrixWindow* w = PutCounting(17, 2, 2);
    w->action(603)->trigger();
    TextWindow* t = w->textOutWindow();
    QVERIFY(t->isVisible());
    QCOMPARE(t->windowTitle(), QString("matrix Q"));
    QCOMPARE(t->Text(), QString(" 1.00000   2.00000  \r\n 3.00000   4.00000  \r\n"));
  }

  void structuralCommandsUseTheirDialogs() {
    MatrixWindow* w = PutCounting(15, 5, 3);
    QStringList seen;
    driver_->fill = [&](QDialog& d) {
      seen << d.windowTitle();
      if (d.windowTitle() == "delete") {
        test::SetEdit(d, "edit1", "3");
        test::SetEdit(d, "edit2", "1");
      }
      return true;
    };
    w->action(607)->trigger();  // remove rows 3 through 1
    QCOMPARE(w->document().rows(), 2);
    QCOMPARE(static_cast<double>(w->document().z.at(0, 0).re), 10.0);
    w->action(611)->trigger();  // insert row, prefilled 2
    QCOMPARE(w->document().rows(), 3);
    QCOMPARE(static_cast<double>(w->document().z.at(1, 0).re), 0.0);
    w->action(604)->trigger();  // dimensions as they are: zeros
    QCOMPARE(w->document().rows(), 3);
    QCOMPARE(static_cast<double>(w->document().z.at(0, 0).re), 0.0);
    driver_->fill = nullptr;
    QCOMPARE(seen, (QStringList{"delete", "input", "dimensions"}));
    for (int k = 0; k < 3; ++k) w->action(98)->trigger();
    QCOMPARE(w->document().rows(), 5);
    QCOMPARE(static_cast<double>(w->document().z.at(2, 2).re), 9.0);
  }
};

QTEST_MAIN(MatrixWindowTest)
#include "MatrixWindowTest.moc"
