// The public exact entry points: modular kernels where they pay, the
// fraction-free ones for small matrices, inverses and the cases the modular
// routes leave open (inconsistent systems, a misleading prime).
#include <algorithm>
#include <new>

#include "engine/CharacteristicPolynomial.h"
#include "engine/Elimination.h"
#include "engine/ExactKernels.h"

namespace tavrin {

namespace {

// Below these sizes the fraction-free kernels are at least as fast.
constexpr int kModularDeterminantFrom = 12;
constexpr int kModularSolveFrom = 12;
constexpr int kModularInverseFrom = 12;
constexpr int kModularCharpolyFrom = 8;

// Rectangular and singular systems: by the rank profile when both sides are
// large enough for it to pay, else (or when it does not settle) fraction-free.
ResultCode SolveByProfile(const IntegerMatrix& a, const IntegerMatrix& b, IntegerSolveResult& out,
                          Interrupt& stop) {
  if (std::min(a.rows, a.cols) >= kModularSolveFrom && a.size() == static_cast<size_t>(a.rows) * a.cols &&
      !a.denominator.IsZero() &&
      (b.size() == 0 || (b.rows == a.rows && b.cols == 1 && b.size() == static_cast<size_t>(a.rows) &&
                         !b.denominator.IsZero()))) {
    const ResultCode rc = RankProfileSolve(a, b, out, stop);
    if (rc != ResultCode::Singular) return rc;
  }
  return FractionFreeSolve(a, b, out, stop);
}

}  // namespace

ResultCode IntegerInverse(const IntegerMatrix& a, Fraction& det, IntegerMatrix* inverse, Interrupt& stop) {
  const int n = a.rows;
  if (n < (inverse ? kModularInverseFrom : kModularDeterminantFrom) || a.rows != a.cols ||
      a.size() != static_cast<size_t>(n) * n || a.denominator.IsZero())
    return FractionFreeInverse(a, det, inverse, stop);
  try {
    mpz_class value;
    std::vector<mpz_class> adjugate;
    ResultCode rc = inverse ? ModularInverse(a, value, adjugate, stop) : ModularDeterminant(a, value, stop);
    if (rc != ResultCode::Ok) return rc;
    if (sgn(value) == 0) {
      det = Fraction{BigInteger(0), BigInteger(1)};
      return ResultCode::Singular;
    }
    // The power polls Q: take it before anything reaches the caller.
    BigInteger den;
    if (ResultCode c = Power(a.denominator, n, den, stop); NotOk(c)) return c;
    if (inverse) {
      // (A/da)^-1 = da * adj(A) / det(A).
      IntegerMatrix inv(n, n);
      const bool scaled = !a.denominator.IsOne();
      for (size_t k = 0; k < adjugate.size(); ++k) {
        if ((k & 4095) == 4095 && stop.Quit()) return ResultCode::Stopped;
        inv.e[k].Value().swap(adjugate[k]);
        if (scaled) inv.e[k] *= a.denominator;
      }
      inv.denominator = BigInteger(value);
      (void)NormaliseRational(inv.e, inv.denominator);  // value, the determinant, is not zero
      *inverse = std::move(inv);
    }
    Fraction d;
    d.num = BigInteger(std::move(value));
    if (ResultCode c = Power(a.denominator, n, d.den, stop); NotOk(c)) return c;
    if (NotOk(Reduce(d))) return ResultCode::DivisionByZero;
    det = std::move(d);
    return ResultCode::Ok;
  } catch (const std::bad_alloc&) {
    return ResultCode::LowMemory;
  }
}

ResultCode SolveSystem(const IntegerMatrix& a, const IntegerMatrix& b, IntegerSolveResult& out, Interrupt& stop) {
  const int n = a.rows;
  const bool homogeneous = b.size() == 0;
  if (n < kModularSolveFrom || a.rows != a.cols || a.size() != static_cast<size_t>(n) * n ||
      a.denominator.IsZero() ||
      (!homogeneous && (b.rows != n || b.cols != 1 || b.size() != static_cast<size_t>(n) || b.denominator.IsZero())))
    return SolveByProfile(a, b, out, stop);
  try {
    // A non-singular system has the one solution A^-1 b and no kernel.
    std::vector<mpz_class> num;
    mpz_class den = 1;
    if (homogeneous) {
      bool nonsingular = false;
      ResultCode rc = FullRankModuloPrime(a, nonsingular, stop);
      if (rc != ResultCode::Ok) return rc;
      if (!nonsingular) return SolveByProfile(a, b, out, stop);
      num.assign(n, mpz_class(0));
    } else {
      std::vector<mpz_class> rhs(n);
      for (int i = 0; i < n; ++i) rhs[i] = b.at(i, 0).Value();
      ResultCode rc = DixonSolve(a, rhs, num, den, stop);
      if (rc == ResultCode::Singular) return SolveByProfile(a, b, out, stop);
      if (rc != ResultCode::Ok) return rc;
    }
    // (A/da) x = b/db, so x = A^-1 b * da / db.
    IntegerSolveResult res;
    res.rank = n;
    res.x = IntegerMatrix(n, 1);
    for (int i = 0; i < n; ++i) res.x.at(i, 0) = BigInteger(mpz_class(num[i] * a.denominator.Value()));
    res.x.denominator = homogeneous ? BigInteger(1) : BigInteger(mpz_class(den * b.denominator.Value()));
    res.k = IntegerMatrix(n, 0);
    (void)NormaliseRational(res.x.e, res.x.denominator);  // never a zero denominator here
    out = std::move(res);
    return ResultCode::Ok;
  } catch (const std::bad_alloc&) {
    return ResultCode::LowMemory;
  }
}

ResultCode IntegerRank(const IntegerMatrix& a, int& rank, Interrupt& stop) {
  // Full rank modulo a prime settles it; a lower rank takes the kernel's proof.
  const int n = std::min(a.rows, a.cols);
  if (n >= kModularSolveFrom && a.size() == static_cast<size_t>(a.rows) * a.cols && !a.denominator.IsZero()) {
    try {
      bool full = false;
      ResultCode rc = FullRankModuloPrime(a, full, stop);
      if (rc != ResultCode::Ok) return rc;
      if (full) {
        rank = n;
        return ResultCode::Ok;
      }
    } catch (const std::bad_alloc&) {
      return ResultCode::LowMemory;
    }
  }
  IntegerSolveResult r;
  ResultCode rc = SolveByProfile(a, IntegerMatrix(), r, stop);
  if (IsOk(rc) || rc == ResultCode::InconsistentSystem) {
    rank = r.rank;
    return ResultCode::Ok;
  }
  return rc;
}

ResultCode IntegerCharacteristicPolynomial(const IntegerMatrix& m, std::vector<Fraction>& c, Interrupt& stop) {
  c.clear();
  if (m.rows < kModularCharpolyFrom || m.rows != m.cols || m.denominator.IsZero())
    return BerkowitzCharacteristicPolynomial(m, c, stop);
  try {
    std::vector<mpz_class> p;
    ResultCode rc = ModularCharacteristicPolynomial(m, p, stop);
    if (rc != ResultCode::Ok) return rc;
    // The matrix is (entries)/d, so the coefficient of x^(n-k) is c_k / d^k.
    std::vector<Fraction> out(p.size());
    mpz_class power = 1;
    for (size_t k = 0; k < p.size(); ++k) {
      out[k] = Fraction{BigInteger(std::move(p[k])), BigInteger(power)};
      (void)Reduce(out[k]);  // d^k with d checked non-zero above
      power *= m.denominator.Value();
    }
    c = std::move(out);
    return ResultCode::Ok;
  } catch (const std::bad_alloc&) {
    return ResultCode::LowMemory;
  }
}

}  // namespace tavrin
