#include "plot/layers/contour.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "platform/canvas.h"
#include "platform/cursors.h"
#include "plot/core/graph.h"

using GraphMatrix::TMatrix;
using GraphMatrix::TVector;

TContour::TContour(TGraph* AGraph, const TVector& AX, const TVector& AY, const TMatrix& AZ,
                   int ALevelCount, bool AShaded, bool ASkipZero)
    : TLayer(AGraph) {
  FY = std::make_unique<TVector>(0);
  FY->Assign(AY);
  FX.Assign(AX);
  FZ.Assign(AZ);
  Init(ALevelCount, AShaded, ASkipZero);
}

TContour::TContour(TGraph* AGraph, const TVector& AX, const TMatrix& AYMatrix, const TMatrix& AZ,
                   int ALevelCount, bool AShaded, bool ASkipZero)
    : TLayer(AGraph) {
  FYMatrix = std::make_unique<TMatrix>(0, 0);
  FYMatrix->Assign(AYMatrix);
  FX.Assign(AX);
  FZ.Assign(AZ);
  Init(ALevelCount, AShaded, ASkipZero);
}

TContour::TContour(TGraph* AGraph, TSharedGrid AGrid, int ALevelCount, bool AShaded, bool ASkipZero)
    : TLayer(AGraph), FShared(std::move(AGrid)) {
  if (!FShared) FShared = std::make_shared<const TValueGrid>();
  Init(ALevelCount, AShaded, ASkipZero);
}

TContour::TContour(TGraph* AGraph) : TLayer(AGraph) {
  FY = std::make_unique<TVector>(0);
  ZMin = 1e30, ZMax = -1e30;
}

void TContour::Init(int ALevelCount, bool AShaded, bool ASkipZero) {
  FIndex = IndexContourGrid(Grid());
  GridZRange(Grid(), FGridZMin, FGridZMax);
  LevelCount = ALevelCount;
  SkipZero = ASkipZero;
  AutoLevels = true;
  ZMin = 1e30, ZMax = -1e30;
  SetShaded(AShaded);
  if (AShaded) {
    ZMin = FGridZMin, ZMax = FGridZMax;
    LevelEnd = ZMax, LevelStart = ZMin;
    UseLevelEnd = UseLevelStart = false;
  } else {
    MakeLevels();
    BuildLevelTexts();
  }
}

TContourGrid TContour::Grid() const {
  if (FShared) return {nullptr, nullptr, nullptr, nullptr, FShared.get()};
  return {&FX, FY.get(), FYMatrix.get(), &FZ};
}

void TContour::GetExtent(double& XMin, double& XMax, double& YMin, double& YMax) {
  TLayer::GetExtent(XMin, XMax, YMin, YMax);
  const TContourGrid G = Grid();
  bool RowsSeen = false;
  for (int I = 1; I <= G.ColCount(); ++I) {
    const double X = G.XAt(I);
    if (!std::isfinite(X)) continue;
    WidenRange(XMin, XMax, X);
    // Rows given once are the same for every column.
    if (RowsSeen && !G.YMatrix) continue;
    RowsSeen = true;
    for (int J = 1; J <= G.RowCount(); ++J) {
      const double Y = G.YAt(I, J);
      if (std::isfinite(Y)) WidenRange(YMin, YMax, Y);
    }
  }
}

void TContour::ClearLines() {
  FLines.clear();
  FLineColors.clear();
  FLabels.clear();
}

void TContour::SetScaleToLevelRange() {
  const double Start = UseLevelStart ? LevelStart : ZMin, End = UseLevelEnd ? LevelEnd : ZMax;
  const double KeepMin = ZMin, KeepMax = ZMax;
  if (Start < End)
    SetDefaultLevels(Start, End);
  else
    SetDefaultLevels(ZMin, ZMax);
  // The scale follows the levels; the grid's range stays what it is.
  ZMin = KeepMin, ZMax = KeepMax;
}

TColor TContour::ColorOfLevel(double Level) {
  ColorRamp(Level);
  return ColorByValue();
}

void TContour::UpdateLineColors() {
  if (FColorsKey == PaletteKey() && FLineColors.size() == FLines.size()) return;
  FColorsKey = PaletteKey();
  FLineColors.clear();
  if (ZMin <= ZMax) {
    SetScaleToLevelRange();
    for (const TContourLine& L : FLines) FLineColors.push_back(ColorOfLevel(L.Level));
  } else {
    FLineColors.assign(FLines.size(), GetColor());
  }
}

TColor TContour::LineColor(int I) {
  UpdateLineColors();
  return FLineColors[I];
}

void TContour::MakeLevels() {
  GridZRange(Grid(), ZMin, ZMax);
  ClearLines();
  LevelErrors.clear();
  if (LevelStart == 0 && LevelEnd == 0) LevelStart = ZMin, LevelEnd = ZMax;
  TContourLevelSettings S;
  S.LevelCount = LevelCount;
  S.LevelStep = LevelStep;
  S.UseLevelStep = UseLevelStep;
  S.AutoLevels = AutoLevels;
  S.UseLevelList = UseLevelList;
  S.LevelList = LevelList;
  S.LevelStart = LevelStart;
  S.LevelEnd = LevelEnd;
  S.UseLevelStart = UseLevelStart;
  S.UseLevelEnd = UseLevelEnd;
  S.SkipZero = SkipZero;
  TraceBroken = false;
  const std::vector<double> Levels = ContourLevels(S, ZMin, ZMax, &LevelErrors);
  // Half the levels would read as the whole picture: a broken tracing leaves none.
  TraceBroken = !TraceContourLevels(Grid(), Levels, ZMin, ZMax, FLines);
  // The colour scale spans the level range; each line keeps the colour of its level.
  FLineColors.clear();
  UpdateLineColors();
  FLabels.assign(FLines.size(), std::nullopt);
}

bool TContour::AddLevelAt(double X, double Y) {
  const double Level = GridZAt(Grid(), X, Y);
  if (IsMissingZ(Level)) return false;
  // Only the level 0 itself is skipped; negative levels are as good as any.
  if (SkipZero && RoundLevel(Level) == 0) return false;
  if (ZMin > ZMax) ZMin = GetZMin(), ZMax = GetZMax();
  std::vector<TContourLine> New;
  if (!TraceContourLevel(Grid(), Level, ZMin, ZMax, New) || New.empty()) return false;
  UpdateLineColors();
  std::vector<TColor> Colors;
  if (ZMin <= ZMax) SetScaleToLevelRange();
  for (const TContourLine& L : New) Colors.push_back(ColorOfLevel(L.Level));
  FLines.insert(FLines.begin(), std::make_move_iterator(New.begin()),
                std::make_move_iterator(New.end()));
  FLineColors.insert(FLineColors.begin(), Colors.begin(), Colors.end());
  // The new lines get their labels at once, on the piece nearest to the point.
  std::vector<std::optional<TContourLabel>> Labels;
  for (int I = 0; I < static_cast<int>(New.size()); ++I) {
    const TContourLine& L = FLines[I];
    std::optional<TContourLabel> Label;
    if (L.Level != 0) {
      Label = MakeLabel(L);
      double Best = std::numeric_limits<double>::infinity();
      for (size_t K = 1; K < L.Points.size(); ++K) {
        const double D = std::hypot(L.Points[K - 1].X - X, L.Points[K - 1].Y - Y) +
                         std::hypot(L.Points[K].X - X, L.Points[K].Y - Y);
        if (D < Best) Best = D, Label->From = L.Points[K - 1], Label->To = L.Points[K];
      }
    }
    Labels.push_back(std::move(Label));
  }
  FLabels.insert(FLabels.begin(), Labels.begin(), Labels.end());
  return true;
}

int TContour::DepthOffset() const { return Graph->View3D > 0 ? Graph->Depth3D : 0; }

TDoublePoint TContour::DepthShifted(TDoublePoint P, int Off) const {
  if (Off == 0) return P;
  // The shift in axis units of the linear mapping; a logarithmic axis multiplies.
  const double DX = Graph->ScaleX != 0 ? Off / Graph->ScaleX : 0;
  const double DY = Graph->ScaleY != 0 ? -Off / Graph->ScaleY : 0;
  return {Graph->CurrentXLog() ? P.X * std::pow(10.0, DX) : P.X + DX,
          Graph->CurrentYLog() ? P.Y * std::pow(10.0, DY) : P.Y + DY};
}

void TContour::Draw() {
  TCanvas* C = Graph->DrawCanvas();
  if (!C || !GetVisible()) return;
  TBusyCursor Busy;
  if (GetShaded()) DrawColorMap();
  C->Pen()->SetWidth(1);
  C->Pen()->SetMode(pmCopy);
  C->Pen()->SetStyle(psSolid);
  if (ShowLabels && !OpaqueLabels) PlaceLabels(), DrawLabels();
  for (int I = 0; I < static_cast<int>(FLines.size()); ++I) {
    C->Pen()->SetColor(OneColor ? GetColor() : LineColor(I));
    DrawLine(I);
  }
  if (ShowLabels && OpaqueLabels) PlaceLabels(), DrawLabels();
}

void RegisterContourLayerClasses() {
  const std::pair<TCursor, const char*> Cursors[] = {
      {crContourMove, "MOVEIT"}, {crContourAdd, "SERADD"}, {crContourDelete, "SERDEL"}};
  for (const auto& [Number, Image] : Cursors)
    if (!CursorRegistered(Number)) RegisterCursor(Number, OwnCursor(QString::fromLatin1(Image)));
}
