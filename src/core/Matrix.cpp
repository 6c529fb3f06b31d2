#include "core/Matrix.h"

#include <cmath>

namespace tavrin {

ComplexMatrix ComplexMatrix::Real(int32_t r, int32_t c) {
  ComplexMatrix m;
  m.rows = r;
  m.cols = c;
  m.real_ = true;
  m.re_.resize(static_cast<size_t>(r) * c);
  return m;
}

namespace {
bool PlusZero(long double x) { return x == 0.0L && !std::signbit(x); }
}  // namespace

void ComplexMatrix::set(size_t k, Complex v) {
  if (real_ && PlusZero(v.im)) {
    re_[k] = v.re;
    return;
  }
  e()[k] = v;
}

void ComplexMatrix::Widen() {
  if (!real_) return;
  std::vector<Complex> w(re_.size());
  for (size_t k = 0; k < re_.size(); ++k) w[k].re = re_[k];
  wide_ = std::move(w);
  re_ = std::vector<long double>();
  real_ = false;
}

bool ComplexMatrix::allReal() const {
  if (real_) return true;
  for (const Complex& z : wide_)
    if (z.im != 0.0L) return false;
  return true;
}

bool ComplexMatrix::Narrow() {
  if (real_) return true;
  for (const Complex& z : wide_)
    if (!PlusZero(z.im)) return false;
  std::vector<long double> r(wide_.size());
  for (size_t k = 0; k < wide_.size(); ++k) r[k] = wide_[k].re;
  re_ = std::move(r);
  wide_ = std::vector<Complex>();
  real_ = true;
  return true;
}

std::vector<Complex> ComplexMatrix::Entries() const {
  if (!real_) return wide_;
  std::vector<Complex> w(re_.size());
  for (size_t k = 0; k < re_.size(); ++k) w[k].re = re_[k];
  return w;
}

bool operator==(const ComplexMatrix& a, const ComplexMatrix& b) {
  if (a.rows != b.rows || a.cols != b.cols || a.size() != b.size()) return false;
  if (!a.real_ && !b.real_) return a.wide_ == b.wide_;
  for (size_t k = 0; k < a.size(); ++k)
    if (!(a.entry(k) == b.entry(k))) return false;
  return true;
}

ComplexMatrix Transpose(const ComplexMatrix& m) {
  ComplexMatrix t = m.realLayout() ? ComplexMatrix::Real(m.cols, m.rows) : ComplexMatrix(m.cols, m.rows);
  for (int i = 0; i < m.rows; ++i)
    for (int j = 0; j < m.cols; ++j) t.set(j, i, m.at(i, j));
  return t;
}

IntegerMatrix Transpose(const IntegerMatrix& m) {
  IntegerMatrix t(m.cols, m.rows);
  for (int i = 0; i < m.rows; ++i)
    for (int j = 0; j < m.cols; ++j) t.at(j, i) = m.at(i, j);
  t.denominator = m.denominator;
  return t;
}

}  // namespace tavrin
