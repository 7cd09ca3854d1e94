#include "plot/ui/series_import_fields.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>

#include "platform/app_services.h"
#include "platform/dialogs.h"

TfmFields::TfmFields(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("fmFields"));
  SetBorderStyle(bsDialog);
}

TfmFields::~TfmFields() = default;

void TfmFields::FormCreate() {
  setWindowTitle(QStringLiteral("Links Fields"));
  auto* Grid = new QGridLayout(this);
  lbRequired = new QListWidget(this);
  lbRequired->setObjectName(QStringLiteral("lbRequired"));
  lbInput = new QListWidget(this);
  lbInput->setObjectName(QStringLiteral("lbInput"));
  btLink = new QPushButton(QStringLiteral("<--"), this);
  btLink->setObjectName(QStringLiteral("btLink"));
  Memo = new QListWidget(this);
  Memo->setObjectName(QStringLiteral("Memo"));
  btOK = new QPushButton(QStringLiteral("&OK"), this);
  btOK->setObjectName(QStringLiteral("btOK"));
  btCancel = new QPushButton(QStringLiteral("Cancel"), this);
  btCancel->setObjectName(QStringLiteral("btCancel"));
  Grid->addWidget(lbRequired, 0, 0);
  Grid->addWidget(btLink, 0, 1, Qt::AlignCenter);
  Grid->addWidget(lbInput, 0, 2);
  Grid->addWidget(Memo, 1, 0, 1, 3);
  auto* Buttons = new QHBoxLayout;
  Buttons->addStretch();
  Buttons->addWidget(btOK);
  Buttons->addWidget(btCancel);
  Grid->addLayout(Buttons, 2, 0, 1, 3);
  SetButtonModalResult(btOK, mrOk);
  SetButtonModalResult(btCancel, mrCancel);
  connect(btLink, &QPushButton::clicked, this, Guarded([this] { LinkClick(); }));
}

void TfmFields::Load(const QStringList& Required, const QStringList& Inputs) {
  lbRequired->clear();
  lbRequired->addItems(Required);
  lbInput->clear();
  lbInput->addItems(Inputs);
  Memo->clear();
  for (auto& L : Links) L.reset();
}

void TfmFields::LinkClick() {
  const int R = lbRequired->currentRow(), I = lbInput->currentRow();
  if (R < 0 || I < 0 || R >= static_cast<int>(Links.size())) {
    ShowWarning(QStringLiteral("Select both fields"));
    return;
  }
  Links[R] = std::make_unique<TFieldPos>(TFieldPos{I});
  const QString Req = lbRequired->item(R)->text(), In = lbInput->item(I)->text();
  const QString Sep = QString::fromLatin1(Arrow);
  for (int L = Memo->count() - 1; L >= 0; --L) {
    const QString T = Memo->item(L)->text();
    if (T.startsWith(Req + Sep) || T.endsWith(Sep + In)) delete Memo->takeItem(L);
  }
  Memo->addItem(Req + Sep + In);
}

std::array<int, 2> TfmFields::LinkIndexes() const {
  return {Links[0] ? Links[0]->Index : -1, Links[1] ? Links[1]->Index : -1};
}
