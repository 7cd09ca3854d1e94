#include "chart/engine/axis_math.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>

#include "chart/engine/chart_utils.h"

namespace {
// Half to even, the chart's rounding of pixels.
double RoundEven(double V) { return std::nearbyint(V); }

double SafeLn(double V) { return V > 0 ? std::log(V) : 0; }

// The step of the 1-2-5 series below Step (which lies on the series or between two of its steps).
double ChartPreviousStep(double Step) {
  if (!(Step > 0) || !std::isfinite(Step)) return Step;
  const double Scale = std::pow(10.0, std::floor(std::log10(Step) + 1e-9));
  const double M = Step / Scale;
  return M > 5 + 1e-9 ? 5 * Scale : M > 2 + 1e-9 ? 2 * Scale : M > 1 + 1e-9 ? Scale : Scale / 2;
}
}  // namespace

double AxisRange(double Min, double Max) {
  const double Range = Max - Min;
  if (std::isinf(Range) && std::isfinite(Min) && std::isfinite(Max))
    return std::copysign(DBL_MAX, Range);
  return Range;
}

double AxisSum(double A, double B) {
  const double Sum = A + B;
  if (std::isinf(Sum) && std::isfinite(A) && std::isfinite(B)) return std::copysign(DBL_MAX, Sum);
  return Sum;
}

double AxisFraction(double Value, double Min, double Max) {
  const double Range = Max - Min, Off = Value - Min;
  if (std::isfinite(Range) && std::isfinite(Off)) return Off / Range;
  // Halved, no difference of finite doubles overflows.
  return (Value * 0.5 - Min * 0.5) / (Max * 0.5 - Min * 0.5);
}

double AxisValueAt(double From, double To, double Along, double Size) {
  const double Range = To - From;
  double V = From + Along * Range / Size;
  if (!std::isfinite(Range)) {
    const double F = Along / Size;
    V = From * (1 - F) + To * F;
  }
  return std::isnan(V) ? V : std::clamp(V, -DBL_MAX, DBL_MAX);
}

int TAxisMapping::CalcPosValue(double Value) const {
  if (!std::isfinite(Value)) return ICenterPos();
  if (Logarithmic) {
    const double LogRange = SafeLn(IMaximum) - SafeLn(IMinimum);
    if (LogRange == 0 || !std::isfinite(LogRange)) return ICenterPos();
    if (Value <= 0) {
      const bool AtStart = Horizontal != Inverted;
      return AtStart ? IStartPos : IEndPos;
    }
    const double T =
        Inverted ? SafeLn(IMaximum) - std::log(Value) : std::log(Value) - SafeLn(IMinimum);
    const double P = IAxisSize() * T / LogRange;
    if (!std::isfinite(P) || std::fabs(P) > INT_MAX) return ICenterPos();
    const double Pos = Horizontal ? IStartPos + RoundEven(P) : IEndPos - RoundEven(P);
    return int(std::clamp(Pos, double(INT_MIN), double(INT_MAX)));
  }
  if (IRange() == 0 || !std::isfinite(IRange())) return ICenterPos();
  const double Range = IMaximum - IMinimum;
  // Where the differences overflow, by the fraction of the range.
  const double T = std::isfinite(Range) && std::isfinite(Value - IMinimum)
                       ? (Value - IMinimum) * IAxisSize() / Range
                       : AxisFraction(Value, IMinimum, IMaximum) * IAxisSize();
  if (!std::isfinite(T) || std::fabs(T) > INT_MAX) return ICenterPos();
  const double P = RoundEven(T);
  double Pos;
  if (Horizontal)
    Pos = Inverted ? IEndPos - P : IStartPos + P;
  else
    Pos = Inverted ? IStartPos + P : IEndPos - P;
  return int(std::clamp(Pos, double(INT_MIN), double(INT_MAX)));
}

double TAxisMapping::CalcPosPoint(int Pixel) const {
  if (IAxisSize() < 1) return 0;
  const double Along = Inverted ? double(IEndPos) - Pixel : double(Pixel) - IStartPos;
  if (Logarithmic) {
    if (Pixel == (Horizontal ? IStartPos : IEndPos)) return Inverted ? IMaximum : IMinimum;
    if (Pixel == (Horizontal ? IEndPos : IStartPos)) return Inverted ? IMinimum : IMaximum;
    const double LogMin = SafeLn(IMinimum), LogRange = SafeLn(IMaximum) - LogMin;
    if (LogRange == 0) return IMinimum;
    const double T = Along * LogRange / IAxisSize();
    return Horizontal ? std::exp(LogMin + T) : std::exp(SafeLn(IMaximum) - T);
  }
  return Horizontal ? AxisValueAt(IMinimum, IMaximum, Along, IAxisSize())
                    : AxisValueAt(IMaximum, IMinimum, Along, IAxisSize());
}

int TAxisMapping::CalcSizeValue(double Value) const {
  if (!(Value > 0) || !std::isfinite(Value)) return 0;
  double P;
  if (Logarithmic) {
    const double LogRange = SafeLn(IMaximum) - SafeLn(IMinimum);
    if (LogRange == 0) return 0;
    P = std::log(Value) * IAxisSize() / LogRange;
  } else {
    if (IRange() == 0) return 0;
    P = Value * IAxisSize() / IRange();
  }
  if (!std::isfinite(P)) return 0;
  return int(std::clamp(RoundEven(P), double(INT_MIN), double(INT_MAX)));
}

int DepthAxisPos(double Value, double Min, double Max, int Depth, bool Inverted) {
  const double Range = Max - Min, Off = Inverted ? Max - Value : Value - Min;
  double F = Off / Range;
  if (!std::isfinite(Range) || !std::isfinite(Off)) {
    F = AxisFraction(Value, Min, Max);
    if (Inverted) F = 1 - F;
  }
  if (Range == 0 || !std::isfinite(F)) return Depth / 2;
  const double P = Depth * F;
  return int(std::clamp(RoundEven(P), double(INT_MIN), double(INT_MAX)));
}

int AxisMaxLabels(int AxisSize, int LabelSize, int Separation) {
  const double Room = LabelSize + RoundEven(Separation * 0.01 * LabelSize);
  if (Room < 1) return 1;
  return int(std::clamp(RoundEven(AxisSize / Room), 0.0, double(INT_MAX)));
}

double AxisCalcIncrement(double Min, double Max, double Increment, int MaxLabels, int Separation) {
  constexpr double MinStep = 1e-12;
  if (MaxLabels < 1) return MinStep;
  const double Range = AxisRange(Min, Max);
  double Step = Increment > 0 && std::isfinite(Increment) ? Increment
                : std::fabs(Range) < 1                    ? MinStep
                                                          : 1;
  if (std::isfinite(Min) && std::isfinite(Max) && Separation >= 1) {
    for (;;) {
      // Where the difference of the ends overflows, the range held to the largest double
      // would count as few as half the labels: they are counted from the ends apart.
      const double Q = std::isinf(Max - Min) ? Max / Step - Min / Step : Range / Step;
      if (std::fabs(Q) <= INT_MAX && RoundEven(Q) <= MaxLabels) break;
      const double Next = ChartNextStep(Step);
      // A step that no longer grows (the top of the doubles) ends the search.
      if (!(Next > Step) || !std::isfinite(Next)) break;
      Step = Next;
    }
    // A range of one to two steps from the first step of 1 would get a single label (-0.89 ..
    // 0.89 only "0"): while there is room, the step goes down the series to at least two.
    if (!(Increment > 0))
      while (Step > MinStep && std::fabs(Range) / Step < 2) {
        const double Finer = ChartPreviousStep(Step);
        if (!(Finer < Step) || RoundEven(std::fabs(Range) / Finer) > MaxLabels) break;
        Step = Finer;
      }
  }
  return std::max(Step, MinStep);
}

double AxisFirstLabel(double Min, double Step, bool RoundFirst) {
  if (!RoundFirst || !(Step > 0)) return Min;
  const double Q = std::floor(Min / Step);
  double First = Q * Step;
  // Rounding down past the lowest double: the next multiple up, within the range.
  if (std::isfinite(Q) && !std::isfinite(First)) First = (Q + 1) * Step;
  // Truncating beyond what a double holds answers the minimum itself.
  if (!std::isfinite(Q) || !std::isfinite(First)) return Min;
  return First;
}

std::vector<double> AxisLabelValues(double Min, double Max, double Step, bool RoundFirst) {
  std::vector<double> R;
  if (!std::isfinite(Min) || !std::isfinite(Max) || !std::isfinite(Step) || !(Step > 0) ||
      Max < Min)
    return R;
  double V = AxisFirstLabel(Min, Step, RoundFirst);
  // Labels below the minimum (from the rounding) are not written.
  while (V < Min && R.size() < size_t(MaxAxisLabels)) {
    const double Next = V + Step;
    if (!(Next > V)) return R;
    V = Next;
  }
  // A tiny tolerance keeps the last label that rounding put a hair beyond the maximum.
  const double Limit = Max + std::fabs(Step) * 1e-9;
  while (V <= Limit && R.size() < size_t(MaxAxisLabels)) {
    // The sum of rounded huge steps leaves a residue where the label is 0.
    R.push_back(std::fabs(V) < Step * 1e-9 ? 0.0 : V);
    const double Next = V + Step;
    if (!(Next > V)) break;
    V = Next;
  }
  return R;
}

std::vector<double> AxisLogLabelValues(double Min, double Max, int Base) {
  std::vector<double> R;
  if (Base < 2 || !std::isfinite(Min) || !std::isfinite(Max) || !(Max > 0) || Max < Min) return R;
  const double LnBase = std::log(double(Base));
  // A non-positive minimum starts at the smallest normal double.
  const double Low = Min > 0 ? Min : DBL_MIN;
  double E = std::ceil(std::log(Low) / LnBase - 1e-9);
  double Last = -1;
  while (R.size() < size_t(MaxAxisLabels)) {
    const double V = std::pow(double(Base), E);
    if (!std::isfinite(V) || V > Max * (1 + 1e-12)) break;
    if (V > Last && V >= Low * (1 - 1e-12)) R.push_back(V);
    Last = V;
    E += 1;
  }
  return R;
}
