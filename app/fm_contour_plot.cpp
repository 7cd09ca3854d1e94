#include "app/fm_contour_plot.h"

#include <QVBoxLayout>

#include "app/fm_plot2d.h"
#include "app/form_placement.h"
#include "app/graph_view.h"
#include "plot/layers/contour.h"

TfmContourPlot::TfmContourPlot(QWidget* Parent) : TForm(Parent) {
  setObjectName("fmContourPlot");
  setWindowTitle("Contour Plot");
  SetBorderStyle(bsSizeable);
  auto* L = new QVBoxLayout(this);
  L->setContentsMargins(0, 0, 0, 0);
  Chart = new TGraphView(this);
  L->addWidget(Chart);
  resize(640, 480);
  // A layer deleted through the graph drops out of the handle at once.
  Chart->Graph().OnDeleteSeries = [this](TLayer* Layer) {
    if (Layer == FContour) FContour = nullptr;
  };
}

TfmContourPlot::~TfmContourPlot() { Chart->Graph().OnDeleteSeries = nullptr; }

TContour* TfmContourPlot::Contour() const {
  // Looked up in the chart's layers, so that a layer removed in any way is never reached.
  TGraph& G = Chart->Graph();
  const int I = FContour ? G.IndexOfLayer(FContour) : -1;
  return I < 0 ? nullptr : dynamic_cast<TContour*>(G.GetLayer(I));
}

void TfmContourPlot::SetContour(TContour* Layer) {
  FContour = Layer;
  if (Layer) Layer->MouseMode = FEditMode;
}

void TfmContourPlot::SetEditMode(int Mode) {
  TContour* C = Contour();
  if (!C) return;
  FEditMode = Mode;
  C->MouseMode = Mode;
}

void TfmContourPlot::FormCreate() { LoadFormPlacement(this); }

void TfmContourPlot::FormShow() {
  Shown = true;
  EnablePlotMenuItem("miPlotFxy");
}

void TfmContourPlot::FormClose(TCloseAction& Action) {
  SaveFormPlacement(this);
  Action = caHide;
}

void TfmContourPlot::ShowPlot() {
  Show();
  Chart->Redraw();
}

TGraph& TfmContourPlot::Graph() { return Chart->Graph(); }
