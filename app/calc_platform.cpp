#include "app/calc_platform.h"

#include <QDesktopServices>
#include <QDialog>
#include <QUrl>

namespace calcpf {
namespace {
QString GProgramDir;
std::function<bool(const QString&)> GUrlOpener;
std::function<int(QDialog&)> GModalRunner;
}  // namespace

QString ProgramDir() { return GProgramDir; }

void SetProgramDir(const QString& Dir) {
  GProgramDir = Dir;
  while (GProgramDir.size() > 1 && GProgramDir.endsWith('/')) GProgramDir.chop(1);
}

QString BasePath() { return GProgramDir + "/Numyx"; }

bool OpenUrl(const QString& Url) {
  if (GUrlOpener) return GUrlOpener(Url);
  return QDesktopServices::openUrl(QUrl(Url));
}

void SetUrlOpener(std::function<bool(const QString&)> Opener) { GUrlOpener = std::move(Opener); }

int RunModal(QDialog& Form) { return GModalRunner ? GModalRunner(Form) : Form.exec(); }

void SetModalRunner(std::function<int(QDialog&)> Runner) { GModalRunner = std::move(Runner); }

}  // namespace calcpf
