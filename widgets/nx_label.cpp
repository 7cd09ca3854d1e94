#include "widgets/nx_label.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QShortcutEvent>

#include <algorithm>

#include "platform/app_services.h"
#include "platform/canvas.h"
#include "widgets/vcl_utils.h"

int DrawShadowText(TCanvas& Canvas, const QString& Text, TShadowPosition ShadowPos,
                   TColor ShadowColor, int ShadowSize, unsigned Flags, TRect& R) {
  int Dx = ShadowSize;
  int Dy = ShadowSize;
  switch (ShadowPos) {
    case spLeftTop:
      Dx = -ShadowSize;
      Dy = -ShadowSize;
      break;
    case spLeftBottom:
      Dx = -ShadowSize;
      break;
    case spRightBottom:
      break;
    case spRightTop:
      Dy = -ShadowSize;
      break;
  }
  TRect Shadow{R.Left + Dx, R.Top + Dy, R.Right + Dx, R.Bottom + Dy};
  const TColor TextColor = Canvas.Font()->Color();
  Canvas.Font()->SetColor(ShadowColor);
  Canvas.DrawText(Text, Shadow, Flags);
  Canvas.Font()->SetColor(TextColor);
  const int Height = Canvas.DrawText(Text, R, Flags);
  R = TRect{std::min(R.Left, Shadow.Left), std::min(R.Top, Shadow.Top),
            std::max(R.Right, Shadow.Right), std::max(R.Bottom, Shadow.Bottom)};
  return Height + ShadowSize;
}

namespace {

constexpr unsigned AlignmentFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

// Labels are measured as on the screen, whatever target they draw on later.
TCanvas& MeasureCanvas() {
  static TBitmap Screen(1, 1);
  return *Screen.Canvas();
}

}  // namespace

TNxCustomLabel::TNxCustomLabel(QWidget* AOwner)
    : TBackingControl(AOwner), FFont(std::make_unique<TFont>()) {
  resize(65, 17);
  FFont->OnChange = [this](TGraphicsObject*) {
    AdjustBounds();
    Redraw();
  };
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* Now) { FocusChanged(Now); });
}

TNxCustomLabel::~TNxCustomLabel() {
  // Focus moves while the widgets below are torn down; this label must not hear of it.
  disconnect(qApp, nullptr, this, nullptr);
  FFont->OnChange = nullptr;
}

TColor TNxCustomLabel::GetDefaultFontColor() const { return FFont->Color(); }

QString TNxCustomLabel::GetLabelCaption() const { return FCaption; }

void TNxCustomLabel::SetCaption(const QString& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  UpdateShortcut();
  AdjustBounds();
  Redraw();
}

void TNxCustomLabel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Redraw();
}

void TNxCustomLabel::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TNxCustomLabel::SetFocusControl(QWidget* Value) {
  FFocusControl = Value;
  FFocused = Value && QApplication::focusWidget() == Value;
  Redraw();
}

void TNxCustomLabel::SetLayout(TTextLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Redraw();
}

void TNxCustomLabel::SetShadowColor(TColor Value) {
  if (Value == FShadowColor) return;
  FShadowColor = Value;
  Redraw();
}

void TNxCustomLabel::SetShadowSize(std::uint8_t Value) {
  if (Value == FShadowSize) return;
  FShadowSize = Value;
  AdjustBounds();
  Redraw();
}

void TNxCustomLabel::SetShadowPos(TShadowPosition Value) {
  if (Value == FShadowPos) return;
  FShadowPos = Value;
  Redraw();
}

void TNxCustomLabel::SetShowAccelChar(bool Value) {
  if (Value == FShowAccelChar) return;
  FShowAccelChar = Value;
  UpdateShortcut();
  Redraw();
}

void TNxCustomLabel::SetShowFocus(bool Value) {
  if (Value == FShowFocus) return;
  FShowFocus = Value;
  Redraw();
}

void TNxCustomLabel::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  // Qt paints the parent beneath a widget that does not claim every pixel.
  setAttribute(Qt::WA_OpaquePaintEvent, !Value);
  Redraw();
}

void TNxCustomLabel::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  Redraw();
}

void TNxCustomLabel::DoDrawText(TCanvas& Canvas, TRect& R, unsigned Flags) const {
  QString Text = GetLabelCaption();
  // An empty caption still measures one line high.
  if ((Flags & DT_CALCRECT) && (Text.isEmpty() || (FShowAccelChar && Text == QLatin1String("&"))))
    Text += QLatin1Char(' ');
  if (!FShowAccelChar) Flags |= DT_NOPREFIX;
  Canvas.SetFont(FFont.get());
  Canvas.Font()->SetColor(GetDefaultFontColor());
  TColor Shadow = FShadowColor;
  int Size = FShadowSize;
  TShadowPosition Pos = FShadowPos;
  if (!isEnabled()) {
    Canvas.Font()->SetColor(clGrayText);
    Shadow = clBtnHighlight;
    if (Size == 0) {
      // Grey text without any relief would be hard to read.
      Pos = spRightBottom;
      Size = 1;
    }
  }
  DrawShadowText(Canvas, Text, Pos, Shadow, Size, Flags, R);
}

TColor TNxCustomLabel::TransparentKey() const {
  // A colour no caption is drawn in marks the pixels left to the parent.
  const TColor Used[] = {ColorToRGB(GetDefaultFontColor()), ColorToRGB(FShadowColor),
                         ColorToRGB(clGrayText), ColorToRGB(clBtnHighlight)};
  for (TColor Key : {RGB(1, 254, 3), RGB(3, 1, 254)})
    if (std::find(std::begin(Used), std::end(Used), Key) == std::end(Used)) return Key;
  return RGB(254, 3, 1);
}

void TNxCustomLabel::PaintBacking(TCanvas& Canvas) {
  FStale = false;
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.Brush()->SetColor(FTransparent ? TransparentKey() : Color());
  Canvas.FillRect(Rect(0, 0, width(), height()));
  Canvas.Brush()->SetStyle(bsClear);

  TRect R{FLeftMargin + 1, 0, width() - FRightMargin - 1, height()};
  const unsigned Flags =
      DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0u) | AlignmentFlags[FAlignment];
  if (FLayout != tlTop) {
    TRect Calc = R;
    DoDrawText(Canvas, Calc, Flags | DT_CALCRECT);
    int Dy = height() - Calc.Bottom;
    if (FLayout == tlCenter) Dy /= 2;
    R.Top += Dy;
    R.Bottom += Dy;
  }
  TRect Drawn = R;
  DoDrawText(Canvas, Drawn, Flags);

  if (FShowFocus && FFocusControl && FFocused) {
    // Around the text itself, which alignment may have moved within R.
    TRect Text = R;
    DoDrawText(MeasureCanvas(), Text, Flags | DT_CALCRECT);
    const int W = Text.Right - Text.Left;
    int Left = R.Left;
    if (FAlignment == taRightJustify)
      Left = R.Right - W;
    else if (FAlignment == taCenter)
      Left = R.Left + (R.Width() - W) / 2;
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(FTransparent ? TransparentKey() : Color());
    Canvas.DrawFocusRect(TRect{Left - 1, Text.Top - 1, Left + W + 1, Text.Bottom + 1});
  }
}

void TNxCustomLabel::AdjustBounds() {
  if (!FAutoSize) return;
  TRect R{0, 0, width(), height()};
  DoDrawText(MeasureCanvas(), R, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0u));
  R.Left -= 1;
  R.Right += 1;
  const int NewWidth = R.Width();
  FAutoSizeHint = QSize(NewWidth, R.Height());
  int X = x();
  if (FAlignment == taRightJustify) X += width() - NewWidth;
  setGeometry(X, y(), NewWidth, R.Height());
  updateGeometry();
}

QSize TNxCustomLabel::sizeHint() const { return FAutoSize ? FAutoSizeHint : size(); }

void TNxCustomLabel::UpdateShortcut() {
  if (FShortcutId != 0) {
    releaseShortcut(FShortcutId);
    FShortcutId = 0;
  }
  if (!FShowAccelChar) return;
  const QChar Key = AccelChar(FCaption);
  if (!Key.isNull()) FShortcutId = grabShortcut(QKeySequence(Qt::ALT | Qt::Key(Key.unicode())));
}

bool TNxCustomLabel::event(QEvent* Event) {
  if (Event->type() == QEvent::Shortcut &&
      static_cast<QShortcutEvent*>(Event)->shortcutId() == FShortcutId) {
    if (FFocusControl && isEnabled() && FShowAccelChar) {
      if (FFocusControl->isEnabled() && FFocusControl->isVisible() &&
          FFocusControl->focusPolicy() != Qt::NoFocus)
        FFocusControl->setFocus(Qt::ShortcutFocusReason);
      return true;
    }
  }
  return TBackingControl::event(Event);
}

void TNxCustomLabel::FocusChanged(QWidget* Now) {
  const bool Focused = FFocusControl && Now == FFocusControl;
  if (Focused == FFocused) return;
  FFocused = Focused;
  if (FShowFocus) Redraw();
}

void TNxCustomLabel::MouseEnter() {
  // Called from the event loop, which no exception may cross.
  if (OnMouseEnter) RunGuarded([this] { OnMouseEnter(this); });
}

void TNxCustomLabel::MouseLeave() {
  if (OnMouseLeave) RunGuarded([this] { OnMouseLeave(this); });
}

void TNxCustomLabel::UpdateTracking() {
  const bool Inside =
      isEnabled() && QApplication::widgetAt(QCursor::pos()) == this && IsForegroundTask();
  if (Inside == FMouseInControl) return;
  FMouseInControl = Inside;
  if (Inside)
    MouseEnter();
  else
    MouseLeave();
}

void TNxCustomLabel::enterEvent(QEnterEvent* Event) {
  TBackingControl::enterEvent(Event);
  if (!FMouseInControl && isEnabled() && IsForegroundTask()) {
    FMouseInControl = true;
    MouseEnter();
  }
}

void TNxCustomLabel::leaveEvent(QEvent* Event) {
  TBackingControl::leaveEvent(Event);
  if (FMouseInControl && isEnabled() && !FDragging) {
    FMouseInControl = false;
    MouseLeave();
  }
}

void TNxCustomLabel::mousePressEvent(QMouseEvent* Event) {
  TBackingControl::mousePressEvent(Event);
  if (Event->button() == Qt::LeftButton && isEnabled())
    FDragging = true;
  else if (Event->button() == Qt::RightButton)
    UpdateTracking();
}

void TNxCustomLabel::mouseReleaseEvent(QMouseEvent* Event) {
  TBackingControl::mouseReleaseEvent(Event);
  if (Event->button() == Qt::LeftButton) FDragging = false;
  UpdateTracking();
}

void TNxCustomLabel::changeEvent(QEvent* Event) {
  TBackingControl::changeEvent(Event);
  if (Event->type() == QEvent::EnabledChange) {
    Redraw();
    UpdateTracking();
  }
}

void TNxCustomLabel::showEvent(QShowEvent* Event) {
  TBackingControl::showEvent(Event);
  UpdateTracking();
}

void TNxCustomLabel::resizeEvent(QResizeEvent* Event) {
  TBackingControl::resizeEvent(Event);
  FStale = true;
}

void TNxCustomLabel::paintEvent(QPaintEvent* Event) {
  if (!FTransparent) {
    TBackingControl::paintEvent(Event);
    return;
  }
  if (FStale || Backing()->Width() != width() || Backing()->Height() != height()) {
    Backing()->SetSize(width(), height());
    if (!Backing()->Empty()) PaintBacking(*Canvas());
  }
  // Only the pixels the label drew are copied; the rest shows the parent.
  QImage Picture = Backing()->Image().convertToFormat(QImage::Format_ARGB32);
  const QRgb Key = ToQColor(TransparentKey()).rgb() | 0xFF000000u;
  for (int Y = 0; Y < Picture.height(); ++Y) {
    QRgb* Line = reinterpret_cast<QRgb*>(Picture.scanLine(Y));
    for (int X = 0; X < Picture.width(); ++X)
      if ((Line[X] | 0xFF000000u) == Key) Line[X] = 0;
  }
  QPainter P(this);
  P.drawImage(Event->rect(), Picture, Event->rect());
}
