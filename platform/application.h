#pragma once
// The application object: the last line of defence that keeps an exception
// from crossing the Qt event loop (handlers guard themselves first), and the
// program's title.

#include <QApplication>

class TApplication : public QApplication {
  Q_OBJECT
 public:
  TApplication(int& Argc, char** Argv);

  // Not the display name: the window system would append that to every window's caption.
  QString Title() const { return FTitle; }
  void SetTitle(const QString& Text) { FTitle = Text; }

  // Delivers the event; an exception that escapes a handler becomes the
  // error box, and the event counts as handled.
  bool notify(QObject* Receiver, QEvent* Event) override;

 private:
  QString FTitle;
};
