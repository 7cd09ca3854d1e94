#pragma once
// Pens, brushes and fonts: small value holders that tell their owner when they change.
// A canvas reads them afresh for every primitive it draws.
#include <cstdint>
#include <functional>
#include <initializer_list>

#include <QFont>
#include <QImage>
#include <QString>

#include "platform/colors.h"

class TBitmap;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// Horizontal placement of a text: one type for every library, so that they can be used together.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// The bevels of a panel-like control.
enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

// The sixteen binary raster operations, in their usual order. Image targets honour them all;
// other targets draw every mode as pmCopy, except pmNop, which draws nothing anywhere.
enum TPenMode {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};

enum TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
enum TFontPitch { fpDefault, fpVariable, fpFixed };

class TFontStyles {
 public:
  constexpr TFontStyles() = default;
  constexpr TFontStyles(std::initializer_list<TFontStyle> Styles) {
    for (TFontStyle S : Styles) Bits |= Bit(S);
  }
  constexpr TFontStyles& operator<<(TFontStyle S) {
    Bits |= Bit(S);
    return *this;
  }
  constexpr TFontStyles& operator>>(TFontStyle S) {
    Bits &= static_cast<std::uint8_t>(~Bit(S));
    return *this;
  }
  constexpr bool Contains(TFontStyle S) const { return (Bits & Bit(S)) != 0; }
  constexpr bool Empty() const { return Bits == 0; }
  constexpr std::uint8_t ToByte() const { return Bits; }
  static constexpr TFontStyles FromByte(std::uint8_t B) {
    TFontStyles R;
    R.Bits = B & 0x0F;
    return R;
  }
  friend constexpr bool operator==(TFontStyles, TFontStyles) = default;

 private:
  static constexpr std::uint8_t Bit(TFontStyle S) { return static_cast<std::uint8_t>(1u << S); }
  std::uint8_t Bits = 0;
};

// What a pen, a brush and a font hold, as plain values; the recording target logs these.
struct TPenData {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;
  friend bool operator==(const TPenData&, const TPenData&) = default;
};

struct TBrushData {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  QImage Bitmap;  // a pattern brush when not null and the style is not bsClear
  // How much of what lies under a solid fill it covers, 0..1. Painter targets honour it;
  // metafiles carry no alpha and fill opaque.
  double Opacity = 1.0;
  friend bool operator==(const TBrushData& A, const TBrushData& B) {
    return A.Color == B.Color && A.Style == B.Style && A.Bitmap == B.Bitmap &&
           A.Opacity == B.Opacity;
  }
};

struct TFontData {
  QString Name = QStringLiteral("Arial");
  int Height = -11;  // pixels; negative: character height without internal leading
  int PixelsPerInch = 96;
  TColor Color = clWindowText;
  TFontStyles Style;
  TFontPitch Pitch = fpDefault;
  int Charset = 1;
  int Escapement = 0;  // tenths of a degree, counter-clockwise
  friend bool operator==(const TFontData&, const TFontData&) = default;
};

class TGraphicsObject {
 public:
  using TChangeEvent = std::function<void(TGraphicsObject* Sender)>;

  TGraphicsObject() = default;
  TGraphicsObject(const TGraphicsObject&) = delete;
  TGraphicsObject& operator=(const TGraphicsObject&) = delete;
  virtual ~TGraphicsObject() = default;

  TChangeEvent OnChange;
  // Counts the changes so far; a canvas compares it to see whether a brush changed.
  unsigned ChangeCount() const { return FChangeCount; }

 protected:
  void Changed();

 private:
  unsigned FChangeCount = 0;
};

class TPen : public TGraphicsObject {
 public:
  TColor Color() const { return FData.Color; }
  int Width() const { return FData.Width; }
  TPenStyle Style() const { return FData.Style; }
  TPenMode Mode() const { return FData.Mode; }
  void SetColor(TColor Value);
  void SetWidth(int Value);  // 0 is the thinnest line of the device
  void SetStyle(TPenStyle Value);
  void SetMode(TPenMode Value);
  const TPenData& Data() const { return FData; }
  void SetData(const TPenData& Value);
  virtual void Assign(const TPen& Source);

 private:
  TPenData FData;
};

class TBrush : public TGraphicsObject {
 public:
  TColor Color() const { return FData.Color; }
  TBrushStyle Style() const { return FData.Style; }
  // Setting a colour on a clear brush makes it solid, as callers that set only the colour expect.
  void SetColor(TColor Value);
  void SetStyle(TBrushStyle Value);
  double Opacity() const { return FData.Opacity; }
  void SetOpacity(double Value);
  // The brush keeps its own copy of the picture; null removes the pattern.
  void SetBitmap(const TBitmap* Value);
  void SetBitmapImage(const QImage& Value);
  bool HasBitmap() const { return !FData.Bitmap.isNull(); }
  const QImage& BitmapImage() const { return FData.Bitmap; }
  const TBrushData& Data() const { return FData; }
  void SetData(const TBrushData& Value);
  virtual void Assign(const TBrush& Source);

 private:
  TBrushData FData;
};

class TFont : public TGraphicsObject {
 public:
  const QString& Name() const { return FData.Name; }
  TColor Color() const { return FData.Color; }
  int Height() const { return FData.Height; }
  int Size() const;  // points at PixelsPerInch
  int PixelsPerInch() const { return FData.PixelsPerInch; }
  TFontStyles Style() const { return FData.Style; }
  TFontPitch Pitch() const { return FData.Pitch; }
  int Charset() const { return FData.Charset; }
  int Escapement() const { return FData.Escapement; }
  void SetName(const QString& Value);
  void SetColor(TColor Value);
  void SetHeight(int Value);
  void SetSize(int Value);
  // Changes the resolution the size is counted against; the size in points stays.
  void SetPixelsPerInch(int Value);
  void SetStyle(TFontStyles Value);
  void SetPitch(TFontPitch Value);
  void SetCharset(int Value);
  void SetEscapement(int Value);
  const TFontData& Data() const { return FData; }
  void SetData(const TFontData& Value);
  // Copies everything; when the resolutions differ the size in points is kept, not the height.
  virtual void Assign(const TFont& Source);

 private:
  TFontData FData;
};

// "Arial", "Times New Roman", "Courier New" and the old sans-serif screen font resolve to their
// metric-compatible Liberation families; other names pass through.
QString MapFontName(const QString& Name);
// Makes Qt's own widgets resolve the same names the same way; called once at start-up.
void InstallFontSubstitutions();
// The QFont that draws Font at its own pixel height, unrotated, without antialiasing.
QFont ToQFont(const TFontData& Font);
