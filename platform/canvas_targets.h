#pragma once
// The places a TCanvas draws on: an image (bitmaps, backing images, off-screen buffers), a
// printer or PDF page, a recording log for tests, and the interface a metafile writer implements.
#include <optional>
#include <vector>

#include <QPainter>

#include "platform/canvas.h"
#include "platform/text_file.h"

class QImage;
class QPagedPaintDevice;

// Draws primitives with a QPainter, antialiasing off. Raster pen modes need a target that can
// combine with what is already there; others draw them as copy.
class TPainterTarget : public TCanvasTarget {
 public:
  void Execute(const TCanvasOp& Op) override;

  // Thin lines in copy mode are set pixel by pixel; on an image they are written into its memory
  // straight away rather than handed to the painter as points, and small solid polygons are
  // filled there too, which gives the same pixels in a fraction of the time. Off, every pixel
  // goes through the painter (to compare the two).
  void SetDirectPixels(bool Value) { FDirectPixels = Value; }
  bool DirectPixels() const { return FDirectPixels; }

 protected:
  // The painter to draw with, begun on the device; null when the device cannot be painted.
  virtual QPainter* ActivePainter() = 0;
  virtual bool SupportsRasterOps() const = 0;
  // The image the active painter draws into, when its pixels may be written directly (32-bit
  // formats, not shared); null otherwise.
  virtual QImage* DirectImage() { return nullptr; }
  // True where nothing but Execute draws with the painter, so that the settings Execute leaves
  // behind (render hints, transform, clip) hold for the next primitive and need not be set again.
  virtual bool OwnsPainter() const { return false; }
  // The painter ended or was replaced: its settings are unknown again.
  void PainterEnded() {
    FPrepared = false;
    FClipKnown = false;
    FDeviceKnown = false;
  }

 private:
  // Fills a polygon straight into the image where its state allows it (see TAliasedFill);
  // false leaves it to the painter.
  bool FillDirect(const TCanvasOp& Op, QPainter& P);
  const QPen& CachedPen(const TPenData& Pen);
  const QBrush& CachedBrush(const TBrushData& Brush, TBackMode BackMode, TColor BackColor);

  bool FDirectPixels = true;
  bool FPrepared = false;
  bool FClipKnown = false;
  bool FClipOn = false;
  QRegion FClip;
  // The pen and brush of the last primitive: most primitives of a picture share them.
  bool FPenValid = false;
  TPenData FPenKey;
  QPen FPen;
  bool FBrushValid = false;
  TBrushData FBrushKey;
  TBackMode FBrushBackMode = bmOpaque;
  TColor FBrushBackColor = clWhite;
  QBrush FBrush;
  QPolygon FPolygon;
  // Whether the painter maps pixels one to one.
  bool FDeviceKnown = false, FDeviceIdentity = false;
};

// Draws into a QImage that the caller owns and keeps alive. The painter stays open between
// primitives for speed; Release() closes it, and must be called before the image is read,
// copied, resized or replaced.
class TImageTarget : public TPainterTarget {
 public:
  explicit TImageTarget(QImage* Image) : FImage(Image) {}
  ~TImageTarget() override;
  void Release();
  void SetPixelsPerInch(int Value) { FPixelsPerInch = Value > 0 ? Value : 96; }

  TCanvasTargetKind Kind() const override { return tkImage; }
  int PixelsPerInchX() const override { return FPixelsPerInch; }
  int PixelsPerInchY() const override { return FPixelsPerInch; }
  TColor GetPixel(int X, int Y) override;
  TRect DeviceRect() const override;
  QPaintDevice* MetricsDevice() override;
  QImage CopyImage(const TRect& R) override;

 protected:
  QPainter* ActivePainter() override;
  bool SupportsRasterOps() const override { return true; }
  QImage* DirectImage() override;
  bool OwnsPainter() const override { return true; }

 private:
  QImage* FImage;
  int FPixelsPerInch = 96;
  std::optional<QPainter> FPainter;
};

// Draws on the pages of a QPrinter or QPdfWriter at its resolution. BeginDoc starts the job
// (the first primitive does so too), NewPage ends the page, EndDoc finishes the job.
class TPrinterTarget : public TPainterTarget {
 public:
  explicit TPrinterTarget(QPagedPaintDevice* Device) : FDevice(Device) {}
  ~TPrinterTarget() override;
  bool BeginDoc();
  bool NewPage();
  void EndDoc();
  bool Printing() const { return FPainter.has_value(); }

  TCanvasTargetKind Kind() const override { return tkPrinter; }
  int PixelsPerInchX() const override;
  int PixelsPerInchY() const override;
  TRect DeviceRect() const override;
  QPaintDevice* MetricsDevice() override;

 protected:
  QPainter* ActivePainter() override;
  bool SupportsRasterOps() const override { return false; }

 private:
  QPagedPaintDevice* FDevice;
  std::optional<QPainter> FPainter;
};

// Keeps every primitive with the state it was drawn with, for exact tests without pixels.
class TRecordingTarget : public TCanvasTarget {
 public:
  explicit TRecordingTarget(int Width = 640, int Height = 480, int PixelsPerInch = 96)
      : FWidth(Width), FHeight(Height), FPpi(PixelsPerInch) {}

  const std::vector<TCanvasOp>& Ops() const { return FOps; }
  void Clear() { FOps.clear(); }

  TCanvasTargetKind Kind() const override { return tkRecording; }
  void Execute(const TCanvasOp& Op) override { FOps.push_back(Op); }
  int PixelsPerInchX() const override { return FPpi; }
  int PixelsPerInchY() const override { return FPpi; }
  TRect DeviceRect() const override { return {0, 0, FWidth, FHeight}; }

 private:
  std::vector<TCanvasOp> FOps;
  int FWidth;
  int FHeight;
  int FPpi;
};

// The hook for the picture writer that comes with the plot control: it receives every primitive
// through Execute, in device units of its reference resolution, and writes the file. A canvas
// made on it reports tkMetafile, which drawing code checks where metafiles behave differently.
class TMetafileSink : public TCanvasTarget {
 public:
  TCanvasTargetKind Kind() const override { return tkMetafile; }
  // Finishes the picture, and says whether it was written and why not.
  virtual TFileStatus Finish() = 0;
};

// The QPen and QBrush a primitive is drawn with; shared with writers that paint through Qt.
QPen ToQPen(const TPenData& Pen);
QBrush ToQBrush(const TBrushData& Brush, TBackMode BackMode, TColor BackColor);
