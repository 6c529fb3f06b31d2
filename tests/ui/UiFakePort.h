#pragma once
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "FakePort.h"
#include "app/Application.h"
#include "app/commands/Commands.h"

namespace tavrin {

// Runs `act` on the modal dialog once it is up (polling the event loop),
// so that a test can fill in and close a dialog that exec() is running.
inline void WhenModal(std::function<void(QDialog*)> act, int attempt = 0) {
  QTimer::singleShot(10, [act, attempt] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog && dialog->isVisible()) {
      act(dialog);
    } else if (attempt < 300) {
      WhenModal(act, attempt + 1);
    }
  });
}

// The control of a dialog by its numeric name; a missing one ends the run
// unless it may be missing.
template <class W>
W* Control(QDialog* d, int id, bool required = true) {
  W* w = d->findChild<W*>(QString::number(id));
  if (!w && required) qFatal("control %d missing in %s", id, qPrintable(d->objectName()));
  return w;
}

inline void Click(QDialog* d, int id) { Control<QPushButton>(d, id)->click(); }

}  // namespace tavrin
