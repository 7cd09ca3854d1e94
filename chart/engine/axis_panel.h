#pragma once
// The chart panel that holds series and axes: the ordered series list, the five axes, paging,
// the 3D depth of the series and the drawing sequence of background, titles and legend, walls,
// axes and series. The full chart fills in the hooks.
#include <functional>
#include <memory>
#include <vector>

#include "chart/engine/chart_axis.h"
#include "chart/engine/chart_panel.h"
#include "chart/engine/chart_series.h"

// Library-wide: the axes (and their grid lines in depth) are drawn before the series, behind
// them; off, after the series, over them.
extern bool ChartAxisBehind;

class TCustomAxisPanel : public TCustomChartPanelExtended {
  Q_OBJECT

 public:
  explicit TCustomAxisPanel(QWidget* Parent = nullptr);
  ~TCustomAxisPanel() override;

  // A series added by pointer stays its owner's; a series leaves the list when it is destroyed.
  void AddSeries(TChartSeries* Series);
  void RemoveSeries(TChartSeries* Series);
  // Series the chart owns, so that the editor may delete, clone and replace them while the
  // windows that put them there find them again through the chart (or a handle).
  TChartSeries* AdoptSeries(std::unique_ptr<TChartSeries> Series);
  bool OwnsSeries(const TChartSeries* Series) const;
  // The owner's slot of an owned series (for a change of type in place), or null.
  std::unique_ptr<TChartSeries>* OwnedSlot(const TChartSeries* Series);
  // Destroys an owned series; one owned elsewhere only leaves the list.
  void FreeSeries(TChartSeries* Series);
  void FreeAllSeries();
  int SeriesCount() const { return int(FSeries.size()); }
  TChartSeries* GetSeries(int Index) const { return FSeries.at(size_t(Index)); }
  int IndexOfSeries(const TChartSeries* Series) const;

  TChartAxis* LeftAxis() const { return FLeftAxis.get(); }
  TChartAxis* TopAxis() const { return FTopAxis.get(); }
  TChartAxis* RightAxis() const { return FRightAxis.get(); }
  TChartAxis* BottomAxis() const { return FBottomAxis.get(); }
  TChartAxis* DepthAxis() const { return FDepthAxis.get(); }
  // Bottom, top, left, right, depth.
  const std::vector<TChartAxis*>& Axes() const { return FAxes; }

  bool AxisVisible() const { return FAxisVisible; }
  void SetAxisVisible(bool Value);
  bool ClipPoints() const { return FClipPoints; }
  void SetClipPoints(bool Value);
  bool View3DWalls() const { return FView3DWalls; }
  void SetView3DWalls(bool Value);
  int MaxPointsPerPage() const { return FMaxPointsPerPage; }
  // Below 0: ChartException, the old value stays.
  void SetMaxPointsPerPage(int Value);
  int Page() const { return FPage; }
  virtual void SetPage(int Value);
  bool ScaleLastPage() const { return FScaleLastPage; }
  void SetScaleLastPage(bool Value);
  int NumPages() const;

  double MinXValue(const TChartAxis* Axis) const;
  double MaxXValue(const TChartAxis* Axis) const;
  double MinYValue(const TChartAxis* Axis) const;
  double MaxYValue(const TChartAxis* Axis) const;
  TChartSeries* GetAxisSeries(const TChartAxis* Axis) const;
  bool IsAxisVisible(const TChartAxis* Axis) const;
  int GetMaxValuesCount() const;
  // The widest label of the series that have labels, and the widest mark text of the active
  // series, in the canvas' current font.
  int MaxTextWidth() const;
  int MaxMarkWidth() const;
  TColor GetFreeSeriesColor(bool CheckBackground) const;

  // Series of different z orders lie one behind the other in 3D.
  bool ApplyZOrder() const { return FApplyZOrder; }
  void SetApplyZOrder(bool Value);
  int MaxZOrder() const { return FMaxZOrder; }
  int SeriesWidth3D() const { return FSeriesWidth3D; }
  int Width3D() const { return FWidth3D; }
  int Height3D() const { return FHeight3D; }

  // The legend's background, which the series' legend symbols take as theirs; the legend sets
  // it before it draws.
  TColor LegendColor() const { return FLegendColor; }
  void SetLegendColor(TColor Value) { FLegendColor = Value; }

  void Assign(const TCustomAxisPanel& Source);
  // Set while a click event runs; a handler that clears it lets the default processing go on.
  bool CancelMouse = false;
  // The text style of the values in the legend, which marks of the legend style show.
  virtual TLegendTextStyle LegendTextStyle() const { return ltsLeftValue; }
  // Whether Source may feed Series: another series that Series accepts.
  bool IsValidDataSource(const TChartSeries* Series, const TChartSeries* Source) const {
    return Series && Source && Series->IsValidSourceOf(Source);
  }

  // True while the panel is being destroyed and lets go of its series.
  bool Destroying() const { return FDestroying; }

  std::function<void(TCustomAxisPanel*)> OnPageChange;
  std::function<void(TCustomAxisPanel*)> OnBeforeDrawAxes;
  std::function<void(TCustomAxisPanel*)> OnBeforeDrawSeries;
  std::function<void(TCustomAxisPanel*)> OnAfterDraw;
  // Every axis label passes here: Series and ValueIndex are those of a text or mark label,
  // nullptr and -1 for a value label.
  std::function<void(const TChartAxis*, TChartSeries*, int, QString&)> OnGetAxisLabel;
  // Supplies the value of label LabelIndex instead of the axis' own step; setting Stop ends the
  // labels. Left unanswered at the first label, the axis uses its own labels.
  std::function<void(const TChartAxis*, int, double&, bool&)> OnGetNextAxisLabel;

 protected:
  // The hooks of the full chart.
  virtual void CalcAxisRect() = 0;
  virtual void DrawTitlesAndLegend() = 0;
  virtual void DrawWallsAndBack() = 0;
  virtual bool IsFreeSeriesColor(TColor Color, bool CheckBackground) const = 0;
  void InternalDraw(const TRect& R) override;
  void CalcSize3D();
  std::vector<TChartSeries*>& SeriesList() { return FSeries; }

 private:
  friend class TChartSeries;
  void InternalAddSeries(TChartSeries* Series);
  void InternalRemoveSeries(TChartSeries* Series);
  // The points of the page along the axis' ordering dimension; false when paging does not apply.
  bool PageRange(const TChartAxis* Axis, const TChartSeries*& S, int& First, int& Last) const;
  double AxisValue(const TChartAxis* Axis, bool X, bool Max) const;
  // Draws series of one z order: values (interleaved point by point when there are several),
  // then marks, between their before- and after-draw events.
  void DrawSeriesGroup(const std::vector<TChartSeries*>& Group);

  std::vector<TChartSeries*> FSeries;
  std::vector<std::unique_ptr<TChartSeries>> FOwnedSeries;
  bool FDestroying = false;
  std::unique_ptr<TChartAxis> FBottomAxis, FTopAxis, FLeftAxis, FRightAxis, FDepthAxis;
  std::vector<TChartAxis*> FAxes;
  bool FAxisVisible = true;
  bool FClipPoints = true;
  bool FView3DWalls = true;
  int FMaxPointsPerPage = 0;
  int FPage = 1;
  bool FScaleLastPage = true;
  int FSeriesWidth3D = 0, FWidth3D = 0, FHeight3D = 0;
  bool FApplyZOrder = true;
  int FMaxZOrder = 0;
  TColor FLegendColor = clWhite;
};
