// The fill written straight into an image must set exactly the pixels the painter's aliased fill
// sets for the same corners: each polygon is filled both ways on a fresh image and the two are
// compared pixel for pixel.
#include <gtest/gtest.h>

#include <QPainter>

#include <random>
#include <vector>

#include "gfx_test_support.h"
#include "platform/aliased_fill.h"

namespace {

constexpr QRgb Background = 0xFF204060, Ink = 0xFFE0A010;

struct TCase {
  std::vector<TPoint> P;
  bool Winding = false;
  QRect Clip;  // null: the whole image
};

TCase Case(std::vector<TPoint> P, bool Winding = false, QRect Clip = {}) {
  return {std::move(P), Winding, Clip};
}

QImage ByPainter(const TCase& C, const QImage& Blank) {
  QImage Image = Blank;
  QPainter P(&Image);
  if (!C.Clip.isNull()) P.setClipRegion(QRegion(C.Clip));
  P.setPen(Qt::NoPen);
  P.setBrush(QColor::fromRgba(Ink));
  std::vector<QPoint> Q;
  for (const TPoint& T : C.P) Q.emplace_back(T.X, T.Y);
  P.drawPolygon(Q.data(), int(Q.size()), C.Winding ? Qt::WindingFill : Qt::OddEvenFill);
  return Image;
}

// Fills each case both ways; answers how many the direct fill took, and fails on any pixel that
// differs (or on a refused case that touched the image).
int Compare(const std::vector<TCase>& Cases, QSize Size,
            QImage::Format Format = QImage::Format_RGB32) {
  EnsureGuiApp();
  QImage Blank(Size, Format);
  Blank.fill(Background);
  int Taken = 0, Failed = 0;
  for (size_t I = 0; I < Cases.size(); ++I) {
    const TCase& C = Cases[I];
    QImage Direct = Blank;
    const TAliasedFill Fill(Direct, C.Clip.isNull() ? Direct.rect() : C.Clip);
    if (!Fill.Fill(C.P, Ink, C.Winding)) {
      EXPECT_TRUE(Direct == Blank) << "case " << I << " was refused but drew";
      continue;
    }
    ++Taken;
    if (Direct == ByPainter(C, Blank) || ++Failed > 5) continue;
    std::string Corners;
    for (const TPoint& T : C.P)
      Corners += " (" + std::to_string(T.X) + "," + std::to_string(T.Y) + ")";
    ADD_FAILURE() << "case " << I << (C.Winding ? " winding" : " alternate") << Corners;
  }
  EXPECT_EQ(Failed, 0);
  return Taken;
}

}  // namespace

TEST(AliasedFill, RandomPolygonsMatchThePainterPixelForPixel) {
  std::mt19937 Random(20261209);
  auto Uniform = [&Random](int Lo, int Hi) {
    return std::uniform_int_distribution<int>(Lo, Hi)(Random);
  };
  const int W = 48, H = 40;
  std::vector<TCase> Cases;
  for (int I = 0; I < 24000; ++I) {
    TCase C;
    C.Winding = I % 2;
    const int Corners = 3 + I % 5;
    // Anywhere; a few pixels across (the surface's cells); one row or column thin; and tall
    // shapes reaching far above and below the image.
    const int Kind = (I / 2) % 4;
    const int Size = Kind == 1 ? 1 + I % 4 : W;
    const int X0 = Uniform(0, W - 1), Y0 = Uniform(0, H - 1);
    for (int K = 0; K < Corners; ++K) {
      TPoint T;
      switch (Kind) {
        case 0:
          T = {Uniform(0, W - 1), Uniform(0, H - 1)};
          break;
        case 1:
          T = {std::clamp(X0 + Uniform(-Size, Size), 0, W - 1), Y0 + Uniform(-Size, Size)};
          break;
        case 2:
          T = K % 2 ? TPoint{Uniform(0, W - 1), Y0 + Uniform(0, 1)}
                    : TPoint{X0 + Uniform(0, 1) - (X0 == W - 1), Uniform(0, H - 1)};
          break;
        default:
          T = {Uniform(0, W - 1), Uniform(-3000, 3000)};
          break;
      }
      C.P.push_back(T);
    }
    // Clips that cut rows off, and now and then one that cuts the sides too (mostly refused).
    if (I % 3 == 0) C.Clip = QRect(0, Uniform(0, 20), W, Uniform(1, 30));
    if (I % 17 == 0) C.Clip = QRect(Uniform(0, 20), Uniform(0, 20), Uniform(1, 40), Uniform(1, 30));
    Cases.push_back(std::move(C));
  }
  EXPECT_GT(Compare(Cases, {W, H}), 22000);
}

TEST(AliasedFill, DegenerateShapesAndRefusalsMatchThePainter) {
  const int W = 40, H = 30;
  std::vector<TCase> Cases = {
      Case({{5, 5}, {5, 5}, {5, 5}, {5, 5}}),            // a point
      Case({{3, 4}, {20, 4}, {30, 4}}),                  // flat
      Case({{3, 4}, {3, 20}, {3, 25}, {3, 9}}),          // upright
      Case({{0, 0}, {39, 29}, {20, 14}}),                // a line of collinear corners
      Case({{2, 2}, {30, 20}, {30, 2}, {2, 20}}),        // crossing itself
      Case({{2, 2}, {30, 20}, {30, 2}, {2, 20}}, true),  // the same, winding
      Case({{10, 1}, {12, 28}, {8, 28}, {14, 1}, {3, 15}, {20, 15}}, true),  // a star's worth
      Case({{0, 0}, {39, 0}, {39, 29}, {0, 29}}),                            // the whole image
      Case({{1, 1}, {2, 1}, {2, 2}, {1, 2}}),                                // one pixel
      Case({{1, 1}, {2, 1}, {2, 3}, {1, 3}, {1, 1}}),                        // closed by hand
      Case({{0, -16384}, {39, 16384}, {20, 16384}}),                  // as far as the fill reaches
      Case({{5, 5}, {30, 5}, {17, 25}}, false, QRect(0, 8, 40, 9)),   // rows cut by the clip
      Case({{5, 5}, {30, 5}, {17, 25}}, false, QRect(50, 8, 12, 9)),  // clip off the image
  };
  EXPECT_EQ(Compare(Cases, {W, H}), int(Cases.size()) - 1);
  // Corners beside the clip, far away, too many or too few are the painter's.
  const std::vector<TCase> Refused = {
      Case({{-1, 5}, {20, 5}, {10, 20}}),
      Case({{5, 5}, {40, 5}, {10, 20}}),
      Case({{5, 5}, {30, 5}, {17, 25}}, false, QRect(6, 0, 40, 30)),
      Case({{5, -16385}, {30, 5}, {17, 25}}),
      Case({{5, 5}, {30, 1 << 30}, {17, 25}}),
      Case({{5, 5}, {30, 5}}),
      Case(std::vector<TPoint>(TAliasedFill::MaxPoints + 1, TPoint{3, 3})),
  };
  EXPECT_EQ(Compare(Refused, {W, H}), 0);
  // The 32-bit formats take the same pixels; others are not written at all.
  for (QImage::Format F : {QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied})
    EXPECT_EQ(Compare(Cases, {W, H}, F), int(Cases.size()) - 1);
  QImage Narrow(W, H, QImage::Format_RGB16);
  EXPECT_FALSE(TAliasedFill(Narrow, Narrow.rect()).Usable());
}
