#include "widgets/nx_timer.h"

#include "platform/dialogs.h"

#include "wait_for.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>

namespace {

struct TickLog {
  std::atomic<int> Count{0};
  std::atomic<int> OffGuiThread{0};
  std::atomic<int> WrongSender{0};
};

TNotifyEvent Counting(std::shared_ptr<TickLog> Log, QObject* Expected) {
  return [Log, Expected](QObject* Sender) {
    ++Log->Count;
    if (QThread::currentThread() != QCoreApplication::instance()->thread()) ++Log->OffGuiThread;
    if (Sender != Expected) ++Log->WrongSender;
  };
}

}  // namespace

TEST(NxTimer, IdleWithoutHandlerOrInterval) {
  TNxTimer T;
  // Without a handler the thread does not even sleep.
  EXPECT_FALSE(T.ThreadRunning());

  auto Log = std::make_shared<TickLog>();
  T.SetInterval(0);
  T.SetOnTimer(Counting(Log, &T));
  EXPECT_FALSE(T.ThreadRunning());
  PumpFor(100);
  EXPECT_EQ(Log->Count, 0);
}

TEST(NxTimer, ThreadedTicksRunOnGuiThreadAndStopWhenDisabled) {
  TNxTimer T;
  auto Log = std::make_shared<TickLog>();
  T.SetInterval(10);
  T.SetOnTimer(Counting(Log, &T));
  ASSERT_TRUE(T.ThreadRunning());
  ASSERT_TRUE(WaitFor([&] { return Log->Count >= 3; }));
  EXPECT_EQ(Log->OffGuiThread, 0);
  EXPECT_EQ(Log->WrongSender, 0);

  T.SetEnabled(false);
  EXPECT_FALSE(T.ThreadRunning());
  const int Stopped = Log->Count;
  PumpFor(100);
  EXPECT_EQ(Log->Count, Stopped);  // ticks already queued are dropped too
  EXPECT_EQ(T.PendingTicks(), 0);

  T.SetEnabled(true);
  ASSERT_TRUE(WaitFor([&] { return Log->Count > Stopped; }));
}

TEST(NxTimer, SwitchingToGuiTimerMovesFiringWithoutDoubleTicks) {
  TNxTimer T;
  auto Log = std::make_shared<TickLog>();
  T.SetInterval(15);
  T.SetOnTimer(Counting(Log, &T));
  ASSERT_TRUE(WaitFor([&] { return Log->Count >= 2; }));

  T.SetThreaded(false);
  EXPECT_FALSE(T.ThreadRunning());
  const int Before = Log->Count;
  ASSERT_TRUE(WaitFor([&] { return Log->Count >= Before + 3; }));
  EXPECT_EQ(Log->OffGuiThread, 0);

  // Back on the thread: the GUI timer is gone, so only one source fires.
  T.SetThreaded(true);
  EXPECT_TRUE(T.ThreadRunning());
  T.SetInterval(200);
  const int Mid = Log->Count;
  PumpFor(300);
  // One source at 200 ms gives one or two ticks here, never the four a
  // leftover 15 ms GUI timer would add on top.
  EXPECT_LE(Log->Count - Mid, 2);
}

TEST(NxTimer, FailingEventsAreReportedAndTheTimerKeepsRunning) {
  TScriptedDialogService Script;
  TScopedDialogService Scope(Script);
  for (bool Sync : {true, false}) {
    TNxTimer T;
    auto Log = std::make_shared<TickLog>();
    T.SetSyncEvent(Sync);
    T.SetInterval(5);
    T.SetOnTimer([Log](QObject*) {
      ++Log->Count;
      if (QThread::currentThread() != QCoreApplication::instance()->thread()) ++Log->OffGuiThread;
      throw std::runtime_error("event failed");
    });
    ASSERT_TRUE(WaitFor([&] { return Log->Count >= 3; }));
    // Without synchronisation the event runs on the worker; the box never does.
    EXPECT_EQ(Log->OffGuiThread.load(), Sync ? 0 : Log->Count.load());
    T.SetEnabled(false);
    ASSERT_TRUE(WaitFor([&] { return Script.Messages().size() >= 3; }));
    EXPECT_TRUE(Script.Messages().last().contains("event failed"));
    Script.Requests.clear();
  }
}

TEST(NxTimer, BusyGuiThreadGetsOneTickNotAPile) {
  TNxTimer T;
  auto Log = std::make_shared<TickLog>();
  T.SetInterval(2);
  T.SetOnTimer(Counting(Log, &T));
  // Many periods pass while the GUI thread does not look at its events.
  QThread::msleep(100);
  EXPECT_EQ(T.PendingTicks(), 1);
  // A long period now, so that only the waiting tick can run.
  T.SetInterval(600000);
  ASSERT_TRUE(WaitFor([&] { return Log->Count >= 1; }));
  PumpFor(50);
  EXPECT_EQ(Log->Count, 1);
}

TEST(NxTimer, DestroyedWithTicksInFlightRunsNoneOfThem) {
  auto Log = std::make_shared<TickLog>();
  for (int Round = 0; Round < 5; ++Round) {
    auto T = std::make_unique<TNxTimer>();
    T->SetInterval(1);
    T->SetOnTimer(Counting(Log, T.get()));
    // Let the worker queue ticks without the GUI thread running them.
    while (T->PendingTicks() == 0) QThread::msleep(1);
    const int Ran = Log->Count;
    T.reset();
    PumpFor(30);
    EXPECT_EQ(Log->Count, Ran);
  }
}
