#pragma once
// The graphics page's surface and polar plots: the input line's text is tabulated through the
// engine over the page's ranges, then handed to the surface or the polar window. The tabulation
// runs first and on its own, so that a break or a refused grid leaves the window's last picture
// as it was; only a finished table replaces it.
#include <QString>

#include <functional>
#include <string>
#include <vector>

#include "engine/side_eval.h"

class TfmSurfaceChart;
class TPolarForm;

// What the page reads from its fields for one plot.
struct TPlotRequest {
  std::string Input;  // the input line as typed, in the engine's code page
  bool ComplexMode = false;
  double XFrom = 0, XTo = 1;
  int XSteps = 1;
  double YFrom = 0, YTo = 1;  // the surface only
  int YSteps = 1;
  bool Radians = false;  // polar: the X range is in radians (rgAngle "Rad")
  QString Legend;        // edLegend
  QString Title;         // edTitle (polar: replaces the chart title when not empty)
  QString XTitle;        // edX (surface: the bottom axis title)
  // The gauge of the surface, in percent; called only when the percent changes, and with 0 at
  // the end.
  std::function<void(int Percent)> Progress;
  // The main window's result line: the error of a break, or of a text that cannot be read, with
  // its place in the typed text.
  std::function<void(const TSideResult& Error)> ShowEvalError;
};

enum class TPlotOutcome {
  Plotted,
  Break,     // the user stopped the tabulation: nothing was plotted
  Refused,   // another evaluation runs: nothing was read
  Failed,    // no point could be evaluated (the text cannot be read)
  TooLarge,  // the grid cannot be held in memory, or has more intervals than the page allows
};

// The values of a grid, column by column (X outer, Y inner, as the surface is filled): NaN marks
// a point whose evaluation failed or gave no finite value.
struct TSurfaceGrid {
  int NumX = 0, NumZ = 0;
  std::vector<double> Values;
  // Column I, row J, both from 1.
  double At(int I, int J) const { return Values[size_t(I - 1) * size_t(NumZ) + size_t(J - 1)]; }
};

// One point of a polar curve: the angle in degrees and the radius; NaN radius for a failed point.
struct TPolarPoint {
  double Angle = 0, Radius = 0;
};

struct TTabulation {
  TPlotOutcome Outcome = TPlotOutcome::Plotted;
  // Break and Failed: the error as the engine reported it (a break past the end of the text,
  // a failure at the first point that failed).
  TSideResult Error;
  // TooLarge: the refusal, naming the grid's size.
  QString Message;
  int NullPoints = 0;
};

// The grid of (XSteps + 1) x (YSteps + 1) values of the text, X = XFrom + (i - 1) * XStep and
// Y = YFrom + (j - 1) * YStep. Complex mode reads "abs(" + text + ")" by the complex evaluator.
// The integrals in the text compare fewer digits meanwhile, as for every f(x,y) grid. A grid with
// more intervals than the page allows, or more than the memory holds with the surface series it
// fills, is refused before anything is allocated.
TTabulation TabulateSurface(const TPlotRequest& Request, TSurfaceGrid& Grid);
// XSteps + 1 points at X = XFrom + i * h, angles in degrees; refused as for the surface. A polar
// curve is quick: the gauge stays as it is.
TTabulation TabulatePolar(const TPlotRequest& Request, std::vector<TPolarPoint>& Points);

// Kind 3 of the graphics page: tabulates and fills the surface window, then shows it. A grid
// too large and a text that cannot be read are reported in an error box (the latter after its
// error in the result line); a break shows the engine's "User break" there and plots nothing.
TPlotOutcome PlotSurface(const TPlotRequest& Request, TfmSurfaceChart& Window);
// Kind 4: tabulates, adds a new polar series to the polar window and shows it.
TPlotOutcome PlotPolar(const TPlotRequest& Request, TPolarForm& Window);
