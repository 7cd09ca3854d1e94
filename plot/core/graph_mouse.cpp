// The graph's answer to the mouse: the cursor readout, the zoom band, and the routing of the
// mouse to the annotation layer and then to the layers, topmost first.
#include <QMenu>
#include <cmath>

#include "platform/canvas.h"
#include "plot/core/graph.h"
#include "plot/core/graph_utils.h"

namespace {
const QString NotAvailable = QStringLiteral("n/a");

QString AxisLabel(const TAxis& A, const QString& Default) {
  return A.Name.isEmpty() ? Default : A.Name + u'=';
}
}  // namespace

bool TGraph::InMouseArea(int X, int Y) const {
  TRect R = PlotRect;
  if (View3D > 0) {
    R.Top -= Depth3D;
    R.Right += Depth3D;
  }
  return X >= R.Left && X <= R.Right && Y >= R.Top && Y <= R.Bottom;
}

bool TGraph::MouseIgnored(int X, int Y) {
  if (X == -1 && Y == -1) return true;
  if (Busy) {
    Owner->SetCursor(crHourGlass);
    return true;
  }
  return false;
}

void TGraph::SetLayerAxes(const TLayer* L) {
  UseX2 = L && L->GetOnXAxis2();
  UseY2 = L && L->GetOnYAxis2();
}

void TGraph::ShowNoReadout() {
  if (!Owner->HasStatusBar()) return;
  const QString Labels[2] = {AxisLabel(*XAxis, QStringLiteral("X=")),
                             AxisLabel(*YAxis, QStringLiteral("Y="))};
  for (int I = 0; I < 2; ++I) {
    const QString Text = Labels[I] + NotAvailable;
    const int Width = Canvas ? Canvas->TextWidth(QStringLiteral("99") + Text) : -1;
    Owner->SetStatusPanel(I, Text, Width);
  }
}

void TGraph::ShowReadout(int Shift, int X, int Y) {
  if (!Owner->HasStatusBar()) return;
  TFontData Saved;
  if (Canvas) {
    Saved = Canvas->Font()->Data();
    Canvas->Font()->SetName(QStringLiteral("Arial"));
    Canvas->Font()->SetSize(8);
  }
  double WX = PixelToX(X), WY = PixelToY(Y);
  if (XAxis->Log) WX = std::pow(10.0, WX);
  if (YAxis->Log) WY = std::pow(10.0, WY);
  auto Panel = [&](int Index, const TAxis& A, const QString& Default, double V) {
    const QString Label = AxisLabel(A, Default);
    const QString Value = FloatToText(A.Digits + 1, 1, V);
    const int Width = Canvas ? Canvas->TextWidth(QStringLiteral("99") + Label + Value) : -1;
    Owner->SetStatusPanel(Index, Label + Value, Width);
  };
  Panel(0, *XAxis, QStringLiteral("X="), WX);
  Panel(1, *YAxis, QStringLiteral("Y="), WY);
  for (int I = 0; I < LayerCount(); ++I) {
    TLayer* L = GetLayer(I);
    TGraphContour* C = L->AsContour();
    if (!C) continue;
    const TLayerHandle Alive(L);
    L->MouseMove(Shift, X, Y);
    // The layer may have left the list, and another may stand at its address.
    if (!Alive.Get()) break;
    const double Z = C->PointValue(WX, WY);
    const QString Label = L->Name.isEmpty() ? QStringLiteral("Z=") : L->Name + u'=';
    Owner->SetStatusPanel(2, Label + (IsMissingValue(Z) ? NotAvailable : FloatToText(5, 1, Z)), -1);
    break;
  }
  if (Canvas) Canvas->Font()->SetData(Saved);
}

void TGraph::MouseMove(int Shift, int X, int Y) {
  if (X == -1 && Y == -1) {  // the mouse left the image
    StopHoverTimer();
    if (Legend) Legend->HoverAt(-1, -1);
  }
  if (MouseIgnored(X, Y)) return;
  // Every call below may change the layer list; the index is checked again each time.
  for (int I = LayerCount() - 1; I >= 0; --I)
    if (I < LayerCount()) GetLayer(I)->ClearHit(Shift, X, Y);
  if (TAbstractLegend* L = DraggedLegend()) {
    L->DragMove(X, Y);
    return;
  }
  const bool OverLegend = LegendAt(X, Y) != nullptr;
  if (Legend) Legend->HoverAt(OverLegend ? X : -1, OverLegend ? Y : -1);
  if (OverLegend) {
    Owner->SetCursor(crOverLegend);
    return;
  }
  if (!InMouseArea(X, Y)) {
    StopHoverTimer();
    ShowNoReadout();
    if (Annotate) Annotate->MouseMove(Shift, X, Y);
    return;
  }
  ShowReadout(Shift, X, Y);
  if (Zoom.Enabled && !Zoom.Dragging) {
    Owner->SetCursor(ZoomAnimated ? crZoomAnimated : crZoomTool);
    return;
  }
  if (Zoom.Dragging) {
    Owner->SetCursor(crZoomTool);
    Zoom.Drag(X, Y);
    return;
  }
  if (Annotate) {
    Annotate->MouseMove(Shift, X, Y);
    if (Annotate->HitIndex != -1) return;
  }
  LayerHit([&](TLayer& L) { L.MouseMove(Shift, X, Y); });
  if (LegendAt(X, Y)) Owner->SetCursor(crOverLegend);
}

TLayer* TGraph::LayerHit(const std::function<void(TLayer& L)>& Event) {
  TLayer* Hit = nullptr;
  for (int I = LayerCount() - 1; I >= 0 && !Hit; --I) {
    if (I >= LayerCount()) continue;
    TLayer* L = GetLayer(I);
    SetLayerAxes(L);
    const TLayerHandle Alive(L);
    Event(*L);
    if (Alive.Get() && L->HitIndex != -1) Hit = L;
  }
  SetLayerAxes(nullptr);
  return Hit;
}

void TGraph::MouseDown(TGraphMouseButton Button, int Shift, int X, int Y) {
  if (MouseIgnored(X, Y)) return;
  if (TAbstractLegend* L = LegendAt(X, Y)) {
    L->BeginDrag(X, Y);
    return;
  }
  if (!InMouseArea(X, Y)) return;
  if (Zoom.Enabled && Button == mbLeft) {
    Owner->SetCursor(crZoomTool);
    Zoom.BeginDrag(X, Y);
    return;
  }
  if (Annotate) {
    Annotate->MouseDown(static_cast<int>(Button), Shift, X, Y);
    if (Annotate->HitIndex != -1) return;
  }
  Info->MouseDown(static_cast<int>(Button), Shift, X, Y);
  if (Info->GetVisible() && InfoTookClick) return;
  const TLayer* Over = LayerHit([&](TLayer& L) { L.MouseMove(Shift, X, Y); });
  const TGraphSeries* S = Over ? Over->AsSeries() : nullptr;
  if (!(S &&
        (S->Kind() == skLine || S->Kind() == skLineAndPoint || S->Kind() == skPiecewiseConstant)))
    Owner->SetCursor(crDefault);
  const bool Handled =
      LayerHit([&](TLayer& L) { L.MouseDown(static_cast<int>(Button), Shift, X, Y); }) != nullptr;
  if (!Handled && Button == mbRight && !PopupMenu()->actions().isEmpty())
    Owner->ShowPopupMenu(PopupMenu(), X, Y);
}

void TGraph::MouseUp(TGraphMouseButton Button, int Shift, int X, int Y) {
  if (MouseIgnored(X, Y)) return;
  if (TAbstractLegend* L = DraggedLegend()) {
    L->EndDrag(X, Y);
    return;
  }
  if (!InMouseArea(X, Y)) return;
  if (!Zoom.Dragging) {
    if (Annotate) Annotate->MouseUp(static_cast<int>(Button), Shift, X, Y);
    for (int I = 0; I < LayerCount(); ++I) {
      TLayer* L = GetLayer(I);
      if (!L->AsSeries()) continue;
      SetLayerAxes(L);
      L->MouseUp(static_cast<int>(Button), Shift, X, Y);
    }
    SetLayerAxes(nullptr);
    return;
  }
  Zoom.EndDrag(X, Y);
  Paint();
  Owner->SetCursor(crDefault);
}
