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

TEST(LegendDraw, ChartEventsChangeTextsPlacesAndRectangle) {
  TChart Chart;
  Chart.SetView3D(false);
  TChartSeries A, B;
  A.SetTitle("Alpha");
  B.SetTitle("Beta");
  A.SetParentChart(&Chart);
  B.SetParentChart(&Chart);
  A.AddY(1);
  B.AddY(2);
  Chart.OnGetLegendText = [](TCustomChart*, ChartLegend::TLegendStyle Style, int Index,
                             QString& Text) {
    EXPECT_EQ(Style, ChartLegend::lsSeries);
    Text += QString::number(Index);
  };
  Chart.OnGetLegendPos = [](TCustomChart*, int Index, int& X, int& Y, int& XColor) {
    if (Index != 1) return;
    X = 300;
    Y = 200;
    XColor = 280;
  };
  TRecordingTarget Target(600, 400);
  TCanvas Canvas(&Target);
  Chart.DrawToMetaCanvas(&Canvas, {0, 0, 600, 400});
  const TCanvasOp *TA = nullptr, *TB = nullptr, *Symbol = nullptr;
  for (const TCanvasOp& O : Target.Ops()) {
    if (O.Kind == coText && O.Text == "Alpha0") TA = &O;
    if (O.Kind == coText && O.Text == "Beta1") TB = &O;
    if (O.Kind == coRectangle && O.Rect.Left == 280) Symbol = &O;
  }
  ASSERT_TRUE(TA && TB);
  EXPECT_EQ(TB->Points[0], (TPoint{300, 200}));
  ASSERT_NE(Symbol, nullptr);  // the symbol at the column the event gave
  EXPECT_EQ(Symbol->Rect.Top, 202);
  EXPECT_EQ(Chart.Legend()->LegendText(0), "Alpha0");

  Chart.OnGetLegendRect = [](TCustomChart*, TRect& R) { R = {20, 30, 140, 90}; };
  Texts(Chart);
  EXPECT_EQ(Chart.Legend()->RectLegend(), (TRect{20, 30, 140, 90}));
}

TEST(LegendDraw, OwnBrushHatchOrBitmapOverTheLegendColour) {
  TChart Chart;
  Chart.resize(500, 300);
  Chart.SetView3D(false);
  Chart.SetAxisVisible(false);
  TChartSeries A;
  A.SetParentChart(&Chart);
  A.AddY(1);
  TCustomChartLegend* L = Chart.Legend();
  L->SetColor(clWhite);
  L->SetShadowSize(0);
  L->Brush()->SetData(TBrushData{clRed, bsDiagCross, {}});
  auto Count = [&](TColor Wanted) {
    Chart.Repaint();
    const QImage& I = Chart.Backing()->Image();
    const TRect R = L->RectLegend();
    int N = 0;
    for (int y = R.Top + 1; y < R.Bottom - 1; ++y)
      for (int x = R.Left + 1; x < R.Right - 1; ++x) N += FromQColor(I.pixelColor(x, y)) == Wanted;
    return N;
  };
  EXPECT_GT(Count(clRed), 20);
  EXPECT_GT(Count(clWhite), 20);
  QImage Blue(8, 8, QImage::Format_RGB32);
  Blue.fill(Qt::blue);
  L->Brush()->SetData(TBrushData{clRed, bsSolid, Blue});
  EXPECT_GT(Count(clBlue), 100);
  EXPECT_EQ(Count(clRed), 0);
  L->Brush()->SetData(TBrushData{clRed, bsSolid, {}});
  EXPECT_EQ(Count(clBlue), 0);
}
