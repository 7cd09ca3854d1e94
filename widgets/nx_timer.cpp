#include "widgets/nx_timer.h"

#include "platform/app_services.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <QTimer>
#include <QtGlobal>

#include <algorithm>
#include <chrono>
#include <exception>

namespace {

// No exception may cross the event loop or end the worker thread; the timer
// keeps running after a failing event. The box is shown by the GUI thread.
void ReportTimerException(std::exception_ptr Error) {
  QCoreApplication* App = QCoreApplication::instance();
  if (App && QThread::currentThread() != App->thread())
    QMetaObject::invokeMethod(
        App, [Error] { ShowException(Error); }, Qt::QueuedConnection);
  else
    ShowException(Error);
}

}  // namespace

// ---------------------------------------------------------------------------
// TTimerThread

TTimerThread::TTimerThread(std::shared_ptr<Shared> shared)
    : FShared(std::move(shared)), FThread([this](std::stop_token Stop) { Execute(Stop); }) {}

TTimerThread::~TTimerThread() {
  FThread.request_stop();  // wakes the condition waits below
  if (FThread.joinable()) FThread.join();
}

void TTimerThread::Suspend() {
  std::lock_guard Guard(FShared->Lock);
  FShared->Running = false;
  ++FShared->Generation;
  FShared->Cond.notify_all();
}

void TTimerThread::Resume() {
  std::lock_guard Guard(FShared->Lock);
  FShared->Running = true;
  // A resumed thread starts a fresh period, like a newly started timer.
  ++FShared->Generation;
  FShared->Cond.notify_all();
}

bool TTimerThread::Suspended() const {
  std::lock_guard Guard(FShared->Lock);
  return !FShared->Running;
}

void TTimerThread::SetPriority(TThreadPriority Priority) {
  // Ordinary Linux threads all run at the same static priority; there is
  // nothing to raise or lower without privileges, so the value is only kept.
  (void)Priority;
}

void TTimerThread::Execute(std::stop_token Stop) {
  Shared& S = *FShared;
  std::unique_lock Guard(S.Lock);
  while (!Stop.stop_requested()) {
    // A suspended thread waits here until it is resumed or stopped.
    if (!S.Cond.wait(Guard, Stop, [&] { return S.Running; })) break;
    const std::uint64_t Gen = S.Generation;
    const std::uint32_t Ms = S.Interval.load();
    if (Ms == 0) {
      // Nothing to time: wait for a change rather than spin.
      S.Cond.wait(Guard, Stop, [&] { return S.Generation != Gen; });
      continue;
    }
    const bool Interrupted = S.Cond.wait_for(Guard, Stop, std::chrono::milliseconds(Ms),
                                             [&] { return S.Generation != Gen; });
    if (Interrupted || Stop.stop_requested() || S.Destroying.load() || !S.Enabled.load()) continue;

    Guard.unlock();
    if (S.SyncEvent.load()) {
      S.PostTick();
    } else {
      std::function<void()> Tick;
      {
        std::lock_guard HandlerGuard(S.HandlerLock);
        Tick = S.DirectTick;
      }
      if (Tick) {
        try {
          Tick();
        } catch (...) {
          ReportTimerException(std::current_exception());
        }
      }
    }
    Guard.lock();
  }
}

// ---------------------------------------------------------------------------
// TNxTimer

TNxTimer::TNxTimer(QObject* AOwner)
    : QObject(AOwner), FShared(std::make_shared<TTimerThread::Shared>()) {
  FShared->Interval = FInterval;
  // The worker asks the GUI thread to run the event. The timer itself is the
  // context of the call, so a tick still queued when the timer dies is
  // dropped with it; the thread is joined before that can happen.
  TTimerThread::Shared* S = FShared.get();
  FShared->PostTick = [this, S] {
    // Like a blocking hand-over, at most one tick waits for the GUI
    // thread: a busy GUI thread gets no pile of stale ticks afterwards.
    if (S->Pending.load() > 0) return;
    ++S->Pending;
    if (!QMetaObject::invokeMethod(
            this, [this] { SyncTick(); }, Qt::QueuedConnection))
      --S->Pending;
  };
  FShared->DirectTick = [this] { Timer(); };
  FTimerThread = std::make_unique<TTimerThread>(FShared);
  UpdateTimer();
}

TNxTimer::~TNxTimer() {
  FEnabled = false;
  FShared->Enabled = false;
  FShared->Destroying = true;
  {
    std::lock_guard HandlerGuard(FShared->HandlerLock);
    FShared->DirectTick = nullptr;
    FOnTimer = nullptr;
  }
  // Joining here, before QObject's destructor removes the queued ticks,
  // means no tick can be posted to or run on a destroyed timer.
  FTimerThread.reset();
  delete FWindowTimer;
  FWindowTimer = nullptr;
}

void TNxTimer::SyncTick() {
  --FShared->Pending;
  // Ticks posted before a stop are still honoured only if the timer is
  // still meant to fire.
  if (FThreaded && FSyncEvent && FTimerThread && !FTimerThread->Suspended()) Timer();
}

void TNxTimer::Timer() {
  // Also runs on the worker thread when events are not synchronised, so it
  // reads only the atomic flags and a copy of the handler taken under lock.
  if (!FShared->Enabled.load() || FShared->Destroying.load()) return;
  TNotifyEvent Handler;
  {
    std::lock_guard HandlerGuard(FShared->HandlerLock);
    Handler = FOnTimer;
  }
  if (!Handler) return;
  try {
    Handler(this);
  } catch (...) {
    ReportTimerException(std::current_exception());
  }
}

bool TNxTimer::ThreadRunning() const { return FTimerThread && !FTimerThread->Suspended(); }

void TNxTimer::UpdateTimer() {
  const bool Active = FInterval != 0 && FEnabled && FOnTimer;
  if (FThreaded) {
    if (FWindowTimer) {
      delete FWindowTimer;
      FWindowTimer = nullptr;
    }
    FTimerThread->Suspend();
    FShared->Interval = FInterval;
    if (Active) {
      FTimerThread->SetPriority(FThreadPriority);
      FTimerThread->Resume();
    }
  } else {
    FTimerThread->Suspend();
    if (!FWindowTimer) {
      FWindowTimer = new QTimer(this);
      connect(FWindowTimer, &QTimer::timeout, this, [this] { Timer(); });
    } else {
      FWindowTimer->stop();
    }
    if (Active) {
      FWindowTimer->start(static_cast<int>(std::min<std::uint32_t>(FInterval, INT32_MAX)));
      if (!FWindowTimer->isActive()) throw EOutOfResources("Not enough timers available");
    }
  }
}

void TNxTimer::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  FShared->Enabled = Value;
  UpdateTimer();
}

void TNxTimer::SetInterval(std::uint32_t Value) {
  if (Value == FInterval) return;
  FInterval = Value;
  UpdateTimer();
}

void TNxTimer::SetSyncEvent(bool Value) {
  FSyncEvent = Value;
  FShared->SyncEvent = Value;
}

void TNxTimer::SetThreaded(bool Value) {
  if (Value == FThreaded) return;
  FThreaded = Value;
  UpdateTimer();
}

void TNxTimer::SetThreadPriority(TThreadPriority Value) {
  if (Value == FThreadPriority) return;
  FThreadPriority = Value;
  if (FThreaded) UpdateTimer();
}

void TNxTimer::SetOnTimer(TNotifyEvent Value) {
  const bool WasAssigned = static_cast<bool>(FOnTimer);
  {
    // The direct mode reads the handler from the worker thread.
    std::lock_guard HandlerGuard(FShared->HandlerLock);
    FOnTimer = std::move(Value);
  }
  if (WasAssigned != static_cast<bool>(FOnTimer)) UpdateTimer();
}
