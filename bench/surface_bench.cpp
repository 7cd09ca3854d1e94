// The surface plot end to end: sin(x) cos(y) exp(-(x^2 + y^2) / 20) over [-5, 5]^2 with 300 x 300
// intervals, from the formula through the engine into the surface window's series and painted
// into a 1000 x 700 image in the window's default view; beside it gnuplot drawing the same
// surface with pm3d and hidden3d at the same size, and the repaint after one step of the
// rotation scroll bar, of each view bar, and of the polar window's rotation.
#include <benchmark/benchmark.h>

#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>

#include <memory>

#include "app/graphics/fm_surface_chart.h"
#include "app/graphics/polar_form.h"
#include "app/graphics/surface_polar_plot.h"
#include "bench/bench_support.h"
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

// One step of each of the window's six view bars, back and forth, and the repaint.
QScrollBar* ViewBar(TfmSurfaceChart& W, int Bar) {
  QScrollBar* Bars[] = {W.ScrollBar1, W.ScrollBar2, W.sbZoom, W.scbHoriz, W.scbVert, W.sbTilt};
  return Bars[Bar];
}

void BM_SurfaceViewBarStepRepaint(benchmark::State& State) {
  TfmSurfaceChart& W = Window();
  PlotSurface(Request(), W);
  QScrollBar* Bar = ViewBar(W, int(State.range(0)));
  const int Start = Bar->value(), Other = Start < Bar->maximum() ? Start + 1 : Start - 1;
  int Step = 0;
  for (auto _ : State) {
    Bar->setValue((Step++ & 1) ? Start : Other);
    benchmark::DoNotOptimize(W.Chart->CreateBitmap(clWhite, Picture));
  }
  Bar->setValue(Start);
}
// 0 rotation, 1 elevation, 2 zoom, 3 horizontal, 4 vertical, 5 tilt.
BENCHMARK(BM_SurfaceViewBarStepRepaint)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

TPolarForm& PolarWindow() {
  static TPolarForm* W = [] {
    Window();
    TPolarForm* F = CreateForm<TPolarForm>();
    TPlotRequest R;
    R.Input = "1+sin(3*X)";
    R.XFrom = 0;
    R.XTo = 360;
    R.XSteps = 3599;
    PlotPolar(R, *F);
    return F;
  }();
  return *W;
}

// The polar window with a curve of 3,600 points: one step of its rotation bar and the repaint.
void BM_PolarRotationStepRepaint(benchmark::State& State) {
  TPolarForm& W = PolarWindow();
  const int Start = W.sbRot->value(), Other = Start > W.sbRot->minimum() ? Start - 1 : Start + 1;
  int Step = 0;
  for (auto _ : State) {
    W.sbRot->setValue((Step++ & 1) ? Start : Other);
    benchmark::DoNotOptimize(W.Chart1->CreateBitmap(clWhite, Picture));
  }
  W.sbRot->setValue(Start);
}
BENCHMARK(BM_PolarRotationStepRepaint)->Unit(benchmark::kMillisecond);

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

int main(int argc, char** argv) { return RunBenchmarksOffscreen(argc, argv); }
