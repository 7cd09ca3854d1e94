#pragma once
// Where the window's view of an evaluation differs from the engine's own: the assignment log
// keeps numbers that the tape shows as texts.
#include <string>
#include <utility>
#include <vector>

#include "engine/complex_math.h"
#include "engine/engine_state.h"

namespace calceng {

// The names read or assigned during the last evaluation and their values formatted.
std::vector<std::pair<std::string, std::string>> AssignmentLogEntries();

}  // namespace calceng
