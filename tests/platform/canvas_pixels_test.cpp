// Pixel rules of drawing on images: which pixels shapes and lines cover, dash patterns, raster
// modes, brushes and clipping.
#include <gtest/gtest.h>

#include <vector>

#include "gfx_test_support.h"

namespace {

bool IsBlack(const TBitmap& B, int X, int Y) { return B.Image().pixel(X, Y) == 0xFF000000; }

std::vector<int> BlackRun(const TBitmap& B, int Y, int Width) {
  std::vector<int> Xs;
  for (int X = 0; X < Width; ++X)
    if (IsBlack(B, X, Y)) Xs.push_back(X);
  return Xs;
}

}  // namespace

TEST(CanvasPixels, ShapesLeaveOutRightAndBottomEdges) {
  TBitmap B;
  WhiteBitmap(B, 20, 20);
  TCanvas* C = B.Canvas();

  C->Rectangle(2, 3, 8, 7);
  EXPECT_EQ(InkBox(B.Image()), QRect(QPoint(2, 3), QPoint(7, 6)));
  EXPECT_FALSE(IsBlack(B, 4, 5));  // clear brush: inside untouched

  WhiteBitmap(B, 20, 20);
  C->Ellipse(1, 1, 11, 9);
  EXPECT_EQ(InkBox(B.Image()), QRect(QPoint(1, 1), QPoint(10, 8)));

  WhiteBitmap(B, 20, 20);
  C->RoundRect(1, 1, 15, 11, 6, 6);
  EXPECT_EQ(InkBox(B.Image()), QRect(QPoint(1, 1), QPoint(14, 10)));
  EXPECT_FALSE(IsBlack(B, 1, 1));  // corner rounded away
  EXPECT_TRUE(IsBlack(B, 7, 1));

  WhiteBitmap(B, 20, 20);
  C->Brush()->SetColor(clBlack);
  C->FillRect(Rect(2, 2, 8, 6));
  EXPECT_EQ(InkBox(B.Image()), QRect(QPoint(2, 2), QPoint(7, 5)));

  // Filled with the brush inside a frame in the pen colour.
  WhiteBitmap(B, 20, 20);
  C->Brush()->SetColor(clRed);
  C->Rectangle(2, 2, 8, 8);
  EXPECT_EQ(B.Image().pixel(4, 4), 0xFFFF0000);
  EXPECT_TRUE(IsBlack(B, 2, 4));
  EXPECT_TRUE(IsBlack(B, 7, 7));

  // Without an outline the filled rectangle is one pixel smaller each way.
  WhiteBitmap(B, 20, 20);
  C->Pen()->SetStyle(psClear);
  C->Brush()->SetColor(clBlack);
  C->Rectangle(2, 2, 8, 8);
  EXPECT_EQ(InkBox(B.Image()), QRect(QPoint(2, 2), QPoint(6, 6)));

  WhiteBitmap(B, 20, 20);
  C->Brush()->SetColor(clBlack);
  C->FrameRect(Rect(2, 2, 8, 8));
  EXPECT_EQ(InkBox(B.Image()), QRect(QPoint(2, 2), QPoint(7, 7)));
  EXPECT_FALSE(IsBlack(B, 4, 4));

  // A polygon fills pixels whose centres lie inside: the right and bottom edges stay out.
  WhiteBitmap(B, 20, 20);
  C->Pen()->SetStyle(psClear);
  C->Brush()->SetColor(clBlack);
  const std::vector<TPoint> Square = {{2, 2}, {10, 2}, {10, 10}, {2, 10}};
  C->Polygon(Square);
  EXPECT_EQ(InkBox(B.Image()), QRect(QPoint(2, 2), QPoint(9, 9)));
}

TEST(CanvasPixels, LinesLeaveOutTheirLastPixel) {
  TBitmap B;
  WhiteBitmap(B, 20, 20);
  TCanvas* C = B.Canvas();
  C->MoveTo(1, 1);
  C->LineTo(6, 1);
  EXPECT_EQ(BlackRun(B, 1, 20), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(C->PenPos(), Point(6, 1));

  C->MoveTo(12, 15);
  C->LineTo(12, 10);
  EXPECT_TRUE(IsBlack(B, 12, 15));
  EXPECT_TRUE(IsBlack(B, 12, 11));
  EXPECT_FALSE(IsBlack(B, 12, 10));

  C->MoveTo(2, 5);
  C->LineTo(8, 11);
  EXPECT_TRUE(IsBlack(B, 2, 5));
  EXPECT_TRUE(IsBlack(B, 7, 10));
  EXPECT_FALSE(IsBlack(B, 8, 11));

  // A polyline covers every vertex but the last exactly like the chain of LineTo calls.
  TBitmap A;
  WhiteBitmap(A, 20, 20);
  const std::vector<TPoint> Path = {{1, 1}, {10, 1}, {10, 8}, {3, 12}};
  A.Canvas()->Polyline(Path);
  TBitmap L;
  WhiteBitmap(L, 20, 20);
  L.Canvas()->MoveTo(1, 1);
  for (size_t I = 1; I < Path.size(); ++I) L.Canvas()->LineTo(Path[I].X, Path[I].Y);
  EXPECT_EQ(A.Image(), L.Image());
  EXPECT_FALSE(A.Image().pixel(3, 12) == 0xFF000000);

  // Wide pens are solid with round ends whatever their style, and cover their end point.
  WhiteBitmap(B, 40, 20);
  C->Pen()->SetWidth(3);
  C->Pen()->SetStyle(psDot);
  C->MoveTo(5, 10);
  C->LineTo(30, 10);
  for (int X = 5; X <= 30; ++X) EXPECT_TRUE(IsBlack(B, X, 10)) << X;
  EXPECT_TRUE(IsBlack(B, 17, 9));
  EXPECT_TRUE(IsBlack(B, 17, 11));
}

TEST(CanvasPixels, DashPatterns) {
  TBitmap B;
  struct Case {
    TPenStyle Style;
    std::vector<int> Period;  // on, off, on, off ...
  };
  for (const Case& K : {Case{psDash, {18, 6}}, Case{psDot, {3, 3}}, Case{psDashDot, {9, 6, 3, 6}},
                        Case{psDashDotDot, {9, 3, 3, 3, 3, 3}}}) {
    WhiteBitmap(B, 100, 3);
    B.Canvas()->Pen()->SetStyle(K.Style);
    B.Canvas()->MoveTo(0, 1);
    B.Canvas()->LineTo(100, 1);
    std::vector<bool> Expected;
    while (Expected.size() < 96)
      for (size_t I = 0; I < K.Period.size(); ++I)
        for (int N = 0; N < K.Period[I]; ++N) Expected.push_back(I % 2 == 0);
    for (int X = 0; X < 96; ++X)
      EXPECT_EQ(IsBlack(B, X, 1), Expected[X]) << "style " << K.Style << " x " << X;
  }
}

TEST(CanvasPixels, NotXorDrawnTwiceRestoresThePicture) {
  TBitmap B;
  WhiteBitmap(B, 60, 50);
  TCanvas* C = B.Canvas();
  // A busy picture underneath.
  for (int Y = 0; Y < 50; ++Y)
    for (int X = 0; X < 60; ++X) C->SetPixels(X, Y, RGB(X * 4, Y * 5, (X * Y) & 0xFF));
  const QImage Before = B.Image();

  auto Outlines = [C] {
    C->Pen()->SetMode(pmNotXor);
    C->Brush()->SetStyle(bsClear);
    C->Rectangle(3, 4, 40, 30);
    C->Ellipse(10, 10, 50, 45);
    C->MoveTo(0, 0);
    C->LineTo(59, 33);
    const std::vector<TPoint> Path = {{5, 40}, {20, 5}, {35, 40}, {50, 5}};
    C->Polyline(Path);
    C->Pen()->SetStyle(psDot);
    C->Rectangle(1, 1, 58, 48);
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetMode(pmCopy);
  };
  Outlines();
  EXPECT_NE(B.Image(), Before);
  Outlines();
  EXPECT_EQ(B.Image(), Before);

  // On white a black NOT-XOR pen draws black, each pixel of a frame exactly once.
  WhiteBitmap(B, 20, 20);
  C->Pen()->SetMode(pmNotXor);
  C->Rectangle(2, 2, 12, 12);
  TBitmap Copy;
  WhiteBitmap(Copy, 20, 20);
  Copy.Canvas()->Rectangle(2, 2, 12, 12);
  EXPECT_EQ(B.Image(), Copy.Image());
}

TEST(CanvasPixels, RasterModesCombineWithTheImage) {
  TBitmap B;
  WhiteBitmap(B, 10, 4);
  TCanvas* C = B.Canvas();
  C->Brush()->SetColor(clBlue);
  C->FillRect(Rect(5, 0, 10, 4));
  C->Pen()->SetColor(clRed);
  C->Pen()->SetMode(pmMask);
  C->MoveTo(0, 1);
  C->LineTo(10, 1);
  EXPECT_EQ(B.Image().pixel(2, 1), 0xFFFF0000);  // red AND white
  EXPECT_EQ(B.Image().pixel(7, 1), 0xFF000000);  // red AND blue
  C->Pen()->SetMode(pmNot);
  C->MoveTo(0, 2);
  C->LineTo(10, 2);
  EXPECT_EQ(B.Image().pixel(2, 2), 0xFF000000);
  EXPECT_EQ(B.Image().pixel(7, 2), 0xFFFFFF00);
  C->Pen()->SetMode(pmNop);
  C->MoveTo(0, 3);
  C->LineTo(10, 3);
  EXPECT_EQ(B.Image().pixel(2, 3), 0xFFFFFFFF);
}

TEST(CanvasPixels, HatchAndBitmapBrushes) {
  TBitmap B;
  WhiteBitmap(B, 24, 24);
  TCanvas* C = B.Canvas();
  C->Brush()->SetColor(clBlack);
  C->Brush()->SetStyle(bsCross);
  C->SetBackColor(clYellow);  // opaque back mode from the brush change
  C->FillRect(Rect(0, 0, 24, 24));
  for (int Y = 0; Y < 16; ++Y)
    for (int X = 0; X < 16; ++X) EXPECT_EQ(B.Image().pixel(X, Y), B.Image().pixel(X + 8, Y + 8));
  EXPECT_EQ(B.Image().pixel(0, 3), 0xFF000000);
  EXPECT_EQ(B.Image().pixel(3, 3), 0xFFFFFF00);

  // Transparent back mode: only the hatch lines are painted.
  WhiteBitmap(B, 24, 24);
  C->Brush()->SetColor(clBlack);
  C->Brush()->SetStyle(bsFDiagonal);
  C->SetBackMode(bmTransparent);
  C->FillRect(Rect(0, 0, 24, 24));
  EXPECT_EQ(B.Image().pixel(5, 5), 0xFF000000);
  EXPECT_EQ(B.Image().pixel(5, 6), 0xFFFFFFFF);

  // A picture as brush repeats from the device origin.
  TBitmap Pattern(2, 2);
  Pattern.Canvas()->SetPixels(0, 0, clRed);
  Pattern.Canvas()->SetPixels(1, 1, clBlue);
  WhiteBitmap(B, 24, 24);
  C->Brush()->SetBitmap(&Pattern);
  C->Brush()->SetStyle(bsSolid);
  C->FillRect(Rect(3, 3, 9, 9));
  EXPECT_EQ(B.Image().pixel(4, 4), 0xFFFF0000);
  EXPECT_EQ(B.Image().pixel(5, 5), 0xFF0000FF);
  EXPECT_EQ(B.Image().pixel(4, 5), 0xFFFFFFFF);
  EXPECT_EQ(B.Image().pixel(2, 2), 0xFFFFFFFF);
}

TEST(CanvasPixels, ClipRectanglesAndRegions) {
  TBitmap B;
  WhiteBitmap(B, 20, 20);
  TCanvas* C = B.Canvas();
  C->Brush()->SetColor(clBlack);
  C->SetClipRect(Rect(2, 2, 12, 12));
  C->IntersectClipRect(Rect(5, 0, 20, 8));
  EXPECT_EQ(C->ClipRect(), Rect(5, 2, 12, 8));
  C->FillRect(Rect(0, 0, 20, 20));
  EXPECT_EQ(InkBox(B.Image()), QRect(QPoint(5, 2), QPoint(11, 7)));

  WhiteBitmap(B, 20, 20);
  C->ResetClip();
  EXPECT_EQ(C->ClipRect(), Rect(0, 0, 20, 20));
  const QRegion Two = QRegion(0, 0, 3, 3) + QRegion(10, 10, 2, 2);
  C->SelectClipRgn(&Two);
  C->Brush()->SetColor(clBlack);
  C->FillRect(Rect(0, 0, 20, 20));
  EXPECT_TRUE(IsBlack(B, 2, 2));
  EXPECT_TRUE(IsBlack(B, 11, 11));
  EXPECT_FALSE(IsBlack(B, 5, 5));
  EXPECT_FALSE(IsBlack(B, 12, 12));
  C->ResetClip();
}

TEST(CanvasPixels, ArcsPiesAndChords) {
  TBitmap B;
  WhiteBitmap(B, 40, 40);
  TCanvas* C = B.Canvas();
  // A counter-clockwise quarter from 3 o'clock to 12 o'clock stays in the upper right.
  C->Arc(0, 0, 41, 41, 40, 20, 20, 0);
  const QRect Ink = InkBox(B.Image());
  EXPECT_GE(Ink.left(), 19);
  EXPECT_LE(Ink.bottom(), 21);

  WhiteBitmap(B, 40, 40);
  C->Brush()->SetColor(clBlack);
  C->Pie(0, 0, 41, 41, 0, 20, 40, 20);  // lower half, from 9 o'clock round to 3 o'clock
  EXPECT_TRUE(IsBlack(B, 20, 30));
  EXPECT_FALSE(IsBlack(B, 20, 10));

  WhiteBitmap(B, 40, 40);
  C->Brush()->SetColor(clBlack);
  C->Chord(0, 0, 41, 41, 40, 20, 0, 20);  // upper half closed by the diameter
  EXPECT_TRUE(IsBlack(B, 20, 10));
  EXPECT_FALSE(IsBlack(B, 20, 30));
}

TEST(CanvasPixels, PixelsAndDrawing) {
  TBitmap B;
  WhiteBitmap(B, 10, 10);
  TCanvas* C = B.Canvas();
  C->SetPixels(3, 4, clRed);
  EXPECT_EQ(C->Pixels(3, 4), clRed);
  EXPECT_EQ(C->Pixels(4, 4), clWhite);
  EXPECT_EQ(C->Pixels(-1, 4), clNone);

  TBitmap Small(2, 2);
  Small.Canvas()->Brush()->SetColor(clBlue);
  Small.Canvas()->FillRect(Rect(0, 0, 2, 2));
  C->Draw(5, 5, &Small);
  EXPECT_EQ(C->Pixels(6, 6), clBlue);
  EXPECT_EQ(C->Pixels(7, 7), clWhite);
  C->StretchDraw(Rect(0, 0, 4, 2), &Small);
  EXPECT_EQ(C->Pixels(3, 1), clBlue);
  EXPECT_EQ(C->Pixels(4, 1), clWhite);
}

TEST(CanvasPixels, CopyRectStretchesPixelsFromAnotherCanvas) {
  TBitmap Src;
  WhiteBitmap(Src, 4, 4);
  Src.Canvas()->SetPixels(1, 1, clRed);
  TBitmap B;
  WhiteBitmap(B, 10, 10);
  B.Canvas()->CopyRect(Rect(2, 2, 6, 6), Src.Canvas(), Rect(0, 0, 2, 2));
  EXPECT_EQ(B.Canvas()->Pixels(4, 4), clRed);
  EXPECT_EQ(B.Canvas()->Pixels(5, 5), clRed);
  EXPECT_EQ(B.Canvas()->Pixels(3, 3), clWhite);
  EXPECT_EQ(B.Canvas()->Pixels(6, 6), clWhite);
}

TEST(CanvasPixels, WidePenDotAtALineWithoutLength) {
  TBitmap B;
  WhiteBitmap(B, 20, 20);
  TCanvas* C = B.Canvas();
  C->Pen()->SetWidth(5);
  C->MoveTo(10, 10);
  C->LineTo(10, 10);
  const QRect Ink = InkBox(B.Image());
  EXPECT_TRUE(Ink.contains(10, 10));
  EXPECT_GE(Ink.width(), 4);
  EXPECT_LE(Ink.width(), 6);
  C->Pen()->SetWidth(1);
  WhiteBitmap(B, 20, 20);
  C->MoveTo(10, 10);
  C->LineTo(10, 10);  // a thin line of no length draws nothing
  EXPECT_TRUE(InkBox(B.Image()).isNull());
}

TEST(CanvasPixels, BrushCopyPutsTheTransparentColourOnTheBackground) {
  TBitmap Glyph;
  WhiteBitmap(Glyph, 3, 3);
  Glyph.Canvas()->Brush()->SetColor(clBlack);
  Glyph.Canvas()->FillRect(Rect(0, 0, 3, 3));
  Glyph.Canvas()->SetPixels(1, 1, clRed);
  TBitmap B;
  WhiteBitmap(B, 6, 6);
  B.Canvas()->Brush()->SetColor(clSilver);
  B.Canvas()->BrushCopy(Rect(2, 2, 5, 5), &Glyph, Rect(0, 0, 3, 3), clBlack);
  EXPECT_EQ(B.Canvas()->Pixels(3, 3), clRed);
  EXPECT_EQ(B.Canvas()->Pixels(2, 2), clSilver);
  EXPECT_EQ(B.Canvas()->Pixels(1, 1), clWhite);
}
