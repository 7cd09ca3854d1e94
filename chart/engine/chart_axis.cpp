#include "chart/engine/chart_axis.h"

#include <cmath>
#include <cstdlib>
#include <exception>

#include "chart/engine/axis_panel.h"
#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_format.h"
#include "chart/engine/chart_series.h"
#include "chart/engine/chart_utils.h"
#include "chart/engine/projection.h"

void TChartAxis::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  if (FChart) FChart->Invalidate();
}

void TChartAxis::Assign(const TChartAxis& Source) {
  if (&Source == this) return;
  FVisible = Source.FVisible;
  FTitle->SetCaption(Source.FTitle->Caption());
  FTitle->SetAngle(Source.FTitle->Angle());
  FTitle->Assign(*Source.FTitle);
  FLabelsFont->Assign(*Source.FLabelsFont);
  FLabelsAngle = Source.FLabelsAngle;
  FLabelsSize = Source.FLabelsSize;
  FTitleSize = Source.FTitleSize;
  FLabelsMultiLine = Source.FLabelsMultiLine;
  FAutomatic = Source.FAutomatic;
  FAutomaticMinimum = Source.FAutomaticMinimum;
  FAutomaticMaximum = Source.FAutomaticMaximum;
  FMinimum = Source.FMinimum;
  FMaximum = Source.FMaximum;
  FAxisPen->Assign(*Source.FAxisPen);
  FGrid->Assign(*Source.FGrid);
  FTicks->Assign(*Source.FTicks);
  FTicksInner->Assign(*Source.FTicksInner);
  FMinorTicks->Assign(*Source.FMinorTicks);
  FIncrement = Source.FIncrement;
  FLogarithmic = Source.FLogarithmic;
  FLogarithmicBase = Source.FLogarithmicBase;
  FInverted = Source.FInverted;
  FLabels = Source.FLabels;
  FLabelsSeparation = Source.FLabelsSeparation;
  FLabelStyle = Source.FLabelStyle;
  FAxisValuesFormat = Source.FAxisValuesFormat;
  FDateTimeFormat = Source.FDateTimeFormat;
  FExactDateTime = Source.FExactDateTime;
  FRoundFirstLabel = Source.FRoundFirstLabel;
  FTickOnLabelsOnly = Source.FTickOnLabelsOnly;
  FLabelsOnAxis = Source.FLabelsOnAxis;
  FTickLength = Source.FTickLength;
  FTickInnerLength = Source.FTickInnerLength;
  FMinorTickCount = Source.FMinorTickCount;
  FMinorTickLength = Source.FMinorTickLength;
  FGridCentered = Source.FGridCentered;
  FStartPosition = Source.FStartPosition;
  FEndPosition = Source.FEndPosition;
  FPositionPercent = Source.FPositionPercent;
  if (FChart) FChart->Invalidate();
}

void TChartAxis::SetLoading(bool Value) {
  const bool Ended = FLoading && !Value;
  FLoading = Value;
  // A reading cut short by its own refusal reports that one; what it left is undone by the reader.
  if (Ended && !std::current_exception())
    CheckRange(FAutomaticMinimum, FAutomaticMaximum, FMinimum, FMaximum, FLogarithmic, true);
}

void TChartAxis::CheckRange(bool AutoMin, bool AutoMax, double Min, double Max, bool Log,
                            bool MinimumMoved) const {
  if (FLoading) return;
  // An automatic end that no data decide yet is left to the drawing.
  const bool MinKnown = !AutoMin || DataEnd(false, Min);
  const bool MaxKnown = !AutoMax || DataEnd(true, Max);
  if (MinKnown && MaxKnown && Min > Max)
    throw AxisException(MinimumMoved ? AxisMessages::Minimum : AxisMessages::Maximum);
  // Zero and below have no logarithm: such a range would draw nothing in its place.
  if (Log && ((MinKnown && Min <= 0) || (MaxKnown && Max <= 0)))
    throw AxisException(AxisMessages::LogMinMax);
}

void TChartAxis::SetRange(bool AutomaticMinimum, bool AutomaticMaximum, double Min, double Max) {
  if (!std::isfinite(Min) || !std::isfinite(Max)) return;
  if (AutomaticMinimum) Min = FMinimum;
  if (AutomaticMaximum) Max = FMaximum;
  // The end that moves onto the other one is the one at fault.
  CheckRange(AutomaticMinimum, AutomaticMaximum, Min, Max, FLogarithmic,
             AutomaticMinimum != FAutomaticMinimum || Min != FMinimum);
  FAutomatic = AutomaticMinimum && AutomaticMaximum;
  FAutomaticMinimum = AutomaticMinimum;
  FAutomaticMaximum = AutomaticMaximum;
  FMinimum = Min;
  FMaximum = Max;
  if (FChart) FChart->Invalidate();
}

void TChartAxis::SetAutomatic(bool Value) {
  if (FLoading) {
    FAutomatic = Value;
  } else {
    SetRange(Value, Value, FMinimum, FMaximum);
  }
  if (FChart) FChart->Invalidate();
}

void TChartAxis::SetAutomaticMinimum(bool Value) {
  CheckRange(Value, FAutomaticMaximum, FMinimum, FMaximum, FLogarithmic, true);
  FAutomaticMinimum = Value;
  FAutomatic = Value ? FAutomaticMaximum : false;
  if (FChart) FChart->Invalidate();
}

void TChartAxis::SetAutomaticMaximum(bool Value) {
  CheckRange(FAutomaticMinimum, Value, FMinimum, FMaximum, FLogarithmic, false);
  FAutomaticMaximum = Value;
  FAutomatic = Value ? FAutomaticMinimum : false;
  if (FChart) FChart->Invalidate();
}

void TChartAxis::SetMinimum(double Value) {
  if (!std::isfinite(Value) || Value == FMinimum) return;
  CheckRange(false, FAutomaticMaximum, Value, FMaximum, FLogarithmic, true);
  FMinimum = Value;
  if (FChart) FChart->Invalidate();
}

void TChartAxis::SetMaximum(double Value) {
  if (!std::isfinite(Value) || Value == FMaximum) return;
  CheckRange(FAutomaticMinimum, false, FMinimum, Value, FLogarithmic, false);
  FMaximum = Value;
  if (FChart) FChart->Invalidate();
}

bool TChartAxis::DataEnd(bool Max, double& Value) const {
  if (!FChart) return false;
  if (FDepth) {
    // The depth runs over the series' z values, or one unit per z order: known even without
    // points.
    const double V = Max ? FChart->MaxXValue(this) : FChart->MinXValue(this);
    if (!std::isfinite(V)) return false;
    Value = V;
    return true;
  }
  bool Any = false;
  for (int i = 0; i < FChart->SeriesCount() && !Any; ++i) {
    const TChartSeries* S = FChart->GetSeries(i);
    Any = S->Active() && S->Count() > 0 && S->AssociatedToAxis(this);
  }
  if (!Any) return false;
  const double V = FHorizontal ? (Max ? FChart->MaxXValue(this) : FChart->MinXValue(this))
                               : (Max ? FChart->MaxYValue(this) : FChart->MinYValue(this));
  if (!std::isfinite(V)) return false;
  Value = V;
  return true;
}

void TChartAxis::SetMinMax(double Min, double Max) {
  if (!std::isfinite(Min) || !std::isfinite(Max)) return;
  FAutomatic = FAutomaticMinimum = FAutomaticMaximum = false;
  if (Min > Max) std::swap(Min, Max);
  // An empty range would put every value at the centre; keep the smallest one a step apart.
  if (Max - Min < 1e-10) Max = Min + 1e-10;
  FMinimum = FIMinimum = Min;
  FMaximum = FIMaximum = Max;
  if (FChart) FChart->Invalidate();
}

void TChartAxis::RestoreRange(bool Automatic, bool AutomaticMinimum, bool AutomaticMaximum,
                              double Min, double Max) {
  FAutomatic = Automatic;
  FAutomaticMinimum = AutomaticMinimum;
  FAutomaticMaximum = AutomaticMaximum;
  if (!Automatic) {
    FMinimum = FIMinimum = Min;
    FMaximum = FIMaximum = Max;
  }
  if (FChart) FChart->Invalidate();
}

void TChartAxis::AdjustMaxMin() {
  if (!FChart) return;
  const bool X = FHorizontal;
  FIMinimum =
      FAutomaticMinimum ? (X ? FChart->MinXValue(this) : FChart->MinYValue(this)) : FMinimum;
  FIMaximum =
      FAutomaticMaximum ? (X ? FChart->MaxXValue(this) : FChart->MaxYValue(this)) : FMaximum;
}

void TChartAxis::InternalCalcPositions(const TRect& R) {
  if (FDepth) {
    // The depth axis runs from the front to the back of the series, beside the floor's right
    // edge.
    FIStartPos = 0;
    FIEndPos = FChart ? FChart->Width3D() : 0;
    FPosAxis = R.Right;
    return;
  }
  const int From = FHorizontal ? R.Left : R.Top;
  const double Size = FHorizontal ? double(R.Right) - R.Left : double(R.Bottom) - R.Top;
  FIStartPos = From + ChartPixel(Size * 0.01 * FStartPosition);
  FIEndPos = From + ChartPixel(Size * 0.01 * FEndPosition);
  const double Across = FHorizontal ? double(R.Bottom) - R.Top : double(R.Right) - R.Left;
  const int Edge = FHorizontal ? (FOtherSide ? R.Top : R.Bottom) : (FOtherSide ? R.Right : R.Left);
  // The shift points into the plot.
  FPosAxis = Edge + Outwards() * -ChartPixel(0.01 * FPositionPercent * Across);
}

int TChartAxis::CalcPosValueMapped(double Value) const {
  if (FDepth) return DepthAxisPos(Value, FIMinimum, FIMaximum, FIEndPos - FIStartPos, FInverted);
  return Mapping().CalcPosValue(Value);
}

bool TChartAxis::ValueToPixel(double Value, int& Pixel) const {
  if (!std::isfinite(Value)) return false;
  Pixel = CalcPosValue(Value);
  return true;
}

double TChartAxis::CalcPosPoint(int Pixel) const {
  if (FDepth) {
    const double Size = double(FIEndPos) - FIStartPos;
    if (Size < 1) return FIMinimum;
    const double Along = double(Pixel) - FIStartPos;
    return FInverted ? AxisValueAt(FIMaximum, FIMinimum, Along, Size)
                     : AxisValueAt(FIMinimum, FIMaximum, Along, Size);
  }
  if (FInverted || FLogarithmic) return Mapping().CalcPosPoint(Pixel);
  const double Size = double(FIEndPos) - FIStartPos;
  if (Size == 0) return FIMinimum;
  const double T = FHorizontal ? (double(Pixel) - FIStartPos) : (double(FIEndPos) - Pixel);
  return AxisValueAt(FIMinimum, FIMaximum, T, Size);
}

bool TChartAxis::Clicked(int X, int Y) const {
  constexpr int Near = 3;
  // The depth axis runs into the screen: its extent is no span of screen pixels.
  if (!FVisible || FDepth) return false;
  const int Along = FHorizontal ? X : Y, Across = FHorizontal ? Y : X;
  // The band from the axis line out to where the labels start, a little wider on the plot side.
  const int Inner = FPosAxis - Outwards() * Near;
  const int Outer = FPosLabels == FPosAxis ? FPosAxis + Outwards() * Near : FPosLabels;
  return Across >= std::min(Inner, Outer) && Across <= std::max(Inner, Outer) &&
         Along >= FIStartPos && Along <= FIEndPos;
}

namespace {
template <class T>
void Store(TCustomAxisPanel* Chart, T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  if (Chart) Chart->Invalidate();
}
}  // namespace

void TChartAxis::SetIncrement(double Value) {
  if (!(Value >= 0) || !std::isfinite(Value)) throw AxisException(AxisMessages::Increment);
  Store(FChart, FIncrement, Value);
}

void TChartAxis::SetLogarithmic(bool Value) {
  if (Value && !FLogarithmic) {
    if (IsDateTime()) throw AxisException(AxisMessages::DateTimeLog);
    CheckRange(FAutomaticMinimum, FAutomaticMaximum, FMinimum, FMaximum, true, true);
  }
  Store(FChart, FLogarithmic, Value);
}

void TChartAxis::SetLogarithmicBase(int Value) {
  if (Value < 2) throw AxisException(AxisMessages::LogBase);
  Store(FChart, FLogarithmicBase, Value);
}

void TChartAxis::SetInverted(bool Value) { Store(FChart, FInverted, Value); }
void TChartAxis::SetLabels(bool Value) { Store(FChart, FLabels, Value); }

void TChartAxis::SetLabelsSeparation(int Value) {
  if (Value < 0) throw AxisException(AxisMessages::Separation);
  Store(FChart, FLabelsSeparation, Value);
}

void TChartAxis::SetLabelStyle(TAxisLabelStyle Value) { Store(FChart, FLabelStyle, Value); }
void TChartAxis::SetAxisValuesFormat(const QString& Value) {
  Store(FChart, FAxisValuesFormat, Value);
}
void TChartAxis::SetDateTimeFormat(const QString& Value) { Store(FChart, FDateTimeFormat, Value); }
void TChartAxis::SetExactDateTime(bool Value) { Store(FChart, FExactDateTime, Value); }
void TChartAxis::SetRoundFirstLabel(bool Value) { Store(FChart, FRoundFirstLabel, Value); }
void TChartAxis::SetTickOnLabelsOnly(bool Value) { Store(FChart, FTickOnLabelsOnly, Value); }
void TChartAxis::SetLabelsOnAxis(bool Value) { Store(FChart, FLabelsOnAxis, Value); }
void TChartAxis::SetTickLength(int Value) { Store(FChart, FTickLength, Value); }
void TChartAxis::SetTickInnerLength(int Value) { Store(FChart, FTickInnerLength, Value); }
void TChartAxis::SetMinorTickCount(int Value) { Store(FChart, FMinorTickCount, Value); }
void TChartAxis::SetMinorTickLength(int Value) { Store(FChart, FMinorTickLength, Value); }
void TChartAxis::SetGridCentered(bool Value) { Store(FChart, FGridCentered, Value); }
void TChartAxis::SetStartPosition(double Value) {
  if (std::isfinite(Value)) Store(FChart, FStartPosition, Value);
}
void TChartAxis::SetEndPosition(double Value) {
  if (std::isfinite(Value)) Store(FChart, FEndPosition, Value);
}
void TChartAxis::SetPositionPercent(double Value) {
  if (std::isfinite(Value)) Store(FChart, FPositionPercent, Value);
}

bool TChartAxis::IsDateTime() const {
  if (!FChart) return false;
  TChartSeries* S = FChart->GetAxisSeries(this);
  if (!S) return false;
  return FHorizontal ? S->XValues()->DateTime() : S->YValues()->DateTime();
}

TAxisMapping TChartAxis::Mapping() const {
  TAxisMapping M;
  M.IMinimum = FIMinimum;
  M.IMaximum = FIMaximum;
  M.IStartPos = FIStartPos;
  M.IEndPos = FIEndPos;
  M.Horizontal = FHorizontal;
  M.Inverted = FInverted;
  M.Logarithmic = FLogarithmic;
  return M;
}

double TChartAxis::CalcIncrement(int LabelSize) const {
  const int N = AxisMaxLabels(FIEndPos - FIStartPos, LabelSize, FLabelsSeparation);
  if (IsDateTime()) return CalcDateTimeStep(AxisRange(FIMinimum, FIMaximum), FIncrement, N);
  return AxisCalcIncrement(FIMinimum, FIMaximum, FIncrement, N, FLabelsSeparation);
}

QString TChartAxis::LabelValue(double Value) const {
  QString Text;
  if (IsDateTime()) {
    if (Value < 0) return {};
    const QString F =
        FDateTimeFormat.isEmpty() ? DateTimeFormatForStep(CalcIncrement(0)) : FDateTimeFormat;
    Text = FormatDateTime(F, Value);
  } else {
    Text = FormatFloat(FAxisValuesFormat, Value);
  }
  if (FChart && FChart->OnGetAxisLabel && !FNoLabelEvent)
    FChart->OnGetAxisLabel(this, nullptr, -1, Text);
  if (FLabelsMultiLine) Text.replace(QLatin1Char(' '), QLatin1Char('\n'));
  return Text;
}

std::vector<double> TChartAxis::LabelValues(int LabelSize) const {
  // Without room for one label (an axis seen end-on) every label would fall on one spot.
  if (AxisMaxLabels(FIEndPos - FIStartPos, LabelSize, FLabelsSeparation) < 1) return {};
  if (FLogarithmic) return AxisLogLabelValues(FIMinimum, FIMaximum, FLogarithmicBase);
  double Step = CalcIncrement(LabelSize);
  if (!FExactDateTime || !IsDateTime())
    return AxisLabelValues(FIMinimum, FIMaximum, Step, FRoundFirstLabel);
  std::vector<double> Values;
  if (!std::isfinite(FIMinimum) || !std::isfinite(FIMaximum) || !(Step > 0)) return Values;
  // Exact date-time labels fall on calendar steps: a set increment goes up to the next table
  // step, and the first label of a step of a day or more starts its day, month or year.
  if (FIncrement > 0)
    for (int i = 0; i < NumDateTimeSteps; ++i)
      if (DateTimeStep[i] >= Step) {
        Step = DateTimeStep[i];
        break;
      }
  const int Index = DateTimeStepIndex(Step);
  double V = AxisFirstLabel(FIMinimum, Step, true);
  if (Index != dtNone && Index >= dtOneDay) V = ChartRoundDate(V, Index);
  // Rounding back may land before the range; those labels are not drawn. The loop ends when a
  // step stops moving the date and after the most labels an axis writes.
  for (int n = 0; n < 4 * MaxAxisLabels && V <= FIMaximum && int(Values.size()) < MaxAxisLabels;
       ++n) {
    if (V >= FIMinimum) Values.push_back(V);
    const double Old = V;
    IncDecDateTime(true, V, Step, true, Index);
    if (!(V > Old)) break;
  }
  return Values;
}
