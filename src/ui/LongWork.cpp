#include "ui/LongWork.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <atomic>
#include <chrono>
#include <thread>

#include "core/PollKey.h"
#include "core/StringTable.h"
#include "app/WorkerThread.h"
#include "ui/Dialogs.h"

namespace tavrin {

LongWorkDialog::LongWorkDialog(QWidget* parent, int stopKey) : QDialog(parent), stopKey_(stopKey) {
  setObjectName(QStringLiteral("LONGWORK"));
  setWindowTitle(QString::fromUtf8(String(str::kBusy)));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* busy = new QLabel(QString::fromUtf8(String(str::kBusy)), this);
  busy->setObjectName(QStringLiteral("busy"));
  auto* prompt =
      new QLabel(QString::fromUtf8(String(stopKey == 'S' ? str::kPressSToStop : str::kPressQToQuit)), this);
  prompt->setObjectName(QStringLiteral("prompt"));
  auto* bar = new QProgressBar(this);
  bar->setRange(0, 0);  // no measure of progress: a moving bar
  layout->addWidget(busy);
  layout->addWidget(prompt);
  layout->addWidget(bar);
}

void LongWorkDialog::Finish() {
  finished_ = true;
  QDialog::done(QDialog::Accepted);
}

void LongWorkDialog::keyPressEvent(QKeyEvent* event) {
  int key = event->key();
  if (key == Qt::Key_Q || key == Qt::Key_S) {
    PostKey(key == Qt::Key_Q ? 'Q' : 'S');
    event->accept();
    return;
  }
  if (key == Qt::Key_Escape) {
    reject();
    return;
  }
  event->ignore();
}

void LongWorkDialog::reject() {
  if (!finished_) PostKey(stopKey_);
}

void LongWorkDialog::closeEvent(QCloseEvent* event) {
  if (finished_) {
    event->accept();
    return;
  }
  event->ignore();
  PostKey(stopKey_);
}

namespace {
bool g_running = false;
}

bool LongWorkRunning() { return g_running; }

ResultCode RunLongWork(QWidget* parent, const std::function<ResultCode()>& work, int stopKey) {
  ClearPendingKey();
  LongWorkDialog dialog(parent, stopKey);
  g_running = true;
  ResultCode c = RunOnWorkerThread(
      work,
      [&dialog](const std::function<bool()>& over) {
        // Short work ends before anything would be seen: no box flashes up.
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(40);
        while (!over() && std::chrono::steady_clock::now() < end)
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (!over()) dialog.exec();
      },
      // The box may not be running its loop yet; the queued call waits for it.
      [&dialog] { QMetaObject::invokeMethod(&dialog, [&dialog] { dialog.Finish(); }, Qt::QueuedConnection); });
  g_running = false;
  // Events still queued for the box are dropped with it; a stop key pressed
  // too late must not reach the next computation.
  ClearPendingKey();
  return c;
}

}  // namespace tavrin
