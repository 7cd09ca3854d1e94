#include "app/matrix/print_margins.h"

#include "platform/app_services.h"
#include "platform/ini_file.h"

#include <QFileInfo>

std::array<int, 4> PrintMargins = DefaultPrintMargins;

namespace {
const char* const MarginKeys[4] = {"MarginLeft", "MarginTop", "MarginRight", "MarginBottom"};
const QString Section = QStringLiteral("Print");

// Margins beyond this many millimetres would leave no page to print on.
constexpr int MaxMargin = 200;

bool ReadFrom(const QString& FileName, std::array<int, 4>& Margins) {
  if (!QFileInfo::exists(FileName)) return false;
  TIniFile Ini(FileName);
  if (!Ini.SectionExists(Section)) return false;
  for (int i = 0; i < 4; ++i) {
    const int V = Ini.ReadInteger(Section, QString::fromLatin1(MarginKeys[i]), Margins[i]);
    Margins[i] = V < 0 || V > MaxMargin ? DefaultPrintMargins[i] : V;
  }
  return true;
}
}  // namespace

bool TPrintDlg::DefaultMargins(const QString& Mode) {
  if (Mode == QLatin1String("Read")) {
    std::array<int, 4> M = DefaultPrintMargins;
    if (!ReadFrom(BasePath() + QStringLiteral(".INI"), M)) {
      M = DefaultPrintMargins;
      if (!ReadFrom(ProgramDir() + QStringLiteral("/Default.Ini"), M)) M = DefaultPrintMargins;
    }
    PrintMargins = M;
    return true;
  }
  if (Mode == QLatin1String("Write")) {
    TIniFile Ini(BasePath() + QStringLiteral(".INI"));
    for (int i = 0; i < 4; ++i)
      Ini.WriteInteger(Section, QString::fromLatin1(MarginKeys[i]), PrintMargins[i]);
    return Ini.UpdateFile();
  }
  return true;
}
