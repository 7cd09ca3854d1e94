#include "app/calc/calc_engine_bridge.h"

#include "engine/complex_eval.h"
#include "engine/variables.h"

namespace calceng {

std::vector<std::pair<std::string, std::string>> AssignmentLogEntries() {
  std::vector<std::pair<std::string, std::string>> Entries;
  Entries.reserve(AssignmentLog.Count());
  for (size_t i = 0; i < AssignmentLog.Count(); ++i)
    Entries.emplace_back(AssignmentLog.Name(i), AssignmentLog.Value(i));
  return Entries;
}

}  // namespace calceng
