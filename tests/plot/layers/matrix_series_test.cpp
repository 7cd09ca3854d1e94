// The matrix series: markers by sign and size, shaded cells in their scale colours, the cell
// under a world point at the grid's edges, the legend entries and the file block.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QStringList>
#include <algorithm>
#include <climits>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "platform/shift_state.h"
#include "plot/core/graph.h"
#include "plot/core/graph_axis.h"
#include "plot/layers/matrix_series.h"

namespace {
struct TMatrixFixture {
  TRecordingTarget Target{400, 300};
  TCanvas Canvas{&Target};
  TGraph Graph{&Canvas, 400, 300};
  TMatrixFixture() {
    Graph.PlotRect = {0, 0, 300, 200};
    // 100 pixels per unit across, 200 down: the marker scale takes the smaller.
    Graph.XMin = 0.5, Graph.XMax = 3.5, Graph.YMin = 0.5, Graph.YMax = 1.5;
    Graph.ComputeMapping(Graph.PlotRect);
  }
  TMatrixSeries* Add(int NX, int NY) {
    return static_cast<TMatrixSeries*>(
        Graph.AddLayer(std::make_unique<TMatrixSeries>(&Graph, NX, NY)));
  }
  // Bounding box of the primitives whose pen has Color.
  TRect BoxOf(TColor Color) const {
    TRect R{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const auto& Op : Target.Ops()) {
      if (Op.State.Pen.Color != Color) continue;
      auto Take = [&](TPoint P) {
        R.Left = std::min(R.Left, P.X), R.Top = std::min(R.Top, P.Y);
        R.Right = std::max(R.Right, P.X), R.Bottom = std::max(R.Bottom, P.Y);
      };
      for (TPoint P : Op.Points) Take(P);
      if (Op.Kind == coEllipse || Op.Kind == coRectangle)
        Take({Op.Rect.Left, Op.Rect.Top}), Take({Op.Rect.Right, Op.Rect.Bottom});
    }
    return R;
  }
};
}  // namespace

TEST(MatrixSeries, CreationFixesTheAxesOnTheCells) {
  TMatrixFixture F;
  TMatrixSeries* S = F.Add(4, 3);
  EXPECT_FALSE(F.Graph.XAxis->AutoMin);
  EXPECT_DOUBLE_EQ(F.Graph.XAxis->Min, 0.5);
  EXPECT_DOUBLE_EQ(F.Graph.XAxis->Max, 4.5);
  EXPECT_DOUBLE_EQ(F.Graph.YAxis->Max, 3.5);
  double X0, X1, Y0, Y1;
  S->GetExtent(X0, X1, Y0, Y1);
  EXPECT_EQ(X1, 5);
  EXPECT_EQ(Y1, 4);
  EXPECT_EQ(S->PositiveMarker.Style, 2);
  EXPECT_EQ(S->NegativeMarker.Style, 8);
  EXPECT_EQ(S->PositiveLegend()->Text, QStringLiteral("Positive"));
  EXPECT_EQ(S->NegativeLegend()->Text, QStringLiteral("Negative"));
}

TEST(MatrixSeries, MarkersTakeTheSignsStyleAndASizeByMagnitude) {
  TMatrixFixture F;
  TMatrixSeries* S = F.Add(3, 1);
  S->Matrix.SetValue(1, 1, 2);
  S->Matrix.SetValue(2, 1, -1);
  S->Matrix.SetValue(3, 1, 0);
  // The marker outline is drawn in the fill colour: that tells the signs apart.
  S->PositiveMarker.FillColor = 0x00AA00;
  S->NegativeMarker.FillColor = 0x0000AA;
  EXPECT_EQ(S->MarkerPixelSize(2), 100);
  EXPECT_EQ(S->MarkerPixelSize(-1), 50);
  EXPECT_EQ(S->MarkerPixelSize(0), 0);
  S->Draw();
  const TRect P = F.BoxOf(0x00AA00);
  ASSERT_LE(P.Left, P.Right);
  EXPECT_NEAR((P.Left + P.Right) / 2.0, F.Graph.XToPixel(1), 2);
  EXPECT_NEAR(P.Right - P.Left, 100, 4);
  // The negative value and the 0 both use the negative marker; the 0 has no size.
  const TRect N = F.BoxOf(0x0000AA);
  ASSERT_LE(N.Left, N.Right);
  EXPECT_NEAR(N.Left, F.Graph.XToPixel(2) - 25, 3);
  EXPECT_NEAR(N.Right, F.Graph.XToPixel(3), 3);

  // All zeros: no marker has a size.
  for (int I = 1; I <= 3; ++I) S->Matrix.SetValue(I, 1, 0);
  TMatrixSeries* Z = F.Add(3, 1);
  EXPECT_EQ(Z->MarkerPixelSize(0), 0);
  // Outside the user range nothing is drawn; a missing value never is.
  S->Matrix = GraphMatrix::TMatrix(3, 1);
  S->Matrix.SetValue(1, 1, 5);
  S->Matrix.SetValue(2, 1, MissingValue);
  S->Matrix.SetValue(3, 1, -5);
  S->UseLevelEnd = true;
  S->LevelEnd = 1;
  F.Target.Clear();
  S->Draw();
  EXPECT_GT(F.BoxOf(0x0000AA).Right, F.BoxOf(0x0000AA).Left);
  EXPECT_EQ(F.BoxOf(0x00AA00).Left, INT_MAX);
}

TEST(MatrixSeries, MarkerSizesOnATinyFixedRangeSaturate) {
  TMatrixFixture F;
  TMatrixSeries* S = F.Add(2, 1);
  S->Matrix.SetValue(1, 1, 1);
  S->Matrix.SetValue(2, 1, -0.5);
  // Axis ends 1e-7 apart round 0.5: the pixels of 0 and 1 lie beyond both ends of an int.
  F.Graph.XMin = 0.5, F.Graph.XMax = 0.5 + 1e-7;
  F.Graph.YMin = 0.5, F.Graph.YMax = 0.5 + 0.5e-7;
  F.Graph.ComputeMapping(F.Graph.PlotRect);
  EXPECT_EQ(S->MarkerPixelSize(1), 2147483647);
  EXPECT_EQ(S->MarkerPixelSize(0), 0);
  S->Draw();  // no marker comes near the picture
}

TEST(MatrixSeries, ShadedCellsAreTheirValuesScaleColours) {
  TMatrixFixture F;
  TMatrixSeries* S = F.Add(2, 2);
  F.Graph.XMin = 0.5, F.Graph.XMax = 2.5, F.Graph.YMin = 0.5, F.Graph.YMax = 2.5;
  F.Graph.ComputeMapping(F.Graph.PlotRect);
  const double V[2][2] = {{0, 1}, {2, 3}};
  for (int I = 1; I <= 2; ++I)
    for (int J = 1; J <= 2; ++J) S->Matrix.SetValue(I, J, V[I - 1][J - 1]);
  S->SetShaded(true);
  S->Draw();
  int Cells = 0;
  for (const auto& Op : F.Target.Ops()) {
    if (Op.Kind != coFillRect) continue;
    ++Cells;
    const int CX = (Op.Rect.Left + Op.Rect.Right) / 2, CY = (Op.Rect.Top + Op.Rect.Bottom) / 2;
    const int I = CX < F.Graph.XToPixel(1.5) ? 1 : 2;
    const int J = CY > F.Graph.YToPixel(1.5) ? 1 : 2;
    EXPECT_NEAR(CX, F.Graph.XToPixel(I), 1);
    EXPECT_NEAR(CY, F.Graph.YToPixel(J), 1);
    EXPECT_EQ(Op.State.Brush.Color, PaletteColor(*S, PaletteIndex(*S, V[I - 1][J - 1])));
  }
  EXPECT_EQ(Cells, 4);
  EXPECT_NE(PaletteIndex(*S, 0), PaletteIndex(*S, 3));
}

TEST(MatrixSeries, CellsAtTheEdgesAndHits) {
  TMatrixFixture F;
  TMatrixSeries* S = F.Add(3, 2);
  EXPECT_EQ(S->PointIndexAt(0.5, 0.5), 0);  // the half belongs to the first cell
  EXPECT_EQ(S->PointIndexAt(1.49, 1.49), 0);
  EXPECT_EQ(S->PointIndexAt(1.5, 0.5), 1);
  EXPECT_EQ(S->PointIndexAt(3.4, 2.4), 5);  // the last cell, not one beyond
  EXPECT_EQ(S->PointIndexAt(99, 99), 5);
  EXPECT_EQ(S->PointIndexAt(-99, 1), 0);
  S->Matrix.SetValue(3, 2, 7);
  S->Texts.SetValue(3, 2, QStringLiteral("last"));
  EXPECT_EQ(S->ValueAt(3.2, 2.2), 7);
  EXPECT_EQ(S->TextAt(3.2, 2.2), QStringLiteral("last"));
  int I, J;
  EXPECT_TRUE(S->HitCell(2.2, 1, I, J));
  EXPECT_EQ(I, 2);
  EXPECT_FALSE(S->HitCell(2.3, 1, I, J));
  EXPECT_FALSE(S->HitCell(3.5, 2, I, J));
  EXPECT_FALSE(S->HitCell(1, 0.4, I, J));
  // The mouse over the plot: a hit near a cell centre, none between cells.
  F.Graph.XMin = 0.5, F.Graph.XMax = 3.5, F.Graph.YMin = 0.5, F.Graph.YMax = 2.5;
  F.Graph.ComputeMapping(F.Graph.PlotRect);
  S->SetMouseActive(true);
  int Overs = 0;
  S->OnMouseOver = [&](double, double) { ++Overs; };
  S->MouseMove(0, F.Graph.XToPixel(3.1), F.Graph.YToPixel(2.1));
  EXPECT_EQ(S->HitIndex, 5);
  S->MouseMove(0, F.Graph.XToPixel(2.5), F.Graph.YToPixel(1));
  EXPECT_EQ(S->HitIndex, -1);
  EXPECT_EQ(Overs, 1);
}

TEST(MatrixSeries, LegendEntriesLeaveWhileShadedAndFollowTheMarkers) {
  TMatrixFixture F;
  TMatrixSeries* S = F.Add(2, 2);
  S->Name = QStringLiteral("M");
  S->UpdateLegends();
  EXPECT_EQ(S->PositiveLegend()->Text, QStringLiteral(" + M"));
  EXPECT_EQ(S->NegativeLegend()->Text, QStringLiteral(" - M"));
  EXPECT_EQ(S->PositiveLegend()->Marker.Size, 8);
  S->SetCurrentMarkerStyle(5);  // the positive one; the next acts on the negative one
  S->SetCurrentMarkerStyle(6);
  EXPECT_EQ(S->PositiveMarker.Style, 5);
  EXPECT_EQ(S->NegativeMarker.Style, 6);
  EXPECT_EQ(S->NegativeLegend()->Marker.Style, 6);
  S->SetVisible(false);
  EXPECT_FALSE(S->NegativeLegend()->Visible);
  S->SetVisible(true);
  S->SetShaded(true);
  EXPECT_EQ(S->PositiveLegend(), nullptr);
  EXPECT_EQ(S->NegativeLegend(), nullptr);
  S->SetShaded(false);
  ASSERT_NE(S->PositiveLegend(), nullptr);
  EXPECT_EQ(S->PositiveLegend()->Marker.Style, 5);
}

TEST(MatrixSeries, FileBlockRoundTripAndHostileBlocks) {
  RegisterMatrixSeriesLayerClasses();
  TMatrixFixture F;
  TMatrixSeries* S = F.Add(3, 2);
  S->Name = QStringLiteral("Cells");
  S->PositiveMarker.Style = 4;
  S->NegativeMarker.FillColor = 0x123456;
  for (int I = 1; I <= 3; ++I)
    for (int J = 1; J <= 2; ++J) {
      S->Matrix.SetValue(I, J, (I - 2) * 1.25e-7 + J);
      S->Texts.SetValue(I, J, QStringLiteral("c%1%2").arg(I).arg(J));
    }
  S->Texts.SetValue(2, 1, QStringLiteral("two\nlines"));
  const QByteArray Text = F.Graph.SaveToText();

  TMatrixFixture G;
  QString Error;
  ASSERT_TRUE(G.Graph.LoadFromText(Text, &Error)) << Error.toStdString();
  ASSERT_EQ(G.Graph.LayerCount(), 1);
  auto* L = dynamic_cast<TMatrixSeries*>(G.Graph.GetLayer(0));
  ASSERT_NE(L, nullptr);
  EXPECT_EQ(L->Name, QStringLiteral("Cells"));
  EXPECT_EQ(L->Matrix.NX, 3);
  EXPECT_EQ(L->Matrix.NY, 2);
  EXPECT_EQ(L->PositiveMarker.Style, 4);
  EXPECT_EQ(L->NegativeMarker.FillColor, 0x123456u);
  for (int I = 1; I <= 3; ++I)
    for (int J = 1; J <= 2; ++J)
      EXPECT_DOUBLE_EQ(L->Matrix.GetValue(I, J), S->Matrix.GetValue(I, J));
  EXPECT_EQ(L->Texts.GetValue(3, 2), QStringLiteral("c32"));
  EXPECT_EQ(L->Texts.GetValue(2, 1).count(QLatin1Char('\n')), 0);
  EXPECT_DOUBLE_EQ(G.Graph.XAxis->Max, 3.5);
  EXPECT_EQ(G.Graph.SaveToText(), Text);  // the one-line text is kept as written

  // The marker lines carry NX and NY.
  const QList<QByteArray> Lines = Text.split('\n');
  int Pos = -1;
  for (int K = 0; K < Lines.size(); ++K)
    if (Lines[K].endsWith(" 3") && Lines[K].startsWith("4 ")) Pos = K;
  ASSERT_GE(Pos, 0);
  auto With = [&](int K, const QByteArray& Line) {
    QList<QByteArray> C = Lines;
    C[K] = Line;
    return C.join('\n');
  };
  const QByteArray Pos4 = Lines[Pos].left(Lines[Pos].lastIndexOf(' ') + 1);
  const QByteArray Neg4 = Lines[Pos + 1].left(Lines[Pos + 1].lastIndexOf(' ') + 1);
  for (const QByteArray& Bad :
       {With(Pos, Pos4 + "0"), With(Pos, Pos4 + "-3"), With(Pos, Pos4 + "2147483647"),
        With(Pos + 1, Neg4 + "2000000000"), With(Pos + 1, Neg4 + "x"), With(Pos, Pos4 + "4"),
        With(Pos + 2, "1"), With(Pos + 2, "1 nonsense")}) {
    TMatrixFixture H;
    QString E;
    EXPECT_FALSE(H.Graph.LoadFromText(Bad, &E));
    EXPECT_FALSE(E.isEmpty());
    EXPECT_EQ(H.Graph.LayerCount(), 0);
  }
  // A wrong closing line names the class and the line.
  QList<QByteArray> C = Lines;
  int Last = C.size() - 1;
  while (Last > 0 && C[Last].isEmpty()) --Last;
  C[Last] = "TSeries";
  TMatrixFixture H;
  QString E;
  EXPECT_FALSE(H.Graph.LoadFromText(C.join('\n'), &E));
  EXPECT_TRUE(E.contains(QStringLiteral("TMatrixSeries"))) << E.toStdString();
  EXPECT_TRUE(E.contains(QString::number(Last + 1))) << E.toStdString();
  UnregisterLayerClass(QStringLiteral("TMatrixSeries"));
}

namespace {
// What the series asked of the graph's control.
struct THintOwner : TGraphOwner {
  QStringList Hints;
  int Popups = 0;
  TCursor Cursor = -999;
  void ShowHint(const QString& Text) override { Hints << Text; }
  void ShowPopupMenu(QMenu*, int, int) override { ++Popups; }
  void SetCursor(TCursor C) override { Cursor = C; }
};
}  // namespace

TEST(MatrixSeries, HintsShowTheCellTextsAndClicksPopUpOrSelect) {
  TMatrixFixture F;
  THintOwner Owner;
  F.Graph.Owner = &Owner;
  F.Graph.XMin = 0.5, F.Graph.XMax = 3.5, F.Graph.YMin = 0.5, F.Graph.YMax = 2.5;
  F.Graph.ComputeMapping(F.Graph.PlotRect);
  // Made first, so that the series under test fixes the axes.
  TMatrixSeries* O = F.Add(1, 1);
  O->Selected = true;
  TMatrixSeries* S = F.Add(3, 2);
  S->SetMouseActive(true);
  S->Texts.SetValue(1, 1, QStringLiteral("first"));
  S->Texts.SetValue(3, 2, QStringLiteral("last"));
  auto At = [&](double X, double Y, auto Action) {
    Action(F.Graph.XToPixel(X), F.Graph.YToPixel(Y));
  };
  auto Move = [&](double X, double Y) {
    At(X, Y, [&](int PX, int PY) { S->MouseMove(0, PX, PY); });
  };
  // A hint once per cell entered, none for a cell without text, and taken away between cells.
  Move(1, 1);
  Move(1.1, 0.9);
  Move(2.5, 1);  // between cells
  Move(3, 2);
  Move(2, 2);  // a cell without a text
  Move(3, 2);
  EXPECT_EQ(Owner.Hints, (QStringList{"first", "", "last", "", "last"}));
  EXPECT_EQ(Owner.Cursor, crDefault);  // off the cells

  // The right button on a cell opens the popup; off the cells nothing happens.
  auto Down = [&](int Button, int Shift, double X, double Y) {
    At(X, Y, [&](int PX, int PY) { S->MouseDown(Button, Shift, PX, PY); });
  };
  Down(mbRight, ssRight, 2.5, 1);
  EXPECT_EQ(Owner.Popups, 0);
  Down(mbRight, ssRight, 2, 1);
  EXPECT_EQ(Owner.Popups, 1);
  EXPECT_EQ(S->HitIndex, 1);

  // The left button with the select keys selects the series alone, and again unselects it; not
  // without CanSelect nor with other keys.
  Down(mbLeft, ssLeft | ssShift, 3, 2);
  EXPECT_FALSE(S->Selected);
  S->CanSelect = true;
  Down(mbLeft, ssLeft | ssCtrl, 3, 2);
  EXPECT_FALSE(S->Selected);
  Down(mbLeft, ssLeft | ssShift, 3, 2);
  EXPECT_TRUE(S->Selected);
  EXPECT_FALSE(O->Selected);
  EXPECT_EQ(S->SelectedCell(), 5);
  Down(mbLeft, ssLeft | ssShift, 2.5, 2);  // between cells: no change
  EXPECT_TRUE(S->Selected);
  Down(mbLeft, ssLeft | ssShift, 1, 1);
  EXPECT_FALSE(S->Selected);
  EXPECT_EQ(S->SelectedCell(), -1);
  F.Graph.Owner = &F.Graph.DefaultOwner;
}

namespace {
// The texts the recording holds, in drawing order.
QStringList TextsOf(const TRecordingTarget& T) {
  QStringList L;
  for (const auto& Op : T.Ops())
    if (Op.Kind == coText) L << Op.Text;
  return L;
}
}  // namespace

TEST(MatrixSeries, RestingOnACellShowsItsBubbleUntilTheMouseLeavesIt) {
  TMatrixFixture F;
  THintOwner Owner;
  F.Graph.Owner = &Owner;
  F.Graph.XMin = 0.5, F.Graph.XMax = 3.5, F.Graph.YMin = 0.5, F.Graph.YMax = 2.5;
  F.Graph.ComputeMapping(F.Graph.PlotRect);
  TMatrixSeries* S = F.Add(3, 2);
  S->SetMouseActive(true);
  S->Texts.SetValue(2, 1, QStringLiteral("mid"));
  S->Matrix.SetValue(2, 1, 7.5);
  TGraphInfo& Info = *F.Graph.Info;
  Info.PointName = true;
  int PX = F.Graph.XToPixel(2), PY = F.Graph.YToPixel(1);

  // The timer waits while the mouse is on a cell; its tick pins the cell's bubble, named by the
  // cell's text, with the cell's value, its callout at the cell.
  S->MouseMove(0, PX, PY);
  EXPECT_TRUE(F.Graph.HoverTimerPending());
  F.Target.Clear();
  F.Graph.HoverTimerTick();
  ASSERT_EQ(Info.Locations.size(), 1u);
  EXPECT_EQ(Info.Locations[0].Location->PointIndex, 1);
  EXPECT_EQ(TextsOf(F.Target), (QStringList{"mid = 2", "Y = 7.5"}));
  bool Callout = false;
  for (const auto& Op : F.Target.Ops())
    if (Op.Kind == coPolygon && !Op.Points.empty() && Op.Points[0] == TPoint{PX, PY})
      Callout = true;
  EXPECT_TRUE(Callout);
  EXPECT_FALSE(F.Graph.HoverTimerPending());
  // A tick that comes late adds no second bubble.
  F.Graph.StartHoverTimer(S);
  F.Graph.HoverTimerTick();
  EXPECT_EQ(Info.Locations.size(), 1u);

  // Within 3 pixels the bubble stays and no new wait starts; further away it goes, and the
  // cell still under the mouse waits again.
  S->MouseMove(0, PX + 3, PY - 3);
  EXPECT_EQ(Info.Locations.size(), 1u);
  EXPECT_FALSE(F.Graph.HoverTimerPending());
  S->MouseMove(0, PX + 4, PY);
  EXPECT_TRUE(Info.Locations.empty());
  EXPECT_TRUE(F.Graph.HoverTimerPending());
  // That repaint laid the plot out anew.
  PX = F.Graph.XToPixel(2), PY = F.Graph.YToPixel(1);
  // Off the cells nothing waits, and a stray tick places nothing.
  S->MouseMove(0, F.Graph.XToPixel(2.5), PY);
  EXPECT_FALSE(F.Graph.HoverTimerPending());
  F.Graph.HoverTimerTick();
  EXPECT_TRUE(Info.Locations.empty());
  // The mouse leaving the image ends the wait too.
  S->MouseMove(0, PX, PY);
  F.Graph.MouseMove(0, -1, -1);
  EXPECT_FALSE(F.Graph.HoverTimerPending());

  // A hover bubble clicked away leaves the series free to hover again at once.
  S->MouseMove(0, PX, PY);
  F.Graph.HoverTimerTick();
  ASSERT_EQ(Info.Locations.size(), 1u);
  Info.Draw();
  const TRect B = Info.Locations[0].Location->BubbleRect;
  Info.MouseDown(mbLeft, ssLeft, (B.Left + B.Right) / 2, (B.Top + B.Bottom) / 2);
  EXPECT_TRUE(Info.Locations.empty());
  S->MouseMove(0, PX + 1, PY);
  EXPECT_TRUE(F.Graph.HoverTimerPending());
  F.Graph.HoverTimerTick();
  EXPECT_EQ(Info.Locations.size(), 1u);
  Info.Clear();

  // A hidden info layer shows no hover bubbles.
  Info.SetVisible(false);
  S->MouseMove(0, PX + 10, PY);
  EXPECT_FALSE(F.Graph.HoverTimerPending());
  Info.SetVisible(true);

  // A series deleted while the timer waits is never asked.
  S->MouseMove(0, PX, PY);
  EXPECT_TRUE(F.Graph.HoverTimerPending());
  F.Graph.DeleteLayer(F.Graph.IndexOfLayer(S));
  F.Graph.HoverTimerTick();
  EXPECT_TRUE(Info.Locations.empty());
  F.Graph.Owner = &F.Graph.DefaultOwner;
}

TEST(MatrixSeries, ClicksRecordTheHitAndPinBubblesWhereTheCellsAreDrawn) {
  TMatrixFixture F;
  THintOwner Owner;
  F.Graph.Owner = &Owner;
  F.Graph.XMin = 0.5, F.Graph.XMax = 3.5, F.Graph.YMin = 0.5, F.Graph.YMax = 2.5;
  F.Graph.ComputeMapping(F.Graph.PlotRect);
  TMatrixSeries* S = F.Add(3, 2);
  S->SetMouseActive(true);
  S->HoverInfo = false;
  S->Matrix.SetValue(3, 2, -4);
  EXPECT_EQ(S->Kind(), 9);
  // With depth the grid stands in the back slot, drawn right and up by the whole depth.
  F.Graph.View3D = 0.1;
  F.Graph.Depth3D = 20;
  const int PX = F.Graph.XToPixel(3) + 20, PY = F.Graph.YToPixel(2) - 20;
  // The cell is hit where it is drawn.
  S->MouseDown(mbRight, ssRight, PX, PY);
  EXPECT_EQ(F.Graph.HitLayer.Get(), S);
  EXPECT_EQ(F.Graph.HitPoint, 5);
  EXPECT_EQ(Owner.Popups, 1);
  // A left click with the info keys (none by default) pins a bubble at the cell's centre.
  S->MouseDown(mbLeft, ssLeft, PX, PY);
  ASSERT_EQ(F.Graph.Info->Locations.size(), 1u);
  const TInfoLocation& L = *F.Graph.Info->Locations[0].Location;
  EXPECT_DOUBLE_EQ(L.X, 3);
  EXPECT_DOUBLE_EQ(L.Y, 2);
  EXPECT_EQ(L.PointIndex, 5);
  F.Target.Clear();
  F.Graph.CurrentLayer = nullptr;
  F.Graph.Info->Draw();
  EXPECT_EQ(TextsOf(F.Target), (QStringList{"X = 3", "Y = -4"}));
  // A press between the cells clears the graph's hit.
  S->MouseDown(mbLeft, ssLeft, F.Graph.XToPixel(2.5) + 20, PY);
  EXPECT_EQ(F.Graph.HitLayer.Get(), nullptr);
  EXPECT_EQ(F.Graph.HitPoint, -1);
  EXPECT_EQ(F.Graph.Info->Locations.size(), 1u);
  // The popup's select acts on the cell it opened on.
  S->MouseDown(mbRight, ssRight, PX, PY);
  S->CanSelect = true;
  S->HitIndex = -1;
  S->PopupMenu()->findChild<QAction*>(QStringLiteral("miSelectOnOff"))->trigger();
  EXPECT_EQ(S->SelectedCell(), 5);
  F.Graph.Owner = &F.Graph.DefaultOwner;
}
