// The zoom history and the rubber band, driven by pixels on a painted graph in an image.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <limits>
#include <memory>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "test_layers.h"

namespace {
struct TZoomScene {
  QImage Image{400, 300, QImage::Format_RGB32};
  std::unique_ptr<TImageTarget> Target;
  std::unique_ptr<TCanvas> Canvas;
  std::unique_ptr<TGraph> Graph;
  explicit TZoomScene(std::vector<TDoublePoint> P = {{0, 0}, {10, 10}}) {
    Image.fill(Qt::white);
    Target = std::make_unique<TImageTarget>(&Image);
    Canvas = std::make_unique<TCanvas>(Target.get());
    Graph = std::make_unique<TGraph>(Canvas.get(), 400, 300);
    auto L = std::make_unique<TTestLayer>(Graph.get());
    L->Points = std::move(P);
    Graph->AddLayer(std::move(L));
  }
  TDoubleRect Ranges() const { return {Graph->XMin, Graph->YMin, Graph->XMax, Graph->YMax}; }
  // The pixel of an axis-space point.
  int PX(double A) const {
    return static_cast<int>(std::lround(Graph->ScaleX * A + Graph->OffsetX));
  }
  int PY(double A) const {
    return static_cast<int>(std::lround(Graph->ScaleY * A + Graph->OffsetY));
  }
  // One pixel in axis units on each axis.
  double DX() const { return 1 / std::fabs(Graph->ScaleX); }
  double DY() const { return 1 / std::fabs(Graph->ScaleY); }
  QRgb At(int X, int Y) {
    Target->Release();
    return Image.pixel(X, Y) & 0xFFFFFF;
  }
  void DragZoom(double X1, double Y1, double X2, double Y2) {
    TZoom& Z = Graph->Zoom;
    Z.BeginDrag(PX(X1), PY(Y1));
    Z.Drag(PX(X2), PY(Y2));
    Z.EndDrag(PX(X2), PY(Y2));
    Graph->Paint();
  }
};

void ExpectNear(const TDoubleRect& A, const TDoubleRect& B, double TX, double TY) {
  EXPECT_NEAR(A.Left, B.Left, TX);
  EXPECT_NEAR(A.Right, B.Right, TX);
  EXPECT_NEAR(A.Top, B.Top, TY);
  EXPECT_NEAR(A.Bottom, B.Bottom, TY);
}

TEST(Zoom, StepAndThresholdTables) {
  struct TStep {
    TDoubleRect Range;
    double X, Y, Change;
    int Sign;
    TDoubleRect Expected;
  };
  const TStep Steps[] = {
      // The centre: both ends move in by half the change.
      {{0, 0, 10, 10}, 5, 5, 0.1, 1, {0.5, 0.5, 9.5, 9.5}},
      // A point at the left end keeps that end.
      {{0, 0, 10, 10}, 0, 10, 0.5, 1, {0, 5, 5, 10}},
      // Zooming out moves the ends away.
      {{0, 0, 10, 10}, 5, 5, 0.1, -1, {-0.5, -0.5, 10.5, 10.5}},
      // Decades of a log axis: the step is even in axis space.
      {{0, -2, 4, 2}, 2, 0, 0.5, 1, {1, -1, 3, 1}},
      // Ends held exchanged (an inverted axis) still close in on the point.
      {{10, 0, 0, 10}, 5, 5, 0.1, 1, {9.5, 0.5, 0.5, 9.5}},
      // No width: nothing moves.
      {{3, 3, 3, 3}, 3, 3, 0.5, 1, {3, 3, 3, 3}},
  };
  for (const TStep& S : Steps) {
    const TDoubleRect R =
        TZoom::AnimatedStep(S.Range, TZoom::RelativePosition(S.Range, S.X, S.Y, S.Sign), S.Change);
    ExpectNear(R, S.Expected, 1e-12, 1e-12);
  }

  struct TBand {
    TDoubleRect Current, Band;
    bool Small;
  };
  const double NaN = std::numeric_limits<double>::quiet_NaN();
  const TBand Bands[] = {
      {{0, 0, 10, 10}, {1, 1, 2, 2}, false},
      {{0, 0, 10, 10}, {1, 1, 1.0005, 2}, true},
      {{0, 0, 10, 10}, {1, 1, 2, 1.0005}, true},
      {{0, 0, 10, 10}, {1, 1, 1.002, 1.002}, false},
      // A thin band on a log axis is a click too: both are measured in decades.
      {{0, -3, 1, 3}, {0.2, 1, 0.4, 1.00001}, true},
      {{10, 10, 0, 0}, {1, 1, 2, 2}, false},
      {{0, 0, 10, 10}, {NaN, 1, 2, 2}, true},
  };
  for (const TBand& B : Bands)
    EXPECT_EQ(TZoom::TooSmall(B.Current, B.Band), B.Small) << B.Band.Left << " " << B.Band.Right;
}

TEST(Zoom, DragStackZoomOutAndReset) {
  TZoomScene S;
  TGraph& G = *S.Graph;
  TZoom& Z = G.Zoom;
  G.Paint();
  const TDoubleRect R0 = S.Ranges();
  EXPECT_FALSE(Z.ZoomOut());
  EXPECT_EQ(Z.Count(), 0);

  // Not armed: a drag does nothing.
  S.DragZoom(2, 3, 6, 8);
  EXPECT_EQ(Z.Count(), 0);
  EXPECT_EQ(S.Ranges(), R0);

  Z.Enabled = true;
  S.DragZoom(6, 8, 2, 3);  // corners in either order
  EXPECT_EQ(Z.Count(), 1);
  EXPECT_EQ(Z.SecondaryStack().size(), 1u);
  EXPECT_EQ(G.SavedRanges, R0);
  EXPECT_TRUE(Z.Enabled);
  ExpectNear(S.Ranges(), {2, 3, 6, 8}, 2 * S.DX(), 2 * S.DY());
  const TDoubleRect R1 = S.Ranges();

  S.DragZoom(3, 4, 5, 6);
  EXPECT_EQ(Z.Count(), 2);
  EXPECT_EQ(Z.PrimaryStack().back(), R1);
  ExpectNear(S.Ranges(), {3, 4, 5, 6}, 2 * S.DX(), 2 * S.DY());

  EXPECT_TRUE(Z.ZoomOut());
  EXPECT_EQ(S.Ranges(), R1);
  EXPECT_FALSE(Z.ZoomOut());
  EXPECT_EQ(S.Ranges(), R0);

  // Reset goes back past every zoom and disarms.
  S.DragZoom(2, 3, 6, 8);
  S.DragZoom(3, 4, 5, 6);
  EXPECT_EQ(Z.Count(), 2);
  Z.Reset();
  EXPECT_EQ(Z.Count(), 0);
  EXPECT_FALSE(Z.Enabled);
  EXPECT_EQ(S.Ranges(), R0);

  // A click is no zoom: it disarms and changes nothing.
  Z.Enabled = true;
  S.DragZoom(4, 4, 4, 4);
  EXPECT_EQ(Z.Count(), 0);
  EXPECT_FALSE(Z.Enabled);
  EXPECT_FALSE(Z.Dragging);
  EXPECT_EQ(S.Ranges(), R0);

  // Auto stop: one zoom, then the tool is off.
  Z.Enabled = true;
  Z.ZoomAutoStop = true;
  S.DragZoom(2, 3, 6, 8);
  EXPECT_EQ(Z.Count(), 1);
  EXPECT_FALSE(Z.Enabled);
}

TEST(Zoom, LogAxesWorkInDecades) {
  TZoomScene S({{1, 1}, {10000, 10000}});
  TGraph& G = *S.Graph;
  TZoom& Z = G.Zoom;
  G.XAxis->Log = true;
  G.YAxis->Log = true;
  G.Paint();
  const TDoubleRect R0 = S.Ranges();
  ASSERT_GT(R0.Right - R0.Left, 2);

  Z.Enabled = true;
  S.DragZoom(1, 1, 3, 2);
  EXPECT_EQ(Z.Count(), 1);
  ExpectNear(S.Ranges(), {1, 1, 3, 2}, 2 * S.DX(), 2 * S.DY());

  // A band one pixel high on the log Y axis is a click.
  Z.ZoomOut();
  Z.Enabled = true;
  Z.BeginDrag(S.PX(1), S.PY(1));
  Z.EndDrag(S.PX(3), S.PY(1));
  EXPECT_EQ(Z.Count(), 0);
  EXPECT_FALSE(Z.Enabled);
  EXPECT_EQ(S.Ranges(), R0);

  // The animated zoom steps in axis space around the pressed point.
  G.ZoomAnimated = true;
  Z.Steps = 2;
  Z.ChangePerStep = 0.5;
  const double CX = (R0.Left + R0.Right) / 2, CY = (R0.Top + R0.Bottom) / 2;
  const int PX = S.PX(CX), PY = S.PY(CY);
  const double AX = (PX - G.OffsetX) / G.ScaleX, AY = (PY - G.OffsetY) / G.ScaleY;
  const TZoom::TFractions F = TZoom::RelativePosition(R0, AX, AY, 1);
  const TDoubleRect Expected = TZoom::AnimatedStep(TZoom::AnimatedStep(R0, F, 0.5), F, 0.5);
  Z.BeginDrag(PX, PY);
  EXPECT_EQ(Z.Count(), 1);  // the steps of one click are one state
  EXPECT_EQ(Z.PrimaryStack().back(), R0);
  ExpectNear(S.Ranges(), Expected, 1e-9, 1e-9);
  EXPECT_NEAR(S.Ranges().Right - S.Ranges().Left, (R0.Right - R0.Left) / 4, 1e-9);
  Z.Reset();
  EXPECT_EQ(S.Ranges(), R0);
  // A change of the whole range or more would turn the view around: refused like a click.
  Z.Enabled = true;
  Z.ChangePerStep = 1.5;
  Z.BeginDrag(PX, PY);
  EXPECT_EQ(Z.Count(), 0);
  EXPECT_FALSE(Z.Enabled);
  EXPECT_EQ(S.Ranges(), R0);
  Z.ChangePerStep = 0.5;

  // An animated zoom that stops itself gives the cursor back.
  struct TCursorOwner : TGraphOwner {
    TCursor Cursor = crZoomAnimated;
    void SetCursor(TCursor C) override { Cursor = C; }
  } Owner;
  TGraph Own(S.Canvas.get(), 400, 300, &Owner);
  Own.Paint();
  Own.ZoomAnimated = true;
  Own.Zoom.Enabled = true;
  Own.Zoom.ZoomAutoStop = true;
  Own.Zoom.BeginDrag(200, 150);
  EXPECT_FALSE(Own.Zoom.Enabled);
  EXPECT_FALSE(Own.ZoomAnimated);
  EXPECT_EQ(Owner.Cursor, crDefault);

  // Zooming out animated widens the ranges.
  Z.Style = zsOut;
  Z.Steps = 1;
  Z.BeginDrag(PX, PY);
  EXPECT_GT(S.Ranges().Right - S.Ranges().Left, R0.Right - R0.Left);
}

TEST(Zoom, RepeatedZoomsStopWhereTheNumbersNoLongerTellTheEndsApart) {
  for (bool Log : {false, true}) {
    TZoomScene S({{0.3, 0.3}, {1000, 1000}});
    TGraph& G = *S.Graph;
    TZoom& Z = G.Zoom;
    G.XAxis->Log = G.YAxis->Log = Log;
    G.Paint();
    const int X = S.PX(Log ? 0.5 : 3.3), Y = S.PY(Log ? 0.5 : 3.3);
    auto ExpectApart = [&] {
      const TDoubleRect R = S.Ranges();
      for (auto [A, B] : {std::pair(R.Left, R.Right), std::pair(R.Top, R.Bottom)})
        EXPECT_GE(std::fabs(B - A), 1e-12 * std::max(std::fabs(A), std::fabs(B))) << Log;
    };
    // Two-pixel bands, again and again: refused, and disarmed, once the next would be too thin.
    for (int I = 0; I < 12; ++I) {
      Z.Enabled = true;
      Z.BeginDrag(X, Y);
      Z.EndDrag(X + 2, Y - 2);
      G.Paint();
    }
    EXPECT_GT(Z.Count(), 2) << Log;
    EXPECT_LT(Z.Count(), 12) << Log;
    EXPECT_FALSE(Z.Enabled);
    ExpectApart();
    // The animated zoom stops there too, and disarms when not one step is left.
    Z.Reset();
    G.ZoomAnimated = Z.Enabled = true;
    Z.Steps = 50;
    Z.ChangePerStep = 0.9;
    Z.BeginDrag(X, Y);
    ExpectApart();
    const TDoubleRect A = S.Ranges();
    Z.BeginDrag(X, Y);
    EXPECT_EQ(Z.Count(), 1);
    EXPECT_FALSE(Z.Enabled);
    EXPECT_EQ(S.Ranges(), A);
  }
}

TEST(Zoom, NotXorBandErasesItself) {
  TZoomScene S;
  TGraph& G = *S.Graph;
  TZoom& Z = G.Zoom;
  G.Paint();
  S.Target->Release();
  const QImage Before = S.Image.copy();
  Z.Enabled = true;
  const int X0 = S.PX(2), Y0 = S.PY(8);
  Z.BeginDrag(X0, Y0);
  // Unarmed moves and a moving band never touch the image outside the band.
  Z.Drag(S.PX(8), S.PY(2));
  EXPECT_EQ(Z.DragRect, (TRect{X0, Y0, S.PX(8), S.PY(2)}));
  const int InX = S.PX(7), InY = S.PY(3);
  EXPECT_NE(S.At(InX, InY), Before.pixel(InX, InY) & 0xFFFFFF);
  // Shrinking the band erases the old one: the part left outside is as before.
  Z.Drag(S.PX(5), S.PY(5));
  EXPECT_EQ(S.At(InX, InY), Before.pixel(InX, InY) & 0xFFFFFF);
  const int MidX = S.PX(3), MidY = S.PY(7);
  EXPECT_NE(S.At(MidX, MidY), Before.pixel(MidX, MidY) & 0xFFFFFF);
  // The canvas pen and brush are left as they were.
  EXPECT_EQ(S.Canvas->Pen()->Mode(), pmCopy);
  EXPECT_EQ(S.Canvas->Pen()->Style(), psSolid);
  // Dragging back over the start leaves a one-pixel band; the rest of the image is untouched.
  Z.Drag(X0 + 1, Y0 + 1);
  S.Target->Release();
  int Differ = 0;
  for (int Y = 0; Y < S.Image.height(); ++Y)
    for (int X = 0; X < S.Image.width(); ++X)
      if ((S.Image.pixel(X, Y) & 0xFFFFFF) != (Before.pixel(X, Y) & 0xFFFFFF)) {
        ++Differ;
        EXPECT_TRUE(X >= X0 && X <= X0 + 1 && Y >= Y0 && Y <= Y0 + 1) << X << "," << Y;
      }
  EXPECT_GT(Differ, 0);
}
}  // namespace

namespace {
// A view whose width overflows a double zooms in, by a band and animated, and comes back.
TEST(Zoom, AViewWiderThanTheLargestDoubleZoomsAndComesBack) {
  TZoomScene S({{-std::numeric_limits<double>::max(), 1}, {1e300, 4}});
  TGraph& G = *S.Graph;
  G.GetLayer(0)->Color = clRed;
  G.Paint();
  const TDoubleRect R0 = S.Ranges();
  G.Zoom.Enabled = true;
  G.Zoom.BeginDrag(100, 100);
  G.Zoom.EndDrag(250, 200);
  G.Paint();
  ASSERT_EQ(G.Zoom.Count(), 1);
  EXPECT_GT(S.Ranges().Left, R0.Left);
  EXPECT_LT(S.Ranges().Right, R0.Right);
  // The line crosses the band: its piece inside is drawn.
  int Red = 0;
  for (int Y = G.PlotRect.Top + 2; Y < G.PlotRect.Bottom - 2; ++Y)
    for (int X = G.PlotRect.Left + 2; X < G.PlotRect.Right - 2; ++X) Red += S.At(X, Y) == 0xFF0000;
  EXPECT_GT(Red, 20);
  EXPECT_FALSE(G.Zoom.ZoomOut());
  EXPECT_EQ(S.Ranges(), R0);
  G.ZoomAnimated = true;
  G.Zoom.BeginDrag(200, 150);
  ASSERT_EQ(G.Zoom.Count(), 1);
  EXPECT_GT(S.Ranges().Left, R0.Left);
  EXPECT_TRUE(std::isfinite(S.Ranges().Right - S.Ranges().Left));
}
}  // namespace
