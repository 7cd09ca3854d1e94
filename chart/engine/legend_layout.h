#pragma once
// Where the legend goes and where its items lie: the arithmetic of the legend's drawing and of
// its hit test, free of the canvas.
#include <functional>

#include "platform/geometry.h"

enum TLegendAlignment { laLeft, laRight, laTop, laBottom };
// What a value's legend text shows: its label, its value or percent before or after the label,
// or its X value.
enum TLegendTextStyle {
  ltsPlain,
  ltsLeftValue,
  ltsRightValue,
  ltsLeftPercent,
  ltsRightPercent,
  ltsXValue
};

struct TLegendLayoutInput {
  TLegendAlignment Alignment = laRight;
  TRect ChartRect, ChartBounds;
  int ChartWidth = 0;
  int ChartXCenter = 0;
  int TotalItems = 0;
  int ItemHeight = 0;  // the font height
  // The widest text among Count items from the first shown (-1: all of them).
  std::function<int(int Count)> MaxTextWidth;
  bool FrameVisible = true;
  int FrameWidth = 1;
  int ColorWidth = 12;  // percent
  int TopPos = 10;      // percent
  int MaxNumRows = 10;
  int ShadowSize = 3;
};

struct TLegendLayout {
  TRect Rect;
  int Cols = 1, Rows = 0;
  int ItemHeight = 0;
  int XColor = 0, XText = 0;  // the symbol column and the text column
  int ColorWidthPx = 0;       // the width of a symbol
  int ItemStep = 0;           // from one column to the next in a horizontal legend
  int ItemsShown = 0;
  bool Vertical = true;

  // The text position of item position P.
  TPoint ItemPos(int P) const;
  // The item position under the point, or -1 (also for a legend without columns or rows).
  int Clicked(int X, int Y) const;
};

// The number of items that fit from YLegend on with ItemSize pixels each.
int LegendMaxValues(const TLegendLayoutInput& In, bool Vertical, int YLegend, int ItemSize);
TLegendLayout CalcLegendLayout(const TLegendLayoutInput& In);
// The chart rectangle after the legend took its side: with ResizeChart up to the legend, then by
// the gap (HorizMargin or 3 % of the width; VertMargin or 4 % of the height).
void LegendShrinkChartRect(const TLegendLayout& L, TLegendAlignment Alignment, TRect& ChartRect,
                           bool ResizeChart, int HorizMargin, int VertMargin, int ShadowSize);
