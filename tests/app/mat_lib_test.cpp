#include "app/matrix/mat_lib.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

using namespace MatLib;

namespace {

TRealMatrix Make(std::initializer_list<std::initializer_list<Extended>> Rows) {
  TRealMatrix M(static_cast<int>(Rows.size()), static_cast<int>(Rows.begin()->size()));
  int i = 0;
  for (auto Row : Rows) {
    int j = 0;
    for (Extended V : Row) M.SetElement(i, j++, V);
    ++i;
  }
  return M;
}

TRealMatrix Hilbert(int N) {
  TRealMatrix H(N, N);
  for (int i = 0; i < N; ++i)
    for (int j = 0; j < N; ++j) H.SetElement(i, j, 1.0L / (i + j + 1));
  return H;
}

Extended Binomial(int N, int K) {
  Extended R = 1;
  for (int i = 1; i <= K; ++i) R = R * (N - K + i) / i;
  return R;
}

// The exact inverse of the Hilbert matrix, 0-based.
Extended HilbertInverse(int N, int I, int J) {
  const int i = I + 1, j = J + 1;
  const Extended Sign = ((i + j) % 2 == 0) ? 1 : -1;
  const Extended C = Binomial(i + j - 2, i - 1);
  return Sign * (i + j - 1) * Binomial(N + i - 1, N - j) * Binomial(N + j - 1, N - i) * C * C;
}

void ExpectMatrix(const TMatrix& M, std::initializer_list<std::initializer_list<Extended>> Rows) {
  ASSERT_EQ(M.RowCount(), static_cast<int>(Rows.size()));
  ASSERT_EQ(M.ColCount(), static_cast<int>(Rows.begin()->size()));
  int i = 0;
  for (auto Row : Rows) {
    int j = 0;
    for (Extended V : Row) EXPECT_EQ(M.GetElement(i, j++), V) << "at " << i << "," << j - 1;
    ++i;
  }
}

template <typename F>
std::string MessageOf(F&& Action) {
  try {
    Action();
  } catch (const EMatrixException& E) {
    return E.what();
  }
  return "(no EMatrixException)";
}

}  // namespace

TEST(MatLib, NewMatricesAndVectorsHoldFiveZeros) {
  TRealMatrix M;
  EXPECT_EQ(M.RowCount(), 5);
  EXPECT_EQ(M.ColCount(), 5);
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < 5; ++j) EXPECT_EQ(M.GetElement(i, j), 0);
  TRealVector V;
  ASSERT_EQ(V.Count(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(V.GetElement(i), 0);
}

TEST(MatLib, ResizingKeepsTheOverlapAndZeroFillsTheRest) {
  TRealMatrix M = Make({{1, 2}, {3, 4}});
  M.SetSize(3, 4);
  ExpectMatrix(M, {{1, 2, 0, 0}, {3, 4, 0, 0}, {0, 0, 0, 0}});
  M.SetElement(2, 3, 9);
  M.SetSize(2, 1);
  ExpectMatrix(M, {{1}, {3}});
  M.SetColCount(2);
  M.SetRowCount(3);
  ExpectMatrix(M, {{1, 0}, {3, 0}, {0, 0}});

  TRealVector V(2);
  V.SetElement(1, 7);
  V.SetCount(3);
  EXPECT_EQ(V.GetElement(1), 7);
  EXPECT_EQ(V.GetElement(2), 0);

  // Sizes below 1 raise the base exception, not the matrix exception.
  auto Dims = [](auto&& Action) {
    try {
      Action();
    } catch (const EMatrixException&) {
      return std::string("matrix exception");
    } catch (const std::runtime_error& E) {
      return std::string(E.what());
    }
    return std::string("nothing");
  };
  EXPECT_EQ(Dims([&] { M.SetSize(0, 3); }), "Invalid dimensions...");
  EXPECT_EQ(Dims([&] { M.SetColCount(-1); }), "Invalid dimensions...");
  EXPECT_EQ(Dims([&] { V.SetCount(0); }), "Invalid dimension...");
  EXPECT_EQ(M.RowCount(), 3);
  EXPECT_EQ(V.Count(), 3);
}

TEST(MatLib, IndexChecksCarryTheirMessages) {
  TRealMatrix M;
  EXPECT_EQ(MessageOf([&] { M.GetElement(0, 5); }), "Index out of bounds5 0");
  EXPECT_EQ(MessageOf([&] { M.GetElement(-1, 2); }), "Index out of bounds2 -1");
  EXPECT_EQ(MessageOf([&] { M.SetElement(5, 0, 1); }), "Index out of bounds");
  EXPECT_EQ(MessageOf([&] { M.SwapRows(0, 5); }), "Index out of bounds0 5");
  TRealVector V;
  EXPECT_EQ(MessageOf([&] { V.GetElement(5); }), "Index out of bounds");
  EXPECT_EQ(MessageOf([&] { V.SetElement(-1, 0); }), "Index out of bounds");
}

TEST(MatLib, SumsDifferencesAndScaling) {
  const TRealMatrix A = Make({{1, 2, 3}, {4, 5, 6}});
  const TRealMatrix B = Make({{10, 20, 30}, {40, 50, 60}});
  ExpectMatrix(*Sum(A, B), {{11, 22, 33}, {44, 55, 66}});
  ExpectMatrix(*Sum(B, *Scaled(A, -1)), {{9, 18, 27}, {36, 45, 54}});
  ExpectMatrix(*Scaled(A, 0.5L), {{0.5L, 1, 1.5L}, {2, 2.5L, 3}});

  TRealMatrix C = Make({{1, 2}, {3, 4}});
  EXPECT_EQ(MessageOf([&] { Sum(A, C); }), "Can not add these matrixes");
  EXPECT_EQ(MessageOf([&] { C.Add(A); }), "Can not add these matrixes");
  ExpectMatrix(C, {{1, 2}, {3, 4}});

  C.Fill(7);
  ExpectMatrix(C, {{7, 7}, {7, 7}});
  C.SetDiagonal(2);
  ExpectMatrix(C, {{2, 0}, {0, 2}});
  TRealMatrix D = A;
  EXPECT_EQ(MessageOf([&] { D.SetDiagonal(1); }),
            "This operation can be applied only to square matrix");
  ExpectMatrix(D, {{1, 2, 3}, {4, 5, 6}});
}

TEST(MatLib, ProductsFollowTheShapes) {
  const TRealMatrix A = Make({{1, 2, 3}, {4, 5, 6}});
  const TRealMatrix B = Make({{1, 0}, {0, 1}, {2, -1}});
  auto P = Product(A, B);
  EXPECT_NE(dynamic_cast<TRealMatrix*>(P.get()), nullptr);
  ExpectMatrix(*P, {{7, -1}, {16, -1}});
  ExpectMatrix(*Product(B, A), {{1, 2, 3}, {4, 5, 6}, {-2, -1, 0}});

  TRealMatrix Row = Make({{1, 2, 3}});
  TRealMatrix Col = Make({{1}, {2}, {3}});
  ExpectMatrix(*Product(Row, Col), {{14}});
  ExpectMatrix(*Product(Col, Row), {{1, 2, 3}, {2, 4, 6}, {3, 6, 9}});

  TRealMatrix Self = A;
  EXPECT_EQ(MessageOf([&] { Self.Multiply(A); }), "Can not Multiply");
  EXPECT_EQ(MessageOf([&] { Product(A, A); }), "Can not Multiply");
  ExpectMatrix(Self, {{1, 2, 3}, {4, 5, 6}});
}

TEST(MatLib, PowersAreWholeAndBounded) {
  const TRealMatrix A = Make({{1, 1}, {1, 0}});
  ExpectMatrix(*PowerOf(A, 1), {{1, 1}, {1, 0}});
  ExpectMatrix(*PowerOf(A, 3), {{3, 2}, {2, 1}});
  ExpectMatrix(*PowerOf(A, 10), {{89, 55}, {55, 34}});  // Fibonacci numbers
  ExpectMatrix(*PowerOf(Make({{1, 1}, {0, 1}}), 1000), {{1, 1000}, {0, 1}});
  ExpectMatrix(*PowerOf(Make({{2, 0}, {0, 1}}), 64), {{18446744073709551616.0L, 0}, {0, 1}});

  // Zero and negative powers would silently answer A; they and absurd powers are refused.
  TRealMatrix B = A;
  for (int N : {0, -3, 1001})
    EXPECT_EQ(MessageOf([&] { B.Power(N); }), "Power must be a whole number from 1 to 1000") << N;
  ExpectMatrix(B, {{1, 1}, {1, 0}});

  TRealMatrix Wide = Make({{1, 2, 3}});
  ExpectMatrix(*PowerOf(Wide, 1), {{1, 2, 3}});
  EXPECT_EQ(MessageOf([&] { Wide.Power(2); }), "Can not Multiply");

  // Results that over- or underflow to non-finite values are reported, operands untouched.
  TRealMatrix Big = Make({{1e10L, 0}, {0, 1}});
  EXPECT_EQ(MessageOf([&] { Big.Power(1000); }), "Floating point overflow");
  EXPECT_EQ(Big.GetElement(0, 0), 1e10L);
  EXPECT_EQ(MessageOf([&] { Scaled(Big, 1e4930L); }), "Floating point overflow");
  TRealMatrix Huge = Make({{1e4932L}});
  EXPECT_EQ(MessageOf([&] { Huge.Add(Huge); }), "Floating point overflow");
  EXPECT_EQ(Huge.GetElement(0, 0), 1e4932L);
}

TEST(MatLib, InverseOfRegularMatrices) {
  ExpectMatrix(*Make({{0, 1}, {1, 0}}).Inverse(), {{0, 1}, {1, 0}});
  ExpectMatrix(*Make({{2, 0}, {0, 4}}).Inverse(), {{0.5L, 0}, {0, 0.25L}});

  const TRealMatrix A = Make({{4, -2, 1, 3}, {3, 6, -4, 2}, {2, 1, 8, -5}, {1, 2, 3, 9}});
  auto Inv = A.Inverse();
  ExpectMatrix(A, {{4, -2, 1, 3}, {3, 6, -4, 2}, {2, 1, 8, -5}, {1, 2, 3, 9}});  // unchanged
  auto I = Product(A, *Inv);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_NEAR(I->GetElement(i, j), i == j ? 1 : 0, 1e-17L);

  // Scale alone makes no matrix singular.
  auto Tiny = Scaled(Make({{1, 2}, {3, 4}}), 1e-3000L)->Inverse();
  EXPECT_NEAR(Tiny->GetElement(0, 0) / 1e3000L, -2, 1e-17L);
  EXPECT_NEAR(Tiny->GetElement(1, 0) / 1e3000L, 1.5L, 1e-17L);

  for (int N : {3, 6, 8}) {
    auto H = Hilbert(N).Inverse();
    for (int i = 0; i < N; ++i)
      for (int j = 0; j < N; ++j) {
        const Extended Exact = HilbertInverse(N, i, j);
        EXPECT_NEAR(H->GetElement(i, j) / Exact, 1, 1e-7L) << N << ": " << i << "," << j;
      }
  }
}

TEST(MatLib, SingularAndNearlySingularMatricesAreNotInverted) {
  const std::string Msg = "Could not inverse this matrix";
  EXPECT_EQ(MessageOf([] { Make({{1, 2}, {2, 4}}).Inverse(); }), Msg);
  EXPECT_EQ(MessageOf([] { TRealMatrix(3, 3).Inverse(); }), Msg);
  EXPECT_EQ(MessageOf([] { Make({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}).Inverse(); }), Msg);
  // Singular but for one rounding step.
  EXPECT_EQ(MessageOf([] { Make({{1, 2}, {2, 4 + 4e-19L}}).Inverse(); }), Msg);
  EXPECT_EQ(MessageOf([] { Scaled(Make({{1, 2}, {2, 4 + 4e-19L}}), 1e-200L)->Inverse(); }), Msg);
  // Badly conditioned: every digit of the answer would be noise.
  EXPECT_EQ(MessageOf([] { Hilbert(20).Inverse(); }), Msg);
  EXPECT_EQ(MessageOf([] {
              Make({{1, 2, 3}}).Inverse();
            }),
            "This operation can be applied only to square matrix");
  EXPECT_EQ(MessageOf([] { Make({{1e-4935L}}).Inverse(); }), "Floating point overflow");
  EXPECT_EQ(MessageOf([] { Make({{INFINITY, 0}, {0, 1}}).Inverse(); }), "Floating point overflow");
}

TEST(MatLib, GaussJordanReturnsTheDeterminant) {
  TRealMatrix A = Make({{0, 2}, {3, 0}});
  TRealMatrix B = Make({{1, 0}, {0, 1}});
  EXPECT_EQ(A.GaussJordan(B), -6);
  ExpectMatrix(A, {{1, 0}, {0, 1}});
  ExpectMatrix(B, {{0, 1.0L / 3}, {0.5L, 0}});

  TRealMatrix U = Make({{2, 5, 7}, {0, 3, 1}, {0, 0, -4}});
  TRealMatrix Rhs(3, 1);
  EXPECT_EQ(U.GaussJordan(Rhs), -24);

  TRealMatrix S = Make({{1, 2}, {2, 4}});
  TRealMatrix Sb(2, 1);
  EXPECT_EQ(S.GaussJordan(Sb), 0);
  TRealMatrix Short(1, 1);
  EXPECT_EQ(MessageOf([&] { U.GaussJordan(Short); }), "Index out of bounds");
}

TEST(MatLib, LargestWindowSizeInvertsAndPowers) {
  const int N = 100;  // the window's largest matrix
  TRealMatrix A(N, N);
  for (int i = 0; i < N; ++i)
    for (int j = 0; j < N; ++j)
      A.SetElement(i, j, (i == j ? 4.0L : 0.0L) + 1.0L / (1 + (i * 7 + j * 3) % 11));
  auto I = Product(A, *A.Inverse());
  for (int i = 0; i < N; ++i)
    for (int j = 0; j < N; ++j)
      ASSERT_NEAR(I->GetElement(i, j), i == j ? 1 : 0, 1e-15L) << i << "," << j;

  // Rows summing to 1 keep every power bounded.
  TRealMatrix S(N, N);
  S.Fill(1.0L / N);
  auto P = PowerOf(S, MaxPower);
  EXPECT_NEAR(P->GetElement(N - 1, 0), 1.0L / N, 1e-15L);
}
