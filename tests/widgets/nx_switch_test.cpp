#include "widgets/nx_switch.h"

#include "wait_for.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "widgets/vcl_utils.h"

namespace {

int CountColour(const QImage& Image, TColor Colour, TRect Area = {0, 0, 1 << 20, 1 << 20}) {
  const QRgb Want = ToQColor(Colour).rgb();
  int N = 0;
  for (int Y = std::max(0, Area.Top); Y < std::min(Image.height(), Area.Bottom); ++Y)
    for (int X = std::max(0, Area.Left); X < std::min(Image.width(), Area.Right); ++X)
      N += Image.pixel(X, Y) == Want;
  return N;
}

void Click(QWidget& W, Qt::MouseButton Button = Qt::LeftButton) {
  const QPointF At(5, 5);
  QMouseEvent Press(QEvent::MouseButtonPress, At, W.mapToGlobal(At), Button, Button,
                    Qt::NoModifier);
  QApplication::sendEvent(&W, &Press);
  QMouseEvent Release(QEvent::MouseButtonRelease, At, W.mapToGlobal(At), Button, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(&W, &Release);
}

void Key(QWidget& W, int K, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
  QKeyEvent Press(QEvent::KeyPress, K, Mods);
  QApplication::sendEvent(&W, &Press);
}

struct TLog {
  int On = 0, Off = 0, Clicks = 0;
};

void Watch(TNxSwitch& S, TLog& Log) {
  S.OnOn = [&](QObject* Sender) { Log.On += Sender == &S; };
  S.OnOff = [&](QObject* Sender) { Log.Off += Sender == &S; };
  S.OnClick = [&](QObject* Sender) { Log.Clicks += Sender == &S; };
}

}  // namespace

TEST(NxSwitch, ResourcePictures) {
  TNxSwitch S;
  EXPECT_EQ(S.GlyphOff()->Image(), LoadSwitchBitmap("SWITCH_OFF")->Image());
  EXPECT_EQ(S.GlyphOn()->Image(), LoadSwitchBitmap("SWITCH_ON")->Image());
  EXPECT_NE(S.GlyphOn()->Image(), S.GlyphOff()->Image());
  EXPECT_EQ(LoadSwitchBitmap("SWITCH_MAYBE"), nullptr);
  // Untouched pictures are not stored with the form.
  EXPECT_EQ(S.UserDefined(), 0);
  EXPECT_FALSE(S.StoredData().has_value());
  EXPECT_FALSE(S.GlyphStored(0));
}

TEST(NxSwitch, StateChangesFireOnAndOffOnce) {
  TNxSwitch S;
  TLog Log;
  Watch(S, Log);
  S.SetStateOn(false);
  EXPECT_EQ(Log.Off, 0);
  S.SetStateOn(true);
  S.SetStateOn(true);
  EXPECT_EQ(Log.On, 1);
  S.ToggleSwitch();
  EXPECT_FALSE(S.StateOn());
  EXPECT_EQ(Log.Off, 1);
}

TEST(NxSwitch, MouseAndToggleKeySwitch) {
  QWidget Form;
  TNxSwitch S(&Form);
  TLog Log;
  Watch(S, Log);
  Form.show();
  Form.activateWindow();
  ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == &Form; }));

  Click(S);
  EXPECT_TRUE(S.StateOn());
  EXPECT_EQ(Log.On, 1);
  EXPECT_EQ(Log.Clicks, 1);
  EXPECT_TRUE(S.hasFocus());
  Click(S, Qt::RightButton);
  EXPECT_TRUE(S.StateOn());
  EXPECT_EQ(Log.Clicks, 1);

  Key(S, Qt::Key_Space);
  EXPECT_FALSE(S.StateOn());
  Key(S, Qt::Key_Space, Qt::ControlModifier);
  EXPECT_FALSE(S.StateOn());
  S.SetToggleKey(scCtrl | 'T');
  Key(S, Qt::Key_Space);
  EXPECT_FALSE(S.StateOn());
  Key(S, Qt::Key_T, Qt::ControlModifier);
  EXPECT_TRUE(S.StateOn());
  EXPECT_EQ(Log.On, 2);
  EXPECT_EQ(Log.Off, 1);
}

TEST(NxSwitch, PictureFollowsStateCaptionAndEnabled) {
  TNxSwitch S;
  S.SetColor(clWhite);
  S.Redraw();
  // Off: the red knob, no lime; the picture's black background became the colour.
  QImage Image = S.Backing()->Image();
  EXPECT_GT(CountColour(Image, clRed), 0);
  EXPECT_EQ(CountColour(Image, clLime), 0);
  EXPECT_EQ(CountColour(Image, clBlack), 0);
  S.SetStateOn(true);
  Image = S.Backing()->Image();
  EXPECT_GT(CountColour(Image, clLime), 0);
  EXPECT_EQ(CountColour(Image, clRed), 0);

  // Caption on the right: the picture moves to the left edge, the text beside it.
  S.resize(120, 60);
  S.SetCaption("Power");
  S.Font()->SetColor(clBlue);
  S.SetTextPosition(tpRight);
  Image = S.Backing()->Image();
  const int GW = S.GlyphOn()->Width();
  EXPECT_GT(CountColour(Image, clLime, Rect(0, 0, GW, 60)), 0);
  EXPECT_EQ(CountColour(Image, clLime, Rect(GW, 0, 120, 60)), 0);
  EXPECT_GT(CountColour(Image, clBlue, Rect(GW, 0, 120, 60)), 0);
  S.SetTextPosition(tpLeft);
  Image = S.Backing()->Image();
  EXPECT_GT(CountColour(Image, clLime, Rect(120 - GW, 0, 120, 60)), 0);
  EXPECT_GT(CountColour(Image, clBlue, Rect(0, 0, 120 - GW, 60)), 0);

  // Disabled: the embossed grey version of the current picture.
  S.setEnabled(false);
  Image = S.Backing()->Image();
  EXPECT_EQ(CountColour(Image, clLime), 0);
  EXPECT_GT(CountColour(Image, ColorToRGB(clBtnShadow)), 0);
  EXPECT_GT(CountColour(Image, ColorToRGB(clBtnHighlight)), 0);
}

TEST(NxSwitch, UserPicturesAreKeptAndStored) {
  TNxSwitch S;
  TBitmap Mine(8, 8);
  Mine.Canvas()->Brush()->SetColor(clYellow);
  Mine.Canvas()->FillRect(Rect(0, 0, 8, 8));
  S.SetGlyphOn(&Mine);
  EXPECT_EQ(S.GlyphOn()->Image(), Mine.Image());
  EXPECT_EQ(S.UserDefined(), 2);
  EXPECT_TRUE(S.GlyphStored(1));
  EXPECT_EQ(S.StoredData(), QByteArray(1, '\x02'));
  TNxSwitch Same;
  Same.SetGlyphOn(&Mine);
  EXPECT_FALSE(S.StoredData(&Same).has_value());
  TNxSwitch Plain;
  EXPECT_EQ(S.StoredData(&Plain), QByteArray(1, '\x02'));

  S.SetGlyphOn(nullptr);
  EXPECT_EQ(S.UserDefined(), 0);
  EXPECT_EQ(S.GlyphOn()->Image(), LoadSwitchBitmap("SWITCH_ON")->Image());

  TNxSwitch Loaded;
  Loaded.ReadData(QByteArray(1, '\x01'));
  EXPECT_EQ(Loaded.UserDefined(), 1);
  Loaded.ReadData(QByteArray());
  EXPECT_EQ(Loaded.UserDefined(), 1);
}
