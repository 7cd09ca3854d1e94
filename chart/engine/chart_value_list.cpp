#include "chart/engine/chart_value_list.h"

#include <algorithm>
#include <cmath>

namespace {
int DefaultCapacity = 0;
}

int ChartDefaultCapacity() { return DefaultCapacity; }
void SetChartDefaultCapacity(int Value) { DefaultCapacity = std::max(0, Value); }

TChartValueList::TChartValueList(TChartValueListOwner* Owner, const QString& Name)
    : FOwner(Owner), FName(Name) {
  if (FOwner) FOwner->ValueLists().push_back(this);
  ClearValues();
}

TChartValueList::~TChartValueList() {
  if (!FOwner) return;
  auto& L = FOwner->ValueLists();
  L.erase(std::remove(L.begin(), L.end(), this), L.end());
}

void TChartValueList::Assign(const TChartValueList& Source) {
  FOrder = Source.FOrder;
  FDateTime = Source.FDateTime;
  FMultiplier = Source.FMultiplier;
  FValueSource = Source.FValueSource;
  FStatsDirty = true;
}

void TChartValueList::SetSource(const TChartValueSource* Source) {
  std::vector<double>().swap(FValues);
  FSource = Source;
  FStatsDirty = true;
}

void TChartValueList::TakeSourceValues() {
  if (!FSource) return;
  const TChartValueSource* S = FSource;
  const int N = S->Count();
  std::vector<double> V(size_t(std::max(N, 0)));
  for (int i = 0; i < N; ++i) V[size_t(i)] = S->Value(i);
  FValues.swap(V);
  FSource = nullptr;
}

void TChartValueList::Hold() {
  if (!FSource) return;
  if (FOwner) FOwner->HoldValues();
  // An owner that does not know the source leaves it to the list.
  TakeSourceValues();
}

void TChartValueList::SetValue(int Index, double Value) {
  Hold();
  FValues.at(size_t(Index)) = Value;
  FStatsDirty = true;
  if (FOwner) FOwner->NotifyValue(sdeModify, Index);
}

void TChartValueList::ClearValues() {
  FSource = nullptr;
  std::vector<double>().swap(FValues);
  FValues.reserve(size_t(DefaultCapacity));
  FStatsDirty = true;
}

int TChartValueList::AddValue(double Value) {
  Hold();
  FStatsDirty = true;
  const int N = Count();
  if (FOrder == loNone || N == 0) {
    FValues.push_back(Value);
    return N;
  }
  // Equal values stay in the order they came: the new one goes after them. The comparisons
  // fail for NaN, which therefore lands at the end or just after the last comparable value.
  const bool Asc = FOrder == loAscending;
  auto InPlace = [Asc, Value](double Stored) { return Asc ? Stored <= Value : Stored >= Value; };
  if (InPlace(FValues.back()) || std::isnan(Value)) {
    FValues.push_back(Value);
    return N;
  }
  int i = N - 1;
  while (i >= 0 && !InPlace(FValues[size_t(i)])) --i;
  const int At = i + 1;
  FValues.insert(FValues.begin() + At, Value);
  return At;
}

int TChartValueList::InsertValue(int Index, double Value) {
  Hold();
  Index = std::clamp(Index, 0, Count());
  FValues.insert(FValues.begin() + Index, Value);
  FStatsDirty = true;
  return Index;
}

void TChartValueList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) return;
  Hold();
  FValues.erase(FValues.begin() + Index);
  FStatsDirty = true;
}

void TChartValueList::Scroll() {
  Hold();
  if (FValues.empty()) return;
  std::rotate(FValues.begin(), FValues.begin() + 1, FValues.end());
}

void TChartValueList::RecalcStats() {
  FMinValue = FMaxValue = FTotal = FTotalAbs = 0;
  if (Count() > 0) {
    const double V0 = GetValue(0);
    FMinValue = FMaxValue = FTotal = V0;
    FTotalAbs = std::fabs(V0);
    for (int i = 1; i < Count(); ++i) {
      const double V = GetValue(i);
      if (V < FMinValue)
        FMinValue = V;
      else if (V > FMaxValue)
        FMaxValue = V;
      FTotal += V;
      FTotalAbs += std::fabs(V);
    }
  }
  FStatsDirty = false;
}

double TChartValueList::MaxValue() {
  if (FStatsDirty) RecalcStats();
  return FMaxValue;
}
double TChartValueList::MinValue() {
  if (FStatsDirty) RecalcStats();
  return FMinValue;
}
double TChartValueList::Total() {
  if (FStatsDirty) RecalcStats();
  return FTotal;
}
double TChartValueList::TotalAbs() {
  if (FStatsDirty) RecalcStats();
  return FTotalAbs;
}

int TChartValueList::IndexOfValue(double Value) const {
  for (int i = 0; i < Count(); ++i)
    if (GetValue(i) == Value) return i;
  return -1;
}

void TChartValueList::FillSequence() {
  for (int i = 0; i < Count(); ++i) SetValue(i, i);
}

void TChartValueList::SetMultiplier(double Value) {
  if (Value == FMultiplier) return;
  FMultiplier = Value;
  FStatsDirty = true;
  if (FOwner) {
    FOwner->NotifyValue(sdeRefresh, 0);
    FOwner->Repaint();
  }
}

void TChartValueList::SetDateTime(bool Value) {
  if (Value == FDateTime) return;
  FDateTime = Value;
  if (FOwner) FOwner->Repaint();
}

void TChartValueList::SetValueSource(const QString& Value) {
  if (Value == FValueSource) return;
  FValueSource = Value;
  if (FOwner) FOwner->CheckDatasource();
}

int TChartValueList::Compare(int A, int B) const {
  const double VA = GetValue(A), VB = GetValue(B);
  const int R = VA < VB ? -1 : (VA > VB ? 1 : 0);
  return FOrder == loDescending ? -R : R;
}

void TChartValueList::SortRange(int L, int R) {
  // The pivot is followed by index, since the swaps move the entries in the lists themselves.
  // Iterating on the larger half keeps the recursion depth logarithmic.
  while (L < R) {
    int i = L, j = R, M = (L + R) / 2;
    while (i < j) {
      while (i < R && Compare(i, M) < 0) ++i;
      while (j > L && Compare(M, j) < 0) --j;
      if (i < j) {
        if (FOwner)
          FOwner->SwapValueIndex(i, j);
        else
          Exchange(i, j);
        if (M == i)
          M = j;
        else if (M == j)
          M = i;
      }
      if (i <= j) {
        ++i;
        --j;
      }
    }
    if (j - L < R - i) {
      if (L < j) SortRange(L, j);
      L = i;
    } else {
      if (i < R) SortRange(i, R);
      R = j;
    }
  }
}

void TChartValueList::Sort() {
  if (FOrder == loNone || Count() < 2) return;
  Hold();
  SortRange(0, Count() - 1);
}
