#pragma once
// Series of a function of two variables on the 3D chart: points with a depth value, arranged on
// a regular grid of columns (X) and rows (Z) of Y values, coloured by value through a colour
// range or a palette. The surface draws each grid cell as a four-sided plane (or its outline, or
// its corners); the contour series draws level lines on a horizontal plane.
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_series.h"
#include "platform/value_grid.h"

class TCustom3DSeries : public TChartSeries {
 public:
  TCustom3DSeries();
  TChartValueList* ZValues() const { return FZValues.get(); }
  double ZValue(int Index) const { return FZValues->GetValue(Index); }
  // The depth slots the series claims; the chart's largest depth order becomes this.
  int TimesZOrder() const { return FTimesZOrder; }
  void SetTimesZOrder(int Value);

  int AddXYZ(double X, double Y, double Z, const QString& Label = {}, TColor Color = clChartAuto);
  double MinZValue() const override;
  double MaxZValue() const override;
  bool HasZValues() const override { return true; }
  void CalcZOrder(int& MaxZ, bool Is3D) override;
  void Assign(const TChartSeries& Source) override;
  // Only another series with depth values can feed this one.
  bool IsValidSourceOf(const TChartSeries* Source) const override {
    return Source != this && dynamic_cast<const TCustom3DSeries*>(Source) != nullptr;
  }

 private:
  std::unique_ptr<TChartValueList> FZValues;
  int FTimesZOrder = 3;
};

struct TSurfacePaletteEntry {
  double UpToValue = 0;
  TColor Color = clBlack;
};

namespace SurfaceMessages {
// "Not enough memory for a grid of %d x %d points"
std::string GridTooLarge(long long NumX, long long NumZ);
}  // namespace SurfaceMessages

class TCustom3DGridSeries : public TCustom3DSeries {
 public:
  TCustom3DGridSeries();

  int NumXValues() const { return FNumXValues; }
  int NumZValues() const { return FNumZValues; }
  // A grid that cannot be held is refused (ChartException naming its size), the size stays;
  // sizes below 1 count as 1. A change makes the values again where they can be made.
  void SetNumXValues(int Value);
  void SetNumZValues(int Value);
  // Throws ChartException when NumX by NumZ points cannot be held in memory.
  static void CheckGridSize(long long NumX, long long NumZ);
  // Bytes that NumX by NumZ points take in the series (saturating, never wrapping).
  static std::uint64_t GridBytes(long long NumX, long long NumZ);

  bool UseColorRange() const { return FUseColorRange; }
  void SetUseColorRange(bool Value);
  TColor StartColor() const { return FStartColor; }
  void SetStartColor(TColor Value);
  TColor EndColor() const { return FEndColor; }
  void SetEndColor(TColor Value);
  bool UsePalette() const { return FUsePalette; }
  // True with an empty palette makes the default one.
  void SetUsePalette(bool Value);
  int PaletteSteps() const { return FPaletteSteps; }
  // Kept within 1 .. 10,000; a change makes the default palette again.
  void SetPaletteSteps(int Value);
  const std::vector<TSurfacePaletteEntry>& Palette() const { return FPalette; }
  // Sorted in by value, before the first entry with a larger one. A palette that is added to
  // stays as it is; the default palette is made again when the values' range has changed.
  void AddPalette(double Value, TColor Color);
  void ClearPalette();
  void CreateDefaultPalette(int Steps);
  // The colour of the first entry above Value, else the last entry's.
  TColor GetPaletteColor(double Value) const;
  // The colour of a Y value by the colour range or the palette, else the series colour.
  TColor GetValueColorValue(double Value) const;
  // The stored colour of a point, replaced by the colour of its value unless it is a null
  // point, then OnGetColor.
  TColor GetValueColor(int ValueIndex) const override;

  // The value at grid column X, row Z: from OnGetYValue, or the sample shape while sample values
  // are made, else 0.
  double GetYValue(int X, int Z);
  // Fills the grid from GetYValue when values can be made (OnGetYValue or sample values).
  void CreateValues(int NumX, int NumZ);
  // The grid form, beside AddXYZ: column I and row J of Grid (from 0) become the point at X =
  // I + 1, Z = J + 1 with the value as Y, a missing value a null point, in one pass. Replaces the
  // points and the grid's size; a grid that cannot be held is refused as SetNumXValues refuses
  // it, and the points stay.
  void AssignGrid(const TValueGrid& Grid);
  // The same without a copy: the series reads the shared grid in place (its value lists read it
  // through, and hold nothing), until a point is changed, added or deleted, which turns the grid
  // into held points first. Refused (ChartException) only for more points than a series counts.
  void AssignGrid(TSharedGrid Grid);
  // The grid the series reads in place; null while it holds its points.
  const TSharedGrid& SharedGrid() const { return FShared; }
  void HoldValues() override;
  TColor PointColor(int Index) const override;
  void FillSampleValues(int NumValues) override;
  int NumSampleValues() const override { return 15; }
  void Clear() override;
  void NotifyValue(TSeriesDataEvent Event, int ValueIndex) override;
  void Assign(const TChartSeries& Source) override;
  // Seen in 3D from the front above, or in 2D straight from above.
  void Set3D(bool Value) override;

  // A shared grid's columns and rows run from 1 to its size, null points included.
  double MinXValue() const override { return FShared ? 1 : TCustom3DSeries::MinXValue(); }
  double MaxXValue() const override {
    return FShared ? FShared->NX() : TCustom3DSeries::MaxXValue();
  }
  double MinZValue() const override { return FShared ? 1 : TCustom3DSeries::MinZValue(); }
  double MaxZValue() const override {
    return FShared ? FShared->NY() : TCustom3DSeries::MaxZValue();
  }
  // The Y range over the points that are drawn: null and non-finite points do not count.
  double MinYValue() const override;
  double MaxYValue() const override;

  // The grid index, made when the points change and kept: the point at column X, row Z (both
  // from 1), or -1. Null points and points with a non-finite value have no place.
  void FillGridIndex() const;
  int GridIndex(int X, int Z) const {
    FillGridIndex();
    return PlacedAt(X, Z);
  }
  int GridColumns() const { return (FillGridIndex(), FGridColumns); }
  int GridRows() const { return (FillGridIndex(), FGridRows); }
  // The extent of the placed points' X and Z values.
  double GridMinX() const { return (FillGridIndex(), FGridMinX); }
  double GridMaxX() const { return (FillGridIndex(), FGridMaxX); }
  double GridMinZ() const { return (FillGridIndex(), FGridMinZ); }
  double GridMaxZ() const { return (FillGridIndex(), FGridMaxZ); }
  // How often the index was made (it is kept between drawings).
  int GridIndexBuilds() const { return FGridIndexBuilds; }

  // The legend lists the palette, one item per entry: its value in the value format, in the
  // colour of that value. The palette is made before the legend is drawn, when it is missing.
  int CountLegendItems() const override { return int(FPalette.size()); }
  bool LegendItemsAreAScale() const override { return true; }
  QString LegendString(int Index, TLegendTextStyle Style) override;
  TColor LegendItemColor(int Index) const override;
  void DoBeforeDrawChart() override;

  // Set while sample values are made: the series makes its own values then.
  bool SampleValues() const { return FSampleValues; }
  std::function<double(TChartSeries*, int X, int Z)> OnGetYValue;
  std::function<void(TChartSeries*, int ValueIndex, TColor&)> OnGetColor;
  void AssignEvents(const TChartSeries& Source) override;

 protected:
  // GridIndex without the check that the index is current: for loops that made sure once.
  int PlacedAt(int X, int Z) const {
    if (X < 1 || Z < 1 || X > FGridColumns || Z > FGridRows) return -1;
    if (FShared) {
      const size_t i =
          size_t(X - 1 + FSharedOffX) * size_t(FShared->NY()) + size_t(Z - 1 + FSharedOffZ);
      return std::isfinite(FSharedValues[i]) ? int(i) : -1;
    }
    return FGrid[size_t(X - 1) * size_t(FGridRows) + size_t(Z - 1)];
  }
  // The value at a placed index, read the quickest way.
  double PlacedY(int Index) const { return FShared ? FSharedValues[size_t(Index)] : YValue(Index); }
  // A number that changes whenever the points do, for what is kept from them.
  unsigned DataVersion() const { return FDataVersion; }
  // What GetValueColor depends on beside the point: colours kept from it stay right while this
  // stays the same. None while OnGetColor is set, which may answer otherwise each time.
  struct TColorKey {
    unsigned Data = 0, Palette = 0;
    bool UseColorRange = false, UsePalette = false;
    TColor Start = 0, End = 0, Series = 0;
    double Min = 0, Max = 0;
    bool operator==(const TColorKey&) const = default;
  };
  std::optional<TColorKey> ValueColorKey() const;
  // Makes the default palette when there is none, or when the one made is of another range or
  // another number of steps.
  void CheckPalette();
  void SetSampleValues(bool Value) { FSampleValues = Value; }
  void CacheColors();

 private:
  // Reads one of the shared grid's columns of points: X, Y (a missing value reads as 0, as a
  // null point holds it) or Z.
  class TSharedValues final : public TChartValueSource {
   public:
    TSharedValues(const TCustom3DGridSeries& Series, int Axis) : FSeries(Series), FAxis(Axis) {}
    int Count() const override;
    double Value(int Index) const override;

   private:
    const TCustom3DGridSeries& FSeries;
    int FAxis;
  };
  // The colour stored for a point; a missing value of the shared grid is a null point.
  TColor StoredColor(int Index) const {
    if (FShared && Index >= 0 && size_t(Index) < FShared->Values().size() &&
        !std::isfinite(FSharedValues[size_t(Index)]))
      return clNone;
    return TChartSeries::GetValueColor(Index);
  }
  void ReleaseShared();
  void CalcRange() const;
  unsigned FPaletteVersion = 0;
  void BuildGridIndex() const;
  void BuildSharedIndex() const;
  TSharedGrid FShared;
  const double* FSharedValues = nullptr;
  TSharedValues FSharedX{*this, 0}, FSharedY{*this, 1}, FSharedZ{*this, 2};
  mutable int FSharedOffX = 0, FSharedOffZ = 0;
  int FNumXValues = 10, FNumZValues = 10;
  mutable std::vector<int> FGrid;
  mutable int FGridColumns = 0, FGridRows = 0;
  mutable double FGridMinX = 0, FGridMinZ = 0, FGridMaxX = 0, FGridMaxZ = 0;
  mutable bool FGridDirty = true;
  mutable int FGridIndexBuilds = 0;
  unsigned FDataVersion = 0;
  bool FUseColorRange = true;
  TColor FStartColor = clWhite, FEndColor = 0x800000;
  int FStartRed = 0, FStartGreen = 0, FStartBlue = 0;
  int FRangeRed = 0, FRangeGreen = 0, FRangeBlue = 0;
  bool FUsePalette = false;
  int FPaletteSteps = 32;
  std::vector<TSurfacePaletteEntry> FPalette;
  // The palette as CreateDefaultPalette made it, for the range and the steps it was made for.
  bool FDefaultPalette = false;
  double FDefaultPaletteMin = 0, FDefaultPaletteMax = 0;
  int FDefaultPaletteSteps = 0;
  double FPaletteDivisors[3] = {2.0, 1.0, 1.0};
  bool FSampleValues = false;
  mutable bool FRangeDirty = true;
  mutable double FMinY = 0, FMaxY = 0;
};

// Draws cells far below a pixel in blocks (see TSurfaceSeries::CellStep); on unless cleared.
extern bool SurfaceCellsInBlocks;

class TSurfaceSeries : public TCustom3DGridSeries {
 public:
  TSurfaceSeries();
  QString ClassName() const override { return QStringLiteral("TSurfaceSeries"); }
  QString GetEditorClassName() const { return QStringLiteral("TSurfaceSeriesEditor"); }

  TChartPen* Pen() const { return FPen.get(); }
  TChartBrush* Brush() const { return FBrush.get(); }
  bool WireFrame() const { return FWireFrame; }
  // Each of the two switches off the other.
  void SetWireFrame(bool Value);
  bool DotFrame() const { return FDotFrame; }
  void SetDotFrame(bool Value);
  void PrepareForGallery(bool IsEnabled) override;

  void Assign(const TChartSeries& Source) override;
  void DrawAllValues() override;
  // Corner 1 of the first cell, in drawing order, whose screen outline holds the point; -1.
  int Clicked(int X, int Y) const override;
  // Cells far below a pixel are drawn in blocks: how many cells a block spans each way (1 draws
  // every cell), from the grid's size on the screen in the view of the last drawing.
  int CellStep() const;
  // The cells (or blocks) the last drawing or click test went through.
  int CellsVisited() const { return FCellsVisited; }
  // The colour the cells of the item's values are drawn in: the mesh's pen in a wire frame, the
  // brush where the cells are not coloured by value.
  TColor LegendItemColor(int Index) const override;

 private:
  struct TCell {
    int Corner[4];
    TPoint P[4];
    // Corner 0's place among the nodes the drawing goes through.
    size_t Node;
  };
  // Runs Visit over the cells in back-to-front order with their corners' screen points; stops
  // when Visit answers false. Before the first cell, Nodes gets the points of the nodes gone
  // through (by place; -1 where none) and the cell step.
  template <class F, class G>
  void ForEachCell(F Visit, G Nodes) const;
  template <class F>
  void ForEachCell(F Visit) const {
    ForEachCell(Visit, [](const std::vector<int>&, int) {});
  }
  // The value colour of each of those nodes, kept for the next drawing of the same nodes and
  // colours; null where the colours cannot be kept.
  const TColor* NodeColors(const std::vector<int>& Points, int Step) const;
  struct TNodeColorKey {
    TColorKey Colors;
    int Step = 0, Columns = 0, Rows = 0;
    bool operator==(const TNodeColorKey&) const = default;
  };
  mutable std::vector<TColor> FNodeColors;
  mutable std::optional<TNodeColorKey> FNodeColorKey;
  std::unique_ptr<TChartPen> FPen;
  std::unique_ptr<TChartBrush> FBrush;
  bool FWireFrame = false, FDotFrame = false;
  mutable int FCellsVisited = 0;
};

class TContourSeries : public TCustom3DGridSeries {
 public:
  // The most levels a contour series draws.
  static constexpr int MaxLevels = 251;
  TContourSeries();
  QString ClassName() const override { return QStringLiteral("TContourSeries"); }
  QString GetEditorClassName() const { return QStringLiteral("TContourSeriesEditor"); }

  TChartPen* Pen() const { return FPen.get(); }
  int NumLevels() const { return FNumLevels; }
  // Kept within 1 .. MaxLevels.
  void SetNumLevels(int Value);
  double YPosition() const { return FYPosition; }
  void SetYPosition(double Value);
  bool YPositionLevel() const { return FYPositionLevel; }
  void SetYPositionLevel(bool Value);
  void PrepareForGallery(bool IsEnabled) override;

  // The levels of the last drawing (made again before each: OnGetLevel may answer otherwise).
  void CreateLevels();
  double LevelValue(int Index) const { return FLevels.at(size_t(Index)).Value; }
  TColor LevelColor(int Index) const { return FLevels.at(size_t(Index)).Color; }
  int LevelCount() const { return int(FLevels.size()); }

  void FillSampleValues(int NumValues) override;
  void Assign(const TChartSeries& Source) override;
  void DrawAllValues() override;
  // The legend lists the levels, highest first; they are made before the legend is drawn.
  int CountLegendItems() const override { return Count() ? FNumLevels : 0; }
  QString LegendString(int Index, TLegendTextStyle Style) override;
  TColor LegendItemColor(int Index) const override;
  void DoBeforeDrawChart() override;
  // How often the lines were traced: they are kept, and traced again only when the points, the
  // levels or the axes' positions of the grid change.
  int TraceCount() const { return FTraceCount; }

  std::function<void(TContourSeries*, int LevelIndex, double& Value, TColor& Color)> OnGetLevel;
  void AssignEvents(const TChartSeries& Source) override {
    TCustom3DGridSeries::AssignEvents(Source);
    if (const auto* C = dynamic_cast<const TContourSeries*>(&Source)) OnGetLevel = C->OnGetLevel;
  }

 private:
  struct TLevel {
    double Value = 0;
    TColor Color = clBlack;
  };
  // One piece of a level line, in the chart's 3D positions (before the view's projection).
  struct TSegment {
    int X0, Z0, X1, Z1, Height, Level;
  };
  // What the kept segments were traced from: the points, the levels, and where the axes put the
  // points, the rows and the levels' planes.
  struct TTraceKey {
    unsigned Data = 0;
    std::vector<double> Levels;
    std::vector<int> Heights, XPos, Depth;
    bool operator==(const TTraceKey&) const = default;
  };
  TTraceKey CurrentTraceKey() const;
  void Trace(const TTraceKey& Key);
  std::unique_ptr<TChartPen> FPen;
  int FNumLevels = 10;
  std::vector<TLevel> FLevels;
  std::vector<TSegment> FSegments;
  TTraceKey FTraced;
  bool FHasTrace = false;
  int FTraceCount = 0;
  double FYPosition = 0;
  bool FYPositionLevel = false;
};
