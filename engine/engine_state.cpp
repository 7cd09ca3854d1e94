#include "engine/engine_state.h"

TEngineState EngineState;
TEngineSettings EngineSettings;

unsigned char NextChar(const std::string& Text) {
  auto& s = EngineState;
  if (s.Pos < 0 || s.Pos >= static_cast<int>(Text.size())) return EndChar;
  ++s.Pos;
  return static_cast<unsigned char>(Text[static_cast<size_t>(s.Pos - 1)]);
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
      "Syntax error",        "Undefined",          "Stack overflow",   "Dummy string",
      "No possibility",      "Undefined",          "Extremum not found", "Scale Overflow",
      "Argument(s) Error",   "Average undefined",  "Argument Negative", "Overflow",
      "Function singularity", "Division by zero",  "Empty",            "working...",
      "Too many \")\"",      "Missing \"(\"",      "Missing \")\"",    "String stack saved",
      "\",\" expected",      "Interval Error",     "User break",       "Change notation",
      "Argument out of range", "Missing \";\"",    "Missing argument", nullptr,
      "Underflow",
  };
  if (Code == errUserFunction) {
    std::string t = "User Function Error \"" + ErrorText(EngineState.InnerErrCode == errUserFunction
                                                             ? 1
                                                             : EngineState.InnerErrCode) +
                    " position: " + std::to_string(EngineState.InnerErrPos) + "\" ";
    if (t.size() > 80) t.resize(80);
    return t;
  }
  if (Code < 0 || Code > 28) return "Undefined";
  return texts[Code];
}
