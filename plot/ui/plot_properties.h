#pragma once
// The published settings of the plot control, one small object per part of its graph. They keep
// no copies (except the zoom's values and the dialog switches): every property reads and writes
// the graph's own object. Setters compare first; a changed value repaints at once only while the
// plot's AutoApply is set, unless a property says otherwise.
#include <QString>

#include "platform/graphics.h"
#include "plot/core/graph.h"
#include "plot/core/graph_info.h"

class TPlot;

// What every wrapper shares: its plot, and the repaint that AutoApply asks for.
class TPlotPersistent {
 public:
  explicit TPlotPersistent(TPlot* APlot) : FPlot(APlot) {}
  virtual ~TPlotPersistent() = default;
  TPlotPersistent(const TPlotPersistent&) = delete;
  TPlotPersistent& operator=(const TPlotPersistent&) = delete;
  TPlot* Plot() const { return FPlot; }

 protected:
  // The graph repaints when the plot's AutoApply is set.
  void Changed() const;
  // Stores a changed value and repaints with AutoApply; an equal value does nothing.
  template <class T, class U>
  void WriteThrough(T& Field, const U& Value) {
    if (Field == static_cast<T>(Value)) return;
    Field = static_cast<T>(Value);
    Changed();
  }
  TPlot* FPlot;
};

class TPlotAxis;

class TPlotTicks : public TPlotPersistent {
 public:
  TPlotTicks(TPlot* APlot, TPlotAxis* AAxisWrapper, TAxis* AAxis)
      : TPlotPersistent(APlot), FAxisWrapper(AAxisWrapper), FAxis(AAxis) {}
  TPlotAxis* AxisWrapper() const { return FAxisWrapper; }

  TTicksDirection GetDirection() const { return FAxis->Ticks.Direction; }
  void SetDirection(TTicksDirection V) { WriteThrough(FAxis->Ticks.Direction, V); }
  bool GetMajorVisible() const { return FAxis->Ticks.MajorVisible; }
  void SetMajorVisible(bool V) { WriteThrough(FAxis->Ticks.MajorVisible, V); }
  bool GetMinorVisible() const { return FAxis->Ticks.MinorVisible; }
  void SetMinorVisible(bool V) { WriteThrough(FAxis->Ticks.MinorVisible, V); }
  int GetMajorLength() const { return FAxis->Ticks.MajorLength; }
  void SetMajorLength(int V) { WriteThrough(FAxis->Ticks.MajorLength, V); }
  int GetMinorLength() const { return FAxis->Ticks.MinorLength; }
  void SetMinorLength(int V) { WriteThrough(FAxis->Ticks.MinorLength, V); }

 private:
  TPlotAxis* FAxisWrapper;
  TAxis* FAxis;
};

class TPlotAxis : public TPlotPersistent {
 public:
  TPlotAxis(TPlot* APlot, TAxis* AAxis);
  TAxis* Axis() const { return FAxis; }
  // "XAxis", "YAxis", "XAxis2" or "YAxis2": the settings keys' middle part.
  QString KeyName;
  TPlotTicks Ticks;

  bool GetGrid() const { return FAxis->Grid; }
  void SetGrid(bool V) { WriteThrough(FAxis->Grid, V); }
  bool GetVisible() const { return FAxis->GetVisible(); }
  void SetVisible(bool V);
  bool GetAutoMin() const { return FAxis->AutoMin; }
  void SetAutoMin(bool V) { WriteThrough(FAxis->AutoMin, V); }
  bool GetAutoMax() const { return FAxis->AutoMax; }
  void SetAutoMax(bool V) { WriteThrough(FAxis->AutoMax, V); }
  bool GetLog() const { return FAxis->Log; }
  void SetLog(bool V);
  bool GetInverted() const { return FAxis->Inverted; }
  void SetInverted(bool V) { WriteThrough(FAxis->Inverted, V); }
  TColor GetColor() const { return FAxis->GetColor(); }
  void SetColor(TColor V);
  // The axis' label and title fonts; the setters copy the font in and repaint with AutoApply.
  const TFont& GetFont() const { return FAxis->Font; }
  void SetFont(const TFont& V);
  const TFont& GetNameFont() const { return FAxis->NameFont; }
  void SetNameFont(const TFont& V);
  QString GetName() const { return FAxis->Name; }
  void SetName(const QString& V) { WriteThrough(FAxis->Name, V); }
  TColor GetGridColor() const { return FAxis->GridColor; }
  void SetGridColor(TColor V) { WriteThrough(FAxis->GridColor, V); }
  int GetLabelsFrequency() const { return FAxis->LabelsFrequency; }
  // A changed frequency repaints whatever AutoApply says.
  void SetLabelsFrequency(int V);
  TAxisLabelsStyle GetLabelsStyle() const { return FAxis->LabelsStyle; }
  // Stored without comparison and without repaint.
  void SetLabelsStyle(TAxisLabelsStyle V) { FAxis->LabelsStyle = V; }
  TAxisLabelsDirection GetLabelsDirection() const { return FAxis->LabelsDirection; }
  void SetLabelsDirection(TAxisLabelsDirection V) { WriteThrough(FAxis->LabelsDirection, V); }
  bool GetMajorLineVisible() const { return FAxis->MajorLineVisible; }
  void SetMajorLineVisible(bool V) { WriteThrough(FAxis->MajorLineVisible, V); }
  TAxisLocation GetLocation() const { return FAxis->Location; }
  void SetLocation(TAxisLocation V) { WriteThrough(FAxis->Location, V); }
  double GetPosition() const { return FAxis->Position; }
  void SetPosition(double V) { WriteThrough(FAxis->Position, V); }
  // The user's lower and upper bound, set as given: no comparison, no repaint.
  double GetMinimum() const { return FAxis->Min; }
  void SetMinimum(double V) { FAxis->Min = V; }
  double GetMaximum() const { return FAxis->Max; }
  void SetMaximum(double V) { FAxis->Max = V; }

 private:
  TAxis* FAxis;
};

class TPlotTitles : public TPlotPersistent {
 public:
  // The control's titles start at the left, whatever a bare graph's title does.
  TPlotTitles(TPlot* APlot, TGraphTitle* ATitle) : TPlotPersistent(APlot), FTitle(ATitle) {
    FTitle->Alignment = taLeftJustify;
  }
  TGraphTitle* Title() const { return FTitle; }
  QString KeyName;  // "Title" or "Foot"

  // The lines, each followed by "#".
  QString GetText() const;
  // Splits at every "#"; a last piece without "#" is a line too.
  void SetText(const QString& V);
  const TFont& GetFont() const { return FTitle->Font; }
  void SetFont(const TFont& V);
  TAlignment GetAlignment() const { return FTitle->Alignment; }
  void SetAlignment(TAlignment V) { WriteThrough(FTitle->Alignment, V); }
  bool GetVisible() const { return FTitle->Visible; }
  void SetVisible(bool V) { WriteThrough(FTitle->Visible, V); }
  TTitleStyle GetStyle() const { return FTitle->Style; }
  void SetStyle(TTitleStyle V) { WriteThrough(FTitle->Style, V); }

 private:
  TGraphTitle* FTitle;
};

enum TGradientStyle { gsNone, gsLeftRight, gsTopBottom };

class TPlotGradient : public TPlotPersistent {
 public:
  TPlotGradient(TPlot* APlot, TGraphGradient* AGradient)
      : TPlotPersistent(APlot), FGradient(AGradient) {}
  bool GetVisible() const { return FGradient->Visible; }
  void SetVisible(bool V) { WriteThrough(FGradient->Visible, V); }
  TGradientStyle GetStyle() const { return static_cast<TGradientStyle>(FGradient->Style); }
  void SetStyle(TGradientStyle V) { WriteThrough(FGradient->Style, static_cast<int>(V)); }
  TColor GetStartColor() const { return FGradient->StartColor; }
  void SetStartColor(TColor V) { WriteThrough(FGradient->StartColor, V); }
  TColor GetEndColor() const { return FGradient->EndColor; }
  void SetEndColor(TColor V) { WriteThrough(FGradient->EndColor, V); }

 private:
  TGraphGradient* FGradient;
};

// Keeps its values and copies each into the graph's zoom; no comparison, no repaint.
class TPlotZoom : public TPlotPersistent {
 public:
  TPlotZoom(TPlot* APlot, TZoom* AZoom);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool V) { FZoom->Enabled = FEnabled = V; }
  bool GetZoomAutoStop() const { return FZoomAutoStop; }
  void SetZoomAutoStop(bool V) { FZoom->ZoomAutoStop = FZoomAutoStop = V; }
  int GetSteps() const { return FSteps; }
  void SetSteps(int V) { FZoom->Steps = FSteps = V; }
  double GetChangePerStep() const { return FChangePerStep; }
  void SetChangePerStep(double V) { FZoom->ChangePerStep = FChangePerStep = V; }
  TZoomStyle GetStyle() const { return FStyle; }
  void SetStyle(TZoomStyle V) { FZoom->Style = FStyle = V; }
  // Kept only in the graph's zoom.
  TColor GetColor() const { return FZoom->Color; }
  void SetColor(TColor V) { FZoom->Color = V; }

 private:
  TZoom* FZoom;
  bool FEnabled = false;
  bool FZoomAutoStop = false;
  int FSteps = 3;
  double FChangePerStep = 0.033333;
  TZoomStyle FStyle = zsIn;
};

// The info bubbles' look and what a bubble shows. The font is copied in without a repaint.
class TPlotInfo : public TPlotPersistent {
 public:
  TPlotInfo(TPlot* APlot, TGraphInfo* AInfo) : TPlotPersistent(APlot), FInfo(AInfo) {}
  TGraphInfo* Info() const { return FInfo; }

  TInfoStyle GetStyle() const { return FInfo->Style; }
  void SetStyle(TInfoStyle V) { WriteThrough(FInfo->Style, V); }
  TInfoPosition GetPosition() const { return FInfo->Position; }
  void SetPosition(TInfoPosition V) { WriteThrough(FInfo->Position, V); }
  TColor GetColor() const { return FInfo->Color; }
  void SetColor(TColor V) { WriteThrough(FInfo->Color, V); }
  const TFont& GetFont() const { return FInfo->Font; }
  void SetFont(const TFont& V) { FInfo->Font.Assign(V); }
  bool GetVisible() const { return FInfo->GetVisible(); }
  void SetVisible(bool V);
  int GetNumberOfGeneralDigits() const { return FInfo->NumberOfGeneralDigits; }
  void SetNumberOfGeneralDigits(int V) { WriteThrough(FInfo->NumberOfGeneralDigits, V); }
  QString GetFormatX() const { return FInfo->FormatX; }
  void SetFormatX(const QString& V) { WriteThrough(FInfo->FormatX, V); }
  QString GetFormatY() const { return FInfo->FormatY; }
  void SetFormatY(const QString& V) { WriteThrough(FInfo->FormatY, V); }
  bool GetPointName() const { return FInfo->PointName; }
  void SetPointName(bool V) { WriteThrough(FInfo->PointName, V); }
  bool GetSeriesName() const { return FInfo->SeriesName; }
  void SetSeriesName(bool V) { WriteThrough(FInfo->SeriesName, V); }
  bool GetPointValue() const { return FInfo->PointValue; }
  void SetPointValue(bool V) { WriteThrough(FInfo->PointValue, V); }
  bool GetSeriesValue() const { return FInfo->SeriesValue; }
  void SetSeriesValue(bool V) { WriteThrough(FInfo->SeriesValue, V); }
  bool GetPointVisible() const { return FInfo->PointVisible; }
  void SetPointVisible(bool V) { WriteThrough(FInfo->PointVisible, V); }
  bool GetSeriesVisible() const { return FInfo->SeriesVisible; }
  void SetSeriesVisible(bool V) { WriteThrough(FInfo->SeriesVisible, V); }

 private:
  TGraphInfo* FInfo;
};

class TPlotPicture : public TPlotPersistent {
 public:
  TPlotPicture(TPlot* APlot, TGraphPicture* APicture)
      : TPlotPersistent(APlot), FPicture(APicture) {}
  TPictureStyle GetStyle() const { return FPicture->Style; }
  void SetStyle(TPictureStyle V) { WriteThrough(FPicture->Style, V); }
  QString GetPictureFileName() const { return FPicture->PictureFileName; }
  // A new name loads the file when it exists (a missing file keeps the previous picture); the
  // graph repaints unless the plot is being created, and once more with AutoApply.
  void SetPictureFileName(const QString& V);
  bool GetVisible() const { return FPicture->GetVisible(); }
  void SetVisible(bool V);

 private:
  TGraphPicture* FPicture;
};

class TPlotFrame : public TPlotPersistent {
 public:
  TPlotFrame(TPlot* APlot, TGraphFrame* AFrame) : TPlotPersistent(APlot), FFrame(AFrame) {}
  TColor GetColor() const { return FFrame->Color; }
  void SetColor(TColor V) { WriteThrough(FFrame->Color, V); }
  int GetWidth() const { return FFrame->Width; }
  void SetWidth(int V) { WriteThrough(FFrame->Width, V); }
  bool GetVisible() const { return FFrame->GetVisible(); }
  void SetVisible(bool V);
  // Not published; kept in the settings file.
  int GetStyle() const { return FFrame->Style; }
  void SetStyle(int V) { WriteThrough(FFrame->Style, V); }

 private:
  TGraphFrame* FFrame;
};

// The switches that take controls and pages out of the properties dialog.
struct TPlotProperties {
  bool DisabledDerivative = false;
  bool Disabled3D = false;
  bool DisabledXAxisLog = false;
  bool DisabledYAxisLog = false;
  bool DisabledXAxisInvert = false;
  bool DisabledYAxisInvert = false;
  bool DisabledXAxis2Log = false;
  bool DisabledYAxis2Log = false;
  bool DisabledXAxis2Invert = false;
  bool DisabledYAxis2Invert = false;
  bool DisabledOperationsTab = false;
  bool DisabledAxis2Tab = false;
  bool DisabledAxisTab = false;
  bool DisabledSeriesStyle = false;
  bool DisabledInfoTab = false;
  bool DisabledInfoShow = false;
  bool DisabledSeriesOrder = false;
  bool DisabledZoom = false;
  bool DisabledPicture = false;
  bool DisabledBarStyle = false;
};
