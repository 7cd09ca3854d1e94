#pragma once
// The background picture of a graph: an image file shown stretched over the back wall, over the
// whole drawing area, tiled, or once as it is.
#include <QImage>
#include <QString>
#include <memory>

#include "plot/core/graph_layer.h"

enum TPictureStyle { psStretch, psFix, psTile, psAsIsInside };

class TGraphPicture : public TLayer {
 public:
  explicit TGraphPicture(TGraph* AGraph, const QString& FileName = QString());
  ~TGraphPicture() override;

  QString PictureFileName;
  TPictureStyle Style = psStretch;
  bool Loaded = false;
  // The settings file SaveSettings writes to; empty writes nothing.
  QString SettingsFileName;

  // Null when no picture is loaded.
  const QImage* Picture() const { return FPicture.get(); }
  QString ClassName() const override { return QStringLiteral("TGraphPicture"); }
  int ItemCount() const override { return 1; }
  // (Re)loads the file when it exists; a file that cannot be read leaves no picture.
  void LoadPicture();
  void SaveSettings() override;
  void Draw() override;

 private:
  std::unique_ptr<QImage> FPicture;
};
