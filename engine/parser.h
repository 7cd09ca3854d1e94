#pragma once
// The expression language: three mutually recursive levels that read EngineState.ExprStr through
// NextChar and compute the value while reading. Every routine returns at once once ErrFlag is set.
#include <cstdint>
#include <string>

#include "engine/engine_state.h"

// Evaluates Text; the caller has stored the same text in EngineState.ExprStr (a different text
// replaces it). An empty text gives 0 and leaves the error state alone. Afterwards the caller
// reads ErrFlag and, when it is set, ErrCode, ErrPos and ErrLen. A value that is not finite is
// never returned without an error (code 11). A caller that evaluates the same text many times
// passes a link of its own, which keeps the text's recording at hand.
struct TTapeLink;
Extended Evaluate(const std::string& Text, TTapeLink* Link = nullptr);
// Stores Text in ExprStr, evaluates it and reports the error state in the out-parameters.
Extended EvaluateEx(const std::string& Text, bool& Failed, int& ErrorPos, int& ErrorLen);

void Expression(Extended& Value);
void Term(Extended& Value);
void Factor(Extended& Value);
void ReadNumber(Extended& Value);
void CheckAfterOperand();
Extended Power(Extended Base, Extended Exponent);
// Truncates toward zero to a 64-bit signed integer (the operands of &, | and \); false when the
// value has none.
bool ToInt64(Extended V, std::int64_t& Out);
bool AtComma();
// Reads the name at CurChar (a letter or the pi character) up to its stop character and answers
// its id: a built-in row, 991 for the FOR form, 999 for a user-function call (its value in
// UserFunctionValue), 1000 and above for a user variable; -1 after an error. NameStart receives
// the position of the name's first character; CurChar is left on the stop character.
int ResolveIdentifier(int& NameStart, Extended& UserFunctionValue);
