#include "chart/engine/series_types.h"

#include <algorithm>

#include "chart/engine/axis_panel.h"
#include "chart/engine/chart.h"
#include "chart/engine/chart_function.h"
#include "chart/engine/chart_registry.h"
#include "chart/engine/chart_series.h"

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

namespace {
QString UniqueSeriesName(const TCustomAxisPanel* Chart, const TChartSeries* Except) {
  for (int n = 1;; ++n) {
    const QString Name = QStringLiteral("Series%1").arg(n);
    bool Used = false;
    for (int i = 0; Chart && i < Chart->SeriesCount(); ++i)
      if (Chart->GetSeries(i) != Except && Chart->GetSeries(i)->Name() == Name) Used = true;
    if (!Used) return Name;
  }
}
}  // namespace

std::unique_ptr<TChartSeries> CreateNewSeries(TCustomAxisPanel* Chart,
                                              const TChartSeriesClass& SeriesClass,
                                              const TChartFunctionClass& FunctionClass) {
  if (!SeriesClass.Create) return nullptr;
  std::unique_ptr<TChartSeries> S(SeriesClass.Create());
  if (!S) return nullptr;
  S->SetName(UniqueSeriesName(Chart, nullptr));
  S->SetParentChart(Chart);
  CreateNewChartFunction(S.get(), FunctionClass);
  return S;
}

TChartFunction* CreateNewChartFunction(TChartSeries* Series,
                                       const TChartFunctionClass& FunctionClass) {
  if (!Series || !FunctionClass.Create) return nullptr;
  std::unique_ptr<TChartFunction> F = FunctionClass.Create();
  if (!F) return nullptr;
  const TCustomAxisPanel* Chart = Series->ParentChart();
  auto Used = [&](const QString& Name) {
    if (Series->Function() && Series->Function()->Name() == Name) return true;
    for (int i = 0; Chart && i < Chart->SeriesCount(); ++i) {
      const TChartSeries* S = Chart->GetSeries(i);
      if (S->Name() == Name || (S->Function() && S->Function()->Name() == Name)) return true;
    }
    return false;
  };
  int n = 1;
  while (Used(QStringLiteral("ChartFunction%1").arg(n))) ++n;
  F->SetName(QStringLiteral("ChartFunction%1").arg(n));
  TChartFunction* Result = F.get();
  Series->SetFunction(std::move(F));
  return Result;
}

std::unique_ptr<TChartSeries> CloneChartSeries(const TChartSeries& Series,
                                               const TChartSeriesClass& SeriesClass) {
  std::unique_ptr<TChartSeries> S = CreateNewSeries(Series.ParentChart(), SeriesClass);
  if (S) S->Assign(Series);
  return S;
}

void ReplaceSeries(std::unique_ptr<TChartSeries>& Old, std::unique_ptr<TChartSeries> New) {
  if (!Old || !New) return;
  New->Assign(*Old);
  New->AssignEvents(*Old);
  const QString Name = Old->Name();
  // Dependents take their data from the new series from now on, their other sources kept.
  for (TChartSeries* L : std::vector<TChartSeries*>(Old->LinkedSeries()))
    L->ReplaceDataSource(Old.get(), New.get());
  if (auto* C = dynamic_cast<TCustomChart*>(New->ParentChart())) {
    const int A = C->IndexOfSeries(Old.get()), B = C->IndexOfSeries(New.get());
    if (A >= 0 && B >= 0) C->ExchangeSeries(A, B);
  }
  Old = std::move(New);
  Old->SetName(Name);
  Old->CheckDatasource();
}

void ChangeSeriesClass(std::unique_ptr<TChartSeries>& Series, const TChartSeriesClass& NewClass) {
  if (!Series || Series->ClassName().compare(NewClass.Name, Qt::CaseInsensitive) == 0) return;
  std::unique_ptr<TChartSeries> New = CreateNewSeries(Series->ParentChart(), NewClass);
  if (New) ReplaceSeries(Series, std::move(New));
}
