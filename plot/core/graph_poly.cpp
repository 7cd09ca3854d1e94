#include "plot/core/graph_poly.h"

#include <algorithm>

TPoly::TPoly(std::span<const TDoublePoint> Points) {
  for (const TDoublePoint& P : Points) AddPoint(P.X, P.Y);
}

int TPoly::AddPoint(double X, double Y) {
  if (FPoints.empty()) {
    MinX = MaxX = X;
    MinY = MaxY = Y;
  } else {
    MinX = std::min(MinX, X);
    MaxX = std::max(MaxX, X);
    MinY = std::min(MinY, Y);
    MaxY = std::max(MaxY, Y);
  }
  FPoints.push_back({X, Y});
  return Count() - 1;
}

double TPoly::GetX(int I) const { return Valid(I) ? FPoints[static_cast<size_t>(I - 1)].X : 0; }
double TPoly::GetY(int I) const { return Valid(I) ? FPoints[static_cast<size_t>(I - 1)].Y : 0; }

void TPoly::SetX(int I, double X) {
  if (Valid(I)) FPoints[static_cast<size_t>(I - 1)].X = X;
}

void TPoly::SetY(int I, double Y) {
  if (Valid(I)) FPoints[static_cast<size_t>(I - 1)].Y = Y;
}

bool TPoly::PointInside(double X, double Y) const {
  int N = Count();
  if (N == 0) return false;
  long long Total = 0;
  for (int i = 1; i <= N; ++i) {
    int Prev = i == 1 ? N : i - 1;
    int Next = i == N ? 1 : i + 1;
    double XI = GetX(i), YI = GetY(i);
    if (XI < X && YI == Y) {
      Total += (GetY(Prev) - YI) * (GetY(Next) - YI) > 0 ? 2 : 1;
      continue;
    }
    double YN = GetY(Next);
    if (std::min(YI, YN) < Y && Y < std::max(YI, YN)) {
      double Cross = XI + (Y - YI) * (XI - GetX(Next)) / (YI - YN);
      if (Cross < X) ++Total;
    }
  }
  return Total % 2 == 1;
}
