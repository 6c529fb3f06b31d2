#include "engine/RootFinder.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <complex>
#include <functional>
#include <numeric>

#include "engine/CharacteristicPolynomial.h"
#include "engine/ExactSquareFree.h"
#include "engine/ShiftedHessenberg.h"

namespace tavrin {

namespace {

using Real = long double;
using Poly = std::vector<Complex>;

constexpr Real kUnit = 5.421010862427522170e-20L;  // 2^-64, the rounding unit

// The first k Taylor coefficients p^(j)(z) / j! of p at z, by repeated
// synthetic division; T is Complex, or long double for sizes.
template <typename T>
std::vector<T> Taylor(std::vector<T> a, T z, int k) {
  std::vector<T> t;
  for (int m = static_cast<int>(a.size()) - 1; static_cast<int>(t.size()) < k && m >= 0; --m) {
    for (int i = 1; i <= m; ++i) a[i] = a[i] + z * a[i - 1];
    t.push_back(a[m]);
  }
  return t;
}

// What the polynomial says about the roots: its coefficients and, for
// each, a bound on its error together with the rounding of an evaluation.
struct PolynomialView {
  Poly c;
  std::vector<Real> size;  // error bound per coefficient

  PolynomialView(const Poly& coefficients, const std::vector<Real>& error) : c(coefficients) {
    const Real gamma = 4.0L * static_cast<Real>(c.size()) * kUnit;
    size.resize(c.size());
    for (size_t i = 0; i < c.size(); ++i) size[i] = gamma * Modulus(c[i]) + (i < error.size() ? error[i] : 0.0L);
  }

  // False when some Taylor coefficient of order below k at z is clearly not
  // zero, so that z cannot be a root of multiplicity k.
  bool AllowsMultipleRoot(Complex z, int k) const {
    if (c.empty()) return true;
    std::vector<Complex> t = Taylor(c, z, k);
    std::vector<Real> bound = Taylor(size, Modulus(z), k);
    for (size_t j = 0; j < t.size(); ++j)
      if (Modulus(t[j]) > 4.0L * bound[j]) return false;
    return true;
  }

  // Newton's method on the polynomial from z while the steps shrink; the
  // radius within which the polynomial places the root comes back in `radius`.
  Complex Newton(Complex z, Real& radius) const {
    radius = INFINITY;
    if (c.size() < 2) return z;
    Real last = INFINITY;
    for (int i = 0; i < 10; ++i) {
      std::vector<Complex> t = Taylor(c, z, 2);
      if (t[1] == kComplexZero) break;
      Complex step = SmithQuotient(t[0], t[1]);
      Real s = Modulus(step);
      if (!(s < last) || !std::isfinite(s)) break;
      last = s;
      z -= step;
      if (s <= 2.0L * kUnit * Modulus(z)) break;
    }
    std::vector<Complex> t = Taylor(c, z, 2);
    std::vector<Real> b = Taylor(size, Modulus(z), 1);
    Real d = Modulus(t[1]);
    if (d > 0.0L) radius = (Modulus(t[0]) + 4.0L * b[0]) / d;
    return z;
  }
};

struct Group {
  std::vector<int> members;
  Complex value;
};

// Splits the eigenvalues of `members` into groups that may be one root:
// a group is accepted when H - cI is within rounding of singular at its
// mean c and the polynomial allows a root of that multiplicity at c;
// otherwise it is cut at the longest edge of its minimum spanning tree.
void SplitIntoGroups(const HessenbergForm& f, const PolynomialView& poly, const std::vector<Complex>& values,
                     std::vector<int> members, Real eps, std::vector<Group>& out) {
  const int k = static_cast<int>(members.size());
  Complex mean;
  for (int i : members) mean += values[i];
  mean = (1.0L / k) * mean;
  if (k == 1) {
    out.push_back({members, values[members[0]]});
    return;
  }
  if (poly.AllowsMultipleRoot(mean, k) && ShiftedHessenberg(f, mean).SmallestSingularValue() <= eps) {
    // A part within both the group's spread and the reach of rounding is
    // not known, not even its sign: it is shown as zero, not as "-0.000".
    Real spread = 0.0L;
    for (int i : members) spread = std::max(spread, Modulus(values[i] - mean));
    const Real unknown = std::min(spread, eps);
    if (std::fabs(mean.re) <= unknown) mean.re = 0.0L;
    if (std::fabs(mean.im) <= unknown) mean.im = 0.0L;
    out.push_back({members, mean});
    return;
  }
  // Prim's tree; remove its longest edge.
  std::vector<Real> dist(k, INFINITY);
  std::vector<int> parent(k, -1);
  std::vector<bool> in(k, false);
  dist[0] = 0.0L;
  for (int step = 0; step < k; ++step) {
    int best = -1;
    for (int i = 0; i < k; ++i)
      if (!in[i] && (best < 0 || dist[i] < dist[best])) best = i;
    in[best] = true;
    for (int i = 0; i < k; ++i) {
      Real d = Modulus(values[members[i]] - values[members[best]]);
      if (!in[i] && d < dist[i]) {
        dist[i] = d;
        parent[i] = best;
      }
    }
  }
  int cut = 1;
  for (int i = 1; i < k; ++i)
    if (dist[i] > dist[cut]) cut = i;
  // The side of the cut: every vertex whose path to the root passes `cut`.
  std::vector<int> side(k, -1);
  side[0] = 0;
  side[cut] = 1;
  std::function<int(int)> sideOf = [&](int i) -> int {
    if (side[i] < 0) side[i] = sideOf(parent[i]);
    return side[i];
  };
  std::vector<int> a, b;
  for (int i = 0; i < k; ++i) (sideOf(i) == 0 ? a : b).push_back(members[i]);
  SplitIntoGroups(f, poly, values, a, eps, out);
  SplitIntoGroups(f, poly, values, b, eps, out);
}

bool SameValues(std::vector<Complex> a, std::vector<Complex> b) {
  auto less = [](Complex x, Complex y) { return x.re < y.re || (x.re == y.re && x.im < y.im); };
  std::sort(a.begin(), a.end(), less);
  std::sort(b.begin(), b.end(), less);
  return a == b;
}

// A real matrix: a group closed under conjugation has a real value, and the
// group mirroring another gets its exact conjugate. Groups without a mirror
// image fall apart into their (exactly paired) eigenvalues.
void MakeConjugateSymmetric(const std::vector<Complex>& values, std::vector<Group>& groups) {
  std::vector<int> groupOf(values.size(), -1);
  for (size_t g = 0; g < groups.size(); ++g)
    for (int i : groups[g].members) groupOf[i] = static_cast<int>(g);
  std::vector<Group> out;
  std::vector<bool> done(groups.size(), false);
  for (size_t g = 0; g < groups.size(); ++g) {
    if (done[g]) continue;
    Group& G = groups[g];
    std::vector<Complex> mine, mirrored;
    for (int i : G.members) {
      mine.push_back(values[i]);
      mirrored.push_back(Conjugate(values[i]));
    }
    done[g] = true;
    if (G.members.size() == 1 && values[G.members[0]].im == 0.0L) {
      out.push_back(G);
      continue;
    }
    if (SameValues(mine, mirrored)) {
      G.value.im = 0.0L;
      out.push_back(G);
      continue;
    }
    // The group holding the conjugate of the first member.
    int other = -1;
    for (size_t i = 0; i < values.size(); ++i)
      if (values[i] == mirrored[0] && groupOf[i] != static_cast<int>(g) && !done[groupOf[i]]) other = groupOf[i];
    if (other >= 0) {
      std::vector<Complex> theirs;
      for (int i : groups[other].members) theirs.push_back(values[i]);
      if (SameValues(theirs, mirrored)) {
        done[other] = true;
        Group upper = G.value.im >= 0.0L ? G : groups[other];
        Group lower = G.value.im >= 0.0L ? groups[other] : G;
        lower.value = Conjugate(upper.value);
        out.push_back(upper);
        out.push_back(lower);
        continue;
      }
      done[other] = true;
      for (int i : groups[other].members) out.push_back({{i}, values[i]});
    }
    for (int i : G.members) out.push_back({{i}, values[i]});
  }
  groups = std::move(out);
}

// True when the eigenvalues of a group lie closer together than the last
// place shown: they agree to the displayed places.
bool AgreeWhenShown(const std::vector<Complex>& members, int places) {
  const Real half = 0.5L * std::pow(10.0L, -static_cast<Real>(places));
  for (const Complex& z : members)
    for (const Complex& w : members)
      if (Modulus(z - w) > half) return false;
  return true;
}

// A group that differs at the places shown is a multiple root only if the
// stored matrix can have one; when its polynomial is proven square-free the
// group's eigenvalues are listed one by one.
void SeparateVisiblyDistinct(const ComplexMatrix& m, int places, RootList& roots) {
  bool visible = false;
  for (size_t r = 0; r < roots.roots.size(); ++r)
    visible = visible || (roots.multiplicities[r] > 1 && !AgreeWhenShown(roots.eigenvalues[r], places));
  if (!visible || !StoredPolynomialIsSquareFree(m)) return;
  RootList out;
  for (size_t r = 0; r < roots.roots.size(); ++r) {
    if (roots.multiplicities[r] == 1 || AgreeWhenShown(roots.eigenvalues[r], places)) {
      out.roots.push_back(roots.roots[r]);
      out.multiplicities.push_back(roots.multiplicities[r]);
      out.eigenvalues.push_back(roots.eigenvalues[r]);
      continue;
    }
    for (const Complex& z : roots.eigenvalues[r]) {
      out.roots.push_back(z);
      out.multiplicities.push_back(1);
      out.eigenvalues.push_back({z});
    }
  }
  std::vector<size_t> order(out.roots.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return out.roots[a].re > out.roots[b].re || (out.roots[a].re == out.roots[b].re && out.roots[a].im > out.roots[b].im);
  });
  roots.roots.clear();
  roots.multiplicities.clear();
  roots.eigenvalues.clear();
  for (size_t i : order) {
    roots.roots.push_back(out.roots[i]);
    roots.multiplicities.push_back(out.multiplicities[i]);
    roots.eigenvalues.push_back(out.eigenvalues[i]);
  }
}

}  // namespace

Complex EvaluatePolynomial(const std::vector<Complex>& c, Complex z) {
  Complex v = kComplexZero;
  for (const Complex& x : c) v = x + z * v;
  return v;
}

ResultCode RootsOfForm(const HessenbergForm& f, const std::vector<Complex>& c, const std::vector<long double>& cError,
                       bool complexMatrix, RootList& out, Interrupt& stop) {
  out = RootList{};
  std::vector<Complex> values;
  // A search that did not converge also lists what it found, as a stopped one.
  bool stopped = NotOk(HessenbergEigenvalues(f, values, stop));
  const int m = static_cast<int>(values.size());
  const bool realMatrix = !complexMatrix || !f.complex;
  const PolynomialView poly(c, cError);
  // What rounding in the reduction and the iteration may do to the matrix.
  // (A zero matrix has the scale 1: its eigenvalues are exact.)
  const Real eps = 10.0L * f.n * kUnit * (f.norm > 0.0L ? f.norm : 1.0L);

  // Condition numbers: how far rounding can move each eigenvalue. First a
  // bound from the eigenvalues alone: for a simple eigenvalue the condition
  // number is |adj(zI - H)| / |p'(z)|, the first at most the product of the
  // n - 1 largest singular values of zI - H, which the mean of their squares
  // bounds, the second the product of the distances to the other
  // eigenvalues. Only where that leaves a neighbour within reach is the
  // condition number worked out from the eigenvectors.
  std::vector<Real> cond(m, 1.0L);
  std::vector<bool> exact(m, f.symmetric);
  if (!f.symmetric && !stopped && m > 1) {
    Complex trace;
    for (int i = 0; i < f.n; ++i) trace += f.at(i, i);
    const Real norm2 = f.norm * f.norm;
    for (int i = 0; i < m; ++i) {
      const Complex z = values[i];
      Real shifted = norm2 - 2.0L * (z.re * trace.re + z.im * trace.im) + f.n * (z.re * z.re + z.im * z.im);
      Real logBound = 0.5L * (f.n - 1) * std::log(std::max(shifted, LDBL_MIN) / (f.n - 1));
      for (int j = 0; j < m && std::isfinite(logBound); ++j)
        if (j != i) logBound -= 0.5L * std::log(std::norm(std::complex<Real>(values[j].re - z.re, values[j].im - z.im)));
      cond[i] = logBound < 11000.0L ? std::exp(logBound) : INFINITY;
      if (!(cond[i] >= 1.0L)) cond[i] = 1.0L;
    }
  }
  auto reach = [&](int i, int j) { return 10.0L * eps * (cond[i] + cond[j]); };
  auto sharpen = [&](int i) {
    if (exact[i]) return;
    exact[i] = true;
    cond[i] = ShiftedHessenberg::QuickEigenvalueCondition(f, values[i]);
    // The conjugate of an eigenvalue of a real matrix is as well conditioned.
    if (realMatrix && values[i].im != 0.0L)
      for (int k : {i - 1, i + 1})
        if (k >= 0 && k < m && values[k] == Conjugate(values[i])) {
          cond[k] = cond[i];
          exact[k] = true;
        }
  };

  // Eigenvalues within reach of each other form the candidate clusters.
  std::vector<int> root(m);
  std::iota(root.begin(), root.end(), 0);
  std::function<int(int)> find = [&](int i) { return root[i] == i ? i : root[i] = find(root[i]); };
  for (int i = 0; i < m; ++i)
    for (int j = i + 1; j < m; ++j) {
      const Real d = Modulus(values[i] - values[j]);
      if (d > reach(i, j)) continue;
      if (stop.QuitOrStop()) stopped = true;
      if (stopped) break;
      sharpen(i);
      sharpen(j);
      if (d <= reach(i, j)) root[find(i)] = find(j);
    }
  std::vector<std::vector<int>> clusters(m);
  for (int i = 0; i < m; ++i) clusters[find(i)].push_back(i);
  std::vector<Group> groups;
  for (auto& cluster : clusters)
    if (!cluster.empty()) SplitIntoGroups(f, poly, values, cluster, eps, groups);
  if (realMatrix) MakeConjugateSymmetric(values, groups);

  // A simple root moves to the polynomial's root nearby when the polynomial
  // places it more sharply than the matrix does.
  if (!c.empty() && !stopped) {
    for (size_t g = 0; g < groups.size(); ++g) {
      Group& G = groups[g];
      if (G.members.size() != 1) continue;
      const int i = G.members[0];
      if (realMatrix && G.value.im < 0.0L) continue;  // follows its conjugate below
      Real radius;
      Complex z = poly.Newton(G.value, radius);
      if (realMatrix && G.value.im == 0.0L) z.im = 0.0L;
      const Real reach = std::max(eps * cond[i], 4.0L * kUnit * Modulus(G.value));
      if (radius < reach && Modulus(z - G.value) <= 2.0L * reach + radius) {
        if (realMatrix && G.value.im > 0.0L)
          for (Group& H : groups)
            if (H.members.size() == 1 && H.value == Conjugate(G.value)) {
              H.value = Conjugate(z);
              break;
            }
        G.value = z;
      }
    }
  }

  std::sort(groups.begin(), groups.end(), [](const Group& a, const Group& b) {
    return a.value.re > b.value.re || (a.value.re == b.value.re && a.value.im > b.value.im);
  });
  for (const Group& G : groups) {
    out.roots.push_back(G.value);
    out.multiplicities.push_back(static_cast<int32_t>(G.members.size()));
    std::vector<Complex> behind;
    for (int i : G.members) behind.push_back(values[i]);
    out.eigenvalues.push_back(std::move(behind));
  }
  return stopped ? ResultCode::Stopped : ResultCode::Ok;
}

ResultCode MatrixPolynomialAndRoots(const ComplexMatrix& m, bool complexMatrix, std::vector<Complex>& c,
                                    RootList& roots, Interrupt& stop, int places) {
  c.clear();
  roots = RootList{};
  if (m.rows != m.cols || m.rows == 0) return ResultCode::Incompatible;
  HessenbergForm f;
  std::vector<long double> error;
  if (NotOk(ReduceToHessenbergForm(m, complexMatrix, f, stop)) ||
      NotOk(HessenbergPolynomial(f, c, &error, stop))) {
    c.clear();
    return ResultCode::Stopped;
  }
  const ResultCode rc = RootsOfForm(f, c, error, complexMatrix, roots, stop);
  if (places >= 0 && !f.complex) SeparateVisiblyDistinct(m, places, roots);
  return rc;
}

ResultCode FindRoots(const std::vector<Complex>& c, bool complexMatrix, RootList& out, Interrupt& stop, long double) {
  out = RootList{};
  const int n = static_cast<int>(c.size()) - 1;
  if (n < 1 || std::fabs(c[0].re) + std::fabs(c[0].im) < 1e-16L) return ResultCode::Ok;
  return RootsOfForm(CompanionForm(c, complexMatrix), c, {}, complexMatrix, out, stop);
}

}  // namespace tavrin
