#pragma once
// The chart editor's "General" (zoom, scrolling, clipping, margins), "Paging" and "3D" pages.
// Each reads the chart when shown and writes every change straight into it.
#include <functional>

#include <QPointer>

#include "chart/engine/chart.h"

#include "chart/editors/editor_controls.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;

class TNumberEdit;
class TRadioGroup;

// What the General page's "Print Preview..." and "Export..." buttons open; a button without
// its dialog stays hidden.
using TChartDialogProc = std::function<void(QWidget* Owner, TCustomChart& Chart)>;
void SetChartPreviewProc(TChartDialogProc Proc);
void SetChartExportProc(TChartDialogProc Proc);

class TFormChartGeneral : public TChartEditorPage {
  Q_OBJECT
 public:
  TFormChartGeneral(QWidget* Owner, TCustomChart* Chart);

  QCheckBox *CBAllowZoom, *CBAnimatedZoom, *CBClipPoints;
  TNumberEdit* SEAniZoomSteps;
  TRadioGroup* RGPanning;
  TNumberEdit *SEMarTop, *SEMarLeft, *SEMarBottom, *SEMarRight;
  QPushButton *BPrintPreview, *BExport;

  void PageShow() override;

 private:
  QPointer<TCustomChart> FChart;
  bool FCreating = true;
};

class TFormChartPage : public TChartEditorPage {
  Q_OBJECT
 public:
  TFormChartPage(QWidget* Owner, TCustomChart* Chart);

  TNumberEdit* SEPointsPerPage;
  QCheckBox* CBScaleLast;
  QLabel* LPageLegend;
  QPushButton *BFirst, *BPrevious, *BNext, *BLast;

  void PageShow() override;
  void UpdateControls();

 private:
  QPointer<TCustomChart> FChart;
  bool FCreating = true;
};

class TFormChart3D : public TChartEditorPage {
  Q_OBJECT
 public:
  TFormChart3D(QWidget* Owner, TCustomChart* Chart);

  bool AllowRotation = true;
  QCheckBox *CBView3d, *CBOrthogonal, *CBZoomText;
  TNumberEdit* SE3d;
  QScrollBar *SBZoom, *SBRotation, *SBElevation, *SBHOffset, *SBVOffset, *SBPerspec;
  QLabel *LZoom, *LRotation, *LElevation, *LHOffset, *LVOffset, *LPerspec;

  void PageShow() override;
  void CheckControls();

 private:
  QPointer<TCustomChart> FChart;
  bool FCreating = true;
};
