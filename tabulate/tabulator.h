#pragma once
// The numbers behind every picture of a formula: the text is read once and evaluated over one
// axis (a curve) or two (a grid), by the engine beside what it holds for the input line. The
// window system runs between points through the engine's throttled pump, so that Stop is seen;
// a break, a refused table or a failure hands back the error as the engine reported it, placed
// in the text as typed, and no table.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/side_eval.h"
#include "platform/value_grid.h"

// The most intervals a picture may have in each direction. More (and fewer than 1) are refused
// before anything is read or allocated.
inline constexpr int MaxPlotSteps = 16000;

enum class TTabulationOutcome {
  Done,
  Failed,   // the formula failed, or the user broke off: see Error
  Refused,  // another evaluation runs; nothing was read
  NoMemory  // the table cannot be held, or the step counts are out of bounds; nothing was
            // allocated
};

// What a point that cannot be evaluated makes of the table.
enum class TPointFailure {
  Stop,  // the table fails with the point's error
  Hole,  // the point is missing (NaN); the table fails only when no point has a value
};

struct TTabulationRequest {
  std::string Typed;     // the formula as typed, in the engine's code page
  bool Complex = false;  // the modulus of the complex value: "abs(" + formula + ")"
  double XFrom = 0, XTo = 1;
  int XSteps = 1;
  bool TwoAxes = false;  // Y runs too, as the inner loop
  double YFrom = 0, YTo = 1;
  int YSteps = 1;
  // The integrals inside the formula compare fewer digits meanwhile (grids have many points).
  bool CoarseIntegrals = false;
  TPointFailure OnFailure = TPointFailure::Stop;
  // Bytes the picture keeps per point beside the table, asked for with it before anything is
  // allocated.
  std::uint64_t KeptBytesPerPoint = 0;
  // The percentage done, told only when it changes.
  std::function<void(int Percent)> Progress;
};

struct TTabulation {
  TTabulationOutcome Outcome = TTabulationOutcome::Done;
  // The failing point's error (or the first failed point's when none had a value, or the
  // break): message, code, position and span in the typed text.
  TSideResult Error;
  // Points that are holes (TPointFailure::Hole).
  int Holes = 0;
  // X by Y values (a curve is one row, Y 0), every point read; null unless Done.
  std::shared_ptr<TValueGrid> Grid;
  bool Ok() const { return Outcome == TTabulationOutcome::Done; }
  bool UserBreak() const {
    return Outcome == TTabulationOutcome::Failed && Error.ErrCode == errUserBreak;
  }
};

// A curve of XSteps intervals from XFrom to XTo; a grid of XSteps by YSteps intervals, whose
// integrals compare fewer digits.
TTabulationRequest CurveRequest(std::string Typed, double XFrom, double XTo, int XSteps);
TTabulationRequest GridRequest(std::string Typed, double XFrom, double XTo, int XSteps,
                               double YFrom, double YTo, int YSteps);

TTabulation Tabulate(const TTabulationRequest& Request);

// Bytes the table of a request and what the picture keeps beside it take together.
std::uint64_t TabulationBytes(const TTabulationRequest& Request);

// The error of a user break: a break has no place in the text, so it is reported past its end,
// as a value that cannot be shown is.
TSideResult BreakError(const std::string& Typed);

// "grid of 41 x 41 points", for the message that refuses it.
std::string GridSizeText(int NX, int NY);

// Shows the percentage done, only when it changes (a grid of 16001 x 16001 points would repaint
// the gauge a quarter of a billion times).
class TGaugeSteps {
 public:
  explicit TGaugeSteps(std::function<void(int)> Show) : FShow(std::move(Show)) {}
  // Round(Done * 100 / Total).
  void Set(std::int64_t Done, std::int64_t Total);
  int Shown() const { return FLast; }

 private:
  std::function<void(int)> FShow;
  int FLast = -1;
  std::int64_t FNext = 0;  // counts below it show the same percentage
};
