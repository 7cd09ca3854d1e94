#include "chart/engine/custom_series.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/axis_panel.h"
#include "chart/engine/chart_utils.h"

using namespace SeriesGeometry;

double StackOrigin(const TChartSeries& S, int ValueIndex, bool SumAll,
                   const std::function<bool(const TChartSeries*)>& SameKind) {
  const TCustomAxisPanel* C = S.ParentChart();
  if (!C) return 0;
  double Sum = 0;
  for (int i = 0; i < C->SeriesCount(); ++i) {
    const TChartSeries* O = C->GetSeries(i);
    if (!SumAll && O == &S) break;
    if (!O->Active() || !SameKind(O) || O->Count() <= ValueIndex) continue;
    const double V = const_cast<TChartSeries*>(O)->MandatoryValueList()->GetValue(ValueIndex);
    // A value that is not finite never stacks.
    if (std::isfinite(V)) Sum += V;
  }
  return Sum;
}

namespace {
// The visible range the chart worked out before drawing, within the points there are now.
void VisibleRange(const TChartSeries& S, int& First, int& Last) {
  First = S.FirstValueIndex();
  Last = std::min(S.LastValueIndex(), S.Count() - 1);
  if (First < 0 || Last < First) First = Last = -1;
}
}  // namespace

TCustomSeries::TCustomSeries()
    : FAreaLinesPen(std::make_unique<TChartPen>([this](TGraphicsObject*) { Repaint(); })),
      FLinePen(std::make_unique<TChartPen>([this](TGraphicsObject*) { Repaint(); })),
      FPointer(std::make_unique<TSeriesPointer>(this)) {
  XValues()->SetOrder(loAscending);
  // The point just past the visible end is drawn too, so that a zoomed line reaches the edge.
  SetDrawBetweenPoints(true);
}

void TCustomSeries::Assign(const TChartSeries& Other) {
  TChartSeries::Assign(Other);
  const auto* S = dynamic_cast<const TCustomSeries*>(&Other);
  if (!S) {
    ApplyKind();
    return;
  }
  const TCustomSeries& Source = *S;
  FAreaBrush = Source.FAreaBrush;
  FAreaColor = Source.FAreaColor;
  FAreaLinesPen->Assign(*Source.FAreaLinesPen);
  FClickableLine = Source.FClickableLine;
  FDark3D = Source.FDark3D;
  FDrawArea = Source.FDrawArea;
  FDrawLine = Source.FDrawLine;
  FInvertedStairs = Source.FInvertedStairs;
  FLineBrush = Source.FLineBrush;
  FLineHeight = Source.FLineHeight;
  FLinePen->Assign(*Source.FLinePen);
  FPointer->Assign(*Source.FPointer);
  FStairs = Source.FStairs;
  ApplyKind();
  Repaint();
}

int TCustomSeries::CalcXPos(int ValueIndex) const {
  const TChartAxis* A = SeriesHorizAxis(*this);
  return A ? A->CalcPosValue(XValue(ValueIndex)) : 0;
}
int TCustomSeries::CalcYPos(int ValueIndex) const {
  const TChartAxis* A = SeriesVertAxis(*this);
  return A ? A->CalcPosValue(YValue(ValueIndex)) : 0;
}
int TCustomSeries::GetOriginPos(int) const {
  const TChartAxis* A = SeriesVertAxis(*this);
  return A ? A->IEndPos() : 0;
}

TColor TCustomSeries::AreaColorOf(int ValueIndex) const {
  if (ColorEachPoint() || IsChartAuto(FAreaColor)) return GetValueColor(ValueIndex);
  return FAreaColor;
}

bool TCustomSeries::IsKindOf(const TChartSeries* S) const {
  return dynamic_cast<const TCustomSeries*>(S) != nullptr;
}

bool TCustomSeries::ClickedPointer(int, int PX, int PY, int X, int Y) const {
  return std::abs(X - PX) < FPointer->HorizSize() && std::abs(Y - PY) < FPointer->VertSize();
}

void TCustomSeries::DrawPointer(int X, int Y, TColor Color, int ValueIndex) {
  FPointer->PrepareCanvas(Color);
  const TSeriesPointerStyle Style =
      OnGetPointerStyle ? OnGetPointerStyle(this, ValueIndex) : FPointer->Style();
  FPointer->Draw(X, Y, Color, Style);
}

void TCustomSeries::StartPass() {
  VisibleRange(*this, FFirst, FLast);
  FOldColor = clNone;
}

void TCustomSeries::DoBeforeDrawValues() {
  // Series sharing one depth are drawn point by point without DrawAllValues: each pass starts
  // afresh here, or it would join its first point to the last one of the previous pass.
  StartPass();
  TChartSeries::DoBeforeDrawValues();
}

void TCustomSeries::DrawGroupValue(int ValueIndex) {
  if (ValueIndex < FFirst || ValueIndex > FLast) return;
  if (!std::isfinite(XValue(ValueIndex)) || !std::isfinite(YValue(ValueIndex))) {
    // A value that is not finite breaks the line like a null point.
    FOldColor = clNone;
    return;
  }
  DrawValue(ValueIndex);
}

void TCustomSeries::DrawAllValues() {
  if (!Canvas(*this)) return;
  StartPass();
  for (int i = FFirst; i >= 0 && i <= FLast; ++i) DrawGroupValue(i);
}

void TCustomSeries::SeedBeforeFirst(int ValueIndex, int X, int Y) {
  const int P = ValueIndex - 1;
  if (!std::isfinite(XValue(P)) || !std::isfinite(YValue(P))) return;
  if (FDrawArea) {
    FOldX = CalcXPos(P);
    FOldY = CalcYPos(P);
    FOldBottomPos = GetOriginPos(P);
  } else {
    const TChartAxis* H = SeriesHorizAxis(*this);
    const TChartAxis* V = SeriesVertAxis(*this);
    const TRect R = ParentChart()->ChartRect();
    FOldX = H->Inverted() ? R.Right : R.Left;
    if (FStairs) {
      FOldY = CalcYPos(P);
    } else {
      const double X0 = XValue(P), X1 = XValue(ValueIndex);
      if (X0 == X1) {
        FOldY = CalcYPos(ValueIndex);
      } else {
        const double Y0 = YValue(P), Y1 = YValue(ValueIndex);
        const double Edge = H->CalcPosPoint(FOldX);
        const double Y = Y0 + (Y1 - Y0) * (Edge - X0) / (X1 - X0);
        int Pixel = 0;
        FOldY = V->ValueToPixel(Y, Pixel) ? Pixel : CalcYPos(ValueIndex);
      }
    }
    FOldBottomPos = FBottomPos;
  }
  if (GetValueColor(P) != clNone) DrawSegment(ValueIndex, X, Y, GetValueColor(ValueIndex), false);
}

void TCustomSeries::DrawValue(int ValueIndex) {
  TChartCanvas3D* C = Canvas(*this);
  if (!C) return;
  const int X = CalcXPos(ValueIndex), Y = CalcYPos(ValueIndex);
  if (!OnCanvas(X) || !OnCanvas(Y)) return;
  const TColor Color = GetValueColor(ValueIndex);
  C->Pen()->SetColor(clBlack);
  C->Brush()->SetColor(ChartDrawColor(Color) == clNone ? clWhite : Color);
  if (FOldColor == clNone) {
    FOldX = X;
    FOldY = Y;
  }
  FBottomPos = GetOriginPos(ValueIndex);
  if (ValueIndex != FFirst) {
    DrawSegment(ValueIndex, X, Y, Color, true);
  } else {
    if (FDark3D) {
      const int W = ParentChart()->Width3D(), H = ParentChart()->Height3D();
      FDarkRatio = W == 0 ? 1.0 : double(H) / W;
    }
    if (ValueIndex > 0) SeedBeforeFirst(ValueIndex, X, Y);
    if (ValueIndex == FLast && FPointer->Visible() && Color != clNone)
      DrawPointer(X, Y, Color, ValueIndex);
  }
  FOldX = X;
  FOldY = Y;
  FOldBottomPos = FBottomPos;
  FOldColor = Color;
}

void TCustomSeries::DrawSegment(int ValueIndex, int X, int Y, TColor Color, bool WithPointers) {
  if (X == FOldX && Y == FOldY) return;
  TChartCanvas3D* C = Canvas(*this);
  const bool D3 = Is3D(*this);
  const int Z0 = StartZ(), Z1 = EndZ();
  const bool Last = ValueIndex == FLast;
  if (Color != clNone) {
    const TColor Area = AreaColorOf(ValueIndex);
    if (D3 && (FDrawArea || (FDrawLine && FLineBrush != bsClear))) {
      C->AssignVisiblePen(*FLinePen);
      C->Brush()->SetData(TBrushData{Area, FLineBrush, {}});
      if (!FStairs) {
        int OY = FOldY, NY = Y;
        if (FLineHeight >= 1 && !FDrawArea) {
          const TPoint Face[4] = {
              {FOldX, FOldY}, {X, Y}, {X, Y + FLineHeight}, {FOldX, FOldY + FLineHeight}};
          C->PlaneWithZ(Face[0], Face[1], Face[2], Face[3], Z0);
          if (Last) C->RectangleZ(X, Y, Y + FLineHeight, Z0, Z1);
        }
        if (FDark3D && X != FOldX && FDarkRatio != 0 &&
            double(FOldY - Y) / (X - FOldX) > FDarkRatio) {
          C->Brush()->SetColor(ApplyDark(ChartDrawColor(Area), DarkColorQuantity));
          if (FLineHeight > 0 && !FDrawArea) {
            OY += FLineHeight;
            NY += FLineHeight;
          }
        }
        C->Plane3D({FOldX, OY}, {X, NY}, Z0, Z1);
        C->Brush()->SetColor(Area);
      } else {
        auto Dark = [&](bool On) {
          C->Brush()->SetColor(On && FDark3D ? ApplyDark(ChartDrawColor(Area), DarkColorQuantity)
                                             : Area);
        };
        if (FInvertedStairs) {
          Dark(true);
          C->RectangleZ(FOldX, FOldY, Y, Z0, Z1);
          Dark(false);
          C->RectangleY(FOldX, Y, X, Z0, Z1);
        } else {
          C->RectangleY(FOldX, FOldY, X, Z0, Z1);
          Dark(true);
          C->RectangleZ(X, FOldY, Y, Z0, Z1);
          Dark(false);
        }
      }
    }
    if (FDrawArea) {
      C->AssignVisiblePen(*FAreaLinesPen);
      if (IsChartAuto(FAreaLinesPen->Color()) || !FAreaLinesPen->Visible())
        C->Pen()->SetColor(Color);
      C->Brush()->SetData(TBrushData{Area, FAreaBrush, {}});
      C->SetBackColor(ChartDrawColor(SeriesColor()));
      if (D3 && Last) C->RectangleZ(X, Y, FBottomPos, Z0, Z1);
      if (FStairs) {
        const TRect R{FOldX, FInvertedStairs ? Y : FOldY, X + 1, FBottomPos};
        if (D3)
          C->RectangleWithZ(R, Z0);
        else
          C->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
      } else {
        const TPoint P[4] = {{X, Y}, {X, FBottomPos}, {FOldX, FOldBottomPos}, {FOldX, FOldY}};
        if (D3)
          C->PlaneWithZ(P[0], P[1], P[2], P[3], Z0);
        else
          C->Polygon(P);
      }
    } else if (FDrawLine && (!D3 || FLineBrush == bsClear)) {
      C->AssignVisiblePen(*FLinePen);
      if (FLinePen->Visible()) C->Pen()->SetColor(Color);
      C->Brush()->SetStyle(bsClear);
      auto Line = [&](int X0, int Y0, int X1, int Y1) {
        if (D3)
          C->LineWithZ(X0, Y0, X1, Y1, Z0);
        else
          C->Line(X0, Y0, X1, Y1);
      };
      if (FStairs) {
        if (FInvertedStairs) {
          Line(FOldX, FOldY, FOldX, Y);
          Line(FOldX, Y, X, Y);
        } else {
          Line(FOldX, FOldY, X, FOldY);
          Line(X, FOldY, X, Y);
        }
      } else {
        Line(FOldX, FOldY, X, Y);
      }
    }
  }
  if (WithPointers && FPointer->Visible()) {
    if (FOldColor != clNone) DrawPointer(FOldX, FOldY, FOldColor, ValueIndex - 1);
    if (Last && Color != clNone) DrawPointer(X, Y, Color, ValueIndex);
  }
}

int TCustomSeries::Clicked(int X, int Y) const {
  const int Base = TChartSeries::Clicked(X, Y);
  if (Base != -1 || !ParentChart()) return Base;
  int First = 0, Last = 0;
  VisibleRange(*this, First, Last);
  if (First < 0 || Last < 0) return -1;
  if (const TChartCanvas3D* C = Canvas(*this)) C->Calculate2DPosition(X, Y, StartZ());
  const TPoint P{X, Y};
  const bool D3 = Is3D(*this);
  const int W = ParentChart()->Width3D(), H = ParentChart()->Height3D();
  int OldX = 0, OldY = 0;
  for (int i = First; i <= Last; ++i) {
    if (!IsDrawable(i)) {
      OldX = OldY = -1;
      continue;
    }
    const int PX = CalcXPos(i), PY = CalcYPos(i);
    if (FPointer->Visible() && ClickedPointer(i, PX, PY, X, Y)) {
      if (OnClickPointer) OnClickPointer(const_cast<TCustomSeries*>(this), i, X, Y);
      return i;
    }
    if (PX == X && PY == Y) return i;
    if (i > First && FClickableLine && IsDrawable(i - 1)) {
      bool Hit = false;
      if (D3) {
        const TPoint Q[4] = {{OldX, OldY}, {OldX + W, OldY - H}, {PX + W, PY - H}, {PX, PY}};
        Hit = PointInPolygon(P, Q);
      } else if (FStairs) {
        Hit = FInvertedStairs
                  ? PointInLine(P, OldX, OldY, OldX, PY) || PointInLine(P, OldX, PY, PX, PY)
                  : PointInLine(P, OldX, OldY, PX, OldY) || PointInLine(P, PX, OldY, PX, PY);
      } else {
        Hit = PointInLine(P, OldX, OldY, PX, PY);
      }
      if (Hit) return i - 1;
      if (FDrawArea) {
        const TPoint Q[4] = {
            {OldX, OldY}, {PX, PY}, {PX, GetOriginPos(i)}, {OldX, GetOriginPos(i - 1)}};
        if (PointInPolygon(P, Q)) return i - 1;
      }
    }
    OldX = PX;
    OldY = PY;
  }
  return -1;
}

void TCustomSeries::DrawLegendShape(int ValueIndex, const TRect& R) {
  TChartCanvas3D* C = Canvas(*this);
  if (!C) return;
  const TColor Color = ValueIndex == -1 ? SeriesColor() : GetValueColor(ValueIndex);
  auto LegendLine = [&] {
    C->AssignVisiblePen(*FLinePen);
    if (FLinePen->Visible()) C->Pen()->SetColor(Color);
    const int Mid = (R.Top + R.Bottom) / 2;
    C->Line(R.Left, Mid, R.Right, Mid);
  };
  if (FPointer->Visible()) {
    if (FDrawLine) LegendLine();
    FPointer->DrawLegendShape(Color, R, FLinePen->Visible());
  } else if (FDrawLine && !FDrawArea) {
    if (Is3D(*this)) {
      C->Brush()->SetData(TBrushData{Color, FLineBrush, {}});
      C->FillRect(R);
    } else {
      LegendLine();
    }
  } else {
    // The box of an area in the colour its area is filled with.
    if (FDrawArea) {
      const TColor Area = ValueIndex >= 0           ? AreaColorOf(ValueIndex)
                          : IsChartAuto(FAreaColor) ? Color
                                                    : FAreaColor;
      C->Brush()->SetColor(ChartDrawColor(Area));
    }
    TChartSeries::DrawLegendShape(ValueIndex, R);
  }
}

void TLineSeries::PrepareLegendCanvas(int, TColor&, TBrushStyle& Style) {
  if (TChartCanvas3D* C = Canvas(*this)) C->AssignVisiblePen(*LinePen());
  Style = LineBrush();
}

void TAreaSeries::PrepareLegendCanvas(int, TColor& BackColor, TBrushStyle& Style) {
  // As the area is drawn: its hatch over the series colour, outlined by the area lines' pen.
  BackColor = SeriesColor();
  Style = AreaBrush();
  if (TChartCanvas3D* C = Canvas(*this)) {
    C->AssignVisiblePen(*AreaLinesPen());
    if (IsChartAuto(AreaLinesPen()->Color()) || !AreaLinesPen()->Visible())
      C->Pen()->SetColor(ChartDrawColor(SeriesColor()));
  }
}

void TCustomSeries::AssignEvents(const TChartSeries& Source) {
  TChartSeries::AssignEvents(Source);
  if (const auto* S = dynamic_cast<const TCustomSeries*>(&Source)) {
    OnClickPointer = S->OnClickPointer;
    OnGetPointerStyle = S->OnGetPointerStyle;
  }
}

void TCustomSeries::DrawMark(int ValueIndex, const QString& Text, TSeriesMarkPosition& P) {
  if (P.UserMoved) {
    TChartSeries::DrawMark(ValueIndex, Text, P);
    return;
  }
  // The mark stands over the point where this series draws it (stacked areas move it), one
  // arrow length higher.
  MoveMark(P, CalcXPos(ValueIndex) - TChartSeries::CalcXPos(ValueIndex),
           CalcYPos(ValueIndex) - TChartSeries::CalcYPos(ValueIndex));
  P.ArrowEnd.Y -= Marks()->ArrowLength();
  P.TopLeft.Y -= Marks()->ArrowLength();
  TChartSeries::DrawMark(ValueIndex, Text, P);
}

void TCustomSeries::CalcHorizMargins(int& Left, int& Right) {
  FPointer->CalcHorizMargins(Left, Right);
  if (FStairs && FDrawLine) {
    Left = std::max(Left, FLinePen->Width());
    Right = std::max(Right, FLinePen->Width());
  }
}

void TCustomSeries::CalcVerticalMargins(int& Top, int& Bottom) {
  FPointer->CalcVerticalMargins(Top, Bottom);
  if (FStairs && FDrawLine) {
    Top = std::max(Top, FLinePen->Width());
    Bottom = std::max(Bottom, FLinePen->Width() + 1);
  }
  if (FLineHeight >= 1 && !FDrawArea && FLineHeight > Bottom) Bottom = FLineHeight;
}

void TLineSeries::ApplyKind() {
  SetDrawLine(true);
  SetDrawArea(false);
  Pointer()->SetVisible(false);
  // A function result over all points is a level line across the data.
  SetSingleFunctionPoint(false);
}

void TPointSeries::ApplyKind() {
  SetDrawLine(false);
  SetDrawArea(false);
  Pointer()->SetVisible(true);
  SetClickableLine(false);
  Marks()->SetArrowLength(0);
}

void TPointSeries::PrepareForGallery(bool IsEnabled) {
  TCustomSeries::PrepareForGallery(IsEnabled);
  Pointer()->SetHorizSize(6);
  Pointer()->SetVertSize(6);
  const TCustomAxisPanel* C = ParentChart();
  if (C && C->SeriesCount() > 1 && C->GetSeries(1) == this) Pointer()->SetStyle(psTriangle);
}

void TAreaSeries::ApplyKind() {
  SetDrawLine(true);
  SetDrawArea(true);
  Pointer()->SetVisible(false);
  SetSingleFunctionPoint(false);
}

void TAreaSeries::Assign(const TChartSeries& Source) {
  TCustomSeries::Assign(Source);
  if (auto* A = dynamic_cast<const TAreaSeries*>(&Source)) FMultiArea = A->FMultiArea;
}

bool TAreaSeries::IsKindOf(const TChartSeries* S) const {
  return dynamic_cast<const TAreaSeries*>(S) != nullptr;
}

void TAreaSeries::SetMultiArea(TMultiArea Value) {
  if (TCustomAxisPanel* C = ParentChart()) {
    for (int i = 0; i < C->SeriesCount(); ++i)
      if (auto* A = dynamic_cast<TAreaSeries*>(C->GetSeries(i))) A->FMultiArea = Value;
  }
  FMultiArea = Value;
  Repaint();
}

void TAreaSeries::CalcZOrder(int& MaxZ, bool Is3D) {
  // The depth of the first stacked area before this one, rather than the chart's highest depth
  // so far: that may belong to a series of another type, whose points would then be drawn
  // interleaved with the areas.
  if (FMultiArea != maNone && ZOrder() < 0 && ParentChart()) {
    for (int i = 0; i < ParentChart()->SeriesCount(); ++i) {
      const TChartSeries* S = ParentChart()->GetSeries(i);
      if (S == this) break;
      if (S->Active() && IsKindOf(S)) {
        SetCalcZOrder(S->EffectiveZOrder());
        return;
      }
    }
  }
  TCustomSeries::CalcZOrder(MaxZ, Is3D);
}

int TAreaSeries::StackedPos(int ValueIndex, double Value) const {
  const TChartAxis* A = SeriesVertAxis(*this);
  if (!A) return 0;
  auto Kind = [this](const TChartSeries* S) { return IsKindOf(S); };
  const double S = Value + StackOrigin(*this, ValueIndex, false, Kind);
  int Pixel = A->IEndPos();
  if (FMultiArea == maStacked) {
    if (A->ValueToPixel(S, Pixel)) Pixel = std::min(Pixel, A->IEndPos());
    return Pixel;
  }
  const double T = StackOrigin(*this, ValueIndex, true, Kind);
  // A point whose values all are 0 lies on the axis' 0, not at the canvas' edge.
  const double V = T == 0 ? 0 : S * 100 / T;
  return A->ValueToPixel(V, Pixel) ? Pixel : A->CalcPosValue(0);
}

int TAreaSeries::CalcYPos(int ValueIndex) const {
  if (FMultiArea == maNone) return TCustomSeries::CalcYPos(ValueIndex);
  return StackedPos(ValueIndex, YValue(ValueIndex));
}

int TAreaSeries::GetOriginPos(int ValueIndex) const {
  if (FMultiArea == maNone) return TCustomSeries::GetOriginPos(ValueIndex);
  return StackedPos(ValueIndex, 0);
}

double TAreaSeries::MaxYValue() const {
  if (FMultiArea == maStacked100) return 100;
  double M = TCustomSeries::MaxYValue();
  if (FMultiArea == maStacked) {
    auto Kind = [this](const TChartSeries* S) { return IsKindOf(S); };
    for (int i = 0; i < Count(); ++i) {
      const double V = StackOrigin(*this, i, false, Kind) + YValue(i);
      if (std::isfinite(V)) M = std::max(M, V);
    }
  }
  return M;
}

double TAreaSeries::MinYValue() const {
  return FMultiArea == maStacked100 ? 0 : TCustomSeries::MinYValue();
}

// The fast line.

TFastLineSeries::TFastLineSeries()
    : FLinePen(std::make_unique<TChartPen>([this](TGraphicsObject*) { Repaint(); })) {
  XValues()->SetOrder(loAscending);
  SetDrawBetweenPoints(true);
  SetSingleFunctionPoint(false);
}

void TFastLineSeries::SetSeriesColorAndPen(TColor Value) {
  SetSeriesColor(Value);
  FLinePen->SetColor(Value);
}

void TFastLineSeries::Assign(const TChartSeries& Other) {
  TChartSeries::Assign(Other);
  if (const auto* Source = dynamic_cast<const TFastLineSeries*>(&Other)) {
    FAutoRepaint = Source->FAutoRepaint;
    FLinePen->Assign(*Source->FLinePen);
  }
  Repaint();
}

int TFastLineSeries::CalcXPos(int ValueIndex) const {
  const TChartAxis* A = SeriesHorizAxis(*this);
  return A ? A->CalcPosValue(XValue(ValueIndex)) : 0;
}
int TFastLineSeries::CalcYPos(int ValueIndex) const {
  const TChartAxis* A = SeriesVertAxis(*this);
  return A ? A->CalcPosValue(YValue(ValueIndex)) : 0;
}

void TFastLineSeries::PrepareCanvas() {
  TChartCanvas3D* C = Canvas(*this);
  FLinePen->SetColor(SeriesColor());
  C->AssignVisiblePen(*FLinePen);
  C->Brush()->SetStyle(bsClear);
}

void TFastLineSeries::DrawAllValues() {
  if (!Canvas(*this)) return;
  PrepareCanvas();
  int Last = -1;
  VisibleRange(*this, FFirst, Last);
  for (int i = FFirst; i >= 0 && i <= Last; ++i) {
    if (!std::isfinite(XValue(i)) || !std::isfinite(YValue(i))) {
      // The line starts again after a value that is not finite.
      FFirst = i + 1;
      continue;
    }
    DrawValue(i);
  }
}

void TFastLineSeries::DrawValue(int ValueIndex) {
  TChartCanvas3D* C = Canvas(*this);
  if (!C) return;
  const int X = CalcXPos(ValueIndex), Y = CalcYPos(ValueIndex);
  const bool D3 = Is3D(*this);
  const int Z = MiddleZ();
  auto MoveTo = [&](int AX, int AY) {
    if (D3)
      C->MoveTo3D(AX, AY, Z);
    else
      C->MoveTo(AX, AY);
  };
  auto LineTo = [&](int AX, int AY) {
    if (D3)
      C->LineTo3D(AX, AY, Z);
    else
      C->LineTo(AX, AY);
  };
  if (ValueIndex != FFirst) {
    if (X != FOldX || Y != FOldY) LineTo(X, Y);
  } else if (ValueIndex >= 1 && std::isfinite(XValue(ValueIndex - 1)) &&
             std::isfinite(YValue(ValueIndex - 1))) {
    MoveTo(CalcXPos(ValueIndex - 1), CalcYPos(ValueIndex - 1));
    LineTo(X, Y);
  } else {
    MoveTo(X, Y);
  }
  FOldX = X;
  FOldY = Y;
}

void TFastLineSeries::AddedValue(int ValueIndex) {
  TChartCanvas3D* C = Canvas(*this);
  if (FAutoRepaint || !C || !C->ReferenceCanvas() || ValueIndex < 0 || ValueIndex >= Count())
    return;
  if (!IsDrawable(ValueIndex)) return;
  PrepareCanvas();
  const int P = ValueIndex == 0 ? 0 : ValueIndex - 1;
  if (!IsDrawable(P)) return;
  FOldX = CalcXPos(P);
  FOldY = CalcYPos(P);
  if (Is3D(*this))
    C->MoveTo3D(FOldX, FOldY, MiddleZ());
  else
    C->MoveTo(FOldX, FOldY);
  FFirst = -1;
  DrawValue(ValueIndex);
}

void TFastLineSeries::NotifyValue(TSeriesDataEvent Event, int ValueIndex) {
  TChartSeries::NotifyValue(Event, ValueIndex);
  if (Event == sdeAdd) AddedValue(ValueIndex);
}

int TFastLineSeries::Clicked(int X, int Y) const {
  int First = 0, Last = 0;
  VisibleRange(*this, First, Last);
  if (First < 0 || Last < 0) return -1;
  if (const TChartCanvas3D* C = Canvas(*this)) C->Calculate2DPosition(X, Y, MiddleZ());
  const TPoint P{X, Y};
  for (int i = First; i <= Last; ++i) {
    if (!IsDrawable(i)) continue;
    const int PX = CalcXPos(i), PY = CalcYPos(i);
    if (PX == X && PY == Y) return i;
    if (i > First && IsDrawable(i - 1) && PointInLine(P, CalcXPos(i - 1), CalcYPos(i - 1), PX, PY))
      return i - 1;
  }
  return -1;
}

void TFastLineSeries::DrawLegendShape(int, const TRect& R) {
  TChartCanvas3D* C = Canvas(*this);
  if (!C) return;
  PrepareCanvas();
  const int Mid = (R.Top + R.Bottom) / 2;
  C->Line(R.Left, Mid, R.Right, Mid);
}
