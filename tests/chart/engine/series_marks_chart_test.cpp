#include <gtest/gtest.h>

#include <functional>

#include "chart/engine/chart.h"
#include "chart/engine/chart_series.h"
#include "chart/engine/view3d_options.h"
#include "platform/canvas_targets.h"

namespace {
std::vector<TCanvasOp> Draw(TChart& Chart) {
  TRecordingTarget Target(600, 400);
  TCanvas C(&Target);
  Chart.DrawToMetaCanvas(&C, {0, 0, 600, 400});
  return Target.Ops();
}
int CountText(const std::vector<TCanvasOp>& Ops, const QString& T) {
  int N = 0;
  for (const TCanvasOp& O : Ops) N += O.Kind == coText && O.Text == T;
  return N;
}
}  // namespace

TEST(SeriesMarksOnChart, PlacedAtTheirPointsNullPointsLeftOut) {
  TChart Chart;
  Chart.SetView3D(false);
  Chart.Legend()->SetVisible(false);
  Chart.SetAxisVisible(false);  // the bottom axis would name the points too
  TChartSeries S;
  S.SetParentChart(&Chart);
  S.AddXY(0, 10, "first", clChartAuto);
  S.AddNullXY(1, 20, "hidden");
  S.AddXY(2, 30, "third", clChartAuto);
  S.Marks()->SetVisible(true);
  auto Ops = Draw(Chart);
  EXPECT_EQ(CountText(Ops, "first"), 1);
  EXPECT_EQ(CountText(Ops, "third"), 1);
  EXPECT_EQ(CountText(Ops, "hidden"), 0);  // a null point has no mark
  ASSERT_NE(S.Marks()->Position(2), nullptr);
  const TSeriesMarkPosition* P = S.Marks()->Position(2);
  EXPECT_EQ(P->ArrowStart, (TPoint{S.CalcXPos(2), S.CalcYPos(2)}));
  EXPECT_EQ(P->TopLeft.Y, S.CalcYPos(2) - P->Height + 1);
  EXPECT_EQ(S.Marks()->Position(1), nullptr);
  // The arrow is drawn from the point in the arrow pen.
  S.Marks()->Arrow()->SetColor(clFuchsia);
  Ops = Draw(Chart);
  bool Arrow = false;
  for (const TCanvasOp& O : Ops)
    Arrow |= O.Kind == coLine && O.State.Pen.Color == clFuchsia &&
             O.Points[0] == (TPoint{S.CalcXPos(0), S.CalcYPos(0)});
  EXPECT_TRUE(Arrow);
  // A mark the user moved stays there on the next drawing.
  S.Marks()->Position(0)->TopLeft = {40, 40};
  S.Marks()->Position(0)->UserMoved = true;
  Ops = Draw(Chart);
  EXPECT_EQ(S.Marks()->Position(0)->TopLeft, (TPoint{40, 40}));
  bool Box = false;
  for (const TCanvasOp& O : Ops)
    Box |= O.Kind == coRectangle && O.Rect.Left == 40 && O.Rect.Top == 40;
  EXPECT_TRUE(Box);
  // Hidden marks are not drawn.
  S.Marks()->SetVisible(false);
  EXPECT_EQ(CountText(Draw(Chart), "first"), 0);
}

TEST(SeriesMarksOnChart, LegendAndXValueTextsFollowTheChart) {
  TChart Chart;
  Chart.SetView3D(false);
  TChartSeries S;
  S.SetParentChart(&Chart);
  S.AddXY(45000, 10, "first", clChartAuto);  // 15 March 2023
  S.Marks()->SetStyle(smsLegend);
  Chart.Legend()->SetTextStyle(ltsRightValue);
  EXPECT_EQ(S.GetMarkText(0), "first 10");
  Chart.Legend()->SetTextStyle(ltsPlain);
  EXPECT_EQ(S.GetMarkText(0), "first");

  // X values as the axis writes them: dates as dates.
  S.XValues()->SetDateTime(true);
  S.AddXY(45010, 20);
  Draw(Chart);
  S.Marks()->SetStyle(smsXValue);
  const QString Date = Chart.BottomAxis()->LabelValue(45000);
  EXPECT_TRUE(Date.contains("2023") || Date.contains("23")) << Date.toStdString();
  EXPECT_EQ(S.GetMarkText(0), Date);
  EXPECT_EQ(S.PointLegendString(0, ltsXValue), Date);
  TChartSeries Alone;
  Alone.AddXY(45000, 1);
  Alone.Marks()->SetStyle(smsXValue);
  EXPECT_EQ(Alone.GetMarkText(0), "45,000");
}

namespace {
struct TFontProbe : TChartSeries {
  int Size = 0;
  void DrawMark(int, const QString&, TSeriesMarkPosition&) override {
    Size = ParentChart()->Canvas3D()->Font()->Size();
  }
};
}  // namespace

TEST(SeriesMarksOnChart, FontsGrowWithTheThreeDZoom) {
  TChart Chart;
  Chart.SetView3D(true);
  TFontProbe S;
  S.SetParentChart(&Chart);
  S.AddXY(0, 1, "a", clChartAuto);
  S.AddXY(1, 2, "b", clChartAuto);
  S.Marks()->SetVisible(true);
  S.Marks()->Font()->SetSize(10);
  Draw(Chart);
  EXPECT_EQ(S.Size, 10);
  Chart.View3DOptions()->SetZoom(150);
  Draw(Chart);
  EXPECT_EQ(S.Size, 15);
  Chart.View3DOptions()->SetZoomText(false);
  Draw(Chart);
  EXPECT_EQ(S.Size, 10);
  Chart.View3DOptions()->SetZoomText(true);
  Chart.SetView3D(false);
  Draw(Chart);
  EXPECT_EQ(S.Size, 10);
}

namespace {
struct TCountingChart : TChart {
  int Invalidations = 0;
  void Invalidate() override {
    ++Invalidations;
    TChart::Invalidate();
  }
};
}  // namespace

TEST(SeriesMarksOnChart, SeriesSettersRepaintOnlyOnChange) {
  TCountingChart Chart;
  TChartSeries S;
  S.SetParentChart(&Chart);
  auto Changed = [&](const std::function<void()>& Set) {
    const int Before = Chart.Invalidations;
    Set();
    return Chart.Invalidations > Before;
  };
  EXPECT_TRUE(Changed([&] { S.SetTitle("T"); }));
  EXPECT_FALSE(Changed([&] { S.SetTitle("T"); }));
  EXPECT_TRUE(Changed([&] { S.SetSeriesColor(clLime); }));
  EXPECT_TRUE(Changed([&] { S.SetVertAxis(aRightAxis); }));
}
