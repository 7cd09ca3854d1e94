#include "platform/canvas_targets.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <optional>
#include <span>
#include <vector>

#include <QFontMetrics>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainterPath>
#include <QPolygon>

#include "platform/aliased_fill.h"

namespace {

QRect ToQRect(const TRect& R) { return QRect(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top); }

// Image targets honour every mode; elsewhere everything draws as copy. False: draw nothing.
bool ApplyMode(QPainter& P, TPenMode Mode, bool RasterOps) {
  if (Mode == pmNop) return false;
  QPainter::CompositionMode C = QPainter::CompositionMode_SourceOver;
  if (RasterOps) {
    switch (Mode) {
      case pmBlack:
        C = QPainter::RasterOp_ClearDestination;
        break;
      case pmWhite:
        C = QPainter::RasterOp_SetDestination;
        break;
      case pmNot:
        C = QPainter::RasterOp_NotDestination;
        break;
      case pmNotCopy:
        C = QPainter::RasterOp_NotSource;
        break;
      case pmMergePenNot:
        C = QPainter::RasterOp_SourceOrNotDestination;
        break;
      case pmMaskPenNot:
        C = QPainter::RasterOp_SourceAndNotDestination;
        break;
      case pmMergeNotPen:
        C = QPainter::RasterOp_NotSourceOrDestination;
        break;
      case pmMaskNotPen:
        C = QPainter::RasterOp_NotSourceAndDestination;
        break;
      case pmMerge:
        C = QPainter::RasterOp_SourceOrDestination;
        break;
      case pmNotMerge:
        C = QPainter::RasterOp_NotSourceAndNotDestination;
        break;
      case pmMask:
        C = QPainter::RasterOp_SourceAndDestination;
        break;
      case pmNotMask:
        C = QPainter::RasterOp_NotSourceOrNotDestination;
        break;
      case pmXor:
        C = QPainter::RasterOp_SourceXorDestination;
        break;
      case pmNotXor:
        C = QPainter::RasterOp_NotSourceXorDestination;
        break;
      default:
        break;
    }
  }
  P.setCompositionMode(C);
  return true;
}

// ToQColor as a 32-bit value, for pixels written into an image without a QColor.
QRgb ToQRgb(TColor Color) {
  if (Color == clNone) return qRgba(0, 0, 0, 0);
  const TColor C = ColorToRGB(Color);
  return qRgb(GetRValue(C), GetGValue(C), GetBValue(C));
}

bool PenVisible(const TPenData& Pen) { return Pen.Style != psClear; }
bool BrushVisible(const TBrushData& Brush) { return Brush.Style != bsClear; }
bool ThinPen(const TPenData& Pen) { return Pen.Width <= 1; }

QImage HatchImage(TBrushStyle Style, TColor Color, TBackMode BackMode, TColor BackColor) {
  QImage Tile(8, 8, QImage::Format_ARGB32);
  const QRgb Fore = ToQColor(Color).rgba();
  const QRgb Back = BackMode == bmOpaque ? ToQColor(BackColor).rgba() : qRgba(0, 0, 0, 0);
  for (int Y = 0; Y < 8; ++Y) {
    for (int X = 0; X < 8; ++X) {
      bool On = false;
      switch (Style) {
        case bsHorizontal:
          On = Y == 0;
          break;
        case bsVertical:
          On = X == 0;
          break;
        case bsFDiagonal:
          On = X == Y;
          break;
        case bsBDiagonal:
          On = X + Y == 7;
          break;
        case bsCross:
          On = X == 0 || Y == 0;
          break;
        case bsDiagCross:
          On = X == Y || X + Y == 7;
          break;
        default:
          break;
      }
      Tile.setPixel(X, Y, On ? Fore : Back);
    }
  }
  return Tile;
}

// The parametric angle, in degrees, of the point where the ray from the centre of R through P
// meets the ellipse inscribed in R.
double EllipseAngle(const QRectF& R, const TPoint& P) {
  const double Rx = R.width() / 2;
  const double Ry = R.height() / 2;
  const QPointF C = R.center();
  return std::atan2(-(P.Y - C.y()) / Ry, (P.X - C.x()) / Rx) * 180 / std::numbers::pi;
}

// Where thin-line pixels go when they are written into an image's memory: the 32-bit rows, the
// part of the image the clip leaves (right and bottom excluded) and the opaque colour.
struct TPixelWriter {
  uchar* Bits = nullptr;
  qsizetype Stride = 0;
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  QRgb Color = 0;
  void Put(int X, int Y) const {
    if (X >= Left && X < Right && Y >= Top && Y < Bottom)
      reinterpret_cast<QRgb*>(Bits + Y * Stride)[X] = Color;
  }
};

// Thin lines are rasterised here rather than by Qt: Qt orders a line's pixels by its own
// direction and so sometimes leaves out the first pixel instead of the last. Each segment covers
// its start and not its end; a dash pattern runs on from segment to segment. With a writer the
// pixels go straight into the image, else they are drawn as points when the line is done.
class TThinLine {
 public:
  explicit TThinLine(TPenStyle Style, const TPixelWriter* Direct = nullptr) : Direct(Direct) {
    static constexpr int Dash[] = {18, 6}, Dot[] = {3, 3}, DashDot[] = {9, 6, 3, 6},
                         DashDotDot[] = {9, 3, 3, 3, 3, 3};
    switch (Style) {
      case psDash:
        Pattern = Dash;
        break;
      case psDot:
        Pattern = Dot;
        break;
      case psDashDot:
        Pattern = DashDot;
        break;
      case psDashDotDot:
        Pattern = DashDotDot;
        break;
      default:
        break;
    }
  }

  void Segment(TPoint A, TPoint B) {
    const int Dx = std::abs(B.X - A.X);
    const int Dy = -std::abs(B.Y - A.Y);
    const int Sx = A.X < B.X ? 1 : -1;
    const int Sy = A.Y < B.Y ? 1 : -1;
    int Err = Dx + Dy;
    int X = A.X;
    int Y = A.Y;
    while (X != B.X || Y != B.Y) {
      Plot(X, Y);
      const int E2 = 2 * Err;
      if (E2 >= Dy) {
        Err += Dy;
        X += Sx;
      }
      if (E2 <= Dx) {
        Err += Dx;
        Y += Sy;
      }
    }
  }

  void Draw(QPainter& P, const QColor& Color) {
    if (Points.isEmpty()) return;
    P.setPen(QPen(Color, 0));
    P.setBrush(Qt::NoBrush);
    P.drawPoints(Points);
  }

 private:
  void Plot(int X, int Y) {
    bool On = true;
    if (!Pattern.empty()) {
      On = Index % 2 == 0;
      if (++Run >= Pattern[Index]) {
        Run = 0;
        Index = (Index + 1) % Pattern.size();
      }
    }
    if (!On) return;
    if (Direct) {
      Direct->Put(X, Y);
    } else {
      Points << QPoint(X, Y);
    }
  }

  std::span<const int> Pattern;
  size_t Index = 0;
  int Run = 0;
  const TPixelWriter* Direct;
  QPolygon Points;
};

}  // namespace

QPen ToQPen(const TPenData& Pen) {
  if (!PenVisible(Pen)) return QPen(Qt::NoPen);
  const QColor Color = ToQColor(Pen.Color);
  if (!ThinPen(Pen)) {
    // Wide pens are drawn solid with round ends, whatever their style.
    return QPen(Color, Pen.Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  }
  QPen Q(Color, 0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
  switch (Pen.Style) {
    case psDash:
      Q.setDashPattern({18, 6});
      break;
    case psDot:
      Q.setDashPattern({3, 3});
      break;
    case psDashDot:
      Q.setDashPattern({9, 6, 3, 6});
      break;
    case psDashDotDot:
      Q.setDashPattern({9, 3, 3, 3, 3, 3});
      break;
    default:
      break;
  }
  return Q;
}

QBrush ToQBrush(const TBrushData& Brush, TBackMode BackMode, TColor BackColor) {
  if (!BrushVisible(Brush)) return QBrush(Qt::NoBrush);
  if (!Brush.Bitmap.isNull()) return QBrush(Brush.Bitmap);
  if (Brush.Style == bsSolid) {
    QColor Color = ToQColor(Brush.Color);
    if (Brush.Opacity < 1) Color.setAlphaF(static_cast<float>(Brush.Opacity));
    return QBrush(Color);
  }
  return QBrush(HatchImage(Brush.Style, Brush.Color, BackMode, BackColor));
}

const QPen& TPainterTarget::CachedPen(const TPenData& Pen) {
  if (!FPenValid || !(FPenKey == Pen)) {
    FPen = ToQPen(Pen);
    FPenKey = Pen;
    FPenValid = true;
  }
  return FPen;
}

const QBrush& TPainterTarget::CachedBrush(const TBrushData& Brush, TBackMode BackMode,
                                          TColor BackColor) {
  // The back colour matters to hatches only.
  const bool Hatched = Brush.Style != bsClear && Brush.Style != bsSolid && Brush.Bitmap.isNull();
  if (!FBrushValid || !(FBrushKey == Brush) ||
      (Hatched && (FBrushBackMode != BackMode || FBrushBackColor != BackColor))) {
    FBrush = ToQBrush(Brush, BackMode, BackColor);
    FBrushKey = Brush;
    FBrushBackMode = BackMode;
    FBrushBackColor = BackColor;
    FBrushValid = true;
  }
  return FBrush;
}

bool TPainterTarget::FillDirect(const TCanvasOp& Op, QPainter& P) {
  const TCanvasState& S = Op.State;
  // A solid opaque fill in copy mode, outlined by nothing or by a thin line of an opaque colour.
  if (!FDirectPixels || S.Pen.Mode != pmCopy || S.Brush.Style != bsSolid ||
      !S.Brush.Bitmap.isNull() || S.Brush.Opacity < 1)
    return false;
  const bool HasPen = PenVisible(S.Pen);
  if (HasPen && !ThinPen(S.Pen)) return false;
  const QRgb Color = ToQRgb(S.Brush.Color);
  if (qAlpha(Color) != 255 || (HasPen && qAlpha(ToQRgb(S.Pen.Color)) != 255)) return false;
  if (S.Clipped && S.Clip.rectCount() != 1) return false;
  QImage* Image = DirectImage();
  if (!Image) return false;
  // The painter's own scale (an image's pixel ratio) would move the corners.
  if (!FDeviceKnown) {
    FDeviceIdentity = P.deviceTransform().isIdentity();
    FDeviceKnown = OwnsPainter();
  }
  if (!FDeviceIdentity) return false;
  const QRect Whole(0, 0, Image->width(), Image->height());
  const TAliasedFill Direct(*Image, S.Clipped ? S.Clip.boundingRect() : Whole);
  if (!Direct.Fill(Op.Points, Color, S.PolyFillMode == pfWinding)) return false;
  if (HasPen) {
    const QRect Box = S.Clipped ? S.Clip.boundingRect() & Whole : Whole;
    TPixelWriter Writer;
    Writer.Bits = Image->bits();
    Writer.Stride = Image->bytesPerLine();
    Writer.Left = Box.left();
    Writer.Top = Box.top();
    Writer.Right = Box.left() + Box.width();
    Writer.Bottom = Box.top() + Box.height();
    Writer.Color = ToQRgb(S.Pen.Color);
    TThinLine Outline(S.Pen.Style, &Writer);
    for (size_t I = 0; I < Op.Points.size(); ++I)
      Outline.Segment(Op.Points[I], Op.Points[(I + 1) % Op.Points.size()]);
  }
  return true;
}

void TPainterTarget::Execute(const TCanvasOp& Op) {
  QPainter* Painter = ActivePainter();
  if (!Painter) return;
  // Small solid polygons on an image are filled in its memory, as the painter would fill them.
  if (Op.Kind == coPolygon && FillDirect(Op, *Painter)) return;
  QPainter& P = *Painter;
  const TCanvasState& S = Op.State;
  const bool Owned = OwnsPainter();
  if (!Owned || !FPrepared) {
    P.setRenderHint(QPainter::Antialiasing, false);
    P.setRenderHint(QPainter::TextAntialiasing, false);
    P.setRenderHint(QPainter::SmoothPixmapTransform, false);
    P.resetTransform();
    P.setBrushOrigin(0, 0);
    FPrepared = Owned;
  }
  if (!Owned || !FClipKnown || FClipOn != S.Clipped || (S.Clipped && FClip != S.Clip)) {
    if (S.Clipped) {
      P.setClipRegion(S.Clip);
    } else {
      P.setClipping(false);
    }
    FClipKnown = Owned;
    FClipOn = S.Clipped;
    FClip = S.Clipped ? S.Clip : QRegion();
  }
  P.setCompositionMode(QPainter::CompositionMode_SourceOver);

  const QBrush& Brush = CachedBrush(S.Brush, S.BackMode, S.BackColor);
  const QPen& Pen = CachedPen(S.Pen);
  const bool HasPen = PenVisible(S.Pen);
  const bool Thin = ThinPen(S.Pen);
  const TRect& R = Op.Rect;
  const int W = R.Right - R.Left;
  const int H = R.Bottom - R.Top;
  // The outline of a closed figure runs through the centres of its outermost pixels; an
  // inside-frame pen keeps its whole width within the bounds.
  int Inset = 0;
  if (HasPen && !Thin && S.Pen.Style == psInsideFrame) Inset = S.Pen.Width / 2;
  const QRect Outline(R.Left + Inset, R.Top + Inset, W - 1 - 2 * Inset, H - 1 - 2 * Inset);
  // Thin copy-mode lines on an image whose clip is one rectangle go straight into its pixels.
  std::optional<TPixelWriter> Writer;
  if (HasPen && Thin && S.Pen.Mode == pmCopy && FDirectPixels) {
    QImage* Image = DirectImage();
    const QColor Color = ToQColor(S.Pen.Color);
    if (Image && Color.alpha() == 255 && (!S.Clipped || S.Clip.rectCount() <= 1)) {
      QRect Box = Image->rect();
      if (S.Clipped) Box &= S.Clip.boundingRect();
      Writer.emplace();
      Writer->Bits = Image->bits();
      Writer->Stride = Image->bytesPerLine();
      Writer->Left = Box.left();
      Writer->Top = Box.top();
      Writer->Right = Box.left() + Box.width();
      Writer->Bottom = Box.top() + Box.height();
      Writer->Color = Color.rgba();
    }
  }
  const TPixelWriter* Direct = Writer ? &*Writer : nullptr;

  switch (Op.Kind) {
    case coLine:
    case coPolyline: {
      if (!HasPen || Op.Points.size() < 2) break;
      if (!ApplyMode(P, S.Pen.Mode, SupportsRasterOps())) break;
      if (Thin) {
        TThinLine Line(S.Pen.Style, Direct);
        for (size_t I = 1; I < Op.Points.size(); ++I) Line.Segment(Op.Points[I - 1], Op.Points[I]);
        Line.Draw(P, ToQColor(S.Pen.Color));
        break;
      }
      P.setPen(Pen);
      P.setBrush(Qt::NoBrush);
      if (Op.Points.size() == 2) {
        if (Op.Points[0] == Op.Points[1]) {
          // A wide pen leaves a round dot where a line has no length.
          P.drawPoint(Op.Points[0].X, Op.Points[0].Y);
          break;
        }
        P.drawLine(Op.Points[0].X, Op.Points[0].Y, Op.Points[1].X, Op.Points[1].Y);
      } else {
        QPolygon Poly;
        for (const TPoint& Pt : Op.Points) Poly << QPoint(Pt.X, Pt.Y);
        P.drawPolyline(Poly);
      }
      break;
    }
    case coPolygon: {
      if (!ApplyMode(P, S.Pen.Mode, SupportsRasterOps())) break;
      QPolygon& Poly = FPolygon;
      Poly.resize(qsizetype(Op.Points.size()));
      for (size_t I = 0; I < Op.Points.size(); ++I)
        Poly[qsizetype(I)] = QPoint(Op.Points[I].X, Op.Points[I].Y);
      if (HasPen && Thin) {
        static const QPen NoPen(Qt::NoPen);
        P.setPen(NoPen);
        P.setBrush(Brush);
        if (Brush.style() != Qt::NoBrush)
          P.drawPolygon(Poly, S.PolyFillMode == pfWinding ? Qt::WindingFill : Qt::OddEvenFill);
        TThinLine Outline(S.Pen.Style, Direct);
        for (size_t I = 0; I < Op.Points.size(); ++I)
          Outline.Segment(Op.Points[I], Op.Points[(I + 1) % Op.Points.size()]);
        Outline.Draw(P, ToQColor(S.Pen.Color));
        break;
      }
      P.setPen(Pen);
      P.setBrush(Brush);
      P.drawPolygon(Poly, S.PolyFillMode == pfWinding ? Qt::WindingFill : Qt::OddEvenFill);
      break;
    }
    case coRectangle: {
      if (W <= 0 || H <= 0) break;
      if (!ApplyMode(P, S.Pen.Mode, SupportsRasterOps())) break;
      if (!HasPen) {
        // Without an outline the filled area is one pixel smaller in each direction.
        if (Brush.style() != Qt::NoBrush) P.fillRect(QRect(R.Left, R.Top, W - 1, H - 1), Brush);
        break;
      }
      if (Thin) {
        // Fill and frame touch no pixel twice, so that inverting modes stay reversible.
        if (Brush.style() != Qt::NoBrush && W > 2 && H > 2)
          P.fillRect(QRect(R.Left + 1, R.Top + 1, W - 2, H - 2), Brush);
        P.setBrush(Qt::NoBrush);
        if (W == 1 || H == 1) {
          P.fillRect(QRect(R.Left, R.Top, W, H), ToQColor(S.Pen.Color));
          break;
        }
        TThinLine Frame(S.Pen.Style, Direct);
        Frame.Segment({R.Left, R.Top}, {R.Right - 1, R.Top});
        Frame.Segment({R.Right - 1, R.Top}, {R.Right - 1, R.Bottom - 1});
        Frame.Segment({R.Right - 1, R.Bottom - 1}, {R.Left, R.Bottom - 1});
        Frame.Segment({R.Left, R.Bottom - 1}, {R.Left, R.Top});
        Frame.Draw(P, ToQColor(S.Pen.Color));
        break;
      }
      P.setPen(Pen);
      P.setBrush(Brush);
      P.drawRect(Outline);
      break;
    }
    case coEllipse:
    case coRoundRect: {
      if (W <= 0 || H <= 0) break;
      if (!ApplyMode(P, S.Pen.Mode, SupportsRasterOps())) break;
      P.setPen(Pen);
      P.setBrush(Brush);
      const QRect Box = HasPen ? Outline : QRect(R.Left, R.Top, W, H);
      if (Op.Kind == coEllipse) {
        P.drawEllipse(Box);
      } else {
        P.drawRoundedRect(Box, Op.Corner.cx / 2.0, Op.Corner.cy / 2.0, Qt::AbsoluteSize);
      }
      break;
    }
    case coArc:
    case coPie:
    case coChord: {
      if (W <= 1 || H <= 1 || Op.Points.size() < 2) break;
      if (!ApplyMode(P, S.Pen.Mode, SupportsRasterOps())) break;
      const QRectF Box(Outline);
      const double Start = EllipseAngle(Box, Op.Points[0]);
      double Sweep = EllipseAngle(Box, Op.Points[1]) - Start;
      while (Sweep <= 0) Sweep += 360;
      QPainterPath Path;
      if (Op.Kind == coPie) {
        Path.moveTo(Box.center());
        Path.arcTo(Box, Start, Sweep);
        Path.closeSubpath();
      } else {
        Path.arcMoveTo(Box, Start);
        Path.arcTo(Box, Start, Sweep);
        if (Op.Kind == coChord) Path.closeSubpath();
      }
      P.setPen(Pen);
      P.setBrush(Op.Kind == coArc ? QBrush(Qt::NoBrush) : Brush);
      P.drawPath(Path);
      break;
    }
    case coFillRect:
      if (W > 0 && H > 0 && Brush.style() != Qt::NoBrush)
        P.fillRect(QRect(R.Left, R.Top, W, H), Brush);
      break;
    case coFrameRect: {
      if (W <= 0 || H <= 0 || Brush.style() == Qt::NoBrush) break;
      P.fillRect(QRect(R.Left, R.Top, W, 1), Brush);
      if (H > 1) P.fillRect(QRect(R.Left, R.Bottom - 1, W, 1), Brush);
      if (H > 2) {
        P.fillRect(QRect(R.Left, R.Top + 1, 1, H - 2), Brush);
        if (W > 1) P.fillRect(QRect(R.Right - 1, R.Top + 1, 1, H - 2), Brush);
      }
      break;
    }
    case coText: {
      if (Op.Points.empty()) break;
      const QFont Font = ToQFont(S.Font);
      P.setFont(Font);
      const QFontMetrics M(Font, P.device());
      const int TextW = M.horizontalAdvance(Op.Text);
      const TTextPlacement Place = PlaceText(S.TextAlign, TextW, M.ascent(), M.descent());
      if (Op.TextOptions & ETO_OPAQUE) P.fillRect(ToQRect(R), ToQColor(S.BackColor));
      if (Op.TextOptions & ETO_CLIPPED) {
        const QRegion Box(ToQRect(R));
        P.setClipRegion(S.Clipped ? S.Clip.intersected(Box) : Box);
      }
      P.translate(Op.Points[0].X, Op.Points[0].Y);
      if (S.Font.Escapement % 3600 != 0) P.rotate(-S.Font.Escapement / 10.0);
      if (S.BackMode == bmOpaque && TextW > 0)
        P.fillRect(QRect(Place.Left, Place.Top, TextW, M.ascent() + M.descent()),
                   ToQColor(S.BackColor));
      P.setPen(ToQColor(S.Font.Color));
      P.drawText(QPoint(Place.Left, Place.Baseline), Op.Text);
      P.resetTransform();
      if (Op.TextOptions & ETO_CLIPPED) FClipKnown = false;
      break;
    }
    case coPixel:
      if (Op.Points.empty() || Op.Color == clNone) break;
      P.setPen(QPen(ToQColor(Op.Color), 0));
      P.drawPoint(Op.Points[0].X, Op.Points[0].Y);
      break;
    case coImage:
      if (W > 0 && H > 0 && !Op.Image.isNull()) P.drawImage(QRect(R.Left, R.Top, W, H), Op.Image);
      break;
  }
  P.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

TImageTarget::~TImageTarget() { Release(); }

void TImageTarget::Release() {
  PainterEnded();
  if (FPainter) {
    FPainter->end();
    FPainter.reset();
  }
}

QImage* TImageTarget::DirectImage() {
  if (!FPainter || !FImage || FImage->isNull() || !FImage->isDetached()) return nullptr;
  switch (FImage->format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
      return FImage;
    default:
      return nullptr;
  }
}

QPainter* TImageTarget::ActivePainter() {
  if (!FImage || FImage->isNull()) return nullptr;
  if (!FPainter) {
    PainterEnded();
    FPainter.emplace();
    if (!FPainter->begin(FImage)) {
      FPainter.reset();
      return nullptr;
    }
  }
  return &*FPainter;
}

TColor TImageTarget::GetPixel(int X, int Y) {
  Release();
  if (!FImage || !FImage->valid(X, Y)) return clNone;
  return FromQColor(QColor(FImage->pixel(X, Y)));
}

QImage TImageTarget::CopyImage(const TRect& R) {
  Release();
  if (!FImage || FImage->isNull()) return QImage();
  return FImage->copy(ToQRect(R));
}

TRect TImageTarget::DeviceRect() const {
  if (!FImage) return {};
  return {0, 0, FImage->width(), FImage->height()};
}

QPaintDevice* TImageTarget::MetricsDevice() {
  return FImage && !FImage->isNull() ? FImage : nullptr;
}

TPrinterTarget::~TPrinterTarget() { EndDoc(); }

bool TPrinterTarget::BeginDoc() {
  if (FPainter) return true;
  if (!FDevice) return false;
  FPainter.emplace();
  if (!FPainter->begin(FDevice)) {
    FPainter.reset();
    return false;
  }
  return true;
}

bool TPrinterTarget::NewPage() {
  if (!FPainter && !BeginDoc()) return false;
  return FDevice->newPage();
}

void TPrinterTarget::EndDoc() {
  if (FPainter) {
    FPainter->end();
    FPainter.reset();
  }
}

QPainter* TPrinterTarget::ActivePainter() { return BeginDoc() ? &*FPainter : nullptr; }

int TPrinterTarget::PixelsPerInchX() const { return FDevice ? FDevice->logicalDpiX() : 96; }
int TPrinterTarget::PixelsPerInchY() const { return FDevice ? FDevice->logicalDpiY() : 96; }

TRect TPrinterTarget::DeviceRect() const {
  if (!FDevice) return {};
  return {0, 0, FDevice->width(), FDevice->height()};
}

QPaintDevice* TPrinterTarget::MetricsDevice() { return FDevice; }
