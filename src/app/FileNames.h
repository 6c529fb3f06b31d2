#pragma once
#include <string>

namespace tavrin {

// A name typed into a save dialog without an extension gets the kind's
// ("realA" with "fma" becomes "realA.fma"), so that the file filters and
// opening by name find it again. A name that has one keeps it.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);

}  // namespace tavrin
