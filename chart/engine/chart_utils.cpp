#include "chart/engine/chart_utils.h"

#include <cmath>

#include <QDate>
#include <QObject>
#include <QWidget>

#include "chart/engine/chart_format.h"
#include "platform/number_text.h"

namespace {
constexpr double Second = 1.0 / 86400;
constexpr double Minute = 60 * Second;
constexpr double Hour = 60 * Minute;
constexpr qint64 JulianDayOfZero = 2415019;  // 30 December 1899
}  // namespace

const double DateTimeStep[NumDateTimeSteps] = {
    Second,      5 * Second,  10 * Second, 15 * Second, 30 * Second, Minute,   5 * Minute,
    10 * Minute, 15 * Minute, 30 * Minute, Hour,        2 * Hour,    6 * Hour, 12 * Hour,
    1,           2,           3,           7,           15,          30,       60,
    90,          120,         182,         365};

int DateTimeStepIndex(double Step) {
  for (int i = NumDateTimeSteps - 1; i >= 0; --i)
    if (std::fabs(DateTimeStep[i] - Step) < DateTimeStep[0]) return i;
  return dtNone;
}

double NextDateTimeStep(double Step) {
  for (int i = NumDateTimeSteps - 2; i >= 0; --i)
    if (DateTimeStep[i] <= Step) return DateTimeStep[i + 1];
  return DateTimeStep[NumDateTimeSteps - 1];
}

QString DateTimeFormatForStep(double Step) {
  return Step > 1 ? ShortDateFormat() : ShortTimeFormat();
}

double CalcDateTimeStep(double Range, double Increment, int MaxLabels) {
  double Step = std::isfinite(Increment) ? std::max(DateTimeStep[0], Increment) : DateTimeStep[0];
  Range = std::fabs(Range);
  if (MaxLabels < 1 || !std::isfinite(Range)) return DateTimeStep[0];
  // Bounded: at most a million labels to start with, and each round doubles at least.
  if (Range / Step > 1000000) Step = Range / 1000000;
  while (Round(Range / Step) > MaxLabels)
    Step = Step >= DateTimeStep[dtOneYear] ? Step * 2 : NextDateTimeStep(Step);
  return Step;
}

double EncodeDate(int Year, int Month, int Day) {
  return double(QDate(Year, Month, Day).toJulianDay() - JulianDayOfZero);
}

void DecodeDate(double Date, int& Year, int& Month, int& Day) {
  const double D = std::floor(std::isfinite(Date) ? std::clamp(Date, -693593.0, 2958465.0) : 0);
  QDate(QDate::fromJulianDay(qint64(D) + JulianDayOfZero)).getDate(&Year, &Month, &Day);
}

double ChartRoundDate(double Date, int StepIndex) {
  if (!std::isfinite(Date) || Date <= EncodeDate(1900, 1, 1)) return Date;
  int Y, M, D;
  DecodeDate(Date, Y, M, D);
  switch (StepIndex) {
    case dtHalfMonth:
      D = D >= 15 ? 15 : 1;
      break;
    case dtOneMonth:
    case dtTwoMonths:
    case dtThreeMonths:
    case dtFourMonths:
    case dtSixMonths:
      D = 1;
      break;
    case dtOneYear:
      D = 1;
      M = 1;
      break;
    default:
      break;
  }
  return EncodeDate(Y, M, D);
}

void IncDecDateTime(bool Increment, double& Value, double Amount, bool IsDateTime, int StepIndex) {
  if (!IsDateTime || StepIndex < dtHalfMonth || StepIndex > dtOneYear || !std::isfinite(Value)) {
    Value += Increment ? Amount : -Amount;
    return;
  }
  int Y, M, D;
  DecodeDate(Value, Y, M, D);
  auto MoveMonths = [&](int Months) {
    int Total = Y * 12 + (M - 1) + (Increment ? Months : -Months);
    Y = Total / 12;
    M = Total % 12 + 1;
  };
  switch (StepIndex) {
    case dtHalfMonth:
      // Forwards: the 1st goes to the 15th, the 15th and later to the 1st of the next month;
      // backwards the reverse. (A table entry that went backwards either way is mended.)
      if (Increment) {
        if (D < 15) {
          D = 15;
        } else {
          D = 1;
          MoveMonths(1);
        }
      } else {
        if (D > 15) {
          D = 15;
        } else if (D > 1) {
          D = 1;
        } else {
          D = 15;
          MoveMonths(1);
        }
      }
      break;
    case dtOneMonth:
      D = 1;
      MoveMonths(1);
      break;
    case dtTwoMonths:
      D = 1;
      MoveMonths(2);
      break;
    case dtThreeMonths:
      D = 1;
      MoveMonths(3);
      break;
    case dtFourMonths:
      D = 1;
      MoveMonths(4);
      break;
    case dtSixMonths:
      D = 1;
      MoveMonths(6);
      break;
    case dtOneYear:
      Y += Increment ? 1 : -1;
      break;
  }
  if (Y < 1) Y = 1;
  if (Y > 9999) Y = 9999;
  D = std::min(D, QDate(Y, M, 1).daysInMonth());
  Value = EncodeDate(Y, M, D);
}

double ChartNextStep(double Value) {
  if (!std::isfinite(Value) || Value <= 0) return 1;
  // Iterative, so that huge and tiny values end without deep recursion.
  double Scale = 1;
  while (Value >= 10) {
    Value *= 0.1;
    Scale *= 10;
  }
  while (Value < 1) {
    Value *= 10;
    Scale *= 0.1;
  }
  if (Value < 2) return 2 * Scale;
  if (Value < 5) return 5 * Scale;
  return 10 * Scale;
}

bool PointInLine(TPoint P, int X0, int Y0, int X1, int Y1, int Tolerance) {
  const double DX = double(X1) - X0, DY = double(Y1) - Y0;
  if (std::fabs(DY * (double(P.X) - X0) - (double(P.Y) - Y0) * DX) >=
      std::max(std::fabs(DX), std::fabs(DY)))
    return false;
  auto Beyond = [Tolerance](int V, int A, int B) {
    return V < std::min(A, B) - Tolerance || V > std::max(A, B) + Tolerance;
  };
  return !Beyond(P.X, X0, X1) && !Beyond(P.Y, Y0, Y1);
}

bool PointInPolygon(TPoint P, std::span<const TPoint> Points) {
  bool Inside = false;
  const size_t N = Points.size();
  for (size_t i = 0, j = N - 1; i < N; j = i++) {
    const TPoint& A = Points[i];
    const TPoint& B = Points[j];
    if (((A.Y <= P.Y && P.Y < B.Y) || (B.Y <= P.Y && P.Y < A.Y)) &&
        P.X < double(B.X - A.X) * (P.Y - A.Y) / double(B.Y - A.Y) + A.X)
      Inside = !Inside;
  }
  return Inside;
}

bool PointInTriangle(TPoint P, int X0, int X1, int Y0, int Y1) {
  const TPoint T[3] = {{X0, Y0}, {int((static_cast<long long>(X0) + X1) / 2), Y1}, {X1, Y0}};
  return PointInPolygon(P, T);
}

bool PointInHorizTriangle(TPoint P, int Y0, int Y1, int X0, int X1) {
  const TPoint T[3] = {{X0, Y0}, {X1, int((static_cast<long long>(Y0) + Y1) / 2)}, {X0, Y1}};
  return PointInPolygon(P, T);
}

bool PointInEllipse(TPoint P, const TRect& R) {
  const long long CX = (static_cast<long long>(R.Left) + R.Right) / 2;
  const long long CY = (static_cast<long long>(R.Top) + R.Bottom) / 2;
  const double A = double(CX - R.Left), B = double(CY - R.Top);
  if (A == 0 || B == 0) return false;
  const double X = (P.X - CX) / A, Y = (P.Y - CY) / B;
  return X * X + Y * Y <= 1;
}

void ChartSplitInLines(QString& Text, const QString& Separator) {
  if (!Separator.isEmpty()) Text.replace(Separator, QString(ChartLineSeparator));
}

int ChartNumTextLines(const QString& Text) {
  const int Separators = int(Text.count(ChartLineSeparator));
  return Separators + (!Text.isEmpty() && !Text.endsWith(ChartLineSeparator) ? 1 : 0);
}

QStringList ChartTextLines(const QString& Text) {
  QStringList L = Text.split(ChartLineSeparator);
  if (!L.isEmpty() && L.last().isEmpty()) L.removeLast();
  return L;
}

const TColor ColorPalette[ColorPaletteSize] = {
    clRed,    clGreen, clYellow, clBlue,  clWhite,  clGray,   clFuchsia, clTeal,
    clMaroon, clNavy,  clLime,   clOlive, clPurple, clSilver, clAqua,    clBlack};

TColor GetDefaultColor(int Index) {
  int I = Index % ColorPaletteSize;
  // A negative index keeps its sign in the remainder; the palette is read from its end then.
  if (I < 0) I += ColorPaletteSize;
  return ColorPalette[I];
}

QString NumberFormatToLocal(const QString& Format) { return Format; }
QString LocalToNumberFormat(const QString& Text) { return Text; }

void EnableControls(bool Enable, std::span<QWidget* const> Controls) {
  for (QWidget* W : Controls)
    if (W) W->setEnabled(Enable);
}

QString ChartGetUniqueName(const QObject* Owner, const QString& BaseName) {
  for (int i = 1;; ++i) {
    const QString Name = BaseName + QString::number(i);
    if (!Owner || !Owner->findChild<QObject*>(Name, Qt::FindDirectChildrenOnly)) return Name;
  }
}
