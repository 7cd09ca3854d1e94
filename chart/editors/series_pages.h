#pragma once
// The format pages of the standard series types: the point marker (also a tab of its own beside
// the line, area, Gantt and polar pages), line, area, bar, pie, fast line, shape, Gantt and
// arrow. Every control writes into the series at once and the chart repaints itself.
#include "chart/editors/series_format_page.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class TColorSwatch;
class TRadioGroup;

class TSeriesPointerEditor : public TSeriesFormatPage {
  Q_OBJECT
 public:
  explicit TSeriesPointerEditor(QWidget* Owner);

  QCheckBox *CBPoiVisible, *CB3dPoint, *CBPoiDark, *CBInflate, *CBDefBrushColor;
  TNumberEdit *SEPointHorizSize, *SEPointVertSize;
  QLabel *LWidth, *LHeight;
  QComboBox* CBStyle;
  QPushButton *BPoiPen, *BPoiBack;

 protected:
  void LoadControls() override;

 private:
  void CheckEnabled();
};

class TCustomSeriesEditor : public TSeriesFormatPage {
  Q_OBJECT
 public:
  explicit TCustomSeriesEditor(QWidget* Owner);

  QGroupBox* GroupBox1;
  TColorSwatch* SHColor;
  QPushButton *BColor, *BLinePen;
  QComboBox* CBLineBrush;
  QCheckBox *CBStairs, *CBInverted, *CBColorEach, *CBDark3D;

 protected:
  void LoadControls() override;
  void InsertPages() override { InsertPointerForm(this); }
};

class TAreaSeriesEditor : public TSeriesFormatPage {
  Q_OBJECT
 public:
  explicit TAreaSeriesEditor(QWidget* Owner);

  TRadioGroup* RGMultiArea;
  QComboBox* CBAreaBrush;
  QCheckBox *CBStairs, *CBInvStairs, *CBColorEach;
  QPushButton *BAreaLinesPen, *BAreaLinePen, *BAreaColor;
  TColorSwatch* SHAreaColor;

 protected:
  void LoadControls() override;
  void InsertPages() override { InsertPointerForm(this); }

 private:
  void RefreshColor();
};

class TBarSeriesEditor : public TSeriesFormatPage {
  Q_OBJECT
 public:
  explicit TBarSeriesEditor(QWidget* Owner);

  QComboBox* CBBarStyle;
  TNumberEdit *SEBarwidth, *SEBarOffset;
  QCheckBox *CBYOrigin, *CBDarkBar, *CBBarSideMargins, *CBMarkBarPos, *CBColorEach;
  TNumberEdit* EYOrigin;
  TRadioGroup* RGMultiBar;
  QPushButton *BBarPen, *BBarBrush, *BBarColor;
  TColorSwatch* SHBarColor;

 protected:
  void LoadControls() override;
};

class TPieSeriesEditor : public TSeriesFormatPage {
  Q_OBJECT
 public:
  explicit TPieSeriesEditor(QWidget* Owner);

  QCheckBox *CBCircled, *CB3D, *CBDark3D, *CBPatterns, *CBAutoX, *CBAutoY;
  TNumberEdit *SERotation, *SEExpBig, *SEXRadius, *SEYRadius;
  QPushButton *BPiePen, *BBackPieColor;
  QComboBox *CBOther, *CBOrder;
  TNumberEdit* EOtherValue;
  QLineEdit* EOtherLabel;

 protected:
  void LoadControls() override;

 private:
  void EnableOther();
};

class TFastLineSeriesEditor : public TSeriesFormatPage {
  Q_OBJECT
 public:
  explicit TFastLineSeriesEditor(QWidget* Owner);

  TColorSwatch* SHColor;
  QPushButton* BLinePen;

 protected:
  void LoadControls() override;
};

class TChartShapeEditor : public TSeriesFormatPage {
  Q_OBJECT
 public:
  explicit TChartShapeEditor(QWidget* Owner);

  QComboBox* CBStyle;
  TNumberEdit *EX0, *EY0, *EX1, *EY1;
  QPlainTextEdit* MText;
  TRadioGroup* RGAlign;
  QPushButton *BFont, *BBrushColor, *BBrush, *BPen;
  QCheckBox* CBTransparent;
  TColorSwatch* SHBrushColor;

 protected:
  void LoadControls() override;
};

class TGanttSeriesEditor : public TSeriesFormatPage {
  Q_OBJECT
 public:
  explicit TGanttSeriesEditor(QWidget* Owner);

  TNumberEdit* SEPointVertSize;
  QPushButton *BConnLines, *BColor;
  QCheckBox* CBColorEach;
  TColorSwatch* SHColor;

 protected:
  void LoadControls() override;
  void InsertPages() override { InsertPointerForm(this); }
};

class TArrowSeriesEditor : public TSeriesFormatPage {
  Q_OBJECT
 public:
  explicit TArrowSeriesEditor(QWidget* Owner);

  TNumberEdit *SEArrowWidth, *SEArrowHeight;
  QPushButton *BArrowPen, *BArrowBrush, *BArrowColor;
  QCheckBox* CBColorEach;
  TColorSwatch* SHArrowColor;

 protected:
  void LoadControls() override;

 private:
  void RefreshColor();
};
