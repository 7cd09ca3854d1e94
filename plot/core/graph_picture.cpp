#include "plot/core/graph_picture.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/image_file.h"
#include "platform/number_text.h"
#include "platform/tiled_image.h"
#include "plot/core/graph.h"
#include "plot/core/graph_mem_ini_file.h"
#include "plot/core/graph_utils.h"

TGraphPicture::TGraphPicture(TGraph* AGraph, const QString& FileName)
    : TLayer(AGraph), PictureFileName(FileName) {
  Name = QStringLiteral("Picture");
  Visible = false;
  if (!PictureFileName.isEmpty() && QFileInfo::exists(PictureFileName)) {
    LoadPicture();
    Visible = FPicture != nullptr;
  }
}

TGraphPicture::~TGraphPicture() = default;

void TGraphPicture::LoadPicture() {
  if (!QFileInfo::exists(PictureFileName)) return;
  // Any image format the platform reads; the file decides, not its name.
  auto P = std::make_unique<QImage>();
  Loaded = true;
  if (ReadImageFile(PictureFileName, *P))
    FPicture = std::move(P);
  else
    FPicture.reset();
}

void TGraphPicture::SaveSettings() {
  if (SettingsFileName.isEmpty()) return;
  TGraphMemIniFile Ini(SettingsFileName);
  Ini.WriteString(QStringLiteral("Picture"), QStringLiteral("Name"), Name);
  // Written as the file closes, which says why should it fail.
}

void TGraphPicture::Draw() {
  if (!Visible || !Graph || Graph->Dxf() || PictureFileName.isEmpty()) return;
  if (!Loaded) LoadPicture();
  if (!FPicture) return;
  TGraph& G = *Graph;
  TCanvas* C = G.DrawCanvas();
  // While zoomed, only the part of the picture that the shown ranges cut out of the ranges of
  // the first zoom state.
  QImage Part;
  const QImage* Shown = FPicture.get();
  if (G.Zoom.Count() > 0) {
    const TDoubleRect& Z = G.SavedRanges;
    const double ZW = Z.Right - Z.Left, ZH = Z.Bottom - Z.Top;
    if (ZW != 0 && ZH != 0 && std::isfinite(ZW) && std::isfinite(ZH)) {
      const double PW = FPicture->width(), PH = FPicture->height();
      auto Px = [](double V) {
        return RoundInt(std::clamp(std::isfinite(V) ? V : 0.0, -1e9, 1e9));
      };
      TRect Src{Px((G.XMin - Z.Left) * PW / ZW), Px((Z.Bottom - G.YMax) * PH / ZH),
                Px((G.XMax - Z.Left) * PW / ZW), Px((Z.Bottom - G.YMin) * PH / ZH)};
      NormalizeRect(Src);
      const QRect Q = QRect(Src.Left, Src.Top, Src.Right - Src.Left, Src.Bottom - Src.Top)
                          .intersected(FPicture->rect());
      if (!Q.isEmpty()) Part = FPicture->copy(Q);
      Shown = &Part;
    }
  }
  const int W = Shown->width(), H = Shown->height();
  if (!C || W <= 0 || H <= 0) return;  // an empty picture would tile forever
  const int D = G.Depth3D;
  const TRect P = G.PlotRect;
  TRect Dest{P.Left + D, P.Top - D, P.Right + D, P.Bottom - D};
  double SX = 1, SY = 1;
  const bool Printing = G.Device().Printing;
  if (Printing) {
    SX = C->PixelsPerInchX() / 96.0;
    SY = C->PixelsPerInchY() / 96.0;
  }
  const TTiledBlock Block = Style == psTile ? MakeTiledBlock(*Shown) : TTiledBlock{*Shown};
  const QImage& Tile = Block.Image;
  const int TW = std::max(RoundInt(W * SX), 1), TH = std::max(RoundInt(H * SY), 1);
  const int BW = TW * Block.CountX, BH = TH * Block.CountY;
  if (Printing) {
    // The bitmap goes to the printer as a bitmap; where the printer takes none, the canvas
    // stretches the picture itself.
    TBitmap Bitmap;
    Bitmap.SetImage(*Shown);
    auto Put = [&](const TRect& R) {
      if (!StretchBitmapToCanvas(C, R, &Bitmap)) C->StretchDrawImage(R, *Shown);
    };
    switch (Style) {
      case psFix:
        Put(G.ImageRect);
        break;
      case psTile: {
        G.ResetClipRegion();
        TRect Clip{P.Left, P.Top, P.Right, P.Bottom - 1};
        if (G.View3D > 0) Clip = {P.Left, P.Top - D, P.Right + D, P.Bottom - 1 - D};
        C->SetClipRect(Clip);
        TBitmap TileBitmap;
        TileBitmap.SetImage(Tile);
        for (int X = Dest.Left; X < P.Right + D; X += BW)
          for (int Y = Dest.Top; Y < P.Bottom - D; Y += BH) {
            const TRect R{X, Y, X + BW, Y + BH};
            if (!StretchBitmapToCanvas(C, R, &TileBitmap)) C->StretchDrawImage(R, Tile);
          }
        C->ResetClip();
        break;
      }
      case psStretch:
      case psAsIsInside:
        Put(Dest);
        break;
    }
    return;
  }
  switch (Style) {
    case psStretch:
      InflateIntRect(Dest, -1, -1);
      C->StretchDrawImage(Dest, *Shown);
      break;
    case psFix:
      C->StretchDrawImage(G.ImageRect, *Shown);
      break;
    case psTile:
    case psAsIsInside: {
      G.ResetClipRegion();
      TRect Clip{P.Left, P.Top, P.Right, P.Bottom - 1};
      if (G.View3D > 0) Clip = {P.Left, P.Top - D, P.Right + D, P.Bottom - 1 - D};
      C->SetClipRect(Clip);
      if (Style == psAsIsInside) {
        C->StretchDrawImage({Dest.Left + 1, Dest.Top + 1, Dest.Left + 1 + TW, Dest.Top + 1 + TH},
                            *Shown);
      } else {
        DrawTiled(*C, {Dest.Left, Dest.Top, P.Right + D, P.Bottom - D - 1}, Block, TW, TH);
      }
      C->ResetClip();
      break;
    }
  }
}
