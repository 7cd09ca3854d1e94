#include "app/calc/fm_calc_host.h"

#include <QLineEdit>

#include "app/calc/fm_calc.h"
#include "app/calc/fm_calc_pages.h"
#include "platform/app_services.h"
#include "platform/codepage.h"
#include "platform/controls.h"
#include "platform/dialogs.h"

void TCalcEngineHost::PumpMessages() { PumpWindowMessages(); }

bool TCalcEngineHost::AskBreak() {
  return Confirm("Do you realy wont break calculation?") == mrYes;
}

void TCalcEngineHost::ShowIntegrationPass(const std::string& Text) {
  // A pass is news of a running evaluation, not an error: the colour of an earlier error goes.
  QPalette P = FWindow->Edit2->palette();
  P.setColor(QPalette::Text, Qt::blue);
  FWindow->Edit2->setPalette(P);
  FWindow->Edit2->setText(FromCp1252(Text));
  FWindow->Edit2->repaint();
}

int TCalcEngineHost::Digits() const { return FWindow->Digits; }
int TCalcEngineHost::Bits() const { return FWindow->Bits; }
int TCalcEngineHost::Precision() const { return FWindow->udPrecision->Position(); }

bool TCalcEngineHost::EvaluateVariable(int k) {
  return FWindow->Pages && FWindow->Pages->Pages().EvaluateVariable(k);
}

int TCalcEngineHost::AddUserVariable(const std::string& Name, bool Show, Extended Value) {
  return FWindow->Pages ? FWindow->Pages->Pages().AddUserVariable(Name, Show, Value) : 0;
}

bool TCalcEngineHost::SetVariableDialog(int k) {
  return FWindow->Pages && FWindow->Pages->Pages().SetVariableDialog(k);
}
