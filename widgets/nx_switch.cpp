#include "widgets/nx_switch.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QShortcutEvent>

#include "platform/app_services.h"
#include "platform/canvas.h"
#include "widgets/vcl_utils.h"

TShortCut ShortCutFromKeyEvent(const QKeyEvent& Event) {
  const int Key = Event.key();
  int Code = 0;
  if ((Key >= Qt::Key_0 && Key <= Qt::Key_9) || (Key >= Qt::Key_A && Key <= Qt::Key_Z) ||
      Key == Qt::Key_Space)
    Code = Key;  // the same codes on both sides
  else if (Key >= Qt::Key_F1 && Key <= Qt::Key_F24)
    Code = 112 + (Key - Qt::Key_F1);
  else {
    switch (Key) {
      case Qt::Key_Backspace:
        Code = 8;
        break;
      case Qt::Key_Tab:
        Code = 9;
        break;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        Code = 13;
        break;
      case Qt::Key_Escape:
        Code = 27;
        break;
      case Qt::Key_PageUp:
        Code = 33;
        break;
      case Qt::Key_PageDown:
        Code = 34;
        break;
      case Qt::Key_End:
        Code = 35;
        break;
      case Qt::Key_Home:
        Code = 36;
        break;
      case Qt::Key_Left:
        Code = 37;
        break;
      case Qt::Key_Up:
        Code = 38;
        break;
      case Qt::Key_Right:
        Code = 39;
        break;
      case Qt::Key_Down:
        Code = 40;
        break;
      case Qt::Key_Insert:
        Code = 45;
        break;
      case Qt::Key_Delete:
        Code = 46;
        break;
      default:
        return 0;
    }
  }
  TShortCut Result = static_cast<TShortCut>(Code);
  const Qt::KeyboardModifiers Mods = Event.modifiers();
  if (Mods & Qt::ShiftModifier) Result |= scShift;
  if (Mods & Qt::ControlModifier) Result |= scCtrl;
  if (Mods & Qt::AltModifier) Result |= scAlt;
  return Result;
}

// ---------------------------------------------------------------------------
// The default pictures: a lever in its slot, up and lit when on, down and
// dark when off. Black is the see-through colour: the background and the
// rings around the slot and the knob, so the greyed-out picture keeps its shape.

std::unique_ptr<TBitmap> LoadSwitchBitmap(const QString& Name) {
  const bool On = Name.compare(QLatin1String("SWITCH_ON"), Qt::CaseInsensitive) == 0;
  if (!On && Name.compare(QLatin1String("SWITCH_OFF"), Qt::CaseInsensitive) != 0) return nullptr;
  auto B = std::make_unique<TBitmap>(23, 39);
  TCanvas& C = *B->Canvas();
  C.Brush()->SetColor(clBlack);
  C.FillRect(Rect(0, 0, 23, 39));
  // The plate and its slot.
  C.Pen()->SetColor(clGray);
  C.Brush()->SetColor(clSilver);
  C.RoundRect(3, 1, 20, 38, 6, 6);
  C.Brush()->SetColor(clBlack);
  C.FillRect(Rect(9, 5, 14, 34));
  C.Brush()->SetColor(RGB(64, 64, 64));
  C.FillRect(Rect(10, 6, 13, 33));
  // The lever's knob in its ring.
  const int Top = On ? 4 : 21;
  C.Pen()->SetColor(clBlack);
  C.RoundRect(5, Top - 1, 18, Top + 15, 6, 6);
  C.Pen()->SetColor(On ? clGreen : clMaroon);
  C.Brush()->SetColor(On ? clLime : clRed);
  C.RoundRect(6, Top, 17, Top + 14, 5, 5);
  C.Pen()->SetColor(clWhite);
  C.MoveTo(8, Top + 3);
  C.LineTo(15, Top + 3);
  return B;
}

// ---------------------------------------------------------------------------
// TNxSwitch

TNxSwitch::TNxSwitch(QWidget* AOwner) : TBackingControl(AOwner), FFont(std::make_unique<TFont>()) {
  resize(50, 60);
  setFocusPolicy(Qt::StrongFocus);
  FFont->OnChange = [this](TGraphicsObject*) { Redraw(); };
  SetGlyph(0, nullptr);
  SetGlyph(1, nullptr);
}

TNxSwitch::~TNxSwitch() {
  FFont->OnChange = nullptr;
  for (auto& G : FGlyphs)
    if (G) G->OnChange = nullptr;
}

void TNxSwitch::SetGlyph(int Index, const TBitmap* Value) {
  auto Glyph = std::make_unique<TBitmap>();
  if (Value && !Value->Empty()) {
    Glyph->Assign(Value);
    FUserDefined |= static_cast<std::uint8_t>(1u << Index);
  } else {
    Glyph =
        LoadSwitchBitmap(Index == 0 ? QStringLiteral("SWITCH_OFF") : QStringLiteral("SWITCH_ON"));
    FUserDefined &= static_cast<std::uint8_t>(~(1u << Index));
  }
  Glyph->OnChange = [this, Index](TGraphic*) { GlyphChanged(Index); };
  if (FGlyphs[Index]) FGlyphs[Index]->OnChange = nullptr;
  FGlyphs[Index] = std::move(Glyph);
  GlyphChanged(Index);
}

void TNxSwitch::GlyphChanged(int Index) {
  FDisabledGlyphs[Index] = CreateDisabledBitmap(*FGlyphs[Index], clBlack);
  Redraw();
}

std::optional<QByteArray> TNxSwitch::StoredData(const TNxSwitch* Ancestor) const {
  const bool Differs = Ancestor ? Ancestor->FUserDefined != FUserDefined : FUserDefined != 0;
  if (!Differs) return std::nullopt;
  return QByteArray(1, static_cast<char>(FUserDefined));
}

void TNxSwitch::ReadData(const QByteArray& Data) {
  // Only the two defined bits of the first byte mean anything.
  if (!Data.isEmpty()) FUserDefined = static_cast<std::uint8_t>(Data[0]) & 3u;
}

void TNxSwitch::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  Redraw();
}

void TNxSwitch::SetShowFocus(bool Value) {
  if (Value == FShowFocus) return;
  FShowFocus = Value;
  Redraw();
}

void TNxSwitch::SetStateOn(bool Value) {
  if (Value == FStateOn) return;
  FStateOn = Value;
  Redraw();
  const TNotifyEvent& Event = Value ? OnOn : OnOff;
  if (Event) Event(this);
}

void TNxSwitch::SetTextPosition(TTextPos Value) {
  if (Value == FTextPosition) return;
  FTextPosition = Value;
  Redraw();
}

void TNxSwitch::SetCaption(const QString& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  UpdateShortcut();
  Redraw();
}

void TNxSwitch::SetTabStop(bool Value) {
  if (Value == FTabStop) return;
  FTabStop = Value;
  setFocusPolicy(Value ? Qt::StrongFocus : Qt::NoFocus);
  Redraw();
}

void TNxSwitch::UpdateShortcut() {
  if (FShortcutId != 0) {
    releaseShortcut(FShortcutId);
    FShortcutId = 0;
  }
  const QChar Key = AccelChar(FCaption);
  if (!Key.isNull()) FShortcutId = grabShortcut(QKeySequence(Qt::ALT | Qt::Key(Key.unicode())));
}

void TNxSwitch::PaintBacking(TCanvas& Canvas) {
  Canvas.SetFont(FFont.get());
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.Brush()->SetColor(Color());
  TRect Client{0, 0, width(), height()};
  Canvas.FillRect(Client);
  if (FBorderStyle != bsNone) {
    Canvas.Brush()->SetColor(clWindowFrame);
    Canvas.FrameRect(Client);
    Canvas.Brush()->SetColor(Color());
    Client = TRect{1, 1, Client.Right - 1, Client.Bottom - 1};
  }

  const int Index = FStateOn ? 1 : 0;
  const TBitmap* Glyph = FGlyphs[Index].get();
  if (!isEnabled() && FDisabledGlyphs[Index]) Glyph = FDisabledGlyphs[Index].get();
  const int GW = Glyph->Width();
  const int GH = Glyph->Height();
  const int W = Client.Width();
  const int H = Client.Height();
  TRect TextArea = Client;
  int X = (W - GW) / 2;
  int Y = (H - GH) / 2;
  switch (FTextPosition) {
    case tpNone:
      break;
    case tpLeft:
      X = W - GW;
      TextArea.Right -= GW;
      break;
    case tpRight:
      X = 0;
      TextArea.Left += GW;
      break;
    case tpAbove:
      Y = H - GH;
      TextArea.Bottom -= GH;
      break;
    case tpBelow:
      Y = 0;
      TextArea.Top += GH;
      break;
  }
  X += Client.Left;
  Y += Client.Top;

  // The picture's own background (its bottom-left pixel) takes the control's colour.
  if (GW > 0 && GH > 0) {
    const TColor Transparent = FromQColor(Glyph->Image().pixelColor(0, GH - 1));
    Canvas.Brush()->SetColor(Color());
    Canvas.BrushCopy(Bounds(X, Y, GW, GH), Glyph, Rect(0, 0, GW, GH), Transparent);
  }
  if (FFocused && FShowFocus && FTabStop)
    Canvas.DrawFocusRect(TRect{X - 1, Y - 1, X + GW + 1, Y + GH + 1});

  if (FTextPosition != tpNone && !FCaption.isEmpty()) {
    const int LineHeight = Canvas.TextHeight(QStringLiteral("W"));
    const int Top = TextArea.Top + (TextArea.Height() - LineHeight) / 2;
    TRect Line{TextArea.Left, Top, TextArea.Right, Top + LineHeight};
    Canvas.Brush()->SetStyle(bsClear);
    Canvas.DrawText(FCaption, Line, DT_CENTER | DT_EXPANDTABS);
  }
}

bool TNxSwitch::event(QEvent* Event) {
  if (Event->type() == QEvent::Shortcut && FShortcutId != 0 &&
      static_cast<QShortcutEvent*>(Event)->shortcutId() == FShortcutId) {
    // The accelerator only brings the focus; it does not toggle.
    if (isEnabled() && focusPolicy() != Qt::NoFocus) setFocus(Qt::ShortcutFocusReason);
    return true;
  }
  return TBackingControl::event(Event);
}

void TNxSwitch::changeEvent(QEvent* Event) {
  TBackingControl::changeEvent(Event);
  if (Event->type() == QEvent::EnabledChange) Redraw();
}

void TNxSwitch::focusInEvent(QFocusEvent* Event) {
  TBackingControl::focusInEvent(Event);
  if (!FFocused) {
    FFocused = true;
    if (FShowFocus) Redraw();
  }
}

void TNxSwitch::focusOutEvent(QFocusEvent* Event) {
  TBackingControl::focusOutEvent(Event);
  if (FFocused) {
    FFocused = false;
    if (FShowFocus) Redraw();
  }
}

void TNxSwitch::keyPressEvent(QKeyEvent* Event) {
  if (ShortCutFromKeyEvent(*Event) == FToggleKey) {
    // The owner's events must not throw through the event loop.
    RunGuarded([this] { ToggleSwitch(); });
    Event->accept();
    return;
  }
  TBackingControl::keyPressEvent(Event);
}

void TNxSwitch::mousePressEvent(QMouseEvent* Event) {
  if (Event->button() == Qt::LeftButton) {
    if (FTabStop && isEnabled() && focusPolicy() != Qt::NoFocus) setFocus(Qt::MouseFocusReason);
    RunGuarded([this] { ToggleSwitch(); });
    FPressed = true;
  }
  TBackingControl::mousePressEvent(Event);
}

void TNxSwitch::mouseReleaseEvent(QMouseEvent* Event) {
  TBackingControl::mouseReleaseEvent(Event);
  if (Event->button() != Qt::LeftButton || !FPressed) return;
  FPressed = false;
  if (rect().contains(Event->position().toPoint()) && OnClick)
    RunGuarded([this] { OnClick(this); });
}
