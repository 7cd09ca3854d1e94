// The two bar kinds: side by side (clustered or stacked, drawn by the graph's bar pass) and behind
// one another (drawn by the series itself). Geometry in world values; the graph maps it and adds
// the series' depth slot.
#include <cmath>

#include "platform/canvas.h"
#include "plot/core/graph_utils.h"
#include "plot/layers/series.h"

namespace {
// The values at the left, bottom, right and top edges of the plot, on the axes in use.
struct TEdges {
  double L, B, R, T;
  bool XInv, YInv, XLog, YLog;
};

TEdges Edges(const TGraph& G) {
  TDoubleRect R;
  G.GetRanges(R);
  return {R.Left,
          R.Top,
          R.Right,
          R.Bottom,
          G.CurrentXInverted(),
          G.CurrentYInverted(),
          G.CurrentXLog(),
          G.CurrentYLog()};
}

// v kept from going beyond the top edge.
double LimitTop(double V, const TEdges& E, bool& Cut) {
  const double W = E.YInv ? std::max(V, E.T) : std::min(V, E.T);
  if (W != V) Cut = true;
  return W;
}

bool BeyondRight(double X, const TEdges& E) { return E.XInv ? X < E.R : X > E.R; }
double RightEnd(double X, const TEdges& E) { return E.XInv ? std::max(X, E.R) : std::min(X, E.R); }

double ScaleOfX(const TGraph& G) { return G.UseX2 ? G.ScaleX2 : G.ScaleX; }

// The pixel width of a world width on the X axis in use, and 10 more, held within int.
int BarMarkerSize(const TGraph& G, double WorldWidth) {
  return AddPixels(std::abs(SaturatePixel(static_cast<long double>(ScaleOfX(G)) * WorldWidth)), 10);
}
}  // namespace

void TSeries::DrawClusteredBar(int Position, int Slot, const TDoubleRect& Ext, int Bars,
                               int Points) {
  TCanvas* Cv = Graph->DrawCanvas();
  if (FPoints.empty() || !Cv || Bars < 1) return;
  Cv->Pen()->SetMode(pmCopy);
  const TEdges E = Edges(*Graph);
  TDoublePoint P;
  GetPoint(std::max(Position, 0), P);
  bool Cut = false;
  const double V = LimitTop(P.Y, E, Cut);
  double W = Ext.Right - Ext.Left;
  if (W == 0) W = Graph->XMax - Graph->XMin;
  const int M = std::max(Points - 1, 1);
  const double G = W * FBarWidth / M;
  double Wd = G / Bars;
  const double BL = P.X - G / 2 + Slot * Wd;
  if (E.XLog) Wd *= BL;
  const int Shown = std::clamp(Position, 0, Count() - 1);
  CurrentIndex = Shown;
  const TColor C = GetColor();
  if (BeyondRight(BL, E)) return;
  const double RE = RightEnd(BL + Wd, E);
  double E1, E2;
  TColor TopColor = Cut ? LightenColor(C, 64) : DarkenColor(C, 32);
  if (!E.YLog) {
    E1 = V >= 0 ? V : 0;
    E2 = V >= 0 ? 0 : V;
    if (E.YInv) std::swap(E1, E2);
    if ((V < 0 && !E.YInv) || (V >= 0 && E.YInv)) TopColor = DarkenColor(C, 128);
  } else {
    E1 = V;
    E2 = E.YInv ? E.T : E.B;
  }
  if (Graph->Depth3D != 0) {
    Cv->Pen()->SetColor(DarkenColor(C, 80));
    Cv->Brush()->SetStyle(bsSolid);
    Cv->Brush()->SetColor(TopColor);
    Graph->ClippedPolylineNoDXF(BL, E1, RE, E1);
    Cv->Brush()->SetColor(DarkenColor(C, 64));
    Graph->ClippedPolylineNoDXF(RE, E1, RE, E2);
  }
  Cv->Brush()->SetStyle(bsSolid);
  Cv->Brush()->SetColor(C);
  Cv->Pen()->SetColor(DarkenColor(C, 80));
  TDoubleRect& R = FPoints[Shown]->BarRect;
  R = E.YLog ? TDoubleRect{BL, E1, BL + Wd, E2} : TDoubleRect{BL, E2, BL + Wd, E1};
  Graph->Bar(R, BarFlag);
}

TDoubleRect TSeries::StackedBarRect(int Position, int LayerIndex, bool* CutOut) {
  if (FPoints.empty()) return {};
  const TEdges E = Edges(*Graph);
  const int Index = std::clamp(Position, 0, Count() - 1);
  auto VertexY = [&](const TSeries& S) {
    TDoublePoint V;
    return S.GetPoint(std::max(Position, 0), V) ? V.Y : 0.0;
  };
  double Sum = 0, Below = 0;
  for (int I = 0; I < Graph->LayerCount(); ++I) {
    auto* S = dynamic_cast<const TSeries*>(Graph->GetLayer(I));
    if (!S || S->FKind != skBar || S->FPoints.empty()) continue;
    Sum += VertexY(*S);
    if (I < LayerIndex && S->GetVisible())
      Below += S->FPoints[std::min(Position, S->Count() - 1)]->Y;
  }
  const TGraphData& P = *FPoints[Index];
  double Top = P.Y + Below;
  double Base = Below == 0 ? E.B : Below;
  if (Graph->BarStyle == bs100Stacked) {
    // A stack that sums to nothing has no share to show.
    if (Sum != 0) {
      Top = Top * 100 / Sum;
      if (Base > 0) Base = Base * 100 / Sum;
    } else {
      Top = 0;
      if (Base > 0) Base = 0;
    }
  }
  bool Cut = false;
  Top = LimitTop(Top, E, Cut);
  if (CutOut) *CutOut = Cut;
  TDoubleRect R;
  Graph->GetCurrentRanges(R);
  const double W = R.Right - R.Left;
  const int N8 = std::max(Graph->MaxPointsOfKind(skBar), 1);
  const double Wd0 = W * FBarWidth / N8;
  SetMarkerSize(BarMarkerSize(*Graph, Wd0));
  const double BL = P.X - Wd0 / 2;
  const double Wd = E.XLog ? Wd0 * BL : Wd0;
  CurrentIndex = Index;
  return {BL, Base, BL + Wd, Top};
}

void TSeries::DrawStackedBar(int Position) {
  TCanvas* Cv = Graph->DrawCanvas();
  if (FPoints.empty() || !Cv) return;
  Cv->Pen()->SetMode(pmCopy);
  bool Cut = false;
  const TDoubleRect R = StackedBarRect(Position, Graph->IndexOfLayer(this), &Cut);
  const TEdges E = Edges(*Graph);
  const TColor C = GetColor();
  Cv->Brush()->SetStyle(bsSolid);
  Cv->Brush()->SetColor(C);
  Cv->Pen()->SetColor(clBlack);
  if (Graph->Depth3D != 0) {
    if (BeyondRight(R.Left, E)) return;
    const double RE = RightEnd(R.Right, E);
    Cv->Pen()->SetColor(DarkenColor(C, 80));
    Cv->Brush()->SetColor(Cut ? LightenColor(C, 64) : DarkenColor(C, 32));
    Graph->ClippedPolylineNoDXF(R.Left, R.Bottom, RE, R.Bottom);
    Cv->Brush()->SetColor(DarkenColor(C, 64));
    Graph->ClippedPolylineNoDXF(RE, R.Bottom, RE, R.Top);
    Cv->Brush()->SetColor(C);
  }
  Graph->Bar(R, BarFlag);
}

double TSeries::ZOrderedBarWidth() {
  const TEdges E = Edges(*Graph);
  const int N10 = std::max(Graph->MaxPointsOfKind(skZOrderedBar), 1);
  const TDoubleRect Ext = Graph->GetBarSeriesExtent();
  double W = Ext.Right - Ext.Left;
  if (W == 0) W = (Graph->XMax - Graph->XMin) - Graph->PixelsToWorld(2 * SeriesBarPixelWidth());
  if (E.XLog)
    W = Graph->LogValue(Graph->DataExtent.Right) - Graph->LogValue(Graph->DataExtent.Left);
  if (!E.XLog) {
    const double Half = N10 == 1 ? 0 : W * FBarWidth / (2.0 * (N10 - 1));
    SetMarkerSize(N10 == 1 ? 10 : BarMarkerSize(*Graph, Half));
  }
  return N10 > 1 ? W * FBarWidth / (N10 - 1) : W * FBarWidth;
}

void TSeries::DrawZOrderedBar(int Index, double Wd) {
  TCanvas* Cv = Graph->DrawCanvas();
  if (Index < 0 || Index >= Count() || !Cv) return;
  const TEdges E = Edges(*Graph);
  TDoublePoint P;
  GetPoint(Index, P);
  double V = P.Y;
  double Left = P.X - Wd / 2, Right = P.X + Wd / 2;
  if (E.XLog) {
    Left = std::pow(10.0, Graph->LogValue(P.X) - Wd / 2);
    Right = std::pow(10.0, Graph->LogValue(P.X) + Wd / 2);
  }
  CurrentIndex = Index;
  const TColor C = GetColor();
  Cv->Brush()->SetStyle(bsSolid);
  Cv->Brush()->SetColor(C);
  Cv->Pen()->SetColor(DarkenColor(C, 80));
  bool Cut = false;
  if (E.YInv) {
    if (V < E.T) V = E.T, Cut = true;
    if (V > E.B && E.B < 0) return;
  } else {
    if (V > E.T && E.B > 0) V = E.T, Cut = true;
    if (V < E.B && E.B > 0) return;
  }
  if (!E.XInv) {
    if (Left > E.R) return;
    Right = std::min(Right, E.R);
  } else {
    if (Left < E.R) return;
    Right = std::max(Right, E.R);
    Left = std::min(Left, E.L);
    if (Right > E.L) return;
    if (E.XLog) std::swap(Left, Right);
  }
  double Top, Bottom;
  if (V >= 0) {
    if (!E.YInv)
      Bottom = 0, Top = std::min(V, E.T);
    else
      Top = std::max(E.T, 0.0), Bottom = std::min(V, E.B);
  } else {
    if (!E.YInv)
      Bottom = V, Top = std::min(0.0, E.T);
    else
      Top = V, Bottom = std::min(0.0, E.B);
  }
  TColor TopColor = Cut ? LightenColor(C, 64) : DarkenColor(C, 32);
  if ((!E.YInv && Bottom < 0) || (E.YInv && Bottom > 0)) TopColor = LightenColor(C, 128);
  Cv->Brush()->SetColor(TopColor);
  Graph->ClippedPolylineNoDXF(Left, Top, Right, Top);
  Cv->Brush()->SetColor(DarkenColor(C, 64));
  Graph->ClippedPolylineNoDXF(Right, Top, Right, Bottom);
  Cv->Brush()->SetColor(C);
  Graph->Bar({Left, Bottom, Right, Top}, BarFlag);
}

std::unique_ptr<TPoly> TSeries::BarPolygon(int Index) {
  if (Index < 0 || Index >= Count()) return nullptr;
  const TEdges E = Edges(*Graph);
  TDoublePoint P;
  GetPoint(Index, P);
  const int N8 = Graph->MaxPointsOfKind(skBar);
  const int N10 = std::max(Graph->MaxPointsOfKind(skZOrderedBar), 1);
  double W = Graph->XMax - Graph->XMin;
  if (Graph->Zoom.Count() == 0 && !Graph->GetClipMarkers()) {
    if (N8 == 2)
      W /= 0.873;
    else if (N8 == 4)
      W *= 0.975;
    else if (N8 > 5)
      W *= 0.97;
  }
  if (E.XLog)
    W = Graph->LogValue(Graph->DataExtent.Right) - Graph->LogValue(Graph->DataExtent.Left);
  else if (const int Size = std::min(BarMarkerSize(*Graph, W * FBarWidth / N10), MaxMarkerSize);
           Size != FMarkerSize)
    SetMarkerSize(Size);  // a hit test asks every bar: the points' markers are set only once
  const double Wd = N10 > 1 ? W * FBarWidth / (N10 - 1) : W * FBarWidth;
  double Left = P.X - Wd / 2, Right = P.X + Wd / 2;
  if (E.XLog) {
    Left = std::pow(10.0, Graph->LogValue(P.X) - Wd / 2);
    Right = std::pow(10.0, Graph->LogValue(P.X) + Wd / 2);
  }
  bool Cut = false;
  const double Top = LimitTop(P.Y, E, Cut);
  if (E.YInv ? Top > E.B : Top < E.B) return nullptr;
  if (!E.XInv) {
    if (Left > E.R) return nullptr;
    Right = std::min(Right, E.R);
  } else {
    if (Left < E.R) return nullptr;
    Right = std::max(Right, E.R);
    Left = std::min(Left, E.L);
    if (Right > E.L) return nullptr;
    if (E.XLog) std::swap(Left, Right);
  }
  double TopE = P.Y >= 0 ? Top : 0, BottomE = P.Y >= 0 ? 0 : Top;
  if (E.YInv) std::swap(TopE, BottomE);
  const int Slots = Graph->BarSlotCount();
  double D0 = 0, D1 = 0;
  if (Slots > 0) {
    const int Slot = Graph->BarSlot(this);
    D0 = std::nearbyint(static_cast<double>(Slot) * Graph->Depth3D / Slots);
    D1 = std::nearbyint(static_cast<double>(Slot + 1) * Graph->Depth3D / Slots);
  }
  const double XL = Graph->XToPixel(Left), XR = Graph->XToPixel(Right);
  const double YT = Graph->YToPixel(TopE), YB = Graph->YToPixel(BottomE);
  auto Poly = std::make_unique<TPoly>();
  Poly->AddPoint(XL + D0, YT - D0);
  Poly->AddPoint(XL + D1, YT - D1);
  Poly->AddPoint(XR + D1, YT - D1);
  Poly->AddPoint(XR + D1, YB - D1);
  Poly->AddPoint(XR + D0, YB - D0);
  Poly->AddPoint(XL + D0, YB - D0);
  Poly->AddPoint(XL + D0, YT - D0);
  return Poly;
}
