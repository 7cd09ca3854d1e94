#include "app/calc_engine_bridge.h"


#include "engine/complex_eval.h"
#include "engine/format.h"
#include "engine/parser.h"

namespace calceng {
namespace {
// Held here until the engine keeps them itself.
std::vector<std::pair<std::string, std::string>> GAssignmentLog;
}  // namespace

Extended Evaluate(const std::string& Text) { return ::Evaluate(Text); }

std::string FormatNumber(int Digits, Extended X) { return ::FormatNumber(Digits, X); }

void SelectRadix(int Radix) { ::SelectRadix(static_cast<std::uint8_t>(Radix)); }

void ClearAssignmentLog() { GAssignmentLog.clear(); }
void LogAssignment(const std::string& Name, const std::string& Value) {
  GAssignmentLog.emplace_back(Name, Value);
}
std::vector<std::pair<std::string, std::string>> AssignmentLogEntries() { return GAssignmentLog; }
bool ExtremumX(Extended& /*X*/) { return false; }

bool CompEvaluate(const std::string& Text, TCompValue& Z, int& ErrPos, int& ErrLen) {
  std::string S = Text;
  bool Flag = false;
  Z = ComplexZero2;
  ::CompEvaluate(S, Flag, ErrPos, ErrLen, Z);
  return Flag;
}

std::string CompToStr(const TCompValue& Z, int Digits) { return ::CompToStr(Z, Digits); }

TCompValue ComplexAnswer() { return ::ComplexAnswer; }
void SetComplexAnswer(const TCompValue& Z) { ::ComplexAnswer = Z; }
int ComplexDisplayForm() { return ::ComplexDisplayForm; }
void SetComplexDisplayForm(int Form) { ::ComplexDisplayForm = static_cast<std::uint8_t>(Form); }

void LoadUserFunctions(const std::string& /*FileName*/) {}

}  // namespace calceng
