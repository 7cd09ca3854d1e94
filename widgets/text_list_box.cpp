#include "widgets/text_list_box.h"

#include <QEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <limits>

#include "widgets/shown_text.h"

namespace {

// Measuring a line shapes its text, which dominates loading a long list. Lines are bounded first
// by the advances and pair kernings of their characters, and only a line whose bound passes the
// widest width so far is measured. The tables cost about as much as measuring nine thousand
// short lines, so shorter lists measure every line.
constexpr int BoundsFromRows = 20000;
constexpr char16_t FirstAscii = 0x20;
constexpr char16_t LastAscii = 0x7E;
constexpr int AsciiCount = LastAscii - FirstAscii + 1;
// Widths are sums of 1/64 pixel units; this covers the double's rounding of such sums.
constexpr double Slack = 1.0 / 128;

}  // namespace

TTextListBox::TTextListBox(QWidget* AOwner) : QListWidget(AOwner) {
  // Pixel scrolling so the range can be exactly the widest item.
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setItemDelegate(new TShownTextDelegate(this));

  // Watching the model catches every way items come and go.
  QAbstractItemModel* M = model();
  connect(M, &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex&, int First, int Last) {
            WidenTo(First, Last);
            SetHorizontalExtent();
          });
  connect(M, &QAbstractItemModel::rowsAboutToBeRemoved, this,
          [this](const QModelIndex&, int First, int Last) {
            const bool Bounded = PrepareBounds();
            for (int Row = First; Row <= Last && !FRecomputeAfterRemoval; ++Row) {
              QListWidgetItem* It = item(Row);
              if (!It) continue;
              const QString Text = It->text();
              // A line bounded below the widest cannot be the widest.
              if (Bounded && WidthBound(Text) < FMaxItemWidth) continue;
              if (ItemWidth(Text) >= FMaxItemWidth) FRecomputeAfterRemoval = true;
            }
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

int TTextListBox::TabStop() const {
  const QFontMetrics Metrics(font());
  return std::max(
      1,
      static_cast<int>(std::lround(FTabWidth * Metrics.horizontalAdvance(QLatin1Char('0')) / 4.0)));
}

int TTextListBox::ItemWidth(const QString& Text) const {
  const QFontMetrics Metrics(font());
  // What is drawn of the line is measured; the "x" leaves room after the last character.
  const QString Measured = ShownText(Text) + QLatin1Char('x');
  if (FTabWidth < 1) return Metrics.horizontalAdvance(Measured);
  const int Stop = TabStop();
  int X = 0;
  const QStringList Pieces = Measured.split(QLatin1Char('\t'));
  for (qsizetype I = 0; I < Pieces.size(); ++I) {
    if (I > 0) X = (X / Stop + 1) * Stop;
    X += Metrics.horizontalAdvance(Pieces[I]);
  }
  return X;
}

bool TTextListBox::PrepareBounds(bool Always) {
  if (FHaveBounds && FBoundFont == font()) return true;
  if (!Always && count() < BoundsFromRows) return false;
  FBoundFont = font();
  FZeroAdvance = QFontMetrics(FBoundFont).horizontalAdvance(QLatin1Char('0'));
  const QFontMetricsF Metrics(FBoundFont);
  FAdvance.assign(AsciiCount, 0.0);
  FKerning.assign(AsciiCount * AsciiCount, 0.0);
  for (int A = 0; A < AsciiCount; ++A)
    FAdvance[A] = Metrics.horizontalAdvance(QString(QChar(char16_t(FirstAscii + A))));
  for (int A = 0; A < AsciiCount; ++A)
    for (int B = 0; B < AsciiCount; ++B) {
      const QChar Chars[2] = {QChar(char16_t(FirstAscii + A)), QChar(char16_t(FirstAscii + B))};
      const QString Pair(Chars, 2);
      // Only a widening pair can raise the bound; a narrowing one is left out of it.
      FKerning[A * AsciiCount + B] =
          std::max(0.0, Metrics.horizontalAdvance(Pair) - FAdvance[A] - FAdvance[B]);
    }
  FHaveBounds = true;
  return true;
}

int TTextListBox::ItemWidthBound(const QString& Text) {
  PrepareBounds(true);
  return WidthBound(Text);
}

// Follows ItemWidth step by step with each piece's measure replaced by its bound; the tab stops
// only ever move a piece right for a wider one before it, so the result bounds the measure.
int TTextListBox::WidthBound(const QString& Text) const {
  const bool Tabs = FTabWidth >= 1;
  // The tab stop of ItemWidth, from the advance kept with the tables.
  const int Stop =
      Tabs ? std::max(1, static_cast<int>(std::lround(FTabWidth * FZeroAdvance / 4.0))) : 1;
  int X = 0;
  double Piece = 0;
  int Previous = -1;
  auto EndPiece = [&] {
    // The measure rounds the piece's width to whole pixels.
    X += static_cast<int>(std::floor(Piece + Slack + 0.5));
    Piece = 0;
    Previous = -1;
  };
  auto Add = [&](char16_t C) {
    if (Tabs && C == u'\t') {
      EndPiece();
      X = (X / Stop + 1) * Stop;
      return true;
    }
    if (C < FirstAscii || C > LastAscii) return false;
    const int I = C - FirstAscii;
    Piece += FAdvance[I];
    if (Previous >= 0) Piece += FKerning[Previous * AsciiCount + I];
    Previous = I;
    return true;
  };
  for (const QChar C : ShownText(Text))
    if (!Add(C.unicode())) return std::numeric_limits<int>::max();
  Add(u'x');
  EndPiece();
  return X;
}

void TTextListBox::WidenTo(int First, int Last) {
  if (First > Last) return;
  if (!PrepareBounds()) {
    for (int Row = First; Row <= Last; ++Row)
      if (QListWidgetItem* It = item(Row))
        FMaxItemWidth = std::max(FMaxItemWidth, ItemWidth(It->text()));
    return;
  }
  // The line of the greatest bound is measured first, so that the bounds of most others fall
  // at or below the widest width and they need no measure.
  std::vector<int> Bounds(static_cast<size_t>(Last - First + 1), -1);
  int Widest = -1;
  for (int Row = First; Row <= Last; ++Row)
    if (QListWidgetItem* It = item(Row)) {
      Bounds[Row - First] = WidthBound(It->text());
      if (Widest < 0 || Bounds[Row - First] > Bounds[Widest - First]) Widest = Row;
    }
  if (Widest < 0) return;
  FMaxItemWidth = std::max(FMaxItemWidth, ItemWidth(item(Widest)->text()));
  for (int Row = First; Row <= Last; ++Row)
    if (Row != Widest && Bounds[Row - First] > FMaxItemWidth)
      FMaxItemWidth = std::max(FMaxItemWidth, ItemWidth(item(Row)->text()));
}

void TTextListBox::ResetHorizontalExtent() {
  FMaxItemWidth = 0;
  WidenTo(0, count() - 1);
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
