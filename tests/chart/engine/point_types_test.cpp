// Gantt bars, arrows and bubbles: where they are drawn, their clicks and their degenerate cases.
#include <gtest/gtest.h>

#include <cmath>

#include "chart/engine/chart.h"
#include "chart/engine/point_types.h"

namespace {

struct TFlat {
  TChart Chart;
  TFlat() {
    Chart.SetView3D(false);
    Chart.SetBevelOuter(bvNone);
    Chart.Legend()->SetVisible(false);
    Chart.SetAxisVisible(false);
    Chart.LeftAxis()->SetMinMax(0, 100);
    Chart.BottomAxis()->SetMinMax(0, 100);
  }
  void Add(TChartSeries& S, TColor Color) {
    S.SetSeriesColor(Color);
    S.SetColorEachPoint(false);
    S.Marks()->SetVisible(false);
    S.SetParentChart(&Chart);
  }
  TColor At(int X, int Y) { return FromQColor(Chart.Backing()->Image().pixelColor(X, Y)); }
  int PX(double V) { return Chart.BottomAxis()->CalcPosValue(V); }
  int PY(double V) { return Chart.LeftAxis()->CalcPosValue(V); }
};

}  // namespace

TEST(GanttSeries, BarsSpanTheirTasksAndJoinTheNext) {
  TFlat F;
  TGanttSeries G;
  F.Add(G, clBlue);
  G.Pointer()->Pen()->SetVisible(false);
  EXPECT_EQ(G.AddGantt(10, 40, 20, "A"), 0);
  EXPECT_EQ(G.AddGantt(60, 50, 60, "backwards"), 1);
  EXPECT_EQ(G.NextTask()->GetValue(0), -1);
  G.NextTask()->SetValue(0, 1);
  G.AddGantt(70, 90, 80);
  G.NextTask()->SetValue(2, 99);  // no such task: no connector
  F.Chart.Repaint();
  EXPECT_EQ(G.MaxXValue(), 90);
  EXPECT_EQ(F.At(F.PX(25), F.PY(20)), clBlue);
  EXPECT_EQ(F.At(F.PX(12), F.PY(20)), clBlue);
  EXPECT_NE(F.At(F.PX(45), F.PY(20)), clBlue);
  // A task ending before it starts is a bar between its ends.
  EXPECT_EQ(F.At(F.PX(55), F.PY(60)), clBlue);
  // The connector leaves the end of task 0 towards task 1.
  EXPECT_EQ(F.At(F.PX(40) + 3, F.PY(20)), clBlack);
  EXPECT_EQ(G.Clicked(F.PX(30), F.PY(20)), 0);
  EXPECT_EQ(G.Clicked(F.PX(55), F.PY(60) + 1), 1);
  EXPECT_EQ(G.Clicked(F.PX(45), F.PY(20)), -1);
  G.FillSampleValues(5);
  EXPECT_EQ(G.Count(), 6);
}

TEST(GanttSeries, TasksCountByTheirStartAndMarksSitOverTheBars) {
  TFlat F;
  TGanttSeries G;
  F.Add(G, clBlue);
  G.AddGantt(10, 40, 20, "Design");
  G.AddGantt(50, 90, 60, "Build");
  EXPECT_EQ(G.MandatoryValueList(), G.StartValues());
  EXPECT_FALSE(G.YMandatory());
  EXPECT_EQ(G.GetMarkValue(1), 50);
  EXPECT_EQ(F.Chart.LeftAxis()->CalcLabelStyle(), talText);  // the task names
  G.Marks()->SetVisible(true);
  F.Chart.Repaint();
  for (int i = 0; i < 2; ++i) {
    const TSeriesMarkPosition* P = G.Marks()->Position(i);
    ASSERT_NE(P, nullptr);
    const int Middle = (F.PX(G.XValue(i)) + F.PX(G.EndValues()->GetValue(i))) / 2;
    EXPECT_NEAR(P->TopLeft.X + P->Width / 2, Middle, 1);
  }
}

TEST(ArrowSeries, FromStartToEndWithAHead) {
  TFlat F;
  TArrowSeries A;
  F.Add(A, clRed);
  A.Pointer()->Pen()->SetWidth(2);
  A.AddArrow(10, 50, 90, 50);
  A.AddArrow(30, 30, 30, 30);  // no length: nothing, no division
  A.AddArrow(20, 10, std::nan(""), 80);
  F.Chart.Repaint();
  EXPECT_EQ(A.MaxXValue(), 90);
  EXPECT_EQ(F.At(F.PX(50), F.PY(50)), clRed);
  // The head's edge runs back from the tip, off the shaft.
  const int Tip = F.PX(90);
  EXPECT_NE(F.At(Tip - A.ArrowHeight(), F.PY(50) - A.ArrowWidth() / 2 - 4), clRed);
  bool HeadSeen = false;
  for (int dy = 2; dy <= A.ArrowWidth(); ++dy)
    if (F.At(Tip - A.ArrowHeight(), F.PY(50) - dy) == clRed) HeadSeen = true;
  EXPECT_TRUE(HeadSeen);
  EXPECT_NE(F.At(F.PX(30), F.PY(30)), clRed);
  // A click at the arrow's start, within the head's sizes, answers the arrow.
  EXPECT_EQ(A.Clicked(F.PX(10) + 2, F.PY(50) - 2), 0);
  EXPECT_EQ(A.Clicked(F.PX(10) - A.ArrowWidth() - 2, F.PY(50) + A.ArrowHeight() + 2), -1);
}

TEST(BubbleSeries, RadiiFromTheAxesAndEmptyBubbles) {
  TFlat F;
  TBubbleSeries B;
  F.Add(B, clLime);
  B.Pointer()->Pen()->SetVisible(false);
  B.AddBubble(30, 50, 10);
  B.AddBubble(70, 50, 0);
  B.AddBubble(80, 80, -5);
  F.Chart.LeftAxis()->SetAutomatic(true);
  F.Chart.Repaint();
  EXPECT_EQ(B.MaxYValue(), 80);  // 50 + 10 stays below the highest point
  EXPECT_EQ(B.MinYValue(), 40);
  const int R = B.RadiusPixels(0, false);
  EXPECT_EQ(R, std::abs(F.PY(10) - F.PY(0)));
  const int X = F.PX(30), Y = F.PY(50);
  EXPECT_EQ(F.At(X, Y - R + 2), clLime);
  EXPECT_NE(F.At(X, Y - R - 2), clLime);
  // Squared: round whatever the horizontal scale.
  EXPECT_EQ(F.At(X + R - 2, Y), clLime);
  EXPECT_NE(F.At(X + R + 2, Y), clLime);
  // Radius 0 or below: nothing.
  EXPECT_NE(F.At(F.PX(70), F.PY(50)), clLime);
  EXPECT_EQ(B.RadiusPixels(1, false), 0);
  EXPECT_EQ(B.RadiusPixels(2, false), 0);
  // Not squared: the horizontal axis sizes the width.
  B.SetSquared(false);
  F.Chart.Repaint();
  const int RH = B.RadiusPixels(0, true);
  EXPECT_EQ(RH, std::abs(F.PX(10) - F.PX(0)));
  EXPECT_EQ(F.At(X + RH - 2, Y), clLime);
  EXPECT_NE(F.At(X + RH + 2, Y), clLime);

  // Clicks: within a bubble's own radius, whatever the size of the bubble drawn last.
  B.AddBubble(90, 20, 1);
  F.Chart.Repaint();
  const int CX = F.PX(30), CY = F.PY(50);
  const int H0 = B.RadiusPixels(0, true), V0 = B.RadiusPixels(0, false);
  ASSERT_GT(std::min(H0, V0), 6);
  EXPECT_EQ(B.Clicked(CX + H0 - 3, CY), 0);
  EXPECT_EQ(B.Clicked(CX, CY + V0 - 3), 0);
  EXPECT_EQ(B.Clicked(CX + H0 + 3, CY + V0 + 3), -1);
  EXPECT_EQ(B.Clicked(F.PX(90), F.PY(20)), 3);
}
