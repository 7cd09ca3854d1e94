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

TChartSpinEdit::TChartSpinEdit(QWidget* Parent) : QLineEdit(Parent) {
  setMaximumWidth(80);
  connect(this, &QLineEdit::textEdited, this, [this] { RunGuarded([this] { TextEdited(); }); });
}

void TChartSpinEdit::SetValue(int Value) {
  FValue = std::clamp(Value, MinValue, MaxValue);
  setText(QString::number(FValue));
}

bool ReadWholeNumber(const QString& Text, int Min, int Max, int& Value) {
  bool Ok = false;
  const int V = Text.trimmed().toInt(&Ok);
  if (!Ok || V < Min || V > Max) return false;
  Value = V;
  return true;
}

bool TChartSpinEdit::ReadValue(int& Value) const {
  return ReadWholeNumber(text(), MinValue, MaxValue, Value);
}

void TChartSpinEdit::TextEdited() {
  int V = 0;
  if (!ReadValue(V)) {
    emit Unreadable();
    return;
  }
  FValue = V;
  emit Changed(V);
}

void TChartSpinEdit::keyPressEvent(QKeyEvent* Event) {
  const int Key = Event->key();
  if (Key != Qt::Key_Up && Key != Qt::Key_Down) {
    QLineEdit::keyPressEvent(Event);
    return;
  }
  const int Step = Key == Qt::Key_Up ? Increment : -Increment;
  const long long Next =
      std::clamp<long long>(FValue + static_cast<long long>(Step), MinValue, MaxValue);
  SetValue(int(Next));
  RunGuarded([this] { emit Changed(FValue); });
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
  E->MinValue = Min;
  E->MaxValue = Max;
  E->Increment = Increment;
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
