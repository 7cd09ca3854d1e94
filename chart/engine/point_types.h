#pragma once
// Series drawn with the point marker beyond single points: Gantt task bars, arrows from a start
// to an end point and bubbles sized by a radius value. Each keeps its extra values in value
// lists of its own, filled together with every point it adds.
#include <memory>

#include "chart/engine/custom_series.h"

// A value of an extra list; 0 where the list has none (a point added by code that knew nothing
// of the list).
double ExtraValue(const TChartValueList* List, int Index);

class TGanttSeries : public TPointSeries {
 public:
  TGanttSeries();
  QString ClassName() const override { return QStringLiteral("TGanttSeries"); }
  QString GetEditorClassName() const override { return QStringLiteral("TGanttSeriesEditor"); }
  TChartValueList* StartValues() { return XValues(); }
  TChartValueList* EndValues() const { return FEndValues.get(); }
  TChartValueList* NextTask() const { return FNextTask.get(); }
  TChartPen* ConnectingPen() const { return FConnectingPen.get(); }
  int AddGanttColor(double Start, double End, double Y, const QString& Label, TColor Color);
  int AddGantt(double Start, double End, double Y, const QString& Label = {}) {
    return AddGanttColor(Start, End, Y, Label, clChartAuto);
  }
  // The next task of a new point is none.
  void ResetPendingValue(TChartValueList* List) override;
  bool IsValidSourceOf(const TChartSeries* Source) const override {
    return Source != this && dynamic_cast<const TGanttSeries*>(Source);
  }
  void Assign(const TChartSeries& Source) override;
  bool ClickedPointer(int ValueIndex, int PX, int PY, int X, int Y) const override;
  void DrawValue(int ValueIndex) override;
  // Over the middle of the bar.
  void DrawMark(int ValueIndex, const QString& Text, TSeriesMarkPosition& Position) override;
  double MaxXValue() const override;
  void FillSampleValues(int NumValues) override;
  // Colours per task when enabled, thin bars.
  void PrepareForGallery(bool IsEnabled) override;
  // The tasks are ordered and labelled along the vertical axis: their start dates are what
  // counts.
  TChartValueList* MandatoryValueList() override { return XValues(); }
  bool YMandatory() const override { return false; }

 private:
  std::unique_ptr<TChartValueList> FEndValues, FNextTask;
  std::unique_ptr<TChartPen> FConnectingPen;
};

class TArrowSeries : public TPointSeries {
 public:
  TArrowSeries();
  QString ClassName() const override { return QStringLiteral("TArrowSeries"); }
  QString GetEditorClassName() const override { return QStringLiteral("TArrowSeriesEditor"); }
  TChartValueList* EndXValues() const { return FEndX.get(); }
  TChartValueList* EndYValues() const { return FEndY.get(); }
  int ArrowWidth() const { return Pointer()->HorizSize(); }
  void SetArrowWidth(int Value) { Pointer()->SetHorizSize(Value); }
  int ArrowHeight() const { return Pointer()->VertSize(); }
  void SetArrowHeight(int Value) { Pointer()->SetVertSize(Value); }
  int AddArrow(double X0, double Y0, double X1, double Y1, const QString& Label = {},
               TColor Color = clChartAuto);
  bool IsValidSourceOf(const TChartSeries* Source) const override {
    return Source != this && dynamic_cast<const TArrowSeries*>(Source);
  }
  void DrawValue(int ValueIndex) override;
  double MinXValue() const override;
  double MaxXValue() const override;
  double MinYValue() const override;
  double MaxYValue() const override;
  void FillSampleValues(int NumValues) override;
  // Three arrows with large heads; gray when disabled.
  void PrepareForGallery(bool IsEnabled) override;

 private:
  std::unique_ptr<TChartValueList> FEndX, FEndY;
};

class TBubbleSeries : public TPointSeries {
 public:
  TBubbleSeries();
  QString ClassName() const override { return QStringLiteral("TBubbleSeries"); }
  TChartValueList* RadiusValues() const { return FRadius.get(); }
  bool Squared() const { return FSquared; }
  void SetSquared(bool Value) { Change(FSquared, Value); }
  int AddBubble(double X, double Y, double Radius, const QString& Label = {},
                TColor Color = clChartAuto);
  bool IsValidSourceOf(const TChartSeries* Source) const override {
    return Source != this && dynamic_cast<const TBubbleSeries*>(Source);
  }
  void Assign(const TChartSeries& Source) override;
  void DrawValue(int ValueIndex) override;
  void DrawLegendShape(int ValueIndex, const TRect& R) override;
  // Inside the bubble's own radii: the pointer's sizes are those of the last bubble drawn.
  bool ClickedPointer(int ValueIndex, int PX, int PY, int X, int Y) const override;
  double MinYValue() const override;
  double MaxYValue() const override;
  void FillSampleValues(int NumValues) override;
  // The radius in pixels along an axis; 0 for a radius that is not finite or not positive.
  int RadiusPixels(int ValueIndex, bool Horizontal) const;

 private:
  std::unique_ptr<TChartValueList> FRadius;
  bool FSquared = true;
};
