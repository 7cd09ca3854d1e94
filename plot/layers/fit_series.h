#pragma once
// A least-squares polynomial through the points of another series, sampled evenly over that
// series' X extent. Saved and loaded it is a plain series: the loader knows it by that name.
#include <QString>
#include <array>

#include "plot/layers/series.h"

class TFitSeries : public TSeries {
 public:
  static constexpr int MaxDegree = 40;
  // Fits Source and samples NPoints values. A fit that cannot be made leaves the series without
  // points, sets Error and tells the graph's owner.
  TFitSeries(const TSeries& Source, int Degree, int NPoints);

  std::array<double, MaxDegree + 1> Coefficients{};
  QString Error;
  bool Failed() const { return !Error.isEmpty(); }

  // Normal equations solved by Gauss-Jordan elimination; true when it failed, with the reason.
  bool PolyFit(int Degree, std::array<double, MaxDegree + 1>& C, QString* Why = nullptr) const;

 private:
  const TSeries& FSource;
};
