#pragma once
// The chart editor's "Legend", "Titles", "Panel" and "Walls" pages. Each reads its chart part
// when shown and writes every change straight into it; the chart repaints itself.
#include <QPointer>

#include "chart/engine/chart.h"

#include "chart/editors/editor_controls.h"

class QComboBox;
class QPlainTextEdit;
class QRadioButton;
class QTabBar;

class TColorSwatch;
class TRadioGroup;

class TFormChartLegend : public TChartEditorPage {
  Q_OBJECT
 public:
  TFormChartLegend(QWidget* Owner, TChartLegend* Legend);

  QCheckBox *CBShow, *CBResizeChart, *CBInverted;
  QComboBox *CBLegendStyle, *CBLegStyle;
  TNumberEdit *SETopPos, *SEColWi, *SEShadowSize, *SEMargin;
  QPushButton *BColor, *BFont, *BFrame, *BDivLines, *BShadow;
  QRadioButton *RBLeft, *RBRight, *RBTop, *RBBottom;

  void PageShow() override;

 private:
  void SetPosition(TLegendAlignment Value);
  // The margin that applies across the legend's side: horizontal beside the chart, else vertical.
  int Margin() const;
  TChartLegend* FLegend;
  QPointer<TCustomChartPanel> FChart;
  bool Updating = true;
};

class TFormChartTitle : public TChartEditorPage {
  Q_OBJECT
 public:
  TFormChartTitle(QWidget* Owner, TChartTitle* Title);

  QComboBox* CBTitles;
  QPlainTextEdit* MText;
  QCheckBox *CBVisible, *CBAdjust;
  TRadioGroup* RGAlign;
  QPushButton *BFont, *BFrame, *BBrush, *BColor;

  TChartTitle* Title() const { return FTitle; }
  void PageShow() override;

 private:
  void ShowTitle();
  void TextEdited();
  void RefreshMemo();
  TCustomChart* FChart;
  // The one the page was made for, which every show opens, and the one the box chose since.
  TChartTitle* const FMadeFor;
  TChartTitle* FTitle;
  bool Updating = true;
};

class TFormChartPanel : public TChartEditorPage {
  Q_OBJECT
 public:
  TFormChartPanel(QWidget* Owner, TCustomChart* Chart);

  TRadioGroup *RGBevelIn, *RGBevelOut;
  TNumberEdit *SEPanelWi, *SEPanelBor;
  QCheckBox* CBPanelBorder;
  QPushButton* BPanelColor;
  QCheckBox* CBGradVisible;
  QComboBox* ComboBox1;
  QPushButton *BGradientStart, *BGradientEnd;
  TColorSwatch *Shape1, *Shape2;
  TRadioGroup* RGBitmap;
  QCheckBox* CBImageInside;
  QPushButton* BBrowseImage;

  void PageShow() override;
  // The file filter of the picture dialog: only the formats the chart can read.
  static QString PictureFilter();

 private:
  void BrowseImage();
  void CheckGradient();
  void CheckImage();
  QPointer<TCustomChart> FChart;
  bool Updating = true;
};

class TFormChartWall : public TChartEditorPage {
  Q_OBJECT
 public:
  TFormChartWall(QWidget* Owner, TCustomChart* Chart, TChartWall* Wall);

  QTabBar* TabSubWalls;
  QCheckBox *CBView3dWalls, *CBDark3D, *CBWallTransp;
  TNumberEdit* SEWallSize;
  QPushButton *BWallColor, *BWallPen, *BWallBrush;
  TColorSwatch* SHWallColor;

  TChartWall* Wall() const { return FWall; }
  void PageShow() override;

 private:
  void ShowWall();
  void EditWallColor();
  TCustomChart* FChart;
  // The one the page was made for, which every show opens, and the one the tabs chose since.
  TChartWall* const FMadeFor;
  TChartWall* FWall;
  bool Updating = true;
};
