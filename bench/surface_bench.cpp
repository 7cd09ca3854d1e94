// The surface plot end to end: sin(x) cos(y) exp(-(x^2 + y^2) / 20) over [-5, 5]^2 with 300 x 300
// intervals, from the formula through the engine into the surface window's series and painted
// into a 1000 x 700 image in the window's default view; beside it gnuplot drawing the same
// surface with pm3d and hidden3d at the same size, and the repaint after one step of the
// rotation scroll bar.
#include <benchmark/benchmark.h>

#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>

#include <memory>

#include "app/graphics/fm_surface_chart.h"
#include "app/graphics/surface_polar_plot.h"
#include "chart/engine/chart.h"
#include "chart/engine/chart_registry.h"
#include "engine/engine_state.h"
#include "platform/application.h"

namespace {
constexpr const char* Formula = "sin(X)*cos(Y)*exp(-(X^2+Y^2)/20)";
const TRect Picture{0, 0, 1000, 700};

TPlotRequest Request() {
  TPlotRequest R;
  R.Input = Formula;
  R.XFrom = R.YFrom = -5;
  R.XTo = R.YTo = 5;
  R.XSteps = R.YSteps = 300;
  return R;
}

TfmSurfaceChart& Window() {
  static TfmSurfaceChart* W = [] {
    EngineInitialize();
    RegisterChartClasses();
    return CreateForm<TfmSurfaceChart>();
  }();
  return *W;
}

void BM_SurfaceFormulaToPicture(benchmark::State& State) {
  TfmSurfaceChart& W = Window();
  for (auto _ : State) {
    if (PlotSurface(Request(), W) != TPlotOutcome::Plotted) State.SkipWithError("not plotted");
    benchmark::DoNotOptimize(W.Chart->CreateBitmap(clWhite, Picture));
  }
}
BENCHMARK(BM_SurfaceFormulaToPicture)->Unit(benchmark::kMillisecond);

void BM_SurfaceRotationStepRepaint(benchmark::State& State) {
  TfmSurfaceChart& W = Window();
  PlotSurface(Request(), W);
  int Step = 0;
  for (auto _ : State) {
    W.ScrollBar1->setValue(339 + (Step++ & 1));
    benchmark::DoNotOptimize(W.Chart->CreateBitmap(clWhite, Picture));
  }
}
BENCHMARK(BM_SurfaceRotationStepRepaint)->Unit(benchmark::kMillisecond);

void BM_GnuplotPm3dSurface(benchmark::State& State) {
  const QString Exe = QStandardPaths::findExecutable(QStringLiteral("gnuplot"));
  if (Exe.isEmpty()) {
    State.SkipWithError("gnuplot is not installed");
    return;
  }
  const QByteArray Script =
      "set term pngcairo size 1000,700\n"
      "set output '/dev/null'\n"
      "set pm3d\nset hidden3d\nset samples 301\nset isosamples 301\n"
      "splot [-5:5][-5:5] sin(x)*cos(y)*exp(-(x**2+y**2)/20) with pm3d\n";
  for (auto _ : State) {
    QProcess P;
    P.start(Exe, {});
    P.write(Script);
    P.closeWriteChannel();
    if (!P.waitForFinished(120000) || P.exitCode() != 0) State.SkipWithError("gnuplot failed");
  }
}
BENCHMARK(BM_GnuplotPm3dSurface)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  TApplication App(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
