#pragma once
// The state of the numerical procedures (integral(, solve(, min(, max(): the calculator shows
// ExtremumX after a min( or max( result and resets the bounds with its memory-clear button.
#include <string>

#include "engine/engine_state.h"

// The bounds of the last integral, solve or extremum search.
extern Extended IntervalLow;
extern Extended IntervalUp;
// Parts of the current extremum search; repeating the same min( or max( text doubles it.
extern int IntervalCount;
// The abscissa of the last extremum found.
extern Extended ExtremumX;

// The counters a nested evaluation must not disturb.
struct TProcedureCounters {
  Extended Low = UndefinedValue;
  Extended Up = UndefinedValue;
  int Count = 1;
  std::string Text;
};
TProcedureCounters SaveProcedureCounters();
void RestoreProcedureCounters(const TProcedureCounters& Counters);
// Forgets the bounds (the calculator's memory-clear).
void ResetIntervalBounds();
