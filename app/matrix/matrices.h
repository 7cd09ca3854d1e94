#pragma once
// Plain routines on Extended matrices stored as rows, for the matrix window's Solve and
// determinant. They never throw: failure is a result code, and sizes outside the allocation
// rules give an empty (nil) result. A routine told "High" uses indices 0..High; one given Low
// and High touches only Low..High.
#include <vector>

#include "engine/engine_state.h"

namespace Matrices {

using TExtVector = std::vector<Extended>;
using TExtMatrix = std::vector<TExtVector>;
using TIndexVector = std::vector<int>;

// Results of GaussJordanSolve.
inline constexpr int SolveOk = 0;
inline constexpr int SolveSingular = -1;   // singular or nearly singular: no usable solution
inline constexpr int SolveNotFinite = -2;  // the solution over- or underflowed to inf or NaN

// V := High + 1 zeros; High outside 0..65534 leaves V empty.
void AllocVector(TExtVector& V, int High);
void AllocIndexVector(TIndexVector& V, int High);
// HighRow + 1 rows of HighCol + 1 zeros; HighRow outside 0..16382 or HighCol outside
// 0..65534 leaves M empty.
void AllocMatrix(TExtMatrix& M, int HighRow, int HighCol);
void FreeVector(TExtVector& V);
void FreeIndexVector(TIndexVector& V);
void FreeMatrix(TExtMatrix& M, int HighRow);

// Exchanges M[R1][j] and M[R2][j] for j = Low..High.
void ExchangeRows(int R1, int R2, TExtMatrix& M, int High, int Low);
// Exchanges M[i][C1] and M[i][C2] for i = Low..High.
void ExchangeCols(int C1, int C2, TExtMatrix& M, int High, int Low);
void CopyVector(TExtVector& Dst, const TExtVector& Src, int Low, int High);
// Copies the block of rows and columns Low..High.
void CopyMatrix(TExtMatrix& Dst, const TExtMatrix& Src, int Low, int High);

// Solves A x = B over indices Low..High into X (grown when too short) by Gauss-Jordan
// elimination with full pivoting; A and B are left unchanged. Answers SolveOk, SolveSingular
// (also for a block that A or B does not hold) or SolveNotFinite.
int GaussJordanSolve(const TExtMatrix& A, const TExtVector& B, int Low, TExtVector& X, int High);

// Determinant of the block Low..High of A by elimination with partial pivoting; A is
// overwritten. A matrix that is singular to working precision gives 0. The result can be
// inf when it overflows (callers check isfinite); a block that A does not hold gives NaN.
Extended Determinant(TExtMatrix& A, int Low, int High);

}  // namespace Matrices
