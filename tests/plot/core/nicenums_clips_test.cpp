// Nice numbers for axis scaling and the polygon clipper.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "plot/core/graph_clips.h"
#include "plot/core/graph_nicenums.h"

namespace {
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TEST(NiceNumbers, NiceNum) {
  TNiceNum N;
  struct Case {
    double X;
    bool Round;
    double Nice;
  } const Cases[] = {{7.0, true, 5},  {8.0, true, 10}, {0.3, false, 0.5},   {120.0, false, 200},
                     {1.0, true, 1},  {1.5, true, 1},  {1.6, true, 2},      {3.0, true, 2},
                     {2.0, false, 2}, {5.0, false, 5}, {1000, false, 1000}, {0.001, true, 0.001}};
  for (const Case& C : Cases) EXPECT_DOUBLE_EQ(N.NiceNum(C.X, C.Round), C.Nice) << C.X;
  for (double Bad : {0.0, -3.0, Inf, NaN}) EXPECT_EQ(N.NiceNum(Bad, true), MissingValue) << Bad;
}

TEST(NiceNumbers, Calc) {
  TNiceNumbers A(10, 0.0, 1.0);
  EXPECT_DOUBLE_EQ(A.Step, 0.1);
  EXPECT_DOUBLE_EQ(A.NiceMin, 0.0);
  EXPECT_DOUBLE_EQ(A.NiceMax, 1.0);
  TNiceNumbers B(10, 0.35, -0.35);
  EXPECT_DOUBLE_EQ(B.Min, -0.35);
  EXPECT_DOUBLE_EQ(B.Step, 0.1);
  EXPECT_DOUBLE_EQ(B.NiceMin, -0.4);
  EXPECT_DOUBLE_EQ(B.NiceMax, 0.4);
  TNiceNumbers Same(10, 2.0, 2.0);  // nothing to scale: the initial values stay
  EXPECT_DOUBLE_EQ(Same.Step, 0.1);
  EXPECT_DOUBLE_EQ(Same.NiceMax, 1.0);
  // One tick or none would divide by zero; they give the range as one step.
  for (int Ticks : {1, 0, -5}) {
    TNiceNumbers T(Ticks, 0.0, 1.0);
    EXPECT_DOUBLE_EQ(T.Step, 1.0) << Ticks;
    EXPECT_DOUBLE_EQ(T.NiceMax, 1.0) << Ticks;
  }
  // A range without a nice number passes the missing value on.
  TNiceNumbers Huge(10, -Inf, 1.0);
  EXPECT_EQ(Huge.Step, MissingValue);
  EXPECT_EQ(Huge.NiceMin, MissingValue);
  EXPECT_EQ(Huge.NiceMax, MissingValue);
  TNiceNumbers Wide(10, -1.7e308, 1.7e308);
  EXPECT_EQ(Wide.Step, MissingValue);
}

std::vector<TDoublePoint> Closed(std::vector<TDoublePoint> P) {
  P.push_back(P.front());
  return P;
}

TEST(Clip, ConvexInsideOutsideAndCut) {
  TClip C;
  C.SetRect(10, 10, 0, 0);
  EXPECT_EQ(C.XMin, 0);
  EXPECT_EQ(C.YMax, 10);
  auto Inside = Closed({{1, 1}, {5, 1}, {5, 5}});
  int N = static_cast<int>(Inside.size());
  auto R = C.ClipPolygon(N, Inside);
  ASSERT_EQ(N, 4);
  // Clipped by the four edges in turn, the points come back in the same cyclic order.
  EXPECT_EQ(R.front(), R.back());
  EXPECT_EQ(R.size(), 4u);
  for (const auto& P : Inside) EXPECT_NE(std::find(R.begin(), R.end(), P), R.end());

  auto Outside = Closed({{20, 20}, {30, 20}, {30, 30}});
  N = static_cast<int>(Outside.size());
  EXPECT_TRUE(C.ClipPolygon(N, Outside).empty());

  auto Big = Closed({{-5, -5}, {15, -5}, {15, 15}, {-5, 15}});
  N = static_cast<int>(Big.size());
  R = C.ClipPolygon(N, Big);
  ASSERT_FALSE(R.empty());
  EXPECT_EQ(N, static_cast<int>(R.size()));
  for (const auto& P : R) {
    EXPECT_GE(P.X, 0);
    EXPECT_LE(P.X, 10);
    EXPECT_GE(P.Y, 0);
    EXPECT_LE(P.Y, 10);
  }
}

TEST(Clip, VertexOnTheBorderIsOutside) {
  TClip C;
  C.SetRect(0, 0, 10, 10);
  auto P = Closed({{5, 0}, {8, 5}, {2, 5}});
  int N = static_cast<int>(P.size());
  auto R = C.ClipPolygon(N, P);
  ASSERT_FALSE(R.empty());
  // The vertex on Y = 0 is replaced by the meeting points next to it: the same point twice.
  int Twice = 0;
  for (size_t i = 1; i < R.size(); ++i)
    if (R[i] == R[i - 1] && R[i] == TDoublePoint{5, 0}) ++Twice;
  EXPECT_EQ(Twice, 1);
}

TEST(Clip, DegenerateInputs) {
  TClip C;
  C.SetRect(0, 0, 10, 10);
  int N = 0;
  EXPECT_TRUE(C.ClipPolygon(N, {}).empty());
  std::vector<TDoublePoint> Two{{1, 1}, {1, 1}};
  N = 2;
  EXPECT_TRUE(C.ClipPolygon(N, Two).empty());
  std::vector<TDoublePoint> Bad{{1, 1}, {NaN, 2}, {3, 3}, {1, 1}};
  N = 4;
  C.ClipPolygon(N, Bad);  // no crash, whatever remains
  // A count larger than the points is held to the points.
  N = 100;
  auto Ok = Closed({{1, 1}, {5, 1}, {5, 5}});
  EXPECT_EQ(C.ClipPolygon(N, Ok).size(), 4u);
}

TEST(Clip, ZigZagNeedsMoreRoomThanTwiceItsPoints) {
  // A comb whose teeth cross the top edge many times: every tooth adds meeting points, so a pass
  // outputs more than twice the points it was given. The work arrays must grow.
  std::vector<TDoublePoint> P;
  const int Teeth = 2000;
  for (int i = 0; i < Teeth; ++i) {
    P.push_back({i * 1.0, -1});
    P.push_back({i + 0.5, 20});
  }
  P.push_back({Teeth * 1.0, -1});
  P.push_back({Teeth * 1.0, -5});
  P.push_back({0, -5});
  P.push_back(P.front());
  TClip C;
  C.SetRect(-10, 0, Teeth + 10.0, 10);
  int N = static_cast<int>(P.size());
  auto R = C.ClipPolygon(N, P);
  ASSERT_FALSE(R.empty());
  EXPECT_EQ(N, static_cast<int>(R.size()));
  EXPECT_GT(R.size(), P.size());
  for (const auto& Q : R) {
    EXPECT_GE(Q.Y, 0);
    EXPECT_LE(Q.Y, 10);
  }
}
}  // namespace
