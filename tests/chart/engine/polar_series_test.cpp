// The polar and radar series: points at their angle and radius, the path between them, rings at
// the radius axis' labels, spokes at the angle step, the radar's polygons and the labels round
// the circle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <set>
#include <utility>
#include <vector>

#include <QFontMetrics>

#include "chart/engine/chart.h"
#include "chart/engine/polar_series.h"
#include "chart/engine/view3d_options.h"
#include "platform/canvas_targets.h"

namespace {

constexpr TColor Ink = RGB(1, 2, 3);

template <class S>
struct TPolarChart {
  TChart Chart;
  S P;
  TRecordingTarget Target{500, 500};
  TPolarChart() {
    Chart.SetView3D(false);
    Chart.SetBevelOuter(bvNone);
    Chart.Legend()->SetVisible(false);
    P.Pointer()->SetVisible(false);
    P.SetCircled(true);
    P.SetSeriesColor(Ink);
    P.SetParentChart(&Chart);
    // The radius axis from 0 up to the largest value, as the polar window sets it.
    TChartAxis* A = Chart.LeftAxis();
    A->SetAutomatic(false);
    A->SetAutomaticMinimum(false);
    A->SetAutomaticMaximum(true);
    A->SetMinimum(0);
    // Grid pens of their own, apart from the grey ticks.
    A->Grid()->SetColor(RGB(40, 50, 60));
    Chart.BottomAxis()->Grid()->SetColor(RGB(10, 20, 30));
  }
  const std::vector<TCanvasOp>& Draw() {
    Target.Clear();
    TCanvas C(&Target);
    Chart.DrawToMetaCanvas(&C, {0, 0, 500, 500});
    return Target.Ops();
  }
  TPoint At(double Degrees, int R) const {
    TPoint Q;
    P.AngleToPos(Degrees * std::numbers::pi / 180, R, R, Q.X, Q.Y);
    return Q;
  }
  TPoint Rim(double Degrees) const {
    TPoint Q;
    P.AngleToPos(Degrees * std::numbers::pi / 180, P.XRadius(), P.YRadius(), Q.X, Q.Y);
    return Q;
  }
  TPoint Centre() const { return {P.CircleXCenter(), P.CircleYCenter()}; }
  int Radius(double V) const {
    return int(std::lround(V * P.XRadius() / Chart.LeftAxis()->IMaximum()));
  }
};

std::vector<TCanvasOp> LinesIn(const std::vector<TCanvasOp>& Ops, TColor Color) {
  std::vector<TCanvasOp> R;
  for (const TCanvasOp& Op : Ops)
    if (Op.Kind == coLine && Op.State.Pen.Color == Color && Op.State.Pen.Style != psClear)
      R.push_back(Op);
  return R;
}

bool HasLine(const std::vector<TCanvasOp>& Lines, TPoint A, TPoint B, int Tolerance = 1) {
  auto Near = [&](TPoint P, TPoint Q) {
    return std::abs(P.X - Q.X) <= Tolerance && std::abs(P.Y - Q.Y) <= Tolerance;
  };
  for (const TCanvasOp& L : Lines)
    if ((Near(L.Points[0], A) && Near(L.Points[1], B)) ||
        (Near(L.Points[0], B) && Near(L.Points[1], A)))
      return true;
  return false;
}

// Where a recorded text lies, from its reference point, alignment and font, measured at the
// resolution of the canvas it was drawn on.
TRect TextBox(TCanvas& C, const TCanvasOp& Op) {
  C.Font()->SetData(Op.State.Font);
  const int W = C.TextWidth(Op.Text), H = C.TextHeight(Op.Text);
  const unsigned A = Op.State.TextAlign;
  int X = Op.Points[0].X, Y = Op.Points[0].Y;
  if ((A & TA_CENTER) == TA_CENTER)
    X -= W / 2;
  else if (A & TA_RIGHT)
    X -= W;
  if ((A & TA_BASELINE) == TA_BASELINE)
    Y -= QFontMetrics(ToQFont(Op.State.Font)).ascent();
  else if (A & TA_BOTTOM)
    Y -= H;
  return {X, Y, X + W, Y + H};
}
}  // namespace

TEST(PolarSeries, RadiusLabelsKeepOffTheAnglesRoundTheCircle) {
  // The radius axes end at the circle's top and right, where the 90 and 0 degree labels stand:
  // a radius label and an angle share no line, or stand a space apart, at scale 1 and 2.
  TPolarChart<TPolarSeries> T;
  for (int a = 0; a < 360; a += 30) T.P.AddPolar(a, 30);
  T.P.SetCircleLabels(true);
  for (const auto& [Ppi, Size] : {std::pair{96, 500}, {96, 260}, {192, 1000}, {192, 420}}) {
    TRecordingTarget Target(Size, Size, Ppi);
    TCanvas C(&Target);
    T.Chart.DrawToMetaCanvas(&C, {0, 0, Size, Size});
    std::vector<TRect> Angles, Radii;
    for (const TCanvasOp& Op : Target.Ops())
      if (Op.Kind == coText)
        (Op.Text.endsWith(QChar(0xBA)) ? Angles : Radii).push_back(TextBox(C, Op));
    ASSERT_GE(Radii.size(), 4u);
    const int Space = 4 * Ppi / 96;
    for (const TRect& R : Radii)
      for (const TRect& A : Angles)
        EXPECT_TRUE(R.Right + Space <= A.Left || A.Right + Space <= R.Left || R.Bottom <= A.Top ||
                    A.Bottom <= R.Top)
            << Ppi << " " << Size << ": radius label at " << R.Left << "," << R.Top
            << " beside the angle at " << A.Left << "," << A.Top;
  }
}

TEST(PolarSeries, PointsAtAngleAndRadiusJoinedInOrder) {
  TPolarChart<TPolarSeries> T;
  T.P.AddPolar(0, 10);
  T.P.AddPolar(90, 5);
  T.P.AddPolar(90, 5);  // the same place: no line to itself
  T.P.AddPolar(180, 10);
  T.P.AddPolar(270, 0);
  const auto& Ops = T.Draw();
  const TPoint C = T.Centre();
  ASSERT_GT(T.P.XRadius(), 50);
  // Angle 0 lies at the centre plus the X radius; 0 is the centre.
  EXPECT_EQ(T.P.PointPosition(0).X, C.X + T.P.XRadius());
  EXPECT_EQ(T.P.PointPosition(0).Y, C.Y);
  EXPECT_EQ(T.P.PointPosition(4).X, C.X);
  EXPECT_EQ(T.P.PointPosition(4).Y, C.Y);
  const auto Lines = LinesIn(Ops, Ink);
  ASSERT_EQ(Lines.size(), 4u);
  const TPoint P0 = T.At(0, T.P.XRadius()), P1 = T.At(90, T.P.XRadius() / 2),
               P3 = T.At(180, T.P.XRadius());
  EXPECT_TRUE(HasLine(Lines, P0, P1));
  EXPECT_TRUE(HasLine(Lines, P1, P3));
  EXPECT_TRUE(HasLine(Lines, P3, C));
  // The circle closes back to the first point; open, it does not.
  EXPECT_TRUE(HasLine(Lines, C, P0));
  T.P.SetCloseCircle(false);
  EXPECT_EQ(LinesIn(T.Draw(), Ink).size(), 3u);

  // Pointers answer clicks.
  T.P.Pointer()->SetVisible(true);
  T.Draw();
  EXPECT_EQ(T.P.Clicked(P3.X + 2, P3.Y - 2), 3);
  EXPECT_EQ(T.P.Clicked(C.X + 30, C.Y + 30), -1);

  // An empty radius range puts every point at the centre.
  TPolarChart<TPolarSeries> Flat;
  Flat.Chart.LeftAxis()->SetAutomatic(true);
  for (double A : {0.0, 120.0, 240.0}) Flat.P.AddPolar(A, 5);
  Flat.Draw();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Flat.P.PointPosition(i).X, Flat.Centre().X);
    EXPECT_EQ(Flat.P.PointPosition(i).Y, Flat.Centre().Y);
  }
}

TEST(PolarSeries, RingsAtTheRadiusLabelsAndSpokesAtTheAngleStep) {
  TPolarChart<TPolarSeries> T;
  for (int a = 0; a < 360; a += 30) T.P.AddPolar(a, 10);
  T.P.SetCircleLabels(true);
  T.P.SetAngleIncrement(0);
  EXPECT_EQ(T.P.AngleIncrement(), 10);
  const auto& Ops = T.Draw();
  const TPoint C = T.Centre();
  const TColor Grid = T.Chart.LeftAxis()->Grid()->Color();
  // Spokes every 10 degrees, 360 and 0 included.
  const auto Spokes = LinesIn(Ops, T.Chart.BottomAxis()->Grid()->Color());
  EXPECT_EQ(Spokes.size(), 37u);
  for (int a = 0; a <= 360; a += 10) EXPECT_TRUE(HasLine(Spokes, C, T.Rim(a))) << a;
  // A ring at each label of the radius axis, at that label's height above the centre.
  std::vector<TRect> Rings;
  for (const TCanvasOp& Op : Ops)
    if (Op.Kind == coEllipse && Op.State.Pen.Color == Grid) Rings.push_back(Op.Rect);
  ASSERT_GE(Rings.size(), 3u);
  int Labelled = 0;
  for (const TRect& R : Rings) {
    EXPECT_EQ(R.Left + R.Right - 1, 2 * C.X);
    EXPECT_EQ(R.Top + R.Bottom - 1, 2 * C.Y);
    const int Radius = C.X - R.Left;
    const double Value = Radius * 10.0 / T.P.XRadius();
    for (const TCanvasOp& Op : Ops)
      if (Op.Kind == coText && Op.Text == T.Chart.LeftAxis()->LabelValue(std::round(Value)) &&
          std::abs(Op.Points[0].X - C.X) < 40 && std::abs(Op.Points[0].Y - (C.Y - Radius)) <= 12) {
        ++Labelled;
        break;
      }
  }
  EXPECT_EQ(Labelled, int(Rings.size()));
  // The angles round the circle with the degree sign, outside it.
  bool Top = false;
  for (const TCanvasOp& Op : Ops)
    if (Op.Kind == coText && Op.Text == QString("90") + QChar(0x00BA)) {
      Top = true;
      EXPECT_LT(Op.Points[0].Y, C.Y - T.P.YRadius());
    }
  EXPECT_TRUE(Top);

  // A step too fine for any picture draws no spokes at all, and ends.
  T.P.SetAngleIncrement(0.01);
  EXPECT_TRUE(LinesIn(T.Draw(), T.Chart.BottomAxis()->Grid()->Color()).empty());

  // Huge and non-finite radii and angles, rotated labels: drawn without trouble, the
  // non-finite points left out.
  TPolarChart<TPolarSeries> Wild;
  Wild.Chart.LeftAxis()->SetAutomatic(true);
  Wild.P.SetCircleLabels(true);
  Wild.P.SetCircleLabelsRotated(true);
  Wild.P.SetRotationAngle(45);
  Wild.P.AddPolar(10, 1e308);
  Wild.P.AddPolar(20, 0);
  Wild.P.AddPolar(std::nan(""), 1);
  Wild.P.AddPolar(1e300, 2);
  Wild.P.AddPolar(30, std::numeric_limits<double>::infinity());
  EXPECT_FALSE(Wild.Draw().empty());
  // Without the infinite radius the range is finite: out to the rim, back to the centre where
  // the tiny radius stays, and closed.
  Wild.P.Delete(4);
  EXPECT_EQ(LinesIn(Wild.Draw(), Ink).size(), 2u);
}

TEST(PolarSeries, RadiusMinimumBeyondAStaleAutomaticMaximum) {
  TChart Chart;
  TChartAxis* A = Chart.LeftAxis();
  A->SetMinMax(-10, -5);
  A->SetAutomaticMaximum(true);
  EXPECT_NO_THROW(A->SetMinimum(0));
  EXPECT_EQ(A->Minimum(), 0);
  // Fixed where it is stored, the maximum -5 would lie below the minimum.
  EXPECT_THROW(A->SetAutomaticMaximum(false), AxisException);
  EXPECT_TRUE(A->AutomaticMaximum());
}

TEST(RadarSeries, TriangleOnItsRings) {
  TPolarChart<TRadarSeries> T;
  T.P.AddY(10, "A");
  T.P.AddY(20, "B");
  T.P.AddY(30, "C");
  T.P.SetCircleLabels(true);
  const auto& Ops = T.Draw();
  EXPECT_EQ(T.P.SideCount(), 3);
  EXPECT_EQ(T.P.XValue(1), 120);
  EXPECT_EQ(T.P.XValue(2), 240);
  const TPoint C = T.Centre();
  // Spokes at 0, 120 and 240 degrees (and 360 again).
  const auto Spokes = LinesIn(Ops, T.Chart.BottomAxis()->Grid()->Color());
  EXPECT_EQ(Spokes.size(), 4u);
  for (int a : {0, 120, 240}) EXPECT_TRUE(HasLine(Spokes, C, T.Rim(a))) << a;
  // Each ring is a triangle through the spokes; the points lie on their rings.
  const auto Rings = LinesIn(Ops, T.Chart.LeftAxis()->Grid()->Color());
  for (double V : {10.0, 20.0, 30.0}) {
    const int R = T.Radius(V);
    for (int k = 0; k < 3; ++k)
      EXPECT_TRUE(HasLine(Rings, T.At(k * 120, R), T.At((k + 1) * 120, R))) << V << " " << k;
  }
  const auto Path = LinesIn(Ops, Ink);
  EXPECT_TRUE(HasLine(Path, T.At(0, T.Radius(10)), T.At(120, T.Radius(20))));
  EXPECT_TRUE(HasLine(Path, T.At(240, T.Radius(30)), T.At(0, T.Radius(10))));
  // The points' labels stand round the circle.
  for (const char* L : {"A", "B", "C"}) {
    bool Found = false;
    for (const TCanvasOp& Op : Ops) Found = Found || (Op.Kind == coText && Op.Text == L);
    EXPECT_TRUE(Found) << L;
  }
}

TEST(PolarSeries, MarkersInA3DViewAreSmallCubesOnTheCircle) {
  // The gallery's view: the whole depth of the chart is one series' band.
  TPolarChart<TPolarSeries> T;
  T.Chart.SetView3D(true);
  T.Chart.SetChart3DPercent(100);
  TView3DOptions* V = T.Chart.View3DOptions();
  V->SetOrthogonal(false);
  V->SetRotation(335);
  V->SetElevation(345);
  constexpr TColor Mark = RGB(200, 150, 250);
  // The cube's faces: the front in the marker's colour, the sides and top darkened.
  const std::set<TColor> Faces{Mark, ApplyDark(Mark, 128), ApplyDark(Mark, 64)};
  T.P.Pointer()->SetVisible(true);
  T.P.Pointer()->Brush()->SetColor(Mark);
  for (int a = 0; a < 360; a += 90) T.P.AddPolar(a, 10);
  int Drawn = 0;
  for (const TCanvasOp& Op : T.Draw()) {
    if (Op.Kind != coPolygon || !Faces.count(Op.State.Brush.Color)) continue;
    ++Drawn;
    const auto [X0, X1] = std::minmax_element(Op.Points.begin(), Op.Points.end(),
                                              [](TPoint A, TPoint B) { return A.X < B.X; });
    const auto [Y0, Y1] = std::minmax_element(Op.Points.begin(), Op.Points.end(),
                                              [](TPoint A, TPoint B) { return A.Y < B.Y; });
    // A face of a 9-pixel cube, not a bar through the chart's depth.
    EXPECT_LE(X1->X - X0->X, 16);
    EXPECT_LE(Y1->Y - Y0->Y, 16);
  }
  EXPECT_GE(Drawn, 8);
}

TEST(PolarSeries, SeriesOfOneChartShareOneCircle) {
  TPolarChart<TPolarSeries> T;
  constexpr TColor Ink2 = RGB(4, 5, 6);
  TPolarSeries B;
  B.Pointer()->SetVisible(false);
  B.SetSeriesColor(Ink2);
  // Marks round its circle would make the second series' own circle smaller.
  B.Marks()->SetVisible(true);
  B.SetParentChart(&T.Chart);
  T.P.Marks()->SetVisible(false);
  T.P.AddPolar(0, 10);
  T.P.AddPolar(90, 10);
  B.AddPolar(0, 10, "a long mark text");
  B.AddPolar(180, 5, "another long mark text");
  auto Ops = T.Draw();
  ASSERT_GT(T.P.XRadius(), 50);
  EXPECT_EQ(B.CircleXCenter(), T.P.CircleXCenter());
  EXPECT_EQ(B.CircleYCenter(), T.P.CircleYCenter());
  EXPECT_EQ(B.XRadius(), T.P.XRadius());
  EXPECT_EQ(B.YRadius(), T.P.YRadius());
  // The same radius at angle 0 is the same pixel for both: the centre plus the X radius.
  const TPoint C = T.Centre();
  EXPECT_EQ(B.PointPosition(0).X, C.X + T.P.XRadius());
  EXPECT_EQ(B.PointPosition(0).Y, C.Y);
  EXPECT_EQ(T.P.PointPosition(0).X, B.PointPosition(0).X);
  EXPECT_EQ(T.P.PointPosition(0).Y, B.PointPosition(0).Y);
  EXPECT_TRUE(HasLine(LinesIn(Ops, Ink2), T.At(0, T.P.XRadius()), T.At(180, T.P.XRadius() / 2)));
  // Sharing writes no radius of its own into either series.
  EXPECT_EQ(B.CustomXRadius(), 0);
  EXPECT_EQ(T.P.CustomXRadius(), 0);

  // The circle follows the chart's size: a smaller picture, a smaller shared circle.
  const int Before = T.P.XRadius();
  TRecordingTarget Small(250, 250);
  TCanvas SC(&Small);
  T.Chart.DrawToMetaCanvas(&SC, {0, 0, 250, 250});
  EXPECT_LT(T.P.XRadius(), Before);
  EXPECT_EQ(B.XRadius(), T.P.XRadius());
  EXPECT_EQ(B.CircleXCenter(), T.P.CircleXCenter());

  // A first series that draws nothing hands the circle on to the next one, which works out its
  // own (smaller, for its marks) instead of taking a stale one.
  T.P.Clear();
  T.Draw();
  EXPECT_GT(B.XRadius(), 10);
  EXPECT_LT(B.XRadius(), Before);
  EXPECT_EQ(B.PointPosition(0).X, B.CircleXCenter() + B.XRadius());
}

TEST(PolarSeries, LegendSymbolIsALineInTheSeriesColour) {
  TChart Chart;
  Chart.resize(600, 400);
  Chart.SetBevelOuter(bvNone);
  Chart.Legend()->SetColorWidth(60);
  Chart.Legend()->SetShadowSize(0);
  TPolarSeries A;
  TRadarSeries B;
  A.SetSeriesColor(clRed);
  B.SetSeriesColor(clBlue);
  for (TCustomPolarSeries* S : std::initializer_list<TCustomPolarSeries*>{&A, &B}) {
    S->Pointer()->SetVisible(false);
    S->AddPolar(0, 3);
    S->AddPolar(120, 5);
    S->SetParentChart(&Chart);
  }
  Chart.Repaint();
  const TLegendLayout& L = Chart.Legend()->Layout();
  ASSERT_EQ(L.ItemsShown, 2);
  const QImage& I = Chart.Backing()->Image();
  for (int p = 0; p < 2; ++p) {
    const TPoint T = L.ItemPos(p);
    const int X = T.X - 4 - L.ColorWidthPx / 2, Mid = T.Y + L.ItemHeight / 2;
    // Only the middle row carries the line; above it the legend's own colour.
    int Row = -1;
    for (int y = T.Y + 2; y < T.Y + L.ItemHeight - 2 && Row < 0; ++y)
      if (FromQColor(I.pixelColor(X, y)) == (p == 0 ? clRed : clBlue)) Row = y;
    EXPECT_NEAR(Row, Mid, 1) << p;
    EXPECT_EQ(FromQColor(I.pixelColor(X, T.Y + 3)), Chart.Legend()->Color()) << p;
  }
}

TEST(PolarSeries, SeriesSharingTheCircleDrawOneBackgroundInEveryView) {
  TPolarChart<TPolarSeries> T;
  TPolarSeries B;
  constexpr TColor Ink2 = RGB(4, 5, 6);
  B.SetSeriesColor(Ink2);
  B.SetParentChart(&T.Chart);
  for (TPolarSeries* S : {&T.P, &B}) S->SetCircleLabels(true);
  for (int a = 0; a < 360; a += 45) T.P.AddPolar(a, 10);
  // The background: the texts, and what the two grid pens draw.
  const TColor Rings = T.Chart.LeftAxis()->Grid()->Color(),
               Spokes = T.Chart.BottomAxis()->Grid()->Color();
  auto Background = [&] {
    std::multiset<QString> R;
    for (const TCanvasOp& Op : T.Draw())
      if (Op.Kind == coText)
        R.insert(Op.Text);
      else if (Op.State.Pen.Color == Rings || Op.State.Pen.Color == Spokes)
        R.insert(QStringLiteral("#%1").arg(int(Op.Kind)));
    return R;
  };
  for (bool In3D : {false, true}) {
    T.Chart.SetView3D(In3D);
    T.Chart.View3DOptions()->SetElevation(300);
    // The first curve's background, at the depth that the two series take: the labels are
    // spaced on the radius as the view shows it, which the depth moves.
    B.Clear();
    const auto One = Background();
    for (int a = 0; a < 360; a += 45) B.AddPolar(a, 5);
    EXPECT_EQ(Background(), One) << In3D;
    // The centre's radius is written once.
    EXPECT_EQ(One.count(QStringLiteral("0")), 1u);
    // The second curve lies on the shared circle at the front, where the radius axes stand.
    const TPoint P = B.PointPosition(0);
    const TPoint Q = T.Chart.Canvas3D()->Calculate3DPosition(P.X, P.Y, 0);
    bool OnCircle = false;
    for (const TCanvasOp& L : LinesIn(T.Draw(), Ink2))
      for (const TPoint& E : L.Points) OnCircle = OnCircle || (E.X == Q.X && E.Y == Q.Y);
    EXPECT_TRUE(OnCircle) << In3D;
  }
  EXPECT_NE(B.StartZ(), T.P.StartZ());
}

TEST(PolarSeries, ATinyRadiusRangeSaturatesEveryPixel) {
  TPolarChart<TPolarSeries> T;
  T.Chart.LeftAxis()->SetMinMax(0, 1e-300);
  T.P.Pointer()->SetVisible(true);
  T.P.AddPolar(0, 0);
  for (int a = 45; a < 360; a += 45) T.P.AddPolar(a, 1);
  EXPECT_FALSE(T.Draw().empty());
  // The outer points lie far off the picture, each on its side of the centre.
  const TPoint C = T.Centre();
  const TPoint Top = T.P.PointPosition(2), Left = T.P.PointPosition(4),
               Bottom = T.P.PointPosition(6);
  EXPECT_EQ(Top.X, C.X);
  EXPECT_LT(Top.Y, -1000000);
  EXPECT_GT(Bottom.Y, 1000000);
  EXPECT_LT(Left.X, -1000000);
  EXPECT_EQ(Left.Y, C.Y);
  // Clicks test the point at the centre, and find nothing elsewhere.
  EXPECT_EQ(T.P.Clicked(C.X, C.Y), 0);
  EXPECT_EQ(T.P.Clicked(C.X + 50, C.Y + 50), -1);
  EXPECT_EQ(T.P.Clicked(-2147483647, 2147483647), -1);
}

TEST(PolarSeries, AutomaticColoursAreNeverThoseOfTheBackground) {
  // On the gradient from white to yellow: neither of them.
  TChart Chart;
  Chart.Gradient()->SetVisible(true);
  std::vector<std::unique_ptr<TPolarSeries>> Series(8);
  for (auto& S : Series) {
    S = std::make_unique<TPolarSeries>();
    S->SetParentChart(&Chart);
    EXPECT_NE(S->SeriesColor(), clWhite);
    EXPECT_NE(S->SeriesColor(), clYellow);
  }
}
