#include "engine/DenseLu.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <complex>
#include <new>
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
// so the trailing products run at the same speed; each panel is a poll.
int PanelWidth(int n) { return std::clamp((n / 8) / 16 * 16, 8, 256); }
constexpr int kSolveColumns = 64;

// In place: P*A = L*U with unit lower L below the diagonal and U on and
// above it; pivots[k] is the row swapped with row k at step k.
template <class M>
ResultCode Factor(M& a, std::vector<int>& pivots, bool& odd, Interrupt& stop) {
  const int n = static_cast<int>(a.rows());
  const int nb = PanelWidth(n);
  for (int k0 = 0; k0 < n; k0 += nb) {
    if (stop.QuitOrStop()) return ResultCode::Stopped;
    const int bs = std::min(nb, n - k0);
    for (int k = k0; k < k0 + bs; ++k) {
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
    const int rest = n - k0 - bs;
    if (rest > 0) {
      a.block(k0, k0, bs, bs).template triangularView<Eigen::UnitLower>().solveInPlace(
          a.block(k0, k0 + bs, bs, rest));
      a.block(k0 + bs, k0 + bs, rest, rest).noalias() -=
          a.block(k0 + bs, k0, rest, bs) * a.block(k0, k0 + bs, bs, rest);
    }
  }
  return ResultCode::Ok;
}

// x holds the identity: P * I, then the two triangular solves, a slice of
// columns at a time, leave the inverse in x.
template <class M, class X>
ResultCode SolveForInverse(const M& lu, const std::vector<int>& pivots, X& x, Interrupt& stop) {
  const int n = static_cast<int>(lu.rows());
  for (int k = 0; k < n; ++k)
    if (pivots[k] != k) x.row(k).swap(x.row(pivots[k]));
  for (int j0 = 0; j0 < n; j0 += kSolveColumns) {
    if (stop.QuitOrStop()) return ResultCode::Stopped;
    auto slice = x.middleCols(j0, std::min(kSolveColumns, n - j0));
    lu.template triangularView<Eigen::UnitLower>().solveInPlace(slice);
    lu.template triangularView<Eigen::Upper>().solveInPlace(slice);
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

ResultCode InvertRealInPlace(ComplexMatrix& m, Complex& det, Interrupt& stop) {
  const int n = m.rows;
  const size_t count = static_cast<size_t>(n) * n;
  long double* words = &m.e.data()->re;
  for (size_t k = 0; k < count; ++k) words[k] = words[2 * k];
  RowMajorMap a(words, n, n), x(words + count, n, n);
  std::vector<int> pivots(n);
  bool odd = false;
  if (ResultCode c = Factor(a, pivots, odd, stop); NotOk(c)) return c;
  long double d = odd ? -1.0L : 1.0L;
  for (int k = 0; k < n; ++k) d *= a(k, k);
  x.setIdentity();
  if (ResultCode c = SolveForInverse(a, pivots, x, stop); NotOk(c)) return c;
  for (size_t k = 0; k < count; ++k) {
    const long double v = words[count + k];
    words[2 * k] = v;
    words[2 * k + 1] = 0.0L;
  }
  det = Complex(d, 0.0L);
  return ResultCode::Ok;
}

bool AllReal(const ComplexMatrix& a) {
  for (const Complex& z : a.e)
    if (z.im != 0.0L) return false;
  return true;
}

}  // namespace

ResultCode LuDeterminantAndInverse(const ComplexMatrix& a, Complex& det, ComplexMatrix* inverse, Interrupt& stop) {
  const bool real = AllReal(a);
  try {
    if (real && inverse) {
      // A copy inverted in place: the result is the only matrix made.
      ComplexMatrix work = a;
      if (ResultCode c = InvertRealInPlace(work, det, stop); NotOk(c)) return c;
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
    if (AllReal(m)) return InvertRealInPlace(m, det, stop);
    ComplexMatrix inverse;
    if (ResultCode c = Run<Cx>(m, det, &inverse, stop); NotOk(c)) return c;
    m = std::move(inverse);
    return ResultCode::Ok;
  } catch (const std::bad_alloc&) {
    return ResultCode::LowMemory;
  }
}

}  // namespace tavrin
