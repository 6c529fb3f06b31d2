#pragma once
#include <string>

namespace tavrin {

// The fixed-point text of one extended real with `places` places: printf's
// fixed conversion, at least places + 2 characters, right-justified; "+INF",
// "-NAN" and the like for non-finite values. Always written with a decimal
// point, whatever the locale; the buffer fits any extended value.
std::string FixedText(long double x, int places);

}  // namespace tavrin
