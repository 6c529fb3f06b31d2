#include <gtest/gtest.h>

#include <cmath>

#include "core/Random.h"
#include "core/Thresholds.h"
#include "lang/FormulaEngine.h"
#include "FakeInterrupt.h"

namespace tavrin {
namespace {

NoInterrupt none;
RandomGenerator generator;

// Compiles text and evaluates it with I = i, J = j. Returns success.
bool Eval(FormulaEngine& engine, const char* text, Complex& out, long double i = 0, long double j = 0) {
  EXPECT_EQ(CompileFormula(engine, text, none, generator), ResultCode::Ok) << text;
  if (!engine.root()) return false;
  engine.variable('I') = Complex(i);
  engine.variable('J') = Complex(j);
  bool ok = EvaluateFormula(engine, engine.root(), none, generator);
  out = engine.root()->value;
  return ok;
}

// Distance in units of the last place of the reference.
long double Ulps(long double got, long double want) {
  if (got == want) return 0;
  long double ulp = std::nextafter(std::fabs(want), INFINITY) - std::fabs(want);
  return std::fabs(got - want) / ulp;
}

struct RefCase {
  const char* text;
  long double i;
  long double want;
};

TEST(FormulaEvaluator, ElementaryFunctionsMatchTheLibrary) {
  const long double third = 2.0L / 3.0L;
  const RefCase cases[] = {
      {"SIN(0.7)", 0, std::sin(0.7L)}, {"SIN(I/3)", 2, std::sin(third)}, {"COS(I/3)", 2, std::cos(third)},
      {"COS(-12.5)", 0, std::cos(-12.5L)}, {"TAN(I/3)", 2, std::tan(third)}, {"EXP(I/3)", 2, std::exp(third)},
      {"EXP(-11.25)", 0, std::exp(-11.25L)}, {"LN(I/3)", 2, std::log(third)}, {"LN(1234.5)", 0, std::log(1234.5L)},
      {"LOG(I/3)", 2, std::log10(third)}, {"LOG(1000)", 0, 3.0L}, {"LOG(2,I)", 1024, 10.0L},
      {"SQRT(I/3)", 2, std::sqrt(third)}, {"SQR(2)", 0, std::sqrt(2.0L)}, {"ROOT(3,I)", 10, std::cbrt(10.0L)},
      {"ROOT(3,-8)", 0, -2.0L}, {"ROOT(2,I)", 2, std::sqrt(2.0L)}, {"ROOT(-2,4)", 0, 0.5L},
      {"ARCSIN(I/3)", 2, std::asin(third)}, {"ARCCOS(I/3)", 2, std::acos(third)},
      {"ARCTAN(I/3)", 2, std::atan(third)}, {"ATN(5)", 0, std::atan(5.0L)},
      {"ARCCOT(0.7)", 0, 0.96007036240568800268756281515L}, {"ARCCOT(-0.7)", 0, 2.18152229118410523577508056813L},
      {"SINH(I/3)", 2, std::sinh(third)}, {"COSH(I/3)", 2, std::cosh(third)}, {"TANH(I/3)", 2, std::tanh(third)},
      {"TANH(-5000)", 0, -1.0L}, {"ARGSINH(I/3)", 2, std::asinh(third)}, {"ARGCOSH(I/3)", 5, std::acosh(5.0L / 3.0L)},
      {"ARGTANH(I/3)", 2, std::atanh(third)}, {"ARGCOTH(I/3)", 5, std::atanh(3.0L / 5.0L)},
      {"SEC(I/3)", 2, 1.0L / std::cos(third)}, {"CSC(I/3)", 2, 1.0L / std::sin(third)},
      {"COT(I/3)", 2, 1.0L / std::tan(third)}, {"SECH(I/3)", 2, 1.0L / std::cosh(third)},
      {"CSCH(I/3)", 2, 1.0L / std::sinh(third)}, {"COTH(I/3)", 2, 1.0L / std::tanh(third)}, {"ABS(-2.5)", 0, 2.5L},
      {"ABS(3,-4)", 0, 5.0L},
      {"ABS(0.0000000000000001)", 0, 0.0L},  // square below 1e-31
      {"ARG(1,1)", 0, std::atan2(1.0L, 1.0L)}, {"ARG(-1,0)", 0, std::atan2(0.0L, -1.0L)}, {"BINOM(10,3)", 0, 120.0L},
      {"BINOM(0.5,3)", 0, 0.0625L}, {"BINOM(-2,3)", 0, -4.0L}, {"BINOM(I,0)", 7, 1.0L}, {"BINOM(I,-2)", 7, 1.0L},
      {"MOD(-7,3)", 0, 2.0L}, {"MOD(7,-3)", 0, 1.0L}, {"MOD(5.5,2)", 0, 1.5L}, {"MOD(I,0.75)", 2, 0.5L},
      {"GCD(12,18)", 0, 6.0L}, {"GCD(-4,0)", 0, 4.0L}, {"GCD(0,0)", 0, 0.0L}, {"GCD(12.4,17.6)", 0, 6.0L},
      {"GCD(24,36,I)", 8, 4.0L}, {"FLOOR(-2.5)", 0, -3.0L}, {"FLOOR(2.5)", 0, 2.0L}, {"CEIL(-2.5)", 0, -2.0L},
      {"CEIL(2.25)", 0, 3.0L}, {"INT(-2.5)", 0, -2.0L}, {"FRAC(-2.5)", 0, -0.5L}, {"FRAC(I/4)", 9, 0.25L},
      {"SGN(0)", 0, 1.0L}, {"SGN(-I)", 3, -1.0L}, {"MAX(I,J,2)", 1, 2.0L}, {"MIN(I,-1,5)", 3, -1.0L},
      {"GAMMA(I)", 3, 0.0L}, {"CHI(I)", 3, 0.0L}, {"I|J", 3, 0.0L}, {"2^0.5", 0, std::exp(0.5L * std::log(2.0L))},
      {"I^1.5", 4, 8.0L},
      {"0^0.5", 0, std::exp(-2500.0L)},  // ln 0 counts as -5000
      {"(-2)^3", 0, -8.0L}, {"2^-2", 0, 0.25L}, {"10^40", 0, 1e40L},
      {"I*(PINF*10)", 1e-20L, std::exp(std::log(1e-20L) + std::log(OverflowBound() * 10))},
      {"0.00000000000000000001*(PINF*10)", 0, 0.0L},  // a zero left factor folds to 0
      {"1/(PINF*1)", 0, 0.0L}, {"PINF*2", 0, OverflowBound() * 2}, {"E", 0, std::exp(1.0L)}, {"(I+2)!", 1, 6.0L},
      {"POW(3,I)", 2, 8.0L},  // POW(n, x) is x^n
      {"POWER(-2,I)", 4, 0.0625L},
      {"SIN(I)^2+COS(I)^2", 0.3L, std::sin(0.3L) * std::sin(0.3L) + std::cos(0.3L) * std::cos(0.3L)},
      {"EXP(-5000)", 0, 0.0L},
  };
  for (const RefCase& c : cases) {
    FormulaEngine engine;
    Complex v;
    ASSERT_TRUE(Eval(engine, c.text, v, c.i)) << c.text;
    EXPECT_LE(Ulps(v.re, c.want), 4.0L) << c.text << " got " << static_cast<double>(v.re);
    EXPECT_EQ(v.im, 0.0L) << c.text;
  }
}

TEST(FormulaEvaluator, DomainErrorsFail) {
  const char* texts[] = {
      "1/(I-J)",  "SQRT(I-2)", "LN(0)",       "LN(-1)",       "LOG(0.00000000000000001)",
      "FACT(-1)", "FACT(-2)",  "FACT(40000)", "FACT(-1.0005)", "EXP(5000)",
      "SINH(5000)", "COSH(-5000)", "ARCSIN(1.5)", "ARCCOS(-2)", "ARGCOSH(0.5)",
      "ARGTANH(1)", "ARGCOTH(0.5)", "SIN(6000000000000000000)", "COS(-6000000000000000000)",
      "COT(0)",   "CSC(0)",    "CSCH(0)",     "COTH(0)",      "ROOT(0,4)",
      "ROOT(2,-4)", "ROOT(-2,0)", "ROOT(1.5,4)", "POW(1.5,4)", "BINOM(5,1.5)",
      "MOD(1,0)", "GCD(2147483647,1)", "(-8)^(1/3)", "(PINF*2)*(PINF*2)", "10^80",
      "PINF*10/1", "0^-1", "0^-0.5",     "SUM(K,K,1,1.5)", "PROD(1/(K-2),K,1,3)", "SUM(SQRT(K-3),K,1,5)",
      "PROD(PINF*2,K,1,2)", "BINOM(PINF*100,3)", "ITER(3,X-1+SQRT(X))",
  };
  for (const char* t : texts) {
    FormulaEngine engine;
    Complex v;
    EXPECT_FALSE(Eval(engine, t, v, 1, 1)) << t << " gave " << static_cast<double>(v.re);
  }
}

TEST(FormulaEvaluator, FactorialIsGammaOfTheNext) {
  struct {
    const char* text;
    long double want;
    long double relative;
  } cases[] = {
      {"FACT(5)", 120.0L, 1e-17L}, {"5!", 120.0L, 1e-17L}, {"FACT(0)", 1.0L, 1e-17L}, {"FACT(1)", 1.0L, 1e-17L},
      {"FACT(10)", 3628800.0L, 1e-17L}, {"FACT(20)", 2432902008176640000.0L, 2e-17L},
      {"FACT(0.5)", 0.886226925452758013649083741671L, 2e-17L},
      {"FACT(-0.5)", 1.77245385090551602729816748334L, 2e-17L},
      {"FACT(-1.5)", -3.54490770181103205459633496668L, 2e-17L},
      {"FACT(3.7)", 15.4314116000474317119563310949L, 2e-17L},
      {"FACT(170)", 7.257415615307998967396728211129e306L, 1e-16L},
  };
  for (const auto& c : cases) {
    FormulaEngine engine;
    Complex v;
    ASSERT_TRUE(Eval(engine, c.text, v)) << c.text;
    EXPECT_LE(std::fabs(v.re - c.want), std::fabs(c.want) * c.relative) << c.text;
  }
  // a pole sets the seam flag
  FormulaEngine engine;
  Complex v;
  EXPECT_FALSE(Eval(engine, "FACT(I)", v, -3));
  EXPECT_TRUE(engine.seam);
}

TEST(FormulaEvaluator, SumProductAndIterSetVariables) {
  FormulaEngine engine;
  Complex v;
  ASSERT_TRUE(Eval(engine, "SUM(K,K,1,I)", v, 4));
  EXPECT_EQ(v.re, 10);
  EXPECT_EQ(engine.variable('K').re, 4);  // the index keeps its last value
  ASSERT_TRUE(Eval(engine, "PROD(K,K,1,J)", v, 0, 5));
  EXPECT_EQ(v.re, 120);
  engine.variable('K') = Complex(9);  // empty ranges: the empty sum and product
  engine.variable('X') = Complex(1);  // ITER restores X
  const std::pair<const char*, long double> cases[] = {
      {"SUM(K,K,3,1)", 0}, {"PROD(K,K,3,1)", 1}, {"SUM(SUM(K*L,K,1,L),L,1,3)", 1 + 2 * 3 + 3 * 6},
      {"SUM(K,K,-2,2)+SUM(K^2,K,1,10)", 385}, {"ITER(3,2*X)", 8}, {"ITER(1,X+5)", 6}};
  for (const auto& [text, want] : cases) {
    ASSERT_TRUE(Eval(engine, text, v)) << text;
    EXPECT_EQ(v.re, want) << text;
  }
  EXPECT_EQ(engine.variable('X').re, 1);
  engine.variable('X') = Complex(0);
  ASSERT_TRUE(Eval(engine, "ITER(2,COS(X))", v));  // cos(cos(0))
  EXPECT_LE(Ulps(v.re, std::cos(1.0L)), 1);
}

TEST(FormulaEvaluator, SeamFlag) {
  struct {
    const char* text;
    long double i;
    bool seam;
  } cases[] = {
      {"INT(I)", 2.0005L, true}, {"INT(I)", 2.5L, false},  {"FLOOR(I)", -0.9999L, true},
      {"SGN(I)", 0.0001L, true}, {"SGN(I)", 0.5L, false},  {"MOD(I,1)", 3.0002L, true},
      {"GCD(I,4)", 2.5002L, true}, {"SUM(INT(K+0.0001),K,1,2)", 0, false},
  };
  for (const auto& c : cases) {
    FormulaEngine engine;
    Complex v;
    ASSERT_TRUE(Eval(engine, c.text, v, c.i)) << c.text;
    EXPECT_EQ(engine.seam, c.seam) << c.text;
  }
  FormulaEngine engine;
  ASSERT_EQ(CompileFormula(engine, "JOINX(1|2,3)", none, generator), ResultCode::Ok);
  engine.variable('X') = Complex(2.0003L);
  ASSERT_TRUE(EvaluateFormula(engine, engine.root(), none, generator));
  EXPECT_TRUE(engine.seam);
}

TEST(FormulaEvaluator, JoinsPickTheirPiece) {
  FormulaEngine engine;
  Complex v;
  ASSERT_TRUE(Eval(engine, "JOINX(1|0.5,2)", v));  // X = 0 < 0.5
  EXPECT_EQ(v.re, 1);
  ASSERT_TRUE(Eval(engine, "JOINX(1|-0.5,2)", v));
  EXPECT_EQ(v.re, 2);
  ASSERT_TRUE(Eval(engine, "JOINX(1|0,2)", v));  // the seam belongs to the right piece
  EXPECT_EQ(v.re, 2);
  ASSERT_EQ(CompileFormula(engine, "JOINT(T|1,10*T|2,100*T)", none, generator), ResultCode::Ok);
  const long double ts[] = {0.5L, 1.5L, 3};
  const long double want[] = {0.5L, 15, 300};
  for (int k = 0; k < 3; ++k) {
    engine.variable('T') = Complex(ts[k]);
    ASSERT_TRUE(EvaluateFormula(engine, engine.root(), none, generator));
    EXPECT_EQ(engine.root()->value.re, want[k]);
  }
  // a failing piece that is not chosen does not matter
  ASSERT_EQ(CompileFormula(engine, "JOINU(SQRT(-U)|1,LN(U))", none, generator), ResultCode::Ok);
  engine.variable('U') = Complex(-4);
  ASSERT_TRUE(EvaluateFormula(engine, engine.root(), none, generator));
  EXPECT_EQ(engine.root()->value.re, 2);
  engine.variable('U') = Complex(4);  // LN is chosen; the failing root is not
  ASSERT_TRUE(EvaluateFormula(engine, engine.root(), none, generator));
  EXPECT_LE(Ulps(engine.root()->value.re, std::log(4.0L)), 1);
}

// RAND and the compiler's trial values draw from the generator they are
// given, and from no other.
TEST(FormulaEvaluator, RandomDrawsFromTheGivenGenerator) {
  RandomGenerator own, copy;
  own.Seed(12345);
  copy.Seed(12345);
  const uint64_t other = generator.State();
  FormulaEngine engine;
  ASSERT_EQ(CompileFormula(engine, "RAND(I)", none, own), ResultCode::Ok);  // one trial: X, Y, Z, then RAND
  for (int k = 0; k < 4; ++k) copy.Range(0, 1);
  engine.variable('I') = Complex(3);
  ASSERT_TRUE(EvaluateFormula(engine, engine.root(), none, own));
  EXPECT_EQ(generator.State(), other);
  long double want = 3 * (2 * copy.Range(0, 1) - 1);
  EXPECT_EQ(engine.root()->value.re, want);
  EXPECT_LT(std::fabs(engine.root()->value.re), 3);
}

TEST(FormulaEvaluator, ComplexSwitchAgreesOnRealArguments) {
  const char* texts[] = {"SIN(J/3)", "EXP(J)", "LN(J)", "SQRT(J)", "FACT(J/2)", "J^1.5",
                         "MOD(J,0.7)", "ARCTAN(J)", "BINOM(J,2)", "ROOT(3,J)", "COT(J)", "ABS(J,1)"};
  for (const char* t : texts) {
    FormulaEngine real, cx;
    cx.SetComplexSwitch(true);
    Complex a, b;
    ASSERT_TRUE(Eval(real, t, a, 0, 5)) << t;
    ASSERT_TRUE(Eval(cx, t, b, 0, 5)) << t;
    EXPECT_EQ(a, b) << t;
  }
  // failures agree too: no complex square root of a negative real
  FormulaEngine cx;
  cx.SetComplexSwitch(true);
  Complex v;
  EXPECT_FALSE(Eval(cx, "SQRT(-4)", v));
}

TEST(FormulaEvaluator, ComplexBranches) {
  const double pi2 = 1.5707963267948966;
  // Exact where no tolerance is given; FACT(i) from the gamma function's series.
  const struct {
    const char* text;
    Complex want;
    double reTolerance = 0, imTolerance = 0;
  } cases[] = {
      {"I*I", Complex(-1, 0)}, {"EXP(I*PI)", Complex(-1, 0), 1e-18, 1e-15}, {"SQRT(2*I)", Complex(1, 1), 1e-18, 1e-18},
      {"LN(I)", Complex(0, pi2), 1e-18, 1e-18}, {"CONJ(1+2I)", Complex(1, -2)}, {"RE(3+2I)+IM(3+2I)", Complex(5, 0)},
      {"ABS(3+4I)", Complex(5, 0)}, {"ARG(I)", Complex(pi2, 0), 1e-18},
      {"FACT(I)", Complex(0.498015668118356042713691117462L, -0.154949828301810685124955130484L), 1e-16, 1e-16},
      {"(1+I)^2", Complex(0, 2)}, {"1/I", Complex(0, -1)}, {"CIS(PI/2)", Complex(0, 1), 1e-18, 1e-18},
  };
  FormulaEngine engine;
  engine.SetComplexSwitch(true);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_EQ(CompileFormula(engine, c.text, none, generator), ResultCode::Ok);
    engine.variable('I') = Complex(0, 1);
    ASSERT_TRUE(EvaluateFormula(engine, engine.root(), none, generator));
    const Complex v = engine.root()->value;
    if (c.reTolerance == 0 && c.imTolerance == 0) {
      EXPECT_EQ(v, c.want);
    } else {
      EXPECT_NEAR(static_cast<double>(v.re), static_cast<double>(c.want.re), c.reTolerance);
      EXPECT_NEAR(static_cast<double>(v.im), static_cast<double>(c.want.im), c.imTolerance);
    }
  }
}

TEST(FormulaEvaluator, LongLoopsStopOnQOrS) {
  const char* texts[] = {"1+ITER(2147483647,X+1)", "SUM(SUM(K*L,K,1,2000000000),L,1,2000000000)",
                         "PROD(1,K,-2147483646,2147483646)", "BINOM(2000000000.5,2000000000)"};
  for (const char* t : texts) {
    for (int key : {'Q', 'S'}) {
      FormulaEngine engine;
      FakeInterrupt atCompile(key);  // the compiler's trial evaluation stops as well
      ASSERT_EQ(CompileFormula(engine, t, atCompile, generator), ResultCode::Ok) << t;
      EXPECT_EQ(engine.status, ResultCode::Stopped) << t;
      engine.status = ResultCode::Ok;
      FakeInterrupt atEvaluation(key);
      EXPECT_FALSE(EvaluateFormula(engine, engine.root(), atEvaluation, generator)) << t;
      EXPECT_EQ(engine.status, ResultCode::Stopped);
      EXPECT_EQ(engine.variable('X').re, 0);  // restored
      // once stopped, nothing evaluates until the flag is cleared
      EXPECT_FALSE(EvaluateFormula(engine, engine.root(), none, generator));
    }
  }
}

}  // namespace
}  // namespace tavrin
