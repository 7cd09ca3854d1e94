// The depth axis (series titles at their depths, z-value ranges, its room and title), the axes
// drawn behind or over the series, labels beyond the axis' ends and ticks at every label place.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "chart/engine/chart.h"
#include "chart/engine/chart_series.h"
#include "platform/canvas_targets.h"

namespace {
std::vector<TCanvasOp> Record(TChart& Chart) {
  TRecordingTarget Target(600, 400);
  TCanvas C(&Target);
  Chart.DrawToMetaCanvas(&C, {0, 0, 600, 400});
  return Target.Ops();
}

const TCanvasOp* FindText(const std::vector<TCanvasOp>& Ops, const QString& Text) {
  for (const TCanvasOp& O : Ops)
    if (O.Kind == coText && O.Text == Text) return &O;
  return nullptr;
}

int CountLines(const std::vector<TCanvasOp>& Ops, TColor Color) {
  return int(std::count_if(Ops.begin(), Ops.end(), [&](const TCanvasOp& O) {
    return O.Kind == coLine && O.State.Pen.Color == Color;
  }));
}

int TextWidth(const TFont& Font, const QString& Text) {
  TRecordingTarget T;
  TCanvas M(&T);
  M.Font()->Assign(Font);
  return M.TextWidth(Text);
}

// A series that fills its whole depth band over the plot in its colour.
class TBandSeries : public TChartSeries {
 public:
  void DrawAllValues() override {
    TCustomAxisPanel* C = ParentChart();
    TChartCanvas3D* K = C->Canvas3D();
    K->Brush()->SetData(TBrushData{SeriesColor(), bsSolid, {}});
    K->Pen()->SetStyle(psClear);
    const TRect R = C->ChartRect();
    K->RectangleWithZ({R.Left, R.Top, R.Right, R.Bottom}, MiddleZ());
  }
};

// A series that spreads over depth values of its own.
class TDepthValuesSeries : public TChartSeries {
 public:
  double MinZValue() const override { return 10; }
  double MaxZValue() const override { return 20; }
};
}  // namespace

TEST(AxisDepth, SeriesTitlesAtTheirSeriesDepthsWithRoomAndTitle) {
  TChart Chart;
  Chart.resize(600, 400);
  Chart.Legend()->SetVisible(false);
  Chart.SetBevelOuter(bvNone);
  ASSERT_TRUE(Chart.View3D());
  // Series that draw nothing, so that the floor stays in sight.
  TChartSeries A, B, C;
  const QString Names[] = {QStringLiteral("Back"), QStringLiteral("Middle"), QString()};
  TChartSeries* All[] = {&A, &B, &C};
  for (int i = 0; i < 3; ++i) {
    All[i]->SetTitle(Names[i]);
    All[i]->AddXY(0, 0);
    All[i]->AddXY(10, 10);
    All[i]->SetParentChart(&Chart);
  }
  TChartAxis* D = Chart.DepthAxis();
  Record(Chart);
  const TRect Without = Chart.ChartRect();
  D->SetVisible(true);
  D->Grid()->SetStyle(psSolid);
  D->Grid()->SetColor(clRed);
  D->SetTitleCaption(QStringLiteral("Depth"));
  const std::vector<TCanvasOp> Ops = Record(Chart);
  EXPECT_EQ(D->CalcLabelStyle(), talText);
  EXPECT_DOUBLE_EQ(D->IMinimum(), -0.5);
  EXPECT_DOUBLE_EQ(D->IMaximum(), 2.5);
  // The first z order lies at the back, the last at the front.
  ASSERT_GT(A.MiddleZ(), B.MiddleZ());
  ASSERT_GT(B.MiddleZ(), C.MiddleZ());

  // The room: ticks, the widest title, the axis title, on the right.
  const TFont& LF = *D->LabelsFont();
  const int Labels =
      std::max({TextWidth(LF, "Back"), TextWidth(LF, "Middle"), TextWidth(LF, "Series 2")});
  const int Title = TextWidth(*D->Title()->Font(), "Depth");
  const TRect R = Chart.ChartRect();
  EXPECT_EQ(Without.Right - R.Right, D->TickRoom() + Labels + Title);
  EXPECT_EQ(D->PosLabels(), R.Right + D->TickRoom());
  EXPECT_EQ(D->PosTitle(), D->PosLabels() + Labels);

  // Each title is written where its series lies, and its grid line crosses the floor there.
  TChartCanvas3D* K = Chart.Canvas3D();
  const int H = K->FontHeight();
  for (int i = 0; i < 3; ++i) {
    const QString Text = Names[i].isEmpty() ? QStringLiteral("Series 2") : Names[i];
    const TCanvasOp* L = FindText(Ops, Text);
    ASSERT_NE(L, nullptr) << i;
    const int Z = All[i]->MiddleZ();
    EXPECT_EQ(L->Points[0], K->Calculate3DPosition(D->PosLabels(), R.Bottom - H / 2, Z)) << i;
    const TPoint F0 = K->Calculate3DPosition(R.Left, R.Bottom, Z);
    EXPECT_TRUE(std::any_of(Ops.begin(), Ops.end(), [&](const TCanvasOp& O) {
      return O.Kind == coLine && O.State.Pen.Color == clRed && O.Points[0] == F0;
    })) << i;
  }
  const TCanvasOp* Cap = FindText(Ops, "Depth");
  ASSERT_NE(Cap, nullptr);
  EXPECT_EQ(Cap->Points[0],
            K->Calculate3DPosition(D->PosTitle(), R.Bottom - H / 2, Chart.Width3D() / 2));

  // In pixels: the back series' grid line shows across the floor at the back band's depth, and
  // its title is written to the right of the floor's back corner.
  Chart.Repaint();
  const QImage& Img = Chart.Backing()->Image();
  const TPoint G = K->Calculate3DPosition((R.Left + R.Right) / 2, R.Bottom, A.MiddleZ());
  bool Red = false;
  for (int dy = -1; dy <= 1; ++dy) Red |= FromQColor(Img.pixelColor(G.X, G.Y + dy)) == clRed;
  EXPECT_TRUE(Red);
  const TPoint T = K->Calculate3DPosition(D->PosLabels(), R.Bottom - H / 2, A.MiddleZ());
  int Dark = 0;
  for (int x = T.X; x < T.X + TextWidth(LF, "Back"); ++x)
    for (int y = T.Y; y < T.Y + H; ++y) Dark += qGray(Img.pixel(x, y)) < 128;
  EXPECT_GT(Dark, 10);

  // Labels that would overlap in depth are left out: without z order every series shares the
  // one band, and only the first title remains.
  Chart.SetApplyZOrder(false);
  const std::vector<TCanvasOp> Shared = Record(Chart);
  EXPECT_NE(FindText(Shared, "Back"), nullptr);
  EXPECT_EQ(FindText(Shared, "Middle"), nullptr);
}

TEST(AxisDepth, DepthValuesOfASeriesGiveValueLabels) {
  TChart Chart;
  Chart.Legend()->SetVisible(false);
  TDepthValuesSeries S;
  S.AddXY(0, 0);
  S.AddXY(1, 1);
  S.SetParentChart(&Chart);
  TChartAxis* D = Chart.DepthAxis();
  D->SetVisible(true);
  D->Ticks()->SetColor(clFuchsia);
  const std::vector<TCanvasOp> Ops = Record(Chart);
  EXPECT_EQ(D->CalcLabelStyle(), talValue);
  EXPECT_DOUBLE_EQ(D->IMinimum(), 10);
  EXPECT_DOUBLE_EQ(D->IMaximum(), 20);
  // 10 at the front, 20 at the back; each value label at its depth with its tick.
  EXPECT_EQ(D->CalcPosValue(10), 0);
  EXPECT_EQ(D->CalcPosValue(20), Chart.Width3D());
  TChartCanvas3D* K = Chart.Canvas3D();
  const TRect R = Chart.ChartRect();
  for (const char* V : {"10", "20"}) {
    const TCanvasOp* L = FindText(Ops, V);
    ASSERT_NE(L, nullptr) << V;
    const int Z = D->CalcPosValue(QString(V).toDouble());
    EXPECT_EQ(L->Points[0],
              K->Calculate3DPosition(D->PosLabels(), R.Bottom - K->FontHeight() / 2, Z));
    const TPoint From = K->Calculate3DPosition(D->PosAxis(), R.Bottom, Z);
    EXPECT_TRUE(std::any_of(Ops.begin(), Ops.end(), [&](const TCanvasOp& O) {
      return O.Kind == coLine && O.State.Pen.Color == clFuchsia && O.Points[0] == From;
    })) << V;
  }
  // Not active, the series leaves the depth axis to the z orders again.
  S.SetActive(false);
  Record(Chart);
  EXPECT_EQ(D->CalcLabelStyle(), talText);
}

TEST(AxisDepth, AxesBehindOrOverTheSeries) {
  struct TRestore {
    ~TRestore() { ChartAxisBehind = true; }
  } Restore;
  TChart Chart;
  Chart.resize(400, 300);
  Chart.SetView3D(false);
  Chart.Legend()->SetVisible(false);
  TBandSeries S;
  S.SetSeriesColor(clYellow);
  S.AddXY(0, 0);
  S.AddXY(1000, 50);
  S.SetParentChart(&Chart);
  TChartAxis* B = Chart.BottomAxis();
  B->Grid()->SetStyle(psSolid);
  B->Grid()->SetColor(clBlue);
  auto GridPixel = [&] {
    Chart.Repaint();
    const int X = B->CalcPosValue(400);
    const TRect R = Chart.ChartRect();
    return FromQColor(Chart.Backing()->Image().pixelColor(X, (R.Top + R.Bottom) / 2));
  };
  // Behind: the series covers the grid line; over: the grid line crosses the series.
  EXPECT_EQ(GridPixel(), clYellow);
  ChartAxisBehind = false;
  EXPECT_EQ(GridPixel(), clBlue);
  // The before-draw events keep their order around the series.
  std::vector<int> Order;
  Chart.OnBeforeDrawAxes = [&](TCustomAxisPanel*) { Order.push_back(1); };
  Chart.OnBeforeDrawSeries = [&](TCustomAxisPanel*) { Order.push_back(2); };
  Record(Chart);
  EXPECT_EQ(Order, (std::vector<int>{2, 1}));

  // In 3D the grid runs along the floor up to the back wall only behind the series.
  Chart.SetView3D(true);
  auto FloorLines = [&] {
    const std::vector<TCanvasOp> Ops = Record(Chart);
    TChartCanvas3D* K = Chart.Canvas3D();
    const TRect R = Chart.ChartRect();
    const int X = B->CalcPosValue(400);
    const TPoint Front = K->Calculate3DPosition(X, R.Bottom, 0);
    return std::count_if(Ops.begin(), Ops.end(), [&](const TCanvasOp& O) {
      return O.Kind == coLine && O.State.Pen.Color == clBlue && O.Points[0] == Front;
    });
  };
  EXPECT_EQ(FloorLines(), 0);
  ChartAxisBehind = true;
  EXPECT_EQ(FloorLines(), 1);
}

TEST(AxisDepth, LabelsBeyondTheEndsAndTicksAtEveryPlace) {
  TChart Chart;
  Chart.SetView3D(false);
  Chart.Legend()->SetVisible(false);
  TChartSeries S;
  S.AddXY(0, 0);
  S.AddXY(1000, 50);
  S.SetParentChart(&Chart);
  TChartAxis* B = Chart.BottomAxis();
  B->Ticks()->SetColor(clRed);
  // The event puts one label past the axis' end.
  Chart.OnGetNextAxisLabel = [&](const TChartAxis* A, int Index, double& V, bool& Stop) {
    if (A != B) return;
    const double Values[] = {0, 500, 1500};
    if (Index < 3)
      V = Values[Index];
    else
      Stop = true;
  };
  std::vector<TCanvasOp> Ops = Record(Chart);
  EXPECT_NE(FindText(Ops, "500"), nullptr);
  EXPECT_EQ(FindText(Ops, "1,500"), nullptr);
  EXPECT_EQ(CountLines(Ops, clRed), 2);
  B->SetLabelsOnAxis(false);
  Ops = Record(Chart);
  const TCanvasOp* Far = FindText(Ops, "1,500");
  ASSERT_NE(Far, nullptr);
  EXPECT_EQ(Far->Points[0].X, B->CalcPosValue(1500));
  EXPECT_GT(Far->Points[0].X, B->IEndPos());
  EXPECT_EQ(CountLines(Ops, clRed), 3);
  Chart.OnGetNextAxisLabel = nullptr;

  // Text labels too close to the previous one are left out; with ticks not bound to the labels
  // each place keeps its tick, grid line and minor ticks.
  TChartSeries T;
  for (int i = 0; i < 50; ++i) T.AddXY(i, i, QStringLiteral("long label %1").arg(i), clChartAuto);
  S.SetParentChart(nullptr);
  T.SetParentChart(&Chart);
  B->Grid()->SetStyle(psSolid);
  B->Grid()->SetColor(clBlue);
  B->MinorTicks()->SetColor(clLime);
  B->SetMinorTickCount(1);
  Ops = Record(Chart);
  int Written = 0;
  for (const TCanvasOp& O : Ops) Written += O.Kind == coText && O.Text.startsWith("long label");
  ASSERT_LT(Written, 50);
  EXPECT_EQ(CountLines(Ops, clRed), Written);
  EXPECT_EQ(CountLines(Ops, clBlue), Written);
  B->SetTickOnLabelsOnly(false);
  Ops = Record(Chart);
  EXPECT_EQ(CountLines(Ops, clRed), 50);
  EXPECT_EQ(CountLines(Ops, clBlue), 50);
  EXPECT_EQ(CountLines(Ops, clLime), 49);
  // The hidden labels stay hidden.
  int Again = 0;
  for (const TCanvasOp& O : Ops) Again += O.Kind == coText && O.Text.startsWith("long label");
  EXPECT_EQ(Again, Written);
}
