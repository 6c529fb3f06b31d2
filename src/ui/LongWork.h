#pragma once
#include <QDialog>

class QLabel;

namespace tavrin {

// The modal "busy" box shown while a long computation runs on a worker
// thread. Q (or S for the stoppable work) is passed to the computation's
// poll; Esc and the close box count as that key too, since the box itself
// cannot be closed while the work runs.
class LongWorkDialog : public QDialog {
  Q_OBJECT
 public:
  LongWorkDialog(QWidget* parent, int stopKey);
  // Closes the box once the work is over.
  void Finish();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  int stopKey_;
  bool finished_ = false;
};

// True while RunLongWork waits for its work: what arrives meanwhile (files
// handed over or dropped) waits until the work is over.
bool LongWorkRunning();

}  // namespace tavrin
