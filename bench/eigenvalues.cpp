// The one-matrix report of a random real matrix (rank, trace, determinant,
// characteristic polynomial and every root with its multiplicity) against
// Eigen's long double eigenvalue solver on the same matrix, at n = 20, 60,
// 100 and 200. The pair to compare is BM_Report/n with BM_EigenSolver/n.
#include <benchmark/benchmark.h>

#include <Eigen/Dense>

#include "engine/OneMatrixReport.h"
#include "engine/RootFinder.h"
#include "SeededMatrix.h"

namespace {

using namespace tavrin;
using LongMatrix = Eigen::Matrix<long double, Eigen::Dynamic, Eigen::Dynamic>;
tavrin::NoInterrupt none;

// The same matrix as SeededRealMatrix(n), in Eigen's long double type.
LongMatrix EigenCopy(int n) {
  const ComplexMatrix m = SeededRealMatrix(n);
  LongMatrix a(n, n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) a(i, j) = m.at(i, j).re;
  return a;
}

void BM_Report(benchmark::State& state) {
  ComplexMatrix m = SeededRealMatrix(static_cast<int>(state.range(0)));
  ReportFormat f;
  for (auto _ : state) {
    std::string text = OneMatrixReport(m, MatrixKind::Real, f, none);
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_Report)->Arg(20)->Arg(60)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

// The polynomial and the roots alone, without rank and determinant.
void BM_PolynomialAndRoots(benchmark::State& state) {
  ComplexMatrix m = SeededRealMatrix(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::vector<Complex> c;
    RootList r;
    (void)MatrixPolynomialAndRoots(m, false, c, r, none);
    benchmark::DoNotOptimize(r.roots.data());
  }
}
BENCHMARK(BM_PolynomialAndRoots)->Arg(20)->Arg(60)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

// Eigen's solver as a user calls it: EigenSolver on the long double matrix.
void BM_EigenSolver(benchmark::State& state) {
  const LongMatrix a = EigenCopy(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Eigen::EigenSolver<LongMatrix> solver(a);
    benchmark::DoNotOptimize(solver.eigenvalues().data());
  }
}
BENCHMARK(BM_EigenSolver)->Arg(20)->Arg(60)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

// The same solver asked for eigenvalues only.
void BM_EigenSolverValuesOnly(benchmark::State& state) {
  const LongMatrix a = EigenCopy(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Eigen::EigenSolver<LongMatrix> solver(a, false);
    benchmark::DoNotOptimize(solver.eigenvalues().data());
  }
}
BENCHMARK(BM_EigenSolverValuesOnly)->Arg(20)->Arg(60)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
