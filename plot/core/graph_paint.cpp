// Painting a whole graph: autoscale from the visible layers' extents, layout of the plot
// rectangle between titles, frame and axis labels, the mapping, and the drawing in a fixed order.
// Paint is pure drawing: it pumps no events and leaves every saved setting as it found it.
#include <algorithm>
#include <cmath>

#include "platform/canvas.h"
#include "platform/cursors.h"
#include "platform/number_text.h"
#include "plot/core/graph.h"
#include "plot/core/graph_pens.h"

namespace {
constexpr double Empty = 1e38;
// The resolution of a screen at a pixel ratio of 1.
constexpr int ScreenPpi = 96;

bool Usable(double Lo, double Hi) {
  // An empty layer answers 1e38 .. -1e38, ends the wrong way round; non-finite values say nothing
  // about the range. Data beyond 1e38 are data.
  return std::isfinite(Lo) && std::isfinite(Hi) && Lo <= Hi;
}

// The first usable extent replaces the empty one's ends: data beyond them count too.
void Merge(double& Min, double& Max, double A, double B, bool& Found) {
  Min = Found ? std::min(Min, A) : A;
  Max = Found ? std::max(Max, B) : B;
  Found = true;
}

// Whole decades around the data on a logarithmic axis.
void LogEnds(const TGraph& G, double& Min, double& Max) {
  double V = G.LogValue(Max);
  if (V != std::trunc(V)) V = V > 0 ? std::trunc(V + 1) : std::trunc(V);
  Max = V;
  V = G.LogValue(Min);
  if (V != std::trunc(V)) V = V > 0 ? std::trunc(V) : std::trunc(V - 1);
  Min = V;
}

void Degenerate(double& Min, double& Max, bool NoLayers) {
  if (Min != Max) return;
  if (Min == 0) {
    if (NoLayers)
      Min = 1, Max = 2;
    else
      Min = -1, Max = 1;
    return;
  }
  // A tenth of the value's size on each side, also for a negative value.
  const long double D = std::fabs(Min) / 10.0L;
  Min = Saturated(Min - D);
  Max = Saturated(Max + D);
}

// Puts the cursor back and removes the progress text however Paint ends.
class TPaintGuard {
 public:
  explicit TPaintGuard(TGraph& G) : FGraph(G), FCursor(crHourGlass) { FGraph.Busy = true; }
  ~TPaintGuard() {
    FGraph.ResetClipRegion();
    FGraph.UseX2 = FGraph.UseY2 = false;
    FGraph.CurrentLayer = nullptr;
    FGraph.Owner->ShowStatus(QString());
    FGraph.Owner->PictureDrawn();
    FGraph.Busy = false;
  }
  TPaintGuard(const TPaintGuard&) = delete;
  TPaintGuard& operator=(const TPaintGuard&) = delete;

 private:
  TGraph& FGraph;
  TBusyCursor FCursor;
};

// Holds the Y axes' AutoMin as saved while stacked bars paint with a fixed lower end.
class TAutoMinGuard {
 public:
  TAutoMinGuard(TAxis& Y, TAxis& Y2) : FY(Y), FY2(Y2), FOld(Y.AutoMin), FOld2(Y2.AutoMin) {}
  ~TAutoMinGuard() {
    FY.AutoMin = FOld;
    FY2.AutoMin = FOld2;
  }
  TAutoMinGuard(const TAutoMinGuard&) = delete;
  TAutoMinGuard& operator=(const TAutoMinGuard&) = delete;

 private:
  TAxis& FY;
  TAxis& FY2;
  bool FOld, FOld2;
};
}  // namespace

// --- Extents ------------------------------------------------------------------------------------

TGraph::TMergedExtent TGraph::MergeExtents(bool Secondary, bool WithDataOnly) const {
  TMergedExtent M;
  for (auto& L : FLayers) {
    if (!L->GetVisible() || (WithDataOnly && L->ItemCount() <= 0)) continue;
    const bool TakeX = L->GetOnXAxis2() == Secondary, TakeY = L->GetOnYAxis2() == Secondary;
    // A layer on neither axis of this pair adds nothing: its points are not gone through.
    if (!TakeX && !TakeY) continue;
    double A, B, C, D;
    L->GetExtent(A, B, C, D);
    if (TakeX && Usable(A, B)) Merge(M.XMin, M.XMax, A, B, M.FoundX);
    if (TakeY && Usable(C, D)) Merge(M.YMin, M.YMax, C, D, M.FoundY);
  }
  return M;
}

void TGraph::StackBarExtent(TMergedExtent& M, bool Widen) const {
  if (VisibleBarCount() <= 1 || (BarStyle != bsStacked && BarStyle != bs100Stacked)) return;
  if (BarStyle == bsStacked) {
    for (int J = 0; J < MaxPointsOfKind(skBar); ++J) {
      double Sum = 0;
      for (auto& L : FLayers) {
        const TGraphSeries* S = L->AsSeries();
        if (!S || S->Kind() != skBar) continue;
        double V = S->PointY(J);
        if (!std::isfinite(V) || IsMissingValue(V)) continue;
        Sum += V;
        M.YMax = std::max(M.YMax, Sum);
      }
    }
    M.YMin = Widen ? std::min(M.YMin, 0.0) : 0;
  } else {
    M.YMin = Widen ? std::min(M.YMin, 0.0) : 0;
    M.YMax = Widen ? std::max(M.YMax, 100.0) : 100;
  }
  // Bars without a single usable value stand on 0.
  if (M.YMax < M.YMin) M.YMax = M.YMin;
  M.FoundY = true;
}

TDoubleRect TGraph::Extent(bool Secondary) {
  TMergedExtent M = MergeExtents(Secondary, true);
  StackBarExtent(M, false);
  double XMn = M.XMin, XMx = M.XMax, YMn = M.YMin, YMx = M.YMax;
  const bool FoundX = M.FoundX, FoundY = M.FoundY;
  if (!FoundX) XMn = 1, XMx = 2;
  if (!FoundY) YMn = 1, YMx = 2;
  const TAxis& AX = *Axis(Secondary ? gaXAxis2 : gaXAxis);
  const TAxis& AY = *Axis(Secondary ? gaYAxis2 : gaYAxis);
  if (!FoundX) {
    if (!AX.AutoMin && !IsMissingValue(AX.Min)) XMn = AX.Min;
    if (!AX.AutoMax && !IsMissingValue(AX.Max)) XMx = AX.Max;
  }
  if (!FoundY) {
    if (!AY.AutoMin && !IsMissingValue(AY.Min)) YMn = AY.Min;
    if (!AY.AutoMax && !IsMissingValue(AY.Max)) YMx = AY.Max;
  }
  if (Secondary) {
    // Without layers of their own the secondary axes follow the primary extent.
    CalcExtent();  // leaves the primary data extent in DataExtent
    bool AnyX2 = false, AnyY2 = false;
    for (auto& L : FLayers) {
      AnyX2 |= L->GetOnXAxis2();
      AnyY2 |= L->GetOnYAxis2();
    }
    if (!AnyX2) XMn = DataExtent.Left, XMx = DataExtent.Right;
    if (!AnyY2) YMn = DataExtent.Top, YMx = DataExtent.Bottom;
  }
  DataExtent = {XMn, YMn, XMx, YMx};
  if (AX.Log) LogEnds(*this, XMn, XMx);
  if (AY.Log) LogEnds(*this, YMn, YMx);
  Degenerate(XMn, XMx, FLayers.empty());
  Degenerate(YMn, YMx, FLayers.empty());
  return {XMn, YMn, XMx, YMx};
}

std::vector<double> TGraph::ExtentKey(bool Secondary) const {
  std::vector<double> K{static_cast<double>(FDataGeneration), static_cast<double>(BarStyle),
                        MinimumLogValue, static_cast<double>(Secondary)};
  for (TGraphAxisId A : {gaXAxis, gaYAxis, gaXAxis2, gaYAxis2}) {
    const TAxis* X = Axis(A);
    K.insert(K.end(), {double(X->Log), double(X->AutoMin), double(X->AutoMax), X->Min, X->Max});
  }
  for (const auto& L : FLayers) {
    const TGraphSeries* S = L->AsSeries();
    K.insert(K.end(), {static_cast<double>(reinterpret_cast<quintptr>(L.get())),
                       double(L->GetVisible()), double(L->ItemCount()), double(L->GetOnXAxis2()),
                       double(L->GetOnYAxis2()), S ? double(S->Kind()) : -1.0});
  }
  return K;
}

TDoubleRect TGraph::CalcExtent() {
  TExtentCache& C = FExtentCache[0];
  std::vector<double> Key = ExtentKey(false);
  if (C.Valid && C.Key == Key) {
    DataExtent = C.Data;
    return C.Result;
  }
  C.Result = Extent(false);
  C.Data = DataExtent;
  C.Key = std::move(Key);
  C.Valid = true;
  return C.Result;
}

TDoubleRect TGraph::CalcExtent2() {
  TExtentCache& C = FExtentCache[1];
  std::vector<double> Key = ExtentKey(true);
  if (C.Valid && C.Key == Key) {
    DataExtent = C.Data;
    return C.Result;
  }
  C.Result = Extent(true);
  C.Data = DataExtent;
  C.Key = std::move(Key);
  C.Valid = true;
  return C.Result;
}

TDoubleRect TGraph::ApplyAxisLimits(const TAxis& X, const TAxis& Y, const TDoubleRect& E) const {
  auto End = [&](const TAxis& A, bool Auto, double Fixed, double Data) {
    if (!Auto && !IsMissingValue(Fixed) && std::isfinite(Fixed))
      return A.Log ? LogValue(Fixed) : Fixed;
    return Data;
  };
  TDoubleRect R{End(X, X.AutoMin, X.Min, E.Left), End(Y, Y.AutoMin, Y.Min, E.Top),
                End(X, X.AutoMax, X.Max, E.Right), End(Y, Y.AutoMax, Y.Max, E.Bottom)};
  if (X.Inverted) std::swap(R.Left, R.Right);
  if (Y.Inverted) std::swap(R.Top, R.Bottom);
  return R;
}

void TGraph::AddAutoMargins(TDoubleRect& R, const TAxis& X, bool Secondary, const TAxis& Y) {
  UseX2 = UseY2 = Secondary;
  // Widths of pixels taken from the scales: a pixel outside the plot may lie beyond the
  // largest double when the range ends near it.
  const double SX = UseX2 ? ScaleX2 : ScaleX, SY = UseY2 ? ScaleY2 : ScaleY;
  auto XPixels = [&](int N) { return N / SX; };
  auto YPixels = [&](int N) { return std::fabs(N / SY); };
  const double Three = XPixels(3);
  const int H = CharHeight;
  if (!Device().Printing) FScreenCharHeight = H;
  int M = 0;
  bool BarVisible = false;
  double WidestBar = 0;
  for (auto& L : FLayers) {
    const TGraphSeries* S = L->AsSeries();
    if (!S || !L->GetVisible()) continue;
    M = std::max(M, S->MarkerSize());
    if (S->Kind() == skBar || S->Kind() == skZOrderedBar) BarVisible = true;
    WidestBar = std::max(WidestBar, S->BarWidth());
  }
  const int Bars = BarSeriesCount();
  int P;
  if (Bars < 1) {
    P = H * RoundInt(M / 2.0);
  } else {
    P = BarVisible ? FScreenCharHeight * M : 0;
    if (BarStyle != bsClustered)
      P /= 2;
    else
      P = WidestBar > 0 ? RoundInt(P / (2 * WidestBar)) : P;
  }
  const double GX = M != 0 ? XPixels(P) : Three;
  const double ML = AutoMargins[0] ? XPixels(AutoMargins[0] * H) : 0;
  const double MR = AutoMargins[1] ? XPixels(AutoMargins[1] * H) : 0;
  // Ends at the largest double stay there: the margins saturate.
  auto Widen = [](double& End, long double By) { End = Saturated(End + By); };
  if (X.AutoMin) {
    if (X.Inverted)
      Widen(R.Right, GX + MR);
    else
      Widen(R.Left, -(GX + ML));
  }
  if (X.AutoMax) {
    if (X.Inverted)
      Widen(R.Left, -(GX + ML));
    else
      Widen(R.Right, GX + MR);
  }
  double GY = M != 0 ? -(P + 1) / SY : YPixels(2);
  const double MT = AutoMargins[2] ? YPixels(AutoMargins[2] * H) : 0;
  const double MB = AutoMargins[3] ? YPixels(AutoMargins[3] * H) : 0;
  const auto Twentieth = [&] {
    return Saturated((static_cast<long double>(R.Bottom) - R.Top) / 20);
  };
  if (Y.AutoMin) {
    if (BarVisible) GY = !Y.Inverted && R.Top != 0 ? Twentieth() : 0;
    if (Y.Inverted)
      Widen(R.Bottom, GY + MT);
    else
      Widen(R.Top, -(GY + MB));
  }
  if (Y.AutoMax) {
    if (BarVisible) GY = Twentieth();
    if (Y.Inverted) {
      if (GY > 0) GY = -GY;
      Widen(R.Top, -(GY + MB));
    } else {
      Widen(R.Bottom, GY + MT);
    }
  }
  UseX2 = UseY2 = false;
}

// --- Layout -------------------------------------------------------------------------------------

void TGraph::CalcLayout() {
  if (!Device().PageDrawing) {
    if (Device().Printing) ImageRect = PrintRect;
  }
  TRect R = ImageRect;
  if (YAxis->Visible && !YAxis2->Visible) R.Right = RoundInt(ImageRect.Right * 0.99);
  if (XAxis->Visible && !XAxis2->Visible) R.Top = ImageRect.Top + RoundInt(ImageRect.Bottom * 0.01);
  Depth3D = SaturatePixel((R.Right - R.Left) * static_cast<long double>(View3D));
  Title.ReserveSpace(R);
  for (auto& L : ColorLegends) L->CalcSize(R);
  Foot.ReserveSpace(R);
  if (Legend->Style == lsRight || Legend->Style == lsLeft) R.Right -= Depth3D;
  Legend->CalcLayout(R);
  if (Legend->Style == lsBottom || Legend->Style == lsTop) R.Right -= Depth3D;
  if (Frame.Visible) {
    const int W = Frame.GetPixelWidth();
    InflateIntRect(R, 1 - W, 1 - W);
  }
  R.Top += Depth3D;
  R = XAxis->GetLabelSize(R);
  R = XAxis2->GetLabelSize(R);
  R = YAxis->GetLabelSize(R);
  R = YAxis2->GetLabelSize(R);
  if (Exaggerate != 0) {
    const double W = std::fabs(XMax - XMin), H = std::fabs(YMax - YMin) * Exaggerate;
    const int Width = R.Right - R.Left, Height = R.Bottom - R.Top;
    // A zero span or an empty rectangle has no shape to keep.
    if (W > 0 && H > 0 && std::isfinite(W) && std::isfinite(H) && Width > 0 && Height > 0) {
      int NW = Width, NH = Height;
      if (W > H) {
        NH = TruncInt(Width * H / W);
        if (NH > Height) NH = Height, NW = TruncInt(Height * W / H);
      } else {
        NW = TruncInt(Height * W / H);
        if (NW > Width) NW = Width, NH = TruncInt(Width * H / W);
      }
      R.Right = R.Left + NW;
      R.Bottom = R.Top + NH;
      // Centred in the space it had: down by half the height lost, else right by half the width.
      const int Top = R.Top;
      if (NW == Width) OffsetIntRect(R, 0, (Height - NH) / 2);
      if (R.Top == Top) OffsetIntRect(R, (Width - NW) / 2, 0);
    }
  }
  PlotRect = R;
  ComputeMapping(R);
  if (Legend->Style == lsInside) Legend->PlaceInside();
  Title.AlignToPlot(R);
  Foot.AlignToPlot(R);
}

// --- Paint --------------------------------------------------------------------------------------

int TGraph::MeasureCharHeight() {
  TCanvas* C = DrawCanvas();
  if (!C) return CharHeight;
  const TFontData Saved = C->Font()->Data();
  C->Font()->SetName(QStringLiteral("Arial"));
  // An image at a multiple of the screen's resolution (a backing image at a pixel ratio above 1)
  // takes the screen's unit scaled: measured there, a font this small rounds to other pixel
  // counts, and every frame, shadow and gap laid out in the unit would grow out of step with
  // the text. The image's resolution counts, not the font's: a layer may have left the canvas a
  // font set up at another one, which the image only rescales when it writes.
  const int Ppi = C->PixelsPerInchY();
  const bool Scaled = C->TargetKind() == tkImage && !Device().Printing && Ppi != ScreenPpi;
  if (Scaled) {
    C->Font()->SetPixelsPerInch(Ppi);
    C->Font()->SetHeight(-RoundInt(ScreenPpi / 72.0));
  } else {
    C->Font()->SetSize(1);
  }
  int H = std::max(C->TextHeight(QStringLiteral("a")), 1);
  if (Scaled) H = std::max(RoundInt(H * double(Ppi) / ScreenPpi), 1);
  C->Font()->SetData(Saved);
  return H;
}

void TGraph::AutoscaleAndLayout() {
  TCanvas* C = DrawCanvas();
  if (!Device().PageDrawing) ImageRect = Device().Printing ? PrintRect : ImageRect;
  if (C) CharHeight = MeasureCharHeight();
  // An armed zoom tool keeps the ranges too: the band the user drags refers to them. With no
  // state saved they are the autoscaled view, and its ticks stay as the autoscale made them:
  // taken afresh from the ends with their margins they would differ.
  if (Zoom.Enabled || Zoom.Count() > 0) {
    if (Zoom.Count() > 0) {
      XAxis->Recalc();
      YAxis->Recalc();
    }
    CalcLayout();
    return;
  }
  TDoubleRect E = CalcExtent();
  TDoubleRect E2 = CalcExtent2();
  TDoubleRect R = ApplyAxisLimits(*XAxis, *YAxis, E);
  TDoubleRect R2 = ApplyAxisLimits(*XAxis2, *YAxis2, E2);
  X2Min = R2.Left, Y2Min = R2.Top, X2Max = R2.Right, Y2Max = R2.Bottom;
  SetRanges(R);
  CalcLayout();
  bool BarVisible = VisibleBarCount() > 0;
  if (!GetClipMarkers() && LayerCount() > 0 && (!BarVisible || !XAxis->Log)) {
    TDoubleRect P{XMin, YMin, XMax, YMax};
    AddAutoMargins(P, *XAxis, false, *YAxis);
    XMin = P.Left, YMin = P.Top, XMax = P.Right, YMax = P.Bottom;
    TDoubleRect S{X2Min, Y2Min, X2Max, Y2Max};
    AddAutoMargins(S, *XAxis2, true, *YAxis2);
    X2Min = S.Left, Y2Min = S.Top, X2Max = S.Right, Y2Max = S.Bottom;
    ComputeMapping(PlotRect);
  }
  if (Legend->Style == lsInside) Legend->PlaceInside();
}

void TGraph::PrepareLayout() {
  TAutoMinGuard Keep(*YAxis, *YAxis2);
  if (VisibleBarCount() >= 2 && (BarStyle == bsStacked || BarStyle == bs100Stacked))
    YAxis->AutoMin = YAxis2->AutoMin = false;
  AutoscaleAndLayout();
}

void TGraph::Paint() {
  if (Busy) return;
  TPaintGuard Guard(*this);
  if (OnBeforeStartDraw) OnBeforeStartDraw(this);
  TCanvas* C = DrawCanvas();
  if (!C) return;
  PrepareLayout();
  ResetClipRegion();
  {
    TWBrush Brush(this);
    C->Brush()->SetColor(Device().Paper() ? clWhite : BackColor);
    C->Brush()->SetStyle(bsSolid);
    if (!Dxf()) {
      C->Pen()->SetStyle(psClear);
      C->Rectangle(ImageRect);
      C->Pen()->SetStyle(psSolid);
      Gradient->Draw(ImageRect);
    }
  }
  if (OnBeforePictureDraw) OnBeforePictureDraw(this);
  // A fixed picture lies under the frame and shows around the plot; the others lie over it.
  if (Picture->Style == psFix) Picture->Draw();
  Frame.Draw();
  if (Picture->Style != psFix) Picture->Draw();
  Title.Draw();
  Foot.Draw();
  if (XAxis->Location == alOutside) XAxis->Draw();
  if (YAxis->Location == alOutside) YAxis->Draw();
  XAxis2->Draw();
  YAxis2->Draw();
  if (Legend->Style != lsInside) Legend->Draw();
  for (auto& L : ColorLegends) L->Draw();
  if (OnBeforeDraw) OnBeforeDraw(this);
  DrawLayers();
  UseX2 = UseY2 = false;
  ResetClipRegion();
  if (XAxis->Location == alInside) XAxis->Draw();
  if (YAxis->Location == alInside) YAxis->Draw();
  if (Annotate) Annotate->Draw();
  if (OnAfterDraw) OnAfterDraw(this);
  ResetClipRegion();
  if (Legend->Style == lsInside) Legend->Draw();
  if (Info->GetVisible()) Info->Draw();
}

void TGraph::DrawLayers() {
  const int K = LastBarLayerIndex();
  const int Bars = BarSeriesCount();
  bool FirstBar = true;
  // The list length is taken once: a layer added meanwhile waits for the next paint.
  const int N = LayerCount();
  for (int I = 0; I < N && I < LayerCount(); ++I) {
    TLayer* L = FLayers[I].get();
    CurrentLayer = L;
    const TGraphSeries* S = L->AsSeries();
    const bool Grouped = S && BarStyle != bsZOrdered && FirstBar && Bars > 0 && S->Kind() == skBar;
    if (Grouped && I != K) continue;
    UseX2 = L->GetOnXAxis2();
    UseY2 = L->GetOnYAxis2();
    if (L->GetVisible() && !ZoomAnimated)
      Owner->ShowStatus(
          (Device().Printing ? QStringLiteral("Printing ") : QStringLiteral("Drawing ")) + L->Name +
          QStringLiteral("..."));
    ResetClipRegion();
    SetClipRegion();
    if (!L->GetVisible()) continue;
    if (Grouped) {
      DrawBarGroup();
      FirstBar = false;
    } else {
      L->Draw();
    }
  }
  UseX2 = UseY2 = false;
  CurrentLayer = nullptr;
}

int TGraph::LastBarLayerIndex() const {
  int K = -1;
  for (int I = 0; I < LayerCount(); ++I)
    if (const TGraphSeries* S = FLayers[I]->AsSeries();
        S && S->Kind() == skBar && FLayers[I]->GetVisible())
      K = I;
  return K;
}

int TGraph::MaxPointsOfKind(int Kind) const {
  int N = 0;
  for (auto& L : FLayers)
    if (const TGraphSeries* S = L->AsSeries(); S && S->Kind() == Kind)
      N = std::max(N, L->ItemCount());
  return N;
}

TDoubleRect TGraph::GetBarSeriesExtent() const {
  double XMn = Empty, XMx = -Empty, YMn = Empty, YMx = -Empty;
  bool AnyX = false, AnyY = false;
  for (auto& L : FLayers) {
    const TGraphSeries* S = L->AsSeries();
    if (!S || !L->GetVisible() || (S->Kind() != skBar && S->Kind() != skZOrderedBar)) continue;
    double A, B, C, D;
    L->GetExtent(A, B, C, D);
    if (Usable(A, B)) Merge(XMn, XMx, A, B, AnyX);
    if (Usable(C, D)) Merge(YMn, YMx, C, D, AnyY);
  }
  if (!AnyX && !AnyY) return {0, 0, 0, 0};
  if (YAxis->Inverted) std::swap(YMn, YMx);
  if (XAxis->Inverted) std::swap(XMn, XMx);
  return {XMn, YMn, XMx, YMx};
}

TDoubleRect TGraph::QueryExtent(bool Secondary) {
  TMergedExtent M = MergeExtents(Secondary, true);
  StackBarExtent(M, true);
  if (!M.FoundX) M.XMin = 1, M.XMax = 2;
  if (!M.FoundY) M.YMin = 1, M.YMax = 2;
  DataExtent = {M.XMin, M.YMin, M.XMax, M.YMax};
  auto Decades = [this](double& Min, double& Max) {
    Max = LogValue(Max);
    if (Max != std::trunc(Max)) Max = std::trunc(Max + 1);
    Min = LogValue(Min);
    if (Min != std::trunc(Min)) Min = std::trunc(Min - 1);
  };
  if (Axis(Secondary ? gaXAxis2 : gaXAxis)->Log) Decades(M.XMin, M.XMax);
  if (Axis(Secondary ? gaYAxis2 : gaYAxis)->Log) Decades(M.YMin, M.YMax);
  Degenerate(M.XMin, M.XMax, true);
  Degenerate(M.YMin, M.YMax, true);
  return {M.XMin, M.YMin, M.XMax, M.YMax};
}

TDoubleRect TGraph::GetPrimaryExtent() { return QueryExtent(false); }

TDoubleRect TGraph::GetSecondaryExtent() { return QueryExtent(true); }

TDoubleRect TGraph::GetDataExtent() const {
  TMergedExtent M = MergeExtents(false, false);
  if (!M.FoundX || M.XMin == M.XMax) M.XMin = 1, M.XMax = 2;
  if (!M.FoundY || M.YMin == M.YMax) M.YMin = 1, M.YMax = 2;
  return {M.XMin, M.YMin, M.XMax, M.YMax};
}

void TGraph::DrawBarGroup() {
  const int N = MaxBarPoints();
  const int Bars = BarSeriesCount();
  BarGroupExtent = GetBarSeriesExtent();
  if (N == 0 || Bars == 0) return;
  const bool Backwards = Axis(UseX2 ? gaXAxis2 : gaXAxis)->Inverted;
  for (int Step = 0; Step < N; ++Step) {
    const int J = Backwards ? N - 1 - Step : Step;
    int Slot = 0;
    for (auto& L : FLayers) {
      TGraphSeries* S = L->AsSeries();
      if (!S || S->Kind() != skBar) continue;
      CurrentLayer = L.get();
      UseX2 = L->GetOnXAxis2();
      UseY2 = L->GetOnYAxis2();
      if (!L->GetVisible() && !UseX2) continue;
      if (L->GetVisible()) {
        if (BarStyle == bsClustered)
          S->DrawClusteredBar(J, Slot, BarGroupExtent, Bars, N);
        else
          S->DrawStackedBar(J);
      }
      ++Slot;
    }
  }
}

void TGraph::PaintIn(const TPaintContext& Context, const TRect& Rect) {
  TPaintScope Scope(*this, Context);
  const TRect OldImage = ImageRect;
  if (Context.Traits.Printing && !Context.Traits.PageDrawing)
    PrintRect = Rect;
  else
    ImageRect = Rect;
  Paint();
  ImageRect = OldImage;
}

void TGraph::PaintToPicture(TCanvas* PictureCanvas, const TRect& Size) {
  PaintIn(TPaintContext::Picture(PictureCanvas), Size);
}

void TGraph::PrintTo(TCanvas* Page, const TRect& Rect, bool BlackOnly) {
  PaintIn(TPaintContext::Print(Page, BlackOnly), Rect);
}

void TGraph::PaintAsPage(TCanvas* Page, const TRect& Rect, bool Printing, bool BlackOnly) {
  PaintIn(TPaintContext::PageDrawing(Page, Printing, BlackOnly), Rect);
}
