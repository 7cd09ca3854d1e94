#pragma once
// Clips a closed polygon against an axis-parallel rectangle, one edge at a time. A closed
// polygon repeats its first point at the end, and its count includes that point.
#include <span>
#include <vector>

#include "plot/core/graph_types.h"

class TClip {
 public:
  double XMin = 0, YMin = 0, XMax = 0, YMax = 0;
  double EdgeX1 = 0, EdgeX2 = 0, EdgeY1 = 0, EdgeY2 = 0;
  int EdgeNo = 0;

  void SetRect(double X1, double Y1, double X2, double Y2);
  // The clipped closed polygon; empty when fewer than 4 points remain. Count becomes the
  // number of points that remained. Points on the rectangle's border count as outside. The
  // work arrays grow as a pass needs: a non-convex polygon can cross an edge many times.
  std::vector<TDoublePoint> ClipPolygon(int& Count, std::span<const TDoublePoint> Points);

 private:
  void SetEdge(int Edge);
  bool Inside(const TDoublePoint& P) const;
  bool Intersect(const TDoublePoint& Prev, const TDoublePoint& Cur, TDoublePoint& Out) const;
  void ClipEdge(const std::vector<TDoublePoint>& In, std::vector<TDoublePoint>& Out, int Edge);
};

// The library's one clipper.
TClip& GraphClip();
