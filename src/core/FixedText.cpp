#include "core/FixedText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "core/CLocale.h"

namespace tavrin {

std::string FixedText(long double x, int places) {
  places = std::clamp(places, 0, 60);
  const size_t minWidth = static_cast<size_t>(places) + 2;
  if (!std::isfinite(x)) {
    std::string t = std::signbit(x) ? "-" : "+";
    t += std::isnan(x) ? "NAN" : "INF";
    if (t.size() < minWidth) t.insert(0, minWidth - t.size(), ' ');
    return t;
  }
  CLocaleScope c;
  char small[128];
  int n = std::snprintf(small, sizeof small, "%*.*Lf", static_cast<int>(minWidth), places, x);
  if (n < 0) return std::string(minWidth, ' ');
  if (static_cast<size_t>(n) < sizeof small) return std::string(small, static_cast<size_t>(n));
  std::vector<char> big(static_cast<size_t>(n) + 1);
  std::snprintf(big.data(), big.size(), "%*.*Lf", static_cast<int>(minWidth), places, x);
  return std::string(big.data(), static_cast<size_t>(n));
}

}  // namespace tavrin
