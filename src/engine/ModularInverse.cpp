// The exact inverse as adj(A) / det(A): the determinant first (which also
// settles singularity), then the adjugate one prime at a time, joined by
// the Chinese remainder theorem up to Hadamard's bound for its entries.
#include <flint/ulong_extras.h>

#include <algorithm>
#include <cmath>

#include "engine/ExactKernels.h"
#include "engine/ModularTools.h"

namespace tavrin {

namespace {

// From this size one FLINT inverse modulo p takes too long to wait for.
constexpr int kColumnByColumnFrom = 300;

double Log2(const mpz_class& v) {
  if (sgn(v) == 0) return 0;
  long e = 0;
  const double d = mpz_get_d_2exp(&e, v.get_mpz_t());
  return static_cast<double>(e) + std::log2(std::fabs(d));
}

// Every (n-1)-minor is at most the product of the row (or column) norms
// without the smallest one.
double MinorLog2(const IntegerMatrix& a) {
  const int n = a.rows;
  std::vector<mpz_class> rowSq(n), colSq(n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      const mpz_srcptr v = a.at(i, j).Value().get_mpz_t();
      mpz_addmul(rowSq[i].get_mpz_t(), v, v);
      mpz_addmul(colSq[j].get_mpz_t(), v, v);
    }
  auto product = [](const std::vector<mpz_class>& sq) {
    double sum = 0, smallest = HUGE_VAL;
    for (const mpz_class& s : sq) {
      const double l = 0.5 * Log2(s);
      sum += l;
      smallest = std::min(smallest, l);
    }
    return sum - smallest;
  };
  return std::min(product(rowSq), product(colSq)) + 1.0 + 1e-9 * n;
}

}  // namespace

ResultCode ModularInverse(const IntegerMatrix& a, mpz_class& det, std::vector<mpz_class>& adjugate,
                          Interrupt& stop) {
  modular::PrepareFlint();
  const int n = a.rows;
  ResultCode rc = ModularDeterminant(a, det, stop);
  if (rc != ResultCode::Ok || sgn(det) == 0) return rc;
  const modular::Numerators A(a);
  const double bound = MinorLog2(a) + 1;  // modulus > 2 * largest entry
  std::vector<mpz_class> x(static_cast<size_t>(n) * n, mpz_class(0));
  mpz_class modulus = 1;
  double modulusLog2 = 0;
  modular::PrimeSequence primes(59);
  while (modulusLog2 < bound) {
    if (stop.Quit()) return ResultCode::Stopped;
    const mp_limb_t p = primes.Next();
    const mp_limb_t dp = mpz_fdiv_ui(det.get_mpz_t(), p);
    if (dp == 0) continue;
    modular::NmodMatrix inverse(n, n, p);
    if (n < kColumnByColumnFrom) {
      modular::NmodMatrix m(n, n, p);
      A.Reduce(m.get());
      modular::WithScratch([&] { return nmod_mat_inv(inverse.get(), m.get()); });
    } else {
      // A band of columns of the inverse at a time, so Q is heard in between.
      modular::ModularLu lu(n, p);
      if (lu.Factor(A, stop) != ResultCode::Ok) return ResultCode::Stopped;
      for (int j = 0; j < n; j += 64) {
        if (stop.Quit()) return ResultCode::Stopped;
        lu.InverseColumns(j, std::min(n, j + 64), inverse.get());
      }
    }
    if (stop.Quit()) return ResultCode::Stopped;
    const nmod_t mod = inverse.get()->mod;
    const mp_limb_t scale = n_invmod(mpz_fdiv_ui(modulus.get_mpz_t(), p), p);
    for (int i = 0; i < n; ++i) {
      if ((i & 31) == 31 && stop.Quit()) return ResultCode::Stopped;
      for (int j = 0; j < n; ++j) {
        mpz_class& v = x[static_cast<size_t>(i) * n + j];
        const mp_limb_t r = nmod_mul(dp, inverse.at(i, j), mod);  // adj = det * A^-1
        const mp_limb_t t = nmod_mul(nmod_sub(r, mpz_fdiv_ui(v.get_mpz_t(), p), mod), scale, mod);
        mpz_addmul_ui(v.get_mpz_t(), modulus.get_mpz_t(), t);
      }
    }
    mpz_mul_ui(modulus.get_mpz_t(), modulus.get_mpz_t(), p);
    modulusLog2 += std::log2(static_cast<double>(p));
  }
  const mpz_class half = modulus >> 1;
  for (size_t k = 0; k < x.size(); ++k) {
    if ((k & 4095) == 4095 && stop.Quit()) return ResultCode::Stopped;
    if (x[k] > half) x[k] -= modulus;
  }
  adjugate = std::move(x);
  return ResultCode::Ok;
}

}  // namespace tavrin
