// Series the chart owns and handles that outlive them: what the editor relies on to delete and
// replace series that windows and pages still show.
#include <gtest/gtest.h>

#include "chart/engine/chart.h"
#include "chart/engine/chart_registry.h"
#include "chart/engine/point_types.h"
#include "chart/engine/series_types.h"

TEST(SeriesOwnership, TheChartFreesItsOwnSeriesAndOnlyReleasesOthers) {
  auto Chart = std::make_unique<TChart>();
  TSeriesHandle Owned = Chart->AdoptSeries(std::make_unique<TLineSeries>())->Handle();
  TLineSeries Kept;
  Chart->AddSeries(&Kept);
  ASSERT_EQ(Chart->SeriesCount(), 2);
  EXPECT_TRUE(Chart->OwnsSeries(Owned.Get()));
  EXPECT_FALSE(Chart->OwnsSeries(&Kept));
  EXPECT_EQ(Chart->OwnedSlot(&Kept), nullptr);

  // A series kept elsewhere only leaves the list; an owned one is destroyed.
  Chart->FreeSeries(&Kept);
  EXPECT_EQ(Chart->SeriesCount(), 1);
  EXPECT_EQ(Kept.ParentChart(), nullptr);
  const TSeriesHandle Copy = Owned;
  Chart->FreeSeries(Owned.Get());
  EXPECT_EQ(Chart->SeriesCount(), 0);
  EXPECT_FALSE(Owned);
  EXPECT_EQ(Copy.Get(), nullptr);
  Chart->FreeSeries(nullptr);

  // The chart going takes its own series along and lets the others go.
  TSeriesHandle Last = Chart->AdoptSeries(std::make_unique<TLineSeries>())->Handle();
  Chart->AddSeries(&Kept);
  Chart.reset();
  EXPECT_FALSE(Last);
  EXPECT_EQ(Kept.ParentChart(), nullptr);
  EXPECT_FALSE(TSeriesHandle());
}

TEST(SeriesOwnership, AChangeOfTypeInTheOwnersSlotKeepsThePlaceAndClearsOldHandles) {
  RegisterChartClasses();
  TChart Chart;
  TChartSeries* A = Chart.AdoptSeries(std::make_unique<TLineSeries>());
  TChartSeries* B = Chart.AdoptSeries(std::make_unique<TLineSeries>());
  B->SetTitle(QStringLiteral("B"));
  const TSeriesHandle Old = B->Handle();
  const TChartSeriesType* Bar = ChartSeriesTypes().Find(QStringLiteral("TBarSeries"), {});
  ASSERT_NE(Bar, nullptr);
  std::unique_ptr<TChartSeries>* Slot = Chart.OwnedSlot(B);
  ASSERT_NE(Slot, nullptr);
  ChangeSeriesClass(*Slot, Bar->SeriesClass);
  EXPECT_FALSE(Old);
  ASSERT_EQ(Chart.SeriesCount(), 2);
  EXPECT_EQ(Chart.GetSeries(0), A);
  EXPECT_EQ(Chart.GetSeries(1)->ClassName(), QStringLiteral("TBarSeries"));
  EXPECT_EQ(Chart.GetSeries(1)->Title(), QStringLiteral("B"));
  EXPECT_TRUE(Chart.OwnsSeries(Chart.GetSeries(1)));
  Chart.FreeAllSeries();
  EXPECT_EQ(Chart.SeriesCount(), 0);
}

TEST(SeriesOwnership, TheAnimatedZoomTakesAtMostAHundredSteps) {
  TChart Chart;
  EXPECT_EQ(Chart.AnimatedZoomSteps(), 8);
  Chart.SetAnimatedZoomSteps(1 << 30);
  EXPECT_EQ(Chart.AnimatedZoomSteps(), TChart::MaxAnimatedZoomSteps);
  Chart.SetAnimatedZoomSteps(-1);
  EXPECT_EQ(Chart.AnimatedZoomSteps(), 0);
  // Repaints counted through the chart's after-draw event: one per step and the last.
  int Draws = 0;
  Chart.resize(200, 150);
  Chart.AdoptSeries(std::make_unique<TLineSeries>())->AddXY(0, 0);
  Chart.GetSeries(0)->AddXY(10, 10);
  Chart.OnAfterDraw = [&](TCustomAxisPanel*) { ++Draws; };
  Chart.SetAnimatedZoom(true);
  Chart.SetAnimatedZoomSteps(5000);
  Chart.CreateBitmap(clWhite, {0, 0, 200, 150});
  Draws = 0;
  Chart.ZoomRect({40, 30, 160, 120});
  EXPECT_LE(Draws, TChart::MaxAnimatedZoomSteps + 1);
}
