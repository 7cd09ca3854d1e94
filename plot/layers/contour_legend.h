#pragma once
// The legend entry of a contour layer: three nested rings in the colours of its lowest, middle
// and highest lines (all in the layer colour while the lines share it), left of the layer's name.
#include <memory>

#include "plot/layers/contour.h"
#include "plot/layers/series.h"

class TContourLegend : public TSeriesLegend {
 public:
  explicit TContourLegend(TGraph* AGraph) : TSeriesLegend(AGraph) {}
  // An entry standing for the layer, with its name.
  static std::unique_ptr<TContourLegend> ForLayer(TContour& Layer);
  void DrawSample() override;
  // The colours of the rings, outermost first.
  std::array<TColor, 3> RingColors() const;
};
