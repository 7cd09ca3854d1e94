// The surface chart's figures: a 301 x 301 grid of sin(x) cos(y) exp(-(x^2 + y^2) / 20) over
// [-5, 5]^2 filled into a surface series (point by point, or as a grid the series reads in place)
// and painted into a 1000 x 700 chart, the paint alone, and the repaint after one step of the
// rotation.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "bench/bench_support.h"
#include "chart/engine/chart.h"
#include "chart/engine/surface_series.h"
#include "chart/engine/view3d_options.h"
#include "platform/application.h"

namespace {
constexpr int N = 301;

double F(int I, int J) {
  const double A = -5 + 10.0 * (I - 1) / (N - 1), B = -5 + 10.0 * (J - 1) / (N - 1);
  return std::sin(A) * std::cos(B) * std::exp(-(A * A + B * B) / 20);
}

// The chart in the surface window's starting view: its rotation, zoom, offset and perspective,
// gradient and hidden legend. The depth stays at the library's 15 percent: at 90 percent the
// grid's four depth slots reach 7.2 chart widths, the perspective turns the front over and
// nothing of the surface lands in the picture.
struct TSurfaceSetup {
  TChart Chart;
  TSurfaceSeries S;
  TSurfaceSetup() {
    Chart.resize(1000, 700);
    Chart.SetView3D(true);
    Chart.Legend()->SetVisible(false);
    Chart.Gradient()->SetVisible(true);
    Chart.Gradient()->SetEndColor(clSilver);
    TView3DOptions* V = Chart.View3DOptions();
    V->SetOrthogonal(false);
    V->SetRotation(324);
    V->SetZoom(60);
    V->SetVertOffset(-20);
    V->SetPerspective(26);
    S.SetParentChart(&Chart);
  }
  void Fill() {
    S.Clear();
    S.SetNumXValues(N);
    S.SetNumZValues(N);
    for (int I = 1; I <= N; ++I)
      for (int J = 1; J <= N; ++J) S.AddXYZ(I, F(I, J), J);
  }
};

void BM_SurfaceFillAndPaint(benchmark::State& State) {
  TSurfaceSetup T;
  for (auto _ : State) {
    T.Fill();
    T.Chart.Repaint();
  }
}
BENCHMARK(BM_SurfaceFillAndPaint)->Unit(benchmark::kMillisecond);

// The same picture as the surface window makes it: the values in a grid, as a tabulation fills
// it, which the series reads in place.
void BM_SurfaceGridFillAndPaint(benchmark::State& State) {
  TSurfaceSetup T;
  for (auto _ : State) {
    auto G = std::make_shared<TValueGrid>(N, N);
    for (int I = 1; I <= N; ++I)
      for (int J = 1; J <= N; ++J) G->Set(I - 1, J - 1, F(I, J));
    T.S.AssignGrid(TSharedGrid(std::move(G)));
    T.Chart.Repaint();
  }
}
BENCHMARK(BM_SurfaceGridFillAndPaint)->Unit(benchmark::kMillisecond);

void BM_SurfacePaint(benchmark::State& State) {
  TSurfaceSetup T;
  T.Fill();
  for (auto _ : State) {
    T.Chart.Invalidate();
    T.Chart.Repaint();
  }
}
BENCHMARK(BM_SurfacePaint)->Unit(benchmark::kMillisecond);

void BM_SurfaceRotationStep(benchmark::State& State) {
  TSurfaceSetup T;
  T.Fill();
  T.Chart.Repaint();
  int Rotation = 324;
  for (auto _ : State) {
    // One step of the rotation scroll bar, back and forth.
    Rotation = Rotation == 324 ? 325 : 324;
    T.Chart.View3DOptions()->SetRotation(Rotation);
    T.Chart.Repaint();
  }
}
BENCHMARK(BM_SurfaceRotationStep)->Unit(benchmark::kMillisecond);

// The same without cell outlines: how much of the paint the outlines take.
void BM_SurfacePaintNoOutline(benchmark::State& State) {
  TSurfaceSetup T;
  T.Fill();
  T.S.Pen()->SetVisible(false);
  for (auto _ : State) {
    T.Chart.Invalidate();
    T.Chart.Repaint();
  }
}
BENCHMARK(BM_SurfacePaintNoOutline)->Unit(benchmark::kMillisecond);

void BM_SurfaceWireFramePaint(benchmark::State& State) {
  TSurfaceSetup T;
  T.Fill();
  T.S.SetWireFrame(true);
  for (auto _ : State) {
    T.Chart.Invalidate();
    T.Chart.Repaint();
  }
}
BENCHMARK(BM_SurfaceWireFramePaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarksOffscreen(argc, argv); }
