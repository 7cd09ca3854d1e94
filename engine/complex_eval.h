#pragma once
// The complex mode: a small recursive-descent reader over complex numbers beside the real
// evaluator, and the display text of a complex result. The language has no number literals;
// values come from comp(re,im) (whose two parts are real expressions), the previous complex
// answer "?", and the names of ComplexNameTable. The reader shares the engine's ErrCode and
// ArgDepth; it keeps its own cursor and error fields. Not re-entrant.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/builtin_table.h"
#include "engine/complex_math.h"

inline constexpr int ComplexNameCount = 88;
inline constexpr int ComplexHelpCount = 66;

// The previous complex result, read by "?". The caller stores it after a successful
// evaluation; a failing complex function resets it to 0 + 0i.
extern TComplex ComplexAnswer;
// 1 = algebraic display (and comp(a,b) means a + b·i); any other value = exponential display
// (comp(a,b) means a·exp(b·i)).
extern std::uint8_t ComplexDisplayForm;

// The first 88 rows of BuiltinTable with every name the complex mode does not know replaced by
// a placeholder that no text can match; "comp(" takes the place of "log(" and "LnGamma(" that
// of "gamma(".
extern const std::array<TBuiltinEntry, ComplexNameCount> ComplexNameTable;
// One help sentence per id for the keypad ("%A" stands for the angle unit); empty where the
// complex mode has no such name.
extern const std::array<std::string_view, ComplexHelpCount> ComplexBuiltinHelp;

// Evaluates S. Z starts as 0 + 0i. An empty S leaves the out-parameters untouched. Otherwise
// Flag, ErrPos (1-based) and ErrLen report the error state; EngineState.ErrCode holds its code.
void CompEvaluate(std::string& S, bool& Flag, int& ErrPos, int& ErrLen, TComplex& Z);

// The display text of Z in ComplexDisplayForm with about Digits characters per part:
// "3.0+4.0i" (algebraic) or "2.0*exp(1.0i)" (exponential).
void CompToStr(TComplex Z, int Digits, std::string& S);
std::string CompToStr(const TComplex& Z, int Digits);
