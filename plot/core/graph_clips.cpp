#include "plot/core/graph_clips.h"

#include <algorithm>
#include <cmath>

TClip& GraphClip() {
  static TClip Clip;
  return Clip;
}

void TClip::SetRect(double X1, double Y1, double X2, double Y2) {
  XMin = std::min(X1, X2);
  XMax = std::max(X1, X2);
  YMin = std::min(Y1, Y2);
  YMax = std::max(Y1, Y2);
}

void TClip::SetEdge(int Edge) {
  EdgeNo = Edge;
  switch (Edge) {
    case 1:
      EdgeX1 = XMin, EdgeY1 = YMin, EdgeX2 = XMax, EdgeY2 = YMin;
      break;
    case 2:
      EdgeX1 = XMax, EdgeY1 = YMin, EdgeX2 = XMax, EdgeY2 = YMax;
      break;
    case 3:
      EdgeX1 = XMin, EdgeY1 = YMax, EdgeX2 = XMax, EdgeY2 = YMax;
      break;
    default:
      EdgeX1 = XMin, EdgeY1 = YMin, EdgeX2 = XMin, EdgeY2 = YMax;
      break;
  }
}

bool TClip::Inside(const TDoublePoint& P) const {
  switch (EdgeNo) {
    case 1:
      return P.Y > YMin;
    case 2:
      return P.X < XMax;
    case 3:
      return P.Y < YMax;
    default:
      return P.X > XMin;
  }
}

bool TClip::Intersect(const TDoublePoint& Prev, const TDoublePoint& Cur, TDoublePoint& Out) const {
  double D = (EdgeX2 - EdgeX1) * (Prev.Y - Cur.Y) - (EdgeY2 - EdgeY1) * (Prev.X - Cur.X);
  if (D == 0 || !std::isfinite(D)) return false;
  double T = ((EdgeY1 - Cur.Y) * (Prev.X - Cur.X) - (EdgeX1 - Cur.X) * (Prev.Y - Cur.Y)) / D;
  Out.X = EdgeX1 + (EdgeX2 - EdgeX1) * T;
  Out.Y = EdgeY1 + (EdgeY2 - EdgeY1) * T;
  if (Prev.Y == Cur.Y) Out.Y = Cur.Y;
  if (Prev.X == Cur.X) Out.X = Cur.X;
  return std::min(Prev.X, Cur.X) <= Out.X && Out.X <= std::max(Prev.X, Cur.X) &&
         std::min(Prev.Y, Cur.Y) <= Out.Y && Out.Y <= std::max(Prev.Y, Cur.Y);
}

void TClip::ClipEdge(const std::vector<TDoublePoint>& In, std::vector<TDoublePoint>& Out,
                     int Edge) {
  SetEdge(Edge);
  Out.clear();
  size_t N = In.size();
  if (N == 0) return;
  if (Inside(In[0])) Out.push_back(In[0]);
  TDoublePoint M;
  for (size_t i = 1; i + 1 < N; ++i) {
    if (Intersect(In[i - 1], In[i], M)) Out.push_back(M);
    if (Inside(In[i])) Out.push_back(In[i]);
  }
  if (N >= 2 && Intersect(In[N - 2], In[N - 1], M)) Out.push_back(M);
  if (!Out.empty()) Out.push_back(Out.front());
}

std::vector<TDoublePoint> TClip::ClipPolygon(int& Count, std::span<const TDoublePoint> Points) {
  size_t N = std::min(static_cast<size_t>(std::max(Count, 0)), Points.size());
  std::vector<TDoublePoint> A(Points.begin(), Points.begin() + static_cast<std::ptrdiff_t>(N));
  std::vector<TDoublePoint> B;
  A.reserve(2 * N);
  B.reserve(2 * N);
  for (int Edge = 1; Edge <= 4; ++Edge) {
    ClipEdge(A, B, Edge);
    std::swap(A, B);
    Count = static_cast<int>(A.size());
    if (A.empty()) return {};
  }
  if (A.size() < 4) return {};
  return A;
}
