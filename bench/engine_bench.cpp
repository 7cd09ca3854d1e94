// Evaluations per second of typical formulas, and formatting of their results.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/engine_state.h"
#include "engine/format.h"
#include "engine/parser.h"

namespace {

void Run(benchmark::State& State, const std::string& Text) {
  EngineState = {};
  SelectRadix(0);
  for (auto _ : State) {
    EngineState.ExprStr = Text;
    EngineSettings.ArgDepth = 0;
    benchmark::DoNotOptimize(Evaluate(Text));
  }
  State.SetItemsProcessed(State.iterations());
}

void BM_Arithmetic(benchmark::State& State) { Run(State, "(1.5+2.25)*3-4/7+2^10-5%3"); }
void BM_Nested(benchmark::State& State) { Run(State, "((((1+2)*(3+4))^2-(5-6)/(7+8))*9.75E-3)"); }
void BM_Numbers(benchmark::State& State) { Run(State, "1.2345678901234E-12+9.87654321E300*1E-300"); }

void BM_FormatScientific(benchmark::State& State) {
  EngineSettings.DisplayMode = 0;
  for (auto _ : State) benchmark::DoNotOptimize(FormatNumber(12, 12345.678L));
}

}  // namespace

BENCHMARK(BM_Arithmetic);
BENCHMARK(BM_Nested);
BENCHMARK(BM_Numbers);
BENCHMARK(BM_FormatScientific);
