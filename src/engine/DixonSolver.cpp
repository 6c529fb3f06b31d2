// Exact solution of a non-singular square system by p-adic lifting: one
// inverse modulo a prime p, then one O(n^2) step per p-adic digit, then
// rational reconstruction of the entries over a common denominator.
#include <flint/ulong_extras.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/ExactKernels.h"
#include "engine/ModularTools.h"

namespace tavrin {

using modular::NmodMatrix;
using modular::Numerators;

namespace {

constexpr int kPrimeBits = 59;
// Multiply-adds of words between two polls while lifting several columns
// (some tens of milliseconds).
constexpr long long kWorkPerPoll = 1LL << 24;

void SubtractWide(mpz_class& r, __int128 s) {
  const bool negative = s < 0;
  unsigned __int128 m = negative ? -static_cast<unsigned __int128>(s) : static_cast<unsigned __int128>(s);
  mpz_class w = static_cast<unsigned long>(m >> 64);
  w <<= 64;
  w += static_cast<unsigned long>(m);
  if (negative)
    r += w;
  else
    r -= w;
}

double Log2(const mpz_class& v) {
  if (sgn(v) == 0) return 0;
  long e = 0;
  const double d = mpz_get_d_2exp(&e, v.get_mpz_t());
  return static_cast<double>(e) + std::log2(std::fabs(d));
}

// Lifting with the LU factors of A modulo p for the m columns of b (n x m,
// row-major). Bounds: numerators below 2^numLog2, the common denominator
// below 2^denLog2. num is n x m row-major over the one denominator den.
ResultCode LiftSolution(const Numerators& a, const modular::ModularLu& lu, const std::vector<mpz_class>& b, int m,
                        double numLog2, double denLog2, std::vector<mpz_class>& num, mpz_class& den,
                        Interrupt& stop) {
  const int n = a.rows;
  const size_t size = static_cast<size_t>(n) * m;
  const mp_limb_t p = lu.prime();
  // p^steps > 2 * numBound * denBound makes the reconstruction unique.
  const double need = numLog2 + denLog2 + 2;
  const long steps = std::max(1L, static_cast<long>(std::ceil(need / std::log2(static_cast<double>(p)))));
  std::vector<mpz_class> r(b);
  // Every digit of every entry is kept for the reconstruction; the block is
  // left uninitialised, as each step writes its digits before they are read
  // (clearing it first would be one long pause when the answer is large).
  const std::unique_ptr<mp_limb_t[]> digits(new mp_limb_t[static_cast<size_t>(steps) * size]);
  std::vector<mp_limb_t> residue(n), y(n);
  // Several columns go through A^-1 modulo p, made in bands of columns with
  // a poll in between; each step then takes bands of about kWorkPerPoll
  // multiply-adds, with a poll before each.
  const int band = static_cast<int>(std::clamp<long long>(kWorkPerPoll / (static_cast<long long>(n) * n + 1), 1, m));
  NmodMatrix inverse(m > 1 ? n : 0, m > 1 ? n : 0, p), block(m > 1 ? n : 0, band, p), solved(m > 1 ? n : 0, band, p);
  for (long from = 0; m > 1 && from < n; from += 64) {
    if (stop.Quit()) return ResultCode::Stopped;
    lu.InverseColumns(from, std::min<long>(n, from + 64), inverse.get());
  }
  std::vector<__int128> sums(band);
  for (long s = 0; s < steps; ++s) {
    mp_limb_t* digit = digits.get() + s * size;
    for (int j0 = 0; j0 < m; j0 += band) {
      if (stop.Quit()) return ResultCode::Stopped;
      const int w = std::min(band, m - j0);
      if (m == 1) {
        for (int j = 0; j < n; ++j) residue[j] = mpz_fdiv_ui(r[j].get_mpz_t(), p);
        lu.Solve(residue, y);
        std::copy(y.begin(), y.end(), digit);
      } else {
        // The last band may be narrower: the products run on windows.
        nmod_mat_t in, out;
        nmod_mat_window_init(in, block.get(), 0, 0, n, w);
        nmod_mat_window_init(out, solved.get(), 0, 0, n, w);
        for (int i = 0; i < n; ++i)
          for (int j = 0; j < w; ++j)
            nmod_mat_entry(in, i, j) = mpz_fdiv_ui(r[static_cast<size_t>(i) * m + j0 + j].get_mpz_t(), p);
        modular::WithScratch([&] { nmod_mat_mul(out, inverse.get(), in); });
        for (int i = 0; i < n; ++i)
          for (int j = 0; j < w; ++j) digit[static_cast<size_t>(i) * m + j0 + j] = nmod_mat_entry(out, i, j);
        nmod_mat_window_clear(in);
        nmod_mat_window_clear(out);
      }
      // r = (r - A y) / p on the band, exact by construction of y.
      for (int i = 0; i < n; ++i) {
        mpz_class* row = r.data() + static_cast<size_t>(i) * m + j0;
        if (a.small) {
          const int64_t* f = a.words.data() + static_cast<size_t>(i) * n;
          std::fill(sums.begin(), sums.begin() + w, 0);
          for (int k = 0; k < n; ++k) {
            if (f[k] == 0) continue;
            const __int128 fk = f[k];
            const mp_limb_t* yk = digit + static_cast<size_t>(k) * m + j0;
            for (int j = 0; j < w; ++j) sums[j] += fk * static_cast<__int128>(yk[j]);
          }
          for (int j = 0; j < w; ++j) SubtractWide(row[j], sums[j]);
        } else {
          for (int k = 0; k < n; ++k)
            for (int j = 0; j < w; ++j)
              mpz_submul_ui(row[j].get_mpz_t(), a.big(i, k).get_mpz_t(), digit[static_cast<size_t>(k) * m + j0 + j]);
        }
        for (int j = 0; j < w; ++j) mpz_divexact_ui(row[j].get_mpz_t(), row[j].get_mpz_t(), p);
      }
    }
  }
  // The p-adic values, then each entry as a fraction over one denominator.
  mpz_class modulus;
  mpz_ui_pow_ui(modulus.get_mpz_t(), p, static_cast<unsigned long>(steps));
  const mpz_class half = modulus >> 1;
  const mpz_class numBound = modular::PowerOfTwo(numLog2), denBound = modular::PowerOfTwo(denLog2);
  mpz_class d = 1, x, t, fa, fb, g;
  num.assign(size, mpz_class(0));
  for (size_t e = 0; e < size; ++e) {
    if (stop.Quit()) return ResultCode::Stopped;
    x = 0;
    for (long s = steps - 1; s >= 0; --s) {
      mpz_mul_ui(x.get_mpz_t(), x.get_mpz_t(), p);
      mpz_add_ui(x.get_mpz_t(), x.get_mpz_t(), digits[static_cast<size_t>(s) * size + e]);
    }
    // Most entries share the denominator found so far: d*x is then a small
    // integer, which fixes x uniquely under the same bounds.
    t = x * d;
    mpz_fdiv_r(t.get_mpz_t(), t.get_mpz_t(), modulus.get_mpz_t());
    if (t > half) t -= modulus;
    if (abs(t) <= numBound) {
      num[e] = t;
      continue;
    }
    if (!modular::RationalReconstruct(x, modulus, numBound, denBound, fa, fb)) return ResultCode::CouldNotCalculate;
    // d' = lcm(d, fb): earlier numerators scale by d'/d.
    mpz_gcd(g.get_mpz_t(), d.get_mpz_t(), fb.get_mpz_t());
    mpz_class scale = fb / g;
    if (scale != 1)
      for (size_t k = 0; k < e; ++k) num[k] *= scale;
    d *= scale;
    num[e] = fa * (d / fb);
  }
  den = d;
  return ResultCode::Ok;
}

// Bounds for A y = b (b n x m, row-major; the largest column counts) by
// Hadamard's inequality and Cramer's rule.
void SolutionBounds(const IntegerMatrix& a, const std::vector<mpz_class>& b, int m, double& numLog2,
                    double& denLog2) {
  denLog2 = modular::HadamardLog2(a);
  const std::vector<double> cols = modular::ColumnNormLog2(a);
  double sum = 0, smallest = cols.empty() ? 0 : cols[0];
  for (double c : cols) {
    sum += c;
    smallest = std::min(smallest, c);
  }
  std::vector<mpz_class> bb(m, mpz_class(0));
  for (size_t k = 0; k < b.size(); ++k) mpz_addmul(bb[k % m].get_mpz_t(), b[k].get_mpz_t(), b[k].get_mpz_t());
  double largest = 0;
  for (const mpz_class& v : bb) largest = std::max(largest, Log2(v));
  // A non-singular A has no zero column, so every column norm is at least 1.
  numLog2 = sum + 0.5 * largest - std::max(0.0, smallest) + 1.0 + 1e-9 * a.rows;
}

}  // namespace

ResultCode DixonSolve(const IntegerMatrix& a, const std::vector<mpz_class>& b, std::vector<mpz_class>& num,
                      mpz_class& den, Interrupt& stop) {
  return DixonSolveColumns(a, b, 1, num, den, stop);
}

ResultCode DixonSolveColumns(const IntegerMatrix& a, const std::vector<mpz_class>& b, int m,
                             std::vector<mpz_class>& num, mpz_class& den, Interrupt& stop) {
  modular::PrepareFlint();
  const int n = a.rows;
  const Numerators A(a);
  modular::PrimeSequence primes(kPrimeBits);
  modular::ModularLu lu(n, primes.Next());
  if (lu.Factor(A, stop) != ResultCode::Ok || stop.Quit()) return ResultCode::Stopped;
  if (!lu.nonsingular()) return ResultCode::Singular;
  if (std::all_of(b.begin(), b.end(), [](const mpz_class& v) { return sgn(v) == 0; })) {
    num.assign(b.size(), mpz_class(0));
    den = 1;
    return ResultCode::Ok;
  }
  double numLog2 = 0, denLog2 = 0;
  SolutionBounds(a, b, m, numLog2, denLog2);
  return LiftSolution(A, lu, b, m, numLog2, denLog2, num, den, stop);
}

ResultCode FullRankModuloPrime(const IntegerMatrix& a, bool& full, Interrupt& stop) {
  modular::PrepareFlint();
  const mp_limb_t p = modular::PrimeSequence(kPrimeBits).Next();
  if (a.rows != a.cols) {
    NmodMatrix m(a.rows, a.cols, p);
    Numerators(a).Reduce(m.get());
    if (stop.Quit()) return ResultCode::Stopped;
    full = modular::WithScratch([&] { return nmod_mat_rank(m.get()); }) == std::min(a.rows, a.cols);
    return ResultCode::Ok;
  }
  modular::ModularLu lu(a.rows, p);
  if (lu.Factor(Numerators(a), stop) != ResultCode::Ok || stop.Quit()) return ResultCode::Stopped;
  full = lu.nonsingular();
  return ResultCode::Ok;
}

ResultCode ModularDeterminant(const IntegerMatrix& a, mpz_class& det, Interrupt& stop) {
  modular::PrepareFlint();
  const int n = a.rows;
  const Numerators A(a);
  if (stop.Quit()) return ResultCode::Stopped;
  const double bound = modular::HadamardLog2(a) + 1;  // |det| < 2^bound
  if (stop.Quit()) return ResultCode::Stopped;
  modular::PrimeSequence primes(kPrimeBits);
  modular::ModularLu lu(n, primes.Next());
  if (lu.Factor(A, stop) != ResultCode::Ok || stop.Quit()) return ResultCode::Stopped;
  modular::CrtValue quotient;
  mpz_class divisor = 1;
  mp_limb_t p = lu.prime();
  if (!lu.nonsingular()) {
    // Most likely singular: residues until their product exceeds twice the bound.
    quotient.Add(0, p);
  } else {
    // A large divisor of det first: the common denominator of A^-1 b for a
    // fixed pseudo-random b. Then det/divisor needs only a few primes.
    std::vector<mpz_class> b(n);
    uint32_t state = 2463534242u;
    for (mpz_class& v : b) {
      state ^= state << 13;
      state ^= state >> 17;
      state ^= state << 5;
      v = static_cast<long>(state % 201) - 100;
    }
    double numLog2 = 0, denLog2 = 0;
    SolutionBounds(a, b, 1, numLog2, denLog2);
    std::vector<mpz_class> num;
    ResultCode rc = LiftSolution(A, lu, b, 1, numLog2, denLog2, num, divisor, stop);
    if (rc != ResultCode::Ok) return rc;
    const mp_limb_t dp = mpz_fdiv_ui(divisor.get_mpz_t(), p);
    quotient.Add(n_mulmod2_preinv(lu.determinant(), n_invmod(dp, p), p, n_preinvert_limb(p)), p);
  }
  const double quotientBound = bound - Log2(divisor) + 1;
  while (quotient.ModulusLog2() < quotientBound) {
    if (stop.Quit()) return ResultCode::Stopped;
    p = primes.Next();
    const mp_limb_t dp = mpz_fdiv_ui(divisor.get_mpz_t(), p);
    if (dp == 0) continue;
    modular::ModularLu next(n, p);
    if (next.Factor(A, stop) != ResultCode::Ok) return ResultCode::Stopped;
    quotient.Add(n_mulmod2_preinv(next.determinant(), n_invmod(dp, p), p, n_preinvert_limb(p)), p);
  }
  det = divisor * quotient.Symmetric();
  return ResultCode::Ok;
}

}  // namespace tavrin
