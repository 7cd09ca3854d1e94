#pragma once
// The part of an axis that the chart's layout, zoom and scrolling rely on: its range with the
// automatic flags, its place on the screen and the conversion between values and pixels.
#include <QString>

#include "platform/geometry.h"

class TCustomAxisPanel;

class TChartAxis {
 public:
  TChartAxis(TCustomAxisPanel* Chart, bool Horizontal, bool OtherSide, bool Depth = false)
      : FChart(Chart), FHorizontal(Horizontal), FOtherSide(OtherSide), FDepth(Depth) {}
  TChartAxis(const TChartAxis&) = delete;
  TChartAxis& operator=(const TChartAxis&) = delete;
  virtual ~TChartAxis() = default;

  bool Horizontal() const { return FHorizontal; }
  bool OtherSide() const { return FOtherSide; }
  bool IsDepthAxis() const { return FDepth; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  QString TitleCaption() const { return FTitleCaption; }
  void SetTitleCaption(const QString& Value) { FTitleCaption = Value; }

  bool Automatic() const { return FAutomatic; }
  bool AutomaticMinimum() const { return FAutomaticMinimum; }
  bool AutomaticMaximum() const { return FAutomaticMaximum; }
  // Automatic sets both ends; an end set False clears Automatic, set True sets it when the
  // other end is automatic too.
  void SetAutomatic(bool Value);
  void SetAutomaticMinimum(bool Value);
  void SetAutomaticMaximum(bool Value);
  double Minimum() const { return FMinimum; }
  double Maximum() const { return FMaximum; }
  void SetMinimum(double Value);
  void SetMaximum(double Value);
  // Both ends at once, no longer automatic. Non-finite ends are refused.
  void SetMinMax(double Min, double Max);
  // Puts back a range saved before a zoom: the three flags and, when not automatic, the ends.
  void RestoreRange(bool Automatic, bool AutomaticMinimum, bool AutomaticMaximum, double Min,
                    double Max);

  // The range in force for the last layout, and where it lies on the screen.
  double IMinimum() const { return FIMinimum; }
  double IMaximum() const { return FIMaximum; }
  int IStartPos() const { return FIStartPos; }
  int IEndPos() const { return FIEndPos; }
  int PosAxis() const { return FPosAxis; }
  // Takes the range from the chart's series where automatic.
  void AdjustMaxMin();
  // Lays the axis along the plot rectangle.
  void InternalCalcPositions(const TRect& ChartRect);
  // The pixel of a value, saturated; the value at a pixel.
  int CalcPosValue(double Value) const;
  // The same for drawing code: false for NaN and infinities, which are never drawn.
  bool ValueToPixel(double Value, int& Pixel) const;
  double CalcPosPoint(int Pixel) const;
  // Whether the screen point lies on the axis line (within a few pixels, along its span).
  virtual bool Clicked(int X, int Y) const;

 private:
  TCustomAxisPanel* FChart;
  bool FHorizontal, FOtherSide, FDepth;
  bool FVisible = true;
  QString FTitleCaption;
  bool FAutomatic = true, FAutomaticMinimum = true, FAutomaticMaximum = true;
  double FMinimum = 0, FMaximum = 0;
  double FIMinimum = 0, FIMaximum = 0;
  int FIStartPos = 0, FIEndPos = 0, FPosAxis = 0;
};
