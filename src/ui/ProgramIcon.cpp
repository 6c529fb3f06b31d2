#include "ui/ProgramIcon.h"

#include <QApplication>

static void LoadIconResources() {
  static const bool loaded = [] {
    Q_INIT_RESOURCE(tavrin);
    return true;
  }();
  (void)loaded;
}

namespace tavrin {

QIcon ProgramIcon() {
  LoadIconResources();
  QIcon icon;
  icon.addFile(QStringLiteral(":/desktop/tavrin.svg"));
  icon.addFile(QStringLiteral(":/desktop/tavrin-64.png"), QSize(64, 64));
  return icon;
}

void InstallProgramIcon() {
  if (qApp) QApplication::setWindowIcon(ProgramIcon());
}

}  // namespace tavrin
