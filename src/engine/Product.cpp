#include "engine/Product.h"

#include <algorithm>
#include <vector>

namespace tavrin {

namespace {

// The kernel keeps a 2x2 block of sums in the eight x87 registers with the
// two entries of each factor it multiplies, so nothing spills to memory in
// the inner loop (a wider block is slower in long double). The factors are
// packed per block of depth kDepth: y in strips of two columns, x in panels
// of two rows, kRowsPerBlock rows at a time, so the strips stay in the
// first-level cache and the panels in the second.
constexpr int kDepth = 256;
constexpr int kRowsPerBlock = 64;
// The stop key is polled before each term and then whenever this many
// multiply-adds (some tens of milliseconds) have been done since the last poll.
constexpr long long kWorkPerPoll = 1LL << 24;

using Part = long double Complex::*;

// Part pc of entry (i, j) of c += v; a real layout has real parts only.
void AddTo(ComplexMatrix& c, Part pc, int i, int j, long double v) {
  const size_t k = static_cast<size_t>(i) * c.cols + j;
  if (c.realLayout())
    c.realParts()[k] += v;
  else
    c.e()[k].*pc += v;
}

// Sums of the 2x2 block: x panel (depth x 2, interleaved) times y strip
// (depth x 2, interleaved), added into part pc of c at (i, j) where inside c.
void Kernel(const long double* x, const long double* y, int depth, ComplexMatrix& c, Part pc, int i, int j) {
  long double c00 = 0.0L, c01 = 0.0L, c10 = 0.0L, c11 = 0.0L;
  for (int k = 0; k < depth; ++k) {
    const long double x0 = x[2 * k], x1 = x[2 * k + 1], y0 = y[2 * k], y1 = y[2 * k + 1];
    c00 += x0 * y0;
    c01 += x0 * y1;
    c10 += x1 * y0;
    c11 += x1 * y1;
  }
  const bool down = i + 1 < c.rows, right = j + 1 < c.cols;
  AddTo(c, pc, i, j, c00);
  if (right) AddTo(c, pc, i, j + 1, c01);
  if (down) AddTo(c, pc, i + 1, j, c10);
  if (down && right) AddTo(c, pc, i + 1, j + 1, c11);
}

// Part pc of c += sign * (part px of x) * (part py of y). Returns false
// when Q was pressed (c is then partly updated).
bool MultiplyAdd(const ComplexMatrix& x, Part px, const ComplexMatrix& y, Part py, long double sign,
                 ComplexMatrix& c, Part pc, Interrupt& stop) {
  const int m = x.rows, inner = x.cols, n = y.cols;
  if (stop.Quit()) return false;
  const int strips = (n + 1) / 2;
  std::vector<long double> packedY(static_cast<size_t>(strips) * 2 * std::min(kDepth, inner));
  std::vector<long double> packedX(static_cast<size_t>(kRowsPerBlock) * kDepth);
  long long work = 0;
  for (int k0 = 0; k0 < inner; k0 += kDepth) {
    const int depth = std::min(kDepth, inner - k0);
    for (int s = 0; s < strips; ++s) {
      long double* p = packedY.data() + static_cast<size_t>(s) * 2 * depth;
      const int j = 2 * s;
      for (int k = 0; k < depth; ++k) {
        p[2 * k] = y.at(k0 + k, j).*py;
        p[2 * k + 1] = j + 1 < n ? y.at(k0 + k, j + 1).*py : 0.0L;
      }
    }
    for (int i0 = 0; i0 < m; i0 += kRowsPerBlock) {
      const int rows = std::min(kRowsPerBlock, m - i0);
      const long long blockWork = static_cast<long long>(rows) * depth * n;
      if (work + blockWork > kWorkPerPoll) {
        if (stop.Quit()) return false;
        work = 0;
      }
      work += blockWork;
      for (int r = 0; r < rows; r += 2) {
        long double* p = packedX.data() + static_cast<size_t>(r) * depth;
        const int i = i0 + r;
        for (int k = 0; k < depth; ++k) {
          p[2 * k] = sign * (x.at(i, k0 + k).*px);
          p[2 * k + 1] = i + 1 < m ? sign * (x.at(i + 1, k0 + k).*px) : 0.0L;
        }
      }
      for (int s = 0; s < strips; ++s) {
        const long double* ys = packedY.data() + static_cast<size_t>(s) * 2 * depth;
        for (int r = 0; r < rows; r += 2)
          Kernel(packedX.data() + static_cast<size_t>(r) * depth, ys, depth, c, pc, i0 + r, 2 * s);
      }
    }
  }
  return true;
}

}  // namespace

ResultCode MatrixProduct(const ComplexMatrix& a, const ComplexMatrix& b, ComplexMatrix& p, Interrupt& stop) {
  const Part re = &Complex::re, im = &Complex::im;
  const bool real = a.allReal() && b.allReal();
  ComplexMatrix result = real ? ComplexMatrix::Real(a.rows, b.cols) : ComplexMatrix(a.rows, b.cols);
  if (real) {
    // One real product, a matrix in the real layout.
    if (!MultiplyAdd(a, re, b, re, 1.0L, result, re, stop)) return ResultCode::Stopped;
  } else if (!MultiplyAdd(a, re, b, re, 1.0L, result, re, stop) ||
             !MultiplyAdd(a, im, b, im, -1.0L, result, re, stop) ||
             !MultiplyAdd(a, re, b, im, 1.0L, result, im, stop) ||
             !MultiplyAdd(a, im, b, re, 1.0L, result, im, stop)) {
    return ResultCode::Stopped;
  }
  p = std::move(result);
  return ResultCode::Ok;
}

}  // namespace tavrin
