#pragma once
// A regular grid of values over X columns and Y rows, as a tabulation makes it and as the
// pictures read it. It is made once and then shared read-only (std::shared_ptr<const
// TValueGrid>) by everything that draws it, so that a large grid is held once. A node without a
// value is NaN.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class TValueGrid {
 public:
  TValueGrid() = default;
  // NX columns by NY rows, every value missing; sizes below 0 count as 0. Throws std::bad_alloc
  // (or std::length_error) when the grid cannot be had: ask GridBytes first.
  TValueGrid(int NX, int NY);

  int NX() const { return FNX; }
  int NY() const { return FNY; }
  bool Empty() const { return FNX == 0 || FNY == 0; }
  // Column I and row J, both from 0; column-major, as the tabulation fills it.
  double At(int I, int J) const { return FValues[Index(I, J)]; }
  void Set(int I, int J, double V) { FValues[Index(I, J)] = V; }
  double X(int I) const { return FX[std::size_t(I)]; }
  double Y(int J) const { return FY[std::size_t(J)]; }
  void SetX(int I, double V) { FX[std::size_t(I)] = V; }
  void SetY(int J, double V) { FY[std::size_t(J)] = V; }
  static bool Missing(double V);
  const std::vector<double>& XValues() const { return FX; }
  const std::vector<double>& YValues() const { return FY; }
  const std::vector<double>& Values() const { return FValues; }

  // The smallest and largest values that are not missing; false when there is none.
  bool Range(double& Min, double& Max) const;

  // Bytes a grid of NX by NY takes (saturating, never wrapping).
  static std::uint64_t Bytes(long long NX, long long NY);

 private:
  std::size_t Index(int I, int J) const {
    return std::size_t(I) * std::size_t(FNY) + std::size_t(J);
  }
  int FNX = 0, FNY = 0;
  std::vector<double> FX, FY, FValues;
};

using TSharedGrid = std::shared_ptr<const TValueGrid>;
