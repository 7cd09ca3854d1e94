// The display text of a complex result: each part is rendered like a real result (the same
// scientific and fixed renderings, trimming and engineering step), with the fixed range and the
// width allowance of the complex display.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "engine/complex_eval.h"
#include "engine/format.h"

namespace {

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
  return PadLeft(" " + raw.substr(0, e) + "E" + (exponent < 0 ? "-" : "+") + exp, Width);
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

// One part P >= 0 whose sign text is Sign ("", "+" or "-").
std::string FormatPart(Extended P, const std::string& Sign, bool First, int Digits) {
  const bool eng = EngineSettings.DisplayMode == 2;
  std::string t;
  if (EngineSettings.DisplayMode == 1 && P > 1e-6L && P < 1e9L) {
    int c = 3;
    if (First && Sign.empty() && P > 0 && P < 1) c = 2;
    if (Sign == "-" && P > 1) c = 4;
    t = Fix(P, Digits, Digits - c);
  } else {
    t = Sci(P, Digits);
    if (eng) ToEngineering(t, t);
    TrimNumber(t);
    if (t.find('E') != std::string::npos) {
      const int freed = LeadBlanks + ShortenExponent(t);
      t = Sci(P, freed + Digits - (Sign == "-" ? 1 : 0));
    }
  }
  if (eng) ToEngineering(t, t);
  TrimNumber(t);
  ShortenExponent(t);
  return t;
}

}  // namespace

void CompToStr(TComplex Z, int Digits, std::string& S) {
  Digits = std::clamp(Digits, 1, MaxDigits);
  CConvert(Z, ComplexDisplayForm == cfAlgebraic ? cfAlgebraic : cfExponential, Z);
  if (!std::isfinite(Z.A) || !std::isfinite(Z.B)) {
    // As for a real result that cannot be shown.
    EngineState.ErrFlag = true;
    EngineState.ErrCode = errOverflow;
    EngineState.ErrPos = static_cast<int>(EngineState.ExprStr.size()) + 1;
    EngineState.ErrLen = 1;
    S = "0.0";
    return;
  }
  const std::string sign1 = Z.A >= 0 ? "" : "-";
  const std::string sign2 = Z.B >= 0 ? "+" : "-";
  // Complex results are always shown in decimal, whatever the radix of the real mode.
  const std::string t1 = FormatPart(std::fabs(Z.A), sign1, true, Digits);
  const std::string t2 = FormatPart(std::fabs(Z.B), sign2, false, Digits);
  if (ComplexDisplayForm == cfAlgebraic)
    S = sign1 + t1 + sign2 + t2 + "i";
  else
    S = sign1 + t1 + "*exp(" + (sign2 == "-" ? "-" : "") + t2 + "i)";
}

std::string CompToStr(const TComplex& Z, int Digits) {
  std::string s;
  CompToStr(Z, Digits, s);
  return s;
}
