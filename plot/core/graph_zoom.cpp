#include "plot/core/graph_zoom.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/canvas.h"
#include "plot/core/graph.h"

namespace {
// A step count that keeps an animated zoom short whatever the settings say.
constexpr int MaxAnimatedSteps = 100;

// Ends closer than this share of their magnitude are past what the numbers tell apart with
// ticks and labels between them; below the smallest magnitude the scale of a pixel overflows.
constexpr double PrecisionFloor = 1e-12;
constexpr double SmallestMagnitude = 1e-290;

bool FiniteRange(const TDoubleRect& R) {
  return std::isfinite(R.Left) && std::isfinite(R.Top) && std::isfinite(R.Right) &&
         std::isfinite(R.Bottom);
}

long double Wide(double V) { return V; }

// A step that removes the whole range or more turns the view around instead of zooming it.
bool TurnedAround(const TDoubleRect& From, const TDoubleRect& To) {
  return (Wide(From.Right) - From.Left) * (Wide(To.Right) - To.Left) < 0 ||
         (Wide(From.Bottom) - From.Top) * (Wide(To.Bottom) - To.Top) < 0;
}
}  // namespace

void TZoom::ClearStacks() {
  FPrimary.clear();
  FSecondary.clear();
  FFullView.reset();
}

namespace {
constexpr TGraphAxisId AllAxes[] = {gaXAxis, gaYAxis, gaXAxis2, gaYAxis2};
}

void TZoom::SaveState() {
  if (FPrimary.empty()) {
    FFullView = TFullView{GraphPrimary(), GraphSecondary(), {}};
    for (size_t I = 0; I < std::size(AllAxes); ++I)
      FFullView->Ticks[I] = Graph->Axis(AllAxes[I])->TickState();
  }
  PushPrimary(GraphPrimary());
  PushSecondary(GraphSecondary());
}

bool TZoom::RestoreFullView() {
  if (!FFullView) return false;
  const TFullView V = *FFullView;
  ClearStacks();
  SetGraphSecondary(V.Secondary);
  Graph->XMin = V.Primary.Left, Graph->YMin = V.Primary.Top;
  Graph->XMax = V.Primary.Right, Graph->YMax = V.Primary.Bottom;
  for (size_t I = 0; I < std::size(AllAxes); ++I) Graph->Axis(AllAxes[I])->SetTickState(V.Ticks[I]);
  Graph->ComputeMapping(Graph->PlotRect);
  return true;
}

TDoubleRect TZoom::GraphPrimary() const {
  return {Graph->XMin, Graph->YMin, Graph->XMax, Graph->YMax};
}

TDoubleRect TZoom::GraphSecondary() const {
  return {Graph->X2Min, Graph->Y2Min, Graph->X2Max, Graph->Y2Max};
}

void TZoom::SetGraphSecondary(const TDoubleRect& R) {
  Graph->X2Min = R.Left;
  Graph->Y2Min = R.Top;
  Graph->X2Max = R.Right;
  Graph->Y2Max = R.Bottom;
}

void TZoom::ZoomTo(const TDoubleRect& Primary, const TDoubleRect& Secondary) {
  SaveState();
  if (Count() == 1) {
    Graph->SavedRanges = FPrimary.front();
    Graph->ZoomPlotRect = Graph->PlotRect;
  }
  SetGraphSecondary(Secondary);
  Graph->SetRanges(Primary);
}

bool TZoom::ZoomOut() {
  if (FPrimary.empty()) return false;
  if (FPrimary.size() == 1 && RestoreFullView()) {
    Graph->Paint();
    return false;
  }
  if (!FSecondary.empty()) {
    SetGraphSecondary(FSecondary.back());
    FSecondary.pop_back();
  }
  // Set while the state is still saved, so that the axes take the ranges as they are: the last
  // step back is the full view exactly.
  Graph->SetRanges(FPrimary.back());
  FPrimary.pop_back();
  Graph->Paint();
  return !FPrimary.empty();
}

void TZoom::Reset() {
  if (FPrimary.empty()) return;
  if (!FSecondary.empty()) SetGraphSecondary(FSecondary.front());
  Enabled = false;
  if (!RestoreFullView()) {
    ClearStacks();
    Graph->SetRanges(Graph->SavedRanges);
  }
  Graph->Paint();
}

// Widths and distances in long double: ends near the largest double lie further apart than a
// double holds.
TZoom::TFractions TZoom::RelativePosition(const TDoubleRect& R, double X, double Y, int Sign) {
  TFractions F;
  const long double W = Wide(R.Right) - R.Left, H = Wide(R.Bottom) - R.Top;
  if (W != 0)
    F.XL = double(Sign * (X - Wide(R.Left)) / W), F.XR = double(Sign * (R.Right - Wide(X)) / W);
  if (H != 0)
    F.YB = double(Sign * (Y - Wide(R.Top)) / H), F.YT = double(Sign * (R.Bottom - Wide(Y)) / H);
  return F;
}

TDoubleRect TZoom::AnimatedStep(const TDoubleRect& R, const TFractions& F, double Change) {
  const long double W = Wide(R.Right) - R.Left, H = Wide(R.Bottom) - R.Top;
  return {Saturated(R.Left + W * Change * F.XL), Saturated(R.Top + H * Change * F.YB),
          Saturated(R.Right - W * Change * F.XR), Saturated(R.Bottom - H * Change * F.YT)};
}

bool TZoom::TooSmall(const TDoubleRect& Current, const TDoubleRect& Band) {
  const long double BW = std::fabs(Wide(Band.Right) - Band.Left),
                    BH = std::fabs(Wide(Band.Bottom) - Band.Top);
  // NaN compares false: a band that is not a number is no zoom either.
  return !(BW >= std::fabs(Wide(Current.Right) - Current.Left) / 10000) ||
         !(BH >= std::fabs(Wide(Current.Bottom) - Current.Top) / 10000);
}

bool TZoom::Distinct(double A, double B, bool Log) {
  const double W = std::fabs(B - A);
  const double Magnitude = std::max({std::fabs(A), std::fabs(B), SmallestMagnitude});
  // NaN compares false and is no range either.
  if (!(W >= PrecisionFloor * Magnitude)) return false;
  // On a log axis the ends are exponents: the values they stand for must differ as well.
  return !Log || -std::expm1(-W * std::log(10.0)) >= PrecisionFloor;
}

bool TZoom::Resolvable(const TDoubleRect& Primary, const TDoubleRect& Secondary) const {
  const TGraph& G = *Graph;
  auto Pair = [&](double A, double B, TGraphAxisId Id, bool Always) {
    return (!Always && !G.Axis(Id)->Visible) || Distinct(A, B, G.Axis(Id)->Log);
  };
  return Pair(Primary.Left, Primary.Right, gaXAxis, true) &&
         Pair(Primary.Top, Primary.Bottom, gaYAxis, true) &&
         Pair(Secondary.Left, Secondary.Right, gaXAxis2, false) &&
         Pair(Secondary.Top, Secondary.Bottom, gaYAxis2, false);
}

void TZoom::BeginDrag(int X, int Y) {
  const TGraph& G = *Graph;
  // Axis space on both pairs: the step and threshold arithmetic below never meets a world value.
  FStartX = (X - G.OffsetX) / G.ScaleX;
  FStartY = (Y - G.OffsetY) / G.ScaleY;
  FStartX2 = (X - G.OffsetX2) / G.ScaleX2;
  FStartY2 = (Y - G.OffsetY2) / G.ScaleY2;
  FStartPixel = {X, Y};
  if (Graph->ZoomAnimated) {
    Animate();
    return;
  }
  DragRect = {};
  Dragging = Enabled;
  if (FPrimary.empty()) {
    Graph->SavedRanges = GraphPrimary();
    Graph->SavedPlotRect = Graph->PlotRect;
  }
}

void TZoom::Animate() {
  const int Sign = Style == zsOut ? -1 : 1;
  const TFractions F1 = RelativePosition(GraphPrimary(), FStartX, FStartY, Sign);
  const TFractions F2 = RelativePosition(GraphSecondary(), FStartX2, FStartY2, Sign);
  if (ZoomAutoStop) Dragging = false;
  const int N = std::clamp(Steps, 0, MaxAnimatedSteps);
  const size_t Before = FPrimary.size();
  // No message pumping between the steps: a layer freed by a pumped event would be painted.
  for (int I = 0; I < N; ++I) {
    const TDoubleRect P = AnimatedStep(GraphPrimary(), F1, ChangePerStep);
    const TDoubleRect S = AnimatedStep(GraphSecondary(), F2, ChangePerStep);
    if (!FiniteRange(P) || !FiniteRange(S)) break;
    // Closer in than the numbers tell apart is refused as a too thin band is, and so is a step
    // that turns a range around.
    if (!Resolvable(P, S) || TurnedAround(GraphPrimary(), P) || TurnedAround(GraphSecondary(), S)) {
      if (FPrimary.size() == Before) Enabled = false;
      break;
    }
    ZoomTo(P, S);
    Graph->Paint();
  }
  // One click is one state: the steps in between are dropped, so that "Prev" goes back to the
  // view the click started from.
  if (FPrimary.size() > Before + 1) FPrimary.resize(Before + 1);
  if (FSecondary.size() > Before + 1) FSecondary.resize(Before + 1);
  if (ZoomAutoStop) {
    Enabled = false;
    Graph->ZoomAnimated = false;
    Graph->Owner->SetCursor(crDefault);
  }
}

void TZoom::DrawBand() {
  TCanvas* C = Graph->Canvas;
  C->Pen()->SetData(TPenData{clBlack, 1, psDot, pmNotXor});
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Color);
  C->Rectangle(DragRect);
}

void TZoom::Drag(int X, int Y) {
  if (FInDrag || !Dragging || !Graph->Canvas) return;
  FInDrag = true;
  TCanvas* C = Graph->Canvas;
  TPen SavedPen;
  SavedPen.Assign(*C->Pen());
  TBrush SavedBrush;
  SavedBrush.Assign(*C->Brush());
  // Not-xor twice gives back what was there: the old band is erased by drawing it again.
  if (!(DragRect == TRect{})) DrawBand();
  DragRect = {std::min(FStartPixel.X, X), std::min(FStartPixel.Y, Y), std::max(FStartPixel.X, X),
              std::max(FStartPixel.Y, Y)};
  DrawBand();
  C->Pen()->Assign(SavedPen);
  C->Brush()->Assign(SavedBrush);
  FInDrag = false;
}

void TZoom::EndDrag(int X, int Y) {
  if (!Dragging) return;
  TGraph& G = *Graph;
  const double AX = (X - G.OffsetX) / G.ScaleX, AY = (Y - G.OffsetY) / G.ScaleY;
  const double AX2 = (X - G.OffsetX2) / G.ScaleX2, AY2 = (Y - G.OffsetY2) / G.ScaleY2;
  TDoubleRect P{std::min(FStartX, AX), std::min(FStartY, AY), std::max(FStartX, AX),
                std::max(FStartY, AY)};
  TDoubleRect S{std::min(FStartX2, AX2), std::min(FStartY2, AY2), std::max(FStartX2, AX2),
                std::max(FStartY2, AY2)};
  DragRect = {};
  if (TooSmall(GraphPrimary(), P) || !FiniteRange(S) || !Resolvable(P, S)) {
    Enabled = false;
    Dragging = false;
    return;
  }
  SaveState();
  if (ZoomAutoStop)
    Enabled = false;
  else
    G.ZoomAnimated = false;
  Dragging = false;
  // An inverted axis holds its ends exchanged.
  if (G.AxisInverted(gaXAxis)) std::swap(P.Left, P.Right);
  if (G.AxisInverted(gaYAxis)) std::swap(P.Top, P.Bottom);
  if (G.AxisInverted(gaXAxis2)) std::swap(S.Left, S.Right);
  if (G.AxisInverted(gaYAxis2)) std::swap(S.Top, S.Bottom);
  SetGraphSecondary(S);
  G.SetRanges(P);
  G.ZoomPlotRect = G.PlotRect;
}
