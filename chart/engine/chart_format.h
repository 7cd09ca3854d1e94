#pragma once
// Number and date formats of chart labels, written and read without the locale: ',' groups
// thousands and '.' is the decimal point whatever the desktop says.
#include <QString>

// Number format pictures: '0' a digit always shown, '#' a digit shown when significant, ','
// anywhere in the integer part groups thousands, '.' the decimal point, "E+", "E-", "e+", "e-"
// an exponent with the digits that follow, text in quotes and other characters copied, and up to
// three sections separated by ';' for positive, negative and zero values. Non-finite values are
// written "INF", "-INF" and "NAN". A value with more than 15 integer digits is written with an
// exponent ("E+"), whatever the picture.
QString FormatFloat(const QString& Format, double Value);

// Date-time pictures: d dd ddd dddd, m mm mmm mmmm (minutes after h), yy yyyy, h hh, n nn,
// s ss, z zzz, am/pm and a/p, '/' and ':' as they are, text in quotes copied; "c" is the short
// date and the time. Dates are days since 30 December 1899.
QString FormatDateTime(const QString& Format, double DateTime);

// The program's short date and time formats (fixed, not the desktop's).
QString ShortDateFormat();
QString ShortTimeFormat();

// The default format of value labels.
inline const char* const DefaultAxisValuesFormat = "#,##0.###";
