#pragma once
// The 3D projection of the chart canvas as pure double arithmetic: x, y in pixels, z in pixels of
// depth (0 at the front). Three forms: orthogonal (depth moves a point right and up), rotated by
// rotation, elevation and tilt, and rotated with perspective. No drawing here.
#include <cmath>

#include "platform/geometry.h"
#include "platform/number_text.h"

struct TProjection {
  // The view: whether it projects at all, orthogonal or rotated, the zoom factor (1 = 100 %).
  bool Is3D = false;
  bool Orthogonal = false;
  double ZoomFactor = 1.0;
  double Perspective = 0.0;  // factor; 0 is none
  // The centre of the projected box and where it lands on the screen.
  int XCenter = 0, YCenter = 0, ZCenter = 0;
  int XCenterOffset = 0, YCenterOffset = 0;
  // Rotation coefficients; see SetAngles.
  double C1 = 0, C2 = 1, C3 = 0, C4 = 1, C5 = 0, C6 = 0, C7 = 0;
  double SinElevation = 0, CosElevationSinRotation = 0;

  // Angles in degrees. The two divisors of the inverse (C2 and C4) are kept at least 1e-5 away
  // from 0 with their sign, so that an edge-on view still projects and a view from behind (cosine
  // below 0) is not folded onto the front.
  void SetAngles(double RotationDeg, double ElevationDeg, double TiltDeg);

  // The unrounded screen point of (x, y, z). Inline, as every point of a surface goes through it.
  void Project(double X, double Y, double Z, double& SX, double& SY) const;
  // The screen pixel, rounded to nearest and saturated into the drawable range.
  TPoint Calculate3DPosition(int X, int Y, int Z) const;
  TPoint Calculate3DPosition(TPoint P, int Z) const { return Calculate3DPosition(P.X, P.Y, Z); }
  // The 3D point at depth Z that projects onto the screen point (X, Y); unchanged without a
  // zoom factor or without a projection.
  void Calculate2DPosition(int& X, int& Y, int Z) const;
};

// A pixel coordinate from a double: rounded half to even, kept within +/- 2^22 so that values far
// off the picture (and infinities) still draw as lines in the right direction without
// overflowing the device; NaN gives 0, so callers test isfinite first where NaN can occur.
inline constexpr int ChartPixelLimit = 1 << 22;
inline int ChartPixel(double Value) { return SaturatePixel(Value, ChartPixelLimit); }

inline void TProjection::Project(double X, double Y, double Z, double& SX, double& SY) const {
  const double f = ZoomFactor;
  if (Orthogonal) {
    SX = (X - XCenter + Z) * f + XCenterOffset;
    SY = (Y - YCenter - Z) * f + YCenterOffset;
    return;
  }
  if (!Is3D) {
    SX = X;
    SY = Y;
    return;
  }
  const double dx = X - XCenter, dy = Y - YCenter, dz = Z - ZCenter;
  double g = f;
  if (Perspective > 0)
    g = (1 - (dx * CosElevationSinRotation - dy * SinElevation + dz * C3) * Perspective) * f;
  SX = (dx * C4 + dy * C1 + dz * C6) * g + XCenterOffset;
  SY = (dx * C5 + dy * C2 + dz * C7) * g + YCenterOffset;
}

inline TPoint TProjection::Calculate3DPosition(int X, int Y, int Z) const {
  if (!Orthogonal && !Is3D) return {X, Y};
  // Orthogonal rounds the offset part only, so that depth moves exactly z pixels at zoom 1.
  if (Orthogonal)
    return {ChartPixel(std::nearbyint((double(X) - XCenter + Z) * ZoomFactor) + XCenterOffset),
            ChartPixel(std::nearbyint((double(Y) - YCenter - Z) * ZoomFactor) + YCenterOffset)};
  double SX, SY;
  Project(X, Y, Z, SX, SY);
  return {ChartPixel(SX), ChartPixel(SY)};
}
