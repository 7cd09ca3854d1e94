#pragma once
// The chart editor's "Axis" page: one axis of the chart at a time, chosen among left, right, top,
// bottom and depth. Every control writes straight into the axis; the chart repaints itself.
#include <QPointer>

#include "chart/engine/chart.h"

#include "chart/editors/editor_controls.h"

class QLabel;
class QLineEdit;

class TPageControl;
class TRadioGroup;

class TFormChartAxis : public TChartEditorPage {
  Q_OBJECT
 public:
  TFormChartAxis(QWidget* Owner, TCustomChart* Chart, TChartAxis* Axis);

  // The tabs of PageControl1, in order.
  enum TAxisTab { atScales, atTitle, atLabels, atTicks, atPosition };

  QCheckBox* CBShow;
  TRadioGroup* RGWhichAxis;
  QCheckBox* CBVisible;
  TPageControl* PageControl1;
  // "Scales"
  QCheckBox *CBAutomatic, *CBLogarithmic, *CBInverted, *CBAutoMax, *CBAutoMin;
  QLabel *LAxisMax, *LAxisMin, *LAxisIncre;
  QPushButton *BAxisMax, *BAxisMin, *BAxisIncre;
  // "Title"
  QLineEdit* ETitle;
  TNumberEdit *SETitleAngle, *SETitleSize;
  QPushButton* BTitleFont;
  // "Labels"
  QCheckBox *CBLabels, *CBOnAxis, *CBRoundFirst, *CBMultiline;
  TNumberEdit *SESepar, *SELabelsSize, *SELabelsAngle;
  TRadioGroup* RGLabelStyle;
  QLabel* LFormat;
  QLineEdit* EFormat;
  QPushButton* BLabelsFont;
  // "Ticks"
  QPushButton *BAxisPen, *BGridPen, *BTickPen, *BTickInner, *BMinorTicks;
  TNumberEdit *SETickLength, *SEInnerLength, *SEMinorLength, *SEMinorCount;
  QCheckBox *CBTickOnLabels, *CBGridCentered;
  // "Position"
  TNumberEdit *SEAxisPosition, *SEStartPosition, *SEEndPosition;

  TChartAxis* Axis() const { return FAxis; }
  void PageShow() override;

 private:
  // The edited axis in the radio group's order: left, right, top, bottom, depth.
  TChartAxis* AxisAt(int Index) const;
  void BindNumber(TNumberEdit* Edit, void (TChartAxis::*Set)(int), int (TChartAxis::*Get)() const);
  void BindFlag(QCheckBox* Box, void (TChartAxis::*Set)(bool));
  template <class TPenGetter>
  void BindPen(QPushButton* Button, TPenGetter Get);
  void ShowTab();
  void ShowScales();
  void ShowTitle();
  void ShowLabels();
  void ShowTicks();
  void ShowPosition();
  void SetLogarithmic(bool On);
  // Which ends the series decide, the others fixed at the range in force; what the axis refuses
  // leaves it and the boxes as they were.
  void SetRange(bool AutomaticMinimum, bool AutomaticMaximum);
  void ChangeEnd(bool Maximum);
  void ChangeIncrement();
  void FormatEdited();
  QPointer<TCustomChart> FChart;
  TChartAxis* FAxis;
  bool Updating = true;
};
