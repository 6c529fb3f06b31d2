#include "core/GmpMemory.h"

#include <gmpxx.h>
#include <gtest/gtest.h>

#include <new>

namespace tavrin {
namespace {

// Past the budget an allocation throws instead of GMP ending the program;
// the number it was for keeps its value and later work goes on normally.
TEST(GmpMemory, PastTheBudgetThrowsAndNumbersStayUsable) {
  InstallGmpMemoryFunctions();
  const size_t budget = GmpMemoryBudget();
  EXPECT_GT(budget, size_t{64} << 20);
  EXPECT_LE(budget, size_t{4} << 30);
  mpz_class r = 3;
  const size_t before = GmpBytesInUse();
  SetGmpMemoryBudget(before + (size_t{1} << 20));
  // 2^24 more bits: a 2 MiB number.
  EXPECT_THROW(mpz_mul_2exp(r.get_mpz_t(), r.get_mpz_t(), 1u << 24), std::bad_alloc);
  EXPECT_EQ(r, 3);
  mpz_mul_2exp(r.get_mpz_t(), r.get_mpz_t(), 1u << 20);  // 128 KiB fits
  EXPECT_EQ(mpz_sizeinbase(r.get_mpz_t(), 2), (1u << 20) + 2);
  EXPECT_GE(GmpBytesInUse(), before + (1u << 17));
  SetGmpMemoryBudget(budget);
  mpz_mul_2exp(r.get_mpz_t(), r.get_mpz_t(), 1u << 24);
  EXPECT_EQ(mpz_sizeinbase(r.get_mpz_t(), 2), (1u << 24) + (1u << 20) + 2);
  r = 0;
  mpz_class(1).swap(r);  // the big block is released
  EXPECT_LT(GmpBytesInUse(), before + 4096);
}

TEST(GmpMemory, EstimatesAgainstTheBudget) {
  const size_t budget = GmpMemoryBudget();
  SetGmpMemoryBudget(size_t{1} << 30);
  struct Case {
    long double bits, count;
    bool fits;
  } cases[] = {
      {8.0L * (1 << 30), 1, true},           // exactly the budget
      {8.0L * (1 << 30) + 8, 1, false},
      {3322.0L * 99999999.0L, 1, false},     // a 1000-digit number to the 99999999th power
      {64, 1e6L, true},                      // a million word-size entries
      {9000, 1e6L, false},
  };
  for (const Case& c : cases) EXPECT_EQ(FitsGmpBudget(c.bits, c.count), c.fits) << static_cast<double>(c.bits);
  SetGmpMemoryBudget(budget);
}

}  // namespace
}  // namespace tavrin
