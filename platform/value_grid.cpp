#include "platform/value_grid.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/memory_check.h"

TValueGrid::TValueGrid(int NX, int NY) : FNX(std::max(NX, 0)), FNY(std::max(NY, 0)) {
  constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
  FX.assign(std::size_t(FNX), 0.0);
  FY.assign(std::size_t(FNY), 0.0);
  FValues.assign(std::size_t(FNX) * std::size_t(FNY), NaN);
}

bool TValueGrid::Missing(double V) { return !std::isfinite(V); }

bool TValueGrid::Range(double& Min, double& Max) const {
  bool Any = false;
  for (double V : FValues) {
    if (Missing(V)) continue;
    if (!Any || V < Min) Min = V;
    if (!Any || V > Max) Max = V;
    Any = true;
  }
  return Any;
}

std::uint64_t TValueGrid::Bytes(long long NX, long long NY) {
  const auto X = static_cast<std::uint64_t>(std::max(NX, 0LL));
  const auto Y = static_cast<std::uint64_t>(std::max(NY, 0LL));
  const std::uint64_t Doubles = SaturatingAdd(SaturatingMul(X, Y), SaturatingAdd(X, Y));
  return SaturatingAdd(SaturatingMul(Doubles, sizeof(double)), sizeof(TValueGrid));
}
