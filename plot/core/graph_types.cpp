#include "plot/core/graph_types.h"

#include <QCoreApplication>

bool GraphChanged = true;

namespace {
QString& ProgramDirSlot() {
  static QString Dir;
  return Dir;
}

std::array<TGraphDefaultFont, 3> MakeDefaultFonts() {
  std::array<TGraphDefaultFont, 3> F;
  F[0].Lines[0] = QStringLiteral("Visual component v.1.0");
  return F;
}
}  // namespace

std::array<TGraphDefaultFont, 3> GraphDefaultFonts = MakeDefaultFonts();

QString GraphProgramDir() {
  QString& Dir = ProgramDirSlot();
  if (Dir.isEmpty() && QCoreApplication::instance()) Dir = QCoreApplication::applicationDirPath();
  return Dir;
}

void SetGraphProgramDir(const QString& Dir) {
  QString D = Dir;
  while (D.size() > 1 && (D.endsWith(u'/') || D.endsWith(u'\\'))) D.chop(1);
  ProgramDirSlot() = D;
}
