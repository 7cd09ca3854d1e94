#include "widgets/shown_text.h"

QString ShownText(const QString& Text) {
  if (Text.size() <= MaxShownText) return Text;
  return Text.left(MaxShownText) + QChar(0x2026);
}

void TShownTextDelegate::initStyleOption(QStyleOptionViewItem* Option,
                                         const QModelIndex& Index) const {
  QStyledItemDelegate::initStyleOption(Option, Index);
  Option->text = ShownText(Option->text);
}
