// Editing series with the mouse on a painted graph: hit tests, the popup and its actions, dragging
// steps on linear and logarithmic axes, and undoing the edits.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QMenu>
#include <cmath>
#include <memory>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "platform/number_text.h"
#include "platform/shift_state.h"
#include "plot/core/graph.h"
#include "plot/core/graph_text_file.h"
#include "plot/layers/series.h"

namespace {
struct TEditOwner : TGraphOwner {
  QMenu* Shown = nullptr;
  int Popups = 0;
  TCursor Cursor = crNone;
  void ShowPopupMenu(QMenu* M, int, int) override {
    Shown = M;
    ++Popups;
  }
  void SetCursor(TCursor C) override { Cursor = C; }
};

struct TEditScene {
  QImage Image{800, 700, QImage::Format_RGB32};
  std::unique_ptr<TImageTarget> Target;
  std::unique_ptr<TCanvas> Canvas;
  TEditOwner Owner;
  std::unique_ptr<TGraph> Graph;
  explicit TEditScene(bool LogY = false) {
    RegisterSeriesLayerClasses();
    Image.fill(Qt::white);
    Target = std::make_unique<TImageTarget>(&Image);
    Canvas = std::make_unique<TCanvas>(Target.get());
    Graph = std::make_unique<TGraph>(Canvas.get(), 800, 700, &Owner);
    Graph->ClipMarkers = true;
    for (TAxis* A :
         {static_cast<TAxis*>(Graph->XAxis.get()), static_cast<TAxis*>(Graph->YAxis.get())}) {
      A->AutoMin = A->AutoMax = false;
      A->Min = 0;
      A->Max = 10;
    }
    if (LogY) {
      Graph->YAxis->Log = true;
      Graph->YAxis->AutoMin = Graph->YAxis->AutoMax = true;
    }
  }
  TSeries* Add(int Kind, std::initializer_list<TDoublePoint> Pts) {
    auto S = std::make_unique<TSeries>(Graph.get(), clRed, Kind, QStringLiteral("s"));
    for (const TDoublePoint& P : Pts) S->AddPoint(0, {}, P.X, P.Y);
    auto* R = static_cast<TSeries*>(Graph->AddLayer(std::move(S)));
    Graph->Paint();
    return R;
  }
  int PX(double X) const { return Graph->XToPixel(X); }
  int PY(double Y) const { return Graph->YToPixel(Y); }
  QAction* Item(TSeries* S, const char* Name) {
    return S->PopupMenu()->findChild<QAction*>(QString::fromLatin1(Name));
  }
};

constexpr int CtrlClick = ssCtrl | ssLeft, ShiftClick = ssShift | ssLeft;

TEST(SeriesEdit, HitTestsByKindAndTolerance) {
  TEditScene S;
  TGraph& G = *S.Graph;
  TSeries* L = S.Add(2, {{1, 5}, {9, 5}});
  const int Y = S.PY(5);
  L->MouseMove(0, S.PX(3), Y);
  EXPECT_EQ(L->HitIndex, 0);  // on the segment: the nearer end
  EXPECT_EQ(L->HitDistance, 0);
  L->MouseMove(0, S.PX(7), Y);
  EXPECT_EQ(L->HitIndex, 1);
  const int TolY = RoundInt(G.PlotRect.Height() * 0.01);
  ASSERT_GE(TolY, 5);
  L->MouseMove(0, S.PX(3), Y - 5);
  EXPECT_EQ(L->HitIndex, 0);
  L->MouseMove(0, S.PX(3), Y - 6);
  EXPECT_EQ(L->HitIndex, -1);
  EXPECT_EQ(L->HitDistance, 2147483647);
  const TRect Full = G.PlotRect;
  G.PlotRect.Bottom = G.PlotRect.Top + 300;  // a tolerance of 3 pixels
  L->MouseMove(0, S.PX(3), Y - 4);
  EXPECT_EQ(L->HitIndex, -1);
  L->MouseMove(0, S.PX(3), Y - 3);
  EXPECT_EQ(L->HitIndex, 0);
  G.PlotRect = Full;
  L->SetVisible(false);
  L->MouseMove(0, S.PX(3), Y);
  EXPECT_EQ(L->HitIndex, -1);  // a hidden series is not there for the mouse

  // Markers alone: nothing between two of them; the later point wins where they overlap.
  TSeries* M = S.Add(1, {{2, 2}, {4, 2}, {4, 2}});
  M->MouseMove(0, S.PX(3), S.PY(2));
  EXPECT_EQ(M->HitIndex, -1);
  M->MouseMove(0, S.PX(4) + 2, S.PY(2) - 2);
  EXPECT_EQ(M->HitIndex, 2);
  EXPECT_TRUE(M->MouseOnMarker);
  EXPECT_EQ(M->CurrentIndex, 2);

  // Steps: the level between points i - 1 and i gives i - 1; the riser's column gives nothing.
  TSeries* St = S.Add(6, {{1, 2}, {4, 6}, {8, 3}});
  St->MouseMove(0, S.PX(2.5), S.PY(2) - 4);
  EXPECT_EQ(St->HitIndex, 0);
  St->MouseMove(0, S.PX(6), S.PY(6) + 4);
  EXPECT_EQ(St->HitIndex, 1);
  St->MouseMove(0, S.PX(4), S.PY(4));
  EXPECT_EQ(St->HitIndex, -1);

  // Volume drops are hit along their drop only, never on the marker's own spot beside it.
  TSeries* V = S.Add(4, {{5, 4}});
  V->MouseMove(0, S.PX(5) + 4, S.PY(2));
  EXPECT_EQ(V->HitIndex, 0);
  V->MouseMove(0, S.PX(5) + 5, S.PY(2));
  EXPECT_EQ(V->HitIndex, -1);
  V->MouseMove(0, S.PX(5), S.PY(4.5));
  EXPECT_EQ(V->HitIndex, -1);

  // An empty series finds nothing and drags nothing.
  TSeries* E = S.Add(6, {});
  E->MouseMove(0, S.PX(5), S.PY(5));
  EXPECT_EQ(E->HitIndex, -1);
  E->DragTo(S.PX(5), S.PY(5));
  E->DeletePoint();
  EXPECT_EQ(E->Count(), 0);

  // A hook that deletes its own series leaves the graph's routing on its feet.
  TSeries* Doomed = S.Add(1, {{4, 2}});
  int Calls = 0;
  Doomed->OnSeriesMouseMove = [&](TSeries* Me, int, bool&, double, double, int, int, int) {
    ++Calls;
    Me->DeleteSelf();
  };
  const int Layers = G.LayerCount();
  G.MouseDown(mbLeft, 0, S.PX(4), S.PY(2));
  EXPECT_EQ(Calls, 1);
  EXPECT_EQ(G.LayerCount(), Layers - 1);
  EXPECT_EQ(G.HitLayer.Get(), M);  // the series below took the press

  // The graph stops at the topmost series with a hit and shows what a click would do.
  M->CanDelete = true;
  G.MouseMove(ssCtrl, S.PX(4), S.PY(2));
  EXPECT_EQ(S.Owner.Cursor, crDeletePoint);
  G.MouseMove(0, S.PX(4), S.PY(2));
  EXPECT_EQ(S.Owner.Cursor, crInfoPoint);
  G.MouseMove(ssShift, S.PX(4), S.PY(2));
  EXPECT_EQ(S.Owner.Cursor, crDefault);  // nothing to select
}

TEST(SeriesEdit, BarsAreasAndDepthAreHitWhereTheyAreDrawn) {
  TEditScene S;
  S.Graph->YAxis->Max = 100;
  // A bar flatter than 1 % of the range is also found within 1 % beyond its end.
  TSeries* B = S.Add(8, {{3, 0.5}, {6, 50}});
  B->MouseMove(0, S.PX(3), S.PY(1.3));
  EXPECT_EQ(B->HitIndex, 0);
  B->MouseMove(0, S.PX(3), S.PY(1.8));
  EXPECT_EQ(B->HitIndex, -1);
  B->MouseMove(0, S.PX(6), S.PY(25));
  EXPECT_EQ(B->HitIndex, 1);
  B->MouseMove(0, S.PX(4.5), S.PY(25));
  EXPECT_EQ(B->HitIndex, -1);
  B->SetVisible(false);

  // Of overlapping bars behind one another the lower index is found.
  S.Graph->BarStyle = bsZOrdered;
  TSeries* Z = S.Add(10, {{5, 50}, {5.05, 30}});
  ASSERT_NE(Z->BarPolygon(0), nullptr);
  Z->MouseMove(0, S.PX(5.02), S.PY(10));
  EXPECT_EQ(Z->HitIndex, 0);
  Z->MouseMove(0, S.PX(5.02), S.PY(60));
  EXPECT_EQ(Z->HitIndex, -1);
  Z->SetVisible(false);
  S.Graph->BarStyle = bsClustered;

  // An area is found anywhere under its line.
  TSeries* A = S.Add(7, {{1, 10}, {4, 40}, {8, 40}});
  A->MouseMove(0, S.PX(6), S.PY(5));
  EXPECT_EQ(A->HitIndex, 2);
  A->MouseMove(0, S.PX(6), S.PY(45));
  EXPECT_EQ(A->HitIndex, -1);
  A->SetVisible(false);

  // With depth, the series in the back slot is hit where it is drawn: right and up.
  TSeries* Back = S.Add(1, {{5, 50}});
  TSeries* Front = S.Add(1, {{5, 50}});
  S.Graph->View3D = 0.1;
  S.Graph->Paint();
  const int Shift = RoundInt(S.Graph->Depth3D / 2.0L);
  ASSERT_GT(Shift, 4);
  Back->MouseMove(0, S.PX(5) + Shift, S.PY(50) - Shift);
  EXPECT_EQ(Back->HitIndex, 0);
  Back->MouseMove(0, S.PX(5), S.PY(50));
  EXPECT_EQ(Back->HitIndex, -1);
  Front->MouseMove(0, S.PX(5), S.PY(50));
  EXPECT_EQ(Front->HitIndex, 0);
}

TEST(SeriesEdit, StepsDragOnLinearAndLogAxesAndUndo) {
  TEditScene S;
  TGraph& G = *S.Graph;
  TSeries* St = S.Add(6, {{1, 2}, {4, 6}, {8, 3}, {9, 3}});
  // The popup's Edit item starts the drag at the point under the mouse when the menu opened.
  G.MouseDown(mbRight, 0, S.PX(2.5), S.PY(2) - 3);
  ASSERT_EQ(S.Owner.Shown, St->PopupMenu());
  ASSERT_TRUE(S.Item(St, "miEdit")->isVisible());
  S.Item(St, "miEdit")->trigger();
  EXPECT_EQ(St->DragIndex, 0);
  EXPECT_EQ(St->EditState, TSeries::esDragging | TSeries::esEditMode);
  const int To = S.PY(7);
  G.MouseMove(0, S.PX(2.5), To);
  TDoublePoint P0, P1;
  St->GetPoint(0, P0);
  EXPECT_DOUBLE_EQ(P0.Y, G.PixelToY(To));
  EXPECT_DOUBLE_EQ(St->PointAt(1)->StartY, G.PixelToY(To));
  EXPECT_DOUBLE_EQ(St->PointAt(1)->X, 4);  // X never moves
  G.MouseUp(mbLeft, 0, S.PX(2.5), To);
  EXPECT_EQ(St->EditState, TSeries::esEditMode);  // the drag ends, edit mode stays
  EXPECT_TRUE(St->Changed);
  EXPECT_EQ(S.Owner.Cursor, crSizeNS);

  // In edit mode a plain click on a step drags it at once.
  G.MouseDown(mbLeft, 0, S.PX(6), S.PY(6) + 2);
  EXPECT_EQ(St->DragIndex, 1);
  EXPECT_DOUBLE_EQ(St->PointAt(1)->Y, G.PixelToY(S.PY(6) + 2));
  G.MouseUp(mbLeft, 0, S.PX(6), S.PY(6) + 2);
  // Each drag is one edit: undone last first.
  EXPECT_TRUE(G.Undo.Undo());
  EXPECT_DOUBLE_EQ(St->PointAt(1)->Y, 6);
  EXPECT_DOUBLE_EQ(St->PointAt(2)->StartY, 6);
  EXPECT_DOUBLE_EQ(St->PointAt(0)->Y, G.PixelToY(To));
  EXPECT_TRUE(G.Undo.Undo());
  EXPECT_DOUBLE_EQ(St->PointAt(0)->Y, 2);
  EXPECT_DOUBLE_EQ(St->PointAt(0)->StartY, 2);
  EXPECT_DOUBLE_EQ(St->PointAt(1)->StartY, 2);
  EXPECT_FALSE(G.Undo.Undo());

  // The last point's level is not drawn: dragging it moves the step before it.
  St->DragIndex = St->Count() - 1;
  St->DragTo(0, S.PY(9));
  EXPECT_DOUBLE_EQ(St->PointAt(2)->Y, G.PixelToY(S.PY(9)));
  EXPECT_DOUBLE_EQ(St->PointAt(3)->Y, G.PixelToY(S.PY(9)));
  for (int Bad : {-1, 4, 1000}) {
    St->DragIndex = Bad;
    St->DragTo(0, S.PY(1));
  }
  EXPECT_DOUBLE_EQ(St->PointAt(2)->Y, G.PixelToY(S.PY(9)));
  TSeries* One = S.Add(6, {{5, 5}});
  One->DragIndex = 0;
  One->DragTo(0, S.PY(8));
  EXPECT_DOUBLE_EQ(One->PointAt(0)->Y, G.PixelToY(S.PY(8)));
  EXPECT_DOUBLE_EQ(One->PointAt(0)->StartY, G.PixelToY(S.PY(8)));

  // On a logarithmic axis the point keeps the value, not its logarithm.
  TEditScene L(true);
  TSeries* Lg = L.Add(6, {{1, 10}, {4, 1000}, {8, 100}});
  ASSERT_GT(L.Graph->YMax, 2.5);  // axis space: decades
  L.Graph->MouseDown(mbRight, 0, L.PX(2.5), L.PY(10) - 2);
  L.Item(Lg, "miEdit")->trigger();
  const int Mid = L.PY(300);
  L.Graph->MouseMove(0, L.PX(2.5), Mid);
  const double V = Lg->PointAt(0)->Y;
  EXPECT_NEAR(V, std::pow(10.0, L.Graph->PixelToY(Mid)), 1e-9 * V);
  EXPECT_NEAR(V, 300, 30);
  EXPECT_EQ(L.Graph->YToPixel(V), Mid);
  L.Graph->MouseUp(mbLeft, 0, L.PX(2.5), Mid);
  EXPECT_TRUE(L.Graph->Undo.Undo());
  EXPECT_DOUBLE_EQ(Lg->PointAt(0)->Y, 10);
}

TEST(SeriesEdit, DeleteHideSelectAndInfoByClicks) {
  TEditScene S;
  TGraph& G = *S.Graph;
  TSeries* L = S.Add(3, {{1, 1}, {3, 7}, {5, 1}});
  L->CanDelete = true;
  // A Ctrl click deletes the point; the chain closes over the gap.
  G.MouseDown(mbLeft, CtrlClick, S.PX(3), S.PY(7));
  ASSERT_EQ(L->Count(), 2);
  EXPECT_DOUBLE_EQ(L->PointAt(1)->StartX, 1);
  EXPECT_DOUBLE_EQ(L->PointAt(1)->StartY, 1);
  EXPECT_EQ(G.HitLayer.Get(), L);
  EXPECT_EQ(G.HitPoint, 1);
  EXPECT_EQ(G.Undo.Count(), 1);
  EXPECT_TRUE(G.Undo.Undo());
  ASSERT_EQ(L->Count(), 3);
  EXPECT_DOUBLE_EQ(L->PointAt(1)->Y, 7);
  EXPECT_DOUBLE_EQ(L->PointAt(2)->StartY, 7);

  // The only point: the point and a copy of the series are recorded, the series hides.
  TSeries* One = S.Add(1, {{8, 8}});
  One->CanDelete = true;
  G.MouseDown(mbLeft, CtrlClick, S.PX(8), S.PY(8));
  EXPECT_EQ(One->Count(), 0);
  EXPECT_FALSE(One->GetVisible());
  EXPECT_EQ(G.Undo.Count(), 2);
  EXPECT_TRUE(G.Undo.Undo());
  EXPECT_EQ(One->Count(), 1);  // once, not twice
  EXPECT_TRUE(One->GetVisible());
  EXPECT_FALSE(G.Undo.Undo());
  EXPECT_EQ(One->Count(), 1);

  // Only hiding allowed: the marker goes, the point stays; neither: nothing happens.
  One->CanDelete = false;
  One->CanHide = true;
  G.MouseDown(mbLeft, CtrlClick, S.PX(8), S.PY(8));
  EXPECT_EQ(One->Count(), 1);
  EXPECT_FALSE(One->PointAt(0)->Marker->MarkerFlag);
  One->MouseMove(0, S.PX(8), S.PY(8));
  EXPECT_EQ(One->HitIndex, -1);  // a hidden marker is no target
  EXPECT_TRUE(G.Undo.Undo());
  EXPECT_TRUE(One->PointAt(0)->Marker->MarkerFlag);
  One->CanHide = false;
  G.MouseDown(mbLeft, CtrlClick, S.PX(8), S.PY(8));
  EXPECT_TRUE(One->PointAt(0)->Marker->MarkerFlag);
  EXPECT_EQ(G.Undo.Count(), 0);
  // A point without a marker has nothing to hide.
  One->CanHide = true;
  One->PointAt(0)->Marker.reset();
  One->MouseDown(mbLeft, CtrlClick, S.PX(8), S.PY(8));
  EXPECT_EQ(G.Undo.Count(), 0);

  // Shift clicks select the series and unselect it again, or toggle a marker's selection.
  L->CanSelect = true;
  TSeries* Other = S.Add(2, {{0, 9}, {1, 9}});
  Other->Selected = true;
  G.MouseDown(mbLeft, ShiftClick, S.PX(3), S.PY(7));
  EXPECT_TRUE(L->Selected);
  EXPECT_FALSE(Other->Selected);
  EXPECT_EQ(L->SelectedIndex, 1);
  G.MouseDown(mbLeft, ShiftClick, S.PX(3), S.PY(7));
  EXPECT_FALSE(L->Selected);
  EXPECT_TRUE(G.Undo.Undo());
  EXPECT_TRUE(L->Selected);
  TSeries* Pts = S.Add(1, {{6, 3}, {7, 3}});
  Pts->CanSelectPoints = true;
  G.MouseDown(mbLeft, ShiftClick, S.PX(7), S.PY(3));
  EXPECT_TRUE(Pts->PointAt(1)->Marker->DerivedColor);
  EXPECT_FALSE(Pts->PointAt(0)->Marker->DerivedColor);
  G.MouseDown(mbLeft, ShiftClick, S.PX(7), S.PY(3));
  EXPECT_FALSE(Pts->PointAt(1)->Marker->DerivedColor);

  // A plain click pins a bubble to the point; it shows on the image.
  G.Info->Color = 0x00FFFF;
  G.MouseDown(mbLeft, 0, S.PX(7), S.PY(3));
  ASSERT_EQ(G.Info->Locations.size(), 1u);
  const TRect R = G.Info->Locations[0].Location->BubbleRect;
  ASSERT_FALSE(R.IsEmpty());
  S.Target->Release();
  EXPECT_EQ(S.Image.pixel(R.Left + 2, R.Top + R.Height() / 2), qRgb(255, 255, 0));
  // Deleting the series takes its bubble along for good.
  Pts->DeleteSelf();
  EXPECT_EQ(G.Info->Locations[0].Location->Series.Get(), nullptr);
  EXPECT_TRUE(G.Info->Locations[0].Location->BubbleRect.IsEmpty());
}

TEST(SeriesEdit, PopupItemsAndTheirActions) {
  TEditScene S;
  TGraph& G = *S.Graph;
  TSeries* St = S.Add(6, {{1, 2}, {4, 6}, {8, 3}});
  St->CanDelete = true;  // set after the menu's switches were taken
  auto Shown = [&](TSeries* Ser) {
    QStringList T;
    for (QAction* A : Ser->PopupMenu()->actions())
      if (A->isVisible()) T << A->text();
    return T;
  };
  EXPECT_EQ(Shown(St), (QStringList{"&Info", "&Edit"}));
  St->SetInfoEnabled(false);
  EXPECT_EQ(Shown(St), (QStringList{"&Edit"}));
  St->SetInfoEnabled(true);

  // Loaded, the menu shows the saved switches.
  St->CanSelect = true;
  St->InfoShift = 1;
  TEditScene S2;
  ASSERT_TRUE(S2.Graph->LoadFromText(G.SaveToText()));
  auto* Loaded = static_cast<TSeries*>(S2.Graph->GetLayer(0));
  EXPECT_EQ(Shown(Loaded), (QStringList{"&Select on/off", "&Info <Shift>", "&Edit",
                                        "&Delete <Ctrl>", "&Unvisible  <Ctrl>"}));
  TSeries* Line = S2.Add(2, {{1, 1}, {9, 9}});
  EXPECT_EQ(Shown(Line), (QStringList{"&Info"}));

  // Delete acts on the point the menu opened on, and only while that point is still there.
  S2.Graph->Paint();
  S2.Graph->MouseDown(mbRight, 0, S2.PX(7), S2.PY(6) + 2);
  ASSERT_EQ(S2.Owner.Shown, Loaded->PopupMenu());
  Loaded->DeletePoint(1);  // gone by other means meanwhile
  S2.Item(Loaded, "miErase")->trigger();
  EXPECT_EQ(Loaded->Count(), 2);
  S2.Graph->Paint();
  S2.Graph->MouseDown(mbRight, 0, S2.PX(2.5), S2.PY(2) - 2);
  S2.Graph->MouseMove(0, 5, 5);  // the mouse wanders off before the item is chosen
  S2.Item(Loaded, "miErase")->trigger();
  ASSERT_EQ(Loaded->Count(), 1);
  EXPECT_DOUBLE_EQ(Loaded->PointAt(0)->X, 8);
  EXPECT_DOUBLE_EQ(Loaded->PointAt(0)->StartX, 8);  // the new first point starts at itself

  S2.Graph->MouseDown(mbRight, 0, S2.PX(5), S2.PY(5));
  ASSERT_EQ(S2.Owner.Shown, Line->PopupMenu());
  Line->CanSelect = true;
  S2.Item(Line, "miSelectOnOff")->trigger();
  EXPECT_TRUE(Line->Selected);
  S2.Item(Line, "miInfo")->trigger();
  EXPECT_EQ(S2.Graph->Info->Locations.size(), 1u);
  S2.Item(Line, "miUnvisible")->trigger();
  EXPECT_FALSE(Line->GetVisible());
  // The properties hook hands the series to the data dialog; a change reaches the legend entry.
  Line->SetHasLegend(true);
  SetSeriesDataEditor([](TSeries& Ser) {
    Ser.Name = QStringLiteral("edited");
    return true;
  });
  Line->PropertiesClick();
  EXPECT_EQ(Line->Legend()->Text, QStringLiteral("edited"));
  SetSeriesDataEditor(nullptr);
  Line->PropertiesClick();  // no dialog installed: nothing happens

  // A right click on nothing opens no series menu.
  const int Before = S2.Owner.Popups;
  S2.Graph->MouseDown(mbRight, 0, S2.PX(5), S2.PY(5));
  EXPECT_EQ(S2.Owner.Popups, Before + 1);
  EXPECT_EQ(S2.Owner.Shown, S2.Graph->PopupMenu());
}
}  // namespace
