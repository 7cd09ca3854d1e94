#include "widgets/vcl_utils.h"

#include <QApplication>
#include <QImage>
#include <QThread>
#include <QWidget>

#include <vector>

bool IsForegroundTask() {
  const QWidget* Active = QApplication::activeWindow();
  return Active && Active->thread() == QThread::currentThread();
}

std::unique_ptr<TBitmap> CreateDisabledBitmapEx(const TBitmap& Bitmap, TColor TransparentColor,
                                                TColor BackColor, TColor HighlightColor,
                                                TColor ShadowColor, bool DrawHighlight) {
  const QImage Source = Bitmap.Image().convertToFormat(QImage::Format_RGB32);
  const int W = Source.width();
  const int H = Source.height();
  QImage Result(W, H, QImage::Format_RGB32);
  Result.fill(ToQColor(BackColor));
  if (W > 0 && H > 0) {
    const QRgb Transparent = ToQColor(TransparentColor).rgb() | 0xFF000000u;
    // The mask: every pixel that is part of the picture.
    std::vector<bool> Mask(static_cast<std::size_t>(W) * static_cast<std::size_t>(H));
    for (int Y = 0; Y < H; ++Y) {
      const QRgb* Line = reinterpret_cast<const QRgb*>(Source.constScanLine(Y));
      for (int X = 0; X < W; ++X)
        Mask[static_cast<std::size_t>(Y) * W + X] = (Line[X] | 0xFF000000u) != Transparent;
    }
    auto Paint = [&](int Dx, int Dy, QRgb Color) {
      for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X)
          if (Mask[static_cast<std::size_t>(Y) * W + X] && X + Dx < W && Y + Dy < H)
            Result.setPixel(X + Dx, Y + Dy, Color);
    };
    if (DrawHighlight) Paint(1, 1, ToQColor(HighlightColor).rgb());
    Paint(0, 0, ToQColor(ShadowColor).rgb());
  }
  auto Out = std::make_unique<TBitmap>();
  Out->SetImage(Result);
  return Out;
}

std::unique_ptr<TBitmap> CreateDisabledBitmap(const TBitmap& Bitmap, TColor TransparentColor) {
  return CreateDisabledBitmapEx(Bitmap, TransparentColor, clBtnFace, clBtnHighlight, clBtnShadow,
                                true);
}

QChar AccelChar(const QString& Text) {
  for (qsizetype I = 0; I + 1 < Text.size(); ++I) {
    if (Text[I] != QLatin1Char('&')) continue;
    if (Text[I + 1] == QLatin1Char('&')) {
      ++I;
      continue;
    }
    return Text[I + 1].toUpper();
  }
  return QChar();
}
