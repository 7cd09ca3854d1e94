#pragma once
// The graphics page's surface and polar plots: the input line's text is tabulated through the
// engine over the page's ranges, then handed to the surface or the polar window. The tabulation
// runs first and on its own, so that a break or a refused grid leaves the window's last picture
// as it was; only a finished table replaces it.
#include "app/graphics/plot_request.h"
#include "tabulate/tabulator.h"

class TfmSurfaceChart;
class TPolarForm;

enum class TPlotOutcome {
  Plotted,
  Break,     // the user stopped the tabulation: nothing was plotted
  Refused,   // another evaluation runs: nothing was read
  Failed,    // no point could be evaluated (the text cannot be read)
  TooLarge,  // the grid cannot be held in memory, or has more intervals than the page allows
};

// The tabulation of a surface (two axes, the coarser integrals) or of a polar curve (X only),
// failed points as holes.
TTabulationRequest SurfaceTabulation(const TPlotRequest& Request);
TTabulationRequest PolarTabulation(const TPlotRequest& Request);

// Kind 3 of the graphics page: tabulates and fills the surface window, then shows it. A grid
// too large and a text that cannot be read are reported in an error box (the latter after its
// error in the result line); a break shows the engine's "User break" there and plots nothing.
TPlotOutcome PlotSurface(const TPlotRequest& Request, TfmSurfaceChart& Window);
// Kind 4: tabulates, adds a new polar series to the polar window and shows it.
TPlotOutcome PlotPolar(const TPlotRequest& Request, TPolarForm& Window);
