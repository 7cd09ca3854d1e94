#include "chart/engine/series_gallery.h"

#include "chart/engine/bar_series.h"
#include "chart/engine/custom_series.h"
#include "chart/engine/pie_series.h"
#include "chart/engine/point_types.h"
#include "chart/engine/polar_series.h"
#include "chart/engine/series_types.h"
#include "chart/engine/shape_series.h"
#include "chart/engine/surface_series.h"

namespace {
template <class S>
TChartSeriesClass SeriesClass() {
  return {S().ClassName(), [] { return static_cast<TChartSeries*>(new S); }};
}
}  // namespace

void RegisterStandardSeries() {
  const QString Standard = QStringLiteral("Standard");
  RegisterChartSeriesClass(SeriesClass<TLineSeries>(), QStringLiteral("Line"), Standard, 2);
  RegisterChartSeriesClass(SeriesClass<TBarSeries>(), QStringLiteral("Bar"), Standard, 2);
  RegisterChartSeriesClass(SeriesClass<THorizBarSeries>(), QStringLiteral("Horiz. Bar"), Standard,
                           2);
  RegisterChartSeriesClass(SeriesClass<TAreaSeries>(), QStringLiteral("Area"), Standard, 2);
  RegisterChartSeriesClass(SeriesClass<TPointSeries>(), QStringLiteral("Point"), Standard, 2);
  RegisterChartSeriesClass(SeriesClass<TPieSeries>(), QStringLiteral("Pie"), Standard, 1);
  RegisterChartSeriesClass(SeriesClass<TFastLineSeries>(), QStringLiteral("Fast Line"), Standard,
                           2);
  RegisterChartSeriesClass(SeriesClass<TChartShape>(), QStringLiteral("Shape"), Standard, 2);
  RegisterChartSeriesClass(SeriesClass<TGanttSeries>(), QStringLiteral("Gantt"), Standard, 1);
  RegisterChartSeriesClass(SeriesClass<TArrowSeries>(), QStringLiteral("Arrow"), Standard, 2);
  RegisterChartSeriesClass(SeriesClass<TBubbleSeries>(), QStringLiteral("Bubble"), Standard, 2);
  const QString Extended = QStringLiteral("Extended");
  RegisterChartSeriesClass(SeriesClass<TSurfaceSeries>(), QStringLiteral("Surface"), Extended, 1);
  RegisterChartSeriesClass(SeriesClass<TContourSeries>(), QStringLiteral("Contour"), Extended, 1);
  RegisterChartSeriesClass(SeriesClass<TPolarSeries>(), QStringLiteral("Polar"), Extended, 2);
  RegisterChartSeriesClass(SeriesClass<TRadarSeries>(), QStringLiteral("Radar"), Extended, 2);
}

TChartSeries* CreateSeriesByName(const QString& Name) {
  const TChartSeriesTypes& T = ChartSeriesTypes();
  for (int i = 0; i < T.Count(); ++i) {
    const TChartSeriesType& E = T.GetSeriesType(i);
    if (!E.SeriesClass.IsNull() && E.SeriesClass.Name.compare(Name, Qt::CaseInsensitive) == 0 &&
        E.SeriesClass.Create)
      return E.SeriesClass.Create();
  }
  return nullptr;
}

QString SeriesEditorClassName(const TChartSeries* Series) {
  if (auto* S = dynamic_cast<const TCustomSeries*>(Series)) return S->GetEditorClassName();
  if (auto* S = dynamic_cast<const TCustomBarSeries*>(Series)) return S->GetEditorClassName();
  if (auto* S = dynamic_cast<const TFastLineSeries*>(Series)) return S->GetEditorClassName();
  if (auto* S = dynamic_cast<const TPieSeries*>(Series)) return S->GetEditorClassName();
  if (auto* S = dynamic_cast<const TChartShape*>(Series)) return S->GetEditorClassName();
  if (auto* S = dynamic_cast<const TSurfaceSeries*>(Series)) return S->GetEditorClassName();
  if (auto* S = dynamic_cast<const TContourSeries*>(Series)) return S->GetEditorClassName();
  if (auto* S = dynamic_cast<const TCustomPolarSeries*>(Series)) return S->GetEditorClassName();
  return {};
}
