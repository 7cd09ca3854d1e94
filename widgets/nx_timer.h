#pragma once

// A timer component that fires either from a worker thread (which only sleeps
// and asks the GUI thread to run the event) or from an ordinary GUI timer.

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <stop_token>
#include <thread>

#include "widgets/nx_events.h"

class QTimer;

enum class TThreadPriority {
  tpIdle,
  tpLowest,
  tpLower,
  tpNormal,
  tpHigher,
  tpHighest,
  tpTimeCritical
};

// Raised when no GUI timer could be started.
class EOutOfResources : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TNxTimer;

// The worker thread. It never touches the timer object itself: it sees only
// the shared block below, whose flags the GUI thread writes through atomics,
// and it is stopped and joined before its timer goes away.
class TTimerThread {
 public:
  struct Shared {
    std::atomic<bool> Enabled{true};
    std::atomic<bool> SyncEvent{true};
    std::atomic<bool> Destroying{false};
    std::atomic<std::uint32_t> Interval{1000};
    // Ticks posted to the GUI thread and not yet run (at most one).
    std::atomic<int> Pending{0};

    // Suspension and wake-ups; a suspended thread waits on Cond.
    std::mutex Lock;
    std::condition_variable_any Cond;
    bool Running = false;          // guarded by Lock
    std::uint64_t Generation = 0;  // guarded by Lock; bumped to restart a sleep

    // The direct (unsynchronised) event: copied under this lock by the
    // worker, so the GUI thread may reassign it at any time.
    std::mutex HandlerLock;
    std::function<void()> DirectTick;
    // Posts one tick to the GUI thread.
    std::function<void()> PostTick;
  };

  explicit TTimerThread(std::shared_ptr<Shared> shared);
  ~TTimerThread();  // stops and joins

  TTimerThread(const TTimerThread&) = delete;
  TTimerThread& operator=(const TTimerThread&) = delete;

  void Suspend();
  void Resume();
  bool Suspended() const;
  void SetPriority(TThreadPriority Priority);

 private:
  void Execute(std::stop_token Stop);

  std::shared_ptr<Shared> FShared;
  std::jthread FThread;
};

class TNxTimer : public QObject {
  Q_OBJECT
 public:
  explicit TNxTimer(QObject* AOwner = nullptr);
  ~TNxTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  std::uint32_t Interval() const { return FInterval; }
  void SetInterval(std::uint32_t Value);
  bool SyncEvent() const { return FSyncEvent; }
  void SetSyncEvent(bool Value);
  bool Threaded() const { return FThreaded; }
  void SetThreaded(bool Value);
  TThreadPriority ThreadPriority() const { return FThreadPriority; }
  void SetThreadPriority(TThreadPriority Value);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);

  // True while the worker thread is running (not suspended).
  bool ThreadRunning() const;
  // Ticks posted by the worker that the GUI thread has not run yet.
  int PendingTicks() const { return FShared->Pending.load(); }

 protected:
  virtual void Timer();

 private:
  void UpdateTimer();
  void SyncTick();

  bool FEnabled = true;
  std::uint32_t FInterval = 1000;
  bool FSyncEvent = true;
  bool FThreaded = true;
  TThreadPriority FThreadPriority = TThreadPriority::tpNormal;
  TNotifyEvent FOnTimer;

  std::shared_ptr<TTimerThread::Shared> FShared;
  std::unique_ptr<TTimerThread> FTimerThread;
  QTimer* FWindowTimer = nullptr;  // made only when the GUI-timer mode needs it
};
