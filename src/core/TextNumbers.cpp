#include "core/TextNumbers.h"

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

}  // namespace tavrin
