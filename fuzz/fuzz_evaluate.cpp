// libFuzzer target: any byte string is an expression. The first byte picks the radix and the
// notation, the rest is the text. Every input must end with a value or an error code.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/engine_state.h"
#include "engine/format.h"
#include "engine/parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  EngineState = {};
  EngineSettings = {};
  SelectRadix(static_cast<std::uint8_t>(Data[0] % 3));
  EngineSettings.DisplayMode = static_cast<std::uint8_t>((Data[0] / 3) % 4);
  EngineSettings.AngleMode = static_cast<std::uint8_t>((Data[0] / 12) % 2);
  const std::string text(reinterpret_cast<const char*>(Data + 1), Size - 1);
  EngineState.ExprStr = text;
  const Extended v = Evaluate(text);
  if (EngineState.NestDepth != 0) std::abort();
  if (!text.empty()) {
    if (EngineState.ErrFlag) {
      if (EngineState.ErrLen < 1 || EngineState.CurChar != EndChar) std::abort();
    } else if (!std::isfinite(v)) {
      std::abort();
    }
  }
  std::string shown;
  const Extended ans = EngineState.Ans;
  FormatNumber(1 + Data[0] % 24, shown, v);
  if (EngineState.Ans != ans && !(std::isnan(ans) && std::isnan(EngineState.Ans))) std::abort();
  return 0;
}
