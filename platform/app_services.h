#pragma once
// Program-wide services: where the program's files live, the message pump,
// the guard that keeps exceptions from crossing the event loop, and help
// topics and shell requests.

#include <QString>

#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

class QUrl;

// --- Files beside the program ------------------------------------------------

// The executable's directory, without a trailing separator.
QString ProgramDir();
// ProgramDir() + "/Numyx": every calculator file is this plus an extension.
QString BasePath();
// Tests point the program at a directory of their own; "" goes back.
void SetProgramDir(const QString& Dir);

// --- Message pump ----------------------------------------------------------------

// Lets the GUI handle pending events, at most once per PumpInterval ms;
// long calculations call it freely (the application's engine host pumps through it).
// Whether a calculation runs, and what must wait for it, is the engine's to say
// (engine/engine_busy.h): this layer cannot see the engine.
inline constexpr int PumpInterval = 30;
void PumpWindowMessages();
// Tests pump at every call (0), so that what they queue is handled inside the
// calculation they start; a negative value restores PumpInterval.
void SetPumpInterval(int Milliseconds);
// Handles pending events now.
void ProcessMessages();

// --- Handler guard ---------------------------------------------------------------

// The text an escaping exception shows.
QString ExceptionMessage(const std::exception_ptr& E);
// Shows the error box for an exception that reached a handler entry point.
void ShowException(const std::exception_ptr& E);

// Wraps a handler so that an exception it lets out becomes an error box
// instead of crossing the Qt event loop:
//   connect(Button, &QPushButton::clicked, Guarded([this] { Go(); }));
// A handler that takes no arguments ignores those of the signal.
template <class F>
auto Guarded(F Handler) {
  return [Handler = std::move(Handler)](auto&&... Args) mutable {
    try {
      if constexpr (std::is_invocable_v<F&, decltype(Args)...>)
        Handler(std::forward<decltype(Args)>(Args)...);
      else
        Handler();
    } catch (...) {
      ShowException(std::current_exception());
    }
  };
}

// Runs Handler at once under the same guard; false when it threw.
bool RunGuarded(const std::function<void()>& Handler);

// --- Help and shell ----------------------------------------------------------------

// The application's help file (set at start-up) and its topics. A help
// file that does not exist gives an information box; answers whether the
// help was handed to the desktop.
void SetHelpFile(const QString& FileName);
QString HelpFile();
bool ShowHelpContext(int Topic);
bool ShowHelpTopic(const QString& FileName, int Topic);

// A "mailto:" link to the system's mail client.
bool OpenMailLink(const QString& Link);
// The file in the system's text editor, without waiting.
bool StartTextEditor(const QString& FileName);

// How URLs reach the desktop (QDesktopServices by default); tests record.
void SetUrlOpener(std::function<bool(const QUrl&)> Opener);
