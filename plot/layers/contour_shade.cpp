// The colour-shaded map of a contour layer. It reads only the kept grid; it never lets other
// work run while it paints, as that could re-enter the graph.
#include <algorithm>
#include <cmath>

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
  Graph->SetClipRegion();
  C->Brush()->SetStyle(bsSolid);
  C->Pen()->SetWidth(1);
  C->Pen()->SetStyle(psSolid);
  for (int X = R.Left; X < R.Right; X += S) {
    const int X0 = std::max(R.Left, std::min(X, R.Right - S));
    double WX = Graph->PixelToX(X0);
    if (XLog) WX = std::pow(10.0, WX);
    for (int Y = R.Top; Y < R.Bottom; Y += S) {
      const int Y0 = std::max(R.Top, std::min(Y, R.Bottom - S));
      double WY = Graph->PixelToY(Y0);
      if (YLog) WY = std::pow(10.0, WY);
      ColorRamp(GridZAt(Grid(), WX, WY, &FIndex));
      const TColor Color = ColorByValue();
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
