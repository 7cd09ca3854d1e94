#include "app/common/engine_text.h"

#include <QItemEditorFactory>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableView>

#include "engine/engine_state.h"
#include "platform/dialogs.h"

namespace {

constexpr int EditCapacity = MaxExprLength + 1;

// Qt's own editors, with the cell's line edit holding as much as a field.
class TWholeTextEditors : public QItemEditorFactory {
 public:
  QWidget* createEditor(int UserType, QWidget* Parent) const override {
    QWidget* Editor = QItemEditorFactory::defaultFactory()->createEditor(UserType, Parent);
    if (auto* Line = qobject_cast<QLineEdit*>(Editor)) Line->setMaxLength(EditCapacity);
    return Editor;
  }
};

}  // namespace

void HoldWholeTexts(QWidget* Window) {
  if (!Window) return;
  for (QLineEdit* E : Window->findChildren<QLineEdit*>()) E->setMaxLength(EditCapacity);
  static TWholeTextEditors Editors;
  for (QTableView* G : Window->findChildren<QTableView*>())
    if (auto* D = qobject_cast<QStyledItemDelegate*>(G->itemDelegate()))
      D->setItemEditorFactory(&Editors);
}

bool FitsTheEngine(const QString& Text) {
  if (Text.size() <= MaxExprLength) return true;
  ShowError(QStringLiteral("The text is longer than the %1 characters that can be calculated")
                .arg(MaxExprLength));
  return false;
}
