#include "tabulate/tabulator.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <optional>
#include <stdexcept>

#include "engine/complex_eval.h"
#include "engine/engine_scopes.h"
#include "engine/variables.h"
#include "platform/memory_check.h"

namespace {

// The letter slot of Y, after X.
constexpr int LetterY = varX + 1;
// The comparison length of the integrals inside a grid.
constexpr std::uint8_t CoarseQuadCompareLen = 7;
constexpr const char* ModulusOpen = "abs(";
constexpr int ModulusShift = 4;

bool StepsInBounds(int N) { return N >= 1 && N <= MaxPlotSteps; }

TTabulation WithOutcome(TTabulationOutcome Outcome, TSideResult Error = {}) {
  TTabulation R;
  R.Outcome = Outcome;
  R.Error = std::move(Error);
  return R;
}

// An error of the wrapped text "abs(" + formula + ")" moved back onto the formula as typed, its
// message renumbered.
void UnwrapModulus(const std::string& Typed, TSideResult& E) {
  const int End = static_cast<int>(Typed.size()) + 1;
  const int Last = E.ErrPos + E.ErrLen - 1 - ModulusShift;
  E.ErrPos = std::clamp(E.ErrPos - ModulusShift, 1, std::max(End, 1));
  E.ErrLen = std::max(1, std::min(Last, End) - E.ErrPos + 1);
  E.Message = ErrorText(E.ErrCode) + ": position " + std::to_string(E.ErrPos);
}

}  // namespace

TSideResult BreakError(const std::string& Typed) { return ErrorPastEnd(Typed, errUserBreak); }

TTabulationRequest CurveRequest(std::string Typed, double XFrom, double XTo, int XSteps) {
  TTabulationRequest R;
  R.Typed = std::move(Typed);
  R.XFrom = XFrom;
  R.XTo = XTo;
  R.XSteps = XSteps;
  return R;
}

TTabulationRequest GridRequest(std::string Typed, double XFrom, double XTo, int XSteps,
                               double YFrom, double YTo, int YSteps) {
  TTabulationRequest R = CurveRequest(std::move(Typed), XFrom, XTo, XSteps);
  R.TwoAxes = true;
  R.YFrom = YFrom;
  R.YTo = YTo;
  R.YSteps = YSteps;
  R.CoarseIntegrals = true;
  return R;
}

std::string GridSizeText(int NX, int NY) {
  return "grid of " + std::to_string(static_cast<long long>(NX) + 1) + " x " +
         std::to_string(static_cast<long long>(NY) + 1) + " points";
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

std::uint64_t TabulationBytes(const TTabulationRequest& R) {
  const long long NX = std::max(R.XSteps, 0) + 1LL;
  const long long NY = R.TwoAxes ? std::max(R.YSteps, 0) + 1LL : 1;
  const std::uint64_t Points = SaturatingMul(std::uint64_t(NX), std::uint64_t(NY));
  return SaturatingAdd(TValueGrid::Bytes(NX, NY), SaturatingMul(Points, R.KeptBytesPerPoint));
}

TTabulation Tabulate(const TTabulationRequest& R) {
  const bool InBounds = StepsInBounds(R.XSteps) && (!R.TwoAxes || StepsInBounds(R.YSteps));
  if (!InBounds || !MemoryAvailable(TabulationBytes(R)))
    return WithOutcome(TTabulationOutcome::NoMemory);
  const int NX = R.XSteps + 1, NY = R.TwoAxes ? R.YSteps + 1 : 1;
  std::shared_ptr<TValueGrid> G;
  try {
    G = std::make_shared<TValueGrid>(NX, NY);
  } catch (const std::bad_alloc&) {
    return WithOutcome(TTabulationOutcome::NoMemory);
  } catch (const std::length_error&) {
    return WithOutcome(TTabulationOutcome::NoMemory);
  }

  TSideEvaluation Side(TSideMode::Start);
  if (!Side.Started()) {
    TSideResult Refused;
    Refused.Refused = true;
    return WithOutcome(TTabulationOutcome::Refused, Refused);
  }
  std::optional<TQuadCompareScope> Coarser;
  if (R.CoarseIntegrals) Coarser.emplace(CoarseQuadCompareLen);
  const TComplexAnswerScope Answer;
  const bool Stop = R.OnFailure == TPointFailure::Stop;
  const std::string Text = R.Complex ? ModulusOpen + R.Typed + ")" : R.Typed;
  auto Fail = [&](TSideResult E) {
    if (R.Complex && E.ErrCode != errUserBreak) UnwrapModulus(R.Typed, E);
    return WithOutcome(TTabulationOutcome::Failed, std::move(E));
  };
  TSideResult Error;
  // The formula is checked as the input line checks it, so that its errors are placed alike.
  if (R.Complex && !Side.Prepare(R.Typed, Error))
    return WithOutcome(TTabulationOutcome::Failed, Error);
  if (!Side.Prepare(Text, Error)) return Fail(Error);

  TGaugeSteps Steps(R.Progress);
  const double HX = (R.XTo - R.XFrom) / R.XSteps;
  const double HY = R.TwoAxes ? (R.YTo - R.YFrom) / R.YSteps : 0;
  const std::int64_t Total = static_cast<std::int64_t>(NX) * NY;
  int Holes = 0;
  std::optional<TSideResult> FirstError;
  // The value at the point where the letters are now, Z its value as a double.
  auto Evaluate = [&](double& Z, double X, std::optional<double> Y) {
    if (!R.Complex) {
      // Past the first hole a point that fails is only a hole: its error is not read.
      TSideResult P = Side.EvaluatePreparedAt(X, Y, Stop || !FirstError);
      Z = static_cast<double>(P.Value);
      return P;
    }
    TComplex V;
    TSideResult P = Side.EvaluatePreparedComplex(V);
    Z = static_cast<double>(V.A);
    if (P.Ok && !std::isfinite(Z)) {
      P.Ok = false;
      P.ErrCode = errOverflow;
      P.ErrPos = static_cast<int>(Text.size());
      P.ErrLen = 1;
    }
    return P;
  };
  if (R.TwoAxes)
    for (int J = 0; J < NY; ++J) G->SetY(J, R.YFrom + J * HY);
  for (int I = 0; I < NX; ++I) {
    const double X = R.XFrom + I * HX;
    VarValues[varX] = X;
    G->SetX(I, X);
    for (int J = 0; J < NY; ++J) {
      if (R.TwoAxes) VarValues[LetterY] = G->Y(J);
      PumpMessages();
      if (BreakConfirmed()) return WithOutcome(TTabulationOutcome::Failed, BreakError(R.Typed));
      double Z = 0;
      const TSideResult P =
          Evaluate(Z, X, R.TwoAxes ? std::optional<double>(G->Y(J)) : std::nullopt);
      if (Stop) {
        if (!P.Ok) return Fail(P);
        G->Set(I, J, Z);
      } else if (!P.Ok && P.ErrCode == errUserBreak) {
        // The Stop button seen inside the evaluation.
        return WithOutcome(TTabulationOutcome::Failed, BreakError(R.Typed));
      } else if (P.Ok && std::isfinite(Z)) {
        G->Set(I, J, Z);
      } else {
        ++Holes;
        if (!P.Ok && !FirstError) FirstError = P;
      }
      Steps.Set(static_cast<std::int64_t>(I) * NY + J + 1, Total);
    }
  }
  // A curve leaves X one step past its end, where its loop stopped, as the curve plot always has
  // (a formula read afterwards sees that X).
  if (Stop && !R.TwoAxes) VarValues[varX] = R.XFrom + static_cast<double>(NX) * HX;
  // A table without a single value is a text that cannot be read, not an empty picture.
  if (!Stop && Holes == Total) return Fail(FirstError.value_or(TSideResult{}));
  TTabulation Done;
  Done.Holes = Holes;
  Done.Grid = std::move(G);
  return Done;
}
