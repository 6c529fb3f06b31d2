#include "core/TextNumbers.h"

#include <cmath>
#include <cstdio>

#include "core/CLocale.h"

namespace tavrin {

long long ReadCountText(std::string_view text, size_t maxChars) {
  text = text.substr(0, maxChars);
  size_t k = 0;
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; };
  while (k < text.size() && blank(text[k])) ++k;
  bool negative = false;
  if (k < text.size() && (text[k] == '+' || text[k] == '-')) negative = text[k++] == '-';
  long long v = 0;
  for (; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k) {
    v = v * 10 + (text[k] - '0');
    if (v > kCountLimit) v = kCountLimit;
  }
  return negative ? -v : v;
}

std::string FullPrecisionText(long double x) {
  if (!std::isfinite(x)) return std::string(std::signbit(x) ? "-" : "+") + (std::isnan(x) ? "NAN" : "INF");
  CLocaleScope c;
  char buf[64];
  if (x == std::trunc(x) && std::fabs(x) < 1e21L) {
    std::snprintf(buf, sizeof buf, "%.0Lf", x);
    return buf;
  }
  // 21 significant digits always read back as the same 64-bit mantissa, and
  // a count that reads back stays good with more digits: search the least.
  // (A cut text could not read back; at most 21 digits are never cut.)
  auto readsBack = [&](int digits) {
    const int n = std::snprintf(buf, sizeof buf, "%.*Lg", digits, x);
    return n > 0 && n < static_cast<int>(sizeof buf) && StrToLongDoubleC(buf, nullptr) == x;
  };
  int lo = 1, hi = 21;
  while (lo < hi) {
    const int mid = (lo + hi) / 2;
    if (readsBack(mid))
      hi = mid;
    else
      lo = mid + 1;
  }
  readsBack(lo);
  return buf;
}

}  // namespace tavrin
