#pragma once
// The series that join or mark their points: the shared line-point-area base with its three
// kinds, and the lighter fast line that draws only a polyline.
#include <functional>
#include <memory>

#include "chart/engine/chart_series.h"
#include "chart/engine/series_pointer.h"

enum TMultiArea { maNone, maStacked, maStacked100 };

class TCustomSeries;
using TOnGetPointerStyle = std::function<TSeriesPointerStyle(TChartSeries*, int ValueIndex)>;
using TSeriesClickPointerEvent = std::function<void(TCustomSeries*, int ValueIndex, int X, int Y)>;

// The stacking sums shared by stacked areas and bars: the same point of the earlier series of
// the same kind in the chart (of all of them with SumAll).
double StackOrigin(const TChartSeries& S, int ValueIndex, bool SumAll,
                   const std::function<bool(const TChartSeries*)>& SameKind);

class TCustomSeries : public TChartSeries {
 public:
  TCustomSeries();

  TBrushStyle AreaBrush() const { return FAreaBrush; }
  void SetAreaBrush(TBrushStyle Value) { Change(FAreaBrush, Value); }
  TColor AreaColor() const { return FAreaColor; }
  void SetAreaColor(TColor Value) { Change(FAreaColor, Value); }
  TChartPen* AreaLinesPen() const { return FAreaLinesPen.get(); }
  bool ClickableLine() const { return FClickableLine; }
  void SetClickableLine(bool Value) { Change(FClickableLine, Value); }
  bool Dark3D() const { return FDark3D; }
  void SetDark3D(bool Value) { Change(FDark3D, Value); }
  bool DrawArea() const { return FDrawArea; }
  void SetDrawArea(bool Value) { Change(FDrawArea, Value); }
  bool DrawLine() const { return FDrawLine; }
  void SetDrawLine(bool Value) { Change(FDrawLine, Value); }
  bool InvertedStairs() const { return FInvertedStairs; }
  void SetInvertedStairs(bool Value) { Change(FInvertedStairs, Value); }
  TBrushStyle LineBrush() const { return FLineBrush; }
  void SetLineBrush(TBrushStyle Value) { Change(FLineBrush, Value); }
  int LineHeight() const { return FLineHeight; }
  void SetLineHeight(int Value) { Change(FLineHeight, Value); }
  TChartPen* LinePen() const { return FLinePen.get(); }
  TSeriesPointer* Pointer() const { return FPointer.get(); }
  bool Stairs() const { return FStairs; }
  void SetStairs(bool Value) { Change(FStairs, Value); }
  TSeriesClickPointerEvent OnClickPointer;
  TOnGetPointerStyle OnGetPointerStyle;

  virtual QString GetEditorClassName() const { return QStringLiteral("TCustomSeriesEditor"); }
  QString ClassName() const override { return QStringLiteral("TCustomSeries"); }
  // Copies the settings (not the events) and then the kind's own defaults again.
  void Assign(const TChartSeries& Source) override;
  void AssignEvents(const TChartSeries& Source) override;

  // Pixels of a point: saturated, never from a non-finite value (those are not drawn).
  virtual int CalcXPos(int ValueIndex) const;
  virtual int CalcYPos(int ValueIndex) const;
  virtual int GetOriginPos(int ValueIndex) const;
  virtual bool ClickedPointer(int ValueIndex, int PX, int PY, int X, int Y) const;
  virtual void DrawPointer(int X, int Y, TColor Color, int ValueIndex);
  int Clicked(int X, int Y) const override;
  void DrawAllValues() override;
  void DoBeforeDrawValues() override;
  void DrawGroupValue(int ValueIndex) override;
  void DrawValue(int ValueIndex) override;
  // A line, the pointer (over the line when both show), or the area's box.
  void DrawLegendShape(int ValueIndex, const TRect& R) override;
  void DrawMark(int ValueIndex, const QString& Text, TSeriesMarkPosition& Position) override;
  void CalcHorizMargins(int& Left, int& Right) override;
  void CalcVerticalMargins(int& Top, int& Bottom) override;
  // The area's fill of a point.
  TColor AreaColorOf(int ValueIndex) const;
  // Whether S counts as this series' kind for stacking.
  virtual bool IsKindOf(const TChartSeries* S) const;

 protected:
  virtual void ApplyKind() {}

 private:
  void StartPass();
  void DrawSegment(int ValueIndex, int X, int Y, TColor Color, bool WithPointers);
  void SeedBeforeFirst(int ValueIndex, int X, int Y);

  TBrushStyle FAreaBrush = bsSolid;
  TColor FAreaColor = clChartAuto;
  std::unique_ptr<TChartPen> FAreaLinesPen, FLinePen;
  std::unique_ptr<TSeriesPointer> FPointer;
  bool FClickableLine = true, FDark3D = true, FDrawArea = false, FDrawLine = true;
  bool FInvertedStairs = false, FStairs = false;
  TBrushStyle FLineBrush = bsSolid;
  int FLineHeight = 0;
  // The drawing state of one pass.
  int FBottomPos = 0, FOldBottomPos = 0, FOldX = 0, FOldY = 0;
  TColor FOldColor = clNone;
  double FDarkRatio = 1;
  int FFirst = -1, FLast = -1;
};

class TLineSeries : public TCustomSeries {
 public:
  TLineSeries() { ApplyKind(); }
  QString ClassName() const override { return QStringLiteral("TLineSeries"); }
  void PrepareLegendCanvas(int ValueIndex, TColor& BackColor, TBrushStyle& Style) override;

 protected:
  void ApplyKind() override;
};

class TPointSeries : public TCustomSeries {
 public:
  TPointSeries() { ApplyKind(); }
  QString ClassName() const override { return QStringLiteral("TPointSeries"); }
  QString GetEditorClassName() const override { return QStringLiteral("TSeriesPointerEditor"); }
  // Pointer 6 by 6; the chart's second series gets triangles.
  void PrepareForGallery(bool IsEnabled) override;

 protected:
  void ApplyKind() override;
};

class TAreaSeries : public TCustomSeries {
 public:
  TAreaSeries() { ApplyKind(); }
  QString ClassName() const override { return QStringLiteral("TAreaSeries"); }
  QString GetEditorClassName() const override { return QStringLiteral("TAreaSeriesEditor"); }
  TMultiArea MultiArea() const { return FMultiArea; }
  // Given to every area series of the chart, so that they stack together.
  void SetMultiArea(TMultiArea Value);
  void Assign(const TChartSeries& Source) override;
  int CalcYPos(int ValueIndex) const override;
  int GetOriginPos(int ValueIndex) const override;
  double MaxYValue() const override;
  double MinYValue() const override;
  bool IsKindOf(const TChartSeries* S) const override;
  // The box in the area's pen, hatch and background.
  void PrepareLegendCanvas(int ValueIndex, TColor& BackColor, TBrushStyle& Style) override;
  // Stacked areas lie in one depth, that of the first of them.
  void CalcZOrder(int& MaxZ, bool Is3D) override;

 protected:
  void ApplyKind() override;

 private:
  int StackedPos(int ValueIndex, double Value) const;
  TMultiArea FMultiArea = maNone;
};

class TFastLineSeries : public TChartSeries {
 public:
  TFastLineSeries();
  QString ClassName() const override { return QStringLiteral("TFastLineSeries"); }
  QString GetEditorClassName() const { return QStringLiteral("TFastLineSeriesEditor"); }
  bool AutoRepaint() const { return FAutoRepaint; }
  void SetAutoRepaint(bool Value) { FAutoRepaint = Value; }
  TChartPen* LinePen() const { return FLinePen.get(); }
  void SetSeriesColorAndPen(TColor Value);
  void Assign(const TChartSeries& Source) override;
  int CalcXPos(int ValueIndex) const;
  int CalcYPos(int ValueIndex) const;
  void DrawAllValues() override;
  void DrawValue(int ValueIndex) override;
  int Clicked(int X, int Y) const override;
  // Without automatic repaints a new point's segment is drawn at once.
  void AddedValue(int ValueIndex);
  void DrawLegendShape(int ValueIndex, const TRect& R) override;
  // Without automatic repaints, data changes leave the picture as it is.
  void Repaint() override {
    if (FAutoRepaint) TChartSeries::Repaint();
  }
  void NotifyValue(TSeriesDataEvent Event, int ValueIndex) override;

 private:
  void PrepareCanvas();
  std::unique_ptr<TChartPen> FLinePen;
  bool FAutoRepaint = true;
  int FOldX = 0, FOldY = 0;
  int FFirst = -1;
};
