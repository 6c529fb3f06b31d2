#pragma once
#include <gmpxx.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Interrupt.h"
#include "core/ResultCode.h"

namespace tavrin {

// Exact integer of unlimited size. GMP does the arithmetic; the base-10000
// limb view (file layout, text cuts, 32-bit conversion limits) is derived
// from the value wherever behaviour depends on limbs.
class BigInteger {
 public:
  BigInteger() = default;
  BigInteger(long v) : v_(v) {}  // NOLINT(google-explicit-constructor)
  explicit BigInteger(const mpz_class& v) : v_(v) {}
  explicit BigInteger(mpz_class&& v) : v_(std::move(v)) {}

  const mpz_class& Value() const { return v_; }
  mpz_class& Value() { return v_; }

  // Reads text: each leading '-' toggles the sign, then every non-digit is
  // dropped ("12a34" and "1.234" read 1234). Nothing after the minus signs
  // gives code 2 and the value 0.
  static ResultCode Parse(std::string_view text, BigInteger& out);

  bool IsZero() const { return sgn(v_) == 0; }
  bool IsOne() const { return v_ == 1; }
  bool IsNegative() const { return sgn(v_) < 0; }
  int Sign() const { return sgn(v_); }
  BigInteger Abs() const { return BigInteger(mpz_class(abs(v_))); }

  // Index of the most significant base-10000 limb (0 for the value 0).
  int32_t Top() const;
  // Base-10000 limbs of the magnitude, least significant first; {0} for 0.
  std::vector<uint16_t> Limbs() const;
  static BigInteger FromLimbs(const std::vector<uint16_t>& limbs, bool negative);

  // Succeeds only when the magnitude has at most two limbs (below 10^8).
  bool ToInt32(int32_t& out) const;

  // Sign of |other| - |this|, as the magnitude comparison of the engine.
  int CompareMagnitude(const BigInteger& other) const;

  // Decimal text with a leading '-' for negative values.
  std::string ToString() const { return v_.get_str(); }

  // The integer text form: indentation spaces, the sign (when printing from
  // the top limb), the first limb in plain decimal, then lower limbs as four
  // digits while floor((maxLength - length)/4) allows; a cut ends in "...".
  // lineLength >= 1 breaks the text into CR LF separated pieces.
  // firstLimb/lastLimb < 0 mean the top and the lowest limb.
  std::string TextForm(int maxLength = 255, int lineLength = 0, int firstLimb = -1,
                       int lastLimb = 0, int indentation = 0) const;

  friend BigInteger operator+(const BigInteger& a, const BigInteger& b) { return BigInteger(mpz_class(a.v_ + b.v_)); }
  friend BigInteger operator-(const BigInteger& a, const BigInteger& b) { return BigInteger(mpz_class(a.v_ - b.v_)); }
  friend BigInteger operator*(const BigInteger& a, const BigInteger& b) { return BigInteger(mpz_class(a.v_ * b.v_)); }
  friend BigInteger operator-(const BigInteger& a) { return BigInteger(mpz_class(-a.v_)); }
  BigInteger& operator+=(const BigInteger& b) { v_ += b.v_; return *this; }
  BigInteger& operator-=(const BigInteger& b) { v_ -= b.v_; return *this; }
  BigInteger& operator*=(const BigInteger& b) { v_ *= b.v_; return *this; }
  friend bool operator==(const BigInteger& a, const BigInteger& b) { return a.v_ == b.v_; }
  friend bool operator!=(const BigInteger& a, const BigInteger& b) { return a.v_ != b.v_; }
  friend bool operator<(const BigInteger& a, const BigInteger& b) { return a.v_ < b.v_; }

 private:
  mpz_class v_;
};

// The functions below poll `stop` once before the work (and Power once per
// squaring): Q gives Stopped and the placeholder results stated.

// Multiplication; Q gives the placeholder product 1.
ResultCode Multiply(const BigInteger& a, const BigInteger& b, BigInteger& out, Interrupt& stop);

// Truncated division: quotient toward zero, remainder with the dividend's
// sign. b = 0 gives code 14 with q = r = 0. Q gives Stopped with q = r = 0.
ResultCode DivRem(const BigInteger& a, const BigInteger& b, BigInteger& q, BigInteger& r, Interrupt& stop);

// Never negative. gcd(0, 0) is code 6 with result 1; Q gives Stopped and 1.
ResultCode Gcd(const BigInteger& a, const BigInteger& b, BigInteger& out, Interrupt& stop);
// |a*b| / gcd(a, b); a zero operand is code 6 with result 1; Q gives Stopped and 1.
ResultCode Lcm(const BigInteger& a, const BigInteger& b, BigInteger& out, Interrupt& stop);
// base^n by square and multiply; n < 0 is code 3 with result 1; Q gives Stopped and 1.
ResultCode Power(const BigInteger& base, long n, BigInteger& out, Interrupt& stop);

}  // namespace tavrin
