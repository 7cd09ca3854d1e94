// Thin lines written straight into an image's memory must give exactly the pixels the painter
// gives: the same scenes are drawn both ways and compared pixel for pixel.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include "gfx_test_support.h"
#include "platform/canvas_targets.h"

namespace {

constexpr int W = 64, H = 48;

// The scene drawn on a fresh white image of Format, directly or through the painter.
QImage Draw(bool Direct, const std::function<void(TCanvas&)>& Scene,
            QImage::Format Format = QImage::Format_RGB32) {
  EnsureGuiApp();
  QImage Image(W, H, Format);
  Image.fill(Qt::white);
  TImageTarget Target(&Image);
  Target.SetDirectPixels(Direct);
  {
    TCanvas C(&Target);
    Scene(C);
  }
  Target.Release();
  return Image;
}

int Differences(const QImage& A, const QImage& B) {
  int N = 0;
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X)
      if (A.pixel(X, Y) != B.pixel(X, Y)) ++N;
  return N;
}

int Ink(const QImage& A) {
  int N = 0;
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X)
      if (A.pixel(X, Y) != 0xFFFFFFFF) ++N;
  return N;
}

// Small polygons of one to a dozen pixels across, every orientation and both windings, some
// reaching past the image's edges, filled with changing brushes and outlined in changing pens.
void SmallPolygons(TCanvas& C, unsigned Seed) {
  std::mt19937 Random(Seed);
  auto Uniform = [&Random](int Lo, int Hi) {
    return std::uniform_int_distribution<int>(Lo, Hi)(Random);
  };
  const TPenStyle Styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot, psInsideFrame};
  const TBrushStyle Brushes[] = {bsSolid, bsSolid, bsClear, bsCross, bsFDiagonal};
  for (int I = 0; I < 400; ++I) {
    const int Size = 1 + I % 12;
    const int X = Uniform(-6, W + 4), Y = Uniform(-6, H + 4);
    const int Corners = 3 + I % 3;
    std::vector<TPoint> P;
    for (int K = 0; K < Corners; ++K)
      P.push_back({X + Uniform(-Size, Size), Y + Uniform(-Size, Size)});
    if (I % 7 == 0) P.push_back(P.front());  // closed by hand as well
    C.Pen()->SetColor(TColor(Random() & 0xFFFFFF));
    C.Pen()->SetStyle(Styles[I % 6]);
    C.Pen()->SetWidth(I % 11 == 0 ? 0 : 1);
    C.Brush()->SetColor(TColor(Random() & 0xFFFFFF));
    C.Brush()->SetStyle(Brushes[I % 5]);
    C.SetPolyFillMode(I % 2 ? pfWinding : pfAlternate);
    C.Polygon(P);
  }
}

}  // namespace

TEST(CanvasDirectPixels, SmallPolygonOutlinesMatchThePainterInEveryClip) {
  const std::function<void(TCanvas&)> Clips[] = {
      [](TCanvas&) {},
      [](TCanvas& C) { C.SetClipRect(Rect(7, 5, 41, 33)); },
      [](TCanvas& C) { C.SetClipRect(Rect(10, 10, 10, 30)); },  // empty: nothing drawn
      [](TCanvas& C) {
        // Two rectangles: the painter sets these pixels itself.
        const QRegion Two = QRegion(0, 0, 20, 20) + QRegion(30, 25, 30, 20);
        C.SelectClipRgn(&Two);
      },
  };
  for (unsigned Seed = 1; Seed <= 3; ++Seed) {
    for (size_t K = 0; K < std::size(Clips); ++K) {
      auto Scene = [&](TCanvas& C) {
        Clips[K](C);
        SmallPolygons(C, Seed);
      };
      const QImage Painter = Draw(false, Scene), Direct = Draw(true, Scene);
      EXPECT_EQ(Differences(Painter, Direct), 0) << "seed " << Seed << ", clip " << K;
      if (K == 2) {
        EXPECT_EQ(Ink(Direct), 0);
      } else {
        EXPECT_GT(Ink(Direct), 100) << "seed " << Seed << ", clip " << K;
      }
      const QImage Argb = Draw(true, Scene, QImage::Format_ARGB32_Premultiplied);
      EXPECT_EQ(Differences(Painter, Argb), 0) << "seed " << Seed << ", clip " << K;
    }
  }
}

TEST(CanvasDirectPixels, LinesFramesAndModesMatchThePainter) {
  auto Scene = [](TCanvas& C) {
    const TPenStyle Styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
    for (int I = 0; I < 60; ++I) {
      C.Pen()->SetStyle(Styles[I % 5]);
      C.Pen()->SetColor(TColor(0x102030 * (I + 1) & 0xFFFFFF));
      // Copy mode goes straight into the image, the others through the painter, interleaved.
      C.Pen()->SetMode(I % 4 == 3 ? pmNotXor : pmCopy);
      C.MoveTo(I % W, 0);
      C.LineTo(W - 1 - I % W, H - 1);
      const TPoint Zig[] = {{-3, I % H}, {20, (I * 7) % H}, {40, H + 2}, {W + 3, I % 9}};
      C.Polyline(Zig);
      C.Brush()->SetStyle(I % 2 ? bsClear : bsSolid);
      C.Rectangle(I % 50, I % 40, I % 50 + 2 + I % 9, I % 40 + 2 + I % 7);
    }
    // A pen without a colour draws nothing either way.
    C.Pen()->SetMode(pmCopy);
    C.Pen()->SetColor(clNone);
    C.MoveTo(0, 5);
    C.LineTo(W, 5);
  };
  const QImage Painter = Draw(false, Scene), Direct = Draw(true, Scene);
  EXPECT_EQ(Differences(Painter, Direct), 0);
  EXPECT_GT(Ink(Direct), 500);
}

TEST(CanvasDirectPixels, ClipIsHonouredBetweenPrimitives) {
  EnsureGuiApp();
  QImage Image(W, H, QImage::Format_RGB32);
  Image.fill(Qt::white);
  TImageTarget Target(&Image);
  TCanvas C(&Target);
  // A clipped text leaves the painter's clip at its box; the next unclipped primitive must not
  // inherit it.
  C.Brush()->SetColor(clYellow);
  C.TextRect(Rect(2, 2, 8, 8), 2, 2, QStringLiteral("W"));
  C.Pen()->SetColor(clRed);
  C.MoveTo(0, 30);
  C.LineTo(W, 30);
  C.Brush()->SetColor(clBlue);
  const TPoint Box[] = {{40, 0}, {60, 0}, {60, 20}, {40, 20}};
  C.Polygon(Box);
  // A copy taken while painting is a snapshot: later lines land in the image only.
  const QImage Snapshot = Image;
  C.MoveTo(0, 40);
  C.LineTo(W, 40);
  Target.Release();
  EXPECT_EQ(Image.pixel(W - 1, 30), 0xFFFF0000u);
  EXPECT_EQ(Image.pixel(0, 30), 0xFFFF0000u);
  EXPECT_EQ(Image.pixel(50, 10), 0xFF0000FFu);
  EXPECT_EQ(Image.pixel(40, 0), 0xFFFF0000u);  // the outline
  EXPECT_EQ(Image.pixel(W - 1, 40), 0xFFFF0000u);
  EXPECT_EQ(Snapshot.pixel(W - 1, 40), 0xFFFFFFFFu);
  EXPECT_EQ(Snapshot.pixel(W - 1, 30), 0xFFFF0000u);
}
