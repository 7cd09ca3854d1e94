#include "platform/tiled_image.h"

#include <algorithm>
#include <cstring>

#include "platform/canvas.h"

TTiledBlock MakeTiledBlock(const QImage& Tile) {
  if (Tile.isNull()) return {};
  const int W = Tile.width(), H = Tile.height();
  const int KX = std::max(TileBlockSide / W, 1), KY = std::max(TileBlockSide / H, 1);
  if (KX == 1 && KY == 1) return {Tile, 1, 1};
  const QImage T = Tile.convertToFormat(QImage::Format_ARGB32);
  QImage Block(W * KX, H * KY, QImage::Format_ARGB32);
  if (Block.isNull()) return {Tile, 1, 1};
  const size_t Row = static_cast<size_t>(W) * 4;
  for (int Y = 0; Y < Block.height(); ++Y) {
    const uchar* From = T.constScanLine(Y % H);
    uchar* To = Block.scanLine(Y);
    for (int K = 0; K < KX; ++K) std::memcpy(To + K * Row, From, Row);
  }
  return {Block, KX, KY};
}

void DrawTiled(TCanvas& Canvas, const TRect& Area, const TTiledBlock& Block, int TileW, int TileH) {
  const QImage& Full = Block.Image;
  if (Full.isNull() || Block.CountX <= 0 || Block.CountY <= 0 || TileW <= 0 || TileH <= 0 ||
      Area.Right <= Area.Left || Area.Bottom <= Area.Top)
    return;
  const int W = Full.width() / Block.CountX, H = Full.height() / Block.CountY;
  // Copies that reach into the area each way, and how many of them the last block holds.
  const long long NX = (static_cast<long long>(Area.Right) - Area.Left + TileW - 1) / TileW;
  const long long NY = (static_cast<long long>(Area.Bottom) - Area.Top + TileH - 1) / TileH;
  const int LastX = static_cast<int>((NX - 1) % Block.CountX) + 1;
  const int LastY = static_cast<int>((NY - 1) % Block.CountY) + 1;
  const long long BX = (NX + Block.CountX - 1) / Block.CountX;
  const long long BY = (NY + Block.CountY - 1) / Block.CountY;
  const QImage Right = LastX < Block.CountX ? Full.copy(0, 0, LastX * W, Full.height()) : Full;
  const QImage Bottom = LastY < Block.CountY ? Full.copy(0, 0, Full.width(), LastY * H) : Full;
  const QImage Corner = Right.copy(0, 0, Right.width(), LastY * H);
  const long long BW = static_cast<long long>(TileW) * Block.CountX;
  const long long BH = static_cast<long long>(TileH) * Block.CountY;
  for (long long J = 0; J < BY; ++J) {
    const bool LastRow = J == BY - 1;
    const long long Y = Area.Top + J * BH;
    const long long Y2 = Y + static_cast<long long>(TileH) * (LastRow ? LastY : Block.CountY);
    for (long long I = 0; I < BX; ++I) {
      const bool LastCol = I == BX - 1;
      const long long X = Area.Left + I * BW;
      const long long X2 = X + static_cast<long long>(TileW) * (LastCol ? LastX : Block.CountX);
      const QImage& Part = LastRow ? (LastCol ? Corner : Bottom) : (LastCol ? Right : Full);
      Canvas.StretchDrawImage(
          {static_cast<int>(X), static_cast<int>(Y), static_cast<int>(X2), static_cast<int>(Y2)},
          Part);
    }
  }
}
