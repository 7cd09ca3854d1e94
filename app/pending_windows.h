#pragma once
// Windows that start-up creates but whose own content is still to come. Each is an empty window
// of its class, created hidden like the finished ones; a window's own file replaces its entry here.
#include "app/fm_contour_plot.h"
#include "app/fm_plot2d.h"
#include "app/set_var.h"
#include "platform/form.h"

class TfmSurfaceChart : public TForm {
  Q_OBJECT
 public:
  explicit TfmSurfaceChart(QWidget* Parent = nullptr);
};

class TPolarForm : public TForm {
  Q_OBJECT
 public:
  explicit TPolarForm(QWidget* Parent = nullptr);
};
