#pragma once
// The window of the curves f(x) that the graphics page tabulates: the page puts its series on the
// chart's graph and shows the window.
#include "app/graphics/plot_window.h"

class TfmPlot2D : public TPlotWindow {
  Q_OBJECT
 public:
  explicit TfmPlot2D(QWidget* Parent = nullptr);

 protected:
  void FormCreate() override;
  const char* MenuItemName() const override { return "miPlotFx"; }
};

// The one made at start-up; null before start-up and after it frees its windows.
extern TfmPlot2D* fmPlot2D;
