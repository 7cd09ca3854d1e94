#include "chart/editors/axis_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "chart/editors/axis_texts.h"
#include "chart/editors/editor_controls.h"
#include "chart/editors/pen_dialogs.h"
#include "platform/dialogs.h"

namespace {
QLineEdit* Edit(QWidget* Parent, const char* Name, const QString& Hint) {
  auto* E = new QLineEdit(Parent);
  E->setObjectName(QLatin1String(Name));
  E->setToolTip(Hint);
  // Room for a full-precision number or a date with its time.
  E->setMinimumWidth(
      E->fontMetrics().horizontalAdvance(QStringLiteral("-0.00000000000000000E+000")));
  return E;
}

// OK and Cancel on a row of their own. OK closes only once the form's check takes the value.
void OkCancel(TForm& Form, QBoxLayout* Layout, QPushButton*& Ok, QPushButton*& Cancel) {
  Ok = Button(&Form, QStringLiteral("OK"), "BOk");
  Cancel = Button(&Form, QStringLiteral("Cancel"), "BCancel");
  Ok->setDefault(true);
  auto* Row = new QHBoxLayout;
  Row->addStretch();
  Row->addWidget(Ok);
  Row->addWidget(Cancel);
  Layout->addLayout(Row);
  Form.SetButtonModalResult(Ok, mrOk);
  Form.SetButtonModalResult(Cancel, mrCancel);
}
}  // namespace

void ShowIncorrectValue(const QString& Reason) {
  Dialogs().MessageDlg(QStringLiteral("Incorrect value. Reason: %1").arg(Reason), mtError, mbOK,
                       QString());
}

// --- Range end ---------------------------------------------------------------------------------

TAxisMaxMin::TAxisMaxMin(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("AxisMaxMin"));
  setWindowTitle(QStringLiteral("Axis Maximum and Minimum"));
  SetBorderStyle(bsDialog);
  auto* Main = new QVBoxLayout(this);
  auto* Grid = new QGridLayout;
  EDate = Edit(this, "EDate", QStringLiteral("Enter Date"));
  ETime = Edit(this, "ETime", QStringLiteral("Enter Time"));
  LDate = AddLabelled(Grid, 0, QStringLiteral("&Date:"), EDate);
  LTime = AddLabelled(Grid, 1, QStringLiteral("&Time:"), ETime);
  Main->addLayout(Grid);
  Main->addStretch(1);
  OkCancel(*this, Main, BOk, BCancel);
}

void TAxisMaxMin::FormCloseQuery(bool& CanClose) {
  if (ModalResult() == mrOk) CanClose = ReadValue();
}

void TAxisMaxMin::FormShow() {
  if (IsDateTime) {
    // A value below one day is a time alone: there is no date to show.
    const bool HasDate = MaxMin >= 1;
    LDate->setText(QStringLiteral("&Date:"));
    EDate->setToolTip(QStringLiteral("Enter Date"));
    LDate->setVisible(HasDate);
    EDate->setVisible(HasDate);
    EDate->setText(HasDate ? DateText(MaxMin) : QString());
    LTime->setVisible(true);
    ETime->setVisible(true);
    ETime->setText(TimeText(MaxMin));
  } else {
    LDate->setText(QStringLiteral("Value:"));
    EDate->setToolTip(QString());
    LDate->setVisible(true);
    EDate->setVisible(true);
    EDate->setText(NumberText(MaxMin));
    LTime->setVisible(false);
    ETime->setVisible(false);
  }
  FShownDate = EDate->text();
  FShownTime = ETime->text();
  (EDate->isVisible() ? EDate : ETime)->setFocus();
  // Hidden rows give their room back.
  adjustSize();
}

bool TAxisMaxMin::ReadValue() {
  if (EDate->text() == FShownDate && ETime->text() == FShownTime) return true;
  QString Error;
  std::optional<double> V;
  if (!IsDateTime)
    V = ReadNumberText(EDate->text(), Error);
  else if (EDate->isVisibleTo(this))
    V = ReadDateTimeText(EDate->text().trimmed() + u' ' + ETime->text().trimmed(), Error);
  else
    V = ReadTimeText(ETime->text(), Error);
  if (!V) {
    ShowIncorrectValue(Error);
    return false;
  }
  MaxMin = *V;
  return true;
}

// --- Increment ---------------------------------------------------------------------------------

TAxisIncrement::TAxisIncrement(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("AxisIncrement"));
  setWindowTitle(QStringLiteral("Axis Increment"));
  SetBorderStyle(bsDialog);
  auto* Main = new QVBoxLayout(this);
  GBIncrement = new QGroupBox(QStringLiteral("Increment:"), this);
  GBIncrement->setObjectName(QStringLiteral("GBIncrement"));
  auto* Grid = new QGridLayout(GBIncrement);
  RBStandard = new QRadioButton(QStringLiteral("&Standard:"), GBIncrement);
  RBStandard->setObjectName(QStringLiteral("RBStandard"));
  RBCustom = new QRadioButton(QStringLiteral("&Custom:"), GBIncrement);
  RBCustom->setObjectName(QStringLiteral("RBCustom"));
  CBSteps = new QComboBox(GBIncrement);
  CBSteps->setObjectName(QStringLiteral("CBSteps"));
  for (int i = 0; i < NumDateTimeSteps; ++i) CBSteps->addItem(DateTimeStepName(i));
  ECustom = Edit(GBIncrement, "ECustom", QString());
  Grid->addWidget(RBStandard, 0, 0);
  Grid->addWidget(CBSteps, 0, 1);
  Grid->addWidget(RBCustom, 1, 0);
  Grid->addWidget(ECustom, 1, 1);
  Grid->setColumnStretch(1, 1);
  Main->addWidget(GBIncrement);
  CBExact = CheckBox(this, QStringLiteral("&Exact Date Time"), "CBExact");
  Main->addWidget(CBExact);
  Main->addStretch(1);
  OkCancel(*this, Main, BOk, BCancel);

  On(RBStandard, &QRadioButton::clicked, this, [this] { RBStandardClick(); });
  On(RBCustom, &QRadioButton::clicked, this, [this] { RBCustomClick(); });
  On(CBExact, &QCheckBox::clicked, this, [this] { CBExactClick(); });
}

void TAxisIncrement::FormCloseQuery(bool& CanClose) {
  if (ModalResult() == mrOk) CanClose = ReadValue();
}

void TAxisIncrement::FormShow() {
  CBExact->setVisible(IsDateTime);
  RBStandard->setVisible(IsDateTime);
  RBCustom->setVisible(IsDateTime);
  CBSteps->setVisible(IsDateTime);
  if (!IsDateTime) {
    ECustom->setToolTip(QString());
    ECustom->setEnabled(true);
    ECustom->setText(NumberText(Increment));
    ECustom->setFocus();
    adjustSize();
    return;
  }
  ECustom->setToolTip(QStringLiteral("Enter [Number of Days] [hh:mm:ss]"));
  CBExact->setChecked(IsExact);
  if (IsExact && IStep >= 0 && IStep < NumDateTimeSteps) {
    RBStandard->setChecked(true);
    CBSteps->setEnabled(true);
    CBSteps->setCurrentIndex(IStep);
    ECustom->clear();
    ECustom->setEnabled(false);
  } else {
    RBCustom->setChecked(true);
    CBSteps->setCurrentIndex(-1);
    CBSteps->setEnabled(false);
    ECustom->setEnabled(true);
    ECustom->setText(IncrementText(true, false, Increment, QString()));
  }
  adjustSize();
}

void TAxisIncrement::RBStandardClick() {
  RBStandard->setChecked(true);
  CBSteps->setEnabled(true);
  if (CBSteps->currentIndex() < 0) CBSteps->setCurrentIndex(0);
  ECustom->setEnabled(false);
}

void TAxisIncrement::RBCustomClick() {
  RBCustom->setChecked(true);
  CBSteps->setEnabled(false);
  ECustom->setEnabled(true);
  // The edit reads back what it shows: days and a time, never a step's name.
  ECustom->setText(IncrementText(IsDateTime, false, Increment, QString()));
}

void TAxisIncrement::CBExactClick() {
  if (!CBExact->isChecked()) RBCustomClick();
}

bool TAxisIncrement::ReadValue() {
  if (IsDateTime && RBStandard->isChecked()) {
    const int I = CBSteps->currentIndex();
    if (I < 0 || I >= NumDateTimeSteps) return false;
    IStep = I;
    Increment = DateTimeStep[I];
  } else {
    QString Error;
    const auto V = IsDateTime ? ReadIncrementText(ECustom->text(), Error)
                              : ReadNumberText(ECustom->text(), Error);
    if (!V) {
      ShowIncorrectValue(Error);
      return false;
    }
    if (const QString Why = OnCheck ? OnCheck(*V) : QString(); !Why.isEmpty()) {
      ShowIncorrectValue(Why);
      ECustom->setFocus();
      return false;
    }
    Increment = *V;
    IStep = DateTimeStepIndex(Increment);
  }
  if (IsDateTime) IsExact = CBExact->isChecked();
  return true;
}

bool EditAxisIncrement(QWidget* Owner, const QString& Caption, bool DateTime, bool& Exact,
                       double& Increment, std::function<QString(double)> Check) {
  TAxisIncrement D(Owner);
  D.OnCheck = std::move(Check);
  D.setWindowTitle(Caption);
  D.IsDateTime = DateTime;
  D.IsExact = Exact;
  D.Increment = Increment;
  D.IStep = DateTime ? DateTimeStepIndex(Increment) : dtNone;
  if (RunChartModal(D) != mrOk) return false;
  Exact = D.IsExact;
  Increment = D.Increment;
  return true;
}
