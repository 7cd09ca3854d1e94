// The tabulation of the surface and polar plots through the engine: values at the grid points,
// failed points as null points, the Stop button, the grid size check and complex mode.
#include <cmath>
#include <limits>

#include "app/graphics/plot_tabulation.h"
#include "app/graphics/surface_polar_plot.h"
#include "engine/complex_eval.h"
#include "tests/app/chart_windows_support.h"

namespace {

class TabulationTest : public ChartWindowTest {};

TPlotRequest Surface(const char* Text, double X0, double X1, int NX, double Y0, double Y1, int NY) {
  TPlotRequest R;
  R.Input = Text;
  R.XFrom = X0;
  R.XTo = X1;
  R.XSteps = NX;
  R.YFrom = Y0;
  R.YTo = Y1;
  R.YSteps = NY;
  return R;
}

TEST_F(TabulationTest, SurfaceValuesAtTheGridPointsColumnByColumn) {
  TPlotRequest R = Surface("sin( X ) * cos( Y )", -1, 1, 4, 0, 3, 3);
  std::vector<int> Gauge;
  R.Progress = [&](int P) { Gauge.push_back(P); };
  TSurfaceGrid G;
  const TTabulation T = TabulateSurface(R, G);
  ASSERT_EQ(T.Outcome, TPlotOutcome::Plotted);
  ASSERT_EQ(G.NumX, 5);
  ASSERT_EQ(G.NumZ, 4);
  for (int i = 1; i <= 5; ++i)
    for (int j = 1; j <= 4; ++j) {
      const double X = -1 + (i - 1) * 0.5, Y = j - 1.0;
      EXPECT_NEAR(G.At(i, j), std::sin(X) * std::cos(Y), 1e-15) << i << "," << j;
    }
  // The letters keep the last point's values; the gauge runs up to 100 and is reset.
  EXPECT_DOUBLE_EQ(double(VarValues[varX]), 1.0);
  EXPECT_DOUBLE_EQ(double(VarValues[varX + 1]), 3.0);
  ASSERT_GE(Gauge.size(), 2u);
  EXPECT_EQ(Gauge[Gauge.size() - 2], 100);
  EXPECT_EQ(Gauge.back(), 0);
  // Every point passed the pump.
  EXPECT_EQ(Host.Pumps, 20);
}

TEST_F(TabulationTest, FailedPointsAreNullPointsAndAnUnreadableTextPlotsNothing) {
  // ln fails for X <= 0: those columns are holes, not the 0 the failure returned.
  TSurfaceGrid G;
  TTabulation T = TabulateSurface(Surface("ln(X)+Y", -1, 1, 2, 0, 1, 1), G);
  ASSERT_EQ(T.Outcome, TPlotOutcome::Plotted);
  EXPECT_EQ(T.NullPoints, 4);
  for (int j = 1; j <= 2; ++j) {
    EXPECT_TRUE(std::isnan(G.At(1, j)));
    EXPECT_TRUE(std::isnan(G.At(2, j)));
    EXPECT_NEAR(G.At(3, j), j - 1.0, 1e-15);
  }
  // A text that no point can be read from is an error, and the last grid stays.
  const TSurfaceGrid Before = G;
  for (const char* Bad : {"sin(X", "ln(X-5)"}) {
    T = TabulateSurface(Surface(Bad, -1, 1, 2, 0, 1, 1), G);
    EXPECT_EQ(T.Outcome, TPlotOutcome::Failed) << Bad;
    EXPECT_FALSE(T.Error.Message.empty()) << Bad;
    EXPECT_EQ(G.Values.size(), Before.Values.size());
  }
  // Polar: a failed radius is a null point too.
  std::vector<TPolarPoint> P;
  TPlotRequest R;
  R.Input = "sqrt(X)";
  R.XFrom = -1;
  R.XTo = 1;
  R.XSteps = 2;
  T = TabulatePolar(R, P);
  ASSERT_EQ(T.Outcome, TPlotOutcome::Plotted);
  ASSERT_EQ(P.size(), 3u);
  EXPECT_TRUE(std::isnan(P[0].Radius));
  EXPECT_EQ(P[1].Radius, 0.0);
  EXPECT_EQ(P[2].Radius, 1.0);
}

TEST_F(TabulationTest, StopBreaksBothLoopsAndPlotsNothing) {
  TSurfaceGrid G;
  G.NumX = G.NumZ = 1;
  G.Values = {42};
  Host.StopAt = 7;
  TTabulation T = TabulateSurface(Surface("X*Y", 0, 1, 10, 0, 1, 10), G);
  EXPECT_EQ(T.Outcome, TPlotOutcome::Break);
  EXPECT_EQ(T.Error.ErrCode, errUserBreak);
  EXPECT_EQ(T.Error.Message, "User break: position 4");
  EXPECT_EQ(Host.Asked, 1);
  EXPECT_EQ(Host.Pumps, 7);
  EXPECT_EQ(G.Values, std::vector<double>{42});

  // "No" to the question goes on, and asks again only at the next press.
  Host = TStopHost{};
  Host.StopAt = 3;
  Host.Answer = false;
  T = TabulateSurface(Surface("X*Y", 0, 1, 10, 0, 1, 10), G);
  EXPECT_EQ(T.Outcome, TPlotOutcome::Plotted);
  EXPECT_EQ(Host.Asked, 1);
  EXPECT_EQ(G.Values.size(), 121u);

  Host = TStopHost{};
  Host.StopAt = 2;
  std::vector<TPolarPoint> P;
  TPlotRequest R;
  R.Input = "sin(4*X)";
  R.XSteps = 100;
  T = TabulatePolar(R, P);
  EXPECT_EQ(T.Outcome, TPlotOutcome::Break);
  EXPECT_TRUE(P.empty());
}

TEST_F(TabulationTest, PolarAnglesInDegreesAndBlanksIgnored) {
  TPlotRequest R;
  R.Input = "sin ( 4 * X )";
  R.XFrom = 0;
  R.XTo = 2 * M_PI;
  R.XSteps = 16;
  R.Radians = true;
  std::vector<TPolarPoint> P;
  ASSERT_EQ(TabulatePolar(R, P).Outcome, TPlotOutcome::Plotted);
  ASSERT_EQ(P.size(), 17u);
  for (int i = 0; i <= 16; ++i) {
    const double X = i * 2 * M_PI / 16;
    EXPECT_NEAR(P[size_t(i)].Angle, i * 22.5, 1e-12);
    EXPECT_NEAR(P[size_t(i)].Radius, std::sin(4 * X), 1e-15);
  }
  R.Radians = false;
  R.XTo = 360;
  R.XSteps = 4;
  ASSERT_EQ(TabulatePolar(R, P).Outcome, TPlotOutcome::Plotted);
  EXPECT_DOUBLE_EQ(P[1].Angle, 90.0);
}

TEST_F(TabulationTest, ComplexModeTabulatesTheModulus) {
  TPlotRequest R = Surface("comp(X,Y)", -3, 3, 2, -4, 4, 2);
  R.ComplexMode = true;
  TSurfaceGrid G;
  ASSERT_EQ(TabulateSurface(R, G).Outcome, TPlotOutcome::Plotted);
  EXPECT_NEAR(G.At(1, 1), 5.0, 1e-15);
  EXPECT_NEAR(G.At(2, 2), 0.0, 1e-15);
  EXPECT_NEAR(G.At(3, 1), 5.0, 1e-15);
  // Complex mode reads no letters outside comp(: every point fails, and the error is placed in
  // the text as typed, not in the "abs(" around it. The previous complex result stays.
  ComplexAnswer = TComplex{cfAlgebraic, 7, 8};
  R.Input = "sin(X)";
  const TTabulation T = TabulateSurface(R, G);
  EXPECT_EQ(T.Outcome, TPlotOutcome::Failed);
  EXPECT_EQ(T.Error.ErrPos, 5);
  EXPECT_EQ(ComplexAnswer.A, 7);
  EXPECT_EQ(ComplexAnswer.B, 8);
  EXPECT_EQ(EngineSettings.QuadCompareLen, 9);
}

TEST_F(TabulationTest, AGridTooLargeIsRefusedWithItsSizeBeforeAnythingIsRead) {
  TSurfaceGrid G;
  const TTabulation T = TabulateSurface(Surface("X", 0, 1, 100000, 0, 1, 100000), G);
  EXPECT_EQ(T.Outcome, TPlotOutcome::TooLarge);
  EXPECT_TRUE(T.Message.contains(QStringLiteral("100001 x 100001"))) << T.Message.toStdString();
  EXPECT_EQ(Host.Pumps, 0);
  // A polar curve past the page's count would overflow its loop and its table.
  std::vector<TPolarPoint> P;
  TPlotRequest R = Surface("X", 0, 1, std::numeric_limits<int>::max(), 0, 1, 0);
  EXPECT_EQ(TabulatePolar(R, P).Outcome, TPlotOutcome::TooLarge);
  R.XSteps = MaxPlotSteps + 1;
  EXPECT_EQ(TabulatePolar(R, P).Outcome, TPlotOutcome::TooLarge);
  EXPECT_TRUE(P.empty());
  EXPECT_EQ(Host.Pumps, 0);
}

}  // namespace
