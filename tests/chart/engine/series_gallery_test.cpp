// What the gallery draws of each type: the registry's counts, the samples and looks each type
// prepares on top of the common one, and the 3D switch.
#include <gtest/gtest.h>

#include "chart/engine/bar_series.h"
#include "chart/engine/chart.h"
#include "chart/engine/chart_registry.h"
#include "chart/engine/pie_series.h"
#include "chart/engine/point_types.h"
#include "chart/engine/series_types.h"
#include "chart/engine/shape_series.h"
#include "chart/engine/view3d_options.h"

TEST(SeriesGallery, OneSampleSeriesForPieGanttAndGridsTwoForTheRest) {
  RegisterChartClasses();
  const QStringList One{"TPieSeries", "TGanttSeries", "TSurfaceSeries", "TContourSeries"};
  int Series = 0;
  for (int i = 0; i < ChartSeriesTypes().Count(); ++i) {
    const TChartSeriesType& T = ChartSeriesTypes().GetSeriesType(i);
    if (T.SeriesClass.IsNull()) continue;
    if (T.GalleryPage != "Standard" && T.GalleryPage != "Extended") continue;
    EXPECT_EQ(T.NumGallerySeries, One.contains(T.SeriesClass.Name) ? 1 : 2)
        << T.SeriesClass.Name.toStdString();
    ++Series;
  }
  EXPECT_GE(Series, 15);
}

TEST(SeriesGallery, TypesBuildOnTheCommonSample) {
  TChart Chart;
  TPointSeries First, Second;
  First.SetParentChart(&Chart);
  Second.SetParentChart(&Chart);
  Second.Marks()->SetVisible(true);
  Second.SetColorEachPoint(true);
  Second.PrepareForGallery(false);
  EXPECT_EQ(Second.Count(), 4);
  EXPECT_FALSE(Second.Marks()->Visible());
  EXPECT_FALSE(Second.ColorEachPoint());
  EXPECT_EQ(Second.SeriesColor(), clSilver);
  EXPECT_EQ(Second.Pointer()->Style(), psTriangle);  // the chart's second series
  First.PrepareForGallery(true);
  EXPECT_EQ(First.Pointer()->Style(), psRectangle);

  TChart Bars;
  TBarSeries Bar;
  Bar.SetParentChart(&Bars);
  Bar.Marks()->SetVisible(true);
  Bar.PrepareForGallery(true);
  EXPECT_EQ(Bar.Count(), 4);
  EXPECT_FALSE(Bar.Marks()->Visible());
  EXPECT_EQ(Bar.BarWidthPercent(), 85);

  TChart Shapes;
  TChartShape Triangle, Circle;
  Triangle.SetParentChart(&Shapes);
  Circle.SetParentChart(&Shapes);
  Triangle.PrepareForGallery(true);
  Circle.PrepareForGallery(false);
  EXPECT_EQ(Triangle.Brush()->Color(), clRed);
  EXPECT_EQ(Triangle.Text(), QStringList{"123"});
  EXPECT_EQ(Circle.Style(), chasCircle);
  EXPECT_EQ(Circle.Brush()->Color(), clSilver);
  EXPECT_EQ(Circle.Count(), 2);

  TChart Others;
  TGanttSeries Gantt;
  TArrowSeries Arrow;
  Gantt.SetParentChart(&Others);
  Arrow.SetParentChart(&Others);
  Gantt.PrepareForGallery(true);
  EXPECT_TRUE(Gantt.ColorEachPoint());
  EXPECT_EQ(Gantt.Pointer()->VertSize(), 3);
  Arrow.PrepareForGallery(false);
  EXPECT_EQ(Arrow.EndXValues()->Count(), 3);
  EXPECT_EQ(Arrow.ArrowWidth(), 12);
  EXPECT_EQ(Arrow.SeriesColor(), static_cast<TColor>(0x808080));
}

TEST(SeriesGallery, PieViewInThreeDAndRoundInTwo) {
  TChart Chart;
  TPieSeries Pie;
  Pie.SetParentChart(&Chart);
  Chart.SetView3D(true);
  Pie.PrepareForGallery(true);
  EXPECT_EQ(Pie.Count(), 8);
  EXPECT_EQ(Chart.Chart3DPercent(), 75);
  EXPECT_FALSE(Pie.Circled());
  EXPECT_TRUE(Pie.ColorEachPoint());
  EXPECT_EQ(Chart.View3DOptions()->Elevation(), 305);
  Chart.SetView3D(false);
  Pie.PrepareForGallery(false);
  EXPECT_TRUE(Pie.Circled());
  EXPECT_FALSE(Pie.ColorEachPoint());
  // The switch: the chart's 3D and clipping, and the pie's own view.
  Chart.View3DOptions()->SetOrthogonal(true);
  Chart.View3DOptions()->SetElevation(345);
  Pie.Set3D(true);
  EXPECT_TRUE(Chart.View3D());
  EXPECT_FALSE(Chart.ClipPoints());
  EXPECT_FALSE(Chart.View3DOptions()->Orthogonal());
  EXPECT_EQ(Chart.View3DOptions()->Elevation(), 305);
  Pie.TChartSeries::Set3D(false);
  EXPECT_FALSE(Chart.View3D());
  EXPECT_TRUE(Chart.ClipPoints());
}
