// Text on images: where each alignment puts the text, the opaque background, rotation and
// measurement.
#include <gtest/gtest.h>

#include <QFontInfo>

#include "gfx_test_support.h"
#include "platform/canvas_targets.h"

namespace {

// A 200 x 200 white bitmap with 20-pixel black "Arial" text and a clear brush.
void TextBitmap(TBitmap& B) {
  WhiteBitmap(B, 200, 200);
  TFont* F = B.Canvas()->Font();
  F->SetName("Arial");
  F->SetHeight(-20);
  F->SetColor(clBlack);
}

}  // namespace

TEST(CanvasText, FontsResolveToTheLiberationFamilies) {
  EnsureGuiApp();
  TFontData F;
  F.Name = "Arial";
  EXPECT_EQ(QFontInfo(ToQFont(F)).family(), "Liberation Sans");
  F.Name = "Times New Roman";
  EXPECT_EQ(QFontInfo(ToQFont(F)).family(), "Liberation Serif");
  F.Name = "Courier New";
  EXPECT_EQ(QFontInfo(ToQFont(F)).family(), "Liberation Mono");
  InstallFontSubstitutions();
  EXPECT_EQ(QFontInfo(QFont("Times New Roman")).family(), "Liberation Serif");
}

TEST(CanvasText, EachAlignmentPlacesTheTextAroundItsReferencePoint) {
  TBitmap B;
  TextBitmap(B);
  TCanvas* C = B.Canvas();
  const QString S = "Hxg";
  const int W = C->TextWidth(S);
  const int Ascent = C->TextAscent();
  const int Descent = C->TextDescent();
  ASSERT_GT(W, 20);
  EXPECT_EQ(C->TextHeight(S), Ascent + Descent);
  EXPECT_EQ(C->TextExtent(S), (TSize{W, Ascent + Descent}));
  EXPECT_EQ(C->TextAlign(), TA_LEFT | TA_TOP);  // the default

  struct Case {
    unsigned Align;
    int Left;  // where the text box starts relative to the reference point
    int Top;
  };
  for (const Case& K :
       {Case{TA_LEFT | TA_TOP, 0, 0}, Case{TA_RIGHT | TA_TOP, -W, 0},
        Case{TA_CENTER | TA_TOP, -(W / 2), 0}, Case{TA_LEFT | TA_BASELINE, 0, -Ascent},
        Case{TA_LEFT | TA_BOTTOM, 0, -(Ascent + Descent)},
        Case{TA_RIGHT | TA_BOTTOM, -W, -(Ascent + Descent)}}) {
    TextBitmap(B);
    C->SetTextAlign(K.Align);
    C->TextOut(100, 100, S);
    const QRect Ink = InkBox(B.Image());
    const QRect Box(100 + K.Left, 100 + K.Top, W, Ascent + Descent);
    EXPECT_TRUE(Box.contains(Ink)) << "align " << K.Align << " ink " << Ink.x() << "," << Ink.y()
                                   << " " << Ink.width() << "x" << Ink.height();
    EXPECT_LE(Ink.left() - Box.left(), 3) << "align " << K.Align;
    EXPECT_LE(Box.right() - Ink.right(), 3) << "align " << K.Align;
    // "H" stands on the baseline; "g" goes below it.
    EXPECT_LT(Ink.top(), Box.top() + Ascent / 2) << "align " << K.Align;
    EXPECT_GE(Ink.bottom(), Box.top() + Ascent) << "align " << K.Align;
  }
  // The alignment stays until it is changed again.
  EXPECT_EQ(C->TextAlign(), TA_RIGHT | TA_BOTTOM);
}

TEST(CanvasText, BackgroundIsOpaqueInTheBrushColourUnlessTheBrushIsClear) {
  TBitmap B;
  TextBitmap(B);
  TCanvas* C = B.Canvas();
  C->Brush()->SetColor(clYellow);
  C->TextOut(10, 20, "Wide text");
  const int W = C->TextWidth("Wide text");
  const int H = C->TextHeight("Wide text");
  int Yellow = 0;
  for (int Y = 20; Y < 20 + H; ++Y) {
    for (int X = 10; X < 10 + W; ++X) {
      const QRgb Px = B.Image().pixel(X, Y);
      EXPECT_TRUE(Px == 0xFFFFFF00 || Px == 0xFF000000) << X << "," << Y;
      Yellow += Px == 0xFFFFFF00;
    }
  }
  EXPECT_GT(Yellow, W * H / 2);
  EXPECT_EQ(InkBox(B.Image()), QRect(10, 20, W, H));
  EXPECT_EQ(C->PenPos(), Point(10 + W, 20));

  TextBitmap(B);
  C->Brush()->SetStyle(bsClear);
  C->TextOut(10, 20, "Wide text");
  const QRect Ink = InkBox(B.Image());
  for (int Y = Ink.top(); Y <= Ink.bottom(); ++Y)
    for (int X = Ink.left(); X <= Ink.right(); ++X) {
      const QRgb Px = B.Image().pixel(X, Y);
      EXPECT_TRUE(Px == 0xFFFFFFFF || Px == 0xFF000000);
    }

  // TextRect fills its rectangle and cuts the text at it.
  TextBitmap(B);
  C->Brush()->SetColor(clAqua);
  C->TextRect(Rect(10, 10, 40, 25), 12, 12, "Cut off here");
  EXPECT_EQ(InkBox(B.Image()), QRect(QPoint(10, 10), QPoint(39, 24)));
  EXPECT_EQ(B.Image().pixel(10, 10), 0xFF00FFFF);
}

TEST(CanvasText, EscapementTurnsTextCounterClockwise) {
  TBitmap B;
  TextBitmap(B);
  TCanvas* C = B.Canvas();
  const QString S = "HHHHHH";
  const int W = C->TextWidth(S);
  C->SetTextAlign(TA_LEFT | TA_BASELINE);

  C->Font()->SetEscapement(900);  // reads upwards, tops of the letters to the left
  C->TextOut(100, 150, S);
  QRect Ink = InkBox(B.Image());
  EXPECT_GT(Ink.height(), 2 * Ink.width());
  EXPECT_LE(Ink.bottom(), 150);
  EXPECT_GE(Ink.top(), 150 - W - 1);
  EXPECT_LT(Ink.top(), 150 - W + 5);
  EXPECT_LT(Ink.left(), 100);
  EXPECT_LE(Ink.right(), 101);

  TextBitmap(B);
  C->SetTextAlign(TA_LEFT | TA_BASELINE);
  C->Font()->SetEscapement(2700);  // reads downwards
  C->TextOut(100, 20, S);
  Ink = InkBox(B.Image());
  EXPECT_GT(Ink.height(), 2 * Ink.width());
  EXPECT_GE(Ink.top(), 19);
  EXPECT_GE(Ink.left(), 99);

  TextBitmap(B);
  C->SetTextAlign(TA_LEFT | TA_BASELINE);
  C->Font()->SetEscapement(450);
  C->TextOut(20, 150, S);
  Ink = InkBox(B.Image());
  EXPECT_LT(Ink.top(), 150 - W / 2);  // rising to the right
  EXPECT_GT(Ink.right(), 20 + W / 2);
}

TEST(CanvasText, SizesAreCountedAgainstTheTargetResolution) {
  EnsureGuiApp();
  TFont F;
  EXPECT_EQ(F.PixelsPerInch(), 96);
  F.SetSize(12);
  EXPECT_EQ(F.Height(), -16);
  EXPECT_EQ(F.Size(), 12);

  TFont Printer;
  Printer.SetPixelsPerInch(600);
  Printer.Assign(F);
  EXPECT_EQ(Printer.Size(), 12);
  EXPECT_EQ(Printer.Height(), -100);

  int Changes = 0;
  F.OnChange = [&Changes](TGraphicsObject*) { ++Changes; };
  F.SetSize(12);
  F.SetName("Arial");
  EXPECT_EQ(Changes, 0);
  F.SetStyle({fsBold, fsItalic});
  F.SetColor(clRed);
  EXPECT_EQ(Changes, 2);
  EXPECT_TRUE(F.Style().Contains(fsBold));
  EXPECT_FALSE(F.Style().Contains(fsUnderline));

  // The same text is twice as wide at twice the size.
  TBitmap B;
  TextBitmap(B);
  TCanvas* C = B.Canvas();
  C->Font()->SetHeight(-20);
  const int W20 = C->TextWidth("mmmm");
  C->Font()->SetHeight(-40);
  EXPECT_NEAR(C->TextWidth("mmmm"), 2 * W20, W20 / 4);  // hinting rounds the advances
  EXPECT_EQ(C->TextWidth(""), 0);
}

TEST(CanvasText, FormattedTextBreaksAlignsAndMarksAccelerators) {
  EnsureGuiApp();
  TRecordingTarget Log;
  TCanvas C(&Log);
  C.Font()->SetName("Arial");
  C.Font()->SetSize(10);
  const int H = C.TextHeight("W");

  TRect R = Rect(10, 20, 500, 500);
  EXPECT_EQ(C.DrawText("Hello", R, DT_CALCRECT), H);
  EXPECT_EQ(R, Rect(10, 20, 10 + C.TextWidth("Hello"), 20 + H));
  R = Rect(10, 20, 500, 500);
  EXPECT_EQ(C.DrawText("a\r\nbbbb\nc", R, DT_CALCRECT), 3 * H);
  EXPECT_EQ(R.Right, 10 + C.TextWidth("bbbb"));
  R = Rect(10, 20, 500, 500);
  EXPECT_EQ(C.DrawText("", R, DT_CALCRECT), 0);
  EXPECT_EQ(R, Rect(10, 20, 10, 20));
  EXPECT_TRUE(Log.Ops().empty());

  // Word breaking keeps to the rectangle's width.
  R = Rect(0, 0, C.TextWidth("aaa bbb") + 1, 100);
  EXPECT_EQ(C.DrawText("aaa bbb ccc", R, DT_WORDBREAK | DT_CALCRECT), 2 * H);

  // "&&" is one ampersand; "&F" underlines the F.
  C.SetTextAlign(TA_BASELINE);
  R = Rect(10, 20, 200, 60);
  C.DrawText("A&&B &File", R, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  ASSERT_EQ(Log.Ops().size(), 2u);
  const TCanvasOp& T = Log.Ops()[0];
  EXPECT_EQ(T.Text, "A&B File");
  EXPECT_EQ(T.State.TextAlign, TA_LEFT | TA_TOP);
  EXPECT_EQ(T.Points[0], Point(10 + (190 - C.TextWidth("A&B File")) / 2, 20 + (40 - H) / 2));
  EXPECT_TRUE(T.State.Clipped);
  EXPECT_EQ(T.State.Clip, QRegion(10, 20, 190, 40));
  const TCanvasOp& U = Log.Ops()[1];
  EXPECT_EQ(U.Kind, coLine);
  EXPECT_EQ(U.Points[0].X, T.Points[0].X + C.TextWidth("A&B "));
  EXPECT_EQ(U.Points[1].X - U.Points[0].X, C.TextWidth("F"));
  // The canvas state is as before.
  EXPECT_EQ(C.TextAlign(), TA_BASELINE);
  EXPECT_FALSE(C.HasClip());

  Log.Clear();
  R = Rect(0, 0, 300, 100);
  C.DrawText("&x\tyz", R, DT_NOPREFIX | DT_EXPANDTABS | DT_NOCLIP);
  ASSERT_EQ(Log.Ops().size(), 2u);
  EXPECT_EQ(Log.Ops()[0].Text, "&x");
  EXPECT_FALSE(Log.Ops()[0].State.Clipped);
  const int Tab = 8 * QFontMetrics(ToQFont(C.Font()->Data()), static_cast<QPaintDevice*>(nullptr))
                          .averageCharWidth();
  EXPECT_NEAR(Log.Ops()[1].Points[0].X, Tab, 8);
}
