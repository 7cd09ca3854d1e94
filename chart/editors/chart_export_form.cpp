#include "chart/editors/chart_export_form.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "chart/editors/native_chart_file.h"
#include "chart/editors/pen_dialogs.h"
#include "chart/engine/chart_panel.h"
#include "platform/app_services.h"
#include "platform/controls.h"

namespace {
QPushButton* Button(QWidget* Parent, const QString& Caption, const char* Name) {
  auto* B = new QPushButton(Caption, Parent);
  B->setObjectName(QLatin1String(Name));
  return B;
}

// The hook the dialog installs, taken away again however the dialog ends.
class THookWhileOpen {
 public:
  THookWhileOpen() { ChartSaveNativeHook = SaveNativeChartOrComponent; }
  ~THookWhileOpen() { ChartSaveNativeHook = nullptr; }
  THookWhileOpen(const THookWhileOpen&) = delete;
  THookWhileOpen& operator=(const THookWhileOpen&) = delete;
};
}  // namespace

TChartExportForm::TChartExportForm(QWidget* Owner, TCustomChartPanel& Panel)
    : TForm(Owner), ExportPanel(Panel) {
  setObjectName(QStringLiteral("ChartExportForm"));
  setWindowTitle(QStringLiteral("Export RodIvaze"));
  SetBorderStyle(bsDialog);
  RGFormat = new TRadioGroup(this);
  RGFormat->setObjectName(QStringLiteral("RGFormat"));
  RGFormat->SetCaption(QStringLiteral("Format"));
  RGFormat->SetItems({QStringLiteral("as &Bitmap (BMP)"), QStringLiteral("as &Metafile (WMF)"),
                      QStringLiteral("as &Enhanced Metafile (EMF)"),
                      QStringLiteral("as *.&CHT file (CHT)")});
  RGFormat->SetItemIndex(0);
  BCopy = Button(this, QStringLiteral("&Copy to Clipboard"), "BCopy");
  BSave = Button(this, QStringLiteral("&Save To File..."), "BSave");
  BClose = Button(this, QStringLiteral("Close"), "BClose");
  SetButtonModalResult(BClose, mrCancel);
  SaveDialog1.Filter = QStringLiteral(
      "Bitmap files|*.BMP|Metafile files|*.WMF|Enhanced Metafile files|*.EMF|Chart Native "
      "files|*.CHT");

  auto* Main = new QHBoxLayout(this);
  Main->addWidget(RGFormat, 1);
  auto* Buttons = new QVBoxLayout;
  for (QPushButton* B : {BCopy, BSave, BClose}) Buttons->addWidget(B);
  Buttons->addStretch();
  Main->addLayout(Buttons);

  connect(RGFormat, &TRadioGroup::Click, this, Guarded([this] { RGFormatClick(); }));
  connect(BCopy, &QPushButton::clicked, this, Guarded([this] { BCopyClick(); }));
  connect(BSave, &QPushButton::clicked, this, Guarded([this] { BSaveClick(); }));
}

void TChartExportForm::RGFormatClick() { BCopy->setEnabled(RGFormat->ItemIndex() != 3); }

void TChartExportForm::BCopyClick() {
  switch (RGFormat->ItemIndex()) {
    case 1:
      ExportPanel.CopyToClipboardMetafile(false);
      break;
    case 2:
      ExportPanel.CopyToClipboardMetafile(true);
      break;
    default:
      ExportPanel.CopyToClipboardBitmap();
  }
}

void TChartExportForm::BSaveClick() {
  const int Item = RGFormat->ItemIndex();
  SaveDialog1.DefaultExt = TCustomChartPanel::GetExportExtension(Item);
  SaveDialog1.FilterIndex = Item + 1;
  if (!SaveDialog1.Execute()) return;
  // The file type chosen in the dialog decides, whatever the radio group says.
  const QString& Name = SaveDialog1.FileName;
  TFileStatus S;
  switch (SaveDialog1.FilterIndex) {
    case 1:
      S = ExportPanel.SaveToBitmapFile(Name);
      break;
    case 2:
      S = ExportPanel.SaveToMetafile(Name);
      break;
    case 3:
      S = ExportPanel.SaveToMetafileEnh(Name);
      break;
    default:
      S = ChartSaveNativeHook ? ChartSaveNativeHook(ExportPanel, Name)
                              : SaveComponentToFile(ExportPanel, Name);
  }
  if (!S.Ok()) ShowError(FileFailureText(S));
}

void ShowExportForm(QWidget* Owner, TCustomChartPanel& Panel) {
  const THookWhileOpen Hook;
  TChartExportForm Form(Owner, Panel);
  RunChartModal(Form);
}
