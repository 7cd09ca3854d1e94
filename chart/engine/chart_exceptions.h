#pragma once
// The chart library reports invalid settings by raising one of these with a fixed English text;
// the setting keeps its old value. Handler entry points turn them into error boxes (the platform's
// handler guard reads what()).
#include <stdexcept>
#include <string>

class ChartException : public std::runtime_error {
 public:
  explicit ChartException(const std::string& Message) : std::runtime_error(Message) {}
};

class AxisException : public ChartException {
 public:
  using ChartException::ChartException;
};

class LegendException : public ChartException {
 public:
  using ChartException::ChartException;
};

// The fixed texts, formatted where they carry a value.
namespace ChartMessages {
inline constexpr const char* Circular = "Circular Series dependences are not allowed";
inline constexpr const char* MaxPointsPerPage = "MaxPointsPerPage must be >= 0";
std::string Chart3DPercent(int Min, int Max);  // "3D effect percent must be between 1 and 100"
std::string Angle(const std::string& Name);    // "<Name> Angle must be between 0 and 360 degrees"
}  // namespace ChartMessages
