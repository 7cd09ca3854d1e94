#pragma once
// The legend: the chart's series, or the values of one series, each with its colour symbol and
// text, placed at one side of the chart rectangle, optionally in columns; it takes its room from
// the chart and answers which item lies under a point.
#include <memory>

#include "chart/engine/chart_panel.h"
#include "chart/engine/chart_pen.h"
#include "chart/engine/legend_layout.h"

class TChartCanvas3D;

// In a namespace of its own: the plotting library has a legend style of the same name, and the
// program's windows see both.
namespace ChartLegend {
enum TLegendStyle { lsAuto, lsSeries, lsValues, lsLastValues };
}  // namespace ChartLegend

namespace LegendMessages {
inline constexpr const char* TopPos = "Top Legend Position must be between 0 and 100 %";
inline constexpr const char* FirstValue = "First Legend Value must be > 0";
inline constexpr const char* ColorWidth = "Legend Color Width must be between 0 and 100 %";
}  // namespace LegendMessages

class TCustomChartLegend : public TChartFontObject {
 public:
  explicit TCustomChartLegend(TCustomChartPanel* Owner);
  ~TCustomChartLegend() override;

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  TLegendAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TLegendAlignment Value);
  bool Vertical() const { return FAlignment == laLeft || FAlignment == laRight; }
  TChartBrush* Brush() const { return FBrush.get(); }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // 0..100, else LegendException and the old value stays.
  int ColorWidth() const { return FColorWidth; }
  void SetColorWidth(int Value);
  TChartHiddenPen* DividingLines() const { return FDividingLines.get(); }
  // At least 0, else LegendException.
  int FirstValue() const { return FFirstValue; }
  void SetFirstValue(int Value);
  TChartPen* Frame() const { return FFrame.get(); }
  int HorizMargin() const { return FHorizMargin; }
  void SetHorizMargin(int Value);
  bool Inverted() const { return FInverted; }
  void SetInverted(bool Value);
  ChartLegend::TLegendStyle LegendStyle() const { return FLegendStyle; }
  void SetLegendStyle(ChartLegend::TLegendStyle Value);
  int MaxNumRows() const { return FMaxNumRows; }
  void SetMaxNumRows(int Value);
  bool ResizeChart() const { return FResizeChart; }
  void SetResizeChart(bool Value);
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor Value);
  int ShadowSize() const { return FShadowSize; }
  void SetShadowSize(int Value);
  TLegendTextStyle TextStyle() const { return FTextStyle; }
  void SetTextStyle(TLegendTextStyle Value);
  // 0..100, else LegendException.
  int TopPos() const { return FTopPos; }
  void SetTopPos(int Value);
  int VertMargin() const { return FVertMargin; }
  void SetVertMargin(int Value);

  const TRect& RectLegend() const { return FRectLegend; }
  const TLegendLayout& Layout() const { return FLayout; }
  // Draws the legend and takes its room from the chart rectangle; the items come with the series
  // that hand the legend their entries.
  virtual void DrawLegend();
  // lsAuto: the values of a chart with fewer than two series, else the series.
  ChartLegend::TLegendStyle EffectiveStyle() const;
  int TotalLegendItems() const;
  // The text of item Index (counted from the first item, not from FirstValue), as the chart's
  // OnGetLegendText leaves it.
  QString LegendText(int Index) const;
  // The item under the point, or -1.
  virtual int Clicked(int X, int Y) const;
  void Assign(const TCustomChartLegend& Source);

 protected:
  TRect FRectLegend;
  TLegendLayout FLayout;

 private:
  template <class T>
  void Set(T& Field, T Value);
  QString ItemText(int Index) const;
  // A bitmap, a hatch over the legend's colour, or the colour alone.
  void SetLegendBrush(TChartCanvas3D& C) const;

  bool FVisible = true;
  TLegendAlignment FAlignment = laRight;
  std::unique_ptr<TChartBrush> FBrush;
  TColor FColor = 0xFFFFFF;
  int FColorWidth = 12;
  std::unique_ptr<TChartHiddenPen> FDividingLines;
  int FFirstValue = 0;
  std::unique_ptr<TChartPen> FFrame;
  int FHorizMargin = 0;
  bool FInverted = false;
  ChartLegend::TLegendStyle FLegendStyle = ChartLegend::lsAuto;
  int FMaxNumRows = 10;
  bool FResizeChart = true;
  TColor FShadowColor = 0;
  int FShadowSize = 3;
  TLegendTextStyle FTextStyle = ltsLeftValue;
  int FTopPos = 10;
  int FVertMargin = 0;
};

class TChartLegend : public TCustomChartLegend {
 public:
  using TCustomChartLegend::TCustomChartLegend;
};
