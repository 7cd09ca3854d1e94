#pragma once
// The point marker that line, point and the series built on them draw at their points, and the
// small geometry every series type needs: its axes, its depth band and its canvas.
#include <algorithm>
#include <cmath>
#include <memory>

#include "chart/engine/canvas3d.h"
#include "chart/engine/chart_pen.h"
#include "chart/engine/series_marks.h"
#include "platform/geometry.h"
#include "platform/number_text.h"

class TChartSeries;
class TChartAxis;

enum TSeriesPointerStyle {
  psRectangle,
  psCircle,
  psTriangle,
  psDownTriangle,
  psCross,
  psDiagCross,
  psStar,
  psDiamond,
  psSmallDot
};

namespace SeriesGeometry {
TChartAxis* SeriesHorizAxis(const TChartSeries& S);
TChartAxis* SeriesVertAxis(const TChartSeries& S);
TChartCanvas3D* Canvas(const TChartSeries& S);
bool Is3D(const TChartSeries& S);
// Pixels far outside the canvas are never drawn.
inline bool OnCanvas(int V) { return V > -32767 && V < 32767; }
// The canvas pen and brush of a shape drawn in Color, automatic colours taking it.
void PreparePenBrush(const TChartSeries& S, const TChartPen& Pen, const TBrush& Brush,
                     TColor Color);
// Moves a mark's box and both arrow ends by (DX, DY).
void MoveMark(TSeriesMarkPosition& P, int DX, int DY);
// The plain colour of an automatic or stored colour.
TColor Resolve(TColor Color, TColor Automatic);
// A series' pixel of a computed value: nearest (halves to even) or toward zero, saturated to
// +-2147483647; non-finite values give 0.
inline int NearestPixel(double V) { return std::isfinite(V) ? SaturatePixel(V) : 0; }
inline int TruncPixel(double V) {
  return std::isfinite(V) ? std::clamp(TruncInt(V), -2147483647, 2147483647) : 0;
}
}  // namespace SeriesGeometry

namespace PointerMessages {
inline constexpr const char* Size = "Pointer size must be greater than zero";
}

class TSeriesPointer {
 public:
  explicit TSeriesPointer(TChartSeries* ParentSeries);
  TSeriesPointer(const TSeriesPointer&) = delete;
  TSeriesPointer& operator=(const TSeriesPointer&) = delete;

  TChartSeries* ParentSeries() const { return FParent; }
  bool Dark3D() const { return FDark3D; }
  void SetDark3D(bool Value) { Change(FDark3D, Value); }
  bool Draw3D() const { return FDraw3D; }
  void SetDraw3D(bool Value) { Change(FDraw3D, Value); }
  TChartBrush* Brush() const { return FBrush.get(); }
  TChartPen* Pen() const { return FPen.get(); }
  int HorizSize() const { return FHorizSize; }
  int VertSize() const { return FVertSize; }
  // Below 1: ChartException, the size stays.
  void SetHorizSize(int Value);
  void SetVertSize(int Value);
  // For sizes that follow the data (bubbles): no check and no repaint; below 0 taken as 0.
  void SetSizeRaw(int Horiz, int Vert) {
    FHorizSize = Horiz < 0 ? 0 : Horiz;
    FVertSize = Vert < 0 ? 0 : Vert;
  }
  bool InflateMargins() const { return FInflateMargins; }
  void SetInflateMargins(bool Value) { Change(FInflateMargins, Value); }
  TSeriesPointerStyle Style() const { return FStyle; }
  void SetStyle(TSeriesPointerStyle Value) { Change(FStyle, Value); }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { Change(FVisible, Value); }
  bool AllowChangeSize = true;

  void Assign(const TSeriesPointer& Source);
  void PrepareCanvas(TColor Color);
  void Draw(int X, int Y, TColor Color, TSeriesPointerStyle Style);
  void DrawPointer(bool Is3D, int X, int Y, int HorizSize, int VertSize, TColor Color,
                   TSeriesPointerStyle Style);
  // A marker on a flat figure at depth Z (a circle seen in 3D): its cube or pyramid is only as
  // deep as the marker is wide, not the series' whole depth band.
  void DrawOnPlane(int X, int Y, int Z, TColor Color, TSeriesPointerStyle Style);
  void DrawLegendShape(TColor Color, const TRect& R, bool LineVisible);
  void CalcHorizMargins(int& Left, int& Right) const;
  void CalcVerticalMargins(int& Top, int& Bottom) const;

 private:
  void DrawPointerAt(bool Is3D, int X, int Y, int HorizSize, int VertSize, TColor Color,
                     TSeriesPointerStyle Style, int Z0, int Z1);
  template <class T>
  void Change(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Repaint();
  }
  void Repaint();

  TChartSeries* FParent;
  bool FDark3D = true, FDraw3D = true;
  std::unique_ptr<TChartBrush> FBrush;
  std::unique_ptr<TChartPen> FPen;
  int FHorizSize = 4, FVertSize = 4;
  bool FInflateMargins = true;
  TSeriesPointerStyle FStyle = psRectangle;
  bool FVisible = true;
};
