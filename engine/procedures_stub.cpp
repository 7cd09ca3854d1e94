// Placeholder until variables, IF, FOR, user functions and the numerical procedures land: none of
// these names exists yet, so each form is a syntax error.
#include "engine/procedures.h"

namespace {
void NotYet(Extended& Value) {
  Value = 0;
  RaiseError(EngineState.ExprStr, errSyntax);
}
}  // namespace

void ProceduresInitialize() {}
void ProceduresFinalize() {}

bool LetterVariable(int, Extended& Value) {
  NotYet(Value);
  return false;
}

int FindUserVariable(const std::string&) { return 0; }

void UserVariableValue(int, Extended& Value) { NotYet(Value); }

int AssignUserVariable(const std::string&, int) {
  RaiseError(EngineState.ExprStr, errSyntax);
  return 0;
}

bool TryUserFunction(const std::string&, int, Extended&) { return false; }

void IfThenElse(Extended& Value) { NotYet(Value); }
void ForLoop(Extended& Value) { NotYet(Value); }
void ListFunction(int, Extended& Value) { NotYet(Value); }
void Solve(Extended& Value) { NotYet(Value); }
void Integral(Extended& Value) { NotYet(Value); }
void Extremum(bool, Extended& Value) { NotYet(Value); }
