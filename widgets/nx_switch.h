#pragma once

// A focusable two-state switch: shows an off or an on picture, toggles on a
// left click or its toggle key, can show its caption beside the picture and
// greys its picture out when disabled.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/backing_control.h"
#include "platform/bitmap.h"
#include "platform/form.h"
#include "platform/graphics.h"
#include "widgets/nx_events.h"

class QKeyEvent;

// bsNone or bsSingle (a one-pixel window frame); the larger styles count as single.
using TBorderStyle = TFormBorderStyle;
enum TTextPos { tpNone, tpLeft, tpRight, tpAbove, tpBelow };

// A key with its modifiers: the key code in the low byte, Shift $2000,
// Ctrl $4000, Alt $8000.
using TShortCut = std::uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
// The shortcut a key press stands for; 0 for keys without a code.
TShortCut ShortCutFromKeyEvent(const QKeyEvent& Event);

// The program's own switch pictures, "SWITCH_OFF" and "SWITCH_ON"; null for
// any other name.
std::unique_ptr<TBitmap> LoadSwitchBitmap(const QString& Name);

class TNxSwitch : public TBackingControl {
  Q_OBJECT
 public:
  explicit TNxSwitch(QWidget* AOwner = nullptr);
  ~TNxSwitch() override;

  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  const TBitmap* GlyphOff() const { return FGlyphs[0].get(); }
  const TBitmap* GlyphOn() const { return FGlyphs[1].get(); }
  // A picture is copied; null (or an empty picture) brings the default back.
  void SetGlyphOff(const TBitmap* Value) { SetGlyph(0, Value); }
  void SetGlyphOn(const TBitmap* Value) { SetGlyph(1, Value); }
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool Value);
  TShortCut ToggleKey() const { return FToggleKey; }
  void SetToggleKey(TShortCut Value) { FToggleKey = Value; }
  bool StateOn() const { return FStateOn; }
  void SetStateOn(bool Value);
  TTextPos TextPosition() const { return FTextPosition; }
  void SetTextPosition(TTextPos Value);
  QString Caption() const { return FCaption; }
  void SetCaption(const QString& Value);
  TFont* Font() const { return FFont.get(); }
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value);

  TNotifyEvent OnOn;
  TNotifyEvent OnOff;
  TNotifyEvent OnClick;

  void ToggleSwitch() { SetStateOn(!FStateOn); }

  // What a form description keeps: a picture only when it is user-defined,
  // and the one-byte "Data" set of user-defined pictures (bit 0 off, bit 1
  // on) only when it differs from the ancestor's, or without an ancestor
  // when it is not empty.
  std::uint8_t UserDefined() const { return FUserDefined; }
  bool GlyphStored(int Index) const { return (FUserDefined >> Index) & 1; }
  std::optional<QByteArray> StoredData(const TNxSwitch* Ancestor = nullptr) const;
  void ReadData(const QByteArray& Data);

 protected:
  void PaintBacking(TCanvas& Canvas) override;
  bool event(QEvent* Event) override;
  void changeEvent(QEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;

 private:
  void SetGlyph(int Index, const TBitmap* Value);
  void GlyphChanged(int Index);
  void UpdateShortcut();

  TBorderStyle FBorderStyle = bsNone;
  std::unique_ptr<TBitmap> FGlyphs[2];
  std::unique_ptr<TBitmap> FDisabledGlyphs[2];
  std::uint8_t FUserDefined = 0;
  bool FShowFocus = true;
  TShortCut FToggleKey = 32;
  bool FStateOn = false;
  TTextPos FTextPosition = tpNone;
  QString FCaption;
  std::unique_ptr<TFont> FFont;
  bool FTabStop = true;
  bool FFocused = false;
  bool FPressed = false;
  int FShortcutId = 0;
};
