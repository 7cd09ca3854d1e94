#include "platform/app_services.h"

#include "platform/codepage.h"
#include "platform/dialogs.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QUrl>

#include <new>
#include <stdexcept>

namespace {
QString& ProgramDirOverride() {
  static QString Dir;
  return Dir;
}
// The message pump's state. Reading the clock costs about as much as a simple formula's point,
// and a plot asks at every point: while the calls come fast, the clock is read only at every few.
// The stretch between two readings stays near a fraction of a millisecond, and a slow stretch
// reads it at every call again, so a calculation that slows down is not left unpumped for long.
struct TPump {
  static constexpr int MostCallsUnread = 63;
  static constexpr qint64 FastStretchNs = 250'000, SlowStretchNs = 1'000'000;
  int EveryMs = PumpInterval;
  QElapsedTimer Clock;  // started when the messages were last processed
  qint64 LastReading = 0;
  int CallsUnread = 0, CallsLeftUnread = 0;
} Pump;
QString& HelpFileName() {
  static QString F;
  return F;
}
std::function<bool(const QUrl&)>& UrlOpener() {
  static std::function<bool(const QUrl&)> Opener;
  return Opener;
}
bool OpenUrl(const QUrl& Url) {
  if (UrlOpener()) return UrlOpener()(Url);
  return QDesktopServices::openUrl(Url);
}
}  // namespace

QString ProgramDir() {
  if (!ProgramDirOverride().isEmpty()) return ProgramDirOverride();
  QString Dir = QCoreApplication::applicationDirPath();
  while (Dir.size() > 1 && Dir.endsWith(u'/')) Dir.chop(1);
  return Dir;
}

QString BasePath() { return ProgramDir() + QStringLiteral("/Numyx"); }

void SetProgramDir(const QString& Dir) { ProgramDirOverride() = Dir; }

void ProcessMessages() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

QString ExceptionMessage(const std::exception_ptr& E) {
  try {
    std::rethrow_exception(E);
  } catch (const std::bad_alloc&) {
    return QStringLiteral("Out of memory");
  } catch (const std::exception& X) {
    return DecodeText(X.what());
  } catch (...) {
    return QStringLiteral("Unknown error");
  }
}

void ShowException(const std::exception_ptr& E) {
  // A box that itself throws must not take the program down with it.
  try {
    ShowError(ExceptionMessage(E));
  } catch (...) {
  }
}

bool RunGuarded(const std::function<void()>& Handler) {
  try {
    if (Handler) Handler();
    return true;
  } catch (...) {
    ShowException(std::current_exception());
    return false;
  }
}

void SetHelpFile(const QString& FileName) { HelpFileName() = FileName; }
QString HelpFile() { return HelpFileName(); }

bool ShowHelpContext(int Topic) { return ShowHelpTopic(HelpFileName(), Topic); }

bool ShowHelpTopic(const QString& FileName, int Topic) {
  if (FileName.isEmpty() || !QFileInfo(FileName).isFile()) {
    ShowInformation(QStringLiteral("Help file <%1> not found.").arg(FileName));
    return false;
  }
  QUrl Url = QUrl::fromLocalFile(QFileInfo(FileName).absoluteFilePath());
  if (Topic > 0) Url.setFragment(QString::number(Topic));
  return OpenUrl(Url);
}

bool OpenMailLink(const QString& Link) {
  QUrl Url(Link.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive)
               ? Link
               : QStringLiteral("mailto:") + Link);
  return OpenUrl(Url);
}

bool StartTextEditor(const QString& FileName) {
  return OpenUrl(QUrl::fromLocalFile(QFileInfo(FileName).absoluteFilePath()));
}

void SetUrlOpener(std::function<bool(const QUrl&)> Opener) { UrlOpener() = std::move(Opener); }

void PumpWindowMessages() {
  if (Pump.EveryMs > 0 && Pump.Clock.isValid()) {
    if (Pump.CallsLeftUnread > 0) {
      --Pump.CallsLeftUnread;
      return;
    }
    const qint64 Now = Pump.Clock.nsecsElapsed();
    const qint64 Stretch = Now - Pump.LastReading;
    Pump.LastReading = Now;
    if (Stretch > TPump::SlowStretchNs)
      Pump.CallsUnread = 0;
    else if (Stretch < TPump::FastStretchNs && Pump.CallsUnread < TPump::MostCallsUnread)
      Pump.CallsUnread = Pump.CallsUnread * 2 + 1;
    Pump.CallsLeftUnread = Pump.CallsUnread;
    if (Now < Pump.EveryMs * qint64{1'000'000}) return;
  }
  Pump.Clock.start();
  ProcessMessages();
  Pump.LastReading = Pump.Clock.nsecsElapsed();
}

void SetPumpInterval(int Milliseconds) {
  Pump.EveryMs = Milliseconds < 0 ? PumpInterval : Milliseconds;
  Pump.CallsUnread = Pump.CallsLeftUnread = 0;
}
