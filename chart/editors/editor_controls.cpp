#include "chart/editors/editor_controls.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "chart/editors/axis_texts.h"
#include "platform/app_services.h"
#include "platform/controls.h"

bool TChartNumberRule::Parse(const QString& Text, double& Value) const {
  if (EmptyIsZero && Text.trimmed().isEmpty()) {
    Value = 0;
    return true;
  }
  return TNumberRule::Parse(Text, Value);
}

QString TChartNumberRule::RefusalText(const QString& Text) const {
  return Frame.arg(Refusal(Text.trimmed()));
}

QString TChartNumberRule::Refusal(const QString& T) const {
  double V = 0;
  if (!Parse(T, V)) {
    if (Whole) return QStringLiteral("'%1' is not a valid integer value").arg(T);
    QString Error;
    ReadNumberText(T, Error);
    return Error.isEmpty() ? QStringLiteral("'%1' is not a valid number").arg(T) : Error;
  }
  if (V < Min && !BelowMessage.isEmpty()) return BelowMessage;
  if (!RangeMessage.isEmpty()) return RangeMessage;
  return QStringLiteral("Value must be between %1 and %2").arg(Format(Min), Format(Max));
}

QString TChartNumberRule::Format(double Value) const {
  return Whole ? TNumberRule::Format(Value) : NumberText(Value);
}

TChartNumberRule& ChartRule(TNumberEdit* Edit) {
  auto* R = dynamic_cast<TChartNumberRule*>(&Edit->Rule());
  if (!R) {
    auto Made = std::make_unique<TChartNumberRule>(Edit->Rule().Whole, Edit->Rule().Min,
                                                   Edit->Rule().Max, Edit->Rule().Caption);
    R = Made.get();
    Edit->SetRule(std::move(Made));
  }
  return *R;
}

QString MarginRefusal(int Index, int Value, int Opposite) {
  if (Value + Opposite < 100) return {};
  return Index % 2 == 0 ? QStringLiteral("Left and Right Margins together must be below 100%")
                        : QStringLiteral("Top and Bottom Margins together must be below 100%");
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

TNumberEdit* SpinEdit(QWidget* Parent, const char* Name, int Min, int Max, int Increment) {
  auto* E = new TNumberEdit(Parent);
  E->setObjectName(QLatin1String(Name));
  E->SetRule(std::make_unique<TChartNumberRule>(true, Min, Max));
  E->SetLive(true);
  E->SetSpin(Increment);
  E->setMaximumWidth(80);
  return E;
}

TNumberEdit* RealEdit(QWidget* Parent, const char* Name, double Min, double Max) {
  auto* E = new TNumberEdit(Parent);
  E->setObjectName(QLatin1String(Name));
  E->SetRule(std::make_unique<TChartNumberRule>(false, Min, Max));
  E->SetLive(true);
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
