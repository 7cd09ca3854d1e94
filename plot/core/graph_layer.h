#pragma once
// The base of everything a graph keeps in its layer list and draws in list order, the colour-level
// scale shared by contour and matrix layers, and the registry that makes layers by class name for
// the graph text file.
#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "platform/colors.h"
#include "plot/core/graph_types.h"

class QMenu;
class TGraph;
class TGraphTextReader;
class TGraphTextWriter;
class TLayer;

// How interactive state (info bubbles, the hit layer, undo records) refers to a layer: it
// answers null once the layer has left its graph (deleted or cleared) or was freed, and a later
// layer at the same address never brings it back.
class TLayerHandle {
 public:
  TLayerHandle() = default;
  explicit TLayerHandle(const TLayer* Layer);
  TLayer* Get() const;
  bool Refers(const TLayer* Layer) const { return Layer && Get() == Layer; }
  void Reset() { FToken.reset(); }

 private:
  friend class TLayer;
  std::weak_ptr<TLayer* const> FToken;
};

// What the graph asks of a point series. The series library implements it; the graph reaches it
// through TLayer::AsSeries instead of a cast to a class it cannot see.
// The kinds of series, by the numbers the graph file and the style box (row + 1) use.
enum TSeriesKind : int {
  skPoints = 1,
  skLine,
  skLineAndPoint,
  skVolume,
  skArrow,
  skPiecewiseConstant,
  skArea,
  skBar,  // side by side, or stacked
  skMatrix,
  skZOrderedBar  // bars behind one another
};

class TGraphSeries {
 public:
  virtual ~TGraphSeries() = default;
  virtual int Kind() const = 0;
  virtual void SetKind(int Value) = 0;
  // What the info bubble reads: the current point (the last hit), a point's world position,
  // name and clustered bar rectangle, whether the last hit was on a point rather than the line,
  // the curve's world value at a world X, the X a click snaps to, and whether the class is the
  // plain series (other classes show Convert of the clicked position as the X value).
  virtual int CurrentPoint() const { return 0; }
  virtual bool PointXY(int /*Index*/, TDoublePoint& /*P*/) const { return false; }
  virtual bool PointName(int /*Index*/, QString& /*Name*/) const { return false; }
  virtual bool PointBarRect(int /*Index*/, TDoubleRect& /*R*/) const { return false; }
  virtual bool OnPoint() const { return false; }
  virtual void SetOnPoint(bool /*Value*/) {}
  virtual double CurveValue(double /*X*/, double /*Yref*/) const { return MissingValue; }
  virtual double SnapPoint(double X, double /*Yref*/) const { return X; }
  virtual bool PlainSeries() const { return true; }
  virtual double Convert(double X, double /*Y*/) const { return X; }
  // The name of the point a bubble anchored at world (X, Y) shows: that of point Index, or for a
  // grid the text of the cell at (X, Y).
  virtual bool PointNameAt(int Index, double /*X*/, double /*Y*/, QString& Name) const {
    return PointName(Index, Name);
  }
  // The hover timer ran out over this series: it places its info bubble.
  virtual void PlaceHoverAnchor() {}
  virtual int SeriesNumber() const = 0;
  virtual double BarWidth() const = 0;  // relative, 0.7 by default
  virtual int BarPixelWidth(int ClusteredPoints, int ZOrderedPoints) const = 0;
  virtual bool OwnMarkerColor() const = 0;
  // The largest marker size, in character heights; 0 without markers.
  virtual int MarkerSize() const { return 0; }
  // Y of point J, for the stacked sums; MissingValue when there is none.
  virtual double PointY(int J) const;
  // Bar J of a clustered group in slot Slot of Bars, or of a stack.
  virtual void DrawClusteredBar(int /*J*/, int /*Slot*/, const TDoubleRect& /*Extent*/,
                                int /*Bars*/, int /*Points*/) {}
  virtual void DrawStackedBar(int /*J*/) {}
};

// What the graph asks of a contour layer: the value under the mouse at a world point,
// MissingValue where there is none.
class TGraphContour {
 public:
  virtual ~TGraphContour() = default;
  virtual double PointValue(double /*X*/, double /*Y*/) const { return MissingValue; }
  // Decimals of the level texts; the colour legend writes its values with them.
  virtual int LevelDigits() const { return 3; }
};

class TLayer {
 public:
  explicit TLayer(TGraph* AGraph);
  virtual ~TLayer();
  TLayer(const TLayer&) = delete;
  TLayer& operator=(const TLayer&) = delete;

  bool Selected = false;
  bool Tracking = false;  // answers the mouse
  bool Changed = false;
  bool AutoLevels = false;
  TColor Color = clBlack;
  bool OnXAxis2 = false;
  bool OnYAxis2 = false;
  bool Visible = true;
  double LayerValue = 0;
  int LayerTag = -1;
  TGraph* Graph;
  QString Name;
  int DragState = 0;
  int HitIndex = -1;
  double PickTolerance = 0.01;  // a fraction of the plot rectangle
  int ColorPalette = 0;
  int PaletteOption = 3;
  double ZMax = 0;
  double ZMin = 0;
  bool UseZMax = false;
  bool UseZMin = false;
  // The user's level range and the zero rule of the layers that draw levels.
  double LevelStart = 0;
  double LevelEnd = 0;
  bool UseLevelStart = false;
  bool UseLevelEnd = false;
  bool SkipZero = false;
  // 1-based like the levels they describe; element 0 is unused.
  std::array<double, 9> Levels{};
  std::array<int, 9> LevelColors{};
  std::array<bool, 9> LevelFlags{};
  bool WhiteZero = false;

  // "This layer as a series", "as a contour": null unless it is one.
  virtual TGraphSeries* AsSeries() { return nullptr; }
  virtual TGraphContour* AsContour() { return nullptr; }
  const TGraphSeries* AsSeries() const { return const_cast<TLayer*>(this)->AsSeries(); }
  const TGraphContour* AsContour() const { return const_cast<TLayer*>(this)->AsContour(); }

  // A handle that goes dead when the layer leaves its graph or is freed.
  TLayerHandle Handle() const;
  // Kills every handle made so far; handles made later refer to the layer again.
  void DropHandles() { FToken.reset(); }

  // The name the graph text file knows the class by.
  virtual QString ClassName() const { return QStringLiteral("TLayer"); }

  virtual TColor GetColor() const { return Color; }
  virtual bool GetOnXAxis2() const { return OnXAxis2; }
  virtual void SetOnXAxis2(bool Value) { OnXAxis2 = Value; }
  virtual bool GetOnYAxis2() const { return OnYAxis2; }
  virtual void SetOnYAxis2(bool Value) { OnYAxis2 = Value; }
  virtual void SetColor(TColor Value) { Color = Value; }
  virtual bool GetAutoLevels() const { return AutoLevels; }
  virtual void SetVisible(bool Value) {
    if (Visible != Value) Visible = Value;
  }
  virtual bool GetVisible() const { return Visible; }
  virtual double GetZMin() const { return 0.0; }
  virtual double GetZMax() const { return 1.0; }
  virtual int ItemCount() const { return 1; }
  virtual void SetTracking(bool Value) { Tracking = Value; }
  virtual bool GetTracking() const { return Tracking; }
  virtual void SetAutoLevels(bool Value) { AutoLevels = Value; }
  virtual void EraseClick() {}
  virtual void PropertiesClick() {}
  virtual bool GetSelected() const { return Selected; }
  virtual void SetShaded(bool Value) { Shaded = Value; }
  bool GetShaded() const { return Shaded; }
  // The layer's own popup menu, built on first use so that a descendant's builder runs.
  QMenu* PopupMenu();
  virtual void BuildPopupMenu();
  // The layer's block after the class-name line: reads what Save writes. A descendant reads
  // its own lines around the base block. Throws TGraphLoadError on a malformed block.
  virtual void Load(TGraphTextReader& F);
  virtual void Save(TGraphTextWriter& F) const;
  virtual void SaveSettings() {}
  virtual void Clear() {}
  virtual void Draw() {}
  // The empty extent is 1e38 .. -1e38 on both axes.
  virtual void GetExtent(double& XMin, double& XMax, double& YMin, double& YMax);
  virtual void MouseMove(int Shift, int X, int Y);
  virtual void ClearHit(int Shift, int X, int Y);
  virtual void MouseDown(int Button, int Shift, int X, int Y);
  virtual void MouseUp(int Button, int Shift, int X, int Y);

  void SetMouseActive(bool Value) { SetTracking(Value); }
  bool MouseActive() const { return GetTracking(); }
  void SetChanged(bool Value);
  void SetDefaultLevels(double Min, double Max);
  // The colour of V on the layer's scale, kept for ColorByValue.
  void ColorRamp(double V);
  TColor ColorByValue() const { return FRampColor; }

 protected:
  void LoadBase(TGraphTextReader& F);
  void SaveBase(TGraphTextWriter& F) const;
  // A descendant's builder hands its menu over; null drops the menu so that it is built anew.
  void SetPopupMenu(std::unique_ptr<QMenu> Menu);
  // The menu if it was built, without building it.
  QMenu* BuiltPopupMenu() const { return FPopupMenu.get(); }

 private:
  bool Shaded = false;
  mutable std::shared_ptr<TLayer* const> FToken;
  TColor FRampColor = clWhite;
  std::unique_ptr<QMenu> FPopupMenu;
};

// Palette index of V on the layer's levels: 0..255, -1 outside the scale, -2 for MissingValue,
// -3 for its negative.
int PaletteIndex(const TLayer& Layer, double V);
TColor PaletteColor(const TLayer& Layer, int Index);

// Layer classes by the name the graph text file writes; the layer libraries fill it at start-up
// with the classes that have a file block of their own.
using TLayerFactory = std::function<std::unique_ptr<TLayer>(TGraph*)>;
void RegisterLayerClass(const QString& ClassName, TLayerFactory Factory);
void UnregisterLayerClass(const QString& ClassName);
// Null for a name nobody registered.
TLayerFactory GetLayerClass(const QString& ClassName);
