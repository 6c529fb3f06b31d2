#pragma once
#include <string_view>

namespace tavrin {

// How every dialog reads a count (as atoi does): leading blanks, a sign,
// then digits up to the first other character; nothing readable is 0.
// Only the first maxChars characters are looked at (the edit box's limit).
// Values saturate at +-kCountLimit instead of overflowing, so a huge typed
// number is refused by the caller's bounds rather than wrapping round.
inline constexpr long long kCountLimit = 1000000000000000LL;
long long ReadCountText(std::string_view text, size_t maxChars = std::string_view::npos);

}  // namespace tavrin
