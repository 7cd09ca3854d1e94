#pragma once
// The window of the contour and colour-shade pictures of f(x,y) that the graphics page
// tabulates: the page puts the layer on the chart's graph, names it the window's contour layer
// and shows the window; the edit commands set the layer's click mode.
#include "app/graphics/plot_window.h"

class TContour;
class TLayer;

class TfmContourPlot : public TPlotWindow {
  Q_OBJECT
 public:
  explicit TfmContourPlot(QWidget* Parent = nullptr);

  QWidget* pnChart;
  TSpeedButton *sbAddContours, *sbDeleteContours, *sbAddLabels, *sbDeleteLabels, *sbBreakEdit;
  QAction *miAddContours, *miDeleteContours, *miLabelPosition, *miLabelOff, *miEndEdit,
      *miAllLabels;
  // True while the window shows a colour-shade picture; its contour-only commands are hidden.
  bool ShadeMode = false;
  void SetShadeMode(bool Shade);

  // The layer the graphics page put on the chart; null once that layer has left the chart (the
  // window keeps no pointer that could outlive it).
  TContour* Contour() const;
  void SetContour(TContour* Layer);

  // The click mode of the contour layer: 0 none, 1 add contours, 2 delete contours, 4 add or
  // move labels, 5 delete labels. Without a layer nothing happens.
  void SetEditMode(int Mode);
  int EditMode() const { return FEditMode; }

 protected:
  const char* MenuItemName() const override { return "miPlotFxy"; }
  // A grid switched on is drawn over the picture as it stands, so that it shows above a colour
  // shading; switched off, the picture is painted anew.
  void GridChanged(bool Vertical) override;
  // A colour shading toggles the colour scale's legend, contours the series legend.
  TLayer* ToggledLegend() override;

 private:
  const TLayer* FContour = nullptr;
  int FEditMode = 0;
};

// The one made at start-up; null before start-up and after it frees its windows.
extern TfmContourPlot* fmContourPlot;
