// The one tabulation of every picture: values at the points, the two policies for a failed
// point, the Stop button, the refusals before anything is read, and complex mode.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "engine/complex_eval.h"
#include "engine/engine_busy.h"
#include "engine/engine_host.h"
#include "engine/engine_scopes.h"
#include "engine/variables.h"
#include "platform/memory_check.h"
#include "tabulate/tabulator.h"

namespace {

struct TStopHost : TEngineHost {
  int Pumps = 0, StopAt = 0, Asked = 0;
  bool Answer = true;
  void PumpMessages() override {
    if (++Pumps == StopAt) RequestBreak();
  }
  bool AskBreak() override {
    ++Asked;
    return Answer;
  }
};

class Tabulator : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEngineHost(&Host);
    EngineInitialize();
    EngineState = TEngineState{};
    EngineSettings = TEngineSettings{};
  }
  void TearDown() override {
    SetEngineHost(nullptr);
    SetAvailableMemorySource(nullptr);
  }
  TStopHost Host;
};

TTabulationRequest Curve(const char* Text, double A, double B, int N) {
  return CurveRequest(Text, A, B, N);
}

TTabulationRequest Grid(const char* Text, double A, double B, int NX, double C, double D, int NY) {
  return GridRequest(Text, A, B, NX, C, D, NY);
}

}  // namespace

TEST_F(Tabulator, CurvesAndGridsHoldTheValuesAtTheirPointsAndTheGaugeMovesOnlyOnChange) {
  std::vector<int> Shown;
  TTabulationRequest R = Curve("X*2", 0, 1, 16000);
  R.Progress = [&](int P) { Shown.push_back(P); };
  TTabulation T = Tabulate(R);
  ASSERT_TRUE(T.Ok());
  ASSERT_EQ(T.Grid->NX(), 16001);
  ASSERT_EQ(T.Grid->NY(), 1);
  EXPECT_DOUBLE_EQ(T.Grid->X(8000), 0.5);
  EXPECT_DOUBLE_EQ(T.Grid->At(16000, 0), 2.0);
  ASSERT_EQ(Shown.size(), 101u);
  EXPECT_EQ(Shown.front(), 0);
  EXPECT_EQ(Shown.back(), 100);
  EXPECT_TRUE(std::is_sorted(Shown.begin(), Shown.end()));

  // A grid, column by column; the letters keep the last point's values; every point pumps.
  Host.Pumps = 0;
  T = Tabulate(Grid("sin( X ) * cos( Y )", -1, 1, 4, 0, 3, 3));
  ASSERT_TRUE(T.Ok());
  ASSERT_EQ(T.Grid->NX(), 5);
  ASSERT_EQ(T.Grid->NY(), 4);
  for (int I = 0; I < 5; ++I)
    for (int J = 0; J < 4; ++J) {
      const double X = -1 + I * 0.5, Y = J;
      EXPECT_DOUBLE_EQ(T.Grid->X(I), X);
      EXPECT_DOUBLE_EQ(T.Grid->Y(J), Y);
      EXPECT_NEAR(T.Grid->At(I, J), std::sin(X) * std::cos(Y), 1e-15) << I << "," << J;
    }
  EXPECT_DOUBLE_EQ(double(VarValues[varX]), 1.0);
  EXPECT_DOUBLE_EQ(double(VarValues[varX + 1]), 3.0);
  EXPECT_EQ(Host.Pumps, 20);
  EXPECT_EQ(T.Holes, 0);
}

TEST_F(Tabulator, AFailedPointStopsTheTableOrIsAHoleAsThePictureAsks) {
  // Stop: the point's own error, and no table.
  TTabulation T = Tabulate(Curve("1/(X-1)", 0, 1, 10));
  EXPECT_EQ(T.Outcome, TTabulationOutcome::Failed);
  EXPECT_EQ(T.Error.ErrCode, errDivisionByZero);
  EXPECT_FALSE(T.Grid);

  // Hole: ln fails for X <= 0; those columns are missing, not the 0 the failure returned.
  TTabulationRequest R = Grid("ln(X)+Y", -1, 1, 2, 0, 1, 1);
  R.OnFailure = TPointFailure::Hole;
  T = Tabulate(R);
  ASSERT_TRUE(T.Ok());
  EXPECT_EQ(T.Holes, 4);
  for (int J = 0; J < 2; ++J) {
    EXPECT_TRUE(TValueGrid::Missing(T.Grid->At(0, J)));
    EXPECT_TRUE(TValueGrid::Missing(T.Grid->At(1, J)));
    EXPECT_NEAR(T.Grid->At(2, J), J, 1e-15);
  }
  // A table without a single value is a text that cannot be read.
  for (const char* Bad : {"sin(X", "ln(X-5)"}) {
    R.Typed = Bad;
    T = Tabulate(R);
    EXPECT_EQ(T.Outcome, TTabulationOutcome::Failed) << Bad;
    EXPECT_FALSE(T.Error.Message.empty()) << Bad;
    EXPECT_FALSE(T.Grid) << Bad;
  }
}

TEST_F(Tabulator, StopBreaksBothLoopsAndNoGoesOn) {
  Host.StopAt = 7;
  TTabulation T = Tabulate(Grid("X*Y", 0, 1, 10, 0, 1, 10));
  EXPECT_TRUE(T.UserBreak());
  EXPECT_EQ(T.Error.Message, "User break: position 4");
  EXPECT_EQ(Host.Asked, 1);
  EXPECT_EQ(Host.Pumps, 7);
  EXPECT_FALSE(T.Grid);
  // The break is placed past the end of the text as typed, blanks and all.
  Host = TStopHost{};
  Host.StopAt = 2;
  TTabulationRequest R = Curve("X * 2", 0, 1, 10);
  R.OnFailure = TPointFailure::Hole;
  T = Tabulate(R);
  EXPECT_TRUE(T.UserBreak());
  EXPECT_EQ(T.Error.ErrPos, 6);

  // "No" to the question goes on, and asks again only at the next press.
  Host = TStopHost{};
  Host.StopAt = 3;
  Host.Answer = false;
  T = Tabulate(Grid("X*Y", 0, 1, 10, 0, 1, 10));
  ASSERT_TRUE(T.Ok());
  EXPECT_EQ(Host.Asked, 1);
  EXPECT_EQ(T.Grid->Values().size(), 121u);
}

TEST_F(Tabulator, RefusalsComeBeforeAnythingIsReadOrAllocated) {
  {
    const TEngineBusyGuard Busy;
    const TTabulation T = Tabulate(Curve("X", 0, 1, 10));
    EXPECT_EQ(T.Outcome, TTabulationOutcome::Refused);
    EXPECT_TRUE(T.Error.Refused);
  }
  constexpr int Huge = std::numeric_limits<int>::max();
  VarValues[varX] = 42;
  for (int N : {Huge, MaxPlotSteps + 1, 0, -5})
    EXPECT_EQ(Tabulate(Curve("X", 0, 1, N)).Outcome, TTabulationOutcome::NoMemory) << N;
  for (auto [NX, NY] : {std::pair{Huge, 2}, {2, Huge}, {Huge, Huge}, {0, 2}})
    EXPECT_EQ(Tabulate(Grid("X", 0, 1, NX, 0, 1, NY)).Outcome, TTabulationOutcome::NoMemory);
  EXPECT_EQ(VarValues[varX], 42);
  EXPECT_EQ(Host.Pumps, 0);

  // The memory asked for is the table's and what the picture keeps beside it; half of what is
  // available is the most a picture takes.
  TTabulationRequest R = Grid("X", 0, 1, 9, 0, 1, 9);
  R.KeptBytesPerPoint = 100;
  const std::uint64_t Bytes = TabulationBytes(R);
  EXPECT_EQ(Bytes, TValueGrid::Bytes(10, 10) + 100 * 100);
  SetAvailableMemorySource([&] { return std::optional<std::uint64_t>(2 * Bytes); });
  EXPECT_TRUE(Tabulate(R).Ok());
  SetAvailableMemorySource([&] { return std::optional<std::uint64_t>(2 * Bytes - 2); });
  EXPECT_EQ(Tabulate(R).Outcome, TTabulationOutcome::NoMemory);
  // The page's largest grid is one table, whatever the pictures share of it.
  R.XSteps = R.YSteps = MaxPlotSteps;
  R.KeptBytesPerPoint = 0;
  EXPECT_EQ(TabulationBytes(R),
            (16001ull * 16001 + 2 * 16001) * sizeof(double) + sizeof(TValueGrid));
  R.KeptBytesPerPoint = std::numeric_limits<std::uint64_t>::max();
  EXPECT_EQ(TabulationBytes(R), std::numeric_limits<std::uint64_t>::max());
}

TEST_F(Tabulator, ComplexModeTabulatesTheModulusAndPlacesErrorsInTheTypedText) {
  TTabulationRequest R = Grid("comp(X,Y)", -3, 3, 2, -4, 4, 2);
  R.Complex = true;
  TTabulation T = Tabulate(R);
  ASSERT_TRUE(T.Ok());
  EXPECT_NEAR(T.Grid->At(0, 0), 5.0, 1e-15);
  EXPECT_NEAR(T.Grid->At(1, 1), 0.0, 1e-15);
  EXPECT_NEAR(T.Grid->At(2, 0), 5.0, 1e-15);

  // Complex mode reads no letters outside comp(: the error is at the letter as typed (blanks
  // counted), not in the "abs(" around it, whichever the policy. The previous complex result and
  // the integrals' comparison length stay as they were.
  ComplexAnswer = TComplex{cfAlgebraic, 7, 8};
  for (TPointFailure Policy : {TPointFailure::Stop, TPointFailure::Hole}) {
    R.OnFailure = Policy;
    R.Typed = "sin(  X)";
    T = Tabulate(R);
    EXPECT_EQ(T.Outcome, TTabulationOutcome::Failed);
    EXPECT_EQ(T.Error.ErrPos, 7);
    EXPECT_EQ(T.Error.Message.substr(T.Error.Message.size() - 10), "position 7");
    // A missing ")" is reported as the input line reports it.
    R.Typed = "(comp(X,Y)";
    T = Tabulate(R);
    EXPECT_EQ(T.Error.ErrCode, errMissingClose);
    EXPECT_EQ(T.Error.ErrPos, 10);
  }
  EXPECT_EQ(ComplexAnswer.A, 7);
  EXPECT_EQ(ComplexAnswer.B, 8);
  EXPECT_EQ(EngineSettings.QuadCompareLen, 9);
}

TEST(ValueGrid, SizesValuesAndRange) {
  TValueGrid G(3, 2);
  EXPECT_EQ(G.NX(), 3);
  EXPECT_EQ(G.NY(), 2);
  EXPECT_FALSE(G.Empty());
  double Min = 0, Max = 0;
  EXPECT_FALSE(G.Range(Min, Max));  // every node starts missing
  G.Set(0, 1, -2);
  G.Set(2, 0, 5);
  G.Set(1, 1, std::numeric_limits<double>::infinity());
  ASSERT_TRUE(G.Range(Min, Max));
  EXPECT_EQ(Min, -2);
  EXPECT_EQ(Max, 5);
  // Column by column: column 0's two rows come first.
  EXPECT_EQ(G.Values()[1], -2);
  EXPECT_TRUE(TValueGrid(-4, 5).Empty());
  EXPECT_EQ(TValueGrid::Bytes(std::numeric_limits<long long>::max(), 2),
            std::numeric_limits<std::uint64_t>::max());
}
