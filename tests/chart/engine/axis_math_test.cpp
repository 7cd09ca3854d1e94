#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/engine/axis_math.h"
#include "chart/engine/chart_utils.h"

namespace {
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TAxisMapping Axis(double Min, double Max, int Start, int End, bool Horizontal = true) {
  TAxisMapping M;
  M.IMinimum = Min;
  M.IMaximum = Max;
  M.IStartPos = Start;
  M.IEndPos = End;
  M.Horizontal = Horizontal;
  return M;
}
}  // namespace

TEST(AxisMath, LinearInvertedAndDepthMapping) {
  TAxisMapping H = Axis(0, 100, 20, 520);
  EXPECT_EQ(H.CalcPosValue(0), 20);
  EXPECT_EQ(H.CalcPosValue(100), 520);
  EXPECT_EQ(H.CalcPosValue(50), 270);
  EXPECT_DOUBLE_EQ(H.CalcPosPoint(270), 50);
  EXPECT_EQ(H.CalcSizeValue(10), 50);
  EXPECT_EQ(H.CalcSizeValue(-1), 0);
  H.Inverted = true;
  EXPECT_EQ(H.CalcPosValue(0), 520);
  EXPECT_EQ(H.CalcPosValue(100), 20);
  EXPECT_DOUBLE_EQ(H.CalcPosPoint(520), 0);

  TAxisMapping V = Axis(0, 10, 0, 200, false);
  EXPECT_EQ(V.CalcPosValue(0), 200);
  EXPECT_EQ(V.CalcPosValue(10), 0);
  EXPECT_DOUBLE_EQ(V.CalcPosPoint(50), 7.5);
  V.Inverted = true;
  EXPECT_EQ(V.CalcPosValue(0), 0);
  EXPECT_EQ(V.CalcPosValue(2.5), 50);

  // A zero range puts everything at the centre; so do values that would overflow.
  TAxisMapping Z = Axis(5, 5, 0, 100);
  EXPECT_EQ(Z.CalcPosValue(5), 50);
  EXPECT_EQ(Z.CalcPosValue(1e300), 50);
  EXPECT_EQ(Z.CalcSizeValue(1), 0);
  EXPECT_EQ(H.CalcPosValue(1e300), H.ICenterPos());
  EXPECT_EQ(H.CalcPosValue(NaN), H.ICenterPos());
  EXPECT_EQ(Axis(0, Inf, 0, 100).CalcPosValue(3), 50);
  EXPECT_EQ(Axis(0, 10, 5, 5).CalcPosPoint(5), 0);

  EXPECT_EQ(DepthAxisPos(0, 0, 4, 100, false), 0);
  EXPECT_EQ(DepthAxisPos(1, 0, 4, 100, false), 25);
  EXPECT_EQ(DepthAxisPos(1, 0, 4, 100, true), 75);
  EXPECT_EQ(DepthAxisPos(1, 2, 2, 100, false), 50);
}

TEST(AxisMath, LogarithmicMapping) {
  TAxisMapping L = Axis(1, 1000, 0, 300);
  L.Logarithmic = true;
  EXPECT_EQ(L.CalcPosValue(1), 0);
  EXPECT_EQ(L.CalcPosValue(10), 100);
  EXPECT_EQ(L.CalcPosValue(100), 200);
  EXPECT_EQ(L.CalcPosValue(0), 0);  // non-positive: the minimum end
  EXPECT_EQ(L.CalcPosValue(-5), 0);
  EXPECT_DOUBLE_EQ(L.CalcPosPoint(0), 1);
  EXPECT_DOUBLE_EQ(L.CalcPosPoint(300), 1000);
  EXPECT_NEAR(L.CalcPosPoint(100), 10, 1e-9);
  L.Inverted = true;
  EXPECT_EQ(L.CalcPosValue(10), 200);
  EXPECT_EQ(L.CalcPosValue(0), 300);
  TAxisMapping V = Axis(1, 100, 0, 200, false);
  V.Logarithmic = true;
  EXPECT_EQ(V.CalcPosValue(10), 100);
  EXPECT_EQ(V.CalcPosValue(100), 0);
  EXPECT_NEAR(V.CalcPosPoint(100), 10, 1e-9);
  TAxisMapping Flat = Axis(7, 7, 0, 100);
  Flat.Logarithmic = true;
  EXPECT_EQ(Flat.CalcPosValue(7), 50);
  EXPECT_DOUBLE_EQ(Flat.CalcPosPoint(30), 7);

  const auto P = AxisLogLabelValues(1, 1000, 10);
  ASSERT_EQ(P.size(), 4u);
  EXPECT_DOUBLE_EQ(P[0], 1);
  EXPECT_DOUBLE_EQ(P[3], 1000);
  EXPECT_EQ(AxisLogLabelValues(3, 70, 2), (std::vector<double>{4, 8, 16, 32, 64}));
  EXPECT_TRUE(AxisLogLabelValues(1, 1000, 1).empty());
  EXPECT_TRUE(AxisLogLabelValues(-5, -1, 10).empty());
  EXPECT_TRUE(AxisLogLabelValues(1, Inf, 10).empty());
  EXPECT_LE(AxisLogLabelValues(0, 1e300, 2).size(), size_t(MaxAxisLabels));
}

TEST(AxisMath, IncrementsFollowTheOneTwoFiveSeries) {
  // 0..1000 with room for six labels: 1, 2, 5, ... 100 give too many labels; 200 gives 5.
  EXPECT_DOUBLE_EQ(AxisCalcIncrement(0, 1000, 0, 6, 10), 200);
  EXPECT_DOUBLE_EQ(AxisCalcIncrement(0, 1000, 300, 6, 10), 300);
  EXPECT_DOUBLE_EQ(AxisCalcIncrement(0, 1000, 1, 6, 10), 200);
  EXPECT_NEAR(AxisCalcIncrement(0, 0.5, 0, 5, 10), 0.1, 1e-15);
  EXPECT_DOUBLE_EQ(AxisCalcIncrement(0, 1000, 0, 0, 10), 1e-12);
  // A range of one to two steps of 1 (-0.89 .. 0.89) would get the single label 0: with room,
  // the step goes down to 0.5; without room for more labels it stays; a set step stays.
  EXPECT_DOUBLE_EQ(AxisCalcIncrement(0, 1.78, 0, 20, 10), 0.5);
  EXPECT_EQ(AxisLabelValues(-0.89, 0.89, 0.5, true), (std::vector<double>{-0.5, 0, 0.5}));
  EXPECT_DOUBLE_EQ(AxisCalcIncrement(0, 1.78, 0, 3, 10), 1);
  EXPECT_DOUBLE_EQ(AxisCalcIncrement(0, 1.78, 1, 20, 10), 1);
  EXPECT_DOUBLE_EQ(AxisCalcIncrement(0, 15, 0, 3, 10), 5);
  EXPECT_DOUBLE_EQ(AxisCalcIncrement(0, 1.2e10, 0, 20, 10), 1e9);
  // Room for labels from their size: 500 pixels of 40-pixel labels with 10 % between them.
  EXPECT_EQ(AxisMaxLabels(500, 40, 10), 11);
  EXPECT_EQ(AxisMaxLabels(500, 0, 10), 1);
  // The date-time side: one day with room for six labels steps by 6 hours.
  EXPECT_DOUBLE_EQ(CalcDateTimeStep(1, 0, 6), 0.25);
}

TEST(AxisMath, LabelLoopsAlwaysEnd) {
  EXPECT_EQ(AxisLabelValues(0, 1000, 200, true),
            (std::vector<double>{0, 200, 400, 600, 800, 1000}));
  EXPECT_EQ(AxisLabelValues(-130, 130, 100, true), (std::vector<double>{-100, 0, 100}));
  EXPECT_EQ(AxisLabelValues(5, 20, 10, false), (std::vector<double>{5, 15}));
  // A step that does not move a value of this magnitude: one label, not a hang.
  EXPECT_EQ(AxisLabelValues(1e20, 1e20 + 1e6, 1, false).size(), 1u);
  EXPECT_EQ(AxisLabelValues(1e20, 2e20, 1, true).size(), 1u);
  // A separation of 0 leaves the step at 1 over a billion: the count stops at the limit.
  const double Step = AxisCalcIncrement(0, 1e9, 0, 5, 0);
  EXPECT_DOUBLE_EQ(Step, 1);
  EXPECT_EQ(AxisLabelValues(0, 1e9, Step, true).size(), size_t(MaxAxisLabels));
  // A range below 1 with room for less than one label: the smallest step, bounded count.
  const double Tiny = AxisCalcIncrement(0, 0.5, 0, 0, 10);
  EXPECT_EQ(AxisLabelValues(0, 0.5, Tiny, true).size(), size_t(MaxAxisLabels));
  // Non-finite ranges and steps draw no labels.
  EXPECT_TRUE(AxisLabelValues(0, Inf, 1, true).empty());
  EXPECT_TRUE(AxisLabelValues(NaN, 1, 1, true).empty());
  EXPECT_TRUE(AxisLabelValues(0, 1, NaN, true).empty());
  EXPECT_TRUE(AxisLabelValues(0, 1, 0, true).empty());
  EXPECT_TRUE(AxisLabelValues(2, 1, 1, true).empty());
  EXPECT_DOUBLE_EQ(AxisCalcIncrement(0, Inf, 0, 6, 10), 1);
  EXPECT_DOUBLE_EQ(AxisCalcIncrement(0, NaN, 0, 6, 10), 1);
  // An overflowing truncation starts at the minimum itself.
  EXPECT_DOUBLE_EQ(AxisFirstLabel(-1.7e308, 1e-300, true), -1.7e308);
  EXPECT_EQ(AxisLabelValues(-1.7e308, 1.7e308, 1e-300, true).size(), 1u);
  // The largest range ends too.
  const double Big = AxisCalcIncrement(0, 1.7e308, 0, 6, 10);
  EXPECT_GT(Big, 1e307);
  EXPECT_LE(AxisLabelValues(0, 1.7e308, Big, true).size(), 7u);
  // Ends whose difference overflows: the count of labels is the whole span's, not the largest
  // double's, so the labels still fit their room.
  for (const int Room : {6, 18, 40}) {
    const double Wide = AxisCalcIncrement(-1.7e308, 1.7e308, 0, Room, 10);
    EXPECT_LE(AxisLabelValues(-1.7e308, 1.7e308, Wide, true).size(), size_t(Room) + 1) << Room;
  }
}
