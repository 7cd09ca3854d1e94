#pragma once
// Where a strong red lies in a picture read back from another program (a PDF page rendered by
// pdftoppm): the smallest rectangle that holds every such pixel, or a null rectangle.
#include <algorithm>

#include <QColor>
#include <QImage>
#include <QRect>

inline QRect RedBounds(const QImage& Img) {
  int MinX = Img.width(), MaxX = -1, MinY = Img.height(), MaxY = -1;
  for (int Y = 0; Y < Img.height(); ++Y)
    for (int X = 0; X < Img.width(); ++X) {
      const QColor Q = Img.pixelColor(X, Y);
      if (Q.red() > 200 && Q.green() < 60 && Q.blue() < 60) {
        MinX = std::min(MinX, X);
        MaxX = std::max(MaxX, X);
        MinY = std::min(MinY, Y);
        MaxY = std::max(MaxY, Y);
      }
    }
  return MaxX < 0 ? QRect() : QRect(QPoint(MinX, MinY), QPoint(MaxX, MaxY));
}
