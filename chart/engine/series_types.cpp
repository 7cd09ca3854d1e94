#include "chart/engine/series_types.h"

#include <algorithm>

#include "chart/engine/chart_function.h"
#include "chart/engine/chart_registry.h"

TChartSeriesTypes& ChartSeriesTypes() {
  static TChartSeriesTypes Types;
  return Types;
}

namespace {
bool SameName(const QString& A, const QString& B) { return A.compare(B, Qt::CaseInsensitive) == 0; }
}  // namespace

const TChartSeriesType* TChartSeriesTypes::Find(const QString& SeriesClass,
                                                const QString& FunctionClass) const {
  for (const TChartSeriesType& T : FTypes)
    if (SameName(T.SeriesClass.Name, SeriesClass) && SameName(T.FunctionClass.Name, FunctionClass))
      return &T;
  return nullptr;
}

QStringList TChartSeriesTypes::GalleryPages() const {
  QStringList Pages;
  for (const TChartSeriesType& T : FTypes)
    if (!Pages.contains(T.GalleryPage)) Pages << T.GalleryPage;
  return Pages;
}

void RegisterChartSeriesFunction(const TChartSeriesClass& SeriesClass,
                                 const TChartFunctionClass& FunctionClass,
                                 const QString& Description, const QString& GalleryPage,
                                 int NumGallerySeries) {
  // Streams name series and functions; they are made through this list, not as widgets.
  if (!SeriesClass.IsNull()) RegisterChartClass(SeriesClass.Name);
  if (!FunctionClass.IsNull()) RegisterChartClass(FunctionClass.Name);
  TChartSeriesTypes& L = ChartSeriesTypes();
  if (L.Find(SeriesClass.Name, FunctionClass.Name)) return;
  L.FTypes.push_back({SeriesClass, FunctionClass, Description.left(MaxSeriesTypeText),
                      GalleryPage.left(MaxSeriesTypeText), std::max(0, NumGallerySeries)});
}

void RegisterChartSeriesClass(const TChartSeriesClass& SeriesClass, const QString& Description,
                              const QString& GalleryPage, int NumGallerySeries) {
  RegisterChartSeriesFunction(SeriesClass, {}, Description, GalleryPage, NumGallerySeries);
}

void RegisterChartFunction(const TChartFunctionClass& FunctionClass, const QString& Description,
                           const QString& GalleryPage, int NumGallerySeries) {
  RegisterChartSeriesFunction({}, FunctionClass, Description, GalleryPage, NumGallerySeries);
}

void RegisterChartBasicFunction(const TChartFunctionClass& FunctionClass,
                                const QString& Description) {
  RegisterChartFunction(FunctionClass, Description, QStringLiteral("Functions"), 2);
}

void UnRegisterChartSeries(const QStringList& SeriesClasses) {
  auto& T = ChartSeriesTypes().FTypes;
  T.erase(std::remove_if(T.begin(), T.end(),
                         [&](const TChartSeriesType& E) {
                           return !E.SeriesClass.IsNull() &&
                                  SeriesClasses.contains(E.SeriesClass.Name, Qt::CaseInsensitive);
                         }),
          T.end());
}

void UnRegisterChartFunctions(const QStringList& FunctionClasses) {
  auto& T = ChartSeriesTypes().FTypes;
  T.erase(std::remove_if(T.begin(), T.end(),
                         [&](const TChartSeriesType& E) {
                           return !E.FunctionClass.IsNull() &&
                                  FunctionClasses.contains(E.FunctionClass.Name,
                                                           Qt::CaseInsensitive);
                         }),
          T.end());
}

namespace {
template <class F>
TChartFunctionClass FunctionClassOf() {
  return {F().ClassName(), [] { return std::unique_ptr<TChartFunction>(std::make_unique<F>()); }};
}
}  // namespace

void RegisterChartFunctions() {
  RegisterChartBasicFunction(FunctionClassOf<TAddChartFunction>(), QStringLiteral("Add"));
  RegisterChartBasicFunction(FunctionClassOf<TSubtractChartFunction>(), QStringLiteral("Subtract"));
  RegisterChartBasicFunction(FunctionClassOf<TMultiplyChartFunction>(), QStringLiteral("Multiply"));
  RegisterChartBasicFunction(FunctionClassOf<TDivideChartFunction>(), QStringLiteral("Divide"));
  RegisterChartBasicFunction(FunctionClassOf<THighChartFunction>(), QStringLiteral("High"));
  RegisterChartBasicFunction(FunctionClassOf<TLowChartFunction>(), QStringLiteral("Low"));
  RegisterChartBasicFunction(FunctionClassOf<TAverageChartFunction>(), QStringLiteral("Average"));
}

std::unique_ptr<TChartFunction> CreateChartFunctionByName(const QString& Name) {
  for (int i = 0; i < ChartSeriesTypes().Count(); ++i) {
    const TChartSeriesType& T = ChartSeriesTypes().GetSeriesType(i);
    if (!T.FunctionClass.IsNull() && SameName(T.FunctionClass.Name, Name) && T.FunctionClass.Create)
      return T.FunctionClass.Create();
  }
  return nullptr;
}
