#pragma once
// Input that QTest has no call for, delivered as the window system delivers it, and a check that
// a press reached its widget.
#include <QtTest/qtestspontaneevent.h>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>

// One notch of the wheel over the middle of W, away from the user (Notches > 0) or towards him.
// The focus follows the wheel first where W takes it so.
inline void TurnWheel(QWidget* W, int Notches) {
  const QPointF At(W->width() / 2, W->height() / 2);
  QWheelEvent E(At, W->mapToGlobal(At), {}, QPoint(0, 120 * Notches), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
  QSpontaneKeyEvent::setSpontaneous(&E);
  qApp->notify(W, &E);
}

// Counts the presses that reach a widget past every filter of the application.
class TPressCount : public QObject {
 public:
  explicit TPressCount(QWidget* W) : FWidget(W) { W->installEventFilter(this); }
  ~TPressCount() override {
    if (FWidget) FWidget->removeEventFilter(this);
  }
  int Count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* Event) override {
    if (Event->type() == QEvent::MouseButtonPress) ++Count;
    return false;
  }

 private:
  QPointer<QWidget> FWidget;
};
