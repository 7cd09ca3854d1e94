#include "platform/timer.h"

TTimer::TTimer(QObject* Owner) : QObject(Owner) {
  connect(&FTimer, &QTimer::timeout, this, [this] {
    if (OnTimer) OnTimer();
    emit Timer();
  });
  // Started once the owner had the chance to set interval and handler.
  QTimer::singleShot(0, this, [this] { Update(); });
}

void TTimer::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  Update();
}

void TTimer::SetInterval(int Value) {
  if (Value == FInterval) return;
  FInterval = Value;
  Update();
}

void TTimer::Update() {
  FTimer.stop();
  if (FEnabled && FInterval > 0) FTimer.start(FInterval);
}
