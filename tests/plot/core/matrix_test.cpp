// The 1-based grids of the plotting library.
#include <gtest/gtest.h>

#include "platform/dialogs.h"
#include "plot/core/graph_matrix.h"
#include "print_qstring.h"

namespace {
using GraphMatrix::TMatrix;
using GraphMatrix::TVector;

TEST(GridMatrix, RangeIgnoresMissingValues) {
  TMatrix M(3, 2);
  EXPECT_EQ(M.ZMin, 3e300);
  EXPECT_EQ(M.ZMax, -3e300);
  EXPECT_EQ(M.GetValue(2, 2), 0.0);
  M.SetValue(1, 1, MissingValue);
  M.SetValue(2, 1, -1234321.0);
  EXPECT_EQ(M.ZMin, 3e300);
  EXPECT_EQ(M.GetValue(2, 1), -1234321.0);  // stored all the same
  M.SetValue(3, 2, 5);
  M.SetValue(1, 2, -2);
  EXPECT_EQ(M.ZMin, -2);
  EXPECT_EQ(M.ZMax, 5);
  // Outside the grid nothing is written and nothing is read.
  M.SetValue(0, 1, 99);
  M.SetValue(4, 1, 99);
  M.SetValue(1, 3, 99);
  EXPECT_EQ(M.ZMax, 5);
  EXPECT_EQ(M.GetValue(4, 1), MissingValue);
  EXPECT_EQ(M.GetValue(-7, 100000), MissingValue);
  TMatrix Empty(-3, 5);
  EXPECT_EQ(Empty.NX, 0);
  EXPECT_EQ(Empty.GetValue(1, 1), MissingValue);
}

TEST(GridMatrix, CentredReadsAndAssign) {
  TMatrix M(3, 2);
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 2; ++j) M.SetValue(i, j, 10 * i + j);
  M.Centred = true;
  EXPECT_EQ(M.GetNX(), 5);
  EXPECT_EQ(M.GetNY(), 3);
  EXPECT_EQ(M.GetValue(1, 1), 11);
  EXPECT_EQ(M.GetValue(2, 1), 11);  // the first two X positions read column 1
  EXPECT_EQ(M.GetValue(5, 1), 31);
  EXPECT_EQ(M.GetValue(3, 2), (22 + 21) / 2.0);
  EXPECT_EQ(M.GetValue(5, 3), 32);
  EXPECT_EQ(M.GetValue(1, 2), (12 + 11) / 2.0);
  EXPECT_EQ(M.GetValue(3, 3), 22);
  TMatrix C(1, 1);
  C.Assign(M);
  EXPECT_TRUE(C.Centred);
  EXPECT_EQ(C.ZMin, 11);
  EXPECT_EQ(C.ZMax, 32);
  EXPECT_EQ(C.GetValue(3, 2), M.GetValue(3, 2));
  C.SetSize(2, 2);
  EXPECT_TRUE(C.Centred);
  EXPECT_EQ(C.ZMin, 3e300);
  // Outside the centred grid: the position is shown, the value is missing.
  TScriptedDialogService Script;
  TScopedDialogService Use(Script);
  EXPECT_EQ(M.GetValue(0, 5), MissingValue);
  EXPECT_EQ(Script.Messages(), QStringList{QStringLiteral("X=0 Y=5")});
}

TEST(GridVector, CentredAndAssign) {
  TVector V(3);
  EXPECT_EQ(V.VMin, 1e30);
  EXPECT_EQ(V.VMax, -1e30);
  V.SetValue(1, 1);
  V.SetValue(2, 3);
  V.SetValue(3, 7);
  V.SetValue(4, 100);  // beyond the end: nothing
  EXPECT_EQ(V.VMax, 7);
  V.Centred = true;
  EXPECT_EQ(V.GetCount(), 4);
  EXPECT_EQ(V.GetValue(1), 1);
  EXPECT_EQ(V.GetValue(2), 2);
  EXPECT_EQ(V.GetValue(3), 5);
  EXPECT_EQ(V.GetValue(4), 7);
  EXPECT_EQ(V.GetValue(5), MissingValue);
  TVector W(0);
  W.Assign(V);
  EXPECT_TRUE(W.Centred);
  EXPECT_EQ(W.N, 3);
  EXPECT_EQ(W.VMin, 1);
  EXPECT_EQ(W.GetValue(3), 5);
}

TEST(GridStrings, Bounds) {
  TStringMatrix S(2, 3);
  S.SetValue(2, 3, QStringLiteral("x"));
  S.SetValue(3, 1, QStringLiteral("lost"));
  EXPECT_EQ(S.GetValue(2, 3), QStringLiteral("x"));
  EXPECT_EQ(S.GetValue(0, 1), QString());
  EXPECT_EQ(S.GetValue(1, 1), QString());
  EXPECT_EQ(S.GetValue(3, 1), QString());
}
}  // namespace
