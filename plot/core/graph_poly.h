#pragma once
// A polygon of world points with its bounding box and a point-in-polygon test.
#include <span>
#include <vector>

#include "plot/core/graph_types.h"

class TPoly {
 public:
  TPoly() = default;
  explicit TPoly(std::span<const TDoublePoint> Points);
  static TPoly CreateFromPoints(std::span<const TDoublePoint> Points) { return TPoly(Points); }

  // The box encloses every point added; SetX and SetY leave it alone.
  double MinX = 0, MaxX = 0, MinY = 0, MaxY = 0;

  int Count() const { return static_cast<int>(FPoints.size()); }
  // Appends and widens the box; answers the point's 0-based list index.
  int AddPoint(double X, double Y);
  // 1-based; an index outside 1..Count reads 0 and writes nothing.
  double GetX(int I) const;
  double GetY(int I) const;
  void SetX(int I, double X);
  void SetY(int I, double Y);
  // Crossing parity of a ray towards smaller X; a vertex on the ray counts once when the
  // polygon crosses there and twice when it only touches.
  bool PointInside(double X, double Y) const;
  const std::vector<TDoublePoint>& Points() const { return FPoints; }

 private:
  bool Valid(int I) const { return I >= 1 && I <= Count(); }
  std::vector<TDoublePoint> FPoints;
};
