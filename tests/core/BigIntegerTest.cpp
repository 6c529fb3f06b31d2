#include "core/BigInteger.h"

#include <gtest/gtest.h>

#include <string>

#include "core/Interrupt.h"
#include "core/PollKey.h"
#include "FakeInterrupt.h"

namespace tavrin {
namespace {

NoInterrupt none;

struct ParseCase {
  const char* text;
  ResultCode code;
  const char* value;
  bool negative;
};

TEST(BigIntegerParse, TableOfTexts) {
  const ParseCase cases[] = {
      {"-0", ResultCode::Ok, "0", false},          {"--5", ResultCode::Ok, "5", false},   {"", ResultCode::CouldNotFind, "0", false},
      {"-", ResultCode::CouldNotFind, "0", false},           {"---", ResultCode::CouldNotFind, "0", false},   {"007", ResultCode::Ok, "7", false},
      {"1,000,000", ResultCode::Ok, "1000000", false}, {"12a34", ResultCode::Ok, "1234", false}, {"1.234", ResultCode::Ok, "1234", false},
      {"-12345678901", ResultCode::Ok, "-12345678901", true}, {"abc", ResultCode::Ok, "0", false}, {"-x", ResultCode::Ok, "0", false},
      {"000", ResultCode::Ok, "0", false},         {"---7", ResultCode::Ok, "-7", true},
  };
  for (const auto& c : cases) {
    BigInteger v(99);
    EXPECT_EQ(BigInteger::Parse(c.text, v), c.code) << c.text;
    EXPECT_EQ(v.ToString(), c.value) << c.text;
    EXPECT_EQ(v.IsNegative(), c.negative) << c.text;
  }
}

TEST(BigIntegerParse, HugeAndBinaryInputDoNotCrash) {
  std::string huge(1 << 20, '7');
  BigInteger v;
  EXPECT_EQ(BigInteger::Parse(huge, v), ResultCode::Ok);
  EXPECT_EQ(v.Top(), (1 << 20) / 4 - 1);
  std::string binary;
  for (int b = 0; b < 256; ++b) binary.push_back(static_cast<char>(b));
  EXPECT_EQ(BigInteger::Parse(binary, v), ResultCode::Ok);
  EXPECT_EQ(v.ToString(), "123456789");  // '0' is leading and dropped
}

TEST(BigIntegerLimbs, BaseTenThousandView) {
  struct Case {
    long value;
    std::vector<uint16_t> limbs;
  } cases[] = {{0, {0}}, {9999, {9999}}, {10000, {0, 1}}, {99999999, {9999, 9999}},
               {100000000, {0, 0, 1}}, {-12345, {2345, 1}}};
  for (const auto& c : cases) {
    BigInteger v(c.value);
    EXPECT_EQ(v.Limbs(), c.limbs) << c.value;
    EXPECT_EQ(v.Top(), static_cast<int>(c.limbs.size()) - 1) << c.value;
    EXPECT_EQ(BigInteger::FromLimbs(c.limbs, c.value < 0), v) << c.value;
  }
}

TEST(BigIntegerInt32, OnlyTwoLimbsConvert) {
  int32_t out = 0;
  EXPECT_TRUE(BigInteger(99999999).ToInt32(out));
  EXPECT_EQ(out, 99999999);
  EXPECT_TRUE(BigInteger(-1234).ToInt32(out));
  EXPECT_EQ(out, -1234);
  EXPECT_FALSE(BigInteger(100000000).ToInt32(out));
  EXPECT_FALSE(BigInteger(-2000000000).ToInt32(out));
}

TEST(BigIntegerText, FormAndCuts) {
  BigInteger v;
  ASSERT_EQ(BigInteger::Parse("-12345678901", v), ResultCode::Ok);
  EXPECT_EQ(v.Limbs(), (std::vector<uint16_t>{8901, 4567, 123}));
  EXPECT_EQ(v.TextForm(), "-12345678901");
  EXPECT_EQ(v.TextForm(8), "-1234...");
  EXPECT_EQ(BigInteger(1020003).TextForm(), "1020003");
  EXPECT_EQ(BigInteger(123456789).TextForm(255, 4), "1234\r\n5678\r\n9");
  EXPECT_EQ(BigInteger(123456789).TextForm(255, 0, -1, 0, 2), "  123456789");
  EXPECT_EQ(BigInteger(0).TextForm(), "0");
  // A cut text shorter than three characters is overwritten whole, keeping its length.
  EXPECT_EQ(BigInteger(123456789).TextForm(2), ".");
}

TEST(BigIntegerCompare, MagnitudeSign) {
  EXPECT_EQ(BigInteger(5).CompareMagnitude(BigInteger(-7)), 1);
  EXPECT_EQ(BigInteger(-7).CompareMagnitude(BigInteger(5)), -1);
  EXPECT_EQ(BigInteger(-7).CompareMagnitude(BigInteger(7)), 0);
}

TEST(BigIntegerDivision, TruncatedWithDividendSign) {
  struct Case {
    long a, b, q, r;
  } cases[] = {{7, -2, -3, 1}, {-7, 2, -3, -1}, {-7, -2, 3, -1}, {7, 2, 3, 1},
               {0, 5, 0, 0},   {5, 1, 5, 0},    {5, -1, -5, 0}, {-5, 5, -1, 0}, {3, 7, 0, 3}};
  for (const auto& c : cases) {
    BigInteger q, r;
    EXPECT_EQ(DivRem(c.a, c.b, q, r, none), ResultCode::Ok);
    EXPECT_EQ(q, BigInteger(c.q)) << c.a << "/" << c.b;
    EXPECT_EQ(r, BigInteger(c.r)) << c.a << "/" << c.b;
  }
  BigInteger q(9), r(9);
  EXPECT_EQ(DivRem(5, 0, q, r, none), ResultCode::DivisionByZero);
  EXPECT_TRUE(q.IsZero());
  EXPECT_TRUE(r.IsZero());
}

// A refusal leaves 1 in the result.
TEST(BigIntegerGcd, CodesAndSigns) {
  using Op = ResultCode (*)(const BigInteger&, const BigInteger&, BigInteger&, Interrupt&);
  const struct { Op op; long a, b; ResultCode code; long result; } cases[] = {
      {Gcd, 0, 0, ResultCode::InconsistentData, 1}, {Gcd, 0, -4, ResultCode::Ok, 4}, {Gcd, -4, 4, ResultCode::Ok, 4},
      {Gcd, -12, 18, ResultCode::Ok, 6}, {Lcm, 0, 3, ResultCode::InconsistentData, 1}, {Lcm, -4, 6, ResultCode::Ok, 12}};
  for (const auto& c : cases) {
    BigInteger g(99);
    EXPECT_EQ(c.op(c.a, c.b, g, none), c.code) << c.a << ", " << c.b;
    EXPECT_EQ(g, BigInteger(c.result)) << c.a << ", " << c.b;
  }
}

TEST(BigIntegerPower, SquareAndMultiply) {
  BigInteger p;
  EXPECT_EQ(Power(BigInteger(2), 100, p, none), ResultCode::Ok);
  EXPECT_EQ(p.ToString(), "1267650600228229401496703205376");
  EXPECT_EQ(Power(BigInteger(-3), 3, p, none), ResultCode::Ok);
  EXPECT_EQ(p, BigInteger(-27));
  EXPECT_EQ(Power(BigInteger(0), 0, p, none), ResultCode::Ok);
  EXPECT_EQ(p, BigInteger(1));
  EXPECT_EQ(Power(BigInteger(2), -1, p, none), ResultCode::LowMemory);
}

// Q abandons with the placeholders; other keys are ignored.
TEST(BigIntegerPoll, QuitAbandonsWithPlaceholders) {
  BigInteger out;
  FakeInterrupt quit('Q');
  EXPECT_EQ(Multiply(BigInteger(6), BigInteger(7), out, quit), ResultCode::Stopped);
  EXPECT_EQ(out, BigInteger(1));
  BigInteger q(5), r(5);
  FakeInterrupt quitDivision('Q');
  EXPECT_EQ(DivRem(100, 7, q, r, quitDivision), ResultCode::Stopped);
  EXPECT_TRUE(q.IsZero() && r.IsZero());
  FakeInterrupt other('X');
  EXPECT_EQ(Multiply(BigInteger(6), BigInteger(7), out, other), ResultCode::Ok);
  EXPECT_EQ(out, BigInteger(42));
  // Power polls once per squaring: Q at the third poll of 2^100 stops it.
  FakeInterrupt late('Q', 3);
  EXPECT_EQ(Power(BigInteger(2), 100, out, late), ResultCode::Stopped);
  EXPECT_EQ(out, BigInteger(1));
  EXPECT_EQ(late.polls, 3);
}

// The program's token takes the queued key once, upper case; a cleared
// queue answers nothing.
TEST(ProgramInterrupt, AnswersTheKeyQueue) {
  Interrupt& token = ProgramInterrupt();
  for (int key : {'q', 'S', 'x'}) {
    PostKey(key);
    EXPECT_EQ(token.Poll(), key == 'S' ? 'S' : key - ('a' - 'A'));
    EXPECT_EQ(token.Poll(), 0);
  }
  PostKey('Q');
  ClearPendingKey();
  EXPECT_FALSE(token.Quit());
  PostKey('Q');
  EXPECT_TRUE(token.Quit());
}

}  // namespace
}  // namespace tavrin
