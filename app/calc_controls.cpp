#include "app/calc_controls.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QRadioButton>
#include <QSignalBlocker>

TCalcRadioGroup::TCalcRadioGroup(const QString& Name, const QStringList& Items, QWidget* Parent,
                                 Qt::Orientation Orientation)
    : QGroupBox(Parent), FGroup(new QButtonGroup(this)) {
  setObjectName(Name);
  if (Orientation == Qt::Horizontal)
    FLayout = new QHBoxLayout(this);
  else
    FLayout = new QVBoxLayout(this);
  FLayout->setContentsMargins(4, 2, 4, 2);
  FLayout->setSpacing(6);
  FGroup->setExclusive(true);
  connect(FGroup, &QButtonGroup::idClicked, this, [this](int Id) {
    if (Id != FItemIndex) SetItemIndex(Id);
  });
  Rebuild(Items);
}

void TCalcRadioGroup::Rebuild(const QStringList& Items) {
  for (QAbstractButton* B : FGroup->buttons()) {
    FGroup->removeButton(B);
    delete B;
  }
  for (int I = 0; I < Items.size(); ++I) {
    auto* B = new QRadioButton(Items[I], this);
    FGroup->addButton(B, I);
    FLayout->addWidget(B);
  }
  if (FItemIndex >= Items.size()) FItemIndex = -1;
  if (FItemIndex >= 0) FGroup->button(FItemIndex)->setChecked(true);
}

QStringList TCalcRadioGroup::Items() const {
  QStringList L;
  for (int I = 0; I < Count(); ++I) L << Item(I);
  return L;
}

void TCalcRadioGroup::SetItemIndex(int Index) {
  if (Index < -1 || Index >= Count()) Index = -1;
  if (Index == FItemIndex) {
    // A click on the chosen item leaves it chosen.
    if (Index >= 0) FGroup->button(Index)->setChecked(true);
    return;
  }
  SetItemIndexSilently(Index);
  if (OnClick && !FSilent) OnClick(this);
}

void TCalcRadioGroup::SetItemIndexSilently(int Index) {
  if (Index < -1 || Index >= Count()) Index = -1;
  FItemIndex = Index;
  if (Index >= 0) {
    FGroup->button(Index)->setChecked(true);
  } else {
    FGroup->setExclusive(false);
    for (QAbstractButton* B : FGroup->buttons()) B->setChecked(false);
    FGroup->setExclusive(true);
  }
}

int TCalcRadioGroup::Count() const { return static_cast<int>(FGroup->buttons().size()); }

QString TCalcRadioGroup::Item(int Index) const {
  QAbstractButton* B = FGroup->button(Index);
  return B ? B->text() : QString();
}

void TCalcRadioGroup::SetItem(int Index, const QString& Text) {
  if (QAbstractButton* B = FGroup->button(Index)) B->setText(Text);
}

void TCalcRadioGroup::AddItem(const QString& Text) { Rebuild(Items() << Text); }

void TCalcRadioGroup::DeleteItem(int Index) {
  QStringList L = Items();
  if (Index < 0 || Index >= L.size()) return;
  L.removeAt(Index);
  // Deleting the chosen item leaves none chosen; a later one moves up by one.
  if (FItemIndex == Index)
    FItemIndex = -1;
  else if (FItemIndex > Index)
    --FItemIndex;
  Rebuild(L);
}

TCalcUpDown::TCalcUpDown(const QString& Name, QWidget* Parent) : QSpinBox(Parent) {
  setObjectName(Name);
  setKeyboardTracking(false);
  connect(this, &QSpinBox::editingFinished, this, [this] {
    if (OnChanging) {
      const int Snapped = OnChanging(value());
      if (Snapped != value()) SetPosition(Snapped);
    }
    if (OnClick) OnClick();
  });
}

void TCalcUpDown::stepBy(int Steps) {
  int Next = std::clamp(value() + Steps * singleStep(), minimum(), maximum());
  if (OnChanging) Next = OnChanging(Next);
  SetPosition(Next);
  if (OnClick) OnClick();
}

void TCalcUpDown::SetPosition(int Position) {
  const QSignalBlocker Block(this);
  setValue(Position);
}

TSpeedButton::TSpeedButton(const QString& Name, const QString& Caption, const QString& Hint,
                           QWidget* Parent, int Tag)
    : QToolButton(Parent), FTag(Tag), FHint(Hint) {
  setObjectName(Name);
  setText(Caption);
  setToolTip(Hint);
  setAutoRaise(false);
  setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void TSpeedButton::SetHint(const QString& Hint) {
  FHint = Hint;
  setToolTip(FShowHint ? Hint : QString());
}

void TSpeedButton::SetShowHint(bool Show) {
  FShowHint = Show;
  setToolTip(Show ? FHint : QString());
}

TSpinButton::TSpinButton(const QString& Name, const QString& Hint, QWidget* Parent)
    : QWidget(Parent), UpButton(new QToolButton(this)), DownButton(new QToolButton(this)) {
  setObjectName(Name);
  setToolTip(Hint);
  auto* L = new QVBoxLayout(this);
  L->setContentsMargins(0, 0, 0, 0);
  L->setSpacing(0);
  UpButton->setArrowType(Qt::UpArrow);
  DownButton->setArrowType(Qt::DownArrow);
  for (QToolButton* B : {UpButton, DownButton}) {
    B->setToolTip(Hint);
    B->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    L->addWidget(B);
  }
  connect(UpButton, &QToolButton::clicked, this, [this] {
    if (OnUpClick) OnUpClick();
  });
  connect(DownButton, &QToolButton::clicked, this, [this] {
    if (OnDownClick) OnDownClick();
  });
}
