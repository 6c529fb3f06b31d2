// The long-work box: work on another thread, Q or S passed to the poll,
// the interface kept alive meanwhile.
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <thread>

#include "UiFakePort.h"
#include "UiTestSupport.h"
#include "io/MatrixFile.h"
#include "ui/MainFrame.h"
#include "core/PollKey.h"
#include "ui/Dialogs.h"

using namespace tavrin;

namespace {

// Polls like the big-integer routines do until the wanted key arrives
// (or ten seconds pass, which the test then reports).
ResultCode PollUntil(int key) {
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < end) {
    if (PollKey() == key) return ResultCode::Stopped;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return ResultCode::CouldNotCalculate;  // the key never came
}

}  // namespace

class LongWorkTest : public QObject {
  Q_OBJECT
 private slots:
  void quitKeyStopsWorkPromptly() {
    QString busy, prompt;
    int ticks = 0;
    QTimer ticker;  // stands for the windows that keep repainting
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(5);
    WhenModal([&](QDialog* d) {
      busy = d->findChild<QLabel*>(QStringLiteral("busy"))->text();
      prompt = d->findChild<QLabel*>(QStringLiteral("prompt"))->text();
      QTimer::singleShot(100, d, [d] { QTest::keyClick(d, Qt::Key_Q); });
    });
    ResultCode c = RunLongWork(nullptr, [] { return PollUntil('Q'); });
    // Stopped, not the worker's own give-up: the key reached it while it worked.
    QCOMPARE(c, ResultCode::Stopped);
    QCOMPARE(busy, QStringLiteral("busy -- please wait"));
    QCOMPARE(prompt, QStringLiteral("press Q to quit"));
    QVERIFY(ticks > 5);
    QCOMPARE(PollKey(), 0);  // nothing left over for the next computation
  }

  void stopKeyAndEscape() {
    QString prompt;
    WhenModal([&](QDialog* d) {
      prompt = d->findChild<QLabel*>(QStringLiteral("prompt"))->text();
      QTest::keyClick(d, Qt::Key_Escape);  // cannot close the box; stops the work instead
    });
    QCOMPARE(RunLongWork(nullptr, [] { return PollUntil('S'); }, 'S'), ResultCode::Stopped);
    QCOMPARE(prompt, QStringLiteral("press S to stop"));
  }

  // A file handed over while the work runs waits for its end: the work's
  // matrices and windows stay as they were meanwhile.
  void handedOverFileWaitsForTheWork() {
    test::SettingsFolder();
    QTemporaryDir dir;
    const QString path = dir.filePath("w.fma");
    MatrixFileData data;
    data.complex = ComplexMatrix(1, 1);
    data.complex.at(0, 0) = Complex(5);
    QCOMPARE(WriteMatrixFile(path.toStdString(), data), ResultCode::Ok);
    MainFrame f;
    Workspace& ws = f.app().workspace();
    bool openedDuringWork = true;
    WhenModal([&](QDialog* d) {
      f.OpenHandedOver(path);
      openedDuringWork = ws.Lookup(Mode::Real, 1) != nullptr;
      QTest::keyClick(d, Qt::Key_Q);
    });
    QCOMPARE(RunLongWork(&f, [] { return PollUntil('Q'); }), ResultCode::Stopped);
    QVERIFY(!openedDuringWork);
    QTRY_VERIFY(ws.Lookup(Mode::Real, 1) != nullptr);
    QCOMPARE(ws.Lookup(Mode::Real, 1)->z.at(0, 0), Complex(5));
  }

  void shortWorkReturnsItsCode() {
    std::atomic<std::thread::id> ran{};
    ResultCode c = RunLongWork(nullptr, [&] {
      ran = std::this_thread::get_id();
      return ResultCode::Singular;
    });
    QCOMPARE(c, ResultCode::Singular);
    QVERIFY(ran.load() != std::this_thread::get_id());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }
};

QTEST_MAIN(LongWorkTest)
#include "LongWorkTest.moc"
