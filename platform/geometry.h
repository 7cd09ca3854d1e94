#pragma once
// Integer points and rectangles in device pixels. A rectangle's Right and Bottom lie just
// outside it: Rect(0, 0, 10, 10) covers pixels 0..9 in each direction.

struct TPoint {
  int X = 0;
  int Y = 0;
  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  constexpr TPoint TopLeft() const { return {Left, Top}; }
  constexpr TPoint BottomRight() const { return {Right, Bottom}; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(int X, int Y) { return {X, Y}; }
constexpr TRect Rect(int Left, int Top, int Right, int Bottom) {
  return {Left, Top, Right, Bottom};
}
constexpr TRect Bounds(int Left, int Top, int Width, int Height) {
  return {Left, Top, Left + Width, Top + Height};
}

struct TSize {
  int cx = 0;
  int cy = 0;
  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};
