#include "chart/engine/surface_series.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <numbers>

#include "chart/engine/axis_math.h"
#include "chart/engine/axis_panel.h"
#include "chart/engine/chart_format.h"
#include "chart/engine/chart_utils.h"
#include "chart/engine/series_pointer.h"
#include "chart/engine/view3d_options.h"
#include "platform/canvas.h"
#include "platform/memory_check.h"

using namespace SeriesGeometry;

bool SurfaceCellsInBlocks = true;

std::string SurfaceMessages::GridTooLarge(long long NumX, long long NumZ) {
  return "Not enough memory for a grid of " + std::to_string(NumX) + " x " + std::to_string(NumZ) +
         " points";
}

// The 3D series.

TCustom3DSeries::TCustom3DSeries()
    : FZValues(std::make_unique<TChartValueList>(this, QStringLiteral("Z"))) {
  // The grid is filled column by column; sorting by X would scatter it.
  XValues()->SetOrder(loNone);
}

void TCustom3DSeries::SetTimesZOrder(int Value) {
  Value = std::max(0, Value);
  if (FTimesZOrder == Value) return;
  FTimesZOrder = Value;
  Repaint();
}

int TCustom3DSeries::AddXYZ(double X, double Y, double Z, const QString& Label, TColor Color) {
  FZValues->SetPendingValue(Z);
  return AddXY(X, Y, Label, Color);
}

double TCustom3DSeries::MinZValue() const {
  return FZValues->Count() ? const_cast<TChartValueList&>(*FZValues).MinValue() : 0;
}
double TCustom3DSeries::MaxZValue() const {
  return FZValues->Count() ? const_cast<TChartValueList&>(*FZValues).MaxValue() : 0;
}

void TCustom3DSeries::CalcZOrder(int& MaxZ, bool Is3D) {
  TChartSeries::CalcZOrder(MaxZ, Is3D);
  if (Is3D) MaxZ = FTimesZOrder;
}

void TCustom3DSeries::Assign(const TChartSeries& Source) {
  const auto* S = dynamic_cast<const TCustom3DSeries*>(&Source);
  if (S) FTimesZOrder = S->FTimesZOrder;
  TChartSeries::Assign(Source);
  // The base copies X and Y only; the depth of each copied point comes from the source.
  if (!S || S == this || S->Count() != Count() || !DataSources().empty()) return;
  for (int i = 0; i < Count(); ++i) {
    const double Z = S->FZValues->RawValue(i);
    if (FZValues->RawValue(i) != Z) FZValues->SetValue(i, Z);
  }
}

// The grid series.

TCustom3DGridSeries::TCustom3DGridSeries() { CacheColors(); }

std::uint64_t TCustom3DGridSeries::GridBytes(long long NumX, long long NumZ) {
  // Each point keeps three values, a colour, a label and a grid entry, and the lists grow by
  // doubling.
  constexpr std::uint64_t BytesPerPoint =
      3 * sizeof(double) + sizeof(TColor) + sizeof(QString) + sizeof(int) + 3 * sizeof(double) / 2;
  const auto X = static_cast<std::uint64_t>(std::max(1LL, NumX));
  const auto Z = static_cast<std::uint64_t>(std::max(1LL, NumZ));
  return SaturatingMul(SaturatingMul(X, Z), BytesPerPoint);
}

void TCustom3DGridSeries::CheckGridSize(long long NumX, long long NumZ) {
  NumX = std::max(1LL, NumX);
  NumZ = std::max(1LL, NumZ);
  const long long Limit = std::numeric_limits<int>::max();
  const bool Fits = NumX <= Limit && NumZ <= Limit && NumX * NumZ <= Limit &&
                    MemoryAvailable(GridBytes(NumX, NumZ));
  if (!Fits) throw ChartException(SurfaceMessages::GridTooLarge(NumX, NumZ));
}

void TCustom3DGridSeries::SetNumXValues(int Value) {
  Value = std::max(1, Value);
  if (FNumXValues == Value) return;
  CheckGridSize(Value, FNumZValues);
  FNumXValues = Value;
  CreateValues(FNumXValues, FNumZValues);
}

void TCustom3DGridSeries::SetNumZValues(int Value) {
  Value = std::max(1, Value);
  if (FNumZValues == Value) return;
  CheckGridSize(FNumXValues, Value);
  FNumZValues = Value;
  CreateValues(FNumXValues, FNumZValues);
}

void TCustom3DGridSeries::CacheColors() {
  const TColor S = ColorToRGB(FStartColor), E = ColorToRGB(FEndColor);
  FStartRed = GetRValue(S);
  FStartGreen = GetGValue(S);
  FStartBlue = GetBValue(S);
  FRangeRed = GetRValue(E) - FStartRed;
  FRangeGreen = GetGValue(E) - FStartGreen;
  FRangeBlue = GetBValue(E) - FStartBlue;
}

void TCustom3DGridSeries::SetUseColorRange(bool Value) {
  if (FUseColorRange == Value) return;
  FUseColorRange = Value;
  Repaint();
}
void TCustom3DGridSeries::SetStartColor(TColor Value) {
  if (FStartColor == Value) return;
  FStartColor = Value;
  CacheColors();
  Repaint();
}
void TCustom3DGridSeries::SetEndColor(TColor Value) {
  if (FEndColor == Value) return;
  FEndColor = Value;
  CacheColors();
  Repaint();
}

void TCustom3DGridSeries::SetUsePalette(bool Value) {
  if (FUsePalette == Value) return;
  FUsePalette = Value;
  if (Value && FPalette.empty()) CreateDefaultPalette(FPaletteSteps);
  Repaint();
}

void TCustom3DGridSeries::SetPaletteSteps(int Value) {
  Value = std::clamp(Value, 1, 10000);
  if (FPaletteSteps == Value) return;
  FPaletteSteps = Value;
  CreateDefaultPalette(Value);
  Repaint();
}

void TCustom3DGridSeries::AddPalette(double Value, TColor Color) {
  const auto At =
      std::upper_bound(FPalette.begin(), FPalette.end(), Value,
                       [](double V, const TSurfacePaletteEntry& E) { return V < E.UpToValue; });
  FPalette.insert(At, {Value, Color});
  ++FPaletteVersion;
  FDefaultPalette = false;
  Repaint();
}

void TCustom3DGridSeries::ClearPalette() {
  FPalette.clear();
  ++FPaletteVersion;
  FDefaultPalette = false;
  Repaint();
}

void TCustom3DGridSeries::CreateDefaultPalette(int Steps) {
  FPalette.clear();
  ++FPaletteVersion;
  Steps = std::clamp(Steps, 1, 10000);
  const double Min = MinYValue(), Max = MaxYValue();
  const double* D = FPaletteDivisors;
  auto Part = [](double V) { return std::clamp(int(std::trunc((V + 1) * 127)), 0, 255); };
  FPalette.reserve(size_t(Steps));
  for (int i = 1; i <= Steps; ++i) {
    const double A = i * std::numbers::pi / Steps;
    // A range wider than the largest double is stepped as a blend of its ends, which stays
    // finite.
    const double T = double(i) / Steps;
    AddPalette(std::isfinite(Max - Min) ? Min + i * (Max - Min) / Steps : Min * (1 - T) + Max * T,
               RGB(Part(std::sin(A / D[0])), Part(std::sin(A / D[1])), Part(std::cos(A / D[2]))));
  }
  FDefaultPalette = true;
  FDefaultPaletteMin = Min;
  FDefaultPaletteMax = Max;
  FDefaultPaletteSteps = Steps;
}

void TCustom3DGridSeries::CheckPalette() {
  if (!Count()) return;
  // A palette of our own making follows the values: after new values (a new plot of the same
  // steps) its steps would still be those of the old range.
  const bool Stale =
      FDefaultPalette && (FDefaultPaletteSteps != FPaletteSteps ||
                          FDefaultPaletteMin != MinYValue() || FDefaultPaletteMax != MaxYValue());
  if (FPalette.empty() || Stale) CreateDefaultPalette(FPaletteSteps);
}

TColor TCustom3DGridSeries::GetPaletteColor(double Value) const {
  if (FPalette.empty()) return SeriesColor();
  const auto At =
      std::upper_bound(FPalette.begin(), FPalette.end(), Value,
                       [](double V, const TSurfacePaletteEntry& E) { return V < E.UpToValue; });
  return At == FPalette.end() ? FPalette.back().Color : At->Color;
}

TColor TCustom3DGridSeries::GetValueColorValue(double Value) const {
  if (FUseColorRange) {
    const double Min = MinYValue(), Max = MaxYValue();
    if (Max == Min) return FStartColor;
    double T = AxisFraction(Value, Min, Max);
    // A value off the range, or none at all, takes the nearer end.
    if (std::isnan(T)) T = 0;
    T = std::clamp(T, 0.0, 1.0);
    // Halves to even, as everywhere; the parts are small, so plain double rounding does it
    // (this runs once per cell).
    auto Part = [T](int Start, int Range) { return Start + int(std::nearbyint(T * Range)); };
    return RGB(Part(FStartRed, FRangeRed), Part(FStartGreen, FRangeGreen),
               Part(FStartBlue, FRangeBlue));
  }
  if (FUsePalette && !FPalette.empty()) return GetPaletteColor(Value);
  return SeriesColor();
}

TColor TCustom3DGridSeries::GetValueColor(int ValueIndex) const {
  TColor C = StoredColor(ValueIndex);
  if (C != clNone && ValueIndex >= 0 && ValueIndex < Count())
    C = GetValueColorValue(YValue(ValueIndex));
  if (OnGetColor) OnGetColor(const_cast<TCustom3DGridSeries*>(this), ValueIndex, C);
  return C;
}

std::optional<TCustom3DGridSeries::TColorKey> TCustom3DGridSeries::ValueColorKey() const {
  if (OnGetColor) return std::nullopt;
  return TColorKey{FDataVersion, FPaletteVersion, FUseColorRange, FUsePalette, FStartColor,
                   FEndColor,    SeriesColor(),   MinYValue(),    MaxYValue()};
}

void TCustom3DGridSeries::CalcRange() const {
  bool Any = false;
  double Min = 0, Max = 0;
  if (FShared) {
    FRangeDirty = false;
    Any = FShared->Range(Min, Max);
    FMinY = Any ? Min : 0;
    FMaxY = Any ? Max : 0;
    return;
  }
  for (int i = 0; i < Count(); ++i) {
    const double Y = YValue(i);
    if (!std::isfinite(Y) || StoredColor(i) == clNone) continue;
    if (!Any || Y < Min) Min = Y;
    if (!Any || Y > Max) Max = Y;
    Any = true;
  }
  FMinY = Min;
  FMaxY = Max;
  FRangeDirty = false;
}

double TCustom3DGridSeries::MinYValue() const {
  if (FRangeDirty) CalcRange();
  return FMinY;
}
double TCustom3DGridSeries::MaxYValue() const {
  if (FRangeDirty) CalcRange();
  return FMaxY;
}

void TCustom3DGridSeries::NotifyValue(TSeriesDataEvent Event, int ValueIndex) {
  FRangeDirty = true;
  FGridDirty = true;
  ++FDataVersion;
  TCustom3DSeries::NotifyValue(Event, ValueIndex);
}

double TCustom3DGridSeries::GetYValue(int X, int Z) {
  if (OnGetYValue) return OnGetYValue(this, X, Z);
  if (!FSampleValues) return 0;
  const double A = std::cos(X / (0.2 * FNumXValues)), B = std::cos(Z / (0.2 * FNumZValues));
  return 0.5 * A * A + B * B - std::cos(Z / (0.5 * FNumZValues));
}

void TCustom3DGridSeries::CreateValues(int NumX, int NumZ) {
  if (!OnGetYValue && !FSampleValues) return;
  NumX = std::max(1, NumX);
  NumZ = std::max(1, NumZ);
  // Checked before anything is cleared: a refused grid leaves the old values as they were.
  CheckGridSize(NumX, NumZ);
  FNumXValues = NumX;
  FNumZValues = NumZ;
  const int SavedCapacity = ChartDefaultCapacity();
  SetChartDefaultCapacity(NumX * NumZ);
  try {
    Clear();
  } catch (...) {
    SetChartDefaultCapacity(SavedCapacity);
    throw;
  }
  SetChartDefaultCapacity(SavedCapacity);
  for (int x = 1; x <= NumX; ++x)
    for (int z = 1; z <= NumZ; ++z) AddXYZ(x, GetYValue(x, z), z);
  RefreshSeries();
}

void TCustom3DGridSeries::FillSampleValues(int NumValues) {
  FSampleValues = true;
  try {
    if (NumValues > 0) FNumXValues = FNumZValues = std::min(NumValues, 500);
    CreateValues(FNumXValues, FNumZValues);
  } catch (...) {
    FSampleValues = false;
    throw;
  }
  FSampleValues = false;
}

void TCustom3DGridSeries::Clear() {
  ReleaseShared();
  TCustom3DSeries::Clear();
  std::vector<int>().swap(FGrid);
  FGridColumns = FGridRows = 0;
  FRangeDirty = true;
  FGridDirty = true;
  ++FDataVersion;
}

namespace {
// The series keeps reallocating its lists while a large grid is added; one allocation of the
// whole size is enough.
class TCapacityScope {
 public:
  explicit TCapacityScope(int Capacity) : FSaved(ChartDefaultCapacity()) {
    SetChartDefaultCapacity(Capacity);
  }
  ~TCapacityScope() { SetChartDefaultCapacity(FSaved); }
  TCapacityScope(const TCapacityScope&) = delete;
  TCapacityScope& operator=(const TCapacityScope&) = delete;

 private:
  int FSaved;
};
}  // namespace

void TCustom3DGridSeries::AssignGrid(const TValueGrid& Grid) {
  // The copy is the grid's own size, far below the held points'.
  const long long NX = std::max(1, Grid.NX()), NZ = std::max(1, Grid.NY());
  if (!MemoryAvailable(TValueGrid::Bytes(NX, NZ)))
    throw ChartException(SurfaceMessages::GridTooLarge(NX, NZ));
  AssignGrid(std::make_shared<const TValueGrid>(Grid));
}

void TCustom3DGridSeries::AssignGrid(TSharedGrid Grid) {
  if (!Grid) Grid = std::make_shared<const TValueGrid>();
  const long long NX = std::max(1, Grid->NX()), NZ = std::max(1, Grid->NY());
  if (NX * NZ > std::numeric_limits<int>::max())
    throw ChartException(SurfaceMessages::GridTooLarge(NX, NZ));
  Clear();
  FNumXValues = int(NX);
  FNumZValues = int(NZ);
  if (Grid->Empty()) return;
  FShared = std::move(Grid);
  FSharedValues = FShared->Values().data();
  XValues()->SetSource(&FSharedX);
  YValues()->SetSource(&FSharedY);
  ZValues()->SetSource(&FSharedZ);
  NotifyValue(sdeRefresh, 0);
  RefreshSeries();
}

int TCustom3DGridSeries::TSharedValues::Count() const {
  const TValueGrid* G = FSeries.FShared.get();
  return G ? G->NX() * G->NY() : 0;
}

double TCustom3DGridSeries::TSharedValues::Value(int Index) const {
  const TValueGrid& G = *FSeries.FShared;
  if (Index < 0 || Index >= G.NX() * G.NY()) throw std::out_of_range("value index");
  switch (FAxis) {
    case 0:
      return Index / G.NY() + 1;
    case 2:
      return Index % G.NY() + 1;
    default: {
      const double V = FSeries.FSharedValues[size_t(Index)];
      return std::isfinite(V) ? V : 0;
    }
  }
}

void TCustom3DGridSeries::HoldValues() {
  if (!FShared) return;
  // All lists at once, and the holes as null points, as the point-by-point form keeps them.
  for (TChartValueList* L : ValueLists()) L->TakeSourceValues();
  std::vector<TColor>& Colors = PointColors();
  const std::vector<double>& V = FShared->Values();
  Colors.assign(V.size(), clChartAuto);
  for (size_t i = 0; i < V.size(); ++i)
    if (!std::isfinite(V[i])) Colors[i] = clNone;
  ReleaseShared();
  FGridDirty = true;
}

void TCustom3DGridSeries::ReleaseShared() {
  for (TChartValueList* L : ValueLists())
    if (L->Source() == &FSharedX || L->Source() == &FSharedY || L->Source() == &FSharedZ)
      L->SetSource(nullptr);
  FShared.reset();
  FSharedValues = nullptr;
}

TColor TCustom3DGridSeries::PointColor(int Index) const {
  const TColor C = StoredColor(Index);
  return C == clNone ? C : TChartSeries::PointColor(Index);
}

void TCustom3DGridSeries::Assign(const TChartSeries& Source) {
  if (const auto* S = dynamic_cast<const TCustom3DGridSeries*>(&Source)) {
    FNumXValues = S->FNumXValues;
    FNumZValues = S->FNumZValues;
    FUsePalette = S->FUsePalette;
    FUseColorRange = S->FUseColorRange;
    FStartColor = S->FStartColor;
    FEndColor = S->FEndColor;
    FPaletteSteps = S->FPaletteSteps;
    CacheColors();
  }
  TCustom3DSeries::Assign(Source);
}

void TCustom3DGridSeries::AssignEvents(const TChartSeries& Source) {
  TCustom3DSeries::AssignEvents(Source);
  if (const auto* G = dynamic_cast<const TCustom3DGridSeries*>(&Source)) {
    OnGetYValue = G->OnGetYValue;
    OnGetColor = G->OnGetColor;
  }
}

void TCustom3DGridSeries::Set3D(bool Value) {
  TCustomAxisPanel* C = ParentChart();
  if (!C) return;
  TView3DOptions* V = C->View3DOptions();
  V->SetZoom(60);
  V->SetVertOffset(-2);
  V->SetRotation(Value ? 335 : 0);
  V->SetElevation(Value ? 340 : 270);
  V->SetPerspective(Value ? 60 : 0);
}

void TCustom3DGridSeries::FillGridIndex() const {
  if (FGridDirty) BuildGridIndex();
}

void TCustom3DGridSeries::BuildGridIndex() const {
  FGridDirty = false;
  ++FGridIndexBuilds;
  FGridColumns = FGridRows = 0;
  std::vector<int>().swap(FGrid);
  const int N = Count();
  if (N == 0) return;
  if (FShared) {
    BuildSharedIndex();
    return;
  }
  // The grid's origin and extent over the points that have a place.
  bool Any = false;
  double MinX = 0, MinZ = 0, MaxX = 0, MaxZ = 0;
  auto Placed = [this](int i) {
    return std::isfinite(XValue(i)) && std::isfinite(YValue(i)) && std::isfinite(ZValue(i)) &&
           StoredColor(i) != clNone;
  };
  for (int i = 0; i < N; ++i) {
    if (!Placed(i)) continue;
    const double X = XValue(i), Z = ZValue(i);
    if (!Any) {
      MinX = MaxX = X;
      MinZ = MaxZ = Z;
      Any = true;
    }
    MinX = std::min(MinX, X);
    MaxX = std::max(MaxX, X);
    MinZ = std::min(MinZ, Z);
    MaxZ = std::max(MaxZ, Z);
  }
  FGridMinX = MinX;
  FGridMinZ = MinZ;
  FGridMaxX = MaxX;
  FGridMaxZ = MaxZ;
  if (!Any) return;
  // The index spans the points' columns and rows; far-flung positions that would make it
  // larger than the memory check allows have no place in it.
  const double Cols = std::floor(MaxX - MinX + 0.5) + 1, Rows = std::floor(MaxZ - MinZ + 0.5) + 1;
  long long C = Cols < 2147483647.0 ? (long long)Cols : 2147483647LL;
  long long R = Rows < 2147483647.0 ? (long long)Rows : 2147483647LL;
  const long long Allowed = std::max(16LL * N, 1LL << 20);
  while (C * R > Allowed) {
    if (C >= R)
      C = std::max(1LL, Allowed / R);
    else
      R = std::max(1LL, Allowed / C);
  }
  // An index that cannot be had leaves the grid without cells.
  try {
    FGrid.assign(size_t(C * R), -1);
  } catch (const std::bad_alloc&) {
    std::vector<int>().swap(FGrid);
    return;
  }
  FGridColumns = int(C);
  FGridRows = int(R);
  for (int i = 0; i < N; ++i) {
    if (!Placed(i)) continue;
    const double Col = std::floor(XValue(i) - MinX + 0.5) + 1,
                 Row = std::floor(ZValue(i) - MinZ + 0.5) + 1;
    if (Col > FGridColumns || Row > FGridRows) continue;
    const int X = int(Col), Z = int(Row);
    FGrid[size_t(X - 1) * size_t(FGridRows) + size_t(Z - 1)] = i;
  }
}

void TCustom3DGridSeries::BuildSharedIndex() const {
  // The shared grid is its own index: only the extent of the nodes that have a value is needed.
  const TValueGrid& G = *FShared;
  FGridMinX = FGridMaxX = FGridMinZ = FGridMaxZ = 0;
  int MinI = G.NX(), MaxI = -1, MinJ = G.NY(), MaxJ = -1;
  for (int I = 0; I < G.NX(); ++I) {
    const double* Column = FSharedValues + size_t(I) * size_t(G.NY());
    int First = -1, Last = -1;
    for (int J = 0; J < G.NY(); ++J)
      if (std::isfinite(Column[J])) {
        if (First < 0) First = J;
        Last = J;
      }
    if (First < 0) continue;
    MinI = std::min(MinI, I);
    MaxI = I;
    MinJ = std::min(MinJ, First);
    MaxJ = std::max(MaxJ, Last);
  }
  if (MaxI < 0) return;
  FGridMinX = MinI + 1;
  FGridMaxX = MaxI + 1;
  FGridMinZ = MinJ + 1;
  FGridMaxZ = MaxJ + 1;
  FSharedOffX = MinI;
  FSharedOffZ = MinJ;
  FGridColumns = MaxI - MinI + 1;
  FGridRows = MaxJ - MinJ + 1;
}

void TCustom3DGridSeries::DoBeforeDrawChart() { CheckPalette(); }

QString TCustom3DGridSeries::LegendString(int Index, TLegendTextStyle) {
  if (Index < 0 || Index >= int(FPalette.size())) return {};
  return FormatFloat(ValueFormat(), FPalette[size_t(Index)].UpToValue);
}

TColor TCustom3DGridSeries::LegendItemColor(int Index) const {
  if (Index < 0 || Index >= int(FPalette.size())) return SeriesColor();
  // Colouring by the palette, an entry's own colour is that of the values up to it: the colour
  // of its value itself is already the next entry's, and the key would be one band off.
  if (!FUseColorRange && FUsePalette) return FPalette[size_t(Index)].Color;
  return GetValueColorValue(FPalette[size_t(Index)].UpToValue);
}

// The surface.

TSurfaceSeries::TSurfaceSeries()
    : FPen(std::make_unique<TChartPen>([this](TGraphicsObject*) { Repaint(); })),
      FBrush(std::make_unique<TChartBrush>([this](TGraphicsObject*) { Repaint(); })) {}

void TSurfaceSeries::SetWireFrame(bool Value) {
  FWireFrame = Value;
  if (Value) FDotFrame = false;
  Repaint();
}

void TSurfaceSeries::SetDotFrame(bool Value) {
  FDotFrame = Value;
  if (Value) FWireFrame = false;
  Repaint();
}

void TSurfaceSeries::PrepareForGallery(bool IsEnabled) {
  TCustom3DGridSeries::PrepareForGallery(IsEnabled);
  SetSampleValues(true);
  SetUseColorRange(false);
  FPen->SetColor(IsEnabled ? clBlack : RGB(128, 128, 128));
  SetUsePalette(IsEnabled);
  try {
    CreateValues(10, 10);
  } catch (...) {
    SetSampleValues(false);
    throw;
  }
  SetSampleValues(false);
}

void TSurfaceSeries::Assign(const TChartSeries& Source) {
  if (const auto* S = dynamic_cast<const TSurfaceSeries*>(&Source)) {
    FPen->Assign(*S->FPen);
    FBrush->Assign(*S->FBrush);
    FWireFrame = S->FWireFrame;
    FDotFrame = S->FDotFrame;
  }
  TCustom3DGridSeries::Assign(Source);
}

namespace {
// The grid positions 1, 1 + Step, 1 + 2 Step, ... and always the last one.
std::vector<int> SampledPositions(int Count, int Step) {
  std::vector<int> P;
  P.reserve(size_t(Count / Step) + 2);
  for (int i = 1; i < Count; i += Step) P.push_back(i);
  P.push_back(Count);
  return P;
}
}  // namespace

int TSurfaceSeries::CellStep() const {
  if (!SurfaceCellsInBlocks) return 1;
  const TChartCanvas3D* C = Canvas(*this);
  const TCustomAxisPanel* Chart = ParentChart();
  const TChartAxis* H = GetHorizAxis();
  const TChartAxis* V = GetVertAxis();
  if (!C || !Chart || !H || !V) return 1;
  const TChartAxis* D = Chart->DepthAxis();
  const int Cols = GridColumns(), Rows = GridRows();
  if (Cols < 2 || Rows < 2) return 1;
  // The screen length of the grid along its columns and along its rows, at mid height: a cell
  // that comes out far below a pixel is drawn together with its neighbours, in blocks about a
  // pixel wide; grids whose cells reach an eighth of a pixel are drawn cell by cell.
  const int Y = V->CalcPosValue((MinYValue() + MaxYValue()) / 2);
  const int X0 = H->CalcPosValue(GridMinX()), X1 = H->CalcPosValue(GridMaxX());
  const int Z0 = D->CalcPosValue(GridMinZ()), Z1 = D->CalcPosValue(GridMaxZ());
  const TPoint A = C->Calculate3DPosition(X0, Y, Z0), B = C->Calculate3DPosition(X1, Y, Z0),
               E = C->Calculate3DPosition(X0, Y, Z1);
  const double Along = std::hypot(double(B.X) - A.X, double(B.Y) - A.Y) / (Cols - 1),
               Across = std::hypot(double(E.X) - A.X, double(E.Y) - A.Y) / (Rows - 1);
  const double Cell = std::max(Along, Across);
  if (!(Cell < 0.125)) return 1;
  const double Step = std::floor(1 / std::max(Cell, 1e-9));
  return int(std::clamp(Step, 1.0, double(std::max(Cols, Rows))));
}

template <class F, class G>
void TSurfaceSeries::ForEachCell(F Visit, G Nodes) const {
  const TChartCanvas3D* C = Canvas(*this);
  const TCustomAxisPanel* Chart = ParentChart();
  const TChartAxis* H = GetHorizAxis();
  const TChartAxis* V = GetVertAxis();
  if (!C || !Chart || !H || !V) return;
  const TChartAxis* D = Chart->DepthAxis();
  FillGridIndex();
  const int Cols = GridColumns(), Rows = GridRows();
  if (Cols < 2 || Rows < 2) return;
  const int Step = CellStep();
  FCellsVisited = 0;
  const std::vector<int> Xs = SampledPositions(Cols, Step), Zs = SampledPositions(Rows, Step);
  const size_t NX = Xs.size(), NZ = Zs.size();
  // Each grid node lands on one screen point: its X and Y through the axes, its row through the
  // depth axis; projected once, into one flat buffer over the nodes that are drawn.
  std::vector<int> Depth(NZ);
  for (size_t b = 0; b < NZ; ++b) Depth[b] = D->CalcPosValue(Zs[b] + GridMinZ() - 1);
  const TProjection& View = C->View();
  std::vector<TPoint> Screen(NX * NZ);
  std::vector<int> Index(NX * NZ);
  const bool Shared = SharedGrid() != nullptr;
  for (size_t a = 0; a < NX; ++a) {
    const int x = Xs[a];
    // The shared grid's nodes of one column share their X.
    const int ColumnX = Shared ? H->CalcPosValue(x + GridMinX() - 1) : 0;
    for (size_t b = 0; b < NZ; ++b) {
      const int i = PlacedAt(x, Zs[b]);
      Index[a * NZ + b] = i;
      if (i >= 0)
        Screen[a * NZ + b] = View.Calculate3DPosition(Shared ? ColumnX : H->CalcPosValue(XValue(i)),
                                                      V->CalcPosValue(PlacedY(i)), Depth[b]);
    }
  }
  Nodes(Index, Step);
  // Back to front: the side of the grid that lies farther from the eye is painted first. The
  // eye looks along the view's depth direction; orthogonal and flat views look into the
  // screen, where larger depth lies behind and the right side in front.
  double Cx = -1, Cz = 1;
  if (View.Is3D && !View.Orthogonal) {
    Cx = View.CosElevationSinRotation;
    Cz = View.C3;
  }
  const double MinX = GridMinX(), Span = Cols - 1;
  const bool LastColumnFar =
      Cx * (double(H->CalcPosValue(MinX + Span)) - H->CalcPosValue(MinX)) > 0;
  const bool LastRowFar = Cz * (double(D->CalcPosValue(Rows + GridMinZ() - 1)) - Depth.front()) > 0;
  TCell Cell;
  const size_t Node[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  for (size_t n = 0; n + 1 < NX; ++n) {
    // Column a and its neighbour a2 towards the far side's opposite.
    const size_t a = LastColumnFar ? NX - 2 - n : 1 + n, a2 = LastColumnFar ? a + 1 : a - 1;
    for (size_t m = 0; m + 1 < NZ; ++m) {
      const size_t b = LastRowFar ? NZ - 1 - m : m, b2 = LastRowFar ? b - 1 : b + 1;
      const size_t Cols2[2] = {a, a2}, Rows2[2] = {b, b2};
      bool Whole = true;
      for (int k = 0; k < 4 && Whole; ++k) {
        const size_t At = Cols2[Node[k][0]] * NZ + Rows2[Node[k][1]];
        Cell.Corner[k] = Index[At];
        Whole = Cell.Corner[k] >= 0;
        Cell.P[k] = Screen[At];
      }
      if (!Whole) continue;
      Cell.Node = a * NZ + b;
      ++FCellsVisited;
      if (!Visit(Cell)) return;
    }
  }
}

void TSurfaceSeries::DrawAllValues() {
  TChartCanvas3D* C = Canvas(*this);
  if (!C || Count() == 0) return;
  FillGridIndex();
  C->Pen()->Assign(*FPen);
  if (!FPen->Visible()) {
    if (FWireFrame || FDotFrame)
      C->Pen()->SetStyle(psSolid);
    else
      C->Pen()->SetStyle(psClear);
  }
  TBrushData B = FBrush->Data();
  B.Color = Resolve(B.Color, SeriesColor());
  const bool Frame = FWireFrame || FDotFrame;
  if (Frame) B.Style = bsClear;
  C->Brush()->SetData(B);
  const bool Colored = (UseColorRange() || UsePalette()) && !Frame;
  // A grid within the ranges of all three axes lies inside the chart's box: the box's clip,
  // which costs more than the cells themselves, is then let go. The chart unclips after the
  // series anyway.
  const TChartAxis* H = GetHorizAxis();
  const TChartAxis* V = GetVertAxis();
  const TChartAxis* D = ParentChart() ? ParentChart()->DepthAxis() : nullptr;
  auto Within = [](const TChartAxis* A, double Min, double Max) {
    const double Slack = AxisRange(A->IMinimum(), A->IMaximum()) * 1e-9;
    return Min >= A->IMinimum() - Slack && Max <= A->IMaximum() + Slack;
  };
  if (H && V && D && GridColumns() > 0 && Within(H, GridMinX(), GridMaxX()) &&
      Within(V, MinYValue(), MaxYValue()) && Within(D, GridMinZ(), GridMaxZ()))
    C->UnClipRectangle();
  TCanvas* Device = C->ReferenceCanvas();
  if (!FDotFrame && Device && Device->Target() && !Device->Mapped()) {
    // The cells go straight to the canvas' target, in the state a Polygon call would give each of
    // them (only the brush's colour changes from cell to cell), made once.
    TCanvasOp Op = Device->MakeOp(coPolygon);
    Op.Points.resize(4);
    TCanvasTarget& Target = *Device->Target();
    const TColor* Colors = nullptr;
    auto Nodes = [&](const std::vector<int>& Points, int Step) {
      if (Colored) Colors = NodeColors(Points, Step);
    };
    ForEachCell(
        [&](const TCell& Cell) {
          if (Colored) {
            const TColor Color = Colors ? Colors[Cell.Node] : GetValueColor(Cell.Corner[0]);
            if (Color == clNone) return true;
            // Setting a colour also makes a clear brush solid.
            if (Color != Op.State.Brush.Color || Op.State.Brush.Style == bsClear) {
              Device->Brush()->SetColor(Color);
              Op.State.Brush = Device->Brush()->Data();
              Op.State.BackMode = Device->BackMode();
              Op.State.BackColor = Device->BackColor();
            }
          }
          std::copy(Cell.P, Cell.P + 4, Op.Points.begin());
          Target.Execute(Op);
          return true;
        },
        Nodes);
    return;
  }
  ForEachCell([&](const TCell& Cell) {
    if (Colored) {
      const TColor Color = GetValueColor(Cell.Corner[0]);
      if (Color == clNone) return true;
      C->Brush()->SetColor(Color);
    }
    if (FDotFrame) {
      for (int k = 0; k < 4; ++k)
        C->SetPixel(Cell.P[k].X, Cell.P[k].Y, GetValueColor(Cell.Corner[k]));
    } else {
      C->Polygon(Cell.P);
    }
    return true;
  });
}

const TColor* TSurfaceSeries::NodeColors(const std::vector<int>& Points, int Step) const {
  const std::optional<TColorKey> Colors = ValueColorKey();
  if (!Colors) return nullptr;
  const TNodeColorKey Key{*Colors, Step, GridColumns(), GridRows()};
  if (FNodeColorKey != Key || FNodeColors.size() != Points.size()) {
    FNodeColors.resize(Points.size());
    for (size_t k = 0; k < Points.size(); ++k)
      FNodeColors[k] = Points[k] >= 0 ? GetValueColor(Points[k]) : clNone;
    FNodeColorKey = Key;
  }
  return FNodeColors.data();
}

TColor TSurfaceSeries::LegendItemColor(int Index) const {
  if (FWireFrame) return Resolve(FPen->Color(), SeriesColor());
  if (!FDotFrame && !UseColorRange() && !(UsePalette() && !Palette().empty()))
    return Resolve(FBrush->Color(), SeriesColor());
  return TCustom3DGridSeries::LegendItemColor(Index);
}

int TSurfaceSeries::Clicked(int X, int Y) const {
  int Found = -1;
  ForEachCell([&](const TCell& Cell) {
    if (!PointInPolygon({X, Y}, Cell.P)) return true;
    Found = Cell.Corner[0];
    return false;
  });
  return Found;
}
