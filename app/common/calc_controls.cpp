#include "app/common/calc_controls.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include "platform/colors.h"
#include "widgets/nx_label.h"

TRadioGroup* NewRadioGroup(const QString& Name, const QStringList& Items, QWidget* Parent,
                           int Columns) {
  auto* G = new TRadioGroup(Parent);
  G->setObjectName(Name);
  G->SetItems(Items);
  G->SetColumns(Columns);
  G->layout()->setContentsMargins(4, 2, 4, 2);
  return G;
}

TNxLabel* NewLabel(const QString& Name, const QString& Caption, QWidget* Parent) {
  auto* L = new TNxLabel(Parent);
  L->setObjectName(Name);
  // In the window's own font and on its background, like the controls beside it.
  const QFont F = Parent->font();
  L->Font()->SetName(F.family());
  L->Font()->SetSize(F.pointSize() > 0 ? F.pointSize() : 9);
  L->SetColor(FromQColor(Parent->palette().color(QPalette::Window)));
  // As high as its row, with the text in the middle like the fields' texts.
  L->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  L->SetLayout(tlCenter);
  L->SetCaption(Caption);
  return L;
}

QLineEdit* NewEdit(const QString& Name, QWidget* Parent) {
  auto* E = new QLineEdit(Parent);
  E->setObjectName(Name);
  return E;
}

QPushButton* NewButton(const QString& Name, const QString& Caption, QWidget* Parent) {
  auto* B = new QPushButton(Caption, Parent);
  B->setObjectName(Name);
  return B;
}

TSpeedButton* NewSpeedButton(const QString& Name, const QString& Caption, const QString& Hint,
                             QWidget* Parent, int Tag) {
  auto* B = new TSpeedButton(Parent);
  B->setObjectName(Name);
  B->SetCaption(Caption);
  B->SetHint(Hint);
  B->Tag = Tag;
  // Raised: flat keys read as plain labels. Like every key, it leaves the focus where it is
  // (in the input line, as a rule).
  B->setAutoRaise(false);
  B->setFocusPolicy(Qt::NoFocus);
  return B;
}

void SetItemIndexQuietly(TRadioGroup* Group, int Index) {
  const QSignalBlocker Quiet(Group);
  Group->SetItemIndex(Index);
}

namespace {
// Keeps a one-row group in one row whatever its item count.
void SetItemsKeepingRow(TRadioGroup* Group, const QStringList& Items) {
  const bool OneRow = Group->Columns() >= ItemCount(Group);
  const QSignalBlocker Quiet(Group);
  Group->SetItems(Items);
  if (OneRow) Group->SetColumns(std::max<int>(1, static_cast<int>(Items.size())));
}
}  // namespace

void AddItem(TRadioGroup* Group, const QString& Text) {
  SetItemsKeepingRow(Group, Group->Items() << Text);
}

void DeleteItem(TRadioGroup* Group, int Index) {
  QStringList L = Group->Items();
  if (Index < 0 || Index >= L.size()) return;
  const int Chosen = Group->ItemIndex();
  L.removeAt(Index);
  // The chosen item going leaves none chosen; a later one moves up by one.
  SetItemIndexQuietly(Group, -1);
  SetItemsKeepingRow(Group, L);
  if (Chosen >= 0 && Chosen != Index)
    SetItemIndexQuietly(Group, Chosen > Index ? Chosen - 1 : Chosen);
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
    B->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    B->setFixedWidth(18);
    L->addWidget(B);
  }
  connect(UpButton, &QToolButton::clicked, this, [this] {
    if (OnUpClick) OnUpClick();
  });
  connect(DownButton, &QToolButton::clicked, this, [this] {
    if (OnDownClick) OnDownClick();
  });
}
