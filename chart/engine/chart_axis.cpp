#include "chart/engine/chart_axis.h"

#include <cmath>
#include <cstdlib>

#include "chart/engine/axis_panel.h"
#include "chart/engine/projection.h"

void TChartAxis::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  if (FChart) FChart->Invalidate();
}

void TChartAxis::SetAutomatic(bool Value) {
  FAutomatic = FAutomaticMinimum = FAutomaticMaximum = Value;
  if (FChart) FChart->Invalidate();
}

void TChartAxis::SetAutomaticMinimum(bool Value) {
  FAutomaticMinimum = Value;
  FAutomatic = Value ? FAutomaticMaximum : false;
  if (FChart) FChart->Invalidate();
}

void TChartAxis::SetAutomaticMaximum(bool Value) {
  FAutomaticMaximum = Value;
  FAutomatic = Value ? FAutomaticMinimum : false;
  if (FChart) FChart->Invalidate();
}

void TChartAxis::SetMinimum(double Value) {
  if (!std::isfinite(Value) || Value == FMinimum) return;
  FMinimum = Value;
  if (FChart) FChart->Invalidate();
}

void TChartAxis::SetMaximum(double Value) {
  if (!std::isfinite(Value) || Value == FMaximum) return;
  FMaximum = Value;
  if (FChart) FChart->Invalidate();
}

void TChartAxis::SetMinMax(double Min, double Max) {
  if (!std::isfinite(Min) || !std::isfinite(Max)) return;
  FAutomatic = FAutomaticMinimum = FAutomaticMaximum = false;
  if (Min > Max) std::swap(Min, Max);
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
  if (FHorizontal) {
    FIStartPos = R.Left;
    FIEndPos = R.Right;
    FPosAxis = FOtherSide ? R.Top : R.Bottom;
  } else {
    FIStartPos = R.Top;
    FIEndPos = R.Bottom;
    FPosAxis = FOtherSide ? R.Right : R.Left;
  }
}

int TChartAxis::CalcPosValue(double Value) const {
  const double Range = FIMaximum - FIMinimum;
  const double Size = double(FIEndPos) - FIStartPos;
  if (Range == 0 || !std::isfinite(Range)) return FHorizontal ? FIStartPos : FIEndPos;
  const double T = (Value - FIMinimum) / Range * Size;
  return ChartPixel(FHorizontal ? FIStartPos + T : FIEndPos - T);
}

bool TChartAxis::ValueToPixel(double Value, int& Pixel) const {
  if (!std::isfinite(Value)) return false;
  Pixel = CalcPosValue(Value);
  return true;
}

double TChartAxis::CalcPosPoint(int Pixel) const {
  const double Size = double(FIEndPos) - FIStartPos;
  if (Size == 0) return FIMinimum;
  const double T = FHorizontal ? (double(Pixel) - FIStartPos) : (double(FIEndPos) - Pixel);
  return FIMinimum + T / Size * (FIMaximum - FIMinimum);
}

bool TChartAxis::Clicked(int X, int Y) const {
  constexpr int Near = 3;
  const int Along = FHorizontal ? X : Y, Across = FHorizontal ? Y : X;
  return std::abs(Across - FPosAxis) <= Near && Along >= FIStartPos && Along <= FIEndPos;
}
