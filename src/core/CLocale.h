#pragma once
#include <locale.h>

namespace tavrin {

// Number texts are always written and read with the decimal point, whatever
// locale the desktop has set: the conversions run under the C locale.
class CLocaleScope {
 public:
  CLocaleScope();
  ~CLocaleScope();
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  locale_t previous_;
};

// strtold under the C locale.
long double StrToLongDoubleC(const char* text, char** end);

}  // namespace tavrin
