// Evaluations per second of typical plot formulas, beside the same formulas in muparser, and the
// time of an integral, a root and a Bessel function.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <algorithm>
#include <ctime>
#include <string>

#include "engine/engine_state.h"
#include "engine/parser.h"
#include "engine/side_eval.h"
#include "engine/variables.h"
#include "tabulate/tabulator.h"

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
  // X and Y of the engine at the point, then on to the next.
  void SetLetters() {
    VarValues[varX] = Grid.X[I];
    VarValues[varX + 1] = Grid.Y[J];
    Next();
  }
};

// Counts the points where the formula failed; a plot meets points where its formula is
// undefined (the square root of a negative number in the second formula), and they count like
// the others.
void ReportFailures(benchmark::State& State, long Failed) {
  if (Failed == static_cast<long>(State.iterations())) State.SkipWithError("evaluation failed");
  State.counters["failed"] =
      benchmark::Counter(static_cast<double>(Failed) / static_cast<double>(State.iterations()));
  State.SetItemsProcessed(State.iterations());
}

// As a plot evaluates its formula: prepared once, then the letters set and the text evaluated
// for each point, through the side evaluation the tabulation uses.
void Engine(benchmark::State& State) {
  const std::string text = Formulas[State.range(0)].Engine;
  State.SetLabel(text);
  EngineSettings = {};
  TSideEvaluation side(TSideMode::Start);
  TSideResult error;
  if (!side.Prepare(text, error)) {
    State.SkipWithError("the formula cannot be read");
    return;
  }
  TCursor c;
  long failed = 0;
  for (auto _ : State) {
    // As the tabulation asks: the letters from the grid's doubles, the error of the first point
    // that fails only.
    const TSideResult r = side.EvaluatePreparedAt(Grid.X[c.I], Grid.Y[c.J], failed == 0);
    c.Next();
    benchmark::DoNotOptimize(r.Value);
    failed += !r.Ok;
  }
  ReportFailures(State, failed);
}

// As the input line evaluates a text: a session of its own and the text read afresh (replayed
// when it was read before).
void InputLine(benchmark::State& State) {
  const std::string text = Formulas[State.range(0)].Engine;
  State.SetLabel(text);
  EngineSettings = {};
  TCursor c;
  long failed = 0;
  for (auto _ : State) {
    c.SetLetters();
    TSideEvaluation side(TSideMode::Input);
    const TSideResult r = side.Evaluate(text);
    benchmark::DoNotOptimize(r.Value);
    failed += !r.Ok;
  }
  ReportFailures(State, failed);
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

// The processor time of this thread, which a shared machine does not inflate by running
// something else meanwhile.
double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// The engine's time per point over muparser's, both timed in turns of a thousand points so
// that a shared machine slows both alike: the figure the plot formulas are held to.
void RatioToMuParser(benchmark::State& State) {
  const TFormula& f = Formulas[State.range(0)];
  State.SetLabel(f.Engine);
  EngineSettings = {};
  TSideEvaluation side(TSideMode::Start);
  TSideResult error;
  if (!side.Prepare(f.Engine, error)) {
    State.SkipWithError("the formula cannot be read");
    return;
  }
  mu::Parser parser;
  double x = 0, y = 0;
  parser.DefineVar("x", &x);
  parser.DefineVar("y", &y);
  parser.SetExpr(f.MuParser);
  double engine = 0, muparser = 0;
  bool failed = false;
  for (auto _ : State) {
    const double t0 = ThreadSeconds();
    for (int i = 0; i < Steps; ++i) {
      const TSideResult r = side.EvaluatePreparedAt(Grid.X[i], Grid.Y[i % Rows], !failed);
      benchmark::DoNotOptimize(r.Value);
      failed = failed || !r.Ok;
    }
    const double t1 = ThreadSeconds();
    for (int i = 0; i < Steps; ++i) {
      x = Grid.X[i];
      y = Grid.Y[i % Rows];
      benchmark::DoNotOptimize(parser.Eval());
    }
    const double t2 = ThreadSeconds();
    engine += t1 - t0;
    muparser += t2 - t1;
  }
  State.counters["ratio"] = engine / std::max(muparser, 1e-9);
}

// The tabulator's own cost per point: one cheap formula over a curve and over a grid of as many
// points, so that what a grid adds per point shows. 8000 points keep both tables below the size
// from which the allocator hands memory back to the system at every table.
void Tabulation(benchmark::State& State) {
  const bool grid = State.range(0) == 1;
  State.SetLabel(grid ? "grid 80 x 100" : "curve 8000");
  EngineSettings = {};
  VarValues[varX + 1] = 1;
  const TTabulationRequest r =
      grid ? GridRequest("X*Y+X", -5, 5, 79, -5, 5, 99) : CurveRequest("X*Y+X", -5, 5, 7999);
  for (auto _ : State)
    if (!Tabulate(r).Ok()) State.SkipWithError("tabulation failed");
  State.counters["per_point"] = benchmark::Counter(
      8000, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
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
BENCHMARK(InputLine)->DenseRange(0, 4);
BENCHMARK(RatioToMuParser)->DenseRange(0, 4);
BENCHMARK(Tabulation)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Procedure, Integral, std::string("integral(0,1,exp(-X^2))"));
BENCHMARK_CAPTURE(Procedure, Solve, std::string("solve(0,2,X^3-2)"));
BENCHMARK_CAPTURE(Procedure, Bessel, std::string("Jn(2,3.5)"));
