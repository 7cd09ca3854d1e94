#pragma once
// The expression language: three mutually recursive levels that read EngineState.ExprStr through
// NextChar and compute the value while reading. Every routine returns at once once ErrFlag is set.
#include <string>

#include "engine/engine_state.h"

// Evaluates Text; the caller has stored the same text in EngineState.ExprStr.
Extended Evaluate(const std::string& Text);
// Stores Text in ExprStr, evaluates it and reports the error state in the out-parameters.
Extended EvaluateEx(const std::string& Text, bool& Failed, int& ErrorPos, int& ErrorLen);

void Expression(Extended& Value);
void Term(Extended& Value);
void Factor(Extended& Value);
void ReadNumber(Extended& Value);
void CheckAfterOperand();
Extended Power(Extended Base, Extended Exponent);
bool AtComma();
