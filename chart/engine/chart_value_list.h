#pragma once
// One numeric column of a series: its values, the order it keeps while values are added, the
// multiplier applied on reading and cached statistics. Entry i of every list of a series,
// together with the series' colour and label i, is point i; the owner hears about changes and
// moves its colours and labels when a sort swaps two points.
#include <utility>
#include <vector>

#include <QString>

enum TChartListOrder { loNone, loAscending, loDescending };
enum TSeriesDataEvent { sdeAdd, sdeDelete, sdeModify, sdeClear, sdeRefresh };

class TChartValueList;

// What a value list needs of the series that owns it.
class TChartValueListOwner {
 public:
  virtual ~TChartValueListOwner() = default;
  virtual void NotifyValue(TSeriesDataEvent Event, int ValueIndex) = 0;
  // Exchanges points A and B in every list, colour and label.
  virtual void SwapValueIndex(int A, int B) = 0;
  virtual void Repaint() = 0;
  virtual void CheckDatasource() = 0;
  // The lists in creation order: X, Y, then the type's extra lists.
  std::vector<TChartValueList*>& ValueLists() { return FValueLists; }
  const std::vector<TChartValueList*>& ValueLists() const { return FValueLists; }

 private:
  std::vector<TChartValueList*> FValueLists;
};

// The capacity a cleared list reserves; 0 unless changed (the grid series raise it while they
// fill a grid).
int ChartDefaultCapacity();
void SetChartDefaultCapacity(int Value);

class TChartValueList {
 public:
  // Registers itself in the owner's lists; leaves them when destroyed.
  TChartValueList(TChartValueListOwner* Owner, const QString& Name);
  TChartValueList(const TChartValueList&) = delete;
  TChartValueList& operator=(const TChartValueList&) = delete;
  virtual ~TChartValueList();

  // Order, date-time flag, multiplier and value source; not the values nor the name.
  virtual void Assign(const TChartValueList& Source);
  // The stored value times the multiplier.
  virtual double GetValue(int Index) const { return FValues.at(size_t(Index)) * FMultiplier; }
  // Stores Value raw (the multiplier is not divided out) and tells the owner.
  virtual void SetValue(int Index, double Value);
  virtual void ClearValues();
  // Places Value where the order wants it, after any equal values; answers that index.
  virtual int AddValue(double Value);
  // At Index, whatever the order.
  virtual int InsertValue(int Index, double Value);
  virtual int Count() const { return int(FValues.size()); }
  virtual void Delete(int Index);
  // Entry 0 goes to the end, the others move down one.
  virtual void Scroll();

  double operator[](int Index) const { return GetValue(Index); }
  double First() const { return GetValue(0); }
  double Last() const { return GetValue(Count() - 1); }
  double MaxValue();
  double MinValue();
  double Total();
  double TotalAbs();
  bool StatsDirty() const { return FStatsDirty; }
  int IndexOfValue(double Value) const;
  void FillSequence();
  // Sorts the owner's points by this list; nothing without an order.
  void Sort();
  // Exchanges the raw entries A and B; for the owner's SwapValueIndex.
  void Exchange(int A, int B) { std::swap(FValues.at(size_t(A)), FValues.at(size_t(B))); }
  // The raw values, as stored.
  const std::vector<double>& Values() const { return FValues; }

  TChartValueListOwner* Owner() const { return FOwner; }
  QString Name() const { return FName; }
  void SetName(const QString& Value) { FName = Value; }
  double Multiplier() const { return FMultiplier; }
  void SetMultiplier(double Value);
  bool DateTime() const { return FDateTime; }
  void SetDateTime(bool Value);
  TChartListOrder Order() const { return FOrder; }
  void SetOrder(TChartListOrder Value) { FOrder = Value; }
  QString ValueSource() const { return FValueSource; }
  void SetValueSource(const QString& Value);
  double PendingValue() const { return FPendingValue; }
  void SetPendingValue(double Value) { FPendingValue = Value; }

 private:
  void RecalcStats();
  int Compare(int A, int B) const;
  void SortRange(int L, int R);

  TChartValueListOwner* FOwner;
  std::vector<double> FValues;
  QString FName;
  double FMultiplier = 1.0;
  bool FDateTime = false;
  TChartListOrder FOrder = loNone;
  QString FValueSource;
  double FPendingValue = 0;
  double FMaxValue = 0, FMinValue = 0, FTotal = 0, FTotalAbs = 0;
  bool FStatsDirty = true;
};
