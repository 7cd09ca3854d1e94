#pragma once
// Gridded data of the plotting library, 1-based: a grid of Doubles with its value range, a vector
// of Doubles, and a grid of texts. Read centred, matrix and vector answer one more position per
// direction, formed from the neighbouring values.
#include <QString>
#include <vector>

#include "plot/core/graph_types.h"

namespace GraphMatrix {

inline constexpr double MissingValue = ::MissingValue;

class TMatrix {
 public:
  TMatrix(int ANX, int ANY);
  virtual ~TMatrix() = default;

  int NX = 0;
  int NY = 0;
  double ZMin = 3e300;  // the smallest stored value that is not missing
  double ZMax = -3e300;
  bool Centred = false;

  // A negative size counts as 0.
  void SetSize(int ANX, int ANY);
  void Assign(const TMatrix& Source);
  // Outside the grid nothing is stored; a missing value is stored but leaves the range alone.
  void SetValue(int I, int J, double Value);
  // Outside the grid: MissingValue (centred: after the "X=.. Y=.." message).
  virtual double GetValue(int I, int J) const;
  virtual int GetNX() const { return Centred ? NX + 2 : NX; }
  virtual int GetNY() const { return Centred ? NY + 1 : NY; }

 private:
  double D(int I, int J) const;
  std::vector<double> FData;
};

class TVector {
 public:
  explicit TVector(int AN);

  int N = 0;
  double VMax = -1e30;
  double VMin = 1e30;
  bool Centred = false;

  void SetCount(int AN);
  void Assign(const TVector& Source);
  void SetValue(int I, double Value);  // outside 1..N nothing is stored
  int GetCount() const { return Centred ? N + 1 : N; }
  double GetValue(int I) const;  // outside the positions: MissingValue

 private:
  double D(int I) const;
  std::vector<double> FData;
};

}  // namespace GraphMatrix

class TStringMatrix {
 public:
  TStringMatrix(int ANX, int ANY);
  int NX = 0;
  int NY = 0;
  void SetValue(int I, int J, const QString& S);  // outside the grid: ignored
  QString GetValue(int I, int J) const;           // outside the grid: ""

 private:
  std::vector<QString> FStrings;
};
