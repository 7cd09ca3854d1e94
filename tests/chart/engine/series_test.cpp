#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "chart/engine/chart.h"
#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_function.h"
#include "chart/engine/chart_series.h"
#include "chart/engine/chart_utils.h"
#include "platform/canvas_targets.h"

namespace {
// A series that records which points it was asked to draw.
struct TDrawSeries : TChartSeries {
  std::vector<int> Drawn;
  void DrawValue(int I) override { Drawn.push_back(I); }
};
}  // namespace

TEST(SeriesBase, AddInsertDeleteAndNotifications) {
  TDrawSeries S;
  EXPECT_EQ(S.AddY(5), 0);
  EXPECT_EQ(S.AddY(7), 1);
  EXPECT_EQ(S.XValue(0), 0);
  EXPECT_EQ(S.XValue(1), 1);
  EXPECT_EQ(S.YValue(1), 7);
  S.Clear();
  for (double X : {1.0, 2.0, 4.0}) S.AddXY(X, X * 10, QString("L%1").arg(X), TColor(int(X)));
  // X = 3 lands at index 2, with its colour and label.
  EXPECT_EQ(S.AddXY(3, 30, "three", clRed), 2);
  EXPECT_EQ(S.GetXLabel(2), "three");
  EXPECT_EQ(S.PointColor(2), clRed);
  EXPECT_EQ(S.GetXLabel(3), "L4");
  EXPECT_EQ(S.GetXLabel(99), "");

  int After = -1, Clears = 0;
  S.OnAfterAdd = [&](TChartSeries*, int I) { After = I; };
  S.OnClearValues = [&](TChartSeries*) { ++Clears; };
  S.OnBeforeAdd = [](TChartSeries* Self) { return Self->XValues()->PendingValue() < 100; };
  EXPECT_EQ(S.AddXY(0.5, 1), 0);
  EXPECT_EQ(After, 0);
  EXPECT_EQ(S.AddXY(500, 1), -1);  // vetoed
  EXPECT_EQ(S.Count(), 5);
  S.Delete(0);
  S.Delete(42);  // past the end: nothing
  EXPECT_EQ(S.Count(), 4);
  EXPECT_EQ(S.GetXLabel(0), "L1");
  S.Clear();
  EXPECT_EQ(Clears, 1);
  EXPECT_EQ(S.Count(), 0);
}

TEST(SeriesBase, ColoursNullPointsAndDrawing) {
  TChart Chart;
  TDrawSeries S;
  S.SetParentChart(&Chart);
  // The first free palette colour went to the series.
  EXPECT_EQ(S.SeriesColor(), GetDefaultColor(0));
  S.AddY(3);
  S.AddNull("gap");
  S.AddY(5, "", clBlue);
  S.AddY(std::numeric_limits<double>::infinity());
  EXPECT_EQ(S.GetValueColor(0), S.SeriesColor());
  EXPECT_EQ(S.GetValueColor(1), clNone);
  EXPECT_EQ(S.GetValueColor(2), clBlue);
  EXPECT_EQ(S.GetValueColor(9), S.SeriesColor());  // beyond the stored colours
  S.SetColorEachPoint(true);
  EXPECT_EQ(S.GetValueColor(0), GetDefaultColor(0));
  EXPECT_EQ(S.GetValueColor(3), GetDefaultColor(3));
  EXPECT_EQ(S.GetValueColor(2), clBlue);
  // The null point counts in the ranges; the infinite value does not.
  EXPECT_EQ(S.MinYValue(), 0);
  EXPECT_EQ(S.MaxYValue(), 5);
  EXPECT_EQ(Chart.MaxYValue(Chart.LeftAxis()), 5);
  EXPECT_EQ(S.YValues()->MinValue(), 0);
  // Neither the null point nor the infinite one is drawn.
  S.XValues()->SetOrder(loNone);  // no order: every point is in the visible range
  S.CalcFirstLastVisibleIndex();
  S.DrawAllValues();
  EXPECT_EQ(S.Drawn, (std::vector<int>{0, 2}));
  EXPECT_FALSE(S.IsDrawable(1));
  // Turning ColorEachPoint off makes every colour automatic, the null point's too.
  S.SetColorEachPoint(false);
  EXPECT_EQ(S.PointColor(1), clChartAuto);
  EXPECT_EQ(S.GetValueColor(2), S.SeriesColor());
}

TEST(SeriesBase, SwapPastShorterColourAndLabelLists) {
  TChartSeries S;
  S.AddXY(0, 1, "a", clRed);
  S.AddXY(1, 2);
  // Points added by the lists alone have no colour or label entries yet.
  S.XValues()->AddValue(2);
  S.YValues()->AddValue(3);
  S.SwapValueIndex(0, 2);
  EXPECT_EQ(S.YValue(0), 3);
  EXPECT_EQ(S.YValue(2), 1);
  EXPECT_EQ(S.GetXLabel(0), "");
  EXPECT_EQ(S.PointColor(0), clChartAuto);
  EXPECT_EQ(S.GetXLabel(2), "a");
  EXPECT_EQ(S.PointColor(2), clRed);
  // Sorting by Y moves labels and colours with their values.
  S.YValues()->SetOrder(loDescending);
  S.YValues()->Sort();
  EXPECT_EQ(S.YValue(0), 3);
  EXPECT_EQ(S.GetXLabel(2), "a");
}

TEST(SeriesBase, MarksTextAndPercent) {
  TChartSeries S;
  S.AddY(1, "one");
  S.AddY(3);
  EXPECT_EQ(S.GetMarkText(0), "one");
  EXPECT_EQ(S.GetMarkText(1), "3");  // an empty label shows the value
  S.Marks()->SetStyle(smsPercent);
  EXPECT_EQ(S.GetMarkText(1), "75 %");
  S.Marks()->SetStyle(smsPercentTotal);
  EXPECT_EQ(S.GetMarkText(0), "25 % of 4");
  S.Marks()->SetStyle(smsLabelValue);
  EXPECT_EQ(S.GetMarkText(0), "one 1");
  S.OnGetMarkText = [](TChartSeries*, int, QString& T) { T += "!"; };
  EXPECT_EQ(S.GetMarkText(0), "one 1!");
  TChartSeries Z;
  Z.AddY(0);
  EXPECT_EQ(Z.PercentText(0, false), "100 %");
  // Deleting a point removes its stored mark box.
  TSeriesMarkPosition P;
  S.Marks()->SetPosition(1, P);
  S.Delete(0);
  EXPECT_EQ(S.Marks()->PositionCount(), 1);
  S.Clear();
  EXPECT_EQ(S.Marks()->PositionCount(), 0);
}

TEST(SeriesBase, SampleValues) {
  TChartSeries S;
  EXPECT_THROW(S.FillSampleValues(0), ChartException);
  S.FillSampleValues(10);
  ASSERT_EQ(S.Count(), 10);
  EXPECT_EQ(S.XValue(0), 0);
  EXPECT_EQ(S.XValue(9), 9);
  for (int i = 0; i < 10; ++i) EXPECT_GE(S.YValue(i), 0);
  // On a chart whose only other series spans nothing but negative values, the span widens
  // upwards instead of failing.
  TChart Chart;
  TChartSeries A, B;
  A.SetParentChart(&Chart);
  A.AddXY(-5, -10);
  B.SetParentChart(&Chart);
  B.FillSampleValues(5);
  EXPECT_EQ(B.Count(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(std::isfinite(B.YValue(i)));
  // The widest ranges a double holds still give finite samples.
  A.AddXY(-1.7e308, -1.7e308);
  A.AddXY(1.7e308, 1.7e308);
  B.FillSampleValues(5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(std::isfinite(B.XValue(i)));
    EXPECT_TRUE(std::isfinite(B.YValue(i)));
  }
}

TEST(SeriesBase, DataSourcesFunctionsAndDeletion) {
  TChart Chart;
  TChartSeries Src, Copy, Sum;
  EXPECT_THROW(Copy.SetDataSource(&Src), ChartException);  // no chart yet
  for (TChartSeries* S : {&Src, &Copy, &Sum}) S->SetParentChart(&Chart);
  Src.AddY(1, "a");
  Src.AddY(2);
  Copy.SetDataSource(&Src);
  EXPECT_EQ(Copy.Count(), 2);
  EXPECT_EQ(Copy.GetXLabel(0), "a");
  Copy.SetDataSource(&Src);  // twice: nothing
  EXPECT_EQ(Src.LinkedSeries().size(), 1u);
  EXPECT_THROW(Copy.SetDataSource(&Copy), ChartException);
  try {
    Src.SetDataSource(&Copy);
    ADD_FAILURE();
  } catch (const ChartException& E) {
    EXPECT_STREQ(E.what(), "Circular Series dependences are not allowed");
  }
  // Single adds and deletes reach the plain copy.
  Src.AddY(3);
  EXPECT_EQ(Copy.Count(), 3);
  Src.Delete(0);
  EXPECT_EQ(Copy.Count(), 2);
  EXPECT_EQ(Copy.YValue(0), 2);

  // A function series recomputes instead of taking single points.
  Sum.SetFunction(std::make_unique<TAddChartFunction>());
  Sum.SetDataSource(&Src);
  ASSERT_EQ(Sum.Count(), 1);
  EXPECT_EQ(Sum.YValue(0), 5);
  Src.AddY(10);
  Src.RefreshSeries();
  ASSERT_EQ(Sum.Count(), 1);
  EXPECT_EQ(Sum.YValue(0), 15);

  // A deleted source is forgotten by its dependents and by the chart.
  {
    auto Temp = std::make_unique<TChartSeries>();
    Temp->SetParentChart(&Chart);
    Temp->AddY(4);
    TChartSeries Dep;
    Dep.SetParentChart(&Chart);
    Dep.SetDataSource(Temp.get());
    EXPECT_EQ(Dep.Count(), 1);
    const int Before = Chart.SeriesCount();
    Temp.reset();
    EXPECT_EQ(Chart.SeriesCount(), Before - 1);
    EXPECT_EQ(Dep.DataSource(), nullptr);
  }
  Copy.SetDataSource(nullptr);
  EXPECT_TRUE(Src.LinkedSeries().size() == 1u);  // only the sum is left
  EXPECT_EQ(Copy.Count(), 0);
}

TEST(SeriesBase, VisibleRangeFollowsTheAxis) {
  TChart Chart;
  Chart.SetView3D(false);
  TDrawSeries S;
  S.SetParentChart(&Chart);
  for (int i = 0; i < 10; ++i) S.AddXY(i, i);
  S.AddNullXY(3.5, 0);
  Chart.BottomAxis()->SetMinMax(2, 5);
  TRecordingTarget Target(600, 400);
  TCanvas C(&Target);
  Chart.DrawToMetaCanvas(&C, {0, 0, 600, 400});
  EXPECT_EQ(S.FirstValueIndex(), 2);
  EXPECT_EQ(S.LastValueIndex(), 6);  // X = 5 after the null point at 3.5
  EXPECT_EQ(S.Drawn, (std::vector<int>{2, 3, 5, 6}));
  // A range past every point draws nothing.
  S.Drawn.clear();
  Chart.BottomAxis()->SetMinMax(50, 60);
  Chart.DrawToMetaCanvas(&C, {0, 0, 600, 400});
  EXPECT_EQ(S.FirstValueIndex(), -1);
  EXPECT_TRUE(S.Drawn.empty());
}
