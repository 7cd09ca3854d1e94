#include "platform/metafile_writer.h"

#include "platform/metafile_device.h"

namespace {

std::unique_ptr<TMetafileDevice> CreateDevice(TMetafileFormat Format, const QString& FileName,
                                              int Width, int Height) {
  if (Format == TMetafileFormat::Wmf) return CreateWmfDevice(FileName, Width, Height);
  return CreateEmfDevice(FileName, Width, Height);
}

}  // namespace

std::unique_ptr<TMetafileSink> CreateMetafileWriter(TMetafileFormat Format, const QString& FileName,
                                                    int Width, int Height) {
  return CreateDevice(Format, FileName, Width, Height);
}

QByteArray MetafileBytes(TMetafileFormat Format, int Width, int Height,
                         const std::function<void(TCanvas&)>& Paint) {
  std::unique_ptr<TMetafileDevice> Device = CreateDevice(Format, QString(), Width, Height);
  {
    TCanvas Canvas(Device.get());
    if (Paint) Paint(Canvas);
  }
  return Device->TakePicture();
}
