// The "Legends" and "Color Map" pages of the properties dialog: the series legend and the colour
// legend, and the palette, cell size and cut-offs of a colour-shaded contour.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "platform/app_services.h"
#include "platform/cursors.h"
#include "platform/dialogs.h"
#include "platform/font_dialog.h"
#include "plot/core/graph.h"
#include "plot/layers/contour.h"
#include "plot/ui/graph_properties.h"
#include "plot/ui/graph_properties_widgets.h"
#include "plot/ui/plot.h"

namespace {
// The thickness edits of the frame and the shadow keep to this range.
constexpr int MinLegendThickness = 1, MaxLegendThickness = 8;
// The sample strip's bands and the palette index of band I.
constexpr int SampleBands = 110;
int SampleIndex(int Band) { return 2 * Band + 10; }

TRadioGroup* Radio(QWidget* Parent, const char* Name, const QString& Caption,
                   const QStringList& Items, int Columns = 1) {
  auto* G = Named(new TRadioGroup(Parent), Name);
  G->SetCaption(Caption);
  G->SetItems(Items);
  G->SetColumns(Columns);
  return G;
}

TSpeedButton* Speed(QWidget* Parent, const char* Name, const QString& Caption) {
  auto* B = Named(new TSpeedButton(Parent), Name);
  B->SetCaption(Caption);
  return B;
}
}  // namespace

// --- Legends ------------------------------------------------------------------------------------

void TfmGraphProperties::BuildLegendsPage(QWidget* Page) {
  auto* Grid = new QGridLayout(Page);
  rgLType = Radio(Page, "rgLType", QStringLiteral("Type"),
                  {QStringLiteral("Lines Legend"), QStringLiteral("Color Legend")});
  rgLType->SetItemIndex(0);
  rgPosition = Radio(Page, "rgPosition", QStringLiteral("Position"),
                     {QStringLiteral("Right"), QStringLiteral("Left"), QStringLiteral("Bottom"),
                      QStringLiteral("Top")});
  chLegendVisible = Named(new QCheckBox(QStringLiteral("Visible"), Page), "chLegendVisible");
  chLegendTransparent =
      Named(new QCheckBox(QStringLiteral("Transparent"), Page), "chLegendTransparent");
  btLegendColor = Named(new QPushButton(QStringLiteral("Color..."), Page), "btLegendColor");
  btLegendFont = Named(new QPushButton(QStringLiteral("Font..."), Page), "btLegendFont");
  auto* Left = new QVBoxLayout;
  Left->addWidget(rgLType);
  Left->addWidget(chLegendVisible);
  Left->addWidget(btLegendColor);
  Left->addWidget(chLegendTransparent);
  Left->addWidget(btLegendFont);
  Left->addWidget(rgPosition);
  Left->addStretch(1);
  Grid->addLayout(Left, 0, 0, 2, 1);

  // The shadow and frame groups are alike: visible, colour, thickness with its two buttons.
  auto Group = [&](const char* Name, const QString& Caption, QCheckBox*& Visible,
                   const char* VisibleName, QPushButton*& Color, const char* ColorName,
                   QLineEdit*& Width, const char* WidthName, TSpeedButton*& Down,
                   const char* DownName, TSpeedButton*& Up, const char* UpName) {
    auto* G = Named(new QGroupBox(Caption, Page), Name);
    auto* L = new QGridLayout(G);
    Visible = Named(new QCheckBox(QStringLiteral("Visible"), G), VisibleName);
    Color = Named(new QPushButton(QStringLiteral("Color..."), G), ColorName);
    Width = Named(new QLineEdit(G), WidthName);
    Width->setMaximumWidth(Width->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
    Down = Speed(G, DownName, QStringLiteral("-"));
    Up = Speed(G, UpName, QStringLiteral("+"));
    L->addWidget(Visible, 0, 0, 1, 2);
    L->addWidget(Color, 0, 2, 1, 2);
    L->addWidget(new QLabel(QStringLiteral("Thickness"), G), 1, 0);
    auto* Row = new QHBoxLayout;
    Row->addWidget(Width);
    Row->addWidget(Down);
    Row->addWidget(Up);
    Row->addStretch(1);
    L->addLayout(Row, 1, 1, 1, 3);
    return std::pair{G, L};
  };
  auto [Shadow, ShadowLayout] =
      Group("gbShadow", QStringLiteral("Shadow"), chShadowVisible, "chShadowVisible", btShadowColor,
            "btShadowColor", edShadowWidth, "edShadowWidth", sbShadowDown, "sbShadowDown",
            sbShadowUp, "sbShadowUp");
  (void)ShadowLayout;
  auto [Frame, FrameLayout] =
      Group("gbFrame2", QStringLiteral("Frame"), chLegendFrameVisible, "chLegendFrameVisible",
            btLegendFrameColor, "btLegendFrameColor", edFrameWidth, "edFrameWidth",
            sbLegendFrameDown, "sbFrameWidthDown", sbLegendFrameUp, "sbFrameWidthUp");
  cbFrameStyle = Named(new QComboBox(Frame), "cbFrameStyle");
  cbFrameStyle->addItems({QStringLiteral("Solid"), QStringLiteral("Dash"), QStringLiteral("Dot"),
                          QStringLiteral("DashDot"), QStringLiteral("DashDotDot"),
                          QStringLiteral("Transparent")});
  FrameLayout->addWidget(new QLabel(QStringLiteral("Style"), Frame), 2, 0);
  FrameLayout->addWidget(cbFrameStyle, 2, 1, 1, 3);
  for (QLineEdit* E : {edShadowWidth, edFrameWidth}) E->setReadOnly(true);
  Grid->addWidget(Shadow, 0, 1);
  Grid->addWidget(Frame, 1, 1);
  Grid->setRowStretch(2, 1);

  connect(rgLType, &TRadioGroup::Click, this, Guarded([this] { LegendTypeClick(); }));
  // Every control writes to the legend Type chooses, at the time of the change.
  BindCheck(chLegendVisible, [this](bool On) { ChosenLegend()->SetVisible(On); });
  BindCheck(chLegendTransparent, [this](bool On) { ChosenLegend()->TransparentBackGround = On; });
  BindCheck(chShadowVisible, [this](bool On) { ChosenLegend()->ShadowVisible = On; });
  BindCheck(chLegendFrameVisible, [this](bool On) { ChosenLegend()->FrameVisible = On; });
  BindColor(
      btLegendColor, [this] { return ChosenLegend()->GetColor(); },
      [this](unsigned C) { ChosenLegend()->SetColor(C); });
  BindColor(
      btShadowColor, [this] { return ChosenLegend()->ShadowColor; },
      [this](unsigned C) { ChosenLegend()->ShadowColor = C; });
  BindColor(
      btLegendFrameColor, [this] { return ChosenLegend()->FrameColor; },
      [this](unsigned C) { ChosenLegend()->FrameColor = C; });
  BindFont(
      btLegendFont, [this]() -> const TFont& { return ChosenLegend()->Font; },
      [this](const TFont& F) { ChosenLegend()->Font.Assign(F); });
  connect(rgPosition, &TRadioGroup::Click, this, Guarded([this] {
            if (!Begin() || rgPosition->ItemIndex() < 0) return;
            ChosenLegend()->Style = static_cast<TLegendStyle>(rgPosition->ItemIndex());
            Changed();
          }));
  BindCombo(cbFrameStyle,
            [this](int I) { ChosenLegend()->FrameStyle = static_cast<TPenStyle>(I); });
  connect(sbShadowUp, &TSpeedButton::Click, this,
          Guarded([this] { LegendThicknessStep(true, 1); }));
  connect(sbShadowDown, &TSpeedButton::Click, this,
          Guarded([this] { LegendThicknessStep(true, -1); }));
  connect(sbLegendFrameUp, &TSpeedButton::Click, this,
          Guarded([this] { LegendThicknessStep(false, 1); }));
  connect(sbLegendFrameDown, &TSpeedButton::Click, this,
          Guarded([this] { LegendThicknessStep(false, -1); }));
}

TAbstractLegend* TfmGraphProperties::ChosenLegend() const {
  if (rgLType->ItemIndex() == 1) return Graph->ColorLegend(0);
  return Graph->Legend.get();
}

void TfmGraphProperties::LoadLegendPage() {
  const bool WasLoading = Loading;
  Loading = true;
  const TAbstractLegend* L = ChosenLegend();
  chLegendVisible->setChecked(L->GetVisible());
  chLegendTransparent->setChecked(L->TransparentBackGround);
  chShadowVisible->setChecked(L->ShadowVisible);
  chLegendFrameVisible->setChecked(L->FrameVisible);
  edShadowWidth->setText(QString::number(L->ShadowThickness));
  edFrameWidth->setText(QString::number(L->FrameThickness));
  // A legend placed inside the plot has no side to show.
  rgPosition->SetItemIndex(L->Style >= lsRight && L->Style <= lsTop ? L->Style : -1);
  const int Style = static_cast<int>(L->FrameStyle);
  cbFrameStyle->setCurrentIndex(Style >= 0 && Style < cbFrameStyle->count() ? Style : -1);
  Loading = WasLoading;
}

void TfmGraphProperties::LegendTypeClick() {
  if (!Begin()) return;
  LoadLegendPage();
}

void TfmGraphProperties::LegendThicknessStep(bool Shadow, int Delta) {
  if (!Begin()) return;
  QLineEdit* E = Shadow ? edShadowWidth : edFrameWidth;
  bool Ok = false;
  const int Now = E->text().toInt(&Ok);
  if (!Ok) {
    // A text that is no number starts again from the end the button points to.
    E->setText(QString::number(Delta > 0 ? MaxLegendThickness : MinLegendThickness));
    return;
  }
  const int W = std::clamp(Now + Delta, MinLegendThickness, MaxLegendThickness);
  E->setText(QString::number(W));
  TAbstractLegend* L = ChosenLegend();
  (Shadow ? L->ShadowThickness : L->FrameThickness) = W;
  Changed();
}

// --- Color Map ----------------------------------------------------------------------------------

void TfmGraphProperties::BuildColorMapPage(QWidget* Page) {
  auto* Grid = new QGridLayout(Page);
  rgPalette = Radio(Page, "rgPalette", QStringLiteral("Palette"),
                    {QStringLiteral("Rainbow"), QStringLiteral("Black"), QStringLiteral("Red"),
                     QStringLiteral("Blue"), QStringLiteral("Yellow"), QStringLiteral("Green"),
                     QStringLiteral("Aqua"), QStringLiteral("Fuchsia")},
                    2);
  rgQuality = Radio(Page, "rgQuality", QStringLiteral("Quality"),
                    {QStringLiteral("High"), QStringLiteral("Good"), QStringLiteral("Middle"),
                     QStringLiteral("Poor"), QStringLiteral("Low")});
  Image1 = Named(new QLabel(Page), "Image1");
  Image1->setMinimumSize(SampleBands * 2, 20);
  Image1->setFrameShape(QFrame::Box);
  Image1->setScaledContents(true);
  Grid->addWidget(rgPalette, 0, 0);
  Grid->addWidget(rgQuality, 0, 1);
  Grid->addWidget(Image1, 1, 0, 1, 2);

  auto* Cut =
      Named(new QGroupBox(QStringLiteral("Cut off Color  Shading for values"), Page), "gbCutOff");
  auto* CutLayout = new QGridLayout(Cut);
  ckLoColor = Named(new QCheckBox(QStringLiteral("Greater than"), Cut), "ckLoColor");
  ckHiColor = Named(new QCheckBox(QStringLiteral("Less than"), Cut), "ckHiColor");
  edLoColor->setParent(Cut);
  edHiColor->setParent(Cut);
  CutLayout->addWidget(ckLoColor, 0, 0);
  CutLayout->addWidget(edLoColor, 0, 1);
  CutLayout->addWidget(ckHiColor, 1, 0);
  CutLayout->addWidget(edHiColor, 1, 1);
  Grid->addWidget(Cut, 2, 0, 1, 2);
  // The layer has no transparency of its own to show.
  cbTransparent = Named(new QCheckBox(QStringLiteral("Transparent"), Page), "cbTransparent");
  cbTransparent->hide();
  btColorMapApply = Named(new QPushButton(QStringLiteral("Apply"), Page), "btColorMapApply");
  auto* Row = new QHBoxLayout;
  Row->addStretch(1);
  Row->addWidget(btColorMapApply);
  Grid->addLayout(Row, 3, 0, 1, 2);
  Grid->setRowStretch(4, 1);

  connect(rgPalette, &TRadioGroup::Click, this, Guarded([this] { PaletteClick(); }));
  connect(rgQuality, &TRadioGroup::Click, this, Guarded([this] { QualityClick(); }));
  connect(btColorMapApply, &QPushButton::clicked, this, Guarded([this] { ColorMapApplyClick(); }));
}

TContour* TfmGraphProperties::ShadedMap() const {
  return dynamic_cast<TContour*>(ShadedContour.Get());
}

void TfmGraphProperties::LoadColorMap() {
  ShadedContour.Reset();
  for (int I = 0; I < Graph->LayerCount() && !ShadedContour.Get(); ++I)
    if (auto* C = dynamic_cast<TContour*>(Graph->GetLayer(I)); C && C->GetShaded())
      ShadedContour = TLayerHandle(C);
  TContour* C = ShadedMap();
  PageControl1->SetTabVisible(piColorMap, C != nullptr);
  if (!C) return;
  const bool WasLoading = Loading;
  Loading = true;
  rgPalette->SetItemIndex(C->ColorPalette >= 0 && C->ColorPalette < 8 ? C->ColorPalette : -1);
  rgQuality->SetItemIndex(C->CellSize >= 1 && C->CellSize <= 5 ? C->CellSize - 1 : -1);
  // "Greater than" cuts off above its value, "Less than" below its value.
  ckLoColor->setChecked(C->UseZMax);
  ckHiColor->setChecked(C->UseZMin);
  edLoColor->ShowValue(C->UseZMax ? C->ZMax : C->GetZMax());
  edHiColor->ShowValue(C->UseZMin ? C->ZMin : C->GetZMin());
  Loading = WasLoading;
  PaintSampleStrip();
}

QImage TfmGraphProperties::SampleStrip(int Width, int Height) const {
  QImage Img(std::max(Width, 1), std::max(Height, 1), QImage::Format_RGB32);
  Img.fill(Qt::white);
  const TContour* C = ShadedMap();
  if (!C) return Img;
  for (int X = 0; X < Img.width(); ++X) {
    const int Band = std::min(SampleBands - 1, X * SampleBands / Img.width());
    const QRgb Rgb = ToQColor(PaletteColor(*C, SampleIndex(Band))).rgb();
    for (int Y = 0; Y < Img.height(); ++Y) Img.setPixel(X, Y, Rgb);
  }
  return Img;
}

void TfmGraphProperties::PaintSampleStrip() {
  Image1->setPixmap(QPixmap::fromImage(SampleStrip(SampleBands * 2, 20)));
}

void TfmGraphProperties::RedrawColorMap() {
  TBusyCursor Busy;
  Repaint();
  Modified = false;
}

void TfmGraphProperties::PaletteClick() {
  TContour* C = ShadedMap();
  if (!Begin() || !C || rgPalette->ItemIndex() < 0) return;
  C->ColorPalette = rgPalette->ItemIndex();
  PaintSampleStrip();
  RedrawColorMap();
}

void TfmGraphProperties::QualityClick() {
  TContour* C = ShadedMap();
  if (!Begin() || !C || rgQuality->ItemIndex() < 0) return;
  C->CellSize = rgQuality->ItemIndex() + 1;
  RedrawColorMap();
}

void TfmGraphProperties::ColorMapApplyClick() {
  TContour* C = ShadedMap();
  // The cut-offs in force; a refused one has been told and leaves the layer as it was.
  if (!Begin() || !C || !CheckEdits()) return;
  const bool UseMax = ckLoColor->isChecked(), UseMin = ckHiColor->isChecked();
  const double Max = UseMax ? edLoColor->Value() : C->ZMax;
  const double Min = UseMin ? edHiColor->Value() : C->ZMin;
  if (UseMax == C->UseZMax && UseMin == C->UseZMin && (!UseMax || Max == C->ZMax) &&
      (!UseMin || Min == C->ZMin))
    return;
  C->UseZMax = UseMax, C->UseZMin = UseMin;
  C->ZMax = Max, C->ZMin = Min;
  RedrawColorMap();
}
