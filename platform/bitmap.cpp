#include "platform/bitmap.h"

#include <QBuffer>
#include <QPainter>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "platform/image_file.h"
#include "platform/text_file.h"

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

TFileStatus TBitmap::LoadFromFile(const QString& FileName) {
  QImage Loaded;
  TFileStatus S = ReadImageFile(FileName, Loaded);
  if (S.Ok()) SetImage(Loaded);
  return S;
}

bool TBitmap::LoadFromData(const QByteArray& Data, QString* Error) {
  QImage Loaded;
  if (!ReadImageData(Data, Loaded, Error)) return false;
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

TFileStatus TBitmap::SaveToFile(const QString& FileName) const {
  if (Empty()) return {TFileError::NotMade, TFileOp::Write, FileName, 0, "the picture is empty"};
  return WriteFileBytes(FileName, SaveToData());
}

void TBitmap::DrawOn(TCanvas& Canvas, const TRect& R) const {
  if (&Canvas == FCanvas.get()) return;  // a bitmap drawn onto itself changes nothing
  Canvas.StretchDrawImage(R, Image());
}
