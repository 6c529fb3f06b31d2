#include <algorithm>
#include <array>
#include <vector>
#include <cmath>
#include <new>
#include <utility>

#include "core/GmpMemory.h"
#include "core/Thresholds.h"
#include "engine/Elimination.h"
#include "engine/Product.h"
#include "lang/Expression.h"

namespace tavrin {

namespace {

using namespace expr;

constexpr long double kTiny = 1e-16L;

bool BelowTiny(Complex a) { return std::fabs(a.re) + std::fabs(a.im) < kTiny; }

// a / b, exactly as the divisor stands: the callers refuse divisors below
// the threshold first.
Complex Quotient(Complex a, Complex b) { return tavrin::Divide(a, b); }

ComplexMatrix Identity(int n) {
  ComplexMatrix m = ComplexMatrix::Real(n, n);
  for (int i = 0; i < n; ++i) m.set(i, i, kComplexOne);
  return m;
}

IntegerMatrix IntegerIdentity(int n) {
  IntegerMatrix m(n, n);
  for (int i = 0; i < n; ++i) m.at(i, i) = BigInteger(1);
  return m;
}

ResultCode Normalise(IntegerMatrix& m) {
  ResultCode c = NormaliseRational(m.e, m.denominator);
  return IsError(c) ? ResultCode::CouldNotCalculate : c;
}

// Entries of a and b over their least common denominator.
ResultCode CommonDenominator(IntegerMatrix& a, IntegerMatrix& b, Interrupt& stop) {
  if (a.denominator == b.denominator) return ResultCode::Ok;
  BigInteger l;
  if (ResultCode c = Lcm(a.denominator, b.denominator, l, stop); NotOk(c)) return c;
  for (IntegerMatrix* m : {&a, &b}) {
    mpz_class f;
    mpz_divexact(f.get_mpz_t(), l.Value().get_mpz_t(), m->denominator.Value().get_mpz_t());
    for (BigInteger& x : m->e) x.Value() *= f;
    m->denominator = l;
    if (stop.Quit()) return ResultCode::Stopped;
  }
  return ResultCode::Ok;
}

// Bits of the largest magnitude among the entries (0 when all are 0 or 1:
// powers of them do not grow).
long double MaxBits(const IntegerMatrix& m) {
  size_t bits = 0;
  for (const BigInteger& x : m.e)
    if (mpz_cmpabs_ui(x.Value().get_mpz_t(), 1) > 0) bits = std::max(bits, mpz_sizeinbase(x.Value().get_mpz_t(), 2));
  return static_cast<long double>(bits);
}

long double Bits(const BigInteger& x) {
  return mpz_cmpabs_ui(x.Value().get_mpz_t(), 1) > 0 ? static_cast<long double>(mpz_sizeinbase(x.Value().get_mpz_t(), 2))
                                                      : 0.0L;
}

// A matrix result of more entries than any matrix may hold is refused
// before it is made.
bool TooManyEntries(long long rows, long long cols) { return rows * cols > kMaxMatrixEntries; }

ResultCode Product(const IntegerMatrix& a, const IntegerMatrix& b, IntegerMatrix& p, Interrupt& stop) {
  // Entries of the product have at most the bits of the two factors' largest
  // entries plus those of the count of terms: refuse what could not be held.
  const long double bits = MaxBits(a) + MaxBits(b) + std::log2(static_cast<long double>(a.cols) + 1.0L);
  if (!FitsGmpBudget(bits, static_cast<long double>(a.rows) * b.cols) ||
      !FitsGmpBudget(Bits(a.denominator) + Bits(b.denominator)))
    return ResultCode::LowMemory;
  p = IntegerMatrix(a.rows, b.cols);
  for (int i = 0; i < a.rows; ++i)
    for (int j = 0; j < b.cols; ++j) {
      if (stop.Quit()) return ResultCode::Stopped;
      mpz_class& s = p.at(i, j).Value();
      for (int k = 0; k < a.cols; ++k)
        mpz_addmul(s.get_mpz_t(), a.at(i, k).Value().get_mpz_t(), b.at(k, j).Value().get_mpz_t());
    }
  p.denominator = a.denominator * b.denominator;
  return Normalise(p);
}

// Every entry times num, the denominator times den.
ResultCode Scale(IntegerMatrix& m, const BigInteger& num, const BigInteger& den, Interrupt& stop) {
  for (BigInteger& x : m.e) x.Value() *= num.Value();
  if (stop.Quit()) return ResultCode::Stopped;
  m.denominator *= den;
  return Normalise(m);
}

bool Overflows(const ComplexMatrix& m) {
  const long double bound = OverflowBound();
  for (size_t k = 0; k < m.size(); ++k) {
    const Complex x = m.entry(k);
    if (std::fabs(x.re) + std::fabs(x.im) > bound) return true;
  }
  return false;
}

// -0 parts become +0, as a product with the identity leaves them; every
// other value stays as it is.
void PositiveZeros(ComplexMatrix& m) {
  if (m.realLayout()) {
    for (long double& x : m.realParts()) x += 0.0L;
    return;
  }
  for (Complex& x : m.e()) {
    x.re += 0.0L;
    x.im += 0.0L;
  }
}

// A value while the tree is evaluated: a letter's matrix is read where the
// lookup keeps it (z or q point there) and copied only when a value is to
// be changed; otherwise the value owns its matrix.
struct Value : ExprValue {
  const ComplexMatrix* z = nullptr;
  const IntegerMatrix* q = nullptr;
};

const ComplexMatrix& Z(const Value& x) { return x.z ? *x.z : x.matrix; }
const IntegerMatrix& Q(const Value& x) { return x.q ? *x.q : x.integerMatrix; }
ComplexMatrix& OwnZ(Value& x) {
  if (x.z) x.matrix = *std::exchange(x.z, nullptr);
  return x.matrix;
}
IntegerMatrix& OwnQ(Value& x) {
  if (x.q) x.integerMatrix = *std::exchange(x.q, nullptr);
  return x.integerMatrix;
}

class Evaluator {
 public:
  Evaluator(const ExprTree& tree, Mode mode, const MatrixLookup& lookup, Interrupt& stop)
      : tree_(tree), integer_(mode == Mode::Integer), lookup_(lookup), stop_(stop) {}

  // Post-order with an explicit stack: left child, right child, then the
  // node; the first code other than 0 stops everything.
  ResultCode Eval(int root, ExprValue& out) {
    struct Frame {
      int node;
      int stage;  // 0: left next, 1: right next, 2: apply
    };
    CountReads(root);
    std::vector<Frame> stack{{root, 0}};
    std::vector<Value> done;
    const int size = static_cast<int>(tree_.nodes.size());
    while (!stack.empty()) {
      Frame& f = stack.back();
      if (f.node < 0 || f.node >= size) return ResultCode::InconsistentData;
      const ExprNode& node = tree_.nodes[f.node];
      if (f.stage == 0) {
        f.stage = 1;
        if (node.left >= 0) {
          stack.push_back({node.left, 0});
          continue;
        }
      }
      if (f.stage == 1) {
        f.stage = 2;
        if (node.right >= 0) {
          stack.push_back({node.right, 0});
          continue;
        }
      }
      Value l, r, v;
      if (node.right >= 0) {
        r = std::move(done.back());
        done.pop_back();
      }
      if (node.left >= 0) {
        l = std::move(done.back());
        done.pop_back();
      }
      if (ResultCode c = Apply(node, l, r, v); NotOk(c)) return c;
      done.push_back(std::move(v));
      stack.pop_back();
    }
    // What is handed out owns its matrix.
    Value& result = done.back();
    if (result.isMatrix) {
      if (integer_) OwnQ(result);
      else OwnZ(result);
    }
    out = std::move(static_cast<ExprValue&>(result));
    return ResultCode::Ok;
  }

 private:
  // How often the walk from root reads each letter.
  void CountReads(int root) {
    reads_.fill(0);
    const int size = static_cast<int>(tree_.nodes.size());
    std::vector<int> pending{root};
    while (!pending.empty()) {
      const int n = pending.back();
      pending.pop_back();
      if (n < 0 || n >= size) continue;
      const ExprNode& node = tree_.nodes[n];
      if (node.code >= 'A' && node.code <= 'Z') ++reads_[node.code - 'A'];
      if (node.left >= 0) pending.push_back(node.left);
      if (node.right >= 0) pending.push_back(node.right);
    }
  }

  ResultCode Apply(const ExprNode& node, Value& l, Value& r, Value& v) {
    const int op = node.code;
    if (op == kNumber) {
      v = Value{};
      v.scalar = node.constant;
      v.fraction = node.fraction;
      return ResultCode::Ok;
    }
    if (op >= 'A' && op <= 'Z') return Letter(static_cast<char>(op), v);
    if ((op == '+' || op == '-') && node.left >= 0) return AddSub(l, r, op == '-', v);
    if (op == '*') return Multiply(l, r, v);
    if (op == '/') return Divide(l, r, v);
    if (op == '^') return Power(l, r, v);
    if (op == kBar) return Juxtapose(l, r, v);
    if (op == kTranspose) return TransposeOf(r, v);
    if (op == kUnaryMinus) {
      Value minusOne;
      minusOne.scalar = Complex(-1.0L, 0.0L);
      minusOne.fraction = Fraction{BigInteger(-1), BigInteger(1)};
      return Multiply(minusOne, r, v);
    }
    return ResultCode::InconsistentData;
  }

  // A letter read once takes the lookup's own copy when it offers one (the
  // work may then change it in place); otherwise the letter's matrix is read
  // where the lookup keeps it.
  ResultCode Letter(char letter, Value& v) {
    v = Value{};
    v.isMatrix = true;
    if (integer_) {
      v.q = lookup_.integerMatrix ? lookup_.integerMatrix(letter) : nullptr;
      return v.q ? ResultCode::Ok : ResultCode::CouldNotFind;
    }
    if (reads_[letter - 'A'] == 1 && lookup_.takeComplexMatrix && lookup_.takeComplexMatrix(letter, v.matrix))
      return ResultCode::Ok;
    v.z = lookup_.complexMatrix ? lookup_.complexMatrix(letter) : nullptr;
    return v.z ? ResultCode::Ok : ResultCode::CouldNotFind;
  }

  int Rows(const Value& x) const { return integer_ ? Q(x).rows : Z(x).rows; }
  int Cols(const Value& x) const { return integer_ ? Q(x).cols : Z(x).cols; }

  ResultCode AddSub(Value& l, Value& r, bool subtract, Value& v) {
    v = Value{};
    if (!l.isMatrix && !r.isMatrix) {
      if (integer_) {
        ResultCode c = subtract ? Subtract(l.fraction, r.fraction, v.fraction)
                                : Add(l.fraction, r.fraction, v.fraction);
        return IsError(c) ? ResultCode::CouldNotCalculate : c;
      }
      v.scalar = subtract ? l.scalar - r.scalar : l.scalar + r.scalar;
      return ResultCode::Ok;
    }
    if (!l.isMatrix || !r.isMatrix || Rows(l) != Rows(r) || Cols(l) != Cols(r))
      return ResultCode::Incompatible;
    v.isMatrix = true;
    if (integer_) {
      if (Q(l).denominator != Q(r).denominator) {
        OwnQ(r);
        if (ResultCode c = CommonDenominator(OwnQ(l), r.integerMatrix, stop_); NotOk(c)) return c;
      }
      v.integerMatrix = std::move(OwnQ(l));
      auto& e = v.integerMatrix.e;
      const auto& f = Q(r).e;
      for (size_t i = 0; i < e.size(); ++i) {
        if (subtract) e[i] -= f[i];
        else e[i] += f[i];
      }
      return Normalise(v.integerMatrix);
    }
    v.matrix = std::move(OwnZ(l));
    const ComplexMatrix& f = Z(r);
    for (size_t i = 0; i < v.matrix.size(); ++i)
      v.matrix.set(i, subtract ? v.matrix.entry(i) - f.entry(i) : v.matrix.entry(i) + f.entry(i));
    return ResultCode::Ok;
  }

  ResultCode Multiply(Value& l, Value& r, Value& v) {
    v = Value{};
    if (!l.isMatrix && !r.isMatrix) {
      if (integer_) {
        ResultCode c = tavrin::Multiply(l.fraction, r.fraction, v.fraction);
        return IsError(c) ? ResultCode::CouldNotCalculate : c;
      }
      v.scalar = l.scalar * r.scalar;
      return ResultCode::Ok;
    }
    v.isMatrix = true;
    if (!l.isMatrix || !r.isMatrix) {
      Value& s = l.isMatrix ? r : l;
      Value& m = l.isMatrix ? l : r;
      if (integer_) {
        v.integerMatrix = std::move(OwnQ(m));
        return Scale(v.integerMatrix, s.fraction.num, s.fraction.den, stop_);
      }
      v.matrix = std::move(OwnZ(m));
      for (size_t i = 0; i < v.matrix.size(); ++i) {
        const Complex x = v.matrix.entry(i);
        v.matrix.set(i, l.isMatrix ? x * s.scalar : s.scalar * x);
      }
      return ResultCode::Ok;
    }
    if (Cols(l) != Rows(r)) return ResultCode::Incompatible;
    if (TooManyEntries(Rows(l), Cols(r))) return ResultCode::OutOfBounds;
    if (integer_) return Product(Q(l), Q(r), v.integerMatrix, stop_);
    return MatrixProduct(Z(l), Z(r), v.matrix, stop_);
  }

  // The inverse of m, which is given up: a matrix of its own becomes the
  // inverse in place.
  ResultCode Inverse(Value& m, Value& inv) {
    inv = Value{};
    inv.isMatrix = true;
    if (integer_) {
      Fraction det;
      ResultCode c = IntegerInverse(Q(m), det, &inv.integerMatrix, stop_);
      return c;
    }
    Complex det;
    if (m.z) return DeterminantAndInverse(*m.z, det, &inv.matrix, stop_);
    inv.matrix = std::move(m.matrix);
    return InvertInPlace(inv.matrix, det, stop_);
  }

  ResultCode Divide(Value& l, Value& r, Value& v) {
    v = Value{};
    if (!r.isMatrix) {
      if (integer_ ? r.fraction.num.IsZero() : BelowTiny(r.scalar)) return ResultCode::CouldNotCalculate;
      if (!l.isMatrix) {
        if (integer_) {
          ResultCode c = tavrin::Divide(l.fraction, r.fraction, v.fraction);
          return IsError(c) ? ResultCode::CouldNotCalculate : c;
        }
        v.scalar = Quotient(l.scalar, r.scalar);
        return ResultCode::Ok;
      }
      v.isMatrix = true;
      if (integer_) {
        v.integerMatrix = std::move(OwnQ(l));
        return Scale(v.integerMatrix, r.fraction.den, r.fraction.num, stop_);
      }
      Complex reciprocal = Quotient(kComplexOne, r.scalar);
      v.matrix = std::move(OwnZ(l));
      for (size_t i = 0; i < v.matrix.size(); ++i) v.matrix.set(i, v.matrix.entry(i) * reciprocal);
      return ResultCode::Ok;
    }
    const int n = Rows(r);
    if (Cols(r) != n || (l.isMatrix && Cols(l) != n)) return ResultCode::Incompatible;
    Value inv;
    if (ResultCode c = Inverse(r, inv); NotOk(c)) return c;
    return Multiply(l, inv, v);
  }

  ResultCode Power(Value& l, Value& r, Value& v) {
    v = Value{};
    if (!l.isMatrix || r.isMatrix || Rows(l) != Cols(l)) return ResultCode::Incompatible;
    long k = 0;
    if (integer_) {
      // A fraction such as 1/2 is no integer exponent (it used to be read
      // as its numerator, so A^(1/2) gave A).
      Fraction e = r.fraction;
      if (NotOk(Reduce(e)) || !(e.den.IsOne() || (-e.den).IsOne())) return ResultCode::IntegerExpected;
      if ((-e.den).IsOne()) e.num = -e.num;
      int32_t k32 = 0;
      if (!e.num.ToInt32(k32)) return ResultCode::OutOfBounds;
      k = k32;
    } else {
      k = NearestInteger(r.scalar.re);
      if (std::fabs(static_cast<long double>(k) - r.scalar.re) > kTiny) return ResultCode::IntegerExpected;
    }
    const int n = Rows(l);
    v.isMatrix = true;
    Value base;
    if (k < 0) {
      if (ResultCode c = Inverse(l, base); NotOk(c)) return c;
      k = -k;
    } else {
      base = std::move(l);
    }
    if (integer_) {
      // A 1x1 power has exactly k times the bits of its entry: one that
      // could not be held is refused before the first product.
      const long double kk = static_cast<long double>(k);
      if (n == 1 && (!FitsGmpBudget(kk * MaxBits(Q(base))) ||
                     !FitsGmpBudget(kk * Bits(Q(base).denominator))))
        return ResultCode::LowMemory;
      IntegerMatrix result = IntegerIdentity(n), t;
      while (k > 0) {
        if (k & 1) {
          if (ResultCode c = Product(result, Q(base), t, stop_); NotOk(c)) return c;
          result = std::move(t);
        }
        k /= 2;
        if (k > 0) {
          if (ResultCode c = Product(Q(base), Q(base), t, stop_); NotOk(c)) return c;
          base.integerMatrix = std::move(t);
          base.q = nullptr;
        }
      }
      v.integerMatrix = std::move(result);
      return ResultCode::Ok;
    }
    // The first factor is the base itself rather than its product with the
    // identity, which would change nothing but the sign of zeros.
    if (k == 0) {
      v.matrix = Identity(n);
      return ResultCode::Ok;
    }
    ComplexMatrix result;
    bool first = true;
    while (k > 0) {
      if (k & 1) {
        if (first) {
          if (k == 1) result = std::move(OwnZ(base));
          else result = Z(base);
          PositiveZeros(result);
          first = false;
        } else if (ResultCode c = MatrixProduct(result, Z(base), result, stop_); NotOk(c)) {
          return c;
        }
        if (Overflows(result)) return ResultCode::TooLarge;
      }
      k /= 2;
      if (k > 0) {
        if (ResultCode c = MatrixProduct(Z(base), Z(base), base.matrix, stop_); NotOk(c)) return c;
        base.z = nullptr;
        if (Overflows(base.matrix)) return ResultCode::TooLarge;
      }
    }
    v.matrix = std::move(result);
    return ResultCode::Ok;
  }

  ResultCode Juxtapose(Value& l, Value& r, Value& v) {
    v = Value{};
    if (!l.isMatrix || !r.isMatrix || Rows(l) != Rows(r)) return ResultCode::Incompatible;
    v.isMatrix = true;
    const int rows = Rows(l), c1 = Cols(l), c2 = Cols(r);
    if (TooManyEntries(rows, static_cast<long long>(c1) + c2)) return ResultCode::OutOfBounds;
    if (integer_) {
      if (Q(l).denominator != Q(r).denominator) {
        OwnQ(r);
        if (ResultCode c = CommonDenominator(OwnQ(l), r.integerMatrix, stop_); NotOk(c)) return c;
      }
      // Entries of a value's own matrix move; a letter's are copied.
      auto take = [](Value& x, int i, int j) -> BigInteger {
        if (x.q) return x.q->at(i, j);
        return std::move(x.integerMatrix.at(i, j));
      };
      IntegerMatrix& m = v.integerMatrix;
      m = IntegerMatrix(rows, c1 + c2);
      for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < c1; ++j) m.at(i, j) = take(l, i, j);
        for (int j = 0; j < c2; ++j) m.at(i, c1 + j) = take(r, i, j);
      }
      m.denominator = Q(l).denominator;
      return Normalise(m);
    }
    const ComplexMatrix &a = Z(l), &b = Z(r);
    ComplexMatrix& m = v.matrix;
    m = ComplexMatrix::Real(rows, c1 + c2);
    for (int i = 0; i < rows; ++i) {
      for (int j = 0; j < c1; ++j) m.set(i, j, a.at(i, j));
      for (int j = 0; j < c2; ++j) m.set(i, c1 + j, b.at(i, j));
    }
    return ResultCode::Ok;
  }

  ResultCode TransposeOf(Value& r, Value& v) {
    v = Value{};
    // A number has no transpose.
    if (!r.isMatrix) return ResultCode::Incompatible;
    v.isMatrix = true;
    if (integer_) v.integerMatrix = Transpose(Q(r));
    else v.matrix = Transpose(Z(r));
    return ResultCode::Ok;
  }

  const ExprTree& tree_;
  bool integer_;
  const MatrixLookup& lookup_;
  Interrupt& stop_;
  std::array<int, 26> reads_{};
};

// "I" is the imaginary unit in single values.
void ImaginaryUnit(ExprTree& tree) {
  for (ExprNode& n : tree.nodes)
    if (n.code == 'I') {
      n.code = kNumber;
      n.constant = Complex(0.0L, 1.0L);
    }
}

bool Exponential(Complex z, Complex& out) {
  if (std::fabs(z.re) + std::fabs(z.im) > OverflowBound() || z.re >= 5000.0L) return false;
  if (z.re <= -5000.0L) {
    out = kComplexZero;
    return true;
  }
  long double m = std::exp(z.re);
  out = Complex(m * std::cos(z.im), m * std::sin(z.im));
  return true;
}

bool ScalarNode(const WindowVariables& vars, const ExprNode& node, Complex a, Complex b, Complex& out) {
  switch (node.code) {
    case kNumber:
      out = node.constant;
      return true;
    case 'Z':
      out = vars[26];
      return true;
    case '+':
      out = a + b;
      return true;
    case '-':
      out = a - b;
      return true;
    case '*':
      out = a * b;
      return true;
    case kUnaryMinus:
      out = Complex(0.0L - b.re, 0.0L - b.im);
      return true;
    case '/':
      if (BelowTiny(b)) return false;
      out = Quotient(a, b);
      return true;
    case '^': {
      long double m2 = a.re * a.re + a.im * a.im;
      if (m2 < kTiny) return false;
      Complex log{0.5L * std::log(m2), std::atan2(a.im, a.re)};
      return Exponential(b * log, out);
    }
    default:  // other letters, transpose and the bar have no scalar value
      out = kComplexZero;
      return true;
  }
}

// The same post-order walk as the matrix evaluator, on scalars.
bool ScalarTree(const WindowVariables& vars, const ExprTree& tree, int root, Complex& out) {
  out = kComplexZero;
  const int size = static_cast<int>(tree.nodes.size());
  std::vector<std::pair<int, int>> stack{{root, 0}};
  std::vector<Complex> done;
  while (!stack.empty()) {
    auto& [n, stage] = stack.back();
    if (n < 0 || n >= size) return false;
    const ExprNode& node = tree.nodes[n];
    if (stage == 0) {
      stage = 1;
      if (node.left >= 0) {
        stack.push_back({node.left, 0});
        continue;
      }
    }
    if (stage == 1) {
      stage = 2;
      if (node.right >= 0) {
        stack.push_back({node.right, 0});
        continue;
      }
    }
    Complex a, b, v;
    if (node.right >= 0) {
      b = done.back();
      done.pop_back();
    }
    if (node.left >= 0) {
      a = done.back();
      done.pop_back();
    }
    if (!ScalarNode(vars, node, a, b, v)) return false;
    done.push_back(v);
    stack.pop_back();
  }
  out = done.back();
  return true;
}

}  // namespace

ResultCode EvaluateExpression(const ExprTree& tree, Mode mode, const MatrixLookup& lookup,
                              ExprValue& out, Interrupt& stop) {
  out = ExprValue{};
  if (tree.root < 0) return ResultCode::NothingToDo;
  try {
    Evaluator e(tree, mode, lookup, stop);
    ResultCode c = e.Eval(tree.root, out);
    if (NotOk(c)) out = ExprValue{};
    return c;
  } catch (const std::bad_alloc&) {
    out = ExprValue{};
    return ResultCode::LowMemory;
  } catch (const std::length_error&) {
    out = ExprValue{};
    return ResultCode::LowMemory;
  }
}

ResultCode CalculateExpression(std::string_view text, Mode mode, const MatrixLookup& lookup,
                               ExprValue& out, Interrupt& stop) {
  out = ExprValue{};
  ExprTree tree;
  if (ResultCode c = ParseExpression(text, mode == Mode::Integer, tree); NotOk(c)) return c;
  if (ResultCode c = EvaluateExpression(tree, mode, lookup, out, stop); NotOk(c)) return c;
  if (!out.isMatrix) return ResultCode::NotAMatrix;
  return ResultCode::Ok;
}

ResultCode EvaluateScalarText(std::string_view text, Mode mode, const MatrixLookup& lookup,
                              Complex& out, Interrupt& stop) {
  out = kComplexZero;
  ExprTree tree;
  if (ResultCode c = ParseExpression(text, false, tree); NotOk(c)) return c;
  ImaginaryUnit(tree);
  ExprValue v;
  if (mode == Mode::Integer) mode = Mode::Complex;
  if (ResultCode c = EvaluateExpression(tree, mode, lookup, v, stop); NotOk(c)) return c;
  if (!v.isMatrix) out = v.scalar;
  return ResultCode::Ok;
}

bool EvaluateScalarTree(const WindowVariables& variables, const ExprTree& tree, int node,
                        Complex& out) {
  return ScalarTree(variables, tree, node, out);
}

}  // namespace tavrin
