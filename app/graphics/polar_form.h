#pragma once
// The polar plot window: the chart on which the graphics page puts polar curves, its toolbar,
// menus and popup, and six scroll bars that turn the chart in 3D.
#include <memory>

#include "app/graphics/chart_window.h"

class TChartSeries;

class TPolarForm : public TChartWindow {
  Q_OBJECT
 public:
  explicit TPolarForm(QWidget* Parent = nullptr);
  ~TPolarForm() override;

  TChart* Chart1;
  // The scroll bars work only in 3D.
  QScrollBar *sbRot, *scbElev, *scbZoom, *scbHoriz, *scbVert, *scbTilt;
  QAction* miView3D;
  QAction* pmView3D;

  // Turns the chart between 2D and 3D; the scroll bars work only in 3D.
  void miView3DClick();
  // After a plot: the first one shows the chart in 3D, later ones keep the view the user left.
  void ShowPlotView();

  // The series the graphics page puts on the chart, which owns them (the chart editor may
  // delete or replace them).
  void AdoptSeries(std::unique_ptr<TChartSeries> Series);
  int PlotCount() const;

 protected:
  // The window keeps no settings: it opens where the desktop puts it.
  void FormShow() override;

 private:
  bool FPlotViewShown = false;
};

// The one made at start-up; null before start-up and after it frees its windows.
extern TPolarForm* PolarForm;
