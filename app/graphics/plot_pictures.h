#pragma once
// The pictures of the graphics page, from the formula to the layer on a graph: a curve's series,
// or a contour or colour-shade layer over a tabulated grid. The graph is left as it was when the
// tabulation fails.
#include <QString>

#include <functional>
#include <string>

#include "app/graphics/plot_request.h"
#include "tabulate/tabulator.h"

class TContour;
class TGraph;

struct TCurvePicture {
  std::string Typed;  // engine text, blanks allowed
  QString Legend, XTitle, YTitle, Title;
  double A = 0, B = 1;
  int N = 2;
};

// A series in the graph's next free colour and number, tabulated, with its legend entry.
TTabulation PutCurve(TGraph& G, const TCurvePicture& P, const std::function<void(int)>& Gauge);

// The grid tabulated into Grid (replacing what it held) and a contour layer over it put on the
// graph, whose axes get the grid's ranges; the layer shares the grid. Layer is the new layer,
// null on failure. On a failed point Grid is dropped; when memory is short it is left alone.
TTabulation PutGrid(TGraph& G, const TPlotRequest& P, TSharedGrid& Grid, TContour*& Layer);
