// The window half of the surface and polar plots: a finished table goes into the window's
// chart; a break, a refused grid or an unreadable text is reported and changes nothing.
#include <QScrollBar>

#include <cmath>

#include "app/graphics/fm_surface_chart.h"
#include "app/graphics/polar_form.h"
#include "app/graphics/surface_polar_plot.h"
#include "chart/engine/chart.h"
#include "chart/engine/chart_value_list.h"
#include "chart/engine/polar_series.h"
#include "chart/engine/surface_series.h"
#include "engine/side_eval.h"
#include "platform/codepage.h"
#include "platform/cursors.h"
#include "platform/dialogs.h"

namespace {

// Answers whether the table can be plotted; shows what the user must see otherwise.
bool Report(const TTabulation& T, const TPlotRequest& Request) {
  switch (T.Outcome) {
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
      ShowError(T.Message);
      return false;
    case TPlotOutcome::Refused:
      return false;
  }
  return false;
}

// The series keeps reallocating its lists while a large grid is added; one allocation of the
// whole size is enough.
class TCapacityScope {
 public:
  explicit TCapacityScope(int Capacity) : FSaved(ChartDefaultCapacity()) {
    SetChartDefaultCapacity(Capacity);
  }
  ~TCapacityScope() { SetChartDefaultCapacity(FSaved); }
  TCapacityScope(const TCapacityScope&) = delete;
  TCapacityScope& operator=(const TCapacityScope&) = delete;

 private:
  int FSaved;
};

}  // namespace

TPlotOutcome PlotSurface(const TPlotRequest& Request, TfmSurfaceChart& Window) {
  const TBusyCursor Busy;
  TSurfaceGrid Grid;
  const TTabulation T = TabulateSurface(Request, Grid);
  if (!Report(T, Request)) return T.Outcome;

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
  S.SetNumXValues(Grid.NumX);
  S.SetNumZValues(Grid.NumZ);
  Window.XFrom = Request.XFrom;
  Window.XTo = Request.XTo;
  Window.XStep = (Window.XTo - Window.XFrom) / double(Grid.NumX - 1);
  Window.YFrom = Request.YFrom;
  Window.YTo = Request.YTo;
  Window.YStep = (Window.YTo - Window.YFrom) / double(Grid.NumZ - 1);
  {
    const TCapacityScope Capacity(Grid.NumX * Grid.NumZ);
    S.Clear();
  }
  for (int i = 1; i <= Grid.NumX; ++i)
    for (int j = 1; j <= Grid.NumZ; ++j) {
      const double V = Grid.At(i, j);
      // A failed point is a hole in the surface, outside the colour range.
      if (std::isnan(V))
        S.AddXYZ(i, 0, j, {}, clNone);
      else
        S.AddXYZ(i, V, j);
    }
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
  std::vector<TPolarPoint> Points;
  const TTabulation T = TabulatePolar(Request, Points);
  if (!Report(T, Request)) return T.Outcome;

  auto S = std::make_unique<TPolarSeries>();
  S->Pointer()->SetVisible(false);
  S->SetCircled(true);
  S->SetCircleBackColor(0);
  S->SetCircleLabels(true);
  S->SetTitle(Request.Legend);
  C.LeftAxis()->SetAutomatic(true);
  for (const TPolarPoint& P : Points)
    if (std::isnan(P.Radius))
      S->AddXY(P.Angle, 0, {}, clNone);
    else
      S->AddPolar(P.Angle, P.Radius);
  Window.AdoptSeries(std::move(S));
  TChartAxis* Radius = C.LeftAxis();
  Radius->SetAutomatic(false);
  Radius->SetAutomaticMinimum(false);
  Radius->SetAutomaticMaximum(true);
  Radius->SetMinimum(0);
  Window.ShowPlotView();
  C.View3DOptions()->SetElevation(Window.scbElev->value());
  Window.Show();
  return TPlotOutcome::Plotted;
}
