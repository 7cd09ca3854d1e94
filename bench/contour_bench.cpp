// The contour layer's own figures on a 301 x 301 grid of sin(x) cos(y) exp(-(x^2 + y^2) / 20)
// over [-5, 5]^2: making 20 levels and tracing them, painting the traced lines, and painting
// the colour-shaded map, both into a 1000 x 700 image; and the map of a grid 16001 rows long.
#include <benchmark/benchmark.h>

#include <QImage>
#include <cmath>
#include <memory>

#include "platform/application.h"
#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "plot/layers/contour.h"

namespace {
constexpr int N = 301;

struct TGridSetup {
  GraphMatrix::TVector X{N}, Y{N};
  GraphMatrix::TMatrix Z{N, N};
  TGridSetup() {
    for (int I = 1; I <= N; ++I) {
      X.SetValue(I, -5 + 10.0 * (I - 1) / (N - 1));
      Y.SetValue(I, -5 + 10.0 * (I - 1) / (N - 1));
    }
    for (int I = 1; I <= N; ++I)
      for (int J = 1; J <= N; ++J) {
        const double A = X.GetValue(I), B = Y.GetValue(J);
        Z.SetValue(I, J, std::sin(A) * std::cos(B) * std::exp(-(A * A + B * B) / 20));
      }
  }
};

struct TImageSetup {
  QImage Image{1000, 700, QImage::Format_RGB32};
  TImageTarget Target{&Image};
  TCanvas Canvas{&Target};
  TGraph Graph{&Canvas, 1000, 700};
  TImageSetup() {
    Graph.PlotRect = {0, 0, 1000, 700};
    Graph.XMin = -5, Graph.XMax = 5, Graph.YMin = -5, Graph.YMax = 5;
    Graph.ComputeMapping(Graph.PlotRect);
  }
};

void BM_ContourTrace20Levels(benchmark::State& State) {
  TGridSetup G;
  TImageSetup S;
  for (auto _ : State) {
    TContour C(&S.Graph, G.X, G.Y, G.Z, 20, false, false);
    benchmark::DoNotOptimize(C.Lines().size());
  }
}
BENCHMARK(BM_ContourTrace20Levels)->Unit(benchmark::kMillisecond);

void BM_ContourPaintLines(benchmark::State& State) {
  TGridSetup G;
  TImageSetup S;
  TContour C(&S.Graph, G.X, G.Y, G.Z, 20, false, false);
  for (auto _ : State) C.Draw();
}
BENCHMARK(BM_ContourPaintLines)->Unit(benchmark::kMillisecond);

void BM_ContourPaintShaded(benchmark::State& State) {
  TGridSetup G;
  TImageSetup S;
  TContour C(&S.Graph, G.X, G.Y, G.Z, 20, true, false);
  for (auto _ : State) C.Draw();
}
BENCHMARK(BM_ContourPaintShaded)->Unit(benchmark::kMillisecond);

// A long thin grid, 3 x 16001 points: each cell of the map finds its row among 16001.
void BM_ContourPaintShadedLongGrid(benchmark::State& State) {
  const int Rows = 16001;
  GraphMatrix::TVector X{3}, Y{Rows};
  GraphMatrix::TMatrix Z{3, Rows};
  for (int I = 1; I <= 3; ++I) X.SetValue(I, -5 + 5.0 * (I - 1));
  for (int J = 1; J <= Rows; ++J) {
    Y.SetValue(J, -5 + 10.0 * (J - 1) / (Rows - 1));
    for (int I = 1; I <= 3; ++I) Z.SetValue(I, J, X.GetValue(I) * std::sin(Y.GetValue(J)));
  }
  TImageSetup S;
  TContour C(&S.Graph, X, Y, Z, 20, true, false);
  for (auto _ : State) C.Draw();
}
BENCHMARK(BM_ContourPaintShadedLongGrid)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  TApplication App(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
