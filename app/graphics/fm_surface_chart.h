#pragma once
// The surface plot window: the 3D chart with the surface the graphics page fills, six scroll
// bars that turn and move the view, a toolbar, and the menu of display modes.
#include <QString>

#include <map>
#include <vector>

#include "app/graphics/chart_window.h"
#include "platform/graphics.h"

class TChartAxis;
class TSurfaceSeries;

class TfmSurfaceChart : public TChartWindow {
  Q_OBJECT
 public:
  explicit TfmSurfaceChart(QWidget* Parent = nullptr);
  ~TfmSurfaceChart() override;

  QScrollBar *ScrollBar1, *ScrollBar2, *sbZoom, *scbHoriz, *scbVert, *sbTilt;
  TSpeedButton *sbWireFrame, *sbW1;
  TChart* Chart;
  // The chart owns the surface; this is found again after the chart editor ran.
  TSurfaceSeries* SurfaceSeries1;
  QAction *miViewFrame, *miWireFrame, *miClean, *miColorRange, *miColorPalette, *miSingleColor;

  // The series pen before single-colour or wire-frame mode, and the chart colour before Clean.
  TColor SavedPenColor = clBlack;
  bool SavedPenVisible = true;
  TColor SavedColor = clBtnFace;
  // How grid columns and rows map to X and Y, column and row 1 at XFrom and YFrom; written by
  // the graphics page with the surface. The sample surface's positions stand for themselves.
  double XStep = 1, YStep = 1, XFrom = 1, XTo = 15, YFrom = 1, YTo = 15;

  // The editor may have deleted or replaced the surface.
  void PropertiesClick() override;
  void ViewFrameClick();
  void WireFrameClick();
  void CleanClick();
  // One command for the three colour-mode items, told apart by the sender's name.
  void ColorModeClick(QAction* Sender);

 protected:
  // The window keeps no settings: it opens where the desktop puts it.
  void FormCreate() override;

 private:
  void AddSurfaceSeries();
  void FindSurfaceSeries();
  void CheckColorMode(QAction* Item);
  // The labels of the bottom and depth axes: round X or Y values at their grid positions, and
  // each position's text (as the axis writes it) with the value's text.
  void GridAxisLabel(const TChartAxis* Axis, int Index, double& Value, bool& Stop);
  std::vector<double> FGridLabels;
  std::map<QString, QString> FGridLabelTexts;
  // The pen of the wire frame: the series' start colour unless the floor or a wall has it.
  TColor MeshColor() const;
  void RememberPen();
  void RestorePen();
};

// The one made at start-up; null before start-up and after it frees its windows.
extern TfmSurfaceChart* fmSurfaceChart;
