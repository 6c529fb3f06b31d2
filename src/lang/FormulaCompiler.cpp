#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

#include "core/Thresholds.h"
#include "lang/FormulaEngine.h"

namespace tavrin {

namespace {

using Text = std::vector<int>;
using Node = std::unique_ptr<FormulaNode>;

// Typed bytes above 127 would read as keyword codes; they become codes no
// class admits, so the tokenizer refuses them.
constexpr int kForeign = 256;
// SUM and PROD already rewritten (so the scan does not take them again).
constexpr int kDoneSum = 300;
constexpr int kDoneProd = 301;
constexpr size_t kWorkBuffer = 5000;
constexpr size_t kLongestKeyword = 10;

const FormulaClasses& C() { return Classes(); }
bool Is(const std::array<bool, 256>& cls, int c) { return FormulaClasses::In(cls, c); }
bool IsLetter(int c) { return Is(C().letter, c); }
bool IsVariable(int c) { return c >= fcode::kFirstVariable && c <= fcode::kLastVariable; }
bool IsOperand(int c) { return c == fcode::kNumber || IsVariable(c); }
bool IsMultiArgument(int c) { return Is(C().twoArgument, c) || Is(C().list, c); }

// Index of the ")" closing the "(" at open, or -1.
long MatchClose(const Text& t, size_t open) {
  int depth = 0;
  for (size_t q = open; q < t.size(); ++q) {
    if (t[q] == '(') ++depth;
    if (t[q] == ')' && --depth == 0) return static_cast<long>(q);
  }
  return -1;
}

// Whether the parenthesised list starting at open has a comma at its own
// depth with something before it.
bool HasSecondArgument(const Text& t, size_t open) {
  if (open >= t.size() || t[open] != '(') return false;
  int depth = 0;
  for (size_t q = open; q < t.size(); ++q) {
    if (t[q] == '(') ++depth;
    else if (t[q] == ')') { if (--depth == 0) return false; }
    else if (t[q] == ',' && depth == 1 && q > open + 1) return true;
  }
  return false;
}

Text ReplaceKeywords(const Text& t, const FormulaEngine& engine) {
  Text out;
  out.reserve(t.size() * 2);
  size_t p = 0;
  std::string word;
  while (p < t.size()) {
    if (!IsLetter(t[p])) { out.push_back(t[p++]); continue; }
    size_t end = p;
    while (end < t.size() && IsLetter(t[end])) ++end;
    for (size_t s = p; s < end; ++s) {
      int code = 0;
      if (end - s <= kLongestKeyword) {
        word.assign(t.begin() + s, t.begin() + end);
        code = engine.keywords().Lookup(word, engine.complexSwitch());
      }
      if (code == fcode::kAbs || code == fcode::kLog || code == fcode::kArg) {
        if (HasSecondArgument(t, end))
          code = code == fcode::kAbs ? fcode::kAbs2 : code == fcode::kLog ? fcode::kLog2 : fcode::kArg2;
        else if (code == fcode::kArg && !engine.complexSwitch())
          code = 0;
      }
      if (code != 0) { out.push_back(code); break; }
      out.push_back(t[s]);
      if (end - s > 1) out.push_back('*');
    }
    p = end;
  }
  return out;
}

// First comma at the list's own depth in [from, to), or -1.
long OwnComma(const Text& t, size_t from, size_t to) {
  int depth = 0;
  for (size_t q = from; q < to; ++q) {
    if (t[q] == '(') ++depth;
    else if (t[q] == ')') --depth;
    else if (t[q] == ',' && depth == 0) return static_cast<long>(q);
  }
  return -1;
}

// SUM(t,K,a,b) -> ((t<220>K)SUM(a<221>b)), likewise PROD.
ResultCode RewriteSums(Text& t) {
  for (int pass = 0; pass < 2; ++pass) {
    const int code = pass == 0 ? fcode::kSum : fcode::kProd;
    const int done = pass == 0 ? kDoneSum : kDoneProd;
    size_t p = 0;
    while (p < t.size()) {
      if (t[p] != code) { ++p; continue; }
      if (p + 1 >= t.size() || t[p + 1] != '(') return ResultCode::CannotUnderstand;
      long close = MatchClose(t, p + 1);
      if (close < 0) return ResultCode::CannotUnderstand;
      const size_t in = p + 2, c = static_cast<size_t>(close);
      long c1 = OwnComma(t, in, c);
      if (c1 <= static_cast<long>(in)) return ResultCode::CannotUnderstand;
      size_t index = static_cast<size_t>(c1) + 1;
      if (index + 1 >= c || t[index] == '(' || t[index] == ')' || t[index] == ',' ||
          t[index + 1] != ',')
        return ResultCode::CannotUnderstand;
      size_t c2 = index + 1;
      long c3 = OwnComma(t, c2 + 1, c);
      if (c3 < 0 || static_cast<size_t>(c3) == c2 + 1 || static_cast<size_t>(c3) + 1 >= c)
        return ResultCode::CannotUnderstand;
      Text r{'(', '('};
      r.insert(r.end(), t.begin() + in, t.begin() + c1);
      r.push_back(fcode::kSumIndex);
      r.push_back(t[index]);
      r.push_back(')');
      r.push_back(done);
      r.push_back('(');
      r.insert(r.end(), t.begin() + c2 + 1, t.begin() + c3);
      r.push_back(fcode::kSumRange);
      r.insert(r.end(), t.begin() + c3 + 1, t.begin() + c);
      r.push_back(')');
      r.push_back(')');
      t.erase(t.begin() + p, t.begin() + c + 1);
      t.insert(t.begin() + p, r.begin(), r.end());
      // the term may hold further occurrences: scan it too
    }
  }
  for (int& c : t) c = c == kDoneSum ? fcode::kSum : c == kDoneProd ? fcode::kProd : c;
  return ResultCode::Ok;
}

// pi to the full 64-bit mantissa (C90FDAA22168C235 hex), not the double value.
long double PiConstant() { return 3.141592653589793238462643383279502884L; }

FormulaToken MakeToken(int c, Complex v = {}) {
  FormulaToken tok;
  tok.code = static_cast<int16_t>(c);
  tok.value = v;
  return tok;
}

long double ConvertNumber(const Text& t, size_t from, size_t to) {
  std::string s;
  bool dot = false;
  for (size_t q = from; q < to; ++q) {
    if (t[q] == '.') {
      if (dot) break;  // the conversion stops at a second point
      dot = true;
    }
    s.push_back(static_cast<char>(t[q]));
  }
  long double v = 0.0L;
  auto r = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::fixed);
  if (r.ec == std::errc::result_out_of_range) {
    // beyond the extended range: infinity, or 0 for a tiny fraction
    bool whole = false;
    for (char ch : s) {
      if (ch == '.') break;
      whole = whole || (ch >= '1' && ch <= '9');
    }
    return whole ? HUGE_VALL : 0.0L;
  }
  return r.ec == std::errc() ? v : 0.0L;
}

// Steps 8-11: the token list.
ResultCode Tokenize(const Text& t, std::vector<FormulaToken>& tokens) {
  tokens.clear();
  for (int c : t)
    if (!Is(C().permitted, c)) return ResultCode::CannotUnderstand;
  if (t.empty()) return ResultCode::NothingToDo;
  for (size_t p = 0; p < t.size();) {
    int c = t[p];
    if ((c >= '0' && c <= '9') || c == '.') {
      size_t e = p;
      while (e < t.size() && ((t[e] >= '0' && t[e] <= '9') || t[e] == '.')) ++e;
      tokens.push_back(MakeToken(fcode::kNumber, Complex(ConvertNumber(t, p, e))));
      p = e;
      continue;
    }
    switch (c) {
      case fcode::kPi: tokens.push_back(MakeToken(fcode::kNumber, PiConstant())); break;
      case fcode::kPhi: tokens.push_back(MakeToken(fcode::kNumber, (std::sqrt(5.0L) + 1.0L) / 2.0L)); break;
      case fcode::kDeg: tokens.push_back(MakeToken(fcode::kNumber, PiConstant() / 180.0L)); break;
      case fcode::kPinf: tokens.push_back(MakeToken(fcode::kNumber, OverflowBound())); break;
      case fcode::kNinf: tokens.push_back(MakeToken(fcode::kNumber, -OverflowBound())); break;
      default: tokens.push_back(MakeToken(c)); break;
    }
    ++p;
  }
  // Postfix factorial, in one pass: facts[k] counts the FACT codes that go
  // before out[k]; match[k] is the "(" of the ")" at k.
  std::vector<FormulaToken> out;
  std::vector<int> facts;
  std::vector<long> match, opens;
  out.reserve(tokens.size() * 2);
  auto push = [&](FormulaToken tok, int fact) {
    long m = -1;
    if (tok.code == '(') opens.push_back(static_cast<long>(out.size()));
    if (tok.code == ')' && !opens.empty()) {
      m = opens.back();
      opens.pop_back();
    }
    out.push_back(std::move(tok));
    facts.push_back(fact);
    match.push_back(m);
  };
  for (FormulaToken& tok : tokens) {
    if (tok.code != '!') {
      push(std::move(tok), 0);
      continue;
    }
    if (out.empty()) return ResultCode::CannotUnderstand;
    if (out.back().code == ')') {
      if (match.back() < 0) return ResultCode::CannotUnderstand;
      ++facts[match.back()];
      continue;
    }
    FormulaToken x = std::move(out.back());
    const int before = facts.back();
    if (x.code == '(') opens.pop_back();
    out.pop_back();
    facts.pop_back();
    match.pop_back();
    push(MakeToken('('), before + 1);
    push(std::move(x), 0);
    push(MakeToken(')'), 0);
  }
  tokens.clear();
  for (size_t k = 0; k < out.size(); ++k) {
    for (int f = 0; f < facts[k]; ++f) tokens.push_back(MakeToken(fcode::kFact));
    tokens.push_back(std::move(out[k]));
  }
  return tokens.empty() ? ResultCode::NothingToDo : ResultCode::Ok;
}

// Step 13: commas turn the function before their group into an infix operator.
ResultCode ResolveArguments(std::vector<FormulaToken>& tokens) {
  std::vector<long> opens;  // the "(" of every group still open
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].code == '(') opens.push_back(static_cast<long>(i));
    if (tokens[i].code == ')' && !opens.empty()) opens.pop_back();
    if (tokens[i].code != ',') continue;
    long open = opens.empty() ? -1 : opens.back();
    if (open <= 0) return ResultCode::CannotUnderstand;
    FormulaToken& f = tokens[open - 1];
    if (f.fromComma || !IsMultiArgument(f.code)) return ResultCode::CannotUnderstand;
    tokens[i].code = f.code;
    tokens[i].fromComma = true;
    ++f.argumentCount;
  }
  for (const FormulaToken& tok : tokens)
    if (!tok.fromComma && Is(C().twoArgument, tok.code) && tok.argumentCount > 1)
      return ResultCode::CouldNotCalculate;
  std::erase_if(tokens, [](const FormulaToken& tok) {
    return !tok.fromComma && IsMultiArgument(tok.code) && tok.argumentCount > 0;
  });
  return ResultCode::Ok;
}

// Step 14: implicit products and the neighbour rules.
ResultCode CheckAdjacency(std::vector<FormulaToken>& tokens) {
  const FormulaClasses& k = C();
  std::vector<FormulaToken> withProducts;
  withProducts.reserve(tokens.size() * 2);
  for (size_t i = 0; i < tokens.size(); ++i) {
    const int c = tokens[i].code;
    const int n = i + 1 < tokens.size() ? tokens[i + 1].code : fcode::kMarker;
    withProducts.push_back(std::move(tokens[i]));
    if ((IsOperand(c) || c == ')') && (IsOperand(n) || n == '(' || Is(k.oneArgument, n)))
      withProducts.push_back(MakeToken('*'));
  }
  tokens.swap(withProducts);
  for (size_t i = 0; i < tokens.size(); ++i) {
    const int c = tokens[i].code;
    int prev = i == 0 ? fcode::kMarker : tokens[i - 1].code;
    int next = i + 1 < tokens.size() ? tokens[i + 1].code : fcode::kMarker;
    bool prevOperand = IsOperand(prev) || prev == ')';
    bool nextCloser = next == fcode::kMarker || next == ')' || Is(k.binaryOperator, next);
    bool fits = false;
    if (c == '(') fits = (Is(k.oneArgument, prev) || Is(k.operatorContext, prev)) && Is(k.operandStart, next);
    else if (c == ')') fits = prevOperand && nextCloser;
    else if (IsOperand(c)) fits = Is(k.operatorContext, prev) && nextCloser;
    else if (Is(k.binaryOperator, c)) fits = prevOperand && Is(k.operandStart, next);
    else if (c == fcode::kNegate)
      fits = (IsOperand(prev) || Is(k.operatorContext, prev)) && Is(k.operandStart, next);
    else if (Is(k.oneArgument, c)) fits = Is(k.operatorContext, prev) && next == '(';
    if (!fits) return ResultCode::InconsistentData;
  }
  return tokens.empty() ? ResultCode::NothingToDo : ResultCode::Ok;
}

struct Item {
  int code;  // 35 once it stands for a finished subtree
  Node node;
};

bool InPass(int pass, int c) {
  switch (pass) {
    case 1: return Is(C().oneArgument, c) && c != fcode::kNegate;
    case 2: return c == fcode::kNegate || c == '^';
    case 3: return c == '*' || c == '/';
    case 4: return c == '+' || c == '-';
    case 5: return c == '|';
    case 6: return c >= fcode::kJoinX && c <= fcode::kJoinU;
    case 7: return c == fcode::kSum || c == fcode::kProd || c == fcode::kSumIndex || c == fcode::kSumRange;
    case 8: return IsMultiArgument(c) && !(c >= fcode::kJoinX && c <= fcode::kJoinU);
  }
  return false;
}

bool IsFinished(const Item& it) { return IsOperand(it.code); }

// Reduces one group (no parentheses inside) to a single operand.
ResultCode ReduceGroup(std::vector<Item>& g) {
  for (int pass = 1; pass <= 8; ++pass) {
    const bool rightToLeft = pass == 2 || pass == 6;
    std::vector<Item> out;
    out.reserve(g.size());
    if (!rightToLeft) {
      for (size_t i = 0; i < g.size(); ++i) {
        int c = g[i].code;
        if (!InPass(pass, c)) { out.push_back(std::move(g[i])); continue; }
        if (i + 1 >= g.size() || !IsFinished(g[i + 1])) return ResultCode::InconsistentData;
        Item it{fcode::kNumber, std::move(g[i].node)};
        it.node->right = std::move(g[i + 1].node);
        if (Is(C().binaryOperator, c)) {
          if (out.empty() || !IsFinished(out.back())) return ResultCode::InconsistentData;
          it.node->left = std::move(out.back().node);
          out.pop_back();
        }
        out.push_back(std::move(it));
        ++i;
      }
    } else {
      // out is built from the right end, reversed
      for (long i = static_cast<long>(g.size()) - 1; i >= 0; --i) {
        int c = g[i].code;
        if (!InPass(pass, c)) { out.push_back(std::move(g[i])); continue; }
        if (out.empty() || !IsFinished(out.back())) return ResultCode::InconsistentData;
        Item it{fcode::kNumber, std::move(g[i].node)};
        it.node->right = std::move(out.back().node);
        out.pop_back();
        if (Is(C().binaryOperator, c)) {
          if (i == 0 || !IsFinished(g[i - 1])) return ResultCode::InconsistentData;
          it.node->left = std::move(g[i - 1].node);
          --i;
        }
        out.push_back(std::move(it));
      }
      std::reverse(out.begin(), out.end());
    }
    g = std::move(out);
  }
  if (g.size() != 1 || !IsFinished(g[0])) return ResultCode::InconsistentData;
  return ResultCode::Ok;
}

ResultCode BuildTree(std::vector<FormulaToken>& tokens, Node& root) {
  if (tokens.size() == 3 && tokens[0].code == '(' && tokens[2].code == ')') {
    FormulaToken x = std::move(tokens[1]);
    tokens.clear();
    tokens.push_back(std::move(x));
  }
  std::vector<Item> stack;
  stack.reserve(tokens.size());
  for (FormulaToken& tok : tokens) {
    if (tok.code == ')') {
      size_t open = stack.size();
      while (open > 0 && stack[open - 1].code != '(') --open;
      if (open == 0) return ResultCode::MatrixNotFound;
      std::vector<Item> g;
      for (size_t q = open; q < stack.size(); ++q) g.push_back(std::move(stack[q]));
      stack.resize(open - 1);
      if (g.empty()) return ResultCode::InconsistentData;
      ResultCode rc = ReduceGroup(g);
      if (NotOk(rc)) return rc;
      stack.push_back(std::move(g[0]));
      continue;
    }
    tok.node = std::make_unique<FormulaNode>(tok.code, tok.value);
    stack.push_back(Item{tok.code, std::move(tok.node)});
  }
  for (const Item& it : stack)
    if (it.code == '(') return ResultCode::MatrixNotFound;
  ResultCode rc = ReduceGroup(stack);
  if (NotOk(rc)) return rc;
  root = std::move(stack[0].node);
  return ResultCode::Ok;
}

// Step 17: right operands, the node, then left operands.
void FoldNegations(Node& n) {
  if (!n) return;
  FoldNegations(n->right);
  if (n->code == fcode::kNegate) {
    if (n->right && n->right->code == fcode::kNumber) {
      Node c = std::move(n->right);
      c->value = Complex(0.0L - c->value.re, 0.0L - c->value.im);  // -0 would flip ARG(-1) to -pi
      n = std::move(c);
      return;
    }
    n->code = '*';
    n->left = std::make_unique<FormulaNode>(fcode::kNumber, Complex(-1.0L, 0.0L));
  }
  FoldNegations(n->third);
  FoldNegations(n->left);
}

ResultCode CheckCounts(FormulaNode* n) {
  if (!n) return ResultCode::Ok;
  if (n->code == fcode::kIter) {
    FormulaNode* c = n->left.get();
    if (!c || c->code != fcode::kNumber || !(c->value.re >= 1.0L && c->value.re <= 2147483647.0L))
      return ResultCode::OutOfBounds;
    n->count = static_cast<int32_t>(NearestInteger(c->value.re));
  }
  if (n->code == fcode::kSumIndex) {
    FormulaNode* v = n->right.get();
    if (!v || v->code < 'A' || v->code > 'Z') return ResultCode::OutOfBounds;
  }
  for (FormulaNode* child : {n->left.get(), n->third.get(), n->right.get()})
    if (ResultCode rc = CheckCounts(child); NotOk(rc)) return rc;
  return ResultCode::Ok;
}

void RewriteJoinsAndLogs(Node& n) {
  if (!n) return;
  RewriteJoinsAndLogs(n->left);
  RewriteJoinsAndLogs(n->third);
  RewriteJoinsAndLogs(n->right);
  if (n->code >= fcode::kJoinX && n->code <= fcode::kJoinU && n->left && n->left->code == '|') {
    Node bar = std::move(n->left);
    n->third = std::move(bar->right);
    n->left = std::move(bar->left);
  }
  if (n->code == fcode::kLog2) {
    Node lnBase = std::make_unique<FormulaNode>(fcode::kLn);
    lnBase->right = std::move(n->left);
    Node lnArg = std::make_unique<FormulaNode>(fcode::kLn);
    lnArg->right = std::move(n->right);
    n->code = '/';
    n->left = std::move(lnArg);
    n->right = std::move(lnBase);
  }
}

bool IsConstant(const FormulaNode* n) { return n && n->code == fcode::kNumber; }
bool IsConstantNear(const FormulaNode* n, long double c) {
  return IsConstant(n) && std::fabs(n->value.re - c) + std::fabs(n->value.im) < 1e-16L;
}

void SimplifyPowers(Node& n) {
  if (!n) return;
  SimplifyPowers(n->left);
  SimplifyPowers(n->third);
  SimplifyPowers(n->right);
  if (n->code != '^') return;
  if (IsConstantNear(n->left.get(), 1.0L) || IsConstantNear(n->right.get(), 0.0L)) {
    n = std::make_unique<FormulaNode>(fcode::kNumber, Complex(1.0L, 0.0L));
    return;
  }
  const FormulaNode* e = n->right.get();
  if (IsConstant(e) && std::fabs(e->value.im) <= 1e-16L && std::fabs(e->value.re) <= 2147483647.0L &&
      std::fabs(std::round(e->value.re) - e->value.re) < 1e-16L) {
    n->code = fcode::kPow;
    std::swap(n->left, n->right);
  }
}

int ReciprocalPartner(int c) {
  switch (c) {
    case fcode::kTan: return fcode::kCot;
    case fcode::kCot: return fcode::kTan;
    case fcode::kCos: return fcode::kSec;
    case fcode::kSec: return fcode::kCos;
    case fcode::kSin: return fcode::kCsc;
    case fcode::kCsc: return fcode::kSin;
    case fcode::kSinh: return fcode::kCsch;
    case fcode::kCsch: return fcode::kSinh;
    case fcode::kCosh: return fcode::kSech;
    case fcode::kSech: return fcode::kCosh;
    case fcode::kTanh: return fcode::kCoth;
    case fcode::kCoth: return fcode::kTanh;
  }
  return 0;
}

void SwapReciprocals(FormulaNode* n) {
  if (!n) return;
  SwapReciprocals(n->left.get());
  SwapReciprocals(n->third.get());
  SwapReciprocals(n->right.get());
  if (n->code == '/' && n->right) {
    if (int g = ReciprocalPartner(n->right->code)) {
      n->code = '*';
      n->right->code = static_cast<int16_t>(g);
    }
  }
}

Node Constant(Complex v) { return std::make_unique<FormulaNode>(fcode::kNumber, v); }

// A node whose operands are constants is worked out once here; its value
// does not depend on the variables. (The node is evaluated afresh rather
// than taking its trial value, which the reciprocal swap may have made stale.)
bool FoldValue(FormulaEngine& engine, Node& n) {
  if (!EvaluateFormula(engine, n.get(), engine.stop(), engine.random())) return false;
  n = Constant(n->value);
  return true;
}

void FoldConstants(FormulaEngine& engine, Node& n) {
  if (!n) return;
  FoldConstants(engine, n->left);
  FoldConstants(engine, n->third);
  FoldConstants(engine, n->right);
  const int c = n->code;
  if (!n->right || c == fcode::kIter || c == fcode::kRand || c == fcode::kSumRange ||
      (c >= fcode::kJoinX && c <= fcode::kJoinU))
    return;
  if (c == '*' && IsConstantNear(n->left.get(), 0.0L)) { n = Constant({}); return; }
  if (c == '*' && IsConstantNear(n->left.get(), 1.0L)) { n = std::move(n->right); return; }
  if (c == '+' && IsConstantNear(n->left.get(), 0.0L)) { n = std::move(n->right); return; }
  if (IsConstant(n->right.get())) {
    if (Is(C().binaryOperator, c)) {
      if ((!n->left || IsConstant(n->left.get())) && FoldValue(engine, n)) return;
      if (c == '*' && IsConstantNear(n->right.get(), 0.0L)) { n = Constant({}); return; }
      if ((c == '*' || c == '^' || c == '/') && IsConstantNear(n->right.get(), 1.0L) && n->left) {
        n = std::move(n->left);
        return;
      }
      if ((c == '+' || c == '-') && IsConstantNear(n->right.get(), 0.0L) && n->left) {
        n = std::move(n->left);
        return;
      }
    } else if (Is(C().oneArgument, c)) {
      FoldValue(engine, n);
    }
  }
}

void Simplify(FormulaEngine& engine, Node& root) {
  auto saved = engine.variables();
  const bool savedSeam = engine.seam;
  bool success = false;
  for (int trial = 0; trial < 100 && !success && IsOk(engine.status); ++trial) {
    for (int v : {'X', 'Y', 'Z'}) engine.variable(v) = Complex(engine.random().Range(0.0L, 1.0L) * 10.0L - 5.0L);
    success = EvaluateFormula(engine, root.get(), engine.stop(), engine.random());
  }
  engine.variables() = saved;
  engine.seam = savedSeam;
  if (!success) return;
  SimplifyPowers(root);
  SwapReciprocals(root.get());
  FoldConstants(engine, root);
  engine.variables() = saved;
  engine.seam = savedSeam;
}

}  // namespace

ResultCode CompileFormula(FormulaEngine& engine, std::string_view text, Interrupt& stop, RandomGenerator& random) {
  FormulaEngine::Bind bind(engine, stop, random);
  engine.SetRoot(nullptr);
  engine.tokens.clear();
  if (text.empty()) return ResultCode::NothingToDo;
  Text t;
  t.reserve(text.size());
  for (char ch : text) {
    int c = static_cast<unsigned char>(ch);
    if (c == ' ') continue;
    if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
    if (c == '[' || c == '{') c = '(';
    if (c == ']' || c == '}') c = ')';
    if (c >= 128 && c != fcode::kSquare) c = kForeign + c;
    t.push_back(c);
  }
  // The work buffer's size: it also bounds the depth of the tree, which the
  // recursive passes and the evaluator walk on the stack.
  if (t.size() > kWorkBuffer) return ResultCode::OutOfBounds;
  long depth = 0;
  for (int c : t) {
    if (c == '(') ++depth;
    if (c == ')' && --depth < 0) return ResultCode::MatrixNotFound;
  }
  if (depth != 0) return ResultCode::MatrixNotFound;
  Text squared;
  squared.reserve(t.size());
  for (int c : t) {
    if (c != fcode::kSquare) { squared.push_back(c); continue; }
    squared.push_back('^');
    squared.push_back('2');
  }
  t.swap(squared);
  t = ReplaceKeywords(t, engine);
  if (ResultCode rc = RewriteSums(t); NotOk(rc)) return rc;
  for (size_t p = 0; p < t.size(); ++p) {
    if (t[p] != '-') continue;
    int before = p == 0 ? 0 : t[p - 1];
    if (p == 0 || Is(C().binaryOperator, before) || before == '(' || before == ',' || before == fcode::kNegate)
      t[p] = fcode::kNegate;
  }
  std::vector<FormulaToken>& tokens = engine.tokens;
  ResultCode rc = Tokenize(t, tokens);
  if (IsOk(rc)) rc = ResolveArguments(tokens);
  if (IsOk(rc)) rc = CheckAdjacency(tokens);
  Node root;
  if (IsOk(rc)) rc = BuildTree(tokens, root);
  tokens.clear();
  if (NotOk(rc)) return rc;
  FoldNegations(root);
  if (rc = CheckCounts(root.get()); NotOk(rc)) return rc;
  RewriteJoinsAndLogs(root);
  Simplify(engine, root);
  engine.SetRoot(std::move(root));
  return ResultCode::Ok;
}

}  // namespace tavrin
