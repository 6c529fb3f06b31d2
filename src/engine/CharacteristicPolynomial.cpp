#include "engine/CharacteristicPolynomial.h"

#include <cmath>

#include "core/PollKey.h"
#include "engine/ExactKernels.h"

namespace tavrin {

namespace {

Complex Conj(Complex a) { return {a.re, -a.im}; }
long double Norm2(Complex a) { return a.re * a.re + a.im * a.im; }

bool Stopped() {
  int key = PollKey();
  return key == 'S';
}

// Householder reduction to upper Hessenberg form, in place.
bool ReduceToHessenberg(ComplexMatrix& h) {
  const int n = h.rows;
  std::vector<Complex> v(n);
  for (int k = 0; k + 2 < n; ++k) {
    if (Stopped()) return false;
    const int len = n - k - 1;
    long double scale = 0.0L;
    for (int i = 0; i < len; ++i) scale += std::fabs(h.at(k + 1 + i, k).re) + std::fabs(h.at(k + 1 + i, k).im);
    if (scale == 0.0L) continue;
    // Work on the scaled column so that squares cannot overflow.
    long double alpha2 = 0.0L;
    for (int i = 0; i < len; ++i) {
      Complex x = h.at(k + 1 + i, k);
      v[i] = Complex(x.re / scale, x.im / scale);
      alpha2 += Norm2(v[i]);
    }
    long double alpha = std::sqrt(alpha2);
    long double m0 = std::sqrt(Norm2(v[0]));
    Complex phase = m0 > 0.0L ? Complex(v[0].re / m0, v[0].im / m0) : kComplexOne;
    v[0] += alpha * phase;
    long double vv = 0.0L;
    for (int i = 0; i < len; ++i) vv += Norm2(v[i]);
    if (vv == 0.0L) continue;
    const long double beta = 2.0L / vv;
    // Rows k+1.. from the left: H := (I - beta v v^H) H.
    for (int j = k; j < n; ++j) {
      Complex s;
      for (int i = 0; i < len; ++i) s += Conj(v[i]) * h.at(k + 1 + i, j);
      s = beta * s;
      for (int i = 0; i < len; ++i) h.at(k + 1 + i, j) -= v[i] * s;
    }
    // Columns k+1.. from the right: H := H (I - beta v v^H).
    for (int i = 0; i < n; ++i) {
      Complex s;
      for (int l = 0; l < len; ++l) s += h.at(i, k + 1 + l) * v[l];
      s = beta * s;
      for (int l = 0; l < len; ++l) h.at(i, k + 1 + l) -= s * Conj(v[l]);
    }
    for (int i = 1; i < len; ++i) h.at(k + 1 + i, k) = kComplexZero;
  }
  return true;
}

}  // namespace

bool CharacteristicPolynomial(const ComplexMatrix& m, std::vector<Complex>& c) {
  c.clear();
  if (m.rows != m.cols) return false;
  const int n = m.rows;
  ComplexMatrix h = m;
  if (!ReduceToHessenberg(h)) return false;
  // p[k] is the characteristic polynomial of the leading k x k block,
  // highest power first.
  std::vector<std::vector<Complex>> p(n + 1);
  p[0] = {kComplexOne};
  for (int k = 1; k <= n; ++k) {
    if (Stopped()) return false;
    std::vector<Complex>& pk = p[k];
    const std::vector<Complex>& prev = p[k - 1];
    pk.assign(k + 1, kComplexZero);
    const Complex a = h.at(k - 1, k - 1);
    for (int i = 0; i < k; ++i) {
      pk[i] += prev[i];
      pk[i + 1] -= a * prev[i];
    }
    Complex product = kComplexOne;
    for (int i = k - 1; i >= 1; --i) {
      product = product * h.at(i, i - 1);
      Complex f = h.at(i - 1, k - 1) * product;
      if (f == kComplexZero) continue;
      const std::vector<Complex>& q = p[i - 1];  // degree i-1, aligned at the constant term
      const int offset = k - (i - 1);
      for (int t = 0; t < i; ++t) pk[offset + t] -= f * q[t];
    }
  }
  c = std::move(p[n]);
  c[0] = kComplexOne;
  return true;
}

ResultCode BerkowitzCharacteristicPolynomial(const IntegerMatrix& m, std::vector<Fraction>& c) {
  c.clear();
  if (m.rows != m.cols || m.denominator.IsZero()) return code::kIncompatible;
  const int n = m.rows;
  auto a = [&](int i, int j) -> const mpz_class& { return m.at(i, j).Value(); };
  // Berkowitz: vect holds the polynomial of the leading r x r block.
  std::vector<mpz_class> vect{1};
  for (int r = 0; r < n; ++r) {
    int key = PollKey();
    if (key == 'S' || key == 'Q') return code::kInterrupted;
    // t = (1, -a_rr, -R C, -R A C, ..., -R A^(r-1) C)
    std::vector<mpz_class> t(r + 2);
    t[0] = 1;
    t[1] = -a(r, r);
    std::vector<mpz_class> col(r), next(r);
    for (int i = 0; i < r; ++i) col[i] = a(i, r);
    for (int step = 0; step < r; ++step) {
      mpz_class s = 0;
      for (int i = 0; i < r; ++i) mpz_addmul(s.get_mpz_t(), a(r, i).get_mpz_t(), col[i].get_mpz_t());
      t[step + 2] = -s;
      if (step + 1 == r) break;
      for (int i = 0; i < r; ++i) {
        next[i] = 0;
        for (int j = 0; j < r; ++j) mpz_addmul(next[i].get_mpz_t(), a(i, j).get_mpz_t(), col[j].get_mpz_t());
      }
      col.swap(next);
    }
    std::vector<mpz_class> out(r + 2);
    for (int i = 0; i < r + 2; ++i)
      for (int j = 0; j <= i && j < static_cast<int>(vect.size()); ++j)
        mpz_addmul(out[i].get_mpz_t(), t[i - j].get_mpz_t(), vect[j].get_mpz_t());
    vect.swap(out);
  }
  // The matrix is (entries)/d, so the coefficient of x^(n-k) is c_k / d^k.
  c.resize(n + 1);
  mpz_class power = 1;
  for (int k = 0; k <= n; ++k) {
    c[k] = Fraction{BigInteger(vect[k]), BigInteger(power)};
    Reduce(c[k]);
    power *= m.denominator.Value();
  }
  return code::kOk;
}

}  // namespace tavrin
