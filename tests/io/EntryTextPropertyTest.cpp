// Whatever the value and the format, a shown entry is never a wrong number:
// it reads back as a cut of the value's fixed text with every integer digit,
// or as an exponent form within the digits it shows, or it is the overflow mark.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/CLocale.h"
#include "core/FixedText.h"
#include "io/DisplayFormat.h"

namespace tavrin {
namespace {

struct Rng {
  uint64_t s;
  uint64_t Next() { return s = s * 6364136223846793005ULL + 1442695040888963407ULL, s >> 11; }
  long double Unit() { return static_cast<long double>(Next()) / 9007199254740992.0L; }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
  // A value between 1e-20 and 1e20 in magnitude, either sign, sometimes 0.
  long double Value() {
    if (Below(50) == 0) return 0.0L;
    long double x = (1.0L + 9.0L * Unit()) * std::pow(10.0L, static_cast<long double>(Below(41) - 21));
    return Below(2) ? -x : x;
  }
};

std::string Trim(std::string t) {
  t.erase(0, t.find_first_not_of(' '));
  return t;
}

// One part (a real entry, or one side of a complex one) checked against x.
::testing::AssertionResult PartIsSound(const std::string& shown, long double x, int places) {
  if (shown.empty()) return ::testing::AssertionFailure() << "empty part";
  if (shown.find_first_not_of('#') == std::string::npos) return ::testing::AssertionSuccess();
  const size_t e = shown.find('e');
  char* end = nullptr;
  const long double v = StrToLongDoubleC(shown.c_str(), &end);
  if (*end != '\0') return ::testing::AssertionFailure() << "'" << shown << "' is not one number";
  if (e != std::string::npos) {
    // Exponent form: off by at most one unit in its last digit.
    const size_t dot = shown.find('.');
    const int digits = dot == std::string::npos ? 0 : static_cast<int>(e - dot - 1);
    const int exponent = std::atoi(shown.c_str() + e + 1);
    const long double unit = std::pow(10.0L, static_cast<long double>(exponent - digits));
    if (std::fabs(v - x) <= unit) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "'" << shown << "' is not within one unit of " << static_cast<double>(x);
  }
  // Fixed form: a cut of the full fixed text that keeps the whole integer part.
  const std::string full = Trim(FixedText(x, places));
  const std::string t = Trim(shown);
  const size_t head = std::min(full.find('.'), full.size());
  if (full.compare(0, t.size(), t) == 0 && t.size() >= head) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "'" << shown << "' is no cut of " << full;
}

TEST(EntryTextProperty, NeverAWrongNumber) {
  Rng rng{2026};
  for (int k = 0; k < 30000; ++k) {
    DisplayFormat f = WindowFormatFor(MatrixKind::Real);
    f.width = static_cast<int16_t>(7 + rng.Below(14));
    f.places = static_cast<int16_t>(rng.Below(std::min(16, f.width - 1)));
    f.scientific = rng.Below(4) == 0;
    const int kind = rng.Below(3);
    if (kind == 2) {
      // Integers: all digits, or the leading ones followed by "...".
      std::string digits = std::to_string(1 + rng.Below(9));
      for (int d = rng.Below(40); d > 0; --d) digits += static_cast<char>('0' + rng.Below(10));
      BigInteger b;
      ASSERT_EQ(BigInteger::Parse(digits, b), ResultCode::Ok);
      std::string t = EntryText(f, b);
      if (t == digits) continue;
      ASSERT_GE(t.size(), 4u) << digits << " width " << f.width;
      ASSERT_EQ(t.substr(t.size() - 3), "...") << digits;
      ASSERT_EQ(digits.compare(0, t.size() - 3, t, 0, t.size() - 3), 0) << t << " for " << digits;
      continue;
    }
    const Complex z(rng.Value(), kind == 1 ? rng.Value() : 0.0L);
    const MatrixKind mk = kind == 1 ? MatrixKind::Complex : MatrixKind::Real;
    const std::string t = EntryText(f, mk, z);
    SCOPED_TRACE("width " + std::to_string(f.width) + " places " + std::to_string(f.places) +
                 (f.scientific ? " sci" : "") + ": '" + t + "'");
    ASSERT_LE(t.size(), static_cast<size_t>(f.width));
    if (mk == MatrixKind::Real) {
      ASSERT_TRUE(PartIsSound(t, z.re, f.places));
      continue;
    }
    if (t.find_first_not_of('#') == std::string::npos) continue;  // no room for "a + bi" at all
    ASSERT_EQ(t.back(), 'i');
    const size_t sep = t.find(z.im < 0 ? " - " : " + ");
    ASSERT_NE(sep, std::string::npos);
    ASSERT_TRUE(PartIsSound(t.substr(0, sep), z.re, f.places));
    ASSERT_TRUE(PartIsSound(t.substr(sep + 3, t.size() - sep - 4), std::fabs(z.im), f.places));
  }
}

}  // namespace
}  // namespace tavrin
