// The window half of the surface and polar plots: a finished table goes into the window's
// chart; a break, a refused grid or an unreadable text is reported and changes nothing.
#include <QScrollBar>

#include <algorithm>
#include <cmath>

#include "app/graphics/fm_surface_chart.h"
#include "app/graphics/polar_form.h"
#include "app/graphics/surface_polar_plot.h"
#include "chart/engine/chart.h"
#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_value_list.h"
#include "chart/engine/polar_series.h"
#include "chart/engine/surface_series.h"
#include "engine/side_eval.h"
#include "platform/codepage.h"
#include "platform/cursors.h"
#include "platform/dialogs.h"

namespace {

// The page's outcome of a tabulation.
TPlotOutcome OutcomeOf(const TTabulation& T) {
  switch (T.Outcome) {
    case TTabulationOutcome::Done:
      return TPlotOutcome::Plotted;
    case TTabulationOutcome::Refused:
      return TPlotOutcome::Refused;
    case TTabulationOutcome::NoMemory:
      return TPlotOutcome::TooLarge;
    case TTabulationOutcome::Failed:
      break;
  }
  return T.UserBreak() ? TPlotOutcome::Break : TPlotOutcome::Failed;
}

// Answers whether the table can be plotted; shows what the user must see otherwise. NX and NZ
// are the points of the grid, for the refusal.
bool Report(const TTabulation& T, const TPlotRequest& Request, long long NX, long long NZ) {
  switch (OutcomeOf(T)) {
    case TPlotOutcome::Plotted:
      return true;
    case TPlotOutcome::Break:
      if (Request.ShowEvalError) Request.ShowEvalError(T.Error);
      return false;
    case TPlotOutcome::Failed:
      if (Request.ShowEvalError) Request.ShowEvalError(T.Error);
      ShowError(QStringLiteral("Cann't calculate this function"));
      return false;
    case TPlotOutcome::TooLarge:
      ShowError(QString::fromStdString(SurfaceMessages::GridTooLarge(NX, NZ)));
      return false;
    case TPlotOutcome::Refused:
      return false;
  }
  return false;
}

// The gauge goes back to 0 when the surface is done, however it ended.
class TGaugeReset {
 public:
  explicit TGaugeReset(const std::function<void(int)>& Progress) : FProgress(Progress) {}
  ~TGaugeReset() {
    if (FProgress) FProgress(0);
  }
  TGaugeReset(const TGaugeReset&) = delete;
  TGaugeReset& operator=(const TGaugeReset&) = delete;

 private:
  const std::function<void(int)>& FProgress;
};

}  // namespace

TPlotOutcome PlotSurface(const TPlotRequest& Request, TfmSurfaceChart& Window) {
  const TBusyCursor Busy;
  TTabulation T;
  {
    const TGaugeReset Reset(Request.Progress);
    T = Tabulate(SurfaceTabulation(Request));
  }
  if (!Report(T, Request, std::max(1, Request.XSteps) + 1LL, std::max(1, Request.YSteps) + 1LL))
    return OutcomeOf(T);
  const TValueGrid& Grid = *T.Grid;

  Window.Close();
  TChart& C = *Window.Chart;
  TSurfaceSeries& S = *Window.SurfaceSeries1;
  C.Title()->ClearText();
  C.Title()->SetText({Request.ComplexMode
                          ? QStringLiteral("|") + Request.Legend + QStringLiteral("|")
                          : Request.Legend});
  C.Title()->SetVisible(true);
  C.BottomAxis()->SetTitleCaption(Request.XTitle);
  S.Pen()->SetVisible(false);
  C.LeftAxis()->SetLabelStyle(talAuto);
  C.BottomAxis()->SetLabelStyle(talAuto);
  Window.XFrom = Request.XFrom;
  Window.XTo = Request.XTo;
  Window.XStep = (Window.XTo - Window.XFrom) / double(Grid.NX() - 1);
  Window.YFrom = Request.YFrom;
  Window.YTo = Request.YTo;
  Window.YStep = (Window.YTo - Window.YFrom) / double(Grid.NY() - 1);
  // A failed point is a hole in the surface, outside the colour range. The series reads the
  // table in place.
  S.AssignGrid(TSharedGrid(std::move(T.Grid)));
  const std::string Text =
      StripBlanks(Request.ComplexMode ? "abs(" + Request.Input + ")" : Request.Input);
  S.SetTitle(QStringLiteral("f(x,y)=") + FromCp1252(Text));
  S.SetPaletteSteps(10);
  S.RefreshSeries();
  Window.Show();
  return TPlotOutcome::Plotted;
}

TPlotOutcome PlotPolar(const TPlotRequest& Request, TPolarForm& Window) {
  TChart& C = *Window.Chart1;
  if (!Request.Title.isEmpty()) C.Title()->SetText({Request.Title});
  const TBusyCursor Busy;
  const TTabulation T = Tabulate(PolarTabulation(Request));
  if (!Report(T, Request, std::max(1, Request.XSteps) + 1LL, 1)) return OutcomeOf(T);
  const TValueGrid& Points = *T.Grid;

  auto S = std::make_unique<TPolarSeries>();
  S->Pointer()->SetVisible(false);
  S->SetCircled(true);
  S->SetCircleBackColor(0);
  S->SetCircleLabels(true);
  S->SetTitle(Request.Legend);
  C.LeftAxis()->SetAutomatic(true);
  for (int I = 0; I < Points.NX(); ++I) {
    const double X = Points.X(I), Radius = Points.At(I, 0);
    const double Angle = Request.Radians ? X * 180.0 / M_PI : X;
    if (TValueGrid::Missing(Radius))
      S->AddXY(Angle, 0, {}, clNone);
    else
      S->AddPolar(Angle, Radius);
  }
  Window.AdoptSeries(std::move(S));
  TChartAxis* Radius = C.LeftAxis();
  // From 0 out to the largest radius; radii that all lie below 0 leave no room above 0, and
  // the axis takes both its ends from them.
  try {
    Radius->SetRange(false, true, 0, Radius->Maximum());
  } catch (const AxisException&) {
    Radius->SetRange(true, true, 0, Radius->Maximum());
  }
  Window.ShowPlotView();
  C.View3DOptions()->SetElevation(Window.scbElev->value());
  Window.Show();
  return TPlotOutcome::Plotted;
}
