#pragma once
// One shape with text inside, placed by two corner points: in axis values, in pixels, or as a
// pixel size from a point in axis values.
#include <memory>

#include <QStringList>

#include "chart/engine/chart_parts.h"
#include "chart/engine/chart_series.h"

enum TChartShapeStyle {
  chasRectangle,
  chasCircle,
  chasVertLine,
  chasHorizLine,
  chasTriangle,
  chasInvertTriangle,
  chasLine,
  chasDiamond,
  chasCube,
  chasCross,
  chasDiagCross,
  chasStar,
  chasPyramid,
  chasInvertPyramid
};
enum TChartShapeXYStyle { xysPixels, xysAxis, xysAxisOrigin };

class TChartShape : public TChartSeries {
 public:
  TChartShape();
  QString ClassName() const override { return QStringLiteral("TChartShape"); }
  QString GetEditorClassName() const { return QStringLiteral("TChartShapeEditor"); }

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { Change(FAlignment, Value); }
  TChartBrush* Brush() const { return FBrush.get(); }
  TFont* Font() const { return FFont.get(); }
  TChartPen* Pen() const { return FPen.get(); }
  bool RoundRectangle() const { return FRoundRectangle; }
  void SetRoundRectangle(bool Value) { Change(FRoundRectangle, Value); }
  TChartShapeStyle Style() const { return FStyle; }
  void SetStyle(TChartShapeStyle Value) { Change(FStyle, Value); }
  const QStringList& Text() const { return FText; }
  void SetText(const QStringList& Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value) { Change(FTransparent, Value); }
  TChartShapeXYStyle XYStyle() const { return FXYStyle; }
  void SetXYStyle(TChartShapeXYStyle Value) { Change(FXYStyle, Value); }
  // The corners: the values of points 0 and 1 (0 while a point is missing).
  double X0() const { return Corner(0, true); }
  double Y0() const { return Corner(0, false); }
  double X1() const { return Corner(1, true); }
  double Y1() const { return Corner(1, false); }
  void SetX0(double V) { SetCorner(0, true, V); }
  void SetY0(double V) { SetCorner(0, false, V); }
  void SetX1(double V) { SetCorner(1, true, V); }
  void SetY1(double V) { SetCorner(1, false, V); }
  // Also the brush colour.
  void SetShapeColor(TColor Value);

  bool IsValidSourceOf(const TChartSeries* Source) const override {
    return Source != this && dynamic_cast<const TChartShape*>(Source);
  }
  bool UseAxis() const override { return FXYStyle != xysPixels; }
  // A shape placed in pixels takes no place in depth.
  void CalcZOrder(int& MaxZ, bool Is3D) override {
    if (UseAxis()) TChartSeries::CalcZOrder(MaxZ, Is3D);
  }
  void Assign(const TChartSeries& Source) override;
  TRect GetShapeRectangle() const;
  void DrawValue(int ValueIndex) override;
  void DrawShape(bool Is3D, const TRect& R);
  // The shape drawn flat into the symbol's rectangle in its pen and fill.
  void DrawLegendShape(int ValueIndex, const TRect& R) override;
  int Clicked(int X, int Y) const override;
  void FillSampleValues(int NumValues) override;
  // A red triangle "123", and for the chart's second series a blue circle "abc", in white
  // letters; silver when disabled.
  void PrepareForGallery(bool IsEnabled) override;

 private:
  double Corner(int Index, bool X) const;
  void SetCorner(int Index, bool X, double Value);

  TAlignment FAlignment = taCenter;
  std::unique_ptr<TChartBrush> FBrush;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TChartPen> FPen;
  bool FRoundRectangle = false;
  TChartShapeStyle FStyle = chasCircle;
  QStringList FText;
  bool FTransparent = false;
  TChartShapeXYStyle FXYStyle = xysAxis;
};
