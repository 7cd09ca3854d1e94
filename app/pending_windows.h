#pragma once
// Windows that start-up creates but whose own content is still to come. Each is an empty window
// of its class, created hidden like the finished ones; a window's own file replaces its entry here.
#include "app/fm_surface_chart.h"
#include "app/polar_form.h"
#include "app/set_var.h"
#include "platform/form.h"

class TfmPlot2D : public TForm {
  Q_OBJECT
 public:
  explicit TfmPlot2D(QWidget* Parent = nullptr);
  bool Shown = false;  // set once a curve has been plotted
};

class TfmContourPlot : public TForm {
  Q_OBJECT
 public:
  explicit TfmContourPlot(QWidget* Parent = nullptr);
};
