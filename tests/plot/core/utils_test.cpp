// Numeric, geometry, colour and text utilities of the plotting library.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/graphics.h"
#include "plot/core/graph_file_name_utils.h"
#include "plot/core/graph_float_lists.h"
#include "plot/core/graph_poly.h"
#include "plot/core/graph_utils.h"
#include "print_qstring.h"

namespace {
using GraphUtils::Power;
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TEST(GraphUtils, PowerAndLog) {
  EXPECT_EQ(Power(-2, 3), -8);
  EXPECT_EQ(Power(-2, -1), -0.5);
  EXPECT_EQ(Power(-2, 0.5), 0);
  EXPECT_EQ(Power(-2, 2), 4);
  EXPECT_NEAR(static_cast<double>(Power(10, -400) / 1e-400L), 1.0, 1e-12);
  EXPECT_EQ(Power(10, -2000), 0);
  EXPECT_EQ(Power(0, 2), 0);
  EXPECT_TRUE(std::isinf(Power(0, 0)));
  EXPECT_EQ(Power(-2, Inf), 0);
  EXPECT_NEAR(static_cast<double>(Log10(1000)), 3, 1e-15);
  EXPECT_NEAR(static_cast<double>(Log10(0.01)), -2, 1e-15);
  EXPECT_EQ(MaxValue({3, 3}), 3);
  EXPECT_EQ(MaxValue({7}), 7);
  EXPECT_EQ(MinValue({2, -1, 5}), -1);
  EXPECT_EQ(MaxValue({2, -1, 5}), 5);
}

TEST(GraphUtils, Colours) {
  EXPECT_EQ(DarkenColor(RGB(10, 200, 40), 32), RGB(0, 168, 8));
  EXPECT_EQ(LightenColor(RGB(250, 0, 0), 32), RGB(255, 32, 32));
  // System colours are resolved before the channels move.
  EXPECT_EQ(LightenColor(clBtnFace, 0), ColorToRGB(clBtnFace));
  EXPECT_FALSE(IsSystemColor(DarkenColor(clBtnFace, 16)));
}

TEST(GraphUtils, PointSegmentDistance) {
  EXPECT_EQ(PointSegmentDistance({0, 5}, {10, 5}, {4, 5}), 0);
  EXPECT_EQ(PointSegmentDistance({0, 5}, {10, 5}, {4, 8}), 3);  // beside, outside the box
  EXPECT_EQ(PointSegmentDistance({3, 0}, {3, 10}, {1, 4}), 2);
  EXPECT_EQ(PointSegmentDistance({0, 0}, {10, 10}, {20, 20}), NotNearSegment);
  EXPECT_EQ(PointSegmentDistance({0, 0}, {10, 10}, {6, 4}), 1);  // sqrt(2) rounds to 1
  EXPECT_EQ(PointSegmentDistance({0, 0}, {10, 10}, {5, 5}), 0);
  EXPECT_EQ(PointSegmentDistance({0, 5}, {10, 5}, {12, 5}), NotNearSegment);
}

TEST(GraphUtils, FitRectToAspect) {
  TRect R{0, 0, 200, 100};
  FitRectToAspect(R, {0, 0, 10, 10}, 1);  // square world: the height decides
  EXPECT_EQ(R, (TRect{0, 0, 100, 100}));
  R = {10, 20, 110, 220};
  FitRectToAspect(R, {0, 0, 10, 5}, 1);  // wide world in a tall rectangle
  EXPECT_EQ(R, (TRect{10, 20, 110, 70}));
  R = {0, 0, 200, 100};
  FitRectToAspect(R, {0, 0, 10, 10}, 0);
  EXPECT_EQ(R, (TRect{0, 0, 200, 100}));
  FitRectToAspect(R, {0, 0, 0, 0}, 1);  // a world without extent leaves it alone
  EXPECT_EQ(R, (TRect{0, 0, 200, 100}));
  FitRectToAspect(R, {0, 0, 10, NaN}, 1);
  EXPECT_EQ(R, (TRect{0, 0, 200, 100}));
}

TEST(GraphUtils, RectanglesAndPoints) {
  TRect R{0, 0, 10, 10};
  EXPECT_TRUE(PtInIntRect(R, {10, 10}));
  EXPECT_FALSE(PtInIntRect(R, {11, 10}));
  EXPECT_TRUE(RectInsideRect({1, 1, 10, 10}, R));
  InflateIntRect(R, 2, 3);
  EXPECT_EQ(R, (TRect{-2, -3, 12, 13}));
  OffsetIntRect(R, 2, 3);
  EXPECT_EQ(R, (TRect{0, 0, 14, 16}));
  EXPECT_TRUE(PtInDoubleRect({0, 0, 1, 1}, {1, 0.5}));
}

TEST(GraphUtils, RotatedFont) {
  TFont F;
  F.SetName(QStringLiteral("Arial"));
  F.SetStyle({fsBold});
  TFontData R = CreateRotatedFont(F, 90);
  EXPECT_EQ(R.Escapement, 900);
  EXPECT_TRUE(R.Style.Contains(fsBold));
  EXPECT_EQ(R.Height, F.Height());
}

TEST(GraphPoly, BoxAndPointInside) {
  TPoly P;
  EXPECT_EQ(P.AddPoint(0, 0), 0);
  P.AddPoint(4, 0);
  P.AddPoint(4, 4);
  P.AddPoint(0, 4);
  EXPECT_EQ(P.Count(), 4);
  EXPECT_EQ(P.MinX, 0);
  EXPECT_EQ(P.MaxY, 4);
  EXPECT_EQ(P.GetX(2), 4);
  EXPECT_TRUE(P.PointInside(2, 2));
  EXPECT_FALSE(P.PointInside(5, 2));
  EXPECT_FALSE(P.PointInside(-1, 2));
  // A vertex on the ray with both neighbours above only touches it.
  TPoly V(std::vector<TDoublePoint>{{0, 2}, {2, 0}, {4, 2}, {2, 4}});
  EXPECT_TRUE(V.PointInside(2, 2));  // the vertex (0, 2) is crossed: counts once
  TPoly T(std::vector<TDoublePoint>{{0, 0}, {2, 4}, {4, 0}, {6, 4}, {8, 0}, {8, 6}, {0, 6}});
  EXPECT_TRUE(T.PointInside(5, 4.5));
  EXPECT_FALSE(T.PointInside(3, 1));
  // The vertex (2, 4) lies on the ray from (5, 4) with both neighbours below: it adds 2.
  EXPECT_TRUE(T.PointInside(7, 4));
  P.SetX(1, -10);
  EXPECT_EQ(P.MinX, 0);  // SetX leaves the box
  EXPECT_EQ(P.GetX(99), 0);
}

TEST(GraphFloatList, Extremes) {
  TFloatList L;
  L.Add(3);
  L.Add(-1);
  L.Add(2);
  EXPECT_EQ(L.Min, -1);
  EXPECT_EQ(L.Max, 3);
  L.SetItem(0, 100);
  EXPECT_EQ(L.Max, 3);
  EXPECT_EQ(L.GetItem(0), 100);
  EXPECT_EQ(L.GetItem(3), 0);
  L.Clear();
  EXPECT_EQ(L.Count(), 0);
  L.Add(7);
  EXPECT_EQ(L.Min, 7);
  EXPECT_EQ(L.Max, 7);
}

TEST(GraphFileNames, Parts) {
  EXPECT_EQ(PathWithoutExt(QStringLiteral("C:\\Data\\plot.graph.txt")),
            QStringLiteral("C:\\Data\\plot.graph"));
  EXPECT_EQ(PathWithoutExt(QStringLiteral("/home/u/plot.graph.txt")),
            QStringLiteral("/home/u/plot.graph"));
  EXPECT_EQ(ExtractNamePart(QStringLiteral("C:\\Data\\plot.txt")), QStringLiteral("plot.txt"));
  EXPECT_EQ(ExtractDirPart(QStringLiteral("C:\\plot.txt")), QStringLiteral("C:\\"));
  EXPECT_EQ(ExtractDirPart(QStringLiteral("C:plot.txt")), QStringLiteral("C:"));
  EXPECT_EQ(ExtractDirPart(QStringLiteral("plot.txt")), QString());
  EXPECT_EQ(ExtractDirPart(QStringLiteral("/plot.txt")), QStringLiteral("/"));
  int Dot = 0;
  EXPECT_TRUE(HasExtension(QStringLiteral("a.b.txt"), Dot));
  EXPECT_EQ(Dot, 3);
  EXPECT_FALSE(HasExtension(QStringLiteral("dir.d/file"), Dot));
  EXPECT_EQ(AddBackslash(QStringLiteral("C:\\Data")), QStringLiteral("C:\\Data\\"));
  EXPECT_EQ(AddBackslash(QStringLiteral("/tmp")), QStringLiteral("/tmp/"));
}

TEST(GraphNumberText, Trim) {
  QString S = QStringLiteral("1.5000E+0000");
  TrimFloatText(S, 1);
  EXPECT_EQ(S, QStringLiteral("1.5"));
  S = QStringLiteral("1.5000E+0000");
  TrimFloatText(S, 0);
  EXPECT_EQ(S, QStringLiteral("1.5E+0000"));
  S = QStringLiteral("  2.500");
  TrimFloatText(S, 1);
  EXPECT_EQ(S, QStringLiteral("2.5"));
  S = QStringLiteral("2.0");
  TrimFloatText(S, 1);
  EXPECT_EQ(S, QStringLiteral("2.0"));
  S = QStringLiteral("100");
  TrimFloatText(S, 1);
  EXPECT_EQ(S, QStringLiteral("100"));
}

TEST(GraphNumberText, FloatToText) {
  struct Case {
    int Digits, Mode;
    double Value;
    const char* Text;
  };
  const Case Cases[] = {
      {2, 1, 2.5, "2.5"},       {2, 1, 0, "0.0"},       {3, 1, -12.125, "-12.125"},
      {2, 1, 1234.0, "1234.0"}, {2, 1, 1e7, "1.0E7"},   {2, 0, 1e7, "1.0E7"},
      {3, 1, 0.0001, "0.0001"}, {2, 1, 1e-7, "1.0E-7"}, {2, 1, 0.25, "0.25"},
      {2, 1, -3, "-3.0"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(FloatToText(C.Digits, C.Mode, C.Value), QString::fromUtf8(C.Text))
        << C.Digits << " " << C.Mode << " " << C.Value;
}

TEST(GraphNumberText, FloatToEditStr) {
  EXPECT_EQ(FloatToEditStr(8, 1, 0.5), QStringLiteral("0.5"));
  EXPECT_EQ(FloatToEditStr(8, 1, 100), QStringLiteral("100.0"));
  EXPECT_EQ(FloatToEditStr(8, 1, -2.25), QStringLiteral("-2.25"));
  EXPECT_EQ(FloatToEditStr(8, 1, 1e12), QStringLiteral("1.0E+12"));
  EXPECT_EQ(FloatToEditStr(8, 1, 1.5e-9), QStringLiteral("1.5E-9"));
  EXPECT_EQ(FloatToEditStr(8, 1, 0), QStringLiteral("0.0"));
}

TEST(GraphNumberText, FloatToStrFixedDigits) {
  EXPECT_EQ(FloatToStrFixedDigits(2, 1.5), QStringLiteral("1.50"));
  EXPECT_EQ(FloatToStrFixedDigits(2, 123.456), QStringLiteral("123.46"));
  EXPECT_EQ(FloatToStrFixedDigits(3, 0.05), QStringLiteral("0.050"));
  EXPECT_EQ(FloatToStrFixedDigits(2, 0), QStringLiteral("0.00"));
  EXPECT_EQ(FloatToStrFixedDigits(2, 12345.678), QStringLiteral("1.23E4"));
  EXPECT_EQ(FloatToStrFixedDigits(2, 1e-7), QStringLiteral("1.00E-7"));
}

TEST(GraphNumberText, NonFiniteValuesEndAtOnce) {
  // A formula like exp(710) reaches these as infinity; none of them may loop over digits.
  for (double V : {Inf, -Inf, NaN, std::exp(710.0)}) {
    EXPECT_FALSE(FloatToText(3, 1, V).isEmpty());
    EXPECT_FALSE(FloatToEditStr(8, 1, V).isEmpty());
    EXPECT_FALSE(FloatToStrFixedDigits(2, V).isEmpty());
  }
  EXPECT_EQ(FloatToEditStr(8, 1, Inf), QStringLiteral("\u221E"));
  EXPECT_EQ(FloatToEditStr(8, 1, -Inf), QStringLiteral("-\u221E"));
  double V = 0;
  EXPECT_TRUE(TryGraphTextToFloat(FloatToEditStr(8, 1, -Inf), V));
  EXPECT_EQ(V, -Inf);
  // The largest and smallest finite values still come out as numbers.
  EXPECT_EQ(FloatToText(3, 1, 1.7976931348623157e308).left(3), QStringLiteral("1.7"));
  EXPECT_FALSE(FloatToStrFixedDigits(2, 4.9e-324).isEmpty());
}
}  // namespace
