#include "chart/engine/chart_function.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/chart_exceptions.h"

namespace {
constexpr TColor AutoColor = static_cast<TColor>(0x80000000u);
// A gap of more empty range periods than this gets one zero point, not one per period.
constexpr double MaxEmptyPeriods = 1000;
}  // namespace

void TChartFunction::Assign(const TChartFunction& Source) {
  FPeriod = Source.FPeriod;
  FPeriodStyle = Source.FPeriodStyle;
  FPeriodAlign = Source.FPeriodAlign;
}

void TChartFunction::SetPeriod(double Value) {
  if (!(Value >= 0) || !std::isfinite(Value)) throw ChartException(FunctionPeriodMessage);
  if (Value == FPeriod) return;
  FPeriod = Value;
  Recalculate();
}

void TChartFunction::SetPeriodStyle(TFunctionPeriodStyle Value) {
  if (Value == FPeriodStyle) return;
  FPeriodStyle = Value;
  Recalculate();
}

void TChartFunction::SetPeriodAlign(TFunctionPeriodAlign Value) {
  if (Value == FPeriodAlign) return;
  FPeriodAlign = Value;
  Recalculate();
}

void TChartFunction::EndUpdate() {
  if (!FUpdating) return;
  FUpdating = false;
  Recalculate();
}

void TChartFunction::Recalculate() {
  if (!FUpdating && FParent) FParent->CheckDatasource();
}

TChartValueList* TChartFunction::ValueList(TChartFunctionSource* Source) const {
  const QString Name = FParent ? FParent->MandatoryValueList()->ValueSource() : QString();
  return Name.isEmpty() ? Source->MandatoryValueList() : Source->ValueListByName(Name);
}

void TChartFunction::AddFunctionXY(bool SourceYMandatory, double X, double Value,
                                   const QString& Label) {
  if (!FParent) return;
  if (SourceYMandatory)
    FParent->AddXY(X, Value, Label, AutoColor);
  else
    FParent->AddXY(Value, X, Label, AutoColor);
}

void TChartFunction::AddPoints(TChartFunctionSource* Source) {
  if (!FParent || !Source) return;
  const std::vector<TChartFunctionSource*> Sources = FParent->FunctionSources();
  if (Sources.size() > 1) {
    TChartFunctionSource* F = Sources.front();
    TChartValueList* NotMandatory = F->YMandatory() ? F->XValues() : F->YValues();
    for (int i = 0; i < F->Count(); ++i)
      AddFunctionXY(F->YMandatory(), NotMandatory->GetValue(i), CalculateMany(Sources, i),
                    F->GetXLabel(i));
    return;
  }
  if (Source->Count() == 0) return;
  TChartValueList* NotMandatory = Source->YMandatory() ? Source->XValues() : Source->YValues();
  if (FMoving) {
    const int P = std::max(1, int(std::min(std::round(FPeriod), double(Source->Count()))));
    for (int i = P - 1; i < Source->Count(); ++i)
      AddFunctionXY(Source->YMandatory(), NotMandatory->GetValue(i),
                    Calculate(Source, i - P + 1, i));
  } else if (FPeriod == 0) {
    CalculateAllPoints(Source, NotMandatory);
  } else {
    CalculateByPeriod(Source, NotMandatory);
  }
}

void TChartFunction::CalculatePeriod(TChartFunctionSource* Source, double X, int First, int Last) {
  AddFunctionXY(Source->YMandatory(), X, Calculate(Source, First, Last));
}

void TChartFunction::CalculateAllPoints(TChartFunctionSource* Source,
                                        TChartValueList* NotMandatory) {
  const double V = Calculate(Source, -1, -1);
  const double Min = NotMandatory->MinValue(), Max = NotMandatory->MaxValue();
  if (FParent->SingleFunctionPoint()) {
    AddFunctionXY(Source->YMandatory(), (Min + Max) / 2, V);
  } else {
    AddFunctionXY(Source->YMandatory(), Min, V);
    AddFunctionXY(Source->YMandatory(), Max, V);
  }
}

void TChartFunction::CalculateByPeriod(TChartFunctionSource* Source,
                                       TChartValueList* NotMandatory) {
  const int N = Source->Count();
  auto AlignedX = [this](double First, double Last) {
    return FPeriodAlign == paFirst ? First : FPeriodAlign == paLast ? Last : (First + Last) / 2;
  };
  if (FPeriodStyle == psNumPoints) {
    // A period below half a point would round to none and never move on: one point at least.
    const int Len = int(std::clamp(std::round(FPeriod), 1.0, double(std::max(N, 1))));
    for (int t = 0; t <= N - 1; t += Len) {
      const int Last = t + Len - 1;
      if (Last >= N) break;
      CalculatePeriod(Source, AlignedX(NotMandatory->GetValue(t), NotMandatory->GetValue(Last)), t,
                      Last);
    }
    return;
  }
  double Start = NotMandatory->GetValue(0);
  int t = 0;
  while (t <= N - 1) {
    double End = FParent->AdvancePeriod(Start, FPeriod);
    const double Next = NotMandatory->GetValue(t);
    if (!std::isfinite(Start) || !std::isfinite(Next) || !(End > Start)) {
      // The period no longer moves the value: the rest is one period.
      CalculatePeriod(Source, AlignedX(Next, NotMandatory->GetValue(N - 1)), t, N - 1);
      return;
    }
    if (Next >= End) {
      // An empty period adds 0 at its place; a long gap is skipped with one such point.
      AddFunctionXY(Source->YMandatory(), AlignedX(Start, End), 0);
      const double Skip = std::floor((Next - Start) / FPeriod);
      Start = Skip > MaxEmptyPeriods ? Start + Skip * FPeriod : End;
      if (!(Start >= End)) Start = Next;
      continue;
    }
    int Last = t;
    while (Last + 1 < N && NotMandatory->GetValue(Last + 1) < End) ++Last;
    CalculatePeriod(Source, AlignedX(NotMandatory->GetValue(t), NotMandatory->GetValue(Last)), t,
                    Last);
    t = Last + 1;
    Start = End;
  }
}

double TChartFunction::Calculate(TChartFunctionSource*, int, int) { return 0; }

double TChartFunction::CalculateMany(const std::vector<TChartFunctionSource*>&, int) { return 0; }

namespace {
// Folds the values First..Last (clamped to the list) of L.
template <class F>
double Fold(TChartValueList* L, int First, int Last, F Op) {
  First = std::max(First, 0);
  Last = std::min(Last, L->Count() - 1);
  if (First > Last) return 0;
  double R = L->GetValue(First);
  for (int i = First + 1; i <= Last; ++i) R = Op(R, L->GetValue(i));
  return R;
}

template <class F>
double FoldMany(const std::vector<TChartFunctionSource*>& Sources, int Index, bool Mean, F Op,
                TChartValueList* (*List)(TChartFunctionSource*)) {
  double R = 0;
  int Has = 0;
  for (TChartFunctionSource* S : Sources) {
    if (!S || S->Count() <= Index) continue;
    const double V = List(S)->GetValue(Index);
    R = Has ? Op(R, V) : V;
    ++Has;
  }
  return Mean && Has ? R / Has : R;
}

TChartValueList* Mandatory(TChartFunctionSource* S) { return S->MandatoryValueList(); }
double Sum(double A, double B) { return A + B; }
double Max(double A, double B) { return std::max(A, B); }
double Min(double A, double B) { return std::min(A, B); }
}  // namespace

double TAddChartFunction::Calculate(TChartFunctionSource* Source, int First, int Last) {
  TChartValueList* L = ValueList(Source);
  return First == -1 ? L->Total() : Fold(L, First, Last, Sum);
}
double TAddChartFunction::CalculateMany(const std::vector<TChartFunctionSource*>& S, int I) {
  return FoldMany(S, I, false, Sum, Mandatory);
}

double THighChartFunction::Calculate(TChartFunctionSource* Source, int First, int Last) {
  TChartValueList* L = ValueList(Source);
  return First == -1 ? L->MaxValue() : Fold(L, First, Last, Max);
}
double THighChartFunction::CalculateMany(const std::vector<TChartFunctionSource*>& S, int I) {
  return FoldMany(S, I, false, Max, Mandatory);
}

double TLowChartFunction::Calculate(TChartFunctionSource* Source, int First, int Last) {
  TChartValueList* L = ValueList(Source);
  return First == -1 ? L->MinValue() : Fold(L, First, Last, Min);
}
double TLowChartFunction::CalculateMany(const std::vector<TChartFunctionSource*>& S, int I) {
  return FoldMany(S, I, false, Min, Mandatory);
}

double TAverageChartFunction::Calculate(TChartFunctionSource* Source, int First, int Last) {
  TChartValueList* L = ValueList(Source);
  if (First == -1) return L->Count() ? L->Total() / L->Count() : 0;
  First = std::max(First, 0);
  Last = std::min(Last, L->Count() - 1);
  if (First > Last) return 0;
  return Fold(L, First, Last, Sum) / (Last - First + 1);
}
double TAverageChartFunction::CalculateMany(const std::vector<TChartFunctionSource*>& S, int I) {
  return FoldMany(S, I, true, Sum, Mandatory);
}

double TManySeriesChartFunction::CalculateMany(const std::vector<TChartFunctionSource*>& Sources,
                                               int Index) {
  double R = 0;
  bool First = true;
  for (TChartFunctionSource* S : Sources) {
    if (!S || S->Count() <= Index) continue;
    const double V = S->MandatoryValueList()->GetValue(Index);
    R = First ? V : CalculateValue(R, V);
    First = false;
  }
  return R;
}
