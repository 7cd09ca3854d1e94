#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

// Pumps events until Done() holds or a generous limit passes; the limit only
// guards against hanging, no test depends on how fast anything is.
template <typename Pred>
bool WaitFor(Pred Done, int LimitMs = 10000) {
  QElapsedTimer Clock;
  Clock.start();
  while (!Done()) {
    if (Clock.elapsed() > LimitMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(2);
  }
  return true;
}

// Pumps events for a while, to give a wrongly running timer its chance.
inline void PumpFor(int Ms) {
  QElapsedTimer Clock;
  Clock.start();
  while (Clock.elapsed() < Ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
}
