#pragma once
// Contour levels and their tracing over a grid, as functions of the grid and the levels alone, so
// that the contour layer can trace when its data change and paint only what it has kept.
#include <QString>
#include <QStringList>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "platform/value_grid.h"
#include "plot/core/graph_matrix.h"
#include "plot/core/graph_types.h"

// A grid of Z over X columns and either one Y per row or one Y per node (YMatrix set, Y null),
// or a tabulated grid (Values set, the others null). Every pointer is borrowed; Z(i, j) is
// column i, row j, both 1-based.
struct TContourGrid {
  const GraphMatrix::TVector* X = nullptr;
  const GraphMatrix::TVector* Y = nullptr;
  const GraphMatrix::TMatrix* YMatrix = nullptr;
  const GraphMatrix::TMatrix* Z = nullptr;
  const TValueGrid* Values = nullptr;

  int ColCount() const;
  int RowCount() const;
  double XAt(int I) const { return Values ? Values->X(I - 1) : X->GetValue(I); }
  double YAt(int I, int J) const {
    if (Values) return Values->Y(J - 1);
    return YMatrix ? YMatrix->GetValue(I, J) : Y->GetValue(J);
  }
  double ZAt(int I, int J) const { return Values ? Values->At(I - 1, J - 1) : Z->GetValue(I, J); }
};

// A node without a value: MissingValue, its negative, or anything not finite.
inline bool IsMissingZ(double V) { return !std::isfinite(V) || IsMissingValue(V); }

// The smallest and largest values that are not missing; 1e38 and -1e38 for a grid without any.
void GridZRange(const TContourGrid& G, double& ZMin, double& ZMax);

struct TContourLevelSettings {
  int LevelCount = 10;
  double LevelStep = 0;
  bool UseLevelStep = false;
  bool AutoLevels = true;
  bool UseLevelList = false;
  QStringList LevelList;
  double LevelStart = 0;
  double LevelEnd = 0;
  bool UseLevelStart = false;
  bool UseLevelEnd = false;
  bool SkipZero = false;
};

// More automatic levels than this are not made: a hostile count must not stall the tracing.
inline constexpr int MaxContourLevels = 1000;

// The levels in the order they are traced: the automatic ones from start by step (the end itself
// is never one), then the list entries. A list entry that is not a number is skipped and its
// message added to Errors.
std::vector<double> ContourLevels(const TContourLevelSettings& S, double ZMin, double ZMax,
                                  QStringList* Errors = nullptr);

// A level cut to 12 significant digits, as it is traced and shown.
double RoundLevel(double Level);

struct TContourLine {
  double Level = 0;
  // Closed lines repeat their first point at the end.
  std::vector<TDoublePoint> Points;
  // The piece where its label goes, and the squared gradient of the cell it lies in (infinity
  // when the cell has no width or height).
  TDoublePoint LabelFrom, LabelTo;
  double Steepness = std::numeric_limits<double>::infinity();
  bool Closed() const { return Points.size() > 2 && Points.front() == Points.back(); }
};

// Asked now and then while a level is traced (it may let the window system run): true stops the
// tracing. One is installed for the lifetime of a scope; scopes nest, the innermost answers.
using TContourTraceBreak = std::function<bool()>;
class TContourTraceBreakScope {
 public:
  explicit TContourTraceBreakScope(TContourTraceBreak Break);
  ~TContourTraceBreakScope();
  TContourTraceBreakScope(const TContourTraceBreakScope&) = delete;
  TContourTraceBreakScope& operator=(const TContourTraceBreakScope&) = delete;
  bool Asked() const { return FBreak && FBreak(); }

 private:
  TContourTraceBreak FBreak;
  TContourTraceBreakScope* FOuter;
};

// The joined lines of one level, appended to Lines. A level outside ZMin..ZMax (after rounding)
// gives none. Ends merge within tolerances relative to the grid's extent; a corner counts as on
// the level only when it is equal to it relative to the level and the cell's own values. False
// when the installed break stopped it (Lines is then as it was).
bool TraceContourLevel(const TContourGrid& G, double Level, double ZMin, double ZMax,
                       std::vector<TContourLine>& Lines);
// The lines of every level, appended level by level as TraceContourLevel gives them, from one
// sweep over the grid: its scratch is a band of rows and the ends of the lines near the row at
// hand. False when the installed break stopped it (Lines is then as it was).
bool TraceContourLevels(const TContourGrid& G, const std::vector<double>& Levels, double ZMin,
                        double ZMax, std::vector<TContourLine>& Lines);

// Whether the columns and the rows (of the first column, with a YMatrix) ascend or descend, so
// that the cell around a point is found by bisection; made when the grid changes and kept.
struct TContourGridIndex {
  int XOrder = 0, YOrder = 0;  // 1 ascending, -1 descending, 0 neither (searched in order)
};
TContourGridIndex IndexContourGrid(const TContourGrid& G);

// Z at a world point by bilinear interpolation in the grid cell around it (extrapolated beyond
// the grid). A missing corner is the answer; a cell of no width or height gives MissingValue.
// With a YMatrix the rows are those of the first column and the answer is capped at the largest
// corner. Coordinates that descend are searched as their mirror image, so that the cell found
// surrounds the point either way.
double GridZAt(const TContourGrid& G, double X, double Y, const TContourGridIndex* Index = nullptr);

// Where a coordinate falls among the columns (or the rows of the first column), as GridZAt
// finds it: the two positions around it and its fraction between them. Not Ok: Z is
// MissingValue there. A picture that asks many points of few columns and rows finds each once.
struct TGridSpot {
  int Lo = 1, Hi = 1;
  double T = 0;
  bool Ok = false;
};
TGridSpot GridSpotX(const TContourGrid& G, const TContourGridIndex& Index, double X);
TGridSpot GridSpotY(const TContourGrid& G, const TContourGridIndex& Index, double Y);
double GridZAt(const TContourGrid& G, const TGridSpot& X, const TGridSpot& Y);
