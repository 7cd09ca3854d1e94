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
  Init(AX, AZ, ALevelCount, AShaded, ASkipZero);
}

TContour::TContour(TGraph* AGraph, const TVector& AX, const TMatrix& AYMatrix, const TMatrix& AZ,
                   int ALevelCount, bool AShaded, bool ASkipZero)
    : TLayer(AGraph) {
  FYMatrix = std::make_unique<TMatrix>(0, 0);
  FYMatrix->Assign(AYMatrix);
  Init(AX, AZ, ALevelCount, AShaded, ASkipZero);
}

TContour::TContour(TGraph* AGraph) : TLayer(AGraph) {
  FY = std::make_unique<TVector>(0);
  AutoLevels = true;
  ZMin = 1e30, ZMax = -1e30;
}

void TContour::Init(const TVector& AX, const TMatrix& AZ, int ALevelCount, bool AShaded,
                    bool ASkipZero) {
  FX.Assign(AX);
  FZ.Assign(AZ);
  LevelCount = ALevelCount;
  SkipZero = ASkipZero;
  AutoLevels = true;
  ZMin = 1e30, ZMax = -1e30;
  SetShaded(AShaded);
  if (AShaded) {
    LevelEnd = ZMax = GetZMax();
    LevelStart = ZMin = GetZMin();
    UseLevelEnd = UseLevelStart = false;
  } else {
    MakeLevels();
    BuildLevelTexts();
  }
}

TContourGrid TContour::Grid() const { return {&FX, FY.get(), FYMatrix.get(), &FZ}; }

void TContour::GetExtent(double& XMin, double& XMax, double& YMin, double& YMax) {
  TLayer::GetExtent(XMin, XMax, YMin, YMax);
  const TContourGrid G = Grid();
  for (int I = 1; I <= G.ColCount(); ++I) {
    const double X = G.XAt(I);
    if (!std::isfinite(X)) continue;
    XMin = std::min(XMin, X), XMax = std::max(XMax, X);
    for (int J = 1; J <= G.RowCount(); ++J) {
      const double Y = G.YAt(I, J);
      if (std::isfinite(Y)) YMin = std::min(YMin, Y), YMax = std::max(YMax, Y);
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

void TContour::TraceInto(double Level, std::vector<TContourLine>& Into) {
  TraceContourLevel(Grid(), Level, ZMin, ZMax, Into);
}

void TContour::MakeLevels() {
  ZMin = GetZMin();
  ZMax = GetZMax();
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
  const std::vector<double> Levels = ContourLevels(S, ZMin, ZMax, &LevelErrors);
  for (double L : Levels) TraceInto(L, FLines);
  // The colour scale spans the level range; each line keeps the colour of its level.
  if (ZMin <= ZMax) {
    SetScaleToLevelRange();
    for (const TContourLine& L : FLines) FLineColors.push_back(ColorOfLevel(L.Level));
  } else {
    FLineColors.assign(FLines.size(), GetColor());
  }
  FLabels.assign(FLines.size(), std::nullopt);
}

bool TContour::AddLevelAt(double X, double Y) {
  const double Level = GridZAt(Grid(), X, Y);
  if (IsMissingZ(Level)) return false;
  // Only the level 0 itself is skipped; negative levels are as good as any.
  if (SkipZero && RoundLevel(Level) == 0) return false;
  if (ZMin > ZMax) ZMin = GetZMin(), ZMax = GetZMax();
  std::vector<TContourLine> New;
  TraceInto(Level, New);
  if (New.empty()) return false;
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
    C->Pen()->SetColor(OneColor ? GetColor() : FLineColors[I]);
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
