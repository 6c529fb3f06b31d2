// Exact kernels against FLINT 2.9 on the same inputs (entries 0..99 unless
// said otherwise): determinant, Solve with one right-hand side (square, and
// wide with a kernel), characteristic polynomial and inverse. After the runs a table prints ours / FLINT from the
// median CPU times. BM_QuitLatency measures the longest stretch between two
// polls of the stop key during a 400x400 determinant.
#include <benchmark/benchmark.h>
#include <flint/fmpq_mat.h>
#include <flint/fmpz_mat.h>
#include <flint/fmpz_poly.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <map>
#include <random>
#include <string>

#include "engine/CharacteristicPolynomial.h"
#include "engine/Elimination.h"

namespace {

using namespace tavrin;
tavrin::NoInterrupt none;

IntegerMatrix RandomInteger(int rows, int cols, int digits = 0) {
  std::mt19937 gen(777 + rows + 1000 * cols);
  std::uniform_int_distribution<long> dist(0, 99);
  IntegerMatrix m(rows, cols);
  for (auto& x : m.e) {
    if (digits == 0) {
      x = BigInteger(dist(gen));
    } else {
      mpz_class v = 0;
      for (int d = 0; d < digits; ++d) v = v * 10 + dist(gen) % 10;
      x = BigInteger(v);
    }
  }
  return m;
}

// FLINT copies of the same matrix.
struct FlintInteger {
  fmpz_mat_t m;
  explicit FlintInteger(const IntegerMatrix& a) {
    fmpz_mat_init(m, a.rows, a.cols);
    for (int i = 0; i < a.rows; ++i)
      for (int j = 0; j < a.cols; ++j) fmpz_set_mpz(fmpz_mat_entry(m, i, j), a.at(i, j).Value().get_mpz_t());
  }
  ~FlintInteger() { fmpz_mat_clear(m); }
};
struct FlintRational {
  fmpq_mat_t m;
  explicit FlintRational(const IntegerMatrix& a) {
    fmpq_mat_init(m, a.rows, a.cols);
    FlintInteger z(a);
    fmpq_mat_set_fmpz_mat(m, z.m);
  }
  ~FlintRational() { fmpq_mat_clear(m); }
};
// A FLINT result variable, cleared when the benchmark ends.
template <class T, auto init, auto clear>
struct FlintOut {
  T v;
  FlintOut() { init(v); }
  ~FlintOut() { clear(v); }
};

void BM_Det(benchmark::State& state) {
  const IntegerMatrix a = RandomInteger(state.range(0), state.range(0), state.range(1));
  Fraction det;
  for (auto _ : state) benchmark::DoNotOptimize(IntegerInverse(a, det, nullptr, none));
}
void BM_FlintDet(benchmark::State& state) {
  FlintInteger a(RandomInteger(state.range(0), state.range(0), state.range(1)));
  FlintOut<fmpz_t, fmpz_init, fmpz_clear> det;
  for (auto _ : state) {
    fmpz_mat_det(det.v, a.m);
    benchmark::ClobberMemory();
  }
}
void DetSizes(benchmark::internal::Benchmark* b) {
  for (int n : {60, 100, 150, 250}) b->Args({n, 0});
  b->Args({60, 20});
}
BENCHMARK(BM_Det)->Apply(DetSizes);
BENCHMARK(BM_FlintDet)->Apply(DetSizes);

void BM_Solve(benchmark::State& state) {
  const int n = state.range(0);
  const IntegerMatrix a = RandomInteger(n, n), b = RandomInteger(n, 1);
  IntegerSolveResult r;
  for (auto _ : state) benchmark::DoNotOptimize(SolveSystem(a, b, r, none));
}
void BM_FlintSolve(benchmark::State& state) {
  const int n = state.range(0);
  FlintRational a(RandomInteger(n, n)), b(RandomInteger(n, 1));
  fmpq_mat_t x;
  fmpq_mat_init(x, n, 1);
  for (auto _ : state) benchmark::DoNotOptimize(fmpq_mat_solve(x, a.m, b.m));
  fmpq_mat_clear(x);
}
BENCHMARK(BM_Solve)->Arg(60)->Arg(100)->Arg(200);
BENCHMARK(BM_FlintSolve)->Arg(60)->Arg(100)->Arg(200);

// A wide system, n x 3n/2 (rank n, a kernel of n/2 columns): ours gives the
// solution and kernel basis, FLINT the reduced row echelon form of [A | b]
// over one denominator, which holds the same.
void BM_SolveWide(benchmark::State& state) {
  const int n = state.range(0);
  const IntegerMatrix a = RandomInteger(n, n + n / 2), b = RandomInteger(n, 1);
  IntegerSolveResult r;
  for (auto _ : state) benchmark::DoNotOptimize(SolveSystem(a, b, r, none));
}
void BM_FlintSolveWide(benchmark::State& state) {
  const int n = state.range(0), cols = n + n / 2;
  const IntegerMatrix a = RandomInteger(n, cols), b = RandomInteger(n, 1);
  IntegerMatrix ab(n, cols + 1);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < cols; ++j) ab.at(i, j) = a.at(i, j);
    ab.at(i, cols) = b.at(i, 0);
  }
  FlintInteger m(ab);
  fmpz_mat_t rref;
  fmpz_mat_init(rref, n, cols + 1);
  FlintOut<fmpz_t, fmpz_init, fmpz_clear> den;
  for (auto _ : state) benchmark::DoNotOptimize(fmpz_mat_rref(rref, den.v, m.m));
  fmpz_mat_clear(rref);
}
BENCHMARK(BM_SolveWide)->Arg(60)->Arg(100);
BENCHMARK(BM_FlintSolveWide)->Arg(60)->Arg(100);

void BM_Charpoly(benchmark::State& state) {
  const IntegerMatrix a = RandomInteger(state.range(0), state.range(0));
  std::vector<Fraction> c;
  for (auto _ : state) benchmark::DoNotOptimize(IntegerCharacteristicPolynomial(a, c, none));
}
void BM_FlintCharpoly(benchmark::State& state) {
  FlintInteger a(RandomInteger(state.range(0), state.range(0)));
  FlintOut<fmpz_poly_t, fmpz_poly_init, fmpz_poly_clear> c;
  for (auto _ : state) {
    fmpz_mat_charpoly(c.v, a.m);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Charpoly)->Arg(20)->Arg(40)->Arg(60)->Arg(100);
BENCHMARK(BM_FlintCharpoly)->Arg(20)->Arg(40)->Arg(60)->Arg(100);

void BM_Inverse(benchmark::State& state) {
  const IntegerMatrix a = RandomInteger(state.range(0), state.range(0));
  Fraction det;
  IntegerMatrix inv;
  for (auto _ : state) benchmark::DoNotOptimize(IntegerInverse(a, det, &inv, none));
}
void BM_FlintInverse(benchmark::State& state) {
  const int n = state.range(0);
  FlintRational a(RandomInteger(n, n));
  fmpq_mat_t inv;
  fmpq_mat_init(inv, n, n);
  for (auto _ : state) benchmark::DoNotOptimize(fmpq_mat_inv(inv, a.m));
  fmpq_mat_clear(inv);
}
BENCHMARK(BM_Inverse)->Arg(20)->Arg(60)->Arg(100)->Arg(150);
BENCHMARK(BM_FlintInverse)->Arg(20)->Arg(60)->Arg(100)->Arg(150);

// The longest time between two polls, and from the Q answer to the return.
using Clock = std::chrono::steady_clock;
Clock::time_point g_lastPoll;
double g_longestGap = 0, g_longestCpuGap = 0, g_lastCpu = 0;
int g_polls = 0, g_quitAt = 0, g_gapAt = 0;
Clock::time_point g_quitTime;
double ThreadCpuSeconds() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}
class TimedPoll final : public Interrupt {
 public:
  int Poll() override;
};
int TimedPoll::Poll() {
  const auto now = Clock::now();
  const double cpu = ThreadCpuSeconds();
  g_longestGap = std::max(g_longestGap, std::chrono::duration<double>(now - g_lastPoll).count());
  if (cpu - g_lastCpu > g_longestCpuGap) {
    g_longestCpuGap = cpu - g_lastCpu;
    g_gapAt = g_polls;
  }
  g_lastCpu = cpu;
  g_lastPoll = now;
  if (++g_polls == g_quitAt) {
    g_quitTime = now;
    return 'Q';
  }
  return 0;
}
// Arguments: size, the poll that answers Q, the task (0 determinant,
// 1 inverse, 2 characteristic polynomial, 3 Solve, 4 Solve of a wide
// n x 3n/2 system).
void BM_QuitLatency(benchmark::State& state) {
  const int n = state.range(0), task = state.range(2);
  const IntegerMatrix a = RandomInteger(n, task == 4 ? n + n / 2 : n), b = RandomInteger(n, 1);
  Fraction det;
  IntegerMatrix inv;
  std::vector<Fraction> c;
  IntegerSolveResult x;
  double gap = 0, cpuGap = 0, stop = 0;
  for (auto _ : state) {
    g_polls = 0;
    g_quitAt = state.range(1);
    g_longestGap = g_longestCpuGap = 0;
    g_lastPoll = Clock::now();
    g_lastCpu = ThreadCpuSeconds();
    TimedPoll timed;
    ResultCode rc = task == 0   ? IntegerInverse(a, det, nullptr, timed)
                    : task == 1 ? IntegerInverse(a, det, &inv, timed)
                    : task == 2 ? IntegerCharacteristicPolynomial(a, c, timed)
                                : SolveSystem(a, b, x, timed);
    benchmark::DoNotOptimize(rc);
    const auto end = Clock::now();
    gap = std::max(gap, std::max(g_longestGap, std::chrono::duration<double>(end - g_lastPoll).count()));
    cpuGap = std::max(cpuGap, std::max(g_longestCpuGap, ThreadCpuSeconds() - g_lastCpu));
    if (g_polls >= g_quitAt) stop = std::max(stop, std::chrono::duration<double>(end - g_quitTime).count());
  }
  state.counters["longest_gap_ms"] = 1e3 * gap;
  state.counters["longest_cpu_gap_ms"] = 1e3 * cpuGap;
  state.counters["gap_before_poll"] = g_gapAt;
  state.counters["polls"] = g_polls;
  state.counters["q_to_return_ms"] = 1e3 * stop;
}
BENCHMARK(BM_QuitLatency)
    ->Args({400, 1 << 30, 0})
    ->Args({400, 30, 0})
    ->Args({600, 1 << 30, 0})
    ->Args({1500, 40, 0})
    ->Args({400, 1 << 30, 1})
    ->Args({1000, 40, 1})
    ->Args({400, 1 << 30, 2})
    ->Args({1000, 40, 2})
    ->Args({1000, 1 << 30, 3})
    ->Args({400, 1 << 30, 4})
    ->Args({800, 200, 4})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Keeps the median CPU time of every run and prints ours / FLINT at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type == Run::RT_Aggregate && r.aggregate_name != "median") continue;
      std::string name = r.run_name.str();
      times_[name] = r.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(r.time_unit) * 1e3;
    }
  }
  void PrintRatios() const {
    std::printf("\n%-28s %12s %12s %8s\n", "task (CPU ms)", "ours", "FLINT", "ratio");
    for (const auto& [name, ours] : times_) {
      const auto slash = name.find('/');
      if (name.rfind("BM_Flint", 0) == 0 || slash == std::string::npos) continue;
      const std::string flint = "BM_Flint" + name.substr(3);
      const auto f = times_.find(flint);
      if (f == times_.end()) continue;
      std::printf("%-28s %12.3f %12.3f %7.2fx\n", name.c_str(), ours, f->second, ours / f->second);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
