#pragma once
// The state of the numerical procedures (integral(, solve(, min(, max(): the calculator shows
// ExtremumX after a min( or max( result and resets the bounds with its memory-clear button.
#include <array>
#include <string>

#include "engine/engine_state.h"

// The bounds of the last integral, solve or extremum search.
extern Extended IntervalLow;
extern Extended IntervalUp;
// Parts of the current extremum search; repeating the same min( or max( text doubles it.
extern int IntervalCount;
// The abscissa of the last extremum found.
extern Extended ExtremumX;

// Number of procedure and FOR bodies now being read. A min( or max( read again inside such a
// body is part of one calculation, not a repeated request, and does not refine itself.
extern int LoopDepth;
class TLoopScope {
 public:
  TLoopScope() { ++LoopDepth; }
  ~TLoopScope() { --LoopDepth; }
  TLoopScope(const TLoopScope&) = delete;
  TLoopScope& operator=(const TLoopScope&) = delete;
};

// The letter variables read since the last extremum search began, one bit per slot (1 << k).
// A search refines itself only when the letters read since the previous search of the same
// text hold the values they held then.
extern unsigned LetterReadMask;

// The counters a nested evaluation must not disturb.
struct TProcedureCounters {
  Extended Low = UndefinedValue;
  Extended Up = UndefinedValue;
  int Count = 1;
  std::string Text;
  std::array<Extended, 11> Letters{};  // slots 1..10 when the search began
};
TProcedureCounters SaveProcedureCounters();
void RestoreProcedureCounters(const TProcedureCounters& Counters);
// Forgets the bounds (the calculator's memory-clear).
void ResetIntervalBounds();
