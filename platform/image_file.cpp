#include "platform/image_file.h"

#include <algorithm>
#include <cstdint>

#include <QBuffer>
#include <QImageReader>

#include "platform/text_file.h"

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

// The size Qt's GIF decoder gives the first picture: its logical screen, grown to hold the first
// frame where that lies beyond it (Qt's reader reports the frame alone). Invalid when unsure.
QSize GifSize(const QByteArray& D) {
  if (D.size() < 13 || !(D.startsWith("GIF87a") || D.startsWith("GIF89a"))) return {};
  int W = Le16(D, 6), H = Le16(D, 8);
  const auto Flags = static_cast<unsigned char>(D[10]);
  qsizetype At = 13 + ((Flags & 0x80) ? 3 << ((Flags & 7) + 1) : 0);
  while (At < D.size()) {
    const auto Kind = static_cast<unsigned char>(D[At]);
    if (Kind == 0x2C) {
      if (At + 9 > D.size()) return {};
      const int At16 = static_cast<int>(At);
      W = std::max(W, Le16(D, At16 + 1) + Le16(D, At16 + 5));
      H = std::max(H, Le16(D, At16 + 3) + Le16(D, At16 + 7));
      return {W, H};
    }
    if (Kind != 0x21) return {};
    At += 2;  // an extension: introducer, label, then sub-blocks up to an empty one
    while (At < D.size() && D[At] != 0) At += 1 + static_cast<unsigned char>(D[At]);
    ++At;
  }
  return {};
}

// The components of a progressive JPEG (0 for any other file): its decoder keeps every
// component's coefficients, two bytes a pixel each, besides the picture.
int ProgressiveJpegComponents(const QByteArray& D) {
  if (!D.startsWith("\xFF\xD8")) return 0;
  qsizetype At = 2;
  while (At + 4 <= D.size() && static_cast<unsigned char>(D[At]) == 0xFF) {
    const auto Marker = static_cast<unsigned char>(D[At + 1]);
    const bool Frame =
        Marker >= 0xC0 && Marker <= 0xCF && Marker != 0xC4 && Marker != 0xC8 && Marker != 0xCC;
    if (Frame) {
      const bool Progressive = Marker == 0xC2 || Marker == 0xC6 || Marker == 0xCA || Marker == 0xCE;
      if (!Progressive || At + 10 > D.size()) return 0;
      return std::max(1, static_cast<int>(static_cast<unsigned char>(D[At + 9])));
    }
    const int Length =
        (static_cast<unsigned char>(D[At + 2]) << 8) | static_cast<unsigned char>(D[At + 3]);
    At += 2 + Length;
  }
  return 0;
}

}  // namespace

bool ReadImageData(const QByteArray& Data, QImage& Image, QString* Error, const QString& Name) {
  auto Fail = [&](const QString& Why) {
    if (Error) *Error = Name.isEmpty() ? Why : Name + QStringLiteral(": ") + Why;
    return false;
  };
  if (Data.isEmpty()) return Fail(QStringLiteral("the file is empty"));
  QString Why;
  if (Data.startsWith("BM") && !CheckBmp(Data, &Why)) return Fail(Why);
  QBuffer Buffer;
  Buffer.setData(Data);
  Buffer.open(QIODevice::ReadOnly);
  QImageReader Reader(&Buffer);
  if (!Reader.canRead()) return Fail(QStringLiteral("not a picture in a format that can be read"));
  // The header's size is checked before a pixel is decoded: a small file may claim a picture
  // of gigabytes. The whole read stays within one budget: the file's bytes, the picture, a
  // converted copy of it, and what the decoder keeps besides.
  const qint64 PerPixel = 8 + 2 * ProgressiveJpegComponents(Data);
  const qint64 Pixels = std::min(MaxImagePixels, (MaxImageReadBytes - Data.size()) / PerPixel);
  const auto TooLarge = [&](QSize S) {
    return S.width() > MaxImageSide || S.height() > MaxImageSide ||
           static_cast<qint64>(S.width()) * S.height() > Pixels;
  };
  const auto Refuse = [&](QSize S) {
    return Fail(
        QStringLiteral("a picture of %1 x %2 pixels is too large").arg(S.width()).arg(S.height()));
  };
  const QSize Gif = GifSize(Data);
  const QSize S = Gif.isValid() ? Gif : Reader.size();
  if (S.isValid() && TooLarge(S)) return Refuse(S);
  QImageReader::setAllocationLimit(static_cast<int>(MaxImagePixels * 4 / (1024 * 1024)));
  QImage Loaded;
  if (!Reader.read(&Loaded) || Loaded.isNull())
    return Fail(QStringLiteral("the picture cannot be read (%1)").arg(Reader.errorString()));
  if (TooLarge(Loaded.size())) return Refuse(Loaded.size());
  Image = std::move(Loaded);
  return true;
}

TFileStatus ReadImageFile(const QString& FileName, QImage& Image) {
  QByteArray Data;
  TFileStatus S = ReadFileBytes(FileName, Data, MaxImageFileSize);
  if (S.Ok() && !ReadImageData(Data, Image, &S.Why)) {
    S.Code = TFileError::BadContents;
    S.FileName = FileName;
  }
  return S;
}

QString PictureFileFilter() {
  return QStringLiteral(
      "All pictures (*.png;*.jpg;*.jpeg;*.gif;*.bmp)|*.png;*.jpg;*.jpeg;*.gif;*.bmp|"
      "PNG pictures (*.png)|*.png|JPEG pictures (*.jpg;*.jpeg)|*.jpg;*.jpeg|"
      "GIF pictures (*.gif)|*.gif|Bitmaps (*.bmp)|*.bmp");
}
