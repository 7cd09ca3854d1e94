// Bar series: edges at their values, side-by-side and stacked layouts, the styles, clicks and the
// checks of their settings.
#include <gtest/gtest.h>

#include "chart/engine/bar_series.h"
#include "chart/engine/chart.h"
#include "platform/canvas_targets.h"

namespace {

struct TBarChart {
  TChart Chart;
  TBarChart() {
    Chart.SetView3D(false);
    Chart.SetBevelOuter(bvNone);
    Chart.Legend()->SetVisible(false);
    Chart.SetAxisVisible(false);
  }
  void Add(TCustomBarSeries& S, TColor Color, std::initializer_list<double> Values) {
    S.SetSeriesColor(Color);
    S.Marks()->SetVisible(false);
    S.BarPen()->SetVisible(false);
    for (double V : Values) S.AddY(V);
    S.SetParentChart(&Chart);
  }
  TColor At(int X, int Y) { return FromQColor(Chart.Backing()->Image().pixelColor(X, Y)); }
  TColor At(TPoint P) { return At(P.X, P.Y); }
};

}  // namespace

TEST(BarSeries, EdgesAtTheirValuesInTheirColour) {
  TBarChart P;
  TBarSeries S;
  P.Add(S, clBlue, {30, 80, 50});
  P.Chart.LeftAxis()->SetMinMax(0, 100);
  P.Chart.Repaint();
  const int W = S.BarWidth();
  ASSERT_GT(W, 4);
  EXPECT_EQ(W % 2, 0);
  const TChartAxis* L = P.Chart.LeftAxis();
  for (int i = 0; i < 3; ++i) {
    const int C = P.Chart.BottomAxis()->CalcPosValue(i);
    const int Top = L->CalcPosValue(S.YValue(i)), Bottom = L->CalcPosValue(0);
    EXPECT_EQ(S.CategoryPos(i), C - W / 2);
    EXPECT_EQ(P.At(C, Top + 1), clBlue) << i;
    EXPECT_EQ(P.At(C, (Top + Bottom) / 2), clBlue) << i;
    EXPECT_NE(P.At(C, Top - 2), clBlue) << i;
    EXPECT_NE(P.At(C - W / 2 - 2, (Top + Bottom) / 2), clBlue) << i;
    EXPECT_EQ(S.Clicked(C, (Top + Bottom) / 2), i);
  }
  EXPECT_EQ(S.Clicked(P.Chart.BottomAxis()->CalcPosValue(0), L->CalcPosValue(60)), -1);

  // Below the origin the bar hangs down from it.
  S.SetYOrigin(40);
  P.Chart.Repaint();
  const int C0 = P.Chart.BottomAxis()->CalcPosValue(0);
  EXPECT_EQ(P.At(C0, (L->CalcPosValue(30) + L->CalcPosValue(40)) / 2), clBlue);
  EXPECT_NE(P.At(C0, (L->CalcPosValue(0) + L->CalcPosValue(30)) / 2), clBlue);
  EXPECT_EQ(S.GetEditorClassName(), "TBarSeriesEditor");
}

TEST(BarSeries, SideBySideStackedAndStackedToAHundred) {
  TBarChart P;
  TBarSeries A, B;
  P.Add(A, clBlue, {30, 80, 0});
  P.Add(B, clGreen, {20, 20, 0});
  P.Chart.LeftAxis()->SetMinMax(0, 100);
  P.Chart.Repaint();
  const TChartAxis* L = P.Chart.LeftAxis();
  const int W = A.BarWidth();
  const int C = P.Chart.BottomAxis()->CalcPosValue(1);
  // The first left of the category centre, the second right of it.
  EXPECT_EQ(A.CategoryPos(1), C - W);
  EXPECT_EQ(B.CategoryPos(1), C);
  EXPECT_EQ(P.At(C - W / 2, L->CalcPosValue(10)), clBlue);
  EXPECT_EQ(P.At(C + W / 2, L->CalcPosValue(10)), clGreen);
  EXPECT_EQ(P.At(C + W / 2, L->CalcPosValue(50)) == clGreen, false);

  // Stacked: one column, B on top of A, sharing the bars' width.
  A.SetMultiBar(mbStacked);
  EXPECT_EQ(B.MultiBar(), mbStacked);
  P.Chart.Repaint();
  const int W2 = A.BarWidth();
  EXPECT_EQ(A.CategoryPos(1), C - W2 / 2);
  EXPECT_EQ(B.ValuePos(1), L->CalcPosValue(100));
  EXPECT_EQ(B.GetOriginPos(1), L->CalcPosValue(80));
  EXPECT_EQ(P.At(C, L->CalcPosValue(90)), clGreen);
  EXPECT_EQ(P.At(C, L->CalcPosValue(40)), clBlue);
  EXPECT_EQ(B.MaxYValue(), 100);
  EXPECT_EQ(B.Clicked(C, L->CalcPosValue(90)), 1);
  EXPECT_EQ(A.Clicked(C, L->CalcPosValue(40)), 1);

  // To a hundred: the point of 30 and 20 splits at 60 %; a zero total stands on the axis' 0.
  B.SetMultiBar(mbStacked100);
  EXPECT_EQ(A.MultiBar(), mbStacked100);
  P.Chart.Repaint();
  EXPECT_EQ(A.ValuePos(0), L->CalcPosValue(60));
  EXPECT_EQ(B.ValuePos(0), L->CalcPosValue(100));
  EXPECT_EQ(A.MaxYValue(), 100);
  EXPECT_EQ(A.MinYValue(), 0);
  EXPECT_EQ(A.ValuePos(2), L->CalcPosValue(0));
  EXPECT_EQ(B.GetOriginPos(2), L->CalcPosValue(0));
  EXPECT_NE(L->CalcPosValue(0), 0);
}

TEST(BarSeries, SideBySideAndStackedBarsShareOneDepthIn3D) {
  TBarChart P;
  P.Chart.SetView3D(true);
  TBarSeries A, B;
  P.Add(A, clBlue, {30, 80, 40});
  P.Add(B, clGreen, {20, 60, 10});
  P.Chart.LeftAxis()->SetMinMax(0, 100);
  P.Chart.Repaint();
  // One slot of depth for both, side by side in front of the back wall.
  EXPECT_EQ(A.StartZ(), B.StartZ());
  EXPECT_EQ(A.EndZ(), B.EndZ());
  EXPECT_GT(P.Chart.SeriesWidth3D(), 0);
  EXPECT_EQ(P.Chart.Width3D(), P.Chart.SeriesWidth3D());
  const TChartAxis* L = P.Chart.LeftAxis();
  const TChartCanvas3D* C3 = P.Chart.Canvas3D();
  const int W = A.BarWidth(), C = P.Chart.BottomAxis()->CalcPosValue(1);
  EXPECT_EQ(P.At(C3->Calculate3DPosition(C - W / 2, L->CalcPosValue(30), A.StartZ())), clBlue);
  EXPECT_EQ(P.At(C3->Calculate3DPosition(C + W / 2, L->CalcPosValue(30), B.StartZ())), clGreen);

  // Stacked: still one depth, B's front face above A's.
  A.SetMultiBar(mbStacked);
  P.Chart.Repaint();
  EXPECT_EQ(A.StartZ(), B.StartZ());
  EXPECT_EQ(P.Chart.Width3D(), P.Chart.SeriesWidth3D());
  EXPECT_EQ(P.At(C3->Calculate3DPosition(C, L->CalcPosValue(40), A.StartZ())), clBlue);
  EXPECT_EQ(P.At(C3->Calculate3DPosition(C, L->CalcPosValue(120), B.StartZ())), clGreen);

  // Without a multi-bar mode each series has its own depth, the first one behind.
  A.SetMultiBar(mbNone);
  P.Chart.Repaint();
  EXPECT_EQ(P.Chart.Width3D(), 2 * P.Chart.SeriesWidth3D());
  EXPECT_GT(A.StartZ(), B.StartZ());

  // A series of another type takes a depth of its own behind the shared one.
  A.SetMultiBar(mbSide);
  THorizBarSeries Other;
  P.Add(Other, clRed, {1, 2, 3});
  P.Chart.Repaint();
  EXPECT_EQ(A.StartZ(), B.StartZ());
  EXPECT_NE(Other.StartZ(), A.StartZ());
  EXPECT_EQ(P.Chart.Width3D(), 2 * P.Chart.SeriesWidth3D());
}

TEST(BarSeries, HorizontalBarsAndStyles) {
  TBarChart P;
  THorizBarSeries S;
  S.SetSeriesColor(clRed);
  S.Marks()->SetVisible(false);
  S.BarPen()->SetVisible(false);
  S.AddXY(40, 0);
  S.AddXY(90, 1);
  S.SetParentChart(&P.Chart);
  P.Chart.BottomAxis()->SetMinMax(0, 100);
  P.Chart.Repaint();
  const TChartAxis* B = P.Chart.BottomAxis();
  const int Y = P.Chart.LeftAxis()->CalcPosValue(1);
  const int Right = B->CalcPosValue(90);
  EXPECT_EQ(S.MandatoryValueList(), S.XValues());
  EXPECT_EQ(P.At(Right - 2, Y), clRed);
  EXPECT_NE(P.At(Right + 2, Y), clRed);
  EXPECT_EQ(P.At(B->CalcPosValue(5), Y), clRed);
  EXPECT_EQ(S.Clicked(B->CalcPosValue(50), Y), 1);
  EXPECT_EQ(S.Clicked(B->CalcPosValue(50), P.Chart.LeftAxis()->CalcPosValue(0)), -1);

  // A pyramid lying down points to its value; the inverted one to the origin.
  S.SetBarStyle(ChartBar::bsPyramid);
  P.Chart.Repaint();
  const int H = S.BarWidth();
  EXPECT_EQ(P.At(B->CalcPosValue(5), Y - H / 2 + 2), clRed);
  EXPECT_NE(P.At(Right - 3, Y - H / 2 + 2), clRed);
  EXPECT_EQ(S.Clicked(Right - 3, Y - H / 2 + 1), -1);
  S.SetBarStyle(ChartBar::bsInvPyramid);
  P.Chart.Repaint();
  EXPECT_NE(P.At(B->CalcPosValue(5), Y - H / 2 + 2), clRed);
  EXPECT_EQ(P.At(Right - 3, Y - H / 2 + 2), clRed);
  S.SetBarStyle(ChartBar::bsEllipse);
  P.Chart.Repaint();
  EXPECT_EQ(P.At(B->CalcPosValue(45), Y), clRed);
  EXPECT_NE(P.At(B->CalcPosValue(1), Y - H / 2 + 1), clRed);
  S.SetBarStyle(ChartBar::bsRectGradient);
  P.Chart.Repaint();
  // Lying down, the canvas' left-right gradient starts white at the value's end.
  EXPECT_EQ(P.At(Right - 1, Y), clWhite);
  const TColor Near = P.At(B->CalcPosValue(0) + 2, Y);
  EXPECT_EQ(GetRValue(Near), 255);
  EXPECT_LT(GetGValue(Near), 8);

  EXPECT_THROW(S.SetBarWidthPercent(0), BarException);
  EXPECT_THROW(S.SetBarWidthPercent(101), BarException);
  EXPECT_EQ(S.BarWidthPercent(), 70);
  try {
    S.SetOffsetPercent(-101);
    ADD_FAILURE();
  } catch (const BarException& E) {
    EXPECT_STREQ(E.what(), "Bar Offset Percent must be between -100% and 100%");
  }
  EXPECT_THROW(S.FillSampleValues(0), BarException);
  S.FillSampleValues(5);
  EXPECT_EQ(S.Count(), 5);
}

TEST(BarSeries, ZeroHeightNullAndNonFiniteBars) {
  TBarChart P;
  TBarSeries S;
  P.Add(S, clBlue, {0, 50});
  S.AddNullXY(2, 70);
  S.AddXY(3, std::numeric_limits<double>::quiet_NaN());
  P.Chart.LeftAxis()->SetMinMax(-10, 100);
  P.Chart.Repaint();
  const TChartAxis* L = P.Chart.LeftAxis();
  const int C0 = P.Chart.BottomAxis()->CalcPosValue(0);
  const int C2 = P.Chart.BottomAxis()->CalcPosValue(2);
  // A bar of no height is a line in its colour; a null point draws no bar.
  EXPECT_EQ(P.At(C0, L->CalcPosValue(0)), clBlue);
  EXPECT_NE(P.At(C2, L->CalcPosValue(30)), clBlue);
}

TEST(BarSeries, MarksStandOverTheBarCentre) {
  TBarChart P;
  TBarSeries S;
  P.Add(S, clBlue, {50, -30});
  S.Marks()->SetVisible(true);
  P.Chart.LeftAxis()->SetMinMax(-100, 100);
  P.Chart.Repaint();
  TRecordingTarget Target(400, 250);
  TCanvas Canvas(&Target);
  P.Chart.DrawToMetaCanvas(&Canvas, {0, 0, 400, 250});
  const TChartAxis* L = P.Chart.LeftAxis();
  int Found = 0;
  for (const TCanvasOp& Op : Target.Ops()) {
    if (Op.Kind != coText || Op.Points.empty()) continue;
    const int Centre = S.CategoryPos(Op.Text == "50" ? 0 : 1) + S.BarWidth() / 2;
    if (Op.Text == "50") {
      // Above the bar's top, around its centre line.
      EXPECT_LT(Op.Points[0].Y, L->CalcPosValue(50) - S.Marks()->ArrowLength() / 2);
      EXPECT_NEAR(Op.Points[0].X, Centre, 20);
      ++Found;
    } else if (Op.Text == "-30") {
      // A bar below its origin has its mark below its end.
      EXPECT_GT(Op.Points[0].Y, L->CalcPosValue(-30));
      EXPECT_NEAR(Op.Points[0].X, Centre, 20);
      ++Found;
    }
  }
  EXPECT_EQ(Found, 2);
}

TEST(BarSeries, MarksOfTheLongestBarsStayInsideTheChart) {
  TBarChart P;
  TBarSeries S;
  P.Add(S, clBlue, {50, 120, 80});
  S.Marks()->SetVisible(true);
  P.Chart.Repaint();
  const TRect CR = P.Chart.ChartRect();
  auto Box = [&](const TCustomBarSeries& B, int I) {
    const TSeriesMarkPosition* M = B.Marks()->Position(I);
    return M ? M->Bounds() : TRect{};
  };
  // The axis ends at the tallest bar's value, yet its mark's box lies wholly inside, with the
  // box's own colour just inside its top edge.
  EXPECT_EQ(P.Chart.LeftAxis()->IMaximum(), 120);
  const TRect Top = Box(S, 1);
  ASSERT_GT(Top.Bottom, Top.Top);
  EXPECT_GE(Top.Top, CR.Top);
  EXPECT_EQ(P.At((Top.Left + Top.Right) / 2, Top.Top + 1), S.Marks()->BackColor());
  EXPECT_LT(Top.Bottom, S.ValuePos(1));

  // Bars hanging below their origin get the room below; an inverted axis turns both round.
  S.Clear();
  for (double V : {-50.0, -120.0, -80.0}) S.AddY(V);
  P.Chart.Repaint();
  EXPECT_LE(Box(S, 1).Bottom, P.Chart.ChartRect().Bottom);
  EXPECT_GT(Box(S, 1).Top, S.ValuePos(1));
  P.Chart.LeftAxis()->SetInverted(true);
  P.Chart.Repaint();
  EXPECT_GE(Box(S, 1).Top, P.Chart.ChartRect().Top);

  // Horizontal bars: the widest mark fits at the right of the longest bar.
  TBarChart H;
  THorizBarSeries Q;
  H.Add(Q, clRed, {300, 1000, 700});
  Q.Marks()->SetVisible(true);
  H.Chart.Repaint();
  EXPECT_EQ(H.Chart.BottomAxis()->IMaximum(), 1000);
  const TRect Long = Box(Q, 1);
  ASSERT_GT(Long.Right, Long.Left);
  EXPECT_LE(Long.Right, H.Chart.ChartRect().Right);
  EXPECT_GT(Long.Left, Q.ValuePos(1));
}
