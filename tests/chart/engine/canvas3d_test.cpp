// The 3D canvas on images (pixels at computed places) and on the recording target.
#include "chart/engine/canvas3d.h"

#include <set>

#include <gtest/gtest.h>

#include "chart/engine/view3d_options.h"
#include "platform/canvas_targets.h"
#include "platform/number_text.h"
#include "tests/chart/engine/recorded_canvas3d.h"

namespace {

// A canvas drawing straight onto a bitmap, with an orthogonal 3D view centred on the bitmap.
struct TImageSetup {
  TBitmap Image{200, 200};
  TView3DOptions Options;
  TChartCanvas3D C;
  explicit TImageSetup(bool Is3D = true, int Depth = 0) {
    C.SetUseBuffer(false);
    C.InitWindow(Image.Canvas(), &Options, clWhite, Is3D, {0, 0, 200, 200});
    C.Projection(Depth, {0, 0, 200, 200});
    C.Pen()->SetData(TPenData{clBlack, 1, psSolid, pmCopy});
  }
  TColor At(int X, int Y) { return Image.Canvas()->Pixels(X, Y); }
};

struct TRecordSetup : TRecordedCanvas3D {
  explicit TRecordSetup(bool Is3D = true) : TRecordedCanvas3D(Is3D) {}
};

TEST(Canvas3D, LineEndsInDepth) {
  TImageSetup S;
  S.C.HorizLine3D(10, 50, 100, 0);
  EXPECT_EQ(S.At(10, 100), clBlack);
  EXPECT_EQ(S.At(49, 100), clBlack);
  EXPECT_EQ(S.At(50, 100), clWhite);  // the end pixel is left out
  // The same line 20 pixels deep lies 20 right and 20 up.
  S.C.HorizLine3D(10, 50, 150, 20);
  EXPECT_EQ(S.At(30, 130), clBlack);
  EXPECT_EQ(S.At(69, 130), clBlack);
  EXPECT_EQ(S.At(70, 130), clWhite);
  S.C.ZLine3D(150, 190, 0, 10);
  EXPECT_EQ(S.At(150, 190), clBlack);
  EXPECT_EQ(S.At(155, 185), clBlack);
  EXPECT_EQ(S.At(160, 180), clWhite);
}

TEST(Canvas3D, RectangleEdgesAndCubeFaces) {
  TImageSetup S;
  S.C.Brush()->SetData(TBrushData{clRed, bsSolid, {}});
  S.C.Pen()->SetStyle(psClear);
  S.C.RectangleWithZ({10, 10, 40, 40}, 0);
  EXPECT_EQ(S.At(10, 10), clRed);
  EXPECT_EQ(S.At(38, 38), clRed);
  EXPECT_EQ(S.At(45, 45), clWhite);

  S.C.Cube(100, 150, 100, 150, 0, 20, true);
  EXPECT_EQ(S.At(125, 125), clRed);  // front face
  // Depth runs up and to the right, so the right side and the top show, darkened.
  EXPECT_EQ(S.At(160, 120), RGB(127, 0, 0));
  EXPECT_EQ(S.At(130, 95), RGB(191, 0, 0));
  EXPECT_EQ(S.At(95, 120), clWhite);       // no left side
  EXPECT_EQ(S.C.Brush()->Color(), clRed);  // the brush is given back

  S.C.Cube(20, 60, 150, 190, 0, 10, false);
  EXPECT_EQ(S.At(65, 165), clRed);
}

TEST(Canvas3D, GradientBands) {
  TBitmap Tall(4, 1000);
  TChartCanvas3D C;
  C.SetUseBuffer(false);
  C.InitWindow(Tall.Canvas(), nullptr, clWhite, false, {0, 0, 4, 1000});
  C.GradientFill({0, 0, 4, 1000}, clBlack, clWhite, gdTopBottom);
  std::set<TColor> Colors;
  for (int Y = 0; Y < 1000; ++Y) Colors.insert(Tall.Canvas()->Pixels(1, Y));
  EXPECT_EQ(Colors.size(), 256u);
  EXPECT_EQ(Tall.Canvas()->Pixels(1, 999), clBlack);  // the first colour at the bottom edge
  EXPECT_EQ(Tall.Canvas()->Pixels(1, 0), clWhite);

  TBitmap Wide(1000, 3);
  C.InitWindow(Wide.Canvas(), nullptr, clWhite, false, {0, 0, 1000, 3});
  C.GradientFill({0, 0, 1000, 3}, clRed, clBlue, gdLeftRight);
  EXPECT_EQ(Wide.Canvas()->Pixels(999, 1), clRed);
  EXPECT_EQ(Wide.Canvas()->Pixels(0, 1), clBlue);
}

TEST(Canvas3D, GradientsOfOneBand) {
  // One band (a one-pixel extent, or a centre gradient of one step) takes the first colour
  // instead of dividing by zero.
  for (TGradientDirection D :
       {gdTopBottom, gdLeftRight, gdFromCenter, gdFromTopLeft, gdFromBottomLeft}) {
    for (TRect R : {TRect{0, 0, 1, 1}, TRect{0, 0, 1, 2}, TRect{0, 0, 2, 1}, TRect{0, 0, 3, 2}}) {
      TBitmap B(4, 4);
      TChartCanvas3D C;
      C.SetUseBuffer(false);
      C.InitWindow(B.Canvas(), nullptr, clWhite, false, {0, 0, 4, 4});
      C.GradientFill(R, clRed, clBlue, D);
      const TColor P = B.Canvas()->Pixels(0, 0);
      EXPECT_TRUE(P == clRed || P == clBlue) << D << " " << R.Right << "x" << R.Bottom;
      EXPECT_EQ(B.Canvas()->Pixels(3, 3), clWhite);
    }
  }
  // An inverted rectangle is normalised; an empty one paints nothing.
  TBitmap B(10, 10);
  TChartCanvas3D C;
  C.SetUseBuffer(false);
  C.InitWindow(B.Canvas(), nullptr, clWhite, false, {0, 0, 10, 10});
  C.GradientFill({8, 8, 2, 2}, clRed, clRed, gdFromCenter);
  EXPECT_EQ(B.Canvas()->Pixels(5, 5), clRed);
  C.GradientFill({5, 5, 5, 9}, clBlue, clBlue, gdTopBottom);
  EXPECT_EQ(B.Canvas()->Pixels(5, 6), clRed);
}

TEST(Canvas3D, RotatedAndZoomedText) {
  TRecordSetup S;
  S.C.Font()->SetSize(10);
  const int Height = S.C.Font()->Height();
  S.C.RotateLabel(50, 60, QStringLiteral("Up"), 450);
  ASSERT_EQ(S.Ops().size(), 1u);
  EXPECT_EQ(S.Ops()[0].Kind, coText);
  EXPECT_EQ(S.Ops()[0].State.Font.Escapement, 900);
  EXPECT_EQ(S.Ops()[0].State.Brush.Style, bsClear);
  EXPECT_EQ(S.C.Font()->Escapement(), 0);  // the font is given back

  // Zoomed text grows with the zoom, unless ZoomText is off.
  S.Options.SetZoom(200);
  S.C.InitWindow(&S.Canvas, &S.Options, clWhite, true, {0, 0, 400, 300});
  S.C.TextOut3D(10, 10, 0, QStringLiteral("Big"));
  EXPECT_EQ(S.Ops().back().State.Font.Height, -MulDiv(20, 96, 72));
  EXPECT_EQ(S.C.Font()->Height(), Height);
  S.Options.SetZoomText(false);
  S.C.InitWindow(&S.Canvas, &S.Options, clWhite, true, {0, 0, 400, 300});
  S.C.TextOut3D(10, 10, 0, QStringLiteral("Same"));
  EXPECT_EQ(S.Ops().back().State.Font.Height, Height);
}

TEST(Canvas3D, ShapesOnTheRecording) {
  TRecordSetup S;
  // An arrow of no length draws nothing; a filled one is a seven-point polygon.
  S.C.Arrow(true, {50, 50}, {50, 50}, 10, 10, 0);
  S.C.Arrow(false, {50, 50}, {50, 50}, 10, 10, 0);
  EXPECT_TRUE(S.Ops().empty());
  S.C.Arrow(true, {50, 50}, {150, 50}, 20, 30, 0);
  ASSERT_EQ(S.Ops().size(), 1u);
  EXPECT_EQ(S.Ops()[0].Points.size(), 7u);
  EXPECT_EQ(S.Ops()[0].Points[3], (TPoint{150, 50}));  // the tip
  EXPECT_EQ(S.Ops()[0].Points[2], (TPoint{120, 40}));  // the head's corner
  S.Target.Clear();
  S.C.Arrow(false, {50, 50}, {150, 50}, 20, 30, 0);
  EXPECT_EQ(S.Ops().size(), 3u);  // the shaft and two head edges

  // A rotated ellipse: a fan of 20 triangles without the pen, then the 32-point outline.
  S.Target.Clear();
  S.Options.SetOrthogonal(false);
  S.C.InitWindow(&S.Canvas, &S.Options, clWhite, true, {0, 0, 400, 300});
  S.C.Projection(0, {0, 0, 400, 300});
  S.C.EllipseWithZ(100, 100, 200, 160, 0);
  ASSERT_EQ(S.Ops().size(), 21u);
  EXPECT_EQ(S.Ops()[0].State.Pen.Style, psClear);
  EXPECT_EQ(S.Ops()[20].Kind, coPolyline);
  EXPECT_EQ(S.Ops()[20].Points.size(), 32u);

  // A darkened cylinder ends with its cover, darkened by 64.
  S.Target.Clear();
  S.C.Brush()->SetData(TBrushData{clWhite, bsSolid, {}});
  S.C.Cylinder(true, 100, 50, 140, 150, 0, 40, true);
  ASSERT_FALSE(S.Ops().empty());
  EXPECT_EQ(S.Ops().back().Points.size(), 16u);
  EXPECT_EQ(S.Ops().back().State.Brush.Color, RGB(191, 191, 191));
  EXPECT_EQ(S.C.Brush()->Color(), clWhite);
}

TEST(Canvas3D, PieAndPyramidShowTheirFront) {
  TImageSetup S(true, 0);
  S.C.Brush()->SetData(TBrushData{clBlue, bsSolid, {}});
  S.C.Pen()->SetStyle(psClear);
  S.C.Pie3D(100, 100, 50, 50, 0, 10, 0, 3.14159265 / 2, true, true);
  EXPECT_EQ(S.At(120, 80), clBlue);   // inside the front quarter
  EXPECT_EQ(S.At(80, 120), clWhite);  // the other quarters stay empty
  EXPECT_NE(S.At(152, 88), clWhite);  // the face lies at the depth that shows on top
  // The near rim (the arc running rightwards) shows as a darker band below the face.
  S.C.Pie3D(100, 100, 50, 50, 0, 10, 3 * 3.14159265 / 2, 2 * 3.14159265, true, false);
  EXPECT_EQ(S.At(120, 120), clBlue);
  EXPECT_EQ(S.At(106, 146), ApplyDark(clBlue, 32));
  EXPECT_EQ(S.At(106, 152), clWhite);
  TImageSetup P(true, 0);
  P.C.Brush()->SetData(TBrushData{clGreen, bsSolid, {}});
  P.C.Pen()->SetStyle(psClear);
  P.C.Pyramid(true, 50, 50, 150, 150, 0, 20, false);
  EXPECT_EQ(P.At(100, 140), clGreen);  // the front face near its base
  EXPECT_EQ(P.At(55, 60), clWhite);    // outside the slope
}

TEST(Canvas3D, PixelsFramesAndColors) {
  TImageSetup S;
  S.C.Pixel3D(20, 30, 5, clRed);
  EXPECT_EQ(S.At(25, 25), clRed);
  S.C.SetPixel(1, 1, clChartAuto);  // the automatic colour is never drawn
  S.C.SetPixel(2, 2, clNone);
  EXPECT_EQ(S.At(1, 1), clWhite);
  EXPECT_EQ(S.At(2, 2), clWhite);
  S.C.Frame3D({100, 100, 110, 110}, clRed, clBlue, 2);
  EXPECT_EQ(S.At(100, 105), clRed);
  EXPECT_EQ(S.At(101, 105), clRed);
  EXPECT_EQ(S.At(105, 100), clRed);
  EXPECT_EQ(S.At(109, 105), clBlue);
  EXPECT_EQ(S.At(105, 109), clBlue);
  EXPECT_EQ(S.At(104, 104), clWhite);

  EXPECT_EQ(ApplyDark(RGB(200, 100, 50), 64), RGB(136, 36, 0));
  EXPECT_EQ(ApplyDark(clChartAuto, 64), clChartAuto);
  EXPECT_EQ(ApplyDark(clNone, 64), clNone);
  EXPECT_EQ(ApplyDark(clBtnFace, 0), ColorToRGB(clBtnFace));
  EXPECT_EQ(ChartDrawColor(clChartAuto), clNone);
  EXPECT_EQ(ChartDrawColor(clBtnFace), ColorToRGB(clBtnFace));

  TChartPen Hidden;
  Hidden.SetVisible(false);
  S.C.AssignVisiblePen(Hidden);
  EXPECT_EQ(S.C.Pen()->Style(), psClear);
  TChartPen Auto;
  Auto.SetColor(clChartAuto);
  S.C.AssignVisiblePen(Auto);
  EXPECT_EQ(S.C.Pen()->Style(), psClear);
}

TEST(Canvas3D, OffScreenBufferLivesWhileItsSizeHolds) {
  TBitmap Screen(100, 80);
  TChartCanvas3D C;
  const TRect R = C.InitWindow(Screen.Canvas(), nullptr, clWhite, false, {10, 10, 60, 50});
  EXPECT_EQ(R, (TRect{0, 0, 50, 40}));
  const TBitmap* First = C.Bitmap();
  ASSERT_NE(First, nullptr);
  EXPECT_EQ(C.ReferenceCanvas(), const_cast<TBitmap*>(First)->Canvas());
  C.Brush()->SetData(TBrushData{clRed, bsSolid, {}});
  C.FillRect({0, 0, 50, 40});
  C.ShowImage(Screen.Canvas(), Screen.Canvas(), {10, 10, 60, 50});
  EXPECT_FALSE(C.Dirty());
  EXPECT_EQ(Screen.Canvas()->Pixels(10, 10), clRed);
  EXPECT_EQ(Screen.Canvas()->Pixels(9, 9), clWhite);
  // An unchanged picture is copied back without drawing.
  TBitmap Other(100, 80);
  C.SetCanvas(Other.Canvas());
  EXPECT_TRUE(C.ReDrawBitmap());
  EXPECT_EQ(Other.Canvas()->Pixels(0, 0), clRed);
  C.Invalidate();
  EXPECT_FALSE(C.ReDrawBitmap());
  // The same size keeps the bitmap, another size replaces it.
  C.InitWindow(Screen.Canvas(), nullptr, clWhite, false, {0, 0, 50, 40});
  EXPECT_EQ(C.Bitmap(), First);
  C.InitWindow(Screen.Canvas(), nullptr, clWhite, false, {0, 0, 51, 40});
  EXPECT_EQ(C.Bitmap()->Width(), 51);
  // A rectangle of no size still gets a bitmap of one pixel.
  EXPECT_EQ(C.InitWindow(Screen.Canvas(), nullptr, clWhite, false, {5, 5, 5, 5}),
            (TRect{0, 0, 1, 1}));
  C.SetUseBuffer(false);
  EXPECT_EQ(C.Bitmap(), nullptr);
}

TEST(Canvas3D, ClipCubeOutlinesTheBox) {
  TImageSetup S(true, 0);
  S.C.ClipCube({50, 50, 100, 100}, 0, 30);
  S.C.Brush()->SetData(TBrushData{clRed, bsSolid, {}});
  S.C.FillRect({0, 0, 200, 200});
  S.C.UnClipRectangle();
  EXPECT_EQ(S.At(75, 75), clRed);
  EXPECT_EQ(S.At(120, 30), clRed);   // the back corner, 30 deep
  EXPECT_EQ(S.At(40, 40), clWhite);  // outside the outline
  EXPECT_EQ(S.At(125, 95), clWhite);
  TImageSetup Flat(false);
  Flat.C.ClipCube({50, 50, 100, 100}, 0, 30);
  Flat.C.Brush()->SetData(TBrushData{clRed, bsSolid, {}});
  Flat.C.FillRect({0, 0, 200, 200});
  Flat.C.UnClipRectangle();
  EXPECT_EQ(Flat.At(50, 60), clWhite);  // left edge left out
  EXPECT_EQ(Flat.At(51, 51), clRed);
  EXPECT_EQ(Flat.At(60, 98), clRed);
  EXPECT_EQ(Flat.At(60, 99), clWhite);
}

}  // namespace
