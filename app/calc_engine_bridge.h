#pragma once
// What the calculator window uses of the engine beyond the shared state: evaluation, formatting,
// the radix's digit set, the assignment log, the last extremum, and the complex-mode evaluator and
// formatter, gathered in one place.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/complex_math.h"
#include "engine/engine_state.h"

namespace calceng {

// Evaluates Text (already stored in ExprStr) with the real evaluator.
Extended Evaluate(const std::string& Text);
// The display text of X with the current notation and radix; a formatting failure sets the
// engine's error state (ErrFlag, ErrCode, ErrPos, ErrLen).
std::string FormatNumber(int Digits, Extended X);
// Sets the radix and the number reader's digit set together.
void SelectRadix(int Radix);

// The names read or assigned during the last evaluation and their formatted values.
void ClearAssignmentLog();
std::vector<std::pair<std::string, std::string>> AssignmentLogEntries();
// The abscissa of the last extremum found by min( or max(.
void ExtremumX(Extended& X);

// The complex mode: a value in algebraic or exponential form.
using TCompValue = TComplex;
// Evaluates Text with the complex evaluator into Z; true on error, with the span in ErrPos and
// ErrLen (ErrCode carries the code).
bool CompEvaluate(const std::string& Text, TCompValue& Z, int& ErrPos, int& ErrLen);
std::string CompToStr(const TCompValue& Z, int Digits);
TCompValue ComplexAnswer();
void SetComplexAnswer(const TCompValue& Z);
int ComplexDisplayForm();
void SetComplexDisplayForm(int Form);

}  // namespace calceng
