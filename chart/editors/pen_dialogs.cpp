#include "chart/editors/pen_dialogs.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "chart/editors/editor_controls.h"
#include "chart/engine/chart_panel.h"
#include "chart/engine/chart_pen.h"
#include "platform/app_services.h"
#include "platform/colors.h"
#include "platform/controls.h"
#include "platform/cursors.h"
#include "platform/dialogs.h"

namespace {
// The widest pen the dialog offers.
constexpr int MaxPenWidth = 100;

TChartModalRunner& ModalRunner() {
  static TChartModalRunner Runner;
  return Runner;
}
}  // namespace

void SetChartModalRunner(TChartModalRunner Runner) { ModalRunner() = std::move(Runner); }

int RunChartModal(TForm& Form) {
  if (!ModalRunner()) return Form.ShowModal();
  Form.SetModalResult(mrNone);
  Form.show();
  ModalRunner()(Form);
  TModalResult Result = Form.ModalResult();
  // The form's checks decide as at the end of its modal run: one that stays open gave no result.
  if (Form.isVisible()) Form.close();
  if (Form.isVisible()) {
    Result = mrNone;
    Form.hide();
  }
  return Result;
}

TColor EditColor(QWidget* Owner, TColor Color) {
  (void)Owner;
  TColorDialog D;
  D.Color = ColorToRGB(Color);
  return D.Execute() ? TColor(D.Color) : Color;
}

TFont& EditChartFont(QWidget* Owner, TFont& Font) {
  (void)Owner;
  TFontDialog D;
  D.Font = ToQFont(Font.Data());
  D.Font.setPointSize(Font.Size());
  D.Color = ColorToRGB(Font.Color());
  if (D.Execute()) {
    Font.SetName(D.Font.family());
    if (D.Font.pointSize() > 0) Font.SetSize(D.Font.pointSize());
    TFontStyles Style;
    if (D.Font.bold()) Style << fsBold;
    if (D.Font.italic()) Style << fsItalic;
    if (D.Font.underline()) Style << fsUnderline;
    if (D.Font.strikeOut()) Style << fsStrikeOut;
    Font.SetStyle(Style);
    Font.SetColor(TColor(D.Color));
  }
  return Font;
}

void ShowControls(bool Show, const QList<QWidget*>& Controls) {
  for (QWidget* C : Controls) C->setVisible(Show);
}

void EnableControls(bool Enable, const QList<QWidget*>& Controls) {
  for (QWidget* C : Controls) C->setEnabled(Enable);
}

TColorSwatch::TColorSwatch(QWidget* Parent) : QWidget(Parent) {
  setFixedSize(48, 22);
  SetControlCursor(this, crChartHand);
}

void TColorSwatch::SetColor(TColor Value) {
  FColor = Value;
  update();
}

void TColorSwatch::paintEvent(QPaintEvent*) {
  QPainter P(this);
  P.setPen(Qt::black);
  P.setBrush(ToQColor(ColorToRGB(FColor)));
  P.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TColorSwatch::mousePressEvent(QMouseEvent* Event) {
  if (Event->button() == Qt::LeftButton) emit Clicked();
}

namespace {
QPushButton* DialogButton(QWidget* Parent, const QString& Caption, const char* Name) {
  auto* B = new QPushButton(Caption, Parent);
  B->setObjectName(QLatin1String(Name));
  return B;
}

// The colour button with its swatch below it at Row, and OK and Cancel under the style group.
void AddColorAndButtons(TForm& Form, QGridLayout* Grid, int Row, QPushButton*& BColor,
                        TColorSwatch*& SHColor, QPushButton*& Ok, const char* OkName,
                        QPushButton*& Cancel) {
  BColor = DialogButton(&Form, QStringLiteral("&Color..."), "BColor");
  SHColor = new TColorSwatch(&Form);
  SHColor->setObjectName(QStringLiteral("SHColor"));
  // A hidden swatch keeps its room: the dialog does not change shape with the style.
  QSizePolicy Keep = SHColor->sizePolicy();
  Keep.setRetainSizeWhenHidden(true);
  SHColor->setSizePolicy(Keep);
  Grid->addWidget(BColor, Row, 1);
  Grid->addWidget(SHColor, Row + 1, 1);
  Ok = DialogButton(&Form, QStringLiteral("OK"), OkName);
  Cancel = DialogButton(&Form, QStringLiteral("Cancel"), "Button3");
  Ok->setDefault(true);
  auto* Buttons = new QHBoxLayout;
  Buttons->addStretch();
  Buttons->addWidget(Ok);
  Buttons->addWidget(Cancel);
  Grid->addLayout(Buttons, Row + 3, 0, 1, 2);
  Form.SetButtonModalResult(Ok, mrOk);
  Form.SetButtonModalResult(Cancel, mrCancel);
}
}  // namespace

// --- Pen ---------------------------------------------------------------------------------------

TPenDialog::TPenDialog(QWidget* Owner, TPen& Pen) : TForm(Owner), ThePen(Pen) {
  setObjectName(QStringLiteral("PenDialog"));
  setWindowTitle(QStringLiteral("Border Color Editor"));
  SetBorderStyle(bsDialog);
  auto* Grid = new QGridLayout(this);
  CBVisible = new QCheckBox(QStringLiteral("&Visible"), this);
  CBVisible->setObjectName(QStringLiteral("CBVisible"));
  Grid->addWidget(CBVisible, 0, 0, 1, 2);
  auto* WidthLabel = new QLabel(QStringLiteral("&Width:"), this);
  SEWidth = SpinEdit(this, "SEWidth", 1, MaxPenWidth, 1);
  SEWidth->setMaximumWidth(60);
  WidthLabel->setBuddy(SEWidth);
  UDWidth = SEWidth->UpDown();
  UDWidth->setObjectName(QStringLiteral("UDWidth"));
  auto* WidthRow = new QHBoxLayout;
  WidthRow->addWidget(WidthLabel);
  WidthRow->addWidget(SEWidth);
  WidthRow->addStretch();
  Grid->addLayout(WidthRow, 1, 0, 1, 2);
  RGStyle = new TRadioGroup(this);
  RGStyle->setObjectName(QStringLiteral("RGStyle"));
  RGStyle->SetCaption(QStringLiteral("&Style:"));
  RGStyle->SetItems({QStringLiteral("Solid"), QStringLiteral("Dash"), QStringLiteral("Dot"),
                     QStringLiteral("Dash Dot"), QStringLiteral("Dash Dot Dot")});
  Grid->addWidget(RGStyle, 2, 0, 3, 1);
  AddColorAndButtons(*this, Grid, 2, BColor, SHColor, Button1, "Button1", Button3);

  connect(RGStyle, &TRadioGroup::Click, this, [this] { RunGuarded([this] { RGStyleClick(); }); });
  // A width refused when the edit is left says so and puts back the width before the typing.
  OnNumber(
      SEWidth, [this](int W) { SEWidthChange(W); }, [this] { return ThePen.Width(); });
  connect(CBVisible, &QCheckBox::clicked, this,
          [this] { RunGuarded([this] { CBVisibleClick(); }); });
  connect(BColor, &QPushButton::clicked, this, [this] { RunGuarded([this] { BColorClick(); }); });
  connect(SHColor, &TColorSwatch::Clicked, this, [this] { RunGuarded([this] { BColorClick(); }); });
  connect(Button3, &QPushButton::clicked, this, [this] { RunGuarded([this] { Button3Click(); }); });
}

TPenDialog::~TPenDialog() = default;

TChartPen* TPenDialog::ChartPen() const { return dynamic_cast<TChartPen*>(&ThePen); }

void TPenDialog::FormShow() {
  Updating = true;
  SetScreenCursor(crDefault);
  FBackup = std::make_unique<TChartPen>();
  FBackup->Assign(ThePen);
  TChartPen* CP = ChartPen();
  CBVisible->setVisible(CP != nullptr);
  // The sixth style draws every other pixel, which only the chart's own pens know.
  QStringList Items = {QStringLiteral("Solid"), QStringLiteral("Dash"), QStringLiteral("Dot"),
                       QStringLiteral("Dash Dot"), QStringLiteral("Dash Dot Dot")};
  if (CP) Items << QStringLiteral("Small Dots");
  {
    QSignalBlocker Block(RGStyle);
    RGStyle->SetItems(Items);
    const int Style = ThePen.Style() <= psDashDotDot ? int(ThePen.Style()) : 0;
    RGStyle->SetItemIndex(CP && CP->SmallDots() ? int(Items.size()) - 1 : Style);
  }
  if (CP) CBVisible->setChecked(CP->Visible());
  SEWidth->ShowValue(ThePen.Width());
  RGStyle->setEnabled(ThePen.Width() == 1);
  SHColor->SetColor(ThePen.Color());
  Updating = false;
}

void TPenDialog::FormClose(TCloseAction& Action) {
  (void)Action;
  // Closed by its title bar, the dialog is cancelled all the same.
  if (ModalResult() != mrOk) RollBack();
  FBackup.reset();
}

void TPenDialog::RGStyleClick() {
  if (Updating) return;
  TChartPen* CP = ChartPen();
  const int I = RGStyle->ItemIndex();
  if (CP && I == 5) {
    CP->SetSmallDots(true);
    return;
  }
  if (CP) CP->SetSmallDots(false);
  if (I >= 0 && I <= int(psDashDotDot)) ThePen.SetStyle(TPenStyle(I));
}

void TPenDialog::SEWidthChange(int Width) {
  if (Updating) return;
  ThePen.SetWidth(Width);
  RGStyle->setEnabled(Width == 1);
}

void TPenDialog::CBVisibleClick() {
  if (Updating) return;
  if (TChartPen* CP = ChartPen()) CP->SetVisible(CBVisible->isChecked());
}

void TPenDialog::BColorClick() {
  ThePen.SetColor(EditColor(this, ThePen.Color()));
  SHColor->SetColor(ThePen.Color());
}

void TPenDialog::Button3Click() {
  RollBack();
  SetModalResult(mrCancel);
}

void TPenDialog::RollBack() {
  if (!FBackup) return;
  // A chart pen takes back its Visible and SmallDots with the rest.
  ThePen.Assign(*FBackup);
  FBackup.reset();
  // The owner repaints even when Assign found nothing to change.
  if (ThePen.OnChange) ThePen.OnChange(&ThePen);
}

void EditChartPen(QWidget* Owner, TChartPen& Pen) {
  TPenDialog D(Owner, Pen);
  RunChartModal(D);
}

void EditPen(QWidget* Owner, TPen& Pen) {
  TPenDialog D(Owner, Pen);
  RunChartModal(D);
}

// --- Brush -------------------------------------------------------------------------------------

TBrushDialog::TBrushDialog(QWidget* Owner, TBrush& Brush) : TForm(Owner), TheBrush(Brush) {
  setObjectName(QStringLiteral("BrushDialog"));
  setWindowTitle(QStringLiteral("Pattern Color Editor"));
  SetBorderStyle(bsDialog);
  auto* Grid = new QGridLayout(this);
  RGStyle = new TRadioGroup(this);
  RGStyle->setObjectName(QStringLiteral("RGStyle"));
  RGStyle->SetCaption(QStringLiteral("Style:"));
  RGStyle->SetItems({QStringLiteral("&Solid"), QStringLiteral("&None"),
                     QStringLiteral("&Horizontal"), QStringLiteral("&Vertical"),
                     QStringLiteral("&Diagonal"), QStringLiteral("&Back.Diagonal"),
                     QStringLiteral("C&ross"), QStringLiteral("D&iagonal Cross")});
  Grid->addWidget(RGStyle, 0, 0, 3, 1);
  AddColorAndButtons(*this, Grid, 0, BColor, SHColor, Button2, "Button2", Button3);
  connect(RGStyle, &TRadioGroup::Click, this, [this] { RunGuarded([this] { RGStyleClick(); }); });
  connect(BColor, &QPushButton::clicked, this, [this] { RunGuarded([this] { BColorClick(); }); });
  connect(SHColor, &TColorSwatch::Clicked, this, [this] { RunGuarded([this] { BColorClick(); }); });
  connect(Button3, &QPushButton::clicked, this, [this] { RunGuarded([this] { Button3Click(); }); });
}

TBrushDialog::~TBrushDialog() = default;

void TBrushDialog::FormShow() {
  SetScreenCursor(crDefault);
  FBackup = std::make_unique<TBrush>();
  FBackup->Assign(TheBrush);
  {
    QSignalBlocker Block(RGStyle);
    const int Style = int(TheBrush.Style());
    RGStyle->SetItemIndex(Style <= int(bsDiagCross) ? Style : -1);
  }
  RefreshControls();
}

void TBrushDialog::FormClose(TCloseAction& Action) {
  (void)Action;
  if (ModalResult() != mrOk) RollBack();
  FBackup.reset();
}

void TBrushDialog::RefreshControls() {
  const bool Filled = TheBrush.Style() != bsClear;
  BColor->setEnabled(Filled);
  SHColor->setVisible(Filled);
  SHColor->SetColor(TheBrush.Color());
}

void TBrushDialog::RGStyleClick() {
  const int I = RGStyle->ItemIndex();
  if (I >= 0 && I <= int(bsDiagCross)) TheBrush.SetStyle(TBrushStyle(I));
  RefreshControls();
}

void TBrushDialog::BColorClick() {
  if (TheBrush.Style() == bsClear) return;
  TheBrush.SetColor(EditColor(this, TheBrush.Color()));
  RefreshControls();
}

void TBrushDialog::Button3Click() {
  RollBack();
  SetModalResult(mrCancel);
}

void TBrushDialog::RollBack() {
  if (!FBackup) return;
  TheBrush.Assign(*FBackup);
  FBackup.reset();
  if (TheBrush.OnChange) TheBrush.OnChange(&TheBrush);
}

void EditChartBrush(QWidget* Owner, TBrush& Brush) {
  TBrushDialog D(Owner, Brush);
  RunChartModal(D);
}
