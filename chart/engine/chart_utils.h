#pragma once
// Free routines that the panel, the axes, the series and the editors share: the date-time step
// table, the 1-2-5 step series, hit tests, the palette, text lines and unique names.
#include <span>

#include <QString>
#include <QStringList>

#include "platform/colors.h"
#include "platform/geometry.h"

class QObject;
class QWidget;

// --- Date-time steps -----------------------------------------------------------------------
// Dates are days since 30 December 1899, the time of day the fraction.

enum TDateTimeStep {
  dtOneSecond,
  dtFiveSeconds,
  dtTenSeconds,
  dtFifteenSeconds,
  dtThirtySeconds,
  dtOneMinute,
  dtFiveMinutes,
  dtTenMinutes,
  dtFifteenMinutes,
  dtThirtyMinutes,
  dtOneHour,
  dtTwoHours,
  dtSixHours,
  dtTwelveHours,
  dtOneDay,
  dtTwoDays,
  dtThreeDays,
  dtOneWeek,
  dtHalfMonth,
  dtOneMonth,
  dtTwoMonths,
  dtThreeMonths,
  dtFourMonths,
  dtSixMonths,
  dtOneYear,
  dtNone
};
inline constexpr int NumDateTimeSteps = 25;
// The step lengths in days, by index.
extern const double DateTimeStep[NumDateTimeSteps];

// The index of the entry within one second of Step, trying the longest first; dtNone when none.
int DateTimeStepIndex(double Step);
// The entry just above the longest one not greater than Step; a year below one second.
double NextDateTimeStep(double Step);
// The short date format for steps above a day, else the short time format.
QString DateTimeFormatForStep(double Step);
// The label step in days for Range with room for MaxLabels labels: from Increment (at least a
// second) up the table, doubling past a year, until no more labels than that are needed.
double CalcDateTimeStep(double Range, double Increment, int MaxLabels);
// The date without its time of day, moved back to the start of the step's period (15th or 1st
// of the month, 1 January); dates up to 1 January 1900 are returned unchanged.
double ChartRoundDate(double Date, int StepIndex);
// Value moved by Amount, or by the step's months or year for the month and year steps.
void IncDecDateTime(bool Increment, double& Value, double Amount, bool IsDateTime, int StepIndex);

// Dates and their parts (proleptic Gregorian).
double EncodeDate(int Year, int Month, int Day);
void DecodeDate(double Date, int& Year, int& Month, int& Day);

// --- Steps, hit tests ----------------------------------------------------------------------

// The next value of 1, 2, 5, 10, 20, 50, ...; 0, negative and non-finite values answer 1.
double ChartNextStep(double Value);

bool PointInLine(TPoint P, int X0, int Y0, int X1, int Y1, int Tolerance = 0);
bool PointInPolygon(TPoint P, std::span<const TPoint> Points);
bool PointInTriangle(TPoint P, int X0, int X1, int Y0, int Y1);
bool PointInHorizTriangle(TPoint P, int Y0, int Y1, int X0, int X1);
bool PointInEllipse(TPoint P, const TRect& R);

// --- Texts -----------------------------------------------------------------------------------

inline constexpr QChar ChartLineSeparator = QChar(13);
void ChartSplitInLines(QString& Text, const QString& Separator);
int ChartNumTextLines(const QString& Text);
QStringList ChartTextLines(const QString& Text);

// --- Colours, names, controls ---------------------------------------------------------------

inline constexpr int ColorPaletteSize = 16;
extern const TColor ColorPalette[ColorPaletteSize];
TColor GetDefaultColor(int Index);

// The stored formats use ',' for thousands and '.' for decimals, and so does the program
// whatever the desktop locale; both conversions are the identity here, kept for the callers.
QString NumberFormatToLocal(const QString& Format);
QString LocalToNumberFormat(const QString& Text);

void EnableControls(bool Enable, std::span<QWidget* const> Controls);
// BaseName followed by the first number from 1 that no child of Owner is named with.
QString ChartGetUniqueName(const QObject* Owner, const QString& BaseName);
