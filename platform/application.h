#pragma once
// The application object: the last line of defence that keeps an exception
// from crossing the Qt event loop (handlers guard themselves first), and the
// program's title.

#include <QApplication>

class TApplication : public QApplication {
  Q_OBJECT
 public:
  TApplication(int& Argc, char** Argv);

  QString Title() const { return applicationDisplayName(); }
  void SetTitle(const QString& Text) { setApplicationDisplayName(Text); }

  // Delivers the event; an exception that escapes a handler becomes the
  // error box, and the event counts as handled.
  bool notify(QObject* Receiver, QEvent* Event) override;
};
