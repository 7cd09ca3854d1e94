#include "chart/editors/editor_controls.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "platform/app_services.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/flag_guard.h"

namespace {
// The up-down buttons sit inside the edit's right end, as wide as a scroll bar's arrows.
constexpr int UpDownWidth = 16;
}  // namespace

TChartSpinEdit::TChartSpinEdit(QWidget* Parent) : QLineEdit(Parent), FUpDown(new TUpDown(this)) {
  FUpDown->setCursor(Qt::ArrowCursor);
  FUpDown->SetMax(32000);
  setTextMargins(0, 0, UpDownWidth, 0);
  setMaximumWidth(80);
  connect(this, &QLineEdit::textEdited, this, [this] { RunGuarded([this] { TextEdited(); }); });
  connect(FUpDown, &TUpDown::Click, this, [this] { RunGuarded([this] { Stepped(); }); });
}

void TChartSpinEdit::SetRange(int Min, int Max) {
  FUpDown->SetMin(Min);
  FUpDown->SetMax(Max);
}

void TChartSpinEdit::SetValue(int Value) {
  FValue = std::clamp(Value, MinValue(), MaxValue());
  FUpDown->SetPosition(FValue);
  if (FTyping) {
    FTextLate = true;
    return;
  }
  // A value loaded afresh has no typing to undo.
  FBefore.reset();
  if (text() != QString::number(FValue)) setText(QString::number(FValue));
}

bool ReadWholeNumber(const QString& Text, int Min, int Max, int& Value) {
  bool Ok = false;
  const int V = Text.trimmed().toInt(&Ok);
  if (!Ok || V < Min || V > Max) return false;
  Value = V;
  return true;
}

bool TChartSpinEdit::ReadValue(int& Value) const {
  return ReadWholeNumber(text(), MinValue(), MaxValue(), Value);
}

void TChartSpinEdit::TextEdited() {
  if (!FBefore) FBefore = FValue;
  int V = 0;
  const bool Readable = ReadValue(V);
  FRefused = FTextLate = false;
  {
    TFlagGuard Typing(FTyping);
    if (Readable)
      emit Changed(V);
    else
      emit Unreadable();
  }
  if (Readable && !FRefused && !FTextLate) {
    FValue = V;
    FUpDown->SetPosition(V);
  }
}

bool TChartSpinEdit::FinishTyping() {
  const bool Refused = FRefused, Late = FTextLate;
  FRefused = FTextLate = false;
  if (!FBefore) {
    int V = 0;
    if (ReadValue(V)) return true;
    SetValue(FValue);
    return false;
  }
  const int Before = *FBefore;
  FBefore.reset();
  const QString Typed = text();
  bool IsNumber = false;
  const int V = Typed.trimmed().toInt(&IsNumber);
  const bool InRange = IsNumber && V >= MinValue() && V <= MaxValue();
  if (InRange && !Refused && !Late) return true;
  // Text that is no number and that the page made something of (an emptied edit) stands.
  if (!IsNumber && Late) {
    SetValue(FValue);
    return true;
  }
  Restore(Before);
  if (InRange && Refused) {
    // Handed on again, now with the page's message, from the value before the typing.
    emit Changed(V);
    const bool Taken = !FRefused;
    if (Taken) SetValue(V);
    FRefused = false;
    return Taken;
  }
  // A number the page put back itself has been refused without a word.
  if (InRange) return false;
  const QString Message = RefusalText(Typed, IsNumber, V);
  if (!Message.isEmpty()) ShowError(Message);
  return false;
}

void TChartSpinEdit::Restore(int Value) {
  if (FValue != Value) emit Changed(Value);
  FRefused = false;
  SetValue(Value);
}

QString TChartSpinEdit::RefusalText(const QString& Text, bool IsNumber, int Number) const {
  if (IsNumber) {
    if (Number < MinValue() && !FBelowMessage.isEmpty()) return FBelowMessage;
    if (!FRangeMessage.isEmpty()) return FRangeMessage;
    return QStringLiteral("Value must be between %1 and %2").arg(MinValue()).arg(MaxValue());
  }
  const QString T = Text.trimmed();
  if (T.isEmpty() || T == u"-" || T == u"+") return {};
  return QStringLiteral("'%1' is not a valid integer value").arg(T);
}

void TChartSpinEdit::Stepped() {
  // A step starts from the value in force; what was typed and refused is dropped.
  FRefused = FTextLate = false;
  FBefore.reset();
  SetValue(FUpDown->Position());
  emit Changed(FValue);
}

void TChartSpinEdit::keyPressEvent(QKeyEvent* Event) {
  const int Key = Event->key();
  if (Key == Qt::Key_Up || Key == Qt::Key_Down) {
    FUpDown->Step(Key == Qt::Key_Up ? btNext : btPrev);
    return;
  }
  if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
    bool Stood = true;
    RunGuarded([&] { Stood = FinishTyping(); });
    // A refused number keeps the user here: Enter does not go on to the dialog's default button.
    if (!Stood) return;
  }
  QLineEdit::keyPressEvent(Event);
}

void TChartSpinEdit::focusOutEvent(QFocusEvent* Event) {
  // Left by the user's hand; not as its window is left for another one or its page goes away,
  // when there is no one to tell.
  const Qt::FocusReason Why = Event->reason();
  if (Why == Qt::TabFocusReason || Why == Qt::BacktabFocusReason || Why == Qt::MouseFocusReason ||
      Why == Qt::ShortcutFocusReason)
    RunGuarded([this] { FinishTyping(); });
  QLineEdit::focusOutEvent(Event);
}

void TChartSpinEdit::hideEvent(QHideEvent* Event) {
  // The window closed by its title bar while the typing went on: the user left the edit with it,
  // and nothing else would settle what the typing applied.
  if (FBefore && !window()->isVisible()) RunGuarded([this] { FinishTyping(); });
  QLineEdit::hideEvent(Event);
}

void TChartSpinEdit::resizeEvent(QResizeEvent* Event) {
  QLineEdit::resizeEvent(Event);
  FUpDown->setGeometry(width() - UpDownWidth - 1, 1, UpDownWidth, height() - 2);
}

QLabel* AddLabelled(QGridLayout* Grid, int Row, const QString& Caption, QWidget* Control) {
  auto* L = new QLabel(Caption, Grid->parentWidget());
  L->setBuddy(Control);
  Grid->addWidget(L, Row, 0);
  Grid->addWidget(Control, Row, 1);
  return L;
}

QCheckBox* CheckBox(QWidget* Parent, const QString& Caption, const char* Name) {
  auto* C = new QCheckBox(Caption, Parent);
  C->setObjectName(QLatin1String(Name));
  return C;
}

TChartSpinEdit* SpinEdit(QWidget* Parent, const char* Name, int Min, int Max, int Increment) {
  auto* E = new TChartSpinEdit(Parent);
  E->setObjectName(QLatin1String(Name));
  E->SetRange(Min, Max);
  E->SetIncrement(Increment);
  return E;
}

QPushButton* Button(QWidget* Parent, const QString& Caption, const char* Name) {
  auto* B = new QPushButton(Caption, Parent);
  B->setObjectName(QLatin1String(Name));
  return B;
}

QComboBox* ComboBox(QWidget* Parent, const char* Name, const QStringList& Items) {
  auto* C = new QComboBox(Parent);
  C->setObjectName(QLatin1String(Name));
  C->addItems(Items);
  return C;
}

TRadioGroup* RadioGroup(QWidget* Parent, const char* Name, const QString& Caption,
                        const QStringList& Items) {
  auto* G = new TRadioGroup(Parent);
  G->setObjectName(QLatin1String(Name));
  G->SetCaption(Caption);
  G->SetItems(Items);
  return G;
}
