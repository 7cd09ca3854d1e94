// libFuzzer target for the complex mode: any byte string is a complex expression. The first byte
// picks the display form, the notation and the digit count, the rest is the text. Every input
// must end with a finite value or an error whose span lies inside the text (or just past it), and
// formatting the value must not change the previous answer.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/complex_eval.h"
#include "engine/engine_state.h"
#include "engine/parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  EngineState = {};
  EngineSettings = {};
  SelectRadix(0);
  ComplexDisplayForm = (Data[0] & 1) ? cfAlgebraic : cfExponential;
  EngineSettings.DisplayMode = static_cast<std::uint8_t>((Data[0] >> 1) % 3);
  EngineSettings.AngleMode = static_cast<std::uint8_t>((Data[0] >> 3) & 1);
  ComplexAnswer = TComplex{cfAlgebraic, 1.5L, -2};
  std::string text(reinterpret_cast<const char*>(Data + 1), Size - 1);
  const int length = static_cast<int>(text.size());
  bool failed = false;
  int pos = 0, len = 0;
  TComplex z;
  CompEvaluate(text, failed, pos, len, z);
  if (EngineState.NestDepth != 0) std::abort();
  if (length > 0) {
    if (failed) {
      if (len < 1 || pos < 1 || pos + len - 1 > length + 1) std::abort();
    } else if (!std::isfinite(z.A) || !std::isfinite(z.B)) {
      std::abort();
    }
  }
  const TComplex answer = ComplexAnswer;
  const std::string shown = CompToStr(z, 1 + (Data[0] >> 4));
  if (shown.empty()) std::abort();
  if (answer.A != ComplexAnswer.A || answer.B != ComplexAnswer.B) std::abort();
  return 0;
}
