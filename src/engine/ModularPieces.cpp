// Long computations modulo one prime split into pieces, with the stop key
// polled between them: FLINT's own calls cannot be interrupted, and on large
// matrices a single one runs for seconds.
#include <flint/nmod_vec.h>
#include <flint/ulong_extras.h>

#include <algorithm>
#include <numeric>

#include "engine/ModularTools.h"

namespace tavrin::modular {

namespace {

bool KeyStops(Interrupt& stop, bool stopKeyToo) {
  const int key = stop.Poll();
  return key == 'Q' || (stopKeyToo && key == 'S');
}

// A view of part of a matrix (rows [r1, r2), columns [c1, c2)).
class Window {
 public:
  Window(const nmod_mat_struct* m, long r1, long c1, long r2, long c2) {
    WithScratch([&] { nmod_mat_window_init(w_, m, r1, c1, r2, c2); });
  }
  ~Window() { nmod_mat_window_clear(w_); }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  nmod_mat_struct* get() { return w_; }

 private:
  nmod_mat_t w_;
};

constexpr long kBand = 192;  // columns of the trailing update between two polls

}  // namespace

ResultCode BlockedLu(nmod_mat_struct* a, std::vector<long>& perm, long block, bool& nonsingular, Interrupt& stop) {
  const long n = a->r;
  const nmod_t mod = a->mod;
  perm.resize(n);
  std::iota(perm.begin(), perm.end(), 0L);
  nonsingular = false;
  for (long k = 0; k < n; k += block) {
    if (KeyStops(stop, false)) return ResultCode::Stopped;
    const long e = std::min(n, k + block);
    // The panel (columns k..e-1): a swap moves whole rows, so the factors
    // on its left follow.
    for (long j = k; j < e; ++j) {
      if (((j - k) & 31) == 31 && KeyStops(stop, false)) return ResultCode::Stopped;
      long r = j;
      while (r < n && a->rows[r][j] == 0) ++r;
      if (r == n) return ResultCode::Ok;  // singular modulo p
      if (r != j) {
        std::swap(a->rows[r], a->rows[j]);
        std::swap(perm[r], perm[j]);
      }
      const mp_limb_t inverse = n_invmod(a->rows[j][j], mod.n);
      for (long i = j + 1; i < n; ++i) {
        mp_limb_t* row = a->rows[i];
        if (row[j] == 0) continue;
        row[j] = nmod_mul(row[j], inverse, mod);
        _nmod_vec_scalar_addmul_nmod(row + j + 1, a->rows[j] + j + 1, e - j - 1, nmod_neg(row[j], mod), mod);
      }
    }
    if (e == n) break;
    // U12 = L11^-1 A12 by forward substitution on the panel's rows.
    for (long j = k; j < e; ++j)
      for (long i = j + 1; i < e; ++i) {
        const mp_limb_t l = a->rows[i][j];
        if (l) _nmod_vec_scalar_addmul_nmod(a->rows[i] + e, a->rows[j] + e, n - e, nmod_neg(l, mod), mod);
      }
    // A22 -= L21 U12, one band of columns at a time.
    Window l21(a, e, k, n, e);
    for (long c = e; c < n; c += kBand) {
      if (KeyStops(stop, false)) return ResultCode::Stopped;
      const long ce = std::min(n, c + kBand);
      Window u12(a, k, c, e, ce), a22(a, e, c, n, ce);
      NmodMatrix product(n - e, ce - c, mod.n);
      WithScratch([&] { nmod_mat_mul(product.get(), l21.get(), u12.get()); });
      nmod_mat_sub(a22.get(), a22.get(), product.get());
    }
  }
  nonsingular = true;
  return ResultCode::Ok;
}

ResultCode HessenbergCharpoly(nmod_mat_struct* h, std::vector<mp_limb_t>& c, bool stopKeyToo, Interrupt& stop) {
  const long n = h->r;
  const nmod_t mod = h->mod;
  std::vector<mp_limb_t> u(n, 0);
  // Similarity steps: row i -= u_i row c+1 below the subdiagonal, then
  // column c+1 += sum u_i column i (the inverse step on the right).
  for (long col = 0; col + 2 < n; ++col) {
    if ((col & 3) == 0 && KeyStops(stop, stopKeyToo)) return ResultCode::Stopped;
    long r = col + 1;
    while (r < n && h->rows[r][col] == 0) ++r;
    if (r == n) continue;
    if (r != col + 1) {
      std::swap(h->rows[r], h->rows[col + 1]);
      for (long i = 0; i < n; ++i) std::swap(h->rows[i][r], h->rows[i][col + 1]);
    }
    const mp_limb_t inverse = n_invmod(h->rows[col + 1][col], mod.n);
    bool any = false;
    for (long i = col + 2; i < n; ++i) {
      mp_limb_t* row = h->rows[i];
      u[i] = nmod_mul(row[col], inverse, mod);
      if (u[i] == 0) continue;
      any = true;
      _nmod_vec_scalar_addmul_nmod(row + col, h->rows[col + 1] + col, n - col, nmod_neg(u[i], mod), mod);
    }
    if (!any) continue;
    const long len = n - col - 2;
    const int limbs = _nmod_vec_dot_bound_limbs(len, mod);
    for (long i = 0; i < n; ++i)
      h->rows[i][col + 1] = nmod_add(h->rows[i][col + 1], _nmod_vec_dot(h->rows[i] + col + 2, u.data() + col + 2, len, mod, limbs), mod);
  }
  // The polynomials of the leading m x m blocks, lowest coefficient first:
  // p_m = (x - h(m-1,m-1)) p_{m-1} - sum_i h(m-1-i,m-1) h(m-1,m-2)...h(m-i,m-i-1) p_{m-1-i}.
  std::vector<std::vector<mp_limb_t>> p(n + 1);
  p[0] = {1};
  for (long m = 1; m <= n; ++m) {
    if ((m & 7) == 0 && KeyStops(stop, stopKeyToo)) return ResultCode::Stopped;
    std::vector<mp_limb_t>& q = p[m];
    q.assign(m + 1, 0);
    for (long k = 0; k < m; ++k) q[k + 1] = p[m - 1][k];
    _nmod_vec_scalar_addmul_nmod(q.data(), p[m - 1].data(), m, nmod_neg(h->rows[m - 1][m - 1], mod), mod);
    mp_limb_t t = 1;
    for (long i = 1; i < m; ++i) {
      t = nmod_mul(t, h->rows[m - i][m - i - 1], mod);
      if (t == 0) break;
      const mp_limb_t f = nmod_mul(t, h->rows[m - 1 - i][m - 1], mod);
      if (f) _nmod_vec_scalar_addmul_nmod(q.data(), p[m - 1 - i].data(), m - i, nmod_neg(f, mod), mod);
    }
  }
  c = std::move(p[n]);
  return ResultCode::Ok;
}

}  // namespace tavrin::modular
