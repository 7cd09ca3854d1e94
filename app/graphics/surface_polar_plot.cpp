#include "app/graphics/surface_polar_plot.h"

#include "chart/engine/surface_series.h"

namespace {

// Bytes a polar point takes in the series (two values, a colour, a label, and the lists' room to
// double).
constexpr std::uint64_t PolarPointBytes =
    2 * (2 * sizeof(double) + sizeof(TColor) + sizeof(QString));

}  // namespace

TTabulationRequest SurfaceTabulation(const TPlotRequest& Request) {
  TTabulationRequest R = GridRequest(Request.Input, Request.XFrom, Request.XTo, Request.XSteps,
                                     Request.YFrom, Request.YTo, Request.YSteps);
  R.Complex = Request.ComplexMode;
  R.OnFailure = TPointFailure::Hole;
  // The surface reads the grid in place and keeps nothing more per point.
  R.KeptBytesPerPoint = 0;
  R.Progress = Request.Progress;
  return R;
}

TTabulationRequest PolarTabulation(const TPlotRequest& Request) {
  TTabulationRequest R = CurveRequest(Request.Input, Request.XFrom, Request.XTo, Request.XSteps);
  R.Complex = Request.ComplexMode;
  R.OnFailure = TPointFailure::Hole;
  R.KeptBytesPerPoint = PolarPointBytes;
  return R;
}
