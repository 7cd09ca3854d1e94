#pragma once
// The numbers behind the graphics page's pictures: a formula tabulated by the engine over X (a
// curve into a point series) or over X and Y (the grids of a contour or colour-shade picture).
// Every loop lets the window system run through the engine's throttled pump, so that the Stop
// button is seen; a break or an error at any point discards what was built and hands back the
// point's error as the engine reported it, for the window to show as it is.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/side_eval.h"
#include "plot/core/graph_matrix.h"

class TSeries;

// Shows the percentage done, only when it changes (a grid of 16001 x 16001 points would repaint
// the gauge a quarter of a billion times).
class TGaugeSteps {
 public:
  explicit TGaugeSteps(std::function<void(int)> Show) : FShow(std::move(Show)) {}
  // Round(Done * 100 / Total).
  void Set(std::int64_t Done, std::int64_t Total);
  // Back to 0.
  void Reset();
  int Shown() const { return FLast; }

 private:
  std::function<void(int)> FShow;
  int FLast = -1;
  std::int64_t FNext = 0;  // counts below it show the same percentage
};

// The user pressed Stop and answered the break question with Yes; No clears the request, so that
// the work goes on and asks again at the next press.
bool BreakConfirmed();

// The error of a user break: a break has no place in the text, so it is reported past its end,
// as a value that cannot be shown is.
TSideResult BreakError(const std::string& Typed);
// An error of the complex mode's wrapped text "abs(" + formula + ")" moved back onto the
// formula as typed, its message renumbered.
void UnwrapModulus(const std::string& Typed, TSideResult& E);

enum class TTabulationOutcome {
  Done,
  Failed,   // the formula failed at a point, or the user broke off: see Error
  Refused,  // another evaluation runs; nothing was read
  NoMemory  // the points cannot be held, or the step counts are out of bounds; nothing was
            // allocated
};

struct TTabulationResult {
  TTabulationOutcome Outcome = TTabulationOutcome::Done;
  // The failing point's error: message, code, position and span in the typed text.
  TSideResult Error;
  bool Ok() const { return Outcome == TTabulationOutcome::Done; }
  bool UserBreak() const {
    return Outcome == TTabulationOutcome::Failed && Error.ErrCode == errUserBreak;
  }
};

// The grids of an f(x,y) picture, 1-based: X and Y values and Z[i, j] at (X[i], Y[j]).
struct TPlotGrids {
  std::unique_ptr<GraphMatrix::TVector> X, Y;
  std::unique_ptr<GraphMatrix::TMatrix> Z;
  bool Empty() const { return !Z; }
  void Clear() {
    X.reset();
    Y.reset();
    Z.reset();
  }
};

// The most intervals the page lets a plot have in each direction. The tabulations refuse more
// (and fewer than 1) themselves, before anything is read or allocated.
constexpr int MaxPlotSteps = 16000;

// Bytes that a contour or colour-shade plot of (NX + 1) x (NY + 1) points keeps: the window's
// X, Y and Z grids and the layer's own copy of the three.
std::uint64_t GridBytes(int NX, int NY);
// Bytes that a curve of N + 1 points keeps in its series.
std::uint64_t CurveBytes(int N);

// "grid of 41 x 41 points", for the message that refuses it.
std::string GridSizeText(int NX, int NY);

// The curve y = f(X): N + 1 points from A to B, step (B - A) / N, appended to Series in its
// colour. On failure the points added so far are removed again. N is 1 .. MaxPlotSteps.
TTabulationResult TabulateCurve(const std::string& Typed, double A, double B, int N,
                                TSeries& Series, const std::function<void(int)>& Gauge);

// z = f(X, Y) over (NX + 1) x (NY + 1) points; in complex mode the modulus of the formula
// ("abs(" + formula + ")" read by the complex reader). The integrals inside it run at the
// coarser comparison length only meanwhile. Out gets the grids only when every point was read;
// otherwise it is left as it was. NX and NY are 1 .. MaxPlotSteps.
TTabulationResult TabulateGrid(const std::string& Typed, bool Complex, double A, double B, int NX,
                               double C, double D, int NY, TPlotGrids& Out,
                               const std::function<void(int)>& Gauge);
