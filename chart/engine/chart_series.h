#pragma once
// The little of a series that the chart itself relies on: its place in the chart, whether it is
// active, which axes it uses, its point count and value ranges, and which point lies under a
// screen point. Series types derive from it and keep their values.
#include <QString>

#include "platform/colors.h"
#include "platform/cursors.h"

class TCustomAxisPanel;
class TChartAxis;

enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis };
enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis };

class TChartSeries {
 public:
  TChartSeries() = default;
  TChartSeries(const TChartSeries&) = delete;
  TChartSeries& operator=(const TChartSeries&) = delete;
  // Leaves its chart first, so that the chart never keeps a dangling entry.
  virtual ~TChartSeries();

  TCustomAxisPanel* ParentChart() const { return FParentChart; }
  // Moves the series to Chart's list (null: out of any chart).
  void SetParentChart(TCustomAxisPanel* Chart);

  bool Active() const { return FActive; }
  void SetActive(bool Value);
  QString Title() const { return FTitle; }
  void SetTitle(const QString& Value) { FTitle = Value; }
  QString Name() const { return FName; }
  void SetName(const QString& Value) { FName = Value; }
  TColor SeriesColor() const { return FSeriesColor; }
  void SetSeriesColor(TColor Value) { FSeriesColor = Value; }
  THorizAxis HorizAxis() const { return FHorizAxis; }
  void SetHorizAxis(THorizAxis Value) { FHorizAxis = Value; }
  TVertAxis VertAxis() const { return FVertAxis; }
  void SetVertAxis(TVertAxis Value) { FVertAxis = Value; }
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value) { FCursor = Value; }
  bool ShowInLegend() const { return FShowInLegend; }
  void SetShowInLegend(bool Value) { FShowInLegend = Value; }

  virtual int Count() const = 0;
  virtual double XValue(int Index) const = 0;
  virtual double YValue(int Index) const = 0;
  // Y-mandatory series are ordered along X (line, bar); the others along Y (horizontal bars).
  virtual bool YMandatory() const { return true; }
  virtual bool UseAxis() const { return true; }
  virtual double MinXValue() const;
  virtual double MaxXValue() const;
  virtual double MinYValue() const;
  virtual double MaxYValue() const;
  // The value along the series' ordering dimension.
  double OrderValue(int Index) const { return YMandatory() ? XValue(Index) : YValue(Index); }
  // The index of the point under the screen point, or -1.
  virtual int Clicked(int X, int Y) const = 0;
  virtual void DrawAllValues() = 0;

  bool AssociatedToAxis(const TChartAxis* Axis) const;

 private:
  friend class TCustomAxisPanel;
  TCustomAxisPanel* FParentChart = nullptr;
  bool FActive = true;
  QString FTitle, FName;
  TColor FSeriesColor = static_cast<TColor>(0x80000000u);
  THorizAxis FHorizAxis = aBottomAxis;
  TVertAxis FVertAxis = aLeftAxis;
  TCursor FCursor = crDefault;
  bool FShowInLegend = true;
};
