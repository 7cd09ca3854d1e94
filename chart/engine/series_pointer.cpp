#include "chart/engine/series_pointer.h"

#include <algorithm>

#include "chart/engine/axis_panel.h"
#include "chart/engine/chart_exceptions.h"

namespace SeriesGeometry {
TChartAxis* SeriesHorizAxis(const TChartSeries& S) { return S.GetHorizAxis(); }
TChartAxis* SeriesVertAxis(const TChartSeries& S) { return S.GetVertAxis(); }
TChartCanvas3D* Canvas(const TChartSeries& S) {
  return S.ParentChart() ? S.ParentChart()->Canvas3D() : nullptr;
}
bool Is3D(const TChartSeries& S) { return S.ParentChart() && S.ParentChart()->View3D(); }

void MoveMark(TSeriesMarkPosition& P, int DX, int DY) {
  for (TPoint* Q : {&P.ArrowStart, &P.ArrowEnd, &P.TopLeft}) {
    Q->X += DX;
    Q->Y += DY;
  }
}

TColor Resolve(TColor Color, TColor Automatic) { return IsChartAuto(Color) ? Automatic : Color; }

void PreparePenBrush(const TChartSeries& S, const TChartPen& Pen, const TBrush& Brush,
                     TColor Color) {
  TChartCanvas3D* C = Canvas(S);
  C->AssignVisiblePen(Pen);
  if (Pen.Visible() && IsChartAuto(Pen.Color())) C->Pen()->SetColor(Color);
  TBrushData B = Brush.Data();
  B.Color = Resolve(B.Color, Color);
  C->Brush()->SetData(B);
}
}  // namespace SeriesGeometry

using namespace SeriesGeometry;

TSeriesPointer::TSeriesPointer(TChartSeries* ParentSeries)
    : FParent(ParentSeries),
      FBrush(std::make_unique<TChartBrush>([this](TGraphicsObject*) { Repaint(); })),
      FPen(std::make_unique<TChartPen>([this](TGraphicsObject*) { Repaint(); })) {
  FBrush->SetColor(clChartAuto);
}

void TSeriesPointer::Repaint() {
  if (FParent) FParent->Repaint();
}

void TSeriesPointer::SetHorizSize(int Value) {
  if (Value < 1) throw ChartException(PointerMessages::Size);
  Change(FHorizSize, Value);
}
void TSeriesPointer::SetVertSize(int Value) {
  if (Value < 1) throw ChartException(PointerMessages::Size);
  Change(FVertSize, Value);
}

void TSeriesPointer::Assign(const TSeriesPointer& Source) {
  FBrush->Assign(*Source.FBrush);
  FPen->Assign(*Source.FPen);
  FDark3D = Source.FDark3D;
  FDraw3D = Source.FDraw3D;
  FHorizSize = Source.FHorizSize;
  FVertSize = Source.FVertSize;
  FInflateMargins = Source.FInflateMargins;
  FStyle = Source.FStyle;
  FVisible = Source.FVisible;
  Repaint();
}

void TSeriesPointer::PrepareCanvas(TColor Color) {
  if (FParent && Canvas(*FParent)) PreparePenBrush(*FParent, *FPen, *FBrush, Color);
}

void TSeriesPointer::Draw(int X, int Y, TColor Color, TSeriesPointerStyle Style) {
  DrawPointer(FParent && Is3D(*FParent), X, Y, FHorizSize, FVertSize, Color, Style);
}

void TSeriesPointer::DrawPointer(bool Is3D, int X, int Y, int H, int V, TColor Color,
                                 TSeriesPointerStyle Style) {
  if (FParent) DrawPointerAt(Is3D, X, Y, H, V, Color, Style, FParent->StartZ(), FParent->EndZ());
}

void TSeriesPointer::DrawOnPlane(int X, int Y, int Z, TColor Color, TSeriesPointerStyle Style) {
  if (!FParent) return;
  const long long Band = (long long)FParent->EndZ() - FParent->StartZ();
  const int Depth = int(std::max(0LL, std::min(2LL * FHorizSize, Band)));
  DrawPointerAt(Is3D(*FParent), X, Y, FHorizSize, FVertSize, Color, Style, Z, Z + Depth);
}

void TSeriesPointer::DrawPointerAt(bool Is3D, int X, int Y, int H, int V, TColor Color,
                                   TSeriesPointerStyle Style, int Z0, int Z1) {
  if (!FParent) return;
  TChartCanvas3D* C = Canvas(*FParent);
  if (!C || !OnCanvas(X) || !OnCanvas(Y)) return;
  const int Left = X - H, Right = X + H, Top = Y - V, Bottom = Y + V;
  auto Line = [&](int X0, int Y0, int X1, int Y1) {
    if (Is3D)
      C->LineWithZ(X0, Y0, X1, Y1, Z0);
    else
      C->Line(X0, Y0, X1, Y1);
  };
  auto Cross = [&] {
    C->Pen()->SetColor(Color);
    Line(X, Top, X, Bottom + 1);
    Line(Left, Y, Right + 1, Y);
  };
  auto DiagCross = [&] {
    C->Pen()->SetColor(Color);
    Line(Left, Top, Right + 1, Bottom + 1);
    Line(Right, Top, Left - 1, Bottom + 1);
  };
  auto Triangle = [&](TPoint A, TPoint B, TPoint Apex, bool Up) {
    if (Is3D && FDraw3D) {
      // The apex lies at the pyramid's top edge; a downward one has its edges swapped.
      if (Up)
        C->Pyramid(true, Left, Top, Right, Bottom, Z0, Z1, FDark3D);
      else
        C->Pyramid(true, Left, Bottom, Right, Top, Z0, Z1, FDark3D);
    } else if (Is3D) {
      C->TriangleWithZ(A, B, Apex, Z0);
    } else {
      const TPoint P[3] = {A, B, Apex};
      C->Polygon(P);
    }
  };
  switch (Style) {
    case psRectangle:
      if (Is3D && FDraw3D)
        C->Cube(Left, Right, Top, Bottom, Z0, Z1, FDark3D);
      else if (Is3D)
        C->RectangleWithZ({Left, Top, Right + 1, Bottom + 1}, Z0);
      else
        C->Rectangle(Left, Top, Right + 1, Bottom + 1);
      break;
    case psCircle:
      if (Is3D)
        C->EllipseWithZ(Left, Top, Right, Bottom, Z0);
      else
        C->Ellipse(Left, Top, Right, Bottom);
      break;
    case psTriangle:
      Triangle({Left, Bottom}, {Right, Bottom}, {X, Top}, true);
      break;
    case psDownTriangle:
      Triangle({Left, Top}, {Right, Top}, {X, Bottom}, false);
      break;
    case psCross:
      Cross();
      break;
    case psDiagCross:
      DiagCross();
      break;
    case psStar:
      Cross();
      DiagCross();
      break;
    case psDiamond:
      if (Is3D) {
        C->PlaneWithZ({Left, Y}, {X, Top}, {Right, Y}, {X, Bottom}, Z0);
      } else {
        const TPoint P[4] = {{Left, Y}, {X, Top}, {Right, Y}, {X, Bottom}};
        C->Polygon(P);
      }
      break;
    case psSmallDot:
      if (Is3D)
        C->Pixel3D(X, Y, Z0, Color);
      else
        C->SetPixel(X, Y, Color);
      break;
  }
}

void TSeriesPointer::DrawLegendShape(TColor Color, const TRect& R, bool LineVisible) {
  const int W = R.Right - R.Left, H = R.Bottom - R.Top;
  const int AvailH = LineVisible ? W / 3 : W / 2 + 1;
  const int AvailV = LineVisible ? H / 3 : H / 2 + 1;
  PrepareCanvas(Color);
  DrawPointer(false, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2, std::min(FHorizSize, AvailH),
              std::min(FVertSize, AvailV), Color, FStyle);
}

void TSeriesPointer::CalcHorizMargins(int& Left, int& Right) const {
  if (!FVisible || !FInflateMargins) return;
  Left = std::max(Left, FHorizSize + 1);
  Right = std::max(Right, FHorizSize + 1);
}
void TSeriesPointer::CalcVerticalMargins(int& Top, int& Bottom) const {
  if (!FVisible || !FInflateMargins) return;
  Top = std::max(Top, FVertSize + 1);
  Bottom = std::max(Bottom, FVertSize + 1);
}
