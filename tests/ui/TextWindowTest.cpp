#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/NotebookWindow.h"
#include "ui/TextWindow.h"
#include "FakePort.h"
#include "app/Application.h"
#include "app/MatrixDocument.h"
#include "UiTestSupport.h"

using namespace tavrin;

class TextWindowTest : public QObject {
  Q_OBJECT
  std::unique_ptr<test::ModalDriver> driver_;
  QTemporaryDir dir_;

  static int Selection(TextWindow& w) { return w.editor()->textCursor().selectionStart(); }
  static QString Selected(TextWindow& w) { return w.editor()->textCursor().selectedText(); }

 private slots:
  void initTestCase() {
    test::SettingsFolder();
    driver_ = std::make_unique<test::ModalDriver>();
  }

  void searchIgnoresCaseAndNextMovesOn() {
    TextWindow w(nullptr, "t", "t.txt", "alpha Beta gamma\r\nbeta delta BETA");
    QVERIFY(w.Search("BETA"));
    QCOMPARE(Selection(w), 6);
    QCOMPARE(Selected(w), QString("Beta"));
    QVERIFY(w.Next());
    QCOMPARE(Selection(w), 17);  // the line end counts as one character here
    QVERIFY(w.Next());
    QCOMPARE(Selected(w), QString("BETA"));  // the very end of the text
    driver_->messages.clear();
    QVERIFY(!w.Next());
    QCOMPARE(driver_->messages, QStringList{"hmm ...: could not find"});
    QCOMPARE(Selection(w), 0);
  }

  void missingWordSendsCursorToTopAndNextFindsPositionZero() {
    TextWindow w(nullptr, "t", "t.txt", "word and more words");
    QVERIFY(w.Search("and"));
    driver_->messages.clear();
    QVERIFY(!w.Search("absent"));
    QCOMPARE(driver_->messages, QStringList{"hmm ...: could not find"});
    QCOMPARE(Selection(w), 0);
    QVERIFY(w.Search("WORD"));
    QCOMPARE(Selection(w), 0);
    QVERIFY(w.Next());
    QCOMPARE(Selection(w), 14);
    w.RestartAtTop();
    QVERIFY(w.Next());
    QCOMPARE(Selection(w), 0);
  }

  void emptySearchIsNothingToDo() {
    TextWindow w(nullptr, "t", "t.txt", "text");
    driver_->messages.clear();
    QVERIFY(!w.Search(""));
    QCOMPARE(driver_->messages, QStringList{"hmm ...: nothing to do"});
  }

  void saveWritesTextAndOneNul() {
    TextWindow w(nullptr, "t", "t.txt", "x");
    const QString path = dir_.filePath("x.txt");
    QVERIFY(w.SaveAs(path));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("x\0", 2));
    QCOMPARE(w.windowTitle(), QString("x"));
    QVERIFY(w.hasFile());
    w.SetText("a\r\nb");
    QVERIFY(w.SaveAs(path));
    f.seek(0);
    QCOMPARE(f.readAll(), QByteArray("a\r\nb\0", 5));
  }

  void openKeepsTheFirst64000Bytes() {
    const QString path = dir_.filePath("big.txt");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(70000, 'q'));
    f.close();
    TextWindow w(nullptr, "t", "t.txt", "");
    QVERIFY(w.Open(path));
    QCOMPARE(w.Text().size(), 64000);
    driver_->messages.clear();
    QVERIFY(!w.Open(dir_.filePath("missing.txt")));
    QCOMPARE(driver_->messages, QStringList{"hmm ...: cannot open file"});
  }

  void minusSignCodes() {
    TextWindow w(nullptr, "t", "t.txt", "-1 - 2");
    driver_->messages.clear();
    w.MinusSigns(1);
    QCOMPARE(driver_->messages, QStringList{"hmm ...: cannot understand"});
    QCOMPARE(w.Text(), QString("-1 - 2"));
    w.MinusSigns(150);
    QCOMPARE(w.Text(), QString::fromUtf8("\u20131 \u2013 2"));
    TextWindow v(nullptr, "t", "t.txt", "-");
    v.MinusSigns(2);
    QCOMPARE(v.Text(), QString(QChar(2)));
  }

  void offsetsInCentimetres() {
    TextWindow w(nullptr, "t", "t.txt", "");
    QString seenH;
    int round = 0;
    driver_->fill = [&](QDialog& d) {
      if (d.objectName() == "hmm") return true;
      if (round++ == 0) {
        seenH = d.findChild<QLineEdit*>("hori")->text();
        test::SetEdit(d, "hori", "0.5");
      } else {
        test::SetEdit(d, "hori", "0.64");
      }
      return true;
    };
    driver_->messages.clear();
    w.Offsets();
    driver_->fill = nullptr;
    QCOMPARE(seenH, QString("2.54"));
    QCOMPARE(driver_->messages, QStringList{"hmm ...: out of bounds"});
    QVERIFY(w.offsetH > 0.25L && w.offsetH < 0.26L);
  }

  void threeFormFeedsPrintFourPages() {
    TextWindow w(nullptr, "t", "t.txt", "page one\r\n\fpage two\fpage three\r\n\fpage four");
    const QString pdf = dir_.filePath("out.pdf");
    w.printer().setOutputFormat(QPrinter::PdfFormat);
    w.printer().setOutputFileName(pdf);
    QCOMPARE(w.Print(), 4);
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 4);
  }

  void longTextFillsSeveralPages() {
    QString text;
    for (int i = 0; i < 200; ++i) text += QString("line %1\r\n").arg(i);
    TextWindow w(nullptr, "t", "t.txt", text);
    w.printer().setOutputFormat(QPrinter::PdfFormat);
    w.printer().setOutputFileName(dir_.filePath("long.pdf"));
    QVERIFY(w.Print() >= 2);
  }

  // A job that cannot start says so, and the window can print afterwards.
  void failedPrintSaysSoAndLeavesPrintingUsable() {
    TextWindow w(nullptr, "t", "t.txt", "one line");
    w.printer().setOutputFormat(QPrinter::PdfFormat);
    w.printer().setOutputFileName(QString());  // what Qt picks when no printer exists
    driver_->messages.clear();
    QCOMPARE(w.Print(), 0);
    w.printer().setOutputFileName(dir_.filePath("missing/out.pdf"));
    QCOMPARE(w.Print(), 0);
    QCOMPARE(driver_->messages, (QStringList{"hmm ...: no printer", "hmm ...: cannot print"}));
    const QString pdf = dir_.filePath("after.pdf");
    w.printer().setOutputFileName(pdf);
    QCOMPARE(w.Print(), 1);
    QVERIFY(QFileInfo(pdf).size() > 0);
  }

  void notebookTitleAndClose() {
    FakePort port;
    Application app(port);
    // The notebook's window changes its document through the workspace.
    MatrixDocument* stored = nullptr;
    QCOMPARE(app.workspace().PutMatrix(Mode::Real, "", 1, ComplexMatrix(2, 2), &stored), ResultCode::Ok);
    MatrixDocument& doc = *stored;
    doc.fileName = "/some/dir/noname.fma";
    doc.notebook = "zeros";
    NotebookWindow n(nullptr, app, doc, 6);
    QCOMPARE(n.windowTitle(), QString("notebook [noname]"));
    QCOMPARE(n.Text(), QString("zeros"));
    n.editor()->appendPlainText("more");
    QCOMPARE(doc.notebook, std::string("zeros\r\nmore"));
    doc.modified = false;
    n.CloseCommand();
    QVERIFY(doc.modified);
    QVERIFY(!n.isVisible());
  }

  void hugePasteStaysWithinTheLimit() {
    TextWindow w(nullptr, "t", "t.txt", "abc");
    QApplication::clipboard()->setText(QString(10 * 1024 * 1024, 'z'));
    w.editor()->moveCursor(QTextCursor::End);
    w.editor()->paste();
    QCOMPARE(w.Text().size(), 64000);
  }
};

QTEST_MAIN(TextWindowTest)
#include "TextWindowTest.moc"
