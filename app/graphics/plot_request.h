#pragma once
// What the graphics page reads from its fields for one picture of f(x) or f(x,y): the surface
// and the polar curve, the contour lines and the colour-shaded map. Each picture takes the
// fields it draws with and leaves the others.
#include <QString>

#include <functional>
#include <string>

#include "engine/side_eval.h"

struct TPlotRequest {
  std::string Input;  // the input line as typed, in the engine's code page
  bool ComplexMode = false;
  double XFrom = 0, XTo = 1;
  int XSteps = 1;
  double YFrom = 0, YTo = 1;  // the pictures over two axes
  int YSteps = 1;
  bool Radians = false;  // polar: the X range is in radians (rgAngle "Rad")
  // The name in the legend: edLegend for the surface and the polar curve, the typed text for
  // the contour lines.
  QString Legend;
  QString Title;       // edTitle (polar: replaces the chart title when not empty)
  QString XTitle;      // edX (surface: the bottom axis title)
  QString YTitle;      // edY (contours and shades)
  bool Shade = false;  // a colour-shaded map instead of contour lines
  int Levels = 10;     // contour lines
  double Exaggerate = 0;
  // The page's gauge, in percent; called only when the percent changes, and with 0 at the end.
  std::function<void(int Percent)> Progress;
  // The main window's result line: the error of a break, or of a text that cannot be read, with
  // its place in the typed text.
  std::function<void(const TSideResult& Error)> ShowEvalError;
};
