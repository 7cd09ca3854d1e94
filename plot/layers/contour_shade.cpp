// The colour-shaded map of a contour layer. It reads only the kept grid; it never lets other
// work run while it paints, as that could re-enter the graph.
#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "platform/canvas.h"
#include "plot/core/graph.h"
#include "plot/core/graph_axis.h"
#include "plot/core/graph_drawing.h"
#include "plot/layers/contour.h"

void TContour::DrawColorMap() {
  TCanvas* C = Graph->DrawCanvas();
  if (!C) return;
  const double End = UseLevelEnd ? LevelEnd : GetZMax();
  const double Start = UseLevelStart ? LevelStart : GetZMin();
  const double CutMin = ZMin, CutMax = ZMax;
  if (Start <= End) SetDefaultLevels(Start, End);
  // The user's cut-offs leave the cells beyond them unshaded, and stay for the next drawing.
  if (UseZMax) ZMax = CutMax;
  if (UseZMin) ZMin = CutMin;
  const int Inset = Graph->FrameWidth() + 1;
  const TRect R{Graph->PlotRect.Left + Inset, Graph->PlotRect.Top + Inset,
                Graph->PlotRect.Right - Inset, Graph->PlotRect.Bottom - Inset};
  if (R.Width() <= 0 || R.Height() <= 0) return;
  // A printer's pixels are much finer than the screen's: the cell grows with the square of the
  // size. A cell size of 0 or less would never advance; one larger than the plot is the plot.
  const long long Limit = std::max(1, std::min(R.Width(), R.Height()));
  long long Size = std::max(CellSize, 0);
  if (Graph->Device().Printing) Size = std::min(Size, Limit) + 1, Size *= Size;
  const int S = static_cast<int>(std::clamp(Size, 1LL, Limit));
  const bool Outlined =
      CellOutline || (Graph->XAxis && Graph->XAxis->Grid) || (Graph->YAxis && Graph->YAxis->Grid);
  const bool XLog = Graph->CurrentXLog(), YLog = Graph->CurrentYLog();
  const int Off = DepthOffset();
  const TContourGrid G = Grid();
  // The cells lie on a regular raster of pixels: each column and each row is found in the grid
  // once. The last cell of a row or column is moved back inside the plot and overlaps the one
  // before it.
  std::vector<int> Xs, Ys;
  std::vector<TGridSpot> XSpots, YSpots;
  auto Raster = [S](int Lo, int Hi, std::vector<int>& Firsts, std::vector<TGridSpot>& Spots,
                    auto SpotOf) {
    for (int P = Lo; P < Hi; P += S) {
      const int P0 = std::max(Lo, std::min(P, Hi - S));
      Firsts.push_back(P0);
      Spots.push_back(SpotOf(P0));
    }
  };
  Raster(R.Left, R.Right, Xs, XSpots, [&](int X) {
    const double WX = Graph->PixelToX(X);
    return GridSpotX(G, FIndex, XLog ? std::pow(10.0, WX) : WX);
  });
  Raster(R.Top, R.Bottom, Ys, YSpots, [&](int Y) {
    const double WY = Graph->PixelToY(Y);
    return GridSpotY(G, FIndex, YLog ? std::pow(10.0, WY) : WY);
  });
  // The palette's colours by index, -3 first; indexes beyond them are asked of the palette.
  std::array<TColor, 259> Palette;
  for (int I = -3; I <= 255; ++I) Palette[I + 3] = PaletteColor(*this, I);
  auto CellColor = [&](size_t CX, size_t CY) {
    const int Index = PaletteIndex(*this, GridZAt(G, XSpots[CX], YSpots[CY]));
    return Index >= -3 && Index <= 255 ? Palette[Index + 3] : PaletteColor(*this, Index);
  };
  Graph->SetClipRegion();
  C->Brush()->SetStyle(bsSolid);
  C->Pen()->SetWidth(1);
  C->Pen()->SetStyle(psSolid);
  // Filled cells on an image are written into a picture of the map, later cells over earlier
  // ones as they would be drawn, and put on the canvas at once: the same pixels as a rectangle
  // per cell, without a primitive for each.
  if (!Outlined && C->TargetKind() == tkImage && !C->Mapped() && C->Brush()->Opacity() >= 1) {
    QImage Map(R.Width(), R.Height(), QImage::Format_RGB32);
    if (!Map.isNull()) {
      const auto Stride = static_cast<size_t>(Map.bytesPerLine()) / sizeof(QRgb);
      auto* Bits = reinterpret_cast<QRgb*>(Map.bits());
      for (size_t CX = 0; CX < Xs.size(); ++CX)
        for (size_t CY = 0; CY < Ys.size(); ++CY) {
          const TColor Color = CellColor(CX, CY);
          const QRgb Pixel = qRgb(GetRValue(Color), GetGValue(Color), GetBValue(Color));
          const int Left = Xs[CX] - R.Left, Top = Ys[CY] - R.Top;
          for (int Y = Top; Y < Top + S; ++Y)
            std::fill_n(Bits + static_cast<size_t>(Y) * Stride + Left, S, Pixel);
        }
      C->DrawImage(AddPixels(R.Left, Off), AddPixels(R.Top, -Off), Map);
      // The brush is left as the cells would have left it.
      C->Brush()->SetColor(CellColor(Xs.size() - 1, Ys.size() - 1));
      Graph->ResetClipRegion();
      return;
    }
  }
  for (size_t CX = 0; CX < Xs.size(); ++CX) {
    const int X0 = Xs[CX];
    for (size_t CY = 0; CY < Ys.size(); ++CY) {
      const int Y0 = Ys[CY];
      const TColor Color = CellColor(CX, CY);
      const TRect Cell{AddPixels(X0, Off), AddPixels(Y0, -Off), AddPixels(X0 + S, Off),
                       AddPixels(Y0 + S, -Off)};
      C->Brush()->SetColor(Color);
      if (!Outlined) {
        C->FillRect(Cell);
      } else {
        C->Pen()->SetColor(Color);
        C->Pen()->SetMode(Color == 0x808001 || Color == 0x008081 ? pmCopy : pmMask);
        C->Rectangle(Cell);
      }
    }
  }
  C->Pen()->SetMode(pmCopy);
  Graph->ResetClipRegion();
}
