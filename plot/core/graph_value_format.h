#pragma once
// Values written with a user's format pattern (FormatX, FormatY of the info bubbles). The
// pattern comes from a file or an edit and never reaches printf: it may hold one conversion
// %[-][width][.precision]type, type one of e, f, g, n in either case, and "%%"; the rest is text.
#include <QString>

// The widest field, and the most digits a precision asks for: larger numbers are taken as these.
inline constexpr int MaxValueFormatWidth = 100;
inline constexpr int MaxValueFormatSignificant = 21;  // e and g count significant digits
inline constexpr int MaxValueFormatDecimals = 50;     // f and n count decimals

// Format applied to V into Text; false (Text untouched) when Format is not a value format.
bool FormatGraphValue(const QString& Format, double V, QString& Text);
// Whether Format is a value format.
bool IsSafeValueFormat(const QString& Format);
