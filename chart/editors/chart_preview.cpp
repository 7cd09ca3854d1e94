#include "chart/editors/chart_preview.h"

#include <algorithm>
#include <cstdlib>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "chart/editors/editor_controls.h"
#include "chart/editors/pen_dialogs.h"
#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_panel.h"
#include "platform/app_services.h"
#include "platform/controls.h"
#include "platform/cursors.h"
#include "platform/dialogs.h"
#include "platform/flag_guard.h"
#include "platform/number_text.h"
#include "platform/print_job_target.h"
#include "platform/printer.h"
#include "platform/printer_settings.h"

namespace {
// Margins in percent that leave the chart some room: each 0..99, and a margin and its opposite
// together below 100.
TRect SaneMargins(TRect M) {
  auto Pair = [](int& A, int& B) {
    A = std::clamp(A, 0, 99);
    B = std::clamp(B, 0, 99 - A);
  };
  Pair(M.Left, M.Right);
  Pair(M.Top, M.Bottom);
  return M;
}

bool Near(int A, int B) { return std::abs(A - B) < 5; }

TCursor ZoneCursor(int Zone) {
  switch (Zone) {
    case 1:
    case 3:
      return crSizeWE;
    case 2:
    case 4:
      return crSizeNS;
    case 5:
      return crChartHand;
    case 6:
    case 9:
      return crSizeNWSE;
    case 7:
    case 8:
      return crSizeNESW;
    default:
      return crDefault;
  }
}
}  // namespace

// --- the sheet ---------------------------------------------------------------------------------

TChartPreviewPage::TChartPreviewPage(QWidget* Parent) : TBackingControl(Parent) {
  setObjectName(QStringLiteral("ChartPreviewPage"));
  SetFollowsPixelRatio(true);
  setMouseTracking(true);
  setMinimumSize(200, 200);
}

void TChartPreviewPage::SetImage(TCustomChartPanel* Value) {
  FImage = Value;
  Redraw();
}

void TChartPreviewPage::SetShowMargins(bool Value) {
  if (FShowMargins == Value) return;
  FShowMargins = Value;
  Redraw();
}

void TChartPreviewPage::SetPaperColor(TColor Value) {
  if (FPaperColor == Value) return;
  FPaperColor = Value;
  Redraw();
}

void TChartPreviewPage::SetPageSize(int Width, int Height) {
  FPageWidth = Width;
  FPageHeight = Height;
  Redraw();
}

TRect TChartPreviewPage::PaperRect() const {
  const TRect B = BackingRect();
  const int CW = B.Width(), CH = B.Height();
  const int PW = FPageWidth, PH = FPageHeight;
  int W, H, L, T;
  if (PW < PH) {
    H = CH - RoundInt(CH * 10 / 100.0L);
    W = PH < 1 ? CW : MulDiv(H, PW, PH);
    L = (CW - W) / 2;
    T = RoundInt(CH * 5 / 100.0L);
  } else {
    W = CW - RoundInt(CW * 10 / 100.0L);
    H = PW < 1 ? CH : MulDiv(W, PH, PW);
    T = (CH - H) / 2;
    L = RoundInt(CW * 5 / 100.0L);
  }
  // A sheet of no size still has a pixel to stand on.
  return Bounds(L, T, std::max(W, 1), std::max(H, 1));
}

TRect TChartPreviewPage::ChartRect() const {
  const TRect P = PaperRect();
  const TRect M = FImage ? SaneMargins(FImage->PrintMarginsRect()) : TRect{};
  TRect R{P.Left + MulDiv(P.Width(), M.Left, 100), P.Top + MulDiv(P.Height(), M.Top, 100),
          P.Right - MulDiv(P.Width(), M.Right, 100), P.Bottom - MulDiv(P.Height(), M.Bottom, 100)};
  R.Right = std::max(R.Right, R.Left + 1);
  R.Bottom = std::max(R.Bottom, R.Top + 1);
  return R;
}

int TChartPreviewPage::ZoneAt(const TPoint& P) const {
  const TRect R = ChartRect();
  if (AllowResize) {
    const bool L = Near(P.X, R.Left), Ri = Near(P.X, R.Right);
    const bool T = Near(P.Y, R.Top), B = Near(P.Y, R.Bottom);
    const bool InX = P.X > R.Left - 5 && P.X < R.Right + 5;
    const bool InY = P.Y > R.Top - 5 && P.Y < R.Bottom + 5;
    if (L && T) return 6;
    if (Ri && T) return 7;
    if (L && B) return 8;
    if (Ri && B) return 9;
    if (L && InY) return 1;
    if (T && InX) return 2;
    if (Ri && InY) return 3;
    if (B && InX) return 4;
  }
  if (AllowMove && P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom) return 5;
  return 0;
}

void TChartPreviewPage::DrawMarginLines(TCanvas& C, const TRect& R) {
  const TRect P = PaperRect();
  const TPenData Old = C.Pen()->Data();
  const bool Dark = FPaperColor == clSilver || FPaperColor == clGray;
  C.Pen()->SetColor(Dark ? clWhite : clSilver);
  C.Pen()->SetWidth(1);
  C.Pen()->SetStyle(psDot);
  C.Pen()->SetMode(pmNotXor);
  for (int X : {R.Left, R.Right}) {
    C.MoveTo(X, P.Top);
    C.LineTo(X, P.Bottom);
  }
  for (int Y : {R.Top, R.Bottom}) {
    C.MoveTo(P.Left, Y);
    C.LineTo(P.Right, Y);
  }
  C.Pen()->SetData(Old);
}

void TChartPreviewPage::DrawChart(TCanvas& C, const TRect& R) {
  if (AsBitmap) {
    C.StretchDrawImage(R, FImage->CreatePrintBitmap(FPaperColor)->Image());
    return;
  }
  // The panel's own print path, with this sheet as its page.
  if (!FImage->CanClip()) C.SetClipRect(PaperRect());
  FImage->PrintPartialCanvas(&C, R);
  C.ResetClip();
}

void TChartPreviewPage::PaintBacking(TCanvas& C) {
  C.Brush()->SetStyle(bsSolid);
  C.Brush()->SetColor(Color());
  C.FillRect(BackingRect());
  const TRect P = PaperRect();
  C.Pen()->SetColor(clBlack);
  C.Pen()->SetStyle(psSolid);
  C.Pen()->SetWidth(1);
  C.Pen()->SetMode(pmCopy);
  C.Brush()->SetColor(FPaperColor);
  C.Rectangle(P);
  C.Brush()->SetColor(clBlack);
  C.FillRect({P.Left + 5, P.Bottom, P.Right + 5, P.Bottom + 4});
  C.FillRect({P.Right, P.Top + 4, P.Right + 5, P.Bottom + 4});
  const TRect R = ChartRect();
  if (FShowMargins) DrawMarginLines(C, R);
  if (ShowImage && FImage) DrawChart(C, R);
}

void TChartPreviewPage::mousePressEvent(QMouseEvent* Event) {
  if (Event->button() != Qt::LeftButton) return;
  const TPoint P = ToBacking(Event->position());
  FDragZone = ZoneAt(P);
  FDragStart = P;
  FDragRect = FDragNow = ChartRect();
}

void TChartPreviewPage::mouseMoveEvent(QMouseEvent* Event) {
  const TPoint P = ToBacking(Event->position());
  if (!FDragZone) {
    SetControlCursor(this, ZoneCursor(ZoneAt(P)));
    return;
  }
  const TRect Paper = PaperRect();
  if (P.X < Paper.Left || P.X > Paper.Right || P.Y < Paper.Top || P.Y > Paper.Bottom) return;
  RunGuarded([&] { DragTo(P); });
}

void TChartPreviewPage::DragTo(const TPoint& P) {
  TRect N = FDragNow;
  const int Z = FDragZone;
  // An edge follows the pointer only while it stays on its side of the opposite edge.
  if ((Z == 1 || Z == 6 || Z == 8) && P.X < N.Right) N.Left = P.X;
  if ((Z == 3 || Z == 7 || Z == 9) && P.X > N.Left) N.Right = P.X;
  if ((Z == 2 || Z == 6 || Z == 7) && P.Y < N.Bottom) N.Top = P.Y;
  if ((Z == 4 || Z == 8 || Z == 9) && P.Y > N.Top) N.Bottom = P.Y;
  if (Z == 5) {
    // The frame moves whole, or not at all when it would leave the sheet.
    const int DX = P.X - FDragStart.X, DY = P.Y - FDragStart.Y;
    const TRect M{FDragRect.Left + DX, FDragRect.Top + DY, FDragRect.Right + DX,
                  FDragRect.Bottom + DY};
    const TRect S = PaperRect();
    if (M.Left >= S.Left && M.Top >= S.Top && M.Right <= S.Right && M.Bottom <= S.Bottom) N = M;
  }
  if (N == FDragNow) return;
  const bool Lines = FShowMargins && !DragImage;
  if (Lines) DrawMarginLines(*Canvas(), FDragNow);
  FDragNow = N;
  const TRect S = PaperRect();
  const TRect Margins = SaneMargins(
      {MulDiv(N.Left - S.Left, 100, S.Width()), MulDiv(N.Top - S.Top, 100, S.Height()),
       MulDiv(S.Right - N.Right, 100, S.Width()), MulDiv(S.Bottom - N.Bottom, 100, S.Height())});
  if (FImage) FImage->SetPrintMargins(Margins.Left, Margins.Top, Margins.Right, Margins.Bottom);
  if (OnChangeMargins) OnChangeMargins(true, Margins);
  if (DragImage) {
    Redraw();
  } else {
    if (Lines) DrawMarginLines(*Canvas(), FDragNow);
    update();
  }
}

void TChartPreviewPage::mouseReleaseEvent(QMouseEvent*) {
  if (!FDragZone) return;
  FDragZone = 0;
  Redraw();
}

// --- the form ----------------------------------------------------------------------------------

namespace {
// A margin of M by its place: left, top, right, bottom, as the edits are numbered.
int& MarginOf(TRect& M, int Index) {
  int* const Sides[] = {&M.Left, &M.Top, &M.Right, &M.Bottom};
  return *Sides[Index & 3];
}
}  // namespace

TChartPreview::TChartPreview(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("ChartPreview"));
  setWindowTitle(QStringLiteral("RodIvaze Print Preview"));
  resize(780, 520);
  ChartPreviewPage = new TChartPreviewPage(this);

  auto* Side = new QVBoxLayout;
  auto* PrinterLabel = new QLabel(QStringLiteral("P&rinter:"), this);
  Printers = new QComboBox(this);
  Printers->setObjectName(QStringLiteral("Printers"));
  PrinterLabel->setBuddy(Printers);
  BSetupPrinter = Button(this, QStringLiteral("Printer &Setup..."), "BSetupPrinter");
  Orientation = new TRadioGroup(this);
  Orientation->setObjectName(QStringLiteral("Orientation"));
  Orientation->SetCaption(QStringLiteral("Paper Orientation:"));
  Orientation->SetItems({QStringLiteral("P&ortrait"), QStringLiteral("&Landscape")});

  auto* MarginBox = new QGroupBox(QStringLiteral("Margins (%)"), this);
  auto* MarginGrid = new QGridLayout(MarginBox);
  SELeft = SpinEdit(MarginBox, "SELeft", 0, 100, 5);
  SETop = SpinEdit(MarginBox, "SETop", 0, 100, 5);
  SERight = SpinEdit(MarginBox, "SERight", 0, 100, 5);
  SEBottom = SpinEdit(MarginBox, "SEBottom", 0, 100, 5);
  // Placed as they lie on the sheet.
  MarginGrid->addWidget(SETop, 0, 1);
  MarginGrid->addWidget(SELeft, 1, 0);
  MarginGrid->addWidget(SERight, 1, 2);
  MarginGrid->addWidget(SEBottom, 2, 1);
  ShowMargins = new QCheckBox(QStringLiteral("&View Margins"), this);
  ShowMargins->setObjectName(QStringLiteral("ShowMargins"));
  ShowMargins->setChecked(true);
  BReset = Button(this, QStringLiteral("Reset &Margins"), "BReset");

  auto* Detail = new QGroupBox(QStringLiteral("Detail:"), this);
  auto* DetailGrid = new QGridLayout(Detail);
  Resolution = new QScrollBar(Qt::Horizontal, Detail);
  Resolution->setObjectName(QStringLiteral("Resolution"));
  Resolution->setRange(-100, 0);
  DetailGrid->addWidget(new QLabel(QStringLiteral("More"), Detail), 0, 0);
  DetailGrid->addWidget(new QLabel(QStringLiteral("Normal"), Detail), 0, 1, Qt::AlignRight);
  DetailGrid->addWidget(Resolution, 1, 0, 1, 2);
  CBProp = new QCheckBox(QStringLiteral("Proportional"), this);
  CBProp->setObjectName(QStringLiteral("CBProp"));
  BPrint = Button(this, QStringLiteral("&Print"), "BPrint");
  BClose = Button(this, QStringLiteral("Close"), "BClose");
  SetButtonModalResult(BClose, mrCancel);

  Side->addWidget(PrinterLabel);
  Side->addWidget(Printers);
  Side->addWidget(BSetupPrinter);
  Side->addWidget(Orientation);
  Side->addWidget(MarginBox);
  Side->addWidget(ShowMargins);
  Side->addWidget(BReset);
  Side->addWidget(Detail);
  Side->addWidget(CBProp);
  Side->addStretch();
  Side->addWidget(BPrint);
  Side->addWidget(BClose);
  auto* Main = new QHBoxLayout(this);
  Main->addLayout(Side);
  Main->addWidget(ChartPreviewPage, 1);

  ChartPreviewPage->OnChangeMargins = [this](bool Disable, const TRect& M) {
    ChangeMargins(Disable, M);
  };
  connect(Printers, &QComboBox::activated, this, Guarded([this] { PrintersChange(); }));
  connect(BSetupPrinter, &QPushButton::clicked, this, Guarded([this] { BSetupPrinterClick(); }));
  connect(Orientation, &TRadioGroup::Click, this, Guarded([this] {
            if (!FLoading) OrientationClick();
          }));
  for (int Index = 0; Index < 4; ++Index) {
    TNumberEdit* E = Edit(Index);
    E->OnRead = [this, Index] {
      TRect M = Panel().PrintMarginsRect();
      return double(MarginOf(M, Index));
    };
    E->OnCheck = [this, Index](double V) {
      TRect M = Panel().PrintMarginsRect();
      return MarginRefusal(Index, int(V), MarginOf(M, OppositeMargin(Index)));
    };
    E->OnApply = [this, Index](double V) { MarginChange(Index, int(V)); };
  }
  connect(ShowMargins, &QCheckBox::clicked, this, Guarded([this] { ShowMarginsClick(); }));
  connect(BReset, &QPushButton::clicked, this, Guarded([this] { BResetClick(); }));
  connect(Resolution, &QScrollBar::valueChanged, this, Guarded([this] {
            if (!FLoading) ResolutionChange();
          }));
  connect(CBProp, &QCheckBox::toggled, this, Guarded([this] {
            if (!FChangingProp) CBPropClick();
          }));
  connect(BPrint, &QPushButton::clicked, this, Guarded([this] { BPrintClick(); }));
}

TCustomChartPanel& TChartPreview::Panel() const { return *ChartPreviewPage->Image(); }

TNumberEdit* TChartPreview::Edit(int Index) const {
  TNumberEdit* const E[] = {SELeft, SETop, SERight, SEBottom};
  return E[Index & 3];
}

void TChartPreview::LoadPrinters() {
  const TFlagGuard G(FLoading);
  Printers->clear();
  Printers->addItems(PrinterNames());
  Printers->setCurrentIndex(int(Printers->findText(CurrentPrinterName())));
  Printers->setEnabled(Printers->count() > 0);
}

void TChartPreview::ReadOrientation() {
  {
    const TFlagGuard G(FLoading);
    Orientation->SetItemIndex(PrinterOrientation() == poLandscape ? 1 : 0);
  }
  const TPrinterPage P = PrinterPage();
  ChartPreviewPage->SetPageSize(P.Width, P.Height);
}

void TChartPreview::ProportionalMargins() {
  const TPrinterPage P = PrinterPage();
  const TRect M = SaneMargins(Panel().ProportionalPrintMargins(P.Width, P.Height, P.DpiX, P.DpiY));
  Panel().SetPrintMargins(M.Left, M.Top, M.Right, M.Bottom);
}

void TChartPreview::ShowMarginValues() {
  const TRect M = Panel().PrintMarginsRect();
  SELeft->ShowValue(M.Left);
  SETop->ShowValue(M.Top);
  SERight->ShowValue(M.Right);
  SEBottom->ShowValue(M.Bottom);
  BReset->setEnabled(M != FOldMargins);
}

void TChartPreview::FormShow() {
  LoadPrinters();
  SetPrinterOrientation(poLandscape);
  ReadOrientation();
  {
    const TFlagGuard G(FChangingProp), L(FLoading);
    CBProp->setChecked(Panel().PrintProportional());
    Resolution->setValue(Panel().PrintResolution());
  }
  if (Panel().PrintProportional()) ProportionalMargins();
  FOldMargins = Panel().PrintMarginsRect();
  ShowMarginValues();
  ChartPreviewPage->Redraw();
}

void TChartPreview::ChangeMargins(bool DisableProportional, const TRect&) {
  ShowMarginValues();
  if (DisableProportional) {
    Panel().SetPrintProportional(false);
    const TFlagGuard G(FChangingProp);
    CBProp->setChecked(false);
  }
}

void TChartPreview::PrintersChange() {
  SelectPrinter(Printers->currentText());
  ReadOrientation();
  if (Panel().PrintProportional()) {
    ProportionalMargins();
    ShowMarginValues();
  }
  ChartPreviewPage->Redraw();
}

void TChartPreview::BSetupPrinterClick() {
  Dialogs().PrinterSetup();
  LoadPrinters();
  ReadOrientation();
}

void TChartPreview::OrientationClick() {
  SetPrinterOrientation(Orientation->ItemIndex() == 1 ? poLandscape : poPortrait);
  ReadOrientation();
  if (Panel().PrintProportional()) {
    ProportionalMargins();
    ShowMarginValues();
  }
  ChartPreviewPage->Redraw();
}

void TChartPreview::MarginChange(int Index, int Value) {
  TRect M = Panel().PrintMarginsRect();
  MarginOf(M, Index) = Value;
  Panel().SetPrintMargins(M.Left, M.Top, M.Right, M.Bottom);
  BReset->setEnabled(M != FOldMargins);
  ChartPreviewPage->Redraw();
}

void TChartPreview::ShowMarginsClick() {
  ChartPreviewPage->SetShowMargins(ShowMargins->isChecked());
}

void TChartPreview::BResetClick() {
  Panel().SetPrintMargins(FOldMargins.Left, FOldMargins.Top, FOldMargins.Right, FOldMargins.Bottom);
  ShowMarginValues();
  ChartPreviewPage->Redraw();
}

void TChartPreview::ResolutionChange() {
  Panel().SetPrintResolution(Resolution->value());
  ChartPreviewPage->Redraw();
}

void TChartPreview::CBPropClick() {
  Panel().SetPrintProportional(CBProp->isChecked());
  if (CBProp->isChecked()) {
    ProportionalMargins();
    ShowMarginValues();
  }
  ChartPreviewPage->Redraw();
}

void TChartPreview::BPrintClick() {
  const TBusyCursor Busy;
  if (!ChartPreviewPage->AsBitmap) {
    Panel().Print();
    return;
  }
  // The picture as a bitmap, stretched onto the print rectangle.
  const TRect R = Panel().GetPrintRect();
  TPrintJob Job(Panel().Name());
  QString Error;
  if (!Job.BeginDoc(&Error)) {
    if (Error.isEmpty()) return;  // the user cancelled the file choice
    throw ChartException(Error.toStdString());
  }
  {
    TPrintJobTarget Target(Job);
    TCanvas C(&Target);
    C.StretchDrawImage(R, Panel().CreatePrintBitmap(ChartPreviewPage->PaperColor())->Image());
  }
  if (!Job.EndDoc(&Error)) throw ChartException(Error.toStdString());
}

void ChartPreview(QWidget* Owner, TCustomChartPanel& Panel) {
  TChartPreview Form(Owner);
  Form.ChartPreviewPage->SetImage(&Panel);
  RunChartModal(Form);
  Panel.Invalidate();
}
