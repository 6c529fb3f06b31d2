#include "engine/Product.h"

#include <Eigen/Core>
#include <algorithm>

namespace tavrin {

namespace {

using Real = Eigen::Matrix<long double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;
// The real parts of a row-major run of entries: every second long double.
using RealParts = Eigen::Map<Real, 0, Eigen::Stride<Eigen::Dynamic, 2>>;
static_assert(sizeof(Complex) == 2 * sizeof(long double), "an entry is two long doubles");

bool AllReal(const ComplexMatrix& m) {
  for (const Complex& z : m.e)
    if (z.im != 0.0L) return false;
  return true;
}

Real Part(const ComplexMatrix& m, bool imaginary) {
  Real r(m.rows, m.cols);
  long double* out = r.data();
  for (size_t i = 0; i < m.size(); ++i) out[i] = imaginary ? m.e[i].im : m.e[i].re;
  return r;
}

// Rows per band: about 32 million multiply-adds each (tens of milliseconds),
// so a poll comes often enough at any size, and at least 64 rows so the
// blocked kernel keeps its speed (each band packs b once more).
int BandRows(const ComplexMatrix& a, const ComplexMatrix& b) {
  const long long work = std::max<long long>(1, static_cast<long long>(a.cols) * b.cols);
  return static_cast<int>(std::clamp<long long>((1LL << 25) / work, 64, 1 << 20));
}

// out (+)= sign * x * y over bands of rows of x, polling before each band.
bool Accumulate(const Real& x, const Real& y, long double sign, bool add, int band, Real& out, Interrupt& stop) {
  for (int r = 0; r < x.rows(); r += band) {
    if (stop.Quit()) return false;
    const int h = std::min<int>(band, static_cast<int>(x.rows()) - r);
    if (add)
      out.middleRows(r, h).noalias() += sign * (x.middleRows(r, h) * y);
    else
      out.middleRows(r, h).noalias() = x.middleRows(r, h) * y;
  }
  return true;
}

}  // namespace

ResultCode MatrixProduct(const ComplexMatrix& a, const ComplexMatrix& b, ComplexMatrix& p, Interrupt& stop) {
  const int band = BandRows(a, b);
  ComplexMatrix result(a.rows, b.cols);
  if (AllReal(a) && AllReal(b)) {
    // The product goes straight into the real parts of the result, and a
    // is converted a band at a time: besides the result, only b and one
    // band are made (fresh memory is slow to come by).
    const Real br = Part(b, false);
    Real rows(std::min(band, a.rows), a.cols);
    for (int r = 0; r < a.rows && !result.e.empty(); r += band) {
      if (stop.Quit()) return ResultCode::Stopped;
      const int h = std::min(band, a.rows - r);
      for (int i = 0; i < h; ++i)
        for (int k = 0; k < a.cols; ++k) rows(i, k) = a.at(r + i, k).re;
      RealParts out(&result.at(r, 0).re, h, b.cols, Eigen::Stride<Eigen::Dynamic, 2>(2 * b.cols, 2));
      if (a.cols > 0) out.noalias() = rows.topRows(h) * br;
    }
  } else {
    const Real ar = Part(a, false), ai = Part(a, true);
    const Real br = Part(b, false), bi = Part(b, true);
    Real re(a.rows, b.cols), im(a.rows, b.cols);
    if (a.cols == 0) re.setZero(), im.setZero();
    if (!Accumulate(ar, br, 1.0L, false, band, re, stop) || !Accumulate(ai, bi, -1.0L, true, band, re, stop) ||
        !Accumulate(ar, bi, 1.0L, false, band, im, stop) || !Accumulate(ai, br, 1.0L, true, band, im, stop))
      return ResultCode::Stopped;
    for (size_t i = 0; i < result.size(); ++i) result.e[i] = Complex(re.data()[i], im.data()[i]);
  }
  p = std::move(result);
  return ResultCode::Ok;
}

}  // namespace tavrin
