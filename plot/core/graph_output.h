#pragma once
// Where a graph draws: its image, the page of the print in progress, or the library's picture
// while a picture is being drawn.
#include "platform/colors.h"

class QPrinter;
class TCanvas;

struct TGraphMetafileState {
  TCanvas* Canvas = nullptr;  // the picture's canvas, not owned
  bool Drawing = false;
};
TGraphMetafileState& GraphMetafileState();

// One print: the page canvas, and whether the printing printer prints only black. The printer is
// asked once, when the print starts, and the answer holds until the print ends.
class TGraphPrintScope {
 public:
  TGraphPrintScope(TCanvas* PageCanvas, const QPrinter& Printer);
  TGraphPrintScope(TCanvas* PageCanvas, bool BlackOnly);
  ~TGraphPrintScope();
  TGraphPrintScope(const TGraphPrintScope&) = delete;
  TGraphPrintScope& operator=(const TGraphPrintScope&) = delete;

 private:
  TCanvas* FPreviousCanvas;
  bool FPreviousBlackOnly;
};

bool GraphPrinting();
TCanvas* GraphPrintCanvas();
// True while a black-only printer prints: colour setters of the drawing wrappers then keep black.
bool GraphPrintBlackOnly();

// Set while a page drawer draws the graph onto a page of its own: white backgrounds, black axes.
bool& GraphPageDrawing();
