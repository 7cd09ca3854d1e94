#pragma once
// Fills small polygons of integer points straight into a 32-bit image, setting exactly the pixels
// the painter's aliased fill sets for the same points (solid opaque brush, no pen, identity
// transform): a row is sampled through its pixel centres, an edge is stepped down the rows in
// 16.16 fixed point from a slope cut to 16 fraction bits, and a pixel is filled where the edges
// at or left of it give an odd count (alternate) or a non-zero sum (winding). Shapes it cannot
// fill that way are refused, and the caller hands them to the painter.
#include <span>

#include <QRect>
#include <QRgb>

#include "platform/geometry.h"

class QImage;

class TAliasedFill {
 public:
  // The most corners a polygon may have.
  static constexpr int MaxPoints = 32;
  // Fills into Image (32 bits a pixel, which the caller keeps alive and unshared) within Clip,
  // which is taken as the image's rectangle where it reaches past it.
  TAliasedFill(QImage& Image, const QRect& Clip);
  // False where the image is not one this fill writes: nothing can then be filled.
  bool Usable() const { return FBits != nullptr; }
  // False, and nothing set, where the polygon is not one this fill takes: fewer than three or
  // more than MaxPoints corners, a corner left or right of the clip, or one far above or below.
  bool Fill(std::span<const TPoint> Points, QRgb Color, bool Winding) const;

 private:
  uchar* FBits = nullptr;
  qsizetype FStride = 0;
  int FLeft = 0, FTop = 0, FRight = -1, FBottom = -1;
};
