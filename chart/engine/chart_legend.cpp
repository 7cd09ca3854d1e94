#include "chart/engine/chart_legend.h"

#include "chart/engine/chart_exceptions.h"

TCustomChartLegend::TCustomChartLegend(TCustomChartPanel* Owner)
    : TChartFontObject(Owner),
      FBrush(std::make_unique<TChartBrush>([this](TGraphicsObject*) { Repaint(); })),
      FDividingLines(std::make_unique<TChartHiddenPen>([this](TGraphicsObject*) { Repaint(); })),
      FFrame(std::make_unique<TChartPen>([this](TGraphicsObject*) { Repaint(); })) {}

TCustomChartLegend::~TCustomChartLegend() = default;

template <class T>
void TCustomChartLegend::Set(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  Repaint();
}

void TCustomChartLegend::SetVisible(bool Value) { Set(FVisible, Value); }
void TCustomChartLegend::SetAlignment(TLegendAlignment Value) { Set(FAlignment, Value); }
void TCustomChartLegend::SetColor(TColor Value) { Set(FColor, Value); }

void TCustomChartLegend::SetColorWidth(int Value) {
  if (Value < 0 || Value > 100) throw LegendException(LegendMessages::ColorWidth);
  Set(FColorWidth, Value);
}

void TCustomChartLegend::SetFirstValue(int Value) {
  if (Value < 0) throw LegendException(LegendMessages::FirstValue);
  Set(FFirstValue, Value);
}

void TCustomChartLegend::SetHorizMargin(int Value) { Set(FHorizMargin, Value); }
void TCustomChartLegend::SetInverted(bool Value) { Set(FInverted, Value); }
void TCustomChartLegend::SetLegendStyle(TLegendStyle Value) { Set(FLegendStyle, Value); }
void TCustomChartLegend::SetMaxNumRows(int Value) { Set(FMaxNumRows, Value); }
void TCustomChartLegend::SetResizeChart(bool Value) { Set(FResizeChart, Value); }
void TCustomChartLegend::SetShadowColor(TColor Value) { Set(FShadowColor, Value); }
void TCustomChartLegend::SetShadowSize(int Value) { Set(FShadowSize, Value); }
void TCustomChartLegend::SetTextStyle(TLegendTextStyle Value) { Set(FTextStyle, Value); }

void TCustomChartLegend::SetTopPos(int Value) {
  if (Value < 0 || Value > 100) throw LegendException(LegendMessages::TopPos);
  Set(FTopPos, Value);
}

void TCustomChartLegend::SetVertMargin(int Value) { Set(FVertMargin, Value); }

int TCustomChartLegend::Clicked(int X, int Y) const { return FLayout.Clicked(X, Y); }

void TCustomChartLegend::Assign(const TCustomChartLegend& Source) {
  FVisible = Source.FVisible;
  FLegendStyle = Source.FLegendStyle;
  FFirstValue = Source.FFirstValue;
  FAlignment = Source.FAlignment;
  FTextStyle = Source.FTextStyle;
  FColorWidth = Source.FColorWidth;
  FHorizMargin = Source.FHorizMargin;
  FTopPos = Source.FTopPos;
  FInverted = Source.FInverted;
  FResizeChart = Source.FResizeChart;
  FVertMargin = Source.FVertMargin;
  FColor = Source.FColor;
  FFrame->Assign(*Source.FFrame);
  FMaxNumRows = Source.FMaxNumRows;
  FBrush->Assign(*Source.FBrush);
  FShadowColor = Source.FShadowColor;
  FShadowSize = Source.FShadowSize;
  TChartFontObject::Assign(Source);
}
