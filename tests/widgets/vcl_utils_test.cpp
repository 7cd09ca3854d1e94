#include "widgets/vcl_utils.h"

#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "widgets/nx_const.h"

TEST(VclUtils, DisabledBitmapIsEmbossed) {
  TBitmap Source(4, 4);
  Source.Canvas()->Brush()->SetColor(clBlack);
  Source.Canvas()->FillRect(Rect(0, 0, 4, 4));
  Source.Canvas()->SetPixels(1, 1, clRed);
  const auto Out = CreateDisabledBitmapEx(Source, clBlack, clWhite, clYellow, clBlue, true);
  const QImage& I = Out->Image();
  EXPECT_EQ(I.pixel(1, 1), ToQColor(clBlue).rgb());
  EXPECT_EQ(I.pixel(2, 2), ToQColor(clYellow).rgb());
  EXPECT_EQ(I.pixel(0, 0), ToQColor(clWhite).rgb());
  EXPECT_EQ(I.pixel(3, 3), ToQColor(clWhite).rgb());
  const auto Flat = CreateDisabledBitmapEx(Source, clBlack, clWhite, clYellow, clBlue, false);
  EXPECT_EQ(Flat->Image().pixel(2, 2), ToQColor(clWhite).rgb());
  const auto Button = CreateDisabledBitmap(Source, clBlack);
  EXPECT_EQ(Button->Image().pixel(1, 1), ToQColor(clBtnShadow).rgb());
  EXPECT_EQ(Button->Image().pixel(0, 0), ToQColor(clBtnFace).rgb());
}

TEST(VclUtils, AcceleratorIsTheCharacterAfterASingleAmpersand) {
  EXPECT_EQ(AccelChar("Save && &quit"), QChar('Q'));
  EXPECT_TRUE(AccelChar("no && accelerator").isNull());
  EXPECT_TRUE(AccelChar("trailing &").isNull());
}

TEST(VclUtils, HandCursorsAreRegisteredByNumber) {
  RegisterNxCursors();
  EXPECT_TRUE(CursorRegistered(crHand));
  EXPECT_TRUE(CursorRegistered(crDragHand));
  EXPECT_FALSE(CursorShape(14000).pixmap().isNull());
  EXPECT_EQ(CursorShape(14000).pixmap().toImage(), OwnCursor("NX_HANDCUR").pixmap().toImage());
  EXPECT_EQ(CursorShape(14001).pixmap().toImage(), OwnCursor("NX_DRAGCUR").pixmap().toImage());
}
