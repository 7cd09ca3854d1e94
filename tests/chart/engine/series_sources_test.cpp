// Series fed by other series: the extra value lists of copied points, which series may feed
// which, replacing a source, naming functions and refilling a series that joins a chart.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <QDate>

#include "chart/engine/chart.h"
#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_function.h"
#include "chart/engine/custom_series.h"
#include "chart/engine/point_types.h"
#include "chart/engine/series_types.h"
#include "chart/engine/surface_series.h"

namespace {
template <class S>
TChartSeriesClass ClassOf() {
  return {S().ClassName(), [] { return static_cast<TChartSeries*>(new S); }};
}

template <class F>
TChartFunctionClass FunctionOf() {
  return {F().ClassName(), [] { return std::unique_ptr<TChartFunction>(std::make_unique<F>()); }};
}

// Every value of every list, list by list.
std::vector<std::vector<double>> Values(const TChartSeries& S) {
  std::vector<std::vector<double>> R;
  for (TChartValueList* L : S.ValueLists()) {
    R.emplace_back();
    for (int i = 0; i < L->Count(); ++i) R.back().push_back(L->GetValue(i));
  }
  return R;
}

// A series of type S filled by Fill, copied three ways: cloned, fed as a data source before its
// points were added (point by point), and refilled from it afterwards.
template <class S>
void ExpectCopiesKeepExtraLists(const std::function<void(S&)>& Fill) {
  SCOPED_TRACE(S().ClassName().toStdString());
  TChart Chart;
  auto Source = std::unique_ptr<TChartSeries>(CreateNewSeries(&Chart, ClassOf<S>()));
  auto Fed = std::unique_ptr<TChartSeries>(CreateNewSeries(&Chart, ClassOf<S>()));
  Fed->SetDataSource(Source.get());
  Source->Clear();
  Fill(static_cast<S&>(*Source));
  ASSERT_GT(Source->ValueLists().size(), 2u);
  const auto Expected = Values(*Source);
  EXPECT_EQ(Values(*Fed), Expected);
  auto Refilled = std::unique_ptr<TChartSeries>(CreateNewSeries(&Chart, ClassOf<S>()));
  Refilled->SetDataSource(Source.get());
  EXPECT_EQ(Values(*Refilled), Expected);
  auto Clone = CloneChartSeries(*Source, ClassOf<S>());
  ASSERT_NE(Clone, nullptr);
  EXPECT_EQ(Values(*Clone), Expected);
}
}  // namespace

TEST(SeriesSources, CopiedPointsKeepEveryExtraList) {
  ExpectCopiesKeepExtraLists<TBubbleSeries>([](TBubbleSeries& S) {
    S.AddBubble(1, 10, 3);
    S.AddBubble(2, 20, 7);
  });
  ExpectCopiesKeepExtraLists<TGanttSeries>([](TGanttSeries& S) {
    S.AddGantt(100, 110, 0, "a");
    S.AddGantt(105, 120, 1, "b");
    S.NextTask()->SetValue(0, 1);
  });
  ExpectCopiesKeepExtraLists<TArrowSeries>([](TArrowSeries& S) {
    S.AddArrow(0, 0, 5, 6);
    S.AddArrow(1, 2, 8, 9);
  });
  ExpectCopiesKeepExtraLists<TSurfaceSeries>([](TSurfaceSeries& S) {
    for (int x = 1; x <= 3; ++x)
      for (int z = 1; z <= 3; ++z) S.AddXYZ(x, x * z, z);
  });
  ExpectCopiesKeepExtraLists<TContourSeries>([](TContourSeries& S) {
    for (int x = 1; x <= 2; ++x)
      for (int z = 1; z <= 4; ++z) S.AddXYZ(x, x - z, z);
  });
}

TEST(SeriesSources, NewPointsTakeTheirListsDefaults) {
  TChart Chart;
  TGanttSeries G;
  G.SetParentChart(&Chart);
  G.AddGantt(1, 2, 0);
  G.AddXY(3, 1, {}, clChartAuto);  // added without knowing of the extra lists
  EXPECT_EQ(G.EndValues()->Count(), 2);
  EXPECT_EQ(G.NextTask()->GetValue(0), -1);
  EXPECT_EQ(G.NextTask()->GetValue(1), -1);
  EXPECT_EQ(G.EndValues()->GetValue(1), 0);
  // A listener on the source sees the extra values of a new point already in place.
  double Heard = -1;
  TBubbleSeries B;
  B.SetParentChart(&Chart);
  B.OnAfterAdd = [&](TChartSeries*, int I) { Heard = B.RadiusValues()->GetValue(I); };
  B.AddBubble(0, 0, 42);
  EXPECT_EQ(Heard, 42);
}

TEST(SeriesSources, SeriesWithListsOfTheirOwnTakeOnlyTheirKind) {
  TChart Chart;
  TLineSeries Line;
  TBubbleSeries Bubble;
  TSurfaceSeries Surface;
  TContourSeries Contour;
  TArrowSeries Arrow;
  TGanttSeries Gantt;
  for (TChartSeries* S :
       std::initializer_list<TChartSeries*>{&Line, &Bubble, &Surface, &Contour, &Arrow, &Gantt})
    S->SetParentChart(&Chart);
  Line.SetName("Line1");
  EXPECT_TRUE(Line.IsValidSourceOf(&Bubble));
  EXPECT_FALSE(Line.IsValidSourceOf(&Line));
  EXPECT_FALSE(Bubble.IsValidSourceOf(&Line));
  EXPECT_FALSE(Arrow.IsValidSourceOf(&Bubble));
  EXPECT_FALSE(Gantt.IsValidSourceOf(&Arrow));
  EXPECT_TRUE(Surface.IsValidSourceOf(&Contour));
  EXPECT_FALSE(Surface.IsValidSourceOf(&Line));
  EXPECT_TRUE(Chart.IsValidDataSource(&Contour, &Surface));
  EXPECT_FALSE(Chart.IsValidDataSource(&Contour, &Contour));
  try {
    Surface.SetDataSource(&Line);
    ADD_FAILURE();
  } catch (const ChartException& E) {
    EXPECT_STREQ(E.what(), "No valid DataSource: Line1");
  }
  EXPECT_EQ(Surface.DataSource(), nullptr);
}

TEST(SeriesSources, ReplacingASourceKeepsTheOthersAndTheEvents) {
  RegisterChartFunctions();
  TChart Chart;
  auto A = CreateNewSeries(&Chart, ClassOf<TLineSeries>());
  auto B = CreateNewSeries(&Chart, ClassOf<TLineSeries>());
  A->AddXY(0, 10);
  A->AddXY(1, 20);
  B->AddXY(0, 1);
  B->AddXY(1, 2);
  // A difference of the two.
  auto D = CreateNewSeries(&Chart, ClassOf<TLineSeries>(), FunctionOf<TSubtractChartFunction>());
  D->SetDataSource(A.get());
  D->Loaded({B.get()});
  ASSERT_EQ(D->DataSources().size(), 2u);
  int Clicks = 0, Marks = 0;
  A->OnClick = [&](TChartSeries*, int, Qt::MouseButton, TShiftState, int, int) { ++Clicks; };
  A->OnDblClick = A->OnClick;
  A->AfterDrawValues = [&](TChartSeries*) { ++Marks; };
  static_cast<TLineSeries&>(*A).OnGetPointerStyle = [](TChartSeries*, int) { return psStar; };
  TChartSeries* OldB = B.get();
  ChangeSeriesClass(A, ClassOf<TPointSeries>());
  ASSERT_EQ(D->DataSources().size(), 2u);
  EXPECT_EQ(D->DataSources()[0], A.get());
  EXPECT_EQ(D->DataSources()[1], OldB);
  std::vector<TChartSeries*> Listed;
  Chart.FillSeriesSourceItems(D.get(), [&](TChartSeries* S) { Listed.push_back(S); });
  EXPECT_EQ(Listed, (std::vector<TChartSeries*>{A.get(), OldB}));
  EXPECT_EQ(D->YValue(1), 18);
  EXPECT_TRUE(A->OnClick && A->OnDblClick && A->AfterDrawValues);
  auto* Points = dynamic_cast<TPointSeries*>(A.get());
  ASSERT_NE(Points, nullptr);
  ASSERT_TRUE(Points->OnGetPointerStyle);
  EXPECT_EQ(Points->OnGetPointerStyle(Points, 0), psStar);
  A->OnClick(A.get(), 0, Qt::LeftButton, 0, 0, 0);
  A->AfterDrawValues(A.get());
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Marks, 1);
  // Both sources still feed the difference when it is recomputed.
  B->AddXY(2, 3);
  A->AddXY(2, 30);
  A->RefreshSeries();
  ASSERT_EQ(D->Count(), 3);
  EXPECT_EQ(D->YValue(2), 27);
}

TEST(SeriesSources, FunctionsNamedByTheFirstFreeNumber) {
  TChart Chart;
  auto A = CreateNewSeries(&Chart, ClassOf<TLineSeries>(), FunctionOf<TAddChartFunction>());
  auto B = CreateNewSeries(&Chart, ClassOf<TLineSeries>(), FunctionOf<THighChartFunction>());
  ASSERT_TRUE(A->Function() && B->Function());
  EXPECT_EQ(A->Function()->Name(), "ChartFunction1");
  EXPECT_EQ(B->Function()->Name(), "ChartFunction2");
  TChartFunction* F = CreateNewChartFunction(A.get(), FunctionOf<TLowChartFunction>());
  ASSERT_EQ(A->Function(), F);
  EXPECT_EQ(F->ClassName(), "TLowChartFunction");
  EXPECT_EQ(F->Name(), "ChartFunction3");  // the replaced one's name still counted as taken
  EXPECT_EQ(CreateNewChartFunction(A.get(), {}), nullptr);
}

TEST(SeriesSources, SeriesJoiningAChartRefillsFromItsSource) {
  TChart First, Second;
  TLineSeries Source, Fed;
  Source.SetParentChart(&First);
  Fed.SetParentChart(&First);
  Source.AddXY(0, 5);
  Fed.SetDataSource(&Source);
  Fed.SetUpdateOptions(0);  // follows no single change of its source
  Source.AddXY(1, 6);
  EXPECT_EQ(Fed.Count(), 1);
  Fed.SetParentChart(&Second);
  EXPECT_EQ(Fed.Count(), 2);
}

TEST(SeriesSources, RangePeriodsStepByTheCalendarOnDateAxes) {
  const double Jan1 = QDate(1899, 12, 30).daysTo(QDate(2027, 1, 1));
  auto Sums = [&](bool Dates) {
    TChart Chart;
    TLineSeries Source, Sum;
    Source.SetParentChart(&Chart);
    Sum.SetParentChart(&Chart);
    Source.XValues()->SetDateTime(Dates);
    for (int d = 0; d < 90; ++d) Source.AddXY(Jan1 + d, 1);
    auto F = std::make_unique<TAddChartFunction>();
    F->SetPeriodStyle(psRange);
    F->SetPeriodAlign(paFirst);
    F->SetPeriod(30);
    Sum.SetFunction(std::move(F));
    Sum.SetDataSource(&Source);
    std::vector<std::pair<double, double>> R;
    for (int i = 0; i < Sum.Count(); ++i) R.push_back({Sum.XValue(i) - Jan1, Sum.YValue(i)});
    return R;
  };
  using P = std::vector<std::pair<double, double>>;
  // January, February and March of a common year.
  EXPECT_EQ(Sums(true), (P{{0, 31}, {31, 28}, {59, 31}}));
  EXPECT_EQ(Sums(false), (P{{0, 30}, {30, 30}, {60, 30}}));
}
