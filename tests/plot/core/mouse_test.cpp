// The graph's mouse routing and cursor readout, driven by pixels on a painted graph.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QStringList>
#include <memory>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "test_layers.h"

namespace {
struct TMouseOwner : TGraphOwner {
  bool StatusBar = true;
  QString Panels[3];
  int Widths[3] = {-1, -1, -1};
  TCursor Cursor = crNone;
  bool HasStatusBar() const override { return StatusBar; }
  void SetStatusPanel(int I, const QString& Text, int Width) override {
    Panels[I] = Text;
    if (Width >= 0) Widths[I] = Width;
  }
  void SetCursor(TCursor C) override { Cursor = C; }
  int Popups = 0, PropertiesShown = 0;
  void ShowPopupMenu(QMenu*, int, int) override { ++Popups; }
  void Properties() override { ++PropertiesShown; }
};

// Claims the mouse inside a pixel rectangle and records what reached it.
class TRouteLayer : public TLayer, public TGraphContour {
 public:
  TRouteLayer(TGraph* G, QStringList* ALog, TRect AClaim) : TLayer(G), Log(ALog), Claim(AClaim) {}
  QStringList* Log;
  TRect Claim;
  bool Contour = false;
  double Value = MissingValue;
  TGraphContour* AsContour() override { return Contour ? this : nullptr; }
  double PointValue(double, double) const override { return Value; }
  void MouseMove(int, int X, int Y) override {
    *Log << QStringLiteral("move ") + Name;
    HitIndex = Inside(X, Y) ? 0 : -1;
  }
  void MouseDown(int, int, int X, int Y) override {
    *Log << QStringLiteral("down ") + Name;
    HitIndex = Inside(X, Y) ? 0 : -1;
  }
  bool Inside(int X, int Y) const {
    return X >= Claim.Left && X <= Claim.Right && Y >= Claim.Top && Y <= Claim.Bottom;
  }
};

struct TMouseScene {
  QImage Image{400, 300, QImage::Format_RGB32};
  std::unique_ptr<TImageTarget> Target;
  std::unique_ptr<TCanvas> Canvas;
  TMouseOwner Owner;
  std::unique_ptr<TGraph> Graph;
  QStringList Log;
  TMouseScene() {
    Image.fill(Qt::white);
    Target = std::make_unique<TImageTarget>(&Image);
    Canvas = std::make_unique<TCanvas>(Target.get());
    Graph = std::make_unique<TGraph>(Canvas.get(), 400, 300, &Owner);
    auto L = std::make_unique<TTestLayer>(Graph.get());
    L->Points = {{0, 0}, {10, 10}};
    Graph->AddLayer(std::move(L));
  }
  TRouteLayer* Add(const QString& Name, TRect Claim) {
    auto L = std::make_unique<TRouteLayer>(Graph.get(), &Log, Claim);
    L->Name = Name;
    return static_cast<TRouteLayer*>(Graph->AddLayer(std::move(L)));
  }
  int PX(double A) const {
    return static_cast<int>(std::lround(Graph->ScaleX * A + Graph->OffsetX));
  }
  int PY(double A) const {
    return static_cast<int>(std::lround(Graph->ScaleY * A + Graph->OffsetY));
  }
};

TEST(GraphMouse, StatusReadout) {
  TMouseScene S;
  TGraph& G = *S.Graph;
  G.Paint();
  const TRect P = G.PlotRect;
  G.MouseMove(0, P.Left - 5, P.Top + 5);
  EXPECT_EQ(S.Owner.Panels[0], QStringLiteral("X=n/a"));
  EXPECT_EQ(S.Owner.Panels[1], QStringLiteral("Y=n/a"));
  EXPECT_GT(S.Owner.Widths[0], 0);
  G.XAxis->Name = QStringLiteral("Time");
  G.MouseMove(0, P.Right + 5, P.Bottom);
  EXPECT_EQ(S.Owner.Panels[0], QStringLiteral("Time=n/a"));

  G.XAxis->Name.clear();
  G.XAxis->Digits = 1;
  G.YAxis->Digits = 0;
  G.MouseMove(0, S.PX(5), S.PY(2));
  EXPECT_EQ(S.Owner.Panels[0], QStringLiteral("X=5.0") /* the formatter trims zeros */);
  EXPECT_EQ(S.Owner.Panels[1], QStringLiteral("Y=2.0"));
  EXPECT_TRUE(S.Owner.Panels[2].isEmpty());  // no contour layer

  // The first contour layer gives Z; a missing value reads n/a.
  TRouteLayer* C = S.Add(QString(), {});
  C->Contour = true;
  G.MouseMove(0, S.PX(5), S.PY(2));
  EXPECT_EQ(S.Owner.Panels[2], QStringLiteral("Z=n/a"));
  C->Value = 1.2345678;
  C->Name = QStringLiteral("T");
  G.MouseMove(0, S.PX(5), S.PY(2));
  EXPECT_EQ(S.Owner.Panels[2], QStringLiteral("T=1.23457"));
  // The edges of the plot rectangle are inside.
  G.MouseMove(0, P.Left, P.Bottom);
  EXPECT_NE(S.Owner.Panels[0], QStringLiteral("X=n/a"));

  // A log axis reads world values.
  G.XAxis->Log = true;
  G.XMin = 0, G.XMax = 3;
  G.ComputeMapping(G.PlotRect);
  G.XAxis->Digits = 0;
  G.MouseMove(0, S.PX(2), S.PY(2));
  EXPECT_EQ(S.Owner.Panels[0], QStringLiteral("X=100.0"));
}

TEST(GraphMouse, RoutingTopmostFirstAndZoom) {
  TMouseScene S;
  TGraph& G = *S.Graph;
  G.Paint();
  const int X = S.PX(5), Y = S.PY(5);
  S.Add(QStringLiteral("a"), {X - 2, Y - 2, X + 2, Y + 2});
  S.Add(QStringLiteral("b"), {0, 0, 1, 1});
  S.Add(QStringLiteral("c"), {X - 2, Y - 2, X + 2, Y + 2});
  G.MouseMove(0, X, Y);
  // The topmost claiming layer stops the search.
  EXPECT_EQ(S.Log, (QStringList{QStringLiteral("move c")}));
  S.Log.clear();
  G.MouseDown(mbLeft, 0, X, Y);
  EXPECT_EQ(S.Log, (QStringList{QStringLiteral("move c"), QStringLiteral("down c")}));
  S.Log.clear();
  G.MouseDown(mbRight, 0, S.PX(1), S.PY(1));
  EXPECT_EQ(S.Log.filter(QStringLiteral("down")).size(), 3);
  EXPECT_EQ(S.Owner.Cursor, crDefault);

  // No point and a busy graph do nothing but the cursor.
  S.Log.clear();
  G.MouseMove(0, -1, -1);
  G.Busy = true;
  G.MouseDown(mbLeft, 0, X, Y);
  EXPECT_EQ(S.Owner.Cursor, crHourGlass);
  G.Busy = false;
  EXPECT_TRUE(S.Log.isEmpty());

  // The zoom tool takes a left drag; the layers see none of it.
  G.Zoom.Enabled = true;
  G.MouseMove(0, X, Y);
  EXPECT_EQ(S.Owner.Cursor, crZoomTool);
  G.MouseDown(mbLeft, 0, S.PX(2), S.PY(8));
  G.MouseMove(0, S.PX(6), S.PY(3));
  EXPECT_FALSE(G.Zoom.DragRect == TRect{});
  G.MouseUp(mbLeft, 0, S.PX(6), S.PY(3));
  EXPECT_TRUE(S.Log.isEmpty());
  EXPECT_EQ(G.Zoom.Count(), 1);
  EXPECT_NEAR(G.XMin, 2, 0.1);
  EXPECT_NEAR(G.XMax, 6, 0.1);
  EXPECT_EQ(S.Owner.Cursor, crDefault);
  // Outside the plot area a press is nobody's.
  G.MouseDown(mbLeft, 0, 1, 1);
  EXPECT_FALSE(G.Zoom.Dragging);
}
QStringList Captions(QMenu* M) {
  QStringList R;
  for (QAction* A : M->actions()) R << (A->isSeparator() ? QStringLiteral("-") : A->text());
  return R;
}

TEST(GraphMouse, PopupMenu) {
  TMouseScene S;
  TGraph& G = *S.Graph;
  G.Paint();
  // A bare graph offers its properties only; the control chooses the rest.
  EXPECT_EQ(G.GetPopupMenuItems(), 1u << piProperties);
  EXPECT_EQ(Captions(G.PopupMenu()), (QStringList{"&Properties"}));
  G.SetPopupMenuItems(AllPopupMenuItems);
  QMenu* M = G.PopupMenu();
  EXPECT_EQ(Captions(M), (QStringList{"&Copy to Clipboard", "&Save As...", "&Print", "&Help",
                                      "&Zoom In", "&Zoom Out", "-", "&Properties"}));
  QStringList Names;
  for (QAction* A : M->actions()) {
    Names << A->objectName();
    EXPECT_TRUE(A->isEnabled());
    EXPECT_FALSE(A->isChecked());
  }
  EXPECT_EQ(Names.indexOf(QStringLiteral("miHelpGraph")), 3);
  EXPECT_EQ(Names.count(QStringLiteral("miPrintGraph")), 1);

  G.SetPopupMenuItems((1u << piProperties) | (1u << piZoomIn));
  EXPECT_EQ(Captions(G.PopupMenu()), (QStringList{"&Zoom In", "-", "&Properties"}));
  G.SetPopupMenuItems(1u << piProperties);
  EXPECT_EQ(Captions(G.PopupMenu()), (QStringList{"&Properties"}));
  G.PopupMenu()->actions().at(0)->trigger();
  EXPECT_EQ(S.Owner.PropertiesShown, 1);

  // Zoom in arms the tool; zoom out goes back to the first ranges and disarms.
  G.SetPopupMenuItems(AllPopupMenuItems);
  const double X0 = G.XMin, X1 = G.XMax;
  G.PopupMenu()->findChild<QAction*>(QStringLiteral("miZoomInGraph"))->trigger();
  EXPECT_TRUE(G.Zoom.Enabled);
  G.MouseDown(mbLeft, 0, S.PX(2), S.PY(8));
  G.MouseUp(mbLeft, 0, S.PX(6), S.PY(3));
  EXPECT_EQ(G.Zoom.Count(), 1);
  G.PopupMenu()->findChild<QAction*>(QStringLiteral("miZoomOutGraph"))->trigger();
  EXPECT_EQ(G.Zoom.Count(), 0);
  EXPECT_FALSE(G.Zoom.Enabled);
  EXPECT_EQ(G.XMin, X0);
  EXPECT_EQ(G.XMax, X1);

  // A right click nobody claims opens the menu; one on a layer's item goes to the layer.
  const int X = S.PX(5), Y = S.PY(5);
  S.Add(QStringLiteral("a"), {X - 2, Y - 2, X + 2, Y + 2});
  G.MouseDown(mbRight, 0, X, Y);
  EXPECT_EQ(S.Owner.Popups, 0);
  G.MouseDown(mbRight, 0, S.PX(1), S.PY(1));
  EXPECT_EQ(S.Owner.Popups, 1);
  G.MouseDown(mbLeft, 0, S.PX(1), S.PY(1));
  EXPECT_EQ(S.Owner.Popups, 1);
  G.SetPopupMenuItems(0);
  G.MouseDown(mbRight, 0, S.PX(1), S.PY(1));
  EXPECT_EQ(S.Owner.Popups, 1);
}
}  // namespace
