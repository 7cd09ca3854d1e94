#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "chart/engine/chart.h"
#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_series.h"
#include "chart/engine/chart_utils.h"
#include "platform/canvas_targets.h"

namespace {
std::vector<TCanvasOp> Record(TChart& Chart) {
  TRecordingTarget Target(600, 400);
  TCanvas C(&Target);
  Chart.DrawToMetaCanvas(&C, {0, 0, 600, 400});
  return Target.Ops();
}

int Width(const TFont& Font, const QString& Text) {
  TRecordingTarget T;
  TCanvas M(&T);
  M.Font()->Assign(Font);
  return M.TextWidth(Text);
}

int Height(const TFont& Font) {
  TRecordingTarget T;
  TCanvas M(&T);
  M.Font()->Assign(Font);
  return M.TextHeight(QStringLiteral("W"));
}

const TCanvasOp* FindText(const std::vector<TCanvasOp>& Ops, const QString& Text) {
  for (const TCanvasOp& O : Ops)
    if (O.Kind == coText && O.Text == Text) return &O;
  return nullptr;
}

std::vector<QString> Texts(const std::vector<TCanvasOp>& Ops) {
  std::vector<QString> R;
  for (const TCanvasOp& O : Ops)
    if (O.Kind == coText) R.push_back(O.Text);
  return R;
}

int Count(const std::vector<QString>& List, const QString& Text) {
  return int(std::count(List.begin(), List.end(), Text));
}

struct TFlatChart {
  TChart Chart;
  TChartSeries S;
  TFlatChart() {
    Chart.SetView3D(false);
    Chart.Legend()->SetVisible(false);
    S.SetParentChart(&Chart);
    S.AddXY(0, 0);
    S.AddXY(1000, 50);
  }
};
}  // namespace

TEST(AxisLayout, ChartRectangleShrinksByTicksLabelsAndTitle) {
  TFlatChart Bare;
  Bare.Chart.SetAxisVisible(false);
  Record(Bare.Chart);
  const TRect Full = Bare.Chart.ChartRect();

  TFlatChart F;
  TChartAxis* L = F.Chart.LeftAxis();
  TChartAxis* B = F.Chart.BottomAxis();
  L->SetTitleCaption(QStringLiteral("Height"));
  const std::vector<TCanvasOp> Ops = Record(F.Chart);
  const TRect R = F.Chart.ChartRect();
  const int Ticks = L->AxisPen()->Width() + L->TickLength();
  EXPECT_EQ(Ticks, B->TickRoom());
  // The left axis: ticks, the widest of its labels 0 and 50 with a blank, the title's height.
  const int Labels = std::max(Width(*L->LabelsFont(), "0"), Width(*L->LabelsFont(), "50")) +
                     Width(*L->LabelsFont(), " ");
  const int Title = Height(*L->Title()->Font());
  EXPECT_EQ(R.Left - Full.Left, Ticks + Labels + Title);
  // The bottom axis: ticks and one line of labels, no title.
  EXPECT_EQ(Full.Bottom - R.Bottom, Ticks + Height(*B->LabelsFont()));
  // The hidden top and right axes take nothing.
  EXPECT_EQ(R.Top, Full.Top);
  EXPECT_EQ(R.Right, Full.Right);
  // Positions run outwards from the axis line.
  EXPECT_EQ(L->PosAxis(), R.Left);
  EXPECT_EQ(L->PosLabels(), R.Left - Ticks);
  EXPECT_EQ(L->PosTitle(), R.Left - Ticks - Labels);
  EXPECT_EQ(B->PosAxis(), R.Bottom);
  EXPECT_EQ(B->PosLabels(), R.Bottom + Ticks);

  // Left labels end at their position (right-aligned), centred on their values; bottom labels
  // hang below theirs, centred.
  const TCanvasOp* Fifty = FindText(Ops, "50");
  ASSERT_NE(Fifty, nullptr);
  EXPECT_EQ(Fifty->Points[0].X, L->PosLabels());
  EXPECT_EQ(Fifty->State.TextAlign & TA_RIGHT, unsigned(TA_RIGHT));
  EXPECT_NEAR(Fifty->Points[0].Y + Height(*L->LabelsFont()) / 2.0, L->CalcPosValue(50), 1);
  const TCanvasOp* Thousand = FindText(Ops, "1,000");
  ASSERT_NE(Thousand, nullptr);
  EXPECT_EQ(Thousand->Points[0].Y, B->PosLabels());
  EXPECT_EQ(Thousand->Points[0].X, B->CalcPosValue(1000));
  EXPECT_EQ(Thousand->State.TextAlign & TA_CENTER, unsigned(TA_CENTER));
  // The left title is turned upright, in the band beyond the labels.
  const TCanvasOp* Cap = FindText(Ops, "Height");
  ASSERT_NE(Cap, nullptr);
  EXPECT_EQ(Cap->State.Font.Escapement, 900);
  EXPECT_GE(Cap->Points[0].X, L->PosTitle() - Title - 1);
  EXPECT_LE(Cap->Points[0].X, L->PosTitle() + 1);

  // Fixed sizes replace the measured ones.
  L->SetLabelsSize(40);
  L->SetTitleSize(15);
  Record(F.Chart);
  EXPECT_EQ(F.Chart.ChartRect().Left - Full.Left, Ticks + 40 + 15);
  // Without labels, ticks or pen only the title remains; PositionPercent moves the axis in.
  L->SetLabels(false);
  L->Ticks()->SetVisible(false);
  L->MinorTicks()->SetVisible(false);
  L->AxisPen()->SetVisible(false);
  L->SetPositionPercent(10);
  Record(F.Chart);
  const TRect R2 = F.Chart.ChartRect();
  EXPECT_EQ(R2.Left - Full.Left, 15);
  EXPECT_EQ(L->PosAxis(), R2.Left + int(std::lround(0.1 * (R2.Right - R2.Left))));
  // A font bigger than the chart leaves an empty plot, never an inverted one.
  L->SetTitleSize(5000);
  Record(F.Chart);
  EXPECT_LE(F.Chart.ChartRect().Left, F.Chart.ChartRect().Right);
}

TEST(AxisLayout, LabelStylesAndTextLabels) {
  TChart Chart;
  Chart.SetView3D(false);
  Chart.Legend()->SetVisible(false);
  TChartAxis* B = Chart.BottomAxis();
  TChartAxis* L = Chart.LeftAxis();
  EXPECT_EQ(B->CalcLabelStyle(), talNone);  // no series on it
  TChartSeries S;
  S.SetParentChart(&Chart);
  S.AddXY(0, 10, "alpha", clChartAuto);
  S.AddXY(1, 20, "beta", clChartAuto);
  S.AddXY(2, 30, "gamma", clChartAuto);
  EXPECT_EQ(B->CalcLabelStyle(), talText);  // the series names its X positions
  EXPECT_EQ(L->CalcLabelStyle(), talValue);
  std::vector<TCanvasOp> Ops = Record(Chart);
  for (const char* Name : {"alpha", "beta", "gamma"}) {
    const TCanvasOp* T = FindText(Ops, Name);
    ASSERT_NE(T, nullptr) << Name;
    EXPECT_EQ(T->Points[0].Y, B->PosLabels());
  }
  const TCanvasOp* Beta = FindText(Ops, "beta");
  EXPECT_EQ(Beta->Points[0].X, B->CalcPosValue(1));
  // The room of text labels across a vertical axis is the widest series label.
  L->SetLabelStyle(talText);
  EXPECT_EQ(L->MaxLabelsWidth(), Width(*L->LabelsFont(), "gamma"));
  L->SetLabelStyle(talAuto);

  // The label event sees the series and index of each text label and may change it.
  std::vector<int> Seen;
  Chart.OnGetAxisLabel = [&](const TChartAxis* A, TChartSeries* Series, int Index, QString& T) {
    if (A != B) return;
    EXPECT_EQ(Series, &S);
    Seen.push_back(Index);
    T = T.toUpper();
  };
  Ops = Record(Chart);
  EXPECT_EQ(Seen, (std::vector<int>{0, 1, 2}));
  EXPECT_NE(FindText(Ops, "GAMMA"), nullptr);
  EXPECT_EQ(FindText(Ops, "gamma"), nullptr);
  Chart.OnGetAxisLabel = nullptr;

  // Labels that would overlap the previous one are left out, with their ticks.
  TChartSeries Dense;
  Dense.SetParentChart(&Chart);
  S.SetActive(false);
  for (int i = 0; i < 200; ++i) Dense.AddXY(i, i, QStringLiteral("label %1").arg(i), clChartAuto);
  B->Ticks()->SetColor(clRed);
  Ops = Record(Chart);
  const std::vector<QString> All = Texts(Ops);
  int Drawn = 0;
  for (int i = 0; i < 200; ++i) Drawn += Count(All, QStringLiteral("label %1").arg(i));
  EXPECT_GT(Drawn, 2);
  EXPECT_LT(Drawn, 60);
  int RedTicks = 0;
  for (const TCanvasOp& O : Ops) RedTicks += O.Kind == coLine && O.State.Pen.Color == clRed;
  EXPECT_EQ(RedTicks, Drawn);
  // Mark style writes the mark texts.
  B->SetLabelStyle(talMark);
  Dense.Clear();
  Dense.AddXY(5, 7, "x", clChartAuto);
  Ops = Record(Chart);
  EXPECT_NE(FindText(Ops, Dense.GetMarkText(0)), nullptr);
  // Angles outside 0 to 360 are refused and the old one stays.
  EXPECT_THROW(B->SetLabelsAngle(400), ChartException);
  EXPECT_THROW(B->Title()->SetAngle(-1), ChartException);
  EXPECT_EQ(B->LabelsAngle(), 0);
  EXPECT_EQ(L->Title()->Angle(), 90);
  EXPECT_EQ(Chart.RightAxis()->Title()->Angle(), 270);
}

TEST(AxisLayout, LabelEvents) {
  TFlatChart F;
  TChartAxis* B = F.Chart.BottomAxis();
  B->Ticks()->SetColor(clRed);
  F.Chart.OnGetAxisLabel = [&](const TChartAxis* A, TChartSeries* S, int Index, QString& T) {
    EXPECT_EQ(S, nullptr);
    EXPECT_EQ(Index, -1);
    if (A == B) T = QStringLiteral("<%1>").arg(T);
  };
  std::vector<QString> All = Texts(Record(F.Chart));
  EXPECT_EQ(Count(All, "<0>"), 1);
  EXPECT_EQ(Count(All, "<1,000>"), 1);
  EXPECT_EQ(Count(All, "<50>"), 0);  // the left axis keeps its texts
  EXPECT_EQ(Count(All, "50"), 1);
  // The measuring of label room does not run the event.
  int Calls = 0;
  F.Chart.OnGetAxisLabel = [&](const TChartAxis*, TChartSeries*, int, QString&) { ++Calls; };
  F.Chart.LeftAxis()->MaxLabelsWidth();
  EXPECT_EQ(Calls, 0);
  F.Chart.OnGetAxisLabel = nullptr;

  // The next-label event supplies the values; an axis it leaves unanswered keeps its own.
  F.Chart.OnGetNextAxisLabel = [&](const TChartAxis* A, int Index, double& V, bool& Stop) {
    if (A != B) return;
    const double Values[] = {100, 250, 900};
    if (Index < 3)
      V = Values[Index];
    else
      Stop = true;
  };
  auto RedAt = [&](const std::vector<TCanvasOp>& Ops) {
    std::vector<int> X;
    for (const TCanvasOp& O : Ops)
      if (O.Kind == coLine && O.State.Pen.Color == clRed) X.push_back(O.Points[0].X);
    return X;
  };
  std::vector<TCanvasOp> Ops = Record(F.Chart);
  EXPECT_EQ(RedAt(Ops),
            (std::vector<int>{B->CalcPosValue(100), B->CalcPosValue(250), B->CalcPosValue(900)}));
  All = Texts(Ops);
  EXPECT_EQ(Count(All, "250"), 1);
  EXPECT_EQ(Count(All, "40"), 1);  // the left axis' own labels
  // A handler that never stops ends after 1,000 labels; a non-finite value ends them at once.
  int Asked = 0;
  F.Chart.OnGetNextAxisLabel = [&](const TChartAxis* A, int Index, double& V, bool&) {
    if (A != B) return;
    ++Asked;
    V = Index;
  };
  Record(F.Chart);
  EXPECT_EQ(Asked, 1000);
  F.Chart.OnGetNextAxisLabel = [&](const TChartAxis* A, int Index, double& V, bool&) {
    if (A == B) V = Index == 0 ? 500 : std::numeric_limits<double>::infinity();
  };
  EXPECT_EQ(RedAt(Record(F.Chart)), (std::vector<int>{B->CalcPosValue(500)}));
}

TEST(AxisLayout, AdjustMaxMinRectKeepsTheEndsAtTheOldPixels) {
  TFlatChart F;
  TChartAxis* B = F.Chart.BottomAxis();
  B->SetMinMax(0, 100);
  B->AdjustMaxMin();
  B->InternalCalcPositions({0, 0, 100, 100});
  B->AdjustMaxMinRect({10, 0, 10, 0});
  EXPECT_DOUBLE_EQ(B->IMinimum(), -12.5);
  EXPECT_DOUBLE_EQ(B->IMaximum(), 112.5);
  EXPECT_EQ(B->IStartPos(), 0);
  EXPECT_EQ(B->IEndPos(), 100);
  EXPECT_EQ(B->CalcPosValue(0), 10);
  EXPECT_EQ(B->CalcPosValue(100), 90);
  // Vertical: the top margin widens the maximum, the bottom one the minimum.
  TChartAxis* L = F.Chart.LeftAxis();
  L->SetMinMax(0, 100);
  L->AdjustMaxMin();
  L->InternalCalcPositions({0, 0, 100, 100});
  L->AdjustMaxMinRect({0, 20, 0, 0});
  EXPECT_DOUBLE_EQ(L->IMinimum(), 0);
  EXPECT_DOUBLE_EQ(L->IMaximum(), 125);
  // Margins that leave no room change nothing.
  L->AdjustMaxMinRect({0, 60, 0, 60});
  EXPECT_DOUBLE_EQ(L->IMaximum(), 125);
  L->AdjustMaxMinRect({0, -5, 0, 0});
  EXPECT_DOUBLE_EQ(L->IMaximum(), 125);
}

TEST(AxisLayout, GridOnTheWallsIn3D) {
  TChart Chart;
  Chart.Legend()->SetVisible(false);
  ASSERT_TRUE(Chart.View3D());
  TChartSeries S;
  S.SetParentChart(&Chart);
  S.AddXY(0, 0);
  S.AddXY(1000, 50);
  TChartAxis* B = Chart.BottomAxis();
  TChartAxis* L = Chart.LeftAxis();
  TChartAxis* D = Chart.DepthAxis();
  D->SetVisible(true);
  for (TChartAxis* A : {B, L, D}) A->Grid()->SetStyle(psSolid);
  B->Grid()->SetColor(clBlue);
  L->Grid()->SetColor(clLime);
  D->Grid()->SetColor(clRed);
  B->Ticks()->SetColor(clFuchsia);
  const std::vector<TCanvasOp> Ops = Record(Chart);
  const TRect R = Chart.ChartRect();
  const int W3 = Chart.Width3D();
  ASSERT_GT(W3, 0);
  TChartCanvas3D* C = Chart.Canvas3D();
  auto Has = [&](TColor Color, TPoint A, int ZA, TPoint P, int ZP) {
    const TPoint From = C->Calculate3DPosition(A.X, A.Y, ZA);
    const TPoint To = C->Calculate3DPosition(P.X, P.Y, ZP);
    return std::any_of(Ops.begin(), Ops.end(), [&](const TCanvasOp& O) {
      return O.Kind == coLine && O.State.Pen.Color == Color && O.Points.size() == 2 &&
             O.Points[0] == From && O.Points[1] == To;
    });
  };
  // Bottom: on the back wall and along the floor up to it, at every tick.
  int Ticks = 0;
  for (const TCanvasOp& O : Ops) {
    if (O.Kind != coLine || O.State.Pen.Color != clFuchsia) continue;
    ++Ticks;
    const int X = O.Points[0].X - C->Calculate3DPosition(0, 0, 0).X;
    EXPECT_TRUE(Has(clBlue, {X, R.Top}, W3, {X, R.Bottom}, W3)) << X;
    EXPECT_TRUE(Has(clBlue, {X, R.Bottom}, 0, {X, R.Bottom}, W3)) << X;
  }
  EXPECT_GE(Ticks, 3);
  // Left: on the back wall and along the left wall.
  const int Y = L->CalcPosValue(20);
  EXPECT_TRUE(Has(clLime, {R.Left, Y}, W3, {R.Right, Y}, W3));
  EXPECT_TRUE(Has(clLime, {R.Left, Y}, 0, {R.Left, Y}, W3));
  // Depth: the one series sits halfway down; its line crosses the floor and the left wall, and
  // its title is written there.
  const int Z = D->CalcPosValue(0);
  EXPECT_EQ(Z, W3 / 2);
  EXPECT_TRUE(Has(clRed, {R.Left, R.Bottom}, Z, {R.Right, R.Bottom}, Z));
  EXPECT_TRUE(Has(clRed, {R.Left, R.Top}, Z, {R.Left, R.Bottom}, Z));
  const TCanvasOp* Label = nullptr;
  for (const TCanvasOp& O : Ops)
    if (O.Kind == coText && O.Text == u"Series 0" && O.Points[0].X > R.Right) Label = &O;
  ASSERT_NE(Label, nullptr);
  EXPECT_EQ(Label->Points[0].X, C->Calculate3DPosition(D->PosLabels(), R.Bottom, Z).X);
  EXPECT_EQ(Z, S.MiddleZ());
  EXPECT_FALSE(D->Clicked(D->PosAxis(), W3 / 2));
}

TEST(AxisLayout, ClickBandTicksOfSkippedLabelsAndMonochrome) {
  TFlatChart F;
  TChartAxis* L = F.Chart.LeftAxis();
  Record(F.Chart);
  const int Mid = (L->IStartPos() + L->IEndPos()) / 2;
  // From 3 pixels inside the plot out to where the labels start.
  EXPECT_TRUE(L->Clicked(L->PosAxis() + 3, Mid));
  EXPECT_FALSE(L->Clicked(L->PosAxis() + 4, Mid));
  EXPECT_TRUE(L->Clicked(L->PosLabels(), Mid));
  EXPECT_FALSE(L->Clicked(L->PosLabels() - 1, Mid));
  EXPECT_FALSE(L->Clicked(L->PosAxis(), L->IEndPos() + 1));
  L->SetVisible(false);
  EXPECT_FALSE(L->Clicked(L->PosAxis(), Mid));
  L->SetVisible(true);

  // Overlapping text labels are left out; with ticks not bound to labels their ticks stay.
  TChart Chart;
  Chart.SetView3D(false);
  Chart.Legend()->SetVisible(false);
  TChartSeries S;
  S.SetParentChart(&Chart);
  for (int i = 0; i < 100; ++i) S.AddXY(i, i, QStringLiteral("long label %1").arg(i), clChartAuto);
  TChartAxis* B = Chart.BottomAxis();
  B->Ticks()->SetColor(clRed);
  auto RedTicks = [&] {
    int N = 0;
    for (const TCanvasOp& O : Record(Chart)) N += O.Kind == coLine && O.State.Pen.Color == clRed;
    return N;
  };
  EXPECT_LT(RedTicks(), 100);
  B->SetTickOnLabelsOnly(false);
  EXPECT_EQ(RedTicks(), 100);

  // A white label font is written black on a monochrome chart.
  B->LabelsFont()->SetColor(clWhite);
  B->SetTitleCaption(QStringLiteral("Across"));
  B->Title()->Font()->SetColor(clWhite);
  Chart.SetMonochrome(true);
  bool AnyWhite = false, Title = false;
  for (const TCanvasOp& O : Record(Chart))
    if (O.Kind == coText) {
      AnyWhite |= O.State.Font.Color == clWhite;
      Title |= O.Text == u"Across" && O.State.Font.Color == clBlack;
    }
  EXPECT_FALSE(AnyWhite);
  EXPECT_TRUE(Title);
}

TEST(AxisLayout, ExactDateTimeLabelsFallOnCalendarSteps) {
  TChart Chart;
  Chart.SetView3D(false);
  TChartSeries S;
  S.SetParentChart(&Chart);
  S.XValues()->SetDateTime(true);
  const double From = EncodeDate(2024, 1, 10) + 10.0 / 24, To = EncodeDate(2024, 7, 20);
  S.AddXY(From, 1);
  S.AddXY(To, 2);
  TChartAxis* B = Chart.BottomAxis();
  B->SetIncrement(29);  // goes up to the one-month step
  Record(Chart);
  std::vector<double> Expected;
  for (int M = 2; M <= 7; ++M) Expected.push_back(EncodeDate(2024, M, 1));
  EXPECT_EQ(B->LabelValues(10), Expected);
  // Half months: the 1st and the 15th; days: midnight.
  B->SetIncrement(15);
  std::vector<double> Half = B->LabelValues(10);
  ASSERT_GE(Half.size(), 2u);
  EXPECT_EQ(Half[0], EncodeDate(2024, 1, 15));
  EXPECT_EQ(Half[1], EncodeDate(2024, 2, 1));
  B->SetIncrement(1);
  B->SetMinMax(From, From + 3);
  Record(Chart);
  EXPECT_EQ(B->LabelValues(10),
            (std::vector<double>{EncodeDate(2024, 1, 11), EncodeDate(2024, 1, 12),
                                 EncodeDate(2024, 1, 13)}));
  // Not exact: the step runs from the rounded minimum as it is.
  B->SetExactDateTime(false);
  B->SetIncrement(29);
  B->SetMinMax(From, To);
  Record(Chart);
  const std::vector<double> Plain = B->LabelValues(10);
  ASSERT_FALSE(Plain.empty());
  EXPECT_DOUBLE_EQ(Plain[1] - Plain[0], 29);
}

TEST(AxisLayout, SetMinMaxKeepsARange) {
  TFlatChart F;
  TChartAxis* B = F.Chart.BottomAxis();
  B->SetMinMax(10, 5);
  EXPECT_EQ(B->Minimum(), 5);
  EXPECT_EQ(B->Maximum(), 10);
  B->SetMinMax(3, 3);
  EXPECT_EQ(B->Minimum(), 3);
  EXPECT_DOUBLE_EQ(B->Maximum(), 3 + 1e-10);
  EXPECT_FALSE(B->Automatic());
}

TEST(AxisLayout, CustomDrawOnceThenPutsBackItsOwn) {
  TFlatChart F;
  F.Chart.SetAxisVisible(false);
  Record(F.Chart);
  TChartAxis* B = F.Chart.BottomAxis();
  const double Min = B->IMinimum(), Max = B->IMaximum();
  const int Start = B->IStartPos(), End = B->IEndPos(), Axis = B->PosAxis();
  B->Ticks()->SetColor(clRed);
  B->Grid()->SetColor(clBlue);
  B->Grid()->SetStyle(psSolid);
  TRecordingTarget Target(600, 400);
  TCanvas Canvas(&Target);
  TChartCanvas3D C;
  C.SetCanvas(&Canvas);
  B->CustomDrawStartEnd(C, {100, 50, 300, 250}, 340, 360, 330, false, 0, 10, 5, 100, 300);
  std::vector<TPoint> Ticks;
  bool Grid = false;
  for (const TCanvasOp& O : Target.Ops()) {
    if (O.Kind == coLine && O.State.Pen.Color == clRed) Ticks.push_back(O.Points[0]);
    Grid |= O.Kind == coLine && O.State.Pen.Color == clBlue;
  }
  EXPECT_EQ(Ticks, (std::vector<TPoint>{{100, 330}, {200, 330}, {300, 330}}));
  EXPECT_FALSE(Grid);
  EXPECT_NE(FindText(Target.Ops(), "5"), nullptr);
  EXPECT_EQ(B->IMinimum(), Min);
  EXPECT_EQ(B->IMaximum(), Max);
  EXPECT_EQ(B->IStartPos(), Start);
  EXPECT_EQ(B->IEndPos(), End);
  EXPECT_EQ(B->PosAxis(), Axis);
  EXPECT_EQ(B->Increment(), 0);
}
