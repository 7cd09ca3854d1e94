#include "chart/engine/legend_layout.h"

#include <algorithm>
#include <cmath>

namespace {
int RoundI(double V) { return int(std::nearbyint(V)); }
}  // namespace

TPoint TLegendLayout::ItemPos(int P) const {
  if (Vertical || Cols <= 0) return {XText, Rect.Top + 1 + P * ItemHeight};
  return {XText + (P % Cols) * ItemStep, Rect.Top + 1 + (P / Cols) * ItemHeight};
}

int TLegendLayout::Clicked(int X, int Y) const {
  if (X < Rect.Left || X > Rect.Right || Y < Rect.Top || Y > Rect.Bottom) return -1;
  if (ItemHeight <= 0 || Rows <= 0) return -1;
  if (Vertical) {
    for (int i = 0; i < Rows; ++i)
      if (Y >= Rect.Top + 1 + i * ItemHeight && Y <= Rect.Top + 1 + (i + 1) * ItemHeight) return i;
    return -1;
  }
  // Without columns there is no item to find (and nothing to divide by).
  if (Cols <= 0) return -1;
  const int ColWidth = (Rect.Right - Rect.Left) / Cols;
  if (ColWidth <= 0) return -1;
  const int Row = (Y - Rect.Top - 1) / ItemHeight;
  const int Col = std::min((X - Rect.Left) / ColWidth, Cols - 1);
  if (Row < 0 || Row >= Rows) return -1;
  return Cols * Row + Col;
}

int LegendMaxValues(const TLegendLayoutInput& In, bool Vertical, int YLegend, int ItemSize) {
  const int Far = Vertical ? In.ChartRect.Bottom : In.ChartRect.Right;
  if (Far <= YLegend || ItemSize < 1) return 0;
  const int Fw = In.FrameVisible ? In.FrameWidth : 0;
  const int Extent = Vertical ? In.ChartRect.Bottom : In.ChartWidth;
  return std::max(0, std::min(In.TotalItems, (Extent - 2 * Fw - YLegend) / ItemSize));
}

TLegendLayout CalcLegendLayout(const TLegendLayoutInput& In) {
  TLegendLayout L;
  const int H = std::max(0, In.ItemHeight);
  L.ItemHeight = H;
  L.Vertical = In.Alignment == laLeft || In.Alignment == laRight;
  auto Width = [&In](int Count) {
    return In.MaxTextWidth ? std::max(0, In.MaxTextWidth(Count)) : 0;
  };
  const int Tw = Width(-1) + 4;
  int Sw = RoundI(In.ColorWidth * Tw * 0.01);
  const int Fw = In.FrameVisible ? In.FrameWidth : 0;
  const int FrameGap = In.FrameVisible ? Fw + 1 : 0;
  TRect& R = L.Rect;
  auto Columns = [&] {
    L.Cols = LegendMaxValues(In, false, 8, Tw + Sw + 8);
    if (L.Cols >= 1) {
      const int Rows = (In.TotalItems + L.Cols - 1) / L.Cols;
      L.Rows = std::min(Rows, In.MaxNumRows);
    } else {
      L.Rows = 0;
    }
  };
  switch (In.Alignment) {
    case laTop:
      R.Top = In.ChartRect.Top + FrameGap;
      Columns();
      R.Bottom = R.Top + 2 + L.Rows * H;
      break;
    case laBottom:
      R.Bottom = In.ChartRect.Bottom - In.ShadowSize - FrameGap;
      Columns();
      R.Top = R.Bottom - 2 - L.Rows * H;
      break;
    default:
      R.Top = In.ChartBounds.Top +
              RoundI(In.TopPos * (In.ChartBounds.Bottom - In.ChartBounds.Top) * 0.01);
      L.Cols = 1;
      L.Rows = LegendMaxValues(In, true, R.Top, H);
      R.Bottom = R.Top + 2 + L.Rows * H;
      break;
  }
  if (In.Alignment == laLeft) {
    const int W = Width(L.Rows);
    R.Left = In.ChartRect.Left + FrameGap;
    L.XColor = R.Left + 4;
    Sw = RoundI((L.XColor + 4 + W + 2 - R.Left) * In.ColorWidth * 0.01);
    L.XText = L.XColor + Sw + 4;
    R.Right = L.XText + W + 2;
  } else if (In.Alignment == laRight) {
    const int W = Width(L.Rows);
    R.Right = In.ChartRect.Right - FrameGap - In.ShadowSize;
    L.XText = R.Right - W - 2;
    Sw = RoundI((R.Right - (L.XText - 8)) * In.ColorWidth * 0.01);
    L.XColor = L.XText - Sw - 4;
    R.Left = L.XColor - 4;
  } else {
    const int W = std::min(In.ChartWidth, 2 * In.ShadowSize + (Sw + Tw + 4) * L.Cols + 8);
    const int Offset =
        RoundI(In.TopPos * ((In.ChartBounds.Right - In.ChartBounds.Left) - W) * 0.01);
    R.Left = In.ChartXCenter - W / 2 + Offset;
    R.Right = In.ChartXCenter + W / 2 + Offset;
    L.XColor = R.Left + 4;
    L.XText = L.XColor + Sw + 4;
  }
  L.ColorWidthPx = Sw;
  L.ItemStep = Tw + Sw + 4;
  L.ItemsShown = L.Vertical ? L.Rows : L.Cols * L.Rows;
  return L;
}

void LegendShrinkChartRect(const TLegendLayout& L, TLegendAlignment Alignment, TRect& ChartRect,
                           bool ResizeChart, int HorizMargin, int VertMargin, int ShadowSize) {
  const int Width = ChartRect.Right - ChartRect.Left, Height = ChartRect.Bottom - ChartRect.Top;
  const int HGap = HorizMargin ? HorizMargin : RoundI(Width * 0.03);
  const int VGap = VertMargin ? VertMargin : RoundI(Height * 0.04);
  switch (Alignment) {
    case laLeft:
      if (ResizeChart) ChartRect.Left = L.Rect.Right;
      ChartRect.Left += HGap;
      break;
    case laRight:
      if (ResizeChart) ChartRect.Right = L.Rect.Left;
      ChartRect.Right -= HGap;
      break;
    case laTop:
      if (ResizeChart) ChartRect.Top = L.Rect.Bottom + ShadowSize;
      ChartRect.Top += VGap;
      break;
    case laBottom:
      if (ResizeChart) ChartRect.Bottom = L.Rect.Top;
      ChartRect.Bottom -= VGap;
      break;
  }
  // The chart keeps at least one pixel.
  ChartRect.Right = std::max(ChartRect.Right, ChartRect.Left + 1);
  ChartRect.Bottom = std::max(ChartRect.Bottom, ChartRect.Top + 1);
}
