#include "app/converter/fm_conv.h"

#include <QActionGroup>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "app/common/decimal_format.h"
#include "app/common/engine_idle.h"
#include "app/common/engine_text.h"
#include "app/converter/unit_tables.h"
#include "engine/engine_busy.h"
#include "platform/app_services.h"
#include "platform/flag_guard.h"

namespace {
QString UnitText(int Category, int Unit) {
  const std::string_view N = UnitTables::UnitName(Category, Unit);
  return QString::fromUtf8(N.data(), qsizetype(N.size()));
}
QString CaptionOf(int Category) {
  const std::string_view C = UnitTables::CategoryCaption(Category);
  return QString::fromUtf8(C.data(), qsizetype(C.size()));
}
}  // namespace

TfmConv::TfmConv(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("fmConv"));
  setWindowTitle(QStringLiteral("Units Convertor"));
  SetBorderStyle(bsDialog);
  auto* Main = new QVBoxLayout(this);
  MainMenu1 = new QMenuBar(this);
  QMenu* File = MainMenu1->addMenu(QStringLiteral("&File"));
  Exit1 = File->addAction(QStringLiteral("E&xit"));
  connect(Exit1, &QAction::triggered, this, Guarded([this] { Exit1Click(); }));
  QMenu* Units = MainMenu1->addMenu(QStringLiteral("&Units"));
  auto* Group = new QActionGroup(this);
  for (int Tag : UnitTables::MenuOrder()) {
    QAction* Item = Units->addAction(CaptionOf(Tag));
    Item->setCheckable(true);
    Group->addAction(Item);
    UnitItems[size_t(Tag)] = Item;
    connect(Item, &QAction::triggered, this, Guarded([this, Tag] { UnitsClick(Tag); }));
  }
  Main->setMenuBar(MainMenu1);

  lbUnit = new QLabel(this);
  lbUnit->setObjectName(QStringLiteral("lbUnit"));
  QFont Bold = lbUnit->font();
  Bold.setBold(true);
  lbUnit->setFont(Bold);
  lbTo = new QLabel(this);
  lbTo->setObjectName(QStringLiteral("lbTo"));
  lbTo->setMinimumWidth(200);
  lbTo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* Titles = new QHBoxLayout;
  Titles->addWidget(lbUnit);
  Titles->addStretch();
  Titles->addWidget(lbTo);
  Main->addLayout(Titles);

  auto* Fields = new QGridLayout;
  Fields->setHorizontalSpacing(8);
  for (int t = 1; t <= MaxFields; ++t) {
    auto* L = new QLabel(this);
    L->setObjectName(QStringLiteral("Label%1").arg(t));
    auto* E = new QLineEdit(this);
    E->setObjectName(QStringLiteral("edS%1").arg(t));
    E->setProperty("Tag", t);
    E->setMinimumWidth(170);
    E->installEventFilter(this);
    L->setBuddy(E);
    const int Row = (t - 1) % 10, Col = (t - 1) / 10;
    Fields->addWidget(L, Row, Col * 2);
    Fields->addWidget(E, Row, Col * 2 + 1);
    Labels[size_t(t)] = L;
    Edits[size_t(t)] = E;
  }
  Fields->setColumnStretch(1, 1);
  Fields->setColumnStretch(3, 1);
  Main->addLayout(Fields);
  Main->addStretch();

  // Creation: every field gets a validator whose range the category sets; no conversion runs
  // while the first category is put up.
  Category = 1;
  Busy = true;
  for (int t = 1; t <= MaxFields; ++t)
    Validators[size_t(t)] = std::make_unique<Validates::TRealValidate>(
        0, 0, Edits[size_t(t)], this, QString(), [this](QLineEdit* Sender) { edSChange(Sender); });
  UnitsClick(UnitTables::catLength);
  Busy = false;
  HoldWholeTexts(this);
  DoCreate();
}

TfmConv::~TfmConv() {
  for (auto& V : Validators) V.reset();
}

int TfmConv::TagOf(QObject* Sender) const {
  const auto* E = qobject_cast<QLineEdit*>(Sender);
  return E ? E->property("Tag").toInt() : 0;
}

bool TfmConv::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() == QEvent::FocusIn && TagOf(Watched) > 0)
    RunGuarded([&] { edSEnter(static_cast<QLineEdit*>(Watched)); });
  return TForm::eventFilter(Watched, Event);
}

void TfmConv::UnitsClick(int Tag) {
  if (Tag >= 1 && Tag <= UnitTables::CategoryCount && UnitItems[size_t(Tag)])
    UnitItems[size_t(Tag)]->setChecked(true);
  lbUnit->setText(CaptionOf(Tag).remove(QLatin1Char('&')) + QStringLiteral(": "));
  if (Tag < 1 || Tag > UnitTables::CategoryCount) return;
  Category = Tag;
  const int Count = UnitTables::UnitCount(Category);
  for (int t = 1; t <= MaxFields; ++t) {
    Validators[size_t(t)]->SetRange(UnitTables::LowLimit(Category, t),
                                    UnitTables::HighLimit(Category, t));
    Labels[size_t(t)]->setText(UnitText(Category, t));
    Labels[size_t(t)]->setVisible(t <= Count);
    Edits[size_t(t)]->clear();
    Edits[size_t(t)]->setVisible(t <= Count);
  }
  if (TagOf(focusWidget()) > 0)
    edSEnter(static_cast<QLineEdit*>(focusWidget()));
  else
    lbTo->clear();
}

void TfmConv::edSEnter(QLineEdit* Sender) {
  const int Tag = TagOf(Sender);
  if (Tag > 0) lbTo->setText(UnitText(Category, Tag) + QStringLiteral(" to ..."));
}

void TfmConv::edSChange(QLineEdit* Sender) {
  const int s = TagOf(Sender);
  if (Busy || s < 1 || s > MaxFields) return;
  if (EngineBusy()) {
    const bool Queued = !FPendingField.isNull();
    FPendingField = Sender;
    if (!Queued)
      RunWhenIdle([Self = QPointer<TfmConv>(this)] {
        if (!Self) return;
        QLineEdit* Field = Self->FPendingField;
        Self->FPendingField = nullptr;
        if (Field) Self->edSChange(Field);
      });
    return;
  }
  const TFlagGuard Filling(Busy);
  if (!Validators[size_t(s)]->IsValid()) {
    // What the other fields hold was converted from an earlier text: none of it is this one's.
    for (int t = 1; t <= MaxFields; ++t)
      if (t != s) Edits[size_t(t)]->clear();
    return;
  }
  const Extended X = Validators[size_t(s)]->GetValue();
  for (const UnitTables::TConverted& C : UnitTables::ConvertAll(Category, s, X))
    if (C.Unit >= 1 && C.Unit <= MaxFields) Edits[size_t(C.Unit)]->setText(FormatDecimal(C.Value));
}
