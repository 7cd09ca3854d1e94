#pragma once
// A drawing surface with the old device semantics: integer pixels, no antialiasing, right and
// bottom edges left out of rectangles and ellipses, the last pixel of a line left out, text
// placed by a persistent alignment. TCanvas keeps the drawing state and turns every call into one
// primitive (TCanvasOp) with a snapshot of that state; a TCanvasTarget carries it out: an image,
// a printer page, a recording log or a metafile writer.
#include <memory>
#include <span>
#include <vector>

#include <QImage>
#include <QPointF>
#include <QRegion>
#include <QString>

#include "platform/colors.h"
#include "platform/geometry.h"
#include "platform/graphics.h"

class QPaintDevice;
class TBitmap;
class TGraphic;

// Text alignment flags, combined with |. Horizontal: left, right, centre; vertical: top,
// bottom, baseline. Top-left is 0.
inline constexpr unsigned TA_NOUPDATECP = 0;
inline constexpr unsigned TA_UPDATECP = 1;
inline constexpr unsigned TA_LEFT = 0;
inline constexpr unsigned TA_RIGHT = 2;
inline constexpr unsigned TA_CENTER = 6;
inline constexpr unsigned TA_TOP = 0;
inline constexpr unsigned TA_BOTTOM = 8;
inline constexpr unsigned TA_BASELINE = 24;
inline constexpr unsigned TA_HORZMASK = 6;
inline constexpr unsigned TA_VERTMASK = 24;

// Options of TextRect: the text is cut at the rectangle; the rectangle is filled first.
inline constexpr unsigned ETO_OPAQUE = 2;
inline constexpr unsigned ETO_CLIPPED = 4;

// Formatting flags of DrawText, combined with |.
inline constexpr unsigned DT_TOP = 0;
inline constexpr unsigned DT_LEFT = 0;
inline constexpr unsigned DT_CENTER = 1;
inline constexpr unsigned DT_RIGHT = 2;
inline constexpr unsigned DT_VCENTER = 4;  // single line only
inline constexpr unsigned DT_BOTTOM = 8;   // single line only
inline constexpr unsigned DT_WORDBREAK = 0x10;
inline constexpr unsigned DT_SINGLELINE = 0x20;
inline constexpr unsigned DT_EXPANDTABS = 0x40;
inline constexpr unsigned DT_NOCLIP = 0x100;
inline constexpr unsigned DT_CALCRECT = 0x400;
inline constexpr unsigned DT_NOPREFIX = 0x800;

enum TBackMode { bmTransparent = 1, bmOpaque = 2 };
enum TPolyFillMode { pfAlternate = 1, pfWinding = 2 };

// Logical to device coordinates, as device = (logical - WindowOrg) * ViewportExt / WindowExt +
// ViewportOrg, each axis on its own. Pen widths above 0 scale with X, font heights with Y.
struct TCanvasMapping {
  TPoint WindowOrg;
  TSize WindowExt{1, 1};
  TPoint ViewportOrg;
  TSize ViewportExt{1, 1};
};

// The state every primitive is drawn with.
struct TCanvasState {
  TPenData Pen;
  TBrushData Brush;
  TFontData Font;
  unsigned TextAlign = TA_LEFT | TA_TOP;
  TBackMode BackMode = bmOpaque;
  TColor BackColor = clWhite;
  TPolyFillMode PolyFillMode = pfAlternate;
  bool Clipped = false;
  QRegion Clip;  // device pixels; meaningful only when Clipped
};

enum TCanvasOpKind {
  coLine,       // Points[0] to Points[1], end pixel left out
  coPolyline,   // Points, each segment's end pixel left out
  coPolygon,    // Points, closed, filled by PolyFillMode
  coRectangle,  // Rect
  coEllipse,    // Rect
  coRoundRect,  // Rect; Corner = width and height of the corner ellipse
  coArc,        // Rect = the ellipse; Points[0], Points[1] = start and end radial points
  coPie,        // as coArc, closed through the centre
  coChord,      // as coArc, closed by a straight line
  coFillRect,   // Rect, brush only
  coFrameRect,  // Rect, one-pixel frame in the brush
  coText,       // Points[0] = reference point, Text; with ETO_CLIPPED/ETO_OPAQUE: Rect
  coPixel,      // Points[0], Color
  coImage,      // Image stretched into Rect
};

struct TCanvasOp {
  TCanvasOpKind Kind = coLine;
  std::vector<TPoint> Points;
  TRect Rect;
  TSize Corner;
  QString Text;
  unsigned TextOptions = 0;
  TColor Color = clBlack;
  QImage Image;
  TCanvasState State;
};

// tkDxf: a drawing file that takes world coordinates from the drawing library, not pixels.
enum TCanvasTargetKind { tkImage, tkPrinter, tkMetafile, tkRecording, tkDxf };

// What a canvas draws on. Implementations: the image and printer targets and the recording log
// in canvas_targets.h; the metafile writer implements TMetafileSink (same file); the plot
// library's DXF writer is a target of its own.
class TCanvasTarget {
 public:
  TCanvasTarget() = default;
  TCanvasTarget(const TCanvasTarget&) = delete;
  TCanvasTarget& operator=(const TCanvasTarget&) = delete;
  virtual ~TCanvasTarget() = default;

  virtual TCanvasTargetKind Kind() const = 0;
  virtual void Execute(const TCanvasOp& Op) = 0;
  // clNone where the target has no readable pixels or the point is outside.
  virtual TColor GetPixel(int X, int Y);
  virtual int PixelsPerInchX() const { return 96; }
  virtual int PixelsPerInchY() const { return 96; }
  // The whole drawable area; the clip box of an unclipped canvas.
  virtual TRect DeviceRect() const = 0;
  // The device text is measured against; null measures at 96 pixels per inch.
  virtual QPaintDevice* MetricsDevice() { return nullptr; }
  // A copy of the pixels in R; null where the target has no readable pixels.
  virtual QImage CopyImage(const TRect& R);
};

class TCanvas {
 public:
  // The canvas does not own Target; see TCanvas(std::unique_ptr) for one that does.
  explicit TCanvas(TCanvasTarget* Target);
  explicit TCanvas(std::unique_ptr<TCanvasTarget> Target);
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  virtual ~TCanvas();

  TCanvasTarget* Target() const { return FTarget; }
  TCanvasTargetKind TargetKind() const { return FTarget->Kind(); }
  int PixelsPerInchX() const { return FTarget->PixelsPerInchX(); }
  int PixelsPerInchY() const { return FTarget->PixelsPerInchY(); }

  TPen* Pen() const { return FPen.get(); }
  TBrush* Brush() const { return FBrush.get(); }
  TFont* Font() const { return FFont.get(); }
  void SetPen(const TPen* Value) {
    if (Value) FPen->Assign(*Value);
  }
  void SetBrush(const TBrush* Value) {
    if (Value) FBrush->Assign(*Value);
  }
  void SetFont(const TFont* Value) {
    if (Value) FFont->Assign(*Value);
  }

  // Text alignment persists until changed (TA_* flags). With TA_UPDATECP, TextOut starts at and
  // advances the pen position instead of using its X and Y.
  unsigned TextAlign() const { return FTextAlign; }
  unsigned SetTextAlign(unsigned Align);  // answers the previous alignment
  // A change of the brush sets the back colour to the brush colour and the back mode to
  // transparent for a clear brush, else opaque; these setters override that until the next
  // change of the brush.
  TBackMode BackMode() const;
  void SetBackMode(TBackMode Mode);
  TColor BackColor() const;
  void SetBackColor(TColor Color);
  TPolyFillMode PolyFillMode() const { return FPolyFillMode; }
  void SetPolyFillMode(TPolyFillMode Mode) { FPolyFillMode = Mode; }

  // Without a mapping logical and device coordinates are the same. Primitives, the pen position,
  // IntersectClipRect, SetClipRect, ClipRect and Pixels are logical; clip regions, the recorded
  // primitives and text measurements stay in device units of the unmapped font.
  void SetMapping(const TCanvasMapping& Mapping);
  void ResetMapping() { FMapped = false; }
  bool Mapped() const { return FMapped; }
  const TCanvasMapping& Mapping() const { return FMapping; }

  TPoint PenPos() const { return FPenPos; }
  void SetPenPos(TPoint P) { FPenPos = P; }
  void MoveTo(int X, int Y) { FPenPos = {X, Y}; }
  void LineTo(int X, int Y);
  void Polyline(std::span<const TPoint> Points);
  void Polygon(std::span<const TPoint> Points);
  // Outlined with the pen, filled with the brush. With a clear pen the filled area is one pixel
  // smaller each way, as drawing code written for the old devices expects.
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
  // X3 and Y3 are the width and height of the corner ellipse.
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  // Counter-clockwise from where the ray from the centre through (X3, Y3) meets the ellipse to
  // where the ray through (X4, Y4) does; equal rays give the whole ellipse.
  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void FillRect(const TRect& R);
  void FrameRect(const TRect& R);
  // A dotted frame that a second call removes.
  void DrawFocusRect(const TRect& R);

  void TextOut(int X, int Y, const QString& Text);
  // The text at (X, Y) by the alignment, cut at R; R is filled first unless the brush is clear.
  void TextRect(const TRect& R, int X, int Y, const QString& Text);
  int TextWidth(const QString& Text);
  int TextHeight(const QString& Text);  // ascent plus descent
  TSize TextExtent(const QString& Text);
  int TextAscent();
  int TextDescent();

  // Formatted text in R: lines broken at line ends (and between words with DT_WORDBREAK), tabs
  // expanded to every eighth average character width with DT_EXPANDTABS, "&x" underlining x and
  // "&&" giving "&" unless DT_NOPREFIX. With DT_CALCRECT nothing is drawn and R's Right and
  // Bottom are set to fit the text. Answers the height of the text; 0 for an empty text.
  int DrawText(const QString& Text, TRect& R, unsigned Format);

  TColor Pixels(int X, int Y) const;
  void SetPixels(int X, int Y, TColor Color);

  void Draw(int X, int Y, const TGraphic* Graphic);
  void StretchDraw(const TRect& R, const TGraphic* Graphic);
  void DrawImage(int X, int Y, const QImage& Image);
  void StretchDrawImage(const TRect& R, const QImage& Image);
  // Copies Src of Bitmap into Dest with every pixel of colour Color replaced by the brush colour:
  // a picture with a transparent colour put on the canvas background.
  void BrushCopy(const TRect& Dest, const TBitmap* Bitmap, const TRect& Src, TColor Color);
  // Copies Src of Source's picture into Dest, stretched; nothing when Source cannot be read.
  void CopyRect(const TRect& Dest, TCanvas* Source, const TRect& Src);

  // Clip regions are in device pixels; the clip rectangles are logical (the same without a
  // mapping) and leave out their right and bottom edges.
  bool HasClip() const { return FClipped; }
  QRegion ClipRegion() const { return FClip; }
  TRect ClipRect() const;  // the clip box, or the device rectangle when unclipped
  void SetClipRect(const TRect& R);
  void IntersectClipRect(const TRect& R);
  void SelectClipRgn(const QRegion* Region);  // null removes the clip
  void SelectClipPolygon(std::span<const TPoint> Points, TPolyFillMode Mode);
  void ResetClip() { SelectClipRgn(nullptr); }

  // An operation of Kind in the canvas' drawing state as the target takes it (font sized for the
  // target), for callers that send many shapes straight to the target; the mapping is not
  // applied to it.
  TCanvasOp MakeOp(TCanvasOpKind Kind);

 private:
  void Init();
  void Run(TCanvasOp&& Op);
  void SyncBackFromBrush() const;
  QFont MeasureFont() const;
  TPoint ToDevice(TPoint P) const;
  TRect ToDevice(const TRect& R) const;
  TRect ToLogical(const TRect& R) const;
  void MapOp(TCanvasOp& Op) const;

  std::unique_ptr<TCanvasTarget> FOwnedTarget;
  TCanvasTarget* FTarget;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TFont> FFont;
  TPoint FPenPos;
  unsigned FTextAlign = TA_LEFT | TA_TOP;
  mutable TBackMode FBackMode = bmOpaque;
  mutable TColor FBackColor = clWhite;
  mutable unsigned FSeenBrushChange = 0;
  TPolyFillMode FPolyFillMode = pfAlternate;
  bool FClipped = false;
  QRegion FClip;
  bool FMapped = false;
  TCanvasMapping FMapping;
};

// Where a text's box lies relative to its reference point, in the text's own unrotated frame:
// Left/Top of the box and the baseline's Y, for a text Width wide with the font's Ascent and
// Descent under Align.
struct TTextPlacement {
  int Left = 0;
  int Top = 0;
  int Baseline = 0;
};
TTextPlacement PlaceText(unsigned Align, int Width, int Ascent, int Descent);
