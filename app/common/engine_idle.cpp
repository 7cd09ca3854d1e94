#include "app/common/engine_idle.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <vector>

#include "engine/engine_busy.h"
#include "engine/engine_state.h"
#include "platform/app_services.h"

namespace {

std::vector<std::function<void()>>& IdleQueue() {
  static std::vector<std::function<void()>> Q;
  return Q;
}

std::vector<QPointer<QWidget>>& Closing() {
  static std::vector<QPointer<QWidget>> W;
  return W;
}

void RunIdleQueue() {
  // Another evaluation may have started before the event loop came here; it ends in turn.
  if (EngineBusy()) return;
  auto Actions = std::move(IdleQueue());
  IdleQueue().clear();
  for (auto& A : Actions) RunGuarded(A);
}

void EngineIdle() {
  if (!IdleQueue().empty() && QCoreApplication::instance())
    QTimer::singleShot(0, QCoreApplication::instance(), RunIdleQueue);
}

}  // namespace

void RunWhenIdle(std::function<void()> Action) {
  if (!EngineBusy()) {
    RunGuarded(Action);
    return;
  }
  SetEngineIdleHook(&EngineIdle);
  IdleQueue().push_back(std::move(Action));
}

bool CloseWhenIdle(QWidget* Window) {
  if (!EngineBusy()) return false;
  EngineSettings.BreakRequested = true;
  auto& W = Closing();
  std::erase_if(W, [](const QPointer<QWidget>& P) { return P.isNull(); });
  if (std::find(W.begin(), W.end(), Window) != W.end()) return true;
  W.emplace_back(Window);
  RunWhenIdle([Self = QPointer<QWidget>(Window)] {
    std::erase_if(Closing(), [&Self](const QPointer<QWidget>& P) { return !P || P == Self; });
    if (Self) Self->close();
  });
  return true;
}

TControlsLock::TControlsLock(QWidget* Window) {
  if (!Window) return;
  for (QWidget* W : Window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (!W->isWindow() && W->isEnabled()) {
      W->setEnabled(false);
      FLocked.emplace_back(W);
    }
}

TControlsLock::~TControlsLock() {
  for (const QPointer<QWidget>& W : FLocked)
    if (W) W->setEnabled(true);
}
