#include "app/fm_plot2d.h"

#include <QAction>
#include <QMenu>
#include <QVBoxLayout>

#include "app/fm_calc.h"
#include "app/form_placement.h"
#include "app/graph_view.h"
#include "platform/controls.h"

void EnablePlotMenuItem(const char* Item) {
  if (!fmCalc) return;
  for (TSpeedButton* B : {fmCalc->sbShow, fmCalc->SpeedButton6})
    if (B) B->setEnabled(true);
  if (auto* A = fmCalc->PopupMenu1->findChild<QAction*>(Item)) A->setEnabled(true);
}

TfmPlot2D::TfmPlot2D(QWidget* Parent) : TForm(Parent) {
  setObjectName("fmPlot2D");
  setWindowTitle("2D - Plot");
  SetBorderStyle(bsSizeable);
  auto* L = new QVBoxLayout(this);
  L->setContentsMargins(0, 0, 0, 0);
  Chart = new TGraphView(this);
  L->addWidget(Chart);
  resize(640, 480);
}

void TfmPlot2D::FormCreate() { LoadFormPlacement(this); }

void TfmPlot2D::FormShow() {
  Shown = true;
  EnablePlotMenuItem("miPlotFx");
}

void TfmPlot2D::FormClose(TCloseAction& Action) {
  SaveFormPlacement(this);
  Action = caHide;
}

void TfmPlot2D::ShowPlot() {
  Show();
  Chart->Redraw();
}

TGraph& TfmPlot2D::Graph() { return Chart->Graph(); }
