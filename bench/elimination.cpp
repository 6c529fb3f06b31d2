// Elimination speed against reference libraries: the real inverse against
// Eigen's long double LU inverse, the exact determinant and inverse against
// FLINT. Compare the pairs with the same size argument.
#include <benchmark/benchmark.h>
#include <flint/fmpq_mat.h>
#include <flint/fmpz_mat.h>

#include <Eigen/Dense>
#include <random>

#include "engine/Elimination.h"

namespace {

using tavrin::BigInteger;
using tavrin::Complex;
using tavrin::ComplexMatrix;
using tavrin::Fraction;
using tavrin::IntegerMatrix;
using EigenMatrix = Eigen::Matrix<long double, Eigen::Dynamic, Eigen::Dynamic>;
tavrin::NoInterrupt none;

ComplexMatrix RandomReal(int n) {
  std::mt19937 gen(12345);
  std::uniform_real_distribution<double> dist(-1.0, 1.0);
  ComplexMatrix m(n, n);
  for (auto& z : m.e()) z = Complex(static_cast<long double>(dist(gen)));
  return m;
}

IntegerMatrix RandomInteger(int n) {
  std::mt19937 gen(777 + n);
  std::uniform_int_distribution<long> dist(0, 99);
  IntegerMatrix m(n, n);
  for (auto& x : m.e) x = BigInteger(dist(gen));
  return m;
}

void BM_RealInverse(benchmark::State& state) {
  const ComplexMatrix a = RandomReal(static_cast<int>(state.range(0)));
  Complex det;
  ComplexMatrix inv;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tavrin::DeterminantAndInverse(a, det, &inv, none));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RealInverse)->Arg(300)->Unit(benchmark::kMillisecond);

void BM_EigenLongDoubleInverse(benchmark::State& state) {
  const ComplexMatrix a = RandomReal(static_cast<int>(state.range(0)));
  const int n = a.rows;
  EigenMatrix m(n, n), inv;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) m(i, j) = a.at(i, j).re;
  for (auto _ : state) {
    inv = m.partialPivLu().inverse();
    benchmark::DoNotOptimize(inv.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_EigenLongDoubleInverse)->Arg(300)->Unit(benchmark::kMillisecond);

void BM_IntegerDeterminant(benchmark::State& state) {
  const IntegerMatrix a = RandomInteger(static_cast<int>(state.range(0)));
  Fraction det;
  for (auto _ : state) benchmark::DoNotOptimize(tavrin::IntegerInverse(a, det, nullptr, none));
}
BENCHMARK(BM_IntegerDeterminant)->Arg(30)->Arg(60)->Unit(benchmark::kMicrosecond);

void BM_FlintDeterminant(benchmark::State& state) {
  const IntegerMatrix a = RandomInteger(static_cast<int>(state.range(0)));
  const int n = a.rows;
  fmpz_mat_t m;
  fmpz_mat_init(m, n, n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) fmpz_set_si(fmpz_mat_entry(m, i, j), a.at(i, j).Value().get_si());
  fmpz_t det;
  fmpz_init(det);
  for (auto _ : state) {
    fmpz_mat_det(det, m);
    benchmark::ClobberMemory();
  }
  fmpz_clear(det);
  fmpz_mat_clear(m);
}
BENCHMARK(BM_FlintDeterminant)->Arg(30)->Arg(60)->Unit(benchmark::kMicrosecond);

void BM_IntegerInverse(benchmark::State& state) {
  const IntegerMatrix a = RandomInteger(static_cast<int>(state.range(0)));
  Fraction det;
  IntegerMatrix inv;
  for (auto _ : state) benchmark::DoNotOptimize(tavrin::IntegerInverse(a, det, &inv, none));
}
BENCHMARK(BM_IntegerInverse)->Arg(30)->Arg(60)->Unit(benchmark::kMicrosecond);

void BM_FlintRationalInverse(benchmark::State& state) {
  const IntegerMatrix a = RandomInteger(static_cast<int>(state.range(0)));
  const int n = a.rows;
  fmpq_mat_t m, inv;
  fmpq_mat_init(m, n, n);
  fmpq_mat_init(inv, n, n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) fmpq_set_si(fmpq_mat_entry(m, i, j), a.at(i, j).Value().get_si(), 1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(fmpq_mat_inv(inv, m));
    benchmark::ClobberMemory();
  }
  fmpq_mat_clear(inv);
  fmpq_mat_clear(m);
}
BENCHMARK(BM_FlintRationalInverse)->Arg(30)->Arg(60)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
