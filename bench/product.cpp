// Long double product and real inverse against Eigen over long double on the
// same inputs, in one run: product at n = 500 and 1000, inverse at n = 300
// and 1000. Each pair runs as timed benchmarks; at the end the program prints
// the ratios ours / Eigen (thread CPU time, best of the repetitions) and the
// inverse residuals max|A*A^-1 - I| of both, and the longest wait between
// two stop polls of a 1500x1500 inverse (how late Q can be answered).
#include <benchmark/benchmark.h>

#include <Eigen/Dense>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>
#include <random>
#include <string>

#include "engine/Elimination.h"
#include "engine/Product.h"

namespace {

using tavrin::Complex;
using tavrin::ComplexMatrix;
using EigenMatrix = Eigen::Matrix<long double, Eigen::Dynamic, Eigen::Dynamic>;
tavrin::NoInterrupt none;

ComplexMatrix RandomReal(int n, uint32_t seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> dist(-1.0, 1.0);
  ComplexMatrix m(n, n);
  for (auto& z : m.e()) z = Complex(static_cast<long double>(dist(gen)));
  return m;
}

EigenMatrix ToEigen(const ComplexMatrix& a) {
  EigenMatrix m(a.rows, a.cols);
  for (int i = 0; i < a.rows; ++i)
    for (int j = 0; j < a.cols; ++j) m(i, j) = a.at(i, j).re;
  return m;
}

double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec + t.tv_nsec * 1e-9;
}

// Best thread CPU time of `reps` runs of f.
template <class F>
double Best(int reps, F f) {
  double best = 1e300;
  for (int r = 0; r < reps; ++r) {
    const double t0 = ThreadSeconds();
    f();
    best = std::min(best, ThreadSeconds() - t0);
  }
  return best;
}

void BM_Product(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const ComplexMatrix a = RandomReal(n, 1), b = RandomReal(n, 2);
  ComplexMatrix p;
  for (auto _ : state) benchmark::DoNotOptimize(tavrin::MatrixProduct(a, b, p, none));
}
BENCHMARK(BM_Product)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_EigenProduct(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const EigenMatrix a = ToEigen(RandomReal(n, 1)), b = ToEigen(RandomReal(n, 2));
  EigenMatrix p(n, n);
  for (auto _ : state) {
    p.noalias() = a * b;
    benchmark::DoNotOptimize(p.data());
  }
}
BENCHMARK(BM_EigenProduct)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

long double Residual(const EigenMatrix& a, const EigenMatrix& inv) {
  const EigenMatrix r = a * inv - EigenMatrix::Identity(a.rows(), a.cols());
  return r.cwiseAbs().maxCoeff();
}

// A token that never stops and records the longest gap between two polls
// (and from the start to the first, and from the last to the end), in wall
// time and in the thread's CPU time (what a busy machine stretches).
class GapInterrupt final : public tavrin::Interrupt {
 public:
  int Poll() override {
    Mark();
    ++polls;
    return 0;
  }
  void Mark() {
    const auto now = std::chrono::steady_clock::now();
    const double cpu = ThreadSeconds();
    longest = std::max(longest, std::chrono::duration<double>(now - last).count());
    longestCpu = std::max(longestCpu, cpu - lastCpu);
    last = now;
    lastCpu = cpu;
  }
  std::chrono::steady_clock::time_point last = std::chrono::steady_clock::now();
  double lastCpu = ThreadSeconds();
  double longest = 0, longestCpu = 0;
  long polls = 0;
};

// The summary: ratios and residuals, computed in one pass on the same inputs.
void Summary() {
  std::printf("\n%-10s %6s %12s %12s %8s\n", "task", "n", "ours (ms)", "Eigen (ms)", "ratio");
  for (int n : {500, 1000}) {
    const ComplexMatrix a = RandomReal(n, 1), b = RandomReal(n, 2);
    const EigenMatrix ea = ToEigen(a), eb = ToEigen(b);
    ComplexMatrix p;
    EigenMatrix ep(n, n);
    const int reps = n <= 500 ? 5 : 3;
    const double ours = Best(reps, [&] { (void)tavrin::MatrixProduct(a, b, p, none); });
    const double theirs = Best(reps, [&] { ep.noalias() = ea * eb; });
    std::printf("%-10s %6d %12.1f %12.1f %8.3f\n", "product", n, ours * 1e3, theirs * 1e3, ours / theirs);
  }
  for (int n : {300, 1000}) {
    const ComplexMatrix a = RandomReal(n, 12345);
    const EigenMatrix ea = ToEigen(a);
    ComplexMatrix inv;
    Complex det;
    EigenMatrix einv;
    const int reps = n <= 300 ? 5 : 3;
    const double ours = Best(reps, [&] { (void)tavrin::DeterminantAndInverse(a, det, &inv, none); });
    const double theirs = Best(reps, [&] { einv = ea.partialPivLu().inverse(); });
    std::printf("%-10s %6d %12.1f %12.1f %8.3f   residual ours %.3Le Eigen %.3Le\n", "inverse", n,
                ours * 1e3, theirs * 1e3, ours / theirs, Residual(ea, ToEigen(inv)), Residual(ea, einv));
  }
  {
    const ComplexMatrix a = RandomReal(1500, 12345);
    ComplexMatrix inv;
    Complex det;
    GapInterrupt gaps;
    const auto t0 = std::chrono::steady_clock::now();
    (void)tavrin::DeterminantAndInverse(a, det, &inv, gaps);
    gaps.Mark();
    std::printf("%-10s %6d %12.1f   longest gap between stop polls %.1f ms wall, %.1f ms CPU (%ld polls)\n",
                "inverse", 1500, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() * 1e3,
                gaps.longest * 1e3, gaps.longestCpu * 1e3, gaps.polls);
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Summary();
  return 0;
}
