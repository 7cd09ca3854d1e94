#include "chart/engine/chart_pen.h"

#include <utility>

TColor ChartDrawColor(TColor Color) {
  if (IsChartAuto(Color) || Color == clNone) return clNone;
  return ColorToRGB(Color);
}

TChartPen::TChartPen(TChangeEvent OnChangeHandler) { OnChange = std::move(OnChangeHandler); }

void TChartPen::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Changed();
}

void TChartPen::SetSmallDots(bool Value) {
  if (FSmallDots == Value) return;
  FSmallDots = Value;
  Changed();
}

void TChartPen::Assign(const TPen& Source) {
  if (auto* P = dynamic_cast<const TChartPen*>(&Source)) {
    FVisible = P->FVisible;
    FSmallDots = P->FSmallDots;
  }
  TPen::Assign(Source);
}

// The presets set their defaults before the owner's handler is attached, so building one
// notifies nobody.
TChartHiddenPen::TChartHiddenPen(TChangeEvent OnChangeHandler) {
  SetVisible(false);
  OnChange = std::move(OnChangeHandler);
}

TDottedGrayPen::TDottedGrayPen(TChangeEvent OnChangeHandler) {
  SetColor(clGray);
  SetStyle(psDot);
  OnChange = std::move(OnChangeHandler);
}

TDarkGrayPen::TDarkGrayPen(TChangeEvent OnChangeHandler) {
  SetColor(clGray);
  OnChange = std::move(OnChangeHandler);
}

TChartArrowPen::TChartArrowPen(TChangeEvent OnChangeHandler) {
  SetColor(clWhite);
  OnChange = std::move(OnChangeHandler);
}

TChartAxisPen::TChartAxisPen(TChangeEvent OnChangeHandler) {
  SetWidth(2);
  OnChange = std::move(OnChangeHandler);
}

TChartBrush::TChartBrush(TChangeEvent OnChangeHandler) { OnChange = std::move(OnChangeHandler); }
