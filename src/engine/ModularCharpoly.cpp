// The exact characteristic polynomial by primes: the polynomial modulo one
// word-size prime at a time (O(n^3) each), joined by the Chinese remainder
// theorem until the product of the primes exceeds twice the coefficient bound.
#include <flint/nmod_poly.h>
#include <flint/ulong_extras.h>

#include <cmath>

#include "engine/ExactKernels.h"
#include "engine/ModularTools.h"

namespace tavrin {

namespace {

class PolynomialRing {
 public:
  // Room for the whole polynomial up front, so the FLINT call only makes scratch.
  PolynomialRing(mp_limb_t p, long length) {
    modular::WithScratch([&] { nmod_poly_init2(poly_, p, length); });
  }
  ~PolynomialRing() { nmod_poly_clear(poly_); }
  PolynomialRing(const PolynomialRing&) = delete;
  PolynomialRing& operator=(const PolynomialRing&) = delete;
  nmod_poly_struct* get() { return poly_; }

 private:
  nmod_poly_t poly_;
};

// From this size one FLINT call modulo p takes too long to wait for; our
// Hessenberg reduction polls between columns.
constexpr int kHessenbergFrom = 200;

}  // namespace

ResultCode ModularCharacteristicPolynomial(const IntegerMatrix& a, std::vector<mpz_class>& c, Interrupt& stop) {
  modular::PrepareFlint();
  const int n = a.rows;
  size_t maxBits = 0;
  const mpz_class* largest = nullptr;
  for (const BigInteger& v : a.e) {
    const size_t bits = sgn(v.Value()) == 0 ? 0 : mpz_sizeinbase(v.Value().get_mpz_t(), 2);
    if (bits > maxBits || !largest) {
      maxBits = bits;
      largest = &v.Value();
    }
  }
  std::vector<mpz_class> x(n + 1, mpz_class(0));
  x[0] = 1;
  if (maxBits == 0) {  // the zero matrix: x^n
    c = std::move(x);
    return ResultCode::Ok;
  }
  // Every coefficient of an n x n matrix with entries at most B in absolute
  // value has fewer than n/2 (log2 n + 2 log2 B + 1.6669) bits (Dumas,
  // Pernet and Wan); B is taken as at least 2.
  long e = 0;
  const double d = mpz_get_d_2exp(&e, largest->get_mpz_t());
  const double logB = std::max(1.0, static_cast<double>(e) + std::log2(std::fabs(d)));
  const double bound = std::ceil(n / 2.0 * (std::log2(static_cast<double>(n)) + 2 * logB + 1.6669)) + 1;

  const modular::Numerators A(a);
  modular::PrimeSequence primes(62);
  mpz_class modulus = 1;
  double modulusLog2 = 0;
  while (modulusLog2 < bound) {
    if (stop.QuitOrStop()) return ResultCode::Stopped;
    const mp_limb_t p = primes.Next();
    modular::NmodMatrix m(n, n, p);
    A.Reduce(m.get());
    std::vector<mp_limb_t> residues(n + 1);
    if (n < kHessenbergFrom) {
      PolynomialRing poly(p, n + 1);
      modular::WithScratch([&] { nmod_mat_charpoly(poly.get(), m.get()); });
      for (int k = 0; k <= n; ++k) residues[k] = nmod_poly_get_coeff_ui(poly.get(), k);
    } else if (modular::HessenbergCharpoly(m.get(), residues, true, stop) != ResultCode::Ok) {
      return ResultCode::Stopped;
    }
    // x <- x + M * ((r - x) / M mod p) for each coefficient; the residues
    // come constant term first.
    const mp_limb_t inv = n_invmod(mpz_fdiv_ui(modulus.get_mpz_t(), p), p);
    for (int k = 0; k <= n; ++k) {
      const mp_limb_t r = residues[n - k];
      const mp_limb_t xp = mpz_fdiv_ui(x[k].get_mpz_t(), p);
      const mp_limb_t diff = r >= xp ? r - xp : p - (xp - r);
      const mp_limb_t t = static_cast<mp_limb_t>((static_cast<unsigned __int128>(diff) * inv) % p);
      mpz_addmul_ui(x[k].get_mpz_t(), modulus.get_mpz_t(), t);
    }
    mpz_mul_ui(modulus.get_mpz_t(), modulus.get_mpz_t(), p);
    modulusLog2 += std::log2(static_cast<double>(p));
  }
  const mpz_class half = modulus >> 1;
  for (mpz_class& v : x)
    if (v > half) v -= modulus;
  c = std::move(x);
  return ResultCode::Ok;
}

}  // namespace tavrin
