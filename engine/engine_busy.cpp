#include "engine/engine_busy.h"

namespace {
int BusyDepth = 0;
int PumpDepth = 0;
TEngineIdleHook IdleHook = nullptr;
}  // namespace

bool EngineBusy() { return BusyDepth > 0; }

bool EnginePumping() { return PumpDepth > 0; }

TEngineBusyGuard::TEngineBusyGuard() { ++BusyDepth; }

TEngineBusyGuard::~TEngineBusyGuard() {
  if (--BusyDepth == 0 && IdleHook) IdleHook();
}

TEnginePumpScope::TEnginePumpScope() { ++PumpDepth; }

TEnginePumpScope::~TEnginePumpScope() { --PumpDepth; }

void SetEngineIdleHook(TEngineIdleHook Hook) { IdleHook = Hook; }
