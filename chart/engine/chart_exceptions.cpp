#include "chart/engine/chart_exceptions.h"

namespace ChartMessages {
std::string Chart3DPercent(int Min, int Max) {
  return "3D effect percent must be between " + std::to_string(Min) + " and " + std::to_string(Max);
}
std::string Angle(const std::string& Name) {
  return Name + " Angle must be between 0 and 360 degrees";
}
}  // namespace ChartMessages
