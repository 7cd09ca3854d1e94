#include "plot/core/graph_drawing.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "platform/canvas.h"
#include "platform/number_text.h"
#include "plot/core/graph_clips.h"
#include "plot/core/graph_dxf.h"
#include "plot/core/graph_gradient.h"
#include "plot/core/graph_utils.h"

namespace {
// Pixels handed to the canvas stay within this distance of the origin: the painter's fixed-point
// arithmetic cannot take the whole integer range. Shapes reaching further are cut at it, which
// changes nothing that can be seen.
constexpr long double DrawLimit = 1 << 22;

bool Finite(double A, double B) { return std::isfinite(A) && std::isfinite(B); }

int DrawCoord(long double V) { return SaturatePixel(std::clamp(V, -DrawLimit, DrawLimit)); }

TRect SafeRect(const TRect& R) {
  return {DrawCoord(R.Left), DrawCoord(R.Top), DrawCoord(R.Right), DrawCoord(R.Bottom)};
}
}  // namespace

int AddPixels(int A, int B) {
  long long S = static_cast<long long>(A) + B;
  return static_cast<int>(std::clamp<long long>(S, -PixelLimit, PixelLimit));
}

namespace {
template <typename Real>
bool Intersect(const TDoubleRect& A, const TDoubleRect& B, TDoublePoint& P) {
  const Real ax1 = A.Left, ay1 = A.Top, ax2 = A.Right, ay2 = A.Bottom;
  const Real bx1 = B.Left, by1 = B.Top, bx2 = B.Right, by2 = B.Bottom;
  const Real d = (ay2 - ay1) * (bx1 - bx2) - (by1 - by2) * (ax2 - ax1);
  if (d == 0 || !std::isfinite(d)) return false;
  const Real ua = ((by1 - ay1) * (bx1 - bx2) - (by1 - by2) * (bx1 - ax1)) / d;
  const Real ub = ((ay2 - ay1) * (bx1 - ax1) - (by1 - ay1) * (ax2 - ax1)) / d;
  if (!(ua >= 0 && ua <= 1 && ub >= 0 && ub <= 1)) return false;
  P = {static_cast<double>(ax1 + ua * (ax2 - ax1)), static_cast<double>(ay1 + ua * (ay2 - ay1))};
  return true;
}
}  // namespace

bool SegmentIntersection(const TDoubleRect& A, const TDoubleRect& B, TDoublePoint& P) {
  // Ends near the largest double have differences and products beyond a double: such a pair
  // is taken again in long double.
  if (Intersect<double>(A, B, P)) return true;
  const double Span =
      std::max({std::fabs(A.Left), std::fabs(A.Right), std::fabs(A.Top), std::fabs(A.Bottom),
                std::fabs(B.Left), std::fabs(B.Right), std::fabs(B.Top), std::fabs(B.Bottom)});
  return Span > 1e150 && Intersect<long double>(A, B, P);
}

void NormalizeRect(TRect& R) {
  if (R.Left > R.Right) std::swap(R.Left, R.Right);
  if (R.Top > R.Bottom) std::swap(R.Top, R.Bottom);
}

// --- Canvas and mapping
// ---------------------------------------------------------------------------

TPaintScope::TPaintScope(TGraphDrawing& Graph, const TPaintContext& Context)
    : FGraph(Graph), FPrevious(Graph.FPaint), FPreviousDxf(Graph.FDxf) {
  Graph.FPaint = Context;
  auto* Drawing = Context.Traits.Dxf() && Context.Canvas
                      ? dynamic_cast<TDxfTarget*>(Context.Canvas->Target())
                      : nullptr;
  Graph.FDxf = Drawing ? &Drawing->Writer() : nullptr;
}

TPaintScope::~TPaintScope() {
  FGraph.FPaint = FPrevious;
  FGraph.FDxf = FPreviousDxf;
}

long double TGraphDrawing::AxisToPixelX(long double V) const {
  return UseX2 ? static_cast<long double>(ScaleX2) * V + OffsetX2
               : static_cast<long double>(ScaleX) * V + OffsetX;
}

long double TGraphDrawing::AxisToPixelY(long double V) const {
  return UseY2 ? static_cast<long double>(ScaleY2) * V + OffsetY2
               : static_cast<long double>(ScaleY) * V + OffsetY;
}

bool TGraphDrawing::XLogInUse() const { return AxisLog(UseX2 ? gaXAxis2 : gaXAxis); }
bool TGraphDrawing::YLogInUse() const { return AxisLog(UseY2 ? gaYAxis2 : gaYAxis); }

double TGraphDrawing::XToPixelExact(double X) const {
  return static_cast<double>(AxisToPixelX(XLogInUse() ? LogValue(X) : X));
}

double TGraphDrawing::YToPixelExact(double Y) const {
  return static_cast<double>(AxisToPixelY(YLogInUse() ? LogValue(Y) : Y));
}

int TGraphDrawing::XToPixel(double X) const {
  if (UseX2) return X2ToPixel(X);
  if (AxisLog(gaXAxis)) X = LogValue(X);
  return SaturatePixel(static_cast<long double>(ScaleX) * X + OffsetX);
}

int TGraphDrawing::YToPixel(double Y) const {
  if (UseY2) return Y2ToPixel(Y);
  if (AxisLog(gaYAxis)) Y = LogValue(Y);
  return SaturatePixel(static_cast<long double>(ScaleY) * Y + OffsetY);
}

int TGraphDrawing::X2ToPixel(double X) const {
  if (AxisLog(gaXAxis2)) X = LogValue(X);
  return SaturatePixel(static_cast<long double>(ScaleX2) * X + OffsetX2);
}

int TGraphDrawing::Y2ToPixel(double Y) const {
  if (AxisLog(gaYAxis2)) Y = LogValue(Y);
  return SaturatePixel(static_cast<long double>(ScaleY2) * Y + OffsetY2);
}

double TGraphDrawing::PixelToX(int P) const {
  return UseX2 ? PixelToX2(P) : (P - OffsetX) / ScaleX;
}
double TGraphDrawing::PixelToY(int P) const {
  return UseY2 ? PixelToY2(P) : (P - OffsetY) / ScaleY;
}
double TGraphDrawing::PixelToX2(int P) const { return (P - OffsetX2) / ScaleX2; }
double TGraphDrawing::PixelToY2(int P) const { return (P - OffsetY2) / ScaleY2; }

double TGraphDrawing::PixelsToWorld(int N) const { return N / (UseX2 ? ScaleX2 : ScaleX); }

double TGraphDrawing::LogValue(double X) const {
  if (!(X > MinimumLogValue)) X = MinimumLogValue;  // NaN too
  return std::log10(X);
}

void TGraphDrawing::GetCurrentRanges(TDoubleRect& R) const {
  R = {UseX2 ? X2Min : XMin, UseY2 ? Y2Min : YMin, UseX2 ? X2Max : XMax, UseY2 ? Y2Max : YMax};
}

void TGraphDrawing::GetLogRanges(TDoubleRect& R) const {
  GetCurrentRanges(R);
  if (AxisInverted(UseX2 ? gaXAxis2 : gaXAxis)) std::swap(R.Left, R.Right);
  if (AxisInverted(UseY2 ? gaYAxis2 : gaYAxis)) std::swap(R.Top, R.Bottom);
}

void TGraphDrawing::GetRanges(TDoubleRect& R) const {
  GetLogRanges(R);
  if (XLogInUse()) {
    R.Left = std::pow(10.0, R.Left);
    R.Right = std::pow(10.0, R.Right);
  }
  if (YLogInUse()) {
    R.Top = std::pow(10.0, R.Top);
    R.Bottom = std::pow(10.0, R.Bottom);
  }
}

bool TGraphDrawing::CurrentXLog() const {
  return AxisLog(CurrentLayer && LayerOnXAxis2(CurrentLayer) ? gaXAxis2 : gaXAxis);
}
bool TGraphDrawing::CurrentYLog() const {
  return AxisLog(CurrentLayer && LayerOnYAxis2(CurrentLayer) ? gaYAxis2 : gaYAxis);
}
bool TGraphDrawing::CurrentXInverted() const {
  return AxisInverted(CurrentLayer && LayerOnXAxis2(CurrentLayer) ? gaXAxis2 : gaXAxis);
}
bool TGraphDrawing::CurrentYInverted() const {
  return AxisInverted(CurrentLayer && LayerOnYAxis2(CurrentLayer) ? gaYAxis2 : gaYAxis);
}

void TGraphDrawing::LayerSlot(int& Slot, int& Count) const {
  Slot = 0;
  Count = 1;
  if (Depth3D == 0) return;
  Slot = BarSlot(CurrentLayer);
  // No slot at all (no series visible) would divide by zero; one slot is the flat picture.
  Count = std::max(BarSlotCount(), 1);
}

int TGraphDrawing::LayerOffset() const {
  int Slot, Count;
  LayerSlot(Slot, Count);
  return SaturatePixel(static_cast<long double>(Depth3D) * Slot / Count);
}

int TGraphDrawing::SlotDepth() const {
  int Slot, Count;
  LayerSlot(Slot, Count);
  return SaturatePixel(static_cast<long double>(Depth3D) / Count);
}

QString TGraphDrawing::DXFLayer() const {
  return CurrentLayer ? LayerName(CurrentLayer) : QStringLiteral("0");
}

// --- Primitives ---------------------------------------------------------------------------------

bool TGraphDrawing::ClipSegment(const TDoubleRect& R, TDoublePoint& A, TDoublePoint& B) const {
  // Inverted axes give the range with its pairs exchanged: clip against the ordered box.
  double L = std::min(R.Left, R.Right), Rt = std::max(R.Left, R.Right);
  double T = std::min(R.Top, R.Bottom), Bm = std::max(R.Top, R.Bottom);
  auto In = [&](const TDoublePoint& P) { return L <= P.X && P.X <= Rt && T <= P.Y && P.Y <= Bm; };
  bool InA = In(A), InB = In(B);
  if (InA && InB) return true;
  const TDoubleRect Edges[] = {{L, T, L, Bm}, {L, T, Rt, T}, {Rt, T, Rt, Bm}, {L, Bm, Rt, Bm}};
  TDoubleRect Seg{A.X, A.Y, B.X, B.Y};
  TDoublePoint Found[2];
  int N = 0;
  for (const TDoubleRect& E : Edges) {
    TDoublePoint P;
    if (N < 2 && SegmentIntersection(Seg, E, P)) {
      if (N == 1 && P == Found[0]) continue;
      Found[N++] = P;
    }
  }
  if (N == 0) return false;
  if (N == 1) {
    if (InA)
      B = Found[0];
    else if (InB)
      A = Found[0];
    else
      A = B = Found[0];  // touches a corner only: that one point
    return true;
  }
  A = Found[0];
  B = Found[1];
  return true;
}

TDoubleRect TGraphDrawing::LineRange() const {
  TDoubleRect R;
  GetLogRanges(R);
  int Slot, Count;
  LayerSlot(Slot, Count);
  if (View3D != 0 && Slot != 0) {
    double DX = (PixelToX(Depth3D) - PixelToX(0)) * Slot / Count;
    double DY = (PixelToY(0) - PixelToY(Depth3D)) * Slot / Count;
    if (std::isfinite(DX)) R.Left += DX, R.Right += DX;
    if (std::isfinite(DY)) R.Top += DY, R.Bottom += DY;
  }
  return R;
}

void TGraphDrawing::Line(double X1, double Y1, double X2, double Y2) {
  TCanvas* C = DrawCanvas();
  if (FDxf) {
    FDxf->WriteLine(DXFLayer(), C ? C->Pen()->Color() : clBlack, X1, Y1, X2, Y2);
    return;
  }
  if (!C) return;
  const TDoubleRect R = LineRange();
  TDoublePoint A{XLogInUse() ? LogValue(X1) : X1, YLogInUse() ? LogValue(Y1) : Y1};
  TDoublePoint B{XLogInUse() ? LogValue(X2) : X2, YLogInUse() ? LogValue(Y2) : Y2};
  if (!Finite(A.X, A.Y) || !Finite(B.X, B.Y)) return;
  if (!ClipSegment(R, A, B)) return;
  TPoint P1{DrawCoord(AxisToPixelX(A.X)), DrawCoord(AxisToPixelY(A.Y))};
  TPoint P2{DrawCoord(AxisToPixelX(B.X)), DrawCoord(AxisToPixelY(B.Y))};
  if (P1 == P2) {
    C->SetPixels(P1.X, P1.Y, C->Pen()->Color());
  } else {
    C->MoveTo(P1.X, P1.Y);
    C->LineTo(P2.X, P2.Y);
  }
}

bool TGraphDrawing::JoinsLines(const TCanvas* C) const {
  if (!BatchLines || !C || FDxf) return false;
  const TPaintTraits& T = Device();
  // The canvas says what it draws on also where no paint has set the traits.
  if (C->TargetKind() != tkImage || T.Target != tkImage || T.Printing || T.Picture || C->Mapped())
    return false;
  const TPen& P = *C->Pen();
  return P.Style() == psSolid && P.Width() <= 1 && P.Mode() == pmCopy && P.Color() != clNone;
}

// A thin solid line covers its start pixel and leaves out its end; the segment that goes on
// from there covers that end as its start. Segments that continue one another therefore give
// the same pixels as one polyline through their ends, and the same colour written twice over
// one pixel leaves it as written once. A segment without length sets its one pixel.
void TGraphDrawing::Lines(int Count, const std::function<TDoubleRect(int)>& Segment) {
  TCanvas* C = DrawCanvas();
  if (!JoinsLines(C)) {
    for (int I = 0; I < Count; ++I) {
      const TDoubleRect S = Segment(I);
      Line(S.Left, S.Top, S.Right, S.Bottom);
    }
    return;
  }
  const TDoubleRect R = LineRange();
  const double L = std::min(R.Left, R.Right), Rt = std::max(R.Left, R.Right);
  const double T = std::min(R.Top, R.Bottom), Bm = std::max(R.Top, R.Bottom);
  auto In = [&](const TDoublePoint& P) { return L <= P.X && P.X <= Rt && T <= P.Y && P.Y <= Bm; };
  const bool XLog = XLogInUse(), YLog = YLogInUse();
  const TColor Color = C->Pen()->Color();
  std::vector<TPoint>& Run = FRun;
  Run.clear();
  bool EndPixel = false;  // the run ends on a segment without length, whose pixel is still due
  auto Flush = [&] {
    if (Run.size() >= 2) C->Polyline(Run);
    if (EndPixel) C->SetPixels(Run.back().X, Run.back().Y, Color);
    Run.clear();
    EndPixel = false;
  };
  auto ToPixel = [&](const TDoublePoint& P) {
    return TPoint{DrawCoord(AxisToPixelX(P.X)), DrawCoord(AxisToPixelY(P.Y))};
  };
  // The end of the previous segment when it was inside, so that the next one, starting there,
  // is not converted again.
  TDoublePoint KeptEnd{std::nan(""), std::nan("")};
  TPoint KeptPixel;
  for (int I = 0; I < Count; ++I) {
    const TDoubleRect S = Segment(I);
    TDoublePoint A{XLog ? LogValue(S.Left) : S.Left, YLog ? LogValue(S.Top) : S.Top};
    TDoublePoint B{XLog ? LogValue(S.Right) : S.Right, YLog ? LogValue(S.Bottom) : S.Bottom};
    if (!Finite(A.X, A.Y) || !Finite(B.X, B.Y)) continue;
    const bool Inside = In(A) && In(B);
    if (!Inside && !ClipSegment(R, A, B)) continue;
    const TPoint P1 = Inside && A == KeptEnd ? KeptPixel : ToPixel(A);
    const TPoint P2 = ToPixel(B);
    if (Inside) {
      KeptEnd = B;
      KeptPixel = P2;
    } else {
      KeptEnd = {std::nan(""), std::nan("")};
    }
    if (Run.empty() || !(Run.back() == P1)) {
      Flush();
      Run.push_back(P1);
    }
    if (P1 == P2) {
      EndPixel = true;
    } else {
      Run.push_back(P2);
      EndPixel = false;
    }
  }
  if (!Run.empty()) Flush();
}

void TGraphDrawing::ClippedPolyline(double X1, double Y1, double X2, double Y2) {
  if (FDxf) {
    TCanvas* C = DrawCanvas();
    FDxf->WriteLine(DXFLayer(), C ? C->Pen()->Color() : clBlack, X1, Y1, X2, Y2);
    return;
  }
  ClippedPolylineNoDXF(X1, Y1, X2, Y2);
}

void TGraphDrawing::ClippedPolylineNoDXF(double X1, double Y1, double X2, double Y2) {
  TCanvas* C = DrawCanvas();
  if (!C) return;
  TDoublePoint A{CurrentXLog() ? LogValue(X1) : X1, CurrentYLog() ? LogValue(Y1) : Y1};
  TDoublePoint B{CurrentXLog() ? LogValue(X2) : X2, CurrentYLog() ? LogValue(Y2) : Y2};
  if (!Finite(A.X, A.Y) || !Finite(B.X, B.Y)) return;
  TDoubleRect R;
  GetLogRanges(R);
  double M = R.Right - R.Left != 0 ? std::fabs(PixelToX(2) - PixelToX(0)) : 0;
  if (!std::isfinite(M)) M = 0;
  double L = std::min(R.Left, R.Right) - M, Rt = std::max(R.Left, R.Right) + M;
  double T = std::min(R.Top, R.Bottom), Bm = std::max(R.Top, R.Bottom);
  auto Near = [&](const TDoublePoint& P) { return L <= P.X && P.X <= Rt && T <= P.Y && P.Y <= Bm; };
  if (!(Near(A) && Near(B)) && !ClipSegment(R, A, B)) return;
  int Off = LayerOffset(), W = SlotDepth();
  TPoint PA{AddPixels(DrawCoord(AxisToPixelX(A.X)), Off),
            AddPixels(DrawCoord(AxisToPixelY(A.Y)), -Off)};
  TPoint PD{AddPixels(DrawCoord(AxisToPixelX(B.X)), Off),
            AddPixels(DrawCoord(AxisToPixelY(B.Y)), -Off)};
  if (Depth3D == 0) {
    C->MoveTo(PA.X, PA.Y);
    C->LineTo(PD.X, PD.Y);
    return;
  }
  TPoint PB{AddPixels(PA.X, W), AddPixels(PA.Y, -W)};
  TPoint PC{AddPixels(PD.X, W), AddPixels(PD.Y, -W)};
  const TPoint Q[] = {PA, PB, PC, PD};
  C->Polygon(Q);
}

// The part of a world rectangle inside the current ranges, in pixels with its corners in order;
// false where nothing of it shows (also for NaN corners) or where a DXF drawing takes it instead.
bool TGraphDrawing::VisibleRectPixels(const TDoubleRect& R, TCanvas*& C, TRect& P) {
  C = DrawCanvas();
  if (FDxf) {
    FDxf->WriteRectangle(R, DXFLayer(), C ? C->Pen()->Color() : clBlack);
    return false;
  }
  if (!C) return false;
  TDoubleRect G;
  GetRanges(G);
  double GL = std::min(G.Left, G.Right), GR = std::max(G.Left, G.Right);
  double GT = std::min(G.Top, G.Bottom), GB = std::max(G.Top, G.Bottom);
  double P1 = std::fabs(PixelToX(1) - PixelToX(0));
  double L = std::min(R.Left, R.Right), Rt = std::max(R.Left, R.Right);
  double T = std::min(R.Top, R.Bottom), B = std::max(R.Top, R.Bottom);
  if (!(L <= GR + P1 && Rt >= GL - P1 && B >= GT && T <= GB)) return false;  // also NaN
  Rt = std::min(Rt, GR), L = std::max(L, GL), T = std::max(T, GT), B = std::min(B, GB);
  P = {XToPixel(L), YToPixel(B), XToPixel(Rt), YToPixel(T)};
  NormalizeRect(P);
  return true;
}

void TGraphDrawing::Rectangle(const TDoubleRect& R) {
  TCanvas* C = nullptr;
  TRect P;
  if (!VisibleRectPixels(R, C, P)) return;
  C->Rectangle(SafeRect(P));
}

void TGraphDrawing::Bar(const TDoubleRect& R, bool Gradient) {
  TCanvas* C = nullptr;
  TRect P;
  if (!VisibleRectPixels(R, C, P)) return;
  int Off = LayerOffset();
  P = {AddPixels(P.Left, Off), AddPixels(P.Top, -Off), AddPixels(AddPixels(P.Right, Off), 1),
       AddPixels(AddPixels(P.Bottom, -Off), 1)};
  P = SafeRect(P);
  if (Gradient) {
    TColor Brush = C->Brush()->Color();
    GradientFill(C, P, Brush, false, LightenColor(Brush, 228));
  } else {
    C->Rectangle(P);
  }
}

void TGraphDrawing::FillCell(const TDoubleRect& R) {
  TCanvas* C = DrawCanvas();
  if (FDxf) {
    FDxf->WriteSolid(R, DXFLayer(), C ? C->Brush()->Color() : clBlack);
    return;
  }
  if (!C || std::isnan(R.Left) || std::isnan(R.Top) || std::isnan(R.Right) || std::isnan(R.Bottom))
    return;
  TRect P{XToPixel(R.Left), YToPixel(R.Bottom), XToPixel(R.Right), YToPixel(R.Top)};
  NormalizeRect(P);
  C->FillRect(SafeRect(P));
}

void TGraphDrawing::DrawPolygon(const TPoly& Poly, int Shift) {
  TCanvas* C = DrawCanvas();
  if (FDxf) {
    // World values, closed: the drawing holds the polygon as the plot shows it.
    std::vector<TDoublePoint> W;
    for (const TDoublePoint& P : Poly.Points())
      if (Finite(P.X, P.Y)) W.push_back(P);
    TColor Color = C ? C->Brush()->Color() : clBlack;
    QString Layer = DXFLayer();
    for (size_t i = 1; i < W.size(); ++i)
      FDxf->WriteLine(Layer, Color, W[i - 1].X, W[i - 1].Y, W[i].X, W[i].Y);
    if (W.size() >= 3 && !(W.back() == W.front()))
      FDxf->WriteLine(Layer, Color, W.back().X, W.back().Y, W.front().X, W.front().Y);
    return;
  }
  if (!C) return;
  std::vector<TDoublePoint> Px;
  Px.reserve(static_cast<size_t>(Poly.Count()) + 1);
  bool Far = false;
  for (const TDoublePoint& P : Poly.Points()) {
    if (!Finite(P.X, P.Y)) continue;
    TDoublePoint Q{static_cast<double>(AddPixels(XToPixel(P.X), Shift)),
                   static_cast<double>(AddPixels(YToPixel(P.Y), -Shift))};
    Far = Far || std::fabs(Q.X) > DrawLimit || std::fabs(Q.Y) > DrawLimit;
    Px.push_back(Q);
  }
  if (Px.empty()) return;
  std::vector<TPoint> Pts;
  if (Far) {
    Px.push_back(Px.front());
    TClip Clip;
    Clip.SetRect(-DrawLimit, -DrawLimit, DrawLimit, DrawLimit);
    int N = static_cast<int>(Px.size());
    Px = Clip.ClipPolygon(N, Px);
  }
  for (const TDoublePoint& Q : Px) Pts.push_back({DrawCoord(Q.X), DrawCoord(Q.Y)});
  if (!Pts.empty()) C->Polygon(Pts);
}

void TGraphDrawing::Polygon(const TPoly& Poly) { DrawPolygon(Poly, 0); }

void TGraphDrawing::SeriesPolygon(const TPoly& Poly) {
  int Slot, Count;
  LayerSlot(Slot, Count);
  long long S = static_cast<long long>(Slot) * Depth3D / Count;
  DrawPolygon(Poly, static_cast<int>(std::clamp<long long>(S, -PixelLimit, PixelLimit)));
}

void TGraphDrawing::Ellipse(const TDoubleRect& R) {
  TCanvas* C = DrawCanvas();
  if (FDxf) {
    double CX = (R.Left + R.Right) / 2, CY = (R.Top + R.Bottom) / 2;
    double Radius = (std::fabs(CY - R.Bottom) + std::fabs(CX - R.Left)) / 2;
    FDxf->WriteCircle(DXFLayer(), C ? C->Pen()->Color() : clBlack, CX, CY, Radius);
    return;
  }
  if (!C || std::isnan(R.Left) || std::isnan(R.Top) || std::isnan(R.Right) || std::isnan(R.Bottom))
    return;
  TRect P;
  WorldRectToPixels(R, P);
  C->Ellipse(SafeRect(P));
}

void TGraphDrawing::WorldRectToPixels(const TDoubleRect& R, TRect& P) const {
  P = {XToPixel(R.Left), YToPixel(R.Top), XToPixel(R.Right), YToPixel(R.Bottom)};
  NormalizeRect(P);
}

// --- Clip region --------------------------------------------------------------------------------

void TGraphDrawing::SetClipRegion() {
  if (FClipActive) return;
  TCanvas* C = DrawCanvas();
  if (!C) return;
  FClipActive = true;
  TRect P = GetPlotRect();
  TRect R{AddPixels(P.Left, 1), AddPixels(P.Top, 1), AddPixels(P.Right, -1),
          AddPixels(P.Bottom, -1)};
  if (View3D > 0) {
    R.Right = AddPixels(R.Right, Depth3D);
    R.Top = AddPixels(R.Top, -Depth3D);
  }
  C->IntersectClipRect(R);
  ClipRect = R;
}

void TGraphDrawing::SetLegendClipRegion() {
  if (FClipActive) return;
  TCanvas* C = DrawCanvas();
  if (!C) return;
  FClipActive = true;
  C->IntersectClipRect({0, 0, C->Target()->DeviceRect().Width(), PlotRect.Bottom});
}

void TGraphDrawing::ResetClipRegion() {
  if (!FClipActive) return;
  FClipActive = false;
  if (TCanvas* C = DrawCanvas()) C->ResetClip();
}

void TGraphDrawing::SetPenWidth(int W) {
  if (TCanvas* C = DrawCanvas()) C->Pen()->SetWidth(W);
}
void TGraphDrawing::SetPenColor(TColor Color) {
  if (TCanvas* C = DrawCanvas()) C->Pen()->SetColor(Color);
}
void TGraphDrawing::SetBrushStyle(TBrushStyle S) {
  if (TCanvas* C = DrawCanvas()) C->Brush()->SetStyle(S);
}
void TGraphDrawing::SetBrushColor(TColor Color) {
  if (TCanvas* C = DrawCanvas()) C->Brush()->SetColor(Color);
}
