#include "app/graphics/surface_polar_plot.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <optional>

#include "app/graphics/plot_tabulation.h"
#include "chart/engine/surface_series.h"
#include "engine/complex_eval.h"
#include "engine/variables.h"
#include "platform/codepage.h"
#include "platform/memory_check.h"

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr int varY = varX + 1;

// The gauge, told only when its percent changes: a grid has up to 256 million points.
class TGauge {
 public:
  TGauge(const TPlotRequest& Request, double Total) : FRequest(Request), FTotal(Total) {}
  ~TGauge() {
    if (FRequest.Progress) FRequest.Progress(0);
  }
  TGauge(const TGauge&) = delete;
  TGauge& operator=(const TGauge&) = delete;
  void Step(double Done) {
    if (!FRequest.Progress) return;
    const int P = int(std::lround(Done * 100.0 / FTotal));
    if (P == FLast) return;
    FLast = P;
    FRequest.Progress(P);
  }

 private:
  const TPlotRequest& FRequest;
  double FTotal;
  int FLast = -1;
};

// The Stop button, seen through the engine's throttled pump. A user who answers that the
// calculation should go on is asked again only at the next press.
bool Stopped() {
  PumpMessages();
  if (!EngineSettings.BreakRequested) return false;
  if (AskBreak()) return true;
  EngineSettings.BreakRequested = false;
  return false;
}

// What a plot must leave as it was: the previous complex result (the complex reader resets it
// when a function fails) and the integrals' comparison length.
class TPlotEngineScope {
 public:
  explicit TPlotEngineScope(int QuadCompareLen)
      : FAnswer(ComplexAnswer), FQuad(EngineSettings.QuadCompareLen) {
    EngineSettings.QuadCompareLen = static_cast<decltype(FQuad)>(QuadCompareLen);
  }
  ~TPlotEngineScope() {
    ComplexAnswer = FAnswer;
    EngineSettings.QuadCompareLen = FQuad;
  }
  TPlotEngineScope(const TPlotEngineScope&) = delete;
  TPlotEngineScope& operator=(const TPlotEngineScope&) = delete;

 private:
  TComplex FAnswer;
  decltype(EngineSettings.QuadCompareLen) FQuad;
};

// Evaluates the prepared text at the letters as they stand. Answers false on a break (the
// Stop button seen inside the evaluation); Value is NaN for a point that cannot be plotted.
class TPointReader {
 public:
  TPointReader(const TPlotRequest& Request, TTabulation& Result)
      : FTyped(Request.Input), FComplex(Request.ComplexMode), FResult(Result) {
    if (!FSide.Started()) {
      FResult.Outcome = TPlotOutcome::Refused;
      return;
    }
    const std::string Text = FComplex ? "abs(" + Request.Input + ")" : Request.Input;
    TSideResult Error;
    if (!FSide.Prepare(Text, Error)) Fail(Error);
  }
  bool Ready() const { return FResult.Outcome == TPlotOutcome::Plotted; }
  void Break() {
    FResult.Outcome = TPlotOutcome::Break;
    FResult.Error = BreakError(FTyped);
  }

  bool Read(double& Value) {
    TSideResult R;
    if (FComplex) {
      TComplex Z;
      R = FSide.EvaluatePreparedComplex(Z);
      R.Value = Z.A;
    } else {
      R = FSide.EvaluatePrepared();
    }
    if (!R.Ok && R.ErrCode == errUserBreak) {
      Break();
      return false;
    }
    Value = R.Ok ? double(R.Value) : NaN;
    if (!std::isfinite(Value)) {
      Value = NaN;
      ++FResult.NullPoints;
      if (!R.Ok && !FFirstError) FFirstError = R;
    } else {
      FAnyPoint = true;
    }
    return true;
  }
  // A table without a single point is a text that cannot be read, not an empty picture.
  void Finish() {
    if (!FAnyPoint) Fail(FFirstError.value_or(TSideResult{}));
  }

 private:
  void Fail(TSideResult Error) {
    if (FComplex && Error.ErrCode != errUserBreak) UnwrapModulus(FTyped, Error);
    FResult.Outcome = TPlotOutcome::Failed;
    FResult.Error = std::move(Error);
  }
  TSideEvaluation FSide;
  std::string FTyped;
  bool FComplex;
  TTabulation& FResult;
  std::optional<TSideResult> FFirstError;
  bool FAnyPoint = false;
};

TTabulation TooLarge(long long NumX, long long NumZ) {
  TTabulation Result;
  Result.Outcome = TPlotOutcome::TooLarge;
  Result.Message = QString::fromStdString(SurfaceMessages::GridTooLarge(NumX, NumZ));
  return Result;
}

// Bytes a polar point takes in the table and in the series (two values, a colour, a label, and
// the lists' room to double).
constexpr std::uint64_t PolarPointBytes =
    sizeof(TPolarPoint) + 2 * (2 * sizeof(double) + sizeof(TColor) + sizeof(QString));

}  // namespace

TTabulation TabulateSurface(const TPlotRequest& Request, TSurfaceGrid& Grid) {
  const long long NumX = std::max(1, Request.XSteps) + 1LL;
  const long long NumZ = std::max(1, Request.YSteps) + 1LL;
  // The table and the surface series it fills, asked for before either is allocated.
  const std::uint64_t Bytes =
      SaturatingAdd(SaturatingMul(std::uint64_t(NumX * NumZ), sizeof(double)),
                    TCustom3DGridSeries::GridBytes(NumX, NumZ));
  if (Request.XSteps > MaxPlotSteps || Request.YSteps > MaxPlotSteps || !MemoryAvailable(Bytes))
    return TooLarge(NumX, NumZ);
  TTabulation Result;
  const TPlotEngineScope Engine(7);
  TPointReader Reader(Request, Result);
  if (!Reader.Ready()) return Result;
  TSurfaceGrid G;
  G.NumX = int(NumX);
  G.NumZ = int(NumZ);
  try {
    G.Values.assign(size_t(NumX * NumZ), NaN);
  } catch (const std::bad_alloc&) {
    return TooLarge(NumX, NumZ);
  }
  const double XStep = (Request.XTo - Request.XFrom) / double(NumX - 1);
  const double YStep = (Request.YTo - Request.YFrom) / double(NumZ - 1);
  TGauge Gauge(Request, double(NumX * NumZ));
  size_t k = 0;
  for (int i = 1; i <= G.NumX; ++i) {
    VarValues[varX] = double(i - 1) * XStep + Request.XFrom;
    for (int j = 1; j <= G.NumZ; ++j, ++k) {
      VarValues[varY] = double(j - 1) * YStep + Request.YFrom;
      if (Stopped()) Reader.Break();
      if (!Reader.Ready() || !Reader.Read(G.Values[k])) return Result;
      Gauge.Step(double(k + 1));
    }
  }
  Reader.Finish();
  if (Result.Outcome == TPlotOutcome::Plotted) Grid = std::move(G);
  return Result;
}

TTabulation TabulatePolar(const TPlotRequest& Request, std::vector<TPolarPoint>& Points) {
  const long long Count = std::max(1, Request.XSteps) + 1LL;
  if (Request.XSteps > MaxPlotSteps || !MemoryAvailable(SaturatingMul(Count, PolarPointBytes)))
    return TooLarge(Count, 1);
  TTabulation Result;
  const TPlotEngineScope Engine(EngineSettings.QuadCompareLen);
  TPointReader Reader(Request, Result);
  if (!Reader.Ready()) return Result;
  const int N = std::max(1, Request.XSteps);
  const double H = (Request.XTo - Request.XFrom) / double(N);
  std::vector<TPolarPoint> P(size_t(N) + 1);
  for (int i = 0; i <= N; ++i) {
    const double X = Request.XFrom + double(i) * H;
    VarValues[varX] = X;
    P[size_t(i)].Angle = Request.Radians ? X * 180.0 / M_PI : X;
    if (Stopped()) Reader.Break();
    if (!Reader.Ready() || !Reader.Read(P[size_t(i)].Radius)) return Result;
  }
  Reader.Finish();
  if (Result.Outcome == TPlotOutcome::Plotted) Points = std::move(P);
  return Result;
}
