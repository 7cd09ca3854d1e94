#include "engine/engine_state.h"

#include "engine/engine_busy.h"
#include "engine/engine_host.h"
#include "engine/formula_tape.h"
#include "engine/procedures.h"

TEngineState EngineState;
TEngineSettings EngineSettings;
TDigitSet DigitSet = DigitSetForRadix(-1);
unsigned DigitSetVersion = 0;

namespace {
TEngineHost DefaultHost;
TEngineHost* InstalledHost = nullptr;
int InitCount = 0;
}  // namespace

void SetEngineHost(TEngineHost* Host) { InstalledHost = Host; }

TEngineHost& EngineHost() { return InstalledHost ? *InstalledHost : DefaultHost; }

TDigitSet DigitSetForRadix(int Radix) {
  TDigitSet d;
  auto add = [&d](char From, char To) {
    for (int c = static_cast<unsigned char>(From); c <= static_cast<unsigned char>(To); ++c)
      d.Chars[static_cast<size_t>(c)] = true;
  };
  switch (Radix) {
    case 0:
      add('.', '.');
      add('0', '9');
      break;
    case 1:
      add('$', '$');
      add('0', '9');
      add('A', 'F');
      break;
    case 2:
      add('0', '1');
      break;
    default:
      add('$', '$');
      add('.', '.');
      add('0', '9');
      break;
  }
  return d;
}

void SelectRadix(std::uint8_t Radix) {
  EngineSettings.Radix = Radix;
  DigitSet = DigitSetForRadix(Radix);
  ++DigitSetVersion;
}

TReaderContext SaveReader() {
  const auto& s = EngineState;
  return {s.ExprStr, s.CurChar, s.Pos, s.StartPos, EngineSettings.ArgDepth};
}

void RestoreReader(const TReaderContext& Context) {
  auto& s = EngineState;
  s.ExprStr = Context.ExprStr;
  s.CurChar = Context.CurChar;
  s.Pos = Context.Pos;
  s.StartPos = Context.StartPos;
  EngineSettings.ArgDepth = Context.ArgDepth;
}

unsigned char CharAt(int P) {
  const auto& t = EngineState.ExprStr;
  if (P < 1 || P > static_cast<int>(t.size())) return EndChar;
  return static_cast<unsigned char>(t[static_cast<size_t>(P - 1)]);
}

void PumpMessages() {
  // What the window system does meanwhile is no part of the evaluation: it may start none.
  const TEnginePumpScope Pumping;
  EngineHost().PumpMessages();
}

void EngineInitialize() {
  if (InitCount++ > 0) return;
  ProceduresInitialize();
}

void EngineFinalize() {
  if (InitCount == 0 || --InitCount > 0) return;
  ProceduresFinalize();
  ClearReplayCache();
  EngineState.ExprStr.clear();
  EngineState.ExprStr.shrink_to_fit();
}

void RaiseError(const std::string& Text, int Code) {
  auto& s = EngineState;
  s.ErrPos = s.Pos;
  s.ErrFlag = true;
  s.ErrLen = 1;
  if (s.CurChar == EndChar && s.Pos == 0) s.CurChar = ' ';
  while (s.CurChar != EndChar) s.CurChar = NextChar(Text);
  s.CurChar = EndChar;
  s.ErrCode = Code;
  EngineSettings.ArgDepth = 0;
}

void ClearResult(Extended& Value) {
  EngineState.Ans = 0;
  Value = 0;
  EngineState.ErrFlag = true;
}

std::string ErrorText(int Code) {
  static const char* const texts[] = {
      "Syntax error",
      "Undefined",
      "Stack overflow",
      "Dummy string",
      "No possibility",
      "Undefined",
      "Extremum not found",
      "Scale Overflow",
      "Argument(s) Error",
      "Average undefined",
      "Argument Negative",
      "Overflow",
      "Function singularity",
      "Division by zero",
      "Empty",
      "working...",
      "Too many \")\"",
      "Missing \"(\"",
      "Missing \")\"",
      "String stack saved",
      "\",\" expected",
      "Interval Error",
      "User break",
      "Change notation",
      "Argument out of range",
      "Missing \";\"",
      "Missing argument",
      nullptr,
      "Underflow",
  };
  if (Code == errUserFunction) {
    std::string t =
        "User Function Error \"" +
        ErrorText(EngineState.InnerErrCode == errUserFunction ? 1 : EngineState.InnerErrCode) +
        " position: " + std::to_string(EngineState.InnerErrPos) + "\" ";
    if (t.size() > 80) t.resize(80);
    return t;
  }
  if (Code < 0 || Code > 28) return "Undefined";
  return texts[Code];
}
