// The graphics page's pictures end to end, as the page makes them: the formula text tabulated by
// the engine, the series or contour layer built, and the graph painted into a 1000 x 700 image.
// plot_pictures_gnuplot.sh runs these beside gnuplot drawing the same pictures.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <memory>

#include "app/graphics/plot_pictures.h"
#include "bench/bench_support.h"
#include "engine/engine_host.h"
#include "engine/engine_state.h"
#include "platform/app_services.h"
#include "platform/application.h"
#include "plot/core/graph.h"
#include "plot/layers/contour.h"
#include "plot/layers/series.h"
#include "plot/ui/plot.h"

namespace {

// The plot control of the windows, its image 1000 x 700.
struct TPicture {
  TPlot Plot;
  TGraph& Graph = *Plot.Graph();
  TPicture() {
    Plot.SetStatusBarVisible(false);
    Plot.resize(1000, 700);
    // Laid out as in a shown window (the offscreen platform shows nothing).
    Plot.show();
    QCoreApplication::processEvents();
  }
  void Paint() { Plot.Redraw(); }
};

const char* const Surface = "sin(X)*cos(Y)*exp(-(X^2+Y^2)/20)";

TCurvePicture Curve() {
  TCurvePicture P;
  P.Typed = "sin(X)*exp(-X/5)+X^2";
  P.Legend = "f(sin(X)*exp(-X/5)+X^2)";
  P.XTitle = "X";
  P.YTitle = "Y";
  P.A = -5, P.B = 5, P.N = 16000;
  return P;
}

void BM_CurvePicture(benchmark::State& State) {
  const TCurvePicture P = Curve();
  // The window exists before the plot, as the program's does; its graph starts empty each time.
  TPicture Pic;
  for (auto _ : State) {
    Pic.Graph.ClearLayers();
    if (!PutCurve(Pic.Graph, P, nullptr).Ok()) State.SkipWithError("tabulation failed");
    Pic.Paint();
  }
}
BENCHMARK(BM_CurvePicture)->Unit(benchmark::kMillisecond);

// The share of the curve picture that is paint alone: frame, axes, texts, legend, the polyline and
// its markers, as a repaint of the window draws them.
void BM_CurveRepaint(benchmark::State& State) {
  TPicture Pic;
  if (!PutCurve(Pic.Graph, Curve(), nullptr).Ok()) State.SkipWithError("tabulation failed");
  for (auto _ : State) Pic.Paint();
}
BENCHMARK(BM_CurveRepaint)->Unit(benchmark::kMillisecond);

void GridPicture(benchmark::State& State, bool Shade) {
  TPlotRequest P;
  P.Input = Surface;
  P.Shade = Shade;
  P.Legend = Surface;
  P.XTitle = "X";
  P.YTitle = "Y";
  P.Title = "f(x,y)";
  P.XFrom = -5, P.XTo = 5, P.YFrom = -5, P.YTo = 5;
  P.XSteps = 300, P.YSteps = 300;
  P.Levels = 20;
  TPicture Pic;
  for (auto _ : State) {
    Pic.Graph.ClearLayers();
    TSharedGrid Grid;
    TContour* Layer = nullptr;
    if (!PutGrid(Pic.Graph, P, Grid, Layer).Ok()) State.SkipWithError("tabulation failed");
    Pic.Paint();
  }
}
void BM_ContourPicture(benchmark::State& State) { GridPicture(State, false); }
void BM_ShadePicture(benchmark::State& State) { GridPicture(State, true); }
BENCHMARK(BM_ContourPicture)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShadePicture)->Unit(benchmark::kMillisecond);

// Bars behind one another: every bar shares one width, taken once per paint.
void BM_ZOrderedBarsPicture(benchmark::State& State) {
  TPicture Pic;
  auto S = std::make_unique<TSeries>(&Pic.Graph, clRed, 10, "bars");
  for (int I = 0; I < 5000; ++I) S->AddPoint(clRed, {}, I, 1 + I % 17);
  Pic.Graph.AddLayer(std::move(S));
  for (auto _ : State) Pic.Paint();
}
BENCHMARK(BM_ZOrderedBarsPicture)->Unit(benchmark::kMillisecond);

// Where the time of the pictures goes: the engine's tabulation alone.
void BM_GridTabulationOnly(benchmark::State& State) {
  const TTabulationRequest R = GridRequest(Surface, -5, 5, 300, -5, 5, 300);
  for (auto _ : State)
    if (!Tabulate(R).Ok()) State.SkipWithError("tabulation failed");
}
BENCHMARK(BM_GridTabulationOnly)->Unit(benchmark::kMillisecond);

void BM_CurveTabulationOnly(benchmark::State& State) {
  TPicture Pic;
  const TTabulationRequest R = CurveRequest("sin(X)*exp(-X/5)+X^2", -5, 5, 16000);
  for (auto _ : State) {
    // The points go into a series, as the page's curve does.
    TSeries S(&Pic.Graph, clRed, 3, "s");
    const TTabulation T = Tabulate(R);
    if (!T.Ok()) State.SkipWithError("tabulation failed");
    for (int I = 0; I < T.Grid->NX(); ++I) S.AddPoint(clRed, {}, T.Grid->X(I), T.Grid->At(I, 0));
  }
}
BENCHMARK(BM_CurveTabulationOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  TApplication App(argc, argv);
  TBenchEngine Engine;
  RegisterSeriesLayerClasses();
  RegisterContourLayerClasses();
  {
    TPicture Probe;
    if (Probe.Plot.Image()->width() != 1000 || Probe.Plot.Image()->height() != 700)
      qWarning("the plot image is %d x %d", Probe.Plot.Image()->width(),
               Probe.Plot.Image()->height());
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
