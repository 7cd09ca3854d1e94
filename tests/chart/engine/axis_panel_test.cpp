#include <gtest/gtest.h>

#include <limits>

#include "chart/engine/chart.h"
#include "chart/engine/chart_series.h"
#include "platform/canvas_targets.h"

namespace {
void Draw(TChart& Chart) {
  TRecordingTarget Target(600, 400);
  TCanvas C(&Target);
  Chart.DrawToMetaCanvas(&C, {0, 0, 600, 400});
}
}  // namespace

TEST(AxisPanel, DepthBandsByZOrder) {
  TChart Chart;
  Chart.SetView3D(true);
  TChartSeries A, B, Off;
  for (TChartSeries* S : {&A, &B, &Off}) {
    S->SetParentChart(&Chart);
    S->AddY(1);
  }
  Off.SetActive(false);
  Draw(Chart);
  const int D = Chart.SeriesWidth3D();
  ASSERT_GT(D, 0);
  EXPECT_EQ(Chart.MaxZOrder(), 1);
  EXPECT_EQ(Chart.Width3D(), 2 * D);
  // The first series lies behind the second.
  EXPECT_EQ(A.StartZ(), D);
  EXPECT_EQ(A.EndZ(), 2 * D);
  EXPECT_EQ(B.StartZ(), 0);
  EXPECT_EQ(B.MiddleZ(), D / 2);
  EXPECT_EQ(B.Marks()->ZPosition(), D / 2);
  // Fixed z orders: both on slot 0 share the front band.
  A.SetZOrder(0);
  B.SetZOrder(0);
  Draw(Chart);
  EXPECT_EQ(Chart.MaxZOrder(), 0);
  EXPECT_EQ(Chart.Width3D(), D);
  EXPECT_EQ(A.StartZ(), 0);
  EXPECT_EQ(B.StartZ(), 0);
  A.SetZOrder(-5);  // below -1 is automatic
  EXPECT_EQ(A.ZOrder(), -1);
  // Without z order everything shares one depth; in 2D there is none.
  Chart.SetApplyZOrder(false);
  Draw(Chart);
  EXPECT_EQ(Chart.Width3D(), D);
  EXPECT_EQ(A.StartZ(), 0);
  Chart.SetView3D(false);
  Draw(Chart);
  EXPECT_EQ(Chart.Width3D(), 0);
  EXPECT_EQ(A.EndZ(), 0);
}

TEST(AxisPanel, SeriesListColoursAndAxes) {
  TChart Chart;
  TChartSeries A, B;
  Chart.AddSeries(&A);
  Chart.AddSeries(&A);  // twice: once in the list
  EXPECT_EQ(Chart.SeriesCount(), 1);
  Chart.AddSeries(&B);
  EXPECT_NE(A.SeriesColor(), B.SeriesColor());
  // Non-finite values stay out of the axis ranges.
  A.AddXY(0, 5);
  A.AddXY(1, std::numeric_limits<double>::quiet_NaN());
  A.AddXY(2, -std::numeric_limits<double>::infinity());
  EXPECT_EQ(Chart.MinYValue(Chart.LeftAxis()), 5);
  EXPECT_EQ(Chart.MaxYValue(Chart.LeftAxis()), 5);
  // One active series on the left and bottom axes hides the right and top ones.
  B.SetActive(false);
  EXPECT_TRUE(Chart.IsAxisVisible(Chart.LeftAxis()));
  EXPECT_FALSE(Chart.IsAxisVisible(Chart.RightAxis()));
  EXPECT_FALSE(Chart.IsAxisVisible(Chart.TopAxis()));
  Chart.RemoveSeries(&A);
  EXPECT_TRUE(Chart.IsAxisVisible(Chart.RightAxis()));  // no series: all axes shown
}
