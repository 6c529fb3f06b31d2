#pragma once
#include <string>
#include <string_view>

namespace tavrin {

// How every dialog reads a count (as atoi does): leading blanks, a sign,
// then digits up to the first other character; nothing readable is 0.
// Only the first maxChars characters are looked at (the edit box's limit).
// Values saturate at +-kCountLimit instead of overflowing, so a huge typed
// number is refused by the caller's bounds rather than wrapping round.
inline constexpr long long kCountLimit = 1000000000000000LL;
long long ReadCountText(std::string_view text, size_t maxChars = std::string_view::npos);

// The shortest text that reads back as exactly x: whole numbers below 1e21
// with all their digits ("1234567890"), others as printf's %g writes them
// with just enough digits ("0.9685205", "1.5e-07"); "+INF" and the like for
// values that are not finite.
std::string FullPrecisionText(long double x);

}  // namespace tavrin
