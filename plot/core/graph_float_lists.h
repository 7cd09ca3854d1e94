#pragma once
// A list of Doubles that keeps the extremes of what was added.
#include <vector>

class TFloatList {
 public:
  // Min and Max follow every Add; SetItem leaves them, Clear keeps them until the next Add.
  double Min = 0;
  double Max = 0;

  int Count() const { return static_cast<int>(FItems.size()); }
  void Add(double Value);
  // 0-based; an index outside the list reads 0 and writes nothing.
  double GetItem(int I) const;
  void SetItem(int I, double Value);
  void Clear() { FItems.clear(); }

 private:
  std::vector<double> FItems;
};
