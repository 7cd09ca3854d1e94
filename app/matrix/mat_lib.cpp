#include "app/matrix/mat_lib.h"

#include <cfloat>
#include <cmath>
#include <utility>

namespace MatLib {

namespace {

// A pivot this small relative to the matrix's largest element is rounding noise: the matrix
// is singular to working precision, whatever its scale.
Extended PivotTolerance(int N, Extended Scale) {
  return static_cast<Extended>(N) * LDBL_EPSILON * Scale;
}

Extended MaxAbs(const TMatrix& M) {
  Extended Result = 0;
  for (int i = 0; i < M.RowCount(); ++i)
    for (int j = 0; j < M.ColCount(); ++j) {
      const Extended V = std::fabs(M.GetElement(i, j));
      if (std::isnan(V)) return V;  // fmax would drop it
      Result = std::fmax(Result, V);
    }
  return Result;
}

bool AllFinite(const TMatrix& M) {
  for (int i = 0; i < M.RowCount(); ++i)
    for (int j = 0; j < M.ColCount(); ++j)
      if (!std::isfinite(M.GetElement(i, j))) return false;
  return true;
}

// Largest column sum of magnitudes; unchanged by row and column permutations.
Extended Norm1(const TMatrix& M) {
  Extended Result = 0;
  for (int j = 0; j < M.ColCount(); ++j) {
    Extended Sum = 0;
    for (int i = 0; i < M.RowCount(); ++i) Sum += std::fabs(M.GetElement(i, j));
    Result = std::fmax(Result, Sum);
  }
  return Result;
}

}  // namespace

void TMatrix::CheckRow(int R) const {
  if (R < 0 || R >= FRowCount)
    throw EMatrixException(std::string(MsgIndexOutOfBounds) + "0 " + std::to_string(R));
}

std::unique_ptr<TMatrix> TMatrix::Copy() const {
  auto Result = NewOfClass();
  Result->Assign(*this);
  return Result;
}

void TMatrix::Assign(const TMatrix& Source) {
  if (&Source == this) return;
  SetSize(Source.RowCount(), Source.ColCount());
  for (int i = 0; i < FRowCount; ++i)
    for (int j = 0; j < FColCount; ++j) SetElement(i, j, Source.GetElement(i, j));
}

void TMatrix::Fill(Extended Value) {
  for (int i = 0; i < FRowCount; ++i)
    for (int j = 0; j < FColCount; ++j) SetElement(i, j, Value);
}

void TMatrix::Add(const TMatrix& B) {
  if (B.RowCount() != FRowCount || B.ColCount() != FColCount) throw EMatrixException(MsgCanNotAdd);
  // Sums are formed aside first, so an overflow leaves Self as it was.
  std::vector<Extended> Sums;
  Sums.reserve(static_cast<std::size_t>(FRowCount) * static_cast<std::size_t>(FColCount));
  for (int i = 0; i < FRowCount; ++i)
    for (int j = 0; j < FColCount; ++j) {
      Extended V = GetElement(i, j) + B.GetElement(i, j);
      if (!std::isfinite(V)) throw EMatrixException(MsgOverflow);
      Sums.push_back(V);
    }
  std::size_t k = 0;
  for (int i = 0; i < FRowCount; ++i)
    for (int j = 0; j < FColCount; ++j) SetElement(i, j, Sums[k++]);
}

void TMatrix::Multiply(const TMatrix& B) {
  if (FColCount != B.RowCount()) throw EMatrixException(MsgCanNotMultiply);
  auto R = NewOfClass();
  R->SetSize(FRowCount, B.ColCount());
  R->Fill(0);
  for (int i = 0; i < FRowCount; ++i)
    for (int j = 0; j < B.ColCount(); ++j) {
      Extended Acc = 0;
      for (int k = 0; k < FColCount; ++k) Acc += GetElement(i, k) * B.GetElement(k, j);
      if (!std::isfinite(Acc)) throw EMatrixException(MsgOverflow);
      R->SetElement(i, j, Acc);
    }
  Assign(*R);
}

void TMatrix::Scale(Extended R) {
  std::vector<Extended> Values;
  Values.reserve(static_cast<std::size_t>(FRowCount) * static_cast<std::size_t>(FColCount));
  for (int i = 0; i < FRowCount; ++i)
    for (int j = 0; j < FColCount; ++j) {
      Extended V = GetElement(i, j) * R;
      if (!std::isfinite(V)) throw EMatrixException(MsgOverflow);
      Values.push_back(V);
    }
  std::size_t k = 0;
  for (int i = 0; i < FRowCount; ++i)
    for (int j = 0; j < FColCount; ++j) SetElement(i, j, Values[k++]);
}

void TMatrix::SetDiagonal(Extended Value) {
  if (FRowCount != FColCount) throw EMatrixException(MsgNotSquare);
  Fill(0);
  for (int i = 0; i < FRowCount; ++i) SetElement(i, i, Value);
}

void TMatrix::Power(int N) {
  if (N < 1 || N > MaxPower) throw EMatrixException(MsgBadPower);
  if (N == 1) return;
  if (FColCount != FRowCount) throw EMatrixException(MsgCanNotMultiply);
  // Square-and-multiply: a handful of products instead of N - 1, so a large N cannot stall
  // the window, and fewer roundings.
  auto Base = Copy();
  std::unique_ptr<TMatrix> Acc;
  for (int E = N;;) {
    if (E & 1) {
      if (Acc)
        Acc->Multiply(*Base);
      else
        Acc = Base->Copy();
    }
    E >>= 1;
    if (E == 0) break;
    Base->Multiply(*Base);
  }
  Assign(*Acc);
}

void TMatrix::SwapRows(int R1, int R2) {
  CheckRow(R1);
  CheckRow(R2);
  if (R1 == R2) return;
  for (int j = 0; j < FColCount; ++j) {
    Extended T = GetElement(R1, j);
    SetElement(R1, j, GetElement(R2, j));
    SetElement(R2, j, T);
  }
}

void TMatrix::AddRowMultiple(int R1, int R2, Extended F) {
  CheckRow(R1);
  CheckRow(R2);
  for (int j = 0; j < FColCount; ++j) SetElement(R1, j, GetElement(R1, j) + F * GetElement(R2, j));
}

void TMatrix::ScaleRow(int R, Extended F) {
  CheckRow(R);
  for (int j = 0; j < FColCount; ++j) SetElement(R, j, F * GetElement(R, j));
}

bool TMatrix::Reduce(TMatrix& B, Extended& Det) {
  const int N = FRowCount;
  const Extended Scale = MaxAbs(*this);
  if (!std::isfinite(Scale)) {
    Det = NAN;
    return false;
  }
  const Extended Tol = PivotTolerance(N, Scale);
  Det = 1;
  // Forward elimination with partial pivoting: the largest entry of the column is the pivot.
  for (int k = 0; k < N; ++k) {
    int P = k;
    Extended Best = std::fabs(GetElement(k, k));
    for (int i = k + 1; i < N; ++i) {
      Extended V = std::fabs(GetElement(i, k));
      if (V > Best) {
        Best = V;
        P = i;
      }
    }
    if (!(Best > Tol)) {
      Det = 0;
      return false;
    }
    if (P != k) {
      SwapRows(k, P);
      B.SwapRows(k, P);
      Det = -Det;
    }
    const Extended Pivot = GetElement(k, k);
    for (int i = k + 1; i < N; ++i) {
      Extended F = GetElement(i, k) / Pivot;
      if (F == 0) continue;
      AddRowMultiple(i, k, -F);
      B.AddRowMultiple(i, k, -F);
      SetElement(i, k, 0);
    }
  }
  for (int k = N - 1; k >= 0; --k) {
    const Extended Pivot = GetElement(k, k);
    for (int i = k - 1; i >= 0; --i) {
      Extended F = GetElement(i, k) / Pivot;
      if (F == 0) continue;
      AddRowMultiple(i, k, -F);
      B.AddRowMultiple(i, k, -F);
      SetElement(i, k, 0);
    }
  }
  for (int k = 0; k < N; ++k) {
    const Extended Pivot = GetElement(k, k);
    Det *= Pivot;
    B.ScaleRow(k, 1 / Pivot);
    ScaleRow(k, 1 / Pivot);
    SetElement(k, k, 1);
  }
  return true;
}

Extended TMatrix::GaussJordan(TMatrix& B) {
  if (FRowCount != FColCount) throw EMatrixException(MsgNotSquare);
  if (B.RowCount() != FRowCount) throw EMatrixException(MsgIndexOutOfBounds);
  Extended Det = 0;
  Reduce(B, Det);
  return Det;
}

std::unique_ptr<TMatrix> TMatrix::Inverse() const {
  if (FRowCount != FColCount) throw EMatrixException(MsgNotSquare);
  if (!AllFinite(*this)) throw EMatrixException(MsgOverflow);
  const int N = FRowCount;
  auto C = Copy();
  auto I = NewOfClass();
  I->SetSize(N, N);
  I->SetDiagonal(1);
  Extended Det = 0;
  if (!C->Reduce(*I, Det)) throw EMatrixException(MsgCanNotInverse);
  if (!AllFinite(*I)) throw EMatrixException(MsgOverflow);
  // A pivot test alone lets badly conditioned matrices through; when the condition number
  // leaves no correct digit, the inverse would be a large, wrong answer.
  const Extended Condition = Norm1(*this) * Norm1(*I);
  if (!(Condition * static_cast<Extended>(N) * LDBL_EPSILON < 1))
    throw EMatrixException(MsgCanNotInverse);
  return I;
}

std::unique_ptr<TMatrix> Product(const TMatrix& A, const TMatrix& B) {
  if (A.ColCount() != B.RowCount()) throw EMatrixException(MsgCanNotMultiply);
  auto R = A.Copy();
  R->Multiply(B);
  return R;
}

std::unique_ptr<TMatrix> Sum(const TMatrix& A, const TMatrix& B) {
  if (A.RowCount() != B.RowCount() || A.ColCount() != B.ColCount())
    throw EMatrixException(MsgCanNotAdd);
  auto R = A.Copy();
  R->Add(B);
  return R;
}

std::unique_ptr<TMatrix> Scaled(const TMatrix& A, Extended R) {
  auto Result = A.Copy();
  Result->Scale(R);
  return Result;
}

std::unique_ptr<TMatrix> PowerOf(const TMatrix& A, int N) {
  auto R = A.Copy();
  R->Power(N);
  return R;
}

// ---- TRealMatrix ----

Extended TRealMatrix::GetElement(int Row, int Col) const {
  if (Col < 0 || Col >= FColCount || Row < 0 || Row >= FRowCount)
    throw EMatrixException(std::string(MsgIndexOutOfBounds) + std::to_string(Col) + " " +
                           std::to_string(Row));
  return FRows[static_cast<std::size_t>(Row)][static_cast<std::size_t>(Col)];
}

void TRealMatrix::SetElement(int Row, int Col, Extended Value) {
  if (Col < 0 || Col >= FColCount || Row < 0 || Row >= FRowCount)
    throw EMatrixException(MsgIndexOutOfBounds);
  FRows[static_cast<std::size_t>(Row)][static_cast<std::size_t>(Col)] = Value;
}

void TRealMatrix::SetSize(int Rows, int Cols) {
  if (Rows < 1 || Cols < 1) throw std::runtime_error(MsgInvalidDimensions);
  if (Rows == FRowCount && Cols == FColCount) return;
  const auto NewCols = static_cast<std::size_t>(Cols);
  FRows.resize(static_cast<std::size_t>(Rows));
  for (auto& Row : FRows) Row.resize(NewCols, 0);
  FRowCount = Rows;
  FColCount = Cols;
}

std::unique_ptr<TMatrix> TRealMatrix::NewOfClass() const { return std::make_unique<TRealMatrix>(); }

// ---- TRealVector ----

Extended TRealVector::GetElement(int Index) const {
  if (Index < 0 || Index >= FCount) throw EMatrixException(MsgIndexOutOfBounds);
  return FValues[static_cast<std::size_t>(Index)];
}

void TRealVector::SetElement(int Index, Extended Value) {
  if (Index < 0 || Index >= FCount) throw EMatrixException(MsgIndexOutOfBounds);
  FValues[static_cast<std::size_t>(Index)] = Value;
}

void TRealVector::SetCount(int N) {
  if (N < 1) throw std::runtime_error(MsgInvalidDimension);
  FValues.resize(static_cast<std::size_t>(N), 0);
  FCount = N;
}

}  // namespace MatLib
