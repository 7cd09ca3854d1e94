// The shape: its rectangle from the corners in each placement, the shapes and their clicks, the
// text colour against the fill.
#include <gtest/gtest.h>

#include "chart/engine/chart.h"
#include "chart/engine/shape_series.h"

namespace {
struct TShapeChart {
  TChart Chart;
  TChartShape Shape;
  TShapeChart() {
    Chart.SetView3D(false);
    Chart.SetBevelOuter(bvNone);
    Chart.Legend()->SetVisible(false);
    Chart.SetAxisVisible(false);
    Shape.Marks()->SetVisible(false);
    Shape.Pen()->SetVisible(false);
    Shape.SetShapeColor(clBlue);
    Shape.SetParentChart(&Chart);
    Chart.LeftAxis()->SetMinMax(0, 200);
    Chart.BottomAxis()->SetMinMax(0, 200);
    Chart.Repaint();
  }
  TColor At(int X, int Y) { return FromQColor(Chart.Backing()->Image().pixelColor(X, Y)); }
};
}  // namespace

TEST(ShapeSeries, RectangleFromItsCornersAndClicks) {
  TShapeChart P;
  ASSERT_EQ(P.Shape.Count(), 2);
  EXPECT_EQ(P.Shape.X1(), 100);
  const TRect R = P.Shape.GetShapeRectangle();
  EXPECT_EQ(R.Left, P.Chart.BottomAxis()->CalcPosValue(0));
  EXPECT_EQ(R.Top, P.Chart.LeftAxis()->CalcPosValue(100));  // corners ordered
  const int XC = (R.Left + R.Right) / 2, YC = (R.Top + R.Bottom) / 2;
  EXPECT_EQ(P.At(XC, YC), clBlue);
  EXPECT_NE(P.At(R.Left + 2, R.Top + 2), clBlue);  // outside the circle
  EXPECT_EQ(P.Shape.Clicked(XC, YC), 0);
  EXPECT_EQ(P.Shape.Clicked(R.Left + 2, R.Top + 2), -1);
  P.Shape.SetStyle(chasRectangle);
  P.Chart.Repaint();
  EXPECT_EQ(P.At(R.Left + 2, R.Top + 2), clBlue);
  EXPECT_EQ(P.Shape.Clicked(R.Left + 2, R.Top + 2), 0);
  P.Shape.SetStyle(chasTriangle);
  P.Chart.Repaint();
  EXPECT_NE(P.At(R.Left + 2, R.Top + 2), clBlue);
  EXPECT_EQ(P.At(XC, R.Bottom - 3), clBlue);
  EXPECT_EQ(P.Shape.Clicked(R.Left + 2, R.Top + 2), -1);

  // A pixel size from point 0, whatever the axis scale; coinciding corners keep one pixel.
  P.Shape.SetXYStyle(xysAxisOrigin);
  P.Shape.SetX1(50);
  P.Shape.SetY1(20);
  const TRect O = P.Shape.GetShapeRectangle();
  EXPECT_EQ(O.Right - O.Left, 50);
  EXPECT_EQ(O.Bottom - O.Top, 20);
  P.Shape.SetXYStyle(xysPixels);
  P.Shape.SetX0(30);
  P.Shape.SetY0(40);
  P.Shape.SetX1(30);
  P.Shape.SetY1(40);
  EXPECT_EQ(P.Shape.GetShapeRectangle(), (TRect{30, 40, 31, 41}));
  EXPECT_FALSE(P.Shape.UseAxis());
  // A shape outside the plot is not drawn; with more than two points neither.
  P.Shape.SetX0(5000);
  P.Shape.SetX1(6000);
  P.Chart.Repaint();
  P.Shape.AddXY(1, 1);
  P.Chart.Repaint();
  EXPECT_EQ(P.Shape.Clicked(XC, YC), -1);
}

TEST(ShapeSeries, TextTurnsBlackOrWhiteAgainstItsFill) {
  TShapeChart P;
  P.Shape.SetStyle(chasRectangle);
  P.Shape.Font()->SetColor(clBlue);
  P.Shape.Font()->SetSize(20);
  P.Shape.SetText({"WWW"});
  P.Chart.Repaint();
  const TRect R = P.Shape.GetShapeRectangle();
  bool Black = false;
  for (int X = R.Left; X < R.Right; ++X)
    for (int Y = R.Top; Y < R.Bottom; ++Y)
      if (P.At(X, Y) == clBlack) Black = true;
  EXPECT_TRUE(Black);
}
