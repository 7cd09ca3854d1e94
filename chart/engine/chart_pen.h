#pragma once
// The chart's pens and brushes, and its automatic colour.
#include "platform/graphics.h"

// "Automatic": the series colour, the palette colour of a point, or no fill for walls and titles.
// It has the high bit set like a system colour, so every place that may meet it must test for it
// before a colour is resolved (it would otherwise come out as the first system colour).
inline constexpr TColor clChartAuto = static_cast<TColor>(0x80000000u);
constexpr bool IsChartAuto(TColor Color) { return Color == clChartAuto; }
// The plain colour to draw with: the automatic colour and clNone are answered as clNone (nothing
// is drawn in them), everything else through the platform's table.
TColor ChartDrawColor(TColor Color);

class TChartPen : public TPen {
 public:
  explicit TChartPen(TChangeEvent OnChangeHandler = nullptr);

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool SmallDots() const { return FSmallDots; }
  void SetSmallDots(bool Value);
  void Assign(const TPen& Source) override;

 private:
  bool FVisible = true;
  bool FSmallDots = false;
};

class TChartHiddenPen : public TChartPen {
 public:
  explicit TChartHiddenPen(TChangeEvent OnChangeHandler = nullptr);
};

class TDottedGrayPen : public TChartPen {
 public:
  explicit TDottedGrayPen(TChangeEvent OnChangeHandler = nullptr);
};

class TDarkGrayPen : public TChartPen {
 public:
  explicit TDarkGrayPen(TChangeEvent OnChangeHandler = nullptr);
};

class TChartArrowPen : public TChartPen {
 public:
  explicit TChartArrowPen(TChangeEvent OnChangeHandler = nullptr);
};

class TChartAxisPen : public TChartPen {
 public:
  explicit TChartAxisPen(TChangeEvent OnChangeHandler = nullptr);
};

class TChartBrush : public TBrush {
 public:
  explicit TChartBrush(TChangeEvent OnChangeHandler = nullptr);
};
