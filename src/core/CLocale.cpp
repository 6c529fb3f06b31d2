#include "core/CLocale.h"

#include <cstdlib>

namespace tavrin {

namespace {
locale_t CLocale() {
  static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return c;
}
}  // namespace

CLocaleScope::CLocaleScope() : previous_(CLocale() ? uselocale(CLocale()) : static_cast<locale_t>(0)) {}
CLocaleScope::~CLocaleScope() {
  if (previous_) uselocale(previous_);
}

long double StrToLongDoubleC(const char* text, char** end) {
  if (CLocale()) return strtold_l(text, end, CLocale());
  return std::strtold(text, end);
}

}  // namespace tavrin
