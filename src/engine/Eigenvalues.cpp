#include "engine/Eigenvalues.h"

#include <algorithm>
#include <cmath>


namespace tavrin {

namespace {

using Real = long double;

Complex Sqrt(Complex a) {
  Real m = Modulus(a);
  if (m == 0.0L) return kComplexZero;
  Real re = std::sqrt((m + std::fabs(a.re)) / 2.0L);
  if (a.re >= 0.0L) return {re, a.im / (2.0L * re)};
  return {std::fabs(a.im) / (2.0L * re), a.im < 0.0L ? -re : re};
}

bool IsSymmetric(const ComplexMatrix& m, bool complexMatrix) {
  const int n = m.rows;
  for (int i = 0; i < n; ++i) {
    if (complexMatrix && m.at(i, i).im != 0.0L) return false;
    for (int j = 0; j < i; ++j) {
      Complex a = m.at(i, j), b = m.at(j, i);
      if (a.re != b.re || (complexMatrix && a.im != -b.im)) return false;
    }
  }
  return true;
}

// Scales rows and columns by powers of two until their off-diagonal sizes
// match; exact, so it changes neither eigenvalues nor polynomial, but it
// makes the rounding of the reduction proportionate to each eigenvalue.
void Balance(std::vector<Complex>& a, int n) {
  for (bool done = false; !done;) {
    done = true;
    for (int i = 0; i < n; ++i) {
      Real c = 0.0L, r = 0.0L;
      for (int j = 0; j < n; ++j)
        if (j != i) {
          c += Magnitude1(a[static_cast<size_t>(j) * n + i]);
          r += Magnitude1(a[static_cast<size_t>(i) * n + j]);
        }
      if (c == 0.0L || r == 0.0L) continue;
      Real g = r / 2.0L, f = 1.0L, s = c + r;
      while (c < g) {
        f *= 2.0L;
        c *= 4.0L;
      }
      g = r * 2.0L;
      while (c > g) {
        f /= 2.0L;
        c /= 4.0L;
      }
      if ((c + r) / f < 0.95L * s) {
        done = false;
        for (int j = 0; j < n; ++j) a[static_cast<size_t>(i) * n + j] = (1.0L / f) * a[static_cast<size_t>(i) * n + j];
        for (int j = 0; j < n; ++j) a[static_cast<size_t>(j) * n + i] = f * a[static_cast<size_t>(j) * n + i];
      }
    }
  }
}

Real FrobeniusNorm(const std::vector<Complex>& h) {
  Real scale = 0.0L;
  for (const Complex& x : h) scale = std::max(scale, Magnitude1(x));
  if (scale == 0.0L) return 0.0L;
  Real s = 0.0L;
  for (const Complex& x : h) s += SquaredModulus((1.0L / scale) * x);
  return scale * std::sqrt(s);
}

// Balancing pays where rows and columns differ widely in size (companion
// matrices); where it shrinks the matrix only a little it can cost accuracy
// instead (the Frank matrices), so it is kept only when it halves the norm.
void BalanceIfWorthIt(std::vector<Complex>& a, int n) {
  std::vector<Complex> b = a;
  Balance(b, n);
  if (FrobeniusNorm(b) <= 0.5L * FrobeniusNorm(a)) a = std::move(b);
}

// The arithmetic the Householder reduction needs, for real and complex entries.
Real Size(Real x) { return std::fabs(x); }
Real Size(const Complex& z) { return Magnitude1(z); }
Real Norm2(Real x) { return x * x; }
Real Norm2(const Complex& z) { return SquaredModulus(z); }
Real Conj(Real x) { return x; }
Complex Conj(const Complex& z) { return Conjugate(z); }
// x / scale; a complex entry is multiplied by the one reciprocal instead of
// dividing both parts.
Real Unscaled(Real x, Real scale) { return x / scale; }
Complex Unscaled(const Complex& z, Real scale) { return (1.0L / scale) * z; }
// The unit the reflection adds the column's length along, the sign of a
// real leading entry (-1 for zero) or the phase of a complex one (1 for zero):
// the sum then never cancels.
Real Phase(Real x) { return x > 0.0L ? 1.0L : -1.0L; }
Complex Phase(const Complex& z) {
  const Real m = Modulus(z);
  return m > 0.0L ? Complex(z.re / m, z.im / m) : kComplexOne;
}
// The sum of row[l] v[l] over l < len; four partial sums keep the adder busy
// on the real entries.
Real RowTimes(const Real* row, const std::vector<Real>& v, int len) {
  Real s0 = 0.0L, s1 = 0.0L, s2 = 0.0L, s3 = 0.0L;
  int l = 0;
  for (; l + 3 < len; l += 4) {
    s0 += row[l] * v[l];
    s1 += row[l + 1] * v[l + 1];
    s2 += row[l + 2] * v[l + 2];
    s3 += row[l + 3] * v[l + 3];
  }
  for (; l < len; ++l) s0 += row[l] * v[l];
  return (s0 + s1) + (s2 + s3);
}
Complex RowTimes(const Complex* row, const std::vector<Complex>& v, int len) {
  Complex s;
  for (int l = 0; l < len; ++l) s += row[l] * v[l];
  return s;
}

// Householder reduction of a matrix (row-major, real or complex entries) to
// Hessenberg form.
template <class T>
ResultCode Hessenberg(std::vector<T>& a, int n, Interrupt& stop) {
  std::vector<T> v(n), w(n);
  for (int k = 0; k + 2 < n; ++k) {
    if (stop.QuitOrStop()) return ResultCode::Stopped;
    const int len = n - k - 1;
    T* column = &a[static_cast<size_t>(k + 1) * n + k];  // entry (k + 1 + i, k) is column[i * n]
    Real scale = 0.0L;
    for (int i = 0; i < len; ++i) scale = std::max(scale, Size(column[static_cast<size_t>(i) * n]));
    if (scale == 0.0L) continue;
    Real sigma = 0.0L;
    for (int i = 0; i < len; ++i) {
      v[i] = Unscaled(column[static_cast<size_t>(i) * n], scale);
      sigma += Norm2(v[i]);
    }
    const Real alpha = std::sqrt(sigma);
    const T phase = Phase(v[0]);
    v[0] += alpha * phase;
    Real vv = 0.0L;
    for (int i = 0; i < len; ++i) vv += Norm2(v[i]);
    if (vv == 0.0L) continue;
    const Real beta = 2.0L / vv;
    // From the left on rows k+1..: w = beta v^H A, A -= v w.
    std::fill(w.begin() + k, w.end(), T{});
    for (int i = 0; i < len; ++i) {
      const T* row = &a[static_cast<size_t>(k + 1 + i) * n];
      const T cv = Conj(v[i]);
      for (int j = k; j < n; ++j) w[j] += cv * row[j];
    }
    for (int i = 0; i < len; ++i) {
      T* row = &a[static_cast<size_t>(k + 1 + i) * n];
      const T f = beta * v[i];
      for (int j = k; j < n; ++j) row[j] -= f * w[j];
    }
    // From the right on columns k+1..: A -= (beta A v) v^H.
    for (int i = 0; i < n; ++i) {
      T* row = &a[static_cast<size_t>(i) * n + k + 1];
      const T s = beta * RowTimes(row, v, len);
      for (int l = 0; l < len; ++l) row[l] -= s * Conj(v[l]);
    }
    column[0] = (-alpha * scale) * phase;
    for (int i = 1; i < len; ++i) column[static_cast<size_t>(i) * n] = T{};
  }
  return ResultCode::Ok;
}


// Implicit double-shift QR on a real Hessenberg matrix, eigenvalues only
// (the classic hqr: deflation by the rounding test, exceptional shifts).
// Ok, Stopped when S or Q stopped it, 101 when it did not converge.
ResultCode RealQR(std::vector<Real> a, int n, std::vector<Complex>& out, Interrupt& stop) {
  auto A = [&](int i, int j) -> Real& { return a[static_cast<size_t>(i) * n + j]; };
  Real anorm = 0.0L;
  for (int i = 0; i < n; ++i)
    for (int j = std::max(i - 1, 0); j < n; ++j) anorm += std::fabs(A(i, j));
  std::vector<Complex> found(n);
  std::vector<bool> have(n, false);
  int nn = n - 1;
  Real t = 0.0L;
  ResultCode rc = ResultCode::Ok;
  while (nn >= 0 && IsOk(rc)) {
    int its = 0, l;
    do {
      if (stop.QuitOrStop()) {
        rc = ResultCode::Stopped;
        break;
      }
      for (l = nn; l >= 1; --l) {
        Real s = std::fabs(A(l - 1, l - 1)) + std::fabs(A(l, l));
        if (s == 0.0L) s = anorm;
        if (std::fabs(A(l, l - 1)) + s == s) {
          A(l, l - 1) = 0.0L;
          break;
        }
      }
      Real x = A(nn, nn);
      if (l == nn) {
        found[nn] = Complex(x + t, 0.0L);
        have[nn] = true;
        --nn;
      } else {
        Real y = A(nn - 1, nn - 1);
        Real w = A(nn, nn - 1) * A(nn - 1, nn);
        if (l == nn - 1) {
          Real p = 0.5L * (y - x), q = p * p + w, z = std::sqrt(std::fabs(q));
          x += t;
          if (q >= 0.0L) {
            z = p + (p >= 0.0L ? z : -z);
            Real r1 = x + z, r2 = z != 0.0L ? x - w / z : x + z;
            found[nn - 1] = Complex(r1, 0.0L);
            found[nn] = Complex(r2, 0.0L);
          } else {
            found[nn - 1] = Complex(x + p, z);
            found[nn] = Complex(x + p, -z);
          }
          have[nn - 1] = have[nn] = true;
          nn -= 2;
        } else {
          if (its >= 120) {
            rc = ResultCode::CouldNotCalculate;
            break;
          }
          if (its > 0 && its % 10 == 0) {
            // Exceptional shift after ten steps without deflation.
            t += x;
            for (int i = 0; i <= nn; ++i) A(i, i) -= x;
            Real s = std::fabs(A(nn, nn - 1)) + std::fabs(A(nn - 1, nn - 2));
            y = x = 0.75L * s;
            w = -0.4375L * s * s;
          }
          ++its;
          int m;
          Real p = 0, q = 0, r = 0, z;
          for (m = nn - 2; m >= l; --m) {
            z = A(m, m);
            r = x - z;
            Real s = y - z;
            p = (r * s - w) / A(m + 1, m) + A(m, m + 1);
            q = A(m + 1, m + 1) - z - r - s;
            r = A(m + 2, m + 1);
            s = std::fabs(p) + std::fabs(q) + std::fabs(r);
            p /= s;
            q /= s;
            r /= s;
            if (m == l) break;
            Real u = std::fabs(A(m, m - 1)) * (std::fabs(q) + std::fabs(r));
            Real v = std::fabs(p) * (std::fabs(A(m - 1, m - 1)) + std::fabs(z) + std::fabs(A(m + 1, m + 1)));
            if (u + v == v) break;
          }
          for (int i = m + 2; i <= nn; ++i) {
            A(i, i - 2) = 0.0L;
            if (i != m + 2) A(i, i - 3) = 0.0L;
          }
          for (int k = m; k <= nn - 1; ++k) {
            if (k != m) {
              p = A(k, k - 1);
              q = A(k + 1, k - 1);
              r = k != nn - 1 ? A(k + 2, k - 1) : 0.0L;
              x = std::fabs(p) + std::fabs(q) + std::fabs(r);
              if (x != 0.0L) {
                p /= x;
                q /= x;
                r /= x;
              }
            }
            Real s = std::sqrt(p * p + q * q + r * r);
            if (p < 0.0L) s = -s;
            if (s == 0.0L) continue;
            if (k == m) {
              if (l != m) A(k, k - 1) = -A(k, k - 1);
            } else {
              A(k, k - 1) = -s * x;
            }
            p += s;
            x = p / s;
            y = q / s;
            z = r / s;
            q /= p;
            r /= p;
            for (int j = k; j <= nn; ++j) {
              p = A(k, j) + q * A(k + 1, j);
              if (k != nn - 1) {
                p += r * A(k + 2, j);
                A(k + 2, j) -= p * z;
              }
              A(k + 1, j) -= p * y;
              A(k, j) -= p * x;
            }
            int mmin = std::min(nn, k + 3);
            for (int i = l; i <= mmin; ++i) {
              p = x * A(i, k) + y * A(i, k + 1);
              if (k != nn - 1) {
                p += z * A(i, k + 2);
                A(i, k + 2) -= p * r;
              }
              A(i, k + 1) -= p * q;
              A(i, k) -= p;
            }
          }
        }
      }
    } while (l < nn - 1 && nn >= 0);
  }
  out.clear();
  for (int i = n - 1; i >= 0; --i)
    if (have[i]) out.push_back(found[i]);
  return rc;
}

// Implicit QL on a symmetric tridiagonal matrix (diagonal d, off-diagonal e).
// Codes as RealQR.
ResultCode SymmetricQL(std::vector<Real> d, std::vector<Real> e, std::vector<Complex>& out, Interrupt& stop) {
  const int n = static_cast<int>(d.size());
  e.resize(n, 0.0L);
  std::vector<bool> done(n, false);
  ResultCode rc = ResultCode::Ok;
  int l = 0;
  for (; l < n && IsOk(rc); ++l) {
    int iter = 0, m;
    do {
      for (m = l; m < n - 1; ++m) {
        Real dd = std::fabs(d[m]) + std::fabs(d[m + 1]);
        if (std::fabs(e[m]) + dd == dd) break;
      }
      if (m != l) {
        if (iter++ >= 60)
          rc = ResultCode::CouldNotCalculate;
        else if (stop.QuitOrStop())
          rc = ResultCode::Stopped;
        if (NotOk(rc)) break;
        Real g = (d[l + 1] - d[l]) / (2.0L * e[l]);
        Real r = std::hypot(g, 1.0L);
        g = d[m] - d[l] + e[l] / (g + (g >= 0.0L ? r : -r));
        Real s = 1.0L, c = 1.0L, p = 0.0L;
        int i;
        for (i = m - 1; i >= l; --i) {
          Real f = s * e[i], b = c * e[i];
          e[i + 1] = (r = std::hypot(f, g));
          if (r == 0.0L) {
            d[i + 1] -= p;
            e[m] = 0.0L;
            break;
          }
          s = f / r;
          c = g / r;
          g = d[i + 1] - p;
          r = (d[i] - g) * s + 2.0L * c * b;
          d[i + 1] = g + (p = s * r);
          g = c * r - b;
        }
        if (r == 0.0L && i >= l) continue;
        d[l] -= p;
        e[l] = g;
        e[m] = 0.0L;
      }
    } while (m != l);
    if (IsOk(rc)) done[l] = true;
  }
  out.clear();
  for (int i = 0; i < n; ++i)
    if (done[i]) out.push_back(Complex(d[i], 0.0L));
  return rc;
}

// Single-shift QR with Givens rotations on a complex Hessenberg matrix.
// Codes as RealQR.
ResultCode ComplexQR(std::vector<Complex> a, int n, std::vector<Complex>& out, Interrupt& stop) {
  auto A = [&](int i, int j) -> Complex& { return a[static_cast<size_t>(i) * n + j]; };
  const Real eps = 1.0842021724855044340e-19L;  // 2^-63
  out.clear();
  std::vector<Real> cs(n);
  std::vector<Complex> sn(n);
  int nn = n - 1, its = 0;
  while (nn >= 0) {
    if (stop.QuitOrStop()) return ResultCode::Stopped;
    int l = nn;
    for (; l >= 1; --l) {
      Real s = Magnitude1(A(l - 1, l - 1)) + Magnitude1(A(l, l));
      if (Magnitude1(A(l, l - 1)) <= eps * s || Magnitude1(A(l, l - 1)) + s == s) {
        A(l, l - 1) = kComplexZero;
        break;
      }
    }
    if (l == nn) {
      out.push_back(A(nn, nn));
      --nn;
      its = 0;
      continue;
    }
    if (++its > 120) return ResultCode::CouldNotCalculate;
    Complex shift;
    if (its % 10 == 0) {
      Real s = std::fabs(A(nn, nn - 1).re) + (nn >= 2 ? std::fabs(A(nn - 1, nn - 2).re) : 0.0L);
      shift = A(nn, nn) + Complex(s, 0.0L);
    } else {
      // The eigenvalue of the trailing 2x2 block nearer to its last entry.
      Complex p = 0.5L * (A(nn - 1, nn - 1) - A(nn, nn));
      Complex root = Sqrt(p * p + A(nn, nn - 1) * A(nn - 1, nn));
      Complex d1 = p + root, d2 = p - root;
      Complex d = SquaredModulus(d1) >= SquaredModulus(d2) ? d1 : d2;
      shift = SquaredModulus(d) > 0.0L ? A(nn, nn) - SmithQuotient(A(nn, nn - 1) * A(nn - 1, nn), d) : A(nn, nn);
    }
    for (int k = l; k <= nn; ++k) A(k, k) -= shift;
    for (int k = l; k < nn; ++k) {
      Complex x = A(k, k), y = A(k + 1, k);
      Real ax = Modulus(x), r = std::hypot(ax, Modulus(y));
      Real c;
      Complex s;
      if (r == 0.0L) {
        c = 1.0L;
        s = kComplexZero;
      } else if (ax == 0.0L) {
        c = 0.0L;
        s = Complex(y.re / r, -y.im / r);
      } else {
        c = ax / r;
        s = (1.0L / (ax * r)) * (x * Conjugate(y));
      }
      cs[k] = c;
      sn[k] = s;
      for (int j = k; j <= nn; ++j) {
        Complex u = A(k, j), v = A(k + 1, j);
        A(k, j) = c * u + s * v;
        A(k + 1, j) = c * v - Conjugate(s) * u;
      }
    }
    for (int k = l; k < nn; ++k) {
      const Real c = cs[k];
      const Complex s = sn[k];
      for (int i = l; i <= std::min(k + 2, nn); ++i) {
        Complex u = A(i, k), v = A(i, k + 1);
        A(i, k) = c * u + Conjugate(s) * v;
        A(i, k + 1) = c * v - s * u;
      }
    }
    for (int k = l; k <= nn; ++k) A(k, k) += shift;
  }
  return ResultCode::Ok;
}

}  // namespace

ResultCode ReduceToHessenbergForm(const ComplexMatrix& m, bool complexMatrix, HessenbergForm& out, Interrupt& stop) {
  const int n = m.rows;
  out.n = n;
  out.h = m.Entries();
  bool anyImaginary = false;
  for (Complex& x : out.h) {
    if (!complexMatrix) x.im = 0.0L;
    anyImaginary = anyImaginary || x.im != 0.0L;
  }
  out.complex = anyImaginary;
  out.symmetric = IsSymmetric(m, complexMatrix);
  if (!out.symmetric) BalanceIfWorthIt(out.h, n);
  if (!out.complex) {
    std::vector<Real> a(out.h.size());
    for (size_t i = 0; i < a.size(); ++i) a[i] = out.h[i].re;
    if (ResultCode rc = Hessenberg(a, n, stop); NotOk(rc)) return rc;
    for (size_t i = 0; i < a.size(); ++i) out.h[i] = Complex(a[i], 0.0L);
  } else if (ResultCode rc = Hessenberg(out.h, n, stop); NotOk(rc)) {
    return rc;
  }
  out.norm = FrobeniusNorm(out.h);
  return ResultCode::Ok;
}

HessenbergForm CompanionForm(const std::vector<Complex>& c, bool complexMatrix) {
  HessenbergForm f;
  const int n = static_cast<int>(c.size()) - 1;
  f.n = n;
  f.h.assign(static_cast<size_t>(n) * n, kComplexZero);
  for (int j = 0; j < n; ++j) {
    Complex v = -SmithQuotient(c[j + 1], c[0]);
    if (!complexMatrix) v.im = 0.0L;
    f.complex = f.complex || v.im != 0.0L;
    f.at(0, j) = v;
  }
  for (int i = 1; i < n; ++i) f.at(i, i - 1) = kComplexOne;
  BalanceIfWorthIt(f.h, n);
  f.norm = FrobeniusNorm(f.h);
  return f;
}

ResultCode HessenbergEigenvalues(const HessenbergForm& f, std::vector<Complex>& values, Interrupt& stop) {
  const int n = f.n;
  values.clear();
  if (n == 0) return ResultCode::Ok;
  if (f.symmetric) {
    std::vector<Real> d(n), e(n, 0.0L);
    for (int i = 0; i < n; ++i) d[i] = f.at(i, i).re;
    if (!f.complex) {
      // The reduction of a symmetric matrix is tridiagonal up to rounding.
      for (int i = 0; i + 1 < n; ++i) e[i] = 0.5L * (f.at(i + 1, i).re + f.at(i, i + 1).re);
      return SymmetricQL(d, e, values, stop);
    }
    const ResultCode rc = ComplexQR(f.h, n, values, stop);
    for (Complex& z : values) z.im = 0.0L;  // Hermitian: the eigenvalues are real
    return rc;
  }
  if (!f.complex) {
    std::vector<Real> a(f.h.size());
    for (size_t i = 0; i < a.size(); ++i) a[i] = f.h[i].re;
    return RealQR(std::move(a), n, values, stop);
  }
  return ComplexQR(f.h, n, values, stop);
}

}  // namespace tavrin
