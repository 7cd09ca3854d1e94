#include <gtest/gtest.h>

#include "chart/engine/chart.h"
#include "chart/engine/chart_axis.h"
#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_series.h"
#include "chart/engine/custom_series.h"

TEST(Axis, SettingsInitialSetAndInvalid) {
  TChart Chart;
  TChartAxis* A = Chart.BottomAxis();
  EXPECT_EQ(A->Increment(), 0);
  EXPECT_FALSE(A->Logarithmic());
  EXPECT_EQ(A->LogarithmicBase(), 10);
  EXPECT_FALSE(A->Inverted());
  EXPECT_TRUE(A->Labels());
  EXPECT_EQ(A->LabelsSeparation(), 10);
  EXPECT_EQ(A->LabelStyle(), talAuto);
  EXPECT_EQ(A->AxisValuesFormat(), "#,##0.###");
  EXPECT_EQ(A->DateTimeFormat(), "");
  EXPECT_TRUE(A->ExactDateTime());
  EXPECT_TRUE(A->RoundFirstLabel());
  EXPECT_TRUE(A->TickOnLabelsOnly());
  EXPECT_EQ(A->TickLength(), 4);
  EXPECT_EQ(A->TickInnerLength(), 0);
  EXPECT_EQ(A->MinorTickCount(), 3);
  EXPECT_EQ(A->MinorTickLength(), 2);
  EXPECT_FALSE(A->GridCentered());
  EXPECT_EQ(A->StartPosition(), 0);
  EXPECT_EQ(A->EndPosition(), 100);
  EXPECT_EQ(A->PositionPercent(), 0);

  A->SetIncrement(5);
  A->SetLogarithmicBase(2);
  A->SetLabelsSeparation(0);
  EXPECT_THROW(A->SetIncrement(-1), AxisException);
  EXPECT_THROW(A->SetIncrement(std::nan("")), AxisException);
  EXPECT_THROW(A->SetLogarithmicBase(1), AxisException);
  EXPECT_THROW(A->SetLabelsSeparation(-1), AxisException);
  EXPECT_EQ(A->Increment(), 5);
  EXPECT_EQ(A->LogarithmicBase(), 2);
  EXPECT_EQ(A->LabelsSeparation(), 0);
  try {
    A->SetIncrement(-2);
  } catch (const ChartException& E) {
    EXPECT_STREQ(E.what(), "Axis increment must be >= 0");
  }

  // Minimum above Maximum is refused; SetMinMax orders the two without complaint.
  A->SetMinMax(0, 10);
  EXPECT_THROW(A->SetMinimum(11), AxisException);
  EXPECT_THROW(A->SetMaximum(-1), AxisException);
  EXPECT_EQ(A->Minimum(), 0);
  EXPECT_EQ(A->Maximum(), 10);
  A->SetMinMax(10, 5);
  EXPECT_EQ(A->Minimum(), 5);
  EXPECT_EQ(A->Maximum(), 10);

  // A logarithmic axis needs a range of non-negative values, and no date-times.
  TChartSeries S;
  S.SetParentChart(&Chart);
  S.AddXY(-5, 1);
  A->SetAutomatic(true);
  EXPECT_THROW(A->SetLogarithmic(true), AxisException);
  S.Clear();
  S.AddXY(1, 1);
  S.XValues()->SetDateTime(true);
  try {
    A->SetLogarithmic(true);
    ADD_FAILURE();
  } catch (const AxisException& E) {
    EXPECT_STREQ(E.what(), "DateTime Axis cannot be Logarithmic");
  }
  EXPECT_TRUE(A->IsDateTime());
  S.XValues()->SetDateTime(false);
  A->SetLogarithmic(true);
  EXPECT_TRUE(A->Logarithmic());

  // What the axis could not draw is refused: an end at or below zero on a logarithmic axis,
  // a logarithmic scale over data that reach zero, a minimum above the data's maximum.
  EXPECT_THROW(A->SetMinimum(-5), AxisException);
  EXPECT_THROW(A->SetMaximum(0), AxisException);
  A->SetLogarithmic(false);
  S.AddXY(0, 1);
  S.AddXY(4, 1);
  EXPECT_THROW(A->SetLogarithmic(true), AxisException);
  EXPECT_FALSE(A->Logarithmic());
  // Fixed where it is stored, the minimum 5 would lie above the data's maximum 4.
  EXPECT_THROW(A->SetAutomaticMinimum(false), AxisException);
  EXPECT_TRUE(A->AutomaticMinimum());
  A->SetMinimum(3);
  A->SetAutomaticMinimum(false);
  EXPECT_THROW(A->SetMinimum(50), AxisException);
  EXPECT_EQ(A->Minimum(), 3);

  // Settings read back are checked together once the reading ends.
  A->SetLoading(true);
  A->SetMinimum(-1);
  A->SetLogarithmic(true);
  EXPECT_THROW(A->SetLoading(false), AxisException);
  EXPECT_FALSE(A->Loading());
}

TEST(Axis, LabelsOnLinearLogInvertedAndDateTimeAxes) {
  TChart Chart;
  Chart.resize(600, 400);
  TChartSeries S;
  S.SetParentChart(&Chart);
  S.AddXY(0, 1);
  S.AddXY(1000, 1000);
  TChartAxis* B = Chart.BottomAxis();
  B->AdjustMaxMin();
  B->InternalCalcPositions({0, 0, 500, 300});
  // 0..1000 over 500 pixels with labels that leave room for six: steps of 200.
  EXPECT_DOUBLE_EQ(B->CalcIncrement(76), 200);
  EXPECT_EQ(B->LabelValues(76), (std::vector<double>{0, 200, 400, 600, 800, 1000}));
  EXPECT_EQ(B->LabelValue(1000), "1,000");
  B->SetInverted(true);
  EXPECT_EQ(B->CalcPosValue(0), 500);
  EXPECT_EQ(B->CalcPosValue(1000), 0);
  EXPECT_DOUBLE_EQ(B->CalcPosPoint(500), 0);

  TChartAxis* L = Chart.LeftAxis();
  L->AdjustMaxMin();
  L->InternalCalcPositions({0, 0, 500, 300});
  L->SetLogarithmic(true);
  EXPECT_EQ(L->LabelValues(20), (std::vector<double>{1, 10, 100, 1000}));
  EXPECT_EQ(L->CalcPosValue(1), 300);
  EXPECT_EQ(L->CalcPosValue(1000), 0);
  EXPECT_EQ(L->CalcPosValue(10), 200);

  // A date-time axis over one day with room for six labels steps by six hours.
  TChartSeries D;
  TChart DC;
  D.SetParentChart(&DC);
  D.XValues()->SetDateTime(true);
  D.AddXY(45000, 1);
  D.AddXY(45001, 2);
  TChartAxis* X = DC.BottomAxis();
  X->AdjustMaxMin();
  X->InternalCalcPositions({0, 0, 600, 300});
  EXPECT_TRUE(X->IsDateTime());
  EXPECT_DOUBLE_EQ(X->CalcIncrement(90), 0.25);
  EXPECT_EQ(X->LabelValues(90).size(), 5u);
  EXPECT_EQ(X->LabelValue(-1), "");
  X->SetDateTimeFormat("hh:mm");
  EXPECT_EQ(X->LabelValue(45000.25), "06:00");
}

TEST(Axis, AZeroRangePutsEveryValueInTheMiddle) {
  TChart Chart;
  Chart.resize(400, 300);
  Chart.SetView3D(false);
  Chart.Legend()->SetVisible(false);
  TLineSeries S;
  S.LinePen()->SetWidth(3);
  S.SetSeriesColor(clRed);
  S.AddXY(0, 5);
  S.AddXY(10, 5);
  S.SetParentChart(&Chart);
  Chart.Repaint();
  const TChartAxis* Left = Chart.LeftAxis();
  ASSERT_EQ(Left->IMinimum(), Left->IMaximum());
  const int Mid = (Left->IStartPos() + Left->IEndPos()) / 2;
  EXPECT_GT(Mid, Left->IStartPos() + 10);
  EXPECT_EQ(Left->CalcPosValue(5), Mid);
  EXPECT_EQ(Left->CalcPosValue(-1e9), Mid);
  const TRect R = Chart.ChartRect();
  EXPECT_EQ(FromQColor(Chart.Backing()->Image().pixelColor((R.Left + R.Right) / 2, Mid)), clRed);
  EXPECT_NE(FromQColor(Chart.Backing()->Image().pixelColor((R.Left + R.Right) / 2, R.Bottom - 2)),
            clRed);
}
