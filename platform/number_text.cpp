#include "platform/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <system_error>
#include <type_traits>

#include <locale.h>

namespace {

// A finite non-zero value as decimal digits: d1.d2d3... x 10^Exponent,
// with d1 != 0.
struct TDecimal {
  bool Negative = false;
  std::string Digits;  // at least one digit, no leading zero (except for 0)
  int Exponent = 0;
};

// Parses the text of std::to_chars in scientific form ("d.ddde+XX").
TDecimal ParseScientific(const char* First, const char* Last) {
  TDecimal D;
  const char* p = First;
  if (p < Last && *p == '-') {
    D.Negative = true;
    ++p;
  }
  for (; p < Last && *p != 'e'; ++p)
    if (*p != '.') D.Digits += *p;
  if (p < Last && *p == 'e') {
    ++p;
    int e = 0;
    std::from_chars(*p == '+' ? p + 1 : p, Last, e);
    D.Exponent = e;
  }
  return D;
}

TDecimal Expand(long double Value, int Significant) {
  char Buf[128];
  auto r =
      std::to_chars(Buf, Buf + sizeof Buf, Value, std::chars_format::scientific, Significant - 1);
  return ParseScientific(Buf, r.ptr);
}

// Rounds D half away from zero to N significant digits (N >= 1); a carry
// out of the first digit raises the exponent.
void RoundTo(TDecimal& D, int N) {
  if (static_cast<int>(D.Digits.size()) <= N) {
    D.Digits.append(static_cast<size_t>(N) - D.Digits.size(), '0');
    return;
  }
  bool Up = D.Digits[static_cast<size_t>(N)] >= '5';
  D.Digits.resize(static_cast<size_t>(N));
  if (!Up) return;
  int i = N - 1;
  while (i >= 0 && D.Digits[static_cast<size_t>(i)] == '9')
    D.Digits[static_cast<size_t>(i--)] = '0';
  if (i >= 0) {
    ++D.Digits[static_cast<size_t>(i)];
  } else {
    D.Digits.insert(D.Digits.begin(), '1');
    D.Digits.pop_back();
    ++D.Exponent;
  }
}

// Whether a finite non-zero value lies exactly halfway between two multiples of 10^-Ten: then
// Value * 2 * 10^Ten is an odd whole number. With Value = M * 2^e (M odd) that needs
// e + 1 + Ten = 0 and, for a negative Ten, M to be a multiple of 5^-Ten.
bool Halfway(long double Value, int Ten) {
  constexpr int Bits = std::numeric_limits<long double>::digits;
  static_assert(Bits <= 64);
  int Exp2 = 0;
  const long double Fraction = std::frexp(std::fabs(Value), &Exp2);
  auto M = static_cast<std::uint64_t>(std::ldexp(Fraction, Bits));
  int e = Exp2 - Bits;
  for (; (M & 1) == 0; M >>= 1) ++e;
  if (e + 1 + Ten != 0) return false;
  if (Ten >= 0) return true;
  if (-Ten > 27) return false;  // 5^28 exceeds any mantissa
  std::uint64_t Five = 1;
  for (int i = 0; i < -Ten; ++i) Five *= 5;
  return M % Five == 0;
}

// The digits of a finite non-zero value rounded to N significant digits, correctly, in one
// rounding of its exact value. Only an exact tie goes otherwise than the library's way: away
// from zero, as the platform's decimal text does (0.125 -> "0.13", which the program expects).
TDecimal Digits(long double Value, int N) {
  char Buf[128];
  // The shortest text that reads back as Value has its first digit where the exact value has.
  const auto Shortest = std::to_chars(Buf, Buf + sizeof Buf, Value, std::chars_format::scientific);
  if (!Halfway(Value, N - 1 - ParseScientific(Buf, Shortest.ptr).Exponent)) return Expand(Value, N);
  TDecimal D = Expand(Value, N + 1);  // exact: the tie has N + 1 digits
  RoundTo(D, N);
  return D;
}

void StripTrailingZeros(std::string& Digits) {
  while (Digits.size() > 1 && Digits.back() == '0') Digits.pop_back();
}

std::string NonFinite(long double Value) {
  if (std::isnan(Value)) return "NAN";
  return Value < 0 ? "-INF" : "INF";
}

// The general layout of rounded, trimmed digits: fixed while the exponent
// lies in [-5, FixedLimit), else "d.dddE<exp>".
std::string LayoutGeneral(const TDecimal& D, int FixedLimit) {
  std::string S = D.Negative ? "-" : "";
  const std::string& g = D.Digits;
  const int n = static_cast<int>(g.size());
  if (D.Exponent >= -5 && D.Exponent < FixedLimit) {
    if (D.Exponent < 0) {
      S += "0.";
      S.append(static_cast<size_t>(-D.Exponent - 1), '0');
      S += g;
    } else if (D.Exponent + 1 >= n) {
      S += g;
      S.append(static_cast<size_t>(D.Exponent + 1 - n), '0');
    } else {
      S += g.substr(0, static_cast<size_t>(D.Exponent + 1));
      S += '.';
      S += g.substr(static_cast<size_t>(D.Exponent + 1));
    }
    return S;
  }
  S += g[0];
  if (n > 1) {
    S += '.';
    S += g.substr(1);
  }
  S += 'E';
  S += std::to_string(D.Exponent);
  return S;
}

std::string ShortestText(long double Value, bool IsDouble) {
  if (!std::isfinite(Value)) return NonFinite(Value);
  if (Value == 0) return "0";
  char Buf[128];
  auto r = IsDouble ? std::to_chars(Buf, Buf + sizeof Buf, static_cast<double>(Value),
                                    std::chars_format::scientific)
                    : std::to_chars(Buf, Buf + sizeof Buf, Value, std::chars_format::scientific);
  TDecimal D = ParseScientific(Buf, r.ptr);
  StripTrailingZeros(D.Digits);
  return LayoutGeneral(D, 15);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Checks the decimal grammar and returns the text without a leading "+" (std::from_chars refuses
// it), together with the decimal order of magnitude of its first non-zero digit, which tells
// underflow from overflow when the conversion is out of range (meaningless for zero digits).
bool CleanNumber(std::string_view s, std::string& Out, long long& Magnitude) {
  s = TrimBlanks(s);
  size_t i = 0;
  Out.clear();
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    if (s[i] == '-') Out += '-';
    ++i;
  }
  long long IntDigits = 0, FracDigits = 0, LeadFracZeros = 0;
  long long FirstNonZeroInt = -1;  // its place among the integer digits
  bool SeenNonZeroFrac = false;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++IntDigits) {
    if (s[i] != '0' && FirstNonZeroInt < 0) FirstNonZeroInt = IntDigits;
    Out += s[i];
  }
  if (i < s.size() && s[i] == '.') {
    Out += '.';
    for (++i; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++FracDigits) {
      if (s[i] != '0') SeenNonZeroFrac = true;
      if (!SeenNonZeroFrac) ++LeadFracZeros;
      Out += s[i];
    }
  }
  if (IntDigits + FracDigits == 0) return false;
  long long Exp = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    Out += 'e';
    ++i;
    bool NegExp = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
      NegExp = s[i] == '-';
      if (NegExp) Out += '-';
      ++i;
    }
    size_t Start = i;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
      if (Exp < 100000000) Exp = Exp * 10 + (s[i] - '0');
      Out += s[i];
    }
    if (i == Start) return false;
    if (NegExp) Exp = -Exp;
  }
  if (i != s.size()) return false;
  // "1" and 5,000 zeros with "E-10" is about 1E4990: the integer digits count as much as the
  // exponent.
  Magnitude =
      FirstNonZeroInt >= 0 ? Exp + (IntDigits - FirstNonZeroInt - 1) : Exp - LeadFracZeros - 1;
  return true;
}

// The "C" locale, so that the decimal point is "." whatever LC_NUMERIC says.
locale_t CLocale() {
  static const locale_t L = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
  return L;
}

template <class T>
TTextNumber ParseFloat(std::string_view Text, T& Value) {
  std::string Clean;
  long long Magnitude = 0;
  if (!CleanNumber(Text, Clean, Magnitude)) return TTextNumber::NotNumber;
  T v{};
  auto r =
      std::from_chars(Clean.data(), Clean.data() + Clean.size(), v, std::chars_format::general);
  if (r.ptr != Clean.data() + Clean.size()) return TTextNumber::NotNumber;
  if (r.ec == std::errc::result_out_of_range) {
    if (Magnitude >= 0) return TTextNumber::TooLarge;
    // For long double from_chars gives up below the smallest normal value, where strtold still
    // rounds correctly into the subnormal range; for double it gives up only where the value
    // rounds to 0, below half the smallest subnormal.
    if constexpr (std::is_same_v<T, long double>) v = strtold_l(Clean.c_str(), nullptr, CLocale());
    if (v == 0) return TTextNumber::TooSmall;
  } else if (r.ec != std::errc()) {
    return TTextNumber::NotNumber;
  }
  if (!std::isfinite(v)) return TTextNumber::TooLarge;
  Value = v;
  return TTextNumber::Number;
}

}  // namespace

std::string FormatGeneral(long double Value, int Precision) {
  if (!std::isfinite(Value)) return NonFinite(Value);
  if (Value == 0) return "0";
  if (Precision < 1) Precision = 1;
  if (Precision > 21) Precision = 21;
  TDecimal D = Digits(Value, Precision);
  StripTrailingZeros(D.Digits);
  return LayoutGeneral(D, Precision);
}

std::string FormatFixed(long double Value, int Decimals) {
  if (!std::isfinite(Value)) return NonFinite(Value);
  if (Decimals < 0) Decimals = 0;
  if (Decimals > 60) Decimals = 60;
  const long double Size = std::fabs(Value);
  char Buf[5100];
  std::string S;
  if (Size != 0 && Halfway(Size, Decimals)) {
    // A tie goes away from zero: its exact text has one more decimal, a 5, dropped here.
    const auto r =
        std::to_chars(Buf, Buf + sizeof Buf, Size, std::chars_format::fixed, Decimals + 1);
    S.assign(Buf, r.ptr - 1);
    if (S.back() == '.') S.pop_back();
    size_t i = S.size();
    while (i > 0 && (S[i - 1] == '9' || S[i - 1] == '.')) {
      if (S[i - 1] == '9') S[i - 1] = '0';
      --i;
    }
    if (i == 0)
      S.insert(S.begin(), '1');
    else
      ++S[i - 1];
  } else {
    const auto r = std::to_chars(Buf, Buf + sizeof Buf, Size, std::chars_format::fixed, Decimals);
    S.assign(Buf, r.ptr);
  }
  // A value that rounds to zero has no sign.
  if (Value < 0 && S.find_first_of("123456789") != std::string::npos) S.insert(S.begin(), '-');
  return S;
}

std::string FormatExponent(long double Value, int Precision, int ExpDigits) {
  if (!std::isfinite(Value)) return NonFinite(Value);
  if (Precision < 1) Precision = 1;
  if (Precision > 21) Precision = 21;
  TDecimal D;
  if (Value == 0) {
    D.Digits = std::string(static_cast<size_t>(Precision), '0');
  } else {
    D = Digits(Value, Precision);
  }
  std::string S;
  if (D.Negative) S.push_back('-');
  S += D.Digits[0];
  if (Precision > 1) {
    S.push_back('.');
    S.append(D.Digits, 1);
  }
  S += D.Exponent < 0 ? "E-" : "E+";
  std::string E = std::to_string(D.Exponent < 0 ? -D.Exponent : D.Exponent);
  if (static_cast<int>(E.size()) < ExpDigits)
    E.insert(0, static_cast<size_t>(ExpDigits) - E.size(), '0');
  return S + E;
}

std::string StrReal(long double Value, int Width, int Decimals) {
  std::string S;
  if (!std::isfinite(Value)) {
    S = NonFinite(Value);
  } else if (Decimals >= 0) {
    S = FormatFixed(Value, Decimals);
  } else {
    int Frac = Width - 9;
    if (Frac < 1) Frac = 1;
    S = FormatExponent(Value, Frac + 1, 4);
    if (S[0] != '-') S.insert(S.begin(), ' ');
  }
  if (static_cast<int>(S.size()) < Width) S.insert(0, static_cast<size_t>(Width) - S.size(), ' ');
  return S;
}

std::string FloatToText(long double Value) { return ShortestText(Value, false); }
std::string FloatToText(double Value) { return ShortestText(Value, true); }

TTextNumber ReadTextNumber(std::string_view Text, long double& Value) {
  return ParseFloat(Text, Value);
}
TTextNumber ReadTextNumber(std::string_view Text, double& Value) { return ParseFloat(Text, Value); }

bool TryTextToFloat(std::string_view Text, long double& Value) {
  return ReadTextNumber(Text, Value) == TTextNumber::Number;
}
bool TryTextToFloat(std::string_view Text, double& Value) {
  return ReadTextNumber(Text, Value) == TTextNumber::Number;
}

std::optional<double> TextToDouble(std::string_view Text) {
  double v = 0;
  if (!TryTextToFloat(Text, v)) return std::nullopt;
  return v;
}

std::string IntToStr(long long Value) { return std::to_string(Value); }

bool TryStrToInt(std::string_view Text, int& Value) {
  std::string_view s = TrimBlanks(Text);
  bool Negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    Negative = s[0] == '-';
    s.remove_prefix(1);
  }
  bool Hex = false;
  if (!s.empty() && s[0] == '$') {
    Hex = true;
    s.remove_prefix(1);
  } else if (s.size() > 1 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    Hex = true;
    s.remove_prefix(2);
  }
  if (s.empty()) return false;
  if (Hex) {
    std::uint64_t u = 0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), u, 16);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || u > 0xFFFFFFFFull) return false;
    auto Bits = static_cast<std::uint32_t>(u);
    if (Negative) Bits = 0u - Bits;
    Value = static_cast<int>(Bits);
    return true;
  }
  std::int64_t v = 0;
  auto r = std::from_chars(s.data(), s.data() + s.size(), v, 10);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return false;
  if (Negative) v = -v;
  if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return false;
  Value = static_cast<int>(v);
  return true;
}

int StrToIntDef(std::string_view Text, int Default) {
  int v = 0;
  return TryStrToInt(Text, v) ? v : Default;
}

std::int64_t SaturateToInt64(long double Value) {
  if (std::isnan(Value)) return 0;
  constexpr long double Limit = 9223372036854775808.0L;  // 2^63, exact
  if (Value >= Limit) return std::numeric_limits<std::int64_t>::max();
  if (Value < -Limit) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(Value);
}

int SaturateToInt(long double Value) {
  if (std::isnan(Value)) return 0;
  if (Value >= 2147483648.0L) return std::numeric_limits<int>::max();
  if (Value <= -2147483649.0L) return std::numeric_limits<int>::min();
  return static_cast<int>(Value);
}

namespace {
// Rounds to a whole number, halves to even, without depending on the FPU's
// rounding mode.
long double RoundHalfEven(long double Value) {
  if (!std::isfinite(Value)) return Value;
  long double t = std::trunc(Value);
  long double f = Value - t;  // exact
  long double Step = Value < 0 ? -1.0L : 1.0L;
  long double a = std::fabs(f);
  if (a > 0.5L) return t + Step;
  if (a < 0.5L) return t;
  return std::fmod(t, 2.0L) == 0 ? t : t + Step;
}
}  // namespace

std::int64_t Round(long double Value) { return SaturateToInt64(RoundHalfEven(Value)); }
int RoundInt(long double Value) { return SaturateToInt(RoundHalfEven(Value)); }
std::int64_t Trunc(long double Value) { return SaturateToInt64(Value); }
int TruncInt(long double Value) { return SaturateToInt(Value); }

int MulDiv(int A, int B, int C) {
  if (C == 0) return -1;
  std::int64_t p = static_cast<std::int64_t>(A) * B;
  std::int64_t q = p / C;
  std::int64_t r = p % C;
  std::int64_t ar = r < 0 ? -r : r;
  std::int64_t ac = C < 0 ? -static_cast<std::int64_t>(C) : C;
  if (2 * ar >= ac) q += ((p < 0) != (C < 0)) ? -1 : 1;
  if (q < std::numeric_limits<int>::min() || q > std::numeric_limits<int>::max()) return -1;
  return static_cast<int>(q);
}
