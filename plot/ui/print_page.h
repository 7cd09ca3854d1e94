#pragma once
// One printed page of a graph: the margins, the title-block slots under the graph, and the
// drawing of blocks, graph and frame. The print and the preview share it; the preview draws
// the same page at its scale.
#include <QString>
#include <QStringList>

#include <array>

#include "platform/geometry.h"

class TCanvas;
class TGraph;

// Left, top, right, bottom, in millimetres; shared by the print dialog, the preview and the
// matrix window's print.
extern std::array<int, 4> PrintMargins;

// The smallest part of the page that margins leave for the graph, in millimetres, beside the
// room of two rows of title blocks.
inline constexpr int LeastPrintableMM = 20;
inline constexpr int TitleBlockMM = 15;
// Margins held inside a page of the given size in millimetres: none negative, and the pairs
// leave at least the least printable area (and two block rows) between them.
std::array<int, 4> HeldMargins(const std::array<int, 4>& Margins, double PageWidthMM,
                               double PageHeightMM);

// Slot K (from 1) of N title blocks in the usable width W from L, above the bottom Y, blocks of
// height H: one spans the width, two share the row, three add a full row above, four make two
// rows of two. Empty when K > N.
TRect TitleBlockSlot(int N, int K, int L, int W, int Y, int H);
// Where the graph area ends above the blocks.
int GraphAreaBottom(int N, int Y, int H);

struct TPageLayout {
  double PixelsPerMM = 1;  // printer pixels
  int BlockHeight = 0;
  int Left = 0, Top = 0;
  int Width = 0;   // usable width
  int Bottom = 0;  // usable bottom
  int Right = 0;   // right edge of the graph area
  int Blocks = 0;
  int GraphBottom() const { return GraphAreaBottom(Blocks, Bottom, BlockHeight); }
  TRect GraphRect() const { return {Left, Top, Right, GraphBottom()}; }
  TRect Slot(int K) const { return TitleBlockSlot(Blocks, K, Left, Width, Bottom, BlockHeight); }
};
// The page of PageW by PageH printer pixels at Ppi, drawn at Scale (image pixels per printer
// pixel; 1 on the printer), with Blocks title blocks.
TPageLayout PageLayout(int PageW, int PageH, int Ppi, const std::array<int, 4>& Margins,
                       double Scale, int Blocks);

// What goes on the page beside the graph.
struct TPageContent {
  bool Program = false, Owner = false, Project = false, Comment = false;
  bool Borders = false;
  bool BlackOnly = false;
  QString ComponentIni;  // "Program Title" and "Company Logo" come from here
  QString LogoFile;      // "Project Title" and "Plot Description" from here
  QStringList Description;
  int Blocks() const { return int(Program) + int(Owner) + int(Project) + int(Comment); }
};

// Title blocks, graph and frame on Canvas. The graph's own image and layout are as before
// afterwards, also when drawing fails.
void DrawPrintPage(TCanvas& Canvas, TGraph& Graph, const TPageLayout& Layout,
                   const TPageContent& Content);
