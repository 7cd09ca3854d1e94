#include "app/graphics/fm_plot2d.h"

#include "platform/cursors.h"

TfmPlot2D* fmPlot2D = nullptr;

TfmPlot2D::TfmPlot2D(QWidget* Parent) : TPlotWindow("fmPlot2D", "2D - Plot", Parent) {}

void TfmPlot2D::FormCreate() {
  // The plot control zooms, aims and erases with these numbers.
  RegisterCursor(10, OwnCursor("ZOOMIN"));
  RegisterCursor(11, OwnCursor("AIM"));
  RegisterCursor(12, OwnCursor("ERAZE"));
  TPlotWindow::FormCreate();
}
