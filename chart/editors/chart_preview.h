#pragma once
// The chart print preview: a sheet in the proportions of the printer's page with the chart at its
// print rectangle, margins typed or dragged with the mouse, printer and orientation, detail and
// proportional margins, and printing.
#include <functional>

#include "platform/backing_control.h"
#include "platform/form.h"
#include "platform/geometry.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QScrollBar;
class TNumberEdit;
class TCustomChartPanel;
class TRadioGroup;

class TChartPreviewPage : public TBackingControl {
  Q_OBJECT
 public:
  explicit TChartPreviewPage(QWidget* Parent = nullptr);

  TCustomChartPanel* Image() const { return FImage; }
  void SetImage(TCustomChartPanel* Value);
  bool ShowMargins() const { return FShowMargins; }
  void SetShowMargins(bool Value);
  TColor PaperColor() const { return FPaperColor; }
  void SetPaperColor(TColor Value);
  bool AllowResize = true;
  bool AllowMove = true;
  bool AsBitmap = false;
  bool ShowImage = true;
  bool DragImage = false;
  // The page the sheet stands for, in printer pixels; the sheet takes its proportions.
  void SetPageSize(int Width, int Height);
  // (DisableProportional, the new margins in percent)
  std::function<void(bool, const TRect&)> OnChangeMargins;

  // In the page's image pixels: the sheet, and the chart on it (the sheet less the margins).
  TRect PaperRect() const;
  TRect ChartRect() const;
  // The drag zone under P (image pixels): 0 none, 1..4 left, top, right, bottom edge, 5 inside,
  // 6..9 top-left, top-right, bottom-left, bottom-right corner.
  int ZoneAt(const TPoint& P) const;

 protected:
  void PaintBacking(TCanvas& Canvas) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;

 private:
  void DrawMarginLines(TCanvas& Canvas, const TRect& R);
  void DrawChart(TCanvas& Canvas, const TRect& R);
  void DragTo(const TPoint& P);
  TCustomChartPanel* FImage = nullptr;
  bool FShowMargins = true;
  TColor FPaperColor = 0xFFFFFF;
  int FPageWidth = 210, FPageHeight = 297;
  int FDragZone = 0;
  TPoint FDragStart;
  TRect FDragRect;
  TRect FDragNow;  // while dragging: the chart rectangle the lines show
};

class TChartPreview : public TForm {
  Q_OBJECT
 public:
  explicit TChartPreview(QWidget* Owner = nullptr);

  TChartPreviewPage* ChartPreviewPage;
  QComboBox* Printers;
  QPushButton *BSetupPrinter, *BReset, *BPrint, *BClose;
  TRadioGroup* Orientation;
  TNumberEdit *SELeft, *SETop, *SERight, *SEBottom;
  QCheckBox *ShowMargins, *CBProp;
  QScrollBar* Resolution;

  void PrintersChange();
  void BSetupPrinterClick();
  void OrientationClick();
  void MarginChange(int Index, int Value);
  void ShowMarginsClick();
  void BResetClick();
  void ResolutionChange();
  void CBPropClick();
  void BPrintClick();

 protected:
  void FormShow() override;

 private:
  TCustomChartPanel& Panel() const;
  void LoadPrinters();
  void ReadOrientation();
  void ProportionalMargins();
  void ShowMarginValues();
  void ChangeMargins(bool DisableProportional, const TRect& Margins);
  TNumberEdit* Edit(int Index) const;
  TRect FOldMargins;
  bool FChangingProp = false;
  bool FLoading = false;
};

// Shows the preview of Panel modally, then repaints Panel.
void ChartPreview(QWidget* Owner, TCustomChartPanel& Panel);
