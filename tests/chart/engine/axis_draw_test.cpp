#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "chart/engine/chart.h"
#include "chart/engine/chart_series.h"
#include "platform/canvas_targets.h"

namespace {
bool HasLine(const std::vector<TCanvasOp>& Ops, TColor Color, TPoint A, TPoint B) {
  return std::any_of(Ops.begin(), Ops.end(), [&](const TCanvasOp& O) {
    return O.Kind == coLine && O.State.Pen.Color == Color && O.Points.size() == 2 &&
           O.Points[0] == A && O.Points[1] == B;
  });
}
}  // namespace

TEST(AxisDraw, TicksGridAndLabelsAtTheirValues) {
  TChart Chart;
  Chart.SetView3D(false);
  TChartSeries S;
  S.SetParentChart(&Chart);
  S.AddXY(0, 0);
  S.AddXY(1000, 50);
  TChartAxis* B = Chart.BottomAxis();
  B->Ticks()->SetColor(clRed);
  B->Grid()->SetColor(clBlue);
  B->Grid()->SetStyle(psSolid);
  B->SetMinorTickCount(1);
  B->MinorTicks()->SetColor(clLime);
  TRecordingTarget Target(600, 400);
  TCanvas C(&Target);
  Chart.DrawToMetaCanvas(&C, {0, 0, 600, 400});
  const auto& Ops = Target.Ops();
  const TRect R = Chart.ChartRect();
  const int Y = B->PosAxis();
  std::vector<QString> Texts;
  for (const TCanvasOp& O : Ops)
    if (O.Kind == coText) Texts.push_back(O.Text);
  int Ticks = 0;
  for (double V = 0; V <= 1000; V += 200) {
    const int X = B->CalcPosValue(V);
    if (!HasLine(Ops, clRed, {X, Y}, {X, Y + 4})) continue;
    ++Ticks;
    EXPECT_TRUE(HasLine(Ops, clBlue, {X, R.Top}, {X, R.Bottom})) << V;
    EXPECT_NE(std::find(Texts.begin(), Texts.end(),
                        QString::number(V, 'f', 0).replace(QStringLiteral("1000"), "1,000")),
              Texts.end())
        << V;
  }
  EXPECT_GE(Ticks, 3);  // every label value of the step that fits brings its tick
  // One minor tick halfway between the first two labels.
  std::vector<int> TickX;
  for (const TCanvasOp& O : Ops)
    if (O.Kind == coLine && O.State.Pen.Color == clRed && O.Points.size() == 2)
      TickX.push_back(O.Points[0].X);
  std::sort(TickX.begin(), TickX.end());
  ASSERT_GE(TickX.size(), 2u);
  const int M = TickX[0] + int(std::lround((TickX[1] - TickX[0]) / 2.0));
  EXPECT_TRUE(HasLine(Ops, clLime, {M, Y}, {M, Y + 2}));
  // Hidden axes draw nothing of themselves.
  TChart Empty;
  Empty.SetView3D(false);
  Empty.SetAxisVisible(false);
  Empty.BottomAxis()->Ticks()->SetColor(clRed);
  TRecordingTarget T2(600, 400);
  TCanvas C2(&T2);
  Empty.DrawToMetaCanvas(&C2, {0, 0, 600, 400});
  for (const TCanvasOp& O : T2.Ops()) EXPECT_FALSE(O.Kind == coLine && O.State.Pen.Color == clRed);
}
