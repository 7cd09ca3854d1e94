#pragma once
// Item views that may hold texts of millions of characters (a long formula in a history, a
// function's definition) show only their beginning. Qt shapes an item's whole text to size and
// elide it at every paint, which takes seconds for such a text, and its text coordinates
// overflow past some tens of millions of pixels, so that rows overlap. The items keep their
// whole text; only what is drawn and measured is shortened.
#include <QString>
#include <QStyledItemDelegate>

// Far more than any screen shows of one line, and quick to shape.
inline constexpr qsizetype MaxShownText = 10000;

// Text itself up to MaxShownText characters, else its beginning followed by an ellipsis.
QString ShownText(const QString& Text);

// Draws and sizes each item by its shown text.
class TShownTextDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* Option, const QModelIndex& Index) const override;
};
