#include "platform/backing_control.h"

#include <algorithm>
#include <cmath>

#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

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
  SizeBacking();
  if (!FBacking->Empty()) PaintBacking(*FBacking->Canvas());
  FDirty = false;
  update();
}

qreal TBackingControl::PixelRatio() const {
  if (!FFollowsPixelRatio) return 1;
  const qreal R = FRatioOverride > 0 ? FRatioOverride : devicePixelRatioF();
  return std::isfinite(R) && R > 0 ? std::clamp(R, qreal(0.25), qreal(8)) : 1;
}

void TBackingControl::SetFollowsPixelRatio(bool Value) {
  if (FFollowsPixelRatio == Value) return;
  FFollowsPixelRatio = Value;
  FDirty = true;
  update();
}

void TBackingControl::SetPixelRatioOverride(qreal Ratio) {
  if (FRatioOverride == Ratio) return;
  FRatioOverride = Ratio;
  FDirty = true;
  update();
}

TRect TBackingControl::BackingRect() const {
  const qreal R = PixelRatio();
  return {0, 0, std::max(qRound(width() * R), 0), std::max(qRound(height() * R), 0)};
}

TPoint TBackingControl::ToBacking(const QPointF& P) const {
  const qreal R = PixelRatio();
  return {qFloor(P.x() * R), qFloor(P.y() * R)};
}

QPoint TBackingControl::FromBacking(int X, int Y) const {
  const qreal R = PixelRatio();
  return {qFloor(X / R), qFloor(Y / R)};
}

bool TBackingControl::BackingStale() const {
  const TRect B = BackingRect();
  return FBacking->Width() != B.Right || FBacking->Height() != B.Bottom ||
         FBacking->PixelsPerInch() != qRound(96 * PixelRatio());
}

bool TBackingControl::SizeBacking() {
  if (!BackingStale()) return false;
  const TRect B = BackingRect();
  FBacking->SetSize(B.Right, B.Bottom);
  FBacking->SetPixelsPerInch(qRound(96 * PixelRatio()));
  return true;
}

void TBackingControl::PaintBacking(TCanvas& Canvas) {
  Canvas.Brush()->SetColor(FColor);
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.FillRect(BackingRect());
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
  if (BackingStale()) FDirty = true;
}

void TBackingControl::paintEvent(QPaintEvent* Event) {
  // Drawing happens outside paint events; this copies, except for the first paint after a
  // resize or a move to a screen of another ratio, which must draw before it can copy.
  if (FDirty || BackingStale()) {
    SizeBacking();
    if (!FBacking->Empty()) PaintBacking(*FBacking->Canvas());
    FDirty = false;
  }
  QPainter P(this);
  const qreal R = PixelRatio();
  if (R == 1) {
    P.drawImage(Event->rect(), FBacking->Image(), Event->rect());
    return;
  }
  // Image pixels land on device pixels one to one when the ratio is the screen's.
  const QRectF Target(Event->rect());
  P.drawImage(Target, FBacking->Image(),
              QRectF(Target.x() * R, Target.y() * R, Target.width() * R, Target.height() * R));
}
