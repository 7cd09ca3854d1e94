#include "app/matrix/matrices.h"

#include <cfloat>
#include <cmath>
#include <utility>

namespace Matrices {

namespace {

constexpr int MaxVectorHigh = 65534;
constexpr int MaxMatrixHighRow = 16382;

std::size_t Idx(int I) { return static_cast<std::size_t>(I); }

// True when rows and columns Low..High exist in M.
bool HoldsBlock(const TExtMatrix& M, int Low, int High) {
  if (Low < 0 || High < Low || M.size() <= Idx(High)) return false;
  for (int i = Low; i <= High; ++i)
    if (M[Idx(i)].size() <= Idx(High)) return false;
  return true;
}

Extended BlockMaxAbs(const TExtMatrix& M, int Low, int High) {
  Extended Result = 0;
  for (int i = Low; i <= High; ++i)
    for (int j = Low; j <= High; ++j) {
      const Extended V = std::fabs(M[Idx(i)][Idx(j)]);
      if (std::isnan(V)) return V;  // fmax would drop it
      Result = std::fmax(Result, V);
    }
  return Result;
}

Extended BlockNorm1(const TExtMatrix& M, int Low, int High) {
  Extended Result = 0;
  for (int j = Low; j <= High; ++j) {
    Extended Sum = 0;
    for (int i = Low; i <= High; ++i) Sum += std::fabs(M[Idx(i)][Idx(j)]);
    Result = std::fmax(Result, Sum);
  }
  return Result;
}

// A pivot this small relative to the block's largest element is rounding noise.
Extended PivotTolerance(int N, Extended Scale) {
  return static_cast<Extended>(N) * LDBL_EPSILON * Scale;
}

}  // namespace

void AllocVector(TExtVector& V, int High) {
  V.clear();
  if (High >= 0 && High <= MaxVectorHigh) V.assign(Idx(High) + 1, 0);
}

void AllocIndexVector(TIndexVector& V, int High) {
  V.clear();
  if (High >= 0 && High <= MaxVectorHigh) V.assign(Idx(High) + 1, 0);
}

void AllocMatrix(TExtMatrix& M, int HighRow, int HighCol) {
  M.clear();
  if (HighRow < 0 || HighRow > MaxMatrixHighRow || HighCol < 0 || HighCol > MaxVectorHigh) return;
  M.assign(Idx(HighRow) + 1, TExtVector(Idx(HighCol) + 1, 0));
}

void FreeVector(TExtVector& V) { TExtVector().swap(V); }
void FreeIndexVector(TIndexVector& V) { TIndexVector().swap(V); }
void FreeMatrix(TExtMatrix& M, int /*HighRow*/) { TExtMatrix().swap(M); }

void ExchangeRows(int R1, int R2, TExtMatrix& M, int High, int Low) {
  for (int j = Low; j <= High; ++j) std::swap(M[Idx(R1)][Idx(j)], M[Idx(R2)][Idx(j)]);
}

void ExchangeCols(int C1, int C2, TExtMatrix& M, int High, int Low) {
  for (int i = Low; i <= High; ++i) std::swap(M[Idx(i)][Idx(C1)], M[Idx(i)][Idx(C2)]);
}

void CopyVector(TExtVector& Dst, const TExtVector& Src, int Low, int High) {
  for (int i = Low; i <= High; ++i) Dst[Idx(i)] = Src[Idx(i)];
}

void CopyMatrix(TExtMatrix& Dst, const TExtMatrix& Src, int Low, int High) {
  for (int i = Low; i <= High; ++i)
    for (int j = Low; j <= High; ++j) Dst[Idx(i)][Idx(j)] = Src[Idx(i)][Idx(j)];
}

int GaussJordanSolve(const TExtMatrix& A, const TExtVector& B, int Low, TExtVector& X, int High) {
  if (!HoldsBlock(A, Low, High) || B.size() <= Idx(High)) return SolveSingular;
  if (X.size() <= Idx(High)) X.resize(Idx(High) + 1, 0);

  const Extended Scale = BlockMaxAbs(A, Low, High);
  if (!std::isfinite(Scale)) return SolveNotFinite;
  const int N = High - Low + 1;
  const Extended Tol = PivotTolerance(N, Scale);

  TExtMatrix W;
  TIndexVector RowOf, ColOf;
  AllocMatrix(W, High, High);
  AllocIndexVector(RowOf, High);
  AllocIndexVector(ColOf, High);
  CopyMatrix(W, A, Low, High);
  CopyVector(X, B, Low, High);

  for (int k = Low; k <= High; ++k) {
    Extended Pivot = W[Idx(k)][Idx(k)];
    RowOf[Idx(k)] = k;
    ColOf[Idx(k)] = k;
    for (int i = k; i <= High; ++i)
      for (int j = k; j <= High; ++j)
        if (std::fabs(W[Idx(i)][Idx(j)]) > std::fabs(Pivot)) {
          Pivot = W[Idx(i)][Idx(j)];
          RowOf[Idx(k)] = i;
          ColOf[Idx(k)] = j;
        }
    if (!(std::fabs(Pivot) > Tol)) return SolveSingular;
    if (RowOf[Idx(k)] != k) {
      ExchangeRows(RowOf[Idx(k)], k, W, High, Low);
      std::swap(X[Idx(RowOf[Idx(k)])], X[Idx(k)]);
    }
    if (ColOf[Idx(k)] != k) ExchangeCols(ColOf[Idx(k)], k, W, High, Low);
    // In-place Gauss-Jordan: column k takes the pivot's column of the inverse, so W ends as
    // the inverse with its rows and columns permuted.
    W[Idx(k)][Idx(k)] = 1;
    for (int j = Low; j <= High; ++j) W[Idx(k)][Idx(j)] /= Pivot;
    X[Idx(k)] /= Pivot;
    for (int i = Low; i <= High; ++i) {
      if (i == k) continue;
      const Extended F = W[Idx(i)][Idx(k)];
      W[Idx(i)][Idx(k)] = 0;
      for (int j = Low; j <= High; ++j) W[Idx(i)][Idx(j)] -= F * W[Idx(k)][Idx(j)];
      X[Idx(i)] -= F * X[Idx(k)];
    }
  }
  for (int k = High; k >= Low; --k)
    if (ColOf[Idx(k)] != k) std::swap(X[Idx(ColOf[Idx(k)])], X[Idx(k)]);

  // The permutations leave the 1-norm alone, so W gives the condition number directly. When
  // it leaves no correct digit the system counts as singular rather than answering noise.
  const Extended Condition = BlockNorm1(A, Low, High) * BlockNorm1(W, Low, High);
  if (!(Condition * static_cast<Extended>(N) * LDBL_EPSILON < 1)) return SolveSingular;
  for (int k = Low; k <= High; ++k)
    if (!std::isfinite(X[Idx(k)])) return SolveNotFinite;
  return SolveOk;
}

Extended Determinant(TExtMatrix& A, int Low, int High) {
  if (!HoldsBlock(A, Low, High)) return NAN;
  const Extended Scale = BlockMaxAbs(A, Low, High);
  if (!std::isfinite(Scale)) return NAN;
  const Extended Tol = PivotTolerance(High - Low + 1, Scale);
  Extended Det = 1;
  for (int k = Low; k <= High; ++k) {
    int P = k;
    Extended Best = std::fabs(A[Idx(k)][Idx(k)]);
    for (int i = k + 1; i <= High; ++i)
      if (std::fabs(A[Idx(i)][Idx(k)]) > Best) {
        Best = std::fabs(A[Idx(i)][Idx(k)]);
        P = i;
      }
    if (!(Best > Tol)) return 0;
    if (P != k) {
      ExchangeRows(P, k, A, High, Low);
      Det = -Det;
    }
    const Extended Pivot = A[Idx(k)][Idx(k)];
    for (int i = k + 1; i <= High; ++i) {
      const Extended F = A[Idx(i)][Idx(k)] / Pivot;
      if (F == 0) continue;
      A[Idx(i)][Idx(k)] = 0;
      for (int j = k + 1; j <= High; ++j) A[Idx(i)][Idx(j)] -= F * A[Idx(k)][Idx(j)];
    }
    Det *= Pivot;
  }
  return Det;
}

}  // namespace Matrices
