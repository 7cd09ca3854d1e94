#pragma once
// Base of the controls that draw their own picture: the control owns a backing image, the
// subclass draws into it with Canvas(), and paintEvent only copies the image to the screen.
// Outlines during a drag are drawn with pmNotXor into the image (DrawDragOutline), then update().
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
  // Draws Outline's rectangle with a one-pixel NOT-XOR pen and a clear brush; a second call with
  // the same rectangle removes it. Pen and brush of the canvas are restored afterwards.
  void DrawDragOutline(const TRect& Outline, TPenStyle Style = psSolid);

 protected:
  // Draws the whole picture; Canvas() has the size of the control. The default fills it with
  // the control's Color.
  virtual void PaintBacking(TCanvas& Canvas);
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;

 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);

 private:
  std::unique_ptr<TBitmap> FBacking;
  TColor FColor = clBtnFace;
  bool FDirty = true;
};
