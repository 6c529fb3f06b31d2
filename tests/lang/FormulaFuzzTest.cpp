#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "lang/FormulaEngine.h"
#include "FakeInterrupt.h"

namespace tavrin {
namespace {

NoInterrupt none;
RandomGenerator generator;

// A small fixed-seed generator of its own, so the inputs never change.
struct Lcg {
  uint64_t s;
  uint32_t Next() {
    s = s * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(s >> 33);
  }
  size_t Below(size_t n) { return Next() % n; }
};

const char* const kPieces[] = {
    "SIN", "COS", "SUM", "PROD", "ITER", "JOINX", "JOINT", "MAX", "MIN", "ROOT", "POW", "BINOM",
    "LOG", "LG", "ABS", "ARG", "MOD", "GCD", "FACT", "GAMMA", "PI", "DEG", "PINF", "NINF", "RAND",
    "(", ")", "[", "]", "{", "}", ",", ",", "|", "!", "^", "*", "/", "+", "-", "-", ".", "I", "J",
    "K", "X", "E", "0", "1", "2", "9", "99999", "0.5", " ", "\xFD", "#", "\x8E", "@", "a", "z"};

std::string RandomText(Lcg& g, size_t length) {
  std::string t;
  while (t.size() < length) {
    if (g.Below(8) == 0) t.push_back(static_cast<char>(g.Below(256)));
    else t += kPieces[g.Below(sizeof kPieces / sizeof *kPieces)];
  }
  t.resize(length);
  return t;
}

// Evaluates what compiles; a pressed S bounds every long loop.
void Exercise(FormulaEngine& engine, const std::string& text) {
  engine.status = ResultCode::Ok;
  FakeInterrupt atCompile('S');
  if (NotOk(CompileFormula(engine, text, atCompile, generator))) {
    ASSERT_EQ(engine.root(), nullptr);
    return;
  }
  ASSERT_NE(engine.root(), nullptr);
  engine.status = ResultCode::Ok;
  FakeInterrupt atEvaluation('S');
  for (int k = 1; k <= 2; ++k) {
    engine.variable('I') = Complex(k);
    engine.variable('J') = Complex(3 - k);
    EvaluateFormula(engine, engine.root(), atEvaluation, generator);
  }
}

TEST(FormulaFuzz, RandomTextsNeverCrashOrHang) {
  Lcg g{20240611};
  FormulaEngine real, cx;
  cx.SetComplexSwitch(true);
  int compiled = 0;
  for (int n = 0; n < 100000; ++n) {
    size_t length = n % 2000 == 0 ? 5000 : 1 + g.Below(n % 7 == 0 ? 200 : 24);
    std::string text = RandomText(g, length);
    FormulaEngine& engine = n % 5 == 0 ? cx : real;
    Exercise(engine, text);
    compiled += engine.root() != nullptr;
  }
  EXPECT_GT(compiled, 1000);  // the generator reaches the evaluator too
}

TEST(FormulaFuzz, AdversarialTexts) {
  std::vector<std::string> texts;
  texts.push_back(std::string(2500, '(') + "I" + std::string(2500, ')'));
  texts.push_back(std::string(2500, '(') + "I" + std::string(2499, ')'));
  texts.push_back(std::string(2499, '(') + "I" + std::string(2500, ')'));
  texts.push_back(std::string(4999, '-') + "I");
  std::string facts = "I";
  for (int k = 0; k < 800; ++k) facts = "FACT(" + facts + ")";
  texts.push_back(facts);
  texts.push_back("I" + std::string(4999, '!'));
  texts.push_back(std::string(100000, '-') + "I");  // beyond the work buffer
  texts.push_back(std::string(5000, 'X'));
  texts.push_back(std::string(5000, '9'));
  texts.push_back(std::string(5000, '.'));
  texts.push_back(std::string(5000, ','));
  texts.push_back(std::string(5000, '\xFD'));
  std::string chain = "I";
  for (int k = 0; k < 2499; ++k) chain += "^I";
  texts.push_back(chain);
  std::string sums = "K";
  for (int k = 0; k < 300; ++k) sums = "SUM(" + sums + ",K,1,2)";
  texts.push_back(sums);
  std::string sins = "I";
  for (int k = 0; k < 1500; ++k) sins = "SIN(" + sins + ")";
  texts.push_back(sins);
  std::string maxes = "MAX(1";
  for (int k = 0; k < 2000; ++k) maxes += ",I";
  texts.push_back(maxes + ")");
  std::string joins = "JOINX(1";
  for (int k = 0; k < 1000; ++k) joins += "|" + std::to_string(k) + ",2";
  texts.push_back(joins + ")");
  texts.push_back("ITER(2147483647,ITER(2147483647,X+1))");
  texts.push_back("SUM(PROD(K,K,1,2147483646),L,-2147483646,2147483646)");
  texts.push_back("FACT(FACT(FACT(FACT(9))))");
  texts.push_back("EXP(EXP(EXP(EXP(9))))+PINF^PINF-NINF^0.5");
  texts.push_back("ITER(20000,X+X+1)*ITER(20000,(X+1)*(X+1))");
  texts.push_back("SUM(K,K,1,3");
  texts.push_back("SUM(K,(,1,3))");
  texts.push_back("SUM(K,),1,3)");
  texts.push_back("JOINX(1,2)+JOINX(|,2)");
  FormulaEngine real, cx;
  cx.SetComplexSwitch(true);
  for (const std::string& t : texts) {
    Exercise(real, t);
    Exercise(cx, t);
  }
}

}  // namespace
}  // namespace tavrin
