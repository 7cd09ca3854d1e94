#pragma once

// A panel that shows the time of day as digits or as an analog face, driven
// by its own threaded timer, with a daily alarm.

#include <QString>
#include <QTime>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>

#include "platform/backing_control.h"
#include "platform/graphics.h"
#include "widgets/nx_events.h"

class TNxTimer;

enum TShowMode { smDigital, smAnalog };

using TGetTimeEvent = std::function<void(QObject* Sender, QTime& Time)>;

// Raised for an alarm time that is not a time of day.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TNxClock : public TBackingControl {
  Q_OBJECT
 public:
  explicit TNxClock(QWidget* AOwner = nullptr);
  ~TNxClock() override;

  bool AlarmEnabled() const { return FAlarmEnabled; }
  void SetAlarmEnabled(bool Value) { FAlarmEnabled = Value; }
  std::uint8_t AlarmHour() const { return FAlarmHour; }
  void SetAlarmHour(std::uint8_t Value);
  std::uint8_t AlarmMinute() const { return FAlarmMinute; }
  void SetAlarmMinute(std::uint8_t Value);
  std::uint8_t AlarmSecond() const { return FAlarmSecond; }
  void SetAlarmSecond(std::uint8_t Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TPanelBevel BevelInner() const { return FBevelInner; }
  void SetBevelInner(TPanelBevel Value);
  TPanelBevel BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel Value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  TColor DotsColor() const { return FDotsColor; }
  void SetDotsColor(TColor Value);
  TShowMode ShowMode() const { return FShowMode; }
  void SetShowMode(TShowMode Value);
  bool ShowSeconds() const { return FShowSeconds; }
  void SetShowSeconds(bool Value);
  bool TwelveHour() const { return FTwelveHour; }
  void SetTwelveHour(bool Value);
  bool LeadingZero() const { return FLeadingZero; }
  void SetLeadingZero(bool Value);
  TFont* Font() const { return FFont.get(); }

  TNotifyEvent OnAlarm;
  TGetTimeEvent OnGetTime;

  // The time of day to show: the system's, or what OnGetTime makes of it.
  virtual QTime GetSystemTime();

 protected:
  virtual void DoAlarm();
  // One beat of the clock: brings the display up to date, then checks the alarm.
  void Tick();
  TNxTimer* ClockTimer() const { return FTimer; }
  // The digits and the AM/PM suffix shown for Time.
  QString DigitalText(const QTime& Time) const;
  QString DigitalSuffix(const QTime& Time) const;

  void PaintBacking(TCanvas& Canvas) override;
  void changeEvent(QEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;

 private:
  TRect InnerRect() const;
  void DrawDigital(TCanvas& Canvas, const TRect& R, bool Full);
  void FitFont();
  void ComputeFace();
  TPoint FacePoint(int Index, int Percent) const;
  void DrawMarks(TCanvas& Canvas);
  void DrawHands(TCanvas& Canvas, int Hour, int Minute, TColor Color);
  void DrawSecondHand(TCanvas& Canvas, int Second);
  void UpdateHands(TCanvas& Canvas);
  void CheckAlarm();
  void SetAlarmTime(int Hour, int Minute, int Second);
  void PrepareCanvas(TCanvas& Canvas) const;

  TNxTimer* FTimer = nullptr;
  std::unique_ptr<TFont> FFont;
  bool FAlarmEnabled = false;
  std::uint8_t FAlarmHour = 0;
  std::uint8_t FAlarmMinute = 0;
  std::uint8_t FAlarmSecond = 0;
  QTime FAlarmTime{0, 0, 0};
  bool FAlarmArmed = true;
  bool FAutoSize = false;
  TPanelBevel FBevelInner = bvLowered;
  TPanelBevel FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  bool FCtl3D = true;
  TColor FDotsColor = 0x808000;
  TShowMode FShowMode = smDigital;
  bool FShowSeconds = true;
  bool FTwelveHour = false;
  bool FLeadingZero = true;
  bool FFitting = false;

  std::uint16_t FDisplayHour = 0;  // 0..11
  std::uint16_t FDisplayMinute = 0;
  std::uint16_t FDisplaySecond = 0;
  TRect FFaceRect;
  TPoint FCentre;
  int FRadius = 0;
  int FMarkWidth = 2;
  int FMarkHeight = 1;
};
