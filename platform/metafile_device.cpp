#include "platform/metafile_device.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include <QFontMetrics>
#include <QPainter>

#include "platform/number_text.h"
#include "platform/text_file.h"

namespace {

// Pictures larger than this many pixels are scaled down before they are stored; a picture of
// this size is already 48 MB in the file.
constexpr long long MaxImagePixels = 16LL * 1024 * 1024;

// Texts longer than this are measured character by character instead of by prefixes, which
// would take quadratic time; the difference is only kerning.
constexpr int MaxPrefixMeasured = 512;

QPaintDevice* MeasureDevice() {
  // A 96-pixels-per-inch image, as the canvas measures for targets without a device.
  static QImage Device(1, 1, QImage::Format_RGB32);
  return &Device;
}

struct TPointD {
  double X;
  double Y;
};

// Cuts the segment A-B to the square [-L, L]; false when nothing of it is inside.
bool ClipSegment(TPointD& A, TPointD& B, double L, bool& CutStart, bool& CutEnd) {
  double T0 = 0;
  double T1 = 1;
  const double Dx = B.X - A.X;
  const double Dy = B.Y - A.Y;
  const double P[4] = {-Dx, Dx, -Dy, Dy};
  const double Q[4] = {A.X + L, L - A.X, A.Y + L, L - A.Y};
  for (int I = 0; I < 4; ++I) {
    if (P[I] == 0) {
      if (Q[I] < 0) return false;
      continue;
    }
    const double T = Q[I] / P[I];
    if (P[I] < 0) {
      if (T > T1) return false;
      T0 = std::max(T0, T);
    } else {
      if (T < T0) return false;
      T1 = std::min(T1, T);
    }
  }
  CutStart = T0 > 0;
  CutEnd = T1 < 1;
  const TPointD A0 = A;
  A = {A0.X + T0 * Dx, A0.Y + T0 * Dy};
  B = {A0.X + T1 * Dx, A0.Y + T1 * Dy};
  return true;
}

TPoint Rounded(TPointD P) {
  return {static_cast<int>(std::lround(P.X)), static_cast<int>(std::lround(P.Y))};
}

bool Inside(const TPoint& P, int L) { return P.X >= -L && P.X <= L && P.Y >= -L && P.Y <= L; }

// Sutherland-Hodgman against the square [-L, L]: the part of the polygon inside it, which fills
// the same pixels on the picture.
std::vector<TPoint> ClipPolygon(const std::vector<TPoint>& Points, int Limit) {
  const double L = Limit;
  std::vector<TPointD> Poly;
  Poly.reserve(Points.size());
  for (const TPoint& P : Points)
    Poly.push_back({static_cast<double>(P.X), static_cast<double>(P.Y)});
  for (int Edge = 0; Edge < 4 && !Poly.empty(); ++Edge) {
    auto In = [Edge, L](const TPointD& P) {
      switch (Edge) {
        case 0:
          return P.X >= -L;
        case 1:
          return P.X <= L;
        case 2:
          return P.Y >= -L;
        default:
          return P.Y <= L;
      }
    };
    auto Cross = [Edge, L](const TPointD& A, const TPointD& B) {
      const double Bound = (Edge == 0 || Edge == 2) ? -L : L;
      if (Edge < 2) {
        const double T = (Bound - A.X) / (B.X - A.X);
        return TPointD{Bound, A.Y + T * (B.Y - A.Y)};
      }
      const double T = (Bound - A.Y) / (B.Y - A.Y);
      return TPointD{A.X + T * (B.X - A.X), Bound};
    };
    std::vector<TPointD> Out;
    Out.reserve(Poly.size() + 4);
    for (size_t I = 0; I < Poly.size(); ++I) {
      const TPointD& Cur = Poly[I];
      const TPointD& Prev = Poly[(I + Poly.size() - 1) % Poly.size()];
      const bool CurIn = In(Cur);
      if (CurIn != In(Prev)) Out.push_back(Cross(Prev, Cur));
      if (CurIn) Out.push_back(Cur);
    }
    Poly = std::move(Out);
  }
  std::vector<TPoint> Result;
  Result.reserve(Poly.size());
  for (const TPointD& P : Poly) Result.push_back(Rounded(P));
  return Result;
}

void PutU16(QByteArray& B, int At, unsigned V) {
  B[At] = static_cast<char>(V & 0xFF);
  B[At + 1] = static_cast<char>((V >> 8) & 0xFF);
}

void PutU32(QByteArray& B, int At, std::uint32_t V) {
  for (int I = 0; I < 4; ++I) B[At + I] = static_cast<char>((V >> (8 * I)) & 0xFF);
}

}  // namespace

TMetafileDevice::TMetafileDevice(const QString& FileName, int Width, int Height, int Limit)
    : FFileName(FileName),
      FWidth(std::clamp(Width, 1, Limit)),
      FHeight(std::clamp(Height, 1, Limit)),
      FLimit(Limit) {}

int TMetafileDevice::Clamp(long long V) const {
  return static_cast<int>(std::clamp<long long>(V, -FLimit, FLimit));
}

TPoint TMetafileDevice::ClampPoint(TPoint P) const { return {Clamp(P.X), Clamp(P.Y)}; }

TRect TMetafileDevice::ClampRect(long long Left, long long Top, long long Right,
                                 long long Bottom) const {
  return {Clamp(Left), Clamp(Top), Clamp(Right), Clamp(Bottom)};
}

void TMetafileDevice::Start() {
  if (FStarted) return;
  FStarted = true;
  BeginPicture();
  // Everything is drawn inside one saved state, so that a restore brings back the unclipped
  // context with nothing of ours selected.
  WriteSaveDC();
}

void TMetafileDevice::SyncClip(const TCanvasState& S) {
  const bool Clipped = S.Clipped;
  if (Clipped == FClipped && (!Clipped || S.Clip == FClip)) return;
  WriteRestoreDC();
  DeleteObjects();
  FPen.reset();
  FBrush.reset();
  FFont.reset();
  FTextAlign.reset();
  FBackMode.reset();
  FBackColor.reset();
  FTextColor.reset();
  FFillMode.reset();
  WriteSaveDC();
  FClipped = Clipped;
  FClip = Clipped ? S.Clip : QRegion();
  if (Clipped) WriteClip(FClip);
}

void TMetafileDevice::WriteClip(const QRegion& Clip) {
  auto ToRect = [this](const QRect& R) {
    return ClampRect(R.left(), R.top(), static_cast<long long>(R.left()) + R.width(),
                     static_cast<long long>(R.top()) + R.height());
  };
  if (Clip.isEmpty()) {
    WriteIntersectClip({0, 0, 0, 0});
    return;
  }
  const QRect Box = Clip.boundingRect();
  WriteIntersectClip(ToRect(Box));
  if (Clip.rectCount() > 1)
    for (const QRect& Gap : QRegion(Box).subtracted(Clip)) WriteExcludeClip(ToRect(Gap));
}

void TMetafileDevice::SyncPen(const TPenData& Pen) {
  // Only what the recorded pen shows: raster modes draw as copy here, wide pens are solid, and a
  // pen without a colour draws nothing.
  TPenData P = Pen;
  P.Mode = pmCopy;
  if (P.Color == clNone) P.Style = psClear;
  P.Color = P.Style == psClear ? clBlack : ColorToRGB(P.Color);
  P.Width = std::clamp(P.Width, 0, FLimit);
  if (P.Style == psClear) P.Width = 1;
  if (P.Width > 1 && P.Style != psInsideFrame && P.Style != psClear) P.Style = psSolid;
  if (P.Width <= 1 && P.Style == psInsideFrame) P.Style = psSolid;
  if (FPen && *FPen == P) return;
  WritePen(P);
  FPen = P;
}

void TMetafileDevice::SyncBack(const TCanvasState& S) {
  if (FBackMode != S.BackMode) {
    WriteBackMode(S.BackMode);
    FBackMode = S.BackMode;
  }
  const TColor Back = ColorToRGB(S.BackColor);
  if (FBackColor != Back) {
    WriteBackColor(Back);
    FBackColor = Back;
  }
}

void TMetafileDevice::SyncBrush(const TCanvasState& S) {
  TBrushData B = S.Brush;
  if (B.Color == clNone && B.Bitmap.isNull()) B.Style = bsClear;
  if (B.Style == bsClear) {
    B = TBrushData{};
    B.Style = bsClear;
    B.Color = clBlack;
  } else {
    B.Color = ColorToRGB(B.Color);
    // Hatches show the background colour between their lines.
    if (B.Style != bsSolid || !B.Bitmap.isNull()) SyncBack(S);
  }
  if (FBrush && *FBrush == B) return;
  WriteBrush(B);
  FBrush = B;
}

void TMetafileDevice::SyncFillMode(TPolyFillMode Mode) {
  if (FFillMode == Mode) return;
  WritePolyFillMode(Mode);
  FFillMode = Mode;
}

// Escapements turn counter-clockwise on a device whose y runs down.
TPoint TMetafileDevice::BaselineStart(TPoint At, const QString& Text, const TFontData& Font,
                                      unsigned Align) {
  const QFontMetrics M(ToQFont(Font), MeasureDevice());
  int Width = 0;
  for (int A : Advances(Text, Font, false)) Width += A;
  const TTextPlacement P = PlaceText(Align, Width, M.ascent(), M.descent());
  const double Angle = (Font.Escapement % 3600) * std::numbers::pi / 1800;
  const double Along = P.Left, Across = P.Baseline;
  return {RoundInt(At.X + Along * std::cos(Angle) + Across * std::sin(Angle)),
          RoundInt(At.Y - Along * std::sin(Angle) + Across * std::cos(Angle))};
}

TFontData TMetafileDevice::WrittenFont(const TFontData& Font) const {
  TFontData F = Font;
  F.Color = clBlack;  // written as the text colour
  F.PixelsPerInch = 96;
  F.Height = std::clamp(F.Height, -FLimit, FLimit);
  return F;
}

void TMetafileDevice::SyncText(const TCanvasState& S, unsigned Align) {
  const TFontData F = WrittenFont(S.Font);
  if (!FFont || !(*FFont == F)) {
    WriteFont(F);
    FFont = F;
  }
  const TColor Color = ColorToRGB(S.Font.Color);
  if (FTextColor != Color) {
    WriteTextColor(Color);
    FTextColor = Color;
  }
  if (FTextAlign != Align) {
    WriteTextAlign(Align);
    FTextAlign = Align;
  }
  SyncBack(S);
}

void TMetafileDevice::Lines(const std::vector<TPoint>& Points, bool Closed) {
  const bool AllInside = std::all_of(Points.begin(), Points.end(),
                                     [this](const TPoint& P) { return Inside(P, FLimit); });
  if (Closed) {
    if (AllInside) {
      WritePolygon(Points);
      return;
    }
    const std::vector<TPoint> Cut = ClipPolygon(Points, FLimit);
    if (Cut.size() >= 2) WritePolygon(Cut);
    return;
  }
  if (AllInside) {
    WritePolyline(Points);
    return;
  }
  // Segments reaching beyond the limit are cut at it; a line that leaves and comes back is
  // written as separate pieces.
  std::vector<TPoint> Piece;
  auto Flush = [this, &Piece] {
    if (Piece.size() >= 2) WritePolyline(Piece);
    Piece.clear();
  };
  for (size_t I = 1; I < Points.size(); ++I) {
    TPointD A{static_cast<double>(Points[I - 1].X), static_cast<double>(Points[I - 1].Y)};
    TPointD B{static_cast<double>(Points[I].X), static_cast<double>(Points[I].Y)};
    bool CutStart = false;
    bool CutEnd = false;
    if (!ClipSegment(A, B, FLimit, CutStart, CutEnd)) {
      Flush();
      continue;
    }
    if (CutStart) Flush();
    if (Piece.empty()) Piece.push_back(Rounded(A));
    Piece.push_back(Rounded(B));
    if (CutEnd) Flush();
  }
  Flush();
}

void TMetafileDevice::Fill(const TCanvasState& S, const TRect& R) {
  // A rectangle without an outline fills one pixel less each way.
  SyncPen(TPenData{clBlack, 1, psClear, pmCopy});
  SyncBrush(S);
  WriteShape(coRectangle, ClampRect(R.Left, R.Top, R.Right + 1LL, R.Bottom + 1LL), {}, {}, {});
}

void TMetafileDevice::Execute(const TCanvasOp& Op) {
  if (FEnded || FFailed) return;
  Start();
  const TCanvasState& S = Op.State;
  const TRect& R = Op.Rect;
  const long long W = static_cast<long long>(R.Right) - R.Left;
  const long long H = static_cast<long long>(R.Bottom) - R.Top;
  const bool PenShows = S.Pen.Style != psClear && S.Pen.Color != clNone;
  const bool BrushShows =
      S.Brush.Style != bsClear && (S.Brush.Color != clNone || !S.Brush.Bitmap.isNull());
  switch (Op.Kind) {
    case coLine:
    case coPolyline:
      if (!PenShows || S.Pen.Mode == pmNop || Op.Points.size() < 2) return;
      SyncClip(S);
      SyncPen(S.Pen);
      Lines(Op.Points, false);
      break;
    case coPolygon:
      if (S.Pen.Mode == pmNop || Op.Points.size() < 2) return;
      SyncClip(S);
      SyncPen(S.Pen);
      SyncBrush(S);
      SyncFillMode(S.PolyFillMode);
      Lines(Op.Points, true);
      break;
    case coRectangle:
    case coEllipse:
    case coRoundRect:
      if (W <= 0 || H <= 0 || S.Pen.Mode == pmNop) return;
      SyncClip(S);
      SyncPen(S.Pen);
      SyncBrush(S);
      WriteShape(Op.Kind, ClampRect(R.Left, R.Top, R.Right, R.Bottom),
                 {std::clamp(Op.Corner.cx, 0, FLimit), std::clamp(Op.Corner.cy, 0, FLimit)}, {},
                 {});
      break;
    case coArc:
    case coPie:
    case coChord:
      if (W <= 1 || H <= 1 || Op.Points.size() < 2 || S.Pen.Mode == pmNop) return;
      SyncClip(S);
      SyncPen(S.Pen);
      if (Op.Kind != coArc) SyncBrush(S);
      WriteShape(Op.Kind, ClampRect(R.Left, R.Top, R.Right, R.Bottom), {}, ClampPoint(Op.Points[0]),
                 ClampPoint(Op.Points[1]));
      break;
    case coFillRect:
      if (W <= 0 || H <= 0 || !BrushShows) return;
      SyncClip(S);
      Fill(S, R);
      break;
    case coFrameRect: {
      if (W <= 0 || H <= 0 || !BrushShows) return;
      SyncClip(S);
      Fill(S, {R.Left, R.Top, R.Right, static_cast<int>(R.Top + 1LL)});
      if (H > 1) Fill(S, {R.Left, static_cast<int>(R.Bottom - 1LL), R.Right, R.Bottom});
      if (H > 2) {
        const int Top = static_cast<int>(R.Top + 1LL);
        const int Bottom = static_cast<int>(R.Bottom - 1LL);
        Fill(S, {R.Left, Top, static_cast<int>(R.Left + 1LL), Bottom});
        if (W > 1) Fill(S, {static_cast<int>(R.Right - 1LL), Top, R.Right, Bottom});
      }
      break;
    }
    case coText: {
      if (Op.Points.empty() || (Op.Text.isEmpty() && !(Op.TextOptions & ETO_OPAQUE))) return;
      if (S.Font.Color == clNone && !(Op.TextOptions & ETO_OPAQUE)) return;
      SyncClip(S);
      // The canvas has already resolved the pen position into the reference point.
      unsigned Align = S.TextAlign & ~TA_UPDATECP;
      TPoint At = Op.Points[0];
      if (RotatedTextFromBaseline() && S.Font.Escapement % 3600 != 0) {
        At = BaselineStart(At, Op.Text, WrittenFont(S.Font), Align);
        Align = TA_LEFT | TA_BASELINE;
      }
      SyncText(S, Align);
      WriteText(ClampPoint(At), S.Font.Color == clNone ? QString() : Op.Text,
                Op.TextOptions & (ETO_OPAQUE | ETO_CLIPPED),
                ClampRect(R.Left, R.Top, R.Right, R.Bottom), S.Font);
      break;
    }
    case coPixel:
      if (Op.Points.empty() || Op.Color == clNone || !Inside(Op.Points[0], FLimit)) return;
      SyncClip(S);
      WritePixel(Op.Points[0], ColorToRGB(Op.Color));
      break;
    case coImage:
      if (W <= 0 || H <= 0 || Op.Image.isNull()) return;
      SyncClip(S);
      WriteImage(ClampRect(R.Left, R.Top, R.Right, R.Bottom), Op.Image);
      break;
  }
}

QByteArray TMetafileDevice::TakePicture() {
  if (!FEnded) {
    Start();
    WriteRestoreDC();
    DeleteObjects();
    FPicture = EndPicture();
    FEnded = true;
    if (FFailed) FPicture.clear();
  }
  return FPicture;
}

TFileStatus TMetafileDevice::Finish() {
  if (FFinishResult) return *FFinishResult;
  const QByteArray Bytes = TakePicture();
  if (Bytes.isEmpty() && !FFileName.isEmpty())
    FFinishResult = TFileStatus{TFileError::NotMade, TFileOp::Write, FFileName, 0,
                                QStringLiteral("the picture could not be made")};
  else
    FFinishResult = WriteFileBytes(FFileName, Bytes);
  return *FFinishResult;
}

std::vector<int> TMetafileDevice::Advances(const QString& Text, const TFontData& Font,
                                           bool PerCodePoint) {
  const QFontMetrics M(ToQFont(Font), MeasureDevice());
  const qsizetype N = Text.size();
  std::vector<int> Units(static_cast<size_t>(N), 0);
  if (N <= MaxPrefixMeasured) {
    int Prev = 0;
    for (qsizetype I = 0; I < N; ++I) {
      if (Text[I].isHighSurrogate() && I + 1 < N && Text[I + 1].isLowSurrogate()) continue;
      const int X = M.horizontalAdvance(Text.left(I + 1));
      qsizetype First = I;
      if (Text[I].isLowSurrogate() && I > 0 && Text[I - 1].isHighSurrogate()) First = I - 1;
      Units[static_cast<size_t>(First)] = X - Prev;
      Prev = X;
    }
  } else {
    for (qsizetype I = 0; I < N; ++I) {
      if (Text[I].isHighSurrogate() && I + 1 < N && Text[I + 1].isLowSurrogate()) {
        Units[static_cast<size_t>(I)] = M.horizontalAdvance(Text.mid(I, 2));
        ++I;
      } else {
        Units[static_cast<size_t>(I)] = M.horizontalAdvance(Text[I]);
      }
    }
  }
  if (!PerCodePoint) return Units;
  std::vector<int> Points;
  Points.reserve(Units.size());
  for (qsizetype I = 0; I < N; ++I) {
    Points.push_back(Units[static_cast<size_t>(I)]);
    if (Text[I].isHighSurrogate() && I + 1 < N && Text[I + 1].isLowSurrogate()) ++I;
  }
  return Points;
}

TMetafileDevice::TDib TMetafileDevice::MakeDib(const QImage& Source, int MaxSide) {
  QImage Image = Source;
  const long long Pixels = static_cast<long long>(Image.width()) * Image.height();
  if (Image.width() > MaxSide || Image.height() > MaxSide || Pixels > MaxImagePixels) {
    const double Scale =
        std::min({static_cast<double>(MaxSide) / Image.width(),
                  static_cast<double>(MaxSide) / Image.height(),
                  std::sqrt(static_cast<double>(MaxImagePixels) / static_cast<double>(Pixels))});
    Image = Image.scaled(std::max(1, static_cast<int>(Image.width() * Scale)),
                         std::max(1, static_cast<int>(Image.height() * Scale)),
                         Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  if (Image.hasAlphaChannel()) {
    QImage Flat(Image.size(), QImage::Format_RGB32);
    Flat.fill(Qt::white);
    QPainter P(&Flat);
    P.drawImage(0, 0, Image);
    P.end();
    Image = Flat;
  } else {
    Image = Image.convertToFormat(QImage::Format_RGB32);
  }
  TDib Dib;
  Dib.Width = Image.width();
  Dib.Height = Image.height();
  const int Stride = (Dib.Width * 3 + 3) & ~3;
  Dib.Bits = QByteArray(static_cast<qsizetype>(Stride) * Dib.Height, '\0');
  for (int Y = 0; Y < Dib.Height; ++Y) {
    const auto* Row = reinterpret_cast<const QRgb*>(Image.constScanLine(Dib.Height - 1 - Y));
    char* Out = Dib.Bits.data() + static_cast<qsizetype>(Stride) * Y;
    for (int X = 0; X < Dib.Width; ++X) {
      Out[3 * X] = static_cast<char>(qBlue(Row[X]));
      Out[3 * X + 1] = static_cast<char>(qGreen(Row[X]));
      Out[3 * X + 2] = static_cast<char>(qRed(Row[X]));
    }
  }
  // Room for one colour entry after the header, which readers of the structure may touch.
  Dib.Info = QByteArray(44, '\0');
  PutU32(Dib.Info, 0, 40);
  PutU32(Dib.Info, 4, static_cast<std::uint32_t>(Dib.Width));
  PutU32(Dib.Info, 8, static_cast<std::uint32_t>(Dib.Height));
  PutU16(Dib.Info, 12, 1);
  PutU16(Dib.Info, 14, 24);
  PutU32(Dib.Info, 20, static_cast<std::uint32_t>(Dib.Bits.size()));
  PutU32(Dib.Info, 24, 3780);  // 96 pixels per inch
  PutU32(Dib.Info, 28, 3780);
  return Dib;
}
