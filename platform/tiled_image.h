#pragma once
// Tiling an area with a small picture: the picture is first repeated into a block some hundred
// pixels a side, and the area is filled a block at a time, so that a 1 x 1 picture costs a few
// images per fill instead of one per pixel (seconds per repaint, minutes on a printer page, and
// a metafile of one record per pixel).
#include <QImage>

#include "platform/geometry.h"

class TCanvas;

// The side in pixels that a block of small tiles reaches at least.
inline constexpr int TileBlockSide = 256;

struct TTiledBlock {
  QImage Image;  // CountX x CountY copies of the tile; the tile itself when it is large enough
  int CountX = 1;
  int CountY = 1;
};

TTiledBlock MakeTiledBlock(const QImage& Tile);

// Fills Area from its top left with copies of the tile, each drawn TileW x TileH; the blocks at
// the right and bottom hold only the copies that reach into Area, so nothing is drawn past the
// last copy a tile at a time would draw.
void DrawTiled(TCanvas& Canvas, const TRect& Area, const TTiledBlock& Block, int TileW, int TileH);
