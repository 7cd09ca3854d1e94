// The contour layer's own figures on a 301 x 301 grid of sin(x) cos(y) exp(-(x^2 + y^2) / 20)
// over [-5, 5]^2: making 20 levels and tracing them, painting the traced lines, and painting
// the colour-shaded map, both into a 1000 x 700 image; and the map of a grid 16001 rows long.
// With --peer_data=FILE it writes the grid and the 20 levels for contour_peer.py instead and
// ends (contour_peer.sh times both).
#include <benchmark/benchmark.h>

#include <QImage>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_support.h"
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

// The lines alone, from levels made as the layer makes them.
std::vector<double> TwentyLevels(const TContourGrid& G) {
  double Lo, Hi;
  GridZRange(G, Lo, Hi);
  TContourLevelSettings S;
  S.LevelCount = 20;
  return ContourLevels(S, Lo, Hi);
}

void BM_ContourTraceLinesOnly(benchmark::State& State) {
  TGridSetup Setup;
  const TContourGrid G{&Setup.X, &Setup.Y, nullptr, &Setup.Z};
  const std::vector<double> Levels = TwentyLevels(G);
  double Lo, Hi;
  GridZRange(G, Lo, Hi);
  std::size_t Lines = 0, Points = 0;
  for (auto _ : State) {
    std::vector<TContourLine> Traced;
    TraceContourLevels(G, Levels, Lo, Hi, Traced);
    Lines = Traced.size(), Points = 0;
    for (const TContourLine& L : Traced) Points += L.Points.size();
  }
  // A label, not counters: the CSV report takes only counters that every figure has.
  State.SetLabel(std::to_string(Lines) + " lines, " + std::to_string(Points) + " points");
}
BENCHMARK(BM_ContourTraceLinesOnly)->Unit(benchmark::kMillisecond);

// The grid (X, Y, then Z row by row) and the levels as they are traced (rounded), in the
// little-endian form contour_peer.py reads: two 32-bit counts, then doubles.
bool WritePeerData(const char* Path) {
  TGridSetup Setup;
  const TContourGrid G{&Setup.X, &Setup.Y, nullptr, &Setup.Z};
  std::vector<double> Levels = TwentyLevels(G);
  for (double& L : Levels) L = RoundLevel(L);
  std::vector<double> Values;
  for (int I = 1; I <= N; ++I) Values.push_back(Setup.X.GetValue(I));
  for (int J = 1; J <= N; ++J) Values.push_back(Setup.Y.GetValue(J));
  for (int J = 1; J <= N; ++J)
    for (int I = 1; I <= N; ++I) Values.push_back(Setup.Z.GetValue(I, J));
  Values.insert(Values.end(), Levels.begin(), Levels.end());
  std::ofstream Out(Path, std::ios::binary);
  const std::int32_t Counts[2] = {N, static_cast<std::int32_t>(Levels.size())};
  Out.write(reinterpret_cast<const char*>(Counts), sizeof Counts);
  Out.write(reinterpret_cast<const char*>(Values.data()),
            static_cast<std::streamsize>(Values.size() * sizeof(double)));
  return bool(Out);
}

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
  const char* const PeerData = "--peer_data=";
  for (int K = 1; K < argc; ++K)
    if (std::strncmp(argv[K], PeerData, std::strlen(PeerData)) == 0)
      return WritePeerData(argv[K] + std::strlen(PeerData)) ? 0 : 1;
  return RunBenchmarksOffscreen(argc, argv);
}
