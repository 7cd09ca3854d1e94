// The "Settings" and "Info" pages of the properties dialog, and the numeric edits of the
// contour and colour map pages.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/app_services.h"
#include "platform/dialogs.h"
#include "platform/image_file.h"
#include "platform/text_file.h"
#include "plot/core/graph_value_format.h"
#include "plot/ui/graph_format_help.h"
#include "plot/ui/graph_properties.h"
#include "plot/ui/graph_properties_widgets.h"
#include "plot/ui/plot.h"

namespace {
// The settings file keeps the frame width in this range.
constexpr int MaxFrameWidth = 100;

QComboBox* Combo(QWidget* Parent, const char* Name, const QStringList& Items) {
  auto* C = Named(new QComboBox(Parent), Name);
  C->addItems(Items);
  return C;
}

QPushButton* Button(QWidget* Parent, const char* Name, const QString& Caption) {
  return Named(new QPushButton(Caption, Parent), Name);
}
}  // namespace

void TfmGraphProperties::BuildSettingsPage(QWidget* Page) {
  auto* Grid = new QGridLayout(Page);

  // General settings.
  auto* General = new QGridLayout;
  edExaggerate = Named(new TNumberEdit(Page), "edExaggerate");
  edView3D = Named(new TNumberEdit(Page), "edView3D");
  lbView3D = Named(new QLabel(QStringLiteral("View3D (%)"), Page), "lbView3D");
  Label27 = Named(new QLabel(QStringLiteral("Bar Style"), Page), "Label27");
  cbBarStyle = Combo(Page, "cbBarStyle",
                     {QStringLiteral("Clustered"), QStringLiteral("Z-Ordered"),
                      QStringLiteral("Stacked"), QStringLiteral("100% Stacked")});
  chClipSymbols = Named(new QCheckBox(QStringLiteral("Clip Symbols"), Page), "chClipSymbols");
  General->addWidget(new QLabel(QStringLiteral("Exaggerate (0 - maximize):"), Page), 0, 0);
  General->addWidget(edExaggerate, 0, 1);
  General->addWidget(lbView3D, 1, 0);
  General->addWidget(edView3D, 1, 1);
  General->addWidget(Label27, 2, 0);
  General->addWidget(cbBarStyle, 2, 1);
  General->addWidget(chClipSymbols, 3, 0, 1, 2);
  Grid->addLayout(General, 0, 0);

  auto* Colors = Named(new QGroupBox(QStringLiteral("Color"), Page), "gbColor");
  auto* ColorsLayout = new QVBoxLayout(Colors);
  btPlotColor = Button(Colors, "btPlotColor", QStringLiteral("Plot Color..."));
  btBackColor = Button(Colors, "btBackColor", QStringLiteral("Back Color..."));
  ColorsLayout->addWidget(btPlotColor);
  ColorsLayout->addWidget(btBackColor);
  Grid->addWidget(Colors, 0, 1);

  auto* Gradient = Named(new QGroupBox(QStringLiteral("Gradient"), Page), "gbGradient");
  auto* GradientLayout = new QGridLayout(Gradient);
  cbGradientStyle =
      Combo(Gradient, "cbGradientStyle",
            {QStringLiteral("None"), QStringLiteral("LeftRight"), QStringLiteral("TopBottom")});
  btStartColor = Button(Gradient, "btStartColor", QStringLiteral("Start Color..."));
  btEndColor = Button(Gradient, "btEndColor", QStringLiteral("End Color..."));
  GradientLayout->addWidget(new QLabel(QStringLiteral("Direction"), Gradient), 0, 0);
  GradientLayout->addWidget(cbGradientStyle, 0, 1);
  GradientLayout->addWidget(btStartColor, 1, 0);
  GradientLayout->addWidget(btEndColor, 1, 1);
  Grid->addWidget(Gradient, 1, 0);

  auto* Frame = Named(new QGroupBox(QStringLiteral("Frame"), Page), "gbFrame");
  auto* FrameLayout = new QGridLayout(Frame);
  btFrameColor = Button(Frame, "btFrameColor", QStringLiteral("Color..."));
  Edit2 = Named(new QLineEdit(Frame), "Edit2");
  Edit2->setReadOnly(true);
  sbFrameDown = Named(new TSpeedButton(Frame), "sbFrameDown");
  sbFrameUp = Named(new TSpeedButton(Frame), "sbFrameUp");
  sbFrameDown->setArrowType(Qt::DownArrow);
  sbFrameUp->setArrowType(Qt::UpArrow);
  FrameLayout->addWidget(btFrameColor, 0, 0, 1, 4);
  FrameLayout->addWidget(new QLabel(QStringLiteral("Width"), Frame), 1, 0);
  FrameLayout->addWidget(Edit2, 1, 1);
  FrameLayout->addWidget(sbFrameDown, 1, 2);
  FrameLayout->addWidget(sbFrameUp, 1, 3);
  Grid->addWidget(Frame, 1, 1);

  gbPicture = Named(new QGroupBox(QStringLiteral("Picture"), Page), "gbPicture");
  auto* PictureLayout = new QGridLayout(gbPicture);
  Label14 = Named(new QLabel(QStringLiteral("File Name"), gbPicture), "Label14");
  edPictureFileName = Named(new QLineEdit(gbPicture), "edPictureFileName");
  btBrowse = Button(gbPicture, "btBrowse", QStringLiteral("Browse..."));
  chPictureVisible = Named(new QCheckBox(QStringLiteral("Visible"), gbPicture), "chPictureVisible");
  Label41 = Named(new QLabel(QStringLiteral("Mode"), gbPicture), "Label41");
  cbPictureStyle =
      Combo(gbPicture, "cbPictureStyle",
            {QStringLiteral("Stretch"), QStringLiteral("Fix"), QStringLiteral("Tile")});
  PictureLayout->addWidget(Label14, 0, 0);
  PictureLayout->addWidget(edPictureFileName, 0, 1, 1, 2);
  PictureLayout->addWidget(btBrowse, 0, 3);
  PictureLayout->addWidget(chPictureVisible, 1, 0);
  PictureLayout->addWidget(Label41, 1, 1);
  PictureLayout->addWidget(cbPictureStyle, 1, 2, 1, 2);
  Grid->addWidget(gbPicture, 2, 0);

  gbZoom = Named(new QGroupBox(QStringLiteral("Zoom"), Page), "gbZoom");
  auto* ZoomLayout = new QGridLayout(gbZoom);
  Label1 = Named(new QLabel(QStringLiteral("Style"), gbZoom), "Label1");
  Label2 = Named(new QLabel(QStringLiteral("Steps"), gbZoom), "Label2");
  Label3 = Named(new QLabel(QStringLiteral("Change"), gbZoom), "Label3");
  cbZoomStyle =
      Combo(gbZoom, "cbZoomStyle", {QStringLiteral("Zoom In"), QStringLiteral("Zoom Out")});
  edZoomSteps = Named(new TNumberEdit(gbZoom), "edZoomSteps");
  edZoomPerStep = Named(new TNumberEdit(gbZoom), "edZoomPerStep");
  ZoomLayout->addWidget(Label1, 0, 0);
  ZoomLayout->addWidget(cbZoomStyle, 0, 1);
  ZoomLayout->addWidget(Label2, 1, 0);
  ZoomLayout->addWidget(edZoomSteps, 1, 1);
  ZoomLayout->addWidget(Label3, 2, 0);
  ZoomLayout->addWidget(edZoomPerStep, 2, 1);
  Grid->addWidget(gbZoom, 2, 1);
  Grid->setRowStretch(3, 1);

  BindReal(
      edExaggerate, 0, 1e30, QStringLiteral("Exaggerate"), [this] { return Plot->GetExaggerate(); },
      [this](double V) { Plot->SetExaggerate(V); });
  BindReal(
      edView3D, 0, 100, QStringLiteral("3D-View value"), [this] { return Plot->GetView3D(); },
      [this](double V) { Plot->SetView3D(V); }, amDeferred);
  connect(cbBarStyle, &QComboBox::currentIndexChanged, this, Guarded([this](int Index) {
            if (!Begin() || Index < 0) return;
            Plot->SetBarStyle(static_cast<TBarStyle>(Index));
            Graph->ApplyBarStyle();
            SetModified();
            // One bar series looks the same in every style.
            if (Graph->VisibleBarCount() >= 2) LiveApply();
          }));
  BindCheck(chClipSymbols, [this](bool On) { Plot->SetClipMarkers(On); });
  BindColor(
      btPlotColor, [this] { return Plot->GetColor(); }, [this](unsigned C) { Plot->SetColor(C); });
  BindColor(
      btBackColor, [this] { return Plot->GetBackColor(); },
      [this](unsigned C) { Plot->SetBackColor(C); });
  BindCombo(cbGradientStyle,
            [this](int I) { Plot->Gradient->SetStyle(static_cast<TGradientStyle>(I)); });
  BindColor(
      btStartColor, [this] { return Plot->Gradient->GetStartColor(); },
      [this](unsigned C) { Plot->Gradient->SetStartColor(C); });
  BindColor(
      btEndColor, [this] { return Plot->Gradient->GetEndColor(); },
      [this](unsigned C) { Plot->Gradient->SetEndColor(C); });
  BindColor(
      btFrameColor, [this] { return Plot->Frame->GetColor(); },
      [this](unsigned C) { Plot->Frame->SetColor(C); });
  connect(sbFrameDown, &TSpeedButton::Click, this, Guarded([this] { FrameWidthStep(-1); }));
  connect(sbFrameUp, &TSpeedButton::Click, this, Guarded([this] { FrameWidthStep(+1); }));
  connect(btBrowse, &QPushButton::clicked, this, Guarded([this] { BrowseClick(); }));
  connect(edPictureFileName, &QLineEdit::editingFinished, this,
          Guarded([this] { PictureFileExit(); }));
  connect(chPictureVisible, &QCheckBox::toggled, this, Guarded([this](bool On) {
            if (!Begin()) return;
            Plot->Picture->SetVisible(On);
            if (!Plot->Picture->GetPictureFileName().isEmpty()) Changed();
          }));
  BindCombo(cbPictureStyle,
            [this](int I) { Plot->Picture->SetStyle(static_cast<TPictureStyle>(I)); });
  BindCombo(
      cbZoomStyle, [this](int I) { Plot->Zoom->SetStyle(static_cast<TZoomStyle>(I)); }, amQuiet);
  BindInt(
      edZoomSteps, 0, 1000, QStringLiteral("Zoom Steps"), [this] { return Plot->Zoom->GetSteps(); },
      [this](int V) { Plot->Zoom->SetSteps(V); }, amQuiet);
  BindReal(
      edZoomPerStep, 0, 1000, QStringLiteral("Zoom per Step"),
      [this] { return Plot->Zoom->GetChangePerStep(); },
      [this](double V) { Plot->Zoom->SetChangePerStep(V); }, amQuiet);
}

void TfmGraphProperties::LoadSettings() {
  cbBarStyle->setCurrentIndex(Plot->GetBarStyle());
  chClipSymbols->setChecked(Graph->ClipMarkers);
  cbGradientStyle->setCurrentIndex(Plot->Gradient->GetStyle());
  Edit2->setText(QString::number(Plot->Frame->GetWidth()));
  edPictureFileName->setText(Plot->Picture->GetPictureFileName());
  chPictureVisible->setChecked(Plot->Picture->GetVisible());
  cbPictureStyle->setCurrentIndex(std::min<int>(Plot->Picture->GetStyle(), psTile));
  cbZoomStyle->setCurrentIndex(Plot->Zoom->GetStyle());
}

void TfmGraphProperties::FrameWidthStep(int Delta) {
  if (!Begin()) return;
  const int W = std::clamp(Plot->Frame->GetWidth() + Delta, 0, MaxFrameWidth);
  Plot->Frame->SetWidth(W);
  Edit2->setText(QString::number(W));
  Changed();
}

namespace {
// The picture takes only a file that can be read: a wrong one keeps the picture there is.
bool PictureReadable(const QString& FileName) {
  QImage Picture;
  const TFileStatus S = ReadImageFile(FileName, Picture);
  if (!S.Ok()) ShowError(FileFailureText(S, PictureNotLoadedWords));
  return S.Ok();
}
}  // namespace

void TfmGraphProperties::BrowseClick() {
  if (!Begin()) return;
  TOpenDialog D;
  D.Title = QStringLiteral("Select Picture for Graph");
  D.Filter = QStringLiteral("Bitmaps (*.bmp)|*.bmp");
  D.FileName = Plot->Picture->GetPictureFileName();
  if (!D.Execute()) return;
  // Names are compared as the file system compares them: "a.bmp" and "A.BMP" are two files.
  if (D.FileName == Plot->Picture->GetPictureFileName() || !PictureReadable(D.FileName)) return;
  Plot->Picture->SetPictureFileName(D.FileName);
  Loading = true;
  edPictureFileName->setText(D.FileName);
  Loading = false;
  Changed();
}

void TfmGraphProperties::PictureFileExit() {
  if (!Begin()) return;
  const QString Name = edPictureFileName->text();
  if (Name == Plot->Picture->GetPictureFileName()) return;
  if (!Name.isEmpty() && !PictureReadable(Name)) {
    Loading = true;
    edPictureFileName->setText(Plot->Picture->GetPictureFileName());
    Loading = false;
    return;
  }
  Plot->Picture->SetPictureFileName(Name);
  Changed();
}

// --- Info ---------------------------------------------------------------------------------------

void TfmGraphProperties::BuildInfoPage(QWidget* Page) {
  auto* Grid = new QGridLayout(Page);
  cmbStyle = Combo(
      Page, "cmbStyle",
      {QStringLiteral("Round Rectangle"), QStringLiteral("Rectangle"), QStringLiteral("NoBubble")});
  cmbPosition = Combo(Page, "cmbPosition",
                      {QStringLiteral("RightTop"), QStringLiteral("TopCenter"),
                       QStringLiteral("LeftTop"), QStringLiteral("RightBottom"),
                       QStringLiteral("BottomCenter"), QStringLiteral("LeftBottom")});
  btInfoColor = Button(Page, "btInfoColor", QStringLiteral("Color..."));
  btInfoFont = Button(Page, "btInfoFont", QStringLiteral("Font..."));
  edGeneral = Named(new TNumberEdit(Page), "edGeneral");
  edFormatX = Named(new QLineEdit(Page), "edFormatX");
  edFormatY = Named(new QLineEdit(Page), "edFormatY");
  btFormatHelp = Button(Page, "btFormatHelp", QStringLiteral("&Help"));
  Grid->addWidget(new QLabel(QStringLiteral("Style"), Page), 0, 0);
  Grid->addWidget(cmbStyle, 0, 1);
  Grid->addWidget(new QLabel(QStringLiteral("Position "), Page), 1, 0);
  Grid->addWidget(cmbPosition, 1, 1);
  Grid->addWidget(btInfoColor, 2, 0);
  Grid->addWidget(btInfoFont, 2, 1);
  Grid->addWidget(new QLabel(QStringLiteral("Default Format (minimum digits )"), Page), 3, 0);
  Grid->addWidget(edGeneral, 3, 1);
  Grid->addWidget(new QLabel(QStringLiteral("Special X Values Format"), Page), 4, 0);
  Grid->addWidget(edFormatX, 4, 1);
  Grid->addWidget(new QLabel(QStringLiteral("Special Y Values Format"), Page), 5, 0);
  Grid->addWidget(edFormatY, 5, 1);
  Grid->addWidget(btFormatHelp, 6, 1, Qt::AlignRight);

  auto* Show = Named(new QGroupBox(QStringLiteral("Show"), Page), "pnlInfoShow");
  pnlInfoShow = Show;
  auto* ShowLayout = new QVBoxLayout(Show);
  static const char* const Captions[6] = {"Point Name as X Name",  "Series Name as Y Name",
                                          "X as Point Name Value", "Y as Series Name Value",
                                          "X Info Visible",        "Y Info Visible"};
  static const char* const Names[6] = {"chPointName",   "chSeriesName",   "chPointValue",
                                       "chSeriesValue", "chPointVisible", "chSeriesVisible"};
  using TSetter = void (TPlotInfo::*)(bool);
  static const TSetter Setters[6] = {&TPlotInfo::SetPointName,    &TPlotInfo::SetSeriesName,
                                     &TPlotInfo::SetPointValue,   &TPlotInfo::SetSeriesValue,
                                     &TPlotInfo::SetPointVisible, &TPlotInfo::SetSeriesVisible};
  for (int I = 0; I < 6; ++I) {
    chShow[I] = Named(new QCheckBox(QString::fromLatin1(Captions[I]), Show), Names[I]);
    ShowLayout->addWidget(chShow[I]);
    BindCheck(chShow[I], [this, S = Setters[I]](bool On) { (Plot->Info.get()->*S)(On); });
  }
  Grid->addWidget(Show, 0, 2, 7, 1);
  Grid->setRowStretch(7, 1);

  BindCombo(cmbStyle, [this](int I) { Plot->Info->SetStyle(static_cast<TInfoStyle>(I)); });
  BindCombo(cmbPosition, [this](int I) { Plot->Info->SetPosition(static_cast<TInfoPosition>(I)); });
  BindColor(
      btInfoColor, [this] { return Plot->Info->GetColor(); },
      [this](unsigned C) { Plot->Info->SetColor(C); });
  BindFont(
      btInfoFont, [this]() -> const TFont& { return Plot->Info->GetFont(); },
      [this](const TFont& F) { Plot->Info->SetFont(F); });
  BindInt(
      edGeneral, 1, 40, QStringLiteral("Genegal Number of Digits"),
      [this] { return Plot->Info->GetNumberOfGeneralDigits(); },
      [this](int V) { Plot->Info->SetNumberOfGeneralDigits(V); });
  for (QLineEdit* E : {edFormatX, edFormatY}) {
    const bool X = E == edFormatX;
    connect(E, &QLineEdit::editingFinished, this, Guarded([this, E, X] {
              if (!Begin()) return;
              const QString F = E->text();
              if (F == (X ? Plot->Info->GetFormatX() : Plot->Info->GetFormatY())) return;
              // Only what the bubbles can write is taken: see the format help.
              if (!F.isEmpty() && !IsSafeValueFormat(F)) {
                Loading = true;
                E->setText(X ? Plot->Info->GetFormatX() : Plot->Info->GetFormatY());
                Loading = false;
                ShowError(QStringLiteral("%1 is not a value format").arg(F));
                return;
              }
              if (X)
                Plot->Info->SetFormatX(F);
              else
                Plot->Info->SetFormatY(F);
              Changed();
            }));
  }
  connect(btFormatHelp, &QPushButton::clicked, this, Guarded([this] { FormatHelpClick(); }));
}

void TfmGraphProperties::LoadInfo() {
  TPlotInfo* I = Plot->Info.get();
  cmbStyle->setCurrentIndex(I->GetStyle());
  cmbPosition->setCurrentIndex(I->GetPosition());
  edFormatX->setText(I->GetFormatX());
  edFormatY->setText(I->GetFormatY());
  const bool Flags[6] = {I->GetPointName(),   I->GetSeriesName(),   I->GetPointValue(),
                         I->GetSeriesValue(), I->GetPointVisible(), I->GetSeriesVisible()};
  for (int K = 0; K < 6; ++K) chShow[K]->setChecked(Flags[K]);
}

void TfmGraphProperties::FormatHelpClick() {
  std::unique_ptr<TfmGraphFormatHelp> H(CreateForm<TfmGraphFormatHelp>(this));
  H->ShowModal();
}

// --- The pages to come --------------------------------------------------------------------------

void TfmGraphProperties::BuildLaterPages() {
  struct TEdit {
    TNumberEdit** Field;
    int Page;
    const char* Name;
    const char* Caption;
    double Min, Max;
    bool Integer;
  };
  const TEdit Edits[] = {
      {&edPos, piContour, "edPos", "Decimal position", 0, 10, true},
      {&edInt, piContour, "edInt", "Contour Integval", 0, 1e31, false},
      {&edNum, piContour, "edNum", "The number of Contours", 1, 100, true},
      {&edLblInt, piContour, "edLblInt", "Labeling Contour Intervel", 1, 100, true},
      {&edMin, piContour, "edMin", "Min", -1e30, 1e30, false},
      {&edMax, piContour, "edMax", "Max", -1e30, 1e30, false},
      // Cut-offs are values of Z, which may lie below zero as well.
      {&edLoColor, piColorMap, "edLoColor", "Low Color", -1e30, 1e30, false},
      {&edHiColor, piColorMap, "edHiColor", "Hi Color", -1e30, 1e30, false},
  };
  for (const TEdit& E : Edits) {
    const QString Caption = QString::fromLatin1(E.Caption);
    std::unique_ptr<TNumberRule> Rule;
    if (E.Integer)
      Rule = std::make_unique<GraphValidates::TIntRule>(int(E.Min), int(E.Max), Caption);
    else
      Rule = std::make_unique<GraphValidates::TRealRule>(E.Min, E.Max, Caption);
    *E.Field = NumberField(Pages[E.Page], QString::fromLatin1(E.Name), std::move(Rule));
  }
  for (QLineEdit** E : {&edRMin, &edRMax}) {
    *E = Named(new QLineEdit(Pages[piContour]), E == &edRMin ? "edRMin" : "edRMax");
    (*E)->setReadOnly(true);
  }
  BuildSeriesPage(Pages[piSeries]);
  BuildLegendsPage(Pages[piLegends]);
  BuildColorMapPage(Pages[piColorMap]);
  BuildContourPage(Pages[piContour]);
}
