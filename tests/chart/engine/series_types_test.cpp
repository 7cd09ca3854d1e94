#include <gtest/gtest.h>

#include "chart/engine/chart_function.h"
#include "chart/engine/chart_registry.h"
#include "chart/engine/series_types.h"

TEST(SeriesTypes, FunctionsRegisteredByStartUp) {
  RegisterChartClasses();
  RegisterChartClasses();  // twice: still one entry each
  const char* Names[] = {"Add", "Subtract", "Multiply", "Divide", "High", "Low", "Average"};
  TChartSeriesTypes& L = ChartSeriesTypes();
  int Functions = 0;
  for (int i = 0; i < L.Count(); ++i) {
    const TChartSeriesType& T = L.GetSeriesType(i);
    if (T.FunctionClass.IsNull()) continue;
    ASSERT_LT(Functions, 7);
    EXPECT_EQ(T.Description, Names[Functions]);
    EXPECT_EQ(T.GalleryPage, "Functions");
    EXPECT_EQ(T.NumGallerySeries, 2);
    EXPECT_TRUE(T.SeriesClass.IsNull());
    // Created by name, and known to the class registry for streams.
    auto F = CreateChartFunctionByName(T.FunctionClass.Name);
    ASSERT_NE(F, nullptr);
    EXPECT_EQ(F->ClassName(), T.FunctionClass.Name);
    EXPECT_NE(FindChartClass(T.FunctionClass.Name), nullptr);
    ++Functions;
  }
  EXPECT_EQ(Functions, 7);
  EXPECT_EQ(CreateChartFunctionByName("TNoSuchFunction"), nullptr);
  EXPECT_TRUE(L.GalleryPages().contains("Functions"));
}

TEST(SeriesTypes, RegisterCutAndUnregister) {
  TChartSeriesTypes& L = ChartSeriesTypes();
  const int Before = L.Count();
  const TChartSeriesClass Fake{"TFakeTestSeries", nullptr};
  RegisterChartSeriesClass(Fake, "A description of 25 chrs", "A gallery page too long", 1);
  RegisterChartSeriesClass(Fake, "Other", "Other", 2);  // same class: kept once
  ASSERT_EQ(L.Count(), Before + 1);
  const TChartSeriesType& T = L.GetSeriesType(Before);
  EXPECT_EQ(T.Description, "A description of 25 ");
  EXPECT_EQ(T.Description.size(), 20);
  EXPECT_EQ(T.GalleryPage, "A gallery page too l");
  EXPECT_EQ(T.NumGallerySeries, 1);
  EXPECT_NE(L.Find("tfaketestseries", ""), nullptr);
  EXPECT_NE(FindChartClass("TFakeTestSeries"), nullptr);
  // The same series with a function is another entry.
  RegisterChartSeriesFunction(Fake, {"TAddChartFunction", nullptr}, "Fake add", "Functions", 2);
  EXPECT_EQ(L.Count(), Before + 2);
  UnRegisterChartSeries({"TFakeTestSeries"});
  EXPECT_EQ(L.Count(), Before);
  EXPECT_EQ(L.Find("TFakeTestSeries", ""), nullptr);
  RegisterChartFunction({"TFakeFunction", nullptr}, "Fake", "Functions", 2);
  EXPECT_EQ(L.Count(), Before + 1);
  UnRegisterChartFunctions({"TFakeFunction"});
  EXPECT_EQ(L.Count(), Before);
}
