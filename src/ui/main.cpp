#include <QApplication>
#include <ctime>
#include <new>
#include <stdexcept>

#include "core/Random.h"
#include "ui/MainFrame.h"
#include "ui/Messages.h"
#include "ui/SingleInstance.h"

namespace {

// Memory that runs out in a command outside the long work's own guard ends
// that command with code 3; the workspace keeps what it had, since every
// command stores its result only once it is complete.
class Program : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    tavrin::ShowCodeBox(QApplication::activeWindow(), tavrin::ResultCode::LowMemory);
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  Program app(argc, argv);
  // The menu entry's name, so that desktops group the windows under it.
  QGuiApplication::setDesktopFileName(QStringLiteral("tavrin"));
  // The arguments name one file, even a path with blanks given in pieces.
  const QString pending = app.arguments().mid(1).join(' ');
  if (tavrin::SingleInstance::HandOver(pending)) return 0;
  tavrin::ProgramRandom().Seed(static_cast<uint32_t>(std::time(nullptr)));

  tavrin::SingleInstance instance;
  instance.Listen();
  tavrin::MainFrame frame(pending);
  QObject::connect(&instance, &tavrin::SingleInstance::FileReceived, &frame, &tavrin::MainFrame::OpenHandedOver);
  frame.show();
  return app.exec();
}
