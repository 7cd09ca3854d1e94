// The program's windows see the chart library and the plot library at once: names that both
// libraries give a type must not clash, and each library keeps its own meaning of them.
#include <gtest/gtest.h>

#include "app/calc/fm_calc.h"
#include "chart/engine/bar_series.h"
#include "chart/engine/chart.h"
#include "plot/ui/plot.h"
#include "widgets/nx_clock.h"
#include "widgets/nx_label.h"

namespace {

TEST(LibraryNames, BothLegendStylesLiveSideBySide) {
  TChart Chart;
  EXPECT_EQ(Chart.Legend()->LegendStyle(), ChartLegend::lsAuto);
  Chart.Legend()->SetLegendStyle(ChartLegend::lsLastValues);
  EXPECT_EQ(Chart.Legend()->LegendStyle(), ChartLegend::lsLastValues);

  TPlot Plot;
  EXPECT_EQ(Plot.Legend->GetStyle(), lsRight);
  Plot.Legend->SetStyle(lsInside);
  const TLegendStyle Style = Plot.Legend->GetStyle();
  EXPECT_EQ(Style, lsInside);
  // Setting one library's style leaves the other's alone.
  EXPECT_EQ(Chart.Legend()->LegendStyle(), ChartLegend::lsLastValues);
}

TEST(LibraryNames, BothBarStylesLiveSideBySide) {
  TBarSeries Bars;
  EXPECT_EQ(Bars.BarStyle(), ChartBar::bsRectangle);
  Bars.SetBarStyle(ChartBar::bsCilinder);
  EXPECT_EQ(Bars.BarStyle(), ChartBar::bsCilinder);

  TPlot Plot;
  const TBarStyle Layout = bsStacked;
  Plot.SetBarStyle(Layout);
  EXPECT_EQ(Plot.GetBarStyle(), bsStacked);
}

TEST(LibraryNames, OneTextAlignmentForEveryLibrary) {
  TChart Chart;
  TPlot Plot;
  const TAlignment Right = taRightJustify;
  Chart.Title()->SetAlignment(Right);
  Plot.Title->SetAlignment(Right);
  EXPECT_EQ(Chart.Title()->Alignment(), taRightJustify);
  EXPECT_EQ(Plot.Title->GetAlignment(), taRightJustify);
  EXPECT_EQ(Plot.Graph()->Title.Alignment, taRightJustify);

  // The panel bevels too.
  TNxClock Clock;
  Chart.SetBevelOuter(bvLowered);
  Clock.SetBevelOuter(bvLowered);
  EXPECT_EQ(Chart.BevelOuter(), Clock.BevelOuter());
}

}  // namespace
