// The projection as pure arithmetic: the three forms, their inverse, and the clamps.
#include "chart/engine/projection.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include <gtest/gtest.h>

namespace {

TProjection Rotated(double Rotation, double Elevation, double Tilt, double Zoom = 1,
                    double Perspective = 0) {
  TProjection P;
  P.Is3D = true;
  P.ZoomFactor = Zoom;
  P.Perspective = Perspective;
  P.XCenter = 200;
  P.YCenter = 150;
  P.ZCenter = 30;
  P.XCenterOffset = 200;
  P.YCenterOffset = 150;
  P.SetAngles(Rotation, Elevation, Tilt);
  return P;
}

TProjection Orthogonal(double Zoom = 1) {
  TProjection P;
  P.Is3D = true;
  P.Orthogonal = true;
  P.ZoomFactor = Zoom;
  P.XCenter = P.XCenterOffset = 200;
  P.YCenter = P.YCenterOffset = 150;
  return P;
}

TEST(Projection, OrthogonalDepthMovesRightAndUp) {
  const TProjection P = Orthogonal();
  for (int Z : {0, 1, 7, 60}) {
    const TPoint A = P.Calculate3DPosition(120, 80, Z);
    EXPECT_EQ(A.X, 120 + Z);
    EXPECT_EQ(A.Y, 80 - Z);
  }
  // Zoom scales the distance from the centre, offsets move the centre.
  TProjection Z = Orthogonal(2.0);
  Z.XCenterOffset += 10;
  Z.YCenterOffset -= 5;
  EXPECT_EQ(Z.Calculate3DPosition(250, 150, 0), (TPoint{200 + 10 + 100, 150 - 5}));
  EXPECT_EQ(Z.Calculate3DPosition(200, 100, 10), (TPoint{210 + 20, 145 - 100 - 20}));
}

TEST(Projection, NoProjectionLeavesPointsAlone) {
  TProjection P;
  EXPECT_EQ(P.Calculate3DPosition(5, 6, 70), (TPoint{5, 6}));
  int X = 5, Y = 6;
  P.Calculate2DPosition(X, Y, 70);
  EXPECT_EQ(X, 5);
  EXPECT_EQ(Y, 6);
}

TEST(Projection, RotatedAtTheDefaultAngles) {
  // 345 degrees of rotation and elevation, no tilt: worked by hand from the coefficients.
  const TProjection P = Rotated(345, 345, 0);
  const double s = std::sin(-15 * M_PI / 180), c = std::cos(-15 * M_PI / 180);
  EXPECT_NEAR(P.C1, 0, 1e-12);
  EXPECT_NEAR(P.C2, c, 1e-12);
  EXPECT_NEAR(P.C4, c, 1e-12);
  EXPECT_NEAR(P.C5, s * s, 1e-12);
  EXPECT_NEAR(P.C6, -s, 1e-12);
  EXPECT_NEAR(P.C7, c * s, 1e-12);
  // A point 100 right of the centre at the centre's depth.
  const TPoint A = P.Calculate3DPosition(300, 150, 30);
  EXPECT_EQ(A.X, 200 + int(std::lround(100 * c)));
  EXPECT_EQ(A.Y, 150 + int(std::lround(100 * s * s)));
  // Depth turns to the right (rotation below 360) and upwards (elevation below 360).
  const TPoint Back = P.Calculate3DPosition(200, 150, 130);
  EXPECT_GT(Back.X, 200);
  EXPECT_LT(Back.Y, 150);
}

TEST(Projection, PerspectiveShrinksTheFarSide) {
  const TProjection Flat = Rotated(345, 345, 0);
  const TProjection Deep = Rotated(345, 345, 0, 1, 15 / 35000.0);
  // The same width at the back of the box projects narrower with perspective.
  auto Width = [](const TProjection& P, int Z) {
    return P.Calculate3DPosition(300, 150, Z).X - P.Calculate3DPosition(100, 150, Z).X;
  };
  EXPECT_LT(Width(Deep, 230), Width(Flat, 230));
  EXPECT_GT(Width(Deep, -170), Width(Flat, -170));
  // At the centre of the box nothing changes.
  EXPECT_EQ(Deep.Calculate3DPosition(200, 150, 30), Flat.Calculate3DPosition(200, 150, 30));
}

TEST(Projection, RoundTripWithinOnePixel) {
  struct Angles {
    double R, E, T, Zoom, Persp;
  };
  for (const Angles& A : {Angles{345, 345, 0, 1, 0}, Angles{300, 320, 10, 1.5, 0},
                          Angles{345, 345, 0, 1, 15 / 35000.0}, Angles{200, 290, 25, 0.7, 0},
                          Angles{120, 280, 0, 1, 0}, Angles{10, 10, 350, 1, 40 / 35000.0}}) {
    const TProjection P = Rotated(A.R, A.E, A.T, A.Zoom, A.Persp);
    for (int X = 0; X <= 400; X += 50)
      for (int Y = 0; Y <= 300; Y += 50)
        for (int Z : {0, 30, 60}) {
          const TPoint S = P.Calculate3DPosition(X, Y, Z);
          int BX = S.X, BY = S.Y;
          P.Calculate2DPosition(BX, BY, Z);
          // One screen pixel is worth 1/|coefficient| world pixels edge-on; compare on screen.
          const TPoint Again = P.Calculate3DPosition(BX, BY, Z);
          EXPECT_LE(std::abs(Again.X - S.X), 1) << A.R << " " << A.E << " " << X << "," << Y;
          EXPECT_LE(std::abs(Again.Y - S.Y), 1) << A.R << " " << A.E << " " << X << "," << Y;
        }
  }
  const TProjection O = Orthogonal(1.0);
  for (int Z : {0, 25}) {
    const TPoint S = O.Calculate3DPosition(123, 77, Z);
    int X = S.X, Y = S.Y;
    O.Calculate2DPosition(X, Y, Z);
    EXPECT_EQ(X, 123);
    EXPECT_EQ(Y, 77);
  }
}

TEST(Projection, EdgeOnViewsKeepTheirSign) {
  // Elevation 270: the vertical coefficient is held 1e-5 away from 0, never 0.
  const TProjection Edge = Rotated(0, 270, 0);
  EXPECT_EQ(std::fabs(Edge.C2), 1e-5);
  EXPECT_TRUE(std::isfinite(Edge.Calculate3DPosition(300, 250, 0).Y));
  // Either side of 270 degrees the picture is mirrored, not collapsed onto one line.
  const TProjection Below = Rotated(0, 265, 0), Above = Rotated(0, 275, 0);
  const int DyBelow = Below.Calculate3DPosition(200, 250, 30).Y - 150;
  const int DyAbove = Above.Calculate3DPosition(200, 250, 30).Y - 150;
  EXPECT_NE(DyBelow, 0);
  EXPECT_EQ(DyBelow, -DyAbove);
  // Rotated 180 degrees the chart is seen from behind: x runs the other way.
  const TProjection Behind = Rotated(180, 0, 0);
  EXPECT_LT(Behind.C4, 0);
  EXPECT_EQ(Behind.Calculate3DPosition(300, 150, 30).X, 100);
  EXPECT_EQ(Behind.Calculate3DPosition(100, 150, 30).X, 300);
  // A zero zoom factor leaves the inverse alone instead of dividing by it.
  TProjection Zero = Rotated(345, 345, 0, 0);
  int X = 17, Y = 19;
  Zero.Calculate2DPosition(X, Y, 0);
  EXPECT_EQ(X, 17);
  EXPECT_EQ(Y, 19);
}

TEST(Projection, PixelsSaturate) {
  EXPECT_EQ(ChartPixel(1e300), ChartPixelLimit);
  EXPECT_EQ(ChartPixel(-std::numeric_limits<double>::infinity()), -ChartPixelLimit);
  EXPECT_EQ(ChartPixel(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(ChartPixel(2.5), 2);
  EXPECT_EQ(ChartPixel(3.5), 4);
  TProjection Huge = Orthogonal(1e30);
  EXPECT_EQ(Huge.Calculate3DPosition(300, 150, 0).X, ChartPixelLimit);
}

}  // namespace
