// The memory of the surface window's largest grid: 16,001 x 16,001 points put into the window's
// series and painted into a 1000 x 700 picture, as the window does after a tabulation; then one
// step of the rotation bar. The grid is filled with a cheap function directly (the engine's
// tabulation of 256 million points alone takes minutes, and is measured elsewhere). Reported
// per grid point: the growth of the process' peak resident size (getrusage) and of its resident
// size at rest after the paint. Needs 2-3 GB: run it alone and sparingly
// (--benchmark_filter=SurfaceMemory/16001; /301 is the page's default size).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QScrollBar>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>

#include "app/graphics/fm_surface_chart.h"
#include "bench/bench_support.h"
#include "chart/engine/chart.h"
#include "chart/engine/chart_registry.h"
#include "chart/engine/surface_series.h"
#include "engine/engine_state.h"
#include "platform/application.h"

namespace {
const TRect Picture{0, 0, 1000, 700};

void BM_SurfaceMemory(benchmark::State& State) {
  static TfmSurfaceChart* W = [] {
    EngineInitialize();
    RegisterChartClasses();
    return CreateForm<TfmSurfaceChart>();
  }();
  const int N = int(State.range(0));
  const double Points = double(N) * N;
  // The window's picture before, so that what the chart needs anyway is counted out.
  benchmark::DoNotOptimize(W->Chart->CreateBitmap(clWhite, Picture));
  const double Base = ResidentBytes();
  double Rest = 0, StepMs = 0;
  for (auto _ : State) {
    {
      auto G = std::make_shared<TValueGrid>(N, N);
      for (int I = 0; I < N; ++I) {
        const double X = -5 + 10.0 * I / (N - 1);
        G->SetX(I, X);
        for (int J = 0; J < N; ++J) {
          const double Y = -5 + 10.0 * J / (N - 1);
          G->Set(I, J, std::sin(X) * std::cos(Y) * (1 - (X * X + Y * Y) / 60));
        }
      }
      for (int J = 0; J < N; ++J) G->SetY(J, -5 + 10.0 * J / (N - 1));
      TSurfaceSeries& S = *W->SurfaceSeries1;
      S.Pen()->SetVisible(false);
      S.AssignGrid(TSharedGrid(std::move(G)));
      S.SetPaletteSteps(10);
      S.RefreshSeries();
    }
    benchmark::DoNotOptimize(W->Chart->CreateBitmap(clWhite, Picture));
    const auto T0 = std::chrono::steady_clock::now();
    W->ScrollBar1->setValue(W->ScrollBar1->value() + 1);
    benchmark::DoNotOptimize(W->Chart->CreateBitmap(clWhite, Picture));
    StepMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - T0).count();
    W->ScrollBar1->setValue(W->ScrollBar1->value() - 1);
    Rest = ResidentBytes() - Base;
  }
  // The peak over the resident size before the grid: an upper bound of what the grid took.
  State.counters["PeakBytesPerPoint"] = (PeakBytes() - Base) / Points;
  State.counters["RestBytesPerPoint"] = Rest / Points;
  State.counters["RotationStepMs"] = StepMs;
  W->SurfaceSeries1->Clear();
}
BENCHMARK(BM_SurfaceMemory)->Arg(301)->Arg(16001)->Iterations(1)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) { return RunBenchmarksOffscreen(argc, argv); }
