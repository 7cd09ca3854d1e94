#pragma once
// The part of an axis that the chart's layout, zoom and scrolling rely on: its range with the
// automatic flags, its place on the screen and the conversion between values and pixels.
#include <cmath>
#include <utility>
#include <vector>

#include <QString>

#include <memory>

#include "chart/engine/axis_math.h"
#include "chart/engine/chart_panel.h"
#include "chart/engine/chart_pen.h"
#include "chart/engine/projection.h"
#include "platform/geometry.h"

class TCustomAxisPanel;
class TChartCanvas3D;
class TChartSeries;

enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };
// What one drawing of an axis puts down: all of it, its lines (axis line, ticks, grid), or its
// texts (labels, title). Texts drawn after the series stay in front of them.
enum TAxisPass { apAll, apLines, apTexts };

// Whether the series names its points for an axis: its first label is not empty.
bool HasAxisLabels(const TChartSeries& S);

// The caption of an axis with its angle and font; a change repaints the chart.
class TChartAxisTitle : public TChartFontObject {
 public:
  explicit TChartAxisTitle(TCustomChartPanel* Owner) : TChartFontObject(Owner) {}
  QString Caption() const { return FCaption; }
  void SetCaption(const QString& Value);
  int Angle() const { return FAngle; }
  // 0 to 360; otherwise ChartException and the old angle stays.
  void SetAngle(int Value);

 private:
  QString FCaption;
  int FAngle = 0;
};

namespace AxisMessages {
inline constexpr const char* Increment = "Axis increment must be >= 0";
inline constexpr const char* Minimum = "Axis Minimum Value must be <= Maximum";
inline constexpr const char* Maximum = "Axis Maximum Value must be >= Minimum";
inline constexpr const char* DateTimeLog = "DateTime Axis cannot be Logarithmic";
inline constexpr const char* LogMinMax = "Logarithmic Axis Min and Max values should be > 0";
inline constexpr const char* LogBase = "Axis Logarithmic Base should be >= 2";
inline constexpr const char* Separation = "Labels Separation % must be greater than 0";
}  // namespace AxisMessages

class TChartAxis {
 public:
  TChartAxis(TCustomAxisPanel* Chart, bool Horizontal, bool OtherSide, bool Depth = false)
      : FChart(Chart), FHorizontal(Horizontal), FOtherSide(OtherSide), FDepth(Depth) {
    // The depth axis starts hidden.
    FVisible = !Depth;
    Pens();
  }
  TChartAxis(const TChartAxis&) = delete;
  TChartAxis& operator=(const TChartAxis&) = delete;
  virtual ~TChartAxis() = default;

  // Every setting (range flags and ends, labels, ticks, pens, fonts, title, positions); not the
  // axis' kind nor its place from the last layout.
  void Assign(const TChartAxis& Source);
  // While its settings are read back, the ends are not checked against each other and
  // Automatic leaves the automatic ends as they are. The end of the reading checks them
  // together, as the setters would have one by one.
  bool Loading() const { return FLoading; }
  void SetLoading(bool Value);

  bool Horizontal() const { return FHorizontal; }
  bool OtherSide() const { return FOtherSide; }
  bool IsDepthAxis() const { return FDepth; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  TChartAxisTitle* Title() const { return FTitle.get(); }
  QString TitleCaption() const { return FTitle->Caption(); }
  void SetTitleCaption(const QString& Value) { FTitle->SetCaption(Value); }
  // The title angle a new axis starts with: 90 on the left, 270 on the right, else 0.
  int DefaultTitleAngle() const;

  bool Automatic() const { return FAutomatic; }
  bool AutomaticMinimum() const { return FAutomaticMinimum; }
  bool AutomaticMaximum() const { return FAutomaticMaximum; }
  // Automatic sets both ends; an end set False clears Automatic, set True sets it when the
  // other end is automatic too. An end taken from the series, or fixed where it stands, is
  // checked as SetMinimum and SetMaximum check a fixed one: AxisException, and nothing changes.
  void SetAutomatic(bool Value);
  void SetAutomaticMinimum(bool Value);
  void SetAutomaticMaximum(bool Value);
  double Minimum() const { return FMinimum; }
  double Maximum() const { return FMaximum; }
  void SetMinimum(double Value);
  void SetMaximum(double Value);
  // Both ends at once, no longer automatic. Non-finite ends are refused.
  void SetMinMax(double Min, double Max);
  // Which ends come from the series, and the others at Min and Max, as one change under the
  // checks of SetMinimum, SetMaximum and SetLogarithmic.
  void SetRange(bool AutomaticMinimum, bool AutomaticMaximum, double Min, double Max);
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
  // Labels whose place falls beyond the axis' ends are left out.
  bool LabelsOnAxis() const { return FLabelsOnAxis; }
  void SetLabelsOnAxis(bool Value);
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

  TFont* LabelsFont() const { return FLabelsFont->Font(); }
  int LabelsAngle() const { return FLabelsAngle; }
  // 0 to 360; otherwise ChartException and the old angle stays.
  void SetLabelsAngle(int Value);
  bool LabelsMultiLine() const { return FLabelsMultiLine; }
  void SetLabelsMultiLine(bool Value);
  // Fixed room across the axis for the labels and the title; 0 measures them.
  int LabelsSize() const { return FLabelsSize; }
  void SetLabelsSize(int Value);
  int TitleSize() const { return FTitleSize; }
  void SetTitleSize(int Value);

  TChartAxisPen* AxisPen() const { return FAxisPen.get(); }
  TDottedGrayPen* Grid() const { return FGrid.get(); }
  TDarkGrayPen* Ticks() const { return FTicks.get(); }
  TDarkGrayPen* TicksInner() const { return FTicksInner.get(); }
  TDarkGrayPen* MinorTicks() const { return FMinorTicks.get(); }
  // Draws the axis line, and at each label its tick, grid line across PlotRect, inner tick,
  // minor ticks and text, then the title; or only the lines or the texts of that. A label whose
  // box on the screen would meet the last one written is left out.
  void Draw(TChartCanvas3D& Canvas, const TRect& PlotRect, TAxisPass Pass = apAll);

  // Draws the axis once at the given places over Min..Max by Increment, with or without its
  // grid, then puts back its own range, step and places. The variant with Start and End also
  // lays it over those pixels; with LabelsInward each label hangs below its tick on a vertical
  // axis and ends at it on a horizontal one instead of being centred on it, so that none passes
  // the top or the right end. A label that would come within a space of one of the KeepOut
  // rectangles (texts drawn beside the axis) is left out.
  void CustomDraw(TChartCanvas3D& Canvas, const TRect& PlotRect, int PosLabels, int PosTitle,
                  int PosAxis, bool GridVisible, double Min, double Max, double Increment);
  void CustomDrawStartEnd(TChartCanvas3D& Canvas, const TRect& PlotRect, int PosLabels,
                          int PosTitle, int PosAxis, bool GridVisible, double Min, double Max,
                          double Increment, int Start, int End, bool LabelsInward = false,
                          const std::vector<TRect>* KeepOut = nullptr);

  // The label style in force: LabelStyle, or for talAuto the one the axis' series call for.
  TAxisLabelStyle CalcLabelStyle() const;
  // The room the widest label takes along its text.
  int MaxLabelsWidth();
  // The room across the axis of its ticks, labels and title.
  int TickRoom() const;
  int LabelRoom();
  int TitleRoom();
  // Takes the room of title, labels and ticks (plus Extra) off R on the axis' side when Shrink,
  // and places the axis line, the labels and the title from what R then is.
  void CalcRect(TRect& R, bool Shrink, int Extra = 0);
  // Narrows the pixel extent by the margins (left and right for a horizontal axis, top and
  // bottom for a vertical one) and widens the range so that its ends stay at the old pixels.
  void AdjustMaxMinRect(const TRect& Margins);

  // Whether the first active series on this axis holds date-times along it.
  bool IsDateTime() const;
  // The arithmetic of the current range and extent.
  TAxisMapping Mapping() const;
  // The label step for labels of LabelSize pixels.
  double CalcIncrement(int LabelSize) const;
  // The room the larger of two labels takes along the axis as the last layout shows it on the
  // screen: the label's box as drawn (its lines turned by LabelsAngle, in the zoomed font)
  // measured along the axis line as the view turns and shortens it, in the axis' own pixels.
  // INT_MAX where the axis is seen end-on.
  int SeenLabelSpan(TChartCanvas3D& Canvas, const QString& First, const QString& Last) const;
  // The text of a label value: date-times by their format (empty below 0), numbers by
  // AxisValuesFormat.
  QString LabelValue(double Value) const;
  // The values the axis writes labels at: none for a non-finite range or an axis that has room
  // for none, at most 1,000.
  std::vector<double> LabelValues(int LabelSize) const;

  // The range in force for the last layout, and where it lies on the screen.
  double IMinimum() const { return FIMinimum; }
  double IMaximum() const { return FIMaximum; }
  int IStartPos() const { return FIStartPos; }
  int IEndPos() const { return FIEndPos; }
  int PosAxis() const { return FPosAxis; }
  // Where the labels and the title start, counted outwards from the axis line.
  int PosLabels() const { return FPosLabels; }
  int PosTitle() const { return FPosTitle; }
  // Takes the range from the chart's series where automatic.
  void AdjustMaxMin();
  // Lays the axis along the plot rectangle.
  void InternalCalcPositions(const TRect& ChartRect);
  // The pixel of a value, saturated; the value at a pixel. Inline for plain axes, which map
  // every point of a surface.
  int CalcPosValue(double Value) const {
    const double Range = FIMaximum - FIMinimum;
    // A range wider than the doubles hold is measured by its fraction.
    if (FDepth || FInverted || FLogarithmic || !std::isfinite(Range))
      return CalcPosValueMapped(Value);
    const double Size = double(FIEndPos) - FIStartPos;
    // A range of one value has no end to put it at: the middle of the axis.
    if (Range == 0) return (FIStartPos + FIEndPos) / 2;
    const double T = (Value - FIMinimum) / Range * Size;
    return ChartPixel(FHorizontal ? FIStartPos + T : FIEndPos - T);
  }
  // The same for drawing code: false for NaN and infinities, which are never drawn.
  bool ValueToPixel(double Value, int& Pixel) const;
  double CalcPosPoint(int Pixel) const;
  // Whether the screen point lies on the axis line (within a few pixels, along its span).
  virtual bool Clicked(int X, int Y) const;

 private:
  // CalcPosValue of depth, inverted and logarithmic axes.
  int CalcPosValueMapped(double Value) const;
  // The end an automatic end takes from the series; false while no series with points uses
  // the axis, so that the end is not known yet. The depth axis always knows its ends.
  bool DataEnd(bool Max, double& Value) const;
  // Refuses, with the axis' message, a range whose known ends are out of order (the message of
  // the minimum when MinimumMoved, else of the maximum) or, on a logarithmic axis, not above 0.
  void CheckRange(bool AutoMin, bool AutoMax, double Min, double Max, bool Log,
                  bool MinimumMoved) const;
  TCustomAxisPanel* FChart;
  bool FHorizontal, FOtherSide, FDepth;
  bool FVisible = true;
  bool FLoading = false;
  std::unique_ptr<TChartAxisTitle> FTitle;
  std::unique_ptr<TChartFontObject> FLabelsFont;
  int FLabelsAngle = 0, FLabelsSize = 0, FTitleSize = 0;
  bool FLabelsMultiLine = false;
  // Measuring the labels must not run the chart's label event.
  bool FNoLabelEvent = false;
  // Set while a custom drawing leaves the grid out, or moves the labels off their ticks.
  bool FHideGrid = false, FLabelsInward = false;
  const std::vector<TRect>* FKeepOut = nullptr;
  // Whether the text of a label at P would come near a rectangle of FKeepOut.
  bool LabelKeptOut(TChartCanvas3D& C, int P, const QString& Text) const;
  // Outwards from the plot: +1 down or right, -1 up or left.
  int Outwards() const;
  // The label values the chart's OnGetNextAxisLabel supplies; false when it supplies none.
  bool EventLabelValues(std::vector<double>& Values);
  struct TLabelAt {
    int P;
    QString Text;
  };
  // The texts and values of the series labels or marks along the axis.
  void TextLabels(bool Marks, std::vector<std::pair<double, QString>>& Labels);
  // The titles of the active series, each at the middle of its series' depth band (z order 0 at
  // the back, where the chart lays it).
  std::vector<TLabelAt> DepthTextLabels() const;
  // Where a label goes on the screen: the box its text fills and, for a turned one, the corner
  // the text turns about.
  struct TLabelPlace {
    TRect Box;
    TPoint Corner;
  };
  // Where a point of the chart's space lands on the screen: projected in a 3D chart.
  TPoint Seen(TChartCanvas3D& C, int X, int Y, int Z) const;
  // The width of a label's widest line and the height of all its lines, in the font as drawn.
  void DrawnTextSize(TChartCanvas3D& C, const QString& Text, bool In3D, double& W, double& H) const;
  TLabelPlace PlaceLabel(TChartCanvas3D& C, int P, const QString& Text, int Z);
  // The labels the last drawing of the lines chose, for the drawing of the texts after the
  // series: the chart's label events run once a paint.
  struct TPendingLabel {
    int P;
    QString Text;
    TLabelPlace Place;
  };
  std::vector<TPendingLabel> FPendingLabels;
  void DrawLabel(TChartCanvas3D& C, int P, const QString& Text, int Z, const TLabelPlace& Place);
  void DrawTitle(TChartCanvas3D& C);
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
  bool FLabelsOnAxis = true;
  int FTickLength = 4, FTickInnerLength = 0, FMinorTickCount = 3, FMinorTickLength = 2;
  bool FGridCentered = false;
  double FStartPosition = 0, FEndPosition = 100, FPositionPercent = 0;
  double FIMinimum = 0, FIMaximum = 0;
  int FIStartPos = 0, FIEndPos = 0, FPosAxis = 0, FPosLabels = 0, FPosTitle = 0;
};
