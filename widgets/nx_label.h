#pragma once

// A label that draws its caption with a one-colour shadow. It can be
// transparent, shows a focus rectangle while its associated control has the
// focus, hands its accelerator key to that control and reports when the
// pointer enters and leaves it.

#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>

#include "platform/backing_control.h"
#include "platform/graphics.h"
#include "widgets/nx_events.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };

// Draws Text offset by ShadowSize towards ShadowPos in ShadowColor, then Text
// itself in the canvas font colour; R becomes the union of both rectangles.
// Answers the text height plus ShadowSize.
int DrawShadowText(TCanvas& Canvas, const QString& Text, TShadowPosition ShadowPos,
                   TColor ShadowColor, int ShadowSize, unsigned Flags, TRect& R);

class TNxCustomLabel : public TBackingControl {
  Q_OBJECT
 public:
  explicit TNxCustomLabel(QWidget* AOwner = nullptr);
  ~TNxCustomLabel() override;

  QString Caption() const { return FCaption; }
  void SetCaption(const QString& Value);
  TFont* Font() const { return FFont.get(); }

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  QWidget* FocusControl() const { return FFocusControl; }
  void SetFocusControl(QWidget* Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor Value);
  std::uint8_t ShadowSize() const { return FShadowSize; }
  void SetShadowSize(std::uint8_t Value);
  TShadowPosition ShadowPos() const { return FShadowPos; }
  void SetShadowPos(TShadowPosition Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  bool MouseInControl() const { return FMouseInControl; }

  // In a layout an auto-sized label asks for the size of its text.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  virtual TColor GetDefaultFontColor() const;
  virtual QString GetLabelCaption() const;

  void PaintBacking(TCanvas& Canvas) override;
  void AdjustBounds();
  void DoDrawText(TCanvas& Canvas, TRect& R, unsigned Flags) const;
  void UpdateTracking();
  virtual void MouseEnter();
  virtual void MouseLeave();

  bool event(QEvent* Event) override;
  void changeEvent(QEvent* Event) override;
  void enterEvent(QEnterEvent* Event) override;
  void leaveEvent(QEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void showEvent(QShowEvent* Event) override;

 private:
  void FocusChanged(QWidget* Now);
  void UpdateShortcut();
  TColor TransparentKey() const;

  QString FCaption;
  std::unique_ptr<TFont> FFont;
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
  QPointer<QWidget> FFocusControl;
  TTextLayout FLayout = tlTop;
  TColor FShadowColor = clBtnHighlight;
  std::uint8_t FShadowSize = 1;
  TShadowPosition FShadowPos = spLeftTop;
  bool FShowAccelChar = true;
  bool FShowFocus = false;
  bool FTransparent = false;
  bool FWordWrap = false;

  int FLeftMargin = 0;
  int FRightMargin = 0;
  bool FFocused = false;
  bool FMouseInControl = false;
  bool FDragging = false;
  int FShortcutId = 0;
  bool FStale = true;
  QSize FAutoSizeHint{65, 17};  // the backing image must be drawn before it is shown
};

// The published label.
class TNxLabel : public TNxCustomLabel {
  Q_OBJECT
 public:
  explicit TNxLabel(QWidget* AOwner = nullptr) : TNxCustomLabel(AOwner) {}
};
