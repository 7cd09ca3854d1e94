#include "app/graphics/plot_pictures.h"

#include <algorithm>
#include <vector>

#include "engine/engine_busy.h"
#include "engine/engine_scopes.h"
#include "engine/engine_state.h"
#include "plot/core/graph.h"
#include "plot/core/graph_legend.h"
#include "plot/layers/contour.h"
#include "plot/layers/contour_legend.h"
#include "plot/layers/series.h"

namespace {
void SetTitleText(TGraphTitle& Title, const QString& Text) {
  Title.Clear();
  if (Text.isEmpty()) return;
  for (const QString& Line : Text.split('#')) Title.AddLine(Line);
}

// The graph's next free colour. Once every shade it deals out is taken it has none to give,
// and a curve drawn in "no colour" would vanish: the colours already on the graph are dealt out
// again, in the order they were first taken.
TColor CurveColor(const TGraph& G) {
  constexpr auto NoColor = static_cast<TColor>(-1);
  const TColor Free = G.FreeColor();
  if (Free != NoColor) return Free;
  std::vector<TColor> Dealt;
  size_t Curves = 0;
  for (int I = 0; I < G.LayerCount(); ++I) {
    const TColor C = G.GetLayer(I)->GetColor();
    if (C == NoColor || C == G.Color) continue;
    ++Curves;
    if (std::find(Dealt.begin(), Dealt.end(), C) == Dealt.end()) Dealt.push_back(C);
  }
  if (Dealt.empty()) return G.Color == clBlack ? clWhite : clBlack;
  return Dealt[Curves % Dealt.size()];
}
}  // namespace

TTabulation PutCurve(TGraph& G, const TCurvePicture& P, const std::function<void(int)>& Gauge) {
  const TColor Color = CurveColor(G);
  auto Series = std::make_unique<TSeries>(&G, Color, 3, P.Legend);
  Series->SetSeriesKind(3);
  Series->SetMarkerStyle(G.FreeSeriesNumber());
  Series->SetColor(Color);
  QString Stripped = QString::fromLatin1(StripBlanks(P.Typed));
  Series->Name = "f(" + Stripped + ")";
  Series->MarkerStep = P.N / 20;
  // Tabulated before it joins the graph: a failure leaves nothing to take back, and a repaint
  // while the window system runs never shows half a curve.
  TTabulationRequest Request = CurveRequest(P.Typed, P.A, P.B, P.N);
  Request.Progress = Gauge;
  // Each point of the series is a heap block of its own, with the allocator's header, held by a
  // list of pointers that doubles as it grows.
  Request.KeptBytesPerPoint = sizeof(TGraphData) + 16 + 2 * sizeof(void*);
  TTabulation R = Tabulate(Request);
  if (!R.Ok()) return R;
  const TValueGrid& Curve = *R.Grid;
  for (int I = 0; I < Curve.NX(); ++I) Series->AddPoint(Color, {}, Curve.X(I), Curve.At(I, 0));
  R.Grid.reset();
  G.XAxis->Name = P.XTitle;
  G.YAxis->Name = P.YTitle;
  SetTitleText(G.Title, P.Title);
  auto* Added = static_cast<TSeries*>(G.AddLayer(std::move(Series)));
  Added->SetHasLegend(true);
  return R;
}

TTabulation PutGrid(TGraph& G, const TPlotRequest& P, TSharedGrid& Grid, TContour*& Layer) {
  Layer = nullptr;
  TTabulationRequest Request =
      GridRequest(P.Input, P.XFrom, P.XTo, P.XSteps, P.YFrom, P.YTo, P.YSteps);
  Request.Complex = P.ComplexMode;
  Request.Progress = P.Progress;
  TTabulation R = Tabulate(Request);
  if (!R.Ok()) {
    if (R.Outcome == TTabulationOutcome::Failed) Grid.reset();
    return R;
  }
  Grid = std::move(R.Grid);
  // Traced before the graph changes, with Stop heard as during the tabulation: a broken tracing
  // leaves the previous picture as it was.
  std::unique_ptr<TContour> Contour;
  {
    const TEngineBusyGuard Busy;
    const TContourTraceBreakScope Stop([] {
      PumpMessages();
      return BreakConfirmed();
    });
    Contour = std::make_unique<TContour>(&G, Grid, P.Shade ? 1 : P.Levels, P.Shade, false);
  }
  if (Contour->TraceBroken) {
    TTabulation Broken;
    Broken.Outcome = TTabulationOutcome::Failed;
    Broken.Error = BreakError(P.Input);
    return Broken;
  }
  // The window shows one picture of f(x,y): the previous one leaves with its legend entry, so
  // that neither its lines nor its name linger under the new one.
  for (int I = G.LayerCount() - 1; I >= 0; --I)
    if (G.GetLayer(I)->AsContour()) G.DeleteLayer(I).reset();
  G.Exaggerate = P.Exaggerate;
  G.YAxis->Name = P.YTitle;
  G.XAxis->Name = P.XTitle;
  SetTitleText(G.Title, P.ComplexMode ? "|" + P.Title + "|" : P.Title);
  G.XAxis->AutoMin = G.XAxis->AutoMax = false;
  G.YAxis->AutoMin = G.YAxis->AutoMax = false;
  G.XAxis->Min = P.XFrom;
  G.XAxis->Max = P.XTo;
  G.YAxis->Min = P.YFrom;
  G.YAxis->Max = P.YTo;
  G.ClipMarkers = false;
  if (!P.Shade) Contour->Name = P.Legend;
  Layer = static_cast<TContour*>(G.AddLayer(std::move(Contour)));
  if (!P.Shade && G.Legend) G.Legend->AddItem(TContourLegend::ForLayer(*Layer));
  // The graph's colour legend shows the scale of the newest layer.
  if (TColorLegend* Scale = G.ColorLegend(0)) Scale->Layer = Layer;
  return R;
}
