#include <algorithm>
#include <charconv>
#include <cmath>
#include <new>

#include "lang/Expression.h"

namespace tavrin {

namespace {

using namespace expr;

struct Token {
  explicit Token(int c = 0) : code(c) {}
  int code = 0;
  Complex value;
  BigInteger integer{0};
  int transposes = 0;  // transpose tokens standing before this one
  int match = -1;      // for ")": index of its "(" during the transpose rewrite
};

enum Class { kStart, kEnd, kValue, kLeft, kRight, kBinary, kMinus, kTrans };

bool IsLetter(int c) { return c >= 'A' && c <= 'Z'; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool IsBinary(int c) { return c == '+' || c == '-' || c == '*' || c == '/' || c == '^' || c == kBar; }

Class ClassOf(int code) {
  if (code == kNumber || IsLetter(code)) return kValue;
  if (code == kOpen) return kLeft;
  if (code == kClose) return kRight;
  if (code == kUnaryMinus) return kMinus;
  if (code == kTranspose) return kTrans;
  return kBinary;
}

// The adjacency table: which neighbours each kind of token accepts.
bool Adjacent(Class prev, Class self, Class next) {
  auto in = [](Class c, std::initializer_list<Class> set) {
    return std::find(set.begin(), set.end(), c) != set.end();
  };
  switch (self) {
    case kLeft:
      return in(prev, {kStart, kBinary, kLeft, kMinus, kTrans}) &&
             in(next, {kValue, kLeft, kMinus, kTrans});
    case kRight:
      return in(prev, {kValue, kRight}) && in(next, {kEnd, kRight, kBinary});
    case kValue:
      return in(prev, {kStart, kBinary, kLeft, kMinus}) && in(next, {kEnd, kRight, kBinary});
    case kBinary:
      return in(prev, {kValue, kRight}) && in(next, {kValue, kLeft, kMinus, kTrans});
    case kMinus:
      return in(prev, {kValue, kStart, kBinary, kLeft, kMinus}) &&
             in(next, {kValue, kLeft, kMinus, kTrans});
    case kTrans:
      return in(prev, {kStart, kBinary, kLeft, kMinus}) && next == kLeft;
    default:
      return false;
  }
}

// Step 1: blanks, case, the superscript two and the unary minus.
std::string Normalise(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c == ' ') continue;
    if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
    if (c == 253) {
      s += "^2";
      continue;
    }
    s += static_cast<char>(c);
  }
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '-') continue;
    bool unary = i == 0;
    if (!unary) {
      unsigned char p = static_cast<unsigned char>(s[i - 1]);
      unary = IsBinary(p) || p == '(' || p == ',' || p == kUnaryMinus;
    }
    if (unary) s[i] = static_cast<char>(kUnaryMinus);
  }
  return s;
}

// Steps 2 to 4: one token per character, balance, number runs.
ResultCode Tokenise(const std::string& s, bool integerMode, std::vector<Token>& tokens) {
  std::string mapped = s;
  for (char& ch : mapped) {
    int c = static_cast<unsigned char>(ch);
    if (c == '[' || c == '{') c = '(';
    if (c == ']' || c == '}') c = ')';
    bool allowed = IsLetter(c) || IsDigit(c) || c == '.' || c == kQuote || c == '(' || c == ')' ||
                   IsBinary(c) || c == kUnaryMinus;
    if (!allowed) return ResultCode::CannotUnderstand;
    if (c == '.' && integerMode) return ResultCode::IntegerExpected;
    ch = static_cast<char>(c);
  }
  int depth = 0;
  for (char ch : mapped) {
    if (ch == '(') ++depth;
    if (ch == ')' && --depth < 0) return ResultCode::MatrixNotFound;
  }
  if (depth != 0) return ResultCode::MatrixNotFound;

  for (size_t i = 0; i < mapped.size();) {
    int c = static_cast<unsigned char>(mapped[i]);
    if (!IsDigit(c) && c != '.') {
      tokens.push_back(Token{c});
      ++i;
      continue;
    }
    size_t j = i;
    while (j < mapped.size() && (IsDigit(mapped[j]) || mapped[j] == '.')) ++j;
    Token t{kNumber};
    if (integerMode) {
      if (ResultCode c = BigInteger::Parse(std::string_view(mapped).substr(i, j - i), t.integer); NotOk(c)) return c;
    } else {
      // The conversion stops at a second "."; a lone "." reads as zero.
      long double v = 0.0L;
      auto [end, ec] = std::from_chars(mapped.data() + i, mapped.data() + j, v, std::chars_format::fixed);
      // Beyond the extended range: infinity when the whole part is not zero
      // (refused later where a value must be finite), else an underflow to 0.
      if (ec == std::errc::result_out_of_range)
        v = std::find_if(static_cast<const char*>(mapped.data() + i), end,
                         [](char d) { return d >= '1' && d <= '9'; }) <
                    std::find(static_cast<const char*>(mapped.data() + i), end, '.')
                ? HUGE_VALL
                : 0.0L;
      t.value = Complex(v, 0.0L);
    }
    tokens.push_back(std::move(t));
    i = j;
  }
  return ResultCode::Ok;
}

// Step 5: "'" becomes a transpose token in front of its operand. Transposes
// are counted on the token they precede so the rewrite stays linear.
ResultCode RewriteTransposes(std::vector<Token>& tokens) {
  std::vector<Token> out;
  std::vector<int> opens;
  out.reserve(tokens.size() + tokens.size() / 2);
  for (Token& t : tokens) {
    if (t.code == kQuote) {
      if (out.empty()) return ResultCode::CannotUnderstand;
      if (out.back().code == kClose) {
        int j = out.back().match;
        if (j < 0) return ResultCode::CannotUnderstand;
        ++out[j].transposes;
        continue;
      }
      Token operand = std::move(out.back());
      out.pop_back();
      int at = static_cast<int>(out.size());
      Token open{kOpen};
      open.transposes = operand.transposes + 1;
      operand.transposes = 0;
      if (operand.code == kOpen && !opens.empty()) opens.back() = at + 1;
      out.push_back(std::move(open));
      out.push_back(std::move(operand));
      Token close{kClose};
      close.match = at;
      out.push_back(std::move(close));
      continue;
    }
    if (t.code == kOpen) opens.push_back(static_cast<int>(out.size()));
    if (t.code == kClose) {
      if (opens.empty()) return ResultCode::MatrixNotFound;
      t.match = opens.back();
      opens.pop_back();
    }
    out.push_back(std::move(t));
  }
  tokens.clear();
  for (Token& t : out) {
    for (int k = 0; k < t.transposes; ++k) tokens.push_back(Token{kTranspose});
    t.transposes = 0;
    tokens.push_back(std::move(t));
  }
  return ResultCode::Ok;
}

// Step 6: implicit products, then the adjacency table.
ResultCode CheckAdjacency(std::vector<Token>& tokens) {
  std::vector<Token> out;
  out.reserve(tokens.size() * 2);
  for (size_t i = 0; i < tokens.size(); ++i) {
    Class self = ClassOf(tokens[i].code);
    out.push_back(std::move(tokens[i]));
    if (i + 1 < tokens.size() && (self == kValue || self == kRight)) {
      Class next = ClassOf(tokens[i + 1].code);
      if (next == kValue || next == kLeft || next == kMinus || next == kTrans)
        out.push_back(Token{'*'});
    }
  }
  tokens = std::move(out);
  if (tokens.empty()) return ResultCode::NothingToDo;
  for (size_t i = 0; i < tokens.size(); ++i) {
    Class prev = i == 0 ? kStart : ClassOf(tokens[i - 1].code);
    Class next = i + 1 == tokens.size() ? kEnd : ClassOf(tokens[i + 1].code);
    if (!Adjacent(prev, ClassOf(tokens[i].code), next)) return ResultCode::InconsistentData;
  }
  return ResultCode::Ok;
}

struct Item {
  int code;  // kNumber once reduced
  int node;
};

class Builder {
 public:
  explicit Builder(ExprTree& tree) : tree_(tree) {}

  int NewNode(ExprNode n) {
    tree_.nodes.push_back(std::move(n));
    return static_cast<int>(tree_.nodes.size()) - 1;
  }

  // The five passes over one group; leaves one operand item.
  ResultCode Reduce(std::vector<Item>& items, Item& result) {
    ResultCode c = LeftToRight(items, {kTranspose}, true);
    if (IsOk(c)) c = RightToLeft(items);
    if (IsOk(c)) c = LeftToRight(items, {'*', '/'}, false);
    if (IsOk(c)) c = LeftToRight(items, {'+', '-'}, false);
    if (IsOk(c)) c = LeftToRight(items, {kBar}, false);
    if (NotOk(c)) return c;
    if (items.size() != 1 || !IsOperand(items[0])) return ResultCode::InconsistentData;
    result = items[0];
    return ResultCode::Ok;
  }

 private:
  static bool IsOperand(const Item& it) { return it.code == kNumber || IsLetter(it.code); }

  ResultCode Join(int op, int left, int right) {
    tree_.nodes[op].left = left;
    tree_.nodes[op].right = right;
    return ResultCode::Ok;
  }

  ResultCode LeftToRight(std::vector<Item>& items, std::initializer_list<int> ops, bool prefix) {
    std::vector<Item> out;
    out.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
      const Item& it = items[i];
      if (std::find(ops.begin(), ops.end(), it.code) == ops.end()) {
        out.push_back(it);
        continue;
      }
      if (i + 1 >= items.size() || !IsOperand(items[i + 1])) return ResultCode::InconsistentData;
      int left = -1;
      if (!prefix) {
        if (out.empty() || !IsOperand(out.back())) return ResultCode::InconsistentData;
        left = out.back().node;
        out.pop_back();
      }
      if (ResultCode c = Join(it.node, left, items[i + 1].node); NotOk(c)) return c;
      out.push_back(Item{kNumber, it.node});
      ++i;
    }
    items = std::move(out);
    return ResultCode::Ok;
  }

  // Unary minus and "^", from the right: "A^-1" is A^(-1), "A^2^3" is A^(2^3).
  ResultCode RightToLeft(std::vector<Item>& items) {
    std::vector<Item> out;  // reversed
    out.reserve(items.size());
    for (size_t k = items.size(); k-- > 0;) {
      const Item& it = items[k];
      if (it.code != kUnaryMinus && it.code != '^') {
        out.push_back(it);
        continue;
      }
      if (out.empty() || !IsOperand(out.back())) return ResultCode::InconsistentData;
      int right = out.back().node;
      out.pop_back();
      int left = -1;
      if (it.code == '^') {
        if (k == 0 || !IsOperand(items[k - 1])) return ResultCode::InconsistentData;
        left = items[k - 1].node;
        --k;
      }
      if (ResultCode c = Join(it.node, left, right); NotOk(c)) return c;
      out.push_back(Item{kNumber, it.node});
    }
    std::reverse(out.begin(), out.end());
    items = std::move(out);
    return ResultCode::Ok;
  }

  ExprTree& tree_;
};

// A unary minus of a number becomes the negated number; any other becomes
// (-1) * operand. Children are folded before their parents (the reverse of
// a pre-order walk), without recursion. Negating zero gives +0, so that
// «(-8)^(1/3)» keeps the principal branch.
void FoldNegations(ExprTree& tree) {
  std::vector<int> order, pending{tree.root};
  while (!pending.empty()) {
    const int n = pending.back();
    pending.pop_back();
    if (n < 0) continue;
    order.push_back(n);
    pending.push_back(tree.nodes[n].left);
    pending.push_back(tree.nodes[n].right);
  }
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const int n = *it;
    if (tree.nodes[n].code != kUnaryMinus) continue;
    const ExprNode& o = tree.nodes[tree.nodes[n].right];
    if (o.code == kNumber && o.left < 0 && o.right < 0) {
      ExprNode folded;
      folded.constant = Complex(0.0L - o.constant.re, 0.0L - o.constant.im);
      folded.fraction = Fraction{-o.fraction.num, o.fraction.den};
      tree.nodes[n] = std::move(folded);
      continue;
    }
    ExprNode minusOne;
    minusOne.constant = Complex(-1.0L, 0.0L);
    minusOne.fraction = Fraction{BigInteger(-1), BigInteger(1)};
    tree.nodes.push_back(std::move(minusOne));
    ExprNode& self = tree.nodes[n];
    self.code = '*';
    self.left = static_cast<int>(tree.nodes.size()) - 1;
  }
}

ResultCode Parse(std::string_view text, bool integerMode, ExprTree& tree) {
  if (text.empty()) return ResultCode::NothingToDo;
  std::string s = Normalise(text);
  if (s.empty()) return ResultCode::NothingToDo;
  std::vector<Token> tokens;
  if (ResultCode c = Tokenise(s, integerMode, tokens); NotOk(c)) return c;
  if (ResultCode c = RewriteTransposes(tokens); NotOk(c)) return c;
  if (ResultCode c = CheckAdjacency(tokens); NotOk(c)) return c;

  Builder builder(tree);
  std::vector<std::vector<Item>> groups(1);
  for (Token& t : tokens) {
    if (t.code == kOpen) {
      groups.emplace_back();
      continue;
    }
    if (t.code == kClose) {
      Item r{};
      if (groups.size() < 2) return ResultCode::MatrixNotFound;
      if (ResultCode c = builder.Reduce(groups.back(), r); NotOk(c)) return c;
      groups.pop_back();
      groups.back().push_back(r);
      continue;
    }
    ExprNode n;
    n.code = t.code;
    n.constant = t.value;
    n.fraction = Fraction{t.integer, BigInteger(1)};
    int id = builder.NewNode(std::move(n));
    groups.back().push_back(Item{t.code, id});
  }
  if (groups.size() != 1) return ResultCode::MatrixNotFound;
  Item root{};
  if (ResultCode c = builder.Reduce(groups[0], root); NotOk(c)) return c;
  tree.root = root.node;
  FoldNegations(tree);
  return ResultCode::Ok;
}

}  // namespace

ResultCode ParseExpression(std::string_view text, bool integerMode, ExprTree& tree) {
  tree = ExprTree{};
  tree.integer = integerMode;
  ResultCode c;
  try {
    c = Parse(text, integerMode, tree);
  } catch (const std::bad_alloc&) {
    c = ResultCode::LowMemory;
  }
  if (NotOk(c)) {
    tree = ExprTree{};
    tree.integer = integerMode;
  }
  return c;
}

}  // namespace tavrin
