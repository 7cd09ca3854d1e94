// The graph object: layer list, mapping on every axis kind, bar slots, free colours and numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "plot/core/graph_marker.h"
#include "plot/core/graph_utils.h"
#include "test_layers.h"

namespace {

struct TGraphFixture {
  TRecordingTarget Target{400, 300};
  TCanvas Canvas{&Target};
  TGraph Graph{&Canvas, 400, 300};
  TGraphFixture() {
    Graph.PlotRect = {40, 20, 380, 270};
    Graph.ComputeMapping(Graph.PlotRect);
  }
  template <class T = TTestLayer, class... A>
  T* Add(A... Args) {
    return static_cast<T*>(Graph.AddLayer(std::make_unique<T>(&Graph, Args...)));
  }
};

TEST(Graph, MappingRoundTripsOnEveryAxisKind) {
  TGraphFixture F;
  TGraph& G = F.Graph;
  G.XMin = -5, G.XMax = 5, G.YMin = 0, G.YMax = 100;
  G.ComputeMapping(G.PlotRect);
  EXPECT_EQ(G.XToPixel(-5), 40);
  EXPECT_EQ(G.XToPixel(5), 380);
  EXPECT_EQ(G.YToPixel(100), 20);
  EXPECT_EQ(G.YToPixel(0), 270);
  for (int P : {40, 100, 211, 380}) EXPECT_EQ(G.XToPixel(G.PixelToX(P)), P);

  // Logarithmic Y over 1 .. 1000: the range is held in decades.
  G.YAxis->Log = true;
  G.YMin = 0, G.YMax = 3;
  G.ComputeMapping(G.PlotRect);
  EXPECT_EQ(G.YToPixel(1), 270);
  EXPECT_EQ(G.YToPixel(1000), 20);
  EXPECT_NEAR(std::pow(10.0, G.PixelToY(G.YToPixel(10))), 10, 0.2);
  EXPECT_DOUBLE_EQ(G.LogValue(0), -10);
  EXPECT_DOUBLE_EQ(G.LogValue(-5), -10);
  EXPECT_EQ(G.YToPixel(0), G.YToPixel(1e-10));

  // Inverted X: the graph holds the ends exchanged, the larger value maps to the left.
  G.XAxis->Inverted = true;
  G.XMin = 5, G.XMax = -5;
  G.ComputeMapping(G.PlotRect);
  EXPECT_EQ(G.XToPixel(5), 40);
  EXPECT_EQ(G.XToPixel(-5), 380);
  TDoubleRect R;
  G.GetLogRanges(R);
  EXPECT_EQ(R.Left, -5);
  EXPECT_EQ(R.Right, 5);
  G.GetRanges(R);
  EXPECT_DOUBLE_EQ(R.Bottom, 1000);

  // Secondary axes route while a layer on them draws.
  G.X2Min = 0, G.X2Max = 1, G.Y2Min = -1, G.Y2Max = 1;
  G.ComputeMapping(G.PlotRect);
  TTestLayer* L = F.Add();
  L->OnXAxis2 = L->OnYAxis2 = true;
  G.CurrentLayer = L;
  G.UseX2 = G.UseY2 = true;
  EXPECT_EQ(G.XToPixel(1), 380);
  EXPECT_EQ(G.YToPixel(0), 145);
  EXPECT_NEAR(G.PixelToY(G.YToPixel(0.5)), 0.5, 0.01);
  EXPECT_FALSE(G.CurrentXInverted());
  G.UseX2 = G.UseY2 = false;
  G.CurrentLayer = nullptr;
  EXPECT_TRUE(G.CurrentXInverted());

  // Far outside clamps; nothing wraps.
  G.XAxis->Inverted = false;
  G.XMin = 0, G.XMax = 1;
  G.ComputeMapping(G.PlotRect);
  EXPECT_EQ(G.XToPixel(1e300), 2147483647);
  EXPECT_EQ(G.XToPixel(-1e300), -2147483647);
  EXPECT_EQ(G.XToPixel(std::numeric_limits<double>::quiet_NaN()), 0);

  // A range of one value and an empty rectangle still give finite scales.
  G.XMin = G.XMax = 3;
  G.ComputeMapping({50, 50, 50, 50});
  EXPECT_TRUE(std::isfinite(G.ScaleX));
  EXPECT_TRUE(std::isfinite(G.ScaleY));
  EXPECT_EQ(G.XToPixel(3), 50);

  G.XMin = 0, G.XMax = 100, G.YMin = 0, G.YMax = 100;
  G.YAxis->Log = false;
  G.ComputeMapping({0, 0, 100, 100});
  EXPECT_EQ(G.ScreenAngle(90), 90);
  EXPECT_EQ(G.ScreenAngle(45), 45);
  EXPECT_EQ(G.ScreenAngle(-45), -45);
  EXPECT_EQ(G.ScreenAngle(-90), -90);
  EXPECT_EQ(G.ScreenAngle(135), 135);
  // Unequal scales: one Y unit is two pixels for every X pixel of an X unit.
  G.XMin = 0, G.XMax = 200;
  G.ComputeMapping({0, 0, 100, 100});
  EXPECT_EQ(G.ScreenAngle(45), 63);
  // Ranges far beyond the pixel clamp and a log axis change nothing in the direction.
  G.XMin = 1e300, G.XMax = 2e300, G.YMin = 1e300, G.YMax = 2e300;
  G.XAxis->Log = true;
  G.ComputeMapping({0, 0, 100, 100});
  EXPECT_EQ(G.ScreenAngle(45), 45);
  G.XAxis->Log = false;
  // The secondary axes where a layer on them asks.
  G.YMin = 0, G.YMax = 100;
  G.X2Min = 0, G.X2Max = 200, G.Y2Min = 0, G.Y2Max = 100;
  G.ComputeMapping({0, 0, 100, 100});
  G.UseX2 = true;
  EXPECT_EQ(G.ScreenAngle(45), 63);
  G.UseX2 = false;
}

TEST(Graph, MovingALayerKeepsTheOthersInOrder) {
  TGraphFixture F;
  TGraph& G = F.Graph;
  TTestLayer* L[4];
  for (int I = 0; I < 4; ++I) L[I] = F.Add();
  auto Order = [&] {
    std::vector<TLayer*> O;
    for (int I = 0; I < G.LayerCount(); ++I) O.push_back(G.GetLayer(I));
    return O;
  };
  EXPECT_TRUE(G.MoveLayer(0, 3));  // to the end: drawn last
  EXPECT_EQ(Order(), (std::vector<TLayer*>{L[1], L[2], L[3], L[0]}));
  EXPECT_TRUE(G.MoveLayer(3, 0));  // back to the front
  EXPECT_EQ(Order(), (std::vector<TLayer*>{L[0], L[1], L[2], L[3]}));
  EXPECT_TRUE(G.MoveLayer(2, 1));  // a neighbour exchange
  EXPECT_EQ(Order(), (std::vector<TLayer*>{L[0], L[2], L[1], L[3]}));
  // Outside the list nothing moves; a handle still finds its layer.
  const TLayerHandle H = L[3]->Handle();
  for (auto [From, To] : {std::pair{-1, 0}, {0, 4}, {4, 0}, {0, -1}})
    EXPECT_FALSE(G.MoveLayer(From, To));
  EXPECT_EQ(Order(), (std::vector<TLayer*>{L[0], L[2], L[1], L[3]}));
  EXPECT_EQ(H.Get(), L[3]);
}

TEST(Graph, LayerListAndDeletion) {
  TGraphFixture F;
  TGraph& G = F.Graph;
  TTestLayer* A = F.Add();
  A->Name = QStringLiteral("Alpha");
  TTestLayer* B = F.Add();
  EXPECT_EQ(G.LayerCount(), 2);
  EXPECT_EQ(G.FindLayer(QStringLiteral("ALPHA")), A);
  EXPECT_EQ(G.FindLayer(QStringLiteral("beta")), nullptr);
  EXPECT_TRUE(G.IsEmpty());
  B->Points = {{1, 1}};
  EXPECT_FALSE(G.IsEmpty());

  G.Undo.Push(A, TGraphUndo::ukDeleted);
  int Seen = -1;
  G.OnDeleteSeries = [&](TLayer* L) { Seen = G.IndexOfLayer(L); };
  std::unique_ptr<TLayer> Gone = G.DeleteLayer(0);
  EXPECT_EQ(Seen, 0);  // still in the list when the handler ran
  EXPECT_EQ(Gone.get(), A);
  EXPECT_EQ(Gone->Name, QStringLiteral("Alpha"));
  EXPECT_EQ(G.LayerCount(), 1);
  EXPECT_EQ(G.Undo.Count(), 0);

  B->Selected = true;
  G.UnselectLayers();
  EXPECT_FALSE(B->Selected);
  B->SetChanged(true);
  EXPECT_TRUE(G.Changed);
  G.SetChanged(false);
  EXPECT_FALSE(B->Changed);

  G.XAxis->AutoMin = false;
  G.XAxis->Min = 3;
  G.XAxis->AddLabel(QStringLiteral("a"), 1);
  G.YAxis2->AutoMax = false;
  G.Clear();
  EXPECT_EQ(G.LayerCount(), 0);
  EXPECT_TRUE(G.XAxis->AutoMin);
  EXPECT_EQ(G.XAxis->Min, MissingValue);
  EXPECT_TRUE(G.XAxis->Labels.empty());
  EXPECT_FALSE(G.YAxis2->AutoMax);  // the secondary axes are left as they are
}

TEST(Graph, BarSlotsAndCounts) {
  TGraphFixture F;
  TGraph& G = F.Graph;
  EXPECT_EQ(G.BarSeriesCount(), 0);
  G.BarStyle = bsZOrdered;
  EXPECT_EQ(G.BarSeriesCount(), 1);
  G.BarStyle = bsClustered;

  auto* Line = F.Add<TFakeSeries>(0);
  auto* Bar1 = F.Add<TFakeSeries>(8);
  auto* Bar2 = F.Add<TFakeSeries>(8);
  auto* Top = F.Add<TFakeSeries>(0);
  F.Add();  // not a series: no slot
  Bar1->Points.resize(3);
  Bar2->Points.resize(5);
  EXPECT_EQ(G.VisibleBarCount(), 2);
  EXPECT_EQ(G.BarSlotCount(), 3);  // one for all clustered bars and one for each other series
  EXPECT_EQ(G.BarSlot(Top), 0);
  EXPECT_EQ(G.BarSlot(Bar2), 1);
  EXPECT_EQ(G.BarSlot(Bar1), 1);  // clustered bars share the topmost one's slot
  EXPECT_EQ(G.BarSlot(Line), 3);
  EXPECT_EQ(G.BarSeriesIndex(Bar2), 1);
  EXPECT_EQ(G.BarSeriesIndex(Line), 1);
  EXPECT_EQ(G.MaxBarPoints(), 5);
  EXPECT_EQ(G.MaxBarPixelWidth(), 50);
  Bar2->Width = 0.9;
  EXPECT_DOUBLE_EQ(G.MaxBarWidth(), 0.9);

  // Depth slots reach the primitives: the current layer's shift.
  G.View3D = 0.1;
  G.Depth3D = 30;
  G.CurrentLayer = Line;
  EXPECT_EQ(G.LayerOffset(), 30);
  G.CurrentLayer = nullptr;

  F.Add<TFakeSeries>(9);
  EXPECT_EQ(G.BarSlot(Line), G.BarSlotCount());

  G.BarStyle = bsZOrdered;
  G.ApplyBarStyle();
  EXPECT_EQ(Bar1->Kind(), 10);
  G.ClipMarkers = true;
  EXPECT_FALSE(G.GetClipMarkers());
}

TEST(Graph, FreeColorsAndNumbers) {
  TGraphFixture F;
  TGraph& G = F.Graph;
  G.Color = 0x0000FF;
  EXPECT_EQ(G.FreeColor(), 0x0000DFu);  // the first entry is the background: darkened
  G.Color = clWhite;
  EXPECT_EQ(G.FreeColor(), 0x0000FFu);
  F.Add()->Color = 0x0000FF;
  EXPECT_EQ(G.FreeColor(), 0xFF0000u);

  // Take every plain and darkened colour: the third pass gives the first lightened one.
  const TColor Table[16] = {0x0000FF, 0xFF0000, 0x008000, 0x808000, 0x000080, 0x800000,
                            0x800080, 0x008080, 0xC0C0C0, 0x808080, 0x000000, 0xFF00FF,
                            0x00FF00, 0xFFFF00, 0x00FFFF, 0xA8C1CE};
  for (TColor C : Table) {
    F.Add()->Color = C;
    F.Add()->Color = DarkenColor(C, 32);
  }
  EXPECT_EQ(G.FreeColor(), LightenColor(0x0000FF, 32));
  for (TColor C : Table) F.Add()->Color = LightenColor(C, 32);
  EXPECT_EQ(G.FreeColor(), static_cast<TColor>(-1));

  TGraphFixture S;
  EXPECT_EQ(S.Graph.FreeSeriesNumber(), 1);
  for (int N : {1, 2, 4}) S.Add<TFakeSeries>(0, N);
  EXPECT_EQ(S.Graph.FreeSeriesNumber(), 3);
  for (int N = 3; N <= 51; ++N) S.Add<TFakeSeries>(0, N);
  EXPECT_EQ(S.Graph.FreeSeriesNumber(), 1);
}

TEST(Graph, MarkerColourFollowsSeriesWithoutItsOwn) {
  TGraphFixture F;
  auto* S = F.Add<TFakeSeries>(0);
  S->Color = 0x123456;
  TMarker M(&F.Graph, S, 1, 8, 0x00FF00);
  EXPECT_EQ(M.GetColor(), 0x00FF00u);
  S->OwnMarker = false;
  EXPECT_EQ(M.GetColor(), 0x123456u);
}

TEST(Graph, SegmentIntersection) {
  TDoublePoint P;
  EXPECT_TRUE(SegmentIntersection({0, 0, 2, 2}, {0, 2, 2, 0}, P));
  EXPECT_DOUBLE_EQ(P.X, 1);
  EXPECT_FALSE(SegmentIntersection({0, 0, 2, 0}, {1, 0, 3, 0}, P));  // collinear, overlapping
  EXPECT_FALSE(SegmentIntersection({0, 0, 2, 0}, {0, 1, 2, 1}, P));  // parallel
  EXPECT_TRUE(SegmentIntersection({0, 0, 1, 1}, {1, 1, 2, 0}, P));   // touching at an end
}

}  // namespace
