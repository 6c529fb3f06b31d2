#include "ui/ProgramIcon.h"

#include <QApplication>

#include "ui/Resources.h"

namespace tavrin {

QIcon ProgramIcon() {
  LoadProgramResources();
  QIcon icon;
  icon.addFile(QStringLiteral(":/desktop/tavrin.svg"));
  icon.addFile(QStringLiteral(":/desktop/tavrin-64.png"), QSize(64, 64));
  return icon;
}

void InstallProgramIcon() {
  if (qApp) QApplication::setWindowIcon(ProgramIcon());
}

}  // namespace tavrin
