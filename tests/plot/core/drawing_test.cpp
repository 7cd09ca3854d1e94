// The graph's world drawing primitives: mapping, clipping, depth slots and DXF output.
#include <gtest/gtest.h>

#include <QBuffer>
#include <cmath>
#include <limits>

#include "platform/number_text.h"
#include "plot/core/graph_dxf.h"
#include "plot/core/graph_utils.h"
#include "test_graph.h"

namespace {
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TEST(GraphMapping, SaturatesAndRoutes) {
  TRecordingGraph G;
  EXPECT_EQ(G.Graph.XToPixel(5), 100);
  EXPECT_EQ(G.Graph.YToPixel(5), 50);
  EXPECT_EQ(G.Graph.XToPixel(1e300), 2147483647);
  EXPECT_EQ(G.Graph.XToPixel(-1e300), -2147483647);
  EXPECT_EQ(G.Graph.XToPixel(Inf), 2147483647);
  EXPECT_EQ(G.Graph.XToPixel(NaN), 0);
  EXPECT_EQ(SaturatePixel(2.5), 2);  // halves to even
  EXPECT_EQ(SaturatePixel(3.5), 4);
  // The same rule as the platform's rounding on both sides of zero and near the limits.
  for (long double V : {-3.5L, -2.5L, -0.5L, 0.5L, -2.4999L, 7.5001L, -7.5001L, 2147483646.5L,
                        -2147483646.5L, 2147483646.7L})
    EXPECT_EQ(SaturatePixel(V), static_cast<int>(Round(V))) << static_cast<double>(V);
  EXPECT_EQ(AddPixels(2147483647, 12), 2147483647);
  EXPECT_EQ(AddPixels(-2147483647, -12), -2147483647);
  // Logarithmic axes: values at or below the minimum are taken as the minimum.
  G.Graph.Log[gaXAxis] = true;
  EXPECT_DOUBLE_EQ(G.Graph.LogValue(0), -10);
  EXPECT_DOUBLE_EQ(G.Graph.LogValue(-5), -10);
  EXPECT_EQ(G.Graph.XToPixel(100), 40);  // log10(100) = 2
  // The secondary axis takes over while a layer on it draws.
  G.Graph.ScaleX2 = 2;
  G.Graph.OffsetX2 = 7;
  G.Graph.UseX2 = true;
  EXPECT_EQ(G.Graph.XToPixel(3), 13);
  EXPECT_DOUBLE_EQ(G.Graph.PixelToX(13), 3);
  EXPECT_DOUBLE_EQ(G.Graph.PixelsToWorld(4), 2);
}

TEST(GraphMapping, RangesAndSegments) {
  TRecordingGraph G;
  G.Graph.Inverted[gaYAxis] = true;
  TDoubleRect R;
  G.Graph.GetLogRanges(R);
  EXPECT_EQ(R, (TDoubleRect{0, 10, 10, 0}));
  G.Graph.Log[gaXAxis] = true;
  G.Graph.XMin = -1;
  G.Graph.XMax = 2;
  G.Graph.GetRanges(R);
  EXPECT_DOUBLE_EQ(R.Left, 0.1);
  EXPECT_DOUBLE_EQ(R.Right, 100);
  TDoublePoint P;
  EXPECT_TRUE(SegmentIntersection({0, 0, 2, 2}, {0, 2, 2, 0}, P));
  EXPECT_EQ(P, (TDoublePoint{1, 1}));
  EXPECT_TRUE(SegmentIntersection({0, 0, 2, 2}, {2, 2, 3, 0}, P));   // touching at an end
  EXPECT_FALSE(SegmentIntersection({0, 0, 2, 2}, {1, 1, 3, 3}, P));  // collinear, overlapping
  EXPECT_FALSE(SegmentIntersection({0, 0, 2, 0}, {0, 1, 2, 1}, P));
}

TEST(GraphLine, ClipsToTheRange) {
  TRecordingGraph G;
  G.Graph.Line(1, 1, 2, 2);
  G.Graph.Line(-5, -5, -1, -1);  // wholly outside
  G.Graph.Line(-1, 5, 11, 5);    // through, cut at both edges
  G.Graph.Line(5, 5, 15, 5);     // cut at the right edge
  auto Lines = OfKind(G.Ops(), coLine);
  ASSERT_EQ(Lines.size(), 3u);
  EXPECT_EQ(Lines[0].Points, (std::vector<TPoint>{{20, 90}, {40, 80}}));
  EXPECT_EQ(Lines[1].Points, (std::vector<TPoint>{{0, 50}, {200, 50}}));
  EXPECT_EQ(Lines[2].Points, (std::vector<TPoint>{{100, 50}, {200, 50}}));
}

TEST(GraphLine, OnePixelCornerAndNonFinite) {
  TRecordingGraph G;
  G.Canvas.Pen()->SetColor(clRed);
  G.Graph.Line(1, 1, 1.01, 1.01);  // both ends on one pixel
  // Touches the range only at its corner (0, 0): that single pixel, never a line to nowhere.
  G.Graph.Line(-1, 1, 1, -1);
  G.Graph.Line(NaN, 1, 2, 2);
  G.Graph.Line(1, 1, Inf, 2);
  auto Pixels = OfKind(G.Ops(), coPixel);
  ASSERT_EQ(G.Ops().size(), 2u);
  ASSERT_EQ(Pixels.size(), 2u);
  EXPECT_EQ(Pixels[0].Points[0], (TPoint{20, 90}));
  EXPECT_EQ(Pixels[0].Color, clRed);
  EXPECT_EQ(Pixels[1].Points[0], (TPoint{0, 100}));
}

TEST(GraphLine, InvertedAndLogarithmicAxes) {
  TRecordingGraph G;
  G.Graph.Inverted[gaXAxis] = G.Graph.Inverted[gaYAxis] = true;
  G.Graph.Line(1, 1, 2, 2);
  G.Graph.Line(-1, 5, 11, 5);
  auto Lines = OfKind(G.Ops(), coLine);
  ASSERT_EQ(Lines.size(), 2u);
  EXPECT_EQ(Lines[0].Points, (std::vector<TPoint>{{20, 90}, {40, 80}}));
  EXPECT_EQ(Lines[1].Points[0].Y, 50);
  // On a log axis a line from 0 starts at the minimum value, then is cut at the range.
  TRecordingGraph L;
  L.Graph.Log[gaXAxis] = true;
  L.Graph.XMin = -2;
  L.Graph.XMax = 2;
  L.Graph.Map();
  L.Graph.Line(0, 5, 10, 5);
  auto LL = OfKind(L.Ops(), coLine);
  ASSERT_EQ(LL.size(), 1u);
  EXPECT_EQ(LL[0].Points, (std::vector<TPoint>{{0, 50}, {150, 50}}));
}

TEST(GraphRibbon, DepthSlot) {
  TRecordingGraph G;
  G.Graph.Depth3D = 12;
  G.Graph.View3D = 0.2;
  G.Graph.Slot = 1;
  G.Graph.SlotCount = 3;
  EXPECT_EQ(G.Graph.LayerOffset(), 4);
  EXPECT_EQ(G.Graph.SlotDepth(), 4);
  G.Graph.ClippedPolyline(1, 1, 2, 2);
  auto Polys = OfKind(G.Ops(), coPolygon);
  ASSERT_EQ(Polys.size(), 1u);
  EXPECT_EQ(Polys[0].Points, (std::vector<TPoint>{{24, 86}, {28, 82}, {48, 72}, {44, 76}}));
  // No slots at all (no series visible) counts as one slot instead of dividing by zero.
  G.Graph.SlotCount = 0;
  EXPECT_EQ(G.Graph.LayerOffset(), 12);
  EXPECT_EQ(G.Graph.SlotDepth(), 12);
  // Without depth the ribbon is the segment itself.
  TRecordingGraph F;
  F.Graph.ClippedPolyline(1, 1, 2, 2);
  ASSERT_EQ(F.Ops().size(), 1u);
  EXPECT_EQ(F.Ops()[0].Kind, coLine);
}

TEST(GraphRectangle, CutNormalisedAndInverted) {
  TRecordingGraph G;
  G.Graph.Rectangle({1, 1, 3, 3});
  G.Graph.Rectangle({3, 3, 1, 1});       // corners in the other order
  G.Graph.Rectangle({-5, -5, 20, 2});    // cut to the range
  G.Graph.Rectangle({10.04, 1, 12, 2});  // a pixel's width beyond XMax: still drawn, at XMax
  G.Graph.Rectangle({11, 1, 12, 2});     // wholly outside
  G.Graph.Rectangle({NaN, 1, 2, 2});
  auto Rects = OfKind(G.Ops(), coRectangle);
  ASSERT_EQ(Rects.size(), 4u);
  EXPECT_EQ(Rects[0].Rect, (TRect{20, 70, 60, 90}));
  EXPECT_EQ(Rects[1].Rect, (TRect{20, 70, 60, 90}));
  EXPECT_EQ(Rects[2].Rect, (TRect{0, 80, 200, 100}));
  EXPECT_EQ(Rects[3].Rect.Left, 200);
  // Inverted axes: the same rectangle is found and drawn, mirrored.
  TRecordingGraph I;
  I.Graph.Inverted[gaYAxis] = true;
  I.Graph.ScaleY = 10;
  I.Graph.OffsetY = 0;
  I.Graph.Rectangle({1, 1, 3, 3});
  auto IR = OfKind(I.Ops(), coRectangle);
  ASSERT_EQ(IR.size(), 1u);
  EXPECT_EQ(IR[0].Rect, (TRect{20, 10, 60, 30}));
}

TEST(GraphBar, OffsetEdgesGradientAndInverted) {
  TRecordingGraph G;
  G.Graph.Depth3D = 12;
  G.Graph.View3D = 0.2;
  G.Graph.Slot = 1;
  G.Graph.SlotCount = 3;
  G.Graph.Bar({1, 0, 2, 5}, false);
  auto Rects = OfKind(G.Ops(), coRectangle);
  ASSERT_EQ(Rects.size(), 1u);
  // Moved 4 right and 4 up, right and bottom one pixel further out.
  EXPECT_EQ(Rects[0].Rect, (TRect{24, 46, 45, 97}));
  G.Target.Clear();
  G.Canvas.Brush()->SetColor(clBlue);
  G.Graph.Bar({1, 0, 2, 5}, true);
  auto Bands = OfKind(G.Ops(), coFillRect);
  ASSERT_EQ(Bands.size(), 51u);  // one band per pixel of height
  EXPECT_EQ(Bands.front().State.Brush.Color, clBlue);
  EXPECT_EQ(Bands.back().State.Brush.Color, LightenColor(clBlue, 228));
  EXPECT_EQ(G.Canvas.Brush()->Color(), clBlue);  // the brush is left as it was
  // On an inverted Y axis the bar is still drawn, and one beyond the range is not.
  TRecordingGraph I;
  I.Graph.Inverted[gaYAxis] = true;
  I.Graph.Bar({1, 0, 2, 5}, false);
  I.Graph.Bar({1, 20, 2, 30}, false);
  EXPECT_EQ(OfKind(I.Ops(), coRectangle).size(), 1u);
}

TEST(GraphCells, FillCellAndEllipse) {
  TRecordingGraph G;
  G.Graph.FillCell({1, 1, 2, 2});
  G.Graph.FillCell({-1e300, -1e300, 1e300, 1e300});  // far off: held within drawable pixels
  G.Graph.FillCell({NaN, 1, 2, 2});
  G.Graph.Ellipse({1, 1, 3, 3});
  ASSERT_EQ(G.Ops().size(), 3u);
  EXPECT_EQ(G.Ops()[0].Rect, (TRect{20, 80, 40, 90}));
  EXPECT_LT(G.Ops()[1].Rect.Right, 1 << 23);
  EXPECT_EQ(G.Ops()[2].Kind, coEllipse);
  EXPECT_EQ(G.Ops()[2].Rect, (TRect{20, 70, 60, 90}));
}

TEST(GraphPolygon, AnySizeAndFarPoints) {
  TRecordingGraph G;
  TPoly Zig;
  for (int i = 0; i < 10000; ++i) Zig.AddPoint(i / 1000.0, i % 2 ? 9 : 1);
  G.Graph.Polygon(Zig);
  auto Polys = OfKind(G.Ops(), coPolygon);
  ASSERT_EQ(Polys.size(), 1u);
  EXPECT_EQ(Polys[0].Points.size(), 10000u);
  // A point far off the picture, with a depth offset on top: no overflow, and the part that can
  // be seen keeps its shape.
  G.Target.Clear();
  G.Graph.Depth3D = 12;
  G.Graph.View3D = 0.2;
  G.Graph.Slot = 1;
  G.Graph.SlotCount = 1;
  TPoly Far;
  Far.AddPoint(1, 1);
  Far.AddPoint(1e300, 1);
  Far.AddPoint(1, 9);
  Far.AddPoint(NaN, 5);  // left out
  G.Graph.SeriesPolygon(Far);
  Polys = OfKind(G.Ops(), coPolygon);
  ASSERT_EQ(Polys.size(), 1u);
  bool HasCorner = false;
  for (const TPoint& P : Polys[0].Points) {
    EXPECT_LE(std::abs(P.X), 1 << 22);
    EXPECT_LE(std::abs(P.Y), 1 << 22);
    HasCorner = HasCorner || P == TPoint{32, 78};
  }
  EXPECT_TRUE(HasCorner);
}

TEST(GraphClipRegion, SetOnceAndReset) {
  TRecordingGraph G;
  G.Graph.SetClipRegion();
  EXPECT_TRUE(G.Canvas.HasClip());
  EXPECT_EQ(G.Canvas.ClipRect(), (TRect{1, 1, 199, 99}));
  EXPECT_EQ(G.Graph.ClipRect, (TRect{1, 1, 199, 99}));
  G.Graph.PlotRect = {10, 10, 50, 50};
  G.Graph.SetClipRegion();  // a second set while one holds changes nothing
  EXPECT_EQ(G.Canvas.ClipRect(), (TRect{1, 1, 199, 99}));
  G.Graph.ResetClipRegion();
  EXPECT_FALSE(G.Canvas.HasClip());
  G.Graph.PlotRect = {0, 20, 200, 100};
  G.Graph.View3D = 0.2;
  G.Graph.Depth3D = 10;
  G.Graph.SetClipRegion();
  EXPECT_EQ(G.Graph.ClipRect, (TRect{1, 11, 209, 99}));
  G.Graph.ResetClipRegion();
  G.Graph.SetLegendClipRegion();
  EXPECT_EQ(G.Canvas.ClipRect(), (TRect{0, 0, 640, 100}));
  G.Graph.ResetClipRegion();
}

TEST(GraphPixels, LineEndAndRectangleEdgesOnAnImage) {
  TImageGraph G;
  G.Canvas->Pen()->SetColor(clBlack);
  G.Graph->Line(1, 5, 3, 5);  // pixels 20..59 of row 50
  G.Canvas->Brush()->SetColor(clRed);
  G.Graph->Rectangle({5, 1, 6, 2});  // pixels 100..119, 80..89
  const QImage& I = G.Done();
  EXPECT_EQ(FromQColor(I.pixelColor(20, 50)), clBlack);
  EXPECT_EQ(FromQColor(I.pixelColor(59, 50)), clBlack);
  EXPECT_EQ(FromQColor(I.pixelColor(60, 50)), clWhite);
  EXPECT_EQ(FromQColor(I.pixelColor(110, 85)), clRed);
  EXPECT_EQ(FromQColor(I.pixelColor(119, 89)), clBlack);  // the outline
  EXPECT_EQ(FromQColor(I.pixelColor(120, 85)), clWhite);
  EXPECT_EQ(FromQColor(I.pixelColor(110, 90)), clWhite);
}

TEST(GraphDXF, PrimitivesWriteWorldEntities) {
  QByteArray Bytes;
  QBuffer Buffer(&Bytes);
  Buffer.open(QIODevice::WriteOnly);
  TDxfTarget Drawing(&Buffer, 0);
  TCanvas DC(&Drawing);
  TRecordingGraph G;
  {
    TPaintScope Scope(G.Graph, TPaintContext::On(&DC));
    DC.Brush()->SetColor(clRed);
    TPoly Tri;
    Tri.AddPoint(0, 0);
    Tri.AddPoint(1, 0);
    Tri.AddPoint(0, 1);
    G.Graph.Polygon(Tri);
    G.Graph.Line(0, 0, 1e5, 2);  // not clipped: the drawing keeps the whole line
  }
  EXPECT_EQ(G.Graph.Dxf(), nullptr);
  EXPECT_TRUE(G.Ops().empty());
  // World values, and closed by a line back to the first point.
  EXPECT_EQ(QString::fromLatin1(Bytes),
            QStringLiteral("LINE,1\n0.0000,0.0000,1.0000,0.0000\n"
                           "LINE,1\n1.0000,0.0000,0.0000,1.0000\n"
                           "LINE,1\n0.0000,1.0000,0.0000,0.0000\n"
                           "LINE,1\n0.0000,0.0000,100000.0000,2.0000\n"));
}
}  // namespace
