#include "app/graphics/plot_tabulation.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "engine/complex_eval.h"
#include "engine/engine_state.h"
#include "engine/variables.h"
#include "platform/memory_check.h"
#include "plot/layers/series.h"

namespace {

bool StepsInBounds(int N) { return N >= 1 && N <= MaxPlotSteps; }

}  // namespace

// The user pressed Stop: the break question is asked, as in every long calculation. An answer
// of No lets the tabulation go on and asks again only at the next press.
bool BreakConfirmed() {
  if (!EngineSettings.BreakRequested) return false;
  if (AskBreak()) return true;
  EngineSettings.BreakRequested = false;
  return false;
}

namespace {

TTabulationResult Refused() {
  TTabulationResult R;
  R.Outcome = TTabulationOutcome::Refused;
  R.Error.Refused = true;
  return R;
}

TTabulationResult NoMemory() {
  TTabulationResult R;
  R.Outcome = TTabulationOutcome::NoMemory;
  return R;
}

TTabulationResult Failed(TSideResult Error) {
  TTabulationResult R;
  R.Outcome = TTabulationOutcome::Failed;
  R.Error = std::move(Error);
  return R;
}

// The integrals of an f(x,y) grid compare fewer digits, for the time of the grid only.
class TQuadCompareLen {
 public:
  explicit TQuadCompareLen(std::uint8_t Len) : FSaved(EngineSettings.QuadCompareLen) {
    EngineSettings.QuadCompareLen = Len;
  }
  ~TQuadCompareLen() { EngineSettings.QuadCompareLen = FSaved; }
  TQuadCompareLen(const TQuadCompareLen&) = delete;
  TQuadCompareLen& operator=(const TQuadCompareLen&) = delete;

 private:
  std::uint8_t FSaved;
};

// The complex reader resets the previous complex result when a function fails; a plot is not an
// evaluation of the input line and leaves it alone.
class TComplexAnswerGuard {
 public:
  TComplexAnswerGuard() : FSaved(ComplexAnswer) {}
  ~TComplexAnswerGuard() { ComplexAnswer = FSaved; }
  TComplexAnswerGuard(const TComplexAnswerGuard&) = delete;
  TComplexAnswerGuard& operator=(const TComplexAnswerGuard&) = delete;

 private:
  TComplex FSaved;
};

// The letter slot of Y, after X.
constexpr int LetterY = varX + 1;

constexpr const char* ModulusOpen = "abs(";

}  // namespace

TSideResult BreakError(const std::string& Typed) {
  const std::string Stripped = StripBlanks(Typed);
  TSideResult R;
  R.ErrCode = errUserBreak;
  R.ErrPos = static_cast<int>(Stripped.size()) + 1;
  R.ErrLen = 1;
  MapErrorSpan(Typed, Stripped, R.ErrPos, R.ErrLen);
  R.Message = ErrorText(errUserBreak) + ": position " + std::to_string(R.ErrPos);
  return R;
}

void UnwrapModulus(const std::string& Typed, TSideResult& E) {
  constexpr int ModulusShift = 4;  // "abs("
  const int End = static_cast<int>(Typed.size()) + 1;
  const int Last = E.ErrPos + E.ErrLen - 1 - ModulusShift;
  E.ErrPos = std::clamp(E.ErrPos - ModulusShift, 1, std::max(End, 1));
  E.ErrLen = std::max(1, std::min(Last, End) - E.ErrPos + 1);
  E.Message = ErrorText(E.ErrCode) + ": position " + std::to_string(E.ErrPos);
}

void TGaugeSteps::Set(std::int64_t Done, std::int64_t Total) {
  if (Total <= 0 || Done < FNext) return;
  // Round(Done * 100 / Total), halves to even, in integers: this runs for every point.
  const std::int64_t Scaled = Done * 100;
  std::int64_t Percent = Scaled / Total;
  const std::int64_t Rest = Scaled % Total;
  if (2 * Rest > Total || (2 * Rest == Total && Percent % 2 != 0)) ++Percent;
  // The first count past the next half step, where the percentage can change again.
  FNext = ((2 * Percent + 1) * Total) / 200;
  if (Percent == FLast) return;
  FLast = static_cast<int>(Percent);
  if (FShow) FShow(FLast);
}

void TGaugeSteps::Reset() {
  FLast = 0;
  FNext = 0;
  if (FShow) FShow(0);
}

std::uint64_t GridBytes(int NX, int NY) {
  const std::uint64_t Columns = static_cast<std::uint64_t>(std::max(NX, 0)) + 1;
  const std::uint64_t Rows = static_cast<std::uint64_t>(std::max(NY, 0)) + 1;
  const std::uint64_t OneSet =
      SaturatingAdd(SaturatingMul(Columns, Rows), SaturatingAdd(Columns, Rows));
  return SaturatingMul(SaturatingMul(OneSet, 2), sizeof(double));
}

std::uint64_t CurveBytes(int N) {
  const std::uint64_t Points = static_cast<std::uint64_t>(std::max(N, 0)) + 1;
  // Each point is a heap block of its own, with the allocator's header, held by a list of
  // pointers that doubles as it grows.
  constexpr std::uint64_t PerPoint = sizeof(TGraphData) + 16 + 2 * sizeof(void*);
  return SaturatingMul(Points, PerPoint);
}

std::string GridSizeText(int NX, int NY) {
  return "grid of " + std::to_string(static_cast<long long>(NX) + 1) + " x " +
         std::to_string(static_cast<long long>(NY) + 1) + " points";
}

TTabulationResult TabulateCurve(const std::string& Typed, double A, double B, int N,
                                TSeries& Series, const std::function<void(int)>& Gauge) {
  if (!StepsInBounds(N) || !MemoryAvailable(CurveBytes(N))) return NoMemory();
  TSideEvaluation Side(TSideMode::Start);
  if (!Side.Started()) return Refused();
  TSideResult Error;
  if (!Side.Prepare(Typed, Error)) return Failed(Error);
  TGaugeSteps Steps(Gauge);
  const TColor Color = Series.GetColor();
  const double H = (B - A) / N;
  auto Fail = [&](TSideResult E) {
    Series.Clear();
    return Failed(std::move(E));
  };
  VarValues[varX] = A;
  for (int I = 1; I <= N + 1; ++I) {
    Steps.Set(I, static_cast<std::int64_t>(N) + 1);
    PumpMessages();
    if (BreakConfirmed()) return Fail(BreakError(Typed));
    const TSideResult P = Side.EvaluatePrepared();
    if (!P.Ok) return Fail(P);
    Series.AddPoint(Color, {}, static_cast<double>(VarValues[varX]), static_cast<double>(P.Value));
    VarValues[varX] = A + I * H;
  }
  return {};
}

TTabulationResult TabulateGrid(const std::string& Typed, bool Complex, double A, double B, int NX,
                               double C, double D, int NY, TPlotGrids& Out,
                               const std::function<void(int)>& Gauge) {
  if (!StepsInBounds(NX) || !StepsInBounds(NY) || !MemoryAvailable(GridBytes(NX, NY)))
    return NoMemory();
  TPlotGrids G;
  try {
    G.X = std::make_unique<GraphMatrix::TVector>(NX + 1);
    G.Y = std::make_unique<GraphMatrix::TVector>(NY + 1);
    G.Z = std::make_unique<GraphMatrix::TMatrix>(NX + 1, NY + 1);
  } catch (const std::bad_alloc&) {
    return NoMemory();
  } catch (const std::length_error&) {
    return NoMemory();
  }

  TSideEvaluation Side(TSideMode::Start);
  if (!Side.Started()) return Refused();
  const TQuadCompareLen Coarser(7);
  const TComplexAnswerGuard Answer;
  const std::string Text = Complex ? ModulusOpen + StripBlanks(Typed) + ")" : Typed;
  auto Fail = [&](TSideResult E) {
    if (Complex && E.ErrCode != errUserBreak) UnwrapModulus(Typed, E);
    return Failed(std::move(E));
  };
  TSideResult Error;
  // The formula is checked as the input line checks it, so that its errors are placed alike.
  if (Complex && !Side.Prepare(Typed, Error)) return Failed(Error);
  if (!Side.Prepare(Text, Error)) return Fail(Error);

  TGaugeSteps Steps(Gauge);
  const double HX = (B - A) / NX, HY = (D - C) / NY;
  const std::int64_t Total = (static_cast<std::int64_t>(NX) + 1) * (NY + 1);
  for (int I = 1; I <= NX + 1; ++I) {
    VarValues[varX] = A + (I - 1) * HX;
    G.X->SetValue(I, static_cast<double>(VarValues[varX]));
    for (int J = 1; J <= NY + 1; ++J) {
      VarValues[LetterY] = C + (J - 1) * HY;
      G.Y->SetValue(J, static_cast<double>(VarValues[LetterY]));
      PumpMessages();
      if (BreakConfirmed()) return Failed(BreakError(Typed));
      double Z = 0;
      if (Complex) {
        TComplex V;
        TSideResult P = Side.EvaluatePreparedComplex(V);
        if (!P.Ok) return Fail(P);
        Z = static_cast<double>(V.A);
        if (!std::isfinite(Z)) {
          P.Ok = false;
          P.ErrCode = errOverflow;
          P.ErrPos = static_cast<int>(Text.size());
          P.ErrLen = 1;
          return Fail(P);
        }
      } else {
        const TSideResult P = Side.EvaluatePrepared();
        if (!P.Ok) return Fail(P);
        Z = static_cast<double>(P.Value);
      }
      G.Z->SetValue(I, J, Z);
      Steps.Set((static_cast<std::int64_t>(I) - 1) * (NY + 1) + J, Total);
    }
  }
  Out = std::move(G);
  return {};
}
