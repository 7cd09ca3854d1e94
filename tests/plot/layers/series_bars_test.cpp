// Bars: clustered slots, stacks and percentage stacks, bars behind one another, their 3D faces.
#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "plot/core/graph_utils.h"
#include "plot/layers/series.h"

namespace {
struct TBarFixture {
  TRecordingTarget Target{400, 300};
  TCanvas Canvas{&Target};
  TGraph Graph{&Canvas, 400, 300};
  TBarFixture(double X0, double X1, double Y0, double Y1) {
    Graph.PlotRect = {0, 0, 400, 300};
    Graph.XMin = X0, Graph.XMax = X1, Graph.YMin = Y0, Graph.YMax = Y1;
    Graph.ComputeMapping(Graph.PlotRect);
  }
  TSeries* Add(int Kind, std::vector<TDoublePoint> Pts, TColor C = 0x406080) {
    auto S = std::make_unique<TSeries>(&Graph, C, Kind, QStringLiteral("b"));
    for (auto& P : Pts) S->AddPoint(0, {}, P.X, P.Y);
    return static_cast<TSeries*>(Graph.AddLayer(std::move(S)));
  }
  std::vector<TCanvasOp> Ops(TCanvasOpKind K) const {
    std::vector<TCanvasOp> R;
    for (const auto& Op : Target.Ops())
      if (Op.Kind == K) R.push_back(Op);
    return R;
  }
};
}  // namespace

TEST(SeriesBars, ClusteredSlotsAndShortSeries) {
  TBarFixture F(0, 6, 0, 10);
  std::vector<TSeries*> S;
  for (int K = 0; K < 3; ++K) S.push_back(F.Add(8, {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}}));
  TSeries* Short = F.Add(8, {{1, 1}, {2, 2}});
  Short->SetVisible(false);
  F.Graph.BarStyle = bsClustered;
  F.Graph.DrawBarGroup();
  const double Edges[4] = {2.65, 2.65 + 0.7 / 3, 2.65 + 1.4 / 3, 3.35};
  for (int K = 0; K < 3; ++K) {
    const TDoubleRect& R = S[K]->PointAt(2)->BarRect;
    EXPECT_NEAR(R.Left, Edges[K], 1e-12);
    EXPECT_NEAR(R.Right, Edges[K + 1], 1e-12);
    EXPECT_EQ(R.Top, 0);
    EXPECT_EQ(R.Bottom, 3);
  }
  EXPECT_EQ(F.Ops(coRectangle).size() + F.Ops(coFillRect).size() > 0, true);

  // A short series repeats its last bar at the later positions, at the same place.
  TBarFixture G(0, 6, 0, 10);
  TSeries* Long = G.Add(8, {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}});
  TSeries* Two = G.Add(8, {{1, 1}, {2, 2}});
  (void)Long;
  Two->DrawClusteredBar(4, 1, G.Graph.GetBarSeriesExtent(), 2, 6);
  const TDoubleRect A = Two->PointAt(1)->BarRect;
  Two->DrawClusteredBar(1, 1, G.Graph.GetBarSeriesExtent(), 2, 6);
  EXPECT_EQ(Two->PointAt(1)->BarRect, A);

  // One bar alone: 70 % of the plot's X range, centred on the point.
  TBarFixture H(0, 10, 0, 10);
  TSeries* One = H.Add(8, {{5, 3}});
  H.Add(2, {{0, 0}, {10, 1}});  // with only one layer the extent itself widens to 4.5 .. 5.5
  H.Graph.DrawBarGroup();
  EXPECT_NEAR(One->PointAt(0)->BarRect.Left, 1.5, 1e-12);
  EXPECT_NEAR(One->PointAt(0)->BarRect.Right, 8.5, 1e-12);
}

TEST(SeriesBars, StacksAndPercentStacks) {
  TBarFixture F(0, 2, -1, 10);
  TSeries* A = F.Add(8, {{1, 2}});
  TSeries* B = F.Add(8, {{1, 3}});
  TSeries* C = F.Add(8, {{1, 4}});
  F.Graph.BarStyle = bsStacked;
  auto Span = [](TDoubleRect R) { return std::pair{R.Top, R.Bottom}; };
  EXPECT_EQ(Span(A->StackedBarRect(0, 0)), (std::pair{-1.0, 2.0}));
  EXPECT_EQ(Span(B->StackedBarRect(0, 1)), (std::pair{2.0, 5.0}));
  EXPECT_EQ(Span(C->StackedBarRect(0, 2)), (std::pair{5.0, 9.0}));
  F.Graph.DrawBarGroup();
  EXPECT_EQ(F.Ops(coRectangle).size(), 3u);

  F.Graph.YMin = 0, F.Graph.YMax = 110;
  F.Graph.ComputeMapping(F.Graph.PlotRect);
  F.Graph.BarStyle = bs100Stacked;
  auto R = A->StackedBarRect(0, 0);
  EXPECT_NEAR(R.Top, 0, 1e-12);
  EXPECT_NEAR(R.Bottom, 200.0 / 9, 1e-12);
  R = B->StackedBarRect(0, 1);
  EXPECT_NEAR(R.Top, 200.0 / 9, 1e-12);
  EXPECT_NEAR(R.Bottom, 500.0 / 9, 1e-12);
  R = C->StackedBarRect(0, 2);
  EXPECT_NEAR(R.Bottom, 100, 1e-12);

  // A stack that sums to zero shows nothing and divides by nothing.
  TBarFixture Z(0, 2, 0, 10);
  Z.Graph.BarStyle = bs100Stacked;
  TSeries* P = Z.Add(8, {{1, 2}});
  Z.Add(8, {{1, -2}});
  EXPECT_EQ(P->StackedBarRect(0, 0).Bottom, 0);
}

TEST(SeriesBars, DepthFacesAndZOrderedBars) {
  const TColor C = 0x406080;
  // A value above the top edge is cut there and its top face is lighter.
  TBarFixture F(0, 2, 0, 10);
  F.Graph.Depth3D = 20;
  TSeries* S = F.Add(8, {{1, 15}}, C);
  F.Graph.DrawBarGroup();
  EXPECT_EQ(S->PointAt(0)->BarRect.Bottom, 10);
  auto Faces = F.Ops(coPolygon);
  ASSERT_GE(Faces.size(), 2u);
  EXPECT_EQ(Faces[0].State.Brush.Color, LightenColor(C, 64));
  EXPECT_EQ(Faces[1].State.Brush.Color, DarkenColor(C, 64));

  // Below zero: the clustered face is much darker, the z-ordered one much lighter.
  TBarFixture N(0, 2, -10, 10);
  N.Graph.Depth3D = 20;
  TSeries* Neg = N.Add(8, {{1, -5}}, C);
  N.Graph.DrawBarGroup();
  EXPECT_EQ(Neg->PointAt(0)->BarRect.Top, -5);
  EXPECT_EQ(Neg->PointAt(0)->BarRect.Bottom, 0);
  ASSERT_FALSE(N.Ops(coPolygon).empty());
  EXPECT_EQ(N.Ops(coPolygon)[0].State.Brush.Color, DarkenColor(C, 128));

  TBarFixture Z(0, 2, -10, 10);
  Z.Graph.Depth3D = 20;
  TSeries* K = Z.Add(10, {{1, -5}}, C);
  Z.Graph.CurrentLayer = K;
  K->Draw();
  ASSERT_FALSE(Z.Ops(coPolygon).empty());
  EXPECT_EQ(Z.Ops(coPolygon)[0].State.Brush.Color, LightenColor(C, 128));
  auto Front = Z.Ops(coRectangle);
  ASSERT_EQ(Front.size(), 1u);
  EXPECT_EQ(Front[0].State.Brush.Color, C);

  // A z-ordered bar wholly right of the plot is not drawn.
  TBarFixture R(0, 2, 0, 10);
  TSeries* Out = R.Add(10, {{1, 5}, {30, 5}});
  R.Graph.CurrentLayer = Out;
  Out->Draw();
  EXPECT_EQ(R.Ops(coRectangle).size(), 1u);
}

TEST(SeriesBars, ZOrderedOutlineForTheHitTest) {
  TBarFixture F(0, 10, 0, 10);
  TSeries* S = F.Add(10, {{5, 5}, {30, 5}});
  F.Add(2, {{0, 0}, {1, 1}});
  // Two points 25 apart: w = 10 * 0.7 / 1 = 7 wide, from 1.5 to 8.5, up to 5, flat.
  std::unique_ptr<TPoly> P = S->BarPolygon(0);
  ASSERT_NE(P, nullptr);
  ASSERT_EQ(P->Points().size(), 7u);
  EXPECT_EQ(P->Points()[0], (TDoublePoint{60, 150}));
  EXPECT_EQ(P->Points()[3], (TDoublePoint{340, 300}));
  EXPECT_EQ(P->Points()[6], P->Points()[0]);
  EXPECT_EQ(S->BarPolygon(1), nullptr);  // right of the plot
  EXPECT_EQ(S->BarPolygon(2), nullptr);
  EXPECT_EQ(S->BarPolygon(-1), nullptr);
  EXPECT_EQ(S->FMarkerSize, 150);  // half of 7 world units is 140 pixels, and 10 more
}

namespace {
// A series that counts how often its whole data is walked for an extent.
class TCountingSeries : public TSeries {
 public:
  using TSeries::TSeries;
  int Walks = 0;
  void GetExtent(double& XMin, double& XMax, double& YMin, double& YMax) override {
    ++Walks;
    TSeries::GetExtent(XMin, XMax, YMin, YMax);
  }
};
}  // namespace

TEST(SeriesBars, ZOrderedBarsShareOneExtentPerPaintAndKeepAFileSize) {
  TBarFixture F(0, 400, 0, 10);
  auto Owned = std::make_unique<TCountingSeries>(&F.Graph, 0x406080, 10, QStringLiteral("z"));
  for (int I = 0; I < 400; ++I) Owned->AddPoint(0, {}, I, 1 + I % 7);
  TCountingSeries* S = static_cast<TCountingSeries*>(F.Graph.AddLayer(std::move(Owned)));
  S->Walks = 0;
  S->Draw();
  EXPECT_LE(S->Walks, 2);  // not once per bar
  EXPECT_GE(F.Ops(coPolygon).size() + F.Ops(coRectangle).size() + F.Ops(coFillRect).size(), 400u);

  // The marker size bars set, and one set by hand, stay within what the file holds, so that the
  // file reads back as it was written.
  S->SetMarkerSize(0x7FFFFFFF);
  EXPECT_EQ(S->FMarkerSize, MaxMarkerSize);
  EXPECT_EQ(S->PointAt(0)->Marker->Size, MaxMarkerSize);
  F.Graph.XMin = 0, F.Graph.XMax = 1e-300;  // bars millions of pixels wide
  F.Graph.ComputeMapping(F.Graph.PlotRect);
  S->Draw();
  EXPECT_LE(S->FMarkerSize, MaxMarkerSize);
  RegisterSeriesLayerClasses();
  const QByteArray First = F.Graph.SaveToText();
  TBarFixture G(0, 400, 0, 10);
  QString Error;
  ASSERT_TRUE(G.Graph.LoadFromText(First, &Error)) << Error.toStdString();
  EXPECT_EQ(G.Graph.SaveToText(), First);
}
