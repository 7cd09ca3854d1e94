#pragma once
// The pictures of the graphics page, from the formula to the layer on a graph: a curve's series,
// or a contour or colour-shade layer over a tabulated grid. The graph is left as it was when the
// tabulation fails.
#include <QString>

#include <functional>
#include <string>

#include "app/graphics/plot_tabulation.h"

class TContour;
class TGraph;

struct TCurvePicture {
  std::string Typed;  // engine text, blanks allowed
  QString Legend, XTitle, YTitle, Title;
  double A = 0, B = 1;
  int N = 2;
};

// A series in the graph's next free colour and number, tabulated, with its legend entry.
TTabulationResult PutCurve(TGraph& G, const TCurvePicture& P,
                           const std::function<void(int)>& Gauge);

struct TGridPicture {
  std::string Typed;
  bool Complex = false;
  bool Shade = false;  // a colour-shaded map instead of contour lines
  QString Name, XTitle, YTitle, Title;
  double A = 0, B = 1, C = 0, D = 1;
  int NX = 2, NY = 2;
  int Levels = 10;
  double Exaggerate = 0;
};

// The grid tabulated into Grids (replacing what they held) and a contour layer over it put on
// the graph, whose axes get the grid's ranges. Layer is the new layer, null on failure. On a
// failed point Grids are emptied; when memory is short they are left alone.
TTabulationResult PutGrid(TGraph& G, const TGridPicture& P, TPlotGrids& Grids, TContour*& Layer,
                          const std::function<void(int)>& Gauge);
