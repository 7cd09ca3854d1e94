#include "plot/core/graph_nicenums.h"

#include <cmath>

#include "plot/core/graph_types.h"
#include "plot/core/graph_utils.h"

double TNiceNum::NiceNum(double X, bool Round) const {
  if (!(X > 0) || !std::isfinite(X)) return MissingValue;
  long double E = std::floor(Log10(X));
  long double P = GraphUtils::Power(10, E);
  if (!std::isfinite(E) || !std::isfinite(P) || !(P > 0)) return MissingValue;
  long double F = X / P;
  if (!std::isfinite(F)) return MissingValue;
  double Factor;
  if (Round)
    Factor = F < 1.50001L ? 1 : F < 3.0001L ? 2 : F < 7.0001L ? 5 : 10;
  else
    Factor = F < 1.0001L ? 1 : F < 2.0001L ? 2 : F <= 5.0001L ? 5 : 10;
  double R = static_cast<double>(Factor * P);
  return std::isfinite(R) && R > 0 ? R : MissingValue;
}

TNiceNumbers::TNiceNumbers(int ATickCount, double A, double B) : TickCount(ATickCount) {
  Min = MinValue({A, B});
  Max = MaxValue({A, B});
  Calc();
}

void TNiceNumbers::Calc() {
  if (Min == Max) return;
  double Range = NiceNum.NiceNum(Max - Min, false);
  double S = Range == MissingValue
                 ? MissingValue
                 : NiceNum.NiceNum(Range / (TickCount > 1 ? TickCount - 1 : 1), true);
  if (S == MissingValue || !std::isfinite(Min) || !std::isfinite(Max)) {
    Step = NiceMin = NiceMax = MissingValue;
    return;
  }
  Step = S;
  NiceMin = std::floor(Min / Step) * Step;
  NiceMax = std::ceil(Max / Step) * Step;
}
