#include "engine/Elimination.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <new>
#include <utility>
#include <vector>

#include "core/Thresholds.h"
#include "engine/ExactKernels.h"
#include "engine/DenseLu.h"

namespace tavrin {

namespace {

constexpr ResultCode kBadInput = ResultCode::CouldNotCalculate;

bool IsFinite(Complex z) { return std::isfinite(z.re) && std::isfinite(z.im); }

// The columns without a pivot, in order: each gives one kernel vector.
std::vector<int> FreeColumns(const std::vector<char>& pivotColumn) {
  std::vector<int> free;
  for (int c = 0; c < static_cast<int>(pivotColumn.size()); ++c)
    if (!pivotColumn[c]) free.push_back(c);
  return free;
}

void SwapRows(Complex* a, int width, int r, int k) {
  Complex* x = a + static_cast<size_t>(r) * width;
  Complex* y = a + static_cast<size_t>(k) * width;
  for (int j = 0; j < width; ++j) std::swap(x[j], y[j]);
}

long double Mag(long double x) { return std::fabs(x); }
long double Mag(const Complex& z) { return Magnitude1(z); }
long double Quotient(long double a, long double b) { return a / b; }
Complex Quotient(const Complex& a, const Complex& b) { return Divide(a, b); }
void Load(long double& x, const Complex& z) { x = z.re; }
void Load(Complex& x, const Complex& z) { x = z; }
Complex Stored(long double x) { return Complex(x, 0.0L); }
Complex Stored(const Complex& z) { return z; }

long double LargestEntry(const ComplexMatrix& m) {
  long double s = 0.0L;
  for (size_t k = 0; k < m.size(); ++k) s = std::max(s, Magnitude1(m.entry(k)));
  return s;
}

// Reduced row echelon form of [a | b] with partial pivoting: in each column
// the entry of largest magnitude among the rows not yet used is the pivot
// (the upper row on ties), taken when it is above tolerance times the largest
// entry of a. The consistency test compares what is left of b with tolerance
// times the largest entry of a and b, so scaling a system by a power of ten
// changes neither its rank nor the verdict.
template <class T>
ResultCode SolveReduced(const ComplexMatrix& a, const ComplexMatrix& b, long double tolerance,
                        SolveResult& out, Interrupt& stop) {
  const int rows = a.rows, cols = a.cols;
  const size_t w = static_cast<size_t>(cols);
  std::vector<T> m(a.size()), v(rows);
  for (size_t i = 0; i < a.size(); ++i) Load(m[i], a.entry(i));
  if (b.size() != 0)
    for (int i = 0; i < rows; ++i) Load(v[i], b.entry(i));
  const long double scaleA = LargestEntry(a);
  const long double pivotBound = tolerance * scaleA;
  std::vector<char> pivotColumn(cols, 0);
  int rank = 0;
  for (int c = 0; c < cols && rank < rows; ++c) {
    if (stop.QuitOrStop()) return ResultCode::Stopped;
    int r = -1;
    long double best = pivotBound;
    for (int i = rank; i < rows; ++i) {
      const long double x = Mag(m[i * w + c]);
      if (x > best) {
        best = x;
        r = i;
      }
    }
    if (r < 0) continue;
    T* p = &m[rank * w];
    if (r != rank) {
      std::swap_ranges(p, p + w, &m[r * w]);
      std::swap(v[r], v[rank]);
    }
    // Dividing rounds once where multiplying by the reciprocal rounds twice.
    const T pivot = p[c];
    for (int j = c + 1; j < cols; ++j) p[j] = Quotient(p[j], pivot);
    v[rank] = Quotient(v[rank], pivot);
    p[c] = T(1.0L);
    for (int i = 0; i < rows; ++i) {
      if (i == rank) continue;
      T* row = &m[i * w];
      const T f = row[c];
      if (f == T(0.0L)) continue;  // subtracting zero times the row changes nothing
      for (int j = c + 1; j < cols; ++j) row[j] = row[j] - f * p[j];
      v[i] = v[i] - f * v[rank];
      row[c] = T(0.0L);
    }
    pivotColumn[c] = 1;
    ++rank;
  }
  const long double consistencyBound = tolerance * std::max(scaleA, LargestEntry(b));
  ResultCode rc = ResultCode::Ok;
  for (int i = rank; i < rows; ++i)
    if (Mag(v[i]) > consistencyBound) rc = ResultCode::InconsistentSystem;

  const std::vector<int> freeColumns = FreeColumns(pivotColumn);
  const int nfree = static_cast<int>(freeColumns.size());
  SolveResult res;
  res.rank = rank;
  res.x = ComplexMatrix(cols, 1);
  res.k = ComplexMatrix(cols, nfree);
  int k = 0, t = 0;
  for (int c = 0; c < cols; ++c) {
    if (pivotColumn[c]) {
      res.x.at(c, 0) = Stored(v[k]);
      for (int s = 0; s < nfree; ++s) res.k.at(c, s) = Stored(-m[k * w + freeColumns[s]]);
      ++k;
    } else {
      res.k.at(c, t) = kComplexOne;
      ++t;
    }
  }
  out = std::move(res);
  return rc;
}

// mpz working matrix: row-major, owned values.
struct MpzMatrix {
  int rows = 0;
  int cols = 0;
  std::vector<mpz_class> e;
  MpzMatrix(int r, int c) : rows(r), cols(c), e(static_cast<size_t>(r) * c) {}
  mpz_class& at(int i, int j) { return e[static_cast<size_t>(i) * cols + j]; }
  mpz_ptr p(int i, int j) { return e[static_cast<size_t>(i) * cols + j].get_mpz_t(); }
  void SwapRows(int r, int k) {
    for (int j = 0; j < cols; ++j) at(r, j).swap(at(k, j));
  }
};

// One fraction-free (Bareiss) update of row i against pivot row k over the
// columns [from, to) except `skip`: x = (p*x - f*y) / prev, all exact.
void BareissRow(MpzMatrix& m, int i, int k, int c, int from, int to, int skip, const mpz_class& prev,
                mpz_class& t) {
  mpz_srcptr p = m.p(k, c);
  mpz_srcptr f = m.p(i, c);
  const bool divide = prev != 1;
  for (int j = from; j < to; ++j) {
    if (j == skip) continue;
    mpz_ptr x = m.p(i, j);
    mpz_mul(t.get_mpz_t(), x, p);
    mpz_submul(t.get_mpz_t(), f, m.p(k, j));
    if (divide)
      mpz_divexact(x, t.get_mpz_t(), prev.get_mpz_t());
    else
      mpz_swap(x, t.get_mpz_t());
  }
}

}  // namespace

bool AllFinite(const ComplexMatrix& m) {
  for (size_t k = 0; k < m.size(); ++k)
    if (!IsFinite(m.entry(k))) return false;
  return true;
}

bool GaussJordanStep(Complex* a, int n, int width, int k, Complex& det) {
  const size_t w = static_cast<size_t>(width);
  int r = k;
  while (r < n && !(Magnitude1(a[r * w + k]) > kPivotThreshold)) ++r;
  if (r == n) return false;
  if (r > k) {
    det = -det;
    SwapRows(a, width, r, k);
  }
  Complex* pk = a + k * w;
  const Complex p = pk[k];
  det = det * p;
  const Complex q = Reciprocal(p);
  for (int j = k + 1; j < width; ++j) pk[j] = q * pk[j];
  pk[k] = kComplexOne;
  for (int i = 0; i < n; ++i) {
    if (i == k) continue;
    Complex* pi = a + i * w;
    const Complex f = pi[k];
    for (int j = k + 1; j < width; ++j) pi[j] = pi[j] - pk[j] * f;
    pi[k] = kComplexZero;
  }
  return true;
}

ResultCode DeterminantAndInverse(const ComplexMatrix& a, Complex& det, ComplexMatrix* inverse, Interrupt& stop) {
  if (a.rows < 1 || a.rows != a.cols || a.size() != static_cast<size_t>(a.rows) * a.cols)
    return ResultCode::Incompatible;
  det = kComplexZero;
  if (!AllFinite(a)) return kBadInput;
  Complex d;
  ResultCode rc = LuDeterminantAndInverse(a, d, inverse, stop);
  if (rc == ResultCode::Ok) det = d;
  return rc;
}

ResultCode InvertInPlace(ComplexMatrix& a, Complex& det, Interrupt& stop) {
  if (a.rows < 1 || a.rows != a.cols || a.size() != static_cast<size_t>(a.rows) * a.cols)
    return ResultCode::Incompatible;
  det = kComplexZero;
  if (!AllFinite(a)) return kBadInput;
  Complex d;
  ResultCode rc = LuInvertInPlace(a, d, stop);
  if (rc == ResultCode::Ok) det = d;
  return rc;
}

void NormalisePivotRow(Complex* w, int cols, int p, int c, Complex* v) {
  Complex* row = w + static_cast<size_t>(p) * cols;
  const Complex q = Reciprocal(row[c]);
  if (v) v[p] = v[p] * q;
  for (int j = c + 1; j < cols; ++j) row[j] = row[j] * q;
  row[c] = kComplexOne;
}

int ClearPivotColumn(Complex* w, int rows, int cols, int p, int c, Complex* v, int limit) {
  const Complex* prow = w + static_cast<size_t>(p) * cols;
  int taken = 0;
  for (int i = 0; i < rows && taken < limit; ++i) {
    if (i == p) continue;
    Complex* row = w + static_cast<size_t>(i) * cols;
    const Complex f = row[c];
    for (int j = c + 1; j < cols; ++j) row[j] = row[j] - f * prow[j];
    if (v) v[i] = v[i] - f * v[p];
    row[c] = kComplexZero;
    ++taken;
  }
  return taken;
}

ResultCode SolveSystem(const ComplexMatrix& a, const ComplexMatrix& b, long double tolerance,
                       SolveResult& out, Interrupt& stop) {
  const int rows = a.rows, cols = a.cols;
  if (rows < 1 || cols < 1 || a.size() != static_cast<size_t>(rows) * cols) return ResultCode::Incompatible;
  const bool homogeneous = b.size() == 0;
  if (!homogeneous && (b.rows != rows || b.cols != 1 || b.size() != static_cast<size_t>(rows)))
    return ResultCode::Incompatible;
  if (!AllFinite(a) || !AllFinite(b) || std::isnan(tolerance)) return kBadInput;
  try {
    return a.allReal() && b.allReal() ? SolveReduced<long double>(a, b, tolerance, out, stop)
                                    : SolveReduced<Complex>(a, b, tolerance, out, stop);
  } catch (const std::bad_alloc&) {
    return ResultCode::LowMemory;
  }
}

int Rank(const ComplexMatrix& a, long double tolerance, Interrupt& stop) {
  SolveResult r;
  ResultCode rc = SolveSystem(a, ComplexMatrix(), tolerance, r, stop);
  if (rc == ResultCode::Stopped) return -1;
  return IsOk(rc) || rc == ResultCode::InconsistentSystem ? r.rank : 0;
}

ResultCode FractionFreeInverse(const IntegerMatrix& a, Fraction& det, IntegerMatrix* inverse, Interrupt& stop) {
  const int n = a.rows;
  if (n < 1 || a.rows != a.cols || a.size() != static_cast<size_t>(n) * n) return ResultCode::Incompatible;
  if (a.denominator.IsZero()) return ResultCode::DivisionByZero;
  try {
    // Fraction-free Gauss-Jordan on [A | I]: after the last step the left
    // part is D'*I and the right part D'*inverse(A), D' = det of the row-swapped A.
    const int width = inverse ? 2 * n : n;
    MpzMatrix m(n, width);
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < n; ++j) m.at(i, j) = a.at(i, j).Value();
      if (inverse) m.at(i, n + i) = 1;
    }
    bool negate = false;
    mpz_class prev = 1, t;
    for (int k = 0; k < n; ++k) {
      if (stop.Quit()) return ResultCode::Stopped;
      int r = k;
      while (r < n && sgn(m.at(r, k)) == 0) ++r;
      if (r == n) {
        det = Fraction{BigInteger(0), BigInteger(1)};
        return ResultCode::Singular;
      }
      if (r > k) {
        m.SwapRows(r, k);
        negate = !negate;
      }
      // Without an inverse only the rows below take part (plain Bareiss).
      for (int i = inverse ? 0 : k + 1; i < n; ++i) {
        if (i == k) continue;
        if (stop.Quit()) return ResultCode::Stopped;
        BareissRow(m, i, k, k, k + 1, width, -1, prev, t);
        mpz_set_ui(m.p(i, k), 0);
      }
      prev = m.at(k, k);
    }
    // prev is det of the swapped numerators.
    Fraction d;
    d.num = BigInteger(mpz_class(negate ? mpz_class(-prev) : prev));
    if (ResultCode c = Power(a.denominator, n, d.den, stop); NotOk(c)) return c;
    if (NotOk(Reduce(d))) return ResultCode::DivisionByZero;
    if (inverse) {
      IntegerMatrix inv(n, n);
      for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
          if ((j == 0) && stop.Quit()) return ResultCode::Stopped;
          mpz_mul(inv.at(i, j).Value().get_mpz_t(), m.p(i, n + j), a.denominator.Value().get_mpz_t());
        }
      inv.denominator = BigInteger(prev);
      (void)NormaliseRational(inv.e, inv.denominator);  // prev, a pivot, is never zero
      *inverse = std::move(inv);
    }
    det = std::move(d);
  } catch (const std::bad_alloc&) {
    return ResultCode::LowMemory;
  }
  return ResultCode::Ok;
}

ResultCode FractionFreeSolve(const IntegerMatrix& a, const IntegerMatrix& b, IntegerSolveResult& out,
                             Interrupt& stop) {
  const int rows = a.rows, cols = a.cols;
  if (rows < 1 || cols < 1 || a.size() != static_cast<size_t>(rows) * cols) return ResultCode::Incompatible;
  const bool homogeneous = b.size() == 0;
  if (!homogeneous && (b.rows != rows || b.cols != 1 || b.size() != static_cast<size_t>(rows)))
    return ResultCode::Incompatible;
  if (a.denominator.IsZero() || (!homogeneous && b.denominator.IsZero())) return ResultCode::DivisionByZero;
  try {
    // Both sides on one scale: A * denom(b) X = b * denom(A).
    MpzMatrix m(rows, cols + 1);
    const mpz_class& da = a.denominator.Value();
    const mpz_class db = homogeneous ? mpz_class(1) : b.denominator.Value();
    for (int i = 0; i < rows; ++i) {
      for (int j = 0; j < cols; ++j) m.at(i, j) = a.at(i, j).Value() * db;
      if (!homogeneous) m.at(i, cols) = b.at(i, 0).Value() * da;
    }
    // Fraction-free Gauss-Jordan: after each step every entry is an exact
    // minor, so all divisions by the previous pivot are exact.
    std::vector<int> pivotOfRow;
    std::vector<char> pivotColumn(cols, 0);
    mpz_class prev = 1, t;
    int rank = 0;
    for (int c = 0; c < cols && rank < rows; ++c) {
      if (stop.Quit()) return ResultCode::Stopped;
      int r = rank;
      while (r < rows && sgn(m.at(r, c)) == 0) ++r;
      if (r == rows) continue;
      if (r > rank) m.SwapRows(r, rank);
      for (int i = 0; i < rows; ++i) {
        if (i == rank) continue;
        if (stop.Quit()) return ResultCode::Stopped;
        BareissRow(m, i, rank, c, 0, cols + 1, c, prev, t);
        mpz_set_ui(m.p(i, c), 0);
      }
      prev = m.at(rank, c);
      pivotOfRow.push_back(c);
      pivotColumn[c] = 1;
      ++rank;
    }
    ResultCode rc = ResultCode::Ok;
    for (int i = rank; i < rows; ++i)
      if (sgn(m.at(i, cols)) != 0) rc = ResultCode::InconsistentSystem;

    // The reduced form is row s divided by the last pivot prev.
    const std::vector<int> freeColumns = FreeColumns(pivotColumn);
    const int nfree = static_cast<int>(freeColumns.size());
    IntegerSolveResult res;
    res.rank = rank;
    res.x = IntegerMatrix(cols, 1);
    res.k = IntegerMatrix(cols, nfree);
    for (int s = 0; s < rank; ++s) {
      const int c = pivotOfRow[s];
      res.x.at(c, 0) = BigInteger(m.at(s, cols));
      for (int f = 0; f < nfree; ++f) res.k.at(c, f) = BigInteger(mpz_class(-m.at(s, freeColumns[f])));
    }
    for (int f = 0; f < nfree; ++f) res.k.at(freeColumns[f], f) = BigInteger(prev);
    res.x.denominator = BigInteger(prev);
    res.k.denominator = nfree > 0 ? BigInteger(prev) : BigInteger(1);
    // Both denominators are a pivot or 1, never zero.
    (void)NormaliseRational(res.x.e, res.x.denominator);
    (void)NormaliseRational(res.k.e, res.k.denominator);
    out = std::move(res);
    return rc;
  } catch (const std::bad_alloc&) {
    return ResultCode::LowMemory;
  }
}

}  // namespace tavrin
