#pragma once
// The point series: the layer of a graph that holds measured or tabulated points, its points, its
// legend entry and its block of the graph text file.
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/colors.h"
#include "plot/core/graph.h"
#include "plot/core/graph_layer.h"
#include "plot/core/graph_marker.h"
#include "plot/core/graph_poly.h"
#include "plot/core/graph_types.h"

class TSeries;
class TSeriesUndo;
class TGraphTextReader;
class TGraphTextWriter;

// One point: the segment that ends here starts at StartX, StartY.
class TGraphData {
 public:
  TGraphData(TGraph* AGraph, TSeries* AOwner, TColor AColor = 0, const QString& AName = {});
  TGraph* Graph;
  TSeries* Owner;
  TColor Color = 0;
  int Tag = 1;
  double StartX = 0, StartY = 0, X = 0, Y = 0;
  std::optional<TMarker> Marker;
  QString Name;
  bool Pickable = true;
  bool Reserved1 = true;
  int Reserved2 = 0;
  int Reserved3 = 0;
  TDoubleRect BarRect;  // the bar as last drawn in a clustered group; not saved

  void Save(TGraphTextWriter& F) const;
  // Reads the block after its "TGraphData" line; throws TGraphLoadError.
  static std::unique_ptr<TGraphData> Load(TSeries* Series, TGraphTextReader& F);
};

// The series' entry in the graph's legend: a sample of the series' kind left of its text.
class TSeriesLegend : public TLegend {
 public:
  explicit TSeriesLegend(TGraph* AGraph) : TLegend(AGraph, QString()) {
    LineWidth = 1;
    Marker.Shade = 3;
  }
  bool ShowMarkers = true;
  // The sample in the room of eleven hyphens left of the text, on the text's middle line.
  void DrawSample() override;
  // The sample that shows the kind, its left edge at X0 and its top at Y, in the canvas' font.
  void DrawSample(TCanvas* C, int X0, int Y);
};

// The widest line the dialogs set.
inline constexpr int MaxSeriesLineWidth = 100;

// The cursors a series shows over a point; the plot control registers their shapes.
inline constexpr TCursor crDeletePoint = 103;
inline constexpr TCursor crSelectPoint = 104;
inline constexpr TCursor crInfoPoint = 109;

// A mouse hook: the series, the button (press, release) or shift state (move), the default flag
// that lets the series act as well, the mouse in world and pixel coordinates and the hit index.
using TSeriesMouseHook = std::function<void(TSeries* Series, int ButtonOrShift, bool& Default,
                                            double WX, double WY, int X, int Y, int HitIndex)>;

class TSeries : public TLayer, public TGraphSeries {
 public:
  // EditState bits.
  static constexpr int esDragging = 4;
  static constexpr int esEditMode = 16;

  // Kinds: 1 markers, 2 line, 3 line and markers, 4 volume, 5 arrows, 6 piecewise constant,
  // 7 area, 8 bars side by side, 10 bars behind one another.
  TSeries(TGraph* AGraph, TColor AColor, int AKind, const QString& AName);
  // The bare layer: what the loader and the editing's temporary copy start from.
  explicit TSeries(TGraph* AGraph);
  ~TSeries() override;

  int FKind = skLineAndPoint;
  int LineStyle = 0;
  int LineWidth = 1;
  int MarkerStyle = 0;
  int FMarkerSize = 4;
  TColor MarkerPenColor = clBlack;
  TColor MarkerFillColor = 0;
  int MarkerStep = 1;
  bool ShowMarkers = true;
  bool FillFollowsColor = true;
  bool PointColors = false;
  double FBarWidth = 0.7;
  QString Comment;
  bool CanDelete = false, CanHide = false, InfoEnabled = true, CanSelect = false,
       CanSelectPoints = false;
  bool MoveDefault = true, DownDefault = true, UpDefault = true;
  int InfoShift = 0, SelectShift = 1, DeleteShift = 4;
  bool BarFlag = false;
  bool Reserved4 = false;
  bool Segments = false;
  mutable int CurrentIndex = 0;
  int HoverAnchor = -1;
  bool MouseOnMarker = false;  // the mouse is over one of the markers

  // --- Editing state ---
  int MouseX = 0, MouseY = 0;  // last press
  int MoveX = 0, MoveY = 0;    // last move
  int HitDistance = 2147483647;
  int EditState = 0;
  int DragIndex = -1;
  int SelectedIndex = -1;
  bool HoverInfo = false;
  TSeriesMouseHook OnSeriesMouseMove, OnSeriesMouseDown, OnSeriesMouseUp;

  QString ClassName() const override { return QStringLiteral("TSeries"); }
  TGraphSeries* AsSeries() override { return this; }

  void Assign(const TSeries& Source);

  // --- Points ---
  TGraphData* AddPoint(TColor AColor, const QString& AName, double AX, double AY);
  void Clear() override;
  int Count() const { return static_cast<int>(FPoints.size()); }
  int ItemCount() const override { return Count(); }
  // Index clamped to the points; null for an empty series.
  TGraphData* PointAt(int Index) const;
  // Vertex Index: the start pair of point 0, else X, Y of point min(Index, Count - 1). False for
  // an empty series or a negative index.
  bool GetPoint(int Index, TDoublePoint& P) const;
  bool GetPointName(int Index, QString& Name) const;
  TGraphData* SetPointColor(int Index, TColor AColor);
  TColor PointColor(int Index) const;
  // Removes point Index and, unless the points are independent segments, joins its neighbours.
  void DeletePoint(int Index);

  // --- Appearance ---
  void SetMarkerStyle(int Style);
  int GetMarkerStyle() const { return MarkerStyle; }
  void SetMarkerSize(int Size);
  void SetMarkerPenColor(TColor C);
  void SetMarkerFillColor(TColor C);
  void SetLineWidth(int W);
  void SetLineStyle(int S);
  void SetColor(TColor Value) override;
  void SetVisible(bool Value) override;
  TColor GetColor() const override;
  int LinePixelWidth() const;
  void SetSeriesKind(int AKind);

  // --- Values ---
  void GetExtent(double& XMin, double& XMax, double& YMin, double& YMax) override;
  virtual double ValueAt(double AX, double Yref) const;
  double GetValueAt(double AX, double Yref) const { return ValueAt(AX, Yref); }
  virtual double SnapX(double AX, double Yref) const;
  double GetSnapX(double AX, double Yref) const { return SnapX(AX, Yref); }
  int NearestPoint(double AX, double AY) const;
  int BarPixelWidth2(int Count8, int Count10) const;
  int SeriesBarPixelWidth() const {
    return BarPixelWidth2(Graph->MaxPointsOfKind(skBar), Graph->MaxPointsOfKind(skZOrderedBar));
  }

  // --- Legend ---
  void AssignLegend(TSeriesLegend& Entry);
  // The entry while the graph's legend holds it; null once it is gone from there.
  TSeriesLegend* Legend() const;
  // The entry the caller hands to the graph's legend (the legend owns it).
  virtual void SetLegend(TSeriesLegend* Entry);
  // Attaches a new entry in the graph's legend, or removes the series' entry from it.
  void SetHasLegend(bool Has);
  // Leaves the graph, with its legend entry, repaints it and frees itself: nothing may touch
  // the series afterwards.
  void DeleteSelf();

  // --- Editing ---
  void BuildPopupMenu() override;
  void SetInfoEnabled(bool Flag);
  void MouseMove(int Shift, int X, int Y) override;
  void MouseDown(int Button, int Shift, int X, int Y) override;
  void MouseUp(int Button, int Shift, int X, int Y) override;
  void SetHoverCursor(int Shift);
  void StartEdit(bool FromMenu);
  void DragTo(int X, int Y);
  // The popup's actions; the point ones act on the point under the mouse when the menu opened.
  void SelectOnOff();
  void ShowInfo();
  void DeletePoint();
  void HideSeries();
  // The properties hook: the data grid dialog for this series; on a change the legend entry
  // follows and the graph repaints.
  void PropertiesClick() override { EditData(); }
  void EditData();
  // A bare series with this one's settings and points, outside any layer list.
  std::unique_ptr<TSeries> CreateCopy() const;

  // --- Drawing ---
  void Draw() override;
  virtual void DrawLines();
  virtual void DrawMarkers();
  virtual void DrawSteps();
  virtual void DrawArrows();
  virtual void DrawVolume();
  virtual void DrawArea();
  virtual void DrawStep(int Index);
  void SetupPen();

  // --- Bars ---
  // Bar Position of a clustered group, in slot Slot of Bars series with Points positions; the
  // extent is the bar series' extent of this paint.
  void DrawClusteredBar(int Position, int Slot, const TDoubleRect& Extent, int Bars,
                        int Points) override;
  // This series' piece of the stack at Position.
  void DrawStackedBar(int Position) override;
  // The rectangle DrawStackedBar gives the piece, from the data alone; Cut tells whether the top
  // was limited to the plot.
  TDoubleRect StackedBarRect(int Position, int LayerIndex, bool* Cut = nullptr);
  // The width every kind-10 bar of one paint shares, from the bar series' extent and the most
  // points of a kind-10 series; sets the marker size to match. Both walk all the data, so a paint
  // takes them once, not once per bar.
  double ZOrderedBarWidth();
  // The bar of vertex Index drawn behind the others (kind 10).
  void DrawZOrderedBar(int Index, double Width);
  // The pixel outline of the kind-10 bar of vertex Index with its top and right 3D faces
  // (seven points, closed), or null when there is no such bar or it lies off the plot.
  std::unique_ptr<TPoly> BarPolygon(int Index);

  // --- File ---
  void Load(TGraphTextReader& F) override;
  void Save(TGraphTextWriter& F) const override;

  // --- TGraphSeries ---
  int Kind() const override { return FKind; }
  void SetKind(int Value) override { SetSeriesKind(Value); }
  int SeriesNumber() const override { return MarkerStyle; }
  double BarWidth() const override { return FBarWidth; }
  int BarPixelWidth(int C8, int C10) const override { return BarPixelWidth2(C8, C10); }
  bool OwnMarkerColor() const override { return PointColors; }
  int MarkerSize() const override { return ShowMarkers ? FMarkerSize : 0; }
  double PointY(int J) const override;
  int CurrentPoint() const override { return CurrentIndex; }
  bool PointXY(int Index, TDoublePoint& P) const override;
  bool PointName(int Index, QString& AName) const override;
  bool PointBarRect(int Index, TDoubleRect& R) const override;
  bool OnPoint() const override { return MouseOnMarker; }
  void SetOnPoint(bool Value) override { MouseOnMarker = Value; }
  double CurveValue(double AX, double Yref) const override { return ValueAt(AX, Yref); }
  double SnapPoint(double AX, double Yref) const override { return SnapX(AX, Yref); }
  bool PlainSeries() const override;
  // Places the info bubble of the point under the mouse once the hover timer ran out.
  void PlaceHoverAnchor() override;

 protected:
  // The hover info of a mouse move at (X, Y) after its hit test: takes the hover bubble away
  // once the mouse has left it by more than 3 pixels, and waits for the mouse to rest on a hit.
  void HoverStep(int X, int Y);
  bool CurrentXLogOf() const;
  bool CurrentYLogOf() const;
  // The class-name line, the layer's field line with its name on one line, the class name again.
  void SaveLayerBlock(TGraphTextWriter& F) const;
  // Writes and reads the lines after the layer block and before the points.
  void SaveSeriesLines(TGraphTextWriter& F) const;
  void LoadSeriesLines(TGraphTextReader& F, int& PointCount, bool& NoLegend);
  void LoadPoints(TGraphTextReader& F, int PointCount);

 private:
  friend class TSeriesUndo;
  // The hit tests of the mouse move, by kind; each sets HitIndex on a hit.
  void HitPoints(int X, int Y);
  void HitClusteredBars(int X, int Y);
  void HitZOrderedBars(int X, int Y);
  // Deletes point I, or hides its marker, with its undo records, as a delete click does.
  void EraseAt(int I);
  // Removes point I as the delete action does; false when refused.
  bool RemovePoint(int I);
  // HitIndex := the point the menu opened on, when it is still there.
  bool TakeMenuPoint();
  // The undo record of an edit, pushed after the edit with the state from before it.
  std::unique_ptr<TSeriesUndo> Snapshot() const;
  void PushUndo(int Kind, std::unique_ptr<TSeriesUndo> Before);
  bool CallHook(const TSeriesMouseHook& Hook, int ButtonOrShift, bool& Default, int X, int Y);
  std::vector<std::unique_ptr<TGraphData>> FPoints;
  std::uint64_t FLegendSerial = 0;
  // The menu shows the loaded switches once a file block was read; before, the defaults.
  bool FMenuFromFields = false;
  // The hover bubble (its serial in the info layer) and where it was made.
  std::uint64_t FHoverSerial = 0;
  int FHoverX = 0, FHoverY = 0;
  bool FPlacingHover = false;
  struct {
    int Index = -1;
    const TGraphData* Point = nullptr;
    double X = 0, Y = 0;
  } FMenuPoint;
};

// The entry of a serial while the graph's legend holds it.
TSeriesLegend* HeldLegend(TGraph* Graph, std::uint64_t Serial);

// One pixel on screen; the width of "a" at size 1 while printing.
int GraphPixelUnit(TGraph* Graph);
// A name or comment as one line of the file.
QString OneLine(const QString& S);

// The data grid dialog, installed by the plot's user interface: true when the data changed.
using TSeriesDataEditor = std::function<bool(TSeries& Series)>;
void SetSeriesDataEditor(TSeriesDataEditor Editor);

// Registers the series classes with the graph's layer registry; call once at start-up.
void RegisterSeriesLayerClasses();
