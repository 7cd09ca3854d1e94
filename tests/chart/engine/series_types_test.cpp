#include <gtest/gtest.h>

#include "chart/engine/chart.h"
#include "chart/engine/chart_function.h"
#include "chart/engine/chart_registry.h"
#include "chart/engine/chart_series.h"
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

namespace {
struct TLineLike : TChartSeries {
  QString ClassName() const override { return QStringLiteral("TLineLike"); }
};
struct TBarLike : TChartSeries {
  QString ClassName() const override { return QStringLiteral("TBarLike"); }
};
const TChartSeriesClass LineClass{"TLineLike", [] { return new TLineLike; }};
const TChartSeriesClass BarClass{"TBarLike", [] { return new TBarLike; }};
}  // namespace

TEST(SeriesTypes, CreateCloneAndChangeClass) {
  RegisterChartSeriesClass(LineClass, "Line like", "Standard", 2);
  RegisterChartSeriesClass(BarClass, "Bar like", "Standard", 2);
  TChart Chart;
  auto First = CreateNewSeries(&Chart, LineClass);
  auto Second = CreateNewSeries(&Chart, LineClass);
  ASSERT_TRUE(First && Second);
  EXPECT_EQ(First->Name(), "Series1");
  EXPECT_EQ(Second->Name(), "Series2");
  EXPECT_EQ(Chart.SeriesCount(), 2);
  First->AddXY(1, 10, "a", clRed);
  First->AddXY(2, 20);
  First->SetTitle("Mine");

  // Every registered type is made by name.
  for (int i = 0; i < ChartSeriesTypes().Count(); ++i) {
    const TChartSeriesType& T = ChartSeriesTypes().GetSeriesType(i);
    if (T.SeriesClass.Create) {
      auto S = CreateNewSeries(&Chart, T.SeriesClass);
      ASSERT_NE(S, nullptr);
      EXPECT_EQ(S->ClassName(), T.SeriesClass.Name);
    }
  }

  auto Clone = CloneChartSeries(*First, LineClass);
  ASSERT_NE(Clone, nullptr);
  EXPECT_EQ(Clone->Count(), 2);
  EXPECT_EQ(Clone->GetXLabel(0), "a");
  EXPECT_EQ(Clone->PointColor(0), clRed);
  EXPECT_EQ(Clone->Title(), "Mine");
  Clone.reset();

  // Changing to the own class changes nothing.
  TChartSeries* Before = First.get();
  ChangeSeriesClass(First, LineClass);
  EXPECT_EQ(First.get(), Before);
  // From line to bar: the old name, the old place in the list, the old points.
  TChartSeries Dependent;
  Dependent.SetParentChart(&Chart);
  Dependent.SetDataSource(First.get());
  ChangeSeriesClass(First, BarClass);
  EXPECT_EQ(First->ClassName(), "TBarLike");
  EXPECT_EQ(First->Name(), "Series1");
  EXPECT_EQ(Chart.IndexOfSeries(First.get()), 0);
  EXPECT_EQ(Chart.SeriesCount(), 3);
  EXPECT_EQ(First->Count(), 2);
  EXPECT_EQ(First->YValue(1), 20);
  EXPECT_EQ(First->GetXLabel(0), "a");
  EXPECT_EQ(Dependent.DataSource(), First.get());
  EXPECT_EQ(Dependent.Count(), 2);

  // A function series created with its function.
  auto Sum = CreateNewSeries(&Chart, LineClass, {"TAddChartFunction", [] {
                                                   return std::unique_ptr<TChartFunction>(
                                                       std::make_unique<TAddChartFunction>());
                                                 }});
  ASSERT_NE(Sum->Function(), nullptr);
  Sum->SetDataSource(First.get());
  EXPECT_EQ(Sum->YValue(0), 30);
  UnRegisterChartSeries({"TLineLike", "TBarLike"});
}
