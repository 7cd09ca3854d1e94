#pragma once
// Base of the controls that draw their own picture: the control owns a backing image, the
// subclass draws into it with Canvas(), and paintEvent only copies the image to the screen.
// Outlines during a drag are drawn with pmNotXor into the image (DrawDragOutline), then update().
//
// A control that follows the screen's pixel ratio keeps its image in device pixels, at that many
// pixels per inch, and draws it as a printer page is drawn: fonts and pens in device pixels, so
// the picture is as sharp as the screen. Its drawing and mouse coordinates are the image's; the
// others keep one image pixel per control pixel and Qt scales them.
#include <memory>

#include <QWidget>

#include "platform/bitmap.h"
#include "platform/canvas.h"

class TBackingControl : public QWidget {
  Q_OBJECT

 public:
  explicit TBackingControl(QWidget* Parent = nullptr);
  ~TBackingControl() override;

  TBitmap* Backing() const { return FBacking.get(); }
  TCanvas* Canvas() const { return FBacking->Canvas(); }
  // Draws the whole picture again into the backing image and schedules a repaint.
  void Redraw();

  // Image pixels per control pixel: the screen's device pixel ratio when the control follows
  // it, else 1.
  qreal PixelRatio() const;
  // A ratio to use instead of the screen's (0 follows the screen again); the next paint draws
  // the picture at it.
  void SetPixelRatioOverride(qreal Ratio);
  // The image's own rectangle, at the size the control's present size and ratio ask.
  TRect BackingRect() const;
  // Control (event) coordinates to image coordinates, and back.
  TPoint ToBacking(const QPointF& P) const;
  QPoint FromBacking(int X, int Y) const;
  // Draws Outline's rectangle with a one-pixel NOT-XOR pen and a clear brush; a second call with
  // the same rectangle removes it. Pen and brush of the canvas are restored afterwards.
  void DrawDragOutline(const TRect& Outline, TPenStyle Style = psSolid);

 protected:
  // Draws the whole picture; Canvas() has the size of the control. The default fills it with
  // the control's Color.
  virtual void PaintBacking(TCanvas& Canvas);
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void SetFollowsPixelRatio(bool Value);
  // Sizes the image for the control's present size and ratio; true when it had to change.
  bool SizeBacking();
  // True when the image does not have the size and resolution the control asks now.
  bool BackingStale() const;

 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);

 private:
  std::unique_ptr<TBitmap> FBacking;
  TColor FColor = clBtnFace;
  bool FDirty = true;
  bool FFollowsPixelRatio = false;
  qreal FRatioOverride = 0;
};
