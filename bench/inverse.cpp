// The long double inverse against Eigen's PartialPivLU<long double> at the
// same sizes: time per inverse and the residual max|A*inv - I| of each, so
// one run shows both speed and accuracy side by side.
#include <benchmark/benchmark.h>

#include <Eigen/Dense>
#include <random>

#include "engine/Elimination.h"

namespace {

using tavrin::Complex;
using tavrin::ComplexMatrix;
using EigenMatrix = Eigen::Matrix<long double, Eigen::Dynamic, Eigen::Dynamic>;
tavrin::NoInterrupt none;

EigenMatrix RandomMatrix(int n) {
  std::mt19937 gen(12345 + n);
  std::uniform_real_distribution<double> dist(-1.0, 1.0);
  EigenMatrix m(n, n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) m(i, j) = dist(gen);
  m(0, 0) = 1e-12L;  // a tiny first pivot, which partial pivoting must avoid
  return m;
}

long double Residual(const EigenMatrix& a, const EigenMatrix& inv) {
  return (a * inv - EigenMatrix::Identity(a.rows(), a.cols())).cwiseAbs().maxCoeff();
}

void BM_TavrinInverse(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const EigenMatrix m = RandomMatrix(n);
  ComplexMatrix a(n, n), inv;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) a.at(i, j) = Complex(m(i, j));
  Complex det;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tavrin::DeterminantAndInverse(a, det, &inv, none));
    benchmark::ClobberMemory();
  }
  EigenMatrix x(n, n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) x(i, j) = inv.at(i, j).re;
  state.counters["residual"] = static_cast<double>(Residual(m, x));
}
BENCHMARK(BM_TavrinInverse)->Arg(100)->Arg(300)->Arg(600)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_EigenInverse(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const EigenMatrix m = RandomMatrix(n);
  EigenMatrix inv;
  for (auto _ : state) {
    inv = m.partialPivLu().inverse();
    benchmark::DoNotOptimize(inv.data());
    benchmark::ClobberMemory();
  }
  state.counters["residual"] = static_cast<double>(Residual(m, inv));
}
BENCHMARK(BM_EigenInverse)->Arg(100)->Arg(300)->Arg(600)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
