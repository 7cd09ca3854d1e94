// The contour series: level lines of the grid's Y values on a horizontal plane of the 3D chart,
// traced cell by cell over four triangles around the cell's centre.
#include <algorithm>
#include <cmath>

#include "chart/engine/axis_panel.h"
#include "chart/engine/chart_format.h"
#include "chart/engine/chart_utils.h"
#include "chart/engine/series_pointer.h"
#include "chart/engine/surface_series.h"

using namespace SeriesGeometry;

namespace {
// The line of a triangle by the signs (below, on, above the level) of its three vertices.
constexpr int CaseTable[3][3][3] = {{{0, 0, 8}, {0, 2, 5}, {7, 6, 9}},
                                    {{0, 3, 4}, {1, 3, 1}, {4, 3, 0}},
                                    {{9, 6, 7}, {5, 2, 0}, {8, 0, 0}}};
int Sign(double V) { return V > 0 ? 1 : (V < 0 ? -1 : 0); }
}  // namespace

TContourSeries::TContourSeries()
    : FPen(std::make_unique<TChartPen>([this](TGraphicsObject*) { Repaint(); })) {
  SetColorEachPoint(true);
}

void TContourSeries::SetNumLevels(int Value) {
  Value = std::clamp(Value, 1, MaxLevels);
  if (FNumLevels == Value) return;
  FNumLevels = Value;
  Repaint();
}

void TContourSeries::SetYPosition(double Value) {
  if (FYPosition == Value || !std::isfinite(Value)) return;
  FYPosition = Value;
  Repaint();
}

void TContourSeries::SetYPositionLevel(bool Value) {
  if (FYPositionLevel == Value) return;
  FYPositionLevel = Value;
  Repaint();
}

void TContourSeries::PrepareForGallery(bool IsEnabled) {
  TCustom3DGridSeries::PrepareForGallery(IsEnabled);
  SetUseColorRange(false);
  SetUsePalette(true);
}

void TContourSeries::FillSampleValues(int NumValues) {
  TCustom3DGridSeries::FillSampleValues(NumValues);
  FYPosition = (MaxYValue() + MinYValue()) / 2;
}

void TContourSeries::Assign(const TChartSeries& Source) {
  if (const auto* S = dynamic_cast<const TContourSeries*>(&Source)) {
    FPen->Assign(*S->FPen);
    FNumLevels = S->FNumLevels;
    FYPosition = S->FYPosition;
    FYPositionLevel = S->FYPositionLevel;
  }
  TCustom3DGridSeries::Assign(Source);
}

void TContourSeries::CreateLevels() {
  const double Min = MinYValue(), Max = MaxYValue();
  FLevels.assign(size_t(FNumLevels), {});
  for (int i = 0; i < FNumLevels; ++i) {
    TLevel& L = FLevels[size_t(i)];
    // A range wider than the largest double is stepped as a blend of its ends, which stays
    // finite.
    const double T = double(i) / FNumLevels;
    L.Value =
        std::isfinite(Max - Min) ? Min + i * (Max - Min) / FNumLevels : Min * (1 - T) + Max * T;
    if (ColorEachPoint())
      L.Color = GetDefaultColor(i);
    else if (UsePalette() || UseColorRange())
      L.Color = GetValueColorValue(L.Value);
    else
      L.Color = SeriesColor();
    if (OnGetLevel) OnGetLevel(this, i, L.Value, L.Color);
  }
}

void TContourSeries::DoBeforeDrawChart() {
  TCustom3DGridSeries::DoBeforeDrawChart();
  if (Count()) CreateLevels();
}

QString TContourSeries::LegendString(int Index, TLegendTextStyle) {
  const int L = FNumLevels - 1 - Index;
  if (L < 0 || L >= int(FLevels.size())) return {};
  return FormatFloat(ValueFormat(), FLevels[size_t(L)].Value);
}

TColor TContourSeries::LegendItemColor(int Index) const {
  const int L = FNumLevels - 1 - Index;
  if (L < 0 || L >= int(FLevels.size())) return SeriesColor();
  return FLevels[size_t(L)].Color;
}

TContourSeries::TTraceKey TContourSeries::CurrentTraceKey() const {
  TTraceKey K;
  const TCustomAxisPanel* Chart = ParentChart();
  const TChartAxis* H = GetHorizAxis();
  const TChartAxis* V = GetVertAxis();
  const TChartAxis* D = Chart->DepthAxis();
  K.Data = DataVersion();
  K.Levels.reserve(FLevels.size());
  K.Heights.reserve(FLevels.size());
  const int Plane = V->CalcPosValue(FYPosition);
  for (const TLevel& L : FLevels) {
    K.Levels.push_back(L.Value);
    K.Heights.push_back(FYPositionLevel ? V->CalcPosValue(L.Value) : Plane);
  }
  // A shared grid's points of one column share their X: one position per column is kept.
  if (const TValueGrid* G = SharedGrid().get()) {
    K.XPos.resize(size_t(G->NX()));
    for (int I = 0; I < G->NX(); ++I) K.XPos[size_t(I)] = H->CalcPosValue(I + 1);
  } else {
    K.XPos.resize(size_t(Count()));
    for (int i = 0; i < Count(); ++i) K.XPos[size_t(i)] = H->CalcPosValue(XValue(i));
  }
  const int Rows = GridRows();
  K.Depth.resize(size_t(std::max(Rows, 0)) + 1);
  for (int z = 1; z <= Rows; ++z) K.Depth[size_t(z)] = D->CalcPosValue(z + GridMinZ() - 1);
  return K;
}

void TContourSeries::Trace(const TTraceKey& K) {
  ++FTraceCount;
  FSegments.clear();
  const int Cols = GridColumns(), Rows = GridRows();
  // Point index to the index of its X position.
  const size_t Column = SharedGrid() ? size_t(SharedGrid()->NY()) : 1;
  const double First = FLevels.front().Value, Last = FLevels.back().Value;
  for (int z = 1; z < Rows; ++z) {
    const int Z0 = K.Depth[size_t(z)], Z1 = K.Depth[size_t(z) + 1];
    for (int x = 1; x < Cols; ++x) {
      const int Corner[5] = {-1, PlacedAt(x, z), PlacedAt(x + 1, z), PlacedAt(x + 1, z + 1),
                             PlacedAt(x, z + 1)};
      if (Corner[1] < 0 || Corner[2] < 0 || Corner[3] < 0 || Corner[4] < 0) continue;
      double Y[5];
      double DMin = 0, DMax = 0;
      for (int m = 1; m <= 4; ++m) {
        Y[m] = PlacedY(Corner[m]);
        DMin = m == 1 ? Y[m] : std::min(DMin, Y[m]);
        DMax = m == 1 ? Y[m] : std::max(DMax, Y[m]);
      }
      // A flat cell has no level running through it; one that only touches it (on a constant
      // grid, every level does) would draw the cell's outline once per level.
      if (!(First <= DMax && DMin <= Last) || DMin == DMax) continue;
      double XP[5], ZP[5];
      for (int m = 1; m <= 4; ++m) XP[m] = K.XPos[size_t(Corner[m]) / Column];
      ZP[1] = ZP[2] = Z0;
      ZP[3] = ZP[4] = Z1;
      // The centre: the integer half of the two horizontal and the two depth positions.
      XP[0] = double((int(XP[1]) + int(XP[2])) / 2);
      ZP[0] = double((Z0 + Z1) / 2);
      for (int k = 0; k < int(FLevels.size()); ++k) {
        const double Level = FLevels[size_t(k)].Value;
        if (!(DMin <= Level && Level <= DMax)) continue;
        const int Height = K.Heights[size_t(k)];
        double Hm[5];
        int Sh[5];
        for (int m = 1; m <= 4; ++m) Hm[m] = Y[m] - Level;
        Hm[0] = (Hm[1] + Hm[2] + Hm[3] + Hm[4]) / 4;
        for (int m = 0; m <= 4; ++m) Sh[m] = Sign(Hm[m]);
        for (int m = 1; m <= 4; ++m) {
          const int M[3] = {m, 0, m == 4 ? 1 : m + 1};
          const int Case = CaseTable[Sh[M[0]] + 1][Sh[M[1]] + 1][Sh[M[2]] + 1];
          if (Case == 0) continue;
          // Vertex i of the triangle, or the level's crossing of side i-j.
          auto Vertex = [&](int i, TPoint& P) {
            P = {NearestPixel(XP[M[i]]), NearestPixel(ZP[M[i]])};
            return true;
          };
          auto Side = [&](int i, int j, TPoint& P) {
            const double Hi = Hm[M[i]], Hj = Hm[M[j]];
            if (Hj - Hi == 0) return false;
            P = {NearestPixel((Hj * XP[M[i]] - Hi * XP[M[j]]) / (Hj - Hi)),
                 NearestPixel((Hj * ZP[M[i]] - Hi * ZP[M[j]]) / (Hj - Hi))};
            return true;
          };
          TPoint A, B;
          bool Ok = false;
          switch (Case) {
            case 1:
              Ok = Vertex(0, A) && Vertex(1, B);
              break;
            case 2:
              Ok = Vertex(1, A) && Vertex(2, B);
              break;
            case 3:
              Ok = Vertex(2, A) && Vertex(0, B);
              break;
            case 4:
              Ok = Vertex(0, A) && Side(1, 2, B);
              break;
            case 5:
              Ok = Vertex(1, A) && Side(2, 0, B);
              break;
            case 6:
              Ok = Vertex(2, A) && Side(0, 1, B);
              break;
            case 7:
              Ok = Side(0, 1, A) && Side(1, 2, B);
              break;
            case 8:
              Ok = Side(1, 2, A) && Side(2, 0, B);
              break;
            case 9:
              Ok = Side(2, 0, A) && Side(0, 1, B);
              break;
            default:
              break;
          }
          if (Ok) FSegments.push_back({A.X, A.Y, B.X, B.Y, Height, k});
        }
      }
    }
  }
  FTraced = K;
  FHasTrace = true;
}

void TContourSeries::DrawAllValues() {
  TChartCanvas3D* C = Canvas(*this);
  const TCustomAxisPanel* Chart = ParentChart();
  if (!C || !Chart || !GetHorizAxis() || !GetVertAxis() || Count() == 0) return;
  if (FLevels.empty()) CreateLevels();
  if (FLevels.empty()) return;
  // The lines are traced in the axes' positions, which the view's rotation and elevation leave
  // alone: a repaint draws what is kept.
  TTraceKey Key = CurrentTraceKey();
  if (!FHasTrace || !(Key == FTraced)) Trace(Key);
  C->AssignVisiblePen(*FPen);
  C->Brush()->SetStyle(bsClear);
  const bool PenShown = FPen->Visible();
  int PenLevel = -1;
  for (const TSegment& S : FSegments) {
    if (PenShown && S.Level != PenLevel) {
      C->Pen()->SetColor(FLevels[size_t(S.Level)].Color);
      PenLevel = S.Level;
    }
    C->MoveTo3D(S.X0, S.Height, S.Z0);
    C->LineTo3D(S.X1, S.Height, S.Z1);
  }
}
