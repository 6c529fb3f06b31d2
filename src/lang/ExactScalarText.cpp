#include "lang/ExactScalarText.h"

#include <cctype>

namespace tavrin {

namespace {

// A plain decimal such as "1.5" or "-0.25" is an exact fraction too (3/2,
// -1/4), though integer mode's language takes only integers.
bool ReadDecimal(std::string_view text, Fraction& out) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  std::string digits;
  size_t places = 0;
  bool point = false;
  for (; i < text.size() && text[i] != ' '; ++i) {
    const char ch = text[i];
    if (ch == '.' && !point) {
      point = true;
    } else if (std::isdigit(static_cast<unsigned char>(ch))) {
      digits += ch;
      if (point) ++places;
    } else {
      return false;
    }
  }
  while (i < text.size() && text[i] == ' ') ++i;
  if (!point || digits.empty() || i != text.size()) return false;
  mpz_class num(digits, 10), den;
  mpz_ui_pow_ui(den.get_mpz_t(), 10, places);
  out = Fraction{BigInteger(negative ? mpz_class(-num) : num), BigInteger(den)};
  return IsOk(Reduce(out));
}

}  // namespace

ResultCode EvaluateFractionText(std::string_view text, const MatrixLookup& lookup, Fraction& out, Interrupt& stop) {
  out = Fraction{};
  if (ReadDecimal(text, out)) return ResultCode::Ok;
  ExprTree tree;
  if (ResultCode c = ParseExpression(text, true, tree); NotOk(c)) return c;
  ExprValue v;
  if (ResultCode c = EvaluateExpression(tree, Mode::Integer, lookup, v, stop); NotOk(c)) return c;
  if (!v.isMatrix) {
    out = v.fraction;
    return Reduce(out);
  }
  return ResultCode::Ok;
}

}  // namespace tavrin
