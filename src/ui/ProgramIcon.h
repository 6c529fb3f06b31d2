#pragma once
#include <QIcon>

namespace tavrin {

// The program's icon: the scalable drawing, with a bitmap for systems
// without the SVG plugin. Every window of the program shows it.
QIcon ProgramIcon();
// Makes it the application's window icon (once, at start).
void InstallProgramIcon();

}  // namespace tavrin
