#pragma once
// Series drawn in a circle instead of against axes, and the pie: one slice per point, exploded
// slices and an "Other" slice that gathers the small values.
#include <memory>
#include <vector>

#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_series.h"
#include "chart/engine/series_pointer.h"

class PieException : public ChartException {
 public:
  using ChartException::ChartException;
};

namespace PieMessages {
// "%s Angle must be between 0 and 360 degrees" with "Rotation".
inline constexpr const char* RotationAngle = "Rotation Angle must be between 0 and 360 degrees";
}  // namespace PieMessages

class TCircledSeries : public TChartSeries {
 public:
  TCircledSeries();
  // Hands the chart its parts back before leaving it.
  ~TCircledSeries() override;
  void ParentChartChanging(TCustomAxisPanel* New) override;
  void ParentChartChanged() override { SetParentProperties(false); }
  void ActiveChanged() override { SetParentProperties(!Active()); }

  bool Circled() const { return FCircled; }
  // These three go to every series of this kind in the chart.
  void SetCircled(bool Value);
  int CustomXRadius() const { return FCustomXRadius; }
  void SetCustomXRadius(int Value);
  int CustomYRadius() const { return FCustomYRadius; }
  void SetCustomYRadius(int Value);
  int RotationAngle() const { return FRotationAngle; }
  // Below 0: PieException; 360 and above are taken mod 360.
  void SetRotationAngle(int Value);
  TColor CircleBackColor() const { return FCircleBackColor; }
  void SetCircleBackColor(TColor Value);
  // The circle back colour, else the chart's back colour, else the panel's.
  TColor CalcCircleBackColor() const;

  int XRadius() const { return FXRadius; }
  int YRadius() const { return FYRadius; }
  int CircleXCenter() const { return FCircleXCenter; }
  int CircleYCenter() const { return FCircleYCenter; }
  int CircleWidth() const { return FCircleWidth; }
  int CircleHeight() const { return FCircleHeight; }
  TRect CircleRect() const { return FCircleRect; }
  double Rotation() const { return FRotation; }

  bool UseAxis() const override { return false; }
  void Assign(const TChartSeries& Source) override;
  // Works out the circle from the chart rectangle, room for marks and the device's aspect.
  virtual void CalcCircle();
  void AngleToPos(double Angle, int XRadius, int YRadius, int& X, int& Y) const;
  double PointToAngle(int X, int Y) const;
  // Hands the chart's axes, walls, frame, zoom and panning back (true) or takes them (false);
  // they stay taken while every series of the chart is circled.
  virtual void SetParentProperties(bool EnableParentProps);
  void PrepareLegendCanvas(int, TColor& BackColor, TBrushStyle&) override {
    BackColor = CalcCircleBackColor();
  }
  // Whether S counts as this series' kind for the shared settings.
  virtual bool IsKindOf(const TChartSeries* S) const {
    return dynamic_cast<const TCircledSeries*>(S) != nullptr;
  }

 protected:
  // The circle of another series of the chart, for series that share one.
  void TakeCircle(const TCircledSeries& From);
  void SetCircleRect(const TRect& R);
  void AdjustCircleRect();
  void CalcRadius();

 private:
  template <class F>
  void ForKind(F Apply);
  bool FCircled = false;
  int FRotationAngle = 0;
  int FCustomXRadius = 0, FCustomYRadius = 0;
  int FXRadius = 0, FYRadius = 0;
  TColor FCircleBackColor = clChartAuto;
  double FRotation = 0;
  int FCircleWidth = 0, FCircleHeight = 0, FCircleXCenter = 0, FCircleYCenter = 0;
  TRect FCircleRect;
};

enum TPieOtherStyle { poNone, poBelowPercent, poBelowValue };

class TPieSeries;

class TPieOtherSlice {
 public:
  explicit TPieOtherSlice(TPieSeries* Owner) : FOwner(Owner) {}
  TPieOtherStyle Style() const { return FStyle; }
  void SetStyle(TPieOtherStyle Value);
  QString Text() const { return FText; }
  void SetText(const QString& Value);
  double Value() const { return FValue; }
  void SetValue(double Value);
  void Assign(const TPieOtherSlice& Source);

 private:
  TPieSeries* FOwner;
  TPieOtherStyle FStyle = poNone;
  QString FText = QStringLiteral("Other");
  double FValue = 0;
};

struct TPieAngle {
  double StartAngle = 0, MidAngle = 0, EndAngle = 0;
};

// The X of a point gathered into the other slice, and of the other slice itself.
inline constexpr double PieGroupedX = -1.0;
inline constexpr double PieOtherX = 2147483647.0;

class TPieSeries : public TCircledSeries {
 public:
  TPieSeries();
  QString ClassName() const override { return QStringLiteral("TPieSeries"); }
  QString GetEditorClassName() const { return QStringLiteral("TPieSeriesEditor"); }

  bool Dark3D() const { return FDark3D; }
  void SetDark3D(bool Value);
  int ExplodeBiggest() const { return FExplodeBiggest; }
  void SetExplodeBiggest(int Value);
  TChartPen* PiePen() const { return FPiePen.get(); }
  TPieOtherSlice* OtherSlice() const { return FOtherSlice.get(); }
  bool UsePatterns() const { return FUsePatterns; }
  void SetUsePatterns(bool Value);
  TChartValueList* PieValues() { return YValues(); }
  // The explode amount of a slice in percent of the radius; 0 past the end.
  int ExplodedSlice(int Index) const;
  void SetExplodedSlice(int Index, int Value);
  const std::vector<TPieAngle>& PieAngles() const { return FAngles; }
  bool IsGrouped(int ValueIndex) const { return XValue(ValueIndex) == PieGroupedX; }
  TBrushStyle PatternOf(int ValueIndex) const;

  void Assign(const TChartSeries& Source) override;
  void Clear() override;
  int NumSampleValues() const override { return 8; }
  void FillSampleValues(int NumValues) override;
  // The base's switch, then the pie seen tilted from the front.
  void Set3D(bool Value) override;
  // Eight samples, a deep circle that stays round in 2D, colours per slice when enabled.
  void PrepareForGallery(bool IsEnabled) override;
  void SwapValueIndex(int A, int B) override;
  // Gathers the small values into the other slice when the data change, never while drawing.
  void NotifyValue(TSeriesDataEvent Event, int ValueIndex) override;
  void RecalcOtherSlice();
  // The points the legend lists: those not gathered into the other slice.
  int CountLegendItems() const override;
  int MapValueIndex(int N) const override;
  // The circle's background behind hatched symbols; with patterns, the point's hatch.
  void PrepareLegendCanvas(int ValueIndex, TColor& BackColor, TBrushStyle& Style) override;

  void CalcAngles();
  TPoint SliceOffset(int ValueIndex) const;
  void DrawAllValues() override;
  void DrawValue(int ValueIndex) override;
  virtual void DrawPie(int ValueIndex);
  void DrawMark(int ValueIndex, const QString& Text, TSeriesMarkPosition& Position) override;
  int Clicked(int X, int Y) const override;
  double MinXValue() const override;
  double MaxXValue() const override;
  double MinYValue() const override;
  double MaxYValue() const override;
  bool IsKindOf(const TChartSeries* S) const override {
    return dynamic_cast<const TPieSeries*>(S) != nullptr;
  }

 private:
  void ApplyExplodeBiggest();
  bool FDark3D = true;
  std::vector<int> FExploded;
  int FExplodeBiggest = 0;
  std::unique_ptr<TChartPen> FPiePen;
  std::unique_ptr<TPieOtherSlice> FOtherSlice;
  bool FUsePatterns = false;
  std::vector<TPieAngle> FAngles;
  TPoint FStartPoint;
  bool FIsExploded = false;
  bool FRegrouping = false;
};

// The eight labels of the pie's sample values.
const QStringList& PieSampleLabels();
