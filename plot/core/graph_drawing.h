#pragma once
// The part of a graph through which layers draw in world coordinates: the mapping between
// world values and pixels on the primary and secondary axes, the clipped primitives (lines, the
// 3D ribbon, rectangles, bars, cells, polygons, ellipses) and the clip region of the plot area.
// The graph derives from it and answers the hooks below from its axes and its layer list.
//
// Every world-to-pixel conversion goes through SaturatePixel: NaN and values far off the
// picture never reach an integer cast, and offsets are added to the saturated pixel without
// overflowing. Non-finite world values are left out of every primitive.
#include <QString>
#include <functional>
#include <vector>

#include "platform/geometry.h"
#include "platform/graphics.h"
#include "platform/number_text.h"
#include "platform/paint_context.h"
#include "plot/core/graph_poly.h"
#include "plot/core/graph_types.h"

class TCanvas;
class TDXF;
class TLayer;

enum TGraphAxisId { gaXAxis, gaYAxis, gaXAxis2, gaYAxis2 };

// A + B held within -2147483647..2147483647.
int AddPixels(int A, int B);
// Segments as x1, y1, x2, y2 in Left, Top, Right, Bottom; parallel and collinear ones never meet.
bool SegmentIntersection(const TDoubleRect& A, const TDoubleRect& B, TDoublePoint& P);
void NormalizeRect(TRect& R);

class TGraphDrawing {
 public:
  explicit TGraphDrawing(TCanvas* ACanvas = nullptr) : Canvas(ACanvas) {}
  TGraphDrawing(const TGraphDrawing&) = delete;
  TGraphDrawing& operator=(const TGraphDrawing&) = delete;
  virtual ~TGraphDrawing() = default;

  // --- State the layout and the painter set ---
  TRect PlotRect;
  TRect ClipRect;
  // Ranges in axis space (log10 of the values on a logarithmic axis).
  double XMin = 0, YMin = 0, XMax = 1, YMax = 1;
  double X2Min = 0, Y2Min = 0, X2Max = 1, Y2Max = 1;
  // pixel = Scale * axis value + Offset
  double OffsetX = 0, OffsetY = 0, ScaleX = 1, ScaleY = 1;
  double OffsetX2 = 0, OffsetY2 = 0, ScaleX2 = 1, ScaleY2 = 1;
  // Route X (Y) mapping to the secondary axis while a layer on it draws or is asked.
  bool UseX2 = false, UseY2 = false;
  TLayer* CurrentLayer = nullptr;
  TCanvas* Canvas;  // the image's canvas
  double View3D = 0;
  int Depth3D = 0;
  double MinimumLogValue = 1e-10;

  // --- What the graph answers from its axes and layers ---
  virtual bool AxisLog(TGraphAxisId Axis) const = 0;
  virtual bool AxisInverted(TGraphAxisId Axis) const = 0;
  virtual bool LayerOnXAxis2(const TLayer* Layer) const = 0;
  virtual bool LayerOnYAxis2(const TLayer* Layer) const = 0;
  virtual QString LayerName(const TLayer* Layer) const = 0;
  // A series whose points have no colours of their own answers its marker colour.
  virtual bool LayerMarkerColor(const TLayer* Layer, TColor& Color) const = 0;
  virtual int BarSlot(const TLayer* Layer) const = 0;
  virtual int BarSlotCount() const = 0;

  // The context of the paint in progress; outside one the image's canvas as the screen.
  const TPaintContext& PaintContext() const { return FPaint; }
  const TPaintTraits& Device() const { return FPaint.Traits; }
  // The canvas of the paint in progress: a print page, a picture, a DXF drawing, or the image.
  TCanvas* DrawCanvas() const { return FPaint.Canvas ? FPaint.Canvas : Canvas; }
  // The writer of a DXF drawing in progress, which takes the primitives in world values; null
  // on every other device.
  TDXF* Dxf() const { return FDxf; }
  TRect GetPlotRect() const { return PlotRect; }

  // --- Mapping ---
  int XToPixel(double X) const;
  int YToPixel(double Y) const;
  int X2ToPixel(double X) const;
  int Y2ToPixel(double Y) const;
  double PixelToX(int P) const;  // axis space
  double PixelToY(int P) const;
  double PixelToX2(int P) const;
  double PixelToY2(int P) const;
  double PixelsToWorld(int N) const;
  // The pixel of a world value before rounding, where geometry needs the fraction.
  double XToPixelExact(double X) const;
  double YToPixelExact(double Y) const;
  double LogValue(double X) const;
  // Left = XMin, Top = YMin, Right = XMax, Bottom = YMax.
  void GetCurrentRanges(TDoubleRect& R) const;
  void GetLogRanges(TDoubleRect& R) const;  // pairs exchanged on inverted axes
  void GetRanges(TDoubleRect& R) const;     // world values
  bool CurrentXLog() const;
  bool CurrentYLog() const;
  bool CurrentXInverted() const;
  bool CurrentYInverted() const;

  // The current layer's depth slot and slot count (Count at least 1), its offset right and up,
  // and the depth of one slot, in pixels.
  void LayerSlot(int& Slot, int& Count) const;
  int LayerOffset() const;
  int SlotDepth() const;

  // --- Primitives ---
  void Line(double X1, double Y1, double X2, double Y2);
  // Count segments, each as X1, Y1, X2, Y2 in Left, Top, Right, Bottom, drawn as Line draws them
  // one after another. On the screen's image, with a thin solid pen, the segments that continue
  // one another go to the canvas as one polyline, which sets the same pixels.
  void Lines(int Count, const std::function<TDoubleRect(int)>& Segment);
  // Off, Lines draws its segments one by one on every device.
  bool BatchLines = true;
  void ClippedPolyline(double X1, double Y1, double X2, double Y2);
  void ClippedPolylineNoDXF(double X1, double Y1, double X2, double Y2);
  void Rectangle(const TDoubleRect& R);
  void Bar(const TDoubleRect& R, bool Gradient);
  void FillCell(const TDoubleRect& R);
  void Polygon(const TPoly& Poly);
  void SeriesPolygon(const TPoly& Poly);
  void Ellipse(const TDoubleRect& R);
  void WorldRectToPixels(const TDoubleRect& R, TRect& P) const;

  void SetClipRegion();
  void SetLegendClipRegion();
  void ResetClipRegion();

  void SetPenWidth(int W);
  void SetPenColor(TColor C);
  void SetBrushStyle(TBrushStyle S);
  void SetBrushColor(TColor C);

 private:
  bool VisibleRectPixels(const TDoubleRect& R, TCanvas*& C, TRect& P);
  long double AxisToPixelX(long double V) const;
  long double AxisToPixelY(long double V) const;
  bool XLogInUse() const;
  bool YLogInUse() const;
  QString DXFLayer() const;
  void DrawPolygon(const TPoly& Poly, int Shift);
  bool ClipSegment(const TDoubleRect& R, TDoublePoint& A, TDoublePoint& B) const;
  // The ranges a line is clipped to, moved with the layer's depth slot.
  TDoubleRect LineRange() const;
  bool JoinsLines(const TCanvas* C) const;
  bool FClipActive = false;
  std::vector<TPoint> FRun;  // kept from paint to paint
  friend class TPaintScope;
  TPaintContext FPaint;  // no canvas: the image's
  TDXF* FDxf = nullptr;
};

// Draws of Graph go to Context while the scope lives; the context before comes back after.
class TPaintScope {
 public:
  TPaintScope(TGraphDrawing& Graph, const TPaintContext& Context);
  ~TPaintScope();
  TPaintScope(const TPaintScope&) = delete;
  TPaintScope& operator=(const TPaintScope&) = delete;

 private:
  TGraphDrawing& FGraph;
  TPaintContext FPrevious;
  TDXF* FPreviousDxf;
};
