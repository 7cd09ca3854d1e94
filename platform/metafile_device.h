#pragma once
// The half of the metafile writers that both formats share: it keeps track of what the recorded
// device context holds and turns each canvas primitive into object selections, settings and
// drawing records of the old device model, which the EMF and WMF back ends then encode.
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include <QByteArray>
#include <QImage>
#include <QRegion>
#include <QString>

#include "platform/canvas_targets.h"

class TMetafileDevice : public TMetafileSink {
 public:
  // Limit is the largest coordinate the format can hold; everything drawn is brought within it.
  TMetafileDevice(const QString& FileName, int Width, int Height, int Limit);

  void Execute(const TCanvasOp& Op) final;
  TRect DeviceRect() const final { return {0, 0, FWidth, FHeight}; }
  // Writes the picture once; later calls answer the first result.
  TFileStatus Finish() final;
  // Ends the picture and answers its bytes; empty when a record could not be made. What is drawn
  // afterwards is ignored.
  QByteArray TakePicture();

 protected:
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void Fail() { FFailed = true; }
  bool Failed() const { return FFailed; }

  // Everything a back end writes. Coordinates arrive within the limit, colours as plain RGB.
  virtual void WriteSaveDC() = 0;
  virtual void WriteRestoreDC() = 0;
  // Deletes every object the back end created; they were deselected by a restore.
  virtual void DeleteObjects() = 0;
  // Each creates the object and selects it, deleting the one it replaces.
  virtual void WritePen(const TPenData& Pen) = 0;
  virtual void WriteBrush(const TBrushData& Brush) = 0;
  virtual void WriteFont(const TFontData& Font) = 0;
  virtual void WriteTextAlign(unsigned Align) = 0;
  virtual void WriteBackMode(TBackMode Mode) = 0;
  virtual void WriteBackColor(TColor Color) = 0;
  virtual void WriteTextColor(TColor Color) = 0;
  virtual void WritePolyFillMode(TPolyFillMode Mode) = 0;
  // Clip rectangles, right and bottom edges left out. A clip region is written as its bounding
  // box with the gaps excluded, which every player knows, unlike region objects.
  virtual void WriteIntersectClip(const TRect& R) = 0;
  virtual void WriteExcludeClip(const TRect& R) = 0;
  virtual void WritePolyline(std::span<const TPoint> Points) = 0;
  virtual void WritePolygon(std::span<const TPoint> Points) = 0;
  // coRectangle, coEllipse, coRoundRect (Corner), coArc, coPie, coChord (Start, End).
  virtual void WriteShape(TCanvasOpKind Kind, const TRect& R, TSize Corner, TPoint Start,
                          TPoint End) = 0;
  // Options: ETO_OPAQUE and ETO_CLIPPED with their rectangle R.
  virtual void WriteText(TPoint At, const QString& Text, unsigned Options, const TRect& R,
                         const TFontData& Font) = 0;
  virtual void WritePixel(TPoint At, TColor Color) = 0;
  virtual void WriteImage(const TRect& R, const QImage& Image) = 0;
  // Appends the end record and completes the header; answers the whole file.
  virtual QByteArray EndPicture() = 0;

  // Writes the first records (header, mapping); the base class calls it before anything else.
  virtual void BeginPicture() = 0;

  // True where rotated text is better written from the start of its baseline: the old format's
  // players apply the vertical alignment across a turned line of text in different ways, but
  // all of them start a baseline-aligned line where it says.
  virtual bool RotatedTextFromBaseline() const { return false; }

  // The advance of each character of Text in Font, as the canvas measures it: per UTF-16 unit
  // (the second unit of a pair gets 0), or per code point when PerCodePoint.
  static std::vector<int> Advances(const QString& Text, const TFontData& Font, bool PerCodePoint);

  // A bottom-up device-independent bitmap of Image at 24 bits, transparency put on white: the
  // 40-byte info header and the padded rows. The image is first scaled down to fit MaxSide and
  // a bounded pixel count.
  struct TDib {
    QByteArray Info;
    QByteArray Bits;
    int Width = 0;
    int Height = 0;
  };
  static TDib MakeDib(const QImage& Image, int MaxSide);

 private:
  void Start();
  int Clamp(long long V) const;
  TPoint ClampPoint(TPoint P) const;
  TRect ClampRect(long long Left, long long Top, long long Right, long long Bottom) const;
  void SyncClip(const TCanvasState& S);
  void WriteClip(const QRegion& Clip);
  void SyncPen(const TPenData& Pen);
  void SyncBrush(const TCanvasState& S);
  void SyncBack(const TCanvasState& S);
  void SyncFillMode(TPolyFillMode Mode);
  TFontData WrittenFont(const TFontData& Font) const;
  // Where the baseline of Text in Font starts when its reference point At has the alignment
  // Align: the offsets the alignment asks, taken along and across the turned line.
  static TPoint BaselineStart(TPoint At, const QString& Text, const TFontData& Font,
                              unsigned Align);
  void SyncText(const TCanvasState& S, unsigned Align);
  void Lines(const std::vector<TPoint>& Points, bool Closed);
  void Fill(const TCanvasState& S, const TRect& R);

  QString FFileName;
  int FWidth;
  int FHeight;
  int FLimit;
  bool FStarted = false;
  bool FEnded = false;
  bool FFailed = false;
  std::optional<TFileStatus> FFinishResult;
  QByteArray FPicture;

  // What the recorded context holds; empty where unknown, so that the next use writes it.
  std::optional<TPenData> FPen;
  std::optional<TBrushData> FBrush;
  std::optional<TFontData> FFont;
  std::optional<unsigned> FTextAlign;
  std::optional<TBackMode> FBackMode;
  std::optional<TColor> FBackColor;
  std::optional<TColor> FTextColor;
  std::optional<TPolyFillMode> FFillMode;
  bool FClipped = false;
  QRegion FClip;
};

// The two back ends; FileName may be empty for a picture kept in memory.
std::unique_ptr<TMetafileDevice> CreateEmfDevice(const QString& FileName, int Width, int Height);
std::unique_ptr<TMetafileDevice> CreateWmfDevice(const QString& FileName, int Width, int Height);
