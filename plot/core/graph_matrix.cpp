#include "plot/core/graph_matrix.h"

#include <algorithm>

#include "platform/dialogs.h"

namespace GraphMatrix {

namespace {
size_t Cells(int NX, int NY) {
  return static_cast<size_t>(std::max(NX, 0)) * static_cast<size_t>(std::max(NY, 0));
}
}  // namespace

TMatrix::TMatrix(int ANX, int ANY) { SetSize(ANX, ANY); }

void TMatrix::SetSize(int ANX, int ANY) {
  NX = std::max(ANX, 0);
  NY = std::max(ANY, 0);
  FData.assign(Cells(NX, NY), 0.0);
  ZMin = 3e300;
  ZMax = -3e300;
}

void TMatrix::Assign(const TMatrix& Source) {
  SetSize(Source.NX, Source.NY);
  Centred = Source.Centred;
  ZMin = Source.ZMin;
  ZMax = Source.ZMax;
  FData = Source.FData;
}

void TMatrix::SetValue(int I, int J, double Value) {
  if (I < 1 || I > NX || J < 1 || J > NY) return;
  FData[static_cast<size_t>(I - 1) + static_cast<size_t>(J - 1) * static_cast<size_t>(NX)] = Value;
  if (IsMissingValue(Value)) return;
  if (Value > ZMax) ZMax = Value;
  if (Value < ZMin) ZMin = Value;
}

double TMatrix::D(int I, int J) const {
  if (I < 1 || I > NX || J < 1 || J > NY) return MissingValue;
  return FData[static_cast<size_t>(I - 1) + static_cast<size_t>(J - 1) * static_cast<size_t>(NX)];
}

double TMatrix::GetValue(int I, int J) const {
  if (!Centred) return D(I, J);
  const int GNX = GetNX(), GNY = GetNY();
  if (J == 1 && I == 1) return D(1, 1);
  if (J == 1 && 1 < I && I < GNX) return D(I - 1, 1);
  if (J == 1 && I == GNX) return D(NX, 1);
  if (J == GNY && I == 1) return D(1, NY);
  if (J == GNY && 1 < I && I < GNX) return D(I - 1, NY);
  if (I == 1 && 1 < J && J < GNY) return (D(1, J) + D(1, J - 1)) / 2;
  if (I == GNX && 1 < J && J < GNY) return (D(NX, J) + D(NX, J - 1)) / 2;
  if (I == GNX && J == GNY) return D(NX, NY);
  if (1 < I && I < GNX && 1 < J && J < GNY) return (D(I - 1, J) + D(I - 1, J - 1)) / 2;
  MessageDlg(QStringLiteral("X=%1 Y=%2").arg(I).arg(J), mtInformation, mbOK);
  return MissingValue;
}

TVector::TVector(int AN) { SetCount(AN); }

void TVector::SetCount(int AN) {
  N = std::max(AN, 0);
  FData.assign(static_cast<size_t>(N), 0.0);
  VMax = -1e30;
  VMin = 1e30;
}

void TVector::Assign(const TVector& Source) {
  SetCount(Source.N);
  Centred = Source.Centred;
  VMin = Source.VMin;
  VMax = Source.VMax;
  FData = Source.FData;
}

void TVector::SetValue(int I, double Value) {
  if (I < 1 || I > N) return;
  FData[static_cast<size_t>(I - 1)] = Value;
  if (Value > VMax) VMax = Value;
  if (Value < VMin) VMin = Value;
}

double TVector::D(int I) const {
  return I >= 1 && I <= N ? FData[static_cast<size_t>(I - 1)] : MissingValue;
}

double TVector::GetValue(int I) const {
  if (Centred && I == GetCount()) return D(N);
  if (Centred && I != 1 && I >= 1 && I <= N) return (D(I) + D(I - 1)) / 2;
  return D(I);
}

}  // namespace GraphMatrix

TStringMatrix::TStringMatrix(int ANX, int ANY)
    : NX(std::max(ANX, 0)), NY(std::max(ANY, 0)), FStrings(GraphMatrix::Cells(NX, NY)) {}

void TStringMatrix::SetValue(int I, int J, const QString& S) {
  if (I < 1 || I > NX || J < 1 || J > NY) return;
  FStrings[static_cast<size_t>(I - 1) + static_cast<size_t>(J - 1) * static_cast<size_t>(NX)] = S;
}

QString TStringMatrix::GetValue(int I, int J) const {
  if (I < 1 || I > NX || J < 1 || J > NY) return {};
  return FStrings[static_cast<size_t>(I - 1) +
                  static_cast<size_t>(J - 1) * static_cast<size_t>(NX)];
}
