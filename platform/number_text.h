#pragma once
// Locale-free number text and the integer conversions of the class library.
//
// Every conversion here writes "." as decimal separator and an upper-case
// "E", whatever LC_NUMERIC says, and no reader accepts "inf", "nan" or hex
// floats: texts that the engine or a settings file reads back must never
// depend on the desktop's locale. No Qt in here, so any layer may use it.

#include <algorithm>
#include <cmath>
#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// --- Floating point to text -------------------------------------------------

// The general form: the shortest text with at most `Precision` significant
// digits (1..21). Fixed notation while the value has no more than `Precision`
// integer digits and is at least 0.00001 in size, otherwise "1.5E20",
// "1E-10" (no "+", no leading exponent zeros). Trailing zeros and a bare "."
// are dropped. Non-finite values give "INF", "-INF" or "NAN".
std::string FormatGeneral(long double Value, int Precision = 15);

// The fixed form with exactly `Decimals` digits after the "." (none and no
// "." for 0), e.g. FormatFixed(2.5, 3) = "2.500".
std::string FormatFixed(long double Value, int Decimals);

// The exponent form: `Precision` significant digits (one before the "."),
// an "E", the exponent's sign always, and at least `ExpDigits` exponent
// digits: FormatExponent(1.5, 5, 4) = "1.5000E+0000".
std::string FormatExponent(long double Value, int Precision, int ExpDigits = 4);

// The real-number field. With Decimals >= 0: the fixed form
// right-aligned in a field of at least `Width` characters. With Decimals < 0:
// the scientific form " d.ddddE+dddd" (a blank or "-" first, a four-digit
// exponent) exactly `Width` characters wide (at least 10), so Width - 9
// decimals: StrReal(1.5, 12) = " 1.500E+0000".
std::string StrReal(long double Value, int Width = 26, int Decimals = -1);

// The shortest text that reads back as exactly the same value (general
// layout rules, up to 21 digits for long double, 17 for double).
std::string FloatToText(long double Value);
std::string FloatToText(double Value);

// --- Text to floating point ---------------------------------------------------

// What a text reads as: a number of the type, no number at all, or a number
// beyond the type's range at either end: above its largest finite value, or
// not zero and yet so small that it would round to 0 (below half the smallest
// subnormal). Subnormal values are read correctly rounded.
enum class TTextNumber { Number, NotNumber, TooLarge, TooSmall };

// Reads a decimal number: optional blanks, an optional sign, digits with an
// optional "." and an optional exponent ("E" or "e", optional sign, digits),
// optional blanks. Value changes only for a number.
TTextNumber ReadTextNumber(std::string_view Text, long double& Value);
TTextNumber ReadTextNumber(std::string_view Text, double& Value);
// The same, answering whether the text is a number: anything else, and values
// beyond the type's range at either end, fail.
bool TryTextToFloat(std::string_view Text, long double& Value);
bool TryTextToFloat(std::string_view Text, double& Value);
std::optional<double> TextToDouble(std::string_view Text);

// --- Integers and their text ------------------------------------------------

std::string IntToStr(long long Value);
// Decimal with an optional sign, or hexadecimal as "$1F" or "0x1F" (taken as
// a 32-bit pattern, so "$FFFFFFFF" is -1); blanks around are allowed.
bool TryStrToInt(std::string_view Text, int& Value);
int StrToIntDef(std::string_view Text, int Default);

// --- Float to integer ---------------------------------------------------------

// Every conversion from floating point to an integer goes through these:
// NaN gives 0, values beyond the type's range give its limit.
std::int64_t SaturateToInt64(long double Value);
int SaturateToInt(long double Value);

// Halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), saturating.
std::int64_t Round(long double Value);
int RoundInt(long double Value);
// Toward zero, saturating.
std::int64_t Trunc(long double Value);
int TruncInt(long double Value);

// A pixel coordinate of both drawing libraries: nearest, halves to even, held within
// -Limit..Limit (infinities too); NaN gives 0. Inline and without the general rounding path,
// since every line end and every surface point comes through here; in the held range the
// truncation and the fraction are exact in either precision.
inline constexpr int PixelLimit = 2147483647;
template <std::floating_point T>
inline int SaturatePixel(T Value, int Limit = PixelLimit) {
  if (std::isnan(Value)) return 0;
  if (Value >= static_cast<T>(Limit)) return Limit;
  if (Value <= -static_cast<T>(Limit)) return -Limit;
  long long I = static_cast<long long>(Value);
  const T F = Value - static_cast<T>(I);
  if (F > T(0.5) || (F == T(0.5) && (I & 1)))
    ++I;
  else if (F < T(-0.5) || (F == T(-0.5) && (I & 1)))
    --I;
  return static_cast<int>(std::clamp<long long>(I, -Limit, Limit));
}

// A * B / C with a 64-bit intermediate, rounding halves away from zero;
// -1 when C is 0 or the result does not fit in an int.
int MulDiv(int A, int B, int C);
