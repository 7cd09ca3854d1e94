#pragma once
// The legend boxes of a graph: the series legend with one entry per series or text, and the
// colour legends that show the colour scale of a contour or matrix layer. Both are framed,
// shadowed boxes docked at a side of the image or placed inside the plot area, and the user drags
// them to a new place with the mouse. Sizes are counted in the graph's character height, so
// screen, printer and metafile keep their proportions.
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/geometry.h"
#include "platform/graphics.h"
#include "plot/core/graph_layer.h"
#include "plot/core/graph_marker.h"
#include "plot/core/graph_types.h"
#include "plot/core/graph_utils.h"

class TCanvas;
class TGraph;
class TWLegend;

// One entry of the series legend: a sample drawn by the layer's entry class and a text.
class TLegend : public TGraphAbstract {
 public:
  TLegend(TGraph* AGraph, const QString& AText);
  ~TLegend() override = default;
  TLegend(const TLegend&) = delete;
  TLegend& operator=(const TLegend&) = delete;

  double SampleA = 0.025, SampleB = 0.2, SampleC = 0.3;
  int MarkerSize = 0;  // font points
  TGraph* Owner;
  int X = 0, Y = 0;  // top left, set by the layout
  QString Text;
  TLayer* Layer = nullptr;  // null for a plain text entry
  TMarker Marker;
  // What the sample shows: the series' kind, line colour, width and style.
  int Kind = skLineAndPoint;
  int LineWidth = 1;
  int LineStyle = 0;
  // Tells this entry from any other ever made, also from one at a freed entry's address.
  const std::uint64_t Serial;

  // With a layer: the layer is visible and the entry too.
  bool GetVisible() const override;
  // 0 for an entry whose layer is hidden; else measured in the series legend's font.
  virtual int GetWidth() const;
  virtual int GetHeight() const;
  virtual void DrawSample() {}
  virtual void SetPosition(int AX, int AY) {
    X = AX;
    Y = AY;
  }
  int MarkerPixelSize() const;
  void Draw() override;
  // The text as the box shows it: cut with an ellipsis where it would be wider than a quarter of
  // the image, so that a long formula leaves the plot its room. Measured in the legend's font.
  QString ShownText() const;

 protected:
  TWLegend* Box() const;
  TCanvas* Canvas() const;
};

// The box both legend kinds share, and its dragging.
class TAbstractLegend : public TLayer {
 public:
  explicit TAbstractLegend(TGraph* AGraph);

  int DownX = 0, DownY = 0;
  TRect FrameRect;   // the drag frame now shown
  TRect InsideRect;  // candidates for a drop inside the plot, docked top or bottom, left or right
  TRect HorzRect;
  TRect VertRect;
  bool FrameDrawn = false;
  TLegendStyle Style = lsRight;
  TFont Font;
  bool TransparentBackGround = false;
  int ShadowThickness = 3;  // character heights
  TColor ShadowColor = clBlack;
  bool ShadowVisible = true;
  TColor FrameColor = clBlack;
  bool FrameVisible = true;
  int FrameThickness = 1;  // character heights
  TPenStyle FrameStyle = psSolid;
  TRect Bounds;  // the box in image pixels

  // Stores a change and, when the plot asks for it, repaints the graph.
  void SetVisible(bool Value) override;

  // Places the box and takes its room from R.
  virtual void CalcSize(TRect& R) { (void)R; }
  virtual void GetHorzSize(int AX, int AY, TRect& R);
  virtual void GetVertSize(int AX, int AY, TRect& R);
  virtual void GetDefaultSize(int AX, int AY, TRect& R);
  // The outline of R, drawn not-xor in the drag's pen so that drawing it again erases it.
  virtual void DrawDragFrame(const TRect& R, int Width, TColor AColor, TPenMode Mode);
  virtual void DragMove(int AX, int AY);
  virtual void EndDrag(int AX, int AY);
  void BeginDrag(int AX, int AY);
  // The legend font on the canvas drawn on; null without a canvas.
  TFont* ApplyFont();
  // The image side nearest to a point; on ties right wins over left, left over top, top over
  // bottom.
  TLegendStyle NearestEdge(int AX, int AY) const;
  // The box's pixels, edges included.
  bool Contains(int AX, int AY) const;

 protected:
  TCanvas* Canvas() const;
  int CH() const;
  // The drag's frame, drawn or erased.
  void ToggleFrame();
  // Moves FrameRect and the candidates by the mouse movement since the last call.
  void MoveCandidates(int AX, int AY);
  void DrawShadowAndBox(int XOffset);
};

// The series legend: its entries laid out in rows (docked at the top or bottom), in a column
// (left or right, scrolled by the plot when they do not fit) or inside the plot at a world
// position that follows zooming.
class TWLegend : public TAbstractLegend {
 public:
  explicit TWLegend(TGraph* AGraph);
  ~TWLegend() override;

  double WorldTop = 0, WorldBottom = 0, WorldLeft = 0, WorldRight = 0;  // axis space
  int VisibleLines = 0;

  QString ClassName() const override { return QStringLiteral("TWLegend"); }
  int Count() const { return static_cast<int>(FItems.size()); }
  TLegend* Item(int Index) const { return FItems.at(Index).get(); }
  // Takes the entry; answers it.
  TLegend* AddItem(std::unique_ptr<TLegend> Entry);
  void DeleteItem(int Index);
  int IndexOfItem(const TLegend* Entry) const;
  int FindItem(const QString& AText) const;
  int IndexOfLayer(const TLayer* ALayer) const;
  // The entry with that serial, null when the legend no longer holds it.
  TLegend* ItemBySerial(std::uint64_t Serial) const;

  int ItemCount() const override { return Count(); }
  void Clear() override;
  void Draw() override;
  void GetDefaultSize(int AX, int AY, TRect& R) override;
  void DragMove(int AX, int AY) override;
  void EndDrag(int AX, int AY) override;

  int MaxEntryWidth() const;
  // The entry shown at a pixel of the box, null between the entries.
  TLegend* ItemAt(int AX, int AY);
  // The mouse at a pixel ((-1, -1) when it is not over the box): a cut entry under it shows its
  // whole text in the plot's hint; the owner hears only of changes.
  void HoverAt(int AX, int AY);
  int LineHeight();
  bool AnyShown() const;
  // Lays the entries out and takes the box's room from R (the room left for the plot).
  void CalcLayout(TRect& R, bool Again = false);
  // The inside box at its world position within the plot rectangle.
  void PlaceInside();

 private:
  std::vector<std::unique_ptr<TLegend>> FItems;
  QString FHint;
};

// A colour bar with value labels for the colour scale of one contour or matrix layer.
class TColorLegend : public TAbstractLegend {
 public:
  explicit TColorLegend(TGraph* AGraph);

  TLayer* Layer = nullptr;  // not owned
  int BarWidth = 0;
  bool ShowLabels = true;  // the value labels beside the bar

  QString ClassName() const override { return QStringLiteral("TColorLegend"); }
  int ItemCount() const override;
  void Clear() override { Layer = nullptr; }
  void CalcSize(TRect& R) override;
  void GetDefaultSize(int AX, int AY, TRect& R) override;
  void DragMove(int AX, int AY) override;
  void EndDrag(int AX, int AY) override;
  void Draw() override;
  // The palette index of V on the legend's copy of the layer's levels; the upper end limits only
  // when the layer uses its own ZMax.
  int ColorIndexOf(double V) const;
  // The bar as last drawn, in pixels.
  TRect BarRect() const { return FBar; }
  bool Vertical() const { return Style == lsRight || Style == lsLeft; }

 private:
  std::array<double, 9> FLevels{};
  std::array<int, 9> FLevelColors{};
  double FZMax = 0;
  bool FUseZMax = false;
  TRect FBar;
};
