#pragma once
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Fraction.h"
#include "core/Interrupt.h"
#include "core/Random.h"
#include "core/Matrix.h"
#include "core/ResultCode.h"

namespace tavrin {

// Token and node codes of the matrix expression language. Letters are their
// own codes 'A'..'Z'; operators are their characters.
namespace expr {
inline constexpr int kNumber = '#';
inline constexpr int kOpen = '(';
inline constexpr int kClose = ')';
inline constexpr int kQuote = '\'';
inline constexpr int kBar = '|';
inline constexpr int kUnaryMinus = 146;
inline constexpr int kTranspose = 226;
}  // namespace expr

// One node of a parsed expression. Children are indices into the owning
// tree's node array (-1 for none), so trees of any size free without recursion.
struct ExprNode {
  int code = expr::kNumber;
  Complex constant;       // real and complex mode
  Fraction fraction;      // integer mode
  int left = -1;
  int right = -1;
};

struct ExprTree {
  std::vector<ExprNode> nodes;
  int root = -1;
  bool integer = false;  // constants are fractions
};

// Normalises, tokenises and checks the text, then builds the tree. Ok or
// 1, 3, 6, 9, 108, 109. Building, folding and evaluating walk the tree with
// explicit stacks, so no depth of nesting can exhaust the call stack.
ResultCode ParseExpression(std::string_view text, bool integerMode, ExprTree& tree);

// Where the evaluator reads the lettered matrices of the current mode. Each
// callback returns nullptr when the slot is empty (or the callback is unset).
struct MatrixLookup {
  std::function<const ComplexMatrix*(char letter)> complexMatrix;
  std::function<const IntegerMatrix*(char letter)> integerMatrix;
  // Optional, for a lookup that keeps copies of its own: hands the copy of
  // a letter's matrix over (false when it has none), so that an expression
  // reading the letter once may work on it in place. The lookup no longer
  // finds the letter afterwards.
  std::function<bool(char letter, ComplexMatrix& out)> takeComplexMatrix;
};

// The value of an expression: a matrix of the mode or a scalar.
struct ExprValue {
  bool isMatrix = false;
  Complex scalar;          // real and complex mode
  Fraction fraction;       // integer mode
  ComplexMatrix matrix;    // real and complex mode
  IntegerMatrix integerMatrix;  // integer mode, normalised
};

// Evaluates the tree in the given mode, polling `stop` in long work. Ok
// or the first error code; Stopped when Q stopped it (the value is then
// incomplete and must not be stored).
ResultCode EvaluateExpression(const ExprTree& tree, Mode mode, const MatrixLookup& lookup,
                              ExprValue& out, Interrupt& stop);

// Calculate: parse and evaluate; a scalar result is code 102.
ResultCode CalculateExpression(std::string_view text, Mode mode, const MatrixLookup& lookup,
                               ExprValue& out, Interrupt& stop);

// A single value in real or complex mode ("I" is the imaginary unit; other
// letters denote matrices of the mode, whose scalar value is zero).
ResultCode EvaluateScalarText(std::string_view text, Mode mode, const MatrixLookup& lookup,
                              Complex& out, Interrupt& stop);

// The variable slots each matrix window owns; "Z" reads the last one.
using WindowVariables = std::array<Complex, 27>;

// The text of one entry being edited: Ok, or 101 whenever the text
// cannot be parsed or evaluated. RAND draws from `random`; BINOM polls `stop`.
ResultCode EvaluateEntryText(const WindowVariables& variables, std::string_view text,
                             Complex& out, Interrupt& stop, RandomGenerator& random);

// Scalar evaluation of a subtree; false when a division by (near) zero, a
// power of zero or an exponential overflow makes it fail.
bool EvaluateScalarTree(const WindowVariables& variables, const ExprTree& tree, int node,
                        Complex& out);

}  // namespace tavrin
