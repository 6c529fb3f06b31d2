#include "engine/CharacteristicPolynomial.h"

#include <cmath>

#include "engine/ExactKernels.h"

namespace tavrin {

namespace {

// p[k] is the characteristic polynomial of the leading k x k block of the
// Hessenberg matrix h (highest power first); T is Complex for the values
// and long double for the same recurrence on |h| (the size of every term).
template <typename T, typename Entry>
ResultCode Recurrence(int n, Entry entry, std::vector<T>& out, Interrupt& stop, bool sizes = false) {
  const T sign = T(sizes ? -1.0L : 1.0L);
  std::vector<std::vector<T>> p(n + 1);
  p[0] = {T(1.0L)};
  for (int k = 1; k <= n; ++k) {
    if (stop.QuitOrStop()) return ResultCode::Stopped;
    std::vector<T>& pk = p[k];
    const std::vector<T>& prev = p[k - 1];
    pk.assign(k + 1, T(0.0L));
    const T a = entry(k - 1, k - 1);
    for (int i = 0; i < k; ++i) {
      pk[i] += prev[i];
      pk[i + 1] -= sign * a * prev[i];
    }
    T product = T(1.0L);
    for (int i = k - 1; i >= 1; --i) {
      product = product * entry(i, i - 1);
      T f = entry(i - 1, k - 1) * product;
      if (f == T(0.0L)) continue;
      const std::vector<T>& q = p[i - 1];  // degree i-1, aligned at the constant term
      const int offset = k - (i - 1);
      for (int t = 0; t < i; ++t) pk[offset + t] -= sign * f * q[t];
    }
  }
  out = std::move(p[n]);
  return ResultCode::Ok;
}

}  // namespace

ResultCode HessenbergPolynomial(const HessenbergForm& f, std::vector<Complex>& c, std::vector<long double>* error,
                                Interrupt& stop) {
  c.clear();
  const int n = f.n;
  if (f.complex) {
    if (ResultCode rc = Recurrence<Complex>(n, [&](int i, int j) { return f.at(i, j); }, c, stop); NotOk(rc))
      return rc;
  } else {
    std::vector<long double> real;
    if (ResultCode rc = Recurrence<long double>(n, [&](int i, int j) { return f.at(i, j).re; }, real, stop);
        NotOk(rc))
      return rc;
    c.assign(real.begin(), real.end());
  }
  c[0] = kComplexOne;
  if (error) {
    // With the entries replaced by their moduli and every subtraction by an
    // addition, the recurrence gives the size of the terms behind each
    // coefficient; its rounding, and that of the reduction (a perturbation
    // of the entries of relative size n u), stay within a multiple of it.
    std::vector<long double> size;
    auto modulus = [&](int i, int j) { return std::hypot(f.at(i, j).re, f.at(i, j).im); };
    if (ResultCode rc = Recurrence<long double>(n, modulus, size, stop, true); NotOk(rc)) {
      c.clear();
      return rc;
    }
    const long double u = 5.421010862427522170e-20L;  // 2^-64
    error->assign(n + 1, 0.0L);
    for (int i = 0; i <= n; ++i) {
      long double s = std::fabs(size[i]);
      if (i > 0) s += i * f.norm * std::fabs(size[i - 1]);
      (*error)[i] = 16.0L * (n + 1) * u * s;
    }
  }
  return ResultCode::Ok;
}

ResultCode CharacteristicPolynomial(const ComplexMatrix& m, std::vector<Complex>& c, Interrupt& stop) {
  c.clear();
  if (m.rows != m.cols) return ResultCode::Incompatible;
  bool complex = false;
  for (size_t k = 0; k < m.size() && !complex; ++k) complex = m.entry(k).im != 0.0L;
  HessenbergForm f;
  if (ResultCode rc = ReduceToHessenbergForm(m, complex, f, stop); NotOk(rc)) return rc;
  return HessenbergPolynomial(f, c, nullptr, stop);
}

ResultCode BerkowitzCharacteristicPolynomial(const IntegerMatrix& m, std::vector<Fraction>& c, Interrupt& stop) {
  c.clear();
  if (m.rows != m.cols || m.denominator.IsZero()) return ResultCode::Incompatible;
  const int n = m.rows;
  auto a = [&](int i, int j) -> const mpz_class& { return m.at(i, j).Value(); };
  // Berkowitz: vect holds the polynomial of the leading r x r block.
  std::vector<mpz_class> vect{1};
  for (int r = 0; r < n; ++r) {
    if (stop.QuitOrStop()) return ResultCode::Stopped;
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
      if (stop.QuitOrStop()) return ResultCode::Stopped;  // each product is O(r^2) big multiplications
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
    (void)Reduce(c[k]);  // d^k with d checked non-zero above
    power *= m.denominator.Value();
  }
  return ResultCode::Ok;
}

}  // namespace tavrin
