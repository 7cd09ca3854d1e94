#include "chart/engine/chart_series.h"

#include <algorithm>
#include <cmath>

#include <QDate>
#include <QRandomGenerator>

#include "chart/engine/axis_panel.h"
#include "chart/engine/canvas3d.h"
#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_format.h"
#include "chart/engine/chart_utils.h"

std::string SeriesMessages::NoValidDataSource(const QString& Name) {
  return "No valid DataSource: " + Name.toStdString();
}

TSeriesHandle TChartSeries::Handle() const {
  return TSeriesHandle(std::shared_ptr<TChartSeries* const>(FSelf));
}

TChartSeries::TChartSeries()
    : FXValues(std::make_unique<TChartValueList>(this, QStringLiteral("X"))),
      FYValues(std::make_unique<TChartValueList>(this, QStringLiteral("Y"))),
      FMarks(std::make_unique<TSeriesMarks>([this] { Repaint(); })) {
  FXValues->SetOrder(loAscending);
}

TChartSeries::~TChartSeries() {
  *FSelf = nullptr;
  FFunction.reset();
  DropDataSources();
  // Dependent series forget this one and refill from what they have left.
  const std::vector<TChartSeries*> Linked = FLinkedSeries;
  FLinkedSeries.clear();
  for (TChartSeries* L : Linked) {
    auto& D = L->FDataSources;
    D.erase(std::remove(D.begin(), D.end(), this), D.end());
    L->CheckDatasource();
  }
  if (FParentChart) FParentChart->InternalRemoveSeries(this);
}

TChartValueList* TChartSeries::ValueListByName(const QString& Name) {
  const auto& L = ValueLists();
  for (size_t i = 2; i < L.size(); ++i)
    if (L[i]->Name().compare(Name, Qt::CaseInsensitive) == 0) return L[i];
  return FYValues.get();
}

QString TChartSeries::GetXLabel(int Index) const {
  return Index >= 0 && Index < int(FLabels.size()) ? FLabels[size_t(Index)] : QString();
}

TColor TChartSeries::PointColor(int Index) const {
  return Index >= 0 && Index < int(FColors.size()) ? FColors[size_t(Index)] : clChartAuto;
}

int TChartSeries::AddXY(double X, double Y, const QString& Label, TColor Color) {
  FXValues->SetPendingValue(X);
  FYValues->SetPendingValue(Y);
  if (OnBeforeAdd && !OnBeforeAdd(this)) return -1;
  const int Index = FXValues->AddValue(X);
  FYValues->InsertValue(Index, Y);
  // The shorter colour and label lists are filled up to the new point first.
  if (int(FColors.size()) < Index) FColors.resize(size_t(Index), clChartAuto);
  FColors.insert(FColors.begin() + Index, Color);
  if (int(FLabels.size()) < Index) FLabels.resize(size_t(Index));
  FLabels.insert(FLabels.begin() + Index, Label);
  // Before anyone hears of the point: a dependent series copies the extra values too.
  AddExtraValues(Index);
  if (OnAfterAdd) OnAfterAdd(this, Index);
  NotifyValue(sdeAdd, Index);
  if (Active()) Repaint();
  return Index;
}

void TChartSeries::AddExtraValues(int ValueIndex) {
  const auto& L = ValueLists();
  for (size_t i = 2; i < L.size(); ++i) {
    L[i]->InsertValue(std::clamp(ValueIndex, 0, L[i]->Count()), L[i]->PendingValue());
    ResetPendingValue(L[i]);
  }
}

int TChartSeries::AddValueFromSeries(TChartSeries* Source, int ValueIndex, const QString& Label,
                                     TColor Color) {
  double X = Source->XValue(ValueIndex), Y = Source->YValue(ValueIndex);
  if (Source->YMandatory() != YMandatory()) std::swap(X, Y);
  const auto& Mine = ValueLists();
  const auto& Theirs = Source->ValueLists();
  for (size_t i = 2; i < Mine.size(); ++i) {
    if (i < Theirs.size() && ValueIndex < Theirs[i]->Count())
      Mine[i]->SetPendingValue(Theirs[i]->GetValue(ValueIndex));
    else
      ResetPendingValue(Mine[i]);
  }
  return AddXY(X, Y, Label, Color);
}

int TChartSeries::AddY(double Y, const QString& Label, TColor Color) {
  const int N = Count();
  return YMandatory() ? AddXY(N, Y, Label, Color) : AddXY(Y, N, Label, Color);
}

void TChartSeries::Delete(int ValueIndex) {
  if (ValueIndex < 0 || ValueIndex >= Count()) return;
  for (TChartValueList* L : ValueLists()) L->Delete(ValueIndex);
  if (ValueIndex < int(FColors.size())) FColors.erase(FColors.begin() + ValueIndex);
  if (ValueIndex < int(FLabels.size())) FLabels.erase(FLabels.begin() + ValueIndex);
  FMarks->DeletePosition(ValueIndex);
  NotifyValue(sdeDelete, ValueIndex);
  Repaint();
}

void TChartSeries::Clear() {
  for (TChartValueList* L : ValueLists()) L->ClearValues();
  std::vector<TColor>().swap(FColors);
  std::vector<QString>().swap(FLabels);
  FMarks->ClearPositions();
  if (OnClearValues) OnClearValues(this);
  NotifyValue(sdeClear, 0);
  Repaint();
}

void TChartSeries::FillSampleValues(int NumValues) {
  if (NumValues < 1) throw ChartException(SeriesMessages::FillSampleValues);
  Clear();
  double MinX = 0, MaxX = NumValues - 1, MinY = 0, MaxY = 1000;
  if (FXValues->DateTime()) {
    MinX = double(QDate::currentDate().toJulianDay() - QDate(1899, 12, 30).toJulianDay());
    MaxX = MinX + NumValues - 1;
  }
  TCustomAxisPanel* C = FParentChart;
  if (C && C->GetMaxValuesCount() > 0) {
    TChartAxis* H = YMandatory() ? C->BottomAxis() : C->LeftAxis();
    TChartAxis* V = YMandatory() ? C->LeftAxis() : C->BottomAxis();
    MinX = C->MinXValue(H);
    MaxX = C->MaxXValue(H);
    MinY = C->MinYValue(V);
    MaxY = C->MaxYValue(V);
    // Equal ends are widened; so is a span that runs backwards (a negative minimum doubled is
    // no maximum), always upwards.
    auto Widen = [](double& Min, double& Max, double Fallback) {
      if (Max > Min) return;
      Max = Min > 0 ? 2 * Min : Min + (Min == 0 ? Fallback : std::fabs(Min));
    };
    Widen(MinY, MaxY, 1000);
    Widen(MinX, MaxX, NumValues);
  }
  // Ranges too wide for a double give a flat run of samples rather than infinities.
  double Step = NumValues > 1 ? (MaxX - MinX) / (NumValues - 1) : 0;
  if (!std::isfinite(Step)) Step = 0;
  const double RawSpan = MaxY - MinY;
  const double Span = std::isfinite(RawSpan) ? std::clamp(RawSpan, 1.0, 2147483647.0) : 1000.0;
  const long long RSpan = std::llround(Span);
  auto Random = [](long long Range) {
    return Range > 0 ? double(QRandomGenerator::global()->bounded(qint64(Range))) : 0.0;
  };
  double Y = MinY + Random(RSpan);
  double X = MinX;
  for (int i = 0; i < NumValues; ++i) {
    const double R = Random(RSpan / 4);
    Y = std::fabs(Y + R - double((RSpan / 4) / 2));
    FXValues->SetPendingValue(X);
    AddXY(X, Y, {}, clChartAuto);
    X += Step;
  }
  RefreshSeries();
}

TColor TChartSeries::GetValueColor(int ValueIndex) const {
  const bool Has = ValueIndex >= 0 && ValueIndex < int(FColors.size());
  if (Has && !IsChartAuto(FColors[size_t(ValueIndex)])) return FColors[size_t(ValueIndex)];
  if (Has && FColorEachPoint) return GetDefaultColor(ValueIndex);
  return FSeriesColor;
}

void TChartSeries::SetColorEachPoint(bool Value) {
  if (!Value) std::fill(FColors.begin(), FColors.end(), clChartAuto);
  if (FColorEachPoint == Value) return;
  FColorEachPoint = Value;
  Repaint();
}

void TChartSeries::SetValueFormat(const QString& Value) {
  if (Value == FValueFormat) return;
  FValueFormat = Value;
  Repaint();
}

void TChartSeries::SetPercentFormat(const QString& Value) {
  if (Value == FPercentFormat) return;
  FPercentFormat = Value;
  Repaint();
}

QString TChartSeries::PercentText(int ValueIndex, bool WithTotal) {
  const double Total = MandatoryValueList()->TotalAbs();
  const double P = Total == 0 ? 100 : std::fabs(GetMarkValue(ValueIndex)) * 100 / Total;
  const QString Text = FormatFloat(FPercentFormat, P);
  if (!WithTotal) return Text;
  return QStringLiteral("%1 of %2").arg(Text, FormatFloat(FValueFormat, Total));
}

QString TChartSeries::XValueText(int ValueIndex) const {
  const double X = XValue(ValueIndex);
  const TChartAxis* A = GetHorizAxis();
  return A ? A->LabelValue(X) : FormatFloat(FValueFormat, X);
}

QString TChartSeries::GetMarkText(int ValueIndex) {
  TMarkTexts T;
  T.Label = GetXLabel(ValueIndex);
  T.Value = FormatFloat(FValueFormat, GetMarkValue(ValueIndex));
  T.Percent = PercentText(ValueIndex, false);
  T.PercentTotal = PercentText(ValueIndex, true);
  T.Legend =
      PointLegendString(ValueIndex, FParentChart ? FParentChart->LegendTextStyle() : ltsLeftValue);
  T.XValue = XValueText(ValueIndex);
  QString Text = MarkTextOfStyle(FMarks->Style(), T);
  if (OnGetMarkText) OnGetMarkText(this, ValueIndex, Text);
  return Text;
}

void TChartSeries::SwapValueIndex(int A, int B) {
  for (TChartValueList* L : ValueLists()) L->Exchange(A, B);
  // Lists that stop short reach both points first: missing entries are automatic and empty.
  const size_t Far = size_t(std::max(A, B)) + 1;
  if (FColors.size() < Far) FColors.resize(Far, clChartAuto);
  if (FLabels.size() < Far) FLabels.resize(Far);
  std::swap(FColors[size_t(A)], FColors[size_t(B)]);
  std::swap(FLabels[size_t(A)], FLabels[size_t(B)]);
}

void TChartSeries::NotifyValue(TSeriesDataEvent Event, int ValueIndex) {
  const std::vector<TChartSeries*> Linked = FLinkedSeries;
  for (TChartSeries* L : Linked) {
    if (std::find(L->FDataSources.begin(), L->FDataSources.end(), this) == L->FDataSources.end())
      continue;
    switch (Event) {
      case sdeClear:
        if (L->FUpdateOptions & suoClear) L->Clear();
        break;
      case sdeAdd:
        if ((L->FUpdateOptions & suoAdd) && !L->FFunction)
          L->AddValueAndAttributes(this, ValueIndex);
        break;
      case sdeDelete:
        if ((L->FUpdateOptions & suoDelete) && !L->FFunction) L->Delete(ValueIndex);
        break;
      case sdeRefresh:
        L->AssignValues(this);
        break;
      case sdeModify:
        if (L->FUpdateOptions & suoModify) L->AssignValues(this);
        break;
    }
  }
}

void TChartSeries::Repaint() {
  if (FParentChart) FParentChart->Invalidate();
}

void TChartSeries::AddValueAndAttributes(TChartSeries* Source, int ValueIndex) {
  AddValueFromSeries(Source, ValueIndex, Source->GetXLabel(ValueIndex),
                     Source->PointColor(ValueIndex));
}

void TChartSeries::AssignValues(TChartSeries* Source) {
  if (!Source || !IsValidSourceOf(Source)) return;
  Clear();
  if (FFunction) {
    FXValues->SetDateTime(Source->XValues()->DateTime());
    FYValues->SetDateTime(Source->YValues()->DateTime());
    FFunction->AddPoints(Source);
  } else {
    for (int i = 0; i < Source->Count(); ++i) AddValueAndAttributes(Source, i);
  }
}

void TChartSeries::CheckDatasource() {
  if (TChartSeries* S = DataSource()) AssignValues(S);
}

std::vector<TChartFunctionSource*> TChartSeries::FunctionSources() {
  return {FDataSources.begin(), FDataSources.end()};
}

void TChartSeries::SetFunction(std::unique_ptr<TChartFunction> Function) {
  FFunction = std::move(Function);
  if (FFunction) FFunction->SetParentSeries(this);
  CheckDatasource();
}

bool TChartSeries::DependsOn(const TChartSeries* S) const {
  // Iterative over the chain of sources; each series is visited once.
  std::vector<const TChartSeries*> Todo{this}, Seen;
  while (!Todo.empty()) {
    const TChartSeries* C = Todo.back();
    Todo.pop_back();
    if (std::find(Seen.begin(), Seen.end(), C) != Seen.end()) continue;
    Seen.push_back(C);
    for (const TChartSeries* D : C->FDataSources) {
      if (D == S) return true;
      Todo.push_back(D);
    }
  }
  return false;
}

void TChartSeries::DropDataSources() {
  for (TChartSeries* D : FDataSources) {
    auto& L = D->FLinkedSeries;
    L.erase(std::remove(L.begin(), L.end(), this), L.end());
  }
  FDataSources.clear();
}

void TChartSeries::SetDataSource(TChartSeries* Source) {
  if (!Source) {
    DropDataSources();
    Clear();
    return;
  }
  CheckSource(Source);
  if (std::find(FDataSources.begin(), FDataSources.end(), Source) != FDataSources.end()) return;
  if (Source->DependsOn(this)) throw ChartException(ChartMessages::Circular);
  DropDataSources();
  FDataSources.push_back(Source);
  Source->FLinkedSeries.push_back(this);
  CheckDatasource();
}

void TChartSeries::CheckSource(const TChartSeries* Source) const {
  if (!FParentChart) throw ChartException(SeriesMessages::NoParentChart);
  if (!IsValidSourceOf(Source))
    throw ChartException(SeriesMessages::NoValidDataSource(Source->Name()));
}

void TChartSeries::ReplaceDataSource(TChartSeries* Old, TChartSeries* New) {
  const auto It = std::find(FDataSources.begin(), FDataSources.end(), Old);
  if (It == FDataSources.end() || Old == New) return;
  auto& OldLinked = Old->FLinkedSeries;
  OldLinked.erase(std::remove(OldLinked.begin(), OldLinked.end(), this), OldLinked.end());
  if (!New || std::find(FDataSources.begin(), FDataSources.end(), New) != FDataSources.end() ||
      !IsValidSourceOf(New) || New->DependsOn(this)) {
    FDataSources.erase(It);
  } else {
    *It = New;
    New->FLinkedSeries.push_back(this);
  }
  CheckDatasource();
}

void TChartSeries::Loaded(const std::vector<TChartSeries*>& Sources) {
  for (TChartSeries* Source : Sources) {
    if (!Source) continue;
    CheckSource(Source);
    if (std::find(FDataSources.begin(), FDataSources.end(), Source) != FDataSources.end()) continue;
    if (Source->DependsOn(this)) throw ChartException(ChartMessages::Circular);
    FDataSources.push_back(Source);
    Source->FLinkedSeries.push_back(this);
  }
  CheckDatasource();
}

bool TChartSeries::IsDrawable(int ValueIndex) const {
  if (ValueIndex < 0 || ValueIndex >= Count()) return false;
  return GetValueColor(ValueIndex) != clNone && std::isfinite(XValue(ValueIndex)) &&
         std::isfinite(YValue(ValueIndex));
}

void TChartSeries::DrawAllValues() {
  if (FFirstValueIndex < 0) return;
  const int Last = std::min(FLastValueIndex, Count() - 1);
  if (DrawValuesForward()) {
    for (int i = FFirstValueIndex; i <= Last; ++i)
      if (IsDrawable(i)) DrawValue(i);
  } else {
    for (int i = Last; i >= FFirstValueIndex; --i)
      if (IsDrawable(i)) DrawValue(i);
  }
}

void TChartSeries::CalcFirstLastVisibleIndex() {
  FFirstValueIndex = FLastValueIndex = -1;
  const int N = Count();
  if (N == 0) return;
  const bool ByX = YMandatory();
  const TChartValueList* Order = ByX ? FXValues.get() : FYValues.get();
  const TChartAxis* A = ByX ? GetHorizAxis() : GetVertAxis();
  if (Order->Order() == loNone || !A || !FParentChart || !FCalcVisiblePoints) {
    FFirstValueIndex = 0;
    FLastValueIndex = N - 1;
    return;
  }
  auto Value = [this, ByX](int i) { return ByX ? XValue(i) : YValue(i); };
  const TRect R = FParentChart->ChartRect();
  int StartPx, EndPx;
  if (A->Horizontal()) {
    StartPx = A->Inverted() ? R.Right : R.Left;
    EndPx = A->Inverted() ? R.Left : R.Right;
  } else {
    StartPx = A->Inverted() ? R.Top : R.Bottom;
    EndPx = A->Inverted() ? R.Bottom : R.Top;
  }
  const double StartV = A->CalcPosPoint(StartPx), EndV = A->CalcPosPoint(EndPx);
  int F = 0;
  while (F < N && Value(F) < StartV) ++F;
  if (F == N) return;
  FFirstValueIndex = F;
  if (Value(N - 1) <= EndV) {
    FLastValueIndex = N - 1;
    return;
  }
  int L = F;
  while (L < N - 1 && Value(L) < EndV) ++L;
  if (!FDrawBetweenPoints && Value(L) > EndV && L > F) --L;
  FLastValueIndex = L;
}

void TChartSeries::SetParentChart(TCustomAxisPanel* Chart) {
  if (FParentChart == Chart) return;
  if (FParentChart) ParentChartChanging(Chart);
  if (FParentChart) FParentChart->InternalRemoveSeries(this);
  if (Chart) Chart->InternalAddSeries(this);
  if (Chart) ParentChartChanged();
}

void TChartSeries::SetActive(bool Value) {
  if (FActive == Value) return;
  FActive = Value;
  ActiveChanged();
  if (FParentChart) FParentChart->Invalidate();
}

namespace {
// Extremes over the finite values; 0 for a series without any.
template <class F>
double Extreme(const TChartSeries& S, F Value, bool Max) {
  bool Any = false;
  double R = 0;
  for (int i = 0; i < S.Count(); ++i) {
    const double V = Value(i);
    if (!std::isfinite(V)) continue;
    if (!Any || (Max ? V > R : V < R)) R = V;
    Any = true;
  }
  return R;
}
}  // namespace

double TChartSeries::MinXValue() const {
  return Extreme(
      *this, [this](int i) { return XValue(i); }, false);
}
double TChartSeries::MaxXValue() const {
  return Extreme(
      *this, [this](int i) { return XValue(i); }, true);
}
double TChartSeries::MinYValue() const {
  return Extreme(
      *this, [this](int i) { return YValue(i); }, false);
}
double TChartSeries::MaxYValue() const {
  return Extreme(
      *this, [this](int i) { return YValue(i); }, true);
}

bool TChartSeries::AssociatedToAxis(const TChartAxis* Axis) const {
  if (!FParentChart || !Axis || !UseAxis()) return false;
  if (Axis->Horizontal()) {
    if (FHorizAxis == aBothHorizAxis) return true;
    return Axis == (FHorizAxis == aTopAxis ? FParentChart->TopAxis() : FParentChart->BottomAxis());
  }
  if (Axis->IsDepthAxis()) return false;
  if (FVertAxis == aBothVertAxis) return true;
  return Axis == (FVertAxis == aRightAxis ? FParentChart->RightAxis() : FParentChart->LeftAxis());
}

void TChartSeries::Assign(const TChartSeries& Source) {
  if (&Source == this) return;
  DropDataSources();
  const bool SameMandatory = YMandatory() == Source.YMandatory();
  FXValues->Assign(SameMandatory ? *Source.FXValues : *Source.FYValues);
  FYValues->Assign(SameMandatory ? *Source.FYValues : *Source.FXValues);
  const auto& Mine = ValueLists();
  const auto& Theirs = Source.ValueLists();
  for (size_t i = 2; i < std::min(Mine.size(), Theirs.size()); ++i) Mine[i]->Assign(*Theirs[i]);
  if (!FFunction && Source.FFunction) {
    FFunction = Source.FFunction->NewInstance();
    FFunction->Assign(*Source.FFunction);
    FFunction->SetParentSeries(this);
  }
  if (!Source.FDataSources.empty()) {
    for (TChartSeries* D : Source.FDataSources) {
      FDataSources.push_back(D);
      D->FLinkedSeries.push_back(this);
    }
  } else {
    for (TChartValueList* L : Mine) L->ClearValues();
    FColors.clear();
    FLabels.clear();
    FMarks->ClearPositions();
    auto* Src = const_cast<TChartSeries*>(&Source);
    for (int i = 0; i < Source.Count(); ++i) AddValueAndAttributes(Src, i);
  }
  FMarks->Assign(*Source.FMarks);
  FSeriesColor = Source.FSeriesColor;
  FColorEachPoint = Source.FColorEachPoint;
  FTitle = Source.FTitle;
  FValueFormat = Source.FValueFormat;
  FPercentFormat = Source.FPercentFormat;
  FActive = Source.FActive;
  FHorizAxis = Source.FHorizAxis;
  FVertAxis = Source.FVertAxis;
  FUpdateOptions = Source.FUpdateOptions;
  FCursor = Source.FCursor;
  FShowInLegend = Source.FShowInLegend;
  FStyleFlags = Source.FStyleFlags;
  FIdentifier = Source.FIdentifier;
  CheckDatasource();
  Repaint();
}

void TChartSeries::AssignEvents(const TChartSeries& Source) {
  OnBeforeAdd = Source.OnBeforeAdd;
  OnAfterAdd = Source.OnAfterAdd;
  OnClearValues = Source.OnClearValues;
  OnGetMarkText = Source.OnGetMarkText;
  BeforeDrawValues = Source.BeforeDrawValues;
  AfterDrawValues = Source.AfterDrawValues;
  OnClick = Source.OnClick;
  OnDblClick = Source.OnDblClick;
}

double TChartSeries::AdvancePeriod(double Value, double Period) const {
  const TChartAxis* A = GetHorizAxis();
  if (!A || !A->ExactDateTime() || !(FXValues->DateTime() || A->IsDateTime()))
    return Value + Period;
  IncDecDateTime(true, Value, Period, true, DateTimeStepIndex(Period));
  return Value;
}

void TChartSeries::Set3D(bool Value) {
  if (!FParentChart) return;
  FParentChart->SetView3D(Value);
  FParentChart->SetClipPoints(!Value);
}

void TChartSeries::PrepareForGallery(bool IsEnabled) {
  FillSampleValues(4);
  FMarks->SetVisible(false);
  SetColorEachPoint(false);
  if (!IsEnabled) SetSeriesColor(clSilver);
}

bool TChartSeries::Clicked(int ValueIndex, Qt::MouseButton Button, TShiftState Shift, int X,
                           int Y) {
  if (!FParentChart) return false;
  bool& Handled = FParentChart->CancelMouse;
  Handled = false;
  const TSeriesClickEvent& Event = (Shift & ssDouble) && OnDblClick ? OnDblClick : OnClick;
  if (!Event) return false;
  Handled = true;
  Event(this, ValueIndex, Button, Shift, X, Y);
  return Handled;
}

TChartAxis* TChartSeries::GetHorizAxis() const {
  if (!FParentChart) return nullptr;
  return FHorizAxis == aTopAxis ? FParentChart->TopAxis() : FParentChart->BottomAxis();
}

TChartAxis* TChartSeries::GetVertAxis() const {
  if (!FParentChart) return nullptr;
  return FVertAxis == aRightAxis ? FParentChart->RightAxis() : FParentChart->LeftAxis();
}

int TChartSeries::CalcXPos(int ValueIndex) const {
  const TChartAxis* A = GetHorizAxis();
  return A ? A->CalcPosValue(XValue(ValueIndex)) : 0;
}

int TChartSeries::CalcYPos(int ValueIndex) const {
  const TChartAxis* A = GetVertAxis();
  return A ? A->CalcPosValue(YValue(ValueIndex)) : 0;
}

void TChartSeries::DrawMarks() {
  if (!FParentChart) return;
  TChartCanvas3D* C = FParentChart->Canvas3D();
  if (FFirstValueIndex < 0) return;
  for (int i = FFirstValueIndex; i <= std::min(FLastValueIndex, Count() - 1); ++i) {
    if (!IsDrawable(i)) continue;
    const QString Text = GetMarkText(i);
    if (Text.isEmpty()) continue;
    C->Font()->Assign(*FMarks->Font());
    if (FParentChart->View3D() && FParentChart->View3DOptions()->ZoomText()) {
      const double Size =
          std::round(FMarks->Font()->Size() * 0.01 * FParentChart->View3DOptions()->Zoom());
      C->Font()->SetSize(int(std::clamp(Size, 1.0, 32767.0)));
    }
    TSeriesMarkPosition P = MarkBox(*C, Text, {CalcXPos(i), CalcYPos(i)},
                                    FMarks->Frame()->Visible(), FMarks->Frame()->Width());
    DrawMark(i, Text, P);
  }
}

void TChartSeries::DrawMark(int ValueIndex, const QString& Text, TSeriesMarkPosition& Position) {
  FMarks->Draw(*FParentChart->Canvas3D(), FParentChart->Color(), ValueIndex,
               GetValueColor(ValueIndex), Text, Position);
}

void TChartSeries::SetZOrder(int Value) {
  Value = std::max(-1, Value);
  if (Value == FZOrder) return;
  FZOrder = Value;
  Repaint();
}

void TChartSeries::CalcZOrder(int& MaxZ, bool Is3D) {
  if (FZOrder >= 0) {
    MaxZ = std::max(MaxZ, FZOrder);
  } else if (!Is3D) {
    FCalcZOrder = 0;
  } else {
    FCalcZOrder = ++MaxZ;
  }
}

void TChartSeries::SetDepthBand(int Start, int End) {
  FStartZ = Start;
  FEndZ = End;
  FMiddleZ = (Start + End) / 2;
  FMarks->SetZPosition(FMiddleZ);
}

void TChartSeries::DrawLegend(int ValueIndex, const TRect& R) {
  if (ValueIndex == -1 && FColorEachPoint) return;
  TChartCanvas3D* C = FParentChart ? FParentChart->Canvas3D() : nullptr;
  if (!C) return;
  const TColor Color = ValueIndex == -1 ? FSeriesColor : LegendItemColor(ValueIndex);
  if (Color == clNone) return;
  const TColor LegendColor = FParentChart->LegendColor();
  TColor Back = LegendColor;
  TBrushStyle Style = bsSolid;
  PrepareLegendCanvas(ValueIndex, Back, Style);
  if (IsChartAuto(Back)) Back = LegendColor;
  if (IsChartAuto(Back)) Back = FParentChart->Color();
  C->Brush()->SetData(TBrushData{Color, Style, {}});
  C->SetBackColor(ChartDrawColor(Back) == clNone ? clWhite : Back);
  DrawLegendShape(ValueIndex, R);
  if (Color == LegendColor) {
    C->Brush()->SetStyle(bsClear);
    C->Pen()->SetData(TPenData{Color == clBlack ? clWhite : clBlack, 1, psSolid, pmCopy});
    C->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
  }
}

void TChartSeries::DrawLegendShape(int, const TRect& R) {
  if (FParentChart) FParentChart->Canvas3D()->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
}

QString TChartSeries::PointLegendString(int ValueIndex, TLegendTextStyle Style) {
  if (ValueIndex < 0 || ValueIndex >= Count()) return {};
  const QString Label = GetXLabel(ValueIndex);
  auto Value = [&] { return FormatFloat(FValueFormat, GetMarkValue(ValueIndex)); };
  auto Percent = [&] { return PercentText(ValueIndex, false); };
  QString T;
  switch (Style) {
    case ltsPlain:
      T = Label;
      break;
    case ltsLeftValue:
      T = Value() + ' ' + Label;
      break;
    case ltsRightValue:
      T = Label + ' ' + Value();
      break;
    case ltsLeftPercent:
      T = Percent() + ' ' + Label;
      break;
    case ltsRightPercent:
      T = Label + ' ' + Percent();
      break;
    case ltsXValue:
      T = XValueText(ValueIndex);
      break;
  }
  return T.replace(QLatin1Char('\r'), QLatin1Char(' '))
      .replace(QLatin1Char('\n'), QLatin1Char(' '));
}
