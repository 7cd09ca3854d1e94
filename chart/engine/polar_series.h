#pragma once
// Series on a circular chart: each point an angle in degrees (X) and a radius (Y), joined by
// lines, over rings at the radius axis' labels and spokes at the angle step. The radar spaces
// its points evenly, one spoke per point, and its rings are polygons.
#include <memory>

#include "chart/engine/pie_series.h"
#include "chart/engine/series_pointer.h"

// The degree sign written after each angle around the circle.
inline constexpr QChar PolarDegreeSign = QChar(0x00BA);
// The most rings or spokes a polar chart draws; a finer step draws none.
inline constexpr int PolarMaxGridLines = 10000;

class TCustomPolarSeries : public TCircledSeries {
 public:
  TCustomPolarSeries();
  QString GetEditorClassName() const { return QStringLiteral("TPolarSeriesEditor"); }

  TChartBrush* Brush() const { return FBrush.get(); }
  TChartPen* CirclePen() const { return FCirclePen.get(); }
  TChartPen* Pen() const { return FPen.get(); }
  TSeriesPointer* Pointer() const { return FPointer.get(); }
  TFont* CircleLabelsFont() const { return FCircleLabelsFont.get(); }
  bool CloseCircle() const { return FCloseCircle; }
  void SetCloseCircle(bool Value);
  bool CircleLabels() const { return FCircleLabels; }
  void SetCircleLabels(bool Value);
  bool CircleLabelsRotated() const { return FCircleLabelsRotated; }
  void SetCircleLabelsRotated(bool Value);
  TChartValueList* RadiusValues() { return YValues(); }
  // The vertical axis' increment; 0 without a chart.
  double RadiusIncrement() const;
  void SetRadiusIncrement(double Value);
  // Rings are circles (0) or polygons of this many sides.
  int SideCount() const { return FSideCount; }

  int AddPolar(double Angle, double Value, const QString& Label = {}, TColor Color = clChartAuto) {
    return AddXY(Angle, Value, Label, Color);
  }
  // The pixel distance from the centre of a radius value on the vertical axis' range; 0 when
  // the range is empty.
  int RadiusPixels(double Value) const;
  TPoint PointPosition(int ValueIndex) const;
  // The text around the circle at spoke Spoke (counted from the angle 0) of angle Angle: the
  // angle in degrees with the degree sign.
  virtual QString CircleLabelText(double Angle, int Spoke) const;

  // The points range the chart's axes, which the series draws along its radius itself.
  bool UseAxis() const override { return true; }
  bool IsKindOf(const TChartSeries* S) const override {
    return dynamic_cast<const TCustomPolarSeries*>(S) != nullptr;
  }
  void Assign(const TChartSeries& Source) override;
  void DrawAllValues() override;
  int Clicked(int X, int Y) const override;
  // A short line in Pen, the pointer over it when visible, in the colour of the point (or of
  // the series for -1).
  void DrawLegendShape(int ValueIndex, const TRect& R) override;

 protected:
  // Run before the background and the values are drawn.
  virtual void PrepareDrawing() {}
  void SetSideCount(int Value) { FSideCount = Value; }

 private:
  double AngleStep() const;
  // The first active polar series of the chart with points: the one that draws the circle that
  // all of them share.
  const TCustomPolarSeries* CircleOwner() const;
  // The depth of the circle, its rings and all the curves on it.
  int CircleZ() const;
  void DrawBackground();
  void DrawRing(int RX, int RY);
  void DrawSpokesAndLabels();
  void DrawRings();
  void DrawRadiusAxes();
  void DrawCircleLabel(double Angle, int Spoke);
  std::unique_ptr<TChartBrush> FBrush;
  std::unique_ptr<TChartPen> FCirclePen, FPen;
  std::unique_ptr<TSeriesPointer> FPointer;
  std::unique_ptr<TFont> FCircleLabelsFont;
  bool FCloseCircle = true, FCircleLabels = false, FCircleLabelsRotated = false;
  int FSideCount = 0;
  // Where the angles round the circle were last written: the radius labels keep off them.
  std::vector<TRect> FAngleBoxes;
};

class TPolarSeries : public TCustomPolarSeries {
 public:
  QString ClassName() const override { return QStringLiteral("TPolarSeries"); }
  TChartValueList* AngleValues() { return XValues(); }
  // The horizontal axis' increment: 10 without a chart and where the axis has none.
  double AngleIncrement() const;
  void SetAngleIncrement(double Value);
  void FillSampleValues(int NumValues) override;
};

class TRadarSeries : public TCustomPolarSeries {
 public:
  ~TRadarSeries() override;
  QString ClassName() const override { return QStringLiteral("TRadarSeries"); }
  int NumSampleValues() const override { return 5; }
  void FillSampleValues(int NumValues) override;
  // The label of the spoke's point.
  QString CircleLabelText(double Angle, int Spoke) const override;

 protected:
  // One spoke per point, evenly around the circle.
  void PrepareDrawing() override;
  void ParentChartChanging(TCustomAxisPanel* New) override;

 private:
  double FWrittenStep = 0;  // the angle step last written to the chart's axis
};
