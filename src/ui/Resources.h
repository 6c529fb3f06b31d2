#pragma once

namespace tavrin {

// Registers the program's built-in files (help pages, icons) once; a static
// library needs its resources registered by hand before the first use.
void LoadProgramResources();

}  // namespace tavrin
