#include "chart/engine/chart_legend.h"

void TCustomChartLegend::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Repaint();
}

void TCustomChartLegend::SetAlignment(TLegendAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Repaint();
}

int TCustomChartLegend::Clicked(int, int) const { return -1; }

void TCustomChartLegend::Assign(const TCustomChartLegend& Source) {
  FVisible = Source.FVisible;
  FAlignment = Source.FAlignment;
  TChartFontObject::Assign(Source);
}
