#include "plot/ui/print_page.h"

#include <algorithm>
#include <cmath>

#include "platform/canvas.h"
#include "platform/flag_guard.h"
#include "platform/number_text.h"
#include "plot/core/graph.h"
#include "plot/ui/print_logo.h"

std::array<int, 4> PrintMargins = {25, 10, 20, 10};

namespace {
// Keeps A and B at least 0 with A + B at most Limit, taking the excess from the larger.
void HoldPair(int& A, int& B, int Limit) {
  A = std::max(A, 0);
  B = std::max(B, 0);
  Limit = std::max(Limit, 0);
  while (A + B > Limit) {
    int& Larger = A >= B ? A : B;
    Larger -= std::min(Larger, A + B - Limit);
  }
}

// The graph of a page: the print path of the graph, with its image rectangle put back on every
// way out.
void PaintGraphOnPage(TGraph& Graph, TCanvas& Page, const TRect& R, bool BlackOnly) {
  const TValueGuard<TRect> KeepImage(Graph.ImageRect, Graph.ImageRect);
  const TValueGuard<TRect> KeepPrint(Graph.PrintRect, Graph.PrintRect);
  Graph.PrintTo(&Page, R, BlackOnly);
}
}  // namespace

std::array<int, 4> HeldMargins(const std::array<int, 4>& Margins, double PageWidthMM,
                               double PageHeightMM) {
  std::array<int, 4> M = Margins;
  const auto Room = [](double Page, int Least) {
    return std::isfinite(Page) ? int(std::floor(Page)) - Least : 0;
  };
  HoldPair(M[0], M[2], Room(PageWidthMM, LeastPrintableMM));
  HoldPair(M[1], M[3], Room(PageHeightMM, LeastPrintableMM + 2 * TitleBlockMM));
  return M;
}

TRect TitleBlockSlot(int N, int K, int L, int W, int Y, int H) {
  if (N < K || K < 1) return {0, 0, 0, 0};
  const int Half = W / 2;
  if (N == 1) return {L, Y - H, L + W, Y};
  switch (K) {
    case 1:
      return {L, Y - H, L + Half, Y};
    case 2:
      return {L + Half, Y - H, L + W, Y};
    case 3:
      return N == 4 ? TRect{L, Y - 2 * H, L + Half, Y - H} : TRect{L, Y - 2 * H, L + W, Y - H};
    default:
      return {L + Half, Y - 2 * H, L + W, Y - H};
  }
}

int GraphAreaBottom(int N, int Y, int H) {
  if (N >= 3) return Y - 2 * H;
  if (N >= 1) return Y - H;
  return Y;
}

TPageLayout PageLayout(int PageW, int PageH, int Ppi, const std::array<int, 4>& Margins,
                       double Scale, int Blocks) {
  TPageLayout P;
  P.PixelsPerMM = Ppi / 25.4;
  P.Blocks = std::clamp(Blocks, 0, 4);
  const double p = P.PixelsPerMM;
  const int L = RoundInt(Margins[0] * p), R = RoundInt(Margins[2] * p);
  const int B = RoundInt(Margins[3] * p);
  if (Scale == 1) {
    P.BlockHeight = RoundInt(15 * p);
    P.Left = L;
    P.Top = RoundInt(Margins[1] * p);
    P.Width = PageW - L - R;
    P.Bottom = PageH - B;
    P.Right = P.Left + P.Width;
    return P;
  }
  P.BlockHeight = RoundInt(15 * p * Scale);
  P.Left = RoundInt(L * Scale);
  P.Top = RoundInt(Margins[1] * p * Scale);
  P.Width = RoundInt((PageW - L - R) * Scale);
  P.Bottom = RoundInt((PageH - B) * Scale);
  P.Right = RoundInt((PageW - Margins[2] * p) * Scale);
  return P;
}

void DrawPrintPage(TCanvas& Canvas, TGraph& Graph, const TPageLayout& Layout,
                   const TPageContent& Content) {
  Canvas.Pen()->SetColor(clBlack);
  struct TBlock {
    bool On;
    QString Section;
    const QString& File;
  };
  const QString NoFile;
  const TBlock Blocks[] = {{Content.Program, SystemLogoSection, NoFile},
                           {Content.Owner, OwnerLogoSection, NoFile},
                           {Content.Project, ProjectLogoSection, Content.LogoFile}};
  int K = 0;
  const auto Place = [&](TPrintLogo& Logo) {
    Logo.Rect = Layout.Slot(++K);
    Logo.Canvas = &Canvas;
    Logo.Borders = Content.Borders;
    Logo.Draw();
  };
  for (const TBlock& B : Blocks) {
    if (!B.On) continue;
    TPrintLogo Logo(Content.ComponentIni, B.File, B.Section);
    Place(Logo);
  }
  if (Content.Comment) {
    auto Logo =
        TPrintLogo::CreateComment(Content.ComponentIni, Content.Description, Content.LogoFile);
    Place(*Logo);
  }
  Canvas.Pen()->SetWidth(1);
  PaintGraphOnPage(Graph, Canvas, Layout.GraphRect(), Content.BlackOnly);
  Canvas.Pen()->SetWidth(1);
  Canvas.Pen()->SetMode(pmCopy);
  Canvas.Pen()->SetStyle(psSolid);
  Canvas.Pen()->SetColor(Content.Borders ? clBlack : clWhite);
  Canvas.Brush()->SetStyle(bsClear);
  Canvas.Rectangle(Layout.Left, Layout.Top, Layout.Left + Layout.Width, Layout.GraphBottom());
}
