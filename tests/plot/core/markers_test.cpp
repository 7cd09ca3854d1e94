// Drawing wrappers, markers and gradients.
#include <gtest/gtest.h>

#include <QPrinter>
#include <QWidget>
#include <algorithm>

#include "platform/bitmap.h"
#include "plot/core/graph.h"
#include "plot/core/graph_gradient.h"
#include "plot/core/graph_marker.h"
#include "plot/core/graph_pens.h"
#include "plot/core/graph_utils.h"
#include "test_graph.h"

namespace {

TEST(GraphPens, WrappersSetTheCanvas) {
  TRecordingGraph G;
  {
    TWPen P(&G.Graph);
    P.SetColor(clRed);
    P.SetWidth(3);
    EXPECT_EQ(G.Canvas.Pen()->Color(), clRed);
    P.Reset();
    EXPECT_EQ(G.Canvas.Pen()->Color(), clBlack);
    EXPECT_EQ(G.Canvas.Pen()->Width(), 1);
  }
  {
    G.Canvas.Pen()->SetColor(clGreen);
    TWBrush B(&G.Graph);
    EXPECT_EQ(G.Canvas.Pen()->Color(), clGreen);  // a brush leaves the pen alone
    B.SetColor(clBlue);
    EXPECT_EQ(G.Canvas.Brush()->Color(), clBlue);
  }
  EXPECT_EQ(G.Canvas.Brush()->Style(), bsClear);
  TWText T(&G.Graph, QStringLiteral("Arial"));
  EXPECT_EQ(G.Canvas.TextAlign(), TA_BASELINE | TA_LEFT);
  T.SetSize(12);
  EXPECT_GT(T.TextHeight(QStringLiteral("X")), 10);
}

TEST(GraphPens, RotatedText) {
  TRecordingGraph G;
  TWRText T(&G.Graph, QStringLiteral("Arial"));
  T.SetSize(10);
  T.TextOut(10, 10, QString());  // nothing for an empty text
  EXPECT_TRUE(G.Ops().empty());
  GraphChanged = false;
  T.SetAngle(90);
  EXPECT_TRUE(GraphChanged);
  T.TextOut(10, 50, QStringLiteral("Up"));
  ASSERT_EQ(G.Ops().size(), 1u);
  EXPECT_EQ(G.Ops()[0].State.Font.Escapement, 900);
  EXPECT_EQ(G.Canvas.Font()->Escapement(), 0);  // the canvas font is given back
  // On an image the text runs upwards: taller than wide.
  TImageGraph I(100, 100);
  TWRText R(I.Graph.get(), QStringLiteral("Arial"));
  R.SetSize(12);
  R.SetAngle(90);
  I.Canvas->Brush()->SetStyle(bsClear);
  R.TextOut(50, 90, QStringLiteral("WWWWWW"));
  const QImage& Img = I.Done();
  int MinX = 100, MaxX = -1, MinY = 100, MaxY = -1;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x)
      if (Img.pixelColor(x, y) != Qt::white) {
        MinX = std::min(MinX, x), MaxX = std::max(MaxX, x);
        MinY = std::min(MinY, y), MaxY = std::max(MaxY, y);
      }
  ASSERT_GE(MaxX, 0);
  EXPECT_GT(MaxY - MinY, 2 * (MaxX - MinX));
}

TEST(GraphPens, BlackOnlyPrinterKeepsBlack) {
  TRecordingGraph Page;
  {
    TPaintScope Print(Page.Graph, TPaintContext::Print(&Page.Canvas, true));
    EXPECT_EQ(Page.Graph.DrawCanvas(), &Page.Canvas);
    TWPen P(&Page.Graph);
    P.SetColor(clRed);
    EXPECT_EQ(Page.Canvas.Pen()->Color(), clBlack);
    TWText T(&Page.Graph, QStringLiteral("Arial"));
    T.SetColor(clRed);
    EXPECT_NE(Page.Canvas.Font()->Color(), clRed);
  }
  // The printing printer is asked once, when the print starts.
  QPrinter Printer;
  Printer.setColorMode(QPrinter::GrayScale);
  {
    TPaintScope Print(Page.Graph, TPaintContext::Print(&Page.Canvas, Printer));
    Printer.setColorMode(QPrinter::Color);
    TWPen P(&Page.Graph);
    P.SetColor(clRed);
    EXPECT_EQ(Page.Canvas.Pen()->Color(), clBlack);
  }
  {
    TPaintScope Print(Page.Graph, TPaintContext::Print(&Page.Canvas, Printer));  // a colour printer
    TWPen P(&Page.Graph);
    P.SetColor(clRed);
    EXPECT_EQ(Page.Canvas.Pen()->Color(), clRed);
  }
  EXPECT_FALSE(Page.Graph.Device().Printing);
  TWPen Screen(&Page.Graph);
  Screen.SetColor(clBlue);
  EXPECT_EQ(Page.Canvas.Pen()->Color(), clBlue);
}

QRect Painted(const QImage& I) {
  QRect R;
  for (int y = 0; y < I.height(); ++y)
    for (int x = 0; x < I.width(); ++x)
      if (I.pixelColor(x, y) != Qt::white) R |= QRect(x, y, 1, 1);
  return R;
}

TEST(GraphMarker, EveryShapeDrawsCentred) {
  for (int Style = 0; Style <= 27; ++Style) {
    TImageGraph G(64, 64);
    TMarker M(G.Graph.get(), nullptr, Style, 12, clRed);
    M.FillColor = clBlue;
    M.DrawAtPixel(32, 32);
    QRect R = Painted(G.Done());
    if (Style == 0) {
      EXPECT_TRUE(R.isEmpty());
      continue;
    }
    ASSERT_FALSE(R.isEmpty()) << Style;
    EXPECT_LE(std::abs(R.center().x() - 32), 1) << Style;
    EXPECT_LE(std::abs(R.center().y() - 32), 1) << Style;
    EXPECT_GT(R.width(), 6) << Style;
    EXPECT_LT(R.width(), 40) << Style;
  }
}

TEST(GraphMarker, LineShapesAreSymmetric) {
  for (int Style : {5, 6, 7}) {
    TImageGraph G(64, 64);
    TMarker M(G.Graph.get(), nullptr, Style, 12, clRed);
    M.DrawAtPixel(32, 32);
    const QImage& I = G.Done();
    for (int y = 1; y < 64; ++y)
      for (int x = 1; x < 64; ++x) {
        bool A = I.pixelColor(x, y) != Qt::white;
        EXPECT_EQ(A, I.pixelColor(64 - x, y) != Qt::white) << Style << " " << x << "," << y;
        EXPECT_EQ(A, I.pixelColor(x, 64 - y) != Qt::white) << Style << " " << x << "," << y;
        if (A) {
          EXPECT_EQ(FromQColor(I.pixelColor(x, y)), clRed);
        }
      }
  }
}

TEST(GraphMarker, StylesWrapFlagAndColours) {
  TRecordingGraph G;
  TMarker M(&G.Graph, nullptr, 35, 10, clRed);
  M.DrawAtPixel(50, 50);
  TRecordingGraph D;
  TMarker Diamond(&D.Graph, nullptr, 8, 10, clRed);
  Diamond.DrawAtPixel(50, 50);
  ASSERT_EQ(G.Ops().size(), 1u);
  EXPECT_EQ(G.Ops()[0].Points, D.Ops()[0].Points);  // 35 draws as 8
  // Styles wrap in one step, however large.
  EXPECT_EQ(ReducedMarkerStyle(54), 27);
  EXPECT_EQ(ReducedMarkerStyle(55), 1);
  EXPECT_EQ(ReducedMarkerStyle(0x7FFFFFFF), (0x7FFFFFFF - 1) % 27 + 1);
  EXPECT_EQ(ReducedMarkerStyle(-3), -3);  // no shape, as before
  G.Target.Clear();
  M.MarkerFlag = false;
  M.DrawAtPixel(50, 50);
  EXPECT_TRUE(G.Ops().empty());
  // Colour: selected markers are lighter or darker; a series may give its own colour.
  TMarker C(&G.Graph, nullptr, 1, 10, RGB(100, 100, 100));
  EXPECT_EQ(C.GetColor(), RGB(100, 100, 100));
  C.DerivedColor = true;
  EXPECT_EQ(C.GetColor(), RGB(228, 228, 228));
  C.Shade = 1;
  EXPECT_EQ(C.GetColor(), RGB(0, 0, 0));
  C.DerivedColor = false;
  G.Graph.HasMarkerColor = true;
  G.Graph.MarkerColor = clLime;
  EXPECT_EQ(C.GetColor(), RGB(100, 100, 100));  // no layer: its own colour
  C.Layer = reinterpret_cast<TLayer*>(&G);
  EXPECT_EQ(C.GetColor(), clLime);
  // The black marker colour fills black.
  G.Target.Clear();
  TMarker B(&G.Graph, nullptr, 8, 10, MarkerBlack);
  B.Draw(50, 50, MarkerBlack, 10, 8);
  ASSERT_EQ(G.Ops().size(), 1u);
  EXPECT_EQ(G.Ops()[0].State.Brush.Color, clBlack);
  TMarker Copy(nullptr);
  Copy.Assign(C);
  EXPECT_EQ(Copy.Graph, nullptr);
  EXPECT_EQ(Copy.Style, 1);
}

int DiamondHeight(int Ppi) {
  TRecordingTarget T(2000, 2000, Ppi);
  TCanvas C(&T);
  TTestGraph G(&C);
  TMarker M(&G, nullptr, 8, 10, clRed);
  M.DrawAtPixel(500, 500);
  int Lo = 1 << 30, Hi = -(1 << 30);
  for (const TPoint& P : T.Ops().at(0).Points) Lo = std::min(Lo, P.Y), Hi = std::max(Hi, P.Y);
  return Hi - Lo;
}

TEST(GraphMarker, SizeFollowsTheDevice) {
  int Screen = DiamondHeight(96), Printer = DiamondHeight(600);
  EXPECT_GT(Screen, 8);
  EXPECT_NEAR(static_cast<double>(Printer) / Screen, 600.0 / 96, 0.8);
}

TEST(GraphMarker, WorldPositionWithDepthAndNonFinite) {
  TRecordingGraph G;
  G.Graph.View3D = 0.2;
  G.Graph.Depth3D = 12;
  G.Graph.Slot = 1;
  G.Graph.SlotCount = 3;
  TMarker M(&G.Graph, nullptr, 2, 10, clRed);
  M.DrawAt(5, 5);  // pixel (100, 50), moved 4 right and up
  ASSERT_EQ(G.Ops().size(), 1u);
  TRect R = G.Ops()[0].Rect;
  EXPECT_EQ(R.Left + R.Right, 2 * 104);
  EXPECT_EQ(R.Top + R.Bottom, 2 * 46);
  M.DrawAt(std::numeric_limits<double>::quiet_NaN(), 1);
  M.DrawAt(1e300, 1);
  EXPECT_GE(G.Ops().size(), 1u);
}

TEST(GraphGradient, Bands) {
  struct Case {
    int Height, Bands;
  } const Cases[] = {{1000, 256}, {100, 100}, {1, 1}, {0, 0}};
  for (const Case& C : Cases) {
    TRecordingGraph G;
    GradientFill(&G.Canvas, {0, 0, 10, C.Height}, clRed, false, clBlue);
    auto Bands = OfKind(G.Ops(), coFillRect);
    ASSERT_EQ(static_cast<int>(Bands.size()), C.Bands) << C.Height;
    if (Bands.empty()) continue;
    // From the bottom up, without gaps, from the first colour to the second.
    EXPECT_EQ(Bands.front().Rect.Bottom, C.Height);
    EXPECT_EQ(Bands.back().Rect.Top, 0);
    for (size_t i = 1; i < Bands.size(); ++i)
      EXPECT_EQ(Bands[i].Rect.Bottom, Bands[i - 1].Rect.Top);
    EXPECT_EQ(Bands.front().State.Brush.Color, clRed);
    if (C.Bands > 1) {
      EXPECT_EQ(Bands.back().State.Brush.Color, clBlue);
    }
  }
  // Horizontal, from the right edge; system colours resolved first.
  TRecordingGraph H;
  GradientFill(&H.Canvas, {0, 0, 300, 10}, clBtnFace, true, clWhite);
  auto Bands = OfKind(H.Ops(), coFillRect);
  ASSERT_EQ(Bands.size(), 256u);
  EXPECT_EQ(Bands.front().Rect.Right, 300);
  EXPECT_EQ(Bands.front().State.Brush.Color, ColorToRGB(clBtnFace));
  EXPECT_EQ(Bands.back().Rect.Left, 0);
}

TEST(GraphGradient, BackgroundObject) {
  TRecordingGraph G;
  TGraphGradient Grad(&G.Graph, 0, clWhite, clSilver);
  Grad.Draw({0, 0, 50, 50});
  EXPECT_TRUE(G.Ops().empty());  // style 0: none
  Grad.Style = 1;
  Grad.Draw({0, 0, 50, 50});
  auto Bands = OfKind(G.Ops(), coFillRect);
  ASSERT_EQ(Bands.size(), 50u);
  EXPECT_EQ(Bands.front().State.Brush.Color, clSilver);  // the end colour at the right
  EXPECT_EQ(Bands.back().State.Brush.Color, clWhite);

  // The graph's own gradient runs from white at the left or top to silver.
  TRecordingTarget T{300, 200};
  TCanvas C{&T};
  TGraph Graph(&C, 300, 200);
  EXPECT_EQ(Graph.Gradient->StartColor, clWhite);
  EXPECT_EQ(Graph.Gradient->EndColor, clSilver);
  Graph.Gradient->Style = 2;
  Graph.Gradient->Draw({0, 0, 300, 200});
  Bands = OfKind(T.Ops(), coFillRect);
  ASSERT_FALSE(Bands.empty());
  EXPECT_EQ(Bands.front().Rect.Bottom, 200);  // the bottom band first
  EXPECT_EQ(Bands.front().State.Brush.Color, clSilver);
  EXPECT_EQ(Bands.back().Rect.Top, 0);
  EXPECT_EQ(Bands.back().State.Brush.Color, clWhite);
}
}  // namespace

namespace {
TEST(GraphPrinterHelpers, CapsAndStretchedBitmap) {
  EXPECT_GT(GetPrinterDeviceCaps(LOGPIXELSX), 0);
  EXPECT_GE(GetPrinterDeviceCaps(NUMCOLORS), 2);
  EXPECT_EQ(GetPrinterDeviceCaps(12345), 0);
  TRecordingGraph G;
  TBitmap B(4, 3);
  EXPECT_TRUE(StretchBitmapToCanvas(&G.Canvas, {10, 10, 50, 40}, &B));
  ASSERT_EQ(G.Ops().size(), 1u);
  EXPECT_EQ(G.Ops()[0].Kind, coImage);
  EXPECT_EQ(G.Ops()[0].Rect, (TRect{10, 10, 50, 40}));
  TBitmap Empty;
  EXPECT_FALSE(StretchBitmapToCanvas(&G.Canvas, {10, 10, 50, 40}, &Empty));
}

TEST(GraphControls, ArrangeInEqualSlots) {
  QWidget Parent;
  Parent.resize(300, 100);
  QWidget A(&Parent), B(&Parent), C(&Parent);
  for (QWidget* W : {&A, &B, &C}) W->resize(40, 20);
  QWidget* const Row[] = {&A, &B, &C};
  ArrangeControls(&Parent, Row);
  EXPECT_EQ(A.pos(), QPoint(30, 40));
  EXPECT_EQ(B.pos(), QPoint(130, 40));
  EXPECT_EQ(C.pos(), QPoint(230, 40));
  TGraphAbstract E;
  GraphChanged = false;
  E.SetVisible(false);
  EXPECT_TRUE(GraphChanged);
  EXPECT_FALSE(E.GetVisible());
}
}  // namespace
