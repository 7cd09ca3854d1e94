#pragma once
// The window of the contour and colour-shade pictures of f(x,y) that the graphics page
// tabulates. It computes nothing: the page puts the layer on the chart's graph, names it the
// window's contour layer and shows the window; the edit commands set the layer's click mode.
#include "platform/form.h"

class TContour;
class TGraph;
class TGraphView;
class TLayer;

class TfmContourPlot : public TForm {
  Q_OBJECT
 public:
  explicit TfmContourPlot(QWidget* Parent = nullptr);
  ~TfmContourPlot() override;

  TGraphView* Chart;
  // The chart's graph, which the graphics page fills.
  TGraph& Graph();
  // True while the window shows a colour-shade picture.
  bool ShadeMode = false;
  bool Shown = false;

  // The layer the graphics page put on the chart; null once that layer has left the chart (the
  // window keeps no pointer that could outlive it).
  TContour* Contour() const;
  void SetContour(TContour* Layer);

  // The click mode of the contour layer: 0 none, 1 add contours, 2 delete contours, 4 add or
  // move labels, 5 delete labels. Without a layer nothing happens.
  void SetEditMode(int Mode);
  int EditMode() const { return FEditMode; }

  void ShowPlot();

 protected:
  void FormCreate() override;
  void FormShow() override;
  void FormClose(TCloseAction& Action) override;

 private:
  const TLayer* FContour = nullptr;
  int FEditMode = 0;
};
