#pragma once
// The little of a series that the chart itself relies on: its place in the chart, whether it is
// active, which axes it uses, its point count and value ranges, and which point lies under a
// screen point. Series types derive from it and keep their values.
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include <QString>

#include "chart/engine/chart_function.h"
#include "chart/engine/chart_pen.h"
#include "chart/engine/chart_value_list.h"
#include "chart/engine/legend_layout.h"
#include "chart/engine/series_marks.h"
#include "platform/colors.h"
#include "platform/cursors.h"
#include "platform/shift_state.h"

class TCustomAxisPanel;
class TChartAxis;

enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis };
enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis };

// The source changes a dependent series follows.
enum TSeriesUpdateOption { suoDelete = 1, suoModify = 2, suoAdd = 4, suoClear = 8 };

namespace SeriesMessages {
inline constexpr const char* NoParentChart = "No ParentChart to validate DataSource";
inline constexpr const char* FillSampleValues = "FillSampleValues NumValues must be > 0";
std::string NoValidDataSource(const QString& Name);  // "No valid DataSource: %s"
}  // namespace SeriesMessages

class TChartSeries;

// What a page, a list or a window keeps of a series it shows: the series may be deleted or
// replaced elsewhere (the chart editor), and the handle then answers null instead of dangling.
class TSeriesHandle {
 public:
  TSeriesHandle() = default;
  TChartSeries* Get() const { return FRef ? *FRef : nullptr; }
  explicit operator bool() const { return Get() != nullptr; }
  TChartSeries* operator->() const { return Get(); }

 private:
  friend class TChartSeries;
  explicit TSeriesHandle(std::shared_ptr<TChartSeries* const> Ref) : FRef(std::move(Ref)) {}
  std::shared_ptr<TChartSeries* const> FRef;
};

class TChartSeries : public TChartValueListOwner, public TChartFunctionTarget {
 public:
  TChartSeries();
  TChartSeries(const TChartSeries&) = delete;
  TChartSeries& operator=(const TChartSeries&) = delete;
  // Leaves its chart first, so that the chart never keeps a dangling entry.
  virtual ~TChartSeries();
  // A reference that turns null when the series is destroyed.
  TSeriesHandle Handle() const;

  TCustomAxisPanel* ParentChart() const { return FParentChart; }
  // Moves the series to Chart's list (null: out of any chart).
  void SetParentChart(TCustomAxisPanel* Chart);

  bool Active() const { return FActive; }
  void SetActive(bool Value);
  // The setters repaint the chart only when the value changes.
  QString Title() const { return FTitle; }
  void SetTitle(const QString& Value) { Change(FTitle, Value); }
  QString Name() const { return FName; }
  void SetName(const QString& Value) { FName = Value; }
  TColor SeriesColor() const { return FSeriesColor; }
  virtual void SetSeriesColor(TColor Value) { Change(FSeriesColor, Value); }
  THorizAxis HorizAxis() const { return FHorizAxis; }
  void SetHorizAxis(THorizAxis Value) { Change(FHorizAxis, Value); }
  TVertAxis VertAxis() const { return FVertAxis; }
  void SetVertAxis(TVertAxis Value) { Change(FVertAxis, Value); }
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value) { FCursor = Value; }
  bool ShowInLegend() const { return FShowInLegend; }
  void SetShowInLegend(bool Value) { Change(FShowInLegend, Value); }
  // Free text and six flags (bits 1 to 32) stored with the series; the base gives them no meaning.
  QString Identifier() const { return FIdentifier; }
  void SetIdentifier(const QString& Value) { FIdentifier = Value; }
  int StyleFlags() const { return FStyleFlags; }
  void SetStyleFlags(int Value) { FStyleFlags = Value & 63; }
  // The visible range: computed from the axis before each drawing (off: every point), and
  // whether it keeps the point just past the visible end, so that a line reaches the plot's edge.
  bool CalcVisiblePoints() const { return FCalcVisiblePoints; }
  void SetCalcVisiblePoints(bool Value) { FCalcVisiblePoints = Value; }
  bool DrawBetweenPoints() const { return FDrawBetweenPoints; }
  void SetDrawBetweenPoints(bool Value) { FDrawBetweenPoints = Value; }
  bool SingleFunctionPoint() const override { return FSingleFunctionPoint; }
  void SetSingleFunctionPoint(bool Value) { FSingleFunctionPoint = Value; }
  // Months and years are calendar months and years on an exact date-time horizontal axis.
  double AdvancePeriod(double Value, double Period) const override;

  // The points: X and Y value lists, colours and labels (both may be shorter than the lists).
  int Count() const override { return FXValues->Count(); }
  virtual double XValue(int Index) const { return FXValues->GetValue(Index); }
  virtual double YValue(int Index) const { return FYValues->GetValue(Index); }
  TChartValueList* XValues() override { return FXValues.get(); }
  TChartValueList* YValues() override { return FYValues.get(); }
  TChartValueList* MandatoryValueList() override { return FYValues.get(); }
  TChartValueList* ValueListByName(const QString& Name) override;
  QString GetXLabel(int Index) const override;
  // The stored colour of a point: automatic where none is stored.
  virtual TColor PointColor(int Index) const;
  const std::vector<QString>& Labels() const { return FLabels; }
  // Y-mandatory series are ordered along X (line, bar); the others along Y (horizontal bars).
  bool YMandatory() const override { return true; }

  // Adds a point where the X order puts it; -1 when OnBeforeAdd vetoes it.
  int AddXY(double X, double Y, const QString& Label, TColor Color) override;
  int AddXY(double X, double Y) { return AddXY(X, Y, {}, clChartAuto); }
  int AddY(double Y, const QString& Label = {}, TColor Color = clChartAuto);
  int AddNull(const QString& Label = {}) { return AddY(0, Label, clNone); }
  int AddNullXY(double X, double Y, const QString& Label = {}) {
    return AddXY(X, Y, Label, clNone);
  }
  // Puts the pending value of every extra list (from the third on) at the new point, each list
  // then back to its own default.
  void AddExtraValues(int ValueIndex);
  virtual void ResetPendingValue(TChartValueList* List) { List->SetPendingValue(0); }
  // Point ValueIndex of Source with Label and Color: X and Y (exchanged when only one of the two
  // series is Y-mandatory) and the value of each extra list of the same position.
  virtual int AddValueFromSeries(TChartSeries* Source, int ValueIndex, const QString& Label = {},
                                 TColor Color = clChartAuto);
  virtual void Delete(int ValueIndex);
  virtual void Clear();
  // Random sample data over the chart's range (or 0..NumValues-1 by 0..1000); below 1:
  // ChartException.
  virtual void FillSampleValues(int NumValues);
  virtual int NumSampleValues() const { return 26; }
  // The colour a point is drawn in: its own, a palette colour with ColorEachPoint, else the
  // series colour. clNone marks a null point, which is never drawn.
  virtual TColor GetValueColor(int ValueIndex) const;
  bool IsNull(int ValueIndex) const { return GetValueColor(ValueIndex) == clNone; }
  bool ColorEachPoint() const { return FColorEachPoint; }
  // Turning it off (even when already off) makes every point colour automatic again.
  void SetColorEachPoint(bool Value);
  QString ValueFormat() const { return FValueFormat; }
  void SetValueFormat(const QString& Value);
  QString PercentFormat() const { return FPercentFormat; }
  void SetPercentFormat(const QString& Value);
  TSeriesMarks* Marks() const { return FMarks.get(); }
  // The mark text of a point by the marks' style, then OnGetMarkText.
  QString GetMarkText(int ValueIndex);
  QString PercentText(int ValueIndex, bool WithTotal);
  // The X value as the horizontal axis writes its labels (dates as dates); in the value format
  // without a chart.
  QString XValueText(int ValueIndex) const;
  // The value of the mandatory list, read through the type's own value access.
  virtual double GetMarkValue(int ValueIndex) {
    return YMandatory() ? YValue(ValueIndex) : XValue(ValueIndex);
  }

  // Exchanges two points in every list; a colour or label missing on one side counts as
  // automatic colour and empty label.
  void SwapValueIndex(int A, int B) override;
  void NotifyValue(TSeriesDataEvent Event, int ValueIndex) override;
  void RefreshSeries() { NotifyValue(sdeRefresh, 0); }
  void Repaint() override;
  // Refills from the data source (through the function when there is one).
  void CheckDatasource() override;
  void AssignValues(TChartSeries* Source);
  void AddValueAndAttributes(TChartSeries* Source, int ValueIndex);

  // The data source: null drops the sources. Needs a parent chart; refuses the series itself and
  // circles of sources (ChartException).
  TChartSeries* DataSource() const { return FDataSources.empty() ? nullptr : FDataSources.front(); }
  void SetDataSource(TChartSeries* Source);
  // Whether Source may feed this series: any other series; types with value lists of their own
  // take only their own kind.
  virtual bool IsValidSourceOf(const TChartSeries* Source) const { return Source != this; }
  // Replaces one source by another in place, keeping the others (a source replaced by a series
  // of another type), then refills.
  void ReplaceDataSource(TChartSeries* Old, TChartSeries* New);
  // After the series was read back: its saved sources, in order, then a refill. Each is checked
  // as SetDataSource checks it.
  void Loaded(const std::vector<TChartSeries*>& Sources);
  const std::vector<TChartSeries*>& DataSources() const { return FDataSources; }
  const std::vector<TChartSeries*>& LinkedSeries() const { return FLinkedSeries; }
  std::vector<TChartFunctionSource*> FunctionSources() override;
  unsigned UpdateOptions() const { return FUpdateOptions; }
  void SetUpdateOptions(unsigned Value) { FUpdateOptions = Value; }
  TChartFunction* Function() const { return FFunction.get(); }
  void SetFunction(std::unique_ptr<TChartFunction> Function);

  // The points inside the visible part of the ordering axis, from before the last drawing; -1
  // for none.
  int FirstValueIndex() const { return FFirstValueIndex; }
  int LastValueIndex() const { return FLastValueIndex; }
  void CalcFirstLastVisibleIndex();

  // The axes the series uses on its chart (null without one).
  TChartAxis* GetHorizAxis() const;
  TChartAxis* GetVertAxis() const;
  int CalcXPos(int ValueIndex) const;
  int CalcYPos(int ValueIndex) const;
  // The marks of the drawable points that have a text, each through DrawMark.
  void DrawMarks();
  virtual void DrawMark(int ValueIndex, const QString& Text, TSeriesMarkPosition& Position);

  // The place in depth: ZOrder -1 is automatic; the chart sets the depth band before drawing.
  int ZOrder() const { return FZOrder; }
  void SetZOrder(int Value);
  int EffectiveZOrder() const { return FZOrder >= 0 ? FZOrder : FCalcZOrder; }
  // Takes the next automatic place (3D) or keeps the fixed one; MaxZ runs over the series.
  // Types that lie in one depth with others of their kind (side-by-side or stacked bars,
  // stacked areas) take a place already given instead.
  virtual void CalcZOrder(int& MaxZ, bool Is3D);
  // Series with depth values of their own range the depth axis and never share a z order.
  virtual bool HasZValues() const { return false; }
  int StartZ() const { return FStartZ; }
  int MiddleZ() const { return FMiddleZ; }
  int EndZ() const { return FEndZ; }
  void SetDepthBand(int Start, int End);

  // The events of Source: adding, clearing, mark texts, drawing and clicks; types add the
  // events of their own kind that Source has too.
  virtual void AssignEvents(const TChartSeries& Source);
  // The class name the registry and streams know the type by.
  virtual QString ClassName() const { return QStringLiteral("TChartSeries"); }
  // The chart's 3D view on or off; points are clipped to the plot only in 2D. Types with a view
  // of their own also set the 3D options.
  virtual void Set3D(bool Value);
  // A small sample for the gallery: four sample points, no marks, no colour per point, and
  // silver when the entry is disabled. Types add their own looks.
  virtual void PrepareForGallery(bool IsEnabled);
  // Settings, the function (when this one has none), then the sources or else the points.
  virtual void Assign(const TChartSeries& Source);

  std::function<bool(TChartSeries*)> OnBeforeAdd;
  std::function<void(TChartSeries*, int)> OnAfterAdd;
  std::function<void(TChartSeries*)> OnClearValues;
  std::function<void(TChartSeries*, int, QString&)> OnGetMarkText;
  using TSeriesClickEvent =
      std::function<void(TChartSeries*, int ValueIndex, Qt::MouseButton, TShiftState, int, int)>;
  TSeriesClickEvent OnClick, OnDblClick;
  // A click on point ValueIndex: the double-click event for a double click, else the click
  // event. True when one ran and left the chart's click-handled flag set.
  bool Clicked(int ValueIndex, Qt::MouseButton Button, TShiftState Shift, int X, int Y);
  // Every series hears the chart's mouse-up.
  virtual void MouseUp(Qt::MouseButton, TShiftState, int, int) {}
  virtual bool UseAxis() const { return true; }
  // The room in pixels the series needs at the plot's edges (pointers, bars); each margin is
  // raised, never lowered. The axes are already laid out over the whole plot.
  // Told before the series leaves its chart (New is where it goes, maybe none) and after it
  // joined one, and after Active changed; series that take over the chart use them.
  virtual void ParentChartChanging(TCustomAxisPanel*) {}
  virtual void ParentChartChanged() {}
  virtual void ActiveChanged() {}
  virtual void CalcHorizMargins(int&, int&) {}
  virtual void CalcVerticalMargins(int&, int&) {}
  virtual double MinXValue() const;
  virtual double MaxXValue() const;
  virtual double MinYValue() const;
  virtual double MaxYValue() const;
  // The series' extent along the depth axis: its z order, unless the type carries depth values
  // of its own (then the depth axis shows values instead of series titles).
  virtual double MinZValue() const { return EffectiveZOrder(); }
  virtual double MaxZValue() const { return EffectiveZOrder(); }
  // The value along the series' ordering dimension.
  double OrderValue(int Index) const { return YMandatory() ? XValue(Index) : YValue(Index); }
  // The index of the point under the screen point, or -1.
  virtual int Clicked(int, int) const { return -1; }
  // Draws the visible points that are not null and finite.
  virtual void DrawAllValues();
  virtual void DrawValue(int) {}
  // The chart runs these around drawing the values and marks.
  std::function<void(TChartSeries*)> BeforeDrawValues, AfterDrawValues;
  virtual void DoBeforeDrawValues() {
    if (BeforeDrawValues) BeforeDrawValues(this);
  }
  virtual void DoAfterDrawValues() {
    if (AfterDrawValues) AfterDrawValues(this);
  }
  // Run for every active series before the chart draws anything, the legend included: types
  // whose legend lists something made for the drawing (a palette, levels) make it here.
  virtual void DoBeforeDrawChart() {}
  // The legend symbol of point ValueIndex (-1: the series) inside R: nothing for a null colour
  // or for the whole of a series coloured point by point. The brush takes the item's colour over
  // a background that PrepareLegendCanvas may change; a symbol in the legend's own colour gets an
  // outline, so that it stays visible.
  void DrawLegend(int ValueIndex, const TRect& R);
  virtual TColor LegendItemColor(int ValueIndex) const { return GetValueColor(ValueIndex); }
  virtual void PrepareLegendCanvas(int, TColor&, TBrushStyle&) {}
  // The rectangle in the prepared brush; types draw their own lines, markers or shapes.
  virtual void DrawLegendShape(int ValueIndex, const TRect& R);
  // The legend's items of the values: one per point, unless the type lists something else (a
  // palette, levels) or hides some points (grouped pie slices); MapValueIndex turns the legend's
  // N-th item into the index that LegendString and LegendItemColor take.
  virtual int CountLegendItems() const { return Count(); }
  virtual int MapValueIndex(int N) const { return N; }
  // Items that make a scale (palette steps, levels): a legend with fewer rows than items shows
  // items from all along it, the last one included, instead of stopping at the first rows.
  virtual bool LegendItemsAreAScale() const { return false; }
  virtual QString LegendString(int ValueIndex, TLegendTextStyle Style) {
    return PointLegendString(ValueIndex, Style);
  }
  // The legend text of point ValueIndex by the text style; line breaks become blanks.
  QString PointLegendString(int ValueIndex, TLegendTextStyle Style);

  // From the first to the last point, or backwards.
  virtual bool DrawValuesForward() const { return true; }
  // Series sharing one z order draw point Index in list order, or in reverse.
  virtual bool DrawSeriesForward(int) const { return true; }
  // Whether point Index can be drawn: not null, both values finite.
  bool IsDrawable(int ValueIndex) const;
  // Point Index of a pass shared with other series of one depth (after DoBeforeDrawValues);
  // types that keep state from point to point follow their own rules for skipped points.
  virtual void DrawGroupValue(int ValueIndex) {
    if (ValueIndex >= FFirstValueIndex && ValueIndex <= FLastValueIndex && IsDrawable(ValueIndex))
      DrawValue(ValueIndex);
  }

  bool AssociatedToAxis(const TChartAxis* Axis) const;

 protected:
  // The stored colours, for a type that turns values it reads elsewhere into held points.
  std::vector<TColor>& PointColors() { return FColors; }
  // For types whose CalcZOrder shares another series' place.
  void SetCalcZOrder(int Value) { FCalcZOrder = Value; }
  template <class T>
  void Change(T& Field, const std::type_identity_t<T>& Value) {
    if (Field == Value) return;
    Field = Value;
    Repaint();
  }

 private:
  friend class TCustomAxisPanel;
  void DropDataSources();
  // No chart, or a source this series refuses: ChartException.
  void CheckSource(const TChartSeries* Source) const;
  bool DependsOn(const TChartSeries* S) const;

  TCustomAxisPanel* FParentChart = nullptr;
  std::shared_ptr<TChartSeries*> FSelf = std::make_shared<TChartSeries*>(this);
  std::unique_ptr<TChartValueList> FXValues, FYValues;
  std::vector<TColor> FColors;
  std::vector<QString> FLabels;
  std::unique_ptr<TSeriesMarks> FMarks;
  bool FColorEachPoint = false;
  QString FValueFormat = QStringLiteral("#,##0.###");
  QString FPercentFormat = QStringLiteral("##0.## %");
  std::vector<TChartSeries*> FDataSources, FLinkedSeries;
  unsigned FUpdateOptions = suoDelete | suoModify | suoAdd | suoClear;
  std::unique_ptr<TChartFunction> FFunction;
  int FFirstValueIndex = -1, FLastValueIndex = -1;
  int FZOrder = -1, FCalcZOrder = 0, FStartZ = 0, FMiddleZ = 0, FEndZ = 0;
  bool FActive = true;
  QString FTitle, FName;
  TColor FSeriesColor = static_cast<TColor>(0x80000000u);
  THorizAxis FHorizAxis = aBottomAxis;
  TVertAxis FVertAxis = aLeftAxis;
  TCursor FCursor = crDefault;
  bool FShowInLegend = true;
  QString FIdentifier;
  int FStyleFlags = 0;
  bool FCalcVisiblePoints = true, FDrawBetweenPoints = false, FSingleFunctionPoint = true;
};
