#include "chart/engine/shape_series.h"

#include <algorithm>
#include <cmath>

#include <QRandomGenerator>

#include "chart/engine/axis_panel.h"
#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_utils.h"
#include "chart/engine/series_pointer.h"

using namespace SeriesGeometry;

TChartShape::TChartShape()
    : FBrush(std::make_unique<TChartBrush>([this](TGraphicsObject*) { Repaint(); })),
      FFont(std::make_unique<TFont>()),
      FPen(std::make_unique<TChartPen>([this](TGraphicsObject*) { Repaint(); })) {
  SetChartDefaultFont(*FFont);
  FBrush->SetColor(clWhite);
  SetSeriesColor(clWhite);
  // Both corners are always drawn: no axis range hides one of them.
  XValues()->SetOrder(loNone);
  AddXY(0, 0);
  AddXY(100, 100);
}

double TChartShape::Corner(int Index, bool X) const {
  if (Index >= Count()) return 0;
  return X ? XValue(Index) : YValue(Index);
}

void TChartShape::SetCorner(int Index, bool X, double Value) {
  if (Index >= Count()) return;
  (X ? XValues() : YValues())->SetValue(Index, Value);
  Repaint();
}

void TChartShape::SetText(const QStringList& Value) {
  if (FText == Value) return;
  FText = Value;
  Repaint();
}

void TChartShape::SetShapeColor(TColor Value) {
  SetSeriesColor(Value);
  FBrush->SetColor(Value);
}

void TChartShape::Assign(const TChartSeries& Source) {
  TChartSeries::Assign(Source);
  const auto* S = dynamic_cast<const TChartShape*>(&Source);
  if (!S) return;
  FAlignment = S->FAlignment;
  FBrush->Assign(*S->FBrush);
  FFont->Assign(*S->FFont);
  FPen->Assign(*S->FPen);
  FRoundRectangle = S->FRoundRectangle;
  FStyle = S->FStyle;
  FText = S->FText;
  FTransparent = S->FTransparent;
  FXYStyle = S->FXYStyle;
}

TRect TChartShape::GetShapeRectangle() const {
  TRect R;
  switch (FXYStyle) {
    case xysPixels:
      R = {TruncPixel(X0()), TruncPixel(Y0()), TruncPixel(X1()), TruncPixel(Y1())};
      break;
    case xysAxis:
      R = {CalcXPos(0), CalcYPos(0), CalcXPos(1), CalcYPos(1)};
      break;
    case xysAxisOrigin:
      R.Left = CalcXPos(0);
      R.Top = CalcYPos(0);
      R.Right = int(std::clamp(double(R.Left) + TruncPixel(X1()), -2147483647.0, 2147483647.0));
      R.Bottom = int(std::clamp(double(R.Top) + TruncPixel(Y1()), -2147483647.0, 2147483647.0));
      break;
  }
  if (R.Bottom == R.Top) R.Bottom = R.Top + 1;
  if (R.Bottom < R.Top) std::swap(R.Top, R.Bottom);
  if (R.Right == R.Left) R.Right = R.Left + 1;
  if (R.Right < R.Left) std::swap(R.Left, R.Right);
  return R;
}

void TChartShape::DrawShape(bool D3, const TRect& R) {
  TChartCanvas3D* C = Canvas(*this);
  const int XC = (R.Left + R.Right) / 2, YC = (R.Top + R.Bottom) / 2;
  const int Z = MiddleZ();
  auto Line = [&](int X0, int Y0, int X1, int Y1) {
    if (D3)
      C->LineWithZ(X0, Y0, X1, Y1, Z);
    else
      C->Line(X0, Y0, X1, Y1);
  };
  auto Triangle = [&](bool Up) {
    const TPoint A{R.Left, Up ? R.Bottom : R.Top}, B{XC, Up ? R.Top : R.Bottom},
        E{R.Right, Up ? R.Bottom : R.Top};
    if (D3) {
      C->TriangleWithZ(A, B, E, Z);
    } else {
      const TPoint P[3] = {A, B, E};
      C->Polygon(P);
    }
  };
  switch (FStyle) {
    case chasRectangle:
      if (D3)
        C->RectangleWithZ(R, Z);
      else if (FRoundRectangle)
        C->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 12, 12);
      else
        C->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
      break;
    case chasCircle:
      if (D3)
        C->EllipseWithZ(R.Left, R.Top, R.Right, R.Bottom, Z);
      else
        C->Ellipse(R.Left, R.Top, R.Right, R.Bottom);
      break;
    case chasVertLine:
      Line(XC, R.Top, XC, R.Bottom);
      break;
    case chasHorizLine:
      Line(R.Left, YC, R.Right, YC);
      break;
    case chasTriangle:
      Triangle(true);
      break;
    case chasInvertTriangle:
      Triangle(false);
      break;
    case chasPyramid:
    case chasInvertPyramid:
      if (D3) {
        const bool Up = FStyle == chasPyramid;
        C->Pyramid(true, R.Left, Up ? R.Top : R.Bottom, R.Right, Up ? R.Bottom : R.Top, StartZ(),
                   EndZ(), !FTransparent);
      } else {
        Triangle(FStyle == chasPyramid);
      }
      break;
    case chasLine:
      Line(R.Left, R.Top, R.Right, R.Bottom);
      break;
    case chasDiamond:
      if (D3) {
        C->PlaneWithZ({XC, R.Top}, {R.Right, YC}, {XC, R.Bottom}, {R.Left, YC}, Z);
      } else {
        const TPoint P[4] = {{XC, R.Top}, {R.Right, YC}, {XC, R.Bottom}, {R.Left, YC}};
        C->Polygon(P);
      }
      break;
    case chasCube:
      if (D3)
        C->Cube(R.Left, R.Right, R.Top, R.Bottom, StartZ(), EndZ(), !FTransparent);
      else
        C->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
      break;
    case chasCross:
    case chasDiagCross:
    case chasStar:
      if (FStyle != chasDiagCross) {
        Line(XC, R.Top, XC, R.Bottom);
        Line(R.Left, YC, R.Right, YC);
      }
      if (FStyle != chasCross) {
        Line(R.Left, R.Top, R.Right, R.Bottom);
        Line(R.Left, R.Bottom, R.Right, R.Top);
      }
      break;
  }
}

void TChartShape::DrawValue(int ValueIndex) {
  TChartCanvas3D* C = Canvas(*this);
  if (ValueIndex != 0 || Count() != 2 || !C) return;
  const TRect R = GetShapeRectangle();
  const TRect CR = ParentChart()->ChartRect();
  if (R.Right < CR.Left || R.Left > CR.Right || R.Bottom < CR.Top || R.Top > CR.Bottom) return;
  C->AssignVisiblePen(*FPen);
  if (FTransparent)
    C->Brush()->SetStyle(bsClear);
  else
    C->Brush()->SetData(FBrush->Data());
  const bool D3 = Is3D(*this);
  DrawShape(D3, R);
  if (FText.isEmpty()) return;
  C->Font()->Assign(*FFont);
  if (FFont->Color() == FBrush->Color())
    C->Font()->SetColor(FBrush->Color() == clBlack ? clWhite : clBlack);
  const int H = C->FontHeight();
  const int XC = (R.Left + R.Right) / 2, YC = (R.Top + R.Bottom) / 2;
  int Y = YC - int(std::nearbyint(FText.size() * H / 2.0));
  C->SetBackMode(bmTransparent);
  const int PW = FPen->Visible() ? FPen->Width() : 0;
  for (const QString& Line : FText) {
    const int W = C->TextWidth(Line);
    const int X = FAlignment == taLeftJustify    ? R.Left + PW + 4
                  : FAlignment == taRightJustify ? R.Right - PW - W - 4
                                                 : XC - W / 2;
    if (D3)
      C->TextOut3D(X, Y, StartZ(), Line);
    else
      C->TextOut(X, Y, Line);
    Y += H;
  }
}

void TChartShape::DrawLegendShape(int, const TRect& R) {
  TChartCanvas3D* C = Canvas(*this);
  if (!C) return;
  C->AssignVisiblePen(*FPen);
  if (FTransparent)
    C->Brush()->SetStyle(bsClear);
  else
    C->Brush()->SetData(FBrush->Data());
  DrawShape(false, R);
}

int TChartShape::Clicked(int X, int Y) const {
  if (Count() != 2 || !ParentChart()) return -1;
  if (const TChartCanvas3D* C = Canvas(*this)) C->Calculate2DPosition(X, Y, StartZ());
  const TRect R = GetShapeRectangle();
  const TPoint P{X, Y};
  const int XC = (R.Left + R.Right) / 2, YC = (R.Top + R.Bottom) / 2;
  bool Hit = false;
  switch (FStyle) {
    case chasCircle:
      Hit = PointInEllipse(P, R);
      break;
    case chasVertLine:
      Hit = PointInLine(P, XC, R.Top, XC, R.Bottom);
      break;
    case chasHorizLine:
      Hit = PointInLine(P, R.Left, YC, R.Right, YC);
      break;
    case chasLine:
      Hit = PointInLine(P, R.Left, R.Top, R.Right, R.Bottom);
      break;
    case chasTriangle:
    case chasPyramid: {
      const TPoint T[3] = {{R.Left, R.Bottom}, {XC, R.Top}, {R.Right, R.Bottom}};
      Hit = PointInPolygon(P, T);
      break;
    }
    case chasInvertTriangle:
    case chasInvertPyramid: {
      const TPoint T[3] = {{R.Left, R.Top}, {XC, R.Bottom}, {R.Right, R.Top}};
      Hit = PointInPolygon(P, T);
      break;
    }
    case chasDiamond: {
      const TPoint D[4] = {{XC, R.Top}, {R.Right, YC}, {XC, R.Bottom}, {R.Left, YC}};
      Hit = PointInPolygon(P, D);
      break;
    }
    default:
      Hit = X >= R.Left && X <= R.Right && Y >= R.Top && Y <= R.Bottom;
  }
  return Hit ? 0 : -1;
}

void TChartShape::PrepareForGallery(bool IsEnabled) {
  TChartSeries::PrepareForGallery(IsEnabled);
  FFont->SetColor(clWhite);
  FFont->SetSize(14);
  const TCustomAxisPanel* C = ParentChart();
  const bool Second = C && C->SeriesCount() > 1 && C->GetSeries(1) == this;
  SetStyle(Second ? chasCircle : chasTriangle);
  SetShapeColor(IsEnabled ? (Second ? clBlue : clRed) : clSilver);
  SetText({Second ? QStringLiteral("abc") : QStringLiteral("123")});
}

void TChartShape::FillSampleValues(int NumValues) {
  if (NumValues < 1) throw ChartException(SeriesMessages::FillSampleValues);
  Clear();
  const double Step = 100;
  AddXY(Step / 8, 250);
  AddXY(Step - Step / 8, 500 + QRandomGenerator::global()->bounded(500));
  RefreshSeries();
}
