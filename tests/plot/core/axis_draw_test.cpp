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
  EXPECT_GT(F.Texts().size(), Crowded);  // it skips only what would meet a label written

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

// The box a recorded text covers on the device, turned with its font.
TRect TextBox(const TCanvasOp& Op, QPaintDevice* Device) {
  const QFontMetrics M(ToQFont(Op.State.Font), Device);
  const int W = M.horizontalAdvance(Op.Text), H = M.ascent() + M.descent();
  const TTextPlacement P = PlaceText(Op.State.TextAlign, W, M.ascent(), M.descent());
  const TPoint O = Op.Points[0];
  if (Op.State.Font.Escapement == 900)  // read upward: the text's left runs up, its top left
    return {O.X + P.Top, O.Y - P.Left - W, O.X + P.Top + H, O.Y - P.Left};
  return {O.X + P.Left, O.Y + P.Top, O.X + P.Left + W, O.Y + P.Top + H};
}

// One axis drawn alone on a recording canvas at 1 or 2 device pixels to a screen pixel, its
// range Lo..Hi (reversed when inverted) on a plot Along pixels long.
struct TLabelScene {
  int K;
  TRecordingTarget Target;
  TCanvas Canvas{&Target};
  TGraph G;
  TAxis& A;
  TLabelScene(int AK, TGraphAxisId Id, double Lo, double Hi, int Along, bool Log, bool Inverted,
              TAxisLabelsDirection Dir, TTicksDirection Ticks)
      : K(AK), Target(400 * AK, 300 * AK, 96 * AK), G(&Canvas, 400 * AK, 300 * AK), A(*G.Axis(Id)) {
    const bool Horz = A.Horizontal();
    G.PlotRect = {50 * K, 20 * K, (Horz ? 50 + Along : 380) * K, (Horz ? 260 : 20 + Along) * K};
    G.Frame.Width = 0;
    A.SetLog(Log);
    A.Inverted = Inverted;
    A.LabelsDirection = Dir;
    A.Ticks.Direction = Ticks;
    const double A0 = Inverted ? Hi : Lo, B0 = Inverted ? Lo : Hi;
    G.SetRanges(Horz ? TDoubleRect{A0, 0, B0, 1} : TDoubleRect{0, A0, 1, B0});
    G.X2Min = G.XMin, G.X2Max = G.XMax, G.Y2Min = G.YMin, G.Y2Max = G.YMax;
    A.Recalc();
    G.ComputeMapping(G.PlotRect);
    Target.Clear();
    A.Draw();
  }
  // The labels' texts and boxes; a power of ten is its "10" and exponent together.
  std::vector<std::pair<QString, TRect>> Labels() {
    std::vector<std::pair<QString, TRect>> R;
    bool Power = false;
    for (const TCanvasOp& Op : Target.Ops()) {
      if (Op.Kind != coText) continue;
      const TRect B = TextBox(Op, Target.MetricsDevice());
      if (Power) {
        TRect& L = R.back().second;
        L = {std::min(L.Left, B.Left), std::min(L.Top, B.Top), std::max(L.Right, B.Right),
             std::max(L.Bottom, B.Bottom)};
        R.back().first = Op.Text;
      } else {
        R.push_back({Op.Text, B});
      }
      Power = A.Log && !Power;
    }
    return R;
  }
  // Every label that meets another or crosses the axis line.
  QStringList Faults() {
    QStringList F;
    const auto L = Labels();
    const TRect& P = G.PlotRect;
    for (size_t I = 0; I < L.size(); ++I) {
      const TRect& B = L[I].second;
      for (size_t J = 0; J < I; ++J) {
        const TRect& O = L[J].second;
        if (B.Left < O.Right && O.Left < B.Right && B.Top < O.Bottom && O.Top < B.Bottom)
          F << L[I].first + QStringLiteral(" meets ") + L[J].first;
      }
      const bool Outside = A.Id == gaXAxis    ? B.Top >= P.Bottom - 1
                           : A.Id == gaXAxis2 ? B.Bottom <= P.Top + 1
                           : A.Id == gaYAxis  ? B.Right <= P.Left + 1
                                              : B.Left >= P.Right - 1;
      if (!Outside) F << L[I].first + QStringLiteral(" crosses the line");
    }
    return F;
  }
};

// Every side, both directions of text, both ways round, ticks in and out, at scale 1 and 2.
template <typename F>
void ForEachAxisSetting(F Check) {
  for (const int K : {1, 2})
    for (const TGraphAxisId Id : {gaXAxis, gaYAxis, gaXAxis2, gaYAxis2})
      for (const TAxisLabelsDirection Dir : {ldHorizontal, ldVertical})
        for (const bool Inverted : {false, true})
          for (const TTicksDirection Ticks : {tdOut, tdIN}) {
            SCOPED_TRACE(testing::Message() << "scale " << K << " axis " << Id << " dir " << Dir
                                            << " inverted " << Inverted << " in " << Ticks);
            Check(K, Id, Dir, Inverted, Ticks);
          }
}

// Powers of ten over wide and ordinary ranges: no two labels meet, none crosses its axis line,
// and the decades labelled are every 1st, 2nd, 5th, 10th ... one, each where there is room.
TEST(AxisDraw, LogLabelsNeitherMeetNorCrossTheirLine) {
  ForEachAxisSetting(
      [](int K, TGraphAxisId Id, TAxisLabelsDirection Dir, bool Inv, TTicksDirection Ticks) {
        for (const auto& [Lo, Hi] :
             {std::pair{-10.0, 309.0}, {-10.0, 60.0}, {-10.0, 6.0}, {0.0, 3.0}}) {
          SCOPED_TRACE(testing::Message() << Lo << ".." << Hi);
          TLabelScene S(K, Id, Lo, Hi, 240, true, Inv, Dir, Ticks);
          const QStringList Faults = S.Faults();
          EXPECT_EQ(Faults.size(), 0) << qPrintable(Faults.value(0));
          QList<int> E;
          for (const auto& L : S.Labels()) E << L.first.toInt();
          ASSERT_GE(E.size(), 2);
          int Stride = std::abs(E[1] - E[0]);
          for (int I = 2; I < E.size(); ++I) Stride = std::min(Stride, std::abs(E[I] - E[I - 1]));
          EXPECT_TRUE(QList<int>({1, 2, 5, 10, 20, 50}).contains(Stride)) << Stride;
          for (const int X : E) EXPECT_EQ(X % Stride, 0) << X;
          EXPECT_TRUE(Hi - Lo > 3 || E.size() == 4);  // room for every decade
        }
      });
}

// Linear labels crowded on a short axis, deep zoomed and not: none meets another on any side.
TEST(AxisDraw, CrowdedLinearLabelsNeverMeet) {
  ForEachAxisSetting(
      [](int K, TGraphAxisId Id, TAxisLabelsDirection Dir, bool Inv, TTicksDirection Ticks) {
        for (const auto& [Lo, Hi] :
             {std::pair{1000000.0, 1000010.0}, {0.123456789, 0.123456789 + 4e-12}}) {
          TLabelScene S(K, Id, Lo, Hi, 40, false, Inv, Dir, Ticks);
          const QStringList Faults = S.Faults();
          EXPECT_EQ(Faults.size(), 0) << qPrintable(Faults.value(0));
          EXPECT_GE(S.Labels().size(), 1u);
        }
      });
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
