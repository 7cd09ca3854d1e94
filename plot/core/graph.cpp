#include "plot/core/graph.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QMenu>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/number_text.h"
#include "platform/timer.h"
#include "plot/core/graph_text_file.h"
#include "plot/core/graph_utils.h"

namespace {
TAnnotationFactory& AnnotationFactory() {
  static TAnnotationFactory F;
  return F;
}

bool IsBar(const TGraphSeries* S, int Kind) { return S && S->Kind() == Kind; }
}  // namespace

void SetGraphAnnotationFactory(TAnnotationFactory Factory) {
  AnnotationFactory() = std::move(Factory);
}

TGraph::TGraph(TCanvas* ACanvas, int ImageWidth, int ImageHeight, TGraphOwner* AOwner)
    : TGraphDrawing(ACanvas), Owner(AOwner ? AOwner : &DefaultOwner) {
  MinimumLogValue = 1e-10;
  if (AnnotationFactory()) Annotate = AnnotationFactory()(this);
  ImageRect = {0, 0, ImageWidth, ImageHeight};
  XMin = YMin = X2Min = Y2Min = 0;
  XMax = YMax = X2Max = Y2Max = 1.0;
  XAxis = std::make_unique<TXAxis>(this, XMin, XMax);
  YAxis = std::make_unique<TYAxis>(this, YMin, YMax);
  XAxis2 = std::make_unique<TXAxis2>(this);
  YAxis2 = std::make_unique<TYAxis2>(this);
  Legend = std::make_unique<TWLegend>(this);
  Legend->Color = clWhite;
  for (auto& C : ColorLegends) C = std::make_unique<TColorLegend>(this);
  Font.SetName(QStringLiteral("Arial"));
  Gradient = std::make_unique<TGraphGradient>(this, 0, 0xFFFFFF, 0xC0C0C0);
  Picture = std::make_unique<TGraphPicture>(this);
  Info = std::make_unique<TGraphInfo>(this);
}

TGraph::~TGraph() {
  FHoverTimer.reset();
  // Layers may ask the graph while they go; free them while it is whole.
  FLayers.clear();
  Info.reset();
  Annotate.reset();
  Picture.reset();
  Legend.reset();
  for (auto& C : ColorLegends) C.reset();
}

void TGraph::StartHoverTimer(TLayer* Series) {
  FHoverLayer = TLayerHandle(Series);
  if (!Series) return;
  // Without an event loop nothing would ever tick; tests call the tick themselves.
  if (!FHoverTimer && QCoreApplication::instance()) {
    FHoverTimer = std::make_unique<TTimer>();
    FHoverTimer->SetEnabled(false);
    FHoverTimer->SetInterval(HoverDelay);
    FHoverTimer->OnTimer = [this] { HoverTimerTick(); };
  }
  if (!FHoverTimer) return;
  // A move restarts the wait: the bubble comes once the mouse rests.
  FHoverTimer->SetEnabled(false);
  FHoverTimer->SetEnabled(true);
}

void TGraph::StopHoverTimer(const TLayer* Series) {
  if (Series && !FHoverLayer.Refers(Series)) return;
  FHoverLayer.Reset();
  if (FHoverTimer) FHoverTimer->SetEnabled(false);
}

void TGraph::HoverTimerTick() {
  if (Busy) return;  // a tick while painting waits for the next one
  TLayer* L = FHoverLayer.Get();
  StopHoverTimer();
  if (!L || IndexOfLayer(L) < 0) return;
  if (TGraphSeries* S = L->AsSeries()) S->PlaceHoverAnchor();
}

TAxis* TGraph::Axis(TGraphAxisId A) const {
  switch (A) {
    case gaXAxis:
      return XAxis.get();
    case gaYAxis:
      return YAxis.get();
    case gaXAxis2:
      return XAxis2.get();
    case gaYAxis2:
      return YAxis2.get();
  }
  return XAxis.get();
}

// --- Layers -------------------------------------------------------------------------------------

TLayer* TGraph::AddLayer(std::unique_ptr<TLayer> Layer) {
  Layer->Graph = this;
  DataChanged();
  FLayers.push_back(std::move(Layer));
  return FLayers.back().get();
}

TLayer* TGraph::InsertLayer(int Index, std::unique_ptr<TLayer> Layer) {
  if (Index < 0 || Index >= LayerCount()) return AddLayer(std::move(Layer));
  Layer->Graph = this;
  DataChanged();
  return FLayers.insert(FLayers.begin() + Index, std::move(Layer))->get();
}

std::unique_ptr<TLayer> TGraph::DeleteLayer(int Index) {
  TLayer* L = FLayers.at(Index).get();
  if (OnDeleteSeries) OnDeleteSeries(L);
  Undo.LayerDeleted(L);
  if (CurrentLayer == L) CurrentLayer = nullptr;
  // The handler may have changed the list: find the layer again.
  int I = IndexOfLayer(L);
  if (I < 0) return nullptr;
  DataChanged();
  std::unique_ptr<TLayer> Out = std::move(FLayers[I]);
  FLayers.erase(FLayers.begin() + I);
  // Whoever held on to the layer by handle lets go now, even if the caller keeps it alive.
  Out->DropHandles();
  return Out;
}

bool TGraph::MoveLayer(int From, int To) {
  if (From < 0 || From >= LayerCount() || To < 0 || To >= LayerCount()) return false;
  if (From == To) return true;
  // The bar slots and the drawing order follow the list.
  DataChanged();
  auto First = FLayers.begin();
  if (From < To)
    std::rotate(First + From, First + From + 1, First + To + 1);
  else
    std::rotate(First + To, First + From, First + From + 1);
  return true;
}

void TGraph::ClearLayers() {
  for (auto& L : FLayers) {
    Undo.LayerDeleted(L.get());
    L->DropHandles();
  }
  CurrentLayer = nullptr;
  DataChanged();
  FLayers.clear();
}

void TGraph::Clear() {
  ClearLayers();
  Legend->Clear();
  for (auto& C : ColorLegends) C->Clear();
  for (TAxis* A : {static_cast<TAxis*>(XAxis.get()), static_cast<TAxis*>(YAxis.get())}) {
    A->ClearLabels();
    A->AutoMin = A->AutoMax = true;
    A->Min = A->Max = MissingValue;
  }
  CurrentLayer = nullptr;
}

int TGraph::IndexOfLayer(const TLayer* Layer) const {
  for (int I = 0; I < LayerCount(); ++I)
    if (FLayers[I].get() == Layer) return I;
  return -1;
}

TLayer* TGraph::FindLayer(const QString& Name) const {
  QString U = Name.toUpper();
  for (auto& L : FLayers)
    if (L->Name.toUpper() == U) return L.get();
  return nullptr;
}

void TGraph::UnselectLayers() {
  for (auto& L : FLayers)
    if (L->GetSelected()) L->Selected = false;
}

bool TGraph::IsEmpty() const {
  for (auto& L : FLayers)
    if (L->ItemCount() > 0) return false;
  return true;
}

// --- Mapping ------------------------------------------------------------------------------------

int TGraph::ScreenAngle(double A) const {
  // The pixel deltas of a probe along the direction, taken from the scales in axis space: no
  // value is put through a logarithm twice, no probe meets the pixel clamp, and a direction
  // straight down is -90.
  const long double Rad = static_cast<long double>(A) * std::numbers::pi_v<long double> / 180;
  const long double SX = UseX2 ? ScaleX2 : ScaleX, SY = UseY2 ? ScaleY2 : ScaleY;
  const long double DX = SX * std::cos(Rad), DY = -SY * std::sin(Rad);
  if (!std::isfinite(static_cast<double>(DX)) || !std::isfinite(static_cast<double>(DY))) return 0;
  return RoundInt(ArcTan2(DY, DX) * 180 / std::numbers::pi_v<long double>);
}

void TGraph::SetRanges(const TDoubleRect& R) {
  XMin = R.Left;
  YMin = R.Top;
  XMax = R.Right;
  YMax = R.Bottom;
  XAxis->Recalc();
  YAxis->Recalc();
  XAxis2->Recalc();
  YAxis2->Recalc();
  ComputeMapping(PlotRect);
}

void TGraph::ComputeMapping(const TRect& Rect) {
  // A range of one value or an empty rectangle would divide by zero: widen them for the mapping.
  TRect R = Rect;
  if (R.Left == R.Right) --R.Left, ++R.Right;
  if (R.Bottom == R.Top) --R.Top, ++R.Bottom;
  auto Map = [&](double XA, double XB, double YA, double YB, double& SX, double& OX, double& SY,
                 double& OY) {
    if (XA == XB) XA -= 1, XB += 1;
    if (YA == YB) YA -= 1, YB += 1;
    SY = (R.Top - R.Bottom) / (YB - YA);
    OY = R.Bottom - SY * YA;
    OX = (R.Right * XA - R.Left * XB) / (XA - XB);
    SX = (R.Left - R.Right) / (XA - XB);
    // A width or a product that overflows a double (a range from -1e308 to 1e308, or an end
    // near the largest double) gives a scale of 0 or an offset that is not a number: such a
    // range is mapped in long double.
    if (!std::isfinite(XA - XB) || !std::isfinite(OX)) {
      const long double A = XA, B = XB;
      OX = static_cast<double>((R.Right * A - R.Left * B) / (A - B));
      SX = static_cast<double>((R.Left - R.Right) / (A - B));
    }
    if (!std::isfinite(YB - YA) || !std::isfinite(OY)) {
      const long double A = YA, B = YB, S = (R.Top - R.Bottom) / (B - A);
      SY = static_cast<double>(S);
      OY = static_cast<double>(R.Bottom - S * A);
    }
  };
  Map(XMin, XMax, YMin, YMax, ScaleX, OffsetX, ScaleY, OffsetY);
  Map(X2Min, X2Max, Y2Min, Y2Max, ScaleX2, OffsetX2, ScaleY2, OffsetY2);
}

// --- Bars ---------------------------------------------------------------------------------------

int TGraph::VisibleBarCount() const {
  int N = 0;
  for (auto& L : FLayers) {
    const TGraphSeries* S = L->AsSeries();
    if (L->GetVisible() && (IsBar(S, skBar) || IsBar(S, skZOrderedBar))) ++N;
  }
  return N;
}

int TGraph::BarSeriesCount() const {
  if (BarStyle == bsZOrdered) return 1;
  return FLayers.empty() ? 0 : VisibleBarCount();
}

void TGraph::ApplyBarStyle() {
  for (auto& L : FLayers) {
    TGraphSeries* S = L->AsSeries();
    if (L->GetVisible() && (IsBar(S, skBar) || IsBar(S, skZOrderedBar)))
      S->SetKind(BarStyle == bsZOrdered ? 10 : 8);
  }
}

int TGraph::MaxBarPoints() const {
  int N = 0;
  for (auto& L : FLayers)
    if (L->GetVisible() && IsBar(L->AsSeries(), 8)) N = std::max(N, L->ItemCount());
  return N;
}

int TGraph::BarSeriesIndex(const TLayer* Series) const {
  int N = -1;
  for (auto& L : FLayers)
    if (L->GetVisible() && IsBar(L->AsSeries(), 8)) {
      ++N;
      if (L.get() == Series) return N;
    }
  return N;
}

int TGraph::BarSlotCount() const {
  int N = BarSeriesCount() > 0 ? 1 : 0;
  for (auto& L : FLayers) {
    const TGraphSeries* S = L->AsSeries();
    if (S && L->GetVisible() && S->Kind() != skBar) ++N;
  }
  if (BarStyle == bsZOrdered) --N;
  return N;
}

int TGraph::BarSlot(const TLayer* Series) const {
  const TGraphSeries* Own = Series ? Series->AsSeries() : nullptr;
  // A contour layer lies on the back wall, where the frame's plot area is.
  if (!Own && Series && Series->AsContour()) return std::max(BarSlotCount(), 1);
  bool Clustered = IsBar(Own, 8);
  int N = -1;
  for (int I = LayerCount() - 1; I >= 0; --I) {
    const TLayer* L = FLayers[I].get();
    const TGraphSeries* S = L->AsSeries();
    if (!S || !L->GetVisible()) continue;
    ++N;
    if (S->Kind() == skMatrix) return BarSlotCount();
    if (L == Series) break;
    if (Clustered && S->Kind() == skBar) break;
  }
  // A layer behind no series (or not in the list) stands in the front slot, never before it.
  return std::max(N, 0);
}

double TGraph::MaxBarWidth() const {
  double W = 0;
  for (auto& L : FLayers)
    if (const TGraphSeries* S = L->AsSeries(); S && L->GetVisible()) W = std::max(W, S->BarWidth());
  return W;
}

int TGraph::MaxBarPixelWidth() const {
  const int C8 = MaxPointsOfKind(skBar), C10 = MaxPointsOfKind(skZOrderedBar);
  int W = 0;
  for (auto& L : FLayers)
    if (const TGraphSeries* S = L->AsSeries(); S && L->GetVisible())
      W = std::max(W, S->BarPixelWidth(C8, C10));
  return W;
}

bool TGraph::LayerMarkerColor(const TLayer* L, TColor& C) const {
  const TGraphSeries* S = L->AsSeries();
  if (!S || S->OwnMarkerColor()) return false;
  C = L->GetColor();
  return true;
}

// --- Colours, numbers, changed flag -------------------------------------------------------------

TColor TGraph::FreeColor() const {
  static constexpr TColor Table[16] = {0x0000FF, 0xFF0000, 0x008000, 0x808000, 0x000080, 0x800000,
                                       0x800080, 0x008080, 0xC0C0C0, 0x808080, 0x000000, 0xFF00FF,
                                       0x00FF00, 0xFFFF00, 0x00FFFF, 0xA8C1CE};
  auto Used = [&](TColor C) {
    for (auto& L : FLayers)
      if (L->GetColor() == C) return true;
    return false;
  };
  auto Pass = [&](auto Candidate, bool BackgroundTest) -> TColor {
    for (TColor E : Table) {
      TColor C = Candidate(E);
      if (Used(C)) continue;
      if (BackgroundTest && C == Color) return static_cast<TColor>(-1);
      return C;
    }
    return static_cast<TColor>(-1);
  };
  const TColor None = static_cast<TColor>(-1);
  TColor C = Pass([](TColor E) { return E; }, true);
  if (C != None) return C;
  C = Pass([](TColor E) { return DarkenColor(E, 32); }, true);
  if (C != None) return C;
  return Pass([](TColor E) { return LightenColor(E, 32); }, false);
}

int TGraph::FreeSeriesNumber() const {
  for (int N = 1; N <= 51; ++N) {
    bool Taken = false;
    for (auto& L : FLayers)
      if (const TGraphSeries* S = L->AsSeries(); S && S->SeriesNumber() == N) Taken = true;
    if (!Taken) return N;
  }
  return 1;
}

void TGraph::SetChanged(bool Value) {
  Changed = Value;
  if (!Value)
    for (auto& L : FLayers) L->SetChanged(false);
}

// --- Graph text file ----------------------------------------------------------------------------

QString TGraph::LoadErrorFormat() const {
  QString F = QStringLiteral("Object %s can not load self from line: %d");
  QString Plot = Owner->PlotName();
  if (!Plot.isEmpty()) F = Owner->FormName() + QLatin1Char('.') + Plot + QStringLiteral(": ") + F;
  return F;
}

bool TGraph::LoadFromText(const QByteArray& Data, QString* Error) {
  TGraphTextReader F(Data);
  F.LoadErrorFormat = LoadErrorFormat();
  std::vector<std::unique_ptr<TLayer>> Loaded;
  try {
    std::vector<int> Count = F.ReadIntegers(1);
    if (Count[0] < 0) F.Fail(QStringLiteral("Invalid number"));
    for (int I = 0; I < Count[0]; ++I) {
      QString Class = F.ReadLine();
      TLayerFactory Make = GetLayerClass(Class);
      if (!Make) F.Fail(QStringLiteral("Invalid Class Name"));
      std::unique_ptr<TLayer> L = Make(this);
      L->Load(F);
      Loaded.push_back(std::move(L));
    }
  } catch (const TGraphLoadError& E) {
    if (Error) *Error = E.Text;
    Owner->ShowError(E.Text);
    return false;
  }
  for (auto& L : Loaded) {
    if (ReplaceLayers)
      if (TLayer* Old = FindLayer(L->Name)) {
        // Freed only once the handler has let go of it.
        std::unique_ptr<TLayer> Gone = DeleteLayer(IndexOfLayer(Old));
      }
    AddLayer(std::move(L));
  }
  return true;
}

QByteArray TGraph::SaveToText() const {
  TGraphTextWriter F;
  F.WriteLine(QString::number(LayerCount()));
  for (auto& L : FLayers) L->Save(F);
  return F.Data();
}
