#pragma once
// The format pages of the grid series (surface, contour) and of the polar and radar series.
#include "chart/editors/series_format_page.h"

class QComboBox;
class QLabel;
class QRadioButton;
class TColorSwatch;
class TRadioGroup;

class TGrid3DSeriesEditor : public TSeriesFormatPage {
  Q_OBJECT
 public:
  // Each side of a grid typed here: a finer grid only slows every repaint, it shows nothing more.
  static constexpr int MaxGridSize = 500;

  explicit TGrid3DSeriesEditor(QWidget* Owner);

  QRadioButton *RGColor, *RGRange, *RGPalette;
  TColorSwatch *Shape1, *Shape2, *Shape3;
  TNumberEdit *SEPalette, *SEXGrid, *SEZGrid, *EDepth;

 protected:
  void LoadControls() override;

 private:
  void RefreshShapes();
};

class TSurfaceSeriesEditor : public TSeriesFormatPage {
  Q_OBJECT
 public:
  explicit TSurfaceSeriesEditor(QWidget* Owner);

  QPushButton *BPen, *BBrush;
  TRadioGroup* RGDrawMode;

 protected:
  void LoadControls() override;
  void InsertPages() override;
};

class TPolarSeriesEditor : public TSeriesFormatPage {
  Q_OBJECT
 public:
  explicit TPolarSeriesEditor(QWidget* Owner);

  QCheckBox *CBCircled, *CheckBox1, *CBAngleLabels, *CBLabelsRot;
  TNumberEdit *SERotation, *SEXRadius, *SEYRadius, *SEAngleInc, *SERadiusInc;
  QLabel* LAngleInc;
  QPushButton *BPiePen, *Button2, *BBackPieColor, *BBrush, *Button1;

 protected:
  void LoadControls() override;
  void InsertPages() override;
};
