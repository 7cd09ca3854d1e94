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

// Where a list reads its values when it does not hold them: a series drawn from a large shared
// table reads it in place instead of keeping a copy per point.
class TChartValueSource {
 public:
  virtual ~TChartValueSource() = default;
  virtual int Count() const = 0;
  virtual double Value(int Index) const = 0;
};

// What a value list needs of the series that owns it.
class TChartValueListOwner {
 public:
  virtual ~TChartValueListOwner() = default;
  virtual void NotifyValue(TSeriesDataEvent Event, int ValueIndex) = 0;
  // Exchanges points A and B in every list, colour and label.
  virtual void SwapValueIndex(int A, int B) = 0;
  virtual void Repaint() = 0;
  virtual void CheckDatasource() = 0;
  // Lists that read a source take their values in before they change; the owner turns all its
  // lists (and what goes with their points) into held values at once.
  virtual void HoldValues() {}
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
  virtual double GetValue(int Index) const {
    return (FSource ? FSource->Value(Index) : FValues.at(size_t(Index))) * FMultiplier;
  }
  // Stores Value raw (the multiplier is not divided out) and tells the owner.
  virtual void SetValue(int Index, double Value);
  virtual void ClearValues();
  // Places Value where the order wants it, after any equal values; answers that index.
  virtual int AddValue(double Value);
  // At Index, whatever the order.
  virtual int InsertValue(int Index, double Value);
  virtual int Count() const { return FSource ? FSource->Count() : int(FValues.size()); }
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
  void Exchange(int A, int B) {
    Hold();
    std::swap(FValues.at(size_t(A)), FValues.at(size_t(B)));
  }
  // Entry Index without the multiplier, held or read from the source.
  double RawValue(int Index) const {
    return FSource ? FSource->Value(Index) : FValues.at(size_t(Index));
  }
  // The raw values, as stored; empty while the list reads a source.
  const std::vector<double>& Values() const { return FValues; }
  // Reads the values from Source (owned by the owner) instead of holding them; null lets go of
  // it and leaves the list empty.
  void SetSource(const TChartValueSource* Source);
  const TChartValueSource* Source() const { return FSource; }
  // Copies the source's values into the list and lets go of the source.
  void TakeSourceValues();

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
  // Before a change: a list that reads a source asks its owner to hold the values first.
  void Hold();
  int Compare(int A, int B) const;
  void SortRange(int L, int R);

  TChartValueListOwner* FOwner;
  std::vector<double> FValues;
  const TChartValueSource* FSource = nullptr;
  QString FName;
  double FMultiplier = 1.0;
  bool FDateTime = false;
  TChartListOrder FOrder = loNone;
  QString FValueSource;
  double FPendingValue = 0;
  double FMaxValue = 0, FMinValue = 0, FTotal = 0, FTotalAbs = 0;
  bool FStatsDirty = true;
};
