#pragma once
// The window of the curves f(x) that the graphics page tabulates. It computes nothing: the page
// puts its series on the chart's graph and shows the window.
#include "platform/form.h"

class TGraph;
class TGraphView;

// The main window's way back to a shown plot window: its plots buttons and the menu item of this
// object name are enabled.
void EnablePlotMenuItem(const char* Item);

class TfmPlot2D : public TForm {
  Q_OBJECT
 public:
  explicit TfmPlot2D(QWidget* Parent = nullptr);

  TGraphView* Chart;
  // The chart's graph, which the graphics page fills.
  TGraph& Graph();
  // Set once the window was first shown; only then does the main window's menu show it again.
  bool Shown = false;

  // Shows the window with what its graph holds now.
  void ShowPlot();

 protected:
  void FormCreate() override;
  void FormShow() override;
  void FormClose(TCloseAction& Action) override;
};
