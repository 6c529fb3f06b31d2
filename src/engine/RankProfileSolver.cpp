// Rectangular and singular exact systems by their rank profile modulo a
// prime: the answer the fraction-free Gauss-Jordan gives, at the cost of
// one elimination modulo p and one lifting on a square part.
#include <flint/nmod_vec.h>
#include <flint/ulong_extras.h>

#include <algorithm>
#include <new>

#include "engine/ExactKernels.h"
#include "engine/ModularTools.h"

namespace tavrin {

using modular::NmodMatrix;

namespace {

constexpr int kPrimeBits = 59;

// Multiply-adds modulo p between two polls of the elimination (some tens
// of milliseconds).
constexpr long long kWorkPerPoll = 1LL << 23;

// Row echelon form of m by elimination with row swaps, polling as it goes.
// pivots: the columns that take a pivot, left to right (the rank profile);
// rows: the original rows that give them, in increasing order (with the
// pivot columns they cut out a non-singular square). Ok or Stopped.
ResultCode RankProfile(nmod_mat_struct* m, std::vector<int>& pivots, std::vector<int>& rows, Interrupt& stop) {
  const long height = m->r, width = m->c;
  const nmod_t mod = m->mod;
  std::vector<int> original(height);
  for (long i = 0; i < height; ++i) original[i] = static_cast<int>(i);
  long long work = 0;
  for (long j = 0, k = 0; j < width && k < height; ++j) {
    long r = k;
    while (r < height && m->rows[r][j] == 0) ++r;
    if (r == height) continue;
    std::swap(m->rows[r], m->rows[k]);
    std::swap(original[r], original[k]);
    const mp_limb_t inverse = n_invmod(m->rows[k][j], mod.n);
    for (long i = k + 1; i < height; ++i) {
      mp_limb_t* row = m->rows[i];
      if (row[j] == 0) continue;
      const mp_limb_t f = nmod_neg(nmod_mul(row[j], inverse, mod), mod);
      _nmod_vec_scalar_addmul_nmod(row + j, m->rows[k] + j, width - j, f, mod);
    }
    pivots.push_back(static_cast<int>(j));
    rows.push_back(original[k]);
    ++k;
    work += (height - k) * (width - j);
    if (work > kWorkPerPoll) {
      if (stop.Quit()) return ResultCode::Stopped;
      work = 0;
    }
  }
  std::sort(rows.begin(), rows.end());
  return ResultCode::Ok;
}

mp_limb_t Residue(const mpz_class& v, mp_limb_t p) { return mpz_fdiv_ui(v.get_mpz_t(), p); }

}  // namespace

ResultCode RankProfileSolve(const IntegerMatrix& a, const IntegerMatrix& b, IntegerSolveResult& out,
                            Interrupt& stop) {
  const int rows = a.rows, cols = a.cols;
  const bool homogeneous = b.size() == 0;
  const int sides = homogeneous ? 0 : 1;
  try {
    modular::PrepareFlint();
    const modular::Numerators A(a);
    const mp_limb_t p = modular::PrimeSequence(kPrimeBits).Next();
    // The pivot columns of [A | b]; b among them means no solution modulo p.
    NmodMatrix m(rows, cols + sides, p);
    A.Reduce(m.get());
    for (int i = 0; i < rows && sides; ++i) m.at(i, cols) = Residue(b.at(i, 0).Value(), p);
    if (stop.Quit()) return ResultCode::Stopped;
    std::vector<int> pivots, pivotRows;
    if (ResultCode c = RankProfile(m.get(), pivots, pivotRows, stop); NotOk(c)) return c;
    if (!pivots.empty() && pivots.back() == cols) return ResultCode::Singular;
    const int r = static_cast<int>(pivots.size());

    std::vector<int> freeColumns;
    for (int c = 0, k = 0; c < cols; ++c) {
      if (k < r && pivots[k] == c)
        ++k;
      else
        freeColumns.push_back(c);
    }
    const int nfree = static_cast<int>(freeColumns.size());
    // The value of column j of the right-hand sides [b | free columns] in row i.
    auto side = [&](int i, int j) -> const mpz_class& {
      return j < sides ? b.at(i, 0).Value() : a.at(i, freeColumns[j - sides]).Value();
    };
    // S Y = [b | free columns] on the independent rows: Y = num / den.
    const int width = sides + nfree;
    std::vector<mpz_class> num;
    mpz_class den = 1;
    if (r > 0 && width > 0) {
      IntegerMatrix s(r, r);
      std::vector<mpz_class> rhs(static_cast<size_t>(r) * width);
      for (int k = 0; k < r; ++k) {
        for (int l = 0; l < r; ++l) s.at(k, l) = a.at(pivotRows[k], pivots[l]);
        for (int j = 0; j < width; ++j) rhs[static_cast<size_t>(k) * width + j] = side(pivotRows[k], j);
      }
      const ResultCode rc = DixonSolveColumns(s, rhs, width, num, den, stop);
      if (rc == ResultCode::Stopped || rc == ResultCode::LowMemory) return rc;
      if (rc != ResultCode::Ok) return ResultCode::Singular;
    } else {
      num.assign(static_cast<size_t>(r) * width, mpz_class(0));
    }
    auto y = [&](int k, int j) -> const mpz_class& { return num[static_cast<size_t>(k) * width + j]; };
    // Every free column is a combination of the pivot columns left of it:
    // then these are the pivot columns of the exact elimination.
    for (int f = 0; f < nfree; ++f)
      for (int k = r - 1; k >= 0 && pivots[k] > freeColumns[f]; --k)
        if (sgn(y(k, sides + f)) != 0) return ResultCode::Singular;
    // The other rows hold too: A[i, pivots] Y = den [b | free columns](i).
    mpz_class sum;
    for (int i = 0, next = 0; i < rows; ++i) {
      if (next < r && pivotRows[next] == i) {
        ++next;
        continue;
      }
      if (stop.Quit()) return ResultCode::Stopped;
      for (int j = 0; j < width; ++j) {
        sum = 0;
        for (int k = 0; k < r; ++k) mpz_addmul(sum.get_mpz_t(), a.at(i, pivots[k]).Value().get_mpz_t(), y(k, j).get_mpz_t());
        mpz_submul(sum.get_mpz_t(), den.get_mpz_t(), side(i, j).get_mpz_t());
        if (sgn(sum) != 0) return ResultCode::Singular;
      }
    }

    // (A/da) x = b/db: x = y * da / db, free unknowns zero. Kernel column f:
    // one at its free unknown, -y on the pivots, over den.
    IntegerSolveResult res;
    res.rank = r;
    res.x = IntegerMatrix(cols, 1);
    res.k = IntegerMatrix(cols, nfree);
    for (int k = 0; k < r; ++k) {
      if (!homogeneous) res.x.at(pivots[k], 0) = BigInteger(mpz_class(y(k, 0) * a.denominator.Value()));
      for (int f = 0; f < nfree; ++f) res.k.at(pivots[k], f) = BigInteger(mpz_class(-y(k, sides + f)));
    }
    for (int f = 0; f < nfree; ++f) res.k.at(freeColumns[f], f) = BigInteger(den);
    res.x.denominator = homogeneous ? BigInteger(1) : BigInteger(mpz_class(den * b.denominator.Value()));
    res.k.denominator = nfree > 0 ? BigInteger(den) : BigInteger(1);
    // Neither denominator is zero: den > 0 and b's was checked by the caller.
    (void)NormaliseRational(res.x.e, res.x.denominator);
    (void)NormaliseRational(res.k.e, res.k.denominator);
    out = std::move(res);
    return ResultCode::Ok;
  } catch (const std::bad_alloc&) {
    return ResultCode::LowMemory;
  }
}

}  // namespace tavrin
