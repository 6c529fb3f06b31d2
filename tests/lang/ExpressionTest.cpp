#include <gtest/gtest.h>

#include "MatrixBuilders.h"

#include <cmath>
#include <map>
#include <string>

#include "lang/Expression.h"
#include "FakeInterrupt.h"

namespace tavrin {
namespace {

NoInterrupt none;
RandomGenerator generator;



class ExpressionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    real_['A'] = Real(2, 2, {1, 1, 0, 1});
    real_['M'] = Real(2, 2, {1, 2, 3, 4});
    real_['N'] = Real(2, 2, {1, 2, 3, 4});
    real_['W'] = Real(2, 2, {0, 1, 1, 0});
    real_['X'] = Real(2, 2, {1, 0, 2, 1});
    real_['P'] = Real(2, 1, {1, 2});
    real_['Q'] = Real(2, 1, {3, 4});
    real_['R'] = Real(2, 2, {5, 6, 7, 8});
    real_['S'] = Real(2, 2, {1, 2, 2, 4});
    real_['E'] = Real(1, 1, {7});
    real_['T'] = Real(1, 1, {10});
    integer_['A'] = Int(2, 2, {1, 2, 3, 4});
    integer_['B'] = Int(2, 2, {1, 0, 0, 1}, 2);
    integer_['S'] = Int(2, 2, {1, 2, 2, 4});
    lookup_.complexMatrix = [this](char l) -> const ComplexMatrix* {
      auto it = real_.find(l);
      return it == real_.end() ? nullptr : &it->second;
    };
    lookup_.integerMatrix = [this](char l) -> const IntegerMatrix* {
      auto it = integer_.find(l);
      return it == integer_.end() ? nullptr : &it->second;
    };
  }

  ResultCode Calc(const std::string& text, ExprValue& v, Mode mode = Mode::Real, Interrupt& stop = none) {
    return CalculateExpression(text, mode, lookup_, v, stop);
  }

  void ExpectMatrix(const std::string& text, const ComplexMatrix& want) {
    ExprValue v;
    ASSERT_EQ(Calc(text, v), ResultCode::Ok) << text;
    ASSERT_EQ(v.matrix.rows, want.rows) << text;
    ASSERT_EQ(v.matrix.cols, want.cols) << text;
    for (size_t i = 0; i < want.size(); ++i) {
      EXPECT_NEAR(static_cast<double>(v.matrix.entry(i).re), static_cast<double>(want.entry(i).re), 1e-15)
          << text << " entry " << i;
      EXPECT_EQ(v.matrix.entry(i).im, 0.0L) << text;
    }
  }

  std::map<char, ComplexMatrix> real_;
  std::map<char, IntegerMatrix> integer_;
  MatrixLookup lookup_;
};

TEST_F(ExpressionTest, PrecedenceAndImplicitProducts) {
  struct Case {
    const char* text;
    ComplexMatrix want;
  } cases[] = {
      {"(M-3W)X'", Real(2, 2, {1, 1, 0, 4})}, {"MN'", Real(2, 2, {5, 11, 11, 25})},
      {"(MN)'", Real(2, 2, {7, 15, 10, 22})}, {"P+Q|R", Real(2, 3, {4, 5, 6, 6, 7, 8})},
      {"P|Q|R", Real(2, 4, {1, 3, 5, 6, 2, 4, 7, 8})}, {"A^-1", Real(2, 2, {1, -1, 0, 1})},
      {"-A^2", Real(2, 2, {-1, -2, 0, -1})}, {"M^-1", Real(2, 2, {-2, 1, 1.5, -0.5})},
      {"M^(-1)", Real(2, 2, {-2, 1, 1.5, -0.5})}, {"1/M", Real(2, 2, {-2, 1, 1.5, -0.5})},
      {"2/M", Real(2, 2, {-4, 2, 3, -1})}, {"M/2", Real(2, 2, {0.5, 1, 1.5, 2})}, {"--A", Real(2, 2, {1, 1, 0, 1})},
      {"-A", Real(2, 2, {-1, -1, 0, -1})}, {"(-A)", Real(2, 2, {-1, -1, 0, -1})},
      {"A*-A", Real(2, 2, {-1, -2, 0, -1})}, {"(A)", Real(2, 2, {1, 1, 0, 1})}, {"((A))", Real(2, 2, {1, 1, 0, 1})},
      {"a m", Real(2, 2, {4, 6, 3, 4})}, {"[A+W]{M}", Real(2, 2, {7, 10, 4, 6})}, {"(A')'", Real(2, 2, {1, 1, 0, 1})},
      {"M-A-W", Real(2, 2, {0, 0, 2, 3})},   // (M-A)-W
      {"M/AW", Real(2, 2, {1, 1, 1, 3})},    // (M/A)*W
      {"2(A+W)", Real(2, 2, {2, 4, 2, 2})}, {"(A)(W)", Real(2, 2, {1, 1, 1, 0})}, {"3W'", Real(2, 2, {0, 3, 3, 0})},
      {"1E5", Real(1, 1, {35})},  // no exponent notation: 1*E*5
      {"M^0", Real(2, 2, {1, 0, 0, 1})}, {"S^0", Real(2, 2, {1, 0, 0, 1})},
      {"M\xFD", Real(2, 2, {7, 10, 15, 22})},  // superscript two
      {"M^2.0", Real(2, 2, {7, 10, 15, 22})}, {"M/M", Real(2, 2, {1, 0, 0, 1})}, {"P'/M", Real(1, 2, {1, 0})},
      {"0.5.5M", Real(2, 2, {0.5, 1, 1.5, 2})},  // the number stops at its second "."
  };
  for (const Case& c : cases) ExpectMatrix(c.text, c.want);
}

TEST_F(ExpressionTest, Codes) {
  struct Case {
    const char* text;
    ResultCode code;
  } cases[] = {
      {"", ResultCode::NothingToDo},         {"   ", ResultCode::NothingToDo},        {"2^3", ResultCode::Incompatible},     {"M^N", ResultCode::Incompatible},     {"M^2.5", ResultCode::IntegerExpected},
      {"A+2", ResultCode::Incompatible},    {"3*4", ResultCode::NotAMatrix},      {"1/2", ResultCode::NotAMatrix},     {"A''", ResultCode::InconsistentData},       {"[-A]", ResultCode::InconsistentData},
      {"A-B)", ResultCode::MatrixNotFound},   {"(A", ResultCode::MatrixNotFound},       {")A(", ResultCode::MatrixNotFound},     {"A+", ResultCode::InconsistentData},        {"*A", ResultCode::InconsistentData},
      {"()", ResultCode::InconsistentData},       {"A#B", ResultCode::CannotUnderstand},        {"'A", ResultCode::CannotUnderstand},        {"A,B", ResultCode::CannotUnderstand},       {"A\tB", ResultCode::CannotUnderstand},
      {"Y", ResultCode::CouldNotFind},        {"A+Y", ResultCode::CouldNotFind},        {"S^-1", ResultCode::Singular},     {"1/S", ResultCode::Singular},      {"M/S", ResultCode::Singular},
      {"M/0", ResultCode::CouldNotCalculate},    {"M/(2-2)", ResultCode::CouldNotCalculate},  {"T^100", ResultCode::TooLarge},    {"T^18", ResultCode::Ok},      {"3'", ResultCode::Incompatible},
      {"(2*3)'", ResultCode::Incompatible}, {"A+P", ResultCode::Incompatible},      {"A*P'", ResultCode::Incompatible},    {"A|P'", ResultCode::Incompatible},    {"M/P", ResultCode::Incompatible},
      {"P^2", ResultCode::Incompatible},    {"P'/A", ResultCode::Ok},       {"A-'", ResultCode::InconsistentData},       {"A^", ResultCode::InconsistentData},        {"-", ResultCode::InconsistentData},
  };
  for (const Case& c : cases) {
    ExprValue v;
    EXPECT_EQ(Calc(c.text, v), c.code) << c.text;
  }
}

TEST_F(ExpressionTest, PowersGroupFromTheRight) {
  ExprTree t;
  ASSERT_EQ(ParseExpression("A^2^3", false, t), ResultCode::Ok);
  const ExprNode& r = t.nodes[t.root];
  ASSERT_EQ(r.code, '^');
  EXPECT_EQ(t.nodes[r.left].code, 'A');
  EXPECT_EQ(t.nodes[r.right].code, '^');
  ExprValue v;
  EXPECT_EQ(Calc("A^2^3", v), ResultCode::Incompatible);  // 2^3 is a power of a number
  EXPECT_EQ(Calc("A^(2*3)", v), ResultCode::Ok);
  EXPECT_EQ(v.matrix, Real(2, 2, {1, 6, 0, 1}));
  Complex z;
  ASSERT_EQ(EvaluateEntryText(WindowVariables{}, "2^3^2", z, none, generator), ResultCode::Ok);
  EXPECT_NEAR(static_cast<double>(z.re), 512.0, 1e-12);
}

// A lookup that keeps copies of its own hands a letter read once over, and
// the results are those of reading it where it lies: inverses by hand,
// powers whose first factor is the base itself with -0 read as 0.
TEST_F(ExpressionTest, LettersTakenOrReadInPlaceGiveTheSameResults) {
  real_['Z'] = Real(2, 2, {-0.0L, 2, 4, 8});  // inverse (-1 1/4; 1/2 0)
  struct Case {
    const char* text;
    int taken;  // letters the evaluator took over
    ComplexMatrix want;
  } cases[] = {
      {"Z^-1", 1, Real(2, 2, {-1, 0.25L, 0.5L, 0})}, {"Z^1", 1, Real(2, 2, {0, 2, 4, 8})},
      {"(Z)'^-1", 1, Real(2, 2, {-1, 0.5L, 0.25L, 0})}, {"Z*Z^-1", 0, Real(2, 2, {1, 0, 0, 1})},
      {"M/A", 2, Real(2, 2, {1, 1, 3, 1})}, {"A^3", 1, Real(2, 2, {1, 3, 0, 1})},
      {"A^0", 1, Real(2, 2, {1, 0, 0, 1})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::map<char, ComplexMatrix> copies = real_;
    int taken = 0;
    MatrixLookup taking = lookup_;
    taking.takeComplexMatrix = [&](char l, ComplexMatrix& out) {
      auto it = copies.find(l);
      if (it == copies.end()) return false;
      out = std::move(it->second);
      copies.erase(it);
      ++taken;
      return true;
    };
    ExprValue read, took;
    ASSERT_EQ(Calc(c.text, read), ResultCode::Ok);
    ASSERT_EQ(CalculateExpression(c.text, Mode::Real, taking, took, none), ResultCode::Ok);
    EXPECT_EQ(taken, c.taken);
    EXPECT_EQ(took.matrix, read.matrix);
    ASSERT_EQ(read.matrix.rows, c.want.rows);
    for (size_t i = 0; i < c.want.size(); ++i) {
      EXPECT_EQ(read.matrix.entry(i), c.want.entry(i)) << i;
      EXPECT_FALSE(read.matrix.entry(i).re == 0 && std::signbit(read.matrix.entry(i).re)) << i << " is -0";
    }
  }
  // The letters read in place are unchanged.
  EXPECT_EQ(real_['Z'], Real(2, 2, {-0.0L, 2, 4, 8}));
  EXPECT_EQ(real_['A'], Real(2, 2, {1, 1, 0, 1}));
}

TEST_F(ExpressionTest, NegationFoldsIntoConstants) {
  ExprTree t;
  ASSERT_EQ(ParseExpression("-2", false, t), ResultCode::Ok);
  EXPECT_EQ(t.nodes[t.root].code, expr::kNumber);
  EXPECT_EQ(t.nodes[t.root].constant, Complex(-2.0L, 0.0L));
  ASSERT_EQ(ParseExpression("--2.5", false, t), ResultCode::Ok);
  EXPECT_EQ(t.nodes[t.root].constant, Complex(2.5L, 0.0L));
  ASSERT_EQ(ParseExpression("-A", false, t), ResultCode::Ok);
  const ExprNode& r = t.nodes[t.root];
  EXPECT_EQ(r.code, '*');
  EXPECT_EQ(t.nodes[r.left].constant, Complex(-1.0L, 0.0L));
  EXPECT_EQ(t.nodes[r.right].code, 'A');
  ASSERT_EQ(ParseExpression("-7", true, t), ResultCode::Ok);
  EXPECT_EQ(t.nodes[t.root].fraction, (Fraction{BigInteger(-7), BigInteger(1)}));
}

TEST_F(ExpressionTest, IntegerModeKeepsExactFractions) {
  struct Case {
    const char* text;
    IntegerMatrix want;
  } cases[] = {
      {"A^-1", Int(2, 2, {-4, 2, 3, -1}, 2)}, {"1/A", Int(2, 2, {-4, 2, 3, -1}, 2)},
      {"2/A", Int(2, 2, {-4, 2, 3, -1}, 1)}, {"A/2", Int(2, 2, {1, 2, 3, 4}, 2)},
      {"A/-4", Int(2, 2, {-1, -2, -3, -4}, 4)}, {"A/2+A/3", Int(2, 2, {5, 10, 15, 20}, 6)},
      {"A/2-A/2", Int(2, 2, {0, 0, 0, 0}, 1)}, {"(A/2)(A/3)", Int(2, 2, {7, 10, 15, 22}, 6)},
      {"A^2", Int(2, 2, {7, 10, 15, 22}, 1)}, {"B", Int(2, 2, {1, 0, 0, 1}, 2)}, {"B^-2", Int(2, 2, {4, 0, 0, 4}, 1)},
      {"B|A", Int(2, 4, {1, 0, 2, 4, 0, 1, 6, 8}, 2)}, {"B'*6/4", Int(2, 2, {3, 0, 0, 3}, 4)},
      {"A/B", Int(2, 2, {2, 4, 6, 8}, 1)}, {"-A*(1/3)", Int(2, 2, {-1, -2, -3, -4}, 3)},
  };
  for (const Case& c : cases) {
    ExprValue v;
    ASSERT_EQ(Calc(c.text, v, Mode::Integer), ResultCode::Ok) << c.text;
    EXPECT_EQ(v.integerMatrix, c.want) << c.text << " got den " << v.integerMatrix.denominator.ToString();
  }
  ExprValue v;
  EXPECT_EQ(Calc("2.5A", v, Mode::Integer), ResultCode::IntegerExpected);
  EXPECT_EQ(Calc("A^100000000", v, Mode::Integer), ResultCode::OutOfBounds);
  EXPECT_EQ(Calc("S^-1", v, Mode::Integer), ResultCode::Singular);
  EXPECT_EQ(Calc("A/0", v, Mode::Integer), ResultCode::CouldNotCalculate);
  EXPECT_EQ(Calc("6/4", v, Mode::Integer), ResultCode::NotAMatrix);
  ExprTree t;
  ASSERT_EQ(ParseExpression("6/4", true, t), ResultCode::Ok);
  ASSERT_EQ(EvaluateExpression(t, Mode::Integer, lookup_, v, none), ResultCode::Ok);
  EXPECT_EQ(v.fraction, (Fraction{BigInteger(3), BigInteger(2)}));
}

TEST_F(ExpressionTest, QuitAbandonsIntegerWork) {
  ExprValue v;
  FakeInterrupt quit('Q');
  EXPECT_EQ(Calc("A*A", v, Mode::Integer, quit), ResultCode::Stopped);
  EXPECT_FALSE(v.isMatrix);
  EXPECT_EQ(Calc("A*A", v, Mode::Integer), ResultCode::Ok);
}

// A matrix has scalar value 0.
TEST_F(ExpressionTest, ScalarTexts) {
  const struct { const char* text; Mode mode; ResultCode code; Complex want; } cases[] = {
      {"2+3i", Mode::Complex, ResultCode::Ok, Complex(2, 3)}, {"-i", Mode::Complex, ResultCode::Ok, Complex(0, -1)},
      {"1/(1+i)", Mode::Complex, ResultCode::Ok, Complex(0.5L, -0.5L)}, {"A", Mode::Real, ResultCode::Ok, kComplexZero},
      {"1/0", Mode::Real, ResultCode::CouldNotCalculate, {}}, {"2^3", Mode::Real, ResultCode::Incompatible, {}}};
  for (const auto& c : cases) {
    Complex z(9, 9);
    EXPECT_EQ(EvaluateScalarText(c.text, c.mode, lookup_, z, none), c.code) << c.text;
    if (IsOk(c.code)) {
      EXPECT_EQ(z, c.want) << c.text;
    }
  }
}

// Hostile texts end with a code, never a crash or a stack overflow.
// Deep texts within the 5000-character buffer evaluate without recursion.
TEST_F(ExpressionTest, DeepTextsEvaluate) {
  std::string sum = "A";
  for (int i = 0; i < 1000; ++i) sum += "+A";  // 1001 terms: 1001 A
  ExpectMatrix(sum, Real(2, 2, {1001, 1001, 0, 1001}));
  ExpectMatrix(std::string(2400, '(') + "A" + std::string(2400, ')'), Real(2, 2, {1, 1, 0, 1}));
  std::string nested = "A";
  for (int i = 0; i < 1200; ++i) nested = "(" + nested + "+A)";  // 1201 A, right nested
  ExpectMatrix(nested, Real(2, 2, {1201, 1201, 0, 1201}));
  std::string minus = std::string(2001, '-') + "A";  // an odd count negates
  ExpectMatrix(minus, Real(2, 2, {-1, -1, 0, -1}));
  WindowVariables vars{};
  Complex z;
  std::string scalar = "1";
  for (int i = 0; i < 2000; ++i) scalar += "+1";
  ASSERT_EQ(EvaluateEntryText(vars, std::string(1000, '(') + scalar + std::string(1000, ')'), z, none, generator), ResultCode::Ok);
  EXPECT_EQ(z.re, 2001.0L);
}

// Integer powers need an integer exponent; a fraction's denominator is not
// dropped (A^(1/2) used to give A, A^(3/2) A^3).
TEST_F(ExpressionTest, IntegerPowersRefuseFractions) {
  ExprValue v;
  for (const char* text : {"A^(1/2)", "A^(3/2)", "A^(-1/3)", "A^(7/4)"})
    EXPECT_EQ(Calc(text, v, Mode::Integer), ResultCode::IntegerExpected) << text;
  ASSERT_EQ(Calc("A^(4/2)", v, Mode::Integer), ResultCode::Ok);  // 2 after reduction
  EXPECT_EQ(v.integerMatrix.at(1, 1).Value().get_si(), 22);  // [[7,10],[15,22]]
  ASSERT_EQ(Calc("A^(-2/-1)", v, Mode::Integer), ResultCode::Ok);
  EXPECT_EQ(v.integerMatrix.at(0, 1).Value().get_si(), 10);
}

// Values from mpmath: the principal cube root of -8 is 1 + sqrt(3) i.
TEST_F(ExpressionTest, EntryTextsSignsAndRange) {
  WindowVariables vars{};
  Complex z;
  ASSERT_EQ(EvaluateEntryText(vars, "(-8)^(1/3)", z, none, generator), ResultCode::Ok);
  EXPECT_NEAR(static_cast<double>(z.re), 1.0, 1e-18);
  EXPECT_NEAR(static_cast<double>(z.im), 1.7320508075688772935, 1e-18);
  ASSERT_EQ(EvaluateEntryText(vars, "-0", z, none, generator), ResultCode::Ok);
  EXPECT_FALSE(std::signbit(z.im));
  ASSERT_EQ(EvaluateEntryText(vars, "1/0.000000001", z, none, generator), ResultCode::Ok);
  EXPECT_NEAR(static_cast<double>(z.re / 1e9L), 1.0, 1e-18);
  // Beyond the extended range: infinity, which an entry refuses; a tiny
  // fraction underflows to zero.
  EXPECT_EQ(EvaluateEntryText(vars, "1" + std::string(5000, '0'), z, none, generator), ResultCode::CouldNotCalculate);
  ASSERT_EQ(EvaluateEntryText(vars, "0." + std::string(5000, '0') + "1", z, none, generator), ResultCode::Ok);
  EXPECT_EQ(z.re, 0.0L);
  ExprTree t;
  ASSERT_EQ(ParseExpression("1" + std::string(5000, '0'), false, t), ResultCode::Ok);
  EXPECT_TRUE(std::isinf(t.nodes[t.root].constant.re));
}

TEST_F(ExpressionTest, HostileTexts) {
  ExprTree t;
  ExprValue v;
  for (int b = 0; b < 256; ++b) {
    std::string s(1, static_cast<char>(b));
    ResultCode c = ParseExpression(s, false, t);
    if (IsOk(c)) (void)EvaluateExpression(t, Mode::Real, lookup_, v, none);
    (void)ParseExpression(s, true, t);
    EXPECT_FALSE(IsStopped(ParseExpression(s + s + "A" + s, false, t)));
  }
  // No depth limit: long texts only cost time (these used to be refused
  // with "no more room" beyond 1000 levels).
  const std::string open(10000, '('), close(10000, ')');
  EXPECT_EQ(ParseExpression(open + "A" + close, false, t), ResultCode::Ok);
  EXPECT_EQ(ParseExpression(std::string(100000, '-') + "A", false, t), ResultCode::Ok);
  EXPECT_EQ(ParseExpression("A" + std::string(100000, '\''), false, t), ResultCode::InconsistentData);
  EXPECT_EQ(ParseExpression(std::string(100000, '('), false, t), ResultCode::MatrixNotFound);
  std::string flat;
  for (int i = 0; i < 400; ++i) flat += "(M+M)";  // 400 products of shallow groups
  ASSERT_EQ(ParseExpression(flat.substr(0, 5 * 300), false, t), ResultCode::Ok);

  uint64_t s = 12345;
  const char alphabet[] = "AMPQ0123.'()[]{}+-*/^| \xFD\x92\xE2";
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    int len = static_cast<int>((s >> 33) % 24);
    for (int i = 0; i < len; ++i) {
      s = s * 6364136223846793005ULL + 1442695040888963407ULL;
      bool anyByte = (s >> 60) == 0;
      text += anyByte ? static_cast<char>(s >> 40) : alphabet[(s >> 40) % (sizeof alphabet - 1)];
    }
    s = s * 6364136223846793005ULL + 1442695040888963407ULL;
    for (bool integer : {false, true}) {
      ResultCode c = ParseExpression(text, integer, t);
      if (c != ResultCode::Ok) {
        EXPECT_TRUE(c == ResultCode::CannotUnderstand || c == ResultCode::InconsistentData ||
                    c == ResultCode::NothingToDo || c == ResultCode::MatrixNotFound ||
                    c == ResultCode::IntegerExpected)
            << text << " " << CodeNumber(c);
        continue;
      }
      // Integer powers of random size could grow without bound: skip them.
      if (integer && text.find('^') != std::string::npos) continue;
      c = EvaluateExpression(t, integer ? Mode::Integer : Mode::Real, lookup_, v, none);
      EXPECT_FALSE(IsStopped(c)) << text;
      Complex z;
      EvaluateScalarTree(WindowVariables{}, t, t.root, z);
    }
  }
}

}  // namespace
}  // namespace tavrin
