#pragma once
// The part of an axis that the chart's layout, zoom and scrolling rely on: its range with the
// automatic flags, its place on the screen and the conversion between values and pixels.
#include <vector>

#include <QString>

#include <memory>

#include "chart/engine/axis_math.h"
#include "chart/engine/chart_pen.h"
#include "platform/geometry.h"

class TCustomAxisPanel;
class TChartCanvas3D;

enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };

namespace AxisMessages {
inline constexpr const char* Increment = "Axis increment must be >= 0";
inline constexpr const char* Minimum = "Axis Minimum Value must be <= Maximum";
inline constexpr const char* Maximum = "Axis Maximum Value must be >= Minimum";
inline constexpr const char* DateTimeLog = "DateTime Axis cannot be Logarithmic";
inline constexpr const char* LogMinMax = "Logarithmic Axis Min and Max values should be >= 0";
inline constexpr const char* LogBase = "Axis Logarithmic Base should be >= 2";
inline constexpr const char* Separation = "Labels Separation % must be greater than 0";
}  // namespace AxisMessages

class TChartAxis {
 public:
  TChartAxis(TCustomAxisPanel* Chart, bool Horizontal, bool OtherSide, bool Depth = false)
      : FChart(Chart), FHorizontal(Horizontal), FOtherSide(OtherSide), FDepth(Depth) {
    Pens();
  }
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

  // Label and tick settings; invalid values raise AxisException and the old value stays.
  double Increment() const { return FIncrement; }
  void SetIncrement(double Value);
  bool Logarithmic() const { return FLogarithmic; }
  void SetLogarithmic(bool Value);
  int LogarithmicBase() const { return FLogarithmicBase; }
  void SetLogarithmicBase(int Value);
  bool Inverted() const { return FInverted; }
  void SetInverted(bool Value);
  bool Labels() const { return FLabels; }
  void SetLabels(bool Value);
  int LabelsSeparation() const { return FLabelsSeparation; }
  void SetLabelsSeparation(int Value);
  TAxisLabelStyle LabelStyle() const { return FLabelStyle; }
  void SetLabelStyle(TAxisLabelStyle Value);
  QString AxisValuesFormat() const { return FAxisValuesFormat; }
  void SetAxisValuesFormat(const QString& Value);
  QString DateTimeFormat() const { return FDateTimeFormat; }
  void SetDateTimeFormat(const QString& Value);
  bool ExactDateTime() const { return FExactDateTime; }
  void SetExactDateTime(bool Value);
  bool RoundFirstLabel() const { return FRoundFirstLabel; }
  void SetRoundFirstLabel(bool Value);
  bool TickOnLabelsOnly() const { return FTickOnLabelsOnly; }
  void SetTickOnLabelsOnly(bool Value);
  int TickLength() const { return FTickLength; }
  void SetTickLength(int Value);
  int TickInnerLength() const { return FTickInnerLength; }
  void SetTickInnerLength(int Value);
  int MinorTickCount() const { return FMinorTickCount; }
  void SetMinorTickCount(int Value);
  int MinorTickLength() const { return FMinorTickLength; }
  void SetMinorTickLength(int Value);
  bool GridCentered() const { return FGridCentered; }
  void SetGridCentered(bool Value);
  double StartPosition() const { return FStartPosition; }
  void SetStartPosition(double Value);
  double EndPosition() const { return FEndPosition; }
  void SetEndPosition(double Value);
  double PositionPercent() const { return FPositionPercent; }
  void SetPositionPercent(double Value);

  TChartAxisPen* AxisPen() const { return FAxisPen.get(); }
  TDottedGrayPen* Grid() const { return FGrid.get(); }
  TDarkGrayPen* Ticks() const { return FTicks.get(); }
  TDarkGrayPen* TicksInner() const { return FTicksInner.get(); }
  TDarkGrayPen* MinorTicks() const { return FMinorTicks.get(); }
  // Draws the axis line, and at each label value its tick, grid line across PlotRect, inner
  // tick, minor ticks and label text (2D).
  void Draw(TChartCanvas3D& Canvas, const TRect& PlotRect);

  // Whether the first active series on this axis holds date-times along it.
  bool IsDateTime() const;
  // The arithmetic of the current range and extent.
  TAxisMapping Mapping() const;
  // The label step for labels of LabelSize pixels.
  double CalcIncrement(int LabelSize) const;
  // The text of a label value: date-times by their format (empty below 0), numbers by
  // AxisValuesFormat.
  QString LabelValue(double Value) const;
  // The values the axis writes labels at: none for a non-finite range, at most 1,000.
  std::vector<double> LabelValues(int LabelSize) const;

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
  void Pens();
  std::unique_ptr<TChartAxisPen> FAxisPen;
  std::unique_ptr<TDottedGrayPen> FGrid;
  std::unique_ptr<TDarkGrayPen> FTicks, FTicksInner, FMinorTicks;
  double FIncrement = 0;
  bool FLogarithmic = false;
  int FLogarithmicBase = 10;
  bool FInverted = false;
  bool FLabels = true;
  int FLabelsSeparation = 10;
  TAxisLabelStyle FLabelStyle = talAuto;
  QString FAxisValuesFormat = QStringLiteral("#,##0.###");
  QString FDateTimeFormat;
  bool FExactDateTime = true, FRoundFirstLabel = true, FTickOnLabelsOnly = true;
  int FTickLength = 4, FTickInnerLength = 0, FMinorTickCount = 3, FMinorTickLength = 2;
  bool FGridCentered = false;
  double FStartPosition = 0, FEndPosition = 100, FPositionPercent = 0;
  double FIMinimum = 0, FIMaximum = 0;
  int FIStartPos = 0, FIEndPos = 0, FPosAxis = 0;
};
