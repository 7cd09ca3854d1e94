#pragma once
// What the calculator window uses of the engine beyond the shared state: evaluation, formatting,
// the radix's digit set, the assignment log, the last extremum, the complex-mode evaluator and
// formatter, and the user-function file. Gathered here so that the window reads the same way
// whichever engine pieces are present.
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
void LogAssignment(const std::string& Name, const std::string& Value);
std::vector<std::pair<std::string, std::string>> AssignmentLogEntries();
// The abscissa of the last extremum found by min( or max(; false while the engine has none.
bool ExtremumX(Extended& X);

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

// Loads the user functions of FileName into the engine; a missing file gives no functions.
void LoadUserFunctions(const std::string& FileName);

}  // namespace calceng
