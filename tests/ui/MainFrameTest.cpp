#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include "io/Settings.h"
#include "ui/MainFrame.h"
#include "ui/MatrixWindow.h"
#include "ui/SingleInstance.h"
#include "ui/TextWindow.h"
#include "UiTestSupport.h"

using namespace tavrin;

namespace {
QStringList Texts(const QList<QAction*>& actions) {
  QStringList out;
  for (QAction* a : actions) out << (a->isSeparator() ? QString("-") : a->text());
  return out;
}
QMenu* TopMenu(MainFrame& f, int index) { return f.menuBar()->actions().at(index)->menu(); }
}  // namespace

class MainFrameTest : public QObject {
  Q_OBJECT
  std::unique_ptr<test::ModalDriver> driver_;

 private slots:
  void initTestCase() {
    test::SettingsFolder();
    driver_ = std::make_unique<test::ModalDriver>();
  }

  void menusPerMode_data() {
    QTest::addColumn<int>("modeCommand");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("calc");
    const QStringList head{"&New ...", "&Open ...", "&Paste", "-", "&Real", "&Complex", "&Integer", "-"};
    const QStringList tail{"&Copy column ...", "-", "&White backgrounds", "-", "&Help", "E&xit"};
    QTest::newRow("real") << 400 << "tavrin [real]"
                          << head + QStringList{"Rotate &2D ...", "Rotate &3D ...", "&Reflect | Project ...",
                                                "&Formula ..."} + tail
                          << QStringList{"&Calculate ...", "&Solve ...", "&Linear program ...", "&Echelon form ...",
                                         "&Row/clm operations ...", "&One matrix", "-", "&Help"};
    QTest::newRow("complex") << 401 << "tavrin [complex]" << head + tail
                             << QStringList{"&Calculate ...", "&Solve ...", "&Echelon form ...", "&One matrix", "-",
                                            "&Help"};
    QTest::newRow("integer") << 402 << "tavrin [integer]"
                             << head + QStringList{"Rotate &3D ...", "&Reflect | Project ...", "&Unimodular ..."} +
                                    tail
                             << QStringList{"&Calculate ...", "&Solve ...", "&Linear program ...",
                                            "&Echelon form ...", "&Row/clm operations ...", "&One matrix", "-",
                                            "&Help"};
  }
  void menusPerMode() {
    QFETCH(int, modeCommand);
    QFETCH(QString, caption);
    QFETCH(QStringList, first);
    QFETCH(QStringList, calc);
    MainFrame f;
    f.Command(modeCommand);
    QCOMPARE(f.windowTitle(), caption);
    QCOMPARE(f.menuBar()->actions().at(0)->text(), QString(modeCommand == 402 ? "&Window" : "&Matrix"));
    QCOMPARE(Texts(TopMenu(f, 0)->actions()), first);
    QCOMPARE(Texts(TopMenu(f, 1)->actions()), calc);
    QCOMPARE(Texts(f.viewMenu()->actions()), (QStringList{"-", "&0 = Help"}));
    QCOMPARE(Texts(TopMenu(f, 3)->actions()), (QStringList{"&Help", "&About ..."}));
    for (int id : {400, 401, 402}) QCOMPARE(f.action(id)->isChecked(), id == modeCommand);
    // The same seven accelerators in every mode, menu item or not.
    const std::pair<int, const char*> keys[] = {{618, "Ctrl+C"}, {617, "Ctrl+S"}, {616, "Ctrl+L"}, {619, "Ctrl+E"},
                                                {99, "Ctrl+V"},  {500, "Ctrl+N"}, {59, "Ctrl+O"}};
    for (const auto& [id, key] : keys) {
      QVERIFY2(f.action(id), key);
      QCOMPARE(f.action(id)->shortcut(), QKeySequence(key));
    }
  }

  void enablingFollowsTheWorkspace() {
    MainFrame f;
    f.UpdateCommandStates();
    QVERIFY(!f.action(618)->isEnabled());
    QVERIFY(!f.action(616)->isEnabled());
    QVERIFY(f.action(500)->isEnabled());
    ComplexMatrix m(2, 2);
    (void)f.app().workspace().PutMatrix(Mode::Real, "", 3, m);
    QVERIFY(f.action(618)->isEnabled());
    QVERIFY(f.action(617)->isEnabled());
    QCOMPARE(Texts(f.viewMenu()->actions()), (QStringList{"C ...", "-", "&0 = Help"}));
    QCOMPARE(Texts(f.oneMatrixMenu()->actions()), QStringList{"C ..."});
    QVERIFY(f.WindowOfLetter(3)->isVisible());
    QCOMPARE(f.WindowOfLetter(3)->windowTitle(), QString("C[*]"));  // never saved
    // Closing hides; the View item shows it again.
    f.WindowOfLetter(3)->CloseCommand();
    QVERIFY(!f.WindowOfLetter(3)->isVisible());
    QVERIFY(f.app().workspace().Lookup(3)->hidden);
    f.action(503)->trigger();
    QVERIFY(f.WindowOfLetter(3)->isVisible());
    // Complex mode: its own letters; Ctrl+L too reads only complex letters.
    f.Command(401);
    QCOMPARE(Texts(f.viewMenu()->actions()), (QStringList{"-", "&0 = Help"}));
    QVERIFY(!f.action(618)->isEnabled());
    QVERIFY(!f.action(616)->isEnabled());
    f.Command(628);
    QVERIFY(f.action(628)->isChecked());
  }

  void pasteNeedsText() {
    MainFrame f;
    QApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32));
    f.UpdateCommandStates();
    QVERIFY(!f.action(99)->isEnabled());
    driver_->messages.clear();
    f.Command(99);  // refused quietly
    QVERIFY(driver_->messages.isEmpty());
    QApplication::clipboard()->setText("1 2\n3 4\n");
    f.UpdateCommandStates();
    QVERIFY(f.action(99)->isEnabled());
    f.Command(99);
    MatrixDocument* doc = f.app().workspace().Lookup(1);
    QVERIFY(doc);
    QCOMPARE(doc->rows(), 2);
    QCOMPARE(static_cast<double>(doc->z.at(1, 1).re), 4.0);
  }

  void placementFromSettings_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("kept");
    auto ini = [](int32_t l, int32_t t, int32_t w, int32_t h) {
      QByteArray b;
      for (int32_t v : {l, t, w, h}) b.append(reinterpret_cast<const char*>(&v), 4);
      b.append(char(0)).append(char(0)).append(char(1));
      return b;
    };
    QTest::newRow("fits") << ini(10, 20, 300, 150) << true;
    QTest::newRow("off screen") << ini(5000, 20, 300, 150) << false;
    QTest::newRow("too narrow") << ini(10, 20, 119, 150) << false;
    QTest::newRow("corrupt") << QByteArray("\xff\xff\xff\xff garbage") << false;
  }
  void placementFromSettings() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, kept);
    QFile ini(QString::fromStdString(SettingsDirectory()) + "tv.ini");
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(bytes);
    ini.close();
    MainFrame f;
    const Placement& p = f.settings().placement;
    if (kept) {
      QCOMPARE(p.left, 10);
      QCOMPARE(p.width, 300);
    } else {
      QVERIFY(p.left >= 0 && p.left < 200 + 100 && p.width <= 200);
      QVERIFY(p.width >= 120 && p.height >= 72);
    }
    QFile::remove(ini.fileName());
  }

  void droppedOddFilesAreHandled() {
    MainFrame f;
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("folder.fma");
    QFile other(dir.filePath("notes.txt"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write("1 2 3");
    other.close();
    driver_->messages.clear();
    f.OpenDropped({QUrl::fromLocalFile(dir.filePath("notes.txt")), QUrl::fromLocalFile(dir.filePath("folder.fma"))});
    // The text file is ignored; the folder cannot be read.
    QCOMPARE(driver_->messages, QStringList{"hmm ...: cannot open file"});
  }

  void exitAsksAboutModifiedMatrices() {
    MainFrame f;
    f.show();
    (void)f.app().workspace().PutMatrix(Mode::Real, "", 1, ComplexMatrix(1, 1));
    driver_->messages.clear();
    driver_->answer = QMessageBox::No;
    QVERIFY(f.close());
    driver_->answer = QMessageBox::Yes;
    QCOMPARE(driver_->messages, QStringList{"careful!: do you want Save requests?"});
  }

  // Text windows with typing not yet saved ask at exit; Cancel there, or a
  // save that does not happen, keeps the program running.
  void exitAsksAboutModifiedTextWindows() {
    struct Case {
      QMessageBox::StandardButton answer;
      bool folderGone;  // the file's folder vanished: the save fails
      bool closes;
      QStringList messages;
    } cases[] = {
        {QMessageBox::Cancel, false, false, {"careful!: save changes to report?"}},
        {QMessageBox::No, false, true, {"careful!: save changes to report?"}},
        {QMessageBox::Yes, false, true, {"careful!: save changes to report?"}},
        {QMessageBox::Yes, true, false, {"careful!: save changes to report?", "hmm ...: cannot save file"}},
    };
    for (const Case& c : cases) {
      QTemporaryDir dir;
      QDir(dir.path()).mkdir("sub");
      const QString path = dir.filePath("sub/report.txt");
      MainFrame f;
      f.show();
      MatrixDocument* a = nullptr;
      (void)f.app().workspace().PutMatrix(Mode::Real, "", 1, ComplexMatrix(1, 1), &a);
      a->modified = false;
      TextWindow* t = f.WindowOf(*a)->textOutWindow();
      t->SetText("1 2");
      QVERIFY(t->Save(path));
      t->editor()->appendPlainText("typed");
      if (c.folderGone) QVERIFY(QDir(dir.filePath("sub")).removeRecursively());
      driver_->messages.clear();
      driver_->answer = c.answer;
      QCOMPARE(f.close(), c.closes);
      driver_->answer = QMessageBox::Yes;
      QCOMPARE(driver_->messages, c.messages);
      if (c.answer == QMessageBox::Yes && !c.folderGone) {
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("1 2\r\ntyped") + QByteArray(1, '\0'));
      }
    }
  }

  void secondStartHandsItsFileOver_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");  // relative to the second start's folder
    // A path with blanks arrives in pieces and is joined again.
    QTest::newRow("pieces") << QStringList{"my", "matrix.fma"} << "my matrix.fma";
    // The first copy works in another folder: the path arrives absolute.
    QTest::newRow("relative") << QStringList{"sub/../b.fma"} << "b.fma";
  }

  void secondStartHandsItsFileOver() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    const QString program = QCoreApplication::applicationDirPath() + "/../src/tavrin";
    if (!QFile::exists(program)) QSKIP("the program is not built");
    MainFrame f;
    SingleInstance instance;
    QVERIFY(instance.Listen());
    connect(&instance, &SingleInstance::FileReceived, &f, &MainFrame::OpenHandedOver);
    QSignalSpy received(&instance, &SingleInstance::FileReceived);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("sub");
    QProcess second;
    second.setProgram(program);
    second.setArguments(arguments);
    second.setWorkingDirectory(dir.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(env);
    second.start();
    QVERIFY(received.wait(10000) || received.size() == 1);
    // The second start may have ended while the signal was awaited.
    QVERIFY(second.state() == QProcess::NotRunning || second.waitForFinished(10000));
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(QDir::cleanPath(received.at(0).at(0).toString()), QDir(dir.path()).filePath(expected));
  }

  // Each desktop has a program of its own: the hand-over is named by the
  // user and the display (screen numbers aside), the Wayland display, or
  // the login session.
  void handOverNamePerDesktop() {
    auto name = [](std::initializer_list<std::pair<const char*, const char*>> vars) {
      QProcessEnvironment env;
      env.insert("USER", "ann");
      for (auto [k, v] : vars) env.insert(k, v);
      return SingleInstance::NameFor(env);
    };
    QCOMPARE(name({{"DISPLAY", ":1"}}), QString("tvprev-ann-x_1"));
    QCOMPARE(name({{"DISPLAY", ":1.0"}}), name({{"DISPLAY", ":1"}}));
    QVERIFY(name({{"DISPLAY", ":1"}}) != name({{"DISPLAY", ":2"}}));
    QVERIFY(name({{"DISPLAY", "host:10.0"}}) != name({{"DISPLAY", ":10"}}));
    QCOMPARE(name({{"WAYLAND_DISPLAY", "wayland-0"}}), QString("tvprev-ann-wwayland-0"));
    QCOMPARE(name({{"XDG_SESSION_ID", "7"}}), QString("tvprev-ann-s7"));
    QVERIFY(name({{"XDG_SESSION_ID", "7"}}) != name({{"XDG_SESSION_ID", "8"}}));
  }
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
