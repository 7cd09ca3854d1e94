#pragma once
// The export dialog: the chart copied to the clipboard or saved as a bitmap, a metafile, an
// enhanced metafile or a native chart file.
#include "platform/dialogs.h"
#include "platform/form.h"

class QPushButton;
class TCustomChartPanel;
class TRadioGroup;

class TChartExportForm : public TForm {
  Q_OBJECT
 public:
  TChartExportForm(QWidget* Owner, TCustomChartPanel& Panel);

  TCustomChartPanel& ExportPanel;
  TRadioGroup* RGFormat;
  QPushButton *BCopy, *BSave, *BClose;
  TSaveDialog SaveDialog1;

  void RGFormatClick();
  void BCopyClick();
  void BSaveClick();
};

// Shows the dialog modally for Panel; the native format goes through ChartSaveNativeHook, set
// for as long as the dialog is open.
void ShowExportForm(QWidget* Owner, TCustomChartPanel& Panel);
