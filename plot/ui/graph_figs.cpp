#include "plot/ui/graph_figs.h"

#include <algorithm>
#include <cmath>

#include "platform/canvas.h"
#include "plot/core/graph.h"
#include "plot/ui/figs_properties.h"
#include "plot/ui/marker_style.h"

namespace {
unsigned NextFigId = 0;

TPenStyle PenStyleOf(int Style) {
  static constexpr TPenStyle Styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
  return Styles[std::clamp(Style, 0, 4)];
}

// The plot area is the clip of every figure; a stale clip from an interrupted draw goes first.
struct TPlotClip {
  TGraph* G;
  explicit TPlotClip(TGraph* AGraph) : G(AGraph) {
    G->ResetClipRegion();
    G->SetClipRegion();
  }
  ~TPlotClip() { G->ResetClipRegion(); }
  TPlotClip(const TPlotClip&) = delete;
  TPlotClip& operator=(const TPlotClip&) = delete;
};

double PointSegmentDistance(double PX, double PY, double AX, double AY, double BX, double BY) {
  const double DX = BX - AX, DY = BY - AY, L = DX * DX + DY * DY;
  double T = L > 0 ? ((PX - AX) * DX + (PY - AY) * DY) / L : 0;
  T = std::clamp(T, 0.0, 1.0);
  return std::hypot(PX - (AX + T * DX), PY - (AY + T * DY));
}
}  // namespace

// --- TFig ---------------------------------------------------------------------------------------

TFig::TFig(TGraph* AGraph) : Graph(AGraph), Id(++NextFigId) {}

TCanvas* TFig::Canvas() const { return Graph->DrawCanvas(); }

bool TFig::MouseDown(int X, int Y) {
  Selected = true;
  LastX = X;
  LastY = Y;
  return false;
}

bool TFig::SelectOnHit(int X, int Y) {
  Selected = false;
  Selected = HitTest(X, Y);
  LastX = X;
  LastY = Y;
  return Selected;
}

void TFig::EndDrag(int X, int Y) {
  MouseDrag(X, Y);
  Selected = false;
  Creating = false;
  HitPart = -1;
}

void TFig::PrepareCanvas() {
  TCanvas* C = Canvas();
  C->Pen()->SetMode(FillMode == 1 ? pmMask : pmCopy);
  C->Brush()->SetStyle(FillMode == 0 ? bsClear : bsSolid);
  // A brush that was clear already leaves the background mode as whatever drew last set it,
  // and an opaque one would box a note's text in that drawing's colour.
  C->SetBackMode(FillMode == 0 ? bmTransparent : bmOpaque);
}

// The pixel conversion answers axis space, which on a logarithmic axis is the decade; figures
// keep world values, as the primitives they draw with expect.
double TFig::WorldX(int P) const {
  const double V = Graph->PixelToX(P);
  return Graph->AxisLog(gaXAxis) ? std::pow(10.0, V) : V;
}

double TFig::WorldY(int P) const {
  const double V = Graph->PixelToY(P);
  return Graph->AxisLog(gaYAxis) ? std::pow(10.0, V) : V;
}

double TFig::MovedX(double X, int Step) const {
  return WorldX(AddPixels(Graph->XToPixel(X), Step));
}

double TFig::MovedY(double Y, int Step) const {
  return WorldY(AddPixels(Graph->YToPixel(Y), Step));
}

void TFig::SetDrawPen(int Width, int Style) {
  TPen* P = Canvas()->Pen();
  P->SetColor(Color);
  P->SetStyle(PenStyleOf(Style));
  // A figure being stretched out shows its own width; a grabbed one a thin outline.
  P->SetWidth(Selected && !Creating ? 1 : Width);
  P->SetMode(Selected || Creating ? pmNotXor : pmCopy);
}

void TFig::DrawHandle(int PX, int PY, int PenWidth, int Style) {
  TCanvas* C = Canvas();
  C->Pen()->SetColor(Color);
  C->Pen()->SetWidth(PenWidth);
  C->Pen()->SetStyle(PenStyleOf(Style));
  C->Pen()->SetMode(pmNotXor);
  const int L = AddPixels(PX, -FigHandleReach), R = AddPixels(PX, FigHandleReach);
  const int T = AddPixels(PY, -FigHandleReach), B = AddPixels(PY, FigHandleReach);
  // Each segment leaves out its end pixel, so every corner is drawn once and XOR erases it.
  C->MoveTo(L, T);
  C->LineTo(R, T);
  C->LineTo(R, B);
  C->LineTo(L, B);
  C->LineTo(L, T);
}

void TFig::DrawWorldHandle(double WX, double WY, int PenWidth, int Style) {
  DrawHandle(Graph->XToPixel(WX), Graph->YToPixel(WY), PenWidth, Style);
}

bool TFig::Near(int PX, int PY, int X, int Y) const {
  return std::abs(static_cast<long long>(PX) - X) <= FigHandleReach &&
         std::abs(static_cast<long long>(PY) - Y) <= FigHandleReach;
}

// --- Symbol -------------------------------------------------------------------------------------

namespace GraphFigs {
TShape::TShape(TGraph* AGraph) : TFig(AGraph), Marker(AGraph) { ApplyToMarker(); }

void TShape::ApplyToMarker() {
  Marker.Style = Style;
  Marker.Size = Size;
  Marker.Color = ShapeFillColor;  // the marker fills with its colour and outlines with FillColor
  Marker.FillColor = LineColor;
  Marker.MarkerFlag = true;
}

int TShape::HalfHeight() {
  TCanvas* C = Canvas();
  const int Old = C->Font()->Size();
  C->Font()->SetSize(Size);
  const int H = C->TextHeight(QStringLiteral("("));
  C->Font()->SetSize(Old);
  return H / 2;
}

void TShape::Draw() {
  TPlotClip Clip(Graph);
  TCanvas* C = Canvas();
  if (Selected) {
    const int H = HalfHeight();
    const int PX = Graph->XToPixel(X), PY = Graph->YToPixel(Y);
    C->Pen()->SetColor(Color);
    C->Pen()->SetWidth(1);
    C->Pen()->SetMode(pmNotXor);
    C->MoveTo(AddPixels(PX, -H), AddPixels(PY, -H));
    C->LineTo(AddPixels(PX, H), AddPixels(PY, -H));
    C->LineTo(AddPixels(PX, H), AddPixels(PY, H));
    C->LineTo(AddPixels(PX, -H), AddPixels(PY, H));
    C->LineTo(AddPixels(PX, -H), AddPixels(PY, -H));
  } else {
    C->Pen()->SetColor(LineColor);
    C->Brush()->SetColor(ShapeFillColor);
    ApplyToMarker();
    Marker.DrawAt(X, Y);
  }
  C->Pen()->SetMode(pmCopy);
}

bool TShape::HitTest(int AX, int AY) {
  const int H = HalfHeight();
  const bool Hit = std::abs(static_cast<long long>(Graph->XToPixel(X)) - AX) <= H &&
                   std::abs(static_cast<long long>(Graph->YToPixel(Y)) - AY) <= H;
  HitPart = Hit ? 0 : -1;
  return Hit;
}

bool TShape::MouseDown(int AX, int AY) { return SelectOnHit(AX, AY); }

void TShape::MouseDrag(int AX, int AY) {
  if (!Selected) return;
  Draw();
  X = MovedX(X, AX - LastX);
  Y = MovedY(Y, AY - LastY);
  LastX = AX;
  LastY = AY;
  Draw();
}

bool TShape::EditProperties() {
  TfmMarkerStyle Dialog;
  Dialog.DoCreate();
  if (!Dialog.ExecuteValues(Style, Size, LineColor, ShapeFillColor)) return false;
  ApplyToMarker();
  Graph->Repaint();
  return true;
}
}  // namespace GraphFigs

// --- Lines --------------------------------------------------------------------------------------

TMonoLine::TMonoLine(TGraph* AGraph, TDoublePoint P1, TDoublePoint P2, TColor AColor, int AWidth)
    : TFig(AGraph), X1(P1.X), Y1(P1.Y), X2(P2.X), Y2(P2.Y), Width(AWidth) {
  Color = AColor;
  FillColor = AColor;
}

void TMonoLine::Draw() {
  TPlotClip Clip(Graph);
  SetDrawPen(Width, PenStyle);
  if (Selected && !Creating) {
    TCanvas* C = Canvas();
    C->MoveTo(Graph->XToPixel(X1), Graph->YToPixel(Y1));
    C->LineTo(Graph->XToPixel(X2), Graph->YToPixel(Y2));
    DrawHandles(1, 0);
  } else {
    Graph->Line(X1, Y1, X2, Y2);
  }
  Canvas()->Pen()->SetWidth(1);
  Canvas()->Pen()->SetMode(pmCopy);
}

void TMonoLine::DrawXor() {
  DrawHandles(Width, PenStyle);
  Canvas()->Pen()->SetWidth(1);
  Canvas()->Pen()->SetStyle(psSolid);
}

void TMonoLine::DrawHandles(int PenWidth, int Style) {
  DrawWorldHandle(X1, Y1, PenWidth, Style);
  DrawWorldHandle(X2, Y2, PenWidth, Style);
}

bool TMonoLine::EndHit(int X, int Y) {
  // The point being stretched out follows the mouse wherever it is.
  if (Creating) {
    HitPart = 2;
    return true;
  }
  if (Near(Graph->XToPixel(X1), Graph->YToPixel(Y1), X, Y))
    HitPart = 1;
  else if (Near(Graph->XToPixel(X2), Graph->YToPixel(Y2), X, Y))
    HitPart = 2;
  else
    HitPart = -1;
  return HitPart != -1;
}

bool TMonoLine::HitTest(int X, int Y) {
  if (EndHit(X, Y)) return true;
  const int AX = Graph->XToPixel(X1), AY = Graph->YToPixel(Y1);
  const int BX = Graph->XToPixel(X2), BY = Graph->YToPixel(Y2);
  if (PointSegmentDistance(X, Y, AX, AY, BX, BY) < 5) HitPart = 0;
  return HitPart != -1;
}

bool TMonoLine::MouseDown(int X, int Y) { return SelectOnHit(X, Y); }

void TMonoLine::MovePoints(int DX, int DY) {
  if (HitPart == 0 || HitPart == 1) {
    X1 = MovedX(X1, DX);
    Y1 = MovedY(Y1, DY);
  }
  if (HitPart == 0 || HitPart == 2) {
    X2 = MovedX(X2, DX);
    Y2 = MovedY(Y2, DY);
  }
}

void TMonoLine::MouseDrag(int X, int Y) {
  if (!Selected) return;
  Draw();
  MovePoints(X - LastX, Y - LastY);
  LastX = X;
  LastY = Y;
  Draw();
}

bool TMonoLine::EditProperties() { return EditFigProperties(*this); }

// --- Pencil -------------------------------------------------------------------------------------

TPencil::TPencil(TGraph* AGraph, TColor AColor, int AWidth)
    : TMonoLine(AGraph, {}, {}, AColor, AWidth), Points(std::make_unique<TFloatList>()) {}

void TPencil::AddPoint(double X, double Y) {
  Points->Add(X);
  Points->Add(Y);
}

void TPencil::DrawStroke() {
  for (int I = 1; I < PointCount(); ++I)
    Graph->Line(Points->GetItem(2 * I - 2), Points->GetItem(2 * I - 1), Points->GetItem(2 * I),
                Points->GetItem(2 * I + 1));
}

void TPencil::DrawHandles(int PenWidth, int Style) {
  const int N = PointCount();
  if (N == 0) return;
  DrawWorldHandle(Points->GetItem(0), Points->GetItem(1), PenWidth, Style);
  if (N > 1)
    DrawWorldHandle(Points->GetItem(2 * N - 2), Points->GetItem(2 * N - 1), PenWidth, Style);
}

void TPencil::Draw() {
  TPen* P = Canvas()->Pen();
  P->SetColor(Color);
  P->SetWidth(Width);
  P->SetStyle(PenStyleOf(PenStyle));
  DrawStroke();
}

bool TPencil::HitTest(int X, int Y) {
  HitPart = -1;
  if (Creating) {
    HitPart = 0;
    return true;
  }
  for (int I = 0; I < PointCount(); ++I)
    if (Near(Graph->XToPixel(Points->GetItem(2 * I)), Graph->YToPixel(Points->GetItem(2 * I + 1)),
             X, Y)) {
      HitPart = 1;
      break;
    }
  return HitPart != -1;
}

void TPencil::MouseDrag(int X, int Y) {
  if (!Selected) return;
  TPen* P = Canvas()->Pen();
  if (Creating) {
    const double WX = WorldX(X), WY = WorldY(Y);
    const int N = PointCount();
    if (N > 0 && Points->GetItem(2 * N - 2) == WX && Points->GetItem(2 * N - 1) == WY) return;
    AddPoint(WX, WY);
    if (N > 0) {
      P->SetColor(Color);
      P->SetStyle(PenStyleOf(PenStyle));
      P->SetWidth(Width);
      P->SetMode(pmCopy);
      Graph->Line(Points->GetItem(2 * N - 2), Points->GetItem(2 * N - 1), WX, WY);
    }
  } else {
    P->SetMode(pmNotXor);
    DrawStroke();
    for (int I = 0; I < PointCount(); ++I) {
      Points->SetItem(2 * I, MovedX(Points->GetItem(2 * I), X - LastX));
      Points->SetItem(2 * I + 1, MovedY(Points->GetItem(2 * I + 1), Y - LastY));
    }
    DrawStroke();
    P->SetMode(pmCopy);
  }
  LastX = X;
  LastY = Y;
}

// --- Rectangles and circles ---------------------------------------------------------------------

void TRectangle::Shape(const TDoubleRect& R) { Graph->Rectangle(R); }

void TCircle::Shape(const TDoubleRect& R) { Graph->Ellipse(R); }

void TRectangle::PrepareCanvas() {
  TFig::PrepareCanvas();
  // Masking is a raster operation only images carry out; elsewhere an opaque fill would hide
  // the plot. A page takes a see-through fill that tints what lies under it, as the screen
  // does; metafiles carry no alpha, so they get a hatch in the fill colour instead.
  if (FillMode != 1) return;
  const TCanvasTargetKind Kind = Canvas()->TargetKind();
  if (Kind == tkPrinter) {
    Canvas()->Pen()->SetMode(pmCopy);
    Canvas()->Brush()->SetOpacity(0.5);
  } else if (Kind == tkMetafile) {
    Canvas()->Pen()->SetMode(pmCopy);
    Canvas()->Brush()->SetStyle(bsDiagCross);
    Canvas()->SetBackMode(bmTransparent);
  }
}

void TRectangle::Draw() {
  TPlotClip Clip(Graph);
  TCanvas* C = Canvas();
  const TDoubleRect R{X1, Y1, X2, Y2};
  if (Selected || Creating) {
    SetDrawPen(Width, PenStyle);
    C->Brush()->SetStyle(bsClear);
    Shape(R);
    if (Selected && !Creating) DrawHandles(1, 0);
  } else {
    C->Pen()->SetColor(Color);
    C->Pen()->SetStyle(PenStyleOf(PenStyle));
    C->Brush()->SetColor(FillColor);
    const TBackMode Back = C->BackMode();
    PrepareCanvas();
    C->Pen()->SetWidth(Width);
    Shape(R);
    C->SetBackMode(Back);
    C->Brush()->SetOpacity(1);
  }
  C->Pen()->SetWidth(1);
  C->Pen()->SetMode(pmCopy);
}

void TRectangle::DrawHandles(int PenWidth, int Style) {
  TMonoLine::DrawHandles(PenWidth, Style);
  DrawWorldHandle(X1, Y2, PenWidth, Style);
  DrawWorldHandle(X2, Y1, PenWidth, Style);
}

bool TRectangle::HitTest(int X, int Y) {
  if (EndHit(X, Y)) return true;
  const int L = Graph->XToPixel(X1), T = Graph->YToPixel(Y1);
  const int R = Graph->XToPixel(X2), B = Graph->YToPixel(Y2);
  if (Near(R, T, X, Y))
    HitPart = 3;
  else if (Near(L, B, X, Y))
    HitPart = 4;
  else if (X >= std::min(L, R) && X <= std::max(L, R) && Y >= std::min(T, B) && Y <= std::max(T, B))
    HitPart = 0;
  return HitPart != -1;
}

void TRectangle::MovePoints(int DX, int DY) {
  switch (HitPart) {
    case 0:
    case 1:
    case 2:
      TMonoLine::MovePoints(DX, DY);
      break;
    case 3:
      X2 = MovedX(X2, DX);
      Y1 = MovedY(Y1, DY);
      break;
    case 4:
      X1 = MovedX(X1, DX);
      Y2 = MovedY(Y2, DY);
      break;
    default:
      break;
  }
}

bool TRectangle::EditProperties() { return EditFigProperties(*this); }

// --- Arrow --------------------------------------------------------------------------------------

void TArrow::HeadPoints(TDoublePoint& A, TDoublePoint& B) const {
  const double DX = X2 - X1, DY = Y2 - Y1;
  A = {X2 - (0.3 * DX - 0.05 * DY), Y2 - (0.3 * DY + 0.05 * DX)};
  B = {X2 - (0.3 * DX + 0.05 * DY), Y2 - (0.3 * DY - 0.05 * DX)};
}

void TArrow::Draw() {
  TMonoLine::Draw();
  TPlotClip Clip(Graph);
  SetDrawPen(Width, PenStyle);
  TDoublePoint A, B;
  HeadPoints(A, B);
  Graph->Line(X2, Y2, A.X, A.Y);
  Graph->Line(A.X, A.Y, B.X, B.Y);
  Graph->Line(B.X, B.Y, X2, Y2);
  Canvas()->Pen()->SetMode(pmCopy);
}

// --- Text note ----------------------------------------------------------------------------------

TNoteText::TNoteText(TGraph* AGraph) : TFig(AGraph) {
  for (int I = 0; I < 6; ++I) Frame.AddPoint(0, 0);
  Font.SetName(QStringLiteral("Arial"));
  Font.SetSize(10);
  Font.SetColor(clBlack);
}

int TNoteText::EffectiveSize() const {
  const int Size = Font.Size();
  if (TextStyle != 1 || Graph->Zoom.Count() == 0) return Size;
  const TDoubleRect& First = Graph->Zoom.PrimaryStack().front();
  const double R = std::fabs((Graph->YMax - Graph->YMin) / (First.Bottom - First.Top));
  const double S = Graph->Exaggerate != 0 ? Size * Graph->Exaggerate : Size;
  const double Scaled = S / R;
  // A zero or unbounded extent or a huge exaggeration would ask for a font no device can make.
  if (!std::isfinite(Scaled)) return std::clamp(Size, MinFontSize, MaxFontSize);
  return static_cast<int>(
      std::clamp(std::nearbyint(Scaled), double(MinFontSize), double(MaxFontSize)));
}

void TNoteText::ComputeFrame() {
  TCanvas* C = Canvas();
  TFont Saved;
  Saved.Assign(*C->Font());
  C->Font()->Assign(Font);
  C->Font()->SetSize(EffectiveSize());
  const int W = C->TextWidth(Text), H = C->TextHeight(QStringLiteral("("));
  C->Font()->Assign(Saved);
  const double R = WorldX(AddPixels(Graph->XToPixel(X), W));
  const double B = WorldY(AddPixels(Graph->YToPixel(Y), H));
  const TDoublePoint P[] = {{X, Y}, {R, Y}, {R, B}, {X, B}, {X, Y}};
  Frame = TPoly(P);
}

void TNoteText::Draw() {
  if (Text.isEmpty()) return;
  TPlotClip Clip(Graph);
  TCanvas* C = Canvas();
  TFont Saved;
  Saved.Assign(*C->Font());
  C->Font()->Assign(Font);
  C->Font()->SetSize(EffectiveSize());
  const unsigned Align = C->SetTextAlign(TA_LEFT | TA_TOP);
  const TBackMode Back = C->BackMode();
  PrepareCanvas();
  C->TextOut(Graph->XToPixel(X), Graph->YToPixel(Y), Text);
  C->SetBackMode(Back);
  C->SetTextAlign(Align);
  C->Font()->Assign(Saved);
}

bool TNoteText::HitTest(int AX, int AY) {
  HitPart = -1;
  if (Creating) return false;
  if (Frame.PointInside(WorldX(AX), WorldY(AY))) HitPart = 0;
  return HitPart == 0;
}

bool TNoteText::MouseDown(int AX, int AY) { return SelectOnHit(AX, AY); }

void TNoteText::MouseDrag(int AX, int AY) {
  if (!Selected || Creating) return;
  TPlotClip Clip(Graph);
  TCanvas* C = Canvas();
  C->Pen()->SetMode(pmNotXor);
  C->Pen()->SetColor(Font.Color());
  C->Pen()->SetWidth(1);
  C->Brush()->SetStyle(bsClear);
  Graph->Polygon(Frame);
  X = MovedX(X, AX - LastX);
  Y = MovedY(Y, AY - LastY);
  LastX = AX;
  LastY = AY;
  ComputeFrame();
  Graph->Polygon(Frame);
  C->Pen()->SetMode(pmCopy);
}

bool TNoteText::EditProperties() { return EditFigProperties(*this); }
