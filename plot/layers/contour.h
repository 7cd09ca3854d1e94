#pragma once
// The contour layer: a grid of Z over X and Y, its levels and the lines traced through them.
// Lines and their colours are made when the grid or the levels change and kept; painting only
// draws what is kept.
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "platform/cursors.h"
#include "platform/geometry.h"
#include "platform/graphics.h"
#include "platform/value_grid.h"
#include "plot/core/graph_layer.h"
#include "plot/core/graph_matrix.h"
#include "plot/layers/contour_trace.h"

// The level written along a line. It belongs to its line (the layer keeps both side by side), so
// clearing the lines drops their labels. Box, Hidden and Rejected are results of the last
// placement.
struct TContourLabel {
  bool Visible = true;
  TDoublePoint From, To;  // the piece of the line the label sits on, world coordinates
  QString Text;
  double Angle = 0;  // degrees
  bool Hidden = false;
  bool Rejected = false;
  std::array<TPoint, 5> Box{};  // pixels, closed
};

class TContour : public TLayer, public TGraphContour {
 public:
  // One Y per grid row.
  TContour(TGraph* AGraph, const GraphMatrix::TVector& AX, const GraphMatrix::TVector& AY,
           const GraphMatrix::TMatrix& AZ, int ALevelCount, bool AShaded, bool ASkipZero);
  // One Y per grid node.
  TContour(TGraph* AGraph, const GraphMatrix::TVector& AX, const GraphMatrix::TMatrix& AYMatrix,
           const GraphMatrix::TMatrix& AZ, int ALevelCount, bool AShaded, bool ASkipZero);
  // A tabulated grid, shared read-only with whoever made it: the layer keeps no copy.
  TContour(TGraph* AGraph, TSharedGrid AGrid, int ALevelCount, bool AShaded, bool ASkipZero);
  // The bare layer the loader starts from: an empty grid.
  explicit TContour(TGraph* AGraph);

  int LevelCount = 10;
  // Make levels from start, step and count. The layer's own switch: the base's one of the same
  // name asks for a colour scale, which plain contour lines do not show.
  bool AutoLevels = true;
  double LevelStep = 0;
  bool UseLevelStep = false;
  bool UseLevelList = false;
  QStringList LevelList;
  // Pixels of one shaded cell (at least 1 is used); on a printer's finer pixels a cell is
  // (CellSize + 1)^2 of them. Outlined cells are drawn as rectangles.
  int CellSize = 4;
  bool CellOutline = false;
  // Labels: decimals of their texts, whether they are drawn, only every n-th is tried, framed,
  // drawn last on a filled background (the lines then run under them).
  // All lines in the layer colour; off: each in the colour of its level.
  bool OneColor = true;
  int LabelDigits = 2;
  bool ShowLabels = true;
  int LabelEvery = 1;
  bool FramedLabels = false;
  bool OpaqueLabels = false;
  TFontData LabelFont = [] {
    TFontData F;
    F.Name = QStringLiteral("Arial");
    F.Height = -11;  // 8 points at 96 pixels per inch
    return F;
  }();

  QString ClassName() const override { return QStringLiteral("TContour"); }
  TGraphContour* AsContour() override { return this; }
  int LevelDigits() const override { return LabelDigits; }
  // The status bar's read-out under the mouse.
  double PointValue(double X, double Y) const override { return InterpolateZ(X, Y); }

  double GetZMin() const override { return FGridZMin; }
  double GetZMax() const override { return FGridZMax; }
  void GetExtent(double& XMin, double& XMax, double& YMin, double& YMax) override;

  // Rebuilds every line from the level settings. Level-list entries that are not numbers are
  // skipped; their messages stay in LevelErrors until the next rebuild. A break of the tracing
  // (TContourTraceBreakScope) leaves no lines and sets TraceBroken until the next rebuild.
  void MakeLevels();
  QStringList LevelErrors;
  bool TraceBroken = false;
  // Traces one more level through the value at a world point, in front of the other lines.
  // False when there is no value there or it is the skipped level 0.
  bool AddLevelAt(double X, double Y);
  // The Z value at a world point; MissingValue where the grid has none.
  double InterpolateZ(double X, double Y) const { return GridZAt(Grid(), X, Y, &FIndex); }
  double ZAtPoint(double X, double Y) const { return GridZAt(Grid(), X, Y, &FIndex); }
  void ClearLines();
  // A label for every line not at level 0, on the line's flattest piece.
  void BuildLevelTexts();
  // The label of line I, if it has one.
  const std::optional<TContourLabel>& LabelOf(int I) const { return FLabels[I]; }

  const std::vector<TContourLine>& Lines() const { return FLines; }
  // The colour of line I on the layer's scale: kept, and made again only when the palette
  // changed since.
  TColor LineColor(int I);
  TContourGrid Grid() const;

  void Draw() override;
  // Clicks edit the levels and labels: 1 adds a level at the point, 2 deletes the level of the
  // nearest line, 3 moves that line's label to the nearest piece, 4 shows it again and moves it,
  // 5 hides it; 0 does nothing.
  int MouseMode = 0;
  // The cursor tells what a click would do: move (3), add (1, 4) or delete (2, 5).
  void MouseMove(int Shift, int X, int Y) override;
  void MouseDown(int Button, int Shift, int X, int Y) override;
  // The edit of MouseMode at a world point; true when something changed.
  bool EditAt(double X, double Y);
  // The colour-shaded map over the plot area, drawn before the lines of a shaded layer.
  void DrawColorMap();
  // Places the labels for this drawing and writes the shown ones.
  void PlaceLabels();
  void DrawLabels();

 private:
  void Init(int ALevelCount, bool AShaded, bool ASkipZero);
  TColor ColorOfLevel(double Level);
  void SetScaleToLevelRange();
  // Makes the line colours again when the palette is not the one they were made with.
  void UpdateLineColors();
  struct TPaletteKey {
    int Palette = 0, Option = 0;
    bool WhiteZero = false;
    bool operator==(const TPaletteKey&) const = default;
  };
  TPaletteKey PaletteKey() const { return {ColorPalette, PaletteOption, WhiteZero}; }
  TPaletteKey FColorsKey;

  GraphMatrix::TVector FX{0};
  std::unique_ptr<GraphMatrix::TVector> FY;
  std::unique_ptr<GraphMatrix::TMatrix> FYMatrix;
  GraphMatrix::TMatrix FZ{0, 0};
  TSharedGrid FShared;  // set instead of FX, FY and FZ
  // The grid's range, kept: every paint of a shaded map asks for it.
  double FGridZMin = 1e38, FGridZMax = -1e38;
  TContourGridIndex FIndex;
  std::vector<TContourLine> FLines;
  std::vector<TColor> FLineColors;
  std::vector<TDoubleRect> FPieces;  // of the line being drawn, kept from line to line
  std::vector<std::optional<TContourLabel>> FLabels;  // one per line
  void DrawLine(int I);
  // On a graph with depth the layer lies on the back wall of the frame, as the frame's plot
  // area does: its pixels move right and up by this.
  int DepthOffset() const;
  TDoublePoint DepthShifted(TDoublePoint P, int Off) const;
  TContourLabel MakeLabel(const TContourLine& L) const;
};

// The edit cursors of the mouse modes. The plot control registers their images with the rest
// of the graph's cursors; the layer registration does it too where nobody has.
inline constexpr TCursor crContourMove = 101;
inline constexpr TCursor crContourAdd = 102;
inline constexpr TCursor crContourDelete = 103;
// The edit cursor of a mouse mode; crDefault for a mode without one.
TCursor ContourModeCursor(int MouseMode);

// Registers the contour layer's edit cursors; call once at start-up. The layer has no file block,
// so the graph text file does not know its class.
void RegisterContourLayerClasses();
