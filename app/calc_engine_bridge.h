#pragma once
// The two places where the window's view of an evaluation differs from the engine's own: the
// complex evaluator takes its text by reference and answers through the engine state, and the
// assignment log keeps numbers that the tape shows as texts.
#include <string>
#include <utility>
#include <vector>

#include "engine/complex_math.h"
#include "engine/engine_state.h"

namespace calceng {

// Evaluates Text with the complex evaluator into Z; true on error, with the span in ErrPos and
// ErrLen (ErrCode carries the code).
bool CompEvaluate(const std::string& Text, TComplex& Z, int& ErrPos, int& ErrLen);

// The names read or assigned during the last evaluation and their values formatted.
std::vector<std::pair<std::string, std::string>> AssignmentLogEntries();

}  // namespace calceng
