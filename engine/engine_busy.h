#pragma once
// Whether an evaluation runs. There is one engine state, so evaluations never nest by accident:
// everything that would start another one, or change what the running one reads, asks
// EngineBusy() first and refuses or waits. The evaluations that nest on purpose (a variable's
// definition read by the running evaluation, the set-variable dialog it opens) are asked for by
// the engine itself, never while it lets the window system run.

// True while an evaluation or a tabulation runs (some TEngineBusyGuard lives).
bool EngineBusy();
// True while the running evaluation lets the window system run (inside PumpMessages): what
// happens then is not part of any evaluation and may start none.
bool EnginePumping();

// Marks the engine busy for its lifetime; guards nest.
class TEngineBusyGuard {
 public:
  TEngineBusyGuard();
  ~TEngineBusyGuard();
  TEngineBusyGuard(const TEngineBusyGuard&) = delete;
  TEngineBusyGuard& operator=(const TEngineBusyGuard&) = delete;
};

// Counts one pass through the message pump for its lifetime.
class TEnginePumpScope {
 public:
  TEnginePumpScope();
  ~TEnginePumpScope();
  TEnginePumpScope(const TEnginePumpScope&) = delete;
  TEnginePumpScope& operator=(const TEnginePumpScope&) = delete;
};

// Called each time the last guard is released: the application runs there what waited for the
// engine (it must not start an evaluation from inside the hook itself). Null removes it.
using TEngineIdleHook = void (*)();
void SetEngineIdleHook(TEngineIdleHook Hook);
