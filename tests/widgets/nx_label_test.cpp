#include "widgets/nx_label.h"

#include "wait_for.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLineEdit>
#include <QShortcutEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/colors.h"

namespace {

struct TBox {
  int Left = 1 << 20, Top = 1 << 20, Right = -1, Bottom = -1;
  bool Empty() const { return Right < 0; }
};

// The bounding box of the pixels in Color.
TBox PixelsOf(const QImage& Image, TColor Color) {
  const QRgb Want = ToQColor(Color).rgb();
  TBox B;
  for (int Y = 0; Y < Image.height(); ++Y)
    for (int X = 0; X < Image.width(); ++X)
      if (Image.pixel(X, Y) == Want) {
        B.Left = std::min(B.Left, X);
        B.Top = std::min(B.Top, Y);
        B.Right = std::max(B.Right, X);
        B.Bottom = std::max(B.Bottom, Y);
      }
  return B;
}

void ShadowedH(TNxLabel& L) {
  L.SetAutoSize(false);
  L.resize(80, 50);
  L.SetColor(clWhite);
  L.Font()->SetColor(clBlack);
  L.Font()->SetHeight(-20);
  L.SetLayout(tlCenter);
  L.SetAlignment(taCenter);
  L.SetShadowColor(clRed);
  L.SetCaption("H");
}

}  // namespace

TEST(NxLabel, ShadowLiesOffsetInItsColourInEachDirection) {
  struct TCase {
    TShadowPosition Pos;
    int Dx, Dy;
  };
  for (const TCase C : {TCase{spLeftTop, -3, -3}, TCase{spLeftBottom, -3, 3},
                        TCase{spRightBottom, 3, 3}, TCase{spRightTop, 3, -3}}) {
    TNxLabel L;
    ShadowedH(L);
    L.SetShadowSize(3);
    L.SetShadowPos(C.Pos);
    const QImage Image = L.Backing()->Image();
    const TBox Text = PixelsOf(Image, clBlack);
    const TBox Shadow = PixelsOf(Image, clRed);
    ASSERT_FALSE(Text.Empty());
    ASSERT_FALSE(Shadow.Empty());
    // The text covers part of its shadow, so compare the edges the shadow sticks out of.
    if (C.Dx < 0)
      EXPECT_EQ(Shadow.Left, Text.Left + C.Dx) << C.Pos;
    else
      EXPECT_EQ(Shadow.Right, Text.Right + C.Dx) << C.Pos;
    if (C.Dy < 0)
      EXPECT_EQ(Shadow.Top, Text.Top + C.Dy) << C.Pos;
    else
      EXPECT_EQ(Shadow.Bottom, Text.Bottom + C.Dy) << C.Pos;
  }
}

TEST(NxLabel, DisabledLabelIsGreyWithAHighlightRelief) {
  TNxLabel L;
  ShadowedH(L);
  L.SetColor(clBlue);
  L.SetShadowSize(0);
  L.setEnabled(false);
  const QImage Image = L.Backing()->Image();
  EXPECT_TRUE(PixelsOf(Image, clBlack).Empty());
  EXPECT_TRUE(PixelsOf(Image, clRed).Empty());
  const TBox Text = PixelsOf(Image, ColorToRGB(clGrayText));
  const TBox Relief = PixelsOf(Image, ColorToRGB(clBtnHighlight));
  ASSERT_FALSE(Text.Empty());
  EXPECT_EQ(Relief.Right, Text.Right + 1);
  EXPECT_EQ(Relief.Bottom, Text.Bottom + 1);
}

TEST(NxLabel, AutoSizeFitsTheCaption) {
  QWidget Form;
  TNxLabel L(&Form);
  L.SetCaption("A");
  const int LineHeight = L.height();
  EXPECT_GT(LineHeight, 1);
  L.SetCaption("");
  EXPECT_EQ(L.height(), LineHeight);

  // A right-aligned label keeps its right edge and grows to the left.
  L.SetAlignment(taRightJustify);
  L.SetCaption("ab");
  L.move(200, 10);
  const int Right = L.geometry().right();
  const int Width = L.width();
  L.SetCaption("abcdefgh");
  EXPECT_GT(L.width(), Width);
  EXPECT_EQ(L.geometry().right(), Right);

  // A larger shadow makes room for itself.
  const int Before = L.width();
  L.SetShadowSize(4);
  EXPECT_EQ(L.width(), Before + 3);
}

TEST(NxLabel, TransparentLabelShowsItsParent) {
  QWidget Form;
  Form.resize(100, 60);
  QPalette Pal = Form.palette();
  Pal.setColor(QPalette::Window, QColor(0, 128, 0));
  Form.setPalette(Pal);
  Form.setAutoFillBackground(true);
  TNxLabel L(&Form);
  ShadowedH(L);
  L.SetTransparent(true);
  const QImage Shot = Form.grab().toImage();
  EXPECT_EQ(Shot.pixelColor(1, 1), QColor(0, 128, 0));
  EXPECT_FALSE(PixelsOf(Shot.convertToFormat(QImage::Format_RGB32), clBlack).Empty());
  L.SetTransparent(false);
  EXPECT_EQ(Form.grab().toImage().pixelColor(1, 1), QColor(Qt::white));
}

TEST(NxLabel, AcceleratorFocusesItsControlAndShowsTheFocus) {
  QWidget Form;
  Form.resize(200, 100);
  TNxLabel L(&Form);
  auto* Edit = new QLineEdit(&Form);
  Edit->move(0, 40);
  auto* Other = new QLineEdit(&Form);
  Other->move(0, 70);
  L.SetCaption("&Name");
  L.SetFocusControl(Edit);
  L.SetShowFocus(true);
  Form.show();
  Form.activateWindow();
  ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == &Form; }));
  Other->setFocus();
  ASSERT_TRUE(WaitFor([&] { return Other->hasFocus(); }));
  const QImage Unfocused = L.Backing()->Image();

  // The label grabbed Alt+N; deliver it as the shortcut map would, under
  // whichever id the map gave it.
  bool Taken = false;
  for (int Id = -1; Id > -10000 && !Taken; --Id) {
    QShortcutEvent E(QKeySequence(Qt::ALT | Qt::Key_N), Id);
    Taken = QApplication::sendEvent(&L, &E);
  }
  ASSERT_TRUE(Taken);
  ASSERT_TRUE(WaitFor([&] { return Edit->hasFocus(); }));
  EXPECT_NE(L.Backing()->Image(), Unfocused);
  Other->setFocus();
  ASSERT_TRUE(WaitFor([&] { return Other->hasFocus(); }));
  EXPECT_EQ(L.Backing()->Image(), Unfocused);
}

TEST(NxLabel, MouseEnterAndLeaveFireOnce) {
  QWidget Form;
  Form.resize(200, 100);
  TNxLabel L(&Form);
  L.SetCaption("Hover");
  int Entered = 0;
  int Left = 0;
  L.OnMouseEnter = [&](QObject* S) { Entered += S == &L; };
  L.OnMouseLeave = [&](QObject* S) { Left += S == &L; };
  Form.show();
  Form.activateWindow();
  ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == &Form; }));

  QEnterEvent Enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
  QApplication::sendEvent(&L, &Enter);
  QApplication::sendEvent(&L, &Enter);
  EXPECT_EQ(Entered, 1);
  EXPECT_TRUE(L.MouseInControl());
  QEvent Leave(QEvent::Leave);
  QApplication::sendEvent(&L, &Leave);
  QApplication::sendEvent(&L, &Leave);
  EXPECT_EQ(Left, 1);

  // A disabled label reports nothing.
  L.setEnabled(false);
  QApplication::sendEvent(&L, &Enter);
  EXPECT_EQ(Entered, 1);
}
