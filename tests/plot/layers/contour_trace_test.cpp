// Contour levels, the tracer and the Z read-out, on small grids with known answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <utility>

#include "contour_trace_reference.h"
#include "plot/layers/contour_trace.h"

using GraphMatrix::TMatrix;
using GraphMatrix::TVector;

namespace {

double GridZMin(const TContourGrid& G) {
  double Min, Max;
  GridZRange(G, Min, Max);
  return Min;
}

double GridZMax(const TContourGrid& G) {
  double Min, Max;
  GridZRange(G, Min, Max);
  return Max;
}
struct TGridData {
  TVector X, Y;
  TMatrix Z;
  TGridData(std::vector<double> Xs, std::vector<double> Ys)
      : X(static_cast<int>(Xs.size())),
        Y(static_cast<int>(Ys.size())),
        Z(static_cast<int>(Xs.size()), static_cast<int>(Ys.size())) {
    for (int I = 0; I < static_cast<int>(Xs.size()); ++I) X.SetValue(I + 1, Xs[I]);
    for (int J = 0; J < static_cast<int>(Ys.size()); ++J) Y.SetValue(J + 1, Ys[J]);
  }
  TContourGrid Grid() const { return {&X, &Y, nullptr, &Z}; }
  std::vector<TContourLine> Trace(double Level) const {
    std::vector<TContourLine> Lines;
    TraceContourLevel(Grid(), Level, GridZMin(Grid()), GridZMax(Grid()), Lines);
    return Lines;
  }
};

TGridData Square2(double Z11, double Z21, double Z22, double Z12) {
  TGridData D({0, 1}, {0, 1});
  D.Z.SetValue(1, 1, Z11), D.Z.SetValue(2, 1, Z21), D.Z.SetValue(2, 2, Z22),
      D.Z.SetValue(1, 2, Z12);
  return D;
}

TGridData Paraboloid(int NX, int NY, double Span, bool Irregular = false) {
  std::vector<double> Xs, Ys;
  for (int I = 0; I < NX; ++I) {
    double T = -1 + 2.0 * I / (NX - 1);
    if (Irregular) T = std::copysign(std::pow(std::abs(T), 0.8), T);
    Xs.push_back(Span * T);
  }
  for (int J = 0; J < NY; ++J) Ys.push_back(Span * (-1 + 2.0 * J / (NY - 1)));
  TGridData D(Xs, Ys);
  for (int I = 1; I <= NX; ++I)
    for (int J = 1; J <= NY; ++J) D.Z.SetValue(I, J, Xs[I - 1] * Xs[I - 1] + Ys[J - 1] * Ys[J - 1]);
  return D;
}
}  // namespace

TEST(ContourLevels, AutomaticStartEndSkipZeroAndList) {
  TContourLevelSettings S;
  S.LevelCount = 4;
  EXPECT_EQ(ContourLevels(S, 0, 8), (std::vector<double>{0, 2, 4, 6}));  // the end is no level
  S.SkipZero = true;
  EXPECT_EQ(ContourLevels(S, 0, 8), (std::vector<double>{2, 4, 6}));
  S.SkipZero = false;
  S.LevelCount = 1;
  EXPECT_EQ(ContourLevels(S, 2, 8), (std::vector<double>{2}));
  S.LevelCount = 2;
  S.LevelStart = 4, S.UseLevelStart = true;
  S.LevelEnd = 6, S.UseLevelEnd = true;
  EXPECT_EQ(ContourLevels(S, 0, 8), (std::vector<double>{4, 5}));
  S.UseLevelStep = true, S.LevelStep = 0.5;
  EXPECT_EQ(ContourLevels(S, 0, 8), (std::vector<double>{4, 4.5}));
  // A flat grid, or one without values, has no levels, not even listed ones.
  S.UseLevelList = true;
  S.LevelList = {QStringLiteral("1.5"), QStringLiteral("abc"), QStringLiteral("-2")};
  EXPECT_TRUE(ContourLevels(S, 3, 3).empty());
  EXPECT_TRUE(ContourLevels(S, 1e38, -1e38).empty());
  // A bad entry is reported and skipped; the rest are kept in order.
  S.AutoLevels = false;
  QStringList Errors;
  EXPECT_EQ(ContourLevels(S, 0, 8, &Errors), (std::vector<double>{1.5, -2}));
  ASSERT_EQ(Errors.size(), 1);
  EXPECT_TRUE(Errors[0].contains(QStringLiteral("abc")));
  // A hostile count is limited.
  TContourLevelSettings H;
  H.LevelCount = 2000000000;
  EXPECT_EQ(ContourLevels(H, 0, 1).size(), static_cast<size_t>(MaxContourLevels));
  EXPECT_DOUBLE_EQ(RoundLevel(0.1 + 0.2), 0.3);
}

TEST(ContourTrace, OneCellAndTheMissingCornerRules) {
  // z = x over the unit square: the level 0.5 is the vertical line x = 0.5.
  auto D = Square2(0, 1, 1, 0);
  auto Lines = D.Trace(0.5);
  ASSERT_EQ(Lines.size(), 1u);
  EXPECT_EQ(Lines[0].Points.size(), 3u);  // through the centre of the cell
  for (auto& P : Lines[0].Points) EXPECT_DOUBLE_EQ(P.X, 0.5);
  EXPECT_DOUBLE_EQ(std::min(Lines[0].Points.front().Y, Lines[0].Points.back().Y), 0);
  EXPECT_DOUBLE_EQ(std::max(Lines[0].Points.front().Y, Lines[0].Points.back().Y), 1);
  EXPECT_DOUBLE_EQ(Lines[0].Steepness, 1);
  EXPECT_TRUE(D.Trace(1.5).empty());  // outside the range

  // Corner 1 missing: filled from corners 2 and 4, (1 + 0) / 2, so the cell is traced.
  D.Z.SetValue(1, 1, MissingValue);
  EXPECT_EQ(D.Trace(0.25).size(), 1u);
  // Diagonal corners missing: the cell is skipped.
  D.Z.SetValue(2, 2, -MissingValue);
  EXPECT_TRUE(D.Trace(0.5).empty());
  // Corners 3 and 4 missing: z4 := z1, z3 := z2, so z = x again.
  auto E = Square2(0, 1, MissingValue, MissingValue);
  Lines = E.Trace(0.5);
  ASSERT_EQ(Lines.size(), 1u);
  for (auto& P : Lines[0].Points) EXPECT_DOUBLE_EQ(P.X, 0.5);
  // Three missing: the cell takes the fourth value everywhere and is flat.
  auto F = Square2(MissingValue, MissingValue, MissingValue, 2);
  EXPECT_TRUE(F.Trace(2).empty());
  // Non-finite values count as missing.
  auto N = Square2(0, 1, 1, std::nan(""));
  EXPECT_EQ(N.Trace(0.7).size(), 1u);
  EXPECT_DOUBLE_EQ(GridZMax(N.Grid()), 1);
}

TEST(ContourTrace, FlatAllMissingAndLevelsOnGridValues) {
  TGridData Flat({0, 1, 2}, {0, 1, 2});
  for (int I = 1; I <= 3; ++I)
    for (int J = 1; J <= 3; ++J) Flat.Z.SetValue(I, J, 5);
  EXPECT_TRUE(Flat.Trace(5).empty());  // wholly on the level: nothing
  TGridData Missing({0, 1, 2}, {0, 1, 2});
  for (int I = 1; I <= 3; ++I)
    for (int J = 1; J <= 3; ++J) Missing.Z.SetValue(I, J, MissingValue);
  EXPECT_EQ(GridZMin(Missing.Grid()), 1e38);
  EXPECT_EQ(GridZMax(Missing.Grid()), -1e38);
  EXPECT_TRUE(Missing.Trace(0).empty());

  // z = x on a 3 x 3 grid: the level 1 runs along the middle column, an edge shared by two
  // cells, and is stored once as one line from bottom to top.
  TGridData D({0, 1, 2}, {0, 1, 2});
  for (int I = 1; I <= 3; ++I)
    for (int J = 1; J <= 3; ++J) D.Z.SetValue(I, J, I - 1);
  auto Lines = D.Trace(1);
  ASSERT_EQ(Lines.size(), 1u);
  EXPECT_EQ(Lines[0].Points.size(), 3u);
  for (auto& P : Lines[0].Points) EXPECT_DOUBLE_EQ(P.X, 1);
}

TEST(ContourTrace, CirclesOfTheParaboloid) {
  struct TCase {
    int NX, NY;
    bool Irregular;
  };
  for (TCase C : {TCase{101, 101, false}, TCase{81, 121, false}, TCase{101, 91, true}}) {
    auto D = Paraboloid(C.NX, C.NY, 2, C.Irregular);
    for (double R : {0.5, 1.0, 1.7}) {
      SCOPED_TRACE(testing::Message() << C.NX << "x" << C.NY << " r " << R);
      auto Lines = D.Trace(R * R);
      ASSERT_EQ(Lines.size(), 1u);
      EXPECT_TRUE(Lines[0].Closed());
      double MaxDev = 0;
      int OnGridLines = 0;
      for (auto& P : Lines[0].Points) {
        // Where a vertex is on a grid line the grid's own read-out there is the level itself.
        bool OnLine = false;
        for (int I = 1; I <= D.X.N; ++I) OnLine = OnLine || P.X == D.X.GetValue(I);
        for (int J = 1; J <= D.Y.N; ++J) OnLine = OnLine || P.Y == D.Y.GetValue(J);
        if (OnLine) {
          ++OnGridLines;
          EXPECT_NEAR(GridZAt(D.Grid(), P.X, P.Y), R * R, 1e-9 * R * R);
        }
        // Each vertex is on its level where the tracer's plane model of the triangle puts it;
        // the circle is met within the grid's resolution.
        MaxDev = std::max(MaxDev, std::abs(std::hypot(P.X, P.Y) - R));
      }
      EXPECT_LT(MaxDev, 2e-3);
      EXPECT_GT(OnGridLines, 10);
    }
  }
  // Fine grids keep their short segments (a fixed 1e-5 tolerance would have erased them).
  auto Fine = Paraboloid(41, 41, 1e-5);
  auto Lines = Fine.Trace(0.25e-10);
  ASSERT_EQ(Lines.size(), 1u);
  EXPECT_TRUE(Lines[0].Closed());
}

TEST(ContourTrace, SaddleAndTwoLinesOfOneLevel) {
  // z = x on columns 0..4 going up then down: the level cuts the grid twice.
  TGridData D({0, 1, 2, 3, 4}, {0, 1, 2});
  const double V[5] = {0, 1, 2, 1, 0};
  for (int I = 1; I <= 5; ++I)
    for (int J = 1; J <= 3; ++J) D.Z.SetValue(I, J, V[I - 1]);
  auto Lines = D.Trace(0.5);
  ASSERT_EQ(Lines.size(), 2u);
  for (auto& L : Lines) {
    EXPECT_FALSE(L.Closed());
    EXPECT_EQ(L.Points.size(), 5u);
    EXPECT_DOUBLE_EQ(L.Level, 0.5);
  }
}

TEST(ContourInterpolate, BilinearEdgesAndDegenerateGrids) {
  TGridData D({0, 1, 2}, {0, 10});
  for (int I = 1; I <= 3; ++I)
    for (int J = 1; J <= 2; ++J) D.Z.SetValue(I, J, (I - 1) + 10.0 * (J - 1));
  EXPECT_DOUBLE_EQ(GridZAt(D.Grid(), 0.5, 5), 5.5);
  EXPECT_DOUBLE_EQ(GridZAt(D.Grid(), 2, 10), 12);
  EXPECT_DOUBLE_EQ(GridZAt(D.Grid(), 3, 0), 3);  // extrapolated beyond the last column
  D.Z.SetValue(2, 1, -MissingValue);
  EXPECT_EQ(GridZAt(D.Grid(), 0.5, 5), -MissingValue);

  // One column: interpolated along Y only, never reading a column 0.
  TGridData Col({3}, {0, 2});
  Col.Z.SetValue(1, 1, 4), Col.Z.SetValue(1, 2, 8);
  EXPECT_DOUBLE_EQ(GridZAt(Col.Grid(), 3, 1), 6);
  EXPECT_DOUBLE_EQ(GridZAt(Col.Grid(), 100, 1), 6);
  TGridData One({3}, {7});
  One.Z.SetValue(1, 1, 9);
  EXPECT_DOUBLE_EQ(GridZAt(One.Grid(), 0, 0), 9);
  // Duplicate coordinates give MissingValue, not a division by zero.
  TGridData Dup({1, 1}, {0, 1});
  for (int I = 1; I <= 2; ++I)
    for (int J = 1; J <= 2; ++J) Dup.Z.SetValue(I, J, 1);
  EXPECT_EQ(GridZAt(Dup.Grid(), 1, 0.5), MissingValue);
  EXPECT_EQ(GridZAt(D.Grid(), std::nan(""), 0), MissingValue);

  // A grid of Y per node: rows from the first column, capped at the largest corner.
  TMatrix YM(2, 2);
  YM.SetValue(1, 1, 0), YM.SetValue(2, 1, 0), YM.SetValue(1, 2, 1), YM.SetValue(2, 2, 1);
  TGridData M({0, 1}, {0, 1});
  M.Z.SetValue(1, 1, 0), M.Z.SetValue(2, 1, 1), M.Z.SetValue(2, 2, 2), M.Z.SetValue(1, 2, 1);
  TContourGrid G{&M.X, nullptr, &YM, &M.Z};
  EXPECT_DOUBLE_EQ(GridZAt(G, 0.5, 0.5), 1);
  EXPECT_DOUBLE_EQ(GridZAt(G, 3, 3), 2);  // capped
  YM.SetValue(1, 2, 0);
  EXPECT_EQ(GridZAt(G, 0.5, 0.5), MissingValue);
}

TEST(ContourTrace, GridWithAYPerNode) {
  // Rows that rise to the right: Y(i, j) = (j - 1) + (i - 1) / 4, and z = y.
  TVector X(5);
  TMatrix YM(5, 5), Z(5, 5);
  for (int I = 1; I <= 5; ++I) {
    X.SetValue(I, I - 1);
    for (int J = 1; J <= 5; ++J) {
      YM.SetValue(I, J, (J - 1) + (I - 1) / 4.0);
      Z.SetValue(I, J, YM.GetValue(I, J));
    }
  }
  TContourGrid G{&X, nullptr, &YM, &Z};
  std::vector<TContourLine> Lines;
  TraceContourLevel(G, 2.3, GridZMin(G), GridZMax(G), Lines);
  ASSERT_EQ(Lines.size(), 1u);
  EXPECT_GT(Lines[0].Points.size(), 4u);
  for (const auto& P : Lines[0].Points) EXPECT_NEAR(P.Y, 2.3, 1e-12);
}

TEST(ContourTrace, LevelsDecadesApartOnAGridOfFifteenDecades) {
  // z = 10^(x - 12) for x = 0..15 on every row, from 1e-12 to 1e3: each level is crossed
  // between the two columns round it, where they interpolate to it.
  std::vector<double> Xs;
  for (int I = 0; I <= 15; ++I) Xs.push_back(I);
  TGridData D(Xs, {0, 1, 2});
  auto ZOf = [](int Col) { return std::pow(10.0, Col - 12); };
  for (int I = 1; I <= 16; ++I)
    for (int J = 1; J <= 3; ++J) D.Z.SetValue(I, J, ZOf(I - 1));
  for (double Level : {3e-11, 3e-10, 3e-6, 3.0}) {
    const int C = static_cast<int>(std::floor(std::log10(Level))) + 12;
    const auto Lines = D.Trace(Level);
    ASSERT_EQ(Lines.size(), 1u) << Level;
    for (const auto& P : Lines[0].Points)
      if (P.Y == std::round(P.Y))
        EXPECT_NEAR(P.X, C + (Level - ZOf(C)) / (ZOf(C + 1) - ZOf(C)), 1e-9) << Level;
      else
        EXPECT_TRUE(P.X >= C && P.X <= C + 1) << Level;
  }
}

TEST(ContourTrace, MirroredAndTransposedGridsGiveMirroredAndTransposedLines) {
  const std::vector<double> Xs{0, 1, 2.5, 3, 4, 5.5}, Ys{-1, 0, 1, 2, 3.5};
  // Adjacent missing pairs on each side of some cell, and a single one.
  auto Missing = [](int I, int J) {
    return (J == 1 && (I == 3 || I == 4)) || (I == 1 && (J == 3 || J == 4)) ||
           (J == 5 && (I == 2 || I == 3)) || (I == 6 && (J == 2 || J == 3)) || (I == 4 && J == 3);
  };
  TGridData D(Xs, Ys), MX({Xs.rbegin(), Xs.rend()}, Ys), MY(Xs, {Ys.rbegin(), Ys.rend()}),
      T(Ys, Xs);
  for (int I = 1; I <= 6; ++I)
    for (int J = 1; J <= 5; ++J) {
      const double X = Xs[I - 1], Y = Ys[J - 1];
      const double Z = Missing(I, J) ? MissingValue : X * X / 4 + 2 * Y + 0.3 * X * Y;
      D.Z.SetValue(I, J, Z), MX.Z.SetValue(7 - I, J, Z), MY.Z.SetValue(I, 6 - J, Z);
      T.Z.SetValue(J, I, Z);
    }
  // The segments with their ends in order, rounded and sorted, whatever way the lines run.
  auto Segments = [](const TGridData& G, double Level, bool Swap) {
    std::vector<std::array<double, 4>> R;
    for (const auto& L : G.Trace(Level))
      for (size_t K = 1; K < L.Points.size(); ++K) {
        std::array<double, 4> S{L.Points[K - 1].X, L.Points[K - 1].Y, L.Points[K].X, L.Points[K].Y};
        if (Swap) S = {S[1], S[0], S[3], S[2]};
        if (std::pair(S[2], S[3]) < std::pair(S[0], S[1])) S = {S[2], S[3], S[0], S[1]};
        for (double& V : S) V = std::round(V * 1e6) / 1e6;
        R.push_back(S);
      }
    std::sort(R.begin(), R.end());
    return R;
  };
  for (double Level : {0.5, 2.0, 4.25, 7.0}) {
    const auto Own = Segments(D, Level, false);
    ASSERT_FALSE(Own.empty());
    EXPECT_EQ(Own, Segments(MX, Level, false)) << Level;
    EXPECT_EQ(Own, Segments(MY, Level, false)) << Level;
    EXPECT_EQ(Own, Segments(T, Level, true)) << Level;
  }
}

TEST(ContourLevels, StepsThatAddUpToARoundNumberAreThatNumber) {
  // -0.7 + 7 * 0.1 is 1.1e-16 in binary: the level is 0 itself. Others move by less than a
  // billionth of the step, however small it is.
  EXPECT_EQ(ContourLevels({}, -0.7, 0.3)[7], 0.0);
  EXPECT_NEAR(ContourLevels({}, -0.7, 0.3)[3], -0.4, 1e-15);
  EXPECT_NEAR(ContourLevels({}, 1e-20, 1e-20 + 1e-29)[1], 1e-20 + 1e-30, 1e-35);
}

TEST(ContourInterpolate, IndexedRowsAndDescendingCoordinates) {
  // 3 x 16001 points of z = x + 10 y, and the same given downwards in both directions.
  const int N = 16001;
  TGridData D({0, 1, 2}, std::vector<double>(N)), R({2, 1, 0}, std::vector<double>(N));
  for (int J = 1; J <= N; ++J) {
    D.Y.SetValue(J, (J - 1) * 0.001), R.Y.SetValue(N + 1 - J, (J - 1) * 0.001);
    for (int I = 1; I <= 3; ++I)
      D.Z.SetValue(I, J, I - 1 + 0.01 * (J - 1)),
          R.Z.SetValue(4 - I, N + 1 - J, I - 1 + 0.01 * (J - 1));
  }
  const TContourGridIndex Up = IndexContourGrid(D.Grid()), Down = IndexContourGrid(R.Grid());
  for (double Y : {0.0, 0.0005, 3.3337, 16.0})
    for (double X : {0.0, 0.25, 2.0}) {
      EXPECT_NEAR(GridZAt(D.Grid(), X, Y, &Up), X + 10 * Y, 1e-9);
      EXPECT_NEAR(GridZAt(R.Grid(), X, Y, &Down), X + 10 * Y, 1e-9);  // the cell round it
    }
}

namespace {
// The lines of each level one at a time and of all levels in one sweep, against the tracer as
// it was: the same lines in the same order, point for point, with their labels' pieces.
void ExpectAsBefore(const TContourGrid& G, const std::vector<double>& Levels) {
  const double Lo = GridZMin(G), Hi = GridZMax(G);
  std::vector<TContourLine> Before, All;
  for (double L : Levels) {
    const auto Ref = ReferenceTraceLevel(G, L, Lo, Hi);
    Before.insert(Before.end(), Ref.begin(), Ref.end());
  }
  ASSERT_TRUE(TraceContourLevels(G, Levels, Lo, Hi, All));
  ASSERT_EQ(All.size(), Before.size());
  for (size_t K = 0; K < All.size(); ++K) {
    SCOPED_TRACE(testing::Message() << "line " << K << " level " << Before[K].Level);
    EXPECT_EQ(All[K].Level, Before[K].Level);
    EXPECT_EQ(All[K].Points, Before[K].Points);
    EXPECT_EQ(All[K].LabelFrom, Before[K].LabelFrom);
    EXPECT_EQ(All[K].LabelTo, Before[K].LabelTo);
    EXPECT_EQ(All[K].Steepness, Before[K].Steepness);
  }
  if (!Levels.empty()) {
    std::vector<TContourLine> One;
    TraceContourLevel(G, Levels.front(), Lo, Hi, One);
    EXPECT_EQ(One.size(), ReferenceTraceLevel(G, Levels.front(), Lo, Hi).size());
  }
}

// Values 0..Steps - 1 drawn by a fixed sequence: whole flats, saddles, and nodes on the level.
double Drawn(unsigned& Seed, int Steps) {
  Seed = Seed * 1103515245u + 12345u;
  return static_cast<int>((Seed >> 16) % static_cast<unsigned>(Steps));
}
}  // namespace

TEST(ContourTrace, SweepGivesTheLinesOfTheHashedTracer) {
  const std::vector<double> Levels{0, 0.5, 1, 1.25, 2, 3};
  unsigned Seed = 7;
  // Small whole numbers: flats on a level, saddles through it and nodes exactly on it, with
  // gaps of every shape (NaN, the missing value and infinities).
  // Columns at uneven steps, and in one round columns that fold back and repeat (cells that
  // overlap); rows ascending and descending.
  for (int Round = 0; Round < 6; ++Round) {
    const int NX = 3 + Round * 5, NY = 2 + Round * 4;
    std::vector<double> Xs, Ys;
    for (int I = 0; I < NX; ++I)
      Xs.push_back(Round == 4 ? I * (1 + 0.1 * (I % 3)) : I + 0.4 * (I % 2));
    for (int J = 0; J < NY; ++J) Ys.push_back(Round % 2 ? -J * 0.7 : J);
    TGridData D(Xs, Ys);
    for (int I = 1; I <= NX; ++I)
      for (int J = 1; J <= NY; ++J) {
        double Z = Drawn(Seed, 4);
        const int Gap = static_cast<int>(Drawn(Seed, 12));
        if (Round > 1 && Gap == 0) Z = std::nan("");
        if (Round > 1 && Gap == 1) Z = Round % 2 ? MissingValue : -MissingValue;
        if (Round > 3 && Gap == 2) Z = std::numeric_limits<double>::infinity();
        D.Z.SetValue(I, J, Z);
      }
    SCOPED_TRACE(testing::Message() << "round " << Round);
    ExpectAsBefore(D.Grid(), Levels);
  }
  // A smooth surface with a saddle at a node, levels through it and near it, a plateau on a
  // level, and a hole.
  std::vector<double> Xs, Ys;
  for (int I = 0; I < 41; ++I) Xs.push_back(-2 + 0.1 * I);
  for (int J = 0; J < 33; ++J) Ys.push_back(-1.6 + 0.1 * J);
  TGridData S(Xs, Ys);
  for (int I = 1; I <= 41; ++I)
    for (int J = 1; J <= 33; ++J) {
      const double X = Xs[I - 1], Y = Ys[J - 1];
      double Z = X * Y;
      if (X > 1) Z = 0.5;
      if (std::hypot(X + 1, Y - 1) < 0.3) Z = std::nan("");
      S.Z.SetValue(I, J, Z);
    }
  ExpectAsBefore(S.Grid(), {0, 1e-13, 0.04, 0.5, -0.3, 0.5 + 1e-13});

  // One row or one column: nothing, as before.
  TGridData Row({0, 1, 2}, {0}), Col({0}, {0, 1, 2});
  for (int K = 1; K <= 3; ++K) Row.Z.SetValue(K, 1, K), Col.Z.SetValue(1, K, K);
  ExpectAsBefore(Row.Grid(), {1.5});
  ExpectAsBefore(Col.Grid(), {1.5});
}

TEST(ContourTrace, SweepOfAYPerNodeAndOfATabulatedGridGivesTheLinesOfTheHashedTracer) {
  // Rows that bend with the column, and a Z with nodes on the levels.
  const int NX = 17, NY = 13;
  TVector X(NX);
  TMatrix YM(NX, NY), Z(NX, NY);
  auto Shared = std::make_shared<TValueGrid>(NX, NY);
  for (int I = 1; I <= NX; ++I) {
    X.SetValue(I, std::pow(I, 1.3));
    Shared->SetX(I - 1, X.GetValue(I));
    for (int J = 1; J <= NY; ++J) {
      YM.SetValue(I, J, J + 0.3 * std::sin(I));
      const double V = std::round(4 * std::sin(I * 0.4) * std::cos(J * 0.5)) / 2;
      Z.SetValue(I, J, (I * J) % 23 == 0 ? MissingValue : V);
      Shared->Set(I - 1, J - 1, (I * J) % 23 == 0 ? std::nan("") : V);
    }
  }
  for (int J = 1; J <= NY; ++J) Shared->SetY(J - 1, J * 0.25);
  const std::vector<double> Levels{-1.5, -0.5, 0, 0.5, 1, 1.25, 1.5};
  ExpectAsBefore(TContourGrid{&X, nullptr, &YM, &Z}, Levels);
  ExpectAsBefore(TContourGrid{nullptr, nullptr, nullptr, nullptr, Shared.get()}, Levels);
}
