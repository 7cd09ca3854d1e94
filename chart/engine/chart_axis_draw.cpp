// The drawing of an axis: its line, ticks, grid lines and labels.
#include <cmath>

#include "chart/engine/axis_panel.h"
#include "chart/engine/canvas3d.h"
#include "chart/engine/chart_axis.h"
#include "platform/canvas.h"

void TChartAxis::Pens() {
  auto Repaint = [this](TGraphicsObject*) {
    if (FChart) FChart->Invalidate();
  };
  FAxisPen = std::make_unique<TChartAxisPen>(Repaint);
  FGrid = std::make_unique<TDottedGrayPen>(Repaint);
  FTicks = std::make_unique<TDarkGrayPen>(Repaint);
  FTicksInner = std::make_unique<TDarkGrayPen>(Repaint);
  FMinorTicks = std::make_unique<TDarkGrayPen>(Repaint);
}

void TChartAxis::Draw(TChartCanvas3D& C, const TRect& Plot) {
  // Outwards from the plot: down for the bottom axis, up for the top, left for the left one and
  // right for the right one.
  const int Out = FOtherSide ? (FHorizontal ? -1 : 1) : (FHorizontal ? 1 : -1);
  auto Across = [&](int Along, int From, int To) {
    if (FHorizontal) {
      C.MoveTo(Along, From);
      C.LineTo(Along, To);
    } else {
      C.MoveTo(From, Along);
      C.LineTo(To, Along);
    }
  };
  if (FAxisPen->Visible()) {
    C.AssignVisiblePen(*FAxisPen);
    if (FHorizontal) {
      C.MoveTo(FIStartPos, FPosAxis);
      C.LineTo(FIEndPos, FPosAxis);
    } else {
      C.MoveTo(FPosAxis, FIStartPos);
      C.LineTo(FPosAxis, FIEndPos);
    }
  }
  if (!(FIMaximum >= FIMinimum)) return;
  const int LabelSize = FHorizontal ? C.TextWidth(LabelValue(FIMaximum)) : C.FontHeight();
  const std::vector<double> Values = LabelValues(LabelSize);
  const int GridFrom = FHorizontal ? Plot.Top : Plot.Left;
  const int GridTo = FHorizontal ? Plot.Bottom : Plot.Right;
  int Previous = 0;
  bool HasPrevious = false;
  C.Brush()->SetStyle(bsClear);
  for (double V : Values) {
    int P;
    if (!ValueToPixel(V, P)) continue;
    if (FTicks->Visible()) {
      C.AssignVisiblePen(*FTicks);
      Across(P, FPosAxis, FPosAxis + Out * FTickLength);
    }
    if (FGrid->Visible()) {
      const bool Draw = !FGridCentered || HasPrevious;
      const int G = FGridCentered && HasPrevious ? (P + Previous) / 2 : P;
      if (Draw) {
        C.AssignVisiblePen(*FGrid);
        Across(G, GridFrom, GridTo);
      }
    }
    if (FTicksInner->Visible() && FTickInnerLength > 0) {
      C.AssignVisiblePen(*FTicksInner);
      Across(P, FPosAxis, FPosAxis - Out * FTickInnerLength);
    }
    if (HasPrevious && !FLogarithmic && FMinorTicks->Visible() && FMinorTickCount > 0) {
      C.AssignVisiblePen(*FMinorTicks);
      for (int k = 1; k <= FMinorTickCount; ++k) {
        const int M = Previous + int(std::lround(double(P - Previous) * k / (FMinorTickCount + 1)));
        Across(M, FPosAxis, FPosAxis + Out * FMinorTickLength);
      }
    }
    if (FLabels) {
      const QString Text = LabelValue(V);
      const int Room = FTickLength + 1;
      if (FHorizontal) {
        C.SetTextAlign(TA_CENTER | (FOtherSide ? TA_BOTTOM : TA_TOP));
        C.TextOut(P, FPosAxis + Out * Room, Text);
      } else {
        C.SetTextAlign((FOtherSide ? TA_LEFT : TA_RIGHT) | TA_TOP);
        C.TextOut(FPosAxis + Out * Room, P - C.FontHeight() / 2, Text);
      }
      C.SetTextAlign(TA_LEFT | TA_TOP);
    }
    Previous = P;
    HasPrevious = true;
  }
}
