// Axis drawing on the recording target: line, ticks, labels, grid, end labels and label room.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <cmath>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "test_layers.h"

namespace {

struct TDrawFixture {
  TRecordingTarget Target{400, 300};
  TCanvas Canvas{&Target};
  TGraph Graph{&Canvas, 400, 300};
  TDrawFixture() {
    Graph.PlotRect = {50, 20, 380, 260};
    Graph.Frame.Width = 0;
  }
  void Layout(TDoubleRect R) {
    Graph.SetRanges(R);
    Graph.ComputeMapping(Graph.PlotRect);
  }
  std::vector<TCanvasOp> Of(TCanvasOpKind K) const {
    std::vector<TCanvasOp> R;
    for (const auto& Op : Target.Ops())
      if (Op.Kind == K) R.push_back(Op);
    return R;
  }
  QStringList Texts() const {
    QStringList S;
    for (const auto& Op : Of(coText)) S << Op.Text;
    return S;
  }
};

TEST(AxisDraw, LinearYAxisTicksAndLabels) {
  TDrawFixture F;
  F.Layout({0, 0, 10, 7.3});
  F.Target.Clear();
  F.Graph.YAxis->Draw();
  EXPECT_EQ(F.Texts(), (QStringList{"0", "2", "4", "6"}));
  auto Lines = F.Of(coLine);
  ASSERT_EQ(Lines.size(), 1u + 15);  // the line and every tick inside the window
  EXPECT_EQ(Lines[0].Points[0], (TPoint{50, 259}));
  EXPECT_EQ(Lines[0].Points[1], (TPoint{50, 20}));
  // A major tick is 4 text units long, pointing left from the line at the value's pixel.
  F.Canvas.Font()->SetName(QStringLiteral("Arial"));
  F.Canvas.Font()->SetSize(1);
  const int U = F.Canvas.TextHeight(QStringLiteral("a"));
  EXPECT_EQ(Lines[1].Points[0], (TPoint{50, F.Graph.YToPixel(0)}));
  EXPECT_EQ(Lines[1].Points[1], (TPoint{50 - 4 * U, F.Graph.YToPixel(0)}));
  EXPECT_EQ(Lines[2].Points[1].X, 50 - 2 * U);

  // Grid lines at every tick; an axis that is not visible keeps its line and grid only.
  F.Target.Clear();
  F.Graph.YAxis->Grid = true;
  F.Graph.YAxis->SetVisible(false);
  F.Graph.YAxis->Draw();
  EXPECT_TRUE(F.Texts().isEmpty());
  EXPECT_EQ(F.Of(coLine).size(), 1u + 15);
  // A horizontal axis that is not visible draws nothing at all.
  F.Target.Clear();
  F.Graph.XAxis->SetVisible(false);
  F.Graph.XAxis->Draw();
  EXPECT_TRUE(F.Target.Ops().empty() || F.Of(coLine).empty());
}

TEST(AxisDraw, LogAxisAndEndLabels) {
  TDrawFixture F;
  F.Graph.YAxis->SetLog(true);
  F.Layout({0, 0, 10, 3});
  F.Target.Clear();
  F.Graph.YAxis->Draw();
  QStringList T = F.Texts();
  EXPECT_EQ(T.count(QStringLiteral("10")), 4);
  for (const char* E : {"0", "1", "2", "3"}) EXPECT_TRUE(T.contains(QString::fromLatin1(E)));
  EXPECT_EQ(F.Of(coLine).size(), 1u + 3 * 9 + 1);

  // A Y axis too short for any tick label shows its ends.
  TDrawFixture S;
  S.Graph.PlotRect = {50, 100, 380, 101};
  S.Layout({0, 0, 10, 1});
  S.Graph.YMin = 0.01, S.Graph.YMax = 0.02;
  S.Graph.YAxis->Recalc();
  S.Graph.ComputeMapping({50, 100, 380, 100});
  S.Graph.PlotRect = {50, 100, 380, 100};
  S.Target.Clear();
  S.Graph.YAxis->TickStep = 1e9;  // a step that puts no tick inside the window
  S.Graph.YAxis->FirstTick = 5;
  S.Graph.YAxis->Draw();
  EXPECT_EQ(S.Texts().size(), 2);

  // On a log axis within one decade the ends differ by less than the exponents' label digits
  // show in the values: they get the digits that tell them apart.
  TDrawFixture L;
  L.Graph.YAxis->SetLog(true);
  L.Layout({0, std::log10(1.5e-5), 10, std::log10(1.5e-5 * 1.001)});
  L.Target.Clear();
  L.Graph.YAxis->Draw();
  const QStringList E = L.Texts();
  ASSERT_EQ(E.size(), 2);
  EXPECT_LT(E[0].toDouble(), E[1].toDouble());
}

TEST(AxisDraw, XLabelsSkipOverlapsAndRoom) {
  TDrawFixture F;
  F.Graph.PlotRect = {50, 20, 90, 260};  // 40 pixels for many labels
  F.Layout({1000000, 0, 1000010, 1});
  F.Target.Clear();
  F.Graph.XAxis->Draw();
  const int Crowded = F.Texts().size();
  EXPECT_GE(Crowded, 1);
  EXPECT_LT(Crowded, 6);
  F.Graph.XAxis->Inverted = true;
  std::swap(F.Graph.XMin, F.Graph.XMax);
  F.Graph.ComputeMapping(F.Graph.PlotRect);
  F.Target.Clear();
  F.Graph.XAxis->Draw();
  EXPECT_GT(F.Texts().size(), Crowded);  // an inverted axis skips none

  TRect R{0, 0, 400, 300};
  TAxis& X = *F.Graph.XAxis;
  X.Inverted = false;
  TRect Out = X.GetLabelSize(R);
  EXPECT_LT(Out.Bottom, 300);
  X.Ticks.Direction = tdIN;
  TRect In = X.GetLabelSize(R);
  EXPECT_GT(In.Bottom, Out.Bottom);
  X.Location = alInside;
  EXPECT_EQ(X.GetLabelSize(R).Bottom, 300);
  X.Name = QStringLiteral("time");
  EXPECT_LT(X.GetLabelSize(R).Bottom, 300);
  X.SetVisible(false);
  EXPECT_EQ(X.GetLabelSize(R).Bottom, 300);
}

// Deep zoomed, upright labels on the vertical axes are longer than their ticks lie apart: none
// meets another along the axis, and some are still written.
TEST(AxisDraw, UprightYLabelsOfADeepZoomDoNotOverlap) {
  TDrawFixture F;
  F.Layout({0, 0.123456789, 1, 0.123456789 + 4e-12});
  for (TAxis* A : {F.Graph.Axis(gaYAxis), F.Graph.Axis(gaYAxis2)}) {
    A->LabelsDirection = ldVertical;
    F.Target.Clear();
    A->Draw();
    std::vector<std::pair<int, int>> Spans;
    for (const auto& Op : F.Of(coText)) {
      const int W =
          QFontMetrics(ToQFont(Op.State.Font), F.Target.MetricsDevice()).horizontalAdvance(Op.Text);
      const unsigned Along = Op.State.TextAlign & TA_HORZMASK;
      const int Lo = Op.Points[0].Y - (Along == TA_LEFT ? W : Along == TA_CENTER ? W / 2 : 0);
      for (const auto& [L, H] : Spans) EXPECT_TRUE(Lo + W < L || Lo > H) << qPrintable(Op.Text);
      Spans.push_back({Lo, Lo + W});
    }
    EXPECT_GE(Spans.size(), 2u);
  }
}

}  // namespace

namespace {
TEST(AxisDraw, CustomLabelsAndLogMinorTicks) {
  TDrawFixture F;
  F.Layout({0, 0, 10, 10});  // 33 pixels to one X unit
  TAxis& X = *F.Graph.XAxis;
  X.RegularLabelsVisible = false;
  for (auto [Text, V] : {std::pair{"a", 1.0}, {"b", 1.1}, {"c", 1.2}, {"d", 2.0}, {"e", 20.0}})
    X.AddLabel(QString::fromLatin1(Text), V);
  F.Target.Clear();
  X.Draw();
  EXPECT_EQ(F.Texts(), (QStringList{"a", "b", "c", "d"}));  // the one past the range is left out
  // Each custom label has its tick, from just above the axis line out by a major tick.
  F.Canvas.Font()->SetName(QStringLiteral("Arial"));
  F.Canvas.Font()->SetSize(1);
  const int U = F.Canvas.TextHeight(QStringLiteral("a"));
  const int Axis = 260 - 1;
  auto LabelTicks = [&] {
    QList<int> At;
    for (const auto& Op : F.Of(coLine))
      if (Op.Points[0].Y == Axis - 1 && Op.Points[1].Y == Axis + 4 * U &&
          Op.Points[0].X == Op.Points[1].X)
        At << Op.Points[0].X;
    return At;
  };
  const QList<int> All{F.Graph.XToPixel(1), F.Graph.XToPixel(1.1), F.Graph.XToPixel(1.2),
                       F.Graph.XToPixel(2)};
  EXPECT_EQ(LabelTicks(), All);
  // Upright labels closer than their text height less 4 pixels to the last one drawn are
  // skipped; the first always draws.
  X.LabelsDirection = ldVertical;
  F.Target.Clear();
  X.Draw();
  EXPECT_EQ(F.Texts(), (QStringList{"a", "d"}));
  EXPECT_EQ(LabelTicks(), All);  // their ticks stay
  for (const auto& Op : F.Of(coText)) EXPECT_EQ(Op.State.Font.Escapement, 900);

  // A logarithmic axis draws its minor ticks by value even where the plot rectangle (the
  // window) was cut short; a linear one keeps to the window.
  for (bool Inverted : {false, true}) {
    SCOPED_TRACE(Inverted);
    TDrawFixture L;
    TAxis& Y = *L.Graph.YAxis;
    Y.SetLog(true);
    Y.Inverted = Inverted;
    L.Layout({0, 0, 10, 3});
    if (Inverted) std::swap(L.Graph.YMin, L.Graph.YMax);
    L.Graph.ComputeMapping(L.Graph.PlotRect);
    L.Graph.PlotRect = {50, 140, 380, 260};  // the window keeps the lower half only
    L.Target.Clear();
    Y.Draw();
    L.Canvas.Font()->SetName(QStringLiteral("Arial"));
    L.Canvas.Font()->SetSize(1);
    const int Minor = 2 * L.Canvas.TextHeight(QStringLiteral("a"));
    int N = 0;
    for (const auto& Op : L.Of(coLine))
      if (Op.Points[0].Y == Op.Points[1].Y && Op.Points[0].X - Op.Points[1].X == Minor) ++N;
    EXPECT_EQ(N, 3 * 8);  // 2, 3, ..., 9 times each of three decades
  }
  // The same cut on a linear axis loses the minor ticks outside the window.
  auto LinearMinors = [](TRect Window) {
    TDrawFixture Lin;
    Lin.Layout({0, 0, 10, 10});
    Lin.Graph.PlotRect = Window;
    Lin.Target.Clear();
    Lin.Graph.YAxis->Draw();
    Lin.Canvas.Font()->SetName(QStringLiteral("Arial"));
    Lin.Canvas.Font()->SetSize(1);
    const int Minor = 2 * Lin.Canvas.TextHeight(QStringLiteral("a"));
    int N = 0;
    for (const auto& Op : Lin.Of(coLine))
      if (Op.Points[0].Y == Op.Points[1].Y && Op.Points[0].X - Op.Points[1].X == Minor) ++N;
    return N;
  };
  const int Whole = LinearMinors({50, 20, 380, 260}), Cut = LinearMinors({50, 140, 380, 260});
  EXPECT_GT(Cut, 0);
  EXPECT_LT(Cut, Whole);
}
}  // namespace
