#include <gtest/gtest.h>

#include "chart/engine/chart.h"
#include "chart/engine/chart_series.h"
#include "platform/canvas_targets.h"

namespace {
// A series that writes each point it draws, and its draw events, to a shared log.
class TLoggingSeries : public TChartSeries {
 public:
  TLoggingSeries(std::vector<QString>& Log, QString Tag) : FLog(Log), FTag(std::move(Tag)) {
    BeforeDrawValues = [this](TChartSeries*) { FLog.push_back("before " + FTag); };
    AfterDrawValues = [this](TChartSeries*) { FLog.push_back("after " + FTag); };
  }
  void DrawValue(int Index) override { FLog.push_back(FTag + QString::number(Index)); }
  bool DrawValuesForward() const override { return Forward; }
  bool DrawSeriesForward(int Index) const override { return Index != ReverseAt; }
  bool Forward = true;
  int ReverseAt = -1;

 private:
  std::vector<QString>& FLog;
  QString FTag;
};

void Draw(TChart& Chart) {
  TRecordingTarget Target(400, 300);
  TCanvas C(&Target);
  Chart.DrawToMetaCanvas(&C, {0, 0, 400, 300});
}

std::vector<QString> L(std::initializer_list<const char*> Items) {
  std::vector<QString> R;
  for (const char* I : Items) R.push_back(QString::fromLatin1(I));
  return R;
}
}  // namespace

TEST(SeriesGroupDraw, SharedZOrderInterleavesPointByPoint) {
  std::vector<QString> Log;
  TChart Chart;
  Chart.Legend()->SetVisible(false);
  TLoggingSeries A(Log, "a"), B(Log, "b");
  for (TLoggingSeries* S : {&A, &B}) {
    S->SetParentChart(&Chart);
    S->SetZOrder(0);
  }
  for (int i = 0; i < 3; ++i) A.AddXY(i, i);
  for (int i = 0; i < 2; ++i) B.AddXY(i, i);
  B.AddNullXY(2, 2);  // a null point is left out, not drawn
  Draw(Chart);
  EXPECT_EQ(Log, L({"before a", "before b", "a0", "b0", "a1", "b1", "a2", "after a", "after b"}));
  // The first series decides the direction and, per point, the order of the series.
  Log.clear();
  A.ReverseAt = 1;
  A.Forward = false;
  Draw(Chart);
  EXPECT_EQ(Log, L({"before a", "before b", "a2", "b1", "a1", "a0", "b0", "after a", "after b"}));
  // Apart in depth, each draws alone.
  Log.clear();
  A.ReverseAt = -1;
  A.Forward = true;
  B.SetZOrder(1);
  Draw(Chart);
  const auto Apart =
      L({"before a", "a0", "a1", "a2", "after a", "before b", "b0", "b1", "after b"});
  EXPECT_EQ(Log, Apart);
  // Flat charts never interleave.
  Log.clear();
  B.SetZOrder(0);
  Chart.SetView3D(false);
  Draw(Chart);
  EXPECT_EQ(Log, Apart);
  // A series without visible points gets no events; one drawn backwards runs down.
  Log.clear();
  B.Clear();
  A.Forward = false;
  Draw(Chart);
  EXPECT_EQ(Log, L({"before a", "a2", "a1", "a0", "after a"}));
}

TEST(SeriesGroupDraw, MarksClippedOnlyWhenAsked) {
  TChart Chart;
  Chart.SetView3D(false);
  Chart.Legend()->SetVisible(false);
  Chart.SetAxisVisible(false);
  TChartSeries S;
  S.SetParentChart(&Chart);
  S.AddXY(0, 1, "mark", clChartAuto);
  S.AddXY(1, 2, "mark", clChartAuto);
  S.Marks()->SetVisible(true);
  auto MarkClipped = [&] {
    TRecordingTarget Target(400, 300);
    TCanvas C(&Target);
    Chart.DrawToMetaCanvas(&C, {0, 0, 400, 300});
    int Texts = 0, Clipped = 0;
    for (const TCanvasOp& O : Target.Ops())
      if (O.Kind == coText && O.Text == u"mark") {
        ++Texts;
        Clipped += O.State.Clipped;
      }
    EXPECT_EQ(Texts, 2);
    return Clipped;
  };
  EXPECT_EQ(MarkClipped(), 0);
  S.Marks()->SetClip(true);
  EXPECT_EQ(MarkClipped(), 2);
}
