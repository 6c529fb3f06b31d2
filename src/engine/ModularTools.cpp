#include "engine/ModularTools.h"

#include <flint/perm.h>
#include <flint/ulong_extras.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <new>

namespace tavrin::modular {

namespace {

// The scratch record of the FlintScratch active on this thread, if any.
thread_local std::unordered_set<void*>* t_scratch = nullptr;

void* Track(void* p) {
  if (t_scratch && p) {
    try {
      t_scratch->insert(p);
    } catch (...) {
      std::free(p);
      throw;
    }
  }
  return p;
}

void* Allocate(size_t size) {
  void* p = std::malloc(size);
  if (!p && size) throw std::bad_alloc();
  return Track(p);
}
void* AllocateZeroed(size_t count, size_t size) {
  void* p = std::calloc(count, size);
  if (!p && count && size) throw std::bad_alloc();
  return Track(p);
}
void* Reallocate(void* old, size_t size) {
  // A block keeps its owner: recorded scratch stays recorded, a block from
  // outside the scope stays outside.
  const bool recorded = t_scratch && old && t_scratch->count(old);
  void* p = std::realloc(old, size);
  if (!p && size) throw std::bad_alloc();
  if (recorded) t_scratch->erase(old);
  return recorded || !old ? Track(p) : p;
}
void Release(void* p) {
  if (t_scratch) t_scratch->erase(p);
  std::free(p);
}

double Log2(const mpz_class& v) {
  if (sgn(v) == 0) return 0;
  long e = 0;
  double d = mpz_get_d_2exp(&e, v.get_mpz_t());
  return static_cast<double>(e) + std::log2(std::fabs(d));
}

}  // namespace

void PrepareFlint() {
  static std::once_flag once;
  // The library is built with unwind tables, so the exception reaches our
  // handler; what FLINT held at that moment is scratch space only.
  std::call_once(once, [] { __flint_set_memory_functions(Allocate, AllocateZeroed, Reallocate, Release); });
}

ResultCode ModularLu::Factor(const Numerators& a, Interrupt& stop, long blockedFrom) {
  const long n = a.rows;
  const mp_limb_t p = lu_.prime();
  a.Reduce(lu_.get());
  if (n >= blockedFrom) {
    const ResultCode rc = BlockedLu(lu_.get(), perm_, 64, nonsingular_, stop);
    if (rc != ResultCode::Ok) return rc;
  } else {
    nonsingular_ = WithScratch([&] { return nmod_mat_lu(perm_.data(), lu_.get(), 0); }) == n;
  }
  if (!nonsingular_) return ResultCode::Ok;
  const nmod_t mod = lu_.get()->mod;
  det_ = _perm_parity(perm_.data(), n) ? p - 1 : 1;
  inverseDiagonal_.resize(n);
  for (long i = 0; i < n; ++i) {
    det_ = nmod_mul(det_, lu_.at(i, i), mod);
    inverseDiagonal_[i] = n_invmod(lu_.at(i, i), p);
  }
  return ResultCode::Ok;
}

namespace {
// sum of row[j] * x[j] over [from, to) modulo p; products are below 2^120,
// so the 128-bit sum is reduced every 256 terms.
mp_limb_t DotModulo(const mp_limb_t* row, const mp_limb_t* x, long from, long to, mp_limb_t p) {
  unsigned __int128 acc = 0;
  while (from < to) {
    const long end = std::min(to, from + 256);
    for (; from < end; ++from) acc += static_cast<unsigned __int128>(row[from]) * x[from];
    acc %= p;
  }
  return static_cast<mp_limb_t>(acc);
}
}  // namespace

void ModularLu::Solve(const std::vector<mp_limb_t>& v, std::vector<mp_limb_t>& y) const {
  const long n = static_cast<long>(perm_.size());
  const nmod_t mod = lu_.get()->mod;
  const mp_limb_t p = mod.n;
  std::vector<mp_limb_t> z(n);
  // L z = P v (L has a unit diagonal), then U y = z.
  for (long i = 0; i < n; ++i)
    z[i] = nmod_sub(v[perm_[i]], DotModulo(lu_.get()->rows[i], z.data(), 0, i, p), mod);
  y.resize(n);
  for (long i = n - 1; i >= 0; --i)
    y[i] = nmod_mul(nmod_sub(z[i], DotModulo(lu_.get()->rows[i], y.data(), i + 1, n, p), mod), inverseDiagonal_[i], mod);
}

void ModularLu::InverseColumns(long from, long to, nmod_mat_struct* inverse) const {
  const long n = static_cast<long>(perm_.size());
  const mp_limb_t p = lu_.prime();
  // (P I) restricted to the columns, then L and U solved for the whole band.
  NmodMatrix b(n, to - from, p), x(n, to - from, p);
  for (long i = 0; i < n; ++i)
    if (perm_[i] >= from && perm_[i] < to) b.at(i, perm_[i] - from) = 1;
  WithScratch([&] { nmod_mat_solve_tril(x.get(), lu_.get(), b.get(), 1); });
  WithScratch([&] { nmod_mat_solve_triu(b.get(), lu_.get(), x.get(), 0); });
  for (long i = 0; i < n; ++i)
    for (long j = from; j < to; ++j) nmod_mat_entry(inverse, i, j) = b.at(i, j - from);
}

FlintScratch::FlintScratch() : exceptions_(std::uncaught_exceptions()) { t_scratch = &blocks_; }

FlintScratch::~FlintScratch() {
  t_scratch = nullptr;
  if (std::uncaught_exceptions() > exceptions_)
    for (void* p : blocks_) std::free(p);
}

mp_limb_t PrimeSequence::Next() {
  p_ = n_nextprime(p_, 0);
  return p_;
}

Numerators::Numerators(const IntegerMatrix& m) : rows(m.rows), cols(m.cols), source(&m) {
  small = true;
  for (const BigInteger& v : m.e)
    if (mpz_sizeinbase(v.Value().get_mpz_t(), 2) > 31) {
      small = false;
      break;
    }
  if (!small) return;
  words.resize(m.e.size());
  for (size_t k = 0; k < m.e.size(); ++k) words[k] = m.e[k].Value().get_si();
}

void Numerators::Reduce(nmod_mat_struct* out) const {
  const mp_limb_t p = out->mod.n;
  for (int i = 0; i < rows; ++i)
    for (int j = 0; j < cols; ++j) {
      mp_limb_t r;
      if (small) {
        const int64_t v = words[static_cast<size_t>(i) * cols + j];
        r = v >= 0 ? static_cast<mp_limb_t>(v) % p : (p - static_cast<mp_limb_t>(-v) % p) % p;
      } else {
        r = mpz_fdiv_ui(big(i, j).get_mpz_t(), p);
      }
      nmod_mat_entry(out, i, j) = r;
    }
}

double HadamardLog2(const IntegerMatrix& m) {
  const int n = m.rows;
  std::vector<mpz_class> rowSq(n), colSq(m.cols);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < m.cols; ++j) {
      const mpz_srcptr v = m.at(i, j).Value().get_mpz_t();
      mpz_addmul(rowSq[i].get_mpz_t(), v, v);
      mpz_addmul(colSq[j].get_mpz_t(), v, v);
    }
  double rows = 0, cols = 0;
  for (const mpz_class& s : rowSq) rows += 0.5 * Log2(s);
  for (const mpz_class& s : colSq) cols += 0.5 * Log2(s);
  // Rounding of the double sums is far below the one bit added.
  return std::min(rows, cols) + 1.0 + 1e-9 * n;
}

std::vector<double> ColumnNormLog2(const IntegerMatrix& m) {
  std::vector<double> out(m.cols);
  for (int j = 0; j < m.cols; ++j) {
    mpz_class s = 0;
    for (int i = 0; i < m.rows; ++i) {
      const mpz_srcptr v = m.at(i, j).Value().get_mpz_t();
      mpz_addmul(s.get_mpz_t(), v, v);
    }
    out[j] = 0.5 * Log2(s);
  }
  return out;
}

void CrtValue::Add(mp_limb_t r, mp_limb_t p) {
  const mp_limb_t xp = mpz_fdiv_ui(x_.get_mpz_t(), p);
  const mp_limb_t mp = mpz_fdiv_ui(m_.get_mpz_t(), p);
  const mp_limb_t diff = r >= xp ? r - xp : p - (xp - r);
  const mp_limb_t t = static_cast<mp_limb_t>((static_cast<unsigned __int128>(diff) * n_invmod(mp, p)) % p);
  mpz_addmul_ui(x_.get_mpz_t(), m_.get_mpz_t(), t);
  mpz_mul_ui(m_.get_mpz_t(), m_.get_mpz_t(), p);
  log2m_ += std::log2(static_cast<double>(p));
}

mpz_class CrtValue::Symmetric() const {
  mpz_class half = m_ >> 1;
  if (x_ > half) return x_ - m_;
  return x_;
}

bool RationalReconstruct(const mpz_class& u, const mpz_class& m, const mpz_class& numBound,
                         const mpz_class& denBound, mpz_class& a, mpz_class& b) {
  mpz_class r0 = m, r1, t0 = 0, t1 = 1, q, tmp;
  mpz_fdiv_r(r1.get_mpz_t(), u.get_mpz_t(), m.get_mpz_t());
  while (r1 > numBound) {
    mpz_fdiv_qr(q.get_mpz_t(), tmp.get_mpz_t(), r0.get_mpz_t(), r1.get_mpz_t());
    r0.swap(r1);
    r1.swap(tmp);
    tmp = t0 - q * t1;
    t0.swap(t1);
    t1.swap(tmp);
  }
  if (sgn(t1) == 0) return false;
  if (sgn(t1) < 0) {
    t1 = -t1;
    r1 = -r1;
  }
  if (t1 > denBound) return false;
  mpz_class g;
  mpz_gcd(g.get_mpz_t(), r1.get_mpz_t(), t1.get_mpz_t());
  if (g != 1) return false;
  a = r1;
  b = t1;
  return true;
}

mpz_class PowerOfTwo(double bits) {
  mpz_class v = 1;
  v <<= static_cast<mp_bitcnt_t>(std::ceil(std::max(bits, 0.0)));
  return v;
}

}  // namespace tavrin::modular
