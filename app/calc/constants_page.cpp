#include "app/calc/constants_page.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "app/calc/calc_pages_host.h"
#include "platform/app_services.h"
#include "platform/dialogs.h"

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

TConstantsPage::TConstantsPage(TCalcPagesHost& Host, QLineEdit* Find, QListWidget* List,
                               QPushButton* Paste, QObject* Parent)
    : QObject(Parent), edFind(Find), lbConst(List), bbPaste(Paste), FHost(Host) {
  connect(lbConst, &QListWidget::itemClicked, this,
          Guarded([this](QListWidgetItem* Item) { PasteLine(lbConst->row(Item)); }));
  connect(bbPaste, &QPushButton::clicked, this,
          Guarded([this] { PasteLine(lbConst->currentRow()); }));
  connect(edFind, &QLineEdit::textEdited, this, Guarded([this] { edFindChange(); }));
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
