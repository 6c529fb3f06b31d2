// The matrix window's modal dialogs (format, hyphen to minus, TeX export)
// and the help pages.
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "UiFakePort.h"
#include "ui/Dialogs.h"

using namespace tavrin;

namespace {

std::string ReadAll(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return "<missing>";
  return f.readAll().toStdString();
}

}  // namespace

class FormatDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void templateFollowsMask() {
    struct Case {
      int mask;
      const char* name;
      bool places, width, scientific, replaceE;
    } cases[] = {
        {1, "DP", true, false, false, false},     {2, "FW", false, true, false, false},
        {3, "FWDP", true, true, false, false},    {5, "DPSN", true, false, true, false},
        {15, "FWDPSN", true, true, true, true},   {7, "DP", true, false, false, false},
    };
    for (const Case& c : cases) {
      DisplayFormat f;
      f.dialogMask = c.mask;
      QString seen;
      bool places = false, width = false, sci = false, repl = false;
      WhenModal([&](QDialog* d) {
        seen = d->objectName();
        QCOMPARE(d->windowTitle(), QStringLiteral("format"));
        places = Control<QLineEdit>(d, 211, false) != nullptr;
        width = Control<QLineEdit>(d, 212, false) != nullptr;
        sci = Control<QCheckBox>(d, 271, false) != nullptr;
        repl = Control<QCheckBox>(d, 272, false) != nullptr;
        d->reject();
      });
      QVERIFY(!RunFormatDialog(nullptr, f));
      QCOMPARE(seen, QString::fromLatin1(c.name));
      QCOMPARE(places, c.places);
      QCOMPARE(width, c.width);
      QCOMPARE(sci, c.scientific);
      QCOMPARE(repl, c.replaceE);
    }
  }

  void refusalsKeepDialogOpenAndRecordUnchanged() {
    FakePort port;
    DisplayFormat f;
    f.dialogMask = 15;
    QVector<bool> stillOpen;
    WhenModal([&](QDialog* d) {
      QCOMPARE(Control<QLineEdit>(d, 211)->text(), QStringLiteral("5"));
      QCOMPARE(Control<QLineEdit>(d, 212)->text(), QStringLiteral("7"));
      for (auto [places, width] : {std::pair{"16", "7"}, {"-1", "7"}, {"5", "2"}, {"5", "6"}}) {
        Control<QLineEdit>(d, 211)->setText(QString::fromLatin1(places));
        Control<QLineEdit>(d, 212)->setText(QString::fromLatin1(width));
        Click(d, 1);
        stillOpen << d->isVisible();
      }
      d->reject();
    });
    QVERIFY(!RunFormatDialog(nullptr, f, &port));
    QCOMPARE(port.codes, (std::vector<ResultCode>{ResultCode::OutOfBounds, ResultCode::OutOfBounds, ResultCode::OutOfBounds, ResultCode::InconsistentData}));
    QCOMPARE(stillOpen, (QVector<bool>{true, true, true, true}));
    QCOMPARE(f.places, int16_t(5));
    QCOMPARE(f.width, int16_t(7));
  }

  void acceptedFormatRaisesWidth() {
    FakePort port;
    DisplayFormat f;
    f.dialogMask = 15;
    WhenModal([](QDialog* d) {
      Control<QCheckBox>(d, 271)->setChecked(true);
      Click(d, 1);
    });
    QVERIFY(RunFormatDialog(nullptr, f, &port));
    QVERIFY(port.codes.empty());
    QVERIFY(f.scientific);
    QCOMPARE(f.width, int16_t(14));  // places 5 + 9 with scientific notation

    DisplayFormat integer;
    integer.dialogMask = 2;
    WhenModal([](QDialog* d) {
      Control<QLineEdit>(d, 212)->setText(QStringLiteral("3"));
      Click(d, 1);
    });
    QVERIFY(RunFormatDialog(nullptr, integer, &port));
    QCOMPARE(integer.width, int16_t(7));  // raised to the record's places + 2
  }

  void hyphenDialog() {
    FakePort port;
    DisplayFormat f;
    QString title, prompt;
    WhenModal([&](QDialog* d) {
      title = d->windowTitle();
      prompt = d->findChild<QLabel*>()->text();
      QCOMPARE(Control<QLineEdit>(d, 211)->text(), QStringLiteral("150"));
      Control<QLineEdit>(d, 211)->setText(QStringLiteral("31"));
      Click(d, 1);
    });
    QVERIFY(!RunHyphenDialog(nullptr, f, &port));
    QCOMPARE(title, QStringLiteral("lengthen hyphens"));
    QCOMPARE(prompt, QStringLiteral("ASCII value of new minus sign"));
    QCOMPARE(port.codes, std::vector<ResultCode>{ResultCode::OutOfBounds});
    QVERIFY(!f.minusOn);

    WhenModal([](QDialog* d) {
      Control<QLineEdit>(d, 211)->setText(QStringLiteral("173"));
      Click(d, 1);
    });
    QVERIFY(RunHyphenDialog(nullptr, f, &port));
    QVERIFY(f.minusOn);
    QCOMPARE(f.minusCode, int16_t(173));

    WhenModal([](QDialog* d) { Click(d, 1); });  // the same code again: nothing to repaint
    QVERIFY(!RunHyphenDialog(nullptr, f, &port));

    WhenModal([](QDialog* d) { Click(d, 2); });  // cancel turns the substitution off
    QVERIFY(RunHyphenDialog(nullptr, f, &port));
    QVERIFY(!f.minusOn);
    QCOMPARE(port.codes.size(), size_t(1));
  }

  void texMatrixExport() {
    QTemporaryDir dir;
    FakePort port;
    Application app(port);
    MatrixDocument doc(MatrixKind::Real, 1, 2, 2, false);
    doc.z.e() = {Complex(1), Complex(2), Complex(3), Complex(4)};
    doc.format.places = 2;
    const QString path = dir.filePath(QStringLiteral("m.tex"));
    port.chosenFile = path.toStdString();
    QString shownTitle, shownName;
    WhenModal([&](QDialog* d) {
      shownTitle = d->windowTitle();
      shownName = d->objectName();
      QVERIFY(Control<QRadioButton>(d, 251)->isChecked());  // ( matrix )
      QVERIFY(Control<QRadioButton>(d, 261)->isChecked());  // entry ....
      Click(d, 1);
    });
    RunTexExport(nullptr, app, doc, false);
    QCOMPARE(shownName, QStringLiteral("TEXMAT"));
    QCOMPARE(shownTitle, QStringLiteral("matrix [TeX]"));
    QCOMPARE(ReadAll(path), std::string("\\left(\\matrix{\r\n1.00\\hfill&2.00\\hfill\\cr\r\n"
                                        "3.00\\hfill&4.00\\hfill\\cr\r\n}\\right)\r\n"));
    QCOMPARE(port.notices, std::vector<std::string>{"TeX file saved"});
    QVERIFY(port.questions.empty());

    // An existing file: "no" to the overwrite question leaves it alone and
    // no option dialog appears.
    port.answers.push_back(Answer::No);
    RunTexExport(nullptr, app, doc, true);
    QCOMPARE(port.questions, std::vector<std::string>{"overwrite existing file?"});
    QCOMPARE(port.notices.size(), size_t(1));
    QVERIFY(ReadAll(path).rfind("\\left(", 0) == 0);

    // Table form, centred, spacer factor 0.
    const QString table = dir.filePath(QStringLiteral("t.tex"));
    port.chosenFile = table.toStdString();
    WhenModal([&](QDialog* d) {
      shownName = d->objectName();
      Control<QRadioButton>(d, 262)->setChecked(true);
      Control<QLineEdit>(d, 211)->setText(QStringLiteral("0"));
      Click(d, 1);
    });
    RunTexExport(nullptr, app, doc, true);
    QCOMPARE(shownName, QStringLiteral("TEXTABLE"));
    QCOMPARE(ReadAll(table).substr(0, 13), std::string("\\settabs\\+&88"));
    QCOMPARE(port.notices.size(), size_t(2));

    // Cancel in the file dialog or the option dialog writes nothing.
    port.chosenFile.clear();
    RunTexExport(nullptr, app, doc, false);
    const QString none = dir.filePath(QStringLiteral("n.tex"));
    port.chosenFile = none.toStdString();
    WhenModal([](QDialog* d) { Click(d, 2); });
    RunTexExport(nullptr, app, doc, false);
    QVERIFY(!QFile::exists(none));
    QCOMPARE(port.notices.size(), size_t(2));
  }

  void helpPages() {
    const char* names[] = {"PROGHELP", "TVFILEH",  "TVCALCH", "TVVIEWH", "TVMFILEH",
                           "TVMEDITH", "TVMMISCH", "LPHELP",  "ECHHELP", "OPERHELP"};
    for (const char* name : names) {
      QString text = HelpPageText(QString::fromLatin1(name));
      QVERIFY2(text.size() > 200, name);
      QVERIFY2(!text.contains(QStringLiteral("???")), name);
      QVERIFY2(!text.contains(QStringLiteral("maintainers")), name);  // the part after the cut
    }
    QVERIFY(HelpPageText(QStringLiteral("TVCALCH")).contains(QStringLiteral("(M-3W)X'")));
    QVERIFY(HelpPageText(QStringLiteral("LPHELP")).contains(QStringLiteral("diet")));
    QVERIFY(HelpPageText(QStringLiteral("LPHELP")).contains(QStringLiteral("1.468, 2.180, 5.805, 0.000")));
    QVERIFY(HelpPageText(QStringLiteral("NOSUCHPAGE")).isEmpty());
  }
};

QTEST_MAIN(FormatDialogTest)
#include "FormatDialogTest.moc"
