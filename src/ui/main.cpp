#include <QApplication>
#include <ctime>

#include "core/Random.h"
#include "ui/MainFrame.h"
#include "ui/SingleInstance.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
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
