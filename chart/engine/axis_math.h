#pragma once
// The arithmetic of an axis, free of any drawing: values to pixels and back on linear,
// logarithmic, inverted and depth axes, the label step and the sequence of label values.
// Every loop here ends: a step that does not move the value, or too many labels, stops it.
#include <vector>

// The most labels an axis ever writes.
inline constexpr int MaxAxisLabels = 1000;

// Max - Min, held to the largest double where the difference of two finite ends overflows.
double AxisRange(double Min, double Max);
// A + B, held to the largest double where the sum of two finite values overflows.
double AxisSum(double A, double B);
// Where Value lies from Min (0) to Max (1), also where the differences overflow; not finite for
// an empty or non-finite range.
double AxisFraction(double Value, double Min, double Max);
// The value Along / Size of the way from From to To (either may be the larger end), held to the
// finite doubles.
double AxisValueAt(double From, double To, double Along, double Size);

struct TAxisMapping {
  double IMinimum = 0, IMaximum = 0;
  int IStartPos = 0, IEndPos = 0;
  bool Horizontal = true, Inverted = false, Logarithmic = false;

  double IRange() const { return AxisRange(IMinimum, IMaximum); }
  int IAxisSize() const { return IEndPos - IStartPos; }
  int ICenterPos() const { return (IStartPos + IEndPos) / 2; }
  // The pixel of Value; the centre for an empty or non-finite range or a value that would land
  // beyond the integers.
  int CalcPosValue(double Value) const;
  // The value at Pixel.
  double CalcPosPoint(int Pixel) const;
  // The pixels that a value difference spans; 0 for a non-positive or non-finite one.
  int CalcSizeValue(double Value) const;
};

// The depth of Value on a depth axis whose range is Min..Max, over Depth pixels.
int DepthAxisPos(double Value, double Min, double Max, int Depth, bool Inverted);

// How many labels of LabelSize pixels, with Separation percent between them, fit AxisSize.
int AxisMaxLabels(int AxisSize, int LabelSize, int Separation);
// The label step of a numeric axis over Min..Max: Increment when positive, then up the 1-2-5 series
// until no more than MaxLabels labels are needed (only with a separation of at least 1); an
// automatic step is then taken down the series while the range holds fewer than two steps.
double AxisCalcIncrement(double Min, double Max, double Increment, int MaxLabels, int Separation);
// The first label: Min rounded down to a multiple of Step when RoundFirst (Min itself when the
// rounding cannot be represented).
double AxisFirstLabel(double Min, double Step, bool RoundFirst);
// The label values from the first label up to Max by Step: none for a non-finite or inverted
// range or a step that is not positive; ends when a step no longer moves the value and after
// MaxAxisLabels labels.
std::vector<double> AxisLabelValues(double Min, double Max, double Step, bool RoundFirst);
// The labels of a logarithmic axis: the powers of Base within Min..Max (none for a base below 2
// or a non-positive or non-finite range), at most MaxAxisLabels.
std::vector<double> AxisLogLabelValues(double Min, double Max, int Base);
