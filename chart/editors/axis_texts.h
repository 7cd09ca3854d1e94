#pragma once
// The texts the axis dialogs show for a label step or an end of the range, and the readers of
// what the user types back.
#include <optional>

#include <QString>

// The name of step Index of the chart's date-time step table, or "" outside it.
QString DateTimeStepName(int Index);
// A step as the increment label and edit show it: on a date-time axis the name of a table step
// taken exactly, else whole days and the time of the rest; on a numeric axis the number in Format.
QString IncrementText(bool DateTime, bool Exact, double Increment, const QString& Format);

// The program's date and time as the range dialog shows them ("12/31/2024", "13:05:00").
QString DateText(double DateTime);
QString TimeText(double DateTime);
// A number as an edit shows it, so that it reads back as the same value.
QString NumberText(double Value);

// The readers answer the value, or nothing with the reason in Error. None of them depends on the
// desktop's locale.
// "m/d/yyyy", optionally followed by a blank and a time.
std::optional<double> ReadDateTimeText(const QString& Text, QString& Error);
// "h:nn", "h:nn:ss" or "h:nn:ss.zzz", optionally followed by "am" or "pm".
std::optional<double> ReadTimeText(const QString& Text, QString& Error);
// A decimal number ("1.5", "-2E3").
std::optional<double> ReadNumberText(const QString& Text, QString& Error);
// A date-time step: a number of days, a blank and a time ("2 12:00:00" is 2.5 days), a number of
// days alone, or a time alone.
std::optional<double> ReadIncrementText(const QString& Text, QString& Error);
