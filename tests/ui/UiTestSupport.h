#pragma once
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include <memory>

#include "app/Application.h"
#include "io/Settings.h"
#include "ui/MainFrame.h"
#include "ui/MatrixWindow.h"

namespace tavrin::test {

// Answers the modal boxes that commands open: message boxes are closed with
// the chosen button and their texts kept; other dialogs go to `fill`, which
// may set their edit boxes, and are then accepted (or rejected).
class ModalDriver : public QObject {
 public:
  ModalDriver() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }
  QStringList messages;  // "caption: text"
  QMessageBox::StandardButton answer = QMessageBox::Yes;
  std::function<bool(QDialog&)> fill;  // return true to accept

 private:
  void Poll() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || w->property("driven").toBool()) return;
    w->setProperty("driven", true);
    if (auto* box = qobject_cast<QMessageBox*>(w)) {
      messages << box->windowTitle() + ": " + box->text();
      // A dialog that refused its input stays open and is driven again.
      if (QWidget* owner = box->parentWidget()) owner->window()->setProperty("driven", false);
      QAbstractButton* b = box->button(answer);
      if (!b) b = box->button(QMessageBox::Ok);
      if (!b) b = box->button(QMessageBox::No);
      // Clicks are deferred so that a box opened by the click gets its turn.
      if (b) QTimer::singleShot(0, b, &QAbstractButton::click);
      else QTimer::singleShot(0, box, &QDialog::reject);
    } else if (auto* dialog = qobject_cast<QDialog*>(w)) {
      bool ok = fill ? fill(*dialog) : false;
      if (ok) {
        // The dialog's own OK path runs its checks.
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
          if (button->text() == "ok") {
            QTimer::singleShot(0, button, &QPushButton::click);
            return;
          }
        QTimer::singleShot(0, dialog, &QDialog::accept);
      } else {
        QTimer::singleShot(0, dialog, &QDialog::reject);
      }
    }
  }
  QTimer timer_;
};

inline void SetEdit(QDialog& d, const char* name, const QString& text) {
  if (auto* e = d.findChild<QLineEdit*>(name)) e->setText(text);
}

// Keeps tv.ini and tvrn.ini of the tests in a folder of their own.
inline QTemporaryDir& SettingsFolder() {
  static QTemporaryDir dir;
  SetSettingsDirectory(dir.path().toStdString() + "/");
  return dir;
}

// The matrix window tests' ground: a main frame made afresh for each test,
// the modal boxes answered, settings in a folder of their own. A test class
// derives from it and calls SetUpSuite, SetUp and TearDown from its
// initTestCase, init and cleanup slots.
class FrameFixture {
 protected:
  void SetUpSuite() {
    SettingsFolder();
    driver_ = std::make_unique<ModalDriver>();
  }
  void SetUp() { frame_ = std::make_unique<MainFrame>(); }
  void TearDown() { frame_.reset(); }

  // Stores the matrix under the letter of the mode; its window.
  template <class M>
  MatrixWindow* Put(int letter, M m, Mode mode = Mode::Real) {
    MatrixDocument* doc = nullptr;
    (void)frame_->app().workspace().PutMatrix(mode, "", letter, std::move(m), &doc);
    return frame_->WindowOf(*doc);
  }
  // The matrix 1, 2, 3, ... row by row under the letter, in a window of 640 x 400.
  MatrixWindow* PutCounting(int letter, int rows, int cols, Mode mode = Mode::Real) {
    MatrixWindow* w = nullptr;
    if (mode == Mode::Integer) {
      IntegerMatrix m(rows, cols);
      for (int i = 0; i < rows * cols; ++i) m.e[i] = BigInteger(i + 1);
      w = Put(letter, std::move(m), mode);
    } else {
      ComplexMatrix m(rows, cols);
      for (int i = 0; i < rows * cols; ++i) m.e()[i] = Complex{static_cast<long double>(i + 1), 0};
      w = Put(letter, std::move(m), mode);
    }
    w->resize(640, 400);
    QCoreApplication::processEvents();
    w->Relayout();
    return w;
  }
  // The window's document, for a test to set up what the window shows.
  MatrixDocument& Doc(MatrixWindow* w) { return frame_->app().workspace().Writable(w->document()); }

  std::unique_ptr<MainFrame> frame_;
  std::unique_ptr<ModalDriver> driver_;
};

}  // namespace tavrin::test
