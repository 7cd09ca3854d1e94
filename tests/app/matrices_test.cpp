#include "app/matrix/matrices.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Matrices;

namespace {

TExtMatrix Hilbert(int N) {
  TExtMatrix H;
  AllocMatrix(H, N - 1, N - 1);
  for (int i = 0; i < N; ++i)
    for (int j = 0; j < N; ++j) H[i][j] = 1.0L / (i + j + 1);
  return H;
}

// det H(n) = c(n)^4 / c(2n) with c(n) = 1! 2! ... (n-1)!.
Extended HilbertDeterminant(int N) {
  auto C = [](int M) {
    Extended R = 1, F = 1;
    for (int i = 1; i < M; ++i) R *= (F *= i);
    return R;
  };
  const Extended Cn = C(N);
  return Cn * Cn * Cn * Cn / C(2 * N);
}

}  // namespace

TEST(Matrices, AllocationFollowsTheSizeRules) {
  TExtVector V;
  AllocVector(V, 7000);  // beyond what a 16-bit byte count could hold
  EXPECT_EQ(V.size(), 7001u);
  AllocVector(V, 65535);
  EXPECT_TRUE(V.empty());
  TExtMatrix M;
  AllocMatrix(M, 1, 2);
  EXPECT_EQ(M, TExtMatrix(2, TExtVector(3, 0)));
  AllocMatrix(M, 16383, 0);
  EXPECT_TRUE(M.empty());
}

TEST(Matrices, ExchangesAndCopiesTouchOnlyTheirRange) {
  TExtMatrix M = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  ExchangeRows(0, 2, M, 2, 1);
  EXPECT_EQ(M, (TExtMatrix{{1, 8, 9}, {4, 5, 6}, {7, 2, 3}}));
  ExchangeCols(0, 1, M, 1, 0);
  EXPECT_EQ(M, (TExtMatrix{{8, 1, 9}, {5, 4, 6}, {7, 2, 3}}));

  TExtMatrix D(3, TExtVector(3, 0));
  CopyMatrix(D, M, 1, 2);
  EXPECT_EQ(D, (TExtMatrix{{0, 0, 0}, {0, 4, 6}, {0, 2, 3}}));
  TExtVector V(3, 0);
  CopyVector(V, TExtVector{1, 2, 3}, 0, 1);
  EXPECT_EQ(V, (TExtVector{1, 2, 0}));
}

TEST(Matrices, SolveFindsEachUnknownInItsPlace) {
  TExtVector X;
  EXPECT_EQ(GaussJordanSolve({{2, 0}, {0, 4}}, {2, 8}, 0, X, 1), SolveOk);
  EXPECT_EQ(X, (TExtVector{1, 2}));

  // The largest element is off the diagonal, so rows and columns are both exchanged.
  const TExtMatrix A = {{1, 10, 0}, {2, 1, 30}, {0, 3, 1}};
  const TExtVector B = {21, 94, 9};  // x = (1, 2, 3)
  EXPECT_EQ(GaussJordanSolve(A, B, 0, X, 2), SolveOk);
  ASSERT_EQ(X.size(), 3u);
  EXPECT_NEAR(X[0], 1, 1e-17L);
  EXPECT_NEAR(X[1], 2, 1e-17L);
  EXPECT_NEAR(X[2], 3, 1e-17L);
  EXPECT_EQ(A, (TExtMatrix{{1, 10, 0}, {2, 1, 30}, {0, 3, 1}}));
  EXPECT_EQ(B, (TExtVector{21, 94, 9}));

  // A block that starts past 0 leaves the entries outside it alone.
  X = {-1, 0, 0};
  EXPECT_EQ(GaussJordanSolve({{9, 9, 9}, {9, 0, 2}, {9, 3, 0}}, {9, 4, 3}, 1, X, 2), SolveOk);
  EXPECT_EQ(X, (TExtVector{-1, 1, 2}));

  // Tiny and huge scales are no reason to call a system singular.
  EXPECT_EQ(GaussJordanSolve({{1e-30L, 0}, {0, 2e-30L}}, {1e-30L, 4e-30L}, 0, X, 1), SolveOk);
  EXPECT_NEAR(X[0], 1, 1e-17L);
  EXPECT_NEAR(X[1], 2, 1e-17L);
  EXPECT_EQ(GaussJordanSolve({{1e300L, 1e300L}, {0, 1e300L}}, {3e300L, 1e300L}, 0, X, 1), SolveOk);
  EXPECT_NEAR(X[0], 2, 1e-17L);

  const TExtMatrix H = Hilbert(8);
  TExtVector RowSums(8, 0);
  for (int i = 0; i < 8; ++i)
    for (int j = 0; j < 8; ++j) RowSums[i] += H[i][j];
  EXPECT_EQ(GaussJordanSolve(H, RowSums, 0, X, 7), SolveOk);
  for (int i = 0; i < 8; ++i) EXPECT_NEAR(X[i], 1, 1e-7L) << i;
}

TEST(Matrices, SolveReportsSingularAndNonFiniteSystems) {
  TExtVector X;
  EXPECT_EQ(GaussJordanSolve({{1, 2}, {2, 4}}, {1, 2}, 0, X, 1), SolveSingular);
  EXPECT_EQ(GaussJordanSolve({{0, 0}, {0, 0}}, {0, 0}, 0, X, 1), SolveSingular);
  EXPECT_EQ(GaussJordanSolve({{1, 2}, {2, 4 + 4e-19L}}, {1, 2}, 0, X, 1), SolveSingular);
  EXPECT_EQ(GaussJordanSolve({{1e-25L, 2e-25L}, {2e-25L, 4e-25L}}, {1, 2}, 0, X, 1), SolveSingular);
  const TExtMatrix H = Hilbert(20);
  EXPECT_EQ(GaussJordanSolve(H, TExtVector(20, 1), 0, X, 19), SolveSingular);
  EXPECT_EQ(GaussJordanSolve({{1e-4000L}}, {1e4000L}, 0, X, 0), SolveNotFinite);
  EXPECT_EQ(GaussJordanSolve({{INFINITY}}, {1}, 0, X, 0), SolveNotFinite);
  // Blocks that the arguments do not hold.
  EXPECT_EQ(GaussJordanSolve({{1, 0}, {0, 1}}, {1}, 0, X, 1), SolveSingular);
  EXPECT_EQ(GaussJordanSolve({{1, 0}, {0, 1}}, {1, 1}, 0, X, 2), SolveSingular);
}

TEST(Matrices, DeterminantsOfKnownMatrices) {
  TExtMatrix A = {{0, 2}, {3, 0}};
  EXPECT_EQ(Determinant(A, 0, 1), -6);
  A = {{1, 0, 3}, {2, 0, 5}, {4, 0, 6}};
  EXPECT_EQ(Determinant(A, 0, 2), 0);
  A = {{-2.5L}};
  EXPECT_EQ(Determinant(A, 0, 0), -2.5L);

  // Triangular: the product of the diagonal, whatever the zeros' side.
  A = {{2, 7, -1, 4}, {0, -3, 5, 1}, {0, 0, 0.5L, 8}, {0, 0, 0, 4}};
  EXPECT_EQ(Determinant(A, 0, 3), -12);
  A = {{2, 0, 0, 0}, {7, -3, 0, 0}, {-1, 5, 0.5L, 0}, {4, 1, 8, 4}};
  EXPECT_NEAR(Determinant(A, 0, 3), -12, 1e-16L);  // pivoting mixes the rows here
  A = {{9, 9, 9}, {9, 3, 1}, {9, 0, 2}};
  EXPECT_EQ(Determinant(A, 1, 2), 6);

  for (int N = 1; N <= 8; ++N) {
    TExtMatrix H = Hilbert(N);
    EXPECT_NEAR(Determinant(H, 0, N - 1) / HilbertDeterminant(N), 1, 1e-9L) << N;
  }

  // Small scale is not singularity...
  A = {{1e-20L, 0, 0}, {0, 1e-20L, 0}, {0, 0, 1e-20L}};
  EXPECT_NEAR(Determinant(A, 0, 2) / 1e-60L, 1, 1e-17L);
  // ...but singularity up to one rounding is.
  A = {{1, 2}, {2, 4 + 4e-19L}};
  EXPECT_EQ(Determinant(A, 0, 1), 0);
}

TEST(Matrices, DeterminantOverflowIsLeftToTheCallerToSee) {
  TExtMatrix A;
  AllocMatrix(A, 99, 99);
  for (int i = 0; i < 100; ++i) A[i][i] = 1e100L;
  EXPECT_TRUE(std::isinf(Determinant(A, 0, 99)));
  A = {{1, 2}, {3, 4}};
  EXPECT_TRUE(std::isnan(Determinant(A, 0, 2)));
  A = {{NAN}};
  EXPECT_TRUE(std::isnan(Determinant(A, 0, 0)));
}
