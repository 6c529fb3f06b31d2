#include "core/Fraction.h"

namespace tavrin {

std::string Fraction::ToString() const {
  if (den.IsOne()) return num.ToString();
  return num.ToString() + "/" + den.ToString();
}

ResultCode Reduce(Fraction& f) {
  if (f.den.IsZero()) return ResultCode::DivisionByZero;
  if (f.num.IsZero()) {
    f.den = BigInteger(1);
    return ResultCode::Ok;
  }
  mpz_class g;
  mpz_gcd(g.get_mpz_t(), f.num.Value().get_mpz_t(), f.den.Value().get_mpz_t());
  if (sgn(f.den.Value()) < 0) g = -g;
  mpz_divexact(f.num.Value().get_mpz_t(), f.num.Value().get_mpz_t(), g.get_mpz_t());
  mpz_divexact(f.den.Value().get_mpz_t(), f.den.Value().get_mpz_t(), g.get_mpz_t());
  return ResultCode::Ok;
}

ResultCode Add(const Fraction& a, const Fraction& b, Fraction& out) {
  Fraction r{a.num * b.den + b.num * a.den, a.den * b.den};
  ResultCode c = Reduce(r);
  if (IsOk(c)) out = std::move(r);
  return c;
}

ResultCode Subtract(const Fraction& a, const Fraction& b, Fraction& out) {
  Fraction r{a.num * b.den - b.num * a.den, a.den * b.den};
  ResultCode c = Reduce(r);
  if (IsOk(c)) out = std::move(r);
  return c;
}

ResultCode Multiply(const Fraction& a, const Fraction& b, Fraction& out) {
  Fraction r{a.num * b.num, a.den * b.den};
  ResultCode c = Reduce(r);
  if (IsOk(c)) out = std::move(r);
  return c;
}

ResultCode Divide(const Fraction& a, const Fraction& b, Fraction& out) {
  if (b.num.IsZero()) return ResultCode::DivisionByZero;
  Fraction r{a.num * b.den, a.den * b.num};
  ResultCode c = Reduce(r);
  if (IsOk(c)) out = std::move(r);
  return c;
}

ResultCode NormaliseRational(std::vector<BigInteger>& entries, BigInteger& denominator) {
  if (denominator.IsZero()) return ResultCode::DivisionByZero;
  if (denominator.IsNegative()) {
    for (auto& e : entries) e = -e;
    denominator = -denominator;
  }
  if (denominator.IsOne()) return ResultCode::Ok;
  mpz_class g = denominator.Value();
  for (const auto& e : entries) {
    mpz_gcd(g.get_mpz_t(), g.get_mpz_t(), e.Value().get_mpz_t());
    if (g == 1) return ResultCode::Ok;
  }
  for (auto& e : entries) mpz_divexact(e.Value().get_mpz_t(), e.Value().get_mpz_t(), g.get_mpz_t());
  mpz_divexact(denominator.Value().get_mpz_t(), denominator.Value().get_mpz_t(), g.get_mpz_t());
  return ResultCode::Ok;
}

}  // namespace tavrin
