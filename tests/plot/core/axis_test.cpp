// The axis tick model: tick positions and counts, label precision, range rounding, scrolling and
// label texts, on linear, integer and logarithmic axes, with non-finite ranges.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "test_layers.h"

namespace {
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct TAxisFixture {
  TRecordingTarget Target{400, 300};
  TCanvas Canvas{&Target};
  TGraph Graph{&Canvas, 400, 300};
  TAxis& X = *Graph.XAxis;
  void WithData() {
    auto L = std::make_unique<TTestLayer>(&Graph);
    L->Points = {{0, 0}};
    Graph.AddLayer(std::move(L));
  }
};

struct TTicks {
  int Digits, TickCount, TicksPerLabel;
  double TickStep;
};

void Expect(const TAxis& A, TTicks T) {
  EXPECT_EQ(A.Digits, T.Digits);
  EXPECT_EQ(A.TickCount, T.TickCount);
  EXPECT_EQ(A.TicksPerLabel, T.TicksPerLabel);
  EXPECT_DOUBLE_EQ(A.TickStep, T.TickStep);
}

TEST(AxisTicks, GeneralRanges) {
  struct {
    double A, B;
    TTicks T;
    double First, NewB;
  } Cases[] = {
      {0, 7.3, {1, 16, 4, 0.5}, 0, 7.3},
      {0, 0.15, {3, 16, 5, 0.01}, 0, 0.15},
      {0, 250, {0, 13, 5, 20}, 0, 250},
      {2, 5, {1, 16, 5, 0.2}, 2, 5},
      {1.234, 1.239, {4, 11, 4, 0.0005}, 1.234, 1.239},
      {0, 1e-12, {14, 21, 4, 5e-14}, 0, 1e-12},
      {0, 1e300, {1, 11, 5, 1e299}, 0, 1e300},
      {-1e6, 1e6, {0, 11, 5, 2e5}, -1e6, 1e6},
  };
  for (const auto& C : Cases) {
    TAxisFixture F;
    double A = C.A, B = C.B;
    F.X.CalcTicks(A, B);
    SCOPED_TRACE(C.B);
    Expect(F.X, C.T);
    EXPECT_DOUBLE_EQ(F.X.FirstTick, C.First);
    EXPECT_DOUBLE_EQ(B, C.NewB);
  }
}

TEST(AxisTicks, EdgeRanges) {
  TAxisFixture F;
  // Exchanged ends are put in order first.
  double A = 5, B = 2;
  F.X.CalcTicks(A, B);
  EXPECT_EQ(A, 2);
  Expect(F.X, {1, 16, 5, 0.2});

  // A range of one value changes nothing but the precision.
  TAxisFixture G;
  G.X.TickCount = 7;
  A = B = 3;
  G.X.CalcTicks(A, B);
  EXPECT_EQ(G.X.Digits, 1);
  EXPECT_EQ(G.X.TickCount, 7);

  // Non-finite ends end at once (the range loops would not).
  for (double V : {Inf, -Inf, NaN}) {
    TAxisFixture H;
    A = 0, B = V;
    H.X.CalcTicks(A, B);
    EXPECT_EQ(H.X.TickCount, 0);
  }

  // The upper end is rounded to the label precision only while it is automatic.
  TAxisFixture R;
  A = 0, B = 7.34567;
  R.X.CalcTicks(A, B);
  EXPECT_DOUBLE_EQ(B, 7.35);
  R.X.AutoMax = false;
  B = 7.34567;
  R.X.CalcTicks(A, B);
  EXPECT_DOUBLE_EQ(B, 7.34567);
}

TEST(AxisTicks, IntegerLabels) {
  TAxisFixture F;
  F.X.LabelsStyle = asInteger;
  F.WithData();
  double A = 0, B = 7;
  F.X.CalcTicks(A, B);
  Expect(F.X, {1, 9, 2, 1});
  A = 0, B = 1;
  F.X.CalcTicks(A, B);
  EXPECT_EQ(F.X.TickCount, 3);
  EXPECT_EQ(F.X.TicksPerLabel, 1);
  // Over 100 with data and no zoom the general rule holds; zoomed, the whole-step decade rule.
  A = 0, B = 1000;
  F.X.CalcTicks(A, B);
  Expect(F.X, {1, 11, 5, 100});
  F.Graph.Zoom.PushPrimary({});
  F.X.CalcTicks(A, B);
  Expect(F.X, {0, 11, 5, 100});
  F.Graph.Zoom.ClearStacks();

  // Labels start at the first whole value at or above the lower end.
  F.Graph.XMin = 1.0, F.Graph.XMax = 6.5;
  F.X.Recalc();
  auto T = F.X.TickList();
  ASSERT_FALSE(T.empty());
  EXPECT_EQ(T[0].Value, 1);
  EXPECT_EQ(T[0].Label, QStringLiteral("1"));
  F.Graph.XMin = 0.2;
  F.X.Recalc();
  T = F.X.TickList();
  EXPECT_EQ(T[0].Value, 1);
}

TEST(AxisTicks, RecalcAndScroll) {
  TAxisFixture F;
  TGraph& G = F.Graph;
  G.YMin = 0, G.YMax = 7.34567;
  G.YAxis->Recalc();
  EXPECT_DOUBLE_EQ(G.YMax, 7.35);
  EXPECT_DOUBLE_EQ(G.YAxis->RangeMax, 7.35);
  G.YAxis->AutoMax = false;
  G.YMax = 7.34567;
  G.YAxis->Recalc();
  EXPECT_DOUBLE_EQ(G.YMax, 7.34567);

  // While zoomed both ends stay.
  G.Zoom.PushPrimary({});
  G.Zoom.PushPrimary({});
  G.XMin = 0.123, G.XMax = 0.98765;
  G.XAxis->Recalc();
  EXPECT_EQ(G.XMin, 0.123);
  EXPECT_EQ(G.XMax, 0.98765);
  G.Zoom.ClearStacks();

  // An inverted axis holds its ends exchanged and gets the same ticks.
  G.XAxis->Inverted = true;
  G.XMin = 10, G.XMax = 0;
  G.XAxis->Recalc();
  EXPECT_EQ(G.XAxis->TickCount, 11);
  EXPECT_EQ(G.XMin, 10);
  EXPECT_EQ(G.XMax, 0);
  G.XAxis->Inverted = false;

  // A range that is not finite falls back to the default range.
  G.X2Min = -Inf, G.X2Max = NaN;
  G.XAxis2->Recalc();
  EXPECT_EQ(G.X2Min, 0);
  EXPECT_EQ(G.X2Max, 1);

  G.XMin = 0, G.XMax = 10;
  G.XAxis->Recalc();
  ASSERT_DOUBLE_EQ(G.XAxis->TickStep, 1);
  G.XAxis->Scroll(2, 4);
  EXPECT_DOUBLE_EQ(G.XMin, -2);
  EXPECT_DOUBLE_EQ(G.XMax, 14);
  EXPECT_EQ(G.XAxis->TickCount, 17);
  EXPECT_DOUBLE_EQ(G.XAxis->FirstTick, -2);
  EXPECT_DOUBLE_EQ(G.XAxis->RangeMax, 14);

  G.SetRanges({0, 0, 7.3, 100});
  EXPECT_EQ(G.YAxis->TickCount, 11);
}

TEST(AxisTicks, LabelTexts) {
  TAxisFixture F;
  EXPECT_EQ(F.X.FormatTickLabel(1, 1e-17, 0.1), QStringLiteral("0.0"));
  EXPECT_EQ(F.X.FormatTickLabel(1, 3, 0.5), QStringLiteral("3"));
  EXPECT_EQ(F.X.FormatTickLabel(1, 2.5, 0.5), QStringLiteral("2.5"));
  EXPECT_EQ(F.X.FormatTickLabel(0, -0.0, 1), QStringLiteral("0"));
  EXPECT_EQ(F.X.FormatTickLabel(2, -0.25, 0.05), QStringLiteral("-0.25"));

  // Labels every TicksPerLabel-th tick, texts every LabelsFrequency-th label.
  F.Graph.XMin = 0, F.Graph.XMax = 7.3;
  F.X.Recalc();
  auto T = F.X.TickList();
  ASSERT_EQ(T.size(), 16u);
  QStringList Labels;
  for (const auto& K : T)
    if (K.Major) Labels << K.Label;
  EXPECT_EQ(Labels, (QStringList{"0", "2", "4", "6"}));
  F.X.LabelsFrequency = 2;
  T = F.X.TickList();
  int Texts = 0;
  for (const auto& K : T) Texts += K.Text;
  EXPECT_EQ(Texts, 2);

  F.X.LabelsStyle = asDate;
  F.X.LabelsFrequency = 1;
  F.Graph.XMin = 45000, F.Graph.XMax = 45007;
  F.X.Recalc();
  EXPECT_EQ(F.X.TickList()[0].Label, QStringLiteral("2023-03-15"));
  F.X.LabelsStyle = asFloat;

  // A long walk gathers no binary noise in its labels.
  F.Graph.XMin = 0, F.Graph.XMax = 1;
  F.X.Recalc();
  for (const auto& K : F.X.TickList()) {
    if (!K.Major) continue;
    EXPECT_LE(K.Label.size(), 3) << K.Label.toStdString();
  }
}

TEST(AxisTicks, LogarithmicDecades) {
  TAxisFixture F;
  TGraph& G = F.Graph;
  EXPECT_EQ(SnapLog10(1000), 3);
  EXPECT_EQ(SnapLog10(1e-5), -5);
  TAxis& Y = *G.YAxis;
  Y.SetLog(true);
  G.YMin = 0, G.YMax = 3;  // 1 .. 1000
  Y.Recalc();
  auto T = Y.TickList();
  QStringList Exponents;
  std::vector<double> Minor;
  for (const auto& K : T) {
    if (K.Major)
      Exponents << K.Label;
    else if (K.World < 10)
      Minor.push_back(K.World);
  }
  EXPECT_EQ(Exponents, (QStringList{"0", "1", "2", "3"}));
  EXPECT_EQ(Minor, (std::vector<double>{2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(T.size(), 3u * 9 + 1);

  // Part decades: only the ticks inside the range.
  G.YMin = std::log10(3.0), G.YMax = std::log10(300.0);
  Y.Recalc();
  T = Y.TickList();
  EXPECT_NEAR(T.front().World, 3, 1e-12);
  EXPECT_NEAR(T.back().World, 300, 1e-9);

  // A huge exponent range does not walk forever, nor does a narrow one beyond 2^53, where a
  // decade step no longer changes the exponent.
  G.YMin = -1e9, G.YMax = 1e9;
  EXPECT_TRUE(Y.TickList().empty());
  for (double E : {0x1p53, 0x1p60, 1e300}) {
    G.YMin = E, G.YMax = E + E * 1e-15;
    EXPECT_LE(Y.TickList().size(), 10u) << E;
  }

  // Events fire on a change only.
  int Before = 0, After = 0;
  Y.OnBeforeChange = [&](TGraph*) { ++Before; };
  Y.OnChange = [&](TGraph*) { ++After; };
  Y.SetLog(true);
  EXPECT_EQ(Before + After, 0);
  Y.SetLog(false);
  EXPECT_EQ(Before, 1);
  EXPECT_EQ(After, 1);
}

TEST(AxisTicks, TickListIsKeptUntilItsInputsChange) {
  TAxisFixture F;
  F.Graph.XMin = 0, F.Graph.XMax = 7.3;
  F.X.Recalc();
  const TAxisTick* First = F.X.TickList().data();
  EXPECT_EQ(F.X.TickList().data(), First);
  EXPECT_EQ(F.X.TickList().size(), 16u);
  F.Graph.XMax = 20;
  F.X.Recalc();
  EXPECT_EQ(F.X.TickList().size(), 11u);
  F.X.LabelsFrequency = 2;
  int Texts = 0;
  for (const auto& K : F.X.TickList()) Texts += K.Text;
  EXPECT_EQ(Texts, 2);
  // On a logarithmic axis the reused list restores what the walk set.
  TAxis& Y = *F.Graph.YAxis;
  Y.SetLog(true);
  F.Graph.YMin = 0, F.Graph.YMax = 2;
  Y.Recalc();
  const size_t N = Y.TickList().size();
  const int Count = Y.TickCount;
  EXPECT_EQ(Y.TickList().size(), N);
  EXPECT_EQ(Y.TickCount, Count);
}

TEST(AxisTicks, Defaults) {
  TAxisFixture F;
  EXPECT_EQ(F.Graph.XAxis->LineWidth, 1);
  EXPECT_EQ(F.Graph.XAxis2->LineWidth, 0);
  EXPECT_EQ(F.Graph.YAxis->LabelsDirection, ldVertical);
  EXPECT_EQ(F.Graph.XAxis2->RangeMin, 1);
  EXPECT_EQ(F.Graph.XAxis2->RangeMax, 2);
  EXPECT_EQ(F.Graph.XAxis->Font.Size(), 8);
  EXPECT_EQ(F.Graph.XAxis->GridColor, 0xC0C0C0u);
}

}  // namespace

namespace {
// Three finite values spanning nearly the whole double: the width overflows, the axis does not.
TEST(AxisTicks, RangeWiderThanTheLargestDouble) {
  TAxisFixture F;
  TGraph& G = F.Graph;
  auto L = std::make_unique<TTestLayer>(&G);
  L->Points = {{-1e308, -1e308}, {0, 0}, {1e308, 1e308}};
  L->Color = clRed;
  G.AddLayer(std::move(L));
  G.Paint();
  for (TAxis* A : {static_cast<TAxis*>(G.XAxis.get()), static_cast<TAxis*>(G.YAxis.get())}) {
    EXPECT_TRUE(std::isfinite(A->TickStep));
    EXPECT_GT(A->TickStep, 0);
    int Labels = 0;
    for (const TAxisTick& T : A->TickList()) {
      EXPECT_TRUE(std::isfinite(T.World));
      EXPECT_FALSE(T.Label.contains(QStringLiteral("NaN"), Qt::CaseInsensitive));
      EXPECT_FALSE(T.Label.contains(QStringLiteral("INF"), Qt::CaseInsensitive));
      Labels += !T.Label.isEmpty();
    }
    EXPECT_GE(Labels, 2);
  }
  for (double V : {G.ScaleX, G.OffsetX, G.ScaleY, G.OffsetY}) EXPECT_TRUE(std::isfinite(V)) << V;
  EXPECT_NE(G.ScaleX, 0);
  // The points land at the plot's edges and in its middle, and the curve is drawn.
  EXPECT_NEAR(G.XToPixel(0), (G.PlotRect.Left + G.PlotRect.Right) / 2.0, 3);
  EXPECT_NEAR(G.YToPixel(0), (G.PlotRect.Top + G.PlotRect.Bottom) / 2.0, 3);
  EXPECT_GE(G.XToPixel(-1e308), G.PlotRect.Left - 1);
  EXPECT_LE(G.XToPixel(1e308), G.PlotRect.Right + 1);
  int Red = 0;
  for (const TCanvasOp& Op : F.Target.Ops())
    Red += (Op.Kind == coLine || Op.Kind == coPolyline) && Op.State.Pen.Color == clRed;
  EXPECT_GE(Red, 1);
}
}  // namespace

namespace {
// Data up to the largest double, on every kind of axis: the autoscale, the margins and the
// ticks saturate and never leave finite numbers.
TEST(AxisTicks, DataNearTheDoubleLimitGiveFiniteEndsAndLabels) {
  constexpr double Max = std::numeric_limits<double>::max();
  struct TCase {
    std::vector<TDoublePoint> Points;
    bool Log, Secondary;
  };
  const TCase Cases[] = {
      {{{-Max, 0}, {1e300, 1}}, false, false},       {{{0, -1e300}, {1, Max}}, false, false},
      {{{Max, -Max}, {Max, 0}}, false, false},       {{{-Max, -Max}, {Max, Max}}, false, true},
      {{{1e-300, 1e-300}, {Max, Max}}, true, false},
  };
  for (const TCase& C : Cases) {
    TAxisFixture F;
    TGraph& G = F.Graph;
    auto L = std::make_unique<TTestLayer>(&G);
    L->Points = C.Points;
    L->Color = clRed;
    L->SetOnXAxis2(C.Secondary);
    L->SetOnYAxis2(C.Secondary);
    G.AddLayer(std::move(L));
    for (TGraphAxisId Id : {gaXAxis, gaYAxis, gaXAxis2, gaYAxis2}) {
      G.Axis(Id)->SetLog(C.Log);
      G.Axis(Id)->SetVisible(!C.Secondary || Id == gaXAxis2 || Id == gaYAxis2);
    }
    G.Paint();
    const std::string Where = std::to_string(&C - Cases);
    for (double V : {G.XMin, G.XMax, G.YMin, G.YMax, G.X2Min, G.X2Max, G.Y2Min, G.Y2Max})
      EXPECT_TRUE(std::isfinite(V)) << Where;
    for (TGraphAxisId Id : {gaXAxis, gaYAxis, gaXAxis2, gaYAxis2}) {
      TAxis* A = G.Axis(Id);
      if (!A->Visible) continue;
      int Labels = 0;
      for (const TAxisTick& T : A->TickList()) {
        EXPECT_FALSE(T.Label.contains(QStringLiteral("NaN"), Qt::CaseInsensitive)) << Where;
        EXPECT_FALSE(T.Label.contains(QStringLiteral("INF"), Qt::CaseInsensitive)) << Where;
        Labels += T.Text && !T.Label.isEmpty();
      }
      EXPECT_GE(Labels, 2) << Where << " axis " << Id;
    }
    int Red = 0;
    for (const TCanvasOp& Op : F.Target.Ops())
      Red += (Op.Kind == coLine || Op.Kind == coPolyline) && Op.State.Pen.Color == clRed;
    EXPECT_GE(Red, 1) << Where;
  }
}
}  // namespace
