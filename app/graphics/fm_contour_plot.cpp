#include "app/graphics/fm_contour_plot.h"

#include <QAction>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

#include "platform/app_services.h"
#include "platform/controls.h"
#include "plot/core/graph_legend.h"
#include "plot/layers/contour.h"
#include "plot/ui/plot.h"

TfmContourPlot* fmContourPlot = nullptr;

TfmContourPlot::TfmContourPlot(QWidget* Parent)
    : TPlotWindow("fmContourPlot", "Contour Plot", Parent) {
  pnChart = Chart->parentWidget();
  miExit->setText("&Close");
  miFile->removeAction(miImport);
  miFile->removeAction(miExport);
  // Properties sit on the menu bar itself here.
  miView->removeAction(miProperties);
  MainMenu1->addAction(miProperties);
  for (QAction* A : {miZoomIn, miZoomOut, miAnimationZoom, miPreviousZoom, mi3DView})
    miView->removeAction(A);

  sbAddContours = NewButton("sbAddContours", "+C", "Add contour(s)");
  sbDeleteContours = NewButton("sbDeleteContours", "-C", "Delete contour(s)");
  sbAddLabels = NewButton("sbAddLabels", "+L", "Add/Move label(s)");
  sbDeleteLabels = NewButton("sbDeleteLabels", "-L", "Delete label(s)");
  sbBreakEdit = NewButton("sbBreakEdit", "End", "Break edit");
  miEdit->addSeparator();
  miAddContours = NewItem(miEdit, "miAddContours", "&Add Contour(s)");
  miDeleteContours = NewItem(miEdit, "miDeleteContours", "&Delete Contour(s)");
  miLabelPosition = NewItem(miEdit, "miLabelPosition", "Label &position");
  miLabelOff = NewItem(miEdit, "miLabelOff", "&Label off");
  miAllLabels = NewItem(miEdit, "miAllLabels", "All Labels on&/off");
  miEndEdit = NewItem(miEdit, "miEndEdit", "End edit");
  const std::pair<TSpeedButton*, QAction*> Modes[] = {{sbBreakEdit, miEndEdit},
                                                      {sbAddContours, miAddContours},
                                                      {sbDeleteContours, miDeleteContours},
                                                      {nullptr, nullptr},
                                                      {sbAddLabels, miLabelPosition},
                                                      {sbDeleteLabels, miLabelOff}};
  for (int Mode = 0; Mode < 6; ++Mode) {
    auto [B, A] = Modes[Mode];
    if (!B) continue;
    B->SetGroupIndex(4);
    A->setCheckable(true);
    connect(B, &TSpeedButton::clicked, this, Guarded([this, Mode] { SetEditMode(Mode); }));
    connect(A, &QAction::triggered, this, Guarded([this, Mode] { SetEditMode(Mode); }));
  }
  Graph().Legend->Style = lsRight;
  // A layer deleted through the graph drops out of the handle at once.
  Chart->SetOnDeleteSeries([this](TLayer* Layer) {
    if (Layer == FContour) FContour = nullptr;
  });
}

TContour* TfmContourPlot::Contour() const {
  // Looked up among the chart's layers, so that a layer removed in any way is never reached.
  TGraph& G = *Chart->Graph();
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
  const std::pair<TSpeedButton*, QAction*> Items[] = {{sbBreakEdit, miEndEdit},
                                                      {sbAddContours, miAddContours},
                                                      {sbDeleteContours, miDeleteContours},
                                                      {sbAddLabels, miLabelPosition},
                                                      {sbDeleteLabels, miLabelOff}};
  const int Index[] = {0, 1, 2, 4, 5};
  for (int I = 0; I < 5; ++I) {
    Items[I].first->SetDown(Index[I] == Mode);
    Items[I].second->setChecked(Index[I] == Mode);
  }
}

void TfmContourPlot::SetShadeMode(bool Shade) {
  ShadeMode = Shade;
  for (TSpeedButton* B :
       {sbAddContours, sbDeleteContours, sbAddLabels, sbDeleteLabels, sbBreakEdit})
    B->setVisible(!Shade);
  for (QAction* A :
       {miAddContours, miDeleteContours, miLabelPosition, miLabelOff, miEndEdit, miAllLabels})
    A->setVisible(!Shade);
}

void TfmContourPlot::GridChanged(bool Vertical) {
  TAxis& A = Vertical ? static_cast<TAxis&>(*Graph().XAxis) : static_cast<TAxis&>(*Graph().YAxis);
  if (!A.Grid) {
    Chart->Redraw();
    return;
  }
  A.Draw();
  Chart->Image()->update();
}

TLayer* TfmContourPlot::ToggledLegend() {
  return ShadeMode ? static_cast<TLayer*>(Graph().ColorLegend(0)) : Graph().Legend.get();
}
