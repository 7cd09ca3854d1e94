#pragma once
// Matrices and vectors of Extended values for the matrix calculator, 0-based.
//
// Every whole-matrix operation goes through the virtual element access, so it works on any
// descendant, and every result is made through NewOfClass, so results have the class of the
// matrix they come from. Misuse raises EMatrixException with a fixed English message; each
// check is made before anything is changed, so a failed operation leaves its operands as they
// were. Sizes below 1 raise the base exception (std::runtime_error).
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/engine_state.h"

namespace MatLib {

class EMatrixException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The fixed messages, shown to the user as they are.
inline constexpr const char* MsgCanNotAdd = "Can not add these matrixes";
inline constexpr const char* MsgCanNotMultiply = "Can not Multiply";
inline constexpr const char* MsgNotSquare = "This operation can be applied only to square matrix";
inline constexpr const char* MsgCanNotInverse = "Could not inverse this matrix";
inline constexpr const char* MsgIndexOutOfBounds = "Index out of bounds";
inline constexpr const char* MsgOverflow = "Floating point overflow";
inline constexpr const char* MsgBadPower = "Power must be a whole number from 1 to 1000";
inline constexpr const char* MsgInvalidDimensions = "Invalid dimensions...";
inline constexpr const char* MsgInvalidDimension = "Invalid dimension...";

// Largest exponent that Power accepts. Powers are formed by repeated squaring, so the bound
// is about sense, not time: beyond it practically every matrix over- or underflows.
inline constexpr int MaxPower = 1000;

class TMatrix {
 public:
  virtual ~TMatrix() = default;

  int ColCount() const { return FColCount; }
  int RowCount() const { return FRowCount; }

  virtual Extended GetElement(int Row, int Col) const = 0;
  virtual void SetElement(int Row, int Col, Extended Value) = 0;
  virtual void SetSize(int Rows, int Cols) = 0;
  // An empty matrix of this object's own class; temporaries and results are made this way.
  virtual std::unique_ptr<TMatrix> NewOfClass() const = 0;

  void Assign(const TMatrix& Source);
  void Fill(Extended Value);
  void Add(const TMatrix& B);
  void Multiply(const TMatrix& B);
  void Scale(Extended R);
  void SetDiagonal(Extended Value);
  // Self := Self^N for N in 1..MaxPower; any other N raises MsgBadPower.
  void Power(int N);
  void SwapRows(int R1, int R2);
  void AddRowMultiple(int R1, int R2, Extended F);
  void ScaleRow(int R, Extended F);
  // Reduces Self to the identity, applying every row operation to B as well (B must have as
  // many rows as Self), and returns the determinant Self had. A matrix that is singular to
  // working precision stops the reduction and returns 0 (NaN when Self holds inf or NaN);
  // Self and B are then partly reduced. The determinant itself may over- or underflow.
  Extended GaussJordan(TMatrix& B);
  // A new matrix holding the inverse; Self is unchanged.
  std::unique_ptr<TMatrix> Inverse() const;

  // The copy that the result-returning operations start from.
  std::unique_ptr<TMatrix> Copy() const;

 protected:
  TMatrix() = default;
  TMatrix(const TMatrix&) = default;
  TMatrix& operator=(const TMatrix&) = default;

  int FColCount = 0;
  int FRowCount = 0;

 private:
  void CheckRow(int R) const;
  // The reduction behind GaussJordan; false when the matrix is singular to working precision.
  bool Reduce(TMatrix& B, Extended& Det);
};

// New matrices of the left operand's class; the caller owns them.
std::unique_ptr<TMatrix> Product(const TMatrix& A, const TMatrix& B);
std::unique_ptr<TMatrix> Sum(const TMatrix& A, const TMatrix& B);
std::unique_ptr<TMatrix> Scaled(const TMatrix& A, Extended R);
std::unique_ptr<TMatrix> PowerOf(const TMatrix& A, int N);

class TRealMatrix : public TMatrix {
 public:
  TRealMatrix() { SetSize(5, 5); }  // a new matrix is 5 x 5 zeros
  TRealMatrix(int Rows, int Cols) { SetSize(Rows, Cols); }

  Extended GetElement(int Row, int Col) const override;
  void SetElement(int Row, int Col, Extended Value) override;
  void SetSize(int Rows, int Cols) override;
  std::unique_ptr<TMatrix> NewOfClass() const override;

  void SetColCount(int Value) { SetSize(FRowCount, Value); }
  void SetRowCount(int Value) { SetSize(Value, FColCount); }

 private:
  std::vector<std::vector<Extended>> FRows;
};

class TVector {
 public:
  virtual ~TVector() = default;

  int Count() const { return FCount; }

  virtual Extended GetElement(int Index) const = 0;
  virtual void SetElement(int Index, Extended Value) = 0;
  virtual void SetCount(int N) = 0;

 protected:
  TVector() = default;
  TVector(const TVector&) = default;
  TVector& operator=(const TVector&) = default;

  int FCount = 0;
};

class TRealVector : public TVector {
 public:
  TRealVector() { SetCount(5); }  // a new vector holds 5 zeros
  explicit TRealVector(int N) { SetCount(N); }

  Extended GetElement(int Index) const override;
  void SetElement(int Index, Extended Value) override;
  void SetCount(int N) override;

 private:
  std::vector<Extended> FValues;
};

}  // namespace MatLib
