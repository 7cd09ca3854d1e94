#include "plot/ui/print_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <cmath>

#include "platform/app_services.h"
#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/cursors.h"
#include "platform/dialogs.h"
#include "platform/flag_guard.h"
#include "platform/font_dialog.h"
#include "platform/image_file.h"
#include "platform/number_text.h"
#include "platform/print_job_target.h"
#include "platform/printer.h"
#include "platform/printer_settings.h"
#include "platform/text_file.h"
#include "plot/core/graph_mem_ini_file.h"
#include "plot/ui/plot.h"
#include "plot/ui/print_preview.h"

namespace {
const QString PrintSection = QStringLiteral("Print");
const QString LogoSection = QStringLiteral("LOGO");
const char* const MarginKeys[4] = {"Left", "Top", "Right", "Bottom"};
constexpr int DefaultMarginValues[4] = {25, 10, 20, 10};
constexpr int MaxMargin = 1000;
constexpr int SampleWidth = 320, SampleHeight = 64;

const QStringList& Justifications() {
  static const QStringList L{QStringLiteral("Left"), QStringLiteral("Right"),
                             QStringLiteral("Center")};
  return L;
}

class TEnabledGuard {
 public:
  explicit TEnabledGuard(QWidget* W) : FWidget(W) { W->setEnabled(false); }
  ~TEnabledGuard() { FWidget->setEnabled(true); }
  TEnabledGuard(const TEnabledGuard&) = delete;
  TEnabledGuard& operator=(const TEnabledGuard&) = delete;

 private:
  QWidget* FWidget;
};
}  // namespace

QPushButton* AddFormButton(QWidget* Owner, QBoxLayout* Row, const char* Name, const char* Caption) {
  auto* B = new QPushButton(QLatin1String(Caption), Owner);
  B->setObjectName(QLatin1String(Name));
  B->setAutoDefault(false);
  Row->addWidget(B);
  return B;
}

TPrintDlg::TPrintDlg(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("PrintDlg"));
  SetBorderStyle(bsDialog);
}

TPrintDlg::~TPrintDlg() = default;

QString TPrintDlg::SettingsFile() const {
  if (FPlot && !FPlot->GetIniFileName().isEmpty()) return FPlot->GetIniFileName();
  return ProgramDir() + QStringLiteral("/Default.Ini");
}

TNumberEdit* TPrintDlg::MarginEdit(int Index) const {
  TNumberEdit* const Edits[4] = {edLeft, edTop, edRight, edBottom};
  return Edits[Index];
}

bool TPrintDlg::DefaultMargins(const QString& Mode) {
  TFlagGuard Guard(Updating);
  TGraphMemIniFile Ini(SettingsFile());
  if (Mode == QLatin1String("Read")) {
    const double U = Ini.ReadFloat(PrintSection, QStringLiteral("Units"), 25.4);
    Units = std::isfinite(U) && U < 10 && U > 0 ? 1.0 : 25.4;
    for (int I = 0; I < 4; ++I)
      PrintMargins[size_t(I)] = std::clamp(
          Ini.ReadInteger(PrintSection, QLatin1String(MarginKeys[I]), DefaultMarginValues[I]), 0,
          MaxMargin);
    // What a file holds is held within the page; only what is typed is refused.
    const double Ppi = std::max(PrinterPixelsPerInch(), 1);
    PrintMargins = HeldMargins(PrintMargins, PrinterPageWidth() * 25.4 / Ppi,
                               PrinterPageHeight() * 25.4 / Ppi);
    ShowMargins();
    return true;
  }
  if (Mode != QLatin1String("Write")) return true;
  Ini.WriteFloat(PrintSection, QStringLiteral("Units"), Units);
  for (int I = 0; I < 4; ++I)
    Ini.WriteInteger(PrintSection, QLatin1String(MarginKeys[I]), PrintMargins[size_t(I)]);
  const TFileStatus S = Ini.UpdateFile();
  if (S.Ok()) return true;
  Ini.DiscardChanges();
  ShowError(FileFailureText(S));
  return false;
}

void TPrintDlg::ShowMargins() {
  if (!edLeft) return;
  TFlagGuard Guard(Updating);
  // Kept in millimetres, shown in the chosen units.
  for (int I = 0; I < 4; ++I) {
    MarginEdit(I)->SetUnit(Units >= 10 ? 1 : 2.54, true);
    MarginEdit(I)->Load();
  }
}

QString TPrintDlg::MarginsRefusal(int Index, int Value) const {
  std::array<int, 4> M = PrintMargins;
  M[size_t(Index)] = Value;
  const double Ppi = std::max(PrinterPixelsPerInch(), 1);
  const double W = PrinterPageWidth() * 25.4 / Ppi, H = PrinterPageHeight() * 25.4 / Ppi;
  if (HeldMargins(M, W, H) == M) return {};
  // Told in the units the edits show, as the room the pair has together.
  const bool Across = Index == 0 || Index == 2;
  const int Room = std::max(
      0, int(std::floor(Across ? W : H)) - LeastPrintableMM - (Across ? 0 : 2 * TitleBlockMM));
  const bool MM = Units >= 10;
  int Most = Room;
  if (!MM) {
    // Tenths of an inch are kept as whole millimetres, each rounded: the room in tenths is the
    // other margin as shown and the most this one may be beside it, as the rule takes it.
    const int Other = M[size_t((Index + 2) % 4)];
    int Own = std::max(0, int(std::floor((Room - Other) / 2.54)));
    while (RoundInt((Own + 1) * 2.54L) + Other <= Room) ++Own;
    Most = RoundInt(Other / 2.54L) + Own;
  }
  return QStringLiteral(
             "The margins leave the plot no room: %1 and %2 together may be at most %3 %4.")
      .arg(QLatin1String(Across ? "Left" : "Top"), QLatin1String(Across ? "Right" : "Bottom"))
      .arg(Most)
      .arg(MM ? QStringLiteral("mm") : QStringLiteral("inch/10"));
}

void TPrintDlg::UnitsClick(bool Inches) {
  if (Updating) return;
  if (Inches && Units > 10) {
    Units = 1;
    lbUnits->setText(QStringLiteral("(decimal inchs)"));
  } else if (!Inches && Units < 10) {
    Units = 25.4;
    lbUnits->setText(QStringLiteral("(mm)"));
  }
  ShowMargins();
  ShowPrinter();
}

void TPrintDlg::ShowPrinter() {
  if (!lbPageSize) return;
  TFlagGuard Guard(Updating);
  (PrinterOrientation() == poLandscape ? rbLandscape : rbPortrait)->setChecked(true);
  cbPrinter->clear();
  cbPrinter->addItems(PrinterNames());
  cbPrinter->addItem(QStringLiteral("PDF file"));
  cbPrinter->setCurrentText(CurrentPrinterName());
  const double Ppi = std::max(PrinterPixelsPerInch(), 1);
  const double W = PrinterPageWidth() / Ppi, H = PrinterPageHeight() / Ppi;
  QString Text;
  if (Units >= 10)
    Text = QStringLiteral("%1 * %2  mm").arg(RoundInt(W * Units)).arg(RoundInt(H * Units));
  else if (W > 8 && W < 9)
    Text = QStringLiteral("%1 1/2 * %2 inch").arg(int(W)).arg(RoundInt(H));
  else
    Text = QStringLiteral("%1 * %2 inch").arg(RoundInt(W)).arg(RoundInt(H));
  lbPageSize->setText(Text);
}

void TPrintDlg::Load(TPlot* Plot, TPreView* Preview) {
  DoCreate();
  FPlot = Plot;
  FPreview = Preview;
  DefaultMargins(QStringLiteral("Read"));
  TFlagGuard Guard(Updating);
  {
    TGraphMemIniFile Ini(SettingsFile());
    const bool Second = TitleBlockDefaults().ProjectAndDescription;
    chOwner->setChecked(Ini.ReadBool(LogoSection, OwnerLogoSection, false));
    chProgram->setChecked(Ini.ReadBool(LogoSection, SystemLogoSection, false));
    chProject->setChecked(Ini.ReadBool(LogoSection, ProjectLogoSection, Second));
    chComment->setChecked(Ini.ReadBool(LogoSection, QStringLiteral("Comment LOGO"), Second));
  }
  Memo1->clear();
  {
    const QString LogoFile =
        FPlot && !FPlot->LogoFileName.isEmpty() ? FPlot->LogoFileName : SettingsFile();
    auto Comment = TPrintLogo::CreateComment(SettingsFile(), {}, LogoFile);
    cbAlignComment->setCurrentIndex(Comment->Justify);
  }
  lbUnits->setText(Units >= 10 ? QStringLiteral("(mm)") : QStringLiteral("(inch/10)"));
  (Units >= 10 ? rbMM : rbInches)->setChecked(true);
  edNCopies->Load();
  ShowPrinter();
  LogoChanged = false;
  Updating = false;
  LogoTypeChange();
}

bool TPrintDlg::Execute(TPlot* Plot, TPreView* Preview) {
  Load(Plot, Preview);
  return ShowModal() == mrOk;
}

TPageContent TPrintDlg::PageContent() const {
  TPageContent C;
  if (chProgram) {
    C.Program = chProgram->isChecked();
    C.Owner = chOwner->isChecked();
    C.Project = chProject->isChecked();
    C.Comment = chComment->isChecked();
    C.Borders = chBorders->isChecked();
    C.Description = Memo1->toPlainText().split(u'\n');
    if (Memo1->toPlainText().isEmpty()) C.Description.clear();
  }
  C.ComponentIni = SettingsFile();
  C.LogoFile = FPlot && !FPlot->LogoFileName.isEmpty() ? FPlot->LogoFileName : SettingsFile();
  C.BlackOnly = PrinterBlackOnly();
  return C;
}

bool TPrintDlg::MarginsFit() {
  if (!CheckEdits()) return false;
  // The page may have changed since the margins were typed: they are not cut to fit unasked.
  for (int I = 0; I < 4; ++I)
    if (const QString Why = MarginsRefusal(I, PrintMargins[size_t(I)]); !Why.isEmpty()) {
      ShowError(Why);
      MarginEdit(I)->setFocus();
      return false;
    }
  return true;
}

bool TPrintDlg::PrintPage() {
  if (!MarginsFit()) return false;
  DefaultMargins(QStringLiteral("Write"));
  OfferLogoSave();
  if (PrinterBusy()) {
    ShowError(QStringLiteral("The printer is already printing. Nothing was printed."));
    return false;
  }
  TEnabledGuard Disabled(this);
  TBusyCursor Busy;
  if (FPlot && FPlot->LogoFileName.isEmpty()) FPlot->LogoFileName = SettingsFile();
  const TPageContent Content = PageContent();
  TPrintJob Job(QStringLiteral("Plot"));
  QString Error;
  if (!Job.BeginDoc(&Error)) {
    if (Error.isEmpty())
      ShowInformation(QStringLiteral("No PDF file was chosen. Nothing was printed."));
    else
      ShowError(Error);
    return false;
  }
  bool Drawn = true;
  {
    TPrintJobTarget Target(Job);
    TCanvas Canvas(&Target);
    const TPageLayout Layout = PageLayout(Job.PageWidth(), Job.PageHeight(), Job.PixelsPerInch(),
                                          PrintMargins, 1, Content.Blocks());
    const int Copies = RepeatedCopies();
    for (int C = 0; C < Copies && Drawn; ++C) {
      if (C > 0 && !Job.NewPage()) Drawn = false;
      if (Drawn && FPlot)
        Drawn = RunGuarded([&] { DrawPrintPage(Canvas, *FPlot->Graph(), Layout, Content); });
    }
  }
  if (!Drawn) {
    Job.Abort();
    ShowError(QStringLiteral("Printing failed"));
    return false;
  }
  if (!Job.EndDoc(&Error)) {
    ShowError(Error);
    return false;
  }
  {
    TGraphMemIniFile Ini(SettingsFile());
    Ini.WriteBool(LogoSection, OwnerLogoSection, Content.Owner);
    Ini.WriteBool(LogoSection, SystemLogoSection, Content.Program);
    Ini.WriteBool(LogoSection, ProjectLogoSection, Content.Project);
    Ini.WriteBool(LogoSection, QStringLiteral("Comment LOGO"), Content.Comment);
    if (const TFileStatus S = Ini.UpdateFile(); !S.Ok()) {
      Ini.DiscardChanges();
      ShowError(FileFailureText(S));
    }
  }
  if (FPlot) FPlot->Redraw();
  return true;
}

void TPrintDlg::PrintClick() {
  if (PrintPage()) SetModalResult(mrOk);
}

// Only closes: what the preview or a print already stored stays stored.
void TPrintDlg::CancelClick() { SetModalResult(mrCancel); }

void TPrintDlg::PreviewClick() {
  if (!MarginsFit()) return;
  DefaultMargins(QStringLiteral("Write"));
  OfferLogoSave();
  const bool Printed = FPreview && FPreview->Execute(FPlot, this);
  ShowMargins();
  if (Printed) SetModalResult(mrOk);
}

void TPrintDlg::PrinterSetupClick() {
  // The margins typed or dragged so far are kept, not read back from the file: the setup
  // changes the paper, not the margins.
  TPrinterSetupDialog D;
  D.Execute();
  ShowMargins();
  ShowPrinter();
}

void TPrintDlg::OfferLogoSave() {
  if (!LogoChanged || !Logo) return;
  if (MessageDlg(QStringLiteral("New Logo not saved!\rSave?"), mtWarning, mbYes | mbNo) == mrYes)
    SaveLogoClick();
}

void TPrintDlg::SaveLogoClick() {
  if (!Logo) return;
  QString Error;
  if (!Logo->Save(&Error)) {
    ShowError(Error);
    return;
  }
  LogoChanged = false;
}

void TPrintDlg::LogoTypeChange() {
  if (Updating || !cbLogoType) return;
  OfferLogoSave();
  const QString LogoFile =
      FPlot && !FPlot->LogoFileName.isEmpty() ? FPlot->LogoFileName : SettingsFile();
  if (cbLogoType->currentIndex() == 0)
    Logo = std::make_unique<TPrintLogo>(SettingsFile(), QString(), OwnerLogoSection);
  else
    Logo = std::make_unique<TPrintLogo>(SettingsFile(), LogoFile, ProjectLogoSection);
  LogoChanged = false;
  TFlagGuard Guard(Updating);
  Memo->setPlainText(Logo->Lines.join(u'\n'));
  cbJustify->setCurrentIndex(Logo->Justify);
  txtBMPFileName->setText(Logo->LogoImage);
  DrawSample();
  if (!Logo->ImageStatus.Ok()) PictureNotLoaded(Logo->ImageStatus);
}

void TPrintDlg::PictureNotLoaded(const TFileStatus& Status) {
  ShowError(FileFailureText(Status, PictureNotLoadedWords));
}

void TPrintDlg::LogoEdited() {
  LogoChanged = true;
  DrawSample();
}

void TPrintDlg::BrowseImage(const QString& FileName) {
  if (!Logo) return;
  // A file that is no picture changes nothing, so there is nothing to offer to save either.
  if (const TFileStatus S = Logo->LoadImage(FileName); !S.Ok()) return PictureNotLoaded(S);
  txtBMPFileName->setText(Logo->LogoImage);
  LogoEdited();
}

void TPrintDlg::DrawSample() {
  if (!Logo || !Sample) return;
  TBitmap B(SampleWidth, SampleHeight);
  Logo->Rect = {0, 0, SampleWidth, SampleHeight};
  Logo->Canvas = B.Canvas();
  Logo->Borders = chBorders->isChecked();
  Logo->Draw();
  Logo->Canvas = nullptr;
  Sample->setPixmap(QPixmap::fromImage(B.Image()));
}

void TPrintDlg::SaveComment(const std::function<void(TPrintLogo&)>& Change) {
  const QString LogoFile =
      FPlot && !FPlot->LogoFileName.isEmpty() ? FPlot->LogoFileName : SettingsFile();
  auto Comment = TPrintLogo::CreateComment(SettingsFile(), {}, LogoFile);
  Change(*Comment);
  QString Error;
  if (!Comment->Save(&Error)) ShowError(Error);
}

void TPrintDlg::ArrangeButtons() { bbSave->setVisible(PageControl->currentIndex() == 1); }

void TPrintDlg::FormCreate() {
  TFlagGuard Guard(Updating);
  setWindowTitle(QStringLiteral("Print"));
  auto* Main = new QVBoxLayout(this);
  PageControl = new QTabWidget(this);
  Main->addWidget(PageControl);

  // --- Page Layout ---
  auto* Page = new QWidget(PageControl);
  auto* PL = new QGridLayout(Page);
  auto* Margins = new QGroupBox(QStringLiteral("Margins:"), Page);
  auto* ML = new QGridLayout(Margins);
  const char* const Names[4] = {"edLeft", "edTop", "edRight", "edBottom"};
  const char* const Captions[4] = {"Left", "Top", "Right", "Bottom"};
  const char* const ValidateCaptions[4] = {"Left Margin", "Top Margin", "Right Margin",
                                           "Bottom Margin"};
  TNumberEdit** const Edits[4] = {&edLeft, &edTop, &edRight, &edBottom};
  for (int I = 0; I < 4; ++I) {
    auto* E = new TNumberEdit(Margins);
    E->setObjectName(QLatin1String(Names[I]));
    E->setMaximumWidth(70);
    *Edits[I] = E;
    auto* Up = new TSpeedButton(Margins);
    Up->setArrowType(Qt::UpArrow);
    auto* Down = new TSpeedButton(Margins);
    Down->setArrowType(Qt::DownArrow);
    ML->addWidget(new QLabel(QLatin1String(Captions[I]), Margins), I, 0);
    ML->addWidget(E, I, 1);
    ML->addWidget(Up, I, 2);
    ML->addWidget(Down, I, 3);
    E->SetRule(std::make_unique<GraphValidates::TIntRule>(0, MaxMargin,
                                                          QLatin1String(ValidateCaptions[I])));
    E->SetLive(true);
    E->SetIncrement(1);
    E->OnRead = [I] { return PrintMargins[size_t(I)]; };
    E->OnApply = [I](double V) { PrintMargins[size_t(I)] = static_cast<int>(V); };
    E->OnCheck = [this, I](double V) { return MarginsRefusal(I, static_cast<int>(V)); };
    connect(Up, &QAbstractButton::clicked, this, Guarded([E] { E->Step(1); }));
    connect(Down, &QAbstractButton::clicked, this, Guarded([E] { E->Step(-1); }));
  }
  lbUnits = new QLabel(QStringLiteral("(mm)"), Margins);
  ML->addWidget(lbUnits, 4, 0, 1, 4);
  PL->addWidget(Margins, 0, 0, 3, 1);

  auto* UnitsBox = new QGroupBox(QStringLiteral("Units"), Page);
  UnitsBox->setObjectName(QStringLiteral("rgUnits"));
  auto* UL = new QVBoxLayout(UnitsBox);
  rbMM = new QRadioButton(QStringLiteral("mm"), UnitsBox);
  rbInches = new QRadioButton(QStringLiteral("inches"), UnitsBox);
  UL->addWidget(rbMM);
  UL->addWidget(rbInches);
  connect(rbInches, &QRadioButton::toggled, this, Guarded([this](bool On) { UnitsClick(On); }));
  PL->addWidget(UnitsBox, 0, 1);

  auto* Orientation = new QGroupBox(QStringLiteral("Orientation"), Page);
  Orientation->setObjectName(QStringLiteral("rgOrientation"));
  auto* OL = new QVBoxLayout(Orientation);
  rbPortrait = new QRadioButton(QStringLiteral("Portrait"), Orientation);
  rbLandscape = new QRadioButton(QStringLiteral("Landscape"), Orientation);
  OL->addWidget(rbPortrait);
  OL->addWidget(rbLandscape);
  connect(rbLandscape, &QRadioButton::toggled, this, Guarded([this](bool On) {
            if (Updating) return;
            SetPrinterOrientation(On ? poLandscape : poPortrait);
            ShowPrinter();
          }));
  PL->addWidget(Orientation, 1, 1);

  auto* CopiesRow = new QHBoxLayout;
  edNCopies = new TNumberEdit(Page);
  edNCopies->setObjectName(QStringLiteral("edNCopies"));
  edNCopies->setMaximumWidth(70);
  edNCopies->SetRule(
      std::make_unique<GraphValidates::TIntRule>(1, 1000, QStringLiteral("The number of copies")));
  edNCopies->SetLive(true);
  edNCopies->OnRead = [] { return PrinterCopies(); };
  edNCopies->OnApply = [](double V) { SetPrinterCopies(static_cast<int>(V)); };
  CopiesRow->addWidget(new QLabel(QStringLiteral("Number of Copies"), Page));
  CopiesRow->addWidget(edNCopies);
  PL->addLayout(CopiesRow, 2, 1);

  auto* Blocks = new QGroupBox(QStringLiteral("Title Blocks"), Page);
  auto* BL = new QVBoxLayout(Blocks);
  const auto Check = [&](QCheckBox*& Box, const char* Name, const char* Caption) {
    Box = new QCheckBox(QLatin1String(Caption), Blocks);
    Box->setObjectName(QLatin1String(Name));
    BL->addWidget(Box);
  };
  Check(chProgram, "chProgram", "Program Title");
  Check(chOwner, "chOwner", "Company Logo");
  Check(chProject, "chProject", "Project Title");
  Check(chComment, "chComment", "Plot Description");
  Check(chBorders, "chBorders", "Plot Borders");
  connect(chBorders, &QCheckBox::toggled, this, Guarded([this] { DrawSample(); }));
  PL->addWidget(Blocks, 0, 2, 3, 1);

  auto* PrinterRow = new QHBoxLayout;
  cbPrinter = new QComboBox(Page);
  cbPrinter->setObjectName(QStringLiteral("cbPrinter"));
  connect(cbPrinter, &QComboBox::currentTextChanged, this, Guarded([this](const QString& Name) {
            if (Updating) return;
            if (!SelectPrinter(Name)) SelectPdfOutput();
            ShowPrinter();
          }));
  lbPageSize = new QLabel(Page);
  lbPageSize->setObjectName(QStringLiteral("lbPageSize"));
  prsetup = new QPushButton(QStringLiteral("Printer Setup"), Page);
  prsetup->setObjectName(QStringLiteral("prsetup"));
  prsetup->setAutoDefault(false);
  connect(prsetup, &QPushButton::clicked, this, Guarded([this] { PrinterSetupClick(); }));
  PrinterRow->addWidget(new QLabel(QStringLiteral("Printer:"), Page));
  PrinterRow->addWidget(cbPrinter, 1);
  PrinterRow->addWidget(lbPageSize);
  PrinterRow->addWidget(prsetup);
  PL->addLayout(PrinterRow, 3, 0, 1, 3);
  PageControl->addTab(Page, QStringLiteral("Page Layout"));

  // --- Title Blocks ---
  auto* Titles = new QTabWidget(PageControl);
  auto* Company = new QWidget(Titles);
  auto* CL = new QGridLayout(Company);
  cbLogoType = new QComboBox(Company);
  cbLogoType->setObjectName(QStringLiteral("cbLogoType"));
  cbLogoType->addItems({QStringLiteral("Company Logo"), QStringLiteral("Project Title")});
  connect(cbLogoType, &QComboBox::currentIndexChanged, this, Guarded([this] { LogoTypeChange(); }));
  Memo = new QPlainTextEdit(Company);
  Memo->setObjectName(QStringLiteral("Memo"));
  connect(Memo, &QPlainTextEdit::textChanged, this, Guarded([this] {
            if (Updating || !Logo) return;
            Logo->Lines = Memo->toPlainText().split(u'\n');
            LogoEdited();
          }));
  cbJustify = new QComboBox(Company);
  cbJustify->setObjectName(QStringLiteral("cbJustify"));
  cbJustify->addItems(Justifications());
  connect(cbJustify, &QComboBox::currentIndexChanged, this, Guarded([this](int I) {
            if (Updating || !Logo) return;
            Logo->Justify = std::clamp(I, 0, 2);
            LogoEdited();
          }));
  btFont = new QPushButton(QStringLiteral("Font..."), Company);
  btFont->setObjectName(QStringLiteral("btFont"));
  connect(btFont, &QPushButton::clicked, this, Guarded([this] {
            if (Logo && EditFont(Logo->Font)) LogoEdited();
          }));
  Button2 = new QPushButton(QStringLiteral("Browse..."), Company);
  Button2->setObjectName(QStringLiteral("Button2"));
  connect(Button2, &QPushButton::clicked, this, Guarded([this] {
            TOpenDialog D;
            D.Title = QStringLiteral("Select Bitmap File");
            D.Filter = QStringLiteral("BMP Image Files |*.bmp");
            if (D.Execute()) BrowseImage(D.FileName);
          }));
  bbDelete = new QPushButton(QStringLiteral("&Delete"), Company);
  bbDelete->setObjectName(QStringLiteral("bbDelete"));
  connect(bbDelete, &QPushButton::clicked, this, Guarded([this] {
            if (!Logo) return;
            Logo->ClearImage();
            txtBMPFileName->clear();
            LogoEdited();
          }));
  txtBMPFileName = new QLabel(Company);
  txtBMPFileName->setObjectName(QStringLiteral("txtBMPFileName"));
  Sample = new QLabel(Company);
  Sample->setObjectName(QStringLiteral("Sample"));
  Sample->setFixedSize(SampleWidth, SampleHeight);
  CL->addWidget(cbLogoType, 0, 0);
  CL->addWidget(cbJustify, 0, 1);
  CL->addWidget(btFont, 0, 2);
  CL->addWidget(Memo, 1, 0, 1, 3);
  CL->addWidget(Button2, 2, 0);
  CL->addWidget(txtBMPFileName, 2, 1);
  CL->addWidget(bbDelete, 2, 2);
  CL->addWidget(Sample, 3, 0, 1, 3);
  Titles->addTab(Company, QStringLiteral("Project and Company"));

  auto* Description = new QWidget(Titles);
  auto* DL = new QGridLayout(Description);
  Memo1 = new QPlainTextEdit(Description);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  btCommentFont = new QPushButton(QStringLiteral("Font..."), Description);
  btCommentFont->setObjectName(QStringLiteral("btCommentFont"));
  connect(btCommentFont, &QPushButton::clicked, this,
          Guarded([this] { SaveComment([](TPrintLogo& L) { EditFont(L.Font); }); }));
  cbAlignComment = new QComboBox(Description);
  cbAlignComment->setObjectName(QStringLiteral("cbAlignComment"));
  cbAlignComment->addItems(Justifications());
  connect(cbAlignComment, &QComboBox::currentIndexChanged, this, Guarded([this](int I) {
            if (Updating) return;
            SaveComment([I](TPrintLogo& L) { L.Justify = std::clamp(I, 0, 2); });
          }));
  DL->addWidget(Memo1, 0, 0, 1, 2);
  DL->addWidget(cbAlignComment, 1, 0);
  DL->addWidget(btCommentFont, 1, 1);
  Titles->addTab(Description, QStringLiteral("Description"));
  PageControl->addTab(Titles, QStringLiteral("Title Blocks"));

  // --- Buttons ---
  auto* Buttons = new QHBoxLayout;
  const auto Button = [&](QPushButton*& B, const char* Name, const char* Caption) {
    B = AddFormButton(this, Buttons, Name, Caption);
  };
  Button(bbPreview, "bbPreview", "Preview");
  Button(bbPrint, "bbPrint", "&Print");
  Button(bbSave, "bbSave", "&Save");
  Button(bbCancel, "bbCancel", "&Cancel");
  bbPrint->setDefault(true);
  connect(bbPreview, &QPushButton::clicked, this, Guarded([this] { PreviewClick(); }));
  connect(bbPrint, &QPushButton::clicked, this, Guarded([this] { PrintClick(); }));
  connect(bbSave, &QPushButton::clicked, this, Guarded([this] { SaveLogoClick(); }));
  // Escape presses it too.
  SetButtonModalResult(bbCancel, mrCancel);
  Main->addLayout(Buttons);
  connect(PageControl, &QTabWidget::currentChanged, this, Guarded([this] { ArrangeButtons(); }));
  ArrangeButtons();
}
