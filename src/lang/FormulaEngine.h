#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/Complex.h"
#include "core/Interrupt.h"
#include "core/Matrix.h"
#include "core/Random.h"
#include "core/ResultCode.h"

namespace tavrin {

// Codes of the formula language. Below 128 a code is the character itself;
// 64..90 are the variables (code 64 and A..Z); 128 and up are keywords and
// internal operators.
namespace fcode {
inline constexpr int kMarker = 7;  // start and end of the token list
inline constexpr int kFactorialBang = 33;
inline constexpr int kNumber = 35;
inline constexpr int kOpen = 40;
inline constexpr int kClose = 41;
inline constexpr int kTimes = 42;
inline constexpr int kPlus = 43;
inline constexpr int kComma = 44;
inline constexpr int kMinus = 45;
inline constexpr int kDot = 46;
inline constexpr int kDivide = 47;
inline constexpr int kPower = 94;
inline constexpr int kBar = 124;
inline constexpr int kFirstVariable = 64;
inline constexpr int kLastVariable = 90;

inline constexpr int kArctan = 128;
inline constexpr int kTan = 129;
inline constexpr int kCos = 130;
inline constexpr int kExp = 131;
inline constexpr int kFact = 132;
inline constexpr int kInt = 133;
inline constexpr int kSinh = 134;
inline constexpr int kCosh = 135;
inline constexpr int kTanh = 136;
inline constexpr int kArccos = 137;
inline constexpr int kLn = 138;
inline constexpr int kAbs = 139;
inline constexpr int kArcsin = 140;
inline constexpr int kSin = 142;
inline constexpr int kSec = 143;
inline constexpr int kCsc = 144;
inline constexpr int kCot = 145;
inline constexpr int kNegate = 146;
inline constexpr int kArg = 147;
inline constexpr int kSgn = 148;
inline constexpr int kFrac = 149;
inline constexpr int kLog = 150;
inline constexpr int kIter = 151;
inline constexpr int kRoot = 152;
inline constexpr int kMax = 153;
inline constexpr int kMin = 154;
inline constexpr int kSech = 155;
inline constexpr int kCoth = 156;
inline constexpr int kCsch = 157;
inline constexpr int kPow = 158;
inline constexpr int kBinom = 159;
inline constexpr int kSum = 161;
inline constexpr int kProd = 162;
inline constexpr int kRand = 163;
inline constexpr int kGamma = 169;
inline constexpr int kCis = 170;
inline constexpr int kRe = 171;
inline constexpr int kIm = 172;
inline constexpr int kConj = 173;
inline constexpr int kNinf = 175;
inline constexpr int kPinf = 176;
inline constexpr int kChi = 177;
inline constexpr int kJoinX = 180;
inline constexpr int kJoinT = 181;
inline constexpr int kJoinR = 182;
inline constexpr int kJoinU = 183;
inline constexpr int kAbs2 = 190;
inline constexpr int kArg2 = 191;
inline constexpr int kFloor = 195;
inline constexpr int kCeil = 196;
inline constexpr int kMod = 208;
inline constexpr int kGcd = 209;
inline constexpr int kArgsinh = 210;
inline constexpr int kArgcosh = 211;
inline constexpr int kArgtanh = 212;
inline constexpr int kArgcoth = 213;
inline constexpr int kArccot = 214;
inline constexpr int kLog2 = 215;  // "LG" and two-argument "LOG"
inline constexpr int kSumIndex = 220;
inline constexpr int kSumRange = 221;
inline constexpr int kPi = 227;
inline constexpr int kPhi = 232;
inline constexpr int kSquare = 253;  // typed superscript two
inline constexpr int kSqrt = 251;
inline constexpr int kDeg = 255;
}  // namespace fcode

// The vocabulary: 68 slots in lookup order; slots 37, 38 and 44 stay empty.
class KeywordTable {
 public:
  static constexpr int kSlots = 68;
  struct Slot {
    char name[11];
    int16_t code;
  };
  KeywordTable();
  const Slot& slot(int i) const { return slots_[i]; }
  // Code of a whole word, or 0. "RE", "IM" and "CONJ" count only with the
  // complex switch on.
  int Lookup(std::string_view word, bool complexSwitch) const;

 private:
  std::array<Slot, kSlots> slots_{};
};

// Character classes over codes 0..255 (codes above 255 belong to none).
struct FormulaClasses {
  std::array<bool, 256> letter{}, twoArgument{}, list{}, binaryOperator{}, oneArgument{},
      operatorContext{}, operandStart{}, permitted{};
  FormulaClasses();
  static bool In(const std::array<bool, 256>& cls, int c) { return c >= 0 && c < 256 && cls[c]; }
};
const FormulaClasses& Classes();

// The compiled form. Each node owns its children.
struct FormulaNode {
  int16_t code = 0;
  Complex value;
  int32_t count = 0;  // ITER's repetition count
  bool ok = false;    // whether the last evaluation of this node succeeded
  std::unique_ptr<FormulaNode> left, right, third;

  FormulaNode() = default;
  FormulaNode(int c, Complex v = {}) : code(static_cast<int16_t>(c)), value(v) {}
  ~FormulaNode();  // frees the children first
};

struct FormulaToken {
  Complex value;
  int16_t code = 0;
  int16_t argumentCount = 0;
  bool fromComma = false;  // a comma turned into its function's infix code
  std::unique_ptr<FormulaNode> node;
};

// The hidden object that owns the vocabulary, the 27 variables and the
// compiled formula. Evaluations touch the variables, so one engine serves
// one evaluation at a time.
class FormulaEngine {
 public:
  static constexpr long double kSeamTolerance = 0.001L;
  static constexpr int kVariables = 27;

  FormulaEngine();

  bool complexSwitch() const { return complex_; }
  // Complex mode turns the switch on and makes I the imaginary unit.
  void SetComplexSwitch(bool on);

  // Variable by letter code (64..90) or index (0..26).
  Complex& variable(int letterCode) { return variables_[letterCode - fcode::kFirstVariable]; }
  std::array<Complex, kVariables>& variables() { return variables_; }

  const KeywordTable& keywords() const { return keywords_; }
  FormulaNode* root() const { return root_.get(); }
  void SetRoot(std::unique_ptr<FormulaNode> r) { root_ = std::move(r); }
  std::unique_ptr<FormulaNode> TakeRoot() { return std::move(root_); }

  bool seam = false;
  // Stopped once Q or S was pressed during an evaluation; every
  // evaluation fails until it is Ok again.
  ResultCode status = ResultCode::Ok;
  // Loop steps of SUM, PROD, ITER and BINOM; the keyboard is polled every
  // kPollInterval steps.
  uint64_t work = 0;
  static constexpr uint64_t kPollInterval = 4096;
  std::vector<FormulaToken> tokens;  // scratch list of the compiler

  // The stop check of the loops and the generator RAND draws from, as given
  // to the compilation or evaluation under way (Bind sets them for its scope).
  Interrupt& stop() const { return *stop_; }
  RandomGenerator& random() const { return *random_; }
  class Bind {
   public:
    Bind(FormulaEngine& e, Interrupt& stop, RandomGenerator& random)
        : e_(e), stop_(e.stop_), random_(e.random_) {
      e.stop_ = &stop;
      e.random_ = &random;
    }
    ~Bind() {
      e_.stop_ = stop_;
      e_.random_ = random_;
    }
    Bind(const Bind&) = delete;
    Bind& operator=(const Bind&) = delete;

   private:
    FormulaEngine& e_;
    Interrupt* stop_;
    RandomGenerator* random_;
  };

 private:
  Interrupt* stop_ = nullptr;
  RandomGenerator* random_ = nullptr;
  bool complex_ = false;
  std::array<Complex, kVariables> variables_{};
  KeywordTable keywords_;
  std::unique_ptr<FormulaNode> root_;
};

// Compiles text into the engine's tree. 0: the engine holds the new tree;
// otherwise the engine holds no tree and the code says why. Texts longer
// than 5000 characters without their blanks give code 17. The trial
// evaluations of the compiler draw from `random` and poll `stop`.
ResultCode CompileFormula(FormulaEngine& engine, std::string_view text, Interrupt& stop, RandomGenerator& random);

// Evaluates node with the engine's variables. On success node->value holds
// the result. Failure is silent (a domain error somewhere below). The loops
// poll `stop` now and then (Q or S sets engine.status to Stopped); RAND draws from
// `random`.
bool EvaluateFormula(FormulaEngine& engine, FormulaNode* node, Interrupt& stop, RandomGenerator& random);

void FreeFormulaTree(std::unique_ptr<FormulaNode>& root);

// The Formula command without the workspace: the application layer runs its
// editing guard first and stores `matrix` with `description` when code is 0.
struct FormulaCommandResult {
  ResultCode code = ResultCode::Ok;  // Stopped when Q or S stopped the filling
  ComplexMatrix matrix;
  std::string description;
  // With code 101: the first entry (1-based) whose value could not be
  // calculated or is not finite; the matrix is then empty.
  int failedRow = 0;
  int failedCol = 0;
};
FormulaCommandResult RunFormulaCommand(FormulaEngine& engine, std::string_view rowsText,
                                       std::string_view colsText, std::string_view formula, Interrupt& stop,
                                       RandomGenerator& random);

}  // namespace tavrin
