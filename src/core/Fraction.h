#pragma once
#include <vector>

#include "core/BigInteger.h"

namespace tavrin {

// An exact rational; results of the operations below are reduced.
struct Fraction {
  BigInteger num{0};
  BigInteger den{1};

  std::string ToString() const;  // "p" or "p/q"
  friend bool operator==(const Fraction& a, const Fraction& b) { return a.num == b.num && a.den == b.den; }
};

// Divides p and q by their gcd and makes q positive. q = 0 is code 14.
ResultCode Reduce(Fraction& f);
ResultCode Add(const Fraction& a, const Fraction& b, Fraction& out);
ResultCode Subtract(const Fraction& a, const Fraction& b, Fraction& out);
ResultCode Multiply(const Fraction& a, const Fraction& b, Fraction& out);
// a / b; b = 0 is code 14.
ResultCode Divide(const Fraction& a, const Fraction& b, Fraction& out);

// Normalises entries/denominator: a negative denominator flips every sign;
// then entries and denominator are divided by their common gcd.
// A zero denominator is code 14 and changes nothing.
ResultCode NormaliseRational(std::vector<BigInteger>& entries, BigInteger& denominator);

}  // namespace tavrin
