#pragma once
// A timer with the semantics the windows rely on: it ticks only while
// Enabled, with a positive Interval and a handler; changing the interval
// restarts the count.

#include <QObject>
#include <QTimer>

#include <functional>

class TTimer : public QObject {
  Q_OBJECT
 public:
  explicit TTimer(QObject* Owner = nullptr);

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  int Interval() const { return FInterval; }  // milliseconds
  void SetInterval(int Value);

  std::function<void()> OnTimer;

 signals:
  void Timer();

 private:
  void Update();
  QTimer FTimer;
  bool FEnabled = true;
  int FInterval = 1000;
};
