// The memory of the contour window's pictures at the graphics page's largest grid: one picture
// per run, made as the page makes it (the formula tabulated, the layer built and put on the
// window's graph, the window shown and painted), with the process's peak and resident memory
// after each stage, per grid point. big_grid_memory.sh runs the kinds one after the other.
//   big_grid_memory contour|shade|tabulate [steps [formula]]     (steps 16000 by default)
//   big_grid_memory contour-direct|shade-direct [steps]  the grid filled without the engine
//   big_grid_memory contour-again|shade-again [steps]    the picture made twice in the window
// Peak memory is that of the whole process, so each run makes one picture only.
#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "app/graphics/fm_contour_plot.h"
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

using TClock = std::chrono::steady_clock;
TClock::time_point GStart;
double GPoints = 1;
double GBase = 0;

void Report(const char* Stage) {
  const double Seconds = std::chrono::duration<double>(TClock::now() - GStart).count();
  std::printf("%-12s %8.1f s   peak %7.0f MB %6.2f B/pt   resident %7.0f MB %6.2f B/pt\n", Stage,
              Seconds, PeakBytes() / 1e6, (PeakBytes() - GBase) / GPoints, ResidentBytes() / 1e6,
              (ResidentBytes() - GBase) / GPoints);
  std::fflush(stdout);
}

// The grid as the tabulator would make it, without the engine's time per point.
TSharedGrid DirectGrid(int Steps) {
  const int N = Steps + 1;
  auto G = std::make_shared<TValueGrid>(N, N);
  const double H = 10.0 / Steps;
  for (int I = 0; I < N; ++I) G->SetX(I, -5 + I * H);
  for (int J = 0; J < N; ++J) G->SetY(J, -5 + J * H);
  for (int I = 0; I < N; ++I) {
    const double S = std::sin(G->X(I));
    for (int J = 0; J < N; ++J) G->Set(I, J, S * std::cos(G->Y(J)));
  }
  return G;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s contour|shade|tabulate|contour-direct|shade-direct [steps]\n",
                 argv[0]);
    return 2;
  }
  const std::string Kind = argv[1];
  const int Steps = argc > 2 ? std::atoi(argv[2]) : MaxPlotSteps;
  const std::string Formula = argc > 3 ? argv[3] : "sin(X)*cos(Y)";
  qputenv("QT_QPA_PLATFORM", "offscreen");
  TApplication App(argc, argv);
  TBenchEngine Engine;
  RegisterSeriesLayerClasses();
  RegisterContourLayerClasses();
  fmContourPlot = new TfmContourPlot;
  fmContourPlot->resize(1000, 700);
  QCoreApplication::processEvents();
  GPoints = (Steps + 1.0) * (Steps + 1.0);
  GBase = ResidentBytes();
  std::printf("%s, %d x %d points, %s; before: resident %.0f MB (subtracted below)\n", Kind.c_str(),
              Steps + 1, Steps + 1, Formula.c_str(), GBase / 1e6);
  GStart = TClock::now();

  if (Kind == "tabulate") {
    const TTabulation T = Tabulate(GridRequest(Formula, -5, 5, Steps, -5, 5, Steps));
    if (!T.Ok()) return std::fprintf(stderr, "tabulation failed\n"), 1;
    Report("tabulated");
    return 0;
  }
  const bool Direct = Kind.ends_with("-direct");
  TPlotRequest P;
  P.Input = Formula;
  P.Shade = Kind.starts_with("shade");
  P.Legend = QString::fromStdString(Formula);
  P.XTitle = "X", P.YTitle = "Y", P.Title = "f(x,y)";
  P.XFrom = -5, P.XTo = 5, P.YFrom = -5, P.YTo = 5;
  P.XSteps = P.YSteps = Steps;
  P.Levels = 10;
  TSharedGrid Grid;
  TContour* Layer = nullptr;
  TGraph& G = fmContourPlot->Graph();
  fmContourPlot->UpdateGraph();
  if (Direct) {
    Grid = DirectGrid(Steps);
    Report("filled");
    auto C = std::make_unique<TContour>(&G, Grid, P.Shade ? 1 : P.Levels, P.Shade, false);
    G.XAxis->Min = P.XFrom, G.XAxis->Max = P.XTo, G.YAxis->Min = P.YFrom, G.YAxis->Max = P.YTo;
    G.XAxis->AutoMin = G.XAxis->AutoMax = G.YAxis->AutoMin = G.YAxis->AutoMax = false;
    Layer = static_cast<TContour*>(G.AddLayer(std::move(C)));
  } else if (!PutGrid(G, P, Grid, Layer).Ok()) {
    return std::fprintf(stderr, "tabulation failed\n"), 1;
  }
  Report("layer built");
  fmContourPlot->SetContour(Layer);
  fmContourPlot->SetShadeMode(P.Shade);
  fmContourPlot->ShowPlot();
  QCoreApplication::processEvents();
  Report("painted");
  // The same picture asked for again, as the page does: the shown one stays until the new one
  // has been made.
  if (Kind.ends_with("-again")) {
    if (!PutGrid(G, P, Grid, Layer).Ok()) return std::fprintf(stderr, "tabulation failed\n"), 1;
    fmContourPlot->SetContour(Layer);
    fmContourPlot->ShowPlot();
    QCoreApplication::processEvents();
    Report("again");
  }
  // The window repainted, as a resize or an uncovered window does.
  fmContourPlot->Chart->Redraw();
  QCoreApplication::processEvents();
  Report("repainted");
  std::printf("lines %zu\n", Layer->Lines().size());
  delete fmContourPlot;
  fmContourPlot = nullptr;
  return 0;
}
