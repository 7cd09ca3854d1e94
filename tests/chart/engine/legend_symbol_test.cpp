// The legend's symbols as each series type draws them: lines, pointers, boxes in the fill of
// bars and areas, pie slices' colours, the shape itself; and the outline of a symbol in the
// legend's own colour.
#include <gtest/gtest.h>

#include "chart/engine/bar_series.h"
#include "chart/engine/chart.h"
#include "chart/engine/custom_series.h"
#include "chart/engine/pie_series.h"
#include "chart/engine/shape_series.h"
#include "platform/canvas_targets.h"

namespace {

struct TLegendChart {
  TChart Chart;
  TLegendChart() {
    Chart.resize(600, 400);
    Chart.SetView3D(false);
    Chart.SetBevelOuter(bvNone);
    // Wide symbols, so that a pointer leaves room around it.
    Chart.Legend()->SetColorWidth(60);
    Chart.Legend()->SetShadowSize(0);
  }
  void Add(TChartSeries& S, TColor Color) {
    S.SetSeriesColor(Color);
    S.Marks()->SetVisible(false);
    S.SetParentChart(&Chart);
  }
  // The symbol rectangle of the legend's item at position P, as the legend lays it out.
  TRect Symbol(int P) const {
    const TLegendLayout& L = Chart.Legend()->Layout();
    const TPoint T = L.ItemPos(P);
    return {T.X - 4 - L.ColorWidthPx, T.Y + 2, T.X - 4, T.Y + L.ItemHeight - 2};
  }
  TColor At(int X, int Y) { return FromQColor(Chart.Backing()->Image().pixelColor(X, Y)); }
  TColor Centre(int P) {
    const TRect R = Symbol(P);
    return At((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
  }
  // Just inside the symbol's top left corner.
  TColor Corner(int P) {
    const TRect R = Symbol(P);
    return At(R.Left + 2, R.Top + 1);
  }
};

}  // namespace

TEST(LegendSymbols, EachSeriesTypeDrawsItsOwn) {
  TLegendChart P;
  TLineSeries Line;
  TPointSeries Points;
  TBarSeries Bar;
  TAreaSeries Area;
  TFastLineSeries Fast;
  TChartShape Shape;
  for (TChartSeries* S : std::initializer_list<TChartSeries*>{&Line, &Points, &Bar, &Area, &Fast})
    for (double V : {3.0, 5.0, 4.0}) S->AddY(V);
  P.Add(Line, clRed);
  P.Add(Points, clBlue);
  P.Add(Bar, clGreen);
  Bar.BarPen()->SetVisible(false);
  P.Add(Area, clNavy);
  Area.SetAreaColor(clTeal);
  P.Add(Fast, clPurple);
  P.Add(Shape, clYellow);
  Shape.SetShapeColor(clYellow);
  Shape.SetXYStyle(xysPixels);
  Shape.Pen()->SetVisible(false);
  P.Chart.Repaint();
  ASSERT_EQ(P.Chart.Legend()->Layout().ItemsShown, 6);
  const TColor Back = P.Chart.Legend()->Color();
  ASSERT_GT(P.Symbol(0).Right - P.Symbol(0).Left, 20);

  // A line across the middle, nothing above it.
  EXPECT_EQ(P.Centre(0), clRed);
  EXPECT_EQ(P.Corner(0), Back);
  // The pointer at the centre, smaller than the symbol.
  EXPECT_EQ(P.Centre(1), clBlue);
  EXPECT_EQ(P.Corner(1), Back);
  // Bars and areas: boxes in their fill, the area in the colour its area is drawn in.
  EXPECT_EQ(P.Centre(2), clGreen);
  EXPECT_EQ(P.Corner(2), clGreen);
  EXPECT_EQ(P.Centre(3), clTeal);
  EXPECT_EQ(P.Corner(3), clTeal);
  EXPECT_EQ(P.Centre(4), clPurple);
  EXPECT_EQ(P.Corner(4), Back);
  // The shape (a circle) drawn into the symbol: filled at the centre, not in the corner.
  EXPECT_EQ(P.Centre(5), clYellow);
  EXPECT_EQ(P.Corner(5), Back);

  // A symbol in the legend's own colour gets an outline; a hatched bar shows its background.
  Bar.SetSeriesColor(Back);
  Bar.BarBrush()->SetStyle(bsCross);
  Bar.BarBrush()->SetColor(clYellow);
  P.Chart.Repaint();
  const TRect B = P.Symbol(2);
  EXPECT_EQ(P.At(B.Left, (B.Top + B.Bottom) / 2), clBlack);
  EXPECT_EQ(P.At((B.Left + B.Right) / 2, B.Top), clBlack);
  int Yellow = 0;
  for (int X = B.Left + 1; X < B.Right - 1; ++X)
    for (int Y = B.Top + 1; Y < B.Bottom - 1; ++Y) Yellow += P.At(X, Y) == clYellow;
  EXPECT_GT(Yellow, 0);

  // In 3D a line's symbol is a box in the line's brush; a null series colour draws nothing.
  P.Chart.SetView3D(true);
  Points.SetSeriesColor(clNone);
  P.Chart.Repaint();
  EXPECT_EQ(P.Centre(0), clRed);
  EXPECT_EQ(P.Corner(0), clRed);
  EXPECT_EQ(P.Centre(1), Back);
}

TEST(LegendSymbols, PieValuesListOnlyTheSlicesDrawn) {
  TLegendChart P;
  TPieSeries Pie;
  P.Add(Pie, clRed);
  for (double V : {50.0, 2.0, 30.0, 3.0, 15.0}) Pie.AddY(V);
  Pie.OtherSlice()->SetStyle(poBelowPercent);
  Pie.OtherSlice()->SetValue(10);
  P.Chart.Repaint();
  // 50, 30, 15 and the other slice of 5.
  TCustomChartLegend* L = P.Chart.Legend();
  ASSERT_EQ(L->TotalLegendItems(), 4);
  EXPECT_TRUE(L->LegendText(1).startsWith("30")) << L->LegendText(1).toStdString();
  EXPECT_EQ(L->LegendText(3), "5 Other");
  for (int k = 0; k < 4; ++k) {
    const int Index = Pie.MapValueIndex(k);
    EXPECT_EQ(P.Centre(k), Pie.GetValueColor(Index)) << k;
    EXPECT_EQ(P.Corner(k), Pie.GetValueColor(Index)) << k;
  }

  // With patterns each symbol is its slice's hatch over the circle's background.
  Pie.SetUsePatterns(true);
  Pie.SetCircleBackColor(clYellow);
  P.Chart.Repaint();
  const TRect R = P.Symbol(0);
  int Hatch = 0, Background = 0;
  for (int X = R.Left + 1; X < R.Right - 1; ++X)
    for (int Y = R.Top + 1; Y < R.Bottom - 1; ++Y) {
      Hatch += P.At(X, Y) == Pie.GetValueColor(0);
      Background += P.At(X, Y) == clYellow;
    }
  EXPECT_GT(Hatch, 0);
  EXPECT_GT(Background, 0);
}
