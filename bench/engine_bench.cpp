// Evaluations per second of typical plot formulas, beside the same formulas in muparser, and the
// time of an integral, a root and a Bessel function.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <string>

#include "engine/engine_state.h"
#include "engine/parser.h"
#include "engine/variables.h"

namespace {

struct TFormula {
  const char* Engine;
  const char* MuParser;
};

// The same formulas in both languages (muparser names pi _pi).
constexpr TFormula Formulas[] = {
    {"(X^2/sin(2*pi/Y))-X/2", "(x^2/sin(2*_pi/y))-x/2"},
    {"sqrt(1-sin(2.2*X)+cos(pi/Y)/3.3)", "sqrt(1-sin(2.2*x)+cos(_pi/y)/3.3)"},
    {"sin(X)*exp(-X/5)+X^2", "sin(x)*exp(-x/5)+x^2"},
    {"X^3-2*X^2+X-1", "x^3-2*x^2+x-1"},
    {"exp(-X^2/2)/sqrt(2*pi)", "exp(-x^2/2)/sqrt(2*_pi)"},
};

// Abscissas and ordinates stepped as a plot tabulation steps them, computed beforehand so that
// neither loop below measures the grid.
constexpr int Steps = 1000;
constexpr int Rows = 7;
struct TGrid {
  double X[Steps];
  double Y[Rows];
  TGrid() {
    for (int i = 0; i < Steps; ++i) X[i] = 0.1 + 3.0 * i / Steps;
    for (int j = 0; j < Rows; ++j) Y[j] = 1.5 + static_cast<double>(j) / Rows;
  }
};
const TGrid Grid;

struct TCursor {
  int I = 0, J = 0;
  void Next() {
    if (++I == Steps) I = 0;
    if (++J == Rows) J = 0;
  }
};

void Engine(benchmark::State& State) {
  const std::string text = Formulas[State.range(0)].Engine;
  State.SetLabel(text);
  EngineSettings = {};
  TCursor c;
  long failed = 0;
  for (auto _ : State) {
    AssignmentLog.Clear();
    VarValues[varX] = Grid.X[c.I];
    VarValues[2] = Grid.Y[c.J];
    c.Next();
    EngineState.ExprStr = text;
    EngineSettings.ArgDepth = 0;
    benchmark::DoNotOptimize(Evaluate(text));
    failed += EngineState.ErrFlag;
  }
  // A plot meets points where its formula is undefined (the square root of a negative number
  // in the second formula); they count like the others.
  if (failed == static_cast<long>(State.iterations())) State.SkipWithError("evaluation failed");
  State.counters["failed"] =
      benchmark::Counter(static_cast<double>(failed) / static_cast<double>(State.iterations()));
  State.SetItemsProcessed(State.iterations());
}

void MuParser(benchmark::State& State) {
  mu::Parser parser;
  double x = 0, y = 0;
  parser.DefineVar("x", &x);
  parser.DefineVar("y", &y);
  parser.SetExpr(Formulas[State.range(0)].MuParser);
  State.SetLabel(Formulas[State.range(0)].MuParser);
  TCursor c;
  for (auto _ : State) {
    x = Grid.X[c.I];
    y = Grid.Y[c.J];
    c.Next();
    benchmark::DoNotOptimize(parser.Eval());
  }
  State.SetItemsProcessed(State.iterations());
}

void Procedure(benchmark::State& State, const std::string& Text) {
  State.SetLabel(Text);
  EngineSettings = {};
  for (auto _ : State) {
    AssignmentLog.Clear();
    EngineState.ExprStr = Text;
    EngineSettings.ArgDepth = 0;
    benchmark::DoNotOptimize(Evaluate(Text));
  }
  if (EngineState.ErrFlag) State.SkipWithError("evaluation failed");
}

}  // namespace

// Each formula beside its muparser twin, so that both see the same state of a shared machine.
BENCHMARK(Engine)->Arg(0);
BENCHMARK(MuParser)->Arg(0);
BENCHMARK(Engine)->Arg(1);
BENCHMARK(MuParser)->Arg(1);
BENCHMARK(Engine)->Arg(2);
BENCHMARK(MuParser)->Arg(2);
BENCHMARK(Engine)->Arg(3);
BENCHMARK(MuParser)->Arg(3);
BENCHMARK(Engine)->Arg(4);
BENCHMARK(MuParser)->Arg(4);
BENCHMARK_CAPTURE(Procedure, Integral, std::string("integral(0,1,exp(-X^2))"));
BENCHMARK_CAPTURE(Procedure, Solve, std::string("solve(0,2,X^3-2)"));
BENCHMARK_CAPTURE(Procedure, Bessel, std::string("Jn(2,3.5)"));
