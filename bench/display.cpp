// Display texts of very large reals: the width fitting done when a matrix is
// opened or replaced, the grid text of every entry, and the TeX export. The
// cost must follow the digits shown, not the magnitude of the values.
#include <benchmark/benchmark.h>

#include <cmath>

#include "io/DisplayFormat.h"
#include "io/TexExport.h"

namespace {

using namespace tavrin;

// An n x n matrix of values near e^4999 (about 1e2171), all different.
ComplexMatrix Huge(int n) {
  ComplexMatrix m(n, n);
  const long double base = std::exp(4999.0L);
  for (size_t k = 0; k < m.size(); ++k) m.e()[k] = Complex(base * (1.0L + static_cast<long double>(k) * 1e-7L), 0);
  return m;
}

DisplayFormat Fitted(const ComplexMatrix& m) {
  DisplayFormat f = WindowFormatFor(MatrixKind::Real);
  f.width = AutoWidth(f, m, MatrixKind::Real);
  return f;
}

void BM_AutoWidthHuge(benchmark::State& state) {
  ComplexMatrix m = Huge(static_cast<int>(state.range(0)));
  DisplayFormat f = WindowFormatFor(MatrixKind::Real);
  for (auto _ : state) benchmark::DoNotOptimize(AutoWidth(f, m, MatrixKind::Real));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(m.size()));
}

void BM_EntryTextHuge(benchmark::State& state) {
  ComplexMatrix m = Huge(static_cast<int>(state.range(0)));
  DisplayFormat f = Fitted(m);
  for (auto _ : state)
    for (size_t k = 0; k < m.size(); ++k) benchmark::DoNotOptimize(EntryText(f, MatrixKind::Real, m.entry(k)));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(m.size()));
}

void BM_TexMatrixHuge(benchmark::State& state) {
  ComplexMatrix m = Huge(static_cast<int>(state.range(0)));
  DisplayFormat f = Fitted(m);
  for (auto _ : state) benchmark::DoNotOptimize(TexMatrix(f, MatrixKind::Real, m, TexOptions{}));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(m.size()));
}

// Ordinary values for comparison: uniform in 0..1.
void BM_EntryTextSmall(benchmark::State& state) {
  ComplexMatrix m(100, 100);
  for (size_t k = 0; k < m.size(); ++k) m.e()[k] = Complex(static_cast<long double>(k) / 10007.0L, 0);
  DisplayFormat f = Fitted(m);
  for (auto _ : state)
    for (size_t k = 0; k < m.size(); ++k) benchmark::DoNotOptimize(EntryText(f, MatrixKind::Real, m.entry(k)));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(m.size()));
}

BENCHMARK(BM_AutoWidthHuge)->Arg(30)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EntryTextHuge)->Arg(30)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TexMatrixHuge)->Arg(30)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EntryTextSmall)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
