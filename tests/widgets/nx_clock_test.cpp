#include "widgets/nx_clock.h"

#include "wait_for.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/dialogs.h"
#include "widgets/nx_timer.h"

namespace {

class TTestClock : public TNxClock {
 public:
  QTime Now{12, 0, 0};

  TTestClock() {
    ClockTimer()->SetEnabled(false);
    OnGetTime = [this](QObject*, QTime& T) { T = Now; };
    SetColor(clWhite);
    Font()->SetColor(clBlack);
  }
  using TNxClock::ClockTimer;
  using TNxClock::DigitalSuffix;
  using TNxClock::DigitalText;
  using TNxClock::Tick;

  QImage Picture() const { return Backing()->Image().copy(); }
  // What a complete repaint at the current time looks like.
  QImage FullPicture() {
    Redraw();
    return Picture();
  }
};

void Analog(TTestClock& C, bool Seconds) {
  C.SetBevelInner(bvNone);
  C.SetBevelOuter(bvNone);
  C.SetShowSeconds(Seconds);
  C.resize(200, 200);
  C.SetShowMode(smAnalog);
}

int InkIn(const QImage& Image, int Cx, int Cy, int Half) {
  int N = 0;
  for (int Y = Cy - Half; Y <= Cy + Half; ++Y)
    for (int X = Cx - Half; X <= Cx + Half; ++X)
      if (Image.valid(X, Y) && Image.pixel(X, Y) == qRgb(0, 0, 0)) ++N;
  return N;
}

bool HasColour(const QImage& Image, TColor Colour) {
  const QRgb Want = ToQColor(Colour).rgb();
  for (int Y = 0; Y < Image.height(); ++Y)
    for (int X = 0; X < Image.width(); ++X)
      if (Image.pixel(X, Y) == Want) return true;
  return false;
}

}  // namespace

TEST(NxClock, DigitalTextFollowsTheHourSettings) {
  TTestClock C;
  const QTime Midnight(0, 0, 0);
  const QTime Afternoon(13, 5, 7);
  EXPECT_EQ(C.DigitalText(Afternoon), "13:05:07");
  EXPECT_EQ(C.DigitalSuffix(Afternoon), "");
  C.SetTwelveHour(true);
  EXPECT_EQ(C.DigitalText(Midnight) + C.DigitalSuffix(Midnight), "12:00:00 AM");
  EXPECT_EQ(C.DigitalText(QTime(12, 30)) + C.DigitalSuffix(QTime(12, 30)), "12:30:00 PM");
  EXPECT_EQ(C.DigitalText(Afternoon) + C.DigitalSuffix(Afternoon), "01:05:07 PM");
  C.SetLeadingZero(false);
  C.SetShowSeconds(false);
  EXPECT_EQ(C.DigitalText(Afternoon), "1:05");
}

TEST(NxClock, DigitalTicksRedrawOnlyWhatChanged) {
  for (bool Twelve : {false, true}) {
    TTestClock C;
    C.resize(300, 80);
    C.Font()->SetHeight(-40);
    C.SetTwelveHour(Twelve);
    C.Now = QTime(10, 15, 30);
    const QImage Before = C.FullPicture();

    C.Now = QTime(10, 15, 31);
    C.Tick();
    const QImage Ticked = C.Picture();
    EXPECT_EQ(Ticked, C.FullPicture());
    // Only the last digit changed, so only the right part of the digits did.
    int Left = C.width();
    for (int Y = 0; Y < Before.height(); ++Y)
      for (int X = 0; X < Before.width(); ++X)
        if (Before.pixel(X, Y) != Ticked.pixel(X, Y)) Left = std::min(Left, X);
    EXPECT_GT(Left, C.width() / 2);
    EXPECT_LT(Left, C.width());

    // A new hour (and a new half of the day) repaints everything.
    for (QTime T : {QTime(10, 59, 59), QTime(11, 0, 0), QTime(11, 59, 59), QTime(12, 0, 0)}) {
      C.Now = T;
      C.Tick();
      EXPECT_EQ(C.Picture(), C.FullPicture()) << T.toString().toStdString();
    }
  }
}

TEST(NxClock, AnalogHandsPointAtTheTime) {
  TTestClock C;
  Analog(C, false);
  C.Now = QTime(3, 0, 0);
  QImage Face = C.FullPicture();
  const int Cx = 100, Cy = 100, R = 94;
  // Minute hand up, hour hand right, nothing down or left.
  EXPECT_GT(InkIn(Face, Cx, Cy - R * 70 / 100, 6), 0);
  EXPECT_EQ(InkIn(Face, Cx, Cy + R * 70 / 100, 6), 0);
  EXPECT_GT(InkIn(Face, Cx + R * 45 / 100, Cy, 6), 0);
  EXPECT_EQ(InkIn(Face, Cx - R * 45 / 100, Cy, 6), 0);

  // 9:30: minute hand down, hour hand half-way between 9 and 10.
  C.Now = QTime(9, 30, 0);
  C.Tick();
  Face = C.Picture();
  EXPECT_EQ(Face, C.FullPicture());
  EXPECT_GT(InkIn(Face, Cx, Cy + R * 70 / 100, 6), 0);
  EXPECT_EQ(InkIn(Face, Cx, Cy - R * 70 / 100, 6), 0);
  EXPECT_EQ(InkIn(Face, Cx + R * 45 / 100, Cy, 6), 0);
  EXPECT_GT(InkIn(Face, Cx - R * 43 / 100, Cy - R * 12 / 100, 6), 0);

  // The hour marks are drawn in the dots colour, raised.
  EXPECT_TRUE(HasColour(Face, 0x808000));
  EXPECT_TRUE(HasColour(Face, 0xFFFF00));
  EXPECT_TRUE(HasColour(Face, ColorToRGB(clBtnShadow)));
}

TEST(NxClock, SecondHandInvertsAndIsErasedByTheNextTick) {
  TTestClock C;
  Analog(C, true);
  C.Now = QTime(0, 0, 15);
  QImage Face = C.FullPicture();
  const int Cx = 100, Cy = 100, R = 94;
  for (int X = Cx + R * 30 / 100; X < Cx + R * 75 / 100; ++X)
    EXPECT_EQ(Face.pixel(X, Cy), qRgb(0, 0, 0)) << X;

  C.Now = QTime(0, 0, 16);
  C.Tick();
  Face = C.Picture();
  EXPECT_EQ(Face.pixel(Cx + R * 60 / 100, Cy), qRgb(255, 255, 255));
  EXPECT_EQ(Face, C.FullPicture());

  // When the minute moves, the second hand leaves no trace behind either.
  for (QTime T : {QTime(0, 0, 59), QTime(0, 1, 0), QTime(0, 1, 0, 450), QTime(0, 12, 1)}) {
    C.Now = T;
    C.Tick();
    EXPECT_EQ(C.Picture(), C.FullPicture()) << T.toString().toStdString();
  }
}

TEST(NxClock, SmallFaceHasNoMinuteDots) {
  TTestClock C;
  Analog(C, false);
  C.resize(40, 40);
  const QImage Face = C.FullPicture();
  EXPECT_FALSE(HasColour(Face, ColorToRGB(clBtnShadow)));
  EXPECT_FALSE(HasColour(Face, 0x808000));
  EXPECT_TRUE(HasColour(Face, clBlack));
}

TEST(NxClock, AlarmFiresOnceADay) {
  TTestClock C;
  int Fired = 0;
  C.OnAlarm = [&](QObject* S) { Fired += S == &C; };
  C.Now = QTime(7, 0, 0);
  C.SetAlarmHour(7);
  C.SetAlarmMinute(30);
  C.SetAlarmEnabled(true);
  for (QTime T : {QTime(7, 29, 59), QTime(7, 30, 0), QTime(7, 30, 0, 450), QTime(7, 30, 59),
                  QTime(7, 31, 0), QTime(23, 59, 59)}) {
    C.Now = T;
    C.Tick();
  }
  EXPECT_EQ(Fired, 1);
  // The next day.
  for (QTime T : {QTime(0, 0, 0), QTime(7, 29, 59), QTime(7, 30, 30), QTime(7, 30, 31)}) {
    C.Now = T;
    C.Tick();
  }
  EXPECT_EQ(Fired, 2);

  // Starting within the alarm minute but after the alarm: nothing until tomorrow.
  C.SetAlarmSecond(10);
  C.Now = QTime(7, 30, 45);
  C.SetAlarmMinute(30);
  C.Tick();
  EXPECT_EQ(Fired, 2);

  try {
    C.SetAlarmHour(24);
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& E) {
    EXPECT_STREQ(E.what(), "''24:30:10'' is not a valid time");
  }
  EXPECT_EQ(C.AlarmHour(), 7);
  EXPECT_THROW(C.SetAlarmSecond(60), EConvertError);
}

TEST(NxClock, OwnTimerDrivesTheDisplayOnTheGuiThread) {
  TTestClock C;
  C.resize(200, 60);
  C.Now = QTime(8, 0, 0);
  const QImage Start = C.FullPicture();
  bool OffGui = false;
  C.OnGetTime = [&](QObject*, QTime& T) {
    OffGui |= QThread::currentThread() != QCoreApplication::instance()->thread();
    T = C.Now;
  };
  C.Now = QTime(8, 0, 1);
  C.ClockTimer()->SetEnabled(true);
  EXPECT_EQ(C.ClockTimer()->Interval(), 450u);
  ASSERT_TRUE(WaitFor([&] { return C.Picture() != Start; }));
  EXPECT_FALSE(OffGui);
}

TEST(NxClock, FailingTimeSourceIsReportedNotThrownThroughPainting) {
  TScriptedDialogService Script;
  TScopedDialogService Scope(Script);
  TTestClock C;
  C.OnGetTime = [](QObject*, QTime&) { throw std::runtime_error("no time today"); };
  EXPECT_NO_THROW(C.Redraw());
  EXPECT_TRUE(C.GetSystemTime().isValid());
  ASSERT_TRUE(WaitFor([&] { return !Script.Messages().isEmpty(); }));
  EXPECT_TRUE(Script.Messages().first().contains("no time today"));
  PumpFor(20);
}
