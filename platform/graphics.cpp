#include "platform/graphics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include <QFontMetricsF>

#include "platform/bitmap.h"

namespace {

// Rounds halves away from zero, as font height conversions have always done; a private copy so
// that this file needs nothing from the numeric helpers.
int MulDivRound(int A, int B, int C) {
  if (C == 0) return -1;
  const std::int64_t P = static_cast<std::int64_t>(A) * B;
  std::int64_t Q = P / C;
  const std::int64_t R = P % C;
  if (2 * std::llabs(R) >= std::llabs(static_cast<std::int64_t>(C)))
    Q += ((P < 0) != (C < 0)) ? -1 : 1;
  return static_cast<int>(Q);
}

}  // namespace

void TGraphicsObject::Changed() {
  ++FChangeCount;
  if (OnChange) OnChange(this);
}

void TPen::SetColor(TColor Value) {
  if (FData.Color != Value) {
    FData.Color = Value;
    Changed();
  }
}
void TPen::SetWidth(int Value) {
  if (Value < 0) Value = 0;
  if (FData.Width != Value) {
    FData.Width = Value;
    Changed();
  }
}
void TPen::SetStyle(TPenStyle Value) {
  if (FData.Style != Value) {
    FData.Style = Value;
    Changed();
  }
}
void TPen::SetMode(TPenMode Value) {
  if (FData.Mode != Value) {
    FData.Mode = Value;
    Changed();
  }
}
void TPen::SetData(const TPenData& Value) {
  FData = Value;
  if (FData.Width < 0) FData.Width = 0;
  Changed();
}
void TPen::Assign(const TPen& Source) { SetData(Source.FData); }

void TBrush::SetColor(TColor Value) {
  if (FData.Color == Value && FData.Style != bsClear) return;
  FData.Color = Value;
  if (FData.Style == bsClear) FData.Style = bsSolid;
  Changed();
}
void TBrush::SetStyle(TBrushStyle Value) {
  if (FData.Style != Value) {
    FData.Style = Value;
    Changed();
  }
}
void TBrush::SetOpacity(double Value) {
  Value = std::clamp(Value, 0.0, 1.0);
  if (FData.Opacity != Value) {
    FData.Opacity = Value;
    Changed();
  }
}
void TBrush::SetBitmap(const TBitmap* Value) { SetBitmapImage(Value ? Value->Image() : QImage()); }
void TBrush::SetBitmapImage(const QImage& Value) {
  FData.Bitmap = Value;
  Changed();
}
void TBrush::SetData(const TBrushData& Value) {
  FData = Value;
  Changed();
}
void TBrush::Assign(const TBrush& Source) { SetData(Source.FData); }

int TFont::Size() const { return -MulDivRound(FData.Height, 72, FData.PixelsPerInch); }
void TFont::SetName(const QString& Value) {
  if (FData.Name != Value && !Value.isEmpty()) {
    FData.Name = Value;
    Changed();
  }
}
void TFont::SetColor(TColor Value) {
  if (FData.Color != Value) {
    FData.Color = Value;
    Changed();
  }
}
void TFont::SetHeight(int Value) {
  if (FData.Height != Value) {
    FData.Height = Value;
    Changed();
  }
}
void TFont::SetSize(int Value) { SetHeight(-MulDivRound(Value, FData.PixelsPerInch, 72)); }
void TFont::SetPixelsPerInch(int Value) {
  if (Value <= 0 || Value == FData.PixelsPerInch) return;
  const int Points = Size();
  FData.PixelsPerInch = Value;
  FData.Height = -MulDivRound(Points, Value, 72);
  Changed();
}
void TFont::SetStyle(TFontStyles Value) {
  if (FData.Style != Value) {
    FData.Style = Value;
    Changed();
  }
}
void TFont::SetPitch(TFontPitch Value) {
  if (FData.Pitch != Value) {
    FData.Pitch = Value;
    Changed();
  }
}
void TFont::SetCharset(int Value) {
  if (FData.Charset != Value) {
    FData.Charset = Value;
    Changed();
  }
}
void TFont::SetEscapement(int Value) {
  if (FData.Escapement != Value) {
    FData.Escapement = Value;
    Changed();
  }
}
void TFont::SetData(const TFontData& Value) {
  FData = Value;
  if (FData.PixelsPerInch <= 0) FData.PixelsPerInch = 96;
  Changed();
}
void TFont::Assign(const TFont& Source) {
  const int OwnPpi = FData.PixelsPerInch;
  TFontData D = Source.FData;
  if (D.PixelsPerInch != OwnPpi) {
    D.Height = -MulDivRound(Source.Size(), OwnPpi, 72);
    D.PixelsPerInch = OwnPpi;
  }
  SetData(D);
}

QString MapFontName(const QString& Name) {
  const QString N = Name.trimmed();
  if (N.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0 ||
      N.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0 ||
      N.compare(QLatin1String("Helvetica"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("Liberation Sans");
  if (N.compare(QLatin1String("Times New Roman"), Qt::CaseInsensitive) == 0 ||
      N.compare(QLatin1String("Times"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("Liberation Serif");
  if (N.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0 ||
      N.compare(QLatin1String("Courier"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("Liberation Mono");
  return N;
}

void InstallFontSubstitutions() {
  for (const char* Name : {"Arial", "MS Sans Serif", "Helvetica", "Times New Roman", "Times",
                           "Courier New", "Courier"}) {
    const QString N = QString::fromLatin1(Name);
    QFont::insertSubstitution(N, MapFontName(N));
  }
}

QFont ToQFont(const TFontData& Font) {
  QFont F(MapFontName(Font.Name));
  F.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
  F.setHintingPreference(QFont::PreferFullHinting);
  F.setBold(Font.Style.Contains(fsBold));
  F.setItalic(Font.Style.Contains(fsItalic));
  F.setUnderline(Font.Style.Contains(fsUnderline));
  F.setStrikeOut(Font.Style.Contains(fsStrikeOut));
  if (Font.Pitch == fpFixed) F.setFixedPitch(true);
  F.setKerning(false);
  // Heights beyond any page are cut, so that no size makes the font engine overflow.
  constexpr long long MaxPixels = 32767;
  long long Pixels = 0;
  if (Font.Height < 0) {
    Pixels = -static_cast<long long>(Font.Height);
  } else if (Font.Height > 0) {
    // A positive height is the whole cell, ascent plus descent; find the em size that fills it.
    QFont Probe = F;
    Probe.setPixelSize(1000);
    const QFontMetricsF M(Probe);
    const double Cell = M.ascent() + M.descent();
    Pixels = Cell > 0 ? std::llround(std::min(Font.Height * 1000.0 / Cell, 1e9)) : Font.Height;
  } else {
    Pixels = MulDivRound(8, Font.PixelsPerInch, 72);
  }
  F.setPixelSize(static_cast<int>(std::clamp<long long>(Pixels, 1, MaxPixels)));
  return F;
}
