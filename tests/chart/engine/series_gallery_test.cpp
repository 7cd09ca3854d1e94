// What the gallery draws of each type: the registry's entries and counts, the samples and looks
// each type prepares for itself, and the 3D switch.
#include <gtest/gtest.h>

#include "chart/engine/bar_series.h"
#include "chart/engine/chart.h"
#include "chart/engine/chart_registry.h"
#include "chart/engine/custom_series.h"
#include "chart/engine/pie_series.h"
#include "chart/engine/point_types.h"
#include "chart/engine/series_types.h"
#include "chart/engine/shape_series.h"
#include "chart/engine/view3d_options.h"

TEST(SeriesGallery, RegistryEntriesInOrderWithTheirCounts) {
  RegisterChartClasses();
  struct TEntry {
    const char *Class, *Description, *Page;
    int Count;
  };
  const TEntry Expected[] = {{"TLineSeries", "Line", "Standard", 2},
                             {"TBarSeries", "Bar", "Standard", 2},
                             {"THorizBarSeries", "Horiz. Bar", "Standard", 2},
                             {"TAreaSeries", "Area", "Standard", 2},
                             {"TPointSeries", "Point", "Standard", 2},
                             {"TPieSeries", "Pie", "Standard", 1},
                             {"TFastLineSeries", "Fast Line", "Standard", 2},
                             {"TChartShape", "Shape", "Standard", 2},
                             {"TGanttSeries", "Gantt", "Standard", 1},
                             {"TArrowSeries", "Arrow", "Standard", 2},
                             {"TBubbleSeries", "Bubble", "Standard", 2},
                             {"TSurfaceSeries", "Surface", "Extended", 1},
                             {"TContourSeries", "Contour", "Extended", 1},
                             {"TPolarSeries", "Polar", "Extended", 2},
                             {"TRadarSeries", "Radar", "Extended", 2}};
  const TChartSeriesTypes& L = ChartSeriesTypes();
  int Next = 0;
  for (int i = 0; i < L.Count() && Next < 15; ++i) {
    const TChartSeriesType& T = L.GetSeriesType(i);
    if (T.SeriesClass.Name != Expected[Next].Class) continue;
    EXPECT_EQ(T.Description, Expected[Next].Description);
    EXPECT_EQ(T.GalleryPage, Expected[Next].Page);
    EXPECT_EQ(T.NumGallerySeries, Expected[Next].Count) << Expected[Next].Class;
    ++Next;
  }
  EXPECT_EQ(Next, 15);
}

TEST(SeriesGallery, EveryTypeStartsFromTheCommonSample) {
  TChart Chart;
  TLineSeries Line;
  Line.SetParentChart(&Chart);
  Line.Marks()->SetVisible(true);
  Line.SetColorEachPoint(true);
  Line.PrepareForGallery(false);
  EXPECT_EQ(Line.Count(), 4);
  EXPECT_FALSE(Line.Marks()->Visible());
  EXPECT_FALSE(Line.ColorEachPoint());
  EXPECT_EQ(Line.SeriesColor(), clSilver);

  // Points: the common sample, bigger pointers, triangles for the chart's second series.
  TChart Points;
  TPointSeries P1, P2;
  P1.SetParentChart(&Points);
  P2.SetParentChart(&Points);
  P2.Marks()->SetVisible(true);
  P2.PrepareForGallery(true);
  EXPECT_EQ(P2.Count(), 4);
  EXPECT_FALSE(P2.Marks()->Visible());
  EXPECT_EQ(P2.Pointer()->HorizSize(), 6);
  EXPECT_EQ(P2.Pointer()->Style(), psTriangle);
  P1.PrepareForGallery(true);
  EXPECT_EQ(P1.Pointer()->Style(), psRectangle);
  EXPECT_NE(P1.SeriesColor(), clSilver);

  // Bars: the common sample, wide bars that overlap.
  TBarSeries Bar;
  Bar.SetParentChart(&Chart);
  Bar.PrepareForGallery(true);
  EXPECT_EQ(Bar.Count(), 4);
  EXPECT_FALSE(Bar.Marks()->Visible());
  EXPECT_EQ(Bar.BarWidthPercent(), 85);
  EXPECT_EQ(Bar.MultiBar(), mbNone);
}

TEST(SeriesGallery, PieShapeGanttAndArrowLooks) {
  {
    TChart Chart;
    Chart.SetView3D(true);
    TPieSeries Pie;
    Pie.SetParentChart(&Chart);
    Pie.PrepareForGallery(true);
    EXPECT_EQ(Pie.Count(), 8);
    EXPECT_EQ(Chart.Chart3DPercent(), 75);
    EXPECT_FALSE(Pie.Circled());
    EXPECT_TRUE(Pie.ColorEachPoint());
    EXPECT_FALSE(Chart.View3DOptions()->Orthogonal());
    EXPECT_EQ(Chart.View3DOptions()->Elevation(), 305);
    Chart.SetView3D(false);
    Pie.PrepareForGallery(false);
    EXPECT_TRUE(Pie.Circled());
    EXPECT_FALSE(Pie.ColorEachPoint());
  }
  {
    TChart Chart;
    TChartShape First, Second;
    First.SetParentChart(&Chart);
    Second.SetParentChart(&Chart);
    First.PrepareForGallery(true);
    Second.PrepareForGallery(false);
    EXPECT_EQ(First.Style(), chasTriangle);
    EXPECT_EQ(First.Brush()->Color(), clRed);
    EXPECT_EQ(First.Text(), QStringList{"123"});
    EXPECT_EQ(First.Font()->Color(), clWhite);
    EXPECT_EQ(First.Font()->Size(), 14);
    EXPECT_EQ(Second.Style(), chasCircle);
    EXPECT_EQ(Second.Brush()->Color(), clSilver);
    EXPECT_EQ(Second.Text(), QStringList{"abc"});
    EXPECT_EQ(First.Count(), 2);
  }
  {
    TChart Chart;
    TGanttSeries Gantt;
    Gantt.SetParentChart(&Chart);
    Gantt.PrepareForGallery(false);
    EXPECT_FALSE(Gantt.ColorEachPoint());
    EXPECT_EQ(Gantt.Pointer()->VertSize(), 3);
    EXPECT_GT(Gantt.Count(), 0);
    Gantt.PrepareForGallery(true);
    EXPECT_TRUE(Gantt.ColorEachPoint());
  }
  {
    TChart Chart;
    TArrowSeries Arrow;
    Arrow.SetParentChart(&Chart);
    Arrow.PrepareForGallery(false);
    EXPECT_EQ(Arrow.Count(), 3);
    EXPECT_EQ(Arrow.EndXValues()->Count(), 3);
    EXPECT_EQ(Arrow.ArrowWidth(), 12);
    EXPECT_EQ(Arrow.ArrowHeight(), 12);
    EXPECT_EQ(Arrow.SeriesColor(), static_cast<TColor>(0x808080));
  }
}

TEST(SeriesGallery, ThreeDSwitchOfTheChartAndOfThePie) {
  TChart Chart;
  TLineSeries Line;
  Line.SetParentChart(&Chart);
  Line.Set3D(false);
  EXPECT_FALSE(Chart.View3D());
  EXPECT_TRUE(Chart.ClipPoints());
  Line.Set3D(true);
  EXPECT_TRUE(Chart.View3D());
  EXPECT_FALSE(Chart.ClipPoints());
  TPieSeries Pie;
  Pie.SetParentChart(&Chart);
  Chart.View3DOptions()->SetOrthogonal(true);
  Pie.Set3D(false);
  EXPECT_FALSE(Chart.View3D());
  EXPECT_FALSE(Chart.View3DOptions()->Orthogonal());
  EXPECT_EQ(Chart.View3DOptions()->Rotation(), 0);
  EXPECT_EQ(Chart.View3DOptions()->Elevation(), 305);
}
