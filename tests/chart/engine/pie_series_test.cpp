// The pie: slices' colours at their middle angles, an exploded slice moved by its offset, the
// "Other" slice, clicks, the circle and the rotation.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "chart/engine/chart.h"
#include "chart/engine/pie_series.h"

namespace {

struct TPieChart {
  TChart Chart;
  TPieSeries Pie;
  explicit TPieChart(std::initializer_list<double> Values) {
    Chart.SetView3D(false);
    Chart.SetBevelOuter(bvNone);
    Chart.Legend()->SetVisible(false);
    Chart.SetAxisVisible(false);
    Pie.Marks()->SetVisible(false);
    const TColor Colors[] = {clRed, clBlue, clLime, clYellow, clFuchsia, clAqua};
    int i = 0;
    for (double V : Values) {
      Pie.AddY(V, QString("P%1").arg(i), Colors[i % 6]);
      ++i;
    }
    Pie.SetParentChart(&Chart);
    Chart.Repaint();
  }
  TColor At(int X, int Y) { return FromQColor(Chart.Backing()->Image().pixelColor(X, Y)); }
  // The pixel at a fraction of the radius along a slice's middle, moved by its offset.
  TPoint Inside(int i, double Fraction) {
    const TPoint D = Pie.SliceOffset(i);
    int X = 0, Y = 0;
    Pie.AngleToPos(Pie.PieAngles()[size_t(i)].MidAngle, int(Pie.XRadius() * Fraction),
                   int(Pie.YRadius() * Fraction), X, Y);
    return {X + D.X, Y - D.Y};
  }
};

}  // namespace

TEST(PieSeries, SlicesAtTheirAnglesAndClicks) {
  TPieChart P({1, 1, 2});
  ASSERT_EQ(P.Pie.PieAngles().size(), 3u);
  EXPECT_NEAR(P.Pie.PieAngles()[0].EndAngle, M_PI / 2, 1e-12);
  EXPECT_NEAR(P.Pie.PieAngles()[2].EndAngle, 2 * M_PI, 1e-12);
  const TColor Colors[] = {clRed, clBlue, clLime};
  for (int i = 0; i < 3; ++i) {
    const TPoint Q = P.Inside(i, 0.6);
    EXPECT_EQ(P.At(Q.X, Q.Y), Colors[i]) << i;
    EXPECT_EQ(P.Pie.Clicked(Q.X, Q.Y), i);
  }
  EXPECT_EQ(P.Pie.Clicked(P.Pie.CircleXCenter() + P.Pie.XRadius() + 3, P.Pie.CircleYCenter()), -1);
  // Rotated by 90 degrees the first slice moves to the top left.
  P.Pie.SetRotationAngle(450);
  EXPECT_EQ(P.Pie.RotationAngle(), 90);
  P.Chart.Repaint();
  const TPoint Q = P.Inside(0, 0.6);
  EXPECT_LT(Q.X, P.Pie.CircleXCenter());
  EXPECT_LT(Q.Y, P.Pie.CircleYCenter());
  EXPECT_EQ(P.At(Q.X, Q.Y), clRed);
  EXPECT_THROW(P.Pie.SetRotationAngle(-1), PieException);
  EXPECT_EQ(P.Pie.RotationAngle(), 90);
}

TEST(PieSeries, ExplodedSliceMovesByItsOffset) {
  TPieChart P({1, 1, 2});
  P.Pie.SetExplodedSlice(2, 40);
  P.Chart.Repaint();
  const TPoint D = P.Pie.SliceOffset(2);
  // The half pie points down: its offset is downwards.
  EXPECT_EQ(D.X, 0);
  EXPECT_LT(D.Y, -5);
  const TPoint Q = P.Inside(2, 0.5);
  EXPECT_EQ(P.At(Q.X, Q.Y), clLime);
  // The gap it leaves below the centre shows the back.
  EXPECT_NE(P.At(P.Pie.CircleXCenter(), P.Pie.CircleYCenter() - D.Y / 2), clLime);
  EXPECT_EQ(P.At(P.Pie.CircleXCenter(), P.Pie.CircleYCenter() - D.Y + 3), clLime);
  // The biggest slice explodes on its own when asked.
  TPieChart B({1, 5, 2});
  B.Pie.SetExplodeBiggest(30);
  EXPECT_EQ(B.Pie.ExplodedSlice(1), 30);
  EXPECT_EQ(B.Pie.ExplodedSlice(7), 0);
}

TEST(PieSeries, OtherSliceGathersSmallValuesWhenTheDataChange) {
  TPieChart P({50, 40, 5, 5});
  P.Pie.OtherSlice()->SetStyle(poBelowPercent);
  P.Pie.OtherSlice()->SetValue(10);
  // Grouped at once, not while drawing: painting changes nothing more.
  ASSERT_EQ(P.Pie.Count(), 5);
  EXPECT_TRUE(P.Pie.IsGrouped(2));
  EXPECT_TRUE(P.Pie.IsGrouped(3));
  EXPECT_EQ(P.Pie.YValue(4), 10);
  EXPECT_EQ(P.Pie.GetXLabel(4), "Other");
  EXPECT_EQ(P.Pie.CountLegendItems(), 3);
  EXPECT_EQ(P.Pie.MapValueIndex(2), 4);
  P.Chart.Repaint();
  P.Chart.Repaint();
  EXPECT_EQ(P.Pie.Count(), 5);
  EXPECT_NEAR(P.Pie.PieAngles()[4].EndAngle - P.Pie.PieAngles()[4].StartAngle, 2 * M_PI * 0.1,
              1e-9);
  // A new value regroups: the old other slice goes, a new one comes.
  P.Pie.AddY(2);
  EXPECT_EQ(P.Pie.Count(), 6);
  EXPECT_EQ(P.Pie.YValue(5), 12);
  P.Pie.OtherSlice()->SetStyle(poNone);
  EXPECT_EQ(P.Pie.Count(), 5);
  EXPECT_FALSE(P.Pie.IsGrouped(2));
}

TEST(PieSeries, ZerosTinyCirclesAndTheCircle) {
  TPieChart P({0, 0, 0});
  for (const TPieAngle& A : P.Pie.PieAngles()) EXPECT_EQ(A.EndAngle, 2 * M_PI);
  TPieChart Bad({std::nan(""), 3, INFINITY});
  const TPoint Q = Bad.Inside(1, 0.5);
  EXPECT_EQ(Bad.At(Q.X, Q.Y), clBlue);
  // A circled pie on square pixels is round within a pixel.
  P.Pie.SetCircled(true);
  P.Chart.Repaint();
  EXPECT_LE(std::abs(P.Pie.CircleWidth() - P.Pie.CircleHeight()), 1);
  P.Pie.SetCustomXRadius(2);
  P.Pie.SetCustomYRadius(2);
  P.Chart.Repaint();  // too small to draw a slice
  EXPECT_EQ(P.Pie.XRadius(), 2);
  // The pie in 3D, exploded, draws without faults.
  P.Chart.SetView3D(true);
  P.Pie.SetCustomXRadius(0);
  P.Pie.SetCustomYRadius(0);
  P.Pie.SetExplodedSlice(0, 20);
  P.Chart.Repaint();
}

TEST(PieSeries, TakesTheChartsAxesAndWallsWhileShown) {
  TChart C;
  auto Line = std::make_unique<TPieSeries>();
  {
    TPieSeries Pie;
    Pie.SetParentChart(&C);
    EXPECT_FALSE(C.AxisVisible());
    EXPECT_FALSE(C.AllowZoom());
    EXPECT_EQ(C.AllowPanning(), pmNone);
    EXPECT_EQ(C.BackWall()->Brush()->Style(), bsClear);
    // Only circled series in the chart: leaving keeps the parts hidden.
    Pie.SetActive(false);
    EXPECT_FALSE(C.AxisVisible());
  }
  EXPECT_FALSE(C.AxisVisible());
  TChartSeries Plain;
  Plain.SetParentChart(&C);
  {
    TPieSeries Pie;
    Pie.SetParentChart(&C);
    EXPECT_FALSE(C.AxisVisible());
    Pie.SetActive(false);
    EXPECT_TRUE(C.AxisVisible());
    Pie.SetActive(true);
    EXPECT_FALSE(C.AxisVisible());
  }
  // Destroyed beside a series that is not circled: the chart has its parts back.
  EXPECT_TRUE(C.AxisVisible());
  EXPECT_TRUE(C.AllowZoom());
  EXPECT_EQ(C.BackWall()->Brush()->Style(), bsSolid);
  // A chart destroyed before its pie leaves the pie without a chart.
  auto Owner = std::make_unique<TChart>();
  Line->SetParentChart(Owner.get());
  Owner.reset();
  EXPECT_EQ(Line->ParentChart(), nullptr);
}

TEST(PieSeries, ThreeDimensionalPieIsSeenFromAbove) {
  TChart Chart(nullptr);
  Chart.resize(500, 350);
  Chart.SetView3D(true);
  Chart.Legend()->SetVisible(false);
  TPieSeries Series;
  TPieSeries* Pie = &Series;
  Pie->Marks()->SetVisible(false);
  Pie->PiePen()->SetVisible(false);
  Pie->AddY(1, "A", clRed);
  Pie->SetParentChart(&Chart);
  Chart.Repaint();
  const TChartCanvas3D* C = Chart.Canvas3D();
  const int CX = Pie->CircleXCenter(), CY = Pie->CircleYCenter(), RY = Pie->YRadius();
  const int Z0 = Pie->StartZ(), Z1 = Pie->EndZ();
  ASSERT_GT(Z1 - Z0, 20);
  auto At = [&](TPoint P, int DY) {
    return FromQColor(Chart.Backing()->Image().pixelColor(P.X, P.Y + DY));
  };
  // The face is an ellipse flattened by the fixed elevation, not the full 2D height; it lies at
  // the depth that projects higher.
  ASSERT_LT(C->Calculate3DPosition(CX, CY, Z1).Y, C->Calculate3DPosition(CX, CY, Z0).Y);
  const TPoint Centre = C->Calculate3DPosition(CX, CY, Z1);
  const TPoint Top = C->Calculate3DPosition(CX, CY - RY, Z1);
  const TPoint Bottom = C->Calculate3DPosition(CX, CY + RY, Z1);
  EXPECT_NEAR(Bottom.Y - Top.Y, 2 * RY * std::cos(M_PI / 4), 2);
  EXPECT_EQ(At(Centre, 0), clRed);
  EXPECT_EQ(At(Top, 3), clRed);
  // Nothing rises above the face.
  EXPECT_NE(At(Top, -3), clRed);
  EXPECT_NE(At(Top, -3), ApplyDark(clRed, 32));
  const TPoint Left = C->Calculate3DPosition(CX - Pie->XRadius() + 2, CY, Z1);
  EXPECT_NE(At(Left, -6), ApplyDark(clRed, 32));
  // The rim shows below the face, darker, as deep as the pie projects.
  const TPoint RimBottom = C->Calculate3DPosition(CX, CY + RY, Z0);
  ASSERT_GT(RimBottom.Y, Bottom.Y + 6);
  EXPECT_EQ(At(Bottom, -3), clRed);
  EXPECT_EQ(At(Bottom, 3), ApplyDark(clRed, 32));
  EXPECT_EQ(At(RimBottom, -3), ApplyDark(clRed, 32));
  EXPECT_NE(At(RimBottom, 3), ApplyDark(clRed, 32));
  EXPECT_NE(At(RimBottom, 3), clRed);
}
