// Filling a 1000 x 1000 matrix through the Formula command.
#include <benchmark/benchmark.h>

#include "lang/FormulaEngine.h"

namespace {
tavrin::NoInterrupt none;
tavrin::RandomGenerator generator;

void Fill(benchmark::State& state, const char* formula) {
  tavrin::FormulaEngine engine;
  for (auto _ : state) {
    tavrin::FormulaCommandResult r = tavrin::RunFormulaCommand(engine, "1000", "1000", formula, none, generator);
    if (NotOk(r.code) || r.matrix.at(999, 999).re == 0) state.SkipWithError("formula failed");
    benchmark::DoNotOptimize(r.matrix);
  }
  state.SetItemsProcessed(state.iterations() * 1000000);
}

void BM_DefaultFormula(benchmark::State& state) { Fill(state, "sin(i*pi/(i+j))"); }
// The term comes first and the index second: SUM(K^2,K,1,10) is 385.
// (Written the other way round, SUM(K,K^2,1,10) does not compile.)
void BM_SumAndMax(benchmark::State& state) { Fill(state, "SUM(K^2,K,1,10)+MAX(I,J,3)"); }

BENCHMARK(BM_DefaultFormula)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SumAndMax)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
