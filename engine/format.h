#pragma once
// The display text of a number: Scn, Fix, Eng and h:m:s notation in decimal, or a hexadecimal or
// binary integer. Conversions never depend on the locale.
#include <string>
#include <string_view>

#include "engine/engine_state.h"

// The text of X in the current notation (EngineSettings.DisplayMode) and radix
// (EngineSettings.Radix), about Digits characters long in decimal. A value that the radix or
// notation cannot show sets the engine's error state (code 11 or 23) and gives "0.0" or "0:0:0";
// the previous result Ans is never changed.
void FormatNumber(int Digits, std::string& Text, Extended X);
std::string FormatNumber(int Digits, Extended X);

// The decimal text of a magnitude X >= 0 that will be shown after the sign text Sign ("", "+" or
// "-"), in the current notation other than h:m:s: fixed when the notation is Fix and
// FixLow < X < FixHigh, else scientific (engineering in Eng); about Digits characters long. The
// real and the complex results differ only in the fixed range and in their sign texts.
std::string FormatMagnitude(Extended X, int Digits, std::string_view Sign, Extended FixLow,
                            Extended FixHigh);

// Number of leading blanks that the last TrimNumber removed (kept between the steps of one
// FormatNumber call).
extern int LeadBlanks;

// Removes leading blanks and surplus trailing zeros of the mantissa (3.140000 -> 3.14, 3.000 ->
// 3.0); in Fix notation also a zero exponent "E+0000".
void TrimNumber(std::string& Text);
// Rewrites a scientific text so that its exponent is a multiple of 3 (1.234E+0004 -> 12.34E+0003).
void ToEngineering(const std::string& Text, std::string& Result);
// Hours as h:m:s ("1:30:36" for 1.51); X is without sign.
void FormatHMS(Extended X, std::string& Text);
// N in the current radix (hexadecimal digits 0-9 A-F, or binary); "-" in front when negative.
void IntToRadix(long long N, std::string& Text);
// N in the given base (2..16).
std::string IntToRadix(long long N, int Base);
