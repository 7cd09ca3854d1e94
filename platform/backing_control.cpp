#include "platform/backing_control.h"

#include <QPaintEvent>
#include <QPainter>

TBackingControl::TBackingControl(QWidget* Parent)
    : QWidget(Parent), FBacking(std::make_unique<TBitmap>()) {
  // The backing image covers every pixel, so Qt need not clear the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

TBackingControl::~TBackingControl() = default;

void TBackingControl::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Redraw();
}

void TBackingControl::Redraw() {
  FBacking->SetSize(width(), height());
  if (!FBacking->Empty()) PaintBacking(*FBacking->Canvas());
  FDirty = false;
  update();
}

void TBackingControl::PaintBacking(TCanvas& Canvas) {
  Canvas.Brush()->SetColor(FColor);
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.FillRect(Rect(0, 0, width(), height()));
}

void TBackingControl::DrawDragOutline(const TRect& Outline, TPenStyle Style) {
  if (FBacking->Empty()) return;
  TCanvas* C = FBacking->Canvas();
  TPen SavedPen;
  SavedPen.Assign(*C->Pen());
  TBrush SavedBrush;
  SavedBrush.Assign(*C->Brush());
  C->Pen()->SetData(TPenData{clBlack, 1, Style, pmNotXor});
  C->Brush()->SetStyle(bsClear);
  C->Rectangle(Outline);
  C->Pen()->Assign(SavedPen);
  C->Brush()->Assign(SavedBrush);
  update();
}

void TBackingControl::resizeEvent(QResizeEvent* Event) {
  QWidget::resizeEvent(Event);
  // Hidden widgets get their resize event late, possibly after a Redraw at the new size.
  if (FBacking->Width() != width() || FBacking->Height() != height()) FDirty = true;
}

void TBackingControl::paintEvent(QPaintEvent* Event) {
  // Drawing happens outside paint events; this copies, except for the first paint after a
  // resize, which must fill the new area before it can be copied.
  if (FDirty || FBacking->Width() != width() || FBacking->Height() != height()) {
    FBacking->SetSize(width(), height());
    if (!FBacking->Empty()) PaintBacking(*FBacking->Canvas());
    FDirty = false;
  }
  QPainter P(this);
  P.drawImage(Event->rect(), FBacking->Image(), Event->rect());
}
