#pragma once
// The drawing model behind one plot control: the layer list in drawing order, the four axes, the
// mapping between world values and pixels, the bar depth slots, free colours and numbers, and
// the graph text file.
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "platform/cursors.h"
#include "platform/graphics.h"
#include "plot/core/graph_axis.h"
#include "plot/core/graph_decor.h"
#include "plot/core/graph_drawing.h"
#include "plot/core/graph_gradient.h"
#include "plot/core/graph_info.h"
#include "plot/core/graph_layer.h"
#include "plot/core/graph_legend.h"
#include "plot/core/graph_nicenums.h"
#include "plot/core/graph_picture.h"
#include "plot/core/graph_undo.h"
#include "plot/core/graph_zoom.h"

class QByteArray;
class QAction;
class QMenu;
class QWidget;
class TTimer;

// What the graph asks of the control that owns it. Every default does nothing and blocks
// nothing, so a graph without a control (tests, exports) works.
class TGraphOwner {
 public:
  virtual ~TGraphOwner() = default;
  virtual void SaveAs() {}
  virtual void Properties() {}
  virtual void Print() {}
  virtual QWidget* LegendScrollPanel() { return nullptr; }
  // The scroll bar of a long series legend, in its panel beside the image: whether the panel
  // shows, its width, and the bar's range (0 .. Max) with the entries one page holds.
  virtual bool LegendScrollShown() const { return false; }
  virtual int LegendScrollWidth() const { return 0; }
  virtual void ShowLegendScroll(bool /*Show*/) {}
  virtual void SetLegendScrollRange(int /*Max*/, int /*PageSize*/) {}
  // A legend repaints the graph as soon as its visibility changes.
  virtual bool LegendRepaints() const { return false; }
  // A drawing into the graph's canvas has ended: the owner shows the new picture.
  virtual void PictureDrawn() {}
  virtual void ShowStatus(const QString&) {}
  // The cursor readout: panel 0 X, 1 Y, 2 Z. Width -1 leaves the panel's width alone.
  virtual bool HasStatusBar() const { return false; }
  virtual void SetStatusPanel(int /*Index*/, const QString& /*Text*/, int /*Width*/) {}
  // Cursors by number; the control registers the images of the graph's own (TGraphCursors).
  virtual void SetCursor(TCursor) {}
  // A hint at the mouse for what lies under it, empty to take it away; the control shows it
  // while its hints are on.
  virtual void ShowHint(const QString&) {}
  // The clipboard gets the image's picture.
  virtual void CopyToClipboard() {}
  // Opens the graph's popup menu at the image's client point.
  virtual void ShowPopupMenu(QMenu*, int /*X*/, int /*Y*/) {}
  virtual void ShowError(const QString&) {}
  // The names that prefix the loader's messages: the form's and the control's.
  virtual QString FormName() const { return {}; }
  virtual QString PlotName() const { return {}; }
};

// Makes the annotation layer of a new graph; the plot control installs it. Without one the graph
// has no annotation layer.
using TAnnotationFactory = std::function<std::unique_ptr<TLayer>(TGraph*)>;
void SetGraphAnnotationFactory(TAnnotationFactory Factory);

// Bit values 1 << item.
enum TPopupMenuItem {
  piProperties,
  piCopyToClipboard,
  piPrint,
  piSaveAs,
  piHelp,
  piZoomIn,
  piZoomOut
};
inline constexpr unsigned AllPopupMenuItems = 0x7F;

enum TGraphMouseButton { mbLeft, mbRight, mbMiddle };
// The graph's own cursor numbers.
inline constexpr TCursor crZoomTool = 100;
inline constexpr TCursor crOverLegend = 101;
inline constexpr TCursor crZoomAnimated = 106;

class TGraph : public TGraphDrawing {
 public:
  TGraph(TCanvas* ACanvas, int ImageWidth, int ImageHeight, TGraphOwner* AOwner = nullptr);
  ~TGraph() override;

  TRect ImageRect;
  TRect ZoomPlotRect;
  TRect SavedPlotRect;
  TDoubleRect SavedRanges;
  bool ClipMarkers = false;
  TNiceNumbers NiceNumbers{10, 1.0, 1.0};
  bool Changed = false;
  std::function<void(TLayer*)> OnDeleteSeries;
  bool InfoTookClick = false;
  bool Busy = false;
  bool ZoomAnimated = false;
  bool ReplaceLayers = false;
  // The zoom history; the graph counts as zoomed while it holds a state.
  TZoom Zoom{this};
  TGraphOwner* Owner;
  TGraphOwner DefaultOwner;
  std::unique_ptr<TGraphGradient> Gradient;
  std::unique_ptr<TXAxis> XAxis;
  std::unique_ptr<TYAxis> YAxis;
  std::unique_ptr<TXAxis2> XAxis2;
  std::unique_ptr<TYAxis2> YAxis2;
  TFont Font;
  TGraphUndo Undo;
  std::unique_ptr<TLayer> Annotate;
  TColor Color = clWhite;
  TColor BackColor = clBtnFace;
  TBarStyle BarStyle = bsClustered;
  TGraphTitle Title{this, true};
  TGraphTitle Foot{this, false};
  TGraphFrame Frame{this};
  // The series legend and the colour legends, drawn by the paint pipeline and dragged with the
  // mouse; not in the layer list.
  std::unique_ptr<TWLegend> Legend;
  std::array<std::unique_ptr<TColorLegend>, 10> ColorLegends;
  TColorLegend* ColorLegend(int Index = 0) const { return ColorLegends.at(Index).get(); }
  // A layer that goes takes its legend entries with it and leaves no colour legend showing it.
  void ForgetLayer(const TLayer* Layer);
  // The legend being dragged, and the shown legend box at a pixel; null for none.
  TAbstractLegend* DraggedLegend() const;
  TAbstractLegend* LegendAt(int X, int Y) const;

  // --- Painting and layout ---
  TDoubleRect DataExtent;  // Left XMin, Top YMin, Right XMax, Bottom YMax of the last autoscale
  TRect PrintRect;
  int AutoMargins[4] = {0, 0, 0, 0};  // left, right, top, bottom, in character heights
  double Exaggerate = 0;
  TDoubleRect BarGroupExtent;
  int CharHeight = 1;
  std::function<void(TGraph*)> OnBeforeStartDraw, OnBeforePictureDraw, OnBeforeDraw, OnAfterDraw;
  std::unique_ptr<TGraphPicture> Picture;
  std::unique_ptr<TGraphInfo> Info;
  // The series and point a mouse press last hit; the handle dies with the series.
  TLayerHandle HitLayer;
  int HitPoint = -1;

  // --- Hover info ---
  // A series that shows the info bubble of the point the mouse rests on starts the timer at
  // each hit; when the mouse has rested for HoverDelay the series places the bubble. A series
  // that went meanwhile is never asked.
  static constexpr int HoverDelay = 500;  // milliseconds
  void StartHoverTimer(TLayer* Series);
  // Stops the timer when Series is the one waiting (any series for null).
  void StopHoverTimer(const TLayer* Series = nullptr);
  bool HoverTimerPending() const { return FHoverLayer.Get() != nullptr; }
  // The timer's tick; tests call it instead of waiting.
  void HoverTimerTick();

  // Autoscales, lays out and draws everything on the current target.
  void Paint();
  // The autoscale and layout of Paint without drawing.
  void PrepareLayout();
  // The paint entry points: each paints once with a context of its own and leaves the graph
  // drawing on its image again. PaintIn paints with any context within Rect (the print rectangle
  // of a print, else the image rectangle for that paint).
  void PaintIn(const TPaintContext& Context, const TRect& Rect);
  // Onto a picture's canvas (a metafile) of the given size, drawn like the screen.
  void PaintToPicture(TCanvas* PictureCanvas, const TRect& Size);
  // Onto a print page (or an image previewing it) within Rect; BlackOnly keeps every colour
  // black, as the printer said when the print started.
  void PrintTo(TCanvas* Page, const TRect& Rect, bool BlackOnly);
  // Onto a page that a page drawer lays out itself, within Rect: white background, black axes.
  void PaintAsPage(TCanvas* Page, const TRect& Rect, bool Printing, bool BlackOnly = false);
  void Repaint() { Paint(); }
  // Layers call this when their data change; the kept extents are computed again at the next
  // paint. Adding, deleting and hiding layers is noticed without it.
  void DataChanged() { ++FDataGeneration; }
  TDoubleRect CalcExtent();
  TDoubleRect CalcExtent2();
  TDoubleRect ApplyAxisLimits(const TAxis& X, const TAxis& Y, const TDoubleRect& Extent) const;
  void AddAutoMargins(TDoubleRect& R, const TAxis& X, bool Secondary, const TAxis& Y);
  void CalcLayout();
  int LastBarLayerIndex() const;
  // The most points a series of the kind holds, visible or not.
  int MaxPointsOfKind(int Kind) const;
  void DrawBarGroup();
  TDoubleRect GetBarSeriesExtent() const;
  // The extents series and the control ask for: the visible layers with data on the primary
  // (secondary) axes in axis space, whole decades on a logarithmic axis and a single value
  // widened; they leave the raw values in DataExtent. GetDataExtent is the plain merged extent
  // of every visible layer on the primary axes, 1 .. 2 where it has no width.
  TDoubleRect GetPrimaryExtent();
  TDoubleRect GetSecondaryExtent();
  TDoubleRect GetDataExtent() const;

  // Height of "a" in Arial at size 1 on the canvas drawn on, the unit of ticks, frame widths and
  // margins; the canvas font is left as it was.
  int MeasureCharHeight();
  // The frame's width in pixels on the canvas drawn on.
  int FrameWidth() const { return Frame.GetPixelWidth(); }

  TAxis* Axis(TGraphAxisId A) const;

  // --- Layers ---
  int LayerCount() const { return static_cast<int>(FLayers.size()); }
  TLayer* GetLayer(int Index) const { return FLayers.at(Index).get(); }
  TLayer* AddLayer(std::unique_ptr<TLayer> Layer);
  // Puts the layer at Index of the list (0: drawn first, under the others); an index outside
  // the list appends it.
  TLayer* InsertLayer(int Index, std::unique_ptr<TLayer> Layer);
  // Unlinks the layer and hands it to the caller; OnDeleteSeries runs first.
  std::unique_ptr<TLayer> DeleteLayer(int Index);
  // Moves the layer at From to index To of the list, the others keeping their order; false,
  // changing nothing, when either index is outside the list.
  bool MoveLayer(int From, int To);
  void ClearLayers();
  void Clear();
  int IndexOfLayer(const TLayer* Layer) const;
  TLayer* FindLayer(const QString& Name) const;
  void UnselectLayers();
  bool IsEmpty() const;

  // --- Mouse ---
  // Pixels of the image. The point (-1, -1) means no point; while the graph paints only the
  // busy cursor shows.
  virtual void MouseMove(int Shift, int X, int Y);
  virtual void MouseDown(TGraphMouseButton Button, int Shift, int X, int Y);
  virtual void MouseUp(TGraphMouseButton Button, int Shift, int X, int Y);
  // The plot rectangle with the 3D depth above and to the right, edges included.
  bool InMouseArea(int X, int Y) const;

  // --- Popup menu ---
  // Builds the menu again from the items (a bit 1 << item each). The menu is made when first
  // asked for: a graph drawn without an application has no widgets.
  void CreatePopupMenu();
  void SetPopupMenuItems(unsigned Items);
  unsigned GetPopupMenuItems() const { return FPopupMenuItems; }
  QMenu* PopupMenu();
  void CopyToClipboard();
  void SaveAs();
  void Print();
  void ShowPlotHelp();
  void ZoomInClick();
  void ZoomOutClick();
  void PropertiesClick();

  // --- Mapping ---
  int ScreenAngle(double AngleDeg) const;
  void SetRanges(const TDoubleRect& R);
  // Scale and offset of both mappings from R and the two range records.
  void ComputeMapping(const TRect& R);

  // --- Bars ---
  int VisibleBarCount() const;
  int BarSeriesCount() const;
  void ApplyBarStyle();
  int MaxBarPoints() const;
  int BarSeriesIndex(const TLayer* Series) const;
  int BarSlotCount() const override;
  int BarSlot(const TLayer* Series) const override;
  double MaxBarWidth() const;
  int MaxBarPixelWidth() const;
  bool GetClipMarkers() const { return ClipMarkers && BarSeriesCount() == 0; }
  void SetClipMarkers(bool Value) { ClipMarkers = Value; }

  TColor FreeColor() const;
  int FreeSeriesNumber() const;
  void SetChanged(bool Value);

  // --- Graph text file ---
  // Reads every layer block into a list of its own first; on an error nothing is added and
  // Error holds one message with its line number.
  bool LoadFromText(const QByteArray& Data, QString* Error = nullptr);
  QByteArray SaveToText() const;
  QString LoadErrorFormat() const;

  // --- TGraphDrawing ---
  bool AxisLog(TGraphAxisId A) const override { return Axis(A)->Log; }
  bool AxisInverted(TGraphAxisId A) const override { return Axis(A)->Inverted; }
  bool LayerOnXAxis2(const TLayer* L) const override { return L->GetOnXAxis2(); }
  bool LayerOnYAxis2(const TLayer* L) const override { return L->GetOnYAxis2(); }
  QString LayerName(const TLayer* L) const override { return L->Name; }
  bool LayerMarkerColor(const TLayer* L, TColor& C) const override;

 private:
  // The visible layers' extents merged, non-finite and empty ones left out.
  struct TMergedExtent {
    double XMin = 1e38, XMax = -1e38, YMin = 1e38, YMax = -1e38;
    bool FoundX = false, FoundY = false;
  };
  TMergedExtent MergeExtents(bool Secondary, bool WithDataOnly) const;
  // Stacked bars set the Y range (Widen: only widen it to hold the stacks).
  void StackBarExtent(TMergedExtent& M, bool Widen) const;
  TDoubleRect Extent(bool Secondary);
  TDoubleRect QueryExtent(bool Secondary);
  void AutoscaleAndLayout();
  void DrawLayers();
  unsigned FPopupMenuItems = 1u << piProperties;
  std::unique_ptr<QMenu> FPopupMenu;
  bool MouseIgnored(int X, int Y);
  void ShowReadout(int Shift, int X, int Y);
  void ShowNoReadout();
  void SetLayerAxes(const TLayer* L);
  // Offers a mouse event to the layers from the top one down, each on its own axes, until one
  // is hit: that one, or null.
  TLayer* LayerHit(const std::function<void(TLayer& L)>& Event);
  std::vector<std::unique_ptr<TLayer>> FLayers;
  std::unique_ptr<TTimer> FHoverTimer;
  TLayerHandle FHoverLayer;
  int FScreenCharHeight = 1;
  // The extents as last computed, with what they were computed from.
  struct TExtentCache {
    bool Valid = false;
    std::vector<double> Key;
    TDoubleRect Result, Data;
  } FExtentCache[2];
  unsigned FDataGeneration = 0;
  std::vector<double> ExtentKey(bool Secondary) const;
};
