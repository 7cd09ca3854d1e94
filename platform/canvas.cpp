#include "platform/canvas.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>

#include <QFontMetrics>

#include "platform/bitmap.h"

namespace {

// Text measured for targets without a device of their own (the recording log) uses this
// 96-pixels-per-inch image, so that measurements agree with an image target.
QPaintDevice* DefaultMetricsDevice() {
  static QImage Device(1, 1, QImage::Format_RGB32);
  return &Device;
}

// An image with a resolution of its own (a backing image at a screen's pixel ratio) shows every
// font at that resolution, also fonts set up elsewhere at another one: a font keeps its size in
// points, as on a printer. Under a mapping the drawing is in logical units that the mapping
// scales, fonts included, so the device's resolution must not scale them a second time.
TFontData FontOnTarget(const TFontData& Font, const TCanvasTarget& Target, bool Mapped) {
  const int Ppi = Target.PixelsPerInchY();
  if (Mapped || Target.Kind() != tkImage || Ppi == 96 || Font.PixelsPerInch <= 0 ||
      Font.PixelsPerInch == Ppi)
    return Font;
  TFont F;
  F.SetData(Font);
  F.SetPixelsPerInch(Ppi);
  return F.Data();
}

QRect ToQRect(const TRect& R) { return QRect(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top); }

TRect FromQRect(const QRect& R) {
  return {R.left(), R.top(), R.left() + R.width(), R.top() + R.height()};
}

TRect Normalized(int X1, int Y1, int X2, int Y2) {
  return {std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2)};
}

}  // namespace

TColor TCanvasTarget::GetPixel(int, int) { return clNone; }
QImage TCanvasTarget::CopyImage(const TRect&) { return QImage(); }

TTextPlacement PlaceText(unsigned Align, int Width, int Ascent, int Descent) {
  TTextPlacement P;
  switch (Align & TA_HORZMASK) {
    case TA_CENTER:
      P.Left = -(Width / 2);
      break;
    case TA_RIGHT:
      P.Left = -Width;
      break;
    default:
      P.Left = 0;
      break;
  }
  switch (Align & TA_VERTMASK) {
    case TA_BASELINE:
      P.Top = -Ascent;
      break;
    case TA_BOTTOM:
      P.Top = -(Ascent + Descent);
      break;
    default:
      P.Top = 0;
      break;
  }
  P.Baseline = P.Top + Ascent;
  return P;
}

TCanvas::TCanvas(TCanvasTarget* Target) : FTarget(Target) { Init(); }

TCanvas::TCanvas(std::unique_ptr<TCanvasTarget> Target)
    : FOwnedTarget(std::move(Target)), FTarget(FOwnedTarget.get()) {
  Init();
}

TCanvas::~TCanvas() = default;

void TCanvas::Init() {
  FPen = std::make_unique<TPen>();
  FBrush = std::make_unique<TBrush>();
  FFont = std::make_unique<TFont>();
  FFont->SetPixelsPerInch(FTarget->PixelsPerInchY());
  FSeenBrushChange = FBrush->ChangeCount();
}

unsigned TCanvas::SetTextAlign(unsigned Align) {
  const unsigned Old = FTextAlign;
  FTextAlign = Align;
  return Old;
}

void TCanvas::SyncBackFromBrush() const {
  if (FBrush->ChangeCount() == FSeenBrushChange) return;
  FSeenBrushChange = FBrush->ChangeCount();
  FBackColor = FBrush->Color();
  FBackMode = FBrush->Style() == bsClear ? bmTransparent : bmOpaque;
}

TBackMode TCanvas::BackMode() const {
  SyncBackFromBrush();
  return FBackMode;
}
TColor TCanvas::BackColor() const {
  SyncBackFromBrush();
  return FBackColor;
}
void TCanvas::SetBackMode(TBackMode Mode) {
  SyncBackFromBrush();
  FBackMode = Mode;
}
void TCanvas::SetBackColor(TColor Color) {
  SyncBackFromBrush();
  FBackColor = Color;
}

TCanvasOp TCanvas::MakeOp(TCanvasOpKind Kind) {
  SyncBackFromBrush();
  TCanvasOp Op;
  Op.Kind = Kind;
  Op.State.Pen = FPen->Data();
  Op.State.Brush = FBrush->Data();
  Op.State.Font = FontOnTarget(FFont->Data(), *FTarget, FMapped);
  Op.State.TextAlign = FTextAlign;
  Op.State.BackMode = FBackMode;
  Op.State.BackColor = FBackColor;
  Op.State.PolyFillMode = FPolyFillMode;
  Op.State.Clipped = FClipped;
  if (FClipped) Op.State.Clip = FClip;
  return Op;
}

void TCanvas::Run(TCanvasOp&& Op) {
  if (FMapped) MapOp(Op);
  FTarget->Execute(Op);
}

void TCanvas::SetMapping(const TCanvasMapping& Mapping) {
  // A zero extent would divide by zero; such a mapping is refused.
  if (Mapping.WindowExt.cx == 0 || Mapping.WindowExt.cy == 0 || Mapping.ViewportExt.cx == 0 ||
      Mapping.ViewportExt.cy == 0)
    return;
  FMapping = Mapping;
  FMapped = true;
}

TPoint TCanvas::ToDevice(TPoint P) const {
  if (!FMapped) return P;
  const TCanvasMapping& M = FMapping;
  const double X = static_cast<double>(P.X - M.WindowOrg.X) * M.ViewportExt.cx / M.WindowExt.cx;
  const double Y = static_cast<double>(P.Y - M.WindowOrg.Y) * M.ViewportExt.cy / M.WindowExt.cy;
  return {static_cast<int>(std::lround(X)) + M.ViewportOrg.X,
          static_cast<int>(std::lround(Y)) + M.ViewportOrg.Y};
}

TRect TCanvas::ToDevice(const TRect& R) const {
  if (!FMapped) return R;
  const TPoint A = ToDevice(R.TopLeft());
  const TPoint B = ToDevice(R.BottomRight());
  return Normalized(A.X, A.Y, B.X, B.Y);
}

TRect TCanvas::ToLogical(const TRect& R) const {
  if (!FMapped) return R;
  const TCanvasMapping& M = FMapping;
  auto X = [&M](int V) {
    return static_cast<int>(std::lround(static_cast<double>(V - M.ViewportOrg.X) * M.WindowExt.cx /
                                        M.ViewportExt.cx)) +
           M.WindowOrg.X;
  };
  auto Y = [&M](int V) {
    return static_cast<int>(std::lround(static_cast<double>(V - M.ViewportOrg.Y) * M.WindowExt.cy /
                                        M.ViewportExt.cy)) +
           M.WindowOrg.Y;
  };
  return Normalized(X(R.Left), Y(R.Top), X(R.Right), Y(R.Bottom));
}

void TCanvas::MapOp(TCanvasOp& Op) const {
  for (TPoint& P : Op.Points) P = ToDevice(P);
  Op.Rect = ToDevice(Op.Rect);
  const double Sx = std::abs(static_cast<double>(FMapping.ViewportExt.cx) / FMapping.WindowExt.cx);
  const double Sy = std::abs(static_cast<double>(FMapping.ViewportExt.cy) / FMapping.WindowExt.cy);
  Op.Corner = {static_cast<int>(std::lround(Op.Corner.cx * Sx)),
               static_cast<int>(std::lround(Op.Corner.cy * Sy))};
  if (Op.State.Pen.Width > 0)
    Op.State.Pen.Width = std::max(1, static_cast<int>(std::lround(Op.State.Pen.Width * Sx)));
  Op.State.Font.Height = static_cast<int>(std::lround(Op.State.Font.Height * Sy));
}

void TCanvas::LineTo(int X, int Y) {
  TCanvasOp Op = MakeOp(coLine);
  Op.Points = {FPenPos, {X, Y}};
  FPenPos = {X, Y};
  Run(std::move(Op));
}

void TCanvas::Polyline(std::span<const TPoint> Points) {
  if (Points.size() < 2) return;
  TCanvasOp Op = MakeOp(coPolyline);
  Op.Points.assign(Points.begin(), Points.end());
  Run(std::move(Op));
}

void TCanvas::Polygon(std::span<const TPoint> Points) {
  if (Points.size() < 2) return;
  TCanvasOp Op = MakeOp(coPolygon);
  Op.Points.assign(Points.begin(), Points.end());
  Run(std::move(Op));
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  TCanvasOp Op = MakeOp(coRectangle);
  Op.Rect = Normalized(X1, Y1, X2, Y2);
  Run(std::move(Op));
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  TCanvasOp Op = MakeOp(coEllipse);
  Op.Rect = Normalized(X1, Y1, X2, Y2);
  Run(std::move(Op));
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  TCanvasOp Op = MakeOp(coRoundRect);
  Op.Rect = Normalized(X1, Y1, X2, Y2);
  Op.Corner = {std::abs(X3), std::abs(Y3)};
  Run(std::move(Op));
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  TCanvasOp Op = MakeOp(coArc);
  Op.Rect = Normalized(X1, Y1, X2, Y2);
  Op.Points = {{X3, Y3}, {X4, Y4}};
  Run(std::move(Op));
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  TCanvasOp Op = MakeOp(coPie);
  Op.Rect = Normalized(X1, Y1, X2, Y2);
  Op.Points = {{X3, Y3}, {X4, Y4}};
  Run(std::move(Op));
}

void TCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  TCanvasOp Op = MakeOp(coChord);
  Op.Rect = Normalized(X1, Y1, X2, Y2);
  Op.Points = {{X3, Y3}, {X4, Y4}};
  Run(std::move(Op));
}

void TCanvas::FillRect(const TRect& R) {
  if (R.IsEmpty()) return;
  TCanvasOp Op = MakeOp(coFillRect);
  Op.Rect = R;
  Run(std::move(Op));
}

void TCanvas::FrameRect(const TRect& R) {
  if (R.IsEmpty()) return;
  TCanvasOp Op = MakeOp(coFrameRect);
  Op.Rect = R;
  Run(std::move(Op));
}

void TCanvas::DrawFocusRect(const TRect& R) {
  if (R.IsEmpty()) return;
  // Every other pixel of the frame, inverted: drawing it twice restores the picture.
  std::vector<TPoint> Dots;
  for (int X = R.Left; X < R.Right; X += 2) {
    Dots.push_back({X, R.Top});
    if (R.Bottom - 1 > R.Top) Dots.push_back({X, R.Bottom - 1});
  }
  for (int Y = R.Top + 2; Y < R.Bottom - 1; Y += 2) {
    Dots.push_back({R.Left, Y});
    if (R.Right - 1 > R.Left) Dots.push_back({R.Right - 1, Y});
  }
  TCanvasOp Op = MakeOp(coLine);
  Op.State.Pen = TPenData{clBlack, 1, psSolid, pmNot};
  for (const TPoint& P : Dots) {
    Op.Points = {P, {P.X + 1, P.Y}};
    FTarget->Execute(Op);
  }
}

QFont TCanvas::MeasureFont() const {
  return ToQFont(FontOnTarget(FFont->Data(), *FTarget, FMapped));
}

int TCanvas::TextWidth(const QString& Text) { return TextExtent(Text).cx; }
// The height is the font's, whatever the text: the text is not laid out for it.
int TCanvas::TextHeight(const QString&) {
  QPaintDevice* Device = FTarget->MetricsDevice();
  const QFontMetrics M(MeasureFont(), Device ? Device : DefaultMetricsDevice());
  return M.ascent() + M.descent();
}

TSize TCanvas::TextExtent(const QString& Text) {
  QPaintDevice* Device = FTarget->MetricsDevice();
  const QFontMetrics M(MeasureFont(), Device ? Device : DefaultMetricsDevice());
  return {M.horizontalAdvance(Text), M.ascent() + M.descent()};
}

int TCanvas::TextAscent() {
  QPaintDevice* Device = FTarget->MetricsDevice();
  return QFontMetrics(MeasureFont(), Device ? Device : DefaultMetricsDevice()).ascent();
}

int TCanvas::TextDescent() {
  QPaintDevice* Device = FTarget->MetricsDevice();
  return QFontMetrics(MeasureFont(), Device ? Device : DefaultMetricsDevice()).descent();
}

void TCanvas::TextOut(int X, int Y, const QString& Text) {
  TCanvasOp Op = MakeOp(coText);
  const TPoint At = (FTextAlign & TA_UPDATECP) ? FPenPos : TPoint{X, Y};
  Op.Points = {At};
  Op.Text = Text;
  const int Width = TextWidth(Text);
  // The pen position stops at the end of the coordinate range instead of wrapping round.
  auto Advance = [Width](int From) {
    return static_cast<int>(
        std::clamp<long long>(static_cast<long long>(From) + Width, INT_MIN, INT_MAX));
  };
  if (FTextAlign & TA_UPDATECP) {
    FPenPos.X = Advance(FPenPos.X);
  } else {
    FPenPos = {Advance(X), Y};
  }
  Run(std::move(Op));
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const QString& Text) {
  TCanvasOp Op = MakeOp(coText);
  Op.Points = {{X, Y}};
  Op.Text = Text;
  Op.Rect = R;
  Op.TextOptions = ETO_CLIPPED | (FBrush->Style() != bsClear ? ETO_OPAQUE : 0u);
  Run(std::move(Op));
}

TColor TCanvas::Pixels(int X, int Y) const {
  const TPoint D = ToDevice(TPoint{X, Y});
  if (FClipped && !FClip.contains(QPoint(D.X, D.Y))) return clNone;
  return FTarget->GetPixel(D.X, D.Y);
}

void TCanvas::SetPixels(int X, int Y, TColor Color) {
  TCanvasOp Op = MakeOp(coPixel);
  Op.Points = {{X, Y}};
  Op.Color = Color;
  Run(std::move(Op));
}

void TCanvas::Draw(int X, int Y, const TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Graphic->DrawOn(*this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& R, const TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Graphic->DrawOn(*this, R);
}

void TCanvas::DrawImage(int X, int Y, const QImage& Image) {
  StretchDrawImage(Bounds(X, Y, Image.width(), Image.height()), Image);
}

void TCanvas::StretchDrawImage(const TRect& R, const QImage& Image) {
  if (Image.isNull() || R.IsEmpty()) return;
  TCanvasOp Op = MakeOp(coImage);
  Op.Rect = R;
  Op.Image = Image;
  Run(std::move(Op));
}

TRect TCanvas::ClipRect() const {
  if (!FClipped) return ToLogical(FTarget->DeviceRect());
  return ToLogical(FromQRect(FClip.boundingRect()));
}

void TCanvas::SetClipRect(const TRect& Logical) {
  const TRect R = ToDevice(Logical);
  FClipped = true;
  FClip = R.IsEmpty() ? QRegion() : QRegion(ToQRect(R));
}

void TCanvas::IntersectClipRect(const TRect& Logical) {
  const TRect R = ToDevice(Logical);
  const QRegion Box = R.IsEmpty() ? QRegion() : QRegion(ToQRect(R));
  if (FClipped) {
    FClip = FClip.intersected(Box);
  } else {
    FClip = Box;
    FClipped = true;
  }
}

void TCanvas::SelectClipRgn(const QRegion* Region) {
  FClipped = Region != nullptr;
  FClip = Region ? *Region : QRegion();
}

void TCanvas::SelectClipPolygon(std::span<const TPoint> Points, TPolyFillMode Mode) {
  QPolygon Poly;
  for (const TPoint& P : Points) Poly << QPoint(P.X, P.Y);
  FClipped = true;
  FClip = QRegion(Poly, Mode == pfWinding ? Qt::WindingFill : Qt::OddEvenFill);
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Source, const TRect& Src) {
  if (!Source || Src.IsEmpty()) return;
  StretchDrawImage(Dest, Source->FTarget->CopyImage(Source->ToDevice(Src)));
}

void TCanvas::BrushCopy(const TRect& Dest, const TBitmap* Bitmap, const TRect& Src, TColor Color) {
  if (!Bitmap || Bitmap->Empty() || Src.IsEmpty()) return;
  QImage Part = Bitmap->Image().copy(QRect(Src.Left, Src.Top, Src.Width(), Src.Height()));
  const QRgb Key = ToQColor(Color).rgb();
  const QRgb Fill = ToQColor(FBrush->Color()).rgb();
  for (int Y = 0; Y < Part.height(); ++Y) {
    auto* Row = reinterpret_cast<QRgb*>(Part.scanLine(Y));
    for (int X = 0; X < Part.width(); ++X)
      if ((Row[X] | 0xFF000000u) == Key) Row[X] = Fill;
  }
  StretchDrawImage(Dest, Part);
}
