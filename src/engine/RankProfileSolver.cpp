// Rectangular and singular exact systems by their rank profile modulo a
// prime: the answer the fraction-free Gauss-Jordan gives, at the cost of
// two eliminations modulo p and one lifting on a square part.
#include <new>

#include "engine/ExactKernels.h"
#include "engine/ModularTools.h"

namespace tavrin {

using modular::NmodMatrix;

namespace {

constexpr int kPrimeBits = 59;

// The first nonzero column of each of the first `rank` rows of a reduced
// row echelon form.
std::vector<int> PivotColumns(const NmodMatrix& m, long rank) {
  std::vector<int> pivots;
  int j = 0;
  for (long i = 0; i < rank; ++i) {
    while (m.at(i, j) == 0) ++j;
    pivots.push_back(j);
  }
  return pivots;
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
    const long rank = modular::WithScratch([&] { return nmod_mat_rref(m.get()); });
    const std::vector<int> pivots = PivotColumns(m, rank);
    if (rank > 0 && pivots.back() == cols) return ResultCode::Singular;
    const int r = static_cast<int>(rank);
    // Independent rows of the pivot columns: the pivot columns of their transpose.
    NmodMatrix t(r, rows, p);
    A.Reduce(m.get());
    for (int k = 0; k < r; ++k)
      for (int i = 0; i < rows; ++i) t.at(k, i) = m.at(i, pivots[k]);
    if (stop.Quit()) return ResultCode::Stopped;
    if (r > 0 && modular::WithScratch([&] { return nmod_mat_rref(t.get()); }) != rank) return ResultCode::Singular;
    const std::vector<int> pivotRows = PivotColumns(t, rank);

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
