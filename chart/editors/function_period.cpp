#include "chart/editors/function_period.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "chart/editors/axis_dialogs.h"
#include "chart/editors/axis_texts.h"
#include "chart/editors/editor_controls.h"
#include "chart/editors/pen_dialogs.h"
#include "platform/controls.h"
#include "platform/flag_guard.h"
#include "platform/number_text.h"

TFormPeriod::TFormPeriod(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("FormPeriod"));
  setWindowTitle(QStringLiteral("Function Period"));
  SetBorderStyle(bsDialog);
  auto* Grid = new QGridLayout(this);
  LCalc = new QLabel(this);
  LCalc->setObjectName(QStringLiteral("LCalc"));
  Grid->addWidget(LCalc, 0, 0, 1, 3);
  RBNum = new QRadioButton(QStringLiteral("&Number of points:"), this);
  RBNum->setObjectName(QStringLiteral("RBNum"));
  ENum = RealEdit(this, "ENum", 0);
  ChartRule(ENum).Frame = QStringLiteral("Incorrect value. Reason: %1");
  ChartRule(ENum).BelowMessage = QLatin1String(FunctionPeriodMessage);
  ENum->setMaximumWidth(90);
  CBAll = CheckBox(this, QStringLiteral("&All points"), "CBAll");
  Grid->addWidget(RBNum, 1, 0);
  Grid->addWidget(ENum, 1, 1);
  Grid->addWidget(CBAll, 1, 2);
  RBRange = new QRadioButton(QStringLiteral("&Range of values:"), this);
  RBRange->setObjectName(QStringLiteral("RBRange"));
  BLabel = new QLabel(this);
  BLabel->setObjectName(QStringLiteral("BLabel"));
  BChange = Button(this, QStringLiteral("&Change..."), "BChange");
  Grid->addWidget(RBRange, 2, 0);
  Grid->addWidget(BLabel, 2, 1);
  Grid->addWidget(BChange, 2, 2);
  RGAlign =
      RadioGroup(this, "RGAlign", QStringLiteral("Alignment:"),
                 {QStringLiteral("&First"), QStringLiteral("C&enter"), QStringLiteral("&Last")});
  RGAlign->SetColumns(3);
  Grid->addWidget(RGAlign, 3, 0, 1, 3);
  auto* Buttons = new QHBoxLayout;
  Buttons->addStretch();
  BOk = Button(this, QStringLiteral("OK"), "BOk");
  BCancel = Button(this, QStringLiteral("Cancel"), "BCancel");
  Buttons->addWidget(BOk);
  Buttons->addWidget(BCancel);
  Grid->addLayout(Buttons, 4, 0, 1, 3);
  SetButtonModalResult(BOk, mrOk);
  SetButtonModalResult(BCancel, mrCancel);

  On(RBNum, &QRadioButton::clicked, this, [this] { SetStyle(psNumPoints); });
  On(RBRange, &QRadioButton::clicked, this, [this] { SetStyle(psRange); });
  ENum->OnRead = [this] { return Period; };
  ENum->OnApply = [this](double V) {
    Period = V;
    ShowLabel();
  };
  On(CBAll, &QCheckBox::clicked, this, [this](bool On) {
    if (!On) return;
    ENum->setText(QStringLiteral("0"));
    Period = 0;
    ShowLabel();
  });
  On(RGAlign, &TRadioGroup::Click, this, [this] {
    if (!Showing && RGAlign->ItemIndex() >= 0)
      PeriodAlign = TFunctionPeriodAlign(RGAlign->ItemIndex());
  });
  On(BChange, &QPushButton::clicked, this, [this] { BChangeClick(); });
}

void TFormPeriod::FormShow() {
  TFlagGuard Guard(Showing);
  if (PeriodStyle == psRange && !CanRange) PeriodStyle = psNumPoints;
  if (PeriodStyle == psNumPoints) {
    // A count of points is whole and never negative.
    if (Period < 0) Period = 0;
    Period = double(Round(Period));
  }
  RBRange->setChecked(PeriodStyle == psRange);
  RBNum->setChecked(PeriodStyle == psNumPoints);
  RGAlign->SetItemIndex(int(PeriodAlign));
  ENum->ShowValue(Period);
  EnableControls(CanRange, {RBRange, BChange, BLabel});
  SetStyle(PeriodStyle);
}

void TFormPeriod::SetStyle(TFunctionPeriodStyle Value) {
  PeriodStyle = Value;
  ENum->setEnabled(Value == psNumPoints);
  CBAll->setEnabled(Value == psNumPoints);
  BChange->setEnabled(CanRange && Value == psRange);
  ShowLabel();
}

void TFormPeriod::ShowLabel() {
  // However the period came (typed, put back after a refusal, or from the range dialog).
  CBAll->setChecked(Period == 0);
  BLabel->setText(IncrementText(IsDateTime, true, Period, QStringLiteral("#,##0.###")));
}

void TFormPeriod::BChangeClick() {
  double V = Period;
  if (!EditPeriodRange(this, V, IsDateTime)) return;
  Period = V;
  ShowLabel();
}

bool EditFunctionPeriod(QWidget* Owner, TChartFunction& Function, const QString& FunctionName,
                        bool CanRange, bool IsDateTime) {
  TFormPeriod F(Owner);
  F.Period = Function.Period();
  F.PeriodStyle = Function.PeriodStyle();
  F.PeriodAlign = Function.PeriodAlign();
  F.CanRange = CanRange;
  F.IsDateTime = IsDateTime;
  F.LCalc->setText(QStringLiteral("Calculate %1 every:").arg(FunctionName));
  if (RunChartModal(F) != mrOk) return false;
  // One update, so that the function recomputes once with all three; the period first, for it
  // is the one the function may refuse, and then nothing is changed.
  Function.BeginUpdate();
  try {
    Function.SetPeriod(F.Period);
    Function.SetPeriodStyle(F.PeriodStyle);
    Function.SetPeriodAlign(F.PeriodAlign);
  } catch (...) {
    Function.EndUpdate();
    throw;
  }
  Function.EndUpdate();
  return true;
}

bool EditPeriodRange(QWidget* Owner, double& Period, bool IsDateTime) {
  bool Exact = true;
  return EditAxisIncrement(
      Owner, QStringLiteral("Period range"), IsDateTime, Exact, Period,
      [](double V) { return V < 0 ? QString::fromLatin1(FunctionPeriodMessage) : QString(); });
}
