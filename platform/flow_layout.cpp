#include "platform/flow_layout.h"

#include <QWidget>

#include <algorithm>

TFlowLayout::TFlowLayout(QWidget* Parent) : QLayout(Parent) {}

TFlowLayout::~TFlowLayout() {
  while (QLayoutItem* Item = takeAt(0)) delete Item;
}

void TFlowLayout::addItem(QLayoutItem* Item) { FItems.append(Item); }

QLayoutItem* TFlowLayout::takeAt(int Index) {
  return Index >= 0 && Index < FItems.size() ? FItems.takeAt(Index) : nullptr;
}

int TFlowLayout::heightForWidth(int Width) const { return Arrange(QRect(0, 0, Width, 0), false); }

QSize TFlowLayout::sizeHint() const {
  // All in one row.
  QSize S(0, 0);
  for (const QLayoutItem* Item : FItems) {
    if (Item->isEmpty()) continue;
    const QSize H = Item->sizeHint();
    S = QSize(S.width() + (S.width() > 0 ? spacing() : 0) + H.width(),
              std::max(S.height(), H.height()));
  }
  const QMargins M = contentsMargins();
  return S.grownBy(M);
}

QSize TFlowLayout::minimumSize() const {
  // One item a row at worst: as wide as the widest.
  QSize S(0, 0);
  for (const QLayoutItem* Item : FItems)
    if (!Item->isEmpty()) S = S.expandedTo(Item->sizeHint().expandedTo(Item->minimumSize()));
  return S.grownBy(contentsMargins());
}

void TFlowLayout::setGeometry(const QRect& Rect) {
  QLayout::setGeometry(Rect);
  Arrange(Rect, true);
}

int TFlowLayout::Arrange(const QRect& Rect, bool Move) const {
  const QRect Inner = Rect.marginsRemoved(contentsMargins());
  const int Gap = std::max(0, spacing());
  int X = Inner.x(), Y = Inner.y(), Row = 0;
  for (QLayoutItem* Item : FItems) {
    if (Item->isEmpty()) continue;
    const QSize H = Item->sizeHint().expandedTo(Item->minimumSize());
    if (X > Inner.x() && X + H.width() > Inner.x() + Inner.width()) {
      X = Inner.x();
      Y += Row + Gap;
      Row = 0;
    }
    if (Move) Item->setGeometry(QRect(QPoint(X, Y), H));
    X += H.width() + Gap;
    Row = std::max(Row, H.height());
  }
  const QMargins M = contentsMargins();
  return Y + Row - Inner.y() + M.top() + M.bottom();
}
