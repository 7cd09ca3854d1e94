#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <vector>

#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_function.h"

namespace {
// A series in miniature: X ascending, Y, labels; refilling runs its function over its sources.
struct Series : TChartFunctionTarget, TChartValueListOwner {
  TChartValueList X{this, "X"}, Y{this, "Y"};
  std::vector<QString> Labels;
  std::vector<TChartFunctionSource*> Sources;
  TChartFunction* Function = nullptr;
  bool Single = true;
  int Refills = 0;
  Series() { X.SetOrder(loAscending); }
  int Count() const override { return X.Count(); }
  bool YMandatory() const override { return true; }
  TChartValueList* XValues() override { return &X; }
  TChartValueList* YValues() override { return &Y; }
  TChartValueList* MandatoryValueList() override { return &Y; }
  TChartValueList* ValueListByName(const QString&) override { return &Y; }
  QString GetXLabel(int I) const override {
    return I < int(Labels.size()) ? Labels[size_t(I)] : QString();
  }
  int AddXY(double AX, double AY, const QString& L, TColor) override {
    const int I = X.AddValue(AX);
    Y.InsertValue(I, AY);
    Labels.insert(Labels.begin() + I, L);
    return I;
  }
  bool SingleFunctionPoint() const override { return Single; }
  std::vector<TChartFunctionSource*> FunctionSources() override { return Sources; }
  void CheckDatasource() override {
    ++Refills;
    X.ClearValues();
    Y.ClearValues();
    Labels.clear();
    if (Function && !Sources.empty()) Function->AddPoints(Sources.front());
  }
  void NotifyValue(TSeriesDataEvent, int) override {}
  void SwapValueIndex(int, int) override {}
  void Repaint() override {}
  std::vector<std::pair<double, double>> Points() const {
    std::vector<std::pair<double, double>> R;
    for (int i = 0; i < X.Count(); ++i) R.push_back({X.GetValue(i), Y.GetValue(i)});
    return R;
  }
};

using P = std::vector<std::pair<double, double>>;

void Fill(Series& S, std::vector<double> Ys) {
  for (size_t i = 0; i < Ys.size(); ++i) S.AddXY(double(i), Ys[i], QString("p%1").arg(i), 0);
}
}  // namespace

TEST(SeriesFunctions, OneSourceOverAllPointsAndByPeriod) {
  Series Src, Out;
  Fill(Src, {1, 2, 3});
  Out.Sources = {&Src};
  TAddChartFunction Add;
  Add.SetParentSeries(&Out);
  Out.Function = &Add;
  Out.CheckDatasource();
  EXPECT_EQ(Out.Points(), (P{{1, 6}}));
  Out.Single = false;
  Out.CheckDatasource();
  EXPECT_EQ(Out.Points(), (P{{0, 6}, {2, 6}}));  // a level line across the data
  Out.Single = true;

  THighChartFunction High;
  TLowChartFunction Low;
  TAverageChartFunction Avg;
  for (TChartFunction* F : std::vector<TChartFunction*>{&High, &Low, &Avg}) {
    F->SetParentSeries(&Out);
    Out.Function = F;
    Out.CheckDatasource();
    ASSERT_EQ(Out.Count(), 1);
  }
  Out.Function = &High;
  Out.CheckDatasource();
  EXPECT_EQ(Out.Y.GetValue(0), 3);
  Out.Function = &Low;
  Out.CheckDatasource();
  EXPECT_EQ(Out.Y.GetValue(0), 1);

  // An average over pairs of four points: two points at the mean X of each pair.
  Series Four;
  Fill(Four, {2, 4, 6, 10});
  Out.Sources = {&Four};
  Out.Function = &Avg;
  const int Before = Out.Refills;
  Avg.SetPeriod(2);
  EXPECT_EQ(Out.Refills, Before + 1);
  EXPECT_EQ(Out.Points(), (P{{0.5, 3}, {2.5, 8}}));
  Avg.SetPeriodAlign(paFirst);
  EXPECT_EQ(Out.Points(), (P{{0, 3}, {2, 8}}));
  Avg.SetPeriodAlign(paLast);
  EXPECT_EQ(Out.Points(), (P{{1, 3}, {3, 8}}));
  // Three points a period: the last, short period is left out.
  Avg.SetPeriod(3);
  EXPECT_EQ(Out.Points(), (P{{2, 4}}));
  // A period of a fraction of a point still gives one point per period, and ends.
  Avg.SetPeriod(0.3);
  EXPECT_EQ(Out.Count(), 4);
  EXPECT_EQ(Out.Y.GetValue(3), 10);

  // Negative and non-finite periods are refused; the old one stays.
  EXPECT_THROW(Avg.SetPeriod(-1), ChartException);
  EXPECT_THROW(Avg.SetPeriod(std::nan("")), ChartException);
  EXPECT_EQ(Avg.Period(), 0.3);
  try {
    Avg.SetPeriod(-2);
  } catch (const ChartException& E) {
    EXPECT_STREQ(E.what(), "Function Period should be >= 0");
  }
  // Updating holds the recalculation back until the end.
  const int N = Out.Refills;
  Avg.BeginUpdate();
  Avg.SetPeriod(2);
  Avg.SetPeriodStyle(psRange);
  EXPECT_EQ(Out.Refills, N);
  Avg.EndUpdate();
  EXPECT_EQ(Out.Refills, N + 1);

  TAverageChartFunction Copy;
  Copy.Assign(Avg);
  EXPECT_EQ(Copy.Period(), 2);
  EXPECT_EQ(Copy.PeriodStyle(), psRange);
  EXPECT_EQ(Copy.PeriodAlign(), paLast);
  EXPECT_EQ(TAverageChartFunction().Period(), 0);
  EXPECT_EQ(TAverageChartFunction().PeriodAlign(), paCenter);
  EXPECT_EQ(TAverageChartFunction().PeriodStyle(), psNumPoints);
}

TEST(SeriesFunctions, RangePeriods) {
  Series Src, Out;
  // X 0, 1, 5, 6 with range periods of 2: [0,2) holds two, [2,4) none, [4,6) one ([5]), [6,8) one.
  for (auto [X, Y] : P{{0, 1}, {1, 3}, {5, 10}, {6, 20}}) Src.AddXY(X, Y, {}, 0);
  Out.Sources = {&Src};
  TAddChartFunction Add;
  Add.SetParentSeries(&Out);
  Out.Function = &Add;
  Add.BeginUpdate();
  Add.SetPeriodStyle(psRange);
  Add.SetPeriodAlign(paFirst);
  Add.SetPeriod(2);
  Add.EndUpdate();
  EXPECT_EQ(Out.Points(), (P{{0, 4}, {2, 0}, {5, 10}, {6, 20}}));
  // A huge gap is skipped with one empty point instead of millions.
  Series Gap;
  for (auto [X, Y] : P{{0, 1}, {1e9, 2}}) Gap.AddXY(X, Y, {}, 0);
  Out.Sources = {&Gap};
  Out.CheckDatasource();
  EXPECT_LE(Out.Count(), 4);
  EXPECT_EQ(Out.Y.GetValue(Out.Count() - 1), 2);
  // A period that does not move values of this size takes the rest in one period.
  Series Big;
  for (auto [X, Y] : P{{1e20, 1}, {1e20 + 1e6, 2}}) Big.AddXY(X, Y, {}, 0);
  Out.Sources = {&Big};
  Out.CheckDatasource();
  EXPECT_EQ(Out.Count(), 1);
  EXPECT_EQ(Out.Y.GetValue(0), 3);
}

TEST(SeriesFunctions, ManySourcesPointByPoint) {
  Series A, B, Out;
  Fill(A, {10, 20, 30});
  Fill(B, {2, 0});  // no third point, and a zero
  Out.Sources = {&A, &B};
  auto Run = [&](TChartFunction& F) {
    F.SetParentSeries(&Out);
    Out.Function = &F;
    Out.CheckDatasource();
    return Out.Points();
  };
  TSubtractChartFunction Sub;
  TMultiplyChartFunction Mul;
  TDivideChartFunction Div;
  TAddChartFunction Add;
  TAverageChartFunction Avg;
  THighChartFunction High;
  TLowChartFunction Low;
  EXPECT_EQ(Run(Sub), (P{{0, 8}, {1, 20}, {2, 30}}));  // the first source's own where B has none
  EXPECT_EQ(Run(Mul), (P{{0, 20}, {1, 0}, {2, 30}}));
  EXPECT_EQ(Run(Div), (P{{0, 5}, {1, 20}, {2, 30}}));  // a zero divisor keeps the value
  EXPECT_EQ(Run(Add), (P{{0, 12}, {1, 20}, {2, 30}}));
  EXPECT_EQ(Run(Avg), (P{{0, 6}, {1, 10}, {2, 30}}));
  EXPECT_EQ(Run(High), (P{{0, 10}, {1, 20}, {2, 30}}));
  EXPECT_EQ(Run(Low), (P{{0, 2}, {1, 0}, {2, 30}}));
  EXPECT_EQ(Out.Labels[1], "p1");  // labels of the first source
  EXPECT_EQ(Div.NewInstance()->ClassName(), "TDivideChartFunction");
}
