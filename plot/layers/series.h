#pragma once
// The point series: the layer of a graph that holds measured or tabulated points, its points, its
// legend entry and its block of the graph text file.
#include <QString>
#include <cstdint>
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

class TSeries : public TLayer, public TGraphSeries {
 public:
  // Kinds: 1 markers, 2 line, 3 line and markers, 4 volume, 5 arrows, 6 piecewise constant,
  // 7 area, 8 bars side by side, 10 bars behind one another.
  TSeries(TGraph* AGraph, TColor AColor, int AKind, const QString& AName);
  // The bare layer: what the loader and the editing's temporary copy start from.
  explicit TSeries(TGraph* AGraph);
  ~TSeries() override;

  int FKind = 3;
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
  int MaxBarPoints8() const;
  int MaxBarPoints10() const;
  int BarPixelWidth2(int Count8, int Count10) const;
  int SeriesBarPixelWidth() const { return BarPixelWidth2(MaxBarPoints8(), MaxBarPoints10()); }

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
  // The bar of vertex Index drawn behind the others (kind 10).
  void DrawZOrderedBar(int Index);
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

 protected:
  bool CurrentXLogOf() const;
  bool CurrentYLogOf() const;
  // The class-name line, the layer's field line with its name on one line, the class name again.
  void SaveLayerBlock(TGraphTextWriter& F) const;
  // Writes and reads the lines after the layer block and before the points.
  void SaveSeriesLines(TGraphTextWriter& F) const;
  void LoadSeriesLines(TGraphTextReader& F, int& PointCount, bool& NoLegend);
  void LoadPoints(TGraphTextReader& F, int PointCount);

 private:
  std::vector<std::unique_ptr<TGraphData>> FPoints;
  std::uint64_t FLegendSerial = 0;
};

// The entry of a serial while the graph's legend holds it.
TSeriesLegend* HeldLegend(TGraph* Graph, std::uint64_t Serial);

// One pixel on screen; the width of "a" at size 1 while printing.
int GraphPixelUnit(TGraph* Graph);
// A name or comment as one line of the file.
QString OneLine(const QString& S);

// Registers the series classes with the graph's layer registry; call once at start-up.
void RegisterSeriesLayerClasses();
