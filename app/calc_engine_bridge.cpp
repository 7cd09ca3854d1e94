#include "app/calc_engine_bridge.h"


#include "engine/complex_eval.h"
#include "engine/format.h"
#include "engine/numeric_procedures.h"
#include "engine/parser.h"
#include "engine/variables.h"

namespace calceng {

Extended Evaluate(const std::string& Text) { return ::Evaluate(Text); }

std::string FormatNumber(int Digits, Extended X) { return ::FormatNumber(Digits, X); }

void SelectRadix(int Radix) { ::SelectRadix(static_cast<std::uint8_t>(Radix)); }

void ClearAssignmentLog() { AssignmentLog.Clear(); }
std::vector<std::pair<std::string, std::string>> AssignmentLogEntries() {
  std::vector<std::pair<std::string, std::string>> Entries;
  Entries.reserve(AssignmentLog.Count());
  for (size_t i = 0; i < AssignmentLog.Count(); ++i)
    Entries.emplace_back(AssignmentLog.Names[i], AssignmentLog.Value(i));
  return Entries;
}
void ExtremumX(Extended& X) { X = ::ExtremumX; }

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

}  // namespace calceng
