#pragma once
// Bars standing on the horizontal axis or lying along the vertical one. Both directions are one
// drawing routine in category and value coordinates; the two classes only say which axis is
// which. Bars of the same kind in a chart are laid out together: side by side, stacked or
// stacked to 100 %.
#include <functional>
#include <memory>

#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_series.h"
#include "chart/engine/series_pointer.h"

enum TMultiBar { mbNone, mbSide, mbStacked, mbStacked100 };
// In a namespace of its own: the plotting library has a bar style of the same name.
namespace ChartBar {
enum TBarStyle {
  bsRectangle,
  bsPyramid,
  bsInvPyramid,
  bsCilinder,
  bsEllipse,
  bsArrow,
  bsRectGradient
};
}  // namespace ChartBar

class BarException : public ChartException {
 public:
  using ChartException::ChartException;
};

class TCustomBarSeries;
using TGetBarStyleEvent =
    std::function<void(TCustomBarSeries*, int ValueIndex, ChartBar::TBarStyle&)>;

namespace BarMessages {
inline constexpr const char* WidthPercent = "Bar Width Percent must be between 1 and 100";
inline constexpr const char* OffsetPercent = "Bar Offset Percent must be between -100% and 100%";
inline constexpr const char* FillSampleValues = "FillSampleValues NumValues must be > 0";
}  // namespace BarMessages

class TCustomBarSeries : public TChartSeries {
 public:
  explicit TCustomBarSeries(bool Horizontal);

  bool AutoBarSize() const { return FAutoBarSize; }
  void SetAutoBarSize(bool Value) { Change(FAutoBarSize, Value); }
  bool AutoMarkPosition() const { return FAutoMarkPosition; }
  void SetAutoMarkPosition(bool Value) { Change(FAutoMarkPosition, Value); }
  TChartBrush* BarBrush() const { return FBarBrush.get(); }
  TChartPen* BarPen() const { return FBarPen.get(); }
  ChartBar::TBarStyle BarStyle() const { return FBarStyle; }
  void SetBarStyle(ChartBar::TBarStyle Value) { Change(FBarStyle, Value); }
  int BarWidthPercent() const { return FBarWidthPercent; }
  // Outside 1..100: BarException, the value stays.
  void SetBarWidthPercent(int Value);
  int CustomBarSize() const { return FCustomBarSize; }
  void SetCustomBarSize(int Value) { Change(FCustomBarSize, std::max(0, Value)); }
  bool Dark3D() const { return FDark3D; }
  void SetDark3D(bool Value) { Change(FDark3D, Value); }
  TMultiBar MultiBar() const { return FMultiBar; }
  // Every bar series of the same kind in the chart takes the mode.
  void SetMultiBar(TMultiBar Value);
  int OffsetPercent() const { return FOffsetPercent; }
  // Outside -100..100: BarException, the value stays.
  void SetOffsetPercent(int Value);
  bool SideMargins() const { return FSideMargins; }
  void SetSideMargins(bool Value);
  bool UseYOrigin() const { return FUseYOrigin; }
  void SetUseYOrigin(bool Value) { Change(FUseYOrigin, Value); }
  double YOrigin() const { return FYOrigin; }
  void SetYOrigin(double Value) { Change(FYOrigin, Value); }
  TGetBarStyleEvent OnGetBarStyle;
  void AssignEvents(const TChartSeries& Source) override {
    TChartSeries::AssignEvents(Source);
    if (const auto* B = dynamic_cast<const TCustomBarSeries*>(&Source))
      OnGetBarStyle = B->OnGetBarStyle;
  }

  bool Horizontal() const { return FHorizontal; }
  int BarWidth() const { return FBarWidth; }
  int NumSampleValues() const override { return 6; }
  QString GetEditorClassName() const { return QStringLiteral("TBarSeriesEditor"); }
  void Assign(const TChartSeries& Source) override;
  void PrepareForGallery(bool IsEnabled) override;

  TChartValueList* MandatoryValueList() override { return FHorizontal ? XValues() : YValues(); }
  bool YMandatory() const override { return !FHorizontal; }
  // Same kind: either series is an instance of the other's class.
  virtual bool IsInstance(const TChartSeries* S) const = 0;
  bool SameKind(const TChartSeries* S) const;
  // The active series of this kind in the chart, in list order (itself at least).
  std::vector<TCustomBarSeries*> Group() const;

  // Works out the bar width too: the chart asks before every drawing. Along the value axis the
  // marks get room beyond the bars' ends, so that the tallest bar's mark is not cut.
  void CalcHorizMargins(int& Left, int& Right) override;
  void CalcVerticalMargins(int& Top, int& Bottom) override;
  // How far a mark reaches along the value axis in the canvas' font: its height for vertical
  // bars, its text width for horizontal ones (the widest for -1).
  virtual int MarkLength(int ValueIndex) const;
  // The room of the marks beyond a bar's end (0 without points or visible marks).
  int MarksRoom() const;
  void CalcBarWidth();
  // Side-by-side and stacked bars lie in the depth of the first bar series of their kind.
  void CalcZOrder(int& MaxZ, bool Is3D) override;
  double PointOrigin(int ValueIndex, bool SumAll) const;
  // The bar's start edge across its category axis, and its value end and origin end along the
  // value axis.
  int CategoryPos(int ValueIndex) const;
  int ValuePos(int ValueIndex) const;
  int GetOriginPos(int ValueIndex) const;
  double MaxValue() const;
  double MinValue() const;
  double MinXValue() const override;
  double MaxXValue() const override;
  double MinYValue() const override;
  double MaxYValue() const override;

  void DrawAllValues() override;
  void DrawValue(int ValueIndex) override;
  void DrawBar(int ValueIndex, int StartPos, int EndPos);
  bool DrawValuesForward() const override;
  bool DrawSeriesForward(int ValueIndex) const override;
  int Clicked(int X, int Y) const override;
  bool InternalClicked(int ValueIndex, TPoint P) const;
  // The box in the bar's pen and hatch, with the brush's picture when it has one.
  void PrepareLegendCanvas(int ValueIndex, TColor& BackColor, TBrushStyle& Style) override;
  void DrawLegendShape(int ValueIndex, const TRect& R) override;
  void DrawMark(int ValueIndex, const QString& Text, TSeriesMarkPosition& Position) override;

 private:
  TChartAxis* CategoryAxis() const;
  TChartAxis* ValueAxis() const;
  double BarValue(int ValueIndex) const;
  double CategoryValue(int ValueIndex) const;
  int ValuePixel(double Value) const;
  void GroupPosition(int& Index, int& Count) const;
  void PrepareBarCanvas(TColor Color);
  void DrawRectangle(const TRect& R, TColor Color);
  // The bar's rectangle on the screen from its category edges and value ends.
  TRect ScreenRect(int CatStart, int CatEnd, int ValStart, int ValEnd) const;

  bool FHorizontal;
  bool FAutoBarSize = false, FAutoMarkPosition = true;
  std::unique_ptr<TChartBrush> FBarBrush;
  std::unique_ptr<TChartPen> FBarPen;
  ChartBar::TBarStyle FBarStyle = ChartBar::bsRectangle;
  int FBarWidthPercent = 70;
  int FCustomBarSize = 0;
  bool FDark3D = true;
  TMultiBar FMultiBar = mbSide;
  int FOffsetPercent = 0;
  bool FSideMargins = true, FUseYOrigin = true;
  double FYOrigin = 0;
  int FBarWidth = 0;
  TColor FNormalBarColor = clNone;
};

class TBarSeries : public TCustomBarSeries {
 public:
  TBarSeries() : TCustomBarSeries(false) {}
  QString ClassName() const override { return QStringLiteral("TBarSeries"); }
  int CustomBarWidth() const { return CustomBarSize(); }
  void SetCustomBarWidth(int Value) { SetCustomBarSize(Value); }
  bool IsInstance(const TChartSeries* S) const override {
    return dynamic_cast<const TBarSeries*>(S) != nullptr;
  }
};

class THorizBarSeries : public TCustomBarSeries {
 public:
  THorizBarSeries() : TCustomBarSeries(true) {}
  QString ClassName() const override { return QStringLiteral("THorizBarSeries"); }
  int CustomBarHeight() const { return CustomBarSize(); }
  void SetCustomBarHeight(int Value) { SetCustomBarSize(Value); }
  bool IsInstance(const TChartSeries* S) const override {
    return dynamic_cast<const THorizBarSeries*>(S) != nullptr;
  }
  // Bars along increasing Y at random X; below 1: BarException.
  void FillSampleValues(int NumValues) override;
};
