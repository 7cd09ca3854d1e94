#include "app/matrix/fm_mult.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/common/engine_text.h"
#include "platform/app_services.h"

TfmMult* fmMult = nullptr;

namespace {
TMatrixModalRunner& Runner() {
  static TMatrixModalRunner R;
  return R;
}
}  // namespace

void SetMatrixModalRunner(TMatrixModalRunner R) { Runner() = std::move(R); }

TModalResult RunMatrixModal(TForm& Form) { return Runner() ? Runner()(Form) : Form.ShowModal(); }

TfmMult::TfmMult(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("fmMult"));
  SetBorderStyle(bsDialog);
  auto* Layout = new QVBoxLayout(this);
  Label1 = new QLabel(QStringLiteral("Expession"), this);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setMinimumWidth(260);
  Label1->setBuddy(Edit1);
  Layout->addWidget(Label1);
  Layout->addWidget(Edit1);
  auto* Buttons = new QHBoxLayout;
  OKBtn = new QPushButton(QStringLiteral("&OK"), this);
  CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
  HelpBtn = new QPushButton(QStringLiteral("&Help"), this);
  OKBtn->setDefault(true);
  Buttons->addStretch();
  Buttons->addWidget(OKBtn);
  Buttons->addWidget(CancelBtn);
  Buttons->addWidget(HelpBtn);
  Layout->addLayout(Buttons);
  SetButtonModalResult(OKBtn, mrOk);
  SetButtonModalResult(CancelBtn, mrCancel);
  connect(HelpBtn, &QPushButton::clicked, this, Guarded([] { ShowHelpContext(3); }));
  HoldWholeTexts(this);
  DoCreate();
}
