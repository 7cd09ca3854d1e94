// What both drawing libraries share: the pixel conversion, the gradient fill and the device traits
// a paint context takes from its canvas.
#include <gtest/gtest.h>

#include <QPrinter>
#include <cmath>
#include <limits>
#include <random>

#include "platform/canvas_targets.h"
#include "platform/gradient.h"
#include "platform/number_text.h"
#include "platform/paint_context.h"

TEST(SaturatePixel, HalvesToEvenHeldWithinTheLimitInEitherPrecision) {
  const double Inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(SaturatePixel(2.5), 2);
  EXPECT_EQ(SaturatePixel(3.5), 4);
  EXPECT_EQ(SaturatePixel(-2.5), -2);
  EXPECT_EQ(SaturatePixel(-3.5L), -4);
  EXPECT_EQ(SaturatePixel(-0.4), 0);
  EXPECT_EQ(SaturatePixel(std::nan("")), 0);
  EXPECT_EQ(SaturatePixel(Inf), 2147483647);
  EXPECT_EQ(SaturatePixel(-Inf), -2147483647);
  EXPECT_EQ(SaturatePixel(1e300L), 2147483647);
  EXPECT_EQ(SaturatePixel(2147483646.5), 2147483646);
  // A smaller limit holds far values (the chart keeps its pixels within 2^22).
  EXPECT_EQ(SaturatePixel(5e6, 1 << 22), 1 << 22);
  EXPECT_EQ(SaturatePixel(-Inf, 1 << 22), -(1 << 22));
  EXPECT_EQ(SaturatePixel(4194303.6, 1 << 22), 1 << 22);
  // The double and the long double forms are one conversion, and agree with the general rounding.
  std::mt19937_64 Random(7);
  std::uniform_real_distribution<double> Value(-1e7, 1e7);
  for (int I = 0; I < 20000; ++I) {
    const double V = I % 2 ? Value(Random) : std::round(Value(Random)) + 0.5;
    ASSERT_EQ(SaturatePixel(V), SaturatePixel(static_cast<long double>(V))) << V;
    ASSERT_EQ(SaturatePixel(V), RoundInt(V)) << V;
  }
}

TEST(GradientFill, BandsFromTheFarEdgeAndTheCallersBrush) {
  TRecordingTarget T(600, 600);
  TCanvas C(&T);
  C.Brush()->SetData(TBrushData{clBlue, bsCross, {}, 0.5});
  // 300 pixels high: 256 bands of one or two pixels, red at the bottom, blue at the top.
  GradientFill(&C, {10, 10, 20, 310}, clRed, false, clBlue);
  ASSERT_EQ(T.Ops().size(), 256u);
  const TCanvasOp& Bottom = T.Ops().front();
  const TCanvasOp& Top = T.Ops().back();
  EXPECT_EQ(Bottom.Rect.Bottom, 310);
  EXPECT_EQ(Bottom.State.Brush.Color, clRed);
  EXPECT_EQ(Top.Rect.Top, 10);
  EXPECT_EQ(Top.State.Brush.Color, clBlue);
  int Covered = 0;
  for (const TCanvasOp& Op : T.Ops()) {
    Covered += Op.Rect.Height();
    // Only colour and style change: the opacity the caller set stays.
    EXPECT_EQ(Op.State.Brush.Style, bsSolid);
    EXPECT_EQ(Op.State.Brush.Opacity, 0.5);
  }
  EXPECT_EQ(Covered, 300);
  EXPECT_EQ(C.Brush()->Style(), bsCross);  // the brush comes back
  // Across: from the right edge; one pixel wide is all the first colour; empty ones draw nothing.
  T.Clear();
  GradientFill(&C, {0, 0, 3, 5}, clRed, true, clBlack);
  ASSERT_EQ(T.Ops().size(), 3u);
  EXPECT_EQ(T.Ops()[0].Rect, (TRect{2, 0, 3, 5}));
  EXPECT_EQ(T.Ops()[1].State.Brush.Color, RGB(127, 0, 0));  // halves away from zero
  T.Clear();
  GradientFill(&C, {0, 0, 1, 5}, clRed, true, clBlack);
  GradientFill(&C, {5, 0, 0, 5}, clRed, true, clBlack);
  GradientFill(&C, {0, 0, 5, 0}, clRed, true, clBlack);
  GradientFill(&C, {-2147483647, 0, 2147483647, 5}, clRed, true, clBlack);
  ASSERT_EQ(T.Ops().size(), 1u);
  EXPECT_EQ(T.Ops()[0].State.Brush.Color, clRed);
}

TEST(PaintContext, TraitsComeFromTheTargetAndTheEntryPoint) {
  QImage Image(10, 10, QImage::Format_RGB32);
  TImageTarget ImageTarget(&Image);
  TCanvas OnImage(&ImageTarget);
  TRecordingTarget Log;
  TCanvas OnLog(&Log);
  struct TPage : TRecordingTarget {
    TCanvasTargetKind Kind() const override { return tkPrinter; }
  } PageTarget;
  TCanvas OnPage(&PageTarget);

  const TPaintTraits Screen = TPaintContext::On(&OnImage).Traits;
  EXPECT_FALSE(Screen.Printing || Screen.Picture || Screen.Dxf() || Screen.Paper());
  const TPaintTraits Page = TPaintContext::On(&OnPage).Traits;
  EXPECT_TRUE(Page.Printing && Page.Paper() && !Page.KeepsBlack());
  // A preview prints onto an image; a picture of a page's canvas is no print.
  EXPECT_TRUE(TPaintContext::Print(&OnImage, true).Traits.KeepsBlack());
  EXPECT_FALSE(TPaintContext::Picture(&OnPage).Traits.Printing);
  EXPECT_EQ(TPaintContext::On(&OnLog).Traits.Target, tkRecording);

  // The printer is asked when the print starts.
  QPrinter Printer;
  Printer.setColorMode(QPrinter::GrayScale);
  const TPaintContext Grey = TPaintContext::Print(&OnPage, Printer);
  Printer.setColorMode(QPrinter::Color);
  EXPECT_TRUE(Grey.Traits.KeepsBlack());
  EXPECT_FALSE(TPaintContext::Print(&OnPage, Printer).Traits.KeepsBlack());

  // Black-only belongs to prints alone.
  TPaintTraits NoPrint = Screen;
  NoPrint.BlackOnly = true;
  EXPECT_FALSE(NoPrint.KeepsBlack());
  const TPaintTraits PageDrawing = TPaintContext::PageDrawing(&OnImage, false, true).Traits;
  EXPECT_TRUE(PageDrawing.Paper() && !PageDrawing.Printing && !PageDrawing.KeepsBlack());
}
