#include "lang/EntryText.h"

#include <cctype>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/CLocale.h"
#include "core/Thresholds.h"
#include "lang/Expression.h"
#include "lang/FormulaEngine.h"
#include "lang/FormulaFunctions.h"

namespace tavrin {

namespace {

using Node = std::unique_ptr<FormulaNode>;

struct Token {
  enum Kind { kNumber, kFunction, kOperator, kEnd } kind = kEnd;
  Complex value;         // numbers and named constants
  bool literal = false;  // typed digits (two in a row are refused)
  int code = 0;          // function code, or the operator character
};

constexpr long double kPi = 3.141592653589793238462643383279502884L;
// Nesting the parser follows (about three steps per parenthesis): deep
// enough for any typed text, shallow enough for the stack.
constexpr int kMaxDepth = 4000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }

// Functions whose arguments are plain values; SUM, PROD, ITER and the joins
// need index variables, which an entry text does not have.
bool AcceptedFunction(int code) {
  using namespace fcode;
  if (code == kSum || code == kProd || code == kIter || (code >= kJoinX && code <= kJoinU)) return false;
  const FormulaClasses& c = Classes();
  return FormulaClasses::In(c.oneArgument, code) || FormulaClasses::In(c.twoArgument, code) ||
         FormulaClasses::In(c.list, code);
}

bool NamedConstant(int code, Complex& value) {
  switch (code) {
    case fcode::kPi: value = Complex(kPi); return true;
    case fcode::kPhi: value = Complex((std::sqrt(5.0L) + 1.0L) / 2.0L); return true;
    case fcode::kDeg: value = Complex(kPi / 180.0L); return true;
    case fcode::kPinf: value = Complex(OverflowBound()); return true;
    case fcode::kNinf: value = Complex(-OverflowBound()); return true;
    default: return false;
  }
}

// A decimal number with an optional exponent, starting at text[k]; false
// for a malformed one ("0.1.2", ".") or one beyond the range of long double
// (a value below the smallest one reads as zero, the nearest value there is).
bool ReadNumber(const std::string& text, size_t& k, long double& value) {
  const size_t start = k;
  size_t digits = 0;
  auto run = [&] {
    for (; k < text.size() && IsDigit(text[k]); ++k) ++digits;
  };
  run();
  if (k < text.size() && text[k] == '.') {
    ++k;
    run();
  }
  if (digits == 0) return false;
  if (k < text.size() && text[k] == 'E') {
    size_t e = k + 1;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    if (e < text.size() && IsDigit(text[e])) {
      k = e;
      while (k < text.size() && IsDigit(text[k])) ++k;
    }
  }
  if (k < text.size() && (text[k] == '.' || IsDigit(text[k]))) return false;
  const std::string number = text.substr(start, k - start);
  char* end = nullptr;
  value = StrToLongDoubleC(number.c_str(), &end);
  return end == number.c_str() + number.size() && std::isfinite(value);
}

bool Tokenize(std::string_view typed, const KeywordTable& keywords, std::vector<Token>& out) {
  std::string text;
  for (char c : typed) {
    if (static_cast<unsigned char>(c) == 253) {  // a typed superscript two
      text += "^2";
    } else {
      text += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
  }
  size_t k = 0;
  while (k < text.size()) {
    const char c = text[k];
    Token t;
    if (c == ' ' || c == '\t') {
      ++k;
      continue;
    }
    if (IsDigit(c) || c == '.') {
      t.kind = Token::kNumber;
      t.literal = true;
      long double v = 0;
      if (!ReadNumber(text, k, v)) return false;
      t.value = Complex(v);
    } else if (IsLetter(c)) {
      const size_t start = k;
      while (k < text.size() && IsLetter(text[k])) ++k;
      const std::string word = text.substr(start, k - start);
      const int code = keywords.Lookup(word, true);
      t.kind = Token::kNumber;
      if (word == "I") {
        t.value = Complex(0.0L, 1.0L);
      } else if (!NamedConstant(code, t.value)) {
        if (code == 0 || !AcceptedFunction(code)) return false;  // a letter is not a number
        t.kind = Token::kFunction;
        t.code = code;
      }
    } else {
      static const std::string operators = "+-*/^,!()[]{}";
      if (operators.find(c) == std::string::npos) return false;
      t.kind = Token::kOperator;
      t.code = c == '[' || c == '{' ? '(' : c == ']' || c == '}' ? ')' : c;
      ++k;
    }
    if (t.literal && !out.empty() && out.back().literal) return false;  // "2 3"
    out.push_back(t);
  }
  out.push_back(Token{});
  return true;
}

// Negation never makes a -0 that would show as "-0.00000".
Complex Negated(Complex x) { return Complex(x.re == 0 ? 0.0L : -x.re, x.im == 0 ? 0.0L : -x.im); }

Node Leaf(Complex v) { return std::make_unique<FormulaNode>(fcode::kNumber, v); }

Node Binary(int code, Node left, Node right) {
  Node n = std::make_unique<FormulaNode>(code);
  n->left = std::move(left);
  n->right = std::move(right);
  return n;
}

Node Unary(int code, Node operand) { return Binary(code, nullptr, std::move(operand)); }

// Recursive descent over the tokens, building the formula evaluator's tree:
//   sum     := product (("+" | "-") product)*
//   product := signed (("*" | "/") signed | power)*     (a juxtaposed power multiplies)
//   signed  := ("-" | "+") signed | power
//   power   := postfix ("^" signed)?
//   postfix := primary "!"*
//   primary := number | "(" sum ")" | function "(" sum ("," sum)* ")" | function signed power*
class Parser {
 public:
  explicit Parser(const std::vector<Token>& t) : t_(t) {}

  Node Whole() {
    Node n = Sum();
    return n && Peek().kind == Token::kEnd ? std::move(n) : nullptr;
  }

 private:
  const Token& Peek() const { return t_[k_]; }
  bool IsOp(int c) const { return Peek().kind == Token::kOperator && Peek().code == c; }
  bool StartsOperand() const {
    return Peek().kind == Token::kNumber || Peek().kind == Token::kFunction || IsOp('(');
  }

  Node Sum() {
    if (++depth_ > kMaxDepth) return nullptr;
    Node n = Product();
    while (n && (IsOp('+') || IsOp('-'))) {
      const int op = t_[k_++].code;
      Node r = Product();
      n = r ? Binary(op, std::move(n), std::move(r)) : nullptr;
    }
    --depth_;
    return n;
  }

  Node Product() {
    Node n = Signed();
    while (n) {
      if (IsOp('*') || IsOp('/')) {
        const int op = t_[k_++].code;
        Node r = Signed();
        n = r ? Binary(op, std::move(n), std::move(r)) : nullptr;
      } else if (StartsOperand()) {
        Node r = Power();
        n = r ? Binary('*', std::move(n), std::move(r)) : nullptr;
      } else {
        break;
      }
    }
    return n;
  }

  // The argument of a function written without parentheses takes the
  // implicit products that follow: "sin 30deg" is sin(30 deg).
  Node Juxtaposed() {
    Node n = Signed();
    while (n && Peek().kind != Token::kFunction && StartsOperand()) {
      Node r = Power();
      n = r ? Binary('*', std::move(n), std::move(r)) : nullptr;
    }
    return n;
  }

  Node Signed() {
    if (++depth_ > kMaxDepth) return nullptr;
    Node n;
    if (IsOp('-') || IsOp('+')) {
      const bool minus = t_[k_++].code == '-';
      Node operand = Signed();
      if (operand && minus && operand->code == fcode::kNumber)
        operand->value = Negated(operand->value);
      else if (operand && minus)
        operand = Unary(fcode::kNegate, std::move(operand));
      n = std::move(operand);
    } else {
      n = Power();
    }
    --depth_;
    return n;
  }

  Node Power() {
    Node base = Postfix();
    if (!base || !IsOp('^')) return base;
    ++k_;
    Node exponent = Signed();
    return exponent ? Binary('^', std::move(base), std::move(exponent)) : nullptr;
  }

  Node Postfix() {
    Node n = Primary();
    while (n && IsOp('!')) {
      ++k_;
      n = Unary(fcode::kFact, std::move(n));
    }
    return n;
  }

  Node Primary() {
    if (++depth_ > kMaxDepth) return nullptr;
    Node n;
    const Token& t = Peek();
    if (t.kind == Token::kNumber) {
      ++k_;
      n = Leaf(t.value);
    } else if (IsOp('(')) {
      ++k_;
      n = Sum();
      if (n && IsOp(')'))
        ++k_;
      else
        n = nullptr;
    } else if (t.kind == Token::kFunction) {
      ++k_;
      n = IsOp('(') ? Call(t.code) : OneArgument(t.code, Juxtaposed());
    }
    --depth_;
    return n;
  }

  static Node OneArgument(int code, Node argument) {
    if (!argument || !FormulaClasses::In(Classes().oneArgument, code)) return nullptr;
    return Unary(code, std::move(argument));
  }

  Node Call(int code) {
    ++k_;  // "("
    std::vector<Node> args;
    for (;;) {
      Node a = Sum();
      if (!a) return nullptr;
      args.push_back(std::move(a));
      if (!IsOp(',')) break;
      ++k_;
    }
    if (!IsOp(')')) return nullptr;
    ++k_;
    if (args.size() == 1) return OneArgument(code, std::move(args[0]));
    // ABS, ARG and LOG with two arguments are other functions.
    if (code == fcode::kAbs) code = fcode::kAbs2;
    if (code == fcode::kArg) code = fcode::kArg2;
    if (code == fcode::kLog) code = fcode::kLog2;
    const FormulaClasses& c = Classes();
    const bool two = FormulaClasses::In(c.twoArgument, code), list = FormulaClasses::In(c.list, code);
    if (!(two && args.size() == 2) && !list) return nullptr;
    if (code == fcode::kLog2)  // log(b, x) is ln x / ln b
      return Binary('/', Unary(fcode::kLn, std::move(args[1])), Unary(fcode::kLn, std::move(args[0])));
    Node n = std::move(args[0]);
    for (size_t i = 1; i < args.size(); ++i) n = Binary(code, std::move(n), std::move(args[i]));
    return n;
  }

  const std::vector<Token>& t_;
  size_t k_ = 0;
  int depth_ = 0;
};

// Arithmetic as the matrix expression language does it for one value (a
// divisor below 1e-16 fails, a^b is the principal complex power, exact for
// integer exponents); the functions are the formula library's, applied to
// their evaluated arguments.
bool Evaluate(FormulaEngine& engine, FormulaNode* n, Interrupt& stop, RandomGenerator& random) {
  if (n->code == fcode::kNumber) return true;
  if ((n->left && !Evaluate(engine, n->left.get(), stop, random)) ||
      (n->right && !Evaluate(engine, n->right.get(), stop, random)))
    return false;
  const Complex a = n->left ? n->left->value : kComplexZero;
  const Complex b = n->right ? n->right->value : kComplexZero;
  switch (n->code) {
    case '+': n->value = a + b; return true;
    case '-': n->value = a - b; return true;
    case '*': n->value = a * b; return true;
    case fcode::kNegate: n->value = Negated(b); return true;
    case '/': {
      if (std::fabs(b.re) + std::fabs(b.im) < 1e-16L) return false;
      const long double q = 1.0L / (b.re * b.re + b.im * b.im);
      n->value = Complex(q * (b.re * a.re + b.im * a.im), q * (b.re * a.im - b.im * a.re));
      return true;
    }
    case '^': return formula::Power(a, b, true, n->value);
    default: {
      // The function alone: its arguments become the constants they are.
      if (n->left) n->left = Leaf(a);
      if (n->right) n->right = Leaf(b);
      return EvaluateFormula(engine, n, stop, random);
    }
  }
}

}  // namespace

ResultCode EvaluateEntryText(const WindowVariables&, std::string_view text, Complex& out, Interrupt& stop,
                             RandomGenerator& random) {
  out = kComplexZero;
  FormulaEngine engine;
  engine.SetComplexSwitch(true);
  std::vector<Token> tokens;
  if (!Tokenize(text, engine.keywords(), tokens)) return ResultCode::CouldNotCalculate;
  Node root = Parser(tokens).Whole();
  if (!root || !Evaluate(engine, root.get(), stop, random)) return ResultCode::CouldNotCalculate;
  const Complex v = root->value;
  if (!std::isfinite(v.re) || !std::isfinite(v.im)) return ResultCode::CouldNotCalculate;
  out = v;
  return ResultCode::Ok;
}

ResultCode ReadIntegerEntryText(std::string_view text, BigInteger& out) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  size_t k = 0;
  while (k < text.size() && blank(text[k])) ++k;
  size_t end = text.size();
  while (end > k && blank(text[end - 1])) --end;
  bool negative = false;
  for (; k < end && (text[k] == '-' || blank(text[k])); ++k)
    if (text[k] == '-') negative = !negative;
  if (k == end) return ResultCode::CouldNotFind;
  std::string digits;
  auto run = [&] {
    const size_t start = k;
    while (k < end && IsDigit(text[k])) digits += text[k++];
    return k - start;
  };
  if (run() == 0) return ResultCode::IntegerExpected;
  // Groups of three after a separator: "1,234,567", "1 000 000".
  while (k < end && (text[k] == ',' || text[k] == '\'' || text[k] == '_' || text[k] == ' ')) {
    ++k;
    if (run() != 3) return ResultCode::IntegerExpected;
  }
  size_t zeros = 0;
  if (k < end && (text[k] == 'e' || text[k] == 'E')) {
    ++k;
    if (k < end && text[k] == '+') ++k;
    const size_t start = k;
    while (k < end && IsDigit(text[k]) && k - start < 6) zeros = zeros * 10 + static_cast<size_t>(text[k++] - '0');
    if (k == start) return ResultCode::IntegerExpected;
    if (zeros > 9999 || (k < end && IsDigit(text[k]))) return ResultCode::OutOfBounds;
  }
  if (k != end) return ResultCode::IntegerExpected;
  digits.append(zeros, '0');
  mpz_class v(digits, 10);
  if (negative) v = -v;
  out = BigInteger(std::move(v));
  return ResultCode::Ok;
}

}  // namespace tavrin
