#include "app/calc/set_var.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/calc/calc_pages_host.h"
#include "app/calc/keypad_keys.h"
#include "app/common/engine_text.h"
#include "engine/side_eval.h"
#include "platform/app_services.h"
#include "platform/codepage.h"

TSetVar* SetVar = nullptr;

namespace {
const char SlotLetters[] = "XYZVWIJKMNLU";
}

TSetVar::TSetVar(QWidget* Owner) : TForm(Owner) {
  setObjectName("SetVar");
  setWindowTitle("Set variable");
  SetBorderStyle(bsDialog);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit2 = new QLineEdit(this);
  Edit2->setObjectName("Edit2");
  Edit2->setReadOnly(true);
  lbExp = new QLabel(this);
  lbExp->setObjectName("lbExp");
  lbValue = new QLabel(this);
  lbValue->setObjectName("lbValue");
  cbEval = new QCheckBox("Evaluate after settings", this);
  cbEval->setObjectName("cbEval");
  OKBtn = new QPushButton("&OK", this);
  OKBtn->setObjectName("OKBtn");
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton("&Cancel", this);
  CancelBtn->setObjectName("CancelBtn");
  HelpBtn = new QPushButton("&Help", this);
  HelpBtn->setObjectName("HelpBtn");

  auto* Root = new QVBoxLayout(this);
  auto* Grid = new QGridLayout;
  Grid->addWidget(new QLabel("Expession", this), 0, 1);
  Grid->addWidget(lbExp, 1, 0);
  Grid->addWidget(Edit1, 1, 1);
  Grid->addWidget(new QLabel("Value", this), 2, 1);
  Grid->addWidget(lbValue, 3, 0);
  Grid->addWidget(Edit2, 3, 1);
  Grid->setColumnMinimumWidth(1, 220);
  Root->addLayout(Grid);
  Root->addWidget(cbEval);
  auto* Buttons = new QHBoxLayout;
  Buttons->addStretch();
  for (QPushButton* B : {OKBtn, CancelBtn, HelpBtn}) Buttons->addWidget(B);
  Root->addLayout(Buttons);

  SetButtonModalResult(CancelBtn, mrCancel);
  HoldWholeTexts(this);
  connect(OKBtn, &QPushButton::clicked, this, Guarded([this] { OKBtnClick(); }));
  connect(HelpBtn, &QPushButton::clicked, this, Guarded([this] {
            if (FHost) FHost->ShowHelp(HelpVariables);
          }));
}

void TSetVar::Bind(TCalcPagesHost* Host, TLetterStore* Letters) {
  FHost = Host;
  FLetters = Letters;
}

void TSetVar::Prepare(int k) {
  if (!FLetters) return;
  VarIndex = k;
  const QString L = (k >= 1 && k <= 12) ? QString(QChar(SlotLetters[k - 1])) : QString();
  lbExp->setText(L + " =");
  lbValue->setText(L + " =");
  Edit1->setText(k >= 1 && k <= 12 ? FromCp1252(FLetters->Expr(k)) : QString());
  const Extended V = k >= 1 && k <= 12 ? FLetters->Value(k) : UndefinedValue;
  Edit2->setStyleSheet(QString());
  Edit2->setText(V == UndefinedValue ? QString("undefined") : FromCp1252(FormatAside(18, V)));
}

void TSetVar::showEvent(QShowEvent* Event) {
  TForm::showEvent(Event);
  Edit1->setFocus();
}

void TSetVar::OKBtnClick() {
  if (!FHost || !FLetters || !FitsTheEngine(Edit1->text())) return;
  TSideEvaluation Side(AskedByEngine ? TSideMode::Nested : TSideMode::Start);
  // Another evaluation runs (or this one is pumping): the dialog stays as it is.
  if (!Side.Started()) return;
  const TSideResult R = Side.Evaluate(ToCp1252(Edit1->text()));
  if (R.Empty) {
    SetModalResult(mrNone);
    Edit1->setFocus();
    return;
  }
  if (!R.Ok) {
    Edit2->setStyleSheet("color: red");
    Edit2->setEnabled(true);
    Edit2->setText(FromCp1252(R.Message));
    Edit1->setFocus();
    Edit1->setSelection(std::max(R.ErrPos - 1, 0), R.ErrLen);
    SetModalResult(mrNone);
    return;
  }
  if (VarIndex >= 1 && VarIndex <= 12) {
    FLetters->SetExpr(VarIndex, Side.Prepared());
    FLetters->SetValue(VarIndex, R.Value);
  }
  SetModalResult(mrOk);
}
