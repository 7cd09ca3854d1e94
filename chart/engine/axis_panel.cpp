#include "chart/engine/axis_panel.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_utils.h"
#include "platform/number_text.h"

bool ChartAxisBehind = true;

TCustomAxisPanel::TCustomAxisPanel(QWidget* Parent)
    : TCustomChartPanelExtended(Parent),
      FBottomAxis(std::make_unique<TChartAxis>(this, true, false)),
      FTopAxis(std::make_unique<TChartAxis>(this, true, true)),
      FLeftAxis(std::make_unique<TChartAxis>(this, false, false)),
      FRightAxis(std::make_unique<TChartAxis>(this, false, true)),
      FDepthAxis(std::make_unique<TChartAxis>(this, false, true, true)) {
  FAxes = {FBottomAxis.get(), FTopAxis.get(), FLeftAxis.get(), FRightAxis.get(), FDepthAxis.get()};
}

TCustomAxisPanel::~TCustomAxisPanel() {
  // Its own series go with the panel; the others outlive it in their owner and must not keep
  // pointing at it.
  FDestroying = true;
  FOwnedSeries.clear();
  while (!FSeries.empty()) FSeries.front()->SetParentChart(nullptr);
}

void TCustomAxisPanel::AddSeries(TChartSeries* Series) {
  if (Series) Series->SetParentChart(this);
}

void TCustomAxisPanel::RemoveSeries(TChartSeries* Series) {
  if (Series && Series->ParentChart() == this) Series->SetParentChart(nullptr);
}

TChartSeries* TCustomAxisPanel::AdoptSeries(std::unique_ptr<TChartSeries> Series) {
  if (!Series) return nullptr;
  TChartSeries* S = Series.get();
  if (!OwnsSeries(S)) FOwnedSeries.push_back(std::move(Series));
  S->SetParentChart(this);
  return S;
}

bool TCustomAxisPanel::OwnsSeries(const TChartSeries* Series) const {
  return std::any_of(FOwnedSeries.begin(), FOwnedSeries.end(),
                     [&](const auto& S) { return S.get() == Series; });
}

std::unique_ptr<TChartSeries>* TCustomAxisPanel::OwnedSlot(const TChartSeries* Series) {
  for (auto& S : FOwnedSeries)
    if (S.get() == Series) return &S;
  return nullptr;
}

void TCustomAxisPanel::FreeSeries(TChartSeries* Series) {
  if (!Series) return;
  const auto It = std::find_if(FOwnedSeries.begin(), FOwnedSeries.end(),
                               [&](const auto& S) { return S.get() == Series; });
  if (It == FOwnedSeries.end()) {
    RemoveSeries(Series);
    return;
  }
  // Out of the list before the series goes, so that nothing sees it half destroyed.
  std::unique_ptr<TChartSeries> Doomed = std::move(*It);
  FOwnedSeries.erase(It);
  Doomed.reset();
}

void TCustomAxisPanel::FreeAllSeries() {
  while (!FSeries.empty()) FreeSeries(FSeries.back());
}

int TCustomAxisPanel::IndexOfSeries(const TChartSeries* Series) const {
  const auto It = std::find(FSeries.begin(), FSeries.end(), Series);
  return It == FSeries.end() ? -1 : int(It - FSeries.begin());
}

void TCustomAxisPanel::InternalAddSeries(TChartSeries* Series) {
  if (IndexOfSeries(Series) >= 0) return;
  if (IsChartAuto(Series->SeriesColor())) Series->SetSeriesColor(GetFreeSeriesColor(true));
  Series->FParentChart = this;
  // A series that comes with a data source takes its values from it.
  Series->CheckDatasource();
  FSeries.push_back(Series);
  Invalidate();
}

void TCustomAxisPanel::InternalRemoveSeries(TChartSeries* Series) {
  const int I = IndexOfSeries(Series);
  Series->FParentChart = nullptr;
  if (I < 0) return;
  FSeries.erase(FSeries.begin() + I);
  Invalidate();
}

void TCustomAxisPanel::SetAxisVisible(bool Value) {
  if (FAxisVisible == Value) return;
  FAxisVisible = Value;
  Invalidate();
}

void TCustomAxisPanel::SetClipPoints(bool Value) {
  if (FClipPoints == Value) return;
  FClipPoints = Value;
  Invalidate();
}

void TCustomAxisPanel::SetView3DWalls(bool Value) {
  if (FView3DWalls == Value) return;
  FView3DWalls = Value;
  Invalidate();
}

void TCustomAxisPanel::SetScaleLastPage(bool Value) {
  if (FScaleLastPage == Value) return;
  FScaleLastPage = Value;
  Invalidate();
}

void TCustomAxisPanel::SetMaxPointsPerPage(int Value) {
  if (Value < 0) throw ChartException(ChartMessages::MaxPointsPerPage);
  if (FMaxPointsPerPage == Value) return;
  FMaxPointsPerPage = Value;
  if (FPage > NumPages()) SetPage(NumPages());
  Invalidate();
}

int TCustomAxisPanel::NumPages() const {
  if (FMaxPointsPerPage == 0 || FSeries.empty()) return 1;
  const TChartSeries* First = FSeries.front();
  const TChartAxis* A = First->YMandatory() ? FTopAxis.get() : FLeftAxis.get();
  const TChartAxis* B = First->YMandatory() ? FBottomAxis.get() : FRightAxis.get();
  auto Pages = [this](const TChartAxis* Axis) {
    int Most = 0;
    for (const TChartSeries* S : FSeries)
      if (S->Active() && S->AssociatedToAxis(Axis)) Most = std::max(Most, S->Count());
    return std::max(1, (Most + FMaxPointsPerPage - 1) / FMaxPointsPerPage);
  };
  return std::max(Pages(A), Pages(B));
}

void TCustomAxisPanel::SetPage(int Value) {
  Value = std::clamp(Value, 1, NumPages());
  if (FPage == Value) return;
  FPage = Value;
  Invalidate();
  if (OnPageChange) OnPageChange(this);
}

TChartSeries* TCustomAxisPanel::GetAxisSeries(const TChartAxis* Axis) const {
  for (TChartSeries* S : FSeries)
    if (S->Active() && S->AssociatedToAxis(Axis)) return S;
  return nullptr;
}

bool TCustomAxisPanel::PageRange(const TChartAxis* Axis, const TChartSeries*& S, int& First,
                                 int& Last) const {
  if (FMaxPointsPerPage <= 0) return false;
  S = GetAxisSeries(Axis);
  if (!S || Axis->Horizontal() != S->YMandatory()) return false;
  const int Count = S->Count();
  // An empty series has no page: its axis takes the unpaged range (the page arithmetic would
  // answer a last index of -1 here).
  if (Count <= 0) return false;
  const int M = FMaxPointsPerPage;
  First = int(std::min<long long>((static_cast<long long>(FPage) - 1) * M, INT32_MAX));
  if (First >= Count) First = std::max(0, Count / M - 1) * M;
  Last = First + M - 1;
  if (Count <= Last) Last = Count % M + First - 1;
  Last = std::clamp(Last, First, Count - 1);
  return true;
}

double TCustomAxisPanel::AxisValue(const TChartAxis* Axis, bool X, bool Max) const {
  if (!Axis) return 0;
  if (Axis->IsDepthAxis()) {
    // Depth values of the first active series; otherwise one unit per z order, each centred on
    // its own.
    if (Axis->CalcLabelStyle() == talValue)
      for (const TChartSeries* S : FSeries)
        if (S->Active()) {
          const double V = Max ? S->MaxZValue() : S->MinZValue();
          return std::isfinite(V) ? V : 0;
        }
    return Max ? std::max(0, FMaxZOrder) + 0.5 : -0.5;
  }
  const TChartSeries* PS = nullptr;
  int First = 0, Last = 0;
  if (PageRange(Axis, PS, First, Last)) {
    const double Min = PS->OrderValue(First);
    double Mx = PS->OrderValue(Last);
    const int OnPage = Last - First + 1;
    if (!FScaleLastPage && OnPage < FMaxPointsPerPage)
      Mx = (Mx - Min) * FMaxPointsPerPage / OnPage + Min;
    return Max ? Mx : Min;
  }
  bool Any = false;
  double R = 0;
  for (const TChartSeries* S : FSeries) {
    if (!S->Active() || S->Count() == 0 || !S->AssociatedToAxis(Axis)) continue;
    const double V =
        X ? (Max ? S->MaxXValue() : S->MinXValue()) : (Max ? S->MaxYValue() : S->MinYValue());
    if (!std::isfinite(V)) continue;
    if (!Any || (Max ? V > R : V < R)) R = V;
    Any = true;
  }
  return R;
}

double TCustomAxisPanel::MinXValue(const TChartAxis* Axis) const {
  return AxisValue(Axis, true, false);
}
double TCustomAxisPanel::MaxXValue(const TChartAxis* Axis) const {
  return AxisValue(Axis, true, true);
}
double TCustomAxisPanel::MinYValue(const TChartAxis* Axis) const {
  return AxisValue(Axis, false, false);
}
double TCustomAxisPanel::MaxYValue(const TChartAxis* Axis) const {
  return AxisValue(Axis, false, true);
}

bool TCustomAxisPanel::IsAxisVisible(const TChartAxis* Axis) const {
  if (!FAxisVisible || !Axis || !Axis->Visible()) return false;
  if (Axis->IsDepthAxis()) return View3D();
  bool AnyUsesAxes = false;
  for (const TChartSeries* S : FSeries) {
    if (!S->Active() || !S->UseAxis()) continue;
    AnyUsesAxes = true;
    if (S->AssociatedToAxis(Axis)) return true;
  }
  return !AnyUsesAxes;
}

int TCustomAxisPanel::GetMaxValuesCount() const {
  int Most = 0;
  for (const TChartSeries* S : FSeries)
    if (S->Active()) Most = std::max(Most, S->Count());
  return Most;
}

int TCustomAxisPanel::MaxTextWidth() const {
  int Most = 0;
  for (const TChartSeries* S : FSeries)
    for (const QString& L : S->Labels()) Most = std::max(Most, Canvas3D()->TextWidth(L));
  return Most;
}

int TCustomAxisPanel::MaxMarkWidth() const {
  int Most = 0;
  for (TChartSeries* S : FSeries) {
    if (!S->Active()) continue;
    for (int i = 0; i < S->Count(); ++i)
      Most = std::max(Most, Canvas3D()->TextWidth(S->GetMarkText(i)));
  }
  return Most;
}

TColor TCustomAxisPanel::GetFreeSeriesColor(bool CheckBackground) const {
  for (int i = 0; i < ColorPaletteSize; ++i)
    if (IsFreeSeriesColor(ColorPalette[i], CheckBackground)) return ColorPalette[i];
  return GetDefaultColor(ColorPaletteSize);
}

void TCustomAxisPanel::SetApplyZOrder(bool Value) {
  if (FApplyZOrder == Value) return;
  FApplyZOrder = Value;
  Invalidate();
}

void TCustomAxisPanel::CalcSize3D() {
  const bool Ordered = View3D() && FApplyZOrder;
  FMaxZOrder = Ordered ? -1 : 0;
  if (Ordered)
    for (TChartSeries* S : FSeries)
      if (S->Active()) S->CalcZOrder(FMaxZOrder, true);
  if (!View3D()) {
    FSeriesWidth3D = FWidth3D = FHeight3D = 0;
  } else {
    const bool Rotated = !View3DOptions()->Orthogonal();
    const int Slots = Ordered ? std::max(1, FMaxZOrder + 1) : 1;
    FSeriesWidth3D = RoundInt(ChartWidth() * Chart3DPercent() * 0.01);
    if (Rotated) FSeriesWidth3D *= 2;
    // The percent sizes one slot, and a surface claims several: at a large percent the slots
    // would make the box several chart widths deep, and the perspective, which shrinks linearly
    // with depth, turns the near side inside out. A rotated box is never deeper than the chart
    // is wide or high, so that it stays on the chart as it is turned; the slots share that depth.
    // A front view takes the depth off the plot's width and height, so there the box keeps at
    // least half of each for its front.
    const int Side = std::max(0, std::min(ChartWidth(), ChartHeight()));
    const int Deepest = Rotated ? Side : Side / 2;
    if (FSeriesWidth3D > Deepest / Slots) FSeriesWidth3D = Deepest / Slots;
    FWidth3D = FSeriesWidth3D * Slots;
    FHeight3D = FWidth3D;
  }
  for (TChartSeries* S : FSeries) {
    if (!S->Active()) continue;
    const int Index = Ordered ? FMaxZOrder - S->EffectiveZOrder() : 0;
    S->SetDepthBand(Index * FSeriesWidth3D, Index * FSeriesWidth3D + FSeriesWidth3D);
  }
}

void TCustomAxisPanel::InternalDraw(const TRect&) {
  PanelPaint(ChartBounds());
  for (TChartSeries* S : FSeries)
    if (S->Active()) S->DoBeforeDrawChart();
  DrawTitlesAndLegend();
  CalcSize3D();
  CalcAxisRect();
  Canvas3D()->Projection(FWidth3D, ChartRect());
  DrawWallsAndBack();
  auto DrawAxes = [this](TAxisPass Pass) {
    if (Pass != apTexts && OnBeforeDrawAxes) OnBeforeDrawAxes(this);
    for (TChartAxis* A : FAxes)
      if (IsAxisVisible(A)) A->Draw(*Canvas3D(), ChartRect(), Pass);
  };
  // Axes behind the series leave their labels and titles to be written over them, so that a
  // surface turned towards the labels does not hide them.
  if (FAxisVisible && ChartAxisBehind) DrawAxes(apLines);
  if (OnBeforeDrawSeries) OnBeforeDrawSeries(this);
  // In 3D, series that share one z order are drawn together, point by point, by the first.
  std::vector<bool> Drawn(FSeries.size(), false);
  for (size_t i = 0; i < FSeries.size(); ++i) {
    TChartSeries* S = FSeries[i];
    if (!S->Active() || Drawn[i]) continue;
    std::vector<TChartSeries*> Group{S};
    if (View3D())
      for (size_t j = i + 1; j < FSeries.size(); ++j)
        if (FSeries[j]->Active() && !S->HasZValues() && !FSeries[j]->HasZValues() &&
            FSeries[j]->EffectiveZOrder() == S->EffectiveZOrder()) {
          Group.push_back(FSeries[j]);
          Drawn[j] = true;
        }
    DrawSeriesGroup(Group);
  }
  if (FAxisVisible) DrawAxes(ChartAxisBehind ? apTexts : apAll);
  if (OnAfterDraw) OnAfterDraw(this);
}

void TCustomAxisPanel::DrawSeriesGroup(const std::vector<TChartSeries*>& Group) {
  int First = -1, Last = -1;
  std::vector<TChartSeries*> Shown;
  for (TChartSeries* S : Group) {
    S->CalcFirstLastVisibleIndex();
    if (S->FirstValueIndex() < 0) continue;
    Shown.push_back(S);
    First = First < 0 ? S->FirstValueIndex() : std::min(First, S->FirstValueIndex());
    Last = std::max(Last, S->LastValueIndex());
  }
  if (Shown.empty()) return;
  for (TChartSeries* S : Shown) S->DoBeforeDrawValues();
  const bool Clip = FClipPoints && CanClip();
  if (Clip) Canvas3D()->ClipCube(ChartRect(), 0, FWidth3D);
  if (Shown.size() == 1) {
    Shown.front()->DrawAllValues();
  } else {
    TChartSeries* Lead = Shown.front();
    const bool Forward = Lead->DrawValuesForward();
    for (int n = 0; n <= Last - First; ++n) {
      const int k = Forward ? First + n : Last - n;
      const bool InOrder = Lead->DrawSeriesForward(k);
      for (size_t m = 0; m < Shown.size(); ++m) {
        TChartSeries* S = Shown[InOrder ? m : Shown.size() - 1 - m];
        if (k < S->Count()) S->DrawGroupValue(k);
      }
    }
  }
  if (Clip) Canvas3D()->UnClipRectangle();
  for (TChartSeries* S : Shown) {
    if (S->Marks()->Visible()) {
      const bool ClipMarks = S->Marks()->Clip() && CanClip();
      if (ClipMarks) Canvas3D()->ClipCube(ChartRect(), 0, FWidth3D);
      S->DrawMarks();
      if (ClipMarks) Canvas3D()->UnClipRectangle();
    }
    S->DoAfterDrawValues();
  }
}

void TCustomAxisPanel::Assign(const TCustomAxisPanel& Source) {
  FAxisVisible = Source.FAxisVisible;
  FClipPoints = Source.FClipPoints;
  FMaxPointsPerPage = Source.FMaxPointsPerPage;
  FPage = Source.FPage;
  FScaleLastPage = Source.FScaleLastPage;
  FView3DWalls = Source.FView3DWalls;
  for (size_t i = 0; i < FAxes.size() && i < Source.FAxes.size(); ++i)
    FAxes[i]->Assign(*Source.FAxes[i]);
  TCustomChartPanelExtended::Assign(Source);
}
