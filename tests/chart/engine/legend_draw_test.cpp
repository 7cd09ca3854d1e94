#include <gtest/gtest.h>

#include <algorithm>

#include "chart/engine/chart.h"
#include "chart/engine/chart_series.h"
#include "platform/canvas_targets.h"

namespace {
std::vector<TCanvasOp> Texts(TChart& Chart) {
  TRecordingTarget Target(600, 400);
  TCanvas C(&Target);
  Chart.DrawToMetaCanvas(&C, {0, 0, 600, 400});
  std::vector<TCanvasOp> R;
  for (const TCanvasOp& O : Target.Ops())
    if (O.Kind == coText) R.push_back(O);
  return R;
}
const TCanvasOp* Find(const std::vector<TCanvasOp>& Ops, const QString& T) {
  for (const TCanvasOp& O : Ops)
    if (O.Text == T) return &O;
  return nullptr;
}
}  // namespace

TEST(LegendDraw, SeriesAndValuesItemsAndClicks) {
  TChart Chart;
  Chart.SetView3D(false);
  TChartSeries A, B;
  A.SetTitle("Alpha");
  B.SetTitle("Beta");
  A.SetParentChart(&Chart);
  A.AddY(1, "one");
  A.AddY(2, "two");
  A.AddNull("none");

  // One series: its values, with the value left of the label.
  auto Ops = Texts(Chart);
  const TCanvasOp* One = Find(Ops, "1 one");
  ASSERT_NE(One, nullptr);
  const TCanvasOp* Two = Find(Ops, "2 two");
  ASSERT_NE(Two, nullptr);
  EXPECT_EQ(Two->Points[0].Y - One->Points[0].Y, Chart.Legend()->Layout().ItemHeight);
  TCustomChartLegend* L = Chart.Legend();
  EXPECT_EQ(L->TotalLegendItems(), 3);
  EXPECT_EQ(L->Clicked(One->Points[0].X, One->Points[0].Y + 1), 0);
  EXPECT_EQ(L->Clicked(Two->Points[0].X, Two->Points[0].Y + 1), 1);
  EXPECT_EQ(L->Clicked(0, 0), -1);
  // The chart gave up the legend's side and 3 % of its width besides.
  EXPECT_LT(Chart.ChartRect().Right, L->RectLegend().Left);

  // Two series: their titles; inverted lists the last first.
  B.SetParentChart(&Chart);
  Ops = Texts(Chart);
  const TCanvasOp* TA = Find(Ops, "Alpha");
  const TCanvasOp* TB = Find(Ops, "Beta");
  ASSERT_TRUE(TA && TB);
  EXPECT_LT(TA->Points[0].Y, TB->Points[0].Y);
  L->SetInverted(true);
  Ops = Texts(Chart);
  TA = Find(Ops, "Alpha");
  TB = Find(Ops, "Beta");
  ASSERT_TRUE(TA && TB);
  EXPECT_GT(TA->Points[0].Y, TB->Points[0].Y);

  // A first value past the items: an empty legend, nothing drawn.
  L->SetFirstValue(5);
  Ops = Texts(Chart);
  EXPECT_EQ(Find(Ops, "Alpha"), nullptr);
  EXPECT_EQ(L->TotalLegendItems(), 0);

  // A deleted series leaves the legend.
  L->SetFirstValue(0);
  L->SetInverted(false);
  {
    TChartSeries C;
    C.SetTitle("Gamma");
    C.SetParentChart(&Chart);
    EXPECT_NE(Find(Texts(Chart), "Gamma"), nullptr);
  }
  EXPECT_EQ(Find(Texts(Chart), "Gamma"), nullptr);
  EXPECT_EQ(L->TotalLegendItems(), 2);
}
