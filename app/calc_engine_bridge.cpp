#include "app/calc_engine_bridge.h"

#include <cmath>

#include "engine/format.h"
#include "engine/parser.h"

namespace calceng {
namespace {
// Held here until the engine keeps them itself.
std::vector<std::pair<std::string, std::string>> GAssignmentLog;
TCompValue GComplexAnswer;
int GComplexDisplayForm = 1;
}  // namespace

Extended Evaluate(const std::string& Text) { return ::Evaluate(Text); }

std::string FormatNumber(int Digits, Extended X) { return ::FormatNumber(Digits, X); }

void SelectRadix(int Radix) { ::SelectRadix(static_cast<std::uint8_t>(Radix)); }

void ClearAssignmentLog() { GAssignmentLog.clear(); }
std::vector<std::pair<std::string, std::string>> AssignmentLogEntries() { return GAssignmentLog; }
Extended ExtremumX() { return 0; }

bool CompEvaluate(const std::string& Text, TCompValue& Z, int& ErrPos, int& ErrLen) {
  Z = TCompValue{};
  if (Text.empty()) return false;
  EngineState.ErrCode = errSyntax;
  ErrPos = 1;
  ErrLen = 1;
  return true;
}

std::string CompToStr(const TCompValue& Z, int Digits) {
  const std::string B = FormatNumber(Digits, std::fabs(Z.B));
  return FormatNumber(Digits, Z.A) + (Z.B < 0 ? "-" : "+") + B + "i";
}

TCompValue ComplexAnswer() { return GComplexAnswer; }
void SetComplexAnswer(const TCompValue& Z) { GComplexAnswer = Z; }
int ComplexDisplayForm() { return GComplexDisplayForm; }
void SetComplexDisplayForm(int Form) { GComplexDisplayForm = Form; }

void LoadUserFunctions(const std::string& /*FileName*/) {}

}  // namespace calceng
