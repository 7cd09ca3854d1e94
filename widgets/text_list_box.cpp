#include "widgets/text_list_box.h"

#include <QEvent>
#include <QFontMetrics>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

TTextListBox::TTextListBox(QWidget* AOwner) : QListWidget(AOwner) {
  // Pixel scrolling so the range can be exactly the widest item.
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

  // Watching the model catches every way items come and go.
  QAbstractItemModel* M = model();
  connect(M, &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex&, int First, int Last) {
            for (int Row = First; Row <= Last; ++Row)
              if (QListWidgetItem* It = item(Row))
                FMaxItemWidth = std::max(FMaxItemWidth, ItemWidth(It->text()));
            SetHorizontalExtent();
          });
  connect(M, &QAbstractItemModel::rowsAboutToBeRemoved, this,
          [this](const QModelIndex&, int First, int Last) {
            for (int Row = First; Row <= Last; ++Row)
              if (QListWidgetItem* It = item(Row); It && ItemWidth(It->text()) >= FMaxItemWidth)
                FRecomputeAfterRemoval = true;
            if (FRecomputeAfterRemoval) horizontalScrollBar()->setValue(0);
          });
  connect(M, &QAbstractItemModel::rowsRemoved, this, [this] {
    if (FRecomputeAfterRemoval) {
      FRecomputeAfterRemoval = false;
      ResetHorizontalExtent();
    }
  });
  connect(M, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
    FMaxItemWidth = 0;
    SetHorizontalExtent();
    horizontalScrollBar()->setValue(0);
  });
  connect(M, &QAbstractItemModel::modelReset, this, [this] { ResetHorizontalExtent(); });
  // An edited item may have become the widest or stopped being it.
  connect(M, &QAbstractItemModel::dataChanged, this, [this] { ResetHorizontalExtent(); });
}

TTextListBox::~TTextListBox() {
  // The base class empties the model after this object is gone.
  disconnect(model(), nullptr, this, nullptr);
}

void TTextListBox::SetTabWidth(int Value) {
  if (Value == FTabWidth) return;
  FTabWidth = Value;
  ResetHorizontalExtent();
}

int TTextListBox::ItemWidth(const QString& Text) const {
  const QFontMetrics Metrics(font());
  // The "x" leaves room after the last character.
  const QString Measured = Text + QLatin1Char('x');
  if (FTabWidth < 1) return Metrics.horizontalAdvance(Measured);
  const int Stop = std::max(
      1,
      static_cast<int>(std::lround(FTabWidth * Metrics.horizontalAdvance(QLatin1Char('0')) / 4.0)));
  int X = 0;
  const QStringList Pieces = Measured.split(QLatin1Char('\t'));
  for (qsizetype I = 0; I < Pieces.size(); ++I) {
    if (I > 0) X = (X / Stop + 1) * Stop;
    X += Metrics.horizontalAdvance(Pieces[I]);
  }
  return X;
}

void TTextListBox::ResetHorizontalExtent() {
  FMaxItemWidth = 0;
  for (int Row = 0; Row < count(); ++Row)
    FMaxItemWidth = std::max(FMaxItemWidth, ItemWidth(item(Row)->text()));
  SetHorizontalExtent();
}

void TTextListBox::SetHorizontalExtent() { updateGeometries(); }

void TTextListBox::updateGeometries() {
  QListWidget::updateGeometries();
  // The range is the extent less what the viewport already shows.
  QScrollBar* Bar = horizontalScrollBar();
  const int Page = viewport()->width();
  Bar->setPageStep(Page);
  Bar->setRange(0, std::max(0, FMaxItemWidth - Page));
}

void TTextListBox::changeEvent(QEvent* Event) {
  QListWidget::changeEvent(Event);
  if (Event->type() == QEvent::FontChange) ResetHorizontalExtent();
}
