#include "plot/ui/figs_properties.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/app_services.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/font_dialog.h"
#include "plot/core/graph.h"
#include "plot/core/graph_validates.h"
#include "plot/ui/graph_figs.h"

TfmFigsProperties::TfmFigsProperties(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("fmFigsProperties"));
  SetBorderStyle(bsDialog);
}

TfmFigsProperties::~TfmFigsProperties() = default;

void TfmFigsProperties::FormCreate() {
  setWindowTitle(QStringLiteral("Properties"));
  auto* Grid = new QGridLayout(this);
  auto Label = [this](const char* Name, const char* Text) {
    auto* L = new QLabel(QString::fromLatin1(Text), this);
    L->setObjectName(QString::fromLatin1(Name));
    return L;
  };
  auto Button = [this](const char* Name, const char* Text) {
    auto* B = new QPushButton(QString::fromLatin1(Text), this);
    B->setObjectName(QString::fromLatin1(Name));
    B->setAutoDefault(false);
    return B;
  };
  lbStyle = Label("lbStyle", "Line Style");
  cbStyle = new QComboBox(this);
  cbStyle->setObjectName(QStringLiteral("cbStyle"));
  lbWidth = Label("lbWidth", "Thickness");
  edThickness = new TNumberEdit(this);
  edThickness->setObjectName(QStringLiteral("edThickness"));
  edThickness->SetRule(
      std::make_unique<GraphValidates::TIntRule>(1, 20, QStringLiteral("Thickness")));
  udThickness = new TUpDown(this);
  udThickness->setObjectName(QStringLiteral("udThickness"));
  udThickness->SetMin(1);
  udThickness->SetMax(20);
  // Held here until OK or Apply.
  edThickness->SetSpin(1, udThickness);
  btColor = Button("btColor", "Color");
  btBackColor = Button("btBackColor", "Back Color...");
  cbAppearance = new QComboBox(this);
  cbAppearance->setObjectName(QStringLiteral("cbAppearance"));
  cbAppearance->addItems(
      {QStringLiteral("Clear"), QStringLiteral("SemiTransparent"), QStringLiteral("Solid")});
  lbText = Label("lbText", "Text");
  edText = new QLineEdit(this);
  edText->setObjectName(QStringLiteral("edText"));
  btFont = Button("btFont", "Font...");
  btOk = Button("btOk", "&OK");
  btOk->setDefault(true);
  btCancel = Button("btCancel", "&Cancel");
  btApply = Button("btApply", "Apply");
  Grid->addWidget(lbStyle, 0, 0);
  Grid->addWidget(cbStyle, 0, 1, 1, 2);
  Grid->addWidget(lbWidth, 1, 0);
  Grid->addWidget(edThickness, 1, 1);
  Grid->addWidget(udThickness, 1, 2);
  Grid->addWidget(btColor, 2, 0);
  Grid->addWidget(btBackColor, 2, 1);
  Grid->addWidget(cbAppearance, 2, 2);
  Grid->addWidget(lbText, 3, 0);
  Grid->addWidget(edText, 3, 1, 1, 2);
  Grid->addWidget(btFont, 4, 0);
  auto* Buttons = new QHBoxLayout;
  for (QPushButton* B : {btOk, btCancel, btApply}) Buttons->addWidget(B);
  Grid->addLayout(Buttons, 5, 0, 1, 3);
  connect(btColor, &QPushButton::clicked, this, Guarded([this] { ColorClick(); }));
  connect(btBackColor, &QPushButton::clicked, this, Guarded([this] { BackColorClick(); }));
  connect(btFont, &QPushButton::clicked, this, Guarded([this] { FontClick(); }));
  connect(btOk, &QPushButton::clicked, this, Guarded([this] { OkClick(); }));
  connect(btApply, &QPushButton::clicked, this, Guarded([this] { ApplyClick(); }));
  SetButtonModalResult(btCancel, mrCancel);
}

void TfmFigsProperties::LoadFig(TFig* Fig, bool NewNote) {
  FFig = Fig;
  auto* Note = dynamic_cast<TNoteText*>(Fig);
  auto* Line = dynamic_cast<TMonoLine*>(Fig);
  FPage = Note ? fpText : dynamic_cast<TRectangle*>(Fig) ? fpRectangle : fpLine;
  EditColor = Fig->Color;
  EditFillColor = Fig->FillColor;
  const bool Text = FPage == fpText;
  cbStyle->clear();
  if (Text) {
    lbStyle->setText(QStringLiteral("Text Style"));
    cbStyle->addItems({QStringLiteral("Fixed"), QStringLiteral("Scaled")});
    cbStyle->setCurrentIndex(Note->TextStyle);
    edText->setText(Note->Text);
    FontCopy.Assign(Note->Font);
  } else {
    lbStyle->setText(QStringLiteral("Line Style"));
    cbStyle->addItems({QStringLiteral("Solid"), QStringLiteral("Dash"), QStringLiteral("Dot"),
                       QStringLiteral("DashDot"), QStringLiteral("DashDotDot")});
    if (Line) {
      cbStyle->setCurrentIndex(Line->PenStyle);
      edThickness->ShowValue(Line->Width);
    }
  }
  cbAppearance->setCurrentIndex(Fig->FillMode);
  for (QWidget* W : std::initializer_list<QWidget*>{lbWidth, edThickness, udThickness, btColor})
    W->setVisible(!Text);
  for (QWidget* W : std::initializer_list<QWidget*>{lbText, edText, btFont}) W->setVisible(Text);
  cbAppearance->setVisible(FPage == fpRectangle);
  btBackColor->setVisible(FPage == fpRectangle);
  btApply->setVisible(!(Text && NewNote));
}

bool TfmFigsProperties::StoreValues() {
  if (!FFig) return false;
  if (!CheckEdits()) return false;
  if (auto* Note = dynamic_cast<TNoteText*>(FFig)) {
    Note->TextStyle = std::max(0, cbStyle->currentIndex());
    Note->Font.Assign(FontCopy);
    Note->Text = edText->text();
    // The outline follows the new text and font, or the note could not be grabbed by it.
    Note->ComputeFrame();
  } else if (auto* Line = dynamic_cast<TMonoLine*>(FFig)) {
    Line->PenStyle = std::max(0, cbStyle->currentIndex());
    Line->Color = EditColor;
    Line->Width = edThickness->IntValue();
    if (FPage == fpRectangle) {
      Line->FillMode = std::max(0, cbAppearance->currentIndex());
      Line->FillColor = EditFillColor;
    }
  }
  FFig->Graph->Repaint();
  return true;
}

void TfmFigsProperties::ColorClick() {
  TColorDialog D;
  D.Color = EditColor;
  if (D.Execute()) EditColor = D.Color;
}

void TfmFigsProperties::BackColorClick() {
  TColorDialog D;
  D.Color = EditFillColor;
  if (D.Execute()) EditFillColor = D.Color;
}

void TfmFigsProperties::FontClick() { EditFont(FontCopy); }

void TfmFigsProperties::OkClick() {
  if (StoreValues()) SetModalResult(mrOk);
}

void TfmFigsProperties::ApplyClick() { StoreValues(); }

bool EditFigProperties(TFig& Fig, bool NewNote) {
  TfmFigsProperties Dialog;
  Dialog.DoCreate();
  Dialog.LoadFig(&Fig, NewNote);
  return Dialog.ShowModal() == mrOk;
}
