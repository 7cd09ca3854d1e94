// Drawing a series by its kind. Every coordinate goes through the graph's mapping and primitives,
// which also send lines to the DXF writer while it is active.
#include <cmath>
#include <numbers>

#include "platform/canvas.h"
#include "plot/core/graph_clips.h"
#include "plot/core/graph_poly.h"
#include "plot/core/graph_utils.h"
#include "plot/layers/series.h"

namespace {
bool Between(double V, double A, double B) { return V >= std::min(A, B) && V <= std::max(A, B); }
}  // namespace

void TSeries::SetupPen() {
  TCanvas* C = Graph->DrawCanvas();
  if (!C) return;
  const TColor Col = GetColor();
  C->Pen()->SetColor(Col);
  C->Pen()->SetMode(pmCopy);
  C->Pen()->SetStyle(static_cast<TPenStyle>(std::clamp(LineStyle, 0, 5)));
  C->Pen()->SetWidth(LinePixelWidth());
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Col);
  if (Graph->Depth3D != 0) C->Pen()->SetColor(DarkenColor(Col, 64));
}

void TSeries::Draw() {
  if (FKind == skBar) return;
  if (Graph->Depth3D != 0 && Graph->BarSlotCount() > 0) Graph->ResetClipRegion();
  switch (FKind) {
    case 1:
      DrawMarkers();
      break;
    case 2:
      DrawLines();
      break;
    case 3:
      DrawLines();
      DrawMarkers();
      break;
    case 4:
      DrawVolume();
      DrawMarkers();
      break;
    case 5:
      DrawArrows();
      break;
    case 6:
      DrawSteps();
      break;
    case 7:
      DrawArea();
      break;
    default: {
      const double BarWidth =
          FKind == skZOrderedBar && Count() > 0 && Graph->DrawCanvas() ? ZOrderedBarWidth() : 0;
      for (int I = 0; I < Count(); ++I) {
        CurrentIndex = I;
        if (TCanvas* C = Graph->DrawCanvas()) {
          C->Pen()->SetColor(GetColor());
          C->Pen()->SetMode(pmCopy);
          C->Pen()->SetStyle(psSolid);
        }
        if (FKind == skZOrderedBar)
          DrawZOrderedBar(Graph->CurrentXInverted() ? Count() - 1 - I : I, BarWidth);
      }
      break;
    }
  }
  if (TCanvas* C = Graph->DrawCanvas()) C->Pen()->SetWidth(1);
}

void TSeries::DrawMarkers() {
  if (!ShowMarkers || FPoints.empty()) return;
  const int Step = MarkerStep <= 0 ? 1 : MarkerStep;
  const bool Thin = 3LL * Step < Count();
  TDoubleRect R;
  Graph->GetLogRanges(R);
  const bool XLog = CurrentXLogOf(), YLog = CurrentYLogOf();
  for (int I = 0; I < Count(); ++I) {
    if (Thin && I % Step != 0 && I != Count() - 1) continue;
    CurrentIndex = I;
    SetupPen();
    TDoublePoint V;
    GetPoint(I, V);
    const double AX = XLog ? Graph->LogValue(V.X) : V.X;
    const double AY = YLog ? Graph->LogValue(V.Y) : V.Y;
    TMarker* M = FPoints[I]->Marker ? &*FPoints[I]->Marker : nullptr;
    if (!M || !Between(AX, R.Left, R.Right) || !Between(AY, R.Top, R.Bottom)) continue;
    M->DrawAt(V.X, V.Y);
  }
}

void TSeries::DrawLines() {
  SetupPen();
  if (Graph->Depth3D == 0 && !PointColors) {
    Graph->Lines(Count(), [this](int I) {
      const TGraphData& P = *FPoints[I];
      return TDoubleRect{P.StartX, P.StartY, P.X, P.Y};
    });
    if (Count() > 0) CurrentIndex = Count() - 1;
    if (TCanvas* C = Graph->DrawCanvas()) C->Pen()->SetWidth(1);
    return;
  }
  for (int I = 0; I < Count(); ++I) {
    CurrentIndex = I;
    if (PointColors) SetupPen();
    const TGraphData& P = *FPoints[I];
    if (Graph->Depth3D == 0)
      Graph->Line(P.StartX, P.StartY, P.X, P.Y);
    else
      Graph->ClippedPolyline(P.StartX, P.StartY, P.X, P.Y);
  }
  if (TCanvas* C = Graph->DrawCanvas()) C->Pen()->SetWidth(1);
}

void TSeries::DrawSteps() {
  SetupPen();
  for (int I = 0; I + 1 < Count(); ++I) {
    CurrentIndex = I;
    if (TCanvas* C = Graph->DrawCanvas()) C->Pen()->SetColor(GetColor());
    DrawStep(I);
  }
  if (TCanvas* C = Graph->DrawCanvas()) C->Pen()->SetWidth(1);
}

void TSeries::DrawStep(int Index) {
  // The step from Index needs the point after it; the last point only closes the last step.
  if (Index < 0 || Index + 1 >= Count()) return;
  TCanvas* C = Graph->DrawCanvas();
  if (!C) return;
  const TGraphData& A = *FPoints[Index];
  const TGraphData& B = *FPoints[Index + 1];
  C->Pen()->SetStyle(static_cast<TPenStyle>(std::clamp(LineStyle, 0, 5)));
  C->Pen()->SetWidth(LinePixelWidth());
  C->Brush()->SetStyle(bsClear);
  if (FKind == skLine) {
    C->Pen()->SetColor(GetColor());
    Graph->Line(A.X, A.Y, B.X, B.Y);
    return;
  }
  if (FKind != skPiecewiseConstant) return;
  const bool Rise = Index != Count() - 2;
  if (Graph->Depth3D == 0) {
    C->Pen()->SetColor(GetColor());
    Graph->Line(A.X, A.Y, B.X, A.Y);
    if (Rise) Graph->Line(B.X, A.Y, B.X, B.Y);
  } else {
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(GetColor());
    C->Pen()->SetColor(DarkenColor(GetColor(), 64));
    Graph->ClippedPolyline(A.X, A.Y, B.X, A.Y);
    if (Rise) Graph->ClippedPolyline(B.X, A.Y, B.X, B.Y);
  }
}

void TSeries::DrawArrows() {
  SetupPen();
  TCanvas* C = Graph->DrawCanvas();
  const double W = SeriesBarPixelWidth();
  const double U = GraphPixelUnit(Graph);
  for (int I = 0; I < Count(); ++I) {
    CurrentIndex = I;
    const TGraphData& P = *FPoints[I];
    if (P.StartX == P.X && P.StartY == P.Y) continue;
    if (!std::isfinite(P.StartX) || !std::isfinite(P.StartY) || !std::isfinite(P.X) ||
        !std::isfinite(P.Y))
      continue;
    Graph->Line(P.StartX, P.StartY, P.X, P.Y);
    if (Graph->Dxf() || !C) continue;
    const double SX = Graph->XToPixel(P.StartX), SY = Graph->YToPixel(P.StartY);
    const double EX = Graph->XToPixel(P.X), EY = Graph->YToPixel(P.Y);
    double A;
    if (SY == EY)
      A = SX <= EX ? std::numbers::pi / 2 : 3 * std::numbers::pi / 2;
    else
      A = std::atan2(EY - SY, EX - SX) + std::numbers::pi / 2;
    const double TX = std::nearbyint(EX - std::sin(A) * W / 2 * U);
    const double TY = std::nearbyint(EY + std::cos(A) * W / 2 * U);
    const double H = 0.3 * W * U;
    auto Pt = [](double X, double Y) { return TPoint{SaturatePixel(X), SaturatePixel(Y)}; };
    const double Q = A + std::numbers::pi / 2;
    std::vector<TPoint> Head = {
        Pt(TX, TY),
        Pt(TX + std::cos(A) * H + std::cos(Q) * U, TY + std::sin(A) * H + std::sin(Q) * U),
        Pt(TX + std::cos(A - std::numbers::pi / 2) * W / 2 * U,
           TY + std::sin(A - std::numbers::pi / 2) * W / 2 * U),
        Pt(TX - std::cos(A) * H + std::cos(Q) * U, TY - std::sin(A) * H + std::sin(Q) * U)};
    C->Pen()->SetColor(GetColor());
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(GetColor());
    C->Polygon(Head);
  }
  if (C) C->Pen()->SetWidth(1);
}

void TSeries::DrawVolume() {
  SetupPen();
  const double Base = CurrentYLogOf() ? 1.0 : 0.0;
  for (int I = 0; I < Count(); ++I) {
    CurrentIndex = I;
    const TGraphData& P = *FPoints[I];
    if (Graph->Depth3D == 0)
      Graph->Line(P.StartX, P.StartY, P.StartX, Base);
    else
      Graph->ClippedPolyline(P.StartX, P.StartY, P.StartX, Base);
  }
  if (TCanvas* C = Graph->DrawCanvas()) C->Pen()->SetWidth(1);
}

void TSeries::DrawArea() {
  TCanvas* C = Graph->DrawCanvas();
  if (!C) return;
  TDoubleRect R;
  Graph->GetLogRanges(R);
  const bool XLog = CurrentXLogOf(), YLog = CurrentYLogOf();
  const double Low = std::min(R.Top, R.Bottom);
  const double B = YLog ? std::pow(10.0, Low) : Low;
  // Widened by a few pixels so that the clipped band's own edges stay out of sight.
  const double MX = std::fabs(Graph->PixelToX(3) - Graph->PixelToX(0));
  const double MY = std::fabs(Graph->PixelToY(3) - Graph->PixelToY(0));
  TClip& Clip = GraphClip();
  Clip.SetRect(std::min(R.Left, R.Right) - MX, Low - MY, std::max(R.Left, R.Right) + MX,
               std::max(R.Top, R.Bottom) + MY);
  auto ToAxis = [&](double V, bool Log) { return Log ? Graph->LogValue(V) : V; };
  auto FromAxis = [&](double V, bool Log) { return Log ? std::pow(10.0, V) : V; };
  for (int I = 0; I < Count(); ++I) {
    CurrentIndex = I;
    SetupPen();
    const TColor Dark = DarkenColor(GetColor(), 32);
    C->Pen()->SetColor(Dark);
    C->Brush()->SetColor(Dark);
    const TGraphData& P = *FPoints[I];
    const TDoublePoint Q[5] = {{ToAxis(P.StartX, XLog), ToAxis(P.StartY, YLog)},
                               {ToAxis(P.X, XLog), ToAxis(P.Y, YLog)},
                               {ToAxis(P.X, XLog), ToAxis(B, YLog)},
                               {ToAxis(P.StartX, XLog), ToAxis(B, YLog)},
                               {ToAxis(P.StartX, XLog), ToAxis(P.StartY, YLog)}};
    bool Finite = true;
    for (const TDoublePoint& D : Q) Finite = Finite && std::isfinite(D.X) && std::isfinite(D.Y);
    if (!Finite) continue;
    int N = 5;
    std::vector<TDoublePoint> Clipped = Clip.ClipPolygon(N, Q);
    if (Clipped.empty()) continue;
    TPoly Poly;
    for (const TDoublePoint& D : Clipped) Poly.AddPoint(FromAxis(D.X, XLog), FromAxis(D.Y, YLog));
    Graph->SeriesPolygon(Poly);
    for (size_t K = 1; K < Clipped.size(); ++K)
      Graph->ClippedPolyline(FromAxis(Clipped[K - 1].X, XLog), FromAxis(Clipped[K - 1].Y, YLog),
                             FromAxis(Clipped[K].X, XLog), FromAxis(Clipped[K].Y, YLog));
  }
  C->Pen()->SetWidth(1);
}

void TSeriesLegend::DrawSample() {
  TCanvas* C = Owner ? Owner->DrawCanvas() : nullptr;
  if (!C || !Owner->Legend) return;
  Owner->Legend->ApplyFont();
  // Lines and markers on the text's middle line, the shapes with a height centred on it.
  const int H = GetHeight();
  const int Mid = Y + H / 8 + H / 2;
  const int Hs = static_cast<int>(std::nearbyint(0.65 * C->TextHeight(QStringLiteral("()"))));
  const bool Flat = Kind == skPoints || Kind == skLine || Kind == skLineAndPoint ||
                    Kind == skArrow || Kind == skMatrix;
  DrawSample(C, X, Flat ? Mid : Mid - Hs / 2);
}

void TSeriesLegend::DrawSample(TCanvas* C, int X0, int Y) {
  if (!C) return;
  const int Wd = C->TextWidth(QStringLiteral("-----------"));
  const int Hs = static_cast<int>(std::nearbyint(0.65 * C->TextHeight(QStringLiteral("()"))));
  C->Pen()->SetStyle(static_cast<TPenStyle>(std::clamp(LineStyle, 0, 5)));
  C->Pen()->SetColor(Color);
  C->Pen()->SetWidth(LineWidth);
  C->Pen()->SetMode(pmCopy);
  auto Seg = [&](int X1, int Y1, int X2, int Y2) {
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
  };
  const int A = X0 + Wd / 4, M = X0 + Wd / 2, B = X0 + 3 * Wd / 4;
  switch (Kind) {
    case 2:
    case 3:
      Seg(A, Y, B, Y);
      break;
    case 6:
      Seg(A, Y + Hs, A, Y + Hs / 2);
      Seg(A, Y + Hs / 2, M, Y + Hs / 2);
      Seg(M, Y + Hs / 2, M, Y);
      Seg(M, Y, B, Y);
      break;
    case 4:
      for (int K = 5; K <= 11; K += 3) Seg(X0 + K * Wd / 16, Y + Hs, X0 + K * Wd / 16, Y);
      if (ShowMarkers) Marker.DrawAtPixel(M, Y);
      break;
    case 8:
    case 10: {
      const int D = std::max(1, Hs / 4);
      C->Pen()->SetStyle(psSolid);
      C->Pen()->SetWidth(1);
      C->Pen()->SetColor(DarkenColor(Color, 80));
      C->Brush()->SetStyle(bsSolid);
      C->Brush()->SetColor(DarkenColor(Color, 64));
      const std::vector<TPoint> Side = {{M + Wd / 8, Y + D},
                                        {M + Wd / 8 + D, Y},
                                        {M + Wd / 8 + D, Y + Hs - D},
                                        {M + Wd / 8, Y + Hs}};
      C->Polygon(Side);
      C->Brush()->SetColor(Color);
      C->Rectangle(M - Wd / 8, Y + D, M + Wd / 8 + 1, Y + Hs + 1);
      break;
    }
    case 7: {
      C->Pen()->SetStyle(psSolid);
      C->Brush()->SetStyle(bsSolid);
      C->Brush()->SetColor(DarkenColor(Color, 32));
      C->Pen()->SetColor(DarkenColor(Color, 32));
      const std::vector<TPoint> Band = {{A, Y + Hs}, {A, Y + Hs / 2}, {B, Y}, {B, Y + Hs}};
      C->Polygon(Band);
      break;
    }
    default:
      break;
  }
  if ((Kind == skPoints || Kind == skLineAndPoint || Kind == skMatrix) && ShowMarkers)
    Marker.DrawAtPixel(M, Y);
  C->Pen()->SetWidth(1);
}
