// BigInteger multiply and divide against the same GMP calls made directly:
// the wrapper should cost little over plain mpz arithmetic.
#include <benchmark/benchmark.h>
#include <gmpxx.h>

#include <string>

#include "core/BigInteger.h"
#include "core/Random.h"

namespace {
tavrin::NoInterrupt none;

std::string Digits(int n, uint32_t seed) {
  tavrin::RandomGenerator g;
  g.Seed(seed);
  std::string s;
  s.reserve(n);
  s.push_back(static_cast<char>('1' + g.Next() % 9));
  while (static_cast<int>(s.size()) < n) s.push_back(static_cast<char>('0' + g.Next() % 10));
  return s;
}

void BM_BigIntegerMultiply(benchmark::State& state) {
  tavrin::BigInteger a, b;
  (void)tavrin::BigInteger::Parse(Digits(state.range(0), 1), a);
  (void)tavrin::BigInteger::Parse(Digits(state.range(0), 2), b);
  tavrin::BigInteger out;
  for (auto _ : state) {
    if (tavrin::NotOk(tavrin::Multiply(a, b, out, none))) state.SkipWithError("multiply failed");
    benchmark::DoNotOptimize(out);
  }
}

void BM_GmpMultiply(benchmark::State& state) {
  mpz_class a(Digits(state.range(0), 1)), b(Digits(state.range(0), 2)), out;
  for (auto _ : state) {
    mpz_mul(out.get_mpz_t(), a.get_mpz_t(), b.get_mpz_t());
    benchmark::DoNotOptimize(out);
  }
}

void BM_BigIntegerDivide(benchmark::State& state) {
  tavrin::BigInteger a, b;
  (void)tavrin::BigInteger::Parse(Digits(2 * state.range(0), 3), a);
  (void)tavrin::BigInteger::Parse(Digits(state.range(0), 4), b);
  tavrin::BigInteger q, r;
  for (auto _ : state) {
    if (tavrin::NotOk(tavrin::DivRem(a, b, q, r, none))) state.SkipWithError("division failed");
    benchmark::DoNotOptimize(q);
  }
}

void BM_GmpDivide(benchmark::State& state) {
  mpz_class a(Digits(2 * state.range(0), 3)), b(Digits(state.range(0), 4)), q, r;
  for (auto _ : state) {
    mpz_tdiv_qr(q.get_mpz_t(), r.get_mpz_t(), a.get_mpz_t(), b.get_mpz_t());
    benchmark::DoNotOptimize(q);
  }
}

}  // namespace

BENCHMARK(BM_BigIntegerMultiply)->Arg(1000)->Arg(100000);
BENCHMARK(BM_GmpMultiply)->Arg(1000)->Arg(100000);
BENCHMARK(BM_BigIntegerDivide)->Arg(1000)->Arg(100000);
BENCHMARK(BM_GmpDivide)->Arg(1000)->Arg(100000);
BENCHMARK_MAIN();
