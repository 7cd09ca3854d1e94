#include "app/common/engine_idle.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <vector>

#include "engine/engine_busy.h"
#include "engine/engine_scopes.h"
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
  RequestBreak();
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
    if (!W->isWindow()) Lock(W);
}

TControlsLock::TControlsLock(const std::vector<QWidget*>& Controls) {
  for (QWidget* W : Controls)
    if (W) Lock(W);
}

void TControlsLock::Lock(QWidget* Control) {
  if (!Control->isEnabled()) return;
  // Disabling the focused control would hand the focus on to the next control in the tab order,
  // where the keys typed after the work would land: the focus is parked on nothing instead.
  QWidget* Focus = Control->window()->focusWidget();
  if (Focus && (Focus == Control || Control->isAncestorOf(Focus))) {
    FFocus = Focus;
    Focus->clearFocus();
  }
  Control->setEnabled(false);
  FLocked.emplace_back(Control);
}

TControlsLock::~TControlsLock() {
  for (const QPointer<QWidget>& W : FLocked)
    if (W) W->setEnabled(true);
  if (FFocus && !FFocus->window()->focusWidget() && FFocus->isEnabled() && FFocus->isVisible())
    FFocus->setFocus();
}
