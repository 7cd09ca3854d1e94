#include "platform/aliased_fill.h"

#include <algorithm>
#include <cstdint>

#include <QImage>

namespace {
// Corners farther than this above or below the image are left to the painter, which cuts such
// outlines itself; the image's own size stays below it too, which keeps every slope within 32
// bits.
constexpr int Reach = 1 << 14;

// One edge over the rows it crosses: its 16.16 position at the row's pixel centre, stepped by
// Delta a row, and the direction it runs (+1 down, -1 up).
struct TEdge {
  std::int32_t X, Delta;
  int Top, Bottom, Winding;
};
}  // namespace

TAliasedFill::TAliasedFill(QImage& Image, const QRect& Clip) {
  switch (Image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
      break;
    default:
      return;
  }
  const int W = Image.width(), H = Image.height();
  if (W <= 0 || H <= 0 || W > Reach || H > Reach || Clip.isEmpty()) return;
  FLeft = std::max(0, Clip.left());
  FTop = std::max(0, Clip.top());
  FRight = std::min(W - 1, Clip.right());
  FBottom = std::min(H - 1, Clip.bottom());
  if (FLeft > FRight || FTop > FBottom) return;
  FBits = Image.bits();
  FStride = Image.bytesPerLine();
}

bool TAliasedFill::Fill(std::span<const TPoint> Points, QRgb Color, bool Winding) const {
  const int N = int(Points.size());
  if (!FBits || N < 3 || N > MaxPoints) return false;
  int MinY = Points[0].Y, MaxY = Points[0].Y;
  for (const TPoint& P : Points) {
    // An edge that crossed the clip's left or right side would be cut there, step by step.
    if (P.X < FLeft || P.X > FRight || P.Y < -Reach || P.Y > Reach) return false;
    MinY = std::min(MinY, P.Y);
    MaxY = std::max(MaxY, P.Y);
  }
  // Rows whose centre lies below the top corner and at or above the bottom one (26.6 units).
  const int Top = std::max(FTop, (MinY * 64 + 32) >> 6);
  const int Bottom = std::min(FBottom, (MaxY * 64 - 32) >> 6);
  if (Top > Bottom) return true;

  TEdge Edges[MaxPoints];
  int Count = 0;
  for (int i = 0; i < N; ++i) {
    const TPoint& A0 = Points[size_t(i)];
    const TPoint& B0 = Points[i + 1 < N ? size_t(i + 1) : 0];
    const bool Down = A0.Y <= B0.Y;
    const TPoint& A = Down ? A0 : B0;
    const TPoint& B = Down ? B0 : A0;
    const std::int64_t Ax = std::int64_t(A.X) * 64, Ay = std::int64_t(A.Y) * 64;
    const std::int64_t Bx = std::int64_t(B.X) * 64, By = std::int64_t(B.Y) * 64;
    const int EdgeTop = std::max(Top, int((Ay + 32) >> 6));
    const int EdgeBottom = std::min(Bottom, int((By - 32) >> 6));
    if (EdgeTop > EdgeBottom) continue;
    const std::int32_t StartX = std::int32_t(32768 + (Ax << 10));
    TEdge& E = Edges[Count++];
    E.Top = EdgeTop;
    E.Bottom = EdgeBottom;
    E.Winding = Down ? 1 : -1;
    if (Bx == Ax) {
      E.X = StartX;
      E.Delta = 0;
      continue;
    }
    // The slope as a double, cut towards zero to 16 fraction bits; the first row's position
    // from it, rounded down.
    const double Slope = double(Bx - Ax) / double(By - Ay);
    const auto SlopeFP = std::int32_t(Slope * 65536.0);
    const std::int64_t Down16 = (std::int64_t(EdgeTop) << 16) + 32768 - (Ay << 10);
    E.X = StartX + std::int32_t((std::int64_t(SlopeFP) * Down16) >> 16);
    E.Delta = SlopeFP;
  }

  const int Mask = Winding ? ~0 : 1;
  for (int Y = Top; Y <= Bottom; ++Y) {
    // The row's crossings in order; equal ones keep the order of the edges.
    int Xs[MaxPoints], Ws[MaxPoints], Active = 0;
    for (int k = 0; k < Count; ++k) {
      TEdge& E = Edges[k];
      if (Y < E.Top || Y > E.Bottom) continue;
      const int X = E.X >> 16;
      E.X += E.Delta;
      int j = Active++;
      for (; j > 0 && Xs[j - 1] > X; --j) {
        Xs[j] = Xs[j - 1];
        Ws[j] = Ws[j - 1];
      }
      Xs[j] = X;
      Ws[j] = E.Winding;
    }
    auto* Row = reinterpret_cast<QRgb*>(FBits + qsizetype(Y) * FStride);
    int Sum = 0;
    for (int k = 0; k + 1 < Active; ++k) {
      Sum += Ws[k];
      if ((Sum & Mask) && Xs[k + 1] > Xs[k]) std::fill(Row + Xs[k], Row + Xs[k + 1], Color);
    }
  }
  return true;
}
