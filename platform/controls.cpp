#include "platform/controls.h"

#include "platform/app_services.h"
#include "platform/number_text.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

// --- Radio group --------------------------------------------------------------

TRadioGroup::TRadioGroup(QWidget* Parent) : QGroupBox(Parent) { new QGridLayout(this); }

void TRadioGroup::SetItems(const QStringList& Items) {
  const bool SameCount = Items.size() == FItems.size();
  FItems = Items;
  if (FItemIndex >= FItems.size()) FItemIndex = -1;
  if (SameCount) {
    for (int i = 0; i < FItems.size(); ++i) FButtons[i]->setText(FItems[i]);
    return;
  }
  Rebuild();
}

void TRadioGroup::SetItemText(int Index, const QString& Text) {
  if (Index < 0 || Index >= FItems.size()) return;
  FItems[Index] = Text;
  FButtons[Index]->setText(Text);
}

void TRadioGroup::SetColumns(int Value) {
  Value = std::clamp(Value, 1, 16);
  if (Value == FColumns) return;
  FColumns = Value;
  Rebuild();
}

QRadioButton* TRadioGroup::Buttons(int Index) const {
  return Index >= 0 && Index < FButtons.size() ? FButtons[Index] : nullptr;
}

void TRadioGroup::Rebuild() {
  FBuilding = true;
  auto* Grid = static_cast<QGridLayout*>(layout());
  // Later, not now: the items may change from one of the buttons' own clicks.
  for (QRadioButton* B : FButtons) {
    Grid->removeWidget(B);
    B->hide();
    B->disconnect(this);
    B->deleteLater();
  }
  FButtons.clear();
  // Items run down the first column, then down the next.
  const int Rows = std::max<int>(1, int((FItems.size() + FColumns - 1) / FColumns));
  for (int i = 0; i < FItems.size(); ++i) {
    auto* B = new QRadioButton(FItems[i], this);
    B->setAutoExclusive(false);
    B->setChecked(i == FItemIndex);
    Grid->addWidget(B, i % Rows, i / Rows);
    connect(B, &QRadioButton::clicked, this, [this, i] {
      // A click on the checked item keeps it checked and fires nothing.
      if (i == FItemIndex) {
        FButtons[i]->setChecked(true);
        return;
      }
      RunGuarded([this, i] { SetItemIndex(i); });
    });
    FButtons << B;
  }
  FBuilding = false;
}

void TRadioGroup::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems.size()) Value = -1;
  if (Value == FItemIndex) return;
  FItemIndex = Value;
  for (int i = 0; i < FButtons.size(); ++i) FButtons[i]->setChecked(i == Value);
  if (Value >= 0 && !FBuilding) emit Click();
}

// --- Up-down --------------------------------------------------------------------

TUpDown::TUpDown(QWidget* Parent) : QWidget(Parent) {
  auto* L = new QVBoxLayout(this);
  L->setContentsMargins(0, 0, 0, 0);
  L->setSpacing(0);
  auto* Up = new QToolButton(this);
  auto* Down = new QToolButton(this);
  Up->setArrowType(Qt::UpArrow);
  Down->setArrowType(Qt::DownArrow);
  for (QToolButton* B : {Up, Down}) {
    B->setAutoRepeat(true);
    // The arrows step the edit beside them, which keeps the focus; they may sit inside it,
    // smaller than a tool button likes to be.
    B->setFocusPolicy(Qt::NoFocus);
    B->setMinimumSize(1, 1);
  }
  L->addWidget(Up);
  L->addWidget(Down);
  connect(Up, &QToolButton::clicked, this, Guarded([this] { Step(btNext); }));
  connect(Down, &QToolButton::clicked, this, Guarded([this] { Step(btPrev); }));
}

void TUpDown::SetMin(int Value) {
  FMin = Value;
  if (FMax < FMin) FMax = FMin;
  SetPosition(FPosition);
}

void TUpDown::SetMax(int Value) {
  FMax = Value;
  if (FMin > FMax) FMin = FMax;
  SetPosition(FPosition);
}

int TUpDown::Position() const {
  if (FAssociate) {
    int v = 0;
    if (TryStrToInt(FAssociate->text().toStdString(), v) && v >= FMin && v <= FMax) return v;
  }
  return FPosition;
}

void TUpDown::SetPosition(int Value) {
  FPosition = std::clamp(Value, FMin, FMax);
  ShowPosition();
}

void TUpDown::SetAssociate(QLineEdit* Edit) {
  FAssociate = Edit;
  ShowPosition();
}

void TUpDown::ShowPosition() {
  if (FAssociate && FAssociate->text() != QString::number(FPosition))
    FAssociate->setText(QString::number(FPosition));
}

void TUpDown::Step(TUDBtnType Button) {
  if (OnStep) return OnStep(Button);
  const int From = Position();
  long long To = static_cast<long long>(From) + (Button == btNext ? FIncrement : -FIncrement);
  if (To > FMax) To = FWrap ? FMin : FMax;
  if (To < FMin) To = FWrap ? FMax : FMin;
  bool Allow = true;
  if (OnChanging) OnChanging(Allow);
  if (Allow && OnChangingEx) OnChangingEx(Allow, static_cast<int>(To));
  if (!Allow) return;
  SetPosition(static_cast<int>(To));
  emit Click(Button);
}

// --- Speed button ------------------------------------------------------------------

TSpeedButton::TSpeedButton(QWidget* Parent) : QToolButton(Parent) {
  setAutoRaise(true);
  connect(this, &QToolButton::clicked, this, Guarded([this] { emit Click(); }));
}

QList<TSpeedButton*> TSpeedButton::Group() const {
  QList<TSpeedButton*> L;
  if (FGroupIndex == 0 || !parentWidget()) return L;
  for (TSpeedButton* B :
       parentWidget()->findChildren<TSpeedButton*>(QString(), Qt::FindDirectChildrenOnly))
    if (B != this && B->FGroupIndex == FGroupIndex) L << B;
  return L;
}

void TSpeedButton::RaiseOthers() {
  for (TSpeedButton* B : Group()) B->setChecked(false);
}

void TSpeedButton::SetGroupIndex(int Value) {
  FGroupIndex = std::max(0, Value);
  setCheckable(FGroupIndex > 0);
  if (FGroupIndex == 0)
    setChecked(false);
  else if (isChecked())
    RaiseOthers();
}

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) return;
  if (Value == isChecked()) return;
  if (!Value && !FAllowAllUp) return;
  setChecked(Value);
  if (Value) RaiseOthers();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  FAllowAllUp = Value;
  for (TSpeedButton* B : Group()) B->FAllowAllUp = Value;
}

void TSpeedButton::SetHint(const QString& Text) {
  FHint = Text;
  setToolTip(FShowHint ? FHint : QString());
}

void TSpeedButton::SetShowHint(bool Value) {
  FShowHint = Value;
  setToolTip(FShowHint ? FHint : QString());
}

void TSpeedButton::nextCheckState() {
  if (FGroupIndex == 0) return;
  if (isChecked()) {
    if (FAllowAllUp) setChecked(false);
    return;
  }
  setChecked(true);
  RaiseOthers();
}

// --- Page control --------------------------------------------------------------------

TPageControl::TPageControl(QWidget* Parent) : QTabWidget(Parent) {
  connect(this, &QTabWidget::currentChanged, this, &TPageControl::CurrentChanged);
}

int TPageControl::AddPage(QWidget* Page, const QString& Caption) {
  FProgrammatic = true;
  int i = addTab(Page, Caption);
  FProgrammatic = false;
  if (FActive < 0) FActive = currentIndex();
  return i;
}

void TPageControl::SetActivePageIndex(int Index) {
  if (Index < 0 || Index >= count()) return;
  FProgrammatic = true;
  setCurrentIndex(Index);
  FProgrammatic = false;
  FActive = currentIndex();
}

void TPageControl::SetTabVisible(int Index, bool Visible) {
  FProgrammatic = true;
  setTabVisible(Index, Visible);
  FProgrammatic = false;
  FActive = currentIndex();
}

void TPageControl::CurrentChanged(int Index) {
  if (FProgrammatic || Index == FActive) return;
  bool Allow = true;
  if (OnChanging && !RunGuarded([&] { OnChanging(Allow); })) Allow = false;
  if (!Allow) {
    FProgrammatic = true;
    setCurrentIndex(FActive);
    FProgrammatic = false;
    return;
  }
  FActive = Index;
  RunGuarded([this] { emit Change(); });
}
