#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "core/Thresholds.h"
#include "lang/FormulaEngine.h"

namespace tavrin {
namespace {

NoInterrupt none;
RandomGenerator generator;

// The compiled tree in prefix form: numbers with 6 significant digits,
// variables as letters, operators by name.
std::string Dump(const FormulaNode* n) {
  if (!n) return "_";
  if (n->code == fcode::kNumber) {
    char buf[64];
    if (n->value.im != 0) std::snprintf(buf, sizeof buf, "%.6Lg%+.6Lgi", n->value.re, n->value.im);
    else std::snprintf(buf, sizeof buf, "%.6Lg", n->value.re);
    return buf;
  }
  if (n->code >= 64 && n->code <= 90) return std::string(1, static_cast<char>(n->code));
  static const std::map<int, const char*> names = {
      {'+', "+"}, {'-', "-"}, {'*', "*"}, {'/', "/"}, {'^', "^"}, {'|', "|"},
      {fcode::kPow, "POW"}, {fcode::kSin, "SIN"}, {fcode::kCot, "COT"}, {fcode::kTan, "TAN"}, {fcode::kLn, "LN"},
      {fcode::kFact, "FACT"}, {fcode::kMax, "MAX"}, {fcode::kAbs2, "ABS2"}, {fcode::kRoot, "ROOT"},
      {fcode::kIter, "ITER"}, {fcode::kSum, "SUM"}, {fcode::kProd, "PROD"}, {fcode::kSumIndex, "IDX"},
      {fcode::kSumRange, "RANGE"}, {fcode::kJoinX, "JOINX"}, {fcode::kRe, "RE"}, {fcode::kSqrt, "SQRT"}};
  const auto known = names.find(n->code);
  const std::string name = known != names.end() ? known->second : "#" + std::to_string(n->code);
  std::string s = "(" + name;
  if (n->left) s += " " + Dump(n->left.get());
  if (n->third) s += " " + Dump(n->third.get());
  if (n->right) s += " " + Dump(n->right.get());
  return s + ")";
}

struct TreeCase {
  const char* text;
  const char* tree;
};

TEST(FormulaCompiler, BuildsAndSimplifiesTrees) {
  const TreeCase cases[] = {
      {"sin(i)+j", "(+ (SIN I) J)"}, {"  S i N ( I ) + J ", "(+ (SIN I) J)"}, {"ij", "(* I J)"},
      {"2ij", "(* (* 2 I) J)"}, {"SINI", "(* (* (* S I) N) I)"}, {"XY", "(* X Y)"}, {"XPI", "(* X 3.14159)"},
      {"PIX", "(* (* P I) X)"}, {"ABS(I,J)", "(ABS2 I J)"}, {"LOG(2,J)", "(/ (LN J) 0.693147)"},
      {"LG(I,J)", "(/ (LN J) (LN I))"}, {"(I+J)!", "(FACT (+ I J))"}, {"I!", "(FACT I)"}, {"5!", "120"},
      {"RE(I)", "(* (* R E) I)"},  // real mode: R*E*I
      {"ARG(I)", "(* (* (* A R) G) I)"}, {"[I+J]", "(+ I J)"}, {"{I}*J", "(* I J)"}, {"I^2", "(POW 2 I)"},
      {"I\xFD", "(POW 2 I)"}, {"I^0.5", "(^ I 0.5)"}, {"1^I", "1"}, {"I^0", "1"}, {"(I)", "I"}, {"((I))", "I"},
      {"2*3+I", "(+ 6 I)"}, {"0*SIN(I)", "0"}, {"I*1", "I"}, {"I/1", "I"}, {"I+0", "I"}, {"1*I", "I"}, {"0+I", "I"},
      {"I-0", "I"}, {"I*0", "0"}, {"J/TAN(I)", "(* J (COT I))"}, {"J/COT(I)", "(* J (TAN I))"},
      {"-I^2", "(* -1 (POW 2 I))"}, {"I^J^2", "(^ I (POW 2 J))"}, {"2^-I", "(^ 2 (* -1 I))"},
      {"SIN(I)^2", "(POW 2 (SIN I))"}, {"--3", "3"}, {"-3*I", "(* -3 I)"}, {"I-J-2", "(- (- I J) 2)"},
      {"I/J*2", "(* (/ I J) 2)"}, {"MAX(I,J,3)", "(MAX (MAX I J) 3)"}, {"MAX(1,2,3)", "3"},
      {"ROOT(3,I)", "(ROOT 3 I)"}, {"(I)(J)", "(* I J)"}, {"2SIN(I)", "(* 2 (SIN I))"},
      {"1E5", "(* E 5)"},  // 1*E folds to E
      {"1.5.7", "1.5"}, {"PI", "3.14159"}, {"SUM(K,K,1,I)", "(SUM (IDX K K) (RANGE 1 I))"},
      {"PROD(K+1,K,-1,2)", "(PROD (IDX (+ K 1) K) (RANGE -1 2))"},
      {"SUM(SUM(K*L,K,1,L),L,1,3)", "(SUM (IDX (SUM (IDX (* K L) K) (RANGE 1 L)) L) (RANGE 1 3))"},
      {"ITER(3,X/2)", "(ITER 3 (/ X 2))"}, {"JOINX(I|0.5,J)", "(JOINX I 0.5 J)"},
      {"JOINX(1|I,2|J,3)", "(JOINX 1 I (JOINX 2 J 3))"}, {"I|J", "(| I J)"},
      {"SQR(I)+SQRT(J)", "(+ (SQRT I) (SQRT J))"},
  };
  for (const TreeCase& c : cases) {
    FormulaEngine engine;
    // the simplification needs one successful trial, which I = J = 0 would
    // deny to LN(J) or J/TAN(I)
    engine.variable('I') = Complex(2);
    engine.variable('J') = Complex(3);
    ASSERT_EQ(CompileFormula(engine, c.text, none, generator), ResultCode::Ok) << c.text;
    EXPECT_EQ(Dump(engine.root()), c.tree) << c.text;
  }
}

TEST(FormulaCompiler, NoSuccessfulTrialKeepsTheTreeAsBuilt) {
  FormulaEngine engine;  // I = J = 0: every trial divides by TAN(0)
  ASSERT_EQ(CompileFormula(engine, "J/TAN(I)+2*3", none, generator), ResultCode::Ok);
  EXPECT_EQ(Dump(engine.root()), "(+ (/ J (TAN I)) (* 2 3))");
}

TEST(FormulaCompiler, NamedConstantsHaveTheirExactValues) {
  const long double pi = 3.14159265358979323846264338327950288L;
  // pi is the extended one (mantissa C90FDAA2 2168C235), not the double's C000 tail.
  const struct {
    std::string text;
    long double want;
    double tolerance;  // 0: exactly
  } cases[] = {
      {"PI", pi, 0}, {"DEG", pi / 180.0L, 0}, {"PHI", 1.6180339887498948482L, 1e-15}, {"PINF", OverflowBound(), 0},
      {"NINF", -OverflowBound(), 0}, {"SIN(30DEG)", 0.5L, 1e-17}, {"0." + std::string(4990, '0') + "1", 0, 0},
      {".", 0, 0}, {"2.", 2, 0},
  };
  FormulaEngine engine;
  for (const auto& c : cases) {
    ASSERT_EQ(CompileFormula(engine, c.text, none, generator), ResultCode::Ok) << c.text;
    if (c.tolerance == 0) EXPECT_EQ(engine.root()->value.re, c.want) << c.text;
    else EXPECT_NEAR(static_cast<double>(engine.root()->value.re), static_cast<double>(c.want), c.tolerance) << c.text;
  }
  ASSERT_EQ(CompileFormula(engine, "1" + std::string(4990, '0'), none, generator), ResultCode::Ok);
  EXPECT_TRUE(std::isinf(engine.root()->value.re));
  // the variable E is e
  EXPECT_EQ(engine.variable('E').re, std::exp(1.0L));
}

struct CodeCase {
  const char* text;
  ResultCode code;
};

TEST(FormulaCompiler, ReportsEachFault) {
  const CodeCase cases[] = {
      {"", ResultCode::NothingToDo}, {"   ", ResultCode::NothingToDo}, {"(I+J", ResultCode::MatrixNotFound},
      {"I)+(J", ResultCode::MatrixNotFound}, {"[I+J)", ResultCode::Ok},
      {"SUM(K,KK,1,3)", ResultCode::CannotUnderstand}, {"SUM(K,K,1)", ResultCode::CannotUnderstand},
      {"SUM(,K,1,3)", ResultCode::CannotUnderstand}, {"SUM(K,K,,3)", ResultCode::CannotUnderstand},
      {"SUM(K,K,1,)", ResultCode::CannotUnderstand}, {"SUM+K", ResultCode::CannotUnderstand},
      {"PROD(K,K)", ResultCode::CannotUnderstand}, {"SUM(K,2,1,3)", ResultCode::OutOfBounds},
      {"SUM(K,@,1,3)", ResultCode::OutOfBounds}, {"I#J", ResultCode::CannotUnderstand},
      {"I$", ResultCode::CannotUnderstand}, {"I;J", ResultCode::CannotUnderstand},
      {"I\x8EJ", ResultCode::CannotUnderstand},  // a raw byte is not a keyword code
      {"!I", ResultCode::CannotUnderstand},
      {"I!!", ResultCode::InconsistentData},  // the second FACT lands between the first and its "("
      {"SIN(I)!", ResultCode::InconsistentData}, {"I,J", ResultCode::CannotUnderstand},
      {"SIN(I,J)", ResultCode::CannotUnderstand}, {"MAX(1,(2,3))", ResultCode::CannotUnderstand},
      {"I+", ResultCode::InconsistentData}, {"*I", ResultCode::InconsistentData},
      {"SIN2", ResultCode::InconsistentData}, {"SIN+I", ResultCode::InconsistentData},
      {"SIN I", ResultCode::Ok},  // S*I*N*I
      {"MAX(I)", ResultCode::InconsistentData}, {"()", ResultCode::InconsistentData},
      {"LG(8)", ResultCode::InconsistentData}, {"PI(", ResultCode::MatrixNotFound}, {"ITER(3,X)", ResultCode::Ok},
      {"ITER(0,X)", ResultCode::OutOfBounds}, {"ITER(-1,X)", ResultCode::OutOfBounds},
      {"ITER(1+2,X)", ResultCode::OutOfBounds}, {"ITER(I,X)", ResultCode::OutOfBounds},
      {"ITER(2147483648,X)", ResultCode::OutOfBounds}, {"POW(2,I,J)", ResultCode::CouldNotCalculate},
      {"ROOT(2,I,J)", ResultCode::CouldNotCalculate}, {"LG(2,3,4)", ResultCode::CouldNotCalculate},
      {"LOG(2,3,4)", ResultCode::CouldNotCalculate}, {"BINOM(1,2,3)", ResultCode::CouldNotCalculate},
      {"ITER(1,2,3)", ResultCode::CouldNotCalculate}, {"MAX(1,2,3,4,5)", ResultCode::Ok},
      {"1/0", ResultCode::Ok},  // compiles; fails only when evaluated
      {"SQRT(-1)", ResultCode::Ok},
  };
  const std::string longest = std::string(2498, '(') + "I" + std::string(2498, ')') + " +10";
  const std::string tooLong = "I" + std::string(5000, '!');
  EXPECT_EQ(CompileFormula(*std::make_unique<FormulaEngine>(), longest, none, generator), ResultCode::Ok);
  EXPECT_EQ(CompileFormula(*std::make_unique<FormulaEngine>(), tooLong, none, generator), ResultCode::OutOfBounds);
  for (const CodeCase& c : cases) {
    FormulaEngine engine;
    EXPECT_EQ(CompileFormula(engine, c.text, none, generator), c.code) << c.text;
    EXPECT_EQ(engine.root() != nullptr, IsOk(c.code)) << c.text;
  }
}

TEST(FormulaCompiler, ComplexOnlyKeywordsNeedTheSwitch) {
  FormulaEngine engine;
  EXPECT_EQ(engine.keywords().Lookup("RE", false), 0);
  EXPECT_EQ(engine.keywords().Lookup("CONJ", false), 0);
  EXPECT_EQ(engine.keywords().Lookup("RE", true), fcode::kRe);
  EXPECT_EQ(engine.keywords().Lookup("IM", true), fcode::kIm);
  EXPECT_EQ(engine.keywords().Lookup("CONJ", true), fcode::kConj);
  engine.SetComplexSwitch(true);
  EXPECT_EQ(engine.variable('I'), Complex(0, 1));
  ASSERT_EQ(CompileFormula(engine, "RE(J)", none, generator), ResultCode::Ok);
  EXPECT_EQ(Dump(engine.root()), "(RE J)");
  ASSERT_EQ(CompileFormula(engine, "ARG(J)", none, generator), ResultCode::Ok);
  EXPECT_EQ(Dump(engine.root()), "(#147 J)");
}

TEST(FormulaCompiler, KeywordTableSlots) {
  KeywordTable table;
  int filled = 0;
  for (int i = 0; i < KeywordTable::kSlots; ++i) filled += table.slot(i).name[0] != 0;
  EXPECT_EQ(filled, 65);
  for (int empty : {37, 38, 44}) EXPECT_EQ(table.slot(empty).name[0], 0);
  EXPECT_STREQ(table.slot(67).name, "POWER");
  EXPECT_EQ(table.slot(67).code, fcode::kPow);
  EXPECT_EQ(table.Lookup("ATN", false), fcode::kArctan);
  EXPECT_EQ(table.Lookup("RND", false), fcode::kRand);
  EXPECT_EQ(table.Lookup("RANDOM", false), fcode::kRand);
  EXPECT_EQ(table.Lookup("SQR", false), fcode::kSqrt);
  EXPECT_EQ(table.Lookup("LG", false), fcode::kLog2);
  EXPECT_EQ(table.Lookup("SINX", false), 0);
  EXPECT_EQ(table.Lookup("sin", false), 0);
  const FormulaClasses& k = Classes();
  EXPECT_TRUE(k.twoArgument[fcode::kIter] && k.twoArgument[fcode::kLog2] && !k.twoArgument[fcode::kMax]);
  EXPECT_TRUE(k.list[fcode::kGcd] && k.list[fcode::kJoinU] && k.list[fcode::kAbs2]);
  EXPECT_TRUE(k.oneArgument[fcode::kNegate] && k.oneArgument[fcode::kPi] && !k.oneArgument[fcode::kSum]);
  EXPECT_TRUE(k.binaryOperator['|'] && k.binaryOperator[fcode::kSumRange] && !k.binaryOperator['(']);
  EXPECT_TRUE(k.permitted['!'] && !k.permitted['#'] && !k.permitted[fcode::kMarker]);
}

TEST(FormulaCompiler, TrialEvaluationLeavesVariablesAlone) {
  FormulaEngine engine;
  engine.variable('X') = Complex(7);
  engine.variable('K') = Complex(-3);
  ASSERT_EQ(CompileFormula(engine, "SUM(K*X*Y*Z,K,1,4)+ITER(2,X+1)", none, generator), ResultCode::Ok);
  EXPECT_EQ(engine.variable('X'), Complex(7));
  EXPECT_EQ(engine.variable('K'), Complex(-3));
  EXPECT_EQ(engine.variable('Y'), Complex(0));
}

TEST(FormulaCompiler, FoldingKeepsFailingBranchesFailing) {
  FormulaEngine engine;
  // the left branch fails for X < 1 and must stay a square root of -1
  ASSERT_EQ(CompileFormula(engine, "JOINX(SQRT(-1)|1,2)", none, generator), ResultCode::Ok);
  engine.variable('X') = Complex(0);
  EXPECT_FALSE(EvaluateFormula(engine, engine.root(), none, generator));
  engine.variable('X') = Complex(3);
  ASSERT_TRUE(EvaluateFormula(engine, engine.root(), none, generator));
  EXPECT_EQ(engine.root()->value.re, 2);
  // a reciprocal pair of a constant argument folds to the swapped function
  ASSERT_EQ(CompileFormula(engine, "J/TAN(1)", none, generator), ResultCode::Ok);
  engine.variable('J') = Complex(1);
  ASSERT_TRUE(EvaluateFormula(engine, engine.root(), none, generator));
  EXPECT_NEAR(static_cast<double>(engine.root()->value.re), 0.64209261593433070301, 1e-15);
}

}  // namespace
}  // namespace tavrin
