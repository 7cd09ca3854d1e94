#include "engine/engine_scopes.h"

#include "engine/complex_eval.h"
#include "engine/engine_state.h"
#include "engine/variables.h"

TQuadCompareScope::TQuadCompareScope(std::uint8_t Len) : FSaved(EngineSettings.QuadCompareLen) {
  EngineSettings.QuadCompareLen = Len;
}
TQuadCompareScope::~TQuadCompareScope() { EngineSettings.QuadCompareLen = FSaved; }

TComplexAnswerScope::TComplexAnswerScope() : FSaved(ComplexAnswer) {}
TComplexAnswerScope::~TComplexAnswerScope() { ComplexAnswer = FSaved; }

TDecimalNotationScope::TDecimalNotationScope()
    : FRadix(EngineSettings.Radix), FDisplayMode(EngineSettings.DisplayMode) {
  EngineSettings.Radix = 0;
  if (EngineSettings.DisplayMode > 2) EngineSettings.DisplayMode = 0;
}
TDecimalNotationScope::~TDecimalNotationScope() {
  EngineSettings.Radix = FRadix;
  EngineSettings.DisplayMode = FDisplayMode;
}

void SetDisplayMode(int Mode) { EngineSettings.DisplayMode = static_cast<std::uint8_t>(Mode); }
void SetAngleMode(int Mode) { EngineSettings.AngleMode = static_cast<std::uint8_t>(Mode); }

void RequestBreak() { EngineSettings.BreakRequested = true; }

bool BreakConfirmed() {
  if (!EngineSettings.BreakRequested) return false;
  if (AskBreak()) return true;
  EngineSettings.BreakRequested = false;
  return false;
}
