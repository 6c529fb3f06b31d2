#pragma once
// Word-size modular pieces shared by the exact kernels: primes, reduction of
// integer matrices, Chinese remaindering and rational reconstruction. Every
// piece is short enough that a caller can poll the stop key between pieces.
#include <flint/nmod_mat.h>

#include <cstdint>
#include <unordered_set>
#include <vector>

#include "core/Interrupt.h"
#include "core/Matrix.h"
#include "core/ResultCode.h"

namespace tavrin::modular {

// FLINT allocates through its own hooks; they are set once so that a failed
// allocation throws std::bad_alloc (reported as code 3) instead of aborting.
void PrepareFlint();

// Wraps one FLINT call: the blocks FLINT allocates inside it are recorded,
// and those it still holds when an exception leaves the call (its scratch
// space) are freed. Not nested; objects made outside keep their owners.
class FlintScratch {
 public:
  FlintScratch();
  ~FlintScratch();
  FlintScratch(const FlintScratch&) = delete;
  FlintScratch& operator=(const FlintScratch&) = delete;

 private:
  std::unordered_set<void*> blocks_;
  int exceptions_;
};

// Runs f() inside a FlintScratch.
template <class F>
auto WithScratch(F&& f) {
  FlintScratch scratch;
  return f();
}

// A FLINT matrix modulo p that frees itself.
class NmodMatrix {
 public:
  NmodMatrix(long rows, long cols, mp_limb_t p) {
    WithScratch([&] { nmod_mat_init(m_, rows, cols, p); });
  }
  ~NmodMatrix() { nmod_mat_clear(m_); }
  NmodMatrix(const NmodMatrix&) = delete;
  NmodMatrix& operator=(const NmodMatrix&) = delete;
  nmod_mat_struct* get() { return m_; }
  const nmod_mat_struct* get() const { return m_; }
  mp_limb_t& at(long i, long j) { return nmod_mat_entry(m_, i, j); }
  mp_limb_t at(long i, long j) const { return nmod_mat_entry(m_, i, j); }
  mp_limb_t prime() const { return m_->mod.n; }

 private:
  nmod_mat_t m_;
};

// LU factors of a square matrix modulo p (P A = L U), its determinant
// modulo p, and solutions of A y = v modulo p in O(n^2) each.
struct Numerators;

class ModularLu {
 public:
  ModularLu(long n, mp_limb_t p) : lu_(n, n, p), perm_(n) {}
  // Ok, or Stopped when Q stopped a large factorisation. From blockedFrom
  // rows on the factorisation runs in pieces (FLINT's single call is faster
  // but cannot be stopped).
  ResultCode Factor(const Numerators& a, Interrupt& stop, long blockedFrom = 500);
  bool nonsingular() const { return nonsingular_; }
  mp_limb_t determinant() const { return det_; }
  mp_limb_t prime() const { return lu_.prime(); }
  void Solve(const std::vector<mp_limb_t>& v, std::vector<mp_limb_t>& y) const;
  // Columns [from, to) of A^-1 modulo p into the same columns of inverse.
  void InverseColumns(long from, long to, nmod_mat_struct* inverse) const;

 private:
  NmodMatrix lu_;
  std::vector<long> perm_;
  std::vector<mp_limb_t> inverseDiagonal_;
  bool nonsingular_ = false;
  mp_limb_t det_ = 0;
};

// Right-looking LU with row pivoting in blocks of `block` columns, polling
// Q between blocks and bands of the trailing update. The rows of a end as
// L\U of P A, perm[i] the original row at position i. Ok or Stopped.
ResultCode BlockedLu(nmod_mat_struct* a, std::vector<long>& perm, long block, bool& nonsingular, Interrupt& stop);

// Characteristic polynomial modulo p by reduction to Hessenberg form (h is
// overwritten), lowest coefficient first, polling Q (and S when asked).
ResultCode HessenbergCharpoly(nmod_mat_struct* h, std::vector<mp_limb_t>& c, bool stopKeyToo, Interrupt& stop);

// Successive primes just above 2^bits (bits <= 62).
class PrimeSequence {
 public:
  explicit PrimeSequence(int bits) : p_(UWORD(1) << bits) {}
  mp_limb_t Next();

 private:
  mp_limb_t p_;
};

// The numerators of a matrix, kept as machine words when every entry fits in
// 31 bits (products with a word then fit comfortably in 128 bits).
struct Numerators {
  int rows = 0;
  int cols = 0;
  const IntegerMatrix* source = nullptr;
  bool small = false;
  std::vector<int64_t> words;  // row-major, filled only when small

  explicit Numerators(const IntegerMatrix& m);
  const mpz_class& big(int i, int j) const { return source->at(i, j).Value(); }
  // Entries modulo p into out (rows x cols, modulus p).
  void Reduce(nmod_mat_struct* out) const;
};

// log2 of the Hadamard bound of a square matrix: the smaller of the products
// of the row norms and of the column norms (rounded up generously).
double HadamardLog2(const IntegerMatrix& m);
// log2 of each column's Euclidean norm.
std::vector<double> ColumnNormLog2(const IntegerMatrix& m);

// x modulo the product of the primes seen so far, built one prime at a time.
class CrtValue {
 public:
  // Adds the residue r modulo p (p coprime to the primes seen so far).
  void Add(mp_limb_t r, mp_limb_t p);
  double ModulusLog2() const { return log2m_; }
  // The representative in (-M/2, M/2].
  mpz_class Symmetric() const;
  const mpz_class& modulus() const { return m_; }

 private:
  mpz_class x_ = 0;
  mpz_class m_ = 1;
  double log2m_ = 0;
};

// Finds a/b with |a| <= numBound, 0 < b <= denBound and a = b*u (mod m).
// Returns false when there is no such pair (u is not yet determined).
bool RationalReconstruct(const mpz_class& u, const mpz_class& m, const mpz_class& numBound,
                         const mpz_class& denBound, mpz_class& a, mpz_class& b);

// 2^ceil(bits) as an integer.
mpz_class PowerOfTwo(double bits);

}  // namespace tavrin::modular
