// Placeholder until the built-in functions land: every function row is a syntax error.
#include "engine/builtins.h"

Extended CallBuiltin(int, Extended& Arg1, Extended, int) {
  RaiseError(EngineState.ExprStr, errSyntax);
  return Arg1;
}

bool CallMultiArgBuiltin(int, Extended&, Extended, Extended, int) { return false; }
