#pragma once
// Pictures a canvas can draw: TGraphic is the common base (the metafile picture of the plot
// control derives from it too), TBitmap an RGB image with its own canvas, read from any picture
// file (image_file.h) and written as BMP.
#include <functional>
#include <memory>

#include <QByteArray>
#include <QImage>
#include <QString>

#include "platform/geometry.h"
#include "platform/text_file.h"

class TCanvas;
class TImageTarget;

class TGraphic {
 public:
  TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;
  virtual ~TGraphic() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const { return Width() <= 0 || Height() <= 0; }
  // Draws the picture stretched into R on Canvas.
  virtual void DrawOn(TCanvas& Canvas, const TRect& R) const = 0;

  std::function<void(TGraphic* Sender)> OnChange;

 protected:
  void Changed() {
    if (OnChange) OnChange(this);
  }
};

class TBitmap : public TGraphic {
 public:
  TBitmap();
  TBitmap(int Width, int Height);
  ~TBitmap() override;

  int Width() const override { return FImage.width(); }
  int Height() const override { return FImage.height(); }
  // Resizing keeps the picture at the top left; new area is white.
  void SetWidth(int Value) { SetSize(Value, Height()); }
  void SetHeight(int Value) { SetSize(Width(), Value); }
  void SetSize(int Width, int Height);
  // Kept for callers that ask for a black-and-white bitmap; the picture stays RGB.
  bool Monochrome() const { return FMonochrome; }
  void SetMonochrome(bool Value) { FMonochrome = Value; }

  // The resolution the canvas draws at: fonts given in points take as many pixels as on a
  // device of this many pixels per inch (a backing image at a screen's pixel ratio, for one).
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value);

  // The canvas that draws into this bitmap; it lives as long as the bitmap.
  TCanvas* Canvas();
  // The picture with every pending drawing finished.
  const QImage& Image() const;
  void SetImage(const QImage& Image);
  void Assign(const TBitmap* Source);

  // False with an explanation in Error for a missing, irregular, too large, unreadable or
  // malformed file; the bitmap is unchanged then.
  TFileStatus LoadFromFile(const QString& FileName);
  bool LoadFromData(const QByteArray& Data, QString* Error = nullptr);
  // Writes a 24-bit BMP as every file is written (WriteFileBytes).
  TFileStatus SaveToFile(const QString& FileName) const;
  QByteArray SaveToData() const;

  void DrawOn(TCanvas& Canvas, const TRect& R) const override;

 private:
  void Flush() const;

  QImage FImage;
  bool FMonochrome = false;
  int FPixelsPerInch = 96;
  std::unique_ptr<TImageTarget> FTarget;
  std::unique_ptr<TCanvas> FCanvas;
};
