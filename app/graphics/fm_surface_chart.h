#pragma once
// The surface plot window: the 3D chart with the surface the graphics page fills, six scroll
// bars that turn and move the view, a toolbar, and the menu of display modes.
#include <QString>

#include <map>
#include <memory>
#include <vector>

#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/graphics.h"

class QAction;
class QMenuBar;
class QScrollBar;
class QWidget;
class TChart;
class TChartAxis;
class TSpeedButton;
class TSurfaceSeries;

class TfmSurfaceChart : public TForm {
  Q_OBJECT
 public:
  explicit TfmSurfaceChart(QWidget* Parent = nullptr);
  ~TfmSurfaceChart() override;

  QWidget* Panel2;  // the scroll bars
  QScrollBar *ScrollBar1, *ScrollBar2, *sbZoom, *scbHoriz, *scbVert, *sbTilt;
  QWidget* Panel3;  // the toolbar
  TSpeedButton *sbPrint, *sbSaveAs, *sbProp, *sbLegend, *sbGrid, *sbWireFrame, *sbL1, *sbG1, *sbW1;
  TChart* Chart;
  // The chart owns the surface; this is found again after the chart editor ran.
  TSurfaceSeries* SurfaceSeries1;
  TSaveDialog sd;
  QMenuBar* MainMenu1;
  QAction *miPrint, *miSaveAs, *miExit, *miCopyBitmap, *miCopyMetafile, *miGrid, *miLegend,
      *miProperties, *miViewFrame, *miWireFrame, *miClean, *miColorRange, *miColorPalette,
      *miSingleColor;

  // The series pen before single-colour or wire-frame mode, and the chart colour before Clean.
  TColor SavedPenColor = clBlack;
  bool SavedPenVisible = true;
  TColor SavedColor = clBtnFace;
  // How grid columns and rows map to X and Y, column and row 1 at XFrom and YFrom; written by
  // the graphics page with the surface. The sample surface's positions stand for themselves.
  double XStep = 1, YStep = 1, XFrom = 1, XTo = 15, YFrom = 1, YTo = 15;

  void PrintClick();
  void SaveAsClick();
  void ExitClick() { Close(); }
  void CopyBitmapClick();
  void CopyMetafileClick();
  void GridClick();
  void LegendClick();
  void PropertiesClick();
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
