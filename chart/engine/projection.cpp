#include "chart/engine/projection.h"

#include <cmath>
#include <numbers>

namespace {
double KeepAway(double V) {
  constexpr double Min = 1e-5;
  if (std::fabs(V) >= Min) return V;
  return std::signbit(V) ? -Min : Min;
}
}  // namespace

void TProjection::SetAngles(double RotationDeg, double ElevationDeg, double TiltDeg) {
  constexpr double ToRad = std::numbers::pi / 180.0;
  const double sR = std::sin(RotationDeg * ToRad), cR = std::cos(RotationDeg * ToRad);
  const double sE = std::sin(ElevationDeg * ToRad), cE = std::cos(ElevationDeg * ToRad);
  const double sT = std::sin(TiltDeg * ToRad), cT = std::cos(TiltDeg * ToRad);
  C1 = cE * sT;
  C2 = KeepAway(cE * cT);
  C3 = cR * cE;
  C4 = KeepAway(sR * sE * sT + cR * cT);
  C5 = cT * sR * sE - cR * sT;
  C6 = cR * sE * sT - cT * sR;
  C7 = cR * cT * sE + sR * sT;
  SinElevation = sE;
  CosElevationSinRotation = cE * sR;
}

void TProjection::Calculate2DPosition(int& X, int& Y, int Z) const {
  const double f = ZoomFactor;
  if (f == 0 || !std::isfinite(f)) return;
  if (Orthogonal) {
    X = ChartPixel((X - XCenterOffset) / f - Z + XCenter);
    Y = ChartPixel((Y - YCenterOffset) / f + Z + YCenter);
    return;
  }
  if (!Is3D) return;
  // The forward map is linear in (dx, dy) for a fixed perspective scale g; solve that 2 x 2
  // system exactly, and refine g from the answer (the perspective factor is tiny, so a few
  // rounds settle it).
  const double dz = double(Z) - ZCenter;
  const double u = double(X) - XCenterOffset, v = double(Y) - YCenterOffset;
  const double Det = C4 * C2 - C1 * C5;
  if (Det == 0 || !std::isfinite(Det)) return;
  double dx = 0, dy = 0, g = f;
  for (int Round = 0; Round < (Perspective > 0 ? 8 : 1); ++Round) {
    if (Perspective > 0)
      g = (1 - (dx * CosElevationSinRotation - dy * SinElevation + dz * C3) * Perspective) * f;
    if (g == 0 || !std::isfinite(g)) return;
    const double a = u / g - dz * C6, b = v / g - dz * C7;
    dx = (a * C2 - b * C1) / Det;
    dy = (b * C4 - a * C5) / Det;
  }
  X = ChartPixel(dx + XCenter);
  Y = ChartPixel(dy + YCenter);
}
