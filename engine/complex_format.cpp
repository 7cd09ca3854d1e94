// The display text of a complex result: each part is rendered like a real result (the same
// scientific and fixed renderings, trimming and engineering step), with the fixed range and the
// width allowance of the complex display.
#include <algorithm>
#include <cmath>

#include "engine/complex_eval.h"
#include "engine/format.h"

namespace {

constexpr int MaxDigits = 64;

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
  const std::string t1 = FormatMagnitude(std::fabs(Z.A), Digits, sign1, 1e-6L, 1e9L);
  const std::string t2 = FormatMagnitude(std::fabs(Z.B), Digits, sign2, 1e-6L, 1e9L);
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
