// The one-matrix report of a random real matrix (rank, trace, determinant,
// characteristic polynomial and every root with its multiplicity) against
// Eigen's long double eigenvalue solver on the same matrix, at n = 20, 60,
// 100 and 200. The pair to compare is BM_Report/n with BM_EigenSolver/n.
#include <benchmark/benchmark.h>

#include <Eigen/Dense>

#include "core/Random.h"
#include "engine/OneMatrixReport.h"
#include "engine/RootFinder.h"

namespace {

using namespace tavrin;
using LongMatrix = Eigen::Matrix<long double, Eigen::Dynamic, Eigen::Dynamic>;

ComplexMatrix RandomMatrix(int n) {
  RandomGenerator g;
  g.Seed(static_cast<uint32_t>(n));
  ComplexMatrix m(n, n);
  for (Complex& x : m.e) x = Complex(g.Range(-1.0L, 1.0L), 0.0L);
  return m;
}

void BM_Report(benchmark::State& state) {
  ComplexMatrix m = RandomMatrix(static_cast<int>(state.range(0)));
  ReportFormat f;
  for (auto _ : state) {
    std::string text = OneMatrixReport(m, MatrixKind::Real, f);
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_Report)->Arg(20)->Arg(60)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

// The polynomial and the roots alone, without rank and determinant.
void BM_PolynomialAndRoots(benchmark::State& state) {
  ComplexMatrix m = RandomMatrix(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::vector<Complex> c;
    RootList r;
    MatrixPolynomialAndRoots(m, false, c, r);
    benchmark::DoNotOptimize(r.roots.data());
  }
}
BENCHMARK(BM_PolynomialAndRoots)->Arg(20)->Arg(60)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

// Eigen's solver as a user calls it: EigenSolver on the long double matrix.
void BM_EigenSolver(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  ComplexMatrix m = RandomMatrix(n);
  LongMatrix a(n, n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) a(i, j) = m.at(i, j).re;
  for (auto _ : state) {
    Eigen::EigenSolver<LongMatrix> solver(a);
    benchmark::DoNotOptimize(solver.eigenvalues().data());
  }
}
BENCHMARK(BM_EigenSolver)->Arg(20)->Arg(60)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

// The same solver asked for eigenvalues only.
void BM_EigenSolverValuesOnly(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  ComplexMatrix m = RandomMatrix(n);
  LongMatrix a(n, n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) a(i, j) = m.at(i, j).re;
  for (auto _ : state) {
    Eigen::EigenSolver<LongMatrix> solver(a, false);
    benchmark::DoNotOptimize(solver.eigenvalues().data());
  }
}
BENCHMARK(BM_EigenSolverValuesOnly)->Arg(20)->Arg(60)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
