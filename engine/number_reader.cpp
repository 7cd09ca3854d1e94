// The number reader: decimal, hexadecimal and binary numbers, the time form h:m:s and the
// exponent. Decimal numbers go through std::from_chars (strtold in the "C" locale below the
// normal range) so that they are correctly rounded and independent of the locale; the other
// radixes are exact digit by digit.
#include <locale.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/parser.h"

namespace {

void Advance() { EngineState.CurChar = NextChar(EngineState.ExprStr); }

int Base() {
  switch (EngineSettings.Radix) {
    case 1:
      return 16;
    case 2:
      return 2;
    default:
      return 10;
  }
}

int DigitValue(unsigned char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

// A digit of the current radix that the digit set admits ('.' and '$' are never digits).
bool IsDigit(unsigned char C) {
  const int v = DigitValue(C);
  return v >= 0 && v < Base() && DigitSet.Contains(C);
}

// Reads digits as an integer in the current radix.
Extended ReadInteger() {
  Extended v = 0;
  const Extended base = Base();
  while (IsDigit(EngineState.CurChar)) {
    v = v * base + DigitValue(EngineState.CurChar);
    Advance();
  }
  return v;
}

// Marks the number from Start to where reading stopped and raises Code there.
void NumberError(int Start, int Code) {
  auto& s = EngineState;
  const int last = s.CurChar == EndChar ? s.Pos : s.Pos - 1;
  RaiseError(s.ExprStr, Code);
  s.ErrPos = Start;
  s.ErrLen = last >= Start ? last - Start + 1 : 1;
}

// Reads the exponent digits after 'E' and its sign. Digits are taken as a decimal integer in every
// radix, saturated far beyond any representable exponent. False after a syntax error.
bool ReadExponent(bool& Negative, long& N) {
  auto& s = EngineState;
  Advance();
  Negative = false;
  if (s.CurChar == '+' || s.CurChar == '-') {
    Negative = s.CurChar == '-';
    Advance();
  }
  if (!IsDigit(s.CurChar)) {
    RaiseError(s.ExprStr, errSyntax);
    return false;
  }
  N = 0;
  while (IsDigit(s.CurChar)) {
    if (N < 100000000) N = N * 10 + (s.CurChar - '0');
    Advance();
  }
  return true;
}

// The time form after the hours: ":m" and optionally ":s". False after a syntax error.
bool ReadTime(Extended& Value) {
  auto& s = EngineState;
  Advance();
  if (!IsDigit(s.CurChar)) {
    RaiseError(s.ExprStr, errSyntax);
    return false;
  }
  Value += ReadInteger() / 60;
  if (s.CurChar == ':') {
    Advance();
    if (!IsDigit(s.CurChar)) {
      RaiseError(s.ExprStr, errSyntax);
      return false;
    }
    Value += ReadInteger() / 3600;
  }
  if (s.CurChar == ExpChar) {
    RaiseError(s.ExprStr, errSyntax);
    return false;
  }
  return true;
}

// The "C" locale, so that the decimal point is "." whatever LC_NUMERIC says.
locale_t CLocale() {
  static const locale_t L = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
  return L;
}

Extended FromDecimal(const std::string& Text, int Magnitude, int Start, bool& Failed) {
  Extended v = 0;
  const auto r = std::from_chars(Text.data(), Text.data() + Text.size(), v);
  Failed = false;
  if (r.ec == std::errc::result_out_of_range) {
    // from_chars gives up below the smallest normal value; strtold rounds correctly into the
    // subnormal range and answers 0 only below half the smallest subnormal.
    if (Magnitude < 0) return strtold_l(Text.c_str(), nullptr, CLocale());
    NumberError(Start, errOverflow);
    Failed = true;
    return 0;
  }
  return v;
}

// The powers of ten that a long double holds exactly: 10^k = 5^k 2^k, and 5^27 < 2^64.
constexpr int MaxExactPower = 27;
constexpr std::array<Extended, MaxExactPower + 1> ExactPowersOfTen = [] {
  std::array<Extended, MaxExactPower + 1> p{};
  Extended v = 1;
  for (auto& e : p) {
    e = v;
    v *= 10;
  }
  return p;
}();

// The digits of a decimal number as one integer and a power of ten, for the numbers typed in
// formulas. from_chars is correct for every number but far too slow for a formula read hundreds
// of thousands of times in a plot.
struct TShortDecimal {
  static constexpr int MaxDigits = 19;  // 10^19 - 1 < 2^64
  std::uint64_t Mantissa = 0;
  int Digits = 0;  // significant digits taken; more than MaxDigits means none are usable
  void Take(unsigned char C) {
    if (Digits == 0 && C == '0') return;
    if (++Digits <= MaxDigits) Mantissa = Mantissa * 10 + static_cast<unsigned>(C - '0');
  }
  // Mantissa * 10^Exponent when that is one correctly rounded operation on exact operands, which
  // is what from_chars answers too; false when the number needs the general conversion.
  bool Value(long Exponent, Extended& V) const {
    if (Digits > MaxDigits) return false;
    if (Mantissa == 0) {
      V = 0;
      return true;
    }
    if (Exponent < -MaxExactPower || Exponent > MaxExactPower) return false;
    const Extended m = static_cast<Extended>(Mantissa);  // exact: 64 bits of mantissa
    V = Exponent >= 0 ? m * ExactPowersOfTen[static_cast<size_t>(Exponent)]
                      : m / ExactPowersOfTen[static_cast<size_t>(-Exponent)];
    return true;
  }
};

void ReadDecimal(Extended& Value, int Start) {
  auto& s = EngineState;
  // The digits are read in place: they lie one after another in the text.
  const std::string& t = s.ExprStr;
  TShortDecimal shortForm;
  size_t intFrom = static_cast<size_t>(s.Pos > 0 ? s.Pos - 1 : 0), intCount = 0;
  if (s.CurChar != '.') {
    while (IsDigit(s.CurChar)) {
      shortForm.Take(s.CurChar);
      ++intCount;
      Advance();
    }
  }
  const std::string_view intDigits(t.data() + intFrom, intCount);
  bool failed = false;
  if (s.CurChar == ':') {
    Value = intDigits.empty() ? 0 : FromDecimal(std::string(intDigits), 1, Start, failed);
    // Minutes or seconds of hundreds of digits are read digit by digit and can overflow.
    if (!failed && ReadTime(Value) && !std::isfinite(Value)) NumberError(Start, errOverflow);
    return;
  }
  size_t fracFrom = 0, fracCount = 0;
  if (s.CurChar == '.') {
    Advance();
    fracFrom = static_cast<size_t>(s.Pos - 1);
    while (IsDigit(s.CurChar)) {
      shortForm.Take(s.CurChar);
      ++fracCount;
      Advance();
    }
  }
  const std::string_view fracDigits(t.data() + fracFrom, fracCount);
  bool negative = false;
  long n = 0;
  if (s.CurChar == ExpChar && !ReadExponent(negative, n)) return;

  if (static_cast<size_t>(n) <= 2 * MaxExactPower &&
      shortForm.Value((negative ? -n : n) - static_cast<long>(fracCount), Value))
    return;

  // Decimal order of magnitude of the mantissa, to tell overflow from underflow.
  const auto firstNonZero = intDigits.find_first_not_of('0');
  long magnitude;
  if (firstNonZero != std::string_view::npos) {
    magnitude = static_cast<long>(intDigits.size() - firstNonZero) - 1;
  } else {
    const auto f = fracDigits.find_first_not_of('0');
    magnitude = f == std::string_view::npos ? -1 : -static_cast<long>(f) - 1;
  }
  magnitude += negative ? -n : n;

  std::string text = intDigits.empty() ? "0" : std::string(intDigits);
  text += '.';
  text += fracDigits.empty() ? std::string_view("0") : fracDigits;
  if (n > 0) {
    text += negative ? "E-" : "E+";
    text += std::to_string(n);
  }
  Value = FromDecimal(text, magnitude < 0 ? -1 : 1, Start, failed);
}

void ReadRadix(Extended& Value, int Start) {
  auto& s = EngineState;
  const int bitsPerDigit = Base() == 16 ? 4 : 1;
  Value = ReadInteger();
  if (s.CurChar == ':') {
    ReadTime(Value);
  } else {
    if (s.CurChar == '.') {
      Advance();
      int k = 1;
      while (IsDigit(s.CurChar)) {
        Value += std::ldexp(static_cast<Extended>(DigitValue(s.CurChar)),
                            -bitsPerDigit * std::min(k, 100000));
        ++k;
        Advance();
      }
    }
    // In hexadecimal 'E' is a digit, so only binary numbers have an exponent here.
    if (Base() == 2 && s.CurChar == ExpChar) {
      bool negative = false;
      long n = 0;
      if (!ReadExponent(negative, n)) return;
      Value = std::ldexp(Value, static_cast<int>(negative ? -n : n));
    }
  }
  if (!std::isfinite(Value)) {
    Value = 0;
    NumberError(Start, errOverflow);
  }
}

}  // namespace

void ReadNumber(Extended& Value) {
  // Both readers set Value on every path that does not fail.
  const int start = EngineState.Pos;
  if (Base() == 10)
    ReadDecimal(Value, start);
  else
    ReadRadix(Value, start);
  if (EngineState.ErrFlag) Value = 0;
}
