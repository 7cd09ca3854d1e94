#pragma once
// The engine's one shared state and its settings. The engine is not re-entrant: every reader
// works on these globals, and nested evaluations save and restore them on purpose.
#include <array>
#include <cstdint>
#include <limits>
#include <string>

using Extended = long double;

// A variable whose value equals this counts as undefined; also the placeholder of a missing
// second argument.
inline constexpr Extended UndefinedValue = 0.123454321L;

// The longest text the readers take. Positions in it are 32-bit ints, and the readers form
// positions up to two past its end (an error marked after the last character).
inline constexpr int MaxExprLength = std::numeric_limits<int>::max() - 2;

// The end marker: CurChar holds it once the text has been read to its end.
inline constexpr unsigned char EndChar = 127;

struct TEngineState {
  std::string ExprStr;  // single-byte text, code page 1252
  unsigned char CurChar = EndChar;
  int Pos = 0;  // 1-based index of CurChar in ExprStr; 0 before the first read
  int StartPos = 0;
  bool ErrFlag = false;
  int ErrCode = 0;
  int ErrPos = 0;
  int ErrLen = 0;
  int InnerErrCode = 0;
  int InnerErrPos = 0;
  Extended Ans = 0;
  int NestDepth = 0;  // grammar recursion depth of the running evaluation
};

struct TEngineSettings {
  std::uint8_t AngleMode = 0;    // 1 = degrees, anything else radians
  std::uint8_t DisplayMode = 0;  // 0 Scn, 1 Fix, 2 Eng, 3 h:m:s
  std::uint8_t Radix = 0;        // 0 decimal, 1 hexadecimal, 2 binary
  std::uint8_t QuadCompareLen = 9;
  bool BreakRequested = false;
  int Digits = 18;
  // Counted as an int so that deeply nested calls cannot wrap it back to 0.
  int ArgDepth = 0;
};

extern TEngineState EngineState;
extern TEngineSettings EngineSettings;

// Error codes with a name where the engine raises them by name.
enum EngineError : int {
  errSyntax = 0,
  errStackOverflow = 2,
  errExtremumNotFound = 6,
  errArguments = 8,
  errArgumentNegative = 10,
  errOverflow = 11,
  errSingularity = 12,
  errDivisionByZero = 13,
  errTooManyClose = 16,
  errMissingOpen = 17,
  errMissingClose = 18,
  errCommaExpected = 20,
  errInterval = 21,
  errUserBreak = 22,
  errChangeNotation = 23,
  errOutOfRange = 24,
  errMissingArgument = 26,
  errUserFunction = 27,
  errUnderflow = 28,
};

// The characters accepted inside a number; the window rewrites it when the radix changes.
struct TDigitSet {
  std::array<bool, 256> Chars{};
  bool Contains(unsigned char C) const { return Chars[C]; }
};
// Changed only through SelectRadix, which counts the changes in DigitSetVersion.
extern TDigitSet DigitSet;
extern unsigned DigitSetVersion;
// The set for Radix 0, 1, 2; any other value gives the set used before the first radix choice.
TDigitSet DigitSetForRadix(int Radix);
// Sets EngineSettings.Radix and DigitSet together.
void SelectRadix(std::uint8_t Radix);
inline constexpr unsigned char ExpChar = 'E';

// The whole reader context of an evaluation. Nested evaluations (cut-out arguments, user-function
// bodies, variable definitions, integrals inside integrals) save it and put it back.
struct TReaderContext {
  std::string ExprStr;
  unsigned char CurChar = EndChar;
  int Pos = 0;
  int StartPos = 0;
  int ArgDepth = 0;
};
TReaderContext SaveReader();
void RestoreReader(const TReaderContext& Context);

// Saves the reader context on construction and puts it back on destruction (or earlier through
// Restore), exactly as it was. The error state is not part of it: errors of the nested text stay
// visible, and the outer reader returns at once when ErrFlag is still set (a caller that goes on
// after a failed nested text clears ErrFlag itself).
class TReaderGuard {
 public:
  TReaderGuard() : Saved(SaveReader()) {}
  ~TReaderGuard() { Restore(); }
  TReaderGuard(const TReaderGuard&) = delete;
  TReaderGuard& operator=(const TReaderGuard&) = delete;
  void Restore() {
    if (Active) RestoreReader(Saved);
    Active = false;
  }
  const TReaderContext& Context() const { return Saved; }

 private:
  TReaderContext Saved;
  bool Active = true;
};

// Grammar recursion bound: deeper nesting raises code 2 before the stack runs out (the bound
// leaves room for sanitizer builds on the default 8 MiB stack).
inline constexpr int MaxNestDepth = 1000;
// Counts one level of recursion for its lifetime; Exceeded() is true when the bound is passed.
class TNestGuard {
 public:
  TNestGuard() { ++EngineState.NestDepth; }
  ~TNestGuard() { --EngineState.NestDepth; }
  TNestGuard(const TNestGuard&) = delete;
  TNestGuard& operator=(const TNestGuard&) = delete;
  bool Exceeded() const { return EngineState.NestDepth > MaxNestDepth; }
};

// The character at the 1-based position P of ExprStr; EndChar outside the text.
unsigned char CharAt(int P);

// Reads the next character of Text at EngineState.Pos; 127 past the end (Pos unchanged).
// Inline: every character of every read of a formula passes through here.
inline unsigned char NextChar(const std::string& Text) {
  auto& s = EngineState;
  if (s.Pos < 0 || s.Pos >= static_cast<int>(Text.size())) return EndChar;
  ++s.Pos;
  return static_cast<unsigned char>(Text[static_cast<size_t>(s.Pos - 1)]);
}
// Records an error at Pos and consumes the rest of the text.
void RaiseError(const std::string& Text, int Code);
// Ans and Value become 0 and ErrFlag is set, before a domain error is raised.
void ClearResult(Extended& Value);
// The message of an error code, at most 80 characters.
std::string ErrorText(int Code);

// Lets the application run during long calculations (through the host).
void PumpMessages();
// Start-up and shut-down of the engine; a second call of either does nothing.
void EngineInitialize();
void EngineFinalize();
