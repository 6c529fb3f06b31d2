#include "ui/Resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares the resource's function, which lives outside any namespace.
static void LoadTavrinResources() { Q_INIT_RESOURCE(tavrin); }

namespace tavrin {

void LoadProgramResources() {
  static const bool loaded = [] {
    LoadTavrinResources();
    return true;
  }();
  (void)loaded;
}

}  // namespace tavrin
