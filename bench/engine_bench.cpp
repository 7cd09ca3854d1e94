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

// Abscissas and ordinates stepped as a plot tabulation steps them.
constexpr int Steps = 1000;
inline double Abscissa(long i) { return 0.1 + 3.0 * static_cast<double>(i % Steps) / Steps; }
inline double Ordinate(long i) { return 1.5 + static_cast<double>(i % 7) / 7; }

void Engine(benchmark::State& State) {
  const std::string text = Formulas[State.range(0)].Engine;
  State.SetLabel(text);
  EngineSettings = {};
  long i = 0;
  for (auto _ : State) {
    AssignmentLog.Clear();
    VarValues[varX] = Abscissa(i);
    VarValues[2] = Ordinate(i++);
    EngineState.ExprStr = text;
    EngineSettings.ArgDepth = 0;
    benchmark::DoNotOptimize(Evaluate(text));
  }
  if (EngineState.ErrFlag) State.SkipWithError("evaluation failed");
  State.SetItemsProcessed(State.iterations());
}

void MuParser(benchmark::State& State) {
  mu::Parser parser;
  double x = 0, y = 0;
  parser.DefineVar("x", &x);
  parser.DefineVar("y", &y);
  parser.SetExpr(Formulas[State.range(0)].MuParser);
  State.SetLabel(Formulas[State.range(0)].MuParser);
  long i = 0;
  for (auto _ : State) {
    x = Abscissa(i);
    y = Ordinate(i++);
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

BENCHMARK(Engine)->DenseRange(0, 4);
BENCHMARK(MuParser)->DenseRange(0, 4);
BENCHMARK_CAPTURE(Procedure, Integral, std::string("integral(0,1,exp(-X^2))"));
BENCHMARK_CAPTURE(Procedure, Solve, std::string("solve(0,2,X^3-2)"));
BENCHMARK_CAPTURE(Procedure, Bessel, std::string("Jn(2,3.5)"));
