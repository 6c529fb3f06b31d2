#include "core/BigInteger.h"

#include <algorithm>

namespace tavrin {

namespace {

// Number of decimal digits of |v| (1 for 0), exactly.
size_t DecimalDigits(const mpz_class& v) {
  if (sgn(v) == 0) return 1;
  size_t n = mpz_sizeinbase(v.get_mpz_t(), 10);  // may be one too large
  mpz_class p;
  mpz_ui_pow_ui(p.get_mpz_t(), 10, n - 1);
  if (mpz_cmpabs(v.get_mpz_t(), p.get_mpz_t()) < 0) --n;
  return n;
}
}  // namespace

ResultCode BigInteger::Parse(std::string_view text, BigInteger& out) {
  size_t i = 0;
  bool negative = false;
  while (i < text.size() && text[i] == '-') {
    negative = !negative;
    ++i;
  }
  if (i == text.size()) {
    out = BigInteger();
    return ResultCode::EmptyText;
  }
  std::string digits;
  digits.reserve(text.size() - i);
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9' && !(digits.empty() && c == '0')) digits.push_back(c);
  }
  if (digits.empty()) {
    out = BigInteger();
    return ResultCode::Ok;
  }
  mpz_class v;
  v.set_str(digits, 10);
  if (negative) v = -v;
  out = BigInteger(std::move(v));
  return ResultCode::Ok;
}

int32_t BigInteger::Top() const {
  size_t digits = DecimalDigits(v_);
  return static_cast<int32_t>((digits + 3) / 4 - 1);
}

std::vector<uint16_t> BigInteger::Limbs() const {
  if (sgn(v_) == 0) return {0};
  std::string s = mpz_class(abs(v_)).get_str();
  std::vector<uint16_t> limbs;
  limbs.reserve(s.size() / 4 + 1);
  for (size_t end = s.size(); end > 0;) {
    size_t start = end >= 4 ? end - 4 : 0;
    uint16_t limb = 0;
    for (size_t k = start; k < end; ++k) limb = static_cast<uint16_t>(limb * 10 + (s[k] - '0'));
    limbs.push_back(limb);
    end = start;
  }
  return limbs;
}

BigInteger BigInteger::FromLimbs(const std::vector<uint16_t>& limbs, bool negative) {
  std::string s;
  s.reserve(limbs.size() * 4);
  char buf[8];
  for (size_t k = limbs.size(); k-- > 0;) {
    std::snprintf(buf, sizeof buf, "%04u", static_cast<unsigned>(limbs[k] % 10000));
    s += buf;
  }
  size_t nz = s.find_first_not_of('0');
  mpz_class v;
  if (nz != std::string::npos) v.set_str(s.substr(nz), 10);
  if (negative) v = -v;
  return BigInteger(std::move(v));
}

bool BigInteger::ToInt32(int32_t& out) const {
  if (mpz_cmpabs_ui(v_.get_mpz_t(), 100000000UL) >= 0) return false;
  out = static_cast<int32_t>(v_.get_si());
  return true;
}

int BigInteger::CompareMagnitude(const BigInteger& other) const {
  int c = mpz_cmpabs(other.v_.get_mpz_t(), v_.get_mpz_t());
  return (c > 0) - (c < 0);
}

std::string BigInteger::TextForm(int maxLength, int lineLength, int firstLimb, int lastLimb,
                                 int indentation) const {
  std::vector<uint16_t> limbs = Limbs();
  int top = static_cast<int>(limbs.size()) - 1;
  if (firstLimb < 0 || firstLimb > top) firstLimb = top;
  if (lastLimb < 0) lastLimb = 0;
  std::string text(static_cast<size_t>(std::max(indentation, 0)), ' ');
  if (firstLimb == top && IsNegative()) text += '-';
  text += std::to_string(limbs[firstLimb]);
  int room = (maxLength - static_cast<int>(text.size())) / 4;
  if (room < 0) room = 0;
  int k = firstLimb - 1;
  char buf[8];
  for (; k >= lastLimb && room > 0; --k, --room) {
    std::snprintf(buf, sizeof buf, "%04u", static_cast<unsigned>(limbs[k]));
    text += buf;
  }
  if (k >= lastLimb) {
    size_t n = std::min<size_t>(3, text.size());
    text.replace(text.size() - n, n, std::string(n, '.'));
    return text;
  }
  if (lineLength >= 1 && text.size() > static_cast<size_t>(lineLength)) {
    std::string broken;
    for (size_t pos = 0; pos < text.size(); pos += lineLength) {
      if (pos) broken += "\r\n";
      broken += text.substr(pos, lineLength);
    }
    return broken;
  }
  return text;
}

ResultCode Multiply(const BigInteger& a, const BigInteger& b, BigInteger& out, Interrupt& stop) {
  if (stop.Quit()) {
    out = BigInteger(1);
    return ResultCode::Stopped;
  }
  out = a * b;
  return ResultCode::Ok;
}

ResultCode DivRem(const BigInteger& a, const BigInteger& b, BigInteger& q, BigInteger& r, Interrupt& stop) {
  if (b.IsZero()) {
    q = BigInteger();
    r = BigInteger();
    return ResultCode::DivisionByZero;
  }
  if (stop.Quit()) {
    q = BigInteger();
    r = BigInteger();
    return ResultCode::Stopped;
  }
  mpz_class qq, rr;
  mpz_tdiv_qr(qq.get_mpz_t(), rr.get_mpz_t(), a.Value().get_mpz_t(), b.Value().get_mpz_t());
  q = BigInteger(std::move(qq));
  r = BigInteger(std::move(rr));
  return ResultCode::Ok;
}

namespace {
// gcd and lcm refuse alike: code 6 with the result 1 when the operands do
// not allow one, and Stopped with 1 when Q was pressed.
template <class Op>
ResultCode GcdOrLcm(bool refused, const BigInteger& a, const BigInteger& b, BigInteger& out, Interrupt& stop,
                    Op op) {
  if (refused || stop.Quit()) {
    out = BigInteger(1);
    return refused ? ResultCode::GcdOfZeros : ResultCode::Stopped;
  }
  mpz_class r;
  op(r.get_mpz_t(), a.Value().get_mpz_t(), b.Value().get_mpz_t());
  out = BigInteger(std::move(r));
  return ResultCode::Ok;
}
}  // namespace

ResultCode Gcd(const BigInteger& a, const BigInteger& b, BigInteger& out, Interrupt& stop) {
  return GcdOrLcm(a.IsZero() && b.IsZero(), a, b, out, stop, mpz_gcd);
}

ResultCode Lcm(const BigInteger& a, const BigInteger& b, BigInteger& out, Interrupt& stop) {
  return GcdOrLcm(a.IsZero() || b.IsZero(), a, b, out, stop, mpz_lcm);
}

ResultCode Power(const BigInteger& base, long n, BigInteger& out, Interrupt& stop) {
  if (n < 0) {
    out = BigInteger(1);
    return ResultCode::LowMemory;
  }
  mpz_class result = 1, square = base.Value();
  while (n > 0) {
    if (stop.Quit()) {
      out = BigInteger(1);
      return ResultCode::Stopped;
    }
    if (n & 1) result *= square;
    n >>= 1;
    if (n > 0) square *= square;
  }
  out = BigInteger(std::move(result));
  return ResultCode::Ok;
}

}  // namespace tavrin
