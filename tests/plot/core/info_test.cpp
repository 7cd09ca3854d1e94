// Info bubbles: placement at the six positions, texts, pixels, removal by click, and bubbles whose
// series left the graph.
#include <gtest/gtest.h>

#include <QImage>
#include <memory>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "print_qstring.h"
#include "test_layers.h"

namespace {
// A series whose curve is y = 2x and whose current point is the one nearest the mouse.
class TInfoSeries : public TFakeSeries {
 public:
  TInfoSeries(TGraph* G, int Kind) : TFakeSeries(G, Kind) {}
  int Current = 0;
  bool On = false;
  int Moves = 0;
  int CurrentPoint() const override { return Current; }
  bool PointXY(int I, TDoublePoint& P) const override {
    if (I < 0 || I >= static_cast<int>(Points.size())) return false;
    P = Points[I];
    return true;
  }
  bool PointName(int I, QString& N) const override {
    N = QStringLiteral("P%1").arg(I);
    return true;
  }
  bool OnPoint() const override { return On; }
  void SetOnPoint(bool V) override { On = V; }
  double CurveValue(double X, double) const override { return 2 * X; }
  void MouseMove(int, int X, int) override {
    ++Moves;
    const double WX = Graph->PixelToX(X);
    Current = 0;
    for (int I = 0; I < static_cast<int>(Points.size()); ++I)
      if (std::abs(Points[I].X - WX) < std::abs(Points[Current].X - WX)) Current = I;
  }
};

constexpr TColor Yellow = 0x00FFFF;

struct TInfoScene {
  QImage Image{400, 300, QImage::Format_RGB32};
  std::unique_ptr<TImageTarget> Target;
  std::unique_ptr<TCanvas> Canvas;
  std::unique_ptr<TGraph> Graph;
  TInfoSeries* Series = nullptr;
  TInfoScene() {
    Image.fill(Qt::white);
    Target = std::make_unique<TImageTarget>(&Image);
    Canvas = std::make_unique<TCanvas>(Target.get());
    Graph = std::make_unique<TGraph>(Canvas.get(), 400, 300);
    Graph->PlotRect = {20, 20, 380, 280};
    Graph->SetRanges({0, 0, 10, 20});
    Series = AddSeries(2);
    Graph->Info->Color = Yellow;
  }
  TInfoSeries* AddSeries(int Kind) {
    auto S = std::make_unique<TInfoSeries>(Graph.get(), Kind);
    S->Points = {{0, 0}, {5, 10}, {10, 20}};
    return static_cast<TInfoSeries*>(Graph->AddLayer(std::move(S)));
  }
  TColor At(int X, int Y) {
    Target->Release();
    const QRgb P = Image.pixel(X, Y);
    return static_cast<TColor>(qRed(P) | (qGreen(P) << 8) | (qBlue(P) << 16));
  }
};

TEST(GraphInfo, BubbleRectsAtTheSixPositions) {
  const int P = 100, Q = 50, W = 40, H = 30, G = 10;
  EXPECT_EQ(TGraphInfo::GetBubbleRect(ipRightTop, P, Q, W, H, G), (TRect{100, 10, 140, 40}));
  EXPECT_EQ(TGraphInfo::GetBubbleRect(ipTopCenter, P, Q, W, H, G), (TRect{80, 10, 120, 40}));
  EXPECT_EQ(TGraphInfo::GetBubbleRect(ipLeftTop, P, Q, W, H, G), (TRect{60, 10, 100, 40}));
  EXPECT_EQ(TGraphInfo::GetBubbleRect(ipRightBottom, P, Q, W, H, G), (TRect{100, 60, 140, 90}));
  EXPECT_EQ(TGraphInfo::GetBubbleRect(ipBottomCenter, P, Q, W, H, G), (TRect{80, 60, 120, 90}));
  EXPECT_EQ(TGraphInfo::GetBubbleRect(ipLeftBottom, P, Q, W, H, G), (TRect{60, 60, 100, 90}));
}

TEST(GraphInfo, BubbleOnACurveIsDrawnWhereItFitsWithItsCallout) {
  TInfoScene S;
  TGraph& G = *S.Graph;
  // A click on the curve at x = 2.5: the anchor lies on the curve's value there.
  const int X = G.XToPixel(2.5), Y = G.YToPixel(5) + 7;
  ASSERT_EQ(G.Info->AddLocation({}, S.Series, X, Y, false), 0);
  EXPECT_EQ(S.Series->Moves, 1);  // the series found its point first
  const TInfoLocation& L = *G.Info->Locations[0].Location;
  EXPECT_DOUBLE_EQ(L.X, 2.5);
  EXPECT_EQ(L.PointIndex, 0);
  G.Info->Draw();
  const TRect R = L.BubbleRect;
  const int Gap = S.Canvas->TextHeight(QStringLiteral("("));
  // Right and above the anchor (X, Y of the curve), clear of it by the gap.
  EXPECT_EQ(R.Left, X);
  EXPECT_EQ(R.Bottom, G.YToPixel(5) - Gap);
  EXPECT_EQ(R.Height(), 3 * Gap);                            // two lines and one spare
  EXPECT_EQ(S.At(R.Left, R.Top + R.Height() / 2), clBlack);  // outline
  EXPECT_EQ(S.At(R.Left + 2, R.Top + Gap / 2), Yellow);      // fill
  const int Base = X + (R.Width() / 16 + R.Width() / 8) / 2;
  EXPECT_EQ(S.At(Base, R.Bottom - 1), Yellow);  // the edge open to the callout
  EXPECT_EQ(S.At(Base, R.Bottom + 2), Yellow);  // the callout itself
  EXPECT_EQ(S.At(X, Y - 7), clBlack);           // its tip
  EXPECT_EQ(S.At(X + R.Width() / 2, R.Bottom + Gap / 2 + 3), clWhite);  // beside it nothing

  // Near the top right corner the bubble moves on until it fits: left and below.
  G.Info->Clear();
  const int CX = G.PlotRect.Right - 5, CY = G.PlotRect.Top + 5;
  auto* P = static_cast<TInfoSeries*>(S.AddSeries(1));
  P->Points = {{G.PixelToX(CX), G.PixelToY(CY)}};
  ASSERT_EQ(G.Info->AddLocation({}, P, CX, CY, false), 0);
  G.Info->Draw();
  const TRect C = G.Info->Locations[0].Location->BubbleRect;
  EXPECT_EQ(C.Right, CX);
  EXPECT_GT(C.Top, CY);
  EXPECT_LE(C.Bottom, G.PlotRect.Bottom);
  EXPECT_TRUE(P->On);  // a marker series anchors on its point
}

// On a printer's page of 600 pixels per inch the bubble's text keeps its 8 points.
TEST(GraphInfo, PrintedBubbleKeepsItsPoints) {
  TInfoScene S;
  TGraph& G = *S.Graph;
  ASSERT_EQ(G.Info->AddLocation({}, S.Series, G.XToPixel(2.5), G.YToPixel(5), false), 0);
  TRecordingTarget Page(2500, 1875, 600);
  TCanvas PageCanvas(&Page);
  TPaintScope Print(G, TPaintContext::Print(&PageCanvas, false));
  G.PlotRect = G.ClipRect = {0, 0, 2500, 1875};
  G.ComputeMapping(G.PlotRect);
  G.Info->Draw();
  int Texts = 0;
  for (const auto& Op : Page.Ops())
    if (Op.Kind == coText) {
      ++Texts;
      EXPECT_EQ(Op.State.Font.Height, -67);
    }
  EXPECT_GT(Texts, 0);
}

TEST(GraphInfo, TextsFollowTheFlagsAndFormats) {
  TRecordingTarget Target{400, 300};
  TCanvas Canvas{&Target};
  TGraph G(&Canvas, 400, 300);
  G.PlotRect = {20, 20, 380, 280};
  G.SetRanges({0, 0, 10, 20});
  auto* S = static_cast<TInfoSeries*>(G.AddLayer(std::make_unique<TInfoSeries>(&G, 2)));
  S->Name = QStringLiteral("Speed");
  S->Points = {{0, 0}, {10, 20}};
  G.Info->AddLocation(QStringLiteral("Note#Two"), S, G.XToPixel(2.5), G.YToPixel(5), false);
  auto Texts = [&] {
    Target.Clear();
    G.Info->Draw();
    QStringList T;
    for (const TCanvasOp& Op : Target.Ops())
      if (Op.Kind == coText) T << Op.Text;
    return T;
  };
  EXPECT_EQ(Texts(), (QStringList{"Note", "Two", "X = 2.5", "Y = 5"}));
  G.Info->FormatX = QStringLiteral("%.2f s");
  G.Info->SeriesName = true;
  G.Info->PointName = true;
  EXPECT_EQ(Texts(), (QStringList{"Note", "Two", "P0 = 2.50 s", "Speed = 5"}));
  G.Info->PointVisible = G.Info->SeriesVisible = false;
  G.Info->FormatX.clear();
  EXPECT_EQ(Texts(), (QStringList{"Note", "Two", "2.5", "5"}));
  // Without a bubble only the texts are written, nothing is filled.
  G.Info->Style = isNoBubble;
  Texts();
  for (const TCanvasOp& Op : Target.Ops())
    EXPECT_TRUE(Op.Kind == coText || Op.Kind == coLine) << Op.Kind;
  EXPECT_FALSE(G.Info->Locations[0].Location->BubbleRect.IsEmpty());

  // A pattern that does not take one number never reaches the formatter: the bubble is dropped.
  QString Out;
  EXPECT_FALSE(G.Info->FormatValue(QStringLiteral("%s"), 1, Out));
  EXPECT_FALSE(G.Info->FormatValue(QStringLiteral("%f %f"), 1, Out));
  EXPECT_FALSE(G.Info->FormatValue(QStringLiteral("no number"), 1, Out));
  EXPECT_TRUE(G.Info->FormatValue(QStringLiteral("%999999.999999f%%"), 1.5, Out));
  EXPECT_EQ(Out.trimmed(), QStringLiteral("1.5") + QString(49, u'0') + u'%');  // width 100 at most
  EXPECT_EQ(Out.size(), 101);
  G.Info->Style = isRoundRect;
  G.Info->FormatY = QStringLiteral("%d");
  G.Info->SeriesValue = true;
  EXPECT_TRUE(Texts().isEmpty());
  EXPECT_EQ(G.Info->Locations[0].Text, QStringLiteral("Deleted"));
  EXPECT_EQ(G.Info->Locations[0].Location->Series.Get(), nullptr);
}

TEST(GraphInfo, ClicksOnBubblesAndOnMarkedPoints) {
  TInfoScene S;
  TGraph& G = *S.Graph;
  auto* M = S.AddSeries(1);
  const int X = G.XToPixel(5), Y = G.YToPixel(10);
  // A marker series: a second click on a point that has a bubble removes it, unless Keep.
  EXPECT_EQ(G.Info->AddLocation({}, M, X, Y, false), 0);
  EXPECT_EQ(M->Current, 1);
  EXPECT_EQ(G.Info->AddLocation({}, M, X, Y, true), -1);
  EXPECT_EQ(G.Info->Locations.size(), 1u);
  EXPECT_EQ(G.Info->AddLocation({}, M, X, Y, false), -1);
  EXPECT_TRUE(G.Info->Locations.empty());
  // A curve series gets a bubble at every click.
  EXPECT_EQ(G.Info->AddLocation({}, S.Series, X, Y, false), 0);
  EXPECT_EQ(G.Info->AddLocation({}, S.Series, X, Y, false), 1);

  // A left click inside a bubble removes it and the graph's own handling stops there.
  G.Paint();
  const TRect R = G.Info->Locations[1].Location->BubbleRect;
  G.InfoTookClick = false;
  G.MouseDown(mbLeft, 0, R.Left + 3, R.Top + 3);
  EXPECT_TRUE(G.InfoTookClick);
  EXPECT_TRUE(G.Info->Locations.empty());  // both bubbles lay there
  G.MouseDown(mbLeft, 0, R.Left + 3, R.Top + 3);
  EXPECT_FALSE(G.InfoTookClick);
  G.Info->DeleteLocation(5);  // beyond the last: nothing
}

TEST(GraphInfo, BubblesOfDeletedOrClearedSeriesNeverReturn) {
  TInfoScene S;
  TGraph& G = *S.Graph;
  const int X = G.XToPixel(2.5), Y = G.YToPixel(5);
  G.Info->AddLocation({}, S.Series, X, Y, false);
  G.Paint();
  const TRect R = G.Info->Locations[0].Location->BubbleRect;
  ASSERT_FALSE(R.IsEmpty());
  EXPECT_EQ(S.At(R.Left + 2, R.Top + 3), Yellow);  // painted last, over the layers

  // The same series object back in the list, at the same address: its bubble stays gone.
  std::unique_ptr<TLayer> Gone = G.DeleteLayer(G.IndexOfLayer(S.Series));
  G.AddLayer(std::move(Gone));
  S.Image.fill(Qt::white);
  G.Paint();
  EXPECT_NE(S.At(R.Left + 2, R.Top + 3), Yellow);
  EXPECT_EQ(G.Info->Locations[0].Text, QStringLiteral("Deleted"));
  EXPECT_TRUE(G.Info->Locations[0].Location->BubbleRect.IsEmpty());

  // Clear frees every series; new ones do not bring old bubbles back.
  G.Info->AddLocation({}, S.Series, X, Y, false);
  G.Clear();
  S.AddSeries(2);
  S.Image.fill(Qt::white);
  G.Paint();
  EXPECT_NE(S.At(R.Left + 2, R.Top + 3), Yellow);
  EXPECT_EQ(G.Info->Locations[1].Text, QStringLiteral("Deleted"));

  // A hidden layer of bubbles draws nothing.
  G.Info->AddLocation({}, G.GetLayer(0), X, Y, false);
  G.Info->SetVisible(false);
  S.Image.fill(Qt::white);
  G.Paint();
  EXPECT_TRUE(G.Info->Locations[2].Location->BubbleRect.IsEmpty());
}

TEST(GraphUndoStack, RecordsFollowTheirLayerByHandle) {
  TInfoScene S;
  TGraph& G = *S.Graph;
  struct TFlag : TGraphUndoCopy {
    int* Restored;
    explicit TFlag(int* R) : Restored(R) {}
    bool Restore() override { return ++*Restored, true; }
  };
  int Restored = 0;
  TLayer* A = S.AddSeries(2);
  G.Undo.Push(S.Series, TGraphUndo::ukSelected, std::make_unique<TFlag>(&Restored));
  G.Undo.Push(A, TGraphUndo::ukDeleted, std::make_unique<TFlag>(&Restored));
  EXPECT_EQ(G.Undo.Count(), 2);
  // Unlinked but kept alive by the caller: its edit no longer counts nor undoes.
  std::unique_ptr<TLayer> Kept = G.DeleteLayer(G.IndexOfLayer(A));
  EXPECT_EQ(G.Undo.Count(), 1);
  EXPECT_TRUE(G.Undo.Undo());
  EXPECT_EQ(Restored, 1);
  EXPECT_FALSE(G.Undo.Undo());
  EXPECT_FALSE(G.Undo.Enabled());
}
}  // namespace
