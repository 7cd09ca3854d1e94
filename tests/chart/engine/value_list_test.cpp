#include <gtest/gtest.h>

#include <QString>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "chart/engine/chart_value_list.h"
#include "platform/colors.h"

namespace {
// A series in miniature: two lists, colours and labels that must follow their points.
struct Owner : TChartValueListOwner {
  std::vector<TColor> Colors;
  std::vector<QString> Labels;
  std::vector<std::pair<TSeriesDataEvent, int>> Events;
  int Repaints = 0, Refills = 0;
  void NotifyValue(TSeriesDataEvent E, int I) override { Events.push_back({E, I}); }
  void SwapValueIndex(int A, int B) override {
    for (TChartValueList* L : ValueLists()) L->Exchange(A, B);
    std::swap(Colors[size_t(A)], Colors[size_t(B)]);
    std::swap(Labels[size_t(A)], Labels[size_t(B)]);
  }
  void Repaint() override { ++Repaints; }
  void CheckDatasource() override { ++Refills; }
};

std::vector<double> Read(const TChartValueList& L) {
  std::vector<double> R;
  for (int i = 0; i < L.Count(); ++i) R.push_back(L.GetValue(i));
  return R;
}
}  // namespace

TEST(ValueList, OrderedInsertKeepsEqualValuesStable) {
  Owner O;
  TChartValueList L(&O, "X");
  L.SetOrder(loAscending);
  EXPECT_EQ(L.AddValue(3), 0);
  EXPECT_EQ(L.AddValue(1), 0);
  EXPECT_EQ(L.AddValue(2), 1);
  EXPECT_EQ(L.AddValue(2), 2);  // after the existing 2
  EXPECT_EQ(Read(L), (std::vector<double>{1, 2, 2, 3}));
  EXPECT_EQ(L.AddValue(0), 0);

  TChartValueList D(&O, "Y");
  D.SetOrder(loDescending);
  for (double V : {1.0, 3.0, 2.0, 3.0}) D.AddValue(V);
  EXPECT_EQ(Read(D), (std::vector<double>{3, 3, 2, 1}));

  TChartValueList N(&O, "Z");
  for (double V : {5.0, 1.0, 9.0}) N.AddValue(V);
  EXPECT_EQ(Read(N), (std::vector<double>{5, 1, 9}));
  EXPECT_EQ(O.ValueLists().size(), 3u);
  EXPECT_EQ(O.ValueLists()[0], &L);

  // NaN goes to the end instead of disturbing the order of the others.
  L.AddValue(std::numeric_limits<double>::quiet_NaN());
  EXPECT_TRUE(std::isnan(L.Last()));
  EXPECT_EQ(L.AddValue(2.5), 4);
}

TEST(ValueList, StatisticsAndMultiplier) {
  Owner O;
  TChartValueList L(&O, "Y");
  EXPECT_EQ(L.MaxValue(), 0);
  EXPECT_EQ(L.MinValue(), 0);
  EXPECT_EQ(L.Total(), 0);
  EXPECT_EQ(L.TotalAbs(), 0);
  EXPECT_FALSE(L.StatsDirty());
  for (double V : {5.0, -3.0, 4.0}) L.AddValue(V);
  EXPECT_TRUE(L.StatsDirty());
  EXPECT_EQ(L.MaxValue(), 5);
  EXPECT_EQ(L.MinValue(), -3);
  EXPECT_EQ(L.Total(), 6);
  EXPECT_EQ(L.TotalAbs(), 12);

  L.SetMultiplier(2);
  EXPECT_EQ(L.GetValue(0), 10);
  EXPECT_EQ(L.MaxValue(), 10);
  EXPECT_EQ(O.Repaints, 1);
  ASSERT_EQ(O.Events.size(), 1u);
  EXPECT_EQ(O.Events[0].first, sdeRefresh);
  L.SetMultiplier(2);  // same value: nothing
  EXPECT_EQ(O.Repaints, 1);
  EXPECT_EQ(O.Events.size(), 1u);
  L.SetValue(0, 10);  // stored raw
  EXPECT_EQ(L.GetValue(0), 20);
  EXPECT_EQ(O.Events.back(), std::make_pair(sdeModify, 0));
  EXPECT_EQ(L.MaxValue(), 20);
  EXPECT_EQ(L.IndexOfValue(8), 2);
  EXPECT_EQ(L.IndexOfValue(4), -1);

  L.Scroll();
  EXPECT_FALSE(L.StatsDirty());
  EXPECT_EQ(Read(L), (std::vector<double>{-6, 8, 20}));
  L.Delete(0);
  L.Delete(7);  // past the end: nothing
  EXPECT_EQ(L.MinValue(), 8);
  L.FillSequence();
  EXPECT_EQ(Read(L), (std::vector<double>{0, 2}));
  L.ClearValues();
  EXPECT_EQ(L.Count(), 0);
  EXPECT_EQ(L.Total(), 0);
  TChartValueList E(&O, "E");
  E.Scroll();
  EXPECT_EQ(E.Count(), 0);

  L.SetDateTime(true);
  L.SetDateTime(true);
  EXPECT_EQ(O.Repaints, 2);
  L.SetValueSource("Col");
  L.SetValueSource("Col");
  EXPECT_EQ(O.Refills, 1);
  TChartValueList C(&O, "C");
  C.Assign(L);
  EXPECT_EQ(C.Multiplier(), 2);
  EXPECT_TRUE(C.DateTime());
  EXPECT_EQ(C.ValueSource(), "Col");
  EXPECT_EQ(C.Name(), "C");
}

TEST(ValueList, SortMovesLabelsAndColours) {
  Owner O;
  TChartValueList X(&O, "X"), Y(&O, "Y");
  const double Ys[] = {1, 3, 2};
  for (int i = 0; i < 3; ++i) {
    X.AddValue(i);
    Y.AddValue(Ys[i]);
    O.Colors.push_back(TColor(i + 1));
    O.Labels.push_back(QString::number(Ys[i]));
  }
  Y.SetOrder(loDescending);
  Y.Sort();
  EXPECT_EQ(Read(Y), (std::vector<double>{3, 2, 1}));
  EXPECT_EQ(Read(X), (std::vector<double>{1, 2, 0}));
  EXPECT_EQ(O.Labels, (std::vector<QString>{"3", "2", "1"}));
  EXPECT_EQ(O.Colors, (std::vector<TColor>{2, 3, 1}));

  // A larger shuffled list sorts fully, every point kept together.
  Owner P;
  TChartValueList A(&P, "X"), B(&P, "Y");
  for (int i = 0; i < 200; ++i) {
    const double V = (i * 37) % 101;
    A.AddValue(V);
    B.AddValue(V * 10);
    P.Colors.push_back(TColor(V));
    P.Labels.push_back(QString());
  }
  A.SetOrder(loAscending);
  A.Sort();
  for (int i = 0; i < 200; ++i) {
    if (i) {
      EXPECT_LE(A.GetValue(i - 1), A.GetValue(i));
    }
    EXPECT_EQ(B.GetValue(i), A.GetValue(i) * 10);
    EXPECT_EQ(P.Colors[size_t(i)], TColor(A.GetValue(i)));
  }
  TChartValueList None(&P, "N");
  None.Sort();  // no order: nothing
}
