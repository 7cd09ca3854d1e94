#include "plot/layers/fit_series.h"

#include <cmath>
#include <vector>

#include "plot/core/graph_utils.h"

namespace {
// x to a whole power by repeated products: exact for small integers, and 0 to the power 0 is 1.
long double IntPow(long double X, int K) {
  long double R = 1;
  for (int I = 0; I < K; ++I) R *= X;
  return R;
}
}  // namespace

TFitSeries::TFitSeries(const TSeries& Source, int Degree, int NPoints)
    : TSeries(Source.Graph, DarkenColor(Source.Color, 64), 2,
              Source.Name + QStringLiteral("Fit") + QString::number(Degree)),
      FSource(Source) {
  double XMin, XMax, YMin, YMax;
  const_cast<TSeries&>(Source).GetExtent(XMin, XMax, YMin, YMax);
  if (NPoints < 2) {
    Error = QStringLiteral("A fit needs at least two sample points");
  } else if (!PolyFit(Degree, Coefficients, &Error)) {
    const double Step = (XMax - XMin) / (NPoints - 1);
    for (int I = 1; I <= NPoints; ++I) {
      // The last sample sits exactly on the end of the extent.
      const double X = I == NPoints ? XMax : XMin + (I - 1) * Step;
      double Y = Coefficients[0], P = X;
      for (int K = 1; K <= Degree; ++K) {
        Y += Coefficients[K] * P;
        P *= X;
      }
      AddPoint(0, {}, X, Y);
    }
  }
  if (Failed() && Graph) Graph->Owner->ShowError(Error);
}

bool TFitSeries::PolyFit(int Degree, std::array<double, MaxDegree + 1>& C, QString* Why) const {
  auto Fail = [&](const QString& Reason) {
    if (Why) *Why = Reason;
    return true;
  };
  C.fill(0);
  const int N = Degree;
  const int Count = FSource.Count();
  if (N < 0 || N > MaxDegree)
    return Fail(QStringLiteral("The degree must be in the range [0..%1]").arg(MaxDegree));
  // Fewer points than unknowns leave the normal equations singular, if not exactly so.
  if (N >= Count)
    return Fail(QStringLiteral("A polynomial of degree %1 needs more than %1 points").arg(N));
  std::vector<double> X(Count), Y(Count);
  for (int I = 0; I < Count; ++I) {
    TDoublePoint P;
    FSource.GetPoint(I, P);
    X[I] = P.X, Y[I] = P.Y;
  }
  std::vector<long double> S(2 * N + 1, 0);
  for (int K = 0; K <= 2 * N; ++K)
    for (int I = 0; I < Count; ++I) S[K] += IntPow(X[I], K);
  // Row k: b_k, then -S(k + j) for j = 0..n.
  const int W = N + 2;
  std::vector<std::vector<long double>> A(N + 1, std::vector<long double>(W, 0));
  for (int K = 0; K <= N; ++K) {
    for (int I = 0; I < Count; ++I) A[K][0] += IntPow(X[I], K) * Y[I];
    for (int J = 0; J <= N; ++J) A[K][J + 1] = -S[K + J];
  }
  for (int K = 0; K <= N; ++K) {
    const long double Pivot = A[K][K + 1];
    if (Pivot == 0)
      return Fail(QStringLiteral("The fit has no solution (zero pivot in row %1)").arg(K + 1));
    // Sums beyond the range of the values the series holds make every coefficient meaningless.
    if (!std::isfinite(static_cast<double>(Pivot)))
      return Fail(QStringLiteral("The fit's sums are too large to solve"));
    for (long double& V : A[K]) V /= Pivot;
    A[K][K + 1] = 1;
    for (int I = 0; I <= N; ++I) {
      if (I == K) continue;
      const long double F = A[I][K + 1];
      if (F != 0)
        for (int J = 0; J < W; ++J) A[I][J] -= F * A[K][J];
      A[I][K + 1] = 0;
    }
  }
  for (int K = 0; K <= N; ++K) {
    C[K] = A[K][K + 1] > 0 ? static_cast<double>(-A[K][0]) : 0.0;
    if (!std::isfinite(C[K])) {
      C.fill(0);
      return Fail(QStringLiteral("The fit gives a coefficient that is not a number"));
    }
  }
  return false;
}
