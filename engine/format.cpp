// Number formatting. The scientific and fixed renderings come from std::to_chars on long double,
// which rounds to nearest and ignores the locale.
#include "engine/format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "engine/engine_host.h"

int LeadBlanks = 0;

namespace {

constexpr Extended MaxRadixValue = 2147483647.0L;
constexpr int MaxDigits = 64;

std::string PadLeft(std::string Text, int Width) {
  if (static_cast<int>(Text.size()) < Width)
    Text.insert(0, static_cast<size_t>(Width) - Text.size(), ' ');
  return Text;
}

// |X| as one digit, a point, W - 9 digits (at least one), E, a sign and four exponent digits,
// right-aligned with a leading blank in W characters.
std::string Sci(Extended X, int Width) {
  const int n = std::clamp(Width - 9, 1, MaxDigits);
  char buf[128];
  const auto r =
      std::to_chars(buf, buf + sizeof buf, std::fabs(X), std::chars_format::scientific, n);
  const std::string raw(buf, r.ptr);
  const auto e = raw.find('e');
  const int exponent = std::atoi(raw.c_str() + e + 1);
  std::string exp = std::to_string(std::abs(exponent));
  exp.insert(0, exp.size() < 4 ? 4 - exp.size() : 0, '0');
  std::string text(1, ' ');
  text.append(raw, 0, e);
  text += exponent < 0 ? "E-" : "E+";
  text += exp;
  return PadLeft(std::move(text), Width);
}

// |X| with D digits after the point, right-aligned in W characters.
std::string Fix(Extended X, int Width, int Decimals) {
  char buf[256];
  const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(X), std::chars_format::fixed,
                               std::clamp(Decimals, 0, MaxDigits));
  return PadLeft(std::string(buf, r.ptr), Width);
}

// Removes up to three leading zeros of the exponent; answers how many.
int ShortenExponent(std::string& Text) {
  const auto e = Text.find('E');
  if (e == std::string::npos) return 0;
  const size_t digits = e + 2;
  int removed = 0;
  while (removed < 3 && Text.size() > digits + 1 && Text[digits] == '0') {
    Text.erase(digits, 1);
    ++removed;
  }
  return removed;
}

void SetFormatError(int Code) {
  auto& s = EngineState;
  s.ErrFlag = true;
  s.ErrCode = Code;
  s.ErrPos = static_cast<int>(s.ExprStr.size()) + 1;
  s.ErrLen = 1;
}

}  // namespace

void TrimNumber(std::string& Text) {
  const auto first = Text.find_first_not_of(' ');
  LeadBlanks = static_cast<int>(first == std::string::npos ? Text.size() : first);
  Text.erase(0, static_cast<size_t>(LeadBlanks));
  const auto e = Text.find('E');
  if (e == std::string::npos) {
    while (Text.find('.') != std::string::npos && Text.size() >= 2 && Text.back() == '0' &&
           Text[Text.size() - 2] != '.')
      Text.pop_back();
    return;
  }
  size_t at = e;
  while (at >= 2 && Text[at - 1] == '0' && Text[at - 2] != '.') {
    Text.erase(at - 1, 1);
    --at;
  }
  if (EngineSettings.DisplayMode == 1) {
    const auto zero = Text.find("E+0000");
    if (zero != std::string::npos) Text.erase(zero, 6);
  }
}

void ToEngineering(const std::string& Text, std::string& Result) {
  Result = Text;
  const auto e = Result.find('E');
  const auto point = Result.find('.');
  if (e == std::string::npos || point == std::string::npos || point > e || e + 2 >= Result.size())
    return;
  const bool negative = Result[e + 1] == '-';
  const int exponent = std::atoi(Result.c_str() + e + 2);
  int r = exponent % 3;
  if (r == 0) return;
  int newExponent;
  if (negative) {
    r = 3 - r;
    newExponent = exponent + r;
  } else {
    newExponent = exponent - r;
  }
  std::string mantissa = Result.substr(0, e);
  std::string fraction = mantissa.substr(point + 1);
  std::string whole = mantissa.substr(0, point);
  while (static_cast<int>(fraction.size()) < r + 1) fraction += '0';
  whole += fraction.substr(0, static_cast<size_t>(r));
  fraction.erase(0, static_cast<size_t>(r));
  std::string exp = std::to_string(newExponent);
  exp.insert(0, exp.size() < 4 ? 4 - exp.size() : 0, '0');
  Result = whole + "." + fraction + "E" + (negative ? "-" : "+") + exp;
}

void FormatHMS(Extended X, std::string& Text) {
  Text = "0:0:0";
  if (EngineState.ErrFlag) return;
  if (!(X <= MaxRadixValue && X * 3600 <= MaxRadixValue)) {
    // The previous result stays: formatting never changes it.
    SetFormatError(errChangeNotation);
    return;
  }
  // Whole seconds, split exactly (a split of the fraction in floating point can lose a second).
  const auto seconds = static_cast<long long>(std::nearbyint(X * 3600));  // halves to even
  Text = std::to_string(seconds / 3600) + ":" + std::to_string(seconds % 3600 / 60) + ":" +
         std::to_string(seconds % 60);
}

std::string IntToRadix(long long N, int Base) {
  const bool negative = N < 0;
  unsigned long long u =
      negative ? 0ULL - static_cast<unsigned long long>(N) : static_cast<unsigned long long>(N);
  std::string text;
  do {
    text.insert(text.begin(), "0123456789ABCDEF"[u % static_cast<unsigned>(Base)]);
    u /= static_cast<unsigned>(Base);
  } while (u != 0);
  return negative ? "-" + text : text;
}

void IntToRadix(long long N, std::string& Text) {
  Text = IntToRadix(N, EngineSettings.Radix == 2 ? 2 : EngineSettings.Radix == 1 ? 16 : 10);
}

std::string FormatMagnitude(Extended X, int Digits, std::string_view Sign, Extended FixLow,
                            Extended FixHigh) {
  const bool eng = EngineSettings.DisplayMode == 2;
  std::string t;
  bool fixed = EngineSettings.DisplayMode == 1 && X > FixLow && X < FixHigh;
  if (fixed) {
    int c = 3;
    if (Sign.empty() && X > 0 && X < 1) c = 2;
    if (Sign == "-" && X > 1) c = 4;
    // At least one decimal, as in the scientific rendering: a small digit count must not turn
    // 0.5 into "0". A value that the decimals still cannot show goes scientific rather than
    // showing as 0.
    t = Fix(X, Digits, std::max(1, Digits - c));
    fixed = t.find_first_of("123456789") != std::string::npos;
  }
  if (!fixed) {
    t = Sci(X, Digits);
    if (eng) ToEngineering(t, t);
    TrimNumber(t);
    if (t.find('E') != std::string::npos) {
      // The second rendering spends the freed characters on more mantissa digits.
      LeadBlanks += ShortenExponent(t);
      t = Sci(X, LeadBlanks + Digits - (Sign == "-" ? 1 : 0));
    }
  }
  if (eng) ToEngineering(t, t);
  TrimNumber(t);
  LeadBlanks += ShortenExponent(t);
  return t;
}

void FormatNumber(int Digits, std::string& Text, Extended X) {
  Digits = std::clamp(Digits, 1, MaxDigits);
  const std::string sign = X < 0 ? "-" : "";
  X = std::fabs(X);
  const auto mode = EngineSettings.DisplayMode;

  if (EngineSettings.Radix == 1 || EngineSettings.Radix == 2) {
    if (!(X <= MaxRadixValue)) {
      SetFormatError(errOverflow);
      Text = "0.0";
      return;
    }
    const auto n = static_cast<long long>(X);
    IntToRadix(n, Text);
    if (EngineSettings.Radix == 2) {
      const size_t bits = static_cast<size_t>(std::max(1, EngineHost().Bits()));
      if (Text.size() % bits != 0) Text.insert(0, bits - Text.size() % bits, '0');
      std::string grouped;
      for (size_t i = 0; i < Text.size(); i += bits) grouped += Text.substr(i, bits) + " ";
      Text = grouped;
    }
    // A value above -1 truncates to 0, which has no sign.
    if (n != 0) Text = sign + Text;
    return;
  }

  if (!std::isfinite(X)) {
    SetFormatError(errOverflow);
    Text = "0.0";
    return;
  }
  if (mode == 3) {
    FormatHMS(X, Text);
    // Less than half a second before 0 is no negative time.
    if (Text != "0:0:0") Text = sign + Text;
    return;
  }
  Text = sign + FormatMagnitude(X, Digits, sign, 0.0001L, 1.0E7L);
}

std::string FormatNumber(int Digits, Extended X) {
  std::string text;
  FormatNumber(Digits, text, X);
  return text;
}
