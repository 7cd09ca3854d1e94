// Polynomial fits: exact polynomials recovered, the samples, refused and ill-conditioned fits.
#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "plot/layers/fit_series.h"

namespace {
struct TErrors : TGraphOwner {
  QStringList Shown;
  void ShowError(const QString& S) override { Shown << S; }
};
struct TFitFixture {
  TRecordingTarget Target{400, 300};
  TCanvas Canvas{&Target};
  TErrors Owner;
  TGraph Graph{&Canvas, 400, 300, &Owner};
  TFitFixture() { RegisterSeriesLayerClasses(); }
  TSeries* Source(std::initializer_list<TDoublePoint> Pts) {
    auto S = std::make_unique<TSeries>(&Graph, 0x408090, 1, QStringLiteral("data"));
    for (auto& P : Pts) S->AddPoint(0, {}, P.X, P.Y);
    return static_cast<TSeries*>(Graph.AddLayer(std::move(S)));
  }
};
}  // namespace

TEST(FitSeries, RecoversExactPolynomials) {
  TFitFixture F;
  TFitSeries L(*F.Source({{0, 1}, {1, 3}, {2, 5}}), 1, 200);
  EXPECT_FALSE(L.Failed()) << L.Error.toStdString();
  EXPECT_NEAR(L.Coefficients[0], 1, 1e-12);
  EXPECT_NEAR(L.Coefficients[1], 2, 1e-12);
  ASSERT_EQ(L.Count(), 200);
  EXPECT_EQ(L.PointAt(199)->X, 2);
  EXPECT_NEAR(L.PointAt(100)->Y, 1 + 2 * L.PointAt(100)->X, 1e-12);
  EXPECT_EQ(L.Name, QStringLiteral("dataFit1"));
  EXPECT_EQ(L.Color, static_cast<TColor>(0x004050));
  EXPECT_EQ(L.Kind(), 2);

  TFitSeries Q(*F.Source({{-1, 1}, {0, 0}, {1, 1}, {2, 4}}), 2, 200);
  EXPECT_NEAR(Q.Coefficients[0], 0, 1e-12);
  EXPECT_NEAR(Q.Coefficients[1], 0, 1e-12);
  EXPECT_NEAR(Q.Coefficients[2], 1, 1e-12);
  EXPECT_NEAR(Q.PointAt(199)->Y, 4, 1e-12);

  TFitSeries C(*F.Source({{0, 0}, {1, 1}, {2, 8}, {3, 27}}), 3, 200);
  EXPECT_NEAR(C.Coefficients[3], 1, 1e-9);
  for (int K = 0; K < 3; ++K) EXPECT_NEAR(C.Coefficients[K], 0, 1e-9);
  EXPECT_NEAR(C.PointAt(199)->Y, 27, 1e-9);
  EXPECT_TRUE(F.Owner.Shown.isEmpty());
}

TEST(FitSeries, RefusedFitsSayWhyAndDrawNothing) {
  TFitFixture F;
  TFitSeries Empty(*F.Source({}), 2, 200);
  EXPECT_EQ(Empty.Name, QStringLiteral("dataFit2"));
  EXPECT_EQ(Empty.Count(), 0);
  EXPECT_TRUE(Empty.Failed());
  // Degree at or above the point count.
  TFitSeries High(*F.Source({{0, 0}, {1, 1}}), 2, 200);
  EXPECT_TRUE(High.Failed());
  EXPECT_EQ(High.Count(), 0);
  // All X equal: the second pivot is exactly zero.
  TFitSeries Flat(*F.Source({{1, 0}, {1, 1}, {1, 2}}), 1, 200);
  EXPECT_TRUE(Flat.Failed());
  // Powers that overflow give no coefficients.
  TFitSeries Huge(*F.Source({{1e200, 0}, {2e200, 1}, {3e200, 2}}), 2, 200);
  EXPECT_TRUE(Huge.Failed());
  EXPECT_EQ(Huge.Count(), 0);
  TFitSeries Bad(*F.Source({{0, 0}, {1, 1}}), 41, 200);
  EXPECT_TRUE(Bad.Failed());
  TFitSeries Few(*F.Source({{0, 0}, {1, 1}}), 1, 1);
  EXPECT_TRUE(Few.Failed());
  EXPECT_EQ(F.Owner.Shown.size(), 6);

  // An ill-conditioned but solvable system still gives finite samples.
  TSeries* S = F.Source({});
  for (int I = 0; I <= 30; ++I) S->AddPoint(0, {}, 1000 + I, std::sin(I));
  TFitSeries Ill(*S, 12, 200);
  for (int I = 0; I < Ill.Count(); ++I) EXPECT_TRUE(std::isfinite(Ill.PointAt(I)->Y));
}

TEST(FitSeries, SurvivesTheGraphFile) {
  TFitFixture F;
  TSeries* S = F.Source({{0, 1}, {1, 3}, {2, 5}});
  auto Fit = std::make_unique<TFitSeries>(*S, 1, 200);
  Fit->SetHasLegend(true);
  F.Graph.AddLayer(std::move(Fit));
  QByteArray A = F.Graph.SaveToText();
  TFitFixture G;
  QString Err;
  ASSERT_TRUE(G.Graph.LoadFromText(A, &Err)) << Err.toStdString();
  ASSERT_EQ(G.Graph.LayerCount(), 2);
  auto* L = dynamic_cast<TSeries*>(G.Graph.GetLayer(1));
  ASSERT_NE(L, nullptr);
  EXPECT_EQ(L->Count(), 200);
  EXPECT_EQ(L->Name, QStringLiteral("dataFit1"));
  EXPECT_EQ(G.Graph.SaveToText(), A);
}
