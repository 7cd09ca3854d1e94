#include "chart/engine/chart_series.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/axis_panel.h"

TChartSeries::~TChartSeries() {
  if (FParentChart) FParentChart->InternalRemoveSeries(this);
}

void TChartSeries::SetParentChart(TCustomAxisPanel* Chart) {
  if (FParentChart == Chart) return;
  if (FParentChart) FParentChart->InternalRemoveSeries(this);
  if (Chart) Chart->InternalAddSeries(this);
}

void TChartSeries::SetActive(bool Value) {
  if (FActive == Value) return;
  FActive = Value;
  if (FParentChart) FParentChart->Invalidate();
}

namespace {
// Extremes over the finite values; 0 for a series without any.
template <class F>
double Extreme(const TChartSeries& S, F Value, bool Max) {
  bool Any = false;
  double R = 0;
  for (int i = 0; i < S.Count(); ++i) {
    const double V = Value(i);
    if (!std::isfinite(V)) continue;
    if (!Any || (Max ? V > R : V < R)) R = V;
    Any = true;
  }
  return R;
}
}  // namespace

double TChartSeries::MinXValue() const {
  return Extreme(
      *this, [this](int i) { return XValue(i); }, false);
}
double TChartSeries::MaxXValue() const {
  return Extreme(
      *this, [this](int i) { return XValue(i); }, true);
}
double TChartSeries::MinYValue() const {
  return Extreme(
      *this, [this](int i) { return YValue(i); }, false);
}
double TChartSeries::MaxYValue() const {
  return Extreme(
      *this, [this](int i) { return YValue(i); }, true);
}

bool TChartSeries::AssociatedToAxis(const TChartAxis* Axis) const {
  if (!FParentChart || !Axis || !UseAxis()) return false;
  if (Axis->Horizontal()) {
    if (FHorizAxis == aBothHorizAxis) return true;
    return Axis == (FHorizAxis == aTopAxis ? FParentChart->TopAxis() : FParentChart->BottomAxis());
  }
  if (Axis->IsDepthAxis()) return false;
  if (FVertAxis == aBothVertAxis) return true;
  return Axis == (FVertAxis == aRightAxis ? FParentChart->RightAxis() : FParentChart->LeftAxis());
}
