#include "engine/RationalMatrix.h"

namespace tavrin {

RationalMatrix ToRational(const IntegerMatrix& m) {
  RationalMatrix r(m.rows, m.cols);
  if (m.denominator.IsZero() || m.size() != r.e.size()) return r;
  for (size_t i = 0; i < r.e.size(); ++i) {
    r.e[i] = mpq_class(m.e[i].Value(), m.denominator.Value());
    r.e[i].canonicalize();
  }
  return r;
}

IntegerMatrix ToInteger(const RationalMatrix& m) {
  IntegerMatrix out(m.rows, m.cols);
  mpz_class d = 1;
  for (const mpq_class& x : m.e) mpz_lcm(d.get_mpz_t(), d.get_mpz_t(), x.get_den_mpz_t());
  for (size_t i = 0; i < m.e.size(); ++i) {
    mpz_class n = d / m.e[i].get_den();
    n *= m.e[i].get_num();
    out.e[i] = BigInteger(std::move(n));
  }
  out.denominator = BigInteger(std::move(d));
  return out;
}

mpq_class ToMpq(const Fraction& f) {
  if (f.den.IsZero()) return mpq_class(0);
  mpq_class q(f.num.Value(), f.den.Value());
  q.canonicalize();
  return q;
}

Fraction ToFraction(const mpq_class& q) {
  return Fraction{BigInteger(mpz_class(q.get_num())), BigInteger(mpz_class(q.get_den()))};
}

}  // namespace tavrin
