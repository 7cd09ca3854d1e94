#pragma once
// Values written with a user's format pattern (FormatX, FormatY of the settings file). The
// pattern comes from a file and is never handed to printf as it is: it may hold one
// floating-point conversion and "%%", nothing else.
#include <QString>

// Format applied to V, or V in general format with GeneralDigits significant digits when Format
// is empty or not a pattern of that kind.
QString FormatGraphValue(const QString& Format, double V, int GeneralDigits);
// Whether Format holds exactly one conversion of %[flags][width][.precision](f|e|E|g|G) and
// otherwise only text and "%%".
bool IsSafeValueFormat(const QString& Format);
