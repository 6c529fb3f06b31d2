#include "ui/LongWork.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "core/PollKey.h"
#include "core/StringTable.h"
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

ResultCode RunLongWork(QWidget* parent, const std::function<ResultCode()>& work, int stopKey) {
  ClearPendingKey();
  std::packaged_task<ResultCode()> task(work);
  std::future<ResultCode> result = task.get_future();
  LongWorkDialog dialog(parent, stopKey);
  std::atomic<bool> done{false};
  std::thread worker([&] {
    task();
    done = true;
    // The box may not be running its loop yet; the queued call waits for it.
    QMetaObject::invokeMethod(&dialog, [&dialog] { dialog.Finish(); }, Qt::QueuedConnection);
  });
  // Short work ends before anything would be seen: no box flashes up.
  if (result.wait_for(std::chrono::milliseconds(40)) != std::future_status::ready || !done) dialog.exec();
  worker.join();
  // Events still queued for the box are dropped with it; a stop key pressed
  // too late must not reach the next computation.
  ClearPendingKey();
  return result.get();
}

}  // namespace tavrin
