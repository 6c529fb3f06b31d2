// Characteristic polynomial and roots: speed for random 20x20 and 60x60 real
// matrices, and the accuracy of the roots of a 30x30 matrix with known integer
// eigenvalues. The whole one-matrix report is timed in eigenvalues.cpp.
#include <benchmark/benchmark.h>

#include <cmath>

#include "SeededMatrix.h"
#include "engine/CharacteristicPolynomial.h"
#include "engine/RootFinder.h"

namespace {

using namespace tavrin;
NoInterrupt none;

// 30x30 integer similarity transform S D S^-1 of D = diag(-15..-1, 1..15) in
// shuffled order (S unimodular, so the matrix is exact); numpy's double eigvals
// on the same matrix miss the exact eigenvalues by at most kNumpyError.
inline constexpr int kKnownSize = 30;
inline constexpr double kKnownEigenvalues[30] = {-11, -4, -10, 1, 9, -9, -15, 7, -6, 12, -13, -14, 15, -7, 13, 4, -12, 10, 3, -3, 8, 11, 6, -2, 14, 5, -5, -8, 2, -1};
inline constexpr double kNumpyError = 2.1316282072803006e-13;
inline constexpr double kKnownMatrix[900] = {-1, 56, -15, 39, -29, -19, -24, -20, -20, 27, 10, 0, -10, 10, 10, -15, -5, -15, 0, 5, 0, -5, -17, -10, 0, 0, 5, 17, 0, -10, -18, 12, 7, 18, -27, -34, -16, 11, 18, -11, -11, 0, 11, -18, -11, 11, 0, 11, 0, 0, 9, 0, 0, 11, 0, 0, 0, 9, 0, 9, 0, 12, 14, 12, -12, -24, -25, 0, 12, 0, 0, 0, -13, 0, 0, 0, 0, 0, 13, -12, -13, 13, 0, 0, 13, 0, 0, 0, -12, 0, 40, -21, -12, -25, 46, 62, 28, -14, -36, 25, 20, 0, -18, 40, 20, -20, 0, -20, -2, -4, -18, -2, -5, -20, -2, 0, 0, -15, 0, -20, 43, -68, -41, -43, 77, 60, -6, -2, -46, 59, 55, -46, -75, 43, 54, -31, 0, -31, 21, 3, -53, 44, -5, -31, 21, -23, 0, -28, 7, -33, -21, 61, 29, 45, -67, -34, 25, 26, 28, -52, -53, 46, 75, -21, -52, 29, 0, 29, -23, -7, 44, -26, 0, 29, -23, 23, 0, 22, -7, 22, 0, 13, 7, 6, -6, -13, -22, -27, 0, 7, 7, 0, -7, 0, 7, -7, 0, -7, 0, 0, 0, -20, 0, -7, 0, 0, 0, 0, 0, 0, 40, -40, -20, -40, 60, 80, 40, -13, -40, 20, 20, 0, -20, 40, 20, -20, 0, -20, 0, 0, -20, 0, 0, -20, 0, 0, 0, -20, 0, -20, -21, 59, 10, 36, -58, -11, 37, -33, 7, -45, -46, 46, 81, -21, -45, 6, -1, 6, -36, 8, 57, -75, 0, 22, -36, 23, 1, 22, 5, 22, -23, 35, 12, 23, -33, -51, -45, 11, 23, 1, -6, -3, 8, -23, -5, 8, 0, 8, 0, 0, -7, 3, 6, 8, 2, -3, 0, 4, 0, 10, -12, 27, 6, 27, -33, -39, -12, 6, 12, -6, 2, 0, 6, -12, -6, 6, 0, 6, 0, 0, 21, 0, 0, 6, 0, 0, 0, 6, 0, 6, -1, -7, -7, 1, 8, -23, -39, 8, 1, 30, 30, -33, -47, -1, 30, -11, 0, -11, 17, 0, -26, 36, 0, -11, 17, -19, 0, -9, 0, -9, -22, 37, 6, 37, -43, -69, -32, 16, 22, 4, -3, -10, 11, -22, 4, 6, 0, 6, 0, 0, 21, 10, 0, 6, 0, -10, 0, 6, 0, 6, -12, -61, 17, -51, 35, 20, 20, -33, 24, -26, -9, 0, 9, -23, -9, -2, 4, -2, 0, -2, 0, -31, 17, 9, 0, 0, -4, -18, 0, 16, 10, 45, 17, 15, -18, 0, 31, -13, -3, -12, -26, 39, 41, 10, -6, 3, 0, 3, -23, -7, 37, -39, -6, 3, -25, 16, 0, 9, -7, 3, -40, 40, 20, 40, -60, -80, -40, 17, 40, -20, -20, 0, 20, -40, -20, 24, 0, 20, 0, 0, 20, 0, 0, 20, 0, 0, 0, 20, 0, 20, 0, 6, -28, 6, -6, 8, 14, 0, -14, 0, 20, 0, 0, 0, 0, 0, -12, 0, 0, 14, 20, 0, 0, 0, 0, 0, 0, 0, 14, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 6, 0, 10, 0, 0, 0, -1, 0, 0, 0, 0, 0, 0, 0, 0, 30, -30, -20, -30, 50, 50, 31, -14, -30, 30, 29, -10, -18, 30, 30, -20, 0, -20, 3, 0, -9, 2, 0, -20, -11, -10, 0, -20, 0, -20, 0, 10, 15, 3, -3, -16, -26, -59, 6, 7, 7, 0, -20, 0, 7, -23, -1, -23, 13, -12, -13, -23, 0, -7, 13, 0, 1, 0, -12, 0, 12, -17, -13, -10, 16, 29, 19, 21, -12, -1, -1, 0, 1, 12, -1, 1, 0, 1, 0, 0, -13, 20, 0, 1, 0, 0, 0, -6, 0, -6, -40, 40, 20, 40, -60, -80, -40, 24, 40, -20, -20, 0, 20, -40, -20, 20, 0, 20, 0, 0, 20, 11, 0, 20, 0, 0, 0, 20, 0, 20, -41, 6, 19, 6, -25, -50, -26, 22, 41, -16, -17, -3, 19, -41, -16, 19, 0, 19, 0, 0, 2, 3, 12, 19, 2, -3, 0, -1, 0, 19, 0, 22, 16, 7, -7, -34, -40, -11, 12, 15, 10, 0, -28, 0, 15, -12, 0, -12, 13, -12, -18, 14, 0, -2, 13, 0, 0, 0, -12, 0, 0, 23, 0, 23, -23, -23, -29, 0, 0, 0, -6, 0, 0, 0, 0, 0, 0, 0, 0, 0, -6, 0, 0, 0, 14, 0, 0, 0, 0, 0, 37, -14, -21, -41, 47, 101, 83, -19, -49, -5, -10, 38, 35, 37, -5, -6, 0, -6, -30, 12, 25, -43, 0, -6, -30, 24, 0, 1, 12, -6, 0, 6, -28, 6, -6, 8, 14, 0, -14, 0, 20, 0, 0, 0, 0, 0, -7, 0, 0, 14, 20, 0, 0, 0, 0, 0, -5, 0, 14, 0, 0, 7, 0, 7, -7, -7, -7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -8, 0, 0, 0, -5, -10, -5, 5, 10, 5, 0, -5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 28, -24, 0, -33, 49, 53, 17, -34, -24, 25, 20, 0, -18, 28, 20, -20, 0, -20, -2, -4, -18, -22, -5, -20, -2, 0, 0, -16, 0, -15};

void BM_CharacteristicPolynomial(benchmark::State& state) {
  ComplexMatrix m = SeededRealMatrix(static_cast<int>(state.range(0)));
  std::vector<Complex> c;
  for (auto _ : state) {
    (void)CharacteristicPolynomial(m, c, none);
    benchmark::DoNotOptimize(c.data());
  }
}
BENCHMARK(BM_CharacteristicPolynomial)->Arg(20)->Arg(60)->Unit(benchmark::kMillisecond);

void BM_Roots(benchmark::State& state) {
  ComplexMatrix m = SeededRealMatrix(static_cast<int>(state.range(0)));
  std::vector<Complex> c;
  (void)CharacteristicPolynomial(m, c, none);
  size_t found = 0;
  for (auto _ : state) {
    RootList r;
    (void)FindRoots(c, false, r, none);
    found = r.roots.size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["roots"] = static_cast<double>(found);
}
BENCHMARK(BM_Roots)->Arg(20)->Arg(60)->Unit(benchmark::kMillisecond);

// Largest distance from a known eigenvalue to the nearest root listed, next
// to numpy's double eigvals error on the same matrix.
void BM_KnownEigenvalues30(benchmark::State& state) {
  ComplexMatrix m(kKnownSize, kKnownSize);
  for (int i = 0; i < kKnownSize * kKnownSize; ++i) m.e()[i] = Complex(kKnownMatrix[i], 0.0L);
  long double worst = 0.0L;
  size_t listed = 0;
  for (auto _ : state) {
    std::vector<Complex> c;
    (void)CharacteristicPolynomial(m, c, none);
    RootList r;
    (void)FindRoots(c, false, r, none);
    listed = r.roots.size();
    worst = 0.0L;
    for (double e : kKnownEigenvalues) {
      long double best = INFINITY;
      for (const Complex& z : r.roots) best = std::min(best, std::hypot(z.re - e, z.im));
      worst = std::max(worst, best);
    }
  }
  state.counters["max_error"] = static_cast<double>(worst);
  state.counters["numpy_error"] = kNumpyError;
  state.counters["roots"] = static_cast<double>(listed);
}
BENCHMARK(BM_KnownEigenvalues30)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
