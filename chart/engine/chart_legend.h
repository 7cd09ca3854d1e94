#pragma once
// The part of the legend that the chart's drawing order and hit test rely on.
#include "chart/engine/chart_panel.h"

enum TLegendAlignment { laLeft, laRight, laTop, laBottom };

class TCustomChartLegend : public TChartFontObject {
 public:
  explicit TCustomChartLegend(TCustomChartPanel* Owner) : TChartFontObject(Owner) {}
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  TLegendAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TLegendAlignment Value);
  bool Vertical() const { return FAlignment == laLeft || FAlignment == laRight; }
  const TRect& RectLegend() const { return FRectLegend; }
  // Draws the legend and takes its room from the chart rectangle; the item layout comes with the
  // series that hand it their entries.
  virtual void DrawLegend() {}
  // The item under the point, or -1.
  virtual int Clicked(int X, int Y) const;
  void Assign(const TCustomChartLegend& Source);

 protected:
  TRect FRectLegend;

 private:
  bool FVisible = true;
  TLegendAlignment FAlignment = laRight;
};

class TChartLegend : public TCustomChartLegend {
 public:
  using TCustomChartLegend::TCustomChartLegend;
};
