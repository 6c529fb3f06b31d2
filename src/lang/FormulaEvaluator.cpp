#include <cmath>
#include <numeric>

#include "core/Thresholds.h"
#include "lang/FormulaEngine.h"
#include "lang/FormulaFunctions.h"

namespace tavrin {

namespace {

using namespace formula;

// One step of a loop (SUM, PROD, ITER, BINOM). The keyboard is polled now
// and then: Q or S stops the evaluation, other keys are ignored.
bool Tick(FormulaEngine& e) {
  if (++e.work % FormulaEngine::kPollInterval == 0) {
    int key = e.stop().Poll();
    if (key == 'Q' || key == 'S') e.status = ResultCode::Stopped;
  }
  return IsOk(e.status);
}

bool UseComplex(const FormulaEngine& e, Complex a, Complex b = {}) {
  return e.complexSwitch() && (a.im != 0 || b.im != 0);
}

int JoinVariable(int code) {
  switch (code) {
    case fcode::kJoinX: return 'X';
    case fcode::kJoinT: return 'T';
    case fcode::kJoinR: return 'R';
    default: return 'U';
  }
}

bool SumOrProduct(FormulaEngine& e, FormulaNode* n) {
  const bool sum = n->code == fcode::kSum;
  n->value = sum ? kComplexZero : kComplexOne;
  FormulaNode* index = n->left.get();
  FormulaNode* range = n->right.get();
  if (!index || index->code != fcode::kSumIndex || !index->left || !index->right || !range ||
      range->code != fcode::kSumRange || !range->left || !range->right)
    return false;
  const int var = index->right->code;
  if (var < fcode::kFirstVariable || var > fcode::kLastVariable) return false;
  long a, b;
  if (!IntegerArgument(range->left->value, a) || !IntegerArgument(range->right->value, b)) return false;
  FormulaNode* term = index->left.get();
  Complex acc = n->value;
  for (long long k = a; k <= b; ++k) {
    if (!Tick(e)) return false;
    e.variable(var) = Complex(static_cast<long double>(k));
    if (!EvaluateFormula(e, term, e.stop(), e.random())) return false;
    if (sum) acc += term->value;
    else if (!CheckedProduct(acc, term->value, UseComplex(e, acc, term->value), acc)) return false;
  }
  n->value = acc;
  e.seam = false;
  return true;
}

bool Iterate(FormulaEngine& e, FormulaNode* n) {
  FormulaNode* f = n->right.get();
  if (!f) return false;
  const Complex saved = e.variable('X');
  Complex last = f->value;
  bool ok = true;
  for (int32_t made = 1; made < n->count; ++made) {
    if (!Tick(e)) { ok = false; break; }
    e.variable('X') = last;
    if (!EvaluateFormula(e, f, e.stop(), e.random())) { ok = false; break; }
    last = f->value;
  }
  e.variable('X') = saved;
  n->value = last;
  return ok;
}

bool Binomial(FormulaEngine& e, Complex n, Complex kv, Complex& out) {
  out = kComplexOne;
  long k;
  if (!IntegerArgument(kv, k)) return false;
  const bool complex = UseComplex(e, n);
  if (!complex) n.im = 0;
  Complex v = kComplexOne;
  for (long i = 0; i < k; ++i) {
    if (!Tick(e)) return false;
    const long double d = static_cast<long double>(k - i);
    v = (n - Complex(static_cast<long double>(i))) * v;
    v = Complex(v.re / d, v.im / d);
    if (!(Magnitude1(v) <= OverflowBound())) return false;
    if (v.re == 0 && v.im == 0) break;  // every later factor keeps it 0
  }
  out = v;
  return true;
}

bool Root(Complex nv, Complex x, bool complex, Complex& out) {
  out = kComplexZero;
  long n;
  if (!IntegerArgument(nv, n) || n == 0) return false;
  if (!complex) {
    x.im = 0;
    if (n % 2 == 0 && x.re < 0) return false;
    if (std::fabs(x.re) < 1e-16L) return n > 0;
    out = Complex((x.re < 0 ? -1.0L : 1.0L) * std::exp(std::log(std::fabs(x.re)) / n));
    return std::isfinite(out.re);
  }
  if (Magnitude1(x) < 1e-16L) return n > 0;
  return Power(x, Complex(1.0L / n), true, out);
}

bool Modulo(FormulaEngine& e, Complex a, Complex b, Complex& out) {
  out = kComplexZero;
  const bool complex = UseComplex(e, a, b);
  const long double m = complex ? std::hypot(b.re, b.im) : std::fabs(b.re);
  static const long double tiny = std::exp(-5000.0L);
  if (!(m >= tiny)) return false;
  auto part = [&](long double x) {
    long double r = x - m * std::floor(x / m);
    if (r < FormulaEngine::kSeamTolerance || m - r < FormulaEngine::kSeamTolerance) e.seam = true;
    return r;
  };
  out = Complex(part(a.re), complex ? part(a.im) : 0.0L);
  return std::isfinite(out.re) && std::isfinite(out.im);
}

bool Gcd(FormulaEngine& e, Complex a, Complex b, Complex& out) {
  out = kComplexZero;
  if (UseComplex(e, a, b)) return false;
  if (!(std::fabs(a.re) < 2147483647.0L) || !(std::fabs(b.re) < 2147483647.0L)) return false;
  for (long double x : {a.re, b.re}) {
    long double f = std::fabs(x) - std::floor(std::fabs(x));
    if (std::fabs(f - 0.5L) < FormulaEngine::kSeamTolerance) e.seam = true;
  }
  long p = std::labs(NearestInteger(a.re)), q = std::labs(NearestInteger(b.re));
  while (q != 0) {
    long r = p % q;
    p = q;
    q = r;
  }
  out = Complex(static_cast<long double>(p));
  return true;
}

bool Apply(FormulaEngine& e, FormulaNode* n, bool leftOk, bool thirdOk, bool rightOk) {
  using namespace fcode;
  const int code = n->code;
  if (code >= kJoinX && code <= kJoinU) {
    if (!n->third || !thirdOk) return false;
    const long double a = n->third->value.re, v = e.variable(JoinVariable(code)).re;
    if (std::fabs(v - a) < FormulaEngine::kSeamTolerance) e.seam = true;
    FormulaNode* pick = a <= v ? n->right.get() : n->left.get();
    if (!pick || !(a <= v ? rightOk : leftOk)) return false;
    n->value = pick->value;
    return true;
  }
  if (!rightOk || !leftOk) return false;
  if (code >= kFirstVariable && code <= kLastVariable) {
    n->value = e.variable(code);
    return true;
  }
  const Complex x = n->right ? n->right->value : kComplexZero;
  const Complex l = n->left ? n->left->value : kComplexZero;
  Complex& out = n->value;
  switch (code) {
    case '+': out = l + x; return true;
    case '-': out = l - x; return true;
    case '*': return CheckedProduct(l, x, UseComplex(e, l, x), out);
    case '/': return CheckedQuotient(l, x, UseComplex(e, l, x), out);
    case '^': return Power(l, x, UseComplex(e, l, x), out);
    case kPow: {
      long k;
      if (!IntegerArgument(l, k)) return false;
      return IntegerPower(x, k, UseComplex(e, x), out);
    }
    case kRoot: return Root(l, x, UseComplex(e, x), out);
    case kBinom: return Binomial(e, l, x, out);
    case kFact: {
      if (!(std::hypot(x.re, x.im) <= 32767.0L)) return false;
      if (UseComplex(e, x)) return GammaComplex(x + kComplexOne, out);
      long double g;
      if (!Gamma(x.re + 1.0L, FormulaEngine::kSeamTolerance, g, e.seam)) return false;
      out = Complex(g);
      return true;
    }
    case kAbs2:
      if (UseComplex(e, l, x)) {
        out = Complex(std::sqrt(l.re * l.re + l.im * l.im + x.re * x.re + x.im * x.im));
      } else {
        out = Complex(std::sqrt(l.re * l.re + x.re * x.re));
      }
      return std::isfinite(out.re);
    case kArg2: {
      if (UseComplex(e, l, x)) {
        Complex z = l + Complex(-x.im, x.re);  // l + i x
        out = Complex(std::atan2(z.im, z.re));
      } else {
        out = Complex(std::atan2(x.re, l.re));
      }
      return true;
    }
    case kMax: case kMin: {
      const bool larger = l.re > x.re;
      const Complex& pick = (code == kMax) == larger ? l : x;
      out = e.complexSwitch() ? pick : Complex(pick.re);
      return true;
    }
    case kMod: return Modulo(e, l, x, out);
    case kGcd: return Gcd(e, l, x, out);
    case kRand: {
      long double s = 2.0L * e.random().Range(0.0L, 1.0L) - 1.0L;
      out = e.complexSwitch() ? Complex(x.re * s, x.im * s) : Complex(x.re * s);
      return true;
    }
    case kSum: case kProd: return SumOrProduct(e, n);
    case kIter: return Iterate(e, n);
  }
  if (FormulaClasses::In(Classes().oneArgument, code))
  {
    // CIS makes a complex value from a real one when the switch is on.
    const bool complex = UseComplex(e, x) || (code == fcode::kCis && e.complexSwitch());
    return OneArgument(code, x, complex, FormulaEngine::kSeamTolerance, out, e.seam);
  }
  // the vertical bar outside a join, the bounds of SUM and PROD and any
  // other code: 0
  out = kComplexZero;
  return true;
}

}  // namespace

bool EvaluateFormula(FormulaEngine& e, FormulaNode* n, Interrupt& stop, RandomGenerator& random) {
  if (!n) return true;
  FormulaEngine::Bind bind(e, stop, random);
  if (n->code == fcode::kNumber || n->code == fcode::kSumIndex) return n->ok = true;
  if (NotOk(e.status)) return n->ok = false;
  n->value = kComplexZero;
  const bool leftOk = EvaluateFormula(e, n->left.get(), stop, random);
  const bool thirdOk = EvaluateFormula(e, n->third.get(), stop, random);
  const bool rightOk = EvaluateFormula(e, n->right.get(), stop, random);
  n->ok = Apply(e, n, leftOk, thirdOk, rightOk);
  return n->ok;
}

}  // namespace tavrin
