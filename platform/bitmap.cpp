#include "platform/bitmap.h"

#include <cstdint>
#include <cstring>

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QSaveFile>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"

namespace {

std::uint32_t Le32(const QByteArray& D, int At) {
  std::uint32_t V = 0;
  for (int I = 3; I >= 0; --I) V = (V << 8) | static_cast<unsigned char>(D[At + I]);
  return V;
}
std::uint16_t Le16(const QByteArray& D, int At) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(D[At]) |
                                    (static_cast<unsigned char>(D[At + 1]) << 8));
}

// The image decoder is only handed files whose headers are consistent and whose pixel data is
// all there, so that a damaged file is refused with a reason instead of half decoded.
bool CheckBmp(const QByteArray& D, QString* Error) {
  auto Fail = [Error](const char* Why) {
    if (Error) *Error = QString::fromLatin1(Why);
    return false;
  };
  if (D.size() < 26 || D[0] != 'B' || D[1] != 'M') return Fail("not a BMP file");
  const std::uint32_t Offset = Le32(D, 10);
  const std::uint32_t HeaderSize = Le32(D, 14);
  std::int64_t Width = 0;
  std::int64_t Height = 0;
  int Bpp = 0;
  std::uint32_t Compression = 0;
  if (HeaderSize == 12) {
    Width = Le16(D, 18);
    Height = Le16(D, 20);
    Bpp = Le16(D, 24);
  } else if (HeaderSize == 40 || HeaderSize == 52 || HeaderSize == 56 || HeaderSize == 108 ||
             HeaderSize == 124) {
    if (D.size() < 14 + static_cast<qsizetype>(HeaderSize)) return Fail("truncated BMP header");
    Width = static_cast<std::int32_t>(Le32(D, 18));
    Height = static_cast<std::int32_t>(Le32(D, 22));
    Bpp = Le16(D, 28);
    Compression = Le32(D, 30);
  } else {
    return Fail("unknown BMP header");
  }
  if (Height < 0) Height = -Height;
  if (Width <= 0 || Height <= 0 || Width > 32768 || Height > 32768 || Width * Height > (1 << 28))
    return Fail("BMP size out of range");
  if (Bpp != 1 && Bpp != 4 && Bpp != 8 && Bpp != 16 && Bpp != 24 && Bpp != 32)
    return Fail("unsupported BMP depth");
  if (Compression > 3) return Fail("unsupported BMP compression");
  if (Offset < 14 + HeaderSize || Offset >= static_cast<std::uint32_t>(D.size()))
    return Fail("BMP pixel data missing");
  if (Compression == 0 || Compression == 3) {
    const std::int64_t Row = ((Width * Bpp + 31) / 32) * 4;
    if (static_cast<std::int64_t>(D.size()) - Offset < Row * Height)
      return Fail("truncated BMP pixel data");
  }
  return true;
}

}  // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int Width, int Height) { SetSize(Width, Height); }

TBitmap::~TBitmap() {
  // The canvas goes before the image it draws on.
  FCanvas.reset();
  FTarget.reset();
}

void TBitmap::Flush() const {
  if (FTarget) FTarget->Release();
}

void TBitmap::SetSize(int Width, int Height) {
  if (Width < 0) Width = 0;
  if (Height < 0) Height = 0;
  if (Width == FImage.width() && Height == FImage.height()) return;
  Flush();
  if (Width == 0 || Height == 0) {
    FImage = QImage();
  } else {
    QImage Resized(Width, Height, QImage::Format_RGB32);
    Resized.fill(Qt::white);
    if (!FImage.isNull()) {
      QPainter P(&Resized);
      P.setCompositionMode(QPainter::CompositionMode_Source);
      P.drawImage(0, 0, FImage);
    }
    FImage = Resized;
  }
  Changed();
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) {
    FTarget = std::make_unique<TImageTarget>(&FImage);
    FTarget->SetPixelsPerInch(FPixelsPerInch);
    FCanvas = std::make_unique<TCanvas>(FTarget.get());
  }
  return FCanvas.get();
}

void TBitmap::SetPixelsPerInch(int Value) {
  if (Value <= 0 || Value == FPixelsPerInch) return;
  FPixelsPerInch = Value;
  if (!FCanvas) return;
  FTarget->SetPixelsPerInch(Value);
  FCanvas->Font()->SetPixelsPerInch(Value);
}

const QImage& TBitmap::Image() const {
  Flush();
  return FImage;
}

void TBitmap::SetImage(const QImage& Image) {
  Flush();
  FImage = Image.isNull() ? QImage() : Image.convertToFormat(QImage::Format_RGB32);
  Changed();
}

void TBitmap::Assign(const TBitmap* Source) {
  if (Source == this) return;
  SetImage(Source ? Source->Image() : QImage());
  FMonochrome = Source ? Source->FMonochrome : false;
}

bool TBitmap::LoadFromFile(const QString& FileName, QString* Error) {
  QFile F(FileName);
  if (!F.open(QIODevice::ReadOnly)) {
    if (Error) *Error = F.errorString();
    return false;
  }
  return LoadFromData(F.readAll(), Error);
}

bool TBitmap::LoadFromData(const QByteArray& Data, QString* Error) {
  if (!CheckBmp(Data, Error)) return false;
  QImage Loaded;
  if (!Loaded.loadFromData(Data, "BMP") || Loaded.isNull()) {
    if (Error) *Error = QStringLiteral("unreadable BMP file");
    return false;
  }
  SetImage(Loaded);
  return true;
}

QByteArray TBitmap::SaveToData() const {
  QByteArray Out;
  QBuffer Buffer(&Out);
  Buffer.open(QIODevice::WriteOnly);
  Image().convertToFormat(QImage::Format_RGB888).save(&Buffer, "BMP");
  return Out;
}

bool TBitmap::SaveToFile(const QString& FileName, QString* Error) const {
  if (Empty()) {
    if (Error) *Error = QStringLiteral("empty bitmap");
    return false;
  }
  const QByteArray Data = SaveToData();
  QSaveFile F(FileName);
  if (!F.open(QIODevice::WriteOnly) || F.write(Data) != Data.size() || !F.commit()) {
    if (Error) *Error = F.errorString();
    return false;
  }
  return true;
}

void TBitmap::DrawOn(TCanvas& Canvas, const TRect& R) const {
  if (&Canvas == FCanvas.get()) return;  // a bitmap drawn onto itself changes nothing
  Canvas.StretchDrawImage(R, Image());
}
