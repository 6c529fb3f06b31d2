#include <gtest/gtest.h>

#include <cmath>

#include "lang/EntryText.h"
#include "lang/Expression.h"

namespace tavrin {
namespace {

NoInterrupt none;
RandomGenerator generator;

// Expected values: exact literals, or mpmath at 80 bits (sqrt(2), 2pi, e).
TEST(EntryText, OneNumberPerText) {
  struct Case {
    const char* text;
    long double re, im;
  } cases[] = {
      {"1e3", 1000, 0},         {"-3.5E-2", -3.5e-2L, 0},  {"2.5E2", 250, 0},       {"1e-3", 1e-3L, 0},
      {".5", 0.5L, 0},          {"5.", 5, 0},              {"  7  ", 7, 0},         {"0e5", 0, 0},
      {"1.5e+300", 1.5e300L, 0}, {"2^3^2", 512, 0},        {"-2^2", -4, 0},         {"2^-1", 0.5L, 0},
      {"[2]{3}", 6, 0},          {"1/4-1/2", -0.25L, 0},  {"i", 0, 1},
      {"2i", 0, 2},             {"1-2i", 1, -2},           {"(1+i)^2", 0, 2},       {"max(1,5,3)", 5, 0},
      {"2exp(0)", 2, 0},        {"1e-4950", 1e-4950L, 0},  // subnormal, still not zero
      {"-0", 0, 0},             {"1e-5000", 0, 0},         {"-(2-2i)", -2, 2},      {"1e-20/4", 2.5e-21L, 0},
  };
  for (const Case& c : cases) {
    Complex z;
    ASSERT_EQ(EvaluateEntryText(WindowVariables{}, c.text, z, none, generator), ResultCode::Ok) << c.text;
    EXPECT_EQ(z, Complex(c.re, c.im)) << c.text;
  }
  struct Near {
    const char* text;
    long double value;
  } near[] = {
      {"sqrt(2)", 1.4142135623730950488017L}, {"2*pi", 6.2831853071795864769253L}, {"2 pi", 6.2831853071795864769253L},
      {"1/3", 0.33333333333333333333333L},    {"exp(1)", 2.7182818284590452353603L}, {"sin 30deg", 0.5L},
      {"log(2,8)", 3},                        {"sqrt 2^2", 2},                        {"-sqrt(4)^3", -8}, {"3!", 6},
  };
  for (const Near& c : near) {
    Complex z;
    ASSERT_EQ(EvaluateEntryText(WindowVariables{}, c.text, z, none, generator), ResultCode::Ok) << c.text;
    EXPECT_NEAR(static_cast<double>(z.re), static_cast<double>(c.value), 1e-15) << c.text;
    EXPECT_LT(std::fabs(z.im), 1e-15L) << c.text;
  }
}

TEST(EntryText, AnythingElseIsRefused) {
  // A letter is not a matrix or a zero; a second point or a dangling
  // exponent is not part of a number; values beyond the range are not 0 or inf.
  for (const char* bad : {"abc", "5x", "x", "z", "e", "a+1", "2e", "e3", "1e", "1e+", "0.1.2", "1..2", ".", "2 3",
                          "(1", "1)", "*2", "2*", "1,2", "sqrt", "sin()", "$", "1/0", "1e5000",
                          "sum(k,k,1,3)", "pow(2)", "2^", "", "1/1e-17", "2^100000"}) {
    Complex z(7, 7);
    EXPECT_EQ(EvaluateEntryText(WindowVariables{}, bad, z, none, generator), ResultCode::CouldNotCalculate) << bad;
    EXPECT_EQ(z, kComplexZero) << bad;
  }
  std::string deep(5000, '(');
  Complex z;
  EXPECT_EQ(EvaluateEntryText(WindowVariables{}, deep + "1" + std::string(5000, ')'), z, none, generator), ResultCode::CouldNotCalculate);
  EXPECT_EQ(EvaluateEntryText(WindowVariables{}, std::string(5000, '-') + "1", z, none, generator), ResultCode::CouldNotCalculate);
}

// Calculate keeps its own rule: 1E5 is 1 times the matrix E times 5.
TEST(EntryText, CalculateHasNoExponents) {
  ExprTree t;
  ASSERT_EQ(ParseExpression("1E5", false, t), ResultCode::Ok);
  EXPECT_EQ(t.nodes[t.root].code, '*');
}

TEST(EntryText, IntegerTexts) {
  BigInteger b;
  EXPECT_EQ(ReadIntegerEntryText("-1,234,567e2", b), ResultCode::Ok);
  EXPECT_EQ(b.ToString(), "-123456700");
  EXPECT_EQ(ReadIntegerEntryText("  --  ", b), ResultCode::CouldNotFind);
}

}  // namespace
}  // namespace tavrin
