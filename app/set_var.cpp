#include "app/set_var.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/calc_pages_host.h"
#include "app/keypad_keys.h"
#include "engine/format.h"
#include "engine/parser.h"
#include "platform/app_services.h"
#include "platform/codepage.h"

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
  Edit2->setText(V == UndefinedValue ? QString("undefined") : FromCp1252(FormatNumber(18, V)));
  EngineState.ErrFlag = false;
}

void TSetVar::showEvent(QShowEvent* Event) {
  TForm::showEvent(Event);
  Edit1->setFocus();
}

void TSetVar::OKBtnClick() {
  if (!FHost || !FLetters) return;
  EngineState.ErrFlag = false;
  const std::string Typed = ToCp1252(Edit1->text());
  Extended V = 0;
  if (!FHost->PrepareExpression(Edit1) && !EngineState.ExprStr.empty())
    V = Evaluate(EngineState.ExprStr);
  if (EngineState.ExprStr.empty()) {
    EngineState.ErrFlag = false;
    SetModalResult(mrNone);
    Edit1->setFocus();
    return;
  }
  if (EngineState.ErrFlag) {
    FHost->MapErrorPosition(Typed, EngineState.ExprStr);
    Edit2->setStyleSheet("color: red");
    Edit2->setEnabled(true);
    Edit2->setText(QString::fromStdString(ErrorText(EngineState.ErrCode)) + ": position " +
                   QString::number(EngineState.ErrPos));
    Edit1->setFocus();
    Edit1->setSelection(std::max(EngineState.ErrPos - 1, 0), EngineState.ErrLen);
    EngineState.ErrFlag = false;
    SetModalResult(mrNone);
    return;
  }
  if (VarIndex >= 1 && VarIndex <= 12) {
    FLetters->SetExpr(VarIndex, EngineState.ExprStr);
    FLetters->SetValue(VarIndex, V);
  }
  SetModalResult(mrOk);
}
