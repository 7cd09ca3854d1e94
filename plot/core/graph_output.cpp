#include "plot/core/graph_output.h"

#include <QPrinter>

namespace {
TCanvas* PrintCanvas = nullptr;
bool PrintBlackOnly = false;
}  // namespace

TGraphMetafileState& GraphMetafileState() {
  static TGraphMetafileState State;
  return State;
}

TGraphPrintScope::TGraphPrintScope(TCanvas* PageCanvas, const QPrinter& Printer)
    : TGraphPrintScope(PageCanvas, Printer.colorMode() == QPrinter::GrayScale) {}

TGraphPrintScope::TGraphPrintScope(TCanvas* PageCanvas, bool BlackOnly)
    : FPreviousCanvas(PrintCanvas), FPreviousBlackOnly(PrintBlackOnly) {
  PrintCanvas = PageCanvas;
  PrintBlackOnly = BlackOnly;
}

TGraphPrintScope::~TGraphPrintScope() {
  PrintCanvas = FPreviousCanvas;
  PrintBlackOnly = FPreviousBlackOnly;
}

bool GraphPrinting() { return PrintCanvas != nullptr; }
TCanvas* GraphPrintCanvas() { return PrintCanvas; }
bool GraphPrintBlackOnly() { return PrintCanvas != nullptr && PrintBlackOnly; }

bool& GraphPageDrawing() {
  static bool Drawing = false;
  return Drawing;
}
