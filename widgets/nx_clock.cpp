#include "widgets/nx_clock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/app_services.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "widgets/nx_timer.h"

namespace {

// Face positions for the 60 minutes at radius 8000, minute 0 at the top,
// clockwise; the y values follow the screen's pixel aspect.
struct TFaceTable {
  std::array<TPoint, 60> Points{};
  double Aspect = 1.0;  // vertical over horizontal pixels per length

  TFaceTable() {
    const QScreen* Screen = QGuiApplication::primaryScreen();
    if (Screen && Screen->logicalDotsPerInchX() > 0)
      Aspect = Screen->logicalDotsPerInchY() / Screen->logicalDotsPerInchX();
    for (int I = 0; I < 60; ++I) {
      const double A = I * 6.0 * M_PI / 180.0;
      Points[I].X = static_cast<int>(std::lround(8000 * std::sin(A)));
      Points[I].Y = static_cast<int>(std::lround(-8000 * std::cos(A) * Aspect));
    }
  }
};

const TFaceTable& FaceTable() {
  static const TFaceTable Table;
  return Table;
}

int ScreenWidth() {
  const QScreen* Screen = QGuiApplication::primaryScreen();
  return Screen && Screen->geometry().width() > 0 ? Screen->geometry().width() : 1024;
}

// The frame of the hour marks: each component brightened, clamped to a byte.
TColor LighterColor(TColor Color) {
  const TColor C = ColorToRGB(Color);
  const int Parts[3] = {GetRValue(C), GetGValue(C), GetBValue(C)};
  int Out[3];
  for (int I = 0; I < 3; ++I) {
    if (Parts[I] > 254) return clBtnHighlight;
    Out[I] = Parts[I] == 0 ? 0 : Parts[I] == 192 ? 255 : std::min(255, Parts[I] + 127);
  }
  return RGB(Out[0], Out[1], Out[2]);
}

void Frame3D(TCanvas& C, TRect& R, TColor Top, TColor Bottom, int Width) {
  R.Right -= 1;
  R.Bottom -= 1;
  for (int I = 0; I < Width; ++I) {
    C.Pen()->SetColor(Top);
    C.MoveTo(R.Left, R.Bottom);
    C.LineTo(R.Left, R.Top);
    C.LineTo(R.Right, R.Top);
    C.Pen()->SetColor(Bottom);
    C.LineTo(R.Right, R.Bottom);
    C.LineTo(R.Left - 1, R.Bottom);
    R = TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
  }
  R.Right += 1;
  R.Bottom += 1;
}

void BevelColors(TPanelBevel Bevel, TColor& Top, TColor& Bottom) {
  Top = Bevel == bvLowered ? clBtnShadow : clBtnHighlight;
  Bottom = Bevel == bvLowered ? clBtnHighlight : clBtnShadow;
}

QString TwoDigits(int N) { return QStringLiteral("%1").arg(N, 2, 10, QLatin1Char('0')); }

}  // namespace

TNxClock::TNxClock(QWidget* AOwner) : TBackingControl(AOwner), FFont(std::make_unique<TFont>()) {
  (void)FaceTable();
  resize(185, 41);
  FFont->OnChange = [this](TGraphicsObject*) {
    if (FFitting) return;
    FitFont();
    Redraw();
  };
  const QTime Now = GetSystemTime();
  FDisplayHour = static_cast<std::uint16_t>(Now.hour() % 12);
  FDisplayMinute = static_cast<std::uint16_t>(Now.minute());
  FDisplaySecond = static_cast<std::uint16_t>(Now.second());
  FTimer = new TNxTimer(this);
  FTimer->SetInterval(450);
  FTimer->SetOnTimer([this](QObject*) { Tick(); });
}

TNxClock::~TNxClock() {
  // Stops and joins the timer thread before anything a tick uses is gone.
  delete FTimer;
  FTimer = nullptr;
  FFont->OnChange = nullptr;
}

QTime TNxClock::GetSystemTime() {
  const QTime System = QTime::currentTime();
  QTime Time = System;
  if (!OnGetTime) return Time;
  try {
    OnGetTime(this, Time);
  } catch (...) {
    // The time is also read while painting, where no box may open and no
    // exception may escape: report later and show the system's time.
    const std::exception_ptr Error = std::current_exception();
    QMetaObject::invokeMethod(
        qApp, [Error] { ShowException(Error); }, Qt::QueuedConnection);
    return System;
  }
  return Time.isValid() ? Time : System;
}

void TNxClock::DoAlarm() {
  if (OnAlarm) OnAlarm(this);
}

// ---------------------------------------------------------------------------
// Properties

void TNxClock::SetAlarmTime(int Hour, int Minute, int Second) {
  if (Hour >= 24 || Minute >= 60 || Second >= 60)
    throw EConvertError(QStringLiteral("''%1:%2:%3'' is not a valid time")
                            .arg(Hour)
                            .arg(Minute)
                            .arg(Second)
                            .toStdString());
  FAlarmHour = static_cast<std::uint8_t>(Hour);
  FAlarmMinute = static_cast<std::uint8_t>(Minute);
  FAlarmSecond = static_cast<std::uint8_t>(Second);
  FAlarmTime = QTime(Hour, Minute, Second);
  const QTime Now = GetSystemTime();
  FAlarmArmed = Now < FAlarmTime || FAlarmTime == QTime(0, 0, 0);
}

void TNxClock::SetAlarmHour(std::uint8_t Value) { SetAlarmTime(Value, FAlarmMinute, FAlarmSecond); }

void TNxClock::SetAlarmMinute(std::uint8_t Value) { SetAlarmTime(FAlarmHour, Value, FAlarmSecond); }

void TNxClock::SetAlarmSecond(std::uint8_t Value) { SetAlarmTime(FAlarmHour, FAlarmMinute, Value); }

void TNxClock::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  if (Value) {
    FitFont();
    Redraw();
  }
}

void TNxClock::SetBevelInner(TPanelBevel Value) {
  if (Value == FBevelInner) return;
  FBevelInner = Value;
  Redraw();
}

void TNxClock::SetBevelOuter(TPanelBevel Value) {
  if (Value == FBevelOuter) return;
  FBevelOuter = Value;
  Redraw();
}

void TNxClock::SetBevelWidth(int Value) {
  if (Value == FBevelWidth || Value < 1) return;
  FBevelWidth = Value;
  Redraw();
}

void TNxClock::SetBorderWidth(int Value) {
  if (Value == FBorderWidth || Value < 0) return;
  FBorderWidth = Value;
  Redraw();
}

void TNxClock::SetCtl3D(bool Value) {
  if (Value == FCtl3D) return;
  FCtl3D = Value;
  Redraw();
}

void TNxClock::SetDotsColor(TColor Value) {
  if (Value == FDotsColor) return;
  FDotsColor = Value;
  Redraw();
}

void TNxClock::SetShowMode(TShowMode Value) {
  if (Value == FShowMode) return;
  FShowMode = Value;
  Redraw();
}

void TNxClock::SetShowSeconds(bool Value) {
  if (Value == FShowSeconds) return;
  FShowSeconds = Value;
  FitFont();
  Redraw();
}

void TNxClock::SetTwelveHour(bool Value) {
  if (Value == FTwelveHour) return;
  FTwelveHour = Value;
  FitFont();
  Redraw();
}

void TNxClock::SetLeadingZero(bool Value) {
  if (Value == FLeadingZero) return;
  FLeadingZero = Value;
  Redraw();
}

// ---------------------------------------------------------------------------
// Panel and beat

TRect TNxClock::InnerRect() const {
  int Inset = FBorderWidth;
  if (FBevelOuter != bvNone) Inset += FBevelWidth;
  if (FBevelInner != bvNone) Inset += FBevelWidth;
  return TRect{Inset, Inset, width() - Inset, height() - Inset};
}

void TNxClock::PrepareCanvas(TCanvas& Canvas) const {
  Canvas.SetFont(FFont.get());
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.Brush()->SetColor(Color());
  Canvas.Pen()->SetData(TPenData{FFont->Color(), 1, psSolid, pmCopy});
  Canvas.SetTextAlign(TA_LEFT | TA_TOP);
}

void TNxClock::PaintBacking(TCanvas& Canvas) {
  PrepareCanvas(Canvas);
  TRect R{0, 0, width(), height()};
  Canvas.FillRect(R);
  TColor Top, Bottom;
  if (FBevelOuter != bvNone) {
    BevelColors(FBevelOuter, Top, Bottom);
    Frame3D(Canvas, R, Top, Bottom, FBevelWidth);
  }
  Frame3D(Canvas, R, Color(), Color(), FBorderWidth);
  if (FBevelInner != bvNone) {
    BevelColors(FBevelInner, Top, Bottom);
    Frame3D(Canvas, R, Top, Bottom, FBevelWidth);
  }
  PrepareCanvas(Canvas);

  if (FShowMode == smDigital) {
    DrawDigital(Canvas, InnerRect(), true);
    return;
  }
  ComputeFace();
  // The face is already the panel colour; the bevels are left alone.
  const QTime Now = GetSystemTime();
  FDisplayHour = static_cast<std::uint16_t>(Now.hour() % 12);
  FDisplayMinute = static_cast<std::uint16_t>(Now.minute());
  FDisplaySecond = static_cast<std::uint16_t>(Now.second());
  DrawMarks(Canvas);
  DrawHands(Canvas, FDisplayHour, FDisplayMinute, FFont->Color());
  if (FShowSeconds) DrawSecondHand(Canvas, FDisplaySecond);
}

void TNxClock::Tick() {
  if (Backing()->Width() != width() || Backing()->Height() != height() || Backing()->Empty()) {
    Redraw();
  } else {
    TCanvas& Canvas = *this->Canvas();
    PrepareCanvas(Canvas);
    if (FShowMode == smDigital)
      DrawDigital(Canvas, InnerRect(), false);
    else
      UpdateHands(Canvas);
    update();
  }
  CheckAlarm();
}

void TNxClock::CheckAlarm() {
  const QTime Now = GetSystemTime();
  if (FAlarmEnabled && Now.hour() == FAlarmHour && Now.minute() == FAlarmMinute &&
      Now.second() >= FAlarmSecond) {
    if (FAlarmArmed) {
      FAlarmArmed = false;
      DoAlarm();
    }
    return;
  }
  FAlarmArmed = Now < FAlarmTime || FAlarmTime == QTime(0, 0, 0);
}

void TNxClock::changeEvent(QEvent* Event) {
  TBackingControl::changeEvent(Event);
  if (Event->type() == QEvent::LocaleChange) {
    FitFont();
    Redraw();
  }
}

void TNxClock::resizeEvent(QResizeEvent* Event) {
  TBackingControl::resizeEvent(Event);
  FitFont();
}

// ---------------------------------------------------------------------------
// Digital face

QString TNxClock::DigitalText(const QTime& Time) const {
  int Shown = Time.hour();
  if (FTwelveHour) {
    if (Shown > 12)
      Shown -= 12;
    else if (Shown == 0)
      Shown = 12;
  }
  QString Text = FLeadingZero ? TwoDigits(Shown) : QString::number(Shown);
  Text += QLatin1Char(':') + TwoDigits(Time.minute());
  if (FShowSeconds) Text += QLatin1Char(':') + TwoDigits(Time.second());
  return Text;
}

QString TNxClock::DigitalSuffix(const QTime& Time) const {
  if (!FTwelveHour) return QString();
  return Time.hour() < 12 ? QStringLiteral(" AM") : QStringLiteral(" PM");
}

void TNxClock::DrawDigital(TCanvas& Canvas, const TRect& R, bool Full) {
  const QTime Now = GetSystemTime();
  const int Hour12 = Now.hour() % 12;
  if (!Full && Hour12 != FDisplayHour) {
    // A new hour may change the width of everything: start afresh.
    Redraw();
    return;
  }
  const QString Digits = DigitalText(Now);
  const QString Suffix = DigitalSuffix(Now);
  const int N = static_cast<int>(Digits.size());
  const int Cell = Canvas.TextWidth(QStringLiteral("8"));
  const int Height = Canvas.TextHeight(QStringLiteral("8"));
  const int Total = N * Cell + (Suffix.isEmpty() ? 0 : Canvas.TextWidth(Suffix));
  const int X0 = R.Left + (R.Width() - Total) / 2;
  const int Y0 = R.Top + (R.Height() - Height) / 2;
  const int HourCells = static_cast<int>(Digits.indexOf(QLatin1Char(':')));
  const bool MinuteSame = Now.minute() == FDisplayMinute;
  const bool SecondSame = Now.second() == FDisplaySecond;

  for (int I = 0; I < N; ++I) {
    const bool MinuteCell = I == HourCells + 1 || I == HourCells + 2;
    const bool SecondCell = I == HourCells + 4 || I == HourCells + 5;
    if (!Full && ((MinuteCell && MinuteSame) || (SecondCell && SecondSame))) continue;
    const TRect CellRect{X0 + I * Cell, Y0, X0 + (I + 1) * Cell, Y0 + Height};
    Canvas.FillRect(CellRect);
    const QString Ch(Digits[I]);
    Canvas.TextOut(CellRect.Left + (Cell - Canvas.TextWidth(Ch)) / 2, Y0, Ch);
  }
  if (Full && !Suffix.isEmpty()) Canvas.TextOut(X0 + N * Cell, Y0, Suffix);
  FDisplayHour = static_cast<std::uint16_t>(Hour12);
  FDisplayMinute = static_cast<std::uint16_t>(Now.minute());
  FDisplaySecond = static_cast<std::uint16_t>(Now.second());
}

void TNxClock::FitFont() {
  if (!FAutoSize || FFitting) return;
  const int AvailHeight = height() - 4;
  const int AvailWidth = width() - 30;
  QString Sample = QStringLiteral("88888");
  if (FShowSeconds) Sample += QStringLiteral("888");
  static TBitmap Measure(1, 1);
  TCanvas& C = *Measure.Canvas();
  C.SetFont(FFont.get());
  C.Font()->SetHeight(1000);
  if (FTwelveHour) {
    const QString Am = QStringLiteral("AM");
    const QString Pm = QStringLiteral("PM");
    Sample += QLatin1Char(' ') + (C.TextWidth(Am) >= C.TextWidth(Pm) ? Am : Pm);
  }
  const int Wide = C.TextWidth(Sample);
  int Height = AvailHeight * 4 / 5;
  if (Wide > 0)
    Height = std::min(Height, static_cast<int>(static_cast<long long>(AvailWidth) * 1000 / Wide));
  FFitting = true;
  FFont->SetHeight(std::max(1, Height));
  FFitting = false;
}

// ---------------------------------------------------------------------------
// Analog face

void TNxClock::ComputeFace() {
  const double Aspect = FaceTable().Aspect;
  const int W = width();
  const int H = height();
  int FaceW = W;
  int FaceH = static_cast<int>(std::lround(W * Aspect));
  if (FaceH > H) {
    FaceH = H;
    FaceW = static_cast<int>(std::lround(H / Aspect));
  }
  FFaceRect = Bounds((W - FaceW) / 2, (H - FaceH) / 2, FaceW, FaceH);
  FMarkWidth = std::max(2, FaceW * 25 / ScreenWidth());
  FMarkHeight = std::max(1, static_cast<int>(std::lround(FMarkWidth * Aspect)));
  const int Inner = FaceW - 2 * (FMarkWidth / 2);
  FRadius = std::max(0, Inner / 2);
  FCentre = TPoint{FFaceRect.Left + FaceW / 2, FFaceRect.Top + FaceH / 2};
}

TPoint TNxClock::FacePoint(int Index, int Percent) const {
  const TPoint P = FaceTable().Points[static_cast<std::size_t>(((Index % 60) + 60) % 60)];
  const long long Scale = static_cast<long long>(FRadius) * Percent;
  return TPoint{FCentre.X + static_cast<int>(P.X * Scale / 800000),
                FCentre.Y + static_cast<int>(P.Y * Scale / 800000)};
}

void TNxClock::DrawMarks(TCanvas& Canvas) {
  const int W = FMarkWidth;
  const int H = FMarkHeight;
  const bool Large = W >= 3 && H > 1;
  const bool Raised = FCtl3D && Large;
  for (int I = 0; I < 60; ++I) {
    const TPoint P = FacePoint(I, 100);
    if (I % 5 == 0) {
      const TRect Mark = Bounds(P.X - W / 2, P.Y - H / 2, W, H);
      Canvas.Brush()->SetColor(Raised ? FDotsColor : FFont->Color());
      Canvas.FillRect(Mark);
      if (Raised) {
        TRect Frame = Mark;
        Frame3D(Canvas, Frame, LighterColor(FDotsColor), clWindowFrame, 1);
      }
    } else if (Large) {
      if (FCtl3D) {
        Canvas.Brush()->SetColor(clBtnShadow);
        Canvas.FillRect(TRect{P.X - 1, P.Y - 1, P.X + 1, P.Y + 1});
        Canvas.Brush()->SetColor(clBtnHighlight);
        Canvas.FillRect(TRect{P.X, P.Y, P.X + 2, P.Y + 2});
      }
      Canvas.SetPixels(P.X, P.Y, FFont->Color());
    }
  }
  Canvas.Brush()->SetColor(Color());
}

void TNxClock::DrawHands(TCanvas& Canvas, int Hour, int Minute, TColor Color) {
  Canvas.Pen()->SetData(TPenData{Color, 1, psSolid, pmCopy});
  auto Hand = [&](int Pos, int Tip, int Side, int Tail) {
    const TPoint S1 = FacePoint(Pos + 15, Side);
    const TPoint T = FacePoint(Pos, Tip);
    const TPoint S2 = FacePoint(Pos + 45, Side);
    const TPoint B = FacePoint(Pos + 30, Tail);
    Canvas.MoveTo(S1.X, S1.Y);
    Canvas.LineTo(T.X, T.Y);
    Canvas.LineTo(S2.X, S2.Y);
    Canvas.LineTo(B.X, B.Y);
    Canvas.LineTo(S1.X, S1.Y);
  };
  Hand(Hour * 5 + Minute / 12, 60, 7, 15);
  Hand(Minute, 80, 5, 20);
  Canvas.Pen()->SetData(TPenData{FFont->Color(), 1, psSolid, pmCopy});
}

void TNxClock::DrawSecondHand(TCanvas& Canvas, int Second) {
  // Inverting, so that drawing the same hand again takes it away.
  Canvas.Pen()->SetData(TPenData{clBlack, 1, psSolid, pmNot});
  const TPoint Tip = FacePoint(Second, 80);
  Canvas.MoveTo(FCentre.X, FCentre.Y);
  Canvas.LineTo(Tip.X, Tip.Y);
  Canvas.Pen()->SetData(TPenData{FFont->Color(), 1, psSolid, pmCopy});
}

void TNxClock::UpdateHands(TCanvas& Canvas) {
  const QTime Now = GetSystemTime();
  const int Hour12 = Now.hour() % 12;
  const bool HandsMoved = Now.minute() != FDisplayMinute || Hour12 != FDisplayHour;
  const bool SecondMoved = Now.second() != FDisplaySecond;
  // The second hand also comes off while the others move, or redrawing them
  // beneath it would leave inverted pixels behind.
  const bool RedrawSecond = FShowSeconds && (SecondMoved || HandsMoved);
  if (RedrawSecond) DrawSecondHand(Canvas, FDisplaySecond);
  if (HandsMoved) {
    DrawHands(Canvas, FDisplayHour, FDisplayMinute, Color());
    DrawHands(Canvas, Hour12, Now.minute(), FFont->Color());
  }
  if (RedrawSecond) DrawSecondHand(Canvas, Now.second());
  FDisplayHour = static_cast<std::uint16_t>(Hour12);
  FDisplayMinute = static_cast<std::uint16_t>(Now.minute());
  FDisplaySecond = static_cast<std::uint16_t>(Now.second());
}
