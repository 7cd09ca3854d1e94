#include "chart/engine/chart_registry.h"

#include <vector>

#include "chart/engine/chart.h"
#include "chart/engine/series_gallery.h"
#include "chart/engine/series_types.h"

namespace {
std::vector<TChartClassEntry>& Table() {
  static std::vector<TChartClassEntry> T;
  return T;
}
}  // namespace

void RegisterChartClass(const QString& Name, std::function<QWidget*(QWidget*)> Create) {
  for (TChartClassEntry& E : Table())
    if (E.Name.compare(Name, Qt::CaseInsensitive) == 0) {
      E.Create = std::move(Create);
      return;
    }
  Table().push_back({Name, std::move(Create)});
}

const TChartClassEntry* FindChartClass(const QString& Name) {
  for (const TChartClassEntry& E : Table())
    if (E.Name.compare(Name, Qt::CaseInsensitive) == 0) return &E;
  return nullptr;
}

QStringList RegisteredChartClasses() {
  QStringList L;
  for (const TChartClassEntry& E : Table()) L << E.Name;
  return L;
}

void RegisterChartClasses() {
  RegisterChartCursors();
  RegisterChartClass(QStringLiteral("TChart"), [](QWidget* Parent) { return new TChart(Parent); });
  // A plain chart under the class name that form resources of charts carry.
  RegisterChartClass(QStringLiteral("ZURARIvuvo"),
                     [](QWidget* Parent) { return new TChart(Parent); });
  for (const char* Part : {"TChartLegend", "TChartGradient", "TChartWall", "TChartTitle"})
    RegisterChartClass(QString::fromLatin1(Part));
  RegisterChartFunctions();
  RegisterStandardSeries();
}
