#include "plot/core/graph_float_lists.h"

#include <cstddef>

void TFloatList::Add(double Value) {
  if (FItems.empty()) {
    Min = Max = Value;
  } else {
    if (Value > Max) Max = Value;
    if (Value < Min) Min = Value;
  }
  FItems.push_back(Value);
}

double TFloatList::GetItem(int I) const {
  return I >= 0 && I < Count() ? FItems[static_cast<std::size_t>(I)] : 0;
}

void TFloatList::SetItem(int I, double Value) {
  if (I >= 0 && I < Count()) FItems[static_cast<std::size_t>(I)] = Value;
}
