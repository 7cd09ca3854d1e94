#include "app/constants_page.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/calc_pages_host.h"
#include "app/keypad_keys.h"
#include "platform/app_services.h"
#include "platform/dialogs.h"
#include "platform/text_file.h"

QString ConstantPasteText(const QString& Line) {
  QString S = Line;
  S.remove(' ');
  const qsizetype Eq = S.indexOf('=');
  if (Eq >= 0) S.remove(0, Eq + 1);
  return S;
}

int FindConstant(const QStringList& Lines, const QString& Find) {
  if (Find.isEmpty()) return -1;
  for (int I = 0; I < Lines.size(); ++I)
    if (Lines[I].startsWith(Find, Qt::CaseInsensitive)) return I;
  return -1;
}

TConstantsPage::TConstantsPage(TCalcPagesHost& Host, QWidget* Parent) : QWidget(Parent), FHost(Host) {
  setObjectName("tsConstPage");
  edFind = new QLineEdit(this);
  edFind->setObjectName("edFind");
  lbConst = new QListWidget(this);
  lbConst->setObjectName("lbConst");
  lbConst->setSortingEnabled(true);
  auto NewButton = [this](const char* Name, const QString& Caption) {
    auto* B = new QPushButton(Caption, this);
    B->setObjectName(Name);
    return B;
  };
  bbPaste = NewButton("bbPaste", "&Paste");
  bbEdit = NewButton("bbEdit", "&Edit");
  bbReload = NewButton("bbReload", "&Reload");
  bbReload->setEnabled(false);
  bbConstHelp = NewButton("bbConstHelp", "Help");

  auto* Root = new QHBoxLayout(this);
  auto* Left = new QVBoxLayout;
  Left->addWidget(edFind);
  Left->addWidget(lbConst, 1);
  Root->addLayout(Left, 1);
  auto* Buttons = new QVBoxLayout;
  for (QPushButton* B : {bbPaste, bbEdit, bbReload, bbConstHelp}) Buttons->addWidget(B);
  Buttons->addStretch();
  Root->addLayout(Buttons);

  connect(lbConst, &QListWidget::itemClicked, this,
          Guarded([this](QListWidgetItem* Item) { PasteLine(lbConst->row(Item)); }));
  connect(bbPaste, &QPushButton::clicked, this, Guarded([this] { PasteLine(lbConst->currentRow()); }));
  connect(edFind, &QLineEdit::textEdited, this, Guarded([this] { edFindChange(); }));
  connect(bbConstHelp, &QPushButton::clicked, this, Guarded([this] { FHost.ShowHelp(HelpConstants); }));
}

bool TConstantsPage::LoadConstants(const QString& FileName) {
  QStringList Lines;
  if (!ReadTextLines(FileName, Lines)) return false;
  lbConst->clear();
  lbConst->addItems(Lines);
  return true;
}

void TConstantsPage::PasteLine(int Row) {
  if (Row < 0 || Row >= lbConst->count() || FHost.Evaluating()) return;
  FHost.SetFunc(ConstantPasteText(lbConst->item(Row)->text()));
}

void TConstantsPage::edFindChange() {
  QStringList Lines;
  for (int I = 0; I < lbConst->count(); ++I) Lines << lbConst->item(I)->text();
  const int Row = FindConstant(Lines, edFind->text());
  if (Row >= 0) {
    lbConst->setCurrentRow(Row);
    return;
  }
  ShowWarning("Constant name begining from <\"" + edFind->text().toUpper() + "\"> not found");
}
