#include "chart/editors/chart_part_pages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "chart/editors/pen_dialogs.h"
#include "chart/engine/chart_legend.h"
#include "chart/engine/chart_parts.h"
#include "platform/bitmap.h"
#include "platform/colors.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/flag_guard.h"
#include "platform/image_file.h"
#include "platform/text_file.h"

namespace {
// Widths drawn once per pixel of the frame: more than this would only paint the chart over.
constexpr int MaxFrameWidth = 100;
// A legend margin past this leaves no room for the chart in any window.
constexpr int MaxLegendMargin = 1000;
}  // namespace

// --- Legend ------------------------------------------------------------------------------------

TFormChartLegend::TFormChartLegend(QWidget* Owner, TChartLegend* Legend)
    : TChartEditorPage(Owner), FLegend(Legend), FChart(Legend->ParentChart()) {
  setObjectName(QStringLiteral("FormChartLegend"));
  auto* Grid = new QGridLayout(this);
  CBShow = CheckBox(this, QStringLiteral("&Visible"), "CBShow");
  CBResizeChart = CheckBox(this, QStringLiteral("Resi&ze Chart"), "CBResizeChart");
  CBInverted = CheckBox(this, QStringLiteral("&Inverted"), "CBInverted");
  Grid->addWidget(CBShow, 0, 0, 1, 2);
  Grid->addWidget(CBResizeChart, 1, 0, 1, 2);
  Grid->addWidget(CBInverted, 2, 0, 1, 2);
  CBLegendStyle = ComboBox(this, "CBLegendStyle",
                           {QStringLiteral("Automatic"), QStringLiteral("Series Names"),
                            QStringLiteral("Series Values"), QStringLiteral("Last Values")});
  AddLabelled(Grid, 3, QStringLiteral("Legend &Style:"), CBLegendStyle);
  CBLegStyle = ComboBox(
      this, "CBLegStyle",
      {QStringLiteral("Plain"), QStringLiteral("Left Value"), QStringLiteral("Right Value"),
       QStringLiteral("Left Percent"), QStringLiteral("Right Percent"), QStringLiteral("X Value")});
  AddLabelled(Grid, 4, QStringLiteral("Text St&yle:"), CBLegStyle);
  SETopPos = SpinEdit(this, "SETopPos", 0, 100, 1);
  ChartRule(SETopPos).RangeMessage = QLatin1String(LegendMessages::TopPos);
  AddLabelled(Grid, 5, QStringLiteral("% Top &Pos:"), SETopPos);
  SEColWi = SpinEdit(this, "SEColWi", 0, 100, 5);
  ChartRule(SEColWi).RangeMessage = QLatin1String(LegendMessages::ColorWidth);
  AddLabelled(Grid, 6, QStringLiteral("% Color &Width:"), SEColWi);

  auto* Buttons = new QVBoxLayout;
  BColor = Button(this, QStringLiteral("Bac&k Color..."), "BColor");
  BFont = Button(this, QStringLiteral("F&ont..."), "BFont");
  BFrame = Button(this, QStringLiteral("&Frame..."), "BFrame");
  BDivLines = Button(this, QStringLiteral("&Dividing Lines..."), "BDivLines");
  for (QPushButton* B : {BColor, BFont, BFrame, BDivLines}) Buttons->addWidget(B);
  Grid->addLayout(Buttons, 0, 2, 4, 1);

  auto* Shadow = new QGroupBox(QStringLiteral("Shadow:"), this);
  auto* ShadowGrid = new QGridLayout(Shadow);
  BShadow = Button(Shadow, QStringLiteral("&Color..."), "BShadow");
  ShadowGrid->addWidget(BShadow, 0, 0, 1, 2);
  SEShadowSize = SpinEdit(Shadow, "SEShadowSize", 0, 100, 1);
  AddLabelled(ShadowGrid, 1, QStringLiteral("Siz&e:"), SEShadowSize);
  Grid->addWidget(Shadow, 4, 2, 3, 1);

  auto* Position = new QGroupBox(QStringLiteral("Position:"), this);
  auto* PosGrid = new QGridLayout(Position);
  auto Radio = [Position](const QString& Caption, const char* Name) {
    auto* R = new QRadioButton(Caption, Position);
    R->setObjectName(QLatin1String(Name));
    return R;
  };
  RBLeft = Radio(QStringLiteral("&Left"), "RBLeft");
  RBRight = Radio(QStringLiteral("&Right"), "RBRight");
  RBTop = Radio(QStringLiteral("&Top"), "RBTop");
  RBBottom = Radio(QStringLiteral("&Bottom"), "RBBottom");
  PosGrid->addWidget(RBLeft, 0, 0);
  PosGrid->addWidget(RBRight, 0, 1);
  PosGrid->addWidget(RBTop, 1, 0);
  PosGrid->addWidget(RBBottom, 1, 1);
  SEMargin = SpinEdit(Position, "SEMargin", 0, MaxLegendMargin, 1);
  AddLabelled(PosGrid, 2, QStringLiteral("&Margin:"), SEMargin);
  Grid->addWidget(Position, 0, 3, 4, 1);
  Grid->setRowStretch(7, 1);
  Grid->setColumnStretch(4, 1);

  On(CBShow, &QCheckBox::clicked, this, [this](bool On) { FLegend->SetVisible(On); });
  On(CBResizeChart, &QCheckBox::clicked, this, [this](bool On) { FLegend->SetResizeChart(On); });
  On(CBInverted, &QCheckBox::clicked, this, [this](bool On) { FLegend->SetInverted(On); });
  On(CBLegendStyle, &QComboBox::activated, this, [this](int I) {
    if (!Updating && I >= 0) FLegend->SetLegendStyle(ChartLegend::TLegendStyle(I));
  });
  On(CBLegStyle, &QComboBox::activated, this, [this](int I) {
    if (!Updating && I >= 0) FLegend->SetTextStyle(TLegendTextStyle(I));
  });
  OnNumber(
      SETopPos, [this](int V) { FLegend->SetTopPos(V); }, [this] { return FLegend->TopPos(); });
  OnNumber(
      SEColWi, [this](int V) { FLegend->SetColorWidth(V); },
      [this] { return FLegend->ColorWidth(); });
  OnNumber(
      SEShadowSize, [this](int V) { FLegend->SetShadowSize(V); },
      [this] { return FLegend->ShadowSize(); });
  OnNumber(
      SEMargin,
      [this](int V) {
        if (FLegend->Vertical())
          FLegend->SetHorizMargin(V);
        else
          FLegend->SetVertMargin(V);
      },
      [this] { return Margin(); });
  On(BColor, &QPushButton::clicked, this,
     [this] { PickColor(this, FLegend->Color(), [this](TColor C) { FLegend->SetColor(C); }); });
  On(BFont, &QPushButton::clicked, this, [this] { EditChartFont(this, *FLegend->Font()); });
  On(BFrame, &QPushButton::clicked, this, [this] { EditChartPen(this, *FLegend->Frame()); });
  On(BDivLines, &QPushButton::clicked, this,
     [this] { EditChartPen(this, *FLegend->DividingLines()); });
  On(BShadow, &QPushButton::clicked, this, [this] {
    PickColor(this, FLegend->ShadowColor(), [this](TColor C) { FLegend->SetShadowColor(C); });
  });
  const std::pair<QRadioButton*, TLegendAlignment> Sides[] = {
      {RBLeft, laLeft}, {RBRight, laRight}, {RBTop, laTop}, {RBBottom, laBottom}};
  for (const auto& [B, Side] : Sides)
    On(B, &QRadioButton::clicked, this, [this, Side] { SetPosition(Side); });
}

int TFormChartLegend::Margin() const {
  return FLegend->Vertical() ? FLegend->HorizMargin() : FLegend->VertMargin();
}

void TFormChartLegend::SetPosition(TLegendAlignment Value) {
  FLegend->SetAlignment(Value);
  TFlagGuard Loading(Updating);
  SEMargin->ShowValue(Margin());
}

void TFormChartLegend::PageShow() {
  if (!FChart) return;
  Updating = true;
  CBShow->setChecked(FLegend->Visible());
  CBResizeChart->setChecked(FLegend->ResizeChart());
  CBInverted->setChecked(FLegend->Inverted());
  CBLegendStyle->setCurrentIndex(int(FLegend->LegendStyle()));
  CBLegStyle->setCurrentIndex(int(FLegend->TextStyle()));
  SETopPos->ShowValue(FLegend->TopPos());
  SEColWi->ShowValue(FLegend->ColorWidth());
  SEShadowSize->ShowValue(FLegend->ShadowSize());
  SEMargin->ShowValue(Margin());
  QRadioButton* Side[] = {RBLeft, RBRight, RBTop, RBBottom};
  Side[FLegend->Alignment()]->setChecked(true);
  Updating = false;
}

// --- Titles ------------------------------------------------------------------------------------

TFormChartTitle::TFormChartTitle(QWidget* Owner, TChartTitle* Title)
    : TChartEditorPage(Owner),
      FChart(static_cast<TCustomChart*>(Title->ParentChart())),
      FMadeFor(Title),
      FTitle(Title) {
  setObjectName(QStringLiteral("FormChartTitle"));
  auto* Grid = new QGridLayout(this);
  CBTitles = ComboBox(this, "CBTitles", {QStringLiteral("Title"), QStringLiteral("Foot")});
  Grid->addWidget(CBTitles, 0, 0);
  MText = new QPlainTextEdit(this);
  MText->setObjectName(QStringLiteral("MText"));
  MText->setLineWrapMode(QPlainTextEdit::NoWrap);
  Grid->addWidget(MText, 1, 0, 6, 1);
  CBVisible = CheckBox(this, QStringLiteral("&Visible"), "CBVisible");
  CBAdjust = CheckBox(this, QStringLiteral("&Adjust Frame"), "CBAdjust");
  Grid->addWidget(CBVisible, 0, 1);
  Grid->addWidget(CBAdjust, 1, 1);
  RGAlign =
      RadioGroup(this, "RGAlign", QStringLiteral("Alignment:"),
                 {QStringLiteral("&Left"), QStringLiteral("&Center"), QStringLiteral("&Right")});
  Grid->addWidget(RGAlign, 2, 1, 3, 1);
  auto* Buttons = new QVBoxLayout;
  BFont = Button(this, QStringLiteral("F&ont..."), "BFont");
  BFrame = Button(this, QStringLiteral("&Border..."), "BFrame");
  BBrush = Button(this, QStringLiteral("&Pattern..."), "BBrush");
  BColor = Button(this, QStringLiteral("Bac&k Color..."), "BColor");
  for (QPushButton* B : {BFont, BFrame, BBrush, BColor}) Buttons->addWidget(B);
  Buttons->addStretch(1);
  Grid->addLayout(Buttons, 0, 2, 6, 1);
  Grid->setColumnStretch(0, 1);

  On(CBTitles, &QComboBox::activated, this, [this](int I) {
    if (!FChart) return;
    FTitle = I == 1 ? FChart->Foot() : FChart->Title();
    ShowTitle();
  });
  On(MText, &QPlainTextEdit::textChanged, this, [this] { TextEdited(); });
  On(CBVisible, &QCheckBox::clicked, this, [this](bool On) { FTitle->SetVisible(On); });
  On(CBAdjust, &QCheckBox::clicked, this, [this](bool On) { FTitle->SetAdjustFrame(On); });
  On(RGAlign, &TRadioGroup::Click, this, [this] {
    static constexpr TAlignment Align[] = {taLeftJustify, taCenter, taRightJustify};
    const int I = RGAlign->ItemIndex();
    if (!Updating && I >= 0 && I < 3) FTitle->SetAlignment(Align[I]);
  });
  On(BFont, &QPushButton::clicked, this, [this] {
    EditChartFont(this, *FTitle->Font());
    RefreshMemo();
  });
  On(BFrame, &QPushButton::clicked, this, [this] { EditChartPen(this, *FTitle->Frame()); });
  On(BBrush, &QPushButton::clicked, this, [this] { EditChartBrush(this, *FTitle->Brush()); });
  On(BColor, &QPushButton::clicked, this, [this] {
    PickColor(this, FTitle->Color(), [this](TColor C) { FTitle->SetColor(C); });
    RefreshMemo();
  });
}

void TFormChartTitle::PageShow() {
  if (!FChart) return;
  Updating = true;
  FTitle = FMadeFor;
  CBTitles->setCurrentIndex(FTitle == FChart->Foot() ? 1 : 0);
  ShowTitle();
  Updating = false;
}

void TFormChartTitle::ShowTitle() {
  TFlagGuard Loading(Updating);
  MText->setPlainText(FTitle->Text().join(QLatin1Char('\n')));
  RefreshMemo();
  CBVisible->setChecked(FTitle->Visible());
  CBAdjust->setChecked(FTitle->AdjustFrame());
  const TAlignment A = FTitle->Alignment();
  RGAlign->SetItemIndex(A == taLeftJustify ? 0 : A == taCenter ? 1 : 2);
}

void TFormChartTitle::RefreshMemo() {
  const TFont& F = *FTitle->Font();
  MText->setFont(ToQFont(F.Data()));
  TColor Back = FTitle->Color();
  // The automatic colour leaves the chart behind the title; the memo shows it on white, unless
  // the text itself is white.
  if (Back == clChartAuto) Back = ColorToRGB(F.Color()) == clWhite ? TColor(0x808080) : clWhite;
  QPalette P = MText->palette();
  P.setColor(QPalette::Base, ToQColor(Back));
  P.setColor(QPalette::Text, ToQColor(F.Color()));
  MText->setPalette(P);
}

void TFormChartTitle::TextEdited() {
  if (Updating || !FChart) return;
  const QString Text = MText->toPlainText();
  const QStringList Lines = Text.isEmpty() ? QStringList() : Text.split(QLatin1Char('\n'));
  if (Lines != FTitle->Text()) FTitle->SetText(Lines);
}

// --- Panel -------------------------------------------------------------------------------------

QString TFormChartPanel::PictureFilter() { return PictureFileFilter(); }

TFormChartPanel::TFormChartPanel(QWidget* Owner, TCustomChart* Chart)
    : TChartEditorPage(Owner), FChart(Chart) {
  setObjectName(QStringLiteral("FormChartPanel"));
  auto* Grid = new QGridLayout(this);
  const QStringList Bevels = {QStringLiteral("None"), QStringLiteral("Lowered"),
                              QStringLiteral("Raised")};
  RGBevelIn = RadioGroup(this, "RGBevelIn", QStringLiteral("Bevel &Inner:"), Bevels);
  RGBevelOut = RadioGroup(this, "RGBevelOut", QStringLiteral("Bevel &Outer:"), Bevels);
  Grid->addWidget(RGBevelIn, 0, 0);
  Grid->addWidget(RGBevelOut, 0, 1);
  // Two "Width" edits: each sits in the box of what it widens.
  auto* Widths = new QVBoxLayout;
  auto* BevelBox = new QGroupBox(QStringLiteral("Bevel"), this);
  auto* BevelGrid = new QGridLayout(BevelBox);
  SEPanelWi = SpinEdit(BevelBox, "SEPanelWi", 1, MaxFrameWidth, 1);
  AddLabelled(BevelGrid, 0, QStringLiteral("&Width:"), SEPanelWi);
  auto* BorderBox = new QGroupBox(QStringLiteral("Border"), this);
  auto* BorderGrid = new QGridLayout(BorderBox);
  CBPanelBorder = CheckBox(BorderBox, QStringLiteral("&Border"), "CBPanelBorder");
  BorderGrid->addWidget(CBPanelBorder, 0, 0, 1, 2);
  SEPanelBor = SpinEdit(BorderBox, "SEPanelBor", 0, MaxFrameWidth, 1);
  AddLabelled(BorderGrid, 1, QStringLiteral("Widt&h:"), SEPanelBor);
  BPanelColor = Button(this, QStringLiteral("&Panel Color..."), "BPanelColor");
  Widths->addWidget(BevelBox);
  Widths->addWidget(BorderBox);
  Widths->addWidget(BPanelColor);
  Grid->addLayout(Widths, 0, 2);

  auto* Gradient = new QGroupBox(QStringLiteral("Gradient"), this);
  auto* GradGrid = new QGridLayout(Gradient);
  CBGradVisible = CheckBox(Gradient, QStringLiteral("&Visible"), "CBGradVisible");
  GradGrid->addWidget(CBGradVisible, 0, 0, 1, 2);
  ComboBox1 = ComboBox(
      Gradient, "ComboBox1",
      {QStringLiteral("Top Bottom"), QStringLiteral("Bottom Top"), QStringLiteral("Left Right"),
       QStringLiteral("Right Left"), QStringLiteral("From Center"), QStringLiteral("From Top Left"),
       QStringLiteral("From Bottom Left")});
  AddLabelled(GradGrid, 1, QStringLiteral("&Direction:"), ComboBox1);
  BGradientStart = Button(Gradient, QStringLiteral("&Start Color..."), "BGradientStart");
  BGradientEnd = Button(Gradient, QStringLiteral("&End Color..."), "BGradientEnd");
  Shape1 = new TColorSwatch(Gradient);
  Shape1->setObjectName(QStringLiteral("Shape1"));
  Shape2 = new TColorSwatch(Gradient);
  Shape2->setObjectName(QStringLiteral("Shape2"));
  GradGrid->addWidget(BGradientStart, 2, 0);
  GradGrid->addWidget(Shape1, 2, 1);
  GradGrid->addWidget(BGradientEnd, 3, 0);
  GradGrid->addWidget(Shape2, 3, 1);
  Grid->addWidget(Gradient, 1, 0, 1, 2);

  auto* Image = new QGroupBox(QStringLiteral("Back Image"), this);
  auto* ImageGrid = new QGridLayout(Image);
  RGBitmap =
      RadioGroup(Image, "RGBitmap", QStringLiteral("St&yle"),
                 {QStringLiteral("Stretch"), QStringLiteral("Tile"), QStringLiteral("Center")});
  CBImageInside = CheckBox(Image, QStringLiteral("I&nside"), "CBImageInside");
  BBrowseImage = Button(Image, QStringLiteral("B&rowse..."), "BBrowseImage");
  ImageGrid->addWidget(BBrowseImage, 0, 0);
  ImageGrid->addWidget(RGBitmap, 1, 0);
  ImageGrid->addWidget(CBImageInside, 2, 0);
  Grid->addWidget(Image, 1, 2);
  Grid->setRowStretch(2, 1);

  auto Bevel = [this](TRadioGroup* G, TPanelBevel (TCustomChartPanel::*Get)() const,
                      void (TCustomChartPanel::*Set)(TPanelBevel)) {
    On(G, &TRadioGroup::Click, this, [this, G, Get, Set] {
      const int I = G->ItemIndex();
      if (Updating || !FChart || I < 0) return;
      if ((FChart->*Get)() != TPanelBevel(I)) (FChart->*Set)(TPanelBevel(I));
    });
  };
  Bevel(RGBevelIn, &TCustomChartPanel::BevelInner, &TCustomChartPanel::SetBevelInner);
  Bevel(RGBevelOut, &TCustomChartPanel::BevelOuter, &TCustomChartPanel::SetBevelOuter);
  OnNumber(
      SEPanelWi, [this](int V) { FChart->SetBevelWidth(V); },
      [this] { return FChart->BevelWidth(); });
  OnNumber(
      SEPanelBor, [this](int V) { FChart->SetBorderWidth(V); },
      [this] { return FChart->BorderWidth(); });
  On(CBPanelBorder, &QCheckBox::clicked, this,
     [this](bool On) { FChart->SetBorderStyle(On ? bsSingle : bsNone); });
  On(BPanelColor, &QPushButton::clicked, this, [this] {
    PickColor(this, FChart->Color(), [this](TColor C) {
      FChart->SetColor(C);
      FChart->Repaint();
    });
  });
  On(CBGradVisible, &QCheckBox::clicked, this, [this](bool On) {
    FChart->Gradient()->SetVisible(On);
    CheckGradient();
  });
  On(ComboBox1, &QComboBox::activated, this, [this](int I) {
    if (!Updating && I >= 0) FChart->Gradient()->SetDirection(TGradientDirection(I));
  });
  auto Start = [this] {
    PickColor(this, FChart->Gradient()->StartColor(), [this](TColor C) {
      FChart->Gradient()->SetStartColor(C);
      Shape1->SetColor(C);
    });
  };
  auto End = [this] {
    PickColor(this, FChart->Gradient()->EndColor(), [this](TColor C) {
      FChart->Gradient()->SetEndColor(C);
      Shape2->SetColor(C);
    });
  };
  On(BGradientStart, &QPushButton::clicked, this, Start);
  On(Shape1, &TColorSwatch::Clicked, this, Start);
  On(BGradientEnd, &QPushButton::clicked, this, End);
  On(Shape2, &TColorSwatch::Clicked, this, End);
  On(RGBitmap, &TRadioGroup::Click, this, [this] {
    const int I = RGBitmap->ItemIndex();
    if (!Updating && FChart && I >= 0) FChart->SetBackImageMode(TPanelBackImageMode(I));
  });
  On(CBImageInside, &QCheckBox::clicked, this, [this](bool On) { FChart->SetBackImageInside(On); });
  On(BBrowseImage, &QPushButton::clicked, this, [this] { BrowseImage(); });
}

void TFormChartPanel::BrowseImage() {
  if (!FChart) return;
  if (FChart->BackImage()) {
    FChart->SetBackImage(nullptr);
  } else {
    TOpenDialog D;
    D.Filter = PictureFilter();
    if (!D.Execute()) return;
    TBitmap B;
    // A file that does not read as a picture leaves the old back image, and says why.
    if (const TFileStatus S = B.LoadFromFile(D.FileName); !S.Ok()) {
      Dialogs().MessageDlg(FileFailureText(S, PictureNotLoadedWords), mtError, mbOK, QString());
      return;
    }
    FChart->SetBackImage(&B);
  }
  CheckImage();
}

void TFormChartPanel::CheckGradient() {
  const bool On = FChart && FChart->Gradient()->Visible();
  EnableControls(On, {ComboBox1, BGradientStart, BGradientEnd, Shape1, Shape2});
}

void TFormChartPanel::CheckImage() {
  const bool Has = FChart && FChart->BackImage();
  BBrowseImage->setText(Has ? QStringLiteral("Clea&r") : QStringLiteral("B&rowse..."));
  EnableControls(Has, {RGBitmap, CBImageInside});
}

void TFormChartPanel::PageShow() {
  if (!FChart) return;
  {
    TFlagGuard Loading(Updating);
    RGBevelIn->SetItemIndex(std::min(int(FChart->BevelInner()), 2));
    RGBevelOut->SetItemIndex(std::min(int(FChart->BevelOuter()), 2));
    SEPanelWi->ShowValue(FChart->BevelWidth());
    SEPanelBor->ShowValue(FChart->BorderWidth());
    CBPanelBorder->setChecked(FChart->BorderStyle() != bsNone);
    const TChartGradient* G = FChart->Gradient();
    CBGradVisible->setChecked(G->Visible());
    ComboBox1->setCurrentIndex(int(G->Direction()));
    Shape1->SetColor(G->StartColor());
    Shape2->SetColor(G->EndColor());
    RGBitmap->SetItemIndex(int(FChart->BackImageMode()));
    CBImageInside->setChecked(FChart->BackImageInside());
  }
  CheckGradient();
  CheckImage();
  Updating = false;
}

// --- Walls -------------------------------------------------------------------------------------

TFormChartWall::TFormChartWall(QWidget* Owner, TCustomChart* Chart, TChartWall* Wall)
    : TChartEditorPage(Owner), FChart(Chart), FMadeFor(Wall), FWall(Wall) {
  setObjectName(QStringLiteral("FormChartWall"));
  auto* Main = new QVBoxLayout(this);
  TabSubWalls = new QTabBar(this);
  TabSubWalls->setObjectName(QStringLiteral("TabSubWalls"));
  for (const QString& T :
       {QStringLiteral("Left Wall"), QStringLiteral("Bottom Wall"), QStringLiteral("Back Wall")})
    TabSubWalls->addTab(T);
  TabSubWalls->setMouseTracking(true);
  Main->addWidget(TabSubWalls);
  auto* Grid = new QGridLayout;
  CBView3dWalls = CheckBox(this, QStringLiteral("&Visible Walls"), "CBView3dWalls");
  Grid->addWidget(CBView3dWalls, 0, 0, 1, 2);
  SEWallSize = SpinEdit(this, "SEWallSize", 0, 100, 1);
  AddLabelled(Grid, 1, QStringLiteral("Siz&e:"), SEWallSize);
  CBDark3D = CheckBox(this, QStringLiteral("&Dark 3D"), "CBDark3D");
  CBWallTransp = CheckBox(this, QStringLiteral("&Transparent"), "CBWallTransp");
  Grid->addWidget(CBDark3D, 2, 0, 1, 2);
  Grid->addWidget(CBWallTransp, 3, 0, 1, 2);
  BWallColor = Button(this, QStringLiteral("&Background..."), "BWallColor");
  SHWallColor = new TColorSwatch(this);
  SHWallColor->setObjectName(QStringLiteral("SHWallColor"));
  BWallPen = Button(this, QStringLiteral("B&order..."), "BWallPen");
  BWallBrush = Button(this, QStringLiteral("&Pattern..."), "BWallBrush");
  Grid->addWidget(BWallColor, 0, 2);
  Grid->addWidget(SHWallColor, 0, 3);
  Grid->addWidget(BWallPen, 1, 2);
  Grid->addWidget(BWallBrush, 2, 2);
  Grid->setColumnStretch(4, 1);
  Main->addLayout(Grid);
  Main->addStretch(1);

  On(TabSubWalls, &QTabBar::currentChanged, this, [this](int I) {
    if (Updating || !FChart || I < 0) return;
    TChartWall* Walls[] = {FChart->LeftWall(), FChart->BottomWall(), FChart->BackWall()};
    FWall = Walls[I];
    ShowWall();
  });
  On(CBView3dWalls, &QCheckBox::clicked, this, [this](bool On) { FChart->SetView3DWalls(On); });
  OnNumber(
      SEWallSize,
      [this](int V) {
        FWall->SetSize(V);
        CBDark3D->setEnabled(FWall->Size() > 0);
      },
      [this] { return FWall->Size(); });
  On(CBDark3D, &QCheckBox::clicked, this, [this](bool On) { FWall->SetDark3D(On); });
  On(CBWallTransp, &QCheckBox::clicked, this, [this](bool On) {
    // Only the style changes: a pattern bitmap stays for when the wall is filled again.
    FWall->Brush()->SetStyle(On ? bsClear : bsSolid);
    if (!On && FWall->Color() == clChartAuto) {
      FWall->SetColor(TColor(0xC0C0C0));
      SHWallColor->SetColor(FWall->Color());
    }
  });
  On(BWallColor, &QPushButton::clicked, this, [this] { EditWallColor(); });
  On(SHWallColor, &TColorSwatch::Clicked, this, [this] { EditWallColor(); });
  On(BWallPen, &QPushButton::clicked, this, [this] { EditChartPen(this, *FWall->Pen()); });
  On(BWallBrush, &QPushButton::clicked, this, [this] {
    EditChartBrush(this, *FWall->Brush());
    ShowWall();
  });
}

void TFormChartWall::EditWallColor() {
  PickColor(this, FWall->Color(), [this](TColor C) {
    FWall->SetColor(C);
    SHWallColor->SetColor(C);
  });
}

void TFormChartWall::PageShow() {
  if (!FChart) return;
  {
    TFlagGuard Loading(Updating);
    FWall = FMadeFor;
    TabSubWalls->setCurrentIndex(FWall == FChart->LeftWall()     ? 0
                                 : FWall == FChart->BottomWall() ? 1
                                                                 : 2);
  }
  ShowWall();
  Updating = false;
}

void TFormChartWall::ShowWall() {
  TFlagGuard Loading(Updating);
  CBView3dWalls->setChecked(FChart->View3DWalls());
  SEWallSize->ShowValue(FWall->Size());
  CBWallTransp->setChecked(FWall->Brush()->Style() == bsClear);
  CBDark3D->setChecked(FWall->Dark3D());
  CBDark3D->setEnabled(FWall->Size() > 0);
  SHWallColor->SetColor(FWall->Color());
}
