#include "plot/core/graph_gradient.h"

#include <algorithm>

#include "platform/canvas.h"
#include "platform/number_text.h"
#include "plot/core/graph_drawing.h"

void GradientFill(TCanvas* Canvas, const TRect& R, TColor FromColor, bool Horizontal,
                  TColor ToColor) {
  if (!Canvas) return;
  long long Extent = Horizontal ? static_cast<long long>(R.Right) - R.Left
                                : static_cast<long long>(R.Bottom) - R.Top;
  if (Extent < 1 || Extent > 0x7FFFFFFF) return;
  int E = static_cast<int>(Extent);
  int B = std::min(E, 256);
  TColor From = ColorToRGB(FromColor), To = ColorToRGB(ToColor);
  int FR = GetRValue(From), FG = GetGValue(From), FB = GetBValue(From);
  int DR = GetRValue(To) - FR, DG = GetGValue(To) - FG, DB = GetBValue(To) - FB;
  TBrushData Saved = Canvas->Brush()->Data();
  for (int i = 0; i < B; ++i) {
    auto Step = [&](int D) { return B > 1 ? MulDiv(i, D, B - 1) : 0; };
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(RGB(FR + Step(DR), FG + Step(DG), FB + Step(DB)));
    int Near = MulDiv(i, E, B), Far = MulDiv(i + 1, E, B);
    TRect Band = Horizontal ? TRect{R.Right - Far, R.Top, R.Right - Near, R.Bottom}
                            : TRect{R.Left, R.Bottom - Far, R.Right, R.Bottom - Near};
    Canvas->FillRect(Band);
  }
  Canvas->Brush()->SetData(Saved);
}

TGraphGradient::TGraphGradient(TGraphDrawing* AGraph, int AStyle, TColor AStartColor,
                               TColor AEndColor)
    : Graph(AGraph), Style(AStyle), StartColor(AStartColor), EndColor(AEndColor) {}

void TGraphGradient::Draw(const TRect& R) {
  if (!Visible || Style == 0 || !Graph) return;
  GradientFill(Graph->DrawCanvas(), R, EndColor, Style == 1, StartColor);
}
