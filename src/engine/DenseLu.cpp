#include "engine/DenseLu.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <complex>
#include <new>
#include <type_traits>
#include <vector>

#include "core/Thresholds.h"

namespace tavrin {

namespace {

using Cx = std::complex<long double>;
template <class T>
using Mat = Eigen::Matrix<T, Eigen::Dynamic, Eigen::Dynamic>;

long double Mag(long double x) { return std::fabs(x); }
long double Mag(const Cx& z) { return std::fabs(z.real()) + std::fabs(z.imag()); }
long double Re(long double x) { return x; }
long double Re(const Cx& z) { return z.real(); }
long double Im(long double) { return 0.0L; }
long double Im(const Cx& z) { return z.imag(); }
template <class V>
void DivideBy(V&& v, long double p) {
  v /= p;
}
template <class V>
void DivideBy(V&& v, const Cx& p) {
  for (Eigen::Index i = 0; i < v.size(); ++i) {
    const Complex q = Divide(Complex(v(i).real(), v(i).imag()), Complex(p.real(), p.imag()));
    v(i) = Cx(q.re, q.im);
  }
}
void Load(long double& x, Complex z) { x = z.re; }
void Load(Cx& x, Complex z) { x = Cx(z.re, z.im); }

// Panels as wide as the factorisation of the reference library takes them,
// so the trailing products run at the same speed.
int PanelWidth(int n) { return std::clamp((n / 8) / 16 * 16, 8, 256); }

// The stop key is polled after about this many multiply-adds (some tens of
// milliseconds), so Q is answered well within half a second at any size.
constexpr long long kWorkPerPoll = 1LL << 24;
constexpr int kPanelColumnsPerPoll = 8;

// Columns per slice when each column costs `perColumn` multiply-adds of T
// (a complex one is four real ones): at least 16 (narrower slices slow the
// products down), a multiple of 8.
template <class T>
int SliceColumns(long long perColumn, int total) {
  const long long cost = std::max<long long>(1, perColumn) * (std::is_same_v<T, Cx> ? 4 : 1);
  const long long w = std::max<long long>(16, kWorkPerPoll / cost) / 8 * 8;
  return static_cast<int>(std::min<long long>(w, std::max(total, 1)));
}

// In place: P*A = L*U with unit lower L below the diagonal and U on and
// above it; pivots[k] is the row swapped with row k at step k.
template <class M>
ResultCode Factor(M& a, std::vector<int>& pivots, bool& odd, Interrupt& stop) {
  const int n = static_cast<int>(a.rows());
  const int nb = PanelWidth(n);
  for (int k0 = 0; k0 < n; k0 += nb) {
    const int bs = std::min(nb, n - k0);
    for (int k = k0; k < k0 + bs; ++k) {
      if ((k - k0) % kPanelColumnsPerPoll == 0 && stop.QuitOrStop()) return ResultCode::Stopped;
      int r = k;
      long double best = Mag(a(k, k));
      for (int i = k + 1; i < n; ++i) {
        const long double m = Mag(a(i, k));
        if (m > best) {
          best = m;
          r = i;
        }
      }
      if (!(best > kPivotThreshold)) return ResultCode::Singular;
      pivots[k] = r;
      if (r != k) {
        a.row(r).swap(a.row(k));
        odd = !odd;
      }
      const int below = n - k - 1;
      if (below == 0) continue;
      DivideBy(a.col(k).tail(below), a(k, k));
      const int right = k0 + bs - k - 1;
      if (right > 0)
        a.block(k + 1, k + 1, below, right).noalias() -=
            a.col(k).tail(below) * a.row(k).segment(k + 1, right);
    }
    // The rows of U right of the panel and the trailing update, a slice of
    // columns at a time with a poll before each.
    const int rest = n - k0 - bs;
    const int w = SliceColumns<typename M::Scalar>(static_cast<long long>(rest + bs) * bs, rest);
    for (int j0 = k0 + bs; j0 < n; j0 += w) {
      if (stop.QuitOrStop()) return ResultCode::Stopped;
      const int cols = std::min(w, n - j0);
      a.block(k0, k0, bs, bs).template triangularView<Eigen::UnitLower>().solveInPlace(a.block(k0, j0, bs, cols));
      a.block(k0 + bs, j0, rest, cols).noalias() -= a.block(k0 + bs, k0, rest, bs) * a.block(k0, j0, bs, cols);
    }
  }
  return ResultCode::Ok;
}

// A^-1 = U^-1 L^-1 P. x holds the identity; L^-1 is lower triangular, so a
// slice of its columns starting at column j0 is solved on rows j0.. only;
// then U^-1 (L^-1) a slice at a time; last, the columns are swapped back
// in the reverse order of the row swaps.
template <class M, class X>
ResultCode SolveForInverse(const M& lu, const std::vector<int>& pivots, X& x, Interrupt& stop) {
  const int n = static_cast<int>(lu.rows());
  using T = typename M::Scalar;
  for (int j0 = 0; j0 < n;) {
    if (stop.QuitOrStop()) return ResultCode::Stopped;
    const int m = n - j0;
    const int w = SliceColumns<T>(static_cast<long long>(m) * m / 2, m);
    lu.block(j0, j0, m, m).template triangularView<Eigen::UnitLower>().solveInPlace(x.block(j0, j0, m, w));
    j0 += w;
  }
  const int wu = SliceColumns<T>(static_cast<long long>(n) * n / 2, n);
  for (int j0 = 0; j0 < n; j0 += wu) {
    if (stop.QuitOrStop()) return ResultCode::Stopped;
    auto slice = x.middleCols(j0, std::min(wu, n - j0));
    lu.template triangularView<Eigen::Upper>().solveInPlace(slice);
  }
  if constexpr (X::IsRowMajor) {
    // Row by row, so each row is swapped within the cache.
    for (int i = 0; i < n; ++i) {
      auto row = x.row(i);
      for (int k = n - 1; k >= 0; --k)
        if (pivots[k] != k) std::swap(row(k), row(pivots[k]));
    }
  } else {
    for (int k = n - 1; k >= 0; --k)
      if (pivots[k] != k) x.col(k).swap(x.col(pivots[k]));
  }
  return ResultCode::Ok;
}

template <class T>
ResultCode Run(const ComplexMatrix& in, Complex& det, ComplexMatrix* inverse, Interrupt& stop) {
  const int n = in.rows;
  Mat<T> a(n, n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) Load(a(i, j), in.at(i, j));
  std::vector<int> pivots(n);
  bool odd = false;
  if (ResultCode c = Factor(a, pivots, odd, stop); NotOk(c)) return c;
  T d = odd ? T(-1.0L) : T(1.0L);
  for (int k = 0; k < n; ++k) d *= a(k, k);
  if (inverse) {
    Mat<T> x = Mat<T>::Identity(n, n);
    if (ResultCode c = SolveForInverse(a, pivots, x, stop); NotOk(c)) return c;
    ComplexMatrix out(n, n);
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) out.at(i, j) = Complex(Re(x(i, j)), Im(x(i, j)));
    *inverse = std::move(out);
  }
  det = Complex(Re(d), Im(d));
  return ResultCode::Ok;
}

// A real matrix inverted in its own storage. The n*n entries of 32 bytes
// are room for two n*n long double matrices: the entries are first packed
// (real parts, row-major) into the lower half, which the factorisation then
// works on, and the upper half takes the identity that the solves turn into
// the inverse; last, the inverse is spread back over the whole storage as
// entries with zero imaginary parts. Packing front to back reads each real
// part before anything overwrites it, and so does the spreading: entry k
// ends where element k+1 of the upper half begins.
using RowMajorMap = Eigen::Map<Eigen::Matrix<long double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>>;
static_assert(sizeof(Complex) == 2 * sizeof(long double), "an entry is two long doubles");

// The n x n real matrix packed row-major at words, which the factorisation
// overwrites, inverted into inverse.
ResultCode InvertPacked(long double* words, long double* inverse, int n, Complex& det, Interrupt& stop) {
  RowMajorMap a(words, n, n), x(inverse, n, n);
  std::vector<int> pivots(n);
  bool odd = false;
  if (ResultCode c = Factor(a, pivots, odd, stop); NotOk(c)) return c;
  long double d = odd ? -1.0L : 1.0L;
  for (int k = 0; k < n; ++k) d *= a(k, k);
  x.setIdentity();
  if (ResultCode c = SolveForInverse(a, pivots, x, stop); NotOk(c)) return c;
  det = Complex(d, 0.0L);
  return ResultCode::Ok;
}

// `from` is m itself or a matrix of the same size whose real parts are
// packed into m (then m's own entries are not read); both are wide.
ResultCode InvertRealInPlace(const ComplexMatrix& from, ComplexMatrix& m, Complex& det, Interrupt& stop) {
  const int n = m.rows;
  const size_t count = static_cast<size_t>(n) * n;
  long double* words = &m.e().data()->re;
  const long double* source = &from.wideEntries().data()->re;
  // A poll every few hundred thousand entries: packing from another matrix
  // reads and writes a large amount of memory for the first time.
  for (size_t k0 = 0; k0 < count; k0 += size_t{1} << 18) {
    if (stop.QuitOrStop()) return ResultCode::Stopped;
    const size_t end = std::min(count, k0 + (size_t{1} << 18));
    for (size_t k = k0; k < end; ++k) words[k] = source[2 * k];
  }
  if (ResultCode c = InvertPacked(words, words + count, n, det, stop); NotOk(c)) return c;
  for (size_t k = 0; k < count; ++k) {
    const long double v = words[count + k];
    words[2 * k] = v;
    words[2 * k + 1] = 0.0L;
  }
  return ResultCode::Ok;
}

// A matrix in the real layout: its real parts are factored where they are,
// and the inverse, the one matrix made, then takes m's place.
ResultCode InvertRealLayout(ComplexMatrix& m, Complex& det, Interrupt& stop) {
  ComplexMatrix inverse = ComplexMatrix::Real(m.rows, m.rows);
  if (ResultCode c = InvertPacked(m.realParts().data(), inverse.realParts().data(), m.rows, det, stop); NotOk(c))
    return c;
  m = std::move(inverse);
  return ResultCode::Ok;
}

}  // namespace

ResultCode LuDeterminantAndInverse(const ComplexMatrix& a, Complex& det, ComplexMatrix* inverse, Interrupt& stop) {
  const bool real = a.allReal();
  try {
    if (real && inverse && a.realLayout()) {
      // A copy inverted: besides it, the result is the only matrix made.
      ComplexMatrix work = a;
      if (ResultCode c = InvertRealLayout(work, det, stop); NotOk(c)) return c;
      *inverse = std::move(work);
      return ResultCode::Ok;
    }
    if (real && inverse) {
      // Inverted in the result's storage: the result is the only matrix made.
      ComplexMatrix work(a.rows, a.cols);
      if (ResultCode c = InvertRealInPlace(a, work, det, stop); NotOk(c)) return c;
      *inverse = std::move(work);
      return ResultCode::Ok;
    }
    return real ? Run<long double>(a, det, inverse, stop) : Run<Cx>(a, det, inverse, stop);
  } catch (const std::bad_alloc&) {
    return ResultCode::LowMemory;
  }
}

ResultCode LuInvertInPlace(ComplexMatrix& m, Complex& det, Interrupt& stop) {
  try {
    if (m.realLayout()) return InvertRealLayout(m, det, stop);
    if (m.allReal()) return InvertRealInPlace(m, m, det, stop);
    ComplexMatrix inverse;
    if (ResultCode c = Run<Cx>(m, det, &inverse, stop); NotOk(c)) return c;
    m = std::move(inverse);
    return ResultCode::Ok;
  } catch (const std::bad_alloc&) {
    return ResultCode::LowMemory;
  }
}

}  // namespace tavrin
